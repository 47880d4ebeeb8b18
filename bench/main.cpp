// The benchmark: builds large databases with the program's own stores, then
// times what a user waits for (start-up, the worksheet, every report and
// graph) beside the bare SQL the same output needs on the same file.

#include "AppState.h"
#include "AttachmentCases.h"
#include "BenchDatabase.h"
#include "BenchShell.h"
#include "DataStore.h"
#include "ExchangeCases.h"
#include "Floor.h"
#include "MainWindow.h"
#include "Measure.h"
#include "ReportCatalog.h"
#include "ReportExport.h"
#include "ReportPreparation.h"
#include "ReportPreview.h"
#include "ReportWindow.h"
#include "ResultTable.h"
#include "UnattendedToolkit.h"
#include "WindowFactories.h"
#include "WorksheetWindow.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTabWidget>
#include <QTableView>
#include <QTextStream>
#include <QThread>

#include <cstdio>
#include <memory>

namespace {

using BenchShell::fail;
using BenchShell::openProject;
using BenchShell::settle;
using ResultTable::Row;
using ResultTable::Section;
using ResultTable::table;

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

QString reportFloorSql(ReportKind kind) {
    switch (kind) {
    case ReportKind::PartData:
        return QStringLiteral("SELECT * FROM RSLParts ORDER BY Part_Name");
    case ReportKind::VendorData:
        return QStringLiteral("SELECT * FROM RSLVendor");
    case ReportKind::ManufacturerData:
        return QStringLiteral("SELECT * FROM RSLManufacturer");
    case ReportKind::CategoryData:
        return QStringLiteral("SELECT * FROM RSLCategories ORDER BY Category");
    case ReportKind::VehicleData:
        return QStringLiteral("SELECT * FROM RSLMaster WHERE Mas_vehicle_number = :p ORDER BY "
                              "Part_Name");
    case ReportKind::ShoppingList:
        return QStringLiteral("SELECT * FROM RSLMaster WHERE Vendor = :v AND Selected = 1 AND "
                              "Purchased = 0");
    case ReportKind::PartSearchList:
        return QStringLiteral("SELECT * FROM RSLMaster WHERE Selected = 0 AND "
                              "Mas_vehicle_number = :p");
    case ReportKind::ActualCost:
    case ReportKind::ForecastCost:
        return QStringLiteral("SELECT b.*, m.* FROM RSLCategorybudget b LEFT JOIN RSLMaster m ON "
                              "m.Mas_vehicle_number = b.Cat_vehicle_number AND m.Category = "
                              "b.Category AND m.%1 = 1 WHERE b.Cat_vehicle_number = :p ORDER BY "
                              "b.Category, m.rowid")
            .arg(kind == ReportKind::ActualCost ? QStringLiteral("Purchased")
                                                : QStringLiteral("Forecast"));
    case ReportKind::CategoriesOverBudget:
        return QStringLiteral("SELECT Category, sum(Total_cost) FROM RSLMaster WHERE "
                              "Mas_vehicle_number = :p AND Purchased = 1 GROUP BY Category");
    }
    return {};
}

int reportFloor(const Floor& floor, ReportKind kind, int project) {
    QString sql = reportFloorSql(kind);
    QVariantList binds;
    if (sql.contains(u":v")) {
        sql.replace(QStringLiteral(":v"), QStringLiteral("?"));
        binds << BenchDatabase::vendor();
    }
    if (sql.contains(u":p")) {
        sql.replace(QStringLiteral(":p"), QStringLiteral("?"));
        binds << project;
    }
    return floor.read(sql, binds);
}

const QList<std::pair<WindowId, QString>>& graphs() {
    static const QList<std::pair<WindowId, QString>> all = {
        {WindowId::Graph1, QStringLiteral("Budget Amount By Category")},
        {WindowId::Graph2, QStringLiteral("Budget Amount Vs. Actual Amount")},
        {WindowId::Graph3, QStringLiteral("Budget Amount Vs. Forecast Amount")},
        {WindowId::Graph4, QStringLiteral("Budget Amount Vs. Actual Amount Vs. Forecast Amount")},
    };
    return all;
}

const QString kGraphFloor = QStringLiteral(
    "SELECT b.Category, b.Budget_amount, s.a, s.f FROM RSLCategorybudget b LEFT JOIN (SELECT "
    "Category, sum(CASE WHEN Purchased THEN Total_cost END) a, sum(CASE WHEN Forecast THEN "
    "Total_cost END) f FROM RSLMaster WHERE Mas_vehicle_number = ? GROUP BY Category) s ON "
    "s.Category = b.Category WHERE b.Cat_vehicle_number = ? ORDER BY b.rowid");

const QString kGridColumns = QStringLiteral("Part_Name, Vendor, Total_cost, Sequence_Number");

class Bench {
public:
    Bench(BenchDatabase& db, int runs, QString scratch, const QString& only)
        : m_db(db)
        , m_measure(runs)
        , m_scratch(std::move(scratch))
        , m_only(only, QRegularExpression::CaseInsensitiveOption) {}

