#include "AppState.h"
#include "GraphExport.h"
#include "RecordSet.h"
#include "StoreTest.h"

#include <QFileInfo>
#include <QImage>
#include <QTest>

class TestGraphExport : public StoreTest {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void writesAPictureOfTheRequestedSize();
    void unknownGraphOrProjectIsRefused();
    void unwritableFileIsReported();
    void sizesFromTheCommandLine();

private:
    int run(const QString& graph, const QString& project, const QString& file,
            QSize size = QSize(800, 600)) {
        m_error.clear();
        return GraphExport::run(*m_store, *m_state, graph, project, m_db->path(file), size,
                                &m_error);
    }

    std::unique_ptr<AppState> m_state;
    QString m_error;
};

void TestGraphExport::init() {
    StoreTest::init();
    m_state = std::make_unique<AppState>();
}

void TestGraphExport::writesAPictureOfTheRequestedSize() {
    QCOMPARE(
        run("Budget Amount Vs. Actual Amount", "1986 FORD MUSTANG", "graph.png", QSize(1024, 640)),
        0);
    QVERIFY(m_error.isEmpty());
    const QImage image(m_db->path("graph.png"));
    QCOMPARE(image.size(), QSize(1024, 640));
    int inked = 0; // bars, labels and title were drawn
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            inked += qGray(image.pixel(x, y)) < 200;
    QVERIFY(inked > 100);
    QCOMPARE(m_state->openvehiclenumber, QStringLiteral("1"));
    QCOMPARE(m_state->vehicledescription, QStringLiteral("1986 FORD MUSTANG"));
    // The shared record sets are not touched by the export.
    QCOMPARE(m_store->recordSet(Command::RSLVehicles).filter(), QString());

    // By number, the graph's name in any case, at the window's size.
    m_state = std::make_unique<AppState>();
    QCOMPARE(run("budget amount vs. actual amount vs. forecast amount", " 1 ", "by-number.png",
                 GraphExport::defaultSize()),
             0);
    QCOMPARE(QImage(m_db->path("by-number.png")).size(), GraphExport::defaultSize());
    QCOMPARE(m_state->vehiclenumber, 1);
}

void TestGraphExport::unknownGraphOrProjectIsRefused() {
    QCOMPARE(run("Budget Pie", "1986 FORD MUSTANG", "none.png"), GraphExport::kUsage);
    QVERIFY(m_error.startsWith(u"There is no graph called \"Budget Pie\"."));
    QVERIFY(m_error.contains(u"\"Budget Amount By Category\""));

    for (const char* project : {"1967 SHELBY", "42", "O'BRIEN'S TRUCK"}) {
        QCOMPARE(run("Budget Amount By Category", project, "none.png"), GraphExport::kUsage);
        QCOMPARE(m_error, QStringLiteral("There is no project called \"%1\".").arg(project));
    }
    QCOMPARE(m_state->openvehiclenumber, QString()); // nothing was opened

    QCOMPARE(run("Budget Amount By Category", "1986 FORD MUSTANG", "none.png", QSize(0, 600)),
             GraphExport::kUsage);
    QVERIFY(!QFileInfo::exists(m_db->path("none.png")));
}

void TestGraphExport::unwritableFileIsReported() {
    QCOMPARE(run("Budget Amount By Category", "1986 FORD MUSTANG", "no/such/folder/graph.png"),
             GraphExport::kFailed);
    QVERIFY(m_error.startsWith(u"The graph could not be written to "));
}

void TestGraphExport::sizesFromTheCommandLine() {
    QCOMPARE(GraphExport::parseSize(QStringLiteral("1200x800")), QSize(1200, 800));
    QCOMPARE(GraphExport::parseSize(QStringLiteral(" 640 X 480 ")), QSize(640, 480));
    for (const char* bad : {"0x480", "-5x480", "1200", "12.5x80"})
        QCOMPARE(GraphExport::parseSize(QString::fromLatin1(bad)), std::nullopt);
}

QTEST_MAIN(TestGraphExport)
#include "test_graphexport.moc"
