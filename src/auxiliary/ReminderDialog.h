#pragma once

#include <QDialog>

class QCheckBox;
class Shell;

// The start-up reminder to read the step-by-step instructions. However it
// is closed, a checked box stores "Show Reminder" = "N".
class ReminderDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReminderDialog(Shell& shell, QWidget* parent = nullptr);

    void done(int result) override;

private:
    Shell& m_shell;
    QCheckBox* m_dontShow = nullptr;
};
