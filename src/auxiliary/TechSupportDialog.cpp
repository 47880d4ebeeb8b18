#include "TechSupportDialog.h"

#include "BusyCursor.h"
#include "HelpBook.h"
#include "Shell.h"
#include "WebPageOpener.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

TechSupportDialog::TechSupportDialog(Shell& shell, QWidget* parent)
    : QDialog(parent)
    , m_shell(shell) {
    setObjectName(QStringLiteral("frmTechsupport"));
    setWindowTitle(QStringLiteral("Rastrel Technical Support"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);

    auto* label1 = new QLabel(
        QStringLiteral(
            "Technical support for Rastrel comes from the Rastrel project. Its support page explains how to ask a question or send a comment, how to report a problem you have run into, where to read about new releases and how to get updates that fix known problems. Press the Website button on the right to open the support page."),
        this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    label1->setMinimumWidth(320);

    auto* website = new QPushButton(QStringLiteral("&Website"), this);
    website->setObjectName(QStringLiteral("cmdWebsite"));
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(website);
    buttons->addWidget(ok);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(label1, 1);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    resize(500, sizeHint().height());

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(website, &QPushButton::clicked, this, &TechSupportDialog::openWebsite);
}

QString TechSupportDialog::supportAddress() {
    return HelpBook::installed().url(HelpBook::kSupport).toString();
}

void TechSupportDialog::openWebsite() {
    BusyCursor busy;
    const QString address = supportAddress();
    Shell& shell = m_shell;
    if (WebPageOpener::target(shell) == WebPageOpener::Target::Desktop) {
        // A separate browser: this window closes once the page is on its way.
        // That browser cannot read pages built into the program.
        shell.openWebPage(WebPageOpener::desktopUrl(address).toString());
        accept();
        return;
    }
    // The built-in browser is a window of the main window, which this modal
    // box would stand in front of: close first.
    accept();
    shell.openWebPage(address);
}
