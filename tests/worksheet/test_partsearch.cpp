#include "DataStore.h"
#include "PartSearch.h"
#include "RecordSet.h"
#include "TestDatabase.h"

#include <QTest>

namespace {
QStringList names(const QList<PartSearch::Match>& matches) {
    QStringList out;
    for (const auto& m : matches)
        out << m.partName + u'#' + m.sequenceNumber;
    return out;
}
} // namespace

class TestPartSearch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void init();
    void cleanup() {
        m_store.reset();
        m_db.reset();
    }
    void findsPiecesAnywhereInTheName();
    void comparesWithTheUpperCasedText();

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<DataStore> m_store;
};

void TestPartSearch::init() {
    m_db = std::make_unique<TestDatabase>();
    m_store = m_db->open();
    RecordSet& rs = m_store->recordSet(Command::RSLMaster);
    QVERIFY(rs.setFilter("mas_vehicle_number = 1").ok());
    QVERIFY(rs.setSort("Part_name").ok());
}

void TestPartSearch::findsPiecesAnywhereInTheName() {
    RecordSet& rs = m_store->recordSet(Command::RSLMaster);
    QCOMPARE(names(PartSearch::run(rs, "BRAKE")),
             (QStringList{"BRAKE HOSE KIT#1", "BRAKE PAD SET#1", "BRAKE PAD SET#2",
                          "FRONT BRAKE ROTORS#1"}));
    QCOMPARE(PartSearch::run(rs, "").size(), rs.recordCount());
    QVERIFY(PartSearch::run(rs, "NO SUCH PART").isEmpty());

    const auto rotors = PartSearch::run(rs, "ROTORS");
    QCOMPARE(rotors.size(), 1);
    QCOMPARE(rotors[0].manufacturer, QStringLiteral("BLUE HERON BRAKE COMPANY"));
    QCOMPARE(rotors[0].vendor, QStringLiteral("COPPER KETTLE AUTO PARTS"));
}

void TestPartSearch::comparesWithTheUpperCasedText() {
    QCOMPARE(PartSearch::normalise("pad s"), QStringLiteral("PAD S"));
    QVERIFY(PartSearch::matches("BRAKE PAD SET", PartSearch::normalise("pad s")));
    // The comparison itself is exact: lower case finds nothing in upper-case names.
    QVERIFY(!PartSearch::matches("BRAKE PAD SET", "pad"));
    QVERIFY(PartSearch::matches("O'BRIEN BRACKET", PartSearch::normalise("o'b")));
}

QTEST_GUILESS_MAIN(TestPartSearch)
#include "test_partsearch.moc"
