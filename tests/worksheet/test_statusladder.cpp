#include "StatusLadder.h"
#include "TestDatabase.h"

#include <QTest>

using State = StatusLadder::State;
Q_DECLARE_METATYPE(State)

namespace {
// Values as the check boxes read (selected, forecast, purchased) and whether
// Selected and Forecast are still free to change.
State state(bool s, bool f, bool p, bool selectedFree = true, bool forecastFree = true) {
    return {s, f, p, selectedFree, forecastFree};
}
} // namespace

class TestStatusLadder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void ladder_data();
    void ladder();
};

void TestStatusLadder::ladder_data() {
    QTest::addColumn<State>("before");
    QTest::addColumn<State>("after");

    QTest::newRow("purchased checks and locks both")
        << state(false, false, true) << state(true, true, true, false, false);
    QTest::newRow("forecast checks and locks selected")
        << state(false, true, false) << state(true, true, false, false, true);
    QTest::newRow("clearing purchased unlocks, values stay")
        << state(true, true, false, false, false) << state(true, true, false, false, true);
    QTest::newRow("clearing forecast unlocks selected, still checked")
        << state(true, false, false, false, true) << state(true, false, false, true, true);
    QTest::newRow("selected alone is free")
        << state(true, false, false) << state(true, false, false, true, true);
    QTest::newRow("nothing checked")
        << state(false, false, false, false, false) << state(false, false, false, true, true);
}

void TestStatusLadder::ladder() {
    QFETCH(State, before);
    QFETCH(State, after);
    const State once = StatusLadder::checkboxes(before);
    QCOMPARE(once, after);
    // The boxes the rules check react like clicks and run them again: the
    // second run must change nothing.
    QCOMPARE(StatusLadder::checkboxes(once), once);
}

QTEST_GUILESS_MAIN(TestStatusLadder)
#include "test_statusladder.moc"
