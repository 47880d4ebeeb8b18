#pragma once

#include <QDialog>
#include <QString>

class Shell;

// "Rastrel Technical Support": where to get help, and a button that opens
// the support page by the "Browser" setting.
class TechSupportDialog : public QDialog {
    Q_OBJECT
public:
    explicit TechSupportDialog(Shell& shell, QWidget* parent = nullptr);

    // The support page of the help book.
    static QString supportAddress();

    void openWebsite();

private:
    Shell& m_shell;
};
