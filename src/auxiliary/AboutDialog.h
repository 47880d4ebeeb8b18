#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class Shell;
class Toolkit;

// "About Rastrel": the logo, the stored version text and a button that
// starts the desktop's system-information tool.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(Shell& shell, QWidget* parent = nullptr);

    // Well-known system-information programs, tried in this order.
    static const QStringList& systemInfoPrograms();
    // The first of them that is installed; "" when none is.
    static QString systemInfoProgram(Toolkit& toolkit);

    void startSystemInfo();

private:
    Shell& m_shell;
};