    Section startUp(const QString& path, const QString& empty);
    Section everything(const QString& path, QList<std::pair<QString, Measure::Figure>>* pdfTimes);
    Section alone(const QString& path, const QList<std::pair<QString, Measure::Figure>>& among);
    void worksheet(Section& s, MainWindow& shell, const Floor& floor, int project);

    // Whether a group of figures (start-up, the worksheet, one report, one
    // graph, the attachments, the CSV exchange) is measured in this run.
    bool wants(const QString& group) const {
        return m_only.pattern().isEmpty() || m_only.match(group).hasMatch();
    }

private:
    BenchDatabase& m_db;
    Measure m_measure;
    QString m_scratch;
    UnattendedToolkit m_toolkit;
    QRegularExpression m_only;
};

Section Bench::startUp(const QString& path, const QString& empty) {
    std::unique_ptr<MainWindow> window;
    const auto startOn = [&](const QString& file) {
        return [&, file] {
            window = std::make_unique<MainWindow>(BenchShell::options(m_db, file), m_toolkit);
            BenchShell::start(*window);
            settle();
        };
    };
    const auto drop = [&] { window.reset(); };
    if (!wants(QStringLiteral("Start-up")))
        return {};
    startOn(empty)(); // the toolkit's one-time costs are not the program's
    drop();
    Section s;
    Row r{QStringLiteral("Start-up to the main window (floor: an empty file)"), {}, {}};
    r.floor = m_measure.run(startOn(empty), drop);
    r.figure = m_measure.run(startOn(path), drop);
    drop();
    s.rows << r;
    return s;
}

Section Bench::everything(const QString& path,
                          QList<std::pair<QString, Measure::Figure>>* pdfTimes) {
    Section s;
    const Floor floor(path);
    const int project =
        floor
            .scalar(QStringLiteral("SELECT Mas_vehicle_number FROM RSLMaster GROUP BY 1 ORDER BY "
                                   "count(*) DESC, 1 DESC LIMIT 1"))
            .toInt();
    const QString description = BenchDatabase::description(project);

    MainWindow shell(BenchShell::options(m_db, path), m_toolkit);
    BenchShell::start(shell);
    shell.closeWindow(WindowId::Projects);
    settle();
    openProject(shell, project);

    // The worksheet.
    if (wants(QStringLiteral("Worksheet")))
        worksheet(s, shell, floor, project);

    // The reports, to PDF and to the first page of their preview.
    const QString pdf = QDir(m_scratch).filePath(QStringLiteral("bench-report.pdf"));
    for (const ReportCatalog::Entry& e : ReportCatalog::entries()) {
        if (!wants(e.entry))
            continue;
        const bool shopping = e.kind == ReportKind::ShoppingList;
        const QString vendor = shopping ? BenchDatabase::vendor() : QString();
        const Measure::Figure bare = m_measure.run([&] { reportFloor(floor, e.kind, project); });
        const Measure::Figure toPdf = m_measure.run([&] {
            QString error;
            if (ReportExport::run(shell.data(), shell.state(), e.entry,
                                  e.needsProject && !shopping ? description : QString(), vendor,
                                  pdf, &error) != 0)
                fail(error);
        });
        // The shopping list covers every project: it has no "alone".
        if (pdfTimes && e.needsProject && !shopping)
            pdfTimes->append({e.entry, toPdf});
        s.rows << Row{e.entry + QStringLiteral(" to PDF"), toPdf, bare};
        openProject(shell, project);
        const Measure::Figure preview = m_measure.run([&] {
            ignoreError(ReportPreparation::prepare(shell.data(), shell.state(), e.kind));
            if (shopping)
                ignoreError(ReportPreparation::selectVendor(shell.data(), vendor));
            ReportWindow* report = ReportWindow::open(shell, e.kind, vendor);
            if (!report)
                fail(QStringLiteral("the report window did not open"));
            settle();
            if (report->preview()->viewport()->grab().isNull() ||
                report->preview()->cachedPageCount() != 1)
                fail(QStringLiteral("the first page was not shown"));
        });
        s.rows << Row{e.entry + QStringLiteral(": first preview page"), preview, bare};
        shell.closeWindow(e.window);
        settle();
    }

    // The graphs.
    for (const auto& [id, name] : graphs()) {
        if (!wants(QStringLiteral("Graph: ") + name))
            continue;
        s.rows << Row{QStringLiteral("Graph: ") + name,
                      m_measure.run(
                          [&, id = id] {
                              if (!shell.showWindow(id))
                                  fail(QStringLiteral("the graph did not open"));
                              settle();
                          },
                          [&, id = id] { shell.closeWindow(id); }),
                      m_measure.run([&] {
                          floor.read(kGraphFloor, {project, project});
                      })};
        shell.closeWindow(id);
    }
    settle();
    return s;
}

// Opens the worksheet on the project and times its actions; closes it again.
void Bench::worksheet(Section& s, MainWindow& shell, const Floor& floor, int project) {
    const auto gridFloor = [&] {
        floor.read(QStringLiteral("SELECT %1 FROM RSLMaster WHERE Mas_vehicle_number = ? ORDER "
                                  "BY Part_Name")
                       .arg(kGridColumns),
                   {project});
    };
    s.rows << Row{QStringLiteral("Open the largest project (worksheet)"),
                  m_measure.run(
                      [&] {
                          shell.showWindow(WindowId::Worksheet);
                          settle();
                      },
                      [&] { shell.closeWindow(WindowId::Worksheet); }),
                  m_measure.run(gridFloor)};
    QWidget* w = shell.showWindow(WindowId::Worksheet);
    if (!w)
        fail(QStringLiteral("the worksheet did not open"));
    auto* grid = w->findChild<QTableView*>(QStringLiteral("MSFlexGrid1"));
    auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    const auto button = [&](const char* name) {
        return w->findChild<QPushButton*>(QString::fromLatin1(name));
    };
    const auto field = [&](int panel, const char* name) {
        return w->findChild<QWidget*>(QStringLiteral("panel%1").arg(panel))
            ->findChild<QWidget*>(QString::fromLatin1(name));
    };
    const auto openRow = [&](int row) {
        grid->setCurrentIndex(grid->model()->index(row, 0));
        Q_EMIT grid->doubleClicked(grid->currentIndex());
    };
    const auto rowOf = [&](const QString& name) {
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            if (grid->model()->index(r, 0).data().toString() == name)
                return r;
        return -1;
    };
    const int lines = grid->model()->rowCount();

    s.rows << Row{QStringLiteral("Worksheet: add a line"),
                  m_measure.run([&] { button("cmdAdd")->click(); },
                                [&] {
                                    tabs->setCurrentIndex(WorksheetWindow::AddTab);
                                    qobject_cast<QComboBox*>(field(1, "cmbPartname"))
                                        ->setEditText(QStringLiteral("oil pump"));
                                }),
                  m_measure.run(
                      [&] {
                          floor.write(QStringLiteral("INSERT INTO RSLMaster (Part_Name, "
                                                     "Sequence_Number, Mas_vehicle_number) "
                                                     "VALUES ('BENCH FLOOR', 1, ?)"),
                                      {project});
                      },
                      [&] {
                          floor.write(QStringLiteral(
                              "DELETE FROM RSLMaster WHERE Part_Name = 'BENCH FLOOR'"));
                      })};
    floor.write(QStringLiteral("DELETE FROM RSLMaster WHERE Part_Name = 'BENCH FLOOR'"));
    s.rows << Row{
        QStringLiteral("Worksheet: accept a changed line"),
        m_measure.run(
            [&] { button("cmdAccept")->click(); },
            [&] {
                tabs->setCurrentIndex(WorksheetWindow::SummaryTab);
                openRow(lines / 2);
                qobject_cast<QLineEdit*>(field(0, "ioPartnumber"))
                    ->setText(
                        QStringLiteral("CHANGED %1").arg(QDateTime::currentMSecsSinceEpoch()));
            }),
        m_measure.run([&] {
            floor.write(QStringLiteral("UPDATE RSLMaster SET Part_Number = 'X' || random() WHERE "
                                       "rowid = (SELECT max(rowid) FROM RSLMaster)"));
        })};
    s.rows << Row{QStringLiteral("Worksheet: delete a line"),
                  m_measure.run([&] { button("cmdDelete")->click(); },
                                [&] {
                                    tabs->setCurrentIndex(WorksheetWindow::SummaryTab);
                                    openRow(rowOf(QStringLiteral("OIL PUMP")));
                                }),
                  m_measure.run(
                      [&] {
                          floor.write(QStringLiteral(
                              "DELETE FROM RSLMaster WHERE Part_Name = 'BENCH FLOOR'"));
                      },
                      [&] {
                          floor.write(QStringLiteral("INSERT INTO RSLMaster (Part_Name, "
                                                     "Sequence_Number, Mas_vehicle_number) "
                                                     "VALUES ('BENCH FLOOR', 1, ?)"),
                                      {project});
                      })};
    if (grid->model()->rowCount() != lines || rowOf(QStringLiteral("OIL PUMP")) >= 0)
        fail(QStringLiteral("the worksheet's adds and deletes did not balance"));

    tabs->setCurrentIndex(WorksheetWindow::FilterTab);
    s.rows << Row{
        QStringLiteral("Worksheet: filter (purchased)"),
        m_measure.run([&] { w->findChild<QRadioButton*>(QStringLiteral("Optp"))->click(); },
                      [&] { button("cmdDefault")->click(); }),
        m_measure.run([&] {
            floor.read(QStringLiteral("SELECT %1 FROM RSLMaster WHERE "
                                      "Mas_vehicle_number = ? AND Purchased = 1 ORDER "
                                      "BY Part_Name")
                           .arg(kGridColumns),
                       {project});
        })};
    button("cmdDefault")->click();
    tabs->setCurrentIndex(WorksheetWindow::SearchTab);
    s.rows << Row{QStringLiteral("Worksheet: search"),
                  m_measure.run([&] { button("cmdSearch")->click(); },
                                [&] {
                                    w->findChild<QLineEdit*>(QStringLiteral("iopartnamesearch"))
                                        ->setText(QStringLiteral("hinge"));
                                }),
                  m_measure.run([&] {
                      floor.read(QStringLiteral("SELECT %1 FROM RSLMaster WHERE "
                                                "Mas_vehicle_number = ? AND Part_Name LIKE "
                                                "'%HINGE%' ORDER BY Part_Name")
                                     .arg(kGridColumns),
                                 {project});
                  })};
    if (w->findChild<QTableView*>(QStringLiteral("MSFlexGrid2"))->model()->rowCount() < 2)
        fail(QStringLiteral("the search found nothing"));
    s.rows << Row{QStringLiteral("Worksheet: budget overview tab"),
                  m_measure.run([&] { tabs->setCurrentIndex(WorksheetWindow::OverviewTab); },
                                [&] { tabs->setCurrentIndex(WorksheetWindow::SummaryTab); }),
                  m_measure.run([&] {
                      floor.read(kGraphFloor, {project, project});
                  })};
    if (w->findChild<QTableView*>(QStringLiteral("grdBudgetOverview"))->model()->rowCount() < 2)
        fail(QStringLiteral("the budget overview is empty"));
    shell.closeWindow(WindowId::Worksheet);
    settle();
}

// The project reports of one project alone in a file, against the same
// project among 98 others.
Section Bench::alone(const QString& path, const QList<std::pair<QString, Measure::Figure>>& among) {
    Section s;
    DataStore store;
    if (!store.open(path))
        fail(QStringLiteral("cannot open ") + path);
    AppState state;
    const QString pdf = QDir(m_scratch).filePath(QStringLiteral("bench-alone.pdf"));
    for (const auto& [entry, amongMs] : among) {
        // Here the figure is the project among 98 others and the "floor" the
        // same project alone, so the ratio is what the rest of the file costs.
        const Measure::Figure alone = m_measure.run([&, entry = entry] {
            QString error;
            if (ReportExport::run(store, state, entry, BenchDatabase::description(1), QString(),
                                  pdf, &error) != 0)
                fail(error);
        });
        s.rows << Row{entry + QStringLiteral(" to PDF: among 98 others (floor: alone)"), amongMs,
                      alone};
    }
    return s;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    prepareApplication();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rastrel"));
    QApplication::setOrganizationName(QStringLiteral("Rastrel"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Rastrel's benchmark."));
    parser.addHelpOption();
    const QCommandLineOption runsOption(QStringLiteral("runs"),
                                        QStringLiteral("Runs per figure (median; at least 5)."),
                                        QStringLiteral("N"), QStringLiteral("5"));
    const QCommandLineOption sizesOption(QStringLiteral("sizes"),
                                         QStringLiteral("Part lines per project, comma-separated."),
                                         QStringLiteral("LIST"), QStringLiteral("1000,5000"));
    const QCommandLineOption dataOption(QStringLiteral("data"),
                                        QStringLiteral("Folder of the built databases."),
                                        QStringLiteral("DIR"), QStringLiteral(RASTREL_BENCH_DATA));
    const QCommandLineOption outOption(
        QStringLiteral("out"), QStringLiteral("Where the results table is written."),
        QStringLiteral("FILE"), QStringLiteral(RASTREL_SOURCE_DIR "/bench/results/latest.md"));
    const QCommandLineOption attachmentOption = AttachmentCases::sizeOption();
    const QCommandLineOption onlyOption(
        QStringLiteral("only"),
        QStringLiteral("Measures only what matches this pattern (case-blind): \"Start-up\", "
                       "\"Worksheet\", a report's or a graph's name, \"Attachments\", \"CSV\"."),
        QStringLiteral("PATTERN"));
    parser.addOptions(
        {runsOption, sizesOption, dataOption, outOption, attachmentOption, onlyOption});
    parser.process(app);

    const int runs = std::max(5, parser.value(runsOption).toInt());
    QList<int> sizes;
    for (const QString& s : parser.value(sizesOption).split(u',', Qt::SkipEmptyParts))
        sizes << s.trimmed().toInt();

    BenchDatabase db(parser.value(dataOption));
    const QString empty = db.ensureEmpty();
    QList<std::pair<int, QString>> files;
    for (int size : sizes)
        files << std::pair{size, db.ensure(99, size)};
    const int largest = sizes.isEmpty() ? 0 : *std::max_element(sizes.begin(), sizes.end());
    const QString aloneFile = largest > 0 ? db.ensure(1, largest) : QString();
    if (empty.isEmpty() || aloneFile.isEmpty())
        fail(QStringLiteral("the databases could not be built"));

    Bench bench(db, runs, db.folder(), parser.value(onlyOption));
    QString report = QStringLiteral("# Rastrel benchmark\n\n%1, %2 cores, Qt %3, median of %4 "
                                    "runs; the floor is the bare SQL the same output needs on "
                                    "the same file, run in the same process. Peak MB is the "
                                    "process's resident size at its highest during the action, "
                                    "Added MB how far that is above the size before it.\n\n")
                         .arg(QDateTime::currentDateTime().toString(Qt::ISODate),
                              QString::number(QThread::idealThreadCount()),
                              QString::fromLatin1(qVersion()), QString::number(runs));
    for (const auto& [size, file] : files) {
        QList<std::pair<QString, Measure::Figure>> pdfTimes;
        Section section = bench.startUp(file, empty);
        section.rows += bench.everything(file, &pdfTimes).rows;
        section.title = QStringLiteral("99 projects x %L1 part lines").arg(size);
        const QString t = table(section);
        out() << t;
        out().flush();
        report += t;
        if (size == largest) {
            Section a = bench.alone(aloneFile, pdfTimes);
            a.title = QStringLiteral("One project of %L1 lines alone in its file").arg(size);
            const QString ta = table(a);
            out() << ta;
            out().flush();
            report += ta;
        }
    }
    if (bench.wants(QStringLiteral("Attachments"))) {
        const QString attachments = AttachmentCases::run(db, runs, files.first().second,
                                                         parser.value(attachmentOption).toInt());
        out() << attachments;
        report += attachments;
    }
    if (bench.wants(QStringLiteral("CSV export and import"))) {
        // 100,000 lines out and 10,000 in at the default sizes; fewer for a quick run.
        const QString exchange = table(
            {QStringLiteral("CSV export and import"),
             ExchangeCases::run(Measure(runs), empty, db.folder(), std::min(100000, 20 * largest),
                                std::min(10000, 2 * largest))});
        out() << exchange;
        report += exchange;
    }
    QFile file(parser.value(outOption));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        fail(QStringLiteral("cannot write ") + file.fileName());
    file.write(report.toUtf8());
    out() << "Written to " << QDir::toNativeSeparators(file.fileName()) << "\n";
    return 0;
}
