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
    const auto row = [](const char* name, QRect frame, QRect available, QRect expected) {
        QTest::newRow(name) << frame << available << expected;
    };
    const QRect small(0, 0, 1024, 700);
    row("fits as it is", {40, 30, 600, 400}, small, {40, 30, 600, 400});
    row("larger than the screen", {0, 0, 1100, 760}, small, small);
    row("past the right and bottom", {700, 500, 400, 300}, small, {624, 400, 400, 300});
    row("above and left of the area", {-50, -20, 300, 200}, small, {0, 0, 300, 200});
    // A second screen to the right.
    row("second screen", {1900, 100, 400, 300}, {1024, 0, 1280, 1024}, {1900, 100, 400, 300});
    row("no screen known", {5, 5, 2000, 2000}, QRect(), {5, 5, 2000, 2000});
}

void TestScreenFit::framesLandInsideTheFreeArea() {
    QFETCH(QRect, frame);
    QFETCH(QRect, available);
    QFETCH(QRect, expected);
    QCOMPARE(ScreenFit::fitted(frame, available), expected);
}

QTEST_GUILESS_MAIN(TestScreenFit)
#include "test_screenfit.moc"
