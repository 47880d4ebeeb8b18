#include "ReminderDialog.h"

#include "Accessibility.h"
#include "AppFiles.h"
#include "Settings.h"
#include "Shell.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ReminderDialog::ReminderDialog(Shell& shell, QWidget* parent)
    : QDialog(parent)
    , m_shell(shell) {
    setObjectName(QStringLiteral("frmTip"));
    setWindowTitle(QStringLiteral("Rastrel - Reminder"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(AppFiles::themeIcon(QStringLiteral("help")).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto* text = new QLabel(
        QStringLiteral(
            "Please remember to go through the \"Step by step instructions for using Rastrel\" in the help file before you start setting things up. It is recommended to bring up help and keep it on top while you are setting up the program for the first time. The help file will walk you through the process step by step.To bring up help, click the help icon on the toolbar or select \"Contents\" from the help menu. Also, spend some time going through the sample project \"1986 Ford Mustang\" to get an idea of how you can use Rastrel to track your projects."),
        this);
    text->setObjectName(QStringLiteral("lblTipText"));
    text->setWordWrap(true);
    text->setMinimumWidth(380);

    m_dontShow = new QCheckBox(QStringLiteral("&Do not show this reminder at startup"), this);
    m_dontShow->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
    Accessibility::name(m_dontShow, m_dontShow->text());

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(8);
    top->addWidget(text, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_dontShow);
    bottom->addStretch();
    bottom->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(bottom);
    resize(520, sizeHint().height());

    // OK is also the cancel button: Esc arrives as reject().
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void ReminderDialog::done(int result) {
    if (m_dontShow->isChecked()) {
        m_shell.settings().setValue(Settings::kShowReminder, QStringLiteral("N"));
        m_shell.settings().sync();
    }
    QDialog::done(result);
}
