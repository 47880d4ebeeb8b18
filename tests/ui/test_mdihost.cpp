#include "ChildWindow.h"
#include "MdiHost.h"

#include <QMainWindow>
#include <QMdiSubWindow>
#include <QTest>

namespace {

class Probe : public ChildWindow {
public:
    explicit Probe(QStringList* log, const QString& name)
        : m_log(log) {
        setObjectName(name);
    }
    bool refuse = false;
    void activated() override { *m_log << objectName() + " activated"; }
    void deactivated() override { *m_log << objectName() + " deactivated"; }

protected:
    bool queryClose() override {
        *m_log << objectName() + " asked";
        return !refuse;
    }
    void unload() override { *m_log << objectName() + " unloaded"; }

private:
    QStringList* m_log;
};

} // namespace

class TestMdiHost : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void activationFollowsTheUsersMovesAndARefusedCloseKeepsTheWindow();
    void closingByTheWindowItselfAsksOnce();
    void backgroundPictureKeepsTheOldOneOnABadFile();
};

void TestMdiHost::activationFollowsTheUsersMovesAndARefusedCloseKeepsTheWindow() {
    QMainWindow main;
    auto* host = new MdiHost(&main);
    main.setCentralWidget(host);
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QStringList log;
    auto* a = new Probe(&log, "a");
    auto* b = new Probe(&log, "b");
    QMdiSubWindow* fa = host->addChild(a);
    host->addChild(b);
    QCOMPARE(log, (QStringList{"a activated", "a deactivated", "b activated"}));
    log.clear();
    host->setActiveSubWindow(fa);
    QCOMPARE(log, (QStringList{"b deactivated", "a activated"}));
    log.clear();
    host->setActiveSubWindow(fa); // the same window again is no move
    QCOMPARE(log, QStringList());
    QCOMPARE(host->activeChild(), a);

    a->refuse = true;
    QVERIFY(!fa->close());
    QVERIFY(fa->isVisible());
    a->refuse = false;
    log.clear();
    QVERIFY(a->closeWindow());
    QCOMPARE(log, (QStringList{"a asked", "a unloaded", "b activated"}));
    QTRY_COMPARE(host->subWindowList().size(), 1);
}

void TestMdiHost::closingByTheWindowItselfAsksOnce() {
    QStringList log;
    Probe lone(&log, "lone");
    lone.show();
    QVERIFY(lone.closeWindow());
    QVERIFY(lone.close()); // closed windows stay closed without asking again
    QCOMPARE(log, (QStringList{"lone asked", "lone unloaded"}));
}

void TestMdiHost::backgroundPictureKeepsTheOldOneOnABadFile() {
    MdiHost host;
    QVERIFY(host.setBackgroundPicture(QFINDTESTDATA("../../resources/icons/rastrel.png")));
    QVERIFY(!host.setBackgroundPicture("/no/such/picture.bmp"));
    QVERIFY(host.hasBackgroundPicture());
    QVERIFY(host.setBackgroundPicture(""));
    QVERIFY(!host.hasBackgroundPicture());
}

QTEST_MAIN(TestMdiHost)
#include "test_mdihost.moc"
