#pragma once

#include "ChildWindow.h"
#include "HelpBook.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTextBrowser;
class QToolButton;
class QUrl;
class Shell;

// The help book inside the main window: the page on the right; on the left
// the contents, or the pages that contain the words in the search box.
class HelpWindow : public ChildWindow {
    Q_OBJECT
public:
    explicit HelpWindow(Shell& shell, QWidget* parent = nullptr);
    HelpWindow(Shell& shell, const HelpBook& book, QWidget* parent = nullptr);

    // "" shows the contents. A page the book does not have is reported and
    // the contents shown instead.
    void showPage(const QString& page);
    void focusSearch();
    // Lists the pages that contain every word (the contents when empty).
    void search(const QString& words);

    QString currentPage() const;
    const HelpBook& book() const { return m_book; }

protected:
    void unload() override;

private:
    void build();
    void listContents();
    void openItem(QListWidgetItem* item);
    void openLink(const QUrl& url);
    void showMissingBook();

    Shell& m_shell;
    HelpBook m_book;
    QString m_highlight;
    QToolButton* m_back = nullptr;
    QToolButton* m_forward = nullptr;
    QToolButton* m_contents = nullptr;
    QLineEdit* m_search = nullptr;
    QLabel* m_topicsLabel = nullptr;
    QListWidget* m_topics = nullptr;
    QTextBrowser* m_view = nullptr;
};
