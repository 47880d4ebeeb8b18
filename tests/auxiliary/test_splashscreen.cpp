#include "SplashScreen.h"
#include "TestDatabase.h"

#include <QPointer>
#include <QTest>
#include <QTimer>

class TestSplashScreen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void closesItselfAfterSixTicks();
    void aClickOrAKeyDuringTheFirstSecondClosesAtOnce();
};

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

void TestSplashScreen::aClickOrAKeyDuringTheFirstSecondClosesAtOnce() {
    for (bool click : {true, false}) {
        QPointer<SplashScreen> s = new SplashScreen;
        s->show();
        QVERIFY(QTest::qWaitForWindowExposed(s));
        if (click)
            QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(20, 20));
        else
            QTest::keyClick(s, Qt::Key_Space);
        QVERIFY(!s || !s->isVisible());
        QVERIFY(!s || s->ticks() == 0);
    }
}

QTEST_MAIN(TestSplashScreen)
#include "test_splashscreen.moc"
