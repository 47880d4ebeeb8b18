#include "GraphGeometry.h"

#include <QTest>

class TestGraphGeometry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void chartRect_data();
    void chartRect();
};

void TestGraphGeometry::chartRect_data() {
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QRect>("expected");
    // A frame with 4-pixel borders and a 26-pixel title bar around the client.
    QTest::newRow("designed size") << QSize(630, 415) << QSize(622, 381) << QRect(5, 0, 612, 380);
    QTest::newRow("exactly the spare") << QSize(18, 35) << QSize(10, 1) << QRect(5, 0, 0, 0);
    QTest::newRow("smaller than the spare") << QSize(10, 20) << QSize(2, 0) << QRect(1, 0, 0, 0);
    QTest::newRow("no room at all") << QSize(0, 0) << QSize(-8, -34) << QRect(0, 0, 0, 0);
    // A title bar taller than the spare: the graph still stays inside.
    QTest::newRow("tall title bar") << QSize(630, 415) << QSize(622, 360) << QRect(5, 0, 612, 360);
}

void TestGraphGeometry::chartRect() {
    QFETCH(QSize, window);
    QFETCH(QSize, client);
    QFETCH(QRect, expected);
    QCOMPARE(GraphGeometry::chartRect(window, QSize(18, 35), client), expected);
}

QTEST_APPLESS_MAIN(TestGraphGeometry)
#include "test_graphgeometry.moc"
