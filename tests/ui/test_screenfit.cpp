#include "ScreenFit.h"

#include <QTest>

class TestScreenFit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void framesLandInsideTheFreeArea_data();
    void framesLandInsideTheFreeArea();
};

void TestScreenFit::framesLandInsideTheFreeArea_data() {
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("expected");
    const QRect small(0, 0, 1024, 700);
    QTest::newRow("fits as it is") << QRect(40, 30, 600, 400) << small << QRect(40, 30, 600, 400);
    QTest::newRow("larger than the screen")
        << QRect(0, 0, 1100, 760) << small << QRect(0, 0, 1024, 700);
    QTest::newRow("only too wide") << QRect(10, 20, 1100, 500) << small << QRect(0, 20, 1024, 500);
    QTest::newRow("past the right and bottom edges")
        << QRect(700, 500, 400, 300) << small << QRect(624, 400, 400, 300);
    QTest::newRow("above and left of the area")
        << QRect(-50, -20, 300, 200) << small << QRect(0, 0, 300, 200);
    // A panel along the top and a second screen to the right.
    QTest::newRow("panel on top") << QRect(0, 0, 1100, 760) << QRect(0, 32, 1024, 668)
                                  << QRect(0, 32, 1024, 668);
    QTest::newRow("second screen")
        << QRect(1900, 100, 400, 300) << QRect(1024, 0, 1280, 1024) << QRect(1900, 100, 400, 300);
    QTest::newRow("no screen known")
        << QRect(5, 5, 2000, 2000) << QRect() << QRect(5, 5, 2000, 2000);
}

void TestScreenFit::framesLandInsideTheFreeArea() {
    QFETCH(QRect, frame);
    QFETCH(QRect, available);
    QFETCH(QRect, expected);
    const QRect result = ScreenFit::fitted(frame, available);
    QCOMPARE(result, expected);
    if (!available.isEmpty())
        QVERIFY(available.contains(result));
}

QTEST_GUILESS_MAIN(TestScreenFit)
#include "test_screenfit.moc"
