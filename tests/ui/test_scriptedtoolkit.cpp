#include "BusyCursor.h"
#include "ScriptedToolkit.h"
#include "Twips.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QWidget>

// The double that every window test relies on, and the small toolkit helpers.
class TestScriptedToolkit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recordsMessagesAndAnswersFromTheQueue();
    void modalDialogsDoNotBlock();
    void busyCursorNestsAndSuspends();
    void twipsFollowTheResolution();
};

void TestScriptedToolkit::recordsMessagesAndAnswersFromTheQueue() {
    ScriptedToolkit t;
    t.inform("Part has been added.");
    t.queueYes();
    t.queueNo();
    QCOMPARE(t.askYesNo("Are you sure?", "Rastrel", false), Toolkit::Answer::Yes);
    QCOMPARE(t.askYesNoHelp("Lose your work?", "Rastrel - Project"), Toolkit::Answer::No);
    QCOMPARE(t.messages().size(), 3);
    QCOMPARE(t.messages()[0].title, QStringLiteral("Rastrel"));
    QCOMPARE(t.messages()[0].kind, ScriptedToolkit::Kind::Inform);
    QVERIFY(!t.messages()[1].defaultYes);
    QCOMPARE(t.messages()[2].title, QStringLiteral("Rastrel - Project"));
    QCOMPARE(t.lastText(), QStringLiteral("Lose your work?"));
    QCOMPARE(t.pendingAnswers(), 0);

    t.queueFile("/tmp/car.bmp");
    QCOMPARE(t.chooseFile(nullptr, "Choose Picture", "Bitmaps (*.BMP)", "/old.bmp"),
             QStringLiteral("/tmp/car.bmp"));
    QCOMPARE(t.chooseFile(nullptr, "Choose Picture", "Bitmaps (*.BMP)", ""), QString());
    QCOMPARE(t.chooserInitialPaths().first(), QStringLiteral("/old.bmp"));
}

void TestScriptedToolkit::modalDialogsDoNotBlock() {
    ScriptedToolkit t;
    QDialog dialog;
    t.runModal(&dialog);
    QVERIFY(dialog.isVisible());
    QCOMPARE(t.modalDialogs().size(), 1);
}

void TestScriptedToolkit::busyCursorNestsAndSuspends() {
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

void TestScriptedToolkit::twipsFollowTheResolution() {
    QWidget w;
    const int dpi = w.logicalDpiX();
    QCOMPARE(Twips::toPixelsX(1440, &w), dpi);
    QCOMPARE(Twips::toPixelsX(720, &w), dpi / 2);
    QCOMPARE(Twips::fromPixelsX(dpi, &w), 1440);
    QCOMPARE(Twips::size(2880, 1440, &w), QSize(2 * dpi, w.logicalDpiY()));
}

QTEST_MAIN(TestScriptedToolkit)
#include "test_scriptedtoolkit.moc"
