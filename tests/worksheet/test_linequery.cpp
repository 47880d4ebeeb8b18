#include "DataStore.h"
#include "LineQuery.h"
#include "RecordSet.h"
#include "SummaryFilter.h"
#include "TestDatabase.h"

#include <QTest>

using Status = SummaryFilter::Status;

namespace {

QStringList keys(const QList<LineQuery::Row>& rows) {
    QStringList out;
    for (const auto& r : rows)
        out << r.partName + u'#' + r.sequenceNumber;
    return out;
}

// What the shared record set holds under the filter's criteria, sorted as the grid sorts.
QStringList recordSetKeys(DataStore& store, const SummaryFilter& f, int project) {
    RecordSet& rs = store.recordSet(Command::RSLMaster);
    if (!rs.setFilter(f.criteria(QString::number(project))).ok() || !rs.setSort("Part_name").ok())
        return {"bad criteria"};
    QStringList out;
    for (rs.moveFirst(); !rs.isEof(); rs.moveNext())
        out << rs.text("Part_Name") + u'#' + rs.text("Sequence_Number");
    return out;
}

} // namespace

class TestLineQuery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void init();
    void cleanup() {
        m_store.reset();
        m_db.reset();
    }
    void summaryHoldsWhatTheCriteriaSelect();
    void searchFindsPiecesAnywhereInTheName();

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<DataStore> m_store;
};

void TestLineQuery::init() {
    m_db = std::make_unique<TestDatabase>();
    m_store = m_db->open();
    // Another project's lines, one with an apostrophe, one stored in lower case.
    QVERIFY(m_store
                ->execute("RSLMaster",
                          "INSERT INTO RSLMaster (Part_Name, Vendor, Manufacturer, Category, "
                          "Sequence_Number, Mas_vehicle_number, Selected, Forecast, Purchased) "
                          "VALUES ('BRAKE PAD SET', 'JOE''S', 'ACME', 'BRAKES', 3, 2, 1, 1, 0), "
                          "('O''BRIEN BRACKET', 'JOE''S', 'ACME', 'BODY', 1, 2, 1, 0, 0), "
                          "('axle nut', 'JOE''S', 'ACME', 'DRIVETRAIN', 1, 2, 0, 0, 0)")
                .ok());
}

void TestLineQuery::summaryHoldsWhatTheCriteriaSelect() {
    QList<SummaryFilter> filters;
    for (Status s : {Status::All, Status::Selected, Status::Forecasted, Status::Purchased}) {
        SummaryFilter f;
        f.status = s;
        filters << f;
        f.category = "BRAKES";
        filters << f;
        f.vendor = "COPPER KETTLE AUTO PARTS";
        f.manufacturer = "BLUE HERON BRAKE COMPANY";
        filters << f;
    }
    SummaryFilter quoted;
    quoted.vendor = "JOE'S";
    filters << quoted;
    for (const SummaryFilter& f : filters)
        for (int project : {1, 2}) {
            const QStringList expected = recordSetKeys(*m_store, f, project);
            QCOMPARE(keys(LineQuery::summary(*m_store, f, project)), expected);
        }
    QCOMPARE(keys(LineQuery::summary(*m_store, quoted, 2)),
             (QStringList{"axle nut#1", "BRAKE PAD SET#3", "O'BRIEN BRACKET#1"}));
    QVERIFY(LineQuery::summary(*m_store, quoted, 1).isEmpty());
}

void TestLineQuery::searchFindsPiecesAnywhereInTheName() {
    QCOMPARE(keys(LineQuery::search(*m_store, 1, "BRAKE")),
             (QStringList{"BRAKE HOSE KIT#1", "BRAKE PAD SET#1", "BRAKE PAD SET#2",
                          "FRONT BRAKE ROTORS#1"}));
    QCOMPARE(LineQuery::search(*m_store, 1, "").size(), 35);
    QCOMPARE(keys(LineQuery::search(*m_store, 2, "O'B")), QStringList{"O'BRIEN BRACKET#1"});
    // Exact comparison: the upper-cased text does not find a name stored in lower case.
    QVERIFY(LineQuery::search(*m_store, 2, "AXLE").isEmpty());
    QVERIFY(LineQuery::search(*m_store, 1, "pad").isEmpty());

    const auto rotors = LineQuery::search(*m_store, 1, "ROTORS");
    QCOMPARE(rotors.size(), 1);
    QCOMPARE(rotors[0].manufacturer, QStringLiteral("BLUE HERON BRAKE COMPANY"));
    QCOMPARE(rotors[0].vendor, QStringLiteral("COPPER KETTLE AUTO PARTS"));
}

QTEST_GUILESS_MAIN(TestLineQuery)
#include "test_linequery.moc"
