#include "SplashScreen.h"
#include "TestDatabase.h"

#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

class TestSplashScreen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void showsTheVersionWithoutCaption();
    void closesItselfAfterSixTicks();
    void clickDuringTheFirstSecondClosesAtOnce();
    void keyClosesAtOnce();
};

void TestSplashScreen::showsTheVersionWithoutCaption() {
    SplashScreen s;
    QCOMPARE(s.findChild<QLabel*>("lblVersion")->text(), QStringLiteral("Version 1.0.1"));
    QVERIFY(s.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(s.findChild<QTimer*>("Timer1")->interval(), 1000);
}

void TestSplashScreen::closesItselfAfterSixTicks() {
    QPointer<SplashScreen> s = new SplashScreen;
    s->show();
    auto* timer = s->findChild<QTimer*>("Timer1");
    timer->setInterval(20); // six ticks without six seconds
    // Runs after the splash's own handling of each tick.
    QList<bool> shownAfterTick;
    connect(timer, &QTimer::timeout, this, [&] { shownAfterTick << s->isVisible(); });
    QTRY_VERIFY(!s);
    QCOMPARE(shownAfterTick, (QList<bool>{true, true, true, true, true, false}));
}

void TestSplashScreen::clickDuringTheFirstSecondClosesAtOnce() {
    QPointer<SplashScreen> s = new SplashScreen;
    s->show();
    QVERIFY(QTest::qWaitForWindowExposed(s));
    QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(!s || !s->isVisible());
    QVERIFY(!s || s->ticks() == 0);
}

void TestSplashScreen::keyClosesAtOnce() {
    QPointer<SplashScreen> s = new SplashScreen;
    s->show();
    QTest::keyClick(s, Qt::Key_Space);
    QVERIFY(!s || !s->isVisible());
}

QTEST_MAIN(TestSplashScreen)
#include "test_splashscreen.moc"
