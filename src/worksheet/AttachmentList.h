#pragma once

#include "AttachmentStore.h"

#include <QStringList>
#include <QWidget>

#include <optional>

class QListWidget;
class QPushButton;
class Shell;

// The attachments of a part line in the worksheet: add (chooser or drag and
// drop), open in the desktop's viewer through a private temporary copy, save
// elsewhere, remove after a question. On the detail panel it works on the
// stored line at once; on the add panel the chosen files wait until the
// line is added and are stored together with it.
class AttachmentList : public QWidget {
    Q_OBJECT
public:
    enum class Mode { StoredLine, Staging };

    AttachmentList(Shell& shell, AttachmentStore& store, Mode mode, QWidget* parent = nullptr);

    // The line whose attachments show (detail panel); none empties the list.
    void setLine(std::optional<qint64> lineId);
    std::optional<qint64> line() const { return m_line; }

    // Adds files as if chosen: checked, then stored or kept for the add.
    void addFiles(const QStringList& paths);

    // Staging: the files waiting for the line, read and checked now. False
    // with the reason when one of them can no longer be attached.
    bool prepareStaged(QList<PreparedAttachment>* files, QString* message) const;
    const QStringList& stagedFiles() const { return m_staged; }
    void clearStaged();

    int count() const;

Q_SIGNALS:
    // The staged files changed (unsaved input of the add panel).
    void edited();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void reload();
    void chooseFiles();
    void openCurrent();
    void saveCurrent();
    void removeCurrent();
    void updateButtons();
    std::optional<qint64> currentId() const;
    QString currentName() const;

    Shell& m_shell;
    AttachmentStore& m_store;
    Mode m_mode;
    std::optional<qint64> m_line;
    QStringList m_staged;
    QListWidget* m_list = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_open = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_remove = nullptr;
};
