#include "LineQuery.h"
#include "RecordSet.h"
#include "StoreTest.h"
#include "SummaryFilter.h"

#include <QTest>

using Status = SummaryFilter::Status;

namespace {
QStringList keys(const QList<LineQuery::Row>& rows) {
    QStringList out;
    for (const auto& r : rows)
        out << r.partName + u'#' + r.sequenceNumber;
    return out;
}
} // namespace

class TestLineQuery : public StoreTest {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void summaryHoldsWhatTheCriteriaSelect();
    void searchFindsPiecesAnywhereInTheName();
};

void TestLineQuery::init() {
    StoreTest::init();
    exec("RSLMaster", "INSERT INTO RSLMaster (Part_Name, Vendor, Category, Sequence_Number, "
                      "Mas_vehicle_number, Selected, Forecast, Purchased) VALUES "
                      "('BRAKE PAD SET', 'JOE''S', 'BRAKES', 3, 2, 1, 1, 0), "
                      "('O''BRIEN BRACKET', 'JOE''S', 'BODY', 1, 2, 1, 0, 0), "
                      "('axle nut', 'JOE''S', 'DRIVETRAIN', 1, 2, 0, 0, 0)");
}

void TestLineQuery::summaryHoldsWhatTheCriteriaSelect() {
    // The grid's query must pick exactly what the shared record set picks
    // under the same filter, in the same order.
    RecordSet& rs = m_store->recordSet(Command::RSLMaster);
    for (Status s : {Status::All, Status::Selected, Status::Forecasted, Status::Purchased})
        for (const char* vendor : {"(ALL VENDORS)", "JOE'S", "COPPER KETTLE AUTO PARTS"})
            for (int project : {1, 2}) {
                SummaryFilter f;
                f.status = s;
                f.vendor = vendor;
                if (project == 1)
                    f.category = "BRAKES";
                QVERIFY(rs.setFilter(f.criteria(QString::number(project))).ok());
                QVERIFY(rs.setSort("Part_name").ok());
                QStringList expected;
                for (rs.moveFirst(); !rs.isEof(); rs.moveNext())
                    expected << rs.text("Part_Name") + u'#' + rs.text("Sequence_Number");
                QCOMPARE(keys(LineQuery::summary(*m_store, f, project)), expected);
            }
    SummaryFilter quoted;
    quoted.vendor = "JOE'S";
    QCOMPARE(keys(LineQuery::summary(*m_store, quoted, 2)),
             (QStringList{"axle nut#1", "BRAKE PAD SET#3", "O'BRIEN BRACKET#1"}));
}

void TestLineQuery::searchFindsPiecesAnywhereInTheName() {
    // A piece from the middle and the empty search are driven through the worksheet.
    QCOMPARE(keys(LineQuery::search(*m_store, 1, "BRAKE")),
             (QStringList{"BRAKE HOSE KIT#1", "BRAKE PAD SET#1", "BRAKE PAD SET#2",
                          "FRONT BRAKE ROTORS#1"}));
    QCOMPARE(keys(LineQuery::search(*m_store, 2, "O'B")), QStringList{"O'BRIEN BRACKET#1"});
    // The comparison is exact.
    QVERIFY(LineQuery::search(*m_store, 2, "AXLE").isEmpty());
    const auto rotors = LineQuery::search(*m_store, 1, "ROTORS");
    QCOMPARE(rotors.value(0).vendor, QStringLiteral("COPPER KETTLE AUTO PARTS"));
}

QTEST_GUILESS_MAIN(TestLineQuery)
#include "test_linequery.moc"
