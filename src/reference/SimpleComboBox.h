#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;

// An edit line above a list that is always open. The list keeps its entries
// in alphabetical order; choosing an entry (mouse or arrow keys) puts it into
// the edit line and emits entryClicked, and so does a click into an empty
// list or a selection made through the accessibility interface. Typing in the
// edit line leaves the list alone.
class SimpleComboBox : public QWidget {
    Q_OBJECT
public:
    explicit SimpleComboBox(QWidget* parent = nullptr);

    QLineEdit* edit() const { return m_edit; }
    QListWidget* list() const { return m_list; }

    QString text() const;
    void setText(const QString& text);
    // Empties the list and the edit line.
    void clear();
    void addEntries(const QStringList& entries);
    // The text of the selected entry; "" when none is selected.
    QString selectedEntry() const;

Q_SIGNALS:
    void entryClicked();
    void textChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(int row);

    QLineEdit* m_edit;
    QListWidget* m_list;
    bool m_choosing = false;
};
