#include "OptionsDialog.h"

#include "Accessibility.h"
#include "BrowserWindow.h"
#include "BusyCursor.h"
#include "ProgramOptions.h"
#include "Shell.h"
#include "Toolkit.h"
#include "Twips.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

OptionsDialog::OptionsDialog(Shell& shell, QWidget* parent)
    : QDialog(parent)
    , m_shell(shell) {
    BusyCursor busy;
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Program Options"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    build();
    const QScreen* s = parent ? parent->screen() : screen();
    const QPoint origin = s ? s->geometry().topLeft() : QPoint();
    move(origin + QPoint(Twips::toPixelsX(335, this), Twips::toPixelsY(285, this)));
    load();
}

void OptionsDialog::build() {
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));

    // General
    auto* general = new QWidget;
    auto* frame0 = new QGroupBox(general);
    frame0->setObjectName(QStringLiteral("Frame1"));
    frame0->setProperty("index", 0);
    m_openLast = new QCheckBox(QStringLiteral("Open Last Project Used On Start Up"), frame0);
    m_openLast->setObjectName(QStringLiteral("Check1"));
    Accessibility::name(m_openLast, m_openLast->text());
    auto* f0 = new QVBoxLayout(frame0);
    f0->addWidget(m_openLast);
    f0->addStretch();
    auto* g = new QVBoxLayout(general);
    g->addWidget(frame0);
    m_tabs->addTab(general, QStringLiteral("General"));

    // Sales Tax
    auto* salesTax = new QWidget;
    auto* frame1 = new QGroupBox(salesTax);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setProperty("index", 1);
    auto* label1 = new QLabel(QStringLiteral("Sales Tax Percentage"), frame1);
    label1->setObjectName(QStringLiteral("Label1"));
    m_tax = new QLineEdit(frame1);
    m_tax->setObjectName(QStringLiteral("Text1"));
    m_tax->setFixedWidth(Twips::toPixelsX(1200, this));
    Accessibility::label(label1, m_tax);
    auto* label2 = new QLabel(QStringLiteral("%"), frame1);
    label2->setObjectName(QStringLiteral("Label2"));
    auto* label4 = new QLabel(
        QStringLiteral(
            "Enter the percentage that will be used to calculate sales tax on purchases"),
        frame1);
    label4->setObjectName(QStringLiteral("Label4"));
    label4->setWordWrap(true);
    auto* row = new QHBoxLayout;
    row->addWidget(label1);
    row->addWidget(m_tax);
    row->addWidget(label2);
    row->addStretch();
    auto* f1 = new QVBoxLayout(frame1);
    f1->addLayout(row);
    f1->addSpacing(8);
    f1->addWidget(label4);
    f1->addStretch();
    auto* t = new QVBoxLayout(salesTax);
    t->addWidget(frame1);
    m_tabs->addTab(salesTax, QStringLiteral("Sales Tax"));

    // Internet Browser
    auto* browser = new QWidget;
    auto* label3 = new QLabel(
        QStringLiteral("Select the browser that will be used when working within RSL"), browser);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setWordWrap(true);
    auto* frame2 = new QGroupBox(browser);
    frame2->setObjectName(QStringLiteral("Frame2"));
    m_optIE = new QRadioButton(QStringLiteral("System Web Browser"), frame2);
    m_optIE->setObjectName(QStringLiteral("optIE"));
    Accessibility::name(m_optIE, m_optIE->text());
    m_optRSL = new QRadioButton(QStringLiteral("Rastrel Web Browser"), frame2);
    m_optRSL->setObjectName(QStringLiteral("optRSL"));
    Accessibility::name(m_optRSL, m_optRSL->text());
    auto* f2 = new QVBoxLayout(frame2);
    f2->addWidget(m_optIE);
    f2->addWidget(m_optRSL);
    if (!BrowserWindow::available()) {
        m_optRSL->setEnabled(false);
        auto* note = new QLabel(
            QStringLiteral(
                "This copy of Rastrel was built without its own web browser, so web pages open in your system web browser."),
            frame2);
        note->setObjectName(QStringLiteral("lblBrowserNote"));
        note->setWordWrap(true);
        note->setEnabled(false);
        f2->addWidget(note);
    }
    auto* b = new QVBoxLayout(browser);
    b->addWidget(label3);
    b->addWidget(frame2);
    b->addStretch();
    m_tabs->addTab(browser, QStringLiteral(" Internet Browser"));

    // Backups
    auto* backups = new QWidget;
    auto* frame3 = new QGroupBox(backups);
    frame3->setObjectName(QStringLiteral("Frame3"));
    m_autoBackup = new QCheckBox(
        QStringLiteral("Back up the database when Rastrel closes after a change"), frame3);
    m_autoBackup->setObjectName(QStringLiteral("chkAutomaticBackup"));
    Accessibility::name(m_autoBackup, m_autoBackup->text());
    auto* keptLabel = new QLabel(QStringLiteral("Number of backups to keep"), frame3);
    keptLabel->setObjectName(QStringLiteral("lblBackupsKept"));
    m_backupsKept = new QSpinBox(frame3);
    m_backupsKept->setObjectName(QStringLiteral("spnBackupsKept"));
    m_backupsKept->setRange(1, 99);
    Accessibility::label(keptLabel, m_backupsKept);
    auto* keptRow = new QHBoxLayout;
    keptRow->addWidget(keptLabel);
    keptRow->addWidget(m_backupsKept);
    keptRow->addStretch();
    auto* f3 = new QVBoxLayout(frame3);
    f3->addWidget(m_autoBackup);
    f3->addLayout(keptRow);
    f3->addStretch();
    (new QVBoxLayout(backups))->addWidget(frame3);
    m_tabs->addTab(backups, QStringLiteral("Backups"));

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);
    setMinimumWidth(Twips::toPixelsX(6600, this));

    connect(ok, &QPushButton::clicked, this, &OptionsDialog::storeOptions);
    connect(m_openLast, &QCheckBox::toggled, this, &OptionsDialog::markChanged);
    connect(m_tax, &QLineEdit::textChanged, this, &OptionsDialog::markChanged);
    connect(m_optIE, &QRadioButton::toggled, this, &OptionsDialog::markChanged);
    connect(m_optRSL, &QRadioButton::toggled, this, &OptionsDialog::markChanged);
    connect(m_autoBackup, &QCheckBox::toggled, this, &OptionsDialog::markChanged);
    connect(m_backupsKept, &QSpinBox::valueChanged, this, &OptionsDialog::markChanged);
    connect(m_autoBackup, &QCheckBox::toggled, m_backupsKept, &QWidget::setEnabled);
}

