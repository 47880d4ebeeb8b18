#include "SplashScreen.h"

#include "BuildInfo.h"

#include <QLabel>
#include <QPixmap>
#include <QTimer>

SplashScreen::SplashScreen(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);

    // The picture is drawn at twice its size for sharp high-density screens.
    QPixmap picture(QStringLiteral(":/icons/splash.png"));
    picture.setDevicePixelRatio(2.0);
    const QSize size =
        picture.isNull() ? QSize(480, 200) : picture.deviceIndependentSize().toSize();

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(picture);
    logo->setGeometry(0, 0, size.width(), size.height());

    // Sits on the blue band along the foot of the picture.
    auto* version =
        new QLabel(QStringLiteral("Version ") + QString::fromLatin1(BuildInfo::kVersion), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    QFont f = version->font();
    f.setBold(true);
    version->setFont(f);
    version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int band = size.height() * 28 / 200;
    version->setGeometry(0, size.height() - band, size.width() - 16, band);

    setFixedSize(size);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &SplashScreen::tick);
    m_timer->start();
}

void SplashScreen::tick() {
    if (++m_ticks >= kTicks) {
        m_timer->stop();
        accept();
    }
}

void SplashScreen::mousePressEvent(QMouseEvent*) {
    m_timer->stop();
    accept();
}

void SplashScreen::keyPressEvent(QKeyEvent*) {
    m_timer->stop();
    accept();
}
