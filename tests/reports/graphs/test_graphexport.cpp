#include "AppState.h"
#include "DataStore.h"
#include "GraphExport.h"
#include "RecordSet.h"
#include "TestDatabase.h"

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

class TestGraphExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void init();
    void cleanup();

    void writesAPictureOfTheRequestedSize();
    void unknownGraphOrProjectIsRefused();
    void unwritableFileIsReported();
    void sizesFromTheCommandLine();

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<DataStore> m_store;
    std::unique_ptr<QTemporaryDir> m_out;
};

void TestGraphExport::init() {
    m_db = std::make_unique<TestDatabase>();
    m_store = m_db->open();
    m_out = std::make_unique<QTemporaryDir>();
}

void TestGraphExport::cleanup() {
    m_store.reset();
    m_db.reset();
    m_out.reset();
}

void TestGraphExport::writesAPictureOfTheRequestedSize() {
    const QString png = m_out->filePath(QStringLiteral("graph.png"));
    AppState state;
    QString error;
    const int code =
        GraphExport::run(*m_store, state, QStringLiteral("Budget Amount Vs. Actual Amount"),
                         QStringLiteral("1986 FORD MUSTANG"), png, QSize(1024, 640), &error);
    QCOMPARE(code, 0);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QImage image(png);
    QCOMPARE(image.size(), QSize(1024, 640));
    QCOMPARE(state.openvehiclenumber, QStringLiteral("1"));
    QCOMPARE(state.vehicledescription, QStringLiteral("1986 FORD MUSTANG"));

    // The shared record sets are not touched by the export.
    RecordSet& vehicles = m_store->recordSet(Command::RSLVehicles);
    QCOMPARE(vehicles.filter(), QString());

    // By number, the graph's name in any case, at the window's size.
    const QString byNumber = m_out->filePath(QStringLiteral("by-number.png"));
    AppState other;
    QCOMPARE(GraphExport::run(*m_store, other,
                              QStringLiteral("budget amount vs. actual amount vs. forecast amount"),
                              QStringLiteral(" 1 "), byNumber, GraphExport::defaultSize(), &error),
             0);
    QCOMPARE(QImage(byNumber).size(), GraphExport::defaultSize());
    QCOMPARE(other.vehiclenumber, 1);
}

void TestGraphExport::unknownGraphOrProjectIsRefused() {
    const QString png = m_out->filePath(QStringLiteral("none.png"));
    AppState state;
    QString error;
    QCOMPARE(GraphExport::run(*m_store, state, QStringLiteral("Budget Pie"),
                              QStringLiteral("1986 FORD MUSTANG"), png, QSize(800, 600), &error),
             GraphExport::kUsage);
    QVERIFY(error.startsWith(u"There is no graph called \"Budget Pie\"."));
    QVERIFY(error.contains(u"\"Budget Amount By Category\""));

    for (const QString& project :
         {QStringLiteral("1967 SHELBY"), QStringLiteral("42"), QStringLiteral("O'BRIEN'S TRUCK")}) {
        error.clear();
        QCOMPARE(GraphExport::run(*m_store, state, QStringLiteral("Budget Amount By Category"),
                                  project, png, QSize(800, 600), &error),
                 GraphExport::kUsage);
        QCOMPARE(error, QStringLiteral("There is no project called \"%1\".").arg(project));
    }
    QCOMPARE(state.openvehiclenumber, QString()); // nothing was opened

    QCOMPARE(GraphExport::run(*m_store, state, QStringLiteral("Budget Amount By Category"),
                              QStringLiteral("1986 FORD MUSTANG"), png, QSize(0, 600), &error),
             GraphExport::kUsage);
    QVERIFY(!QFileInfo::exists(png));
}

void TestGraphExport::unwritableFileIsReported() {
    AppState state;
    QString error;
    const QString png = m_out->filePath(QStringLiteral("no/such/folder/graph.png"));
    QCOMPARE(GraphExport::run(*m_store, state, QStringLiteral("Budget Amount By Category"),
                              QStringLiteral("1986 FORD MUSTANG"), png, QSize(300, 200), &error),
             GraphExport::kFailed);
    QVERIFY(error.startsWith(u"The graph could not be written to "));
}

void TestGraphExport::sizesFromTheCommandLine() {
    QCOMPARE(GraphExport::parseSize(QStringLiteral("1200x800")), QSize(1200, 800));
    QCOMPARE(GraphExport::parseSize(QStringLiteral(" 640 X 480 ")), QSize(640, 480));
    for (const char* bad : {"0x480", "-5x480", "1200", "12.5x80"})
        QCOMPARE(GraphExport::parseSize(QString::fromLatin1(bad)), std::nullopt);
}

QTEST_MAIN(TestGraphExport)
#include "test_graphexport.moc"
