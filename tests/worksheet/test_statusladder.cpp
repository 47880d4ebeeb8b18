#include "DataTable.h"
#include "StatusLadder.h"

#include <QTest>

using State = StatusLadder::State;
Q_DECLARE_METATYPE(State)

class TestStatusLadder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ladder_data();
    void ladder();
};

void TestStatusLadder::ladder_data() {
    // {selected, forecast, purchased, selected enabled, forecast enabled}
    DataTable::columns<State, State>("before", "after");
    QTest::newRow("purchased locks both")
        << State{false, false, true} << State{true, true, true, false, false};
    QTest::newRow("forecast locks selected")
        << State{false, true, false} << State{true, true, false, false, true};
    QTest::newRow("purchased cleared: values stay")
        << State{true, true, false, false, false} << State{true, true, false, false, true};
    QTest::newRow("forecast cleared: selected free")
        << State{true, false, false, false, true} << State{true, false, false, true, true};
    QTest::newRow("nothing checked")
        << State{false, false, false, false, false} << State{false, false, false, true, true};
}

void TestStatusLadder::ladder() {
    QFETCH(State, before);
    const State once = StatusLadder::checkboxes(before);
    QTEST(once, "after");
    // Boxes the rules check react like clicks; the second run changes nothing.
    QCOMPARE(StatusLadder::checkboxes(once), once);
}

QTEST_GUILESS_MAIN(TestStatusLadder)
#include "test_statusladder.moc"