void OptionsDialog::load() {
    const ProgramOptions o = ProgramOptions::load(m_shell.settings());
    m_openLast->setChecked(o.openLastVehicle);
    m_tax->setText(o.taxPercentage);
    // Without the built-in browser every page opens in the system browser,
    // whatever was stored, so that is what the dialog shows.
    const bool builtIn = o.builtInBrowser && BrowserWindow::available();
    m_optRSL->setChecked(builtIn);
    m_optIE->setChecked(!builtIn);
    m_autoBackup->setChecked(o.automaticBackup);
    m_backupsKept->setValue(o.backupsKept);
    m_backupsKept->setEnabled(o.automaticBackup);
    // Filling the controls counts as no change.
    m_changed = QStringLiteral("N");
}

void OptionsDialog::storeOptions() {
    BusyCursor busy;
    ProgramOptions o;
    o.openLastVehicle = m_openLast->isChecked();
    o.taxPercentage = m_tax->text();
    o.builtInBrowser = m_optRSL->isChecked();
    o.automaticBackup = m_autoBackup->isChecked();
    o.backupsKept = m_backupsKept->value();
    o.store(m_shell.settings());
    m_changed = QStringLiteral("N");
    accept();
}

void OptionsDialog::reject() {
    if (m_changed == u"Y") {
        const Toolkit::Answer a = m_shell.toolkit().askYesNoHelp(
            QStringLiteral("Would you like to save your changes before leaving this form?"),
            QStringLiteral("Rastrel - Program Options"));
        if (a == Toolkit::Answer::Yes) {
            storeOptions();
            return;
        }
        m_changed = QStringLiteral("N");
    }
    QDialog::reject();
}
