#include "BusyCursor.h"
#include "Twips.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

// The hourglass guard and the twips conversion every window uses.
class TestToolkitHelpers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void busyCursorNestsAndSuspends();
    void twipsFollowTheResolution();
};

void TestToolkitHelpers::busyCursorNestsAndSuspends() {
    QVERIFY(!BusyCursor::isBusy());
    {
        BusyCursor outer;
        {
            BusyCursor inner;
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            {
                BusyCursor::Suspend arrow;
                QVERIFY(!BusyCursor::isBusy());
                QCOMPARE(QApplication::overrideCursor(), nullptr);
            }
            QVERIFY(BusyCursor::isBusy());
        }
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QVERIFY(!BusyCursor::isBusy());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestToolkitHelpers::twipsFollowTheResolution() {
    QWidget w;
    const int dpi = w.logicalDpiX();
    QCOMPARE(Twips::toPixelsX(720, &w), dpi / 2);
    QCOMPARE(Twips::fromPixelsX(dpi, &w), 1440);
    QCOMPARE(Twips::size(2880, 1440, &w), QSize(2 * dpi, w.logicalDpiY()));
}

QTEST_MAIN(TestToolkitHelpers)
#include "test_toolkithelpers.moc"
