#include "AboutDialog.h"

#include "BuildInfo.h"
#include "BusyCursor.h"
#include "Settings.h"
#include "Shell.h"
#include "Toolkit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

AboutDialog::AboutDialog(Shell& shell, QWidget* parent)
    : QDialog(parent)
    , m_shell(shell) {
    BusyCursor busy;
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + Toolkit::applicationTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("picIcon"));
    QPixmap picture(QStringLiteral(":/icons/rastrel.png"));
    picture.setDevicePixelRatio(picture.width() / 96.0);
    logo->setPixmap(picture);
    logo->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* title = new QLabel(Toolkit::applicationTitle(), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    title->setFont(big);

    auto* label3 = new QLabel(QStringLiteral("Version"), this);
    label3->setObjectName(QStringLiteral("Label3"));
    // A "Version" stored in the settings wins; nothing writes one, so the
    // label would otherwise stay empty.
    QString version = m_shell.settings().value(Settings::kVersion, QString());
    if (version.isEmpty())
        version = QStringLiteral(RASTREL_VERSION);
    auto* label2 = new QLabel(version, this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* versionRow = new QHBoxLayout;
    versionRow->addWidget(label3);
    versionRow->addWidget(label2);
    versionRow->addStretch();

    auto* description = new QLabel(
        QStringLiteral(
            "A planner for vehicle build and restoration projects: budgets by category, the parts of each project from selected to purchased, reports and graphs."),
        this);
    description->setObjectName(QStringLiteral("lblDescription"));
    description->setWordWrap(true);
    auto* maker = new QLabel(QStringLiteral("Made by the Rastrel project."), this);
    maker->setObjectName(QStringLiteral("lblMaker"));
    // The version the program was built as, whatever the "Version" setting
    // says: the line to quote in a question to support.
    auto* build = new QLabel(
        QStringLiteral("Program version %1, Qt %2")
            .arg(QString::fromLatin1(BuildInfo::kVersion), QString::fromLatin1(qVersion())),
        this);
    build->setObjectName(QStringLiteral("lblProgramVersion"));
    build->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addLayout(versionRow);
    text->addSpacing(10);
    text->addWidget(description);
    text->addSpacing(6);
    text->addWidget(maker);
    text->addWidget(build);
    text->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(logo);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* sysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    // OK is also the cancel button: Esc (reject) closes the box as well.
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(sysInfo, &QPushButton::clicked, this, &AboutDialog::startSystemInfo);
}

const QStringList& AboutDialog::systemInfoPrograms() {
    static const QStringList programs{
        QStringLiteral("hardinfo2"),   QStringLiteral("hardinfo"),
        QStringLiteral("kinfocenter"), QStringLiteral("gnome-system-monitor"),
        QStringLiteral("lshw-gtk"),
    };
    return programs;
}

QString AboutDialog::systemInfoProgram(Toolkit& toolkit) {
    for (const QString& p : systemInfoPrograms())
        if (toolkit.programAvailable(p))
            return p;
    return {};
}

void AboutDialog::startSystemInfo() {
    BusyCursor busy;
    Toolkit& toolkit = m_shell.toolkit();
    const QString program = systemInfoProgram(toolkit);
    if (program.isEmpty() || !toolkit.startProgram(program, {}))
        toolkit.inform(QStringLiteral("System Information Is Unavailable At This Time"));
}
