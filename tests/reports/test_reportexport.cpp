#include "AppState.h"
#include "DamagedFiles.h"
#include "ReportExport.h"
#include "StoreTest.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

// The PDF's text, or a null string when no text extractor is installed.
QString pdfText(const QString& path) {
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    if (tool.isEmpty())
        return {};
    QProcess p;
    p.start(tool, {"-layout", path, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestReportExport : public StoreTest {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void unknownNamesAndUnwritableFilesAreRefusedWithTheReason();
    void reportsAreWrittenForTheNamedProjectOrVendor();

private:
    int run(const QString& report, const QString& project, const QString& vendor = {},
            const QString& file = "out.pdf") {
        m_error.clear();
        return ReportExport::run(*m_store, m_state, report, project, vendor, m_db->path(file),
                                 &m_error);
    }

    AppState m_state;
    QString m_error;
};

void TestReportExport::init() {
    StoreTest::init();
    m_state.clearProject();
}

void TestReportExport::unknownNamesAndUnwritableFilesAreRefusedWithTheReason() {
    QVERIFY(run("Project Report", "1999 NOTHING") != 0);
    QVERIFY(m_error.contains("There is no project called \"1999 NOTHING\"."));

    QVERIFY(run("Project Report", "") != 0);
    QVERIFY(m_error.contains("--project"));

    QVERIFY(run("Vendor Shopping List Report", "1986 FORD MUSTANG") != 0);
    QVERIFY(m_error.contains("--vendor"));
    QVERIFY(run("Vendor Shopping List Report", "1986 FORD MUSTANG", "NOBODY") != 0);
    QVERIFY(m_error.contains("There is no vendor called \"NOBODY\"."));

    QVERIFY(!QFileInfo::exists(m_db->path("out.pdf")));

    QVERIFY(run("Part Report", "", {}, "no/such/folder/out.pdf") != 0);
    QVERIFY(m_error.contains("could not be written"));

    // Rows cut short by a damaged page are no report.
    Fixtures::addPagesOfLines(*m_store, 1, "COPPER KETTLE AUTO PARTS");
    m_store.reset();
    QVERIFY(DamagedFiles::damageInside(m_db->databasePath(), "RSLMaster"));
    m_store = m_db->open();
    QVERIFY(run("Vendor Shopping List Report", "", "COPPER KETTLE AUTO PARTS") != 0);
    QVERIFY(m_error.contains("damaged"));
    QVERIFY(!QFileInfo::exists(m_db->path("out.pdf")));
}

void TestReportExport::reportsAreWrittenForTheNamedProjectOrVendor() {
    QCOMPARE(run("project report", "1986 FORD MUSTANG"), 0);
    QVERIFY(m_error.isEmpty());
    QCOMPARE(m_state.openvehiclenumber, QStringLiteral("1"));
    QVERIFY(QFileInfo(m_db->path("out.pdf")).size() > 0);
    // The over-budget list is computed on the way.
    QCOMPARE(run("Categories Over Budget", "1", {}, "over.pdf"), 0);
    QCOMPARE(run("Vendor Shopping List Report", "1986 FORD MUSTANG", "tri-county swap meet",
                 "shopping.pdf"),
             0);
    // The reference lists and the shopping list (every project's lines) need no project.
    m_state.clearProject();
    QCOMPARE(run("Vendor Report", "", {}, "vendors.pdf"), 0);
    QCOMPARE(run("Vendor Shopping List Report", "", "gearhead direct", "all.pdf"), 0);
    QCOMPARE(m_state.openvehiclenumber, QStringLiteral("0"));

    const QString text = pdfText(m_db->path("out.pdf"));
    if (text.isNull())
        QSKIP("pdftotext is not installed");
    QVERIFY(text.contains("1986 FORD MUSTANG"));
    QVERIFY(text.contains("$191.90"));
    QCOMPARE(text.count(u'\f'), 9);
    QVERIFY(pdfText(m_db->path("over.pdf")).contains("$18.09"));
    QVERIFY(!pdfText(m_db->path("shopping.pdf")).contains("OIL PUMP"));
}

QTEST_MAIN(TestReportExport)
#include "test_reportexport.moc"
