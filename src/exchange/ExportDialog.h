#pragma once

#include <QDialog>

class QListWidget;
class Shell;

// File, Export...: choose what to export, then the file; the result is
// reported once the dialog has gone.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    ExportDialog(Shell& shell, QWidget* parent = nullptr);

    void exportSelected();

private:
    Shell& m_shell;
    QListWidget* m_kinds = nullptr;
};
