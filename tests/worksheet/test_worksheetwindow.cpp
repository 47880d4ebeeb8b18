#include "AttachmentList.h"
#include "BudgetOverviewPanel.h"
#include "ChildWindow.h"
#include "Fixtures.h"
#include "FormattedEdit.h"
#include "LineQuery.h"
#include "MaskedDateEdit.h"
#include "SummaryFilter.h"
#include "TestShell.h"
#include "WorksheetWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace {

// The worksheet of the sample project 1 inside a test main window.
struct Worksheet {
    TestShell shell;
    WorksheetWindow* w = nullptr;

    explicit Worksheet(const QString& setupSql = {}) {
        shell.factories[WindowId::Worksheet] = [](Shell& s) { return new WorksheetWindow(s); };
        shell.factories[WindowId::Maintenance] = [](Shell&) { return new ChildWindow; };
        shell.settingsStore->setValue(Settings::kTaxPercentage, "6");
        for (const QString& sql : setupSql.split(u';', Qt::SkipEmptyParts))
            QVERIFY(TestDatabase::exec(shell.db.databasePath(), sql));
        for (const char* table : {"RSLMaster", "RSLVehicles"})
            shell.store->invalidateTable(table);
        shell.openProject(1);
        w = qobject_cast<WorksheetWindow*>(shell.showWindow(WindowId::Worksheet));
    }

    template <typename T> T* get(const char* name) const {
        return w->findChild<T*>(QString::fromLatin1(name));
    }
    template <typename T> T* in(int panel, const char* name) const {
        return get<QWidget>(panel == 0 ? "panel0" : "panel1")
            ->findChild<T*>(QString::fromLatin1(name));
    }
    QTabWidget* tabs() const { return get<QTabWidget>("SSTab1"); }
    int tab() const { return tabs()->currentIndex(); }
    QTableView* grid(const char* name = "MSFlexGrid1") const { return get<QTableView>(name); }
    QStringList column(int c = 0, const char* name = "MSFlexGrid1") const {
        QStringList out;
        QAbstractItemModel* m = grid(name)->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, c).data().toString();
        return out;
    }
    int rows() const { return grid()->model()->rowCount(); }
    QString sql(const QString& query) const {
        return TestDatabase::scalar(shell.db.databasePath(), query).toString();
    }
    int lines(const QString& where = QStringLiteral("1")) const {
        return sql("SELECT COUNT(*) FROM RSLMaster WHERE Mas_vehicle_number = 1 AND " + where)
            .toInt();
    }
    void clickTab(int index) {
        QTabBar* bar = tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    void click(const char* button) { QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton); }
    void doubleClick(int row, const char* name = "MSFlexGrid1") {
        QTableView* table = grid(name);
        const QModelIndex index = table->model()->index(row, 0);
        table->scrollTo(index);
        const QPoint at = table->visualRect(index).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
    }
    void openLine(const QString& name, const QString& sequence) {
        const QStringList names = column(0), numbers = column(3);
        for (int r = 0; r < names.size(); ++r)
            if (names[r] == name && numbers[r] == sequence)
                return doubleClick(r);
        QFAIL("no such line in the grid");
    }
    void setText(int panel, const char* field, const QString& text) {
        if (auto* box = in<QComboBox>(panel, field))
            box->setEditText(text);
        else if (auto* amount = in<FormattedEdit>(panel, field))
            amount->setRawText(text);
        else
            in<QLineEdit>(panel, field)->setText(text);
    }
    void chooseFilter(const char* list, const QString& text) {
        auto* box = get<QComboBox>(list);
        box->setFocus();
        box->setCurrentIndex(box->findText(text));
        Q_EMIT box->activated(box->currentIndex());
    }
    QString status() const { return shell.appState.statusText(2); }
    QString said() const { return shell.scripted.lastText(); }
};

} // namespace

class TestWorksheetWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void openingShowsTheProjectsLines();
    void addingALine();
    void refusalsStoreNothing();
    void vanishedLinesAreReported();
    void deletingTheOnlyLine();
    void theGridAfterEachChangeIsWhatAFreshReadShows();
    void filtersAndTheStatusBar();
    void tabAndCloseQuestionsGuardUnsavedInput();
    void searchByPartName();
    void projectPictureThumbnail();
    void budgetOverviewFollowsChangesAndOpensACategory();
    void attachmentsOnTheAddAndDetailPanels();
};

void TestWorksheetWindow::openingShowsTheProjectsLines() {
    Worksheet ws;
    QCOMPARE(ws.tab(), 0);
    QCOMPARE(ws.rows(), ws.lines());
    // The detail tab cannot be clicked; a double-click opens the line there.
    ws.clickTab(1);
    QCOMPARE(ws.tab(), 0);
    ws.openLine("BRAKE PAD SET", "2");
    QCOMPARE(ws.tab(), 1);
    QCOMPARE(ws.in<QLineEdit>(0, "ioPartnumber")->text(), QStringLiteral("BH-S442"));
    QCOMPARE(ws.w->pendingChanges(), QStringLiteral("N"));
}

void TestWorksheetWindow::addingALine() {
    // Numbering and storing are the line store's.
    Worksheet ws;
    ws.clickTab(4);
    ws.get<QRadioButton>("Optp")->click();
    ws.clickTab(2);
    ws.setText(1, "cmbPartname", "oil pump");
    QCOMPARE(ws.in<QComboBox>(1, "cmbCategory")->currentText(), QStringLiteral("ENGINE"));
    ws.setText(1, "cmbManufacturer", "o'hara pumps");
    ws.setText(1, "ioPartnumber", "hv-55");
    ws.in<QCheckBox>(1, "chkTaxable")->click();
    ws.setText(1, "ioQuantity", "3");
    ws.setText(1, "ioprice", "1.99");
    QCOMPARE(ws.w->pendingChanges(), QStringLiteral("Y"));
    ws.click("cmdAdd");
    QCOMPARE(ws.said(), QStringLiteral("Part has been added."));
    QCOMPARE(
        ws.sql("SELECT Manufacturer || '|' || Part_Number || '|' || Total_cost || '|' || "
               "Category FROM RSLMaster WHERE Part_Name = 'OIL PUMP' AND Part_Number = 'hv-55'"),
        QStringLiteral("O'HARA PUMPS|hv-55|6.3282|ENGINE"));
    // Back on the summary with every filter at its default.
    QCOMPARE(ws.tab(), 0);
    QCOMPARE(ws.w->pendingChanges(), QStringLiteral("N"));
    QVERIFY(ws.get<QRadioButton>("opta")->isChecked());
    QCOMPARE(ws.rows(), ws.lines());
}

void TestWorksheetWindow::refusalsStoreNothing() {
    Worksheet ws;
    const int before = ws.lines();
    ws.clickTab(2);
    ws.click("cmdAdd");
    QVERIFY(ws.said().contains("part name"));

    // Purchased fills in today's date; a line whose date was then removed is refused.
    ws.setText(1, "cmbPartname", "TIRES");
    ws.in<QCheckBox>(1, "chkPurchased")->click();
    auto* date = ws.in<MaskedDateEdit>(1, "iopurchasedate");
    QCOMPARE(date->value(), QDate::currentDate().toString("MM/dd/yyyy"));
    date->setValue(QString());
    ws.click("cmdAdd");
    QVERIFY(ws.said().contains("must enter a purchase date"));
    QCOMPARE(ws.tab(), 2);

    // A date that was typed but does not exist is not called missing.
    date->setValue("02/30/2025");
    ws.click("cmdAdd");
    QVERIFY(ws.said().startsWith("The purchase date 02/30/2025 is not a valid date."));

    date->setValue("05/01/2025");
    ws.setText(1, "ioQuantity", "9");
    ws.setText(1, "ioprice", "999999999999999");
    ws.click("cmdAdd");
    QVERIFY(ws.said().startsWith("The amount is too large"));
    QCOMPARE(ws.lines(), before);

    // On Accept the picker's empty date counts as missing too.
    ws.shell.scripted.queueYes();
    ws.clickTab(0);
    ws.openLine("TRUNK SEAL", "1");
    ws.in<MaskedDateEdit>(0, "iopurchasedate")->setValue("01/01/0001");
    ws.click("cmdAccept");
    QVERIFY(ws.said().contains("must enter a purchase date"));
    QCOMPARE(ws.sql("SELECT Purchase_date FROM RSLMaster WHERE Part_Name = 'TRUNK SEAL'"),
             QStringLiteral("09/30/2025"));
}

void TestWorksheetWindow::vanishedLinesAreReported() {
    Worksheet ws;
    // Lines deleted behind the window's back are reported, not written again.
    ws.openLine("CLUTCH KIT", "1");
    ws.setText(0, "ioPartnumber", "CHANGED");
    ws.shell.exec("RSLMaster", "DELETE FROM RSLMaster WHERE Part_Name = 'CLUTCH KIT'");
    ws.click("cmdAccept");
    QCOMPARE(ws.said(), PartLineStore::kMissingMessage);
    QCOMPARE(ws.lines("Part_Number = 'CHANGED'"), 0);
    QCOMPARE(ws.tab(), 0);

    // A rename elsewhere while the grid still shows the old name: opening
    // that row says so, in the summary with the new name in it.
    ws.shell.exec("RSLMaster", "UPDATE RSLMaster SET Part_Name = 'RADIATOR CORE' "
                               "WHERE Part_Name = 'RADIATOR'");
    const int messages = int(ws.shell.scripted.messages().size());
    ws.openLine("RADIATOR", "1");
    QCOMPARE(ws.shell.scripted.messages().size(), messages + 1);
    QCOMPARE(ws.tab(), 0);
    QVERIFY(ws.column().contains("RADIATOR CORE") && !ws.column().contains("RADIATOR"));
    // The search results may go stale the same way.
    ws.clickTab(3);
    QTest::keyClicks(ws.get<QLineEdit>("iopartnamesearch"), "RADIATOR CORE");
    ws.click("cmdSearch");
    ws.shell.exec("RSLMaster", "DELETE FROM RSLMaster WHERE Part_Name = 'RADIATOR CORE'");
    ws.click("cmdSelect");
    QCOMPARE(ws.said(), PartLineStore::kMissingMessage);
    QCOMPARE(ws.tab(), 0);
}

void TestWorksheetWindow::deletingTheOnlyLine() {
    Worksheet ws("DELETE FROM RSLMaster WHERE Part_Name <> 'DASH PAD';"
                 "INSERT INTO RSLMaster (Part_Name, Sequence_Number, Mas_vehicle_number) VALUES "
                 "('DASH PAD', 3, 2)");
    ws.openLine("DASH PAD", "1");
    ws.shell.scripted.queueNo();
    ws.click("cmdDelete");
    QCOMPARE(ws.tab(), 0);
    QCOMPARE(ws.lines(), 1);

    ws.openLine("DASH PAD", "1");
    ws.shell.scripted.queueYes();
    ws.click("cmdDelete");
    QCOMPARE(ws.said(), QStringLiteral("Part has been deleted."));
    QCOMPARE(ws.sql("SELECT COUNT(*) FROM RSLMaster WHERE Part_Name = 'DASH PAD'"),
             QStringLiteral("1"));
    QVERIFY(!ws.tabs()->isTabEnabled(3) && !ws.tabs()->isTabEnabled(4));

    // A project without lines opens on the add tab.
    QVERIFY(ws.shell.closeWindow(WindowId::Worksheet));
    ws.w = qobject_cast<WorksheetWindow*>(ws.shell.showWindow(WindowId::Worksheet));
    QCOMPARE(ws.tab(), 2);
}

void TestWorksheetWindow::theGridAfterEachChangeIsWhatAFreshReadShows() {
    // Names that sort first, last and in between; one typed in lower case
    // that sorts among upper-case names; a second line of a name already there.
    Worksheet ws("INSERT INTO RSLParts (Part_Name, Category) VALUES ('AAA FIRST', 'BODY'), "
                 "('ZZZ LAST', 'BODY'), ('MIDDLE PART', 'BODY')");
    // Adds `name` without a sequence; else opens that line and changes `field`, or deletes it.
    const auto step = [&](const char* what, const QString& name, const QString& sequence = {},
                          const char* field = nullptr, const QString& text = {}) {
        if (sequence.isEmpty()) {
            ws.clickTab(2);
            ws.setText(1, "cmbPartname", name);
            ws.click("cmdAdd");
        } else {
            ws.openLine(name, sequence);
            if (field)
                ws.setText(0, field, text);
            else
                ws.shell.scripted.queueYes();
            ws.click(field ? "cmdAccept" : "cmdDelete");
        }
        QVERIFY2(ws.said().startsWith("Part has been"), what);
        QList<QStringList> fresh(4);
        for (const LineQuery::Row& r : LineQuery::summary(*ws.shell.store, SummaryFilter(), 1))
            for (int c = 0; c < 4; ++c)
                fresh[c] << QStringList{r.partName, r.manufacturer, r.vendor, r.sequenceNumber}[c];
        QVERIFY2(
            (QList<QStringList>{ws.column(0), ws.column(1), ws.column(2), ws.column(3)} == fresh),
            what);
        QCOMPARE(ws.grid()->currentIndex().row(), 0);
    };
    step("added first", "AAA FIRST");
    step("added last, in lower case", "zzz last");
    step("a second line of a name", "brake pad set");
    step("renamed into the middle", "ZZZ LAST", "1", "cmbPartname", "middle part");
    step("deleted", "AAA FIRST", "1");

    // Written elsewhere first: the next change shows that too.
    ws.shell.exec("RSLMaster", "UPDATE RSLMaster SET Vendor = 'ELSEWHERE' WHERE "
                               "Mas_vehicle_number = 1 AND Part_Name = 'CLUTCH KIT'");
    step("after a change from elsewhere", "AAA FIRST");

    // From a filtered grid back to every line.
    ws.clickTab(4);
    ws.get<QRadioButton>("Optp")->click();
    step("from a filtered grid", "ZZZ LAST");
}

void TestWorksheetWindow::filtersAndTheStatusBar() {
    // What each filter selects is the line query's; here the window's reaction.
    Worksheet ws("INSERT INTO RSLVendor (vendor_name) VALUES ('JOE''S GARAGE');"
                 "INSERT INTO RSLMaster (Part_Name, Vendor, Sequence_Number, Mas_vehicle_number, "
                 "Selected) VALUES ('DASH PAD', 'JOE''S GARAGE', 2, 1, 1)");
    ws.clickTab(4);
    ws.get<QRadioButton>("opts")->click();
    QCOMPARE(ws.rows(), ws.lines("Purchased = 0 AND Forecast = 0 AND Selected = 1"));
    QCOMPARE(ws.status(), QStringLiteral("All Manufacturers , All Vendors , All Categories , "
                                         "Selected Parts Only"));
    ws.get<QRadioButton>("opta")->click();

    ws.chooseFilter("cmbVenFilter", "JOE'S GARAGE");
    QCOMPARE(ws.column(), QStringList{"DASH PAD"});
    QCOMPARE(
        ws.status(),
        QStringLiteral("All Manufacturers , Vendor: JOE'S GARAGE , All Categories , All Statuses"));
    // Entering a list shows its all-values item again; the grid waits for a choice.
    ws.get<QRadioButton>("opta")->setFocus();
    ws.get<QComboBox>("cmbVenFilter")->setFocus();
    QCOMPARE(ws.get<QComboBox>("cmbVenFilter")->currentText(), QStringLiteral("(ALL VENDORS)"));
    QCOMPARE(ws.rows(), 1);

    // A choice without lines closes the search, not the filter tab.
    ws.chooseFilter("cmbCatfilter", "EXHAUST");
    QCOMPARE(ws.rows(), 0);
    QVERIFY(!ws.tabs()->isTabEnabled(3) && ws.tabs()->isTabEnabled(4));
    ws.click("cmdDefault");
    QCOMPARE(ws.rows(), ws.lines());
    QVERIFY(ws.tabs()->isTabEnabled(3));
    QCOMPARE(ws.status(), QStringLiteral("All Parts For Project"));
}

void TestWorksheetWindow::tabAndCloseQuestionsGuardUnsavedInput() {
    Worksheet ws;
    ws.clickTab(2);
    ws.setText(1, "ioPartnumber", "X-1");
    ws.shell.scripted.queueNo();
    ws.clickTab(0);
    QVERIFY(ws.said().contains("before switching tabs"));
    QCOMPARE(ws.tab(), 2);
    QCOMPARE(ws.in<QLineEdit>(1, "ioPartnumber")->text(), QStringLiteral("X-1"));

    ws.shell.scripted.queueYes();
    ws.clickTab(0);
    QCOMPARE(ws.tab(), 0);
    ws.clickTab(2);
    QCOMPARE(ws.in<QLineEdit>(1, "ioPartnumber")->text(), QString());

    // Closing with input pending: Yes keeps the window for the user to store it.
    ws.in<QWidget>(1, "ioNotes")->setFocus();
    QTest::keyClicks(ws.in<QWidget>(1, "ioNotes"), "half done");
    ws.shell.scripted.queueYes();
    QVERIFY(!ws.shell.closeWindow(WindowId::Worksheet));
    QVERIFY(ws.said().contains("save your changes"));
    ws.shell.scripted.queueNo();
    QVERIFY(ws.shell.closeWindow(WindowId::Worksheet));
    QCOMPARE(ws.status(), QString());
    QCOMPARE(ws.shell.appState.marker("frmnewmainopen"), QString());
}

void TestWorksheetWindow::searchByPartName() {
    Worksheet ws;
    ws.clickTab(4);
    ws.get<QRadioButton>("Optp")->click();
    ws.clickTab(3);
    auto* text = ws.get<QLineEdit>("iopartnamesearch");
    text->setFocus();
    QTest::keyClicks(text, "pad s");
    QTest::keyClick(text, Qt::Key_Return);
    QCOMPARE(ws.column(3, "MSFlexGrid2"), (QStringList{"1", "2"}));
    // The search resets the filters, so the summary shows every line again.
    QCOMPARE(ws.rows(), ws.lines());

    // Select without picking a row opens the last match.
    ws.click("cmdSelect");
    QCOMPARE(ws.tab(), 1);
    QCOMPARE(ws.in<QLineEdit>(0, "ioPartnumber")->text(), QStringLiteral("BH-S442"));

    ws.clickTab(3);
    text->setText("zz");
    ws.click("cmdSearch");
    QVERIFY(!ws.grid("MSFlexGrid2")->isEnabled() && !ws.get<QPushButton>("cmdSelect")->isEnabled());

    text->clear();
    ws.click("cmdSearch");
    QCOMPARE(ws.column(0, "MSFlexGrid2").size(), ws.lines());
    ws.doubleClick(0, "MSFlexGrid2");
    QCOMPARE(ws.in<QComboBox>(0, "cmbPartname")->currentText(), QStringLiteral("ALTERNATOR"));
}

void TestWorksheetWindow::projectPictureThumbnail() {
    TestDatabase files;
    const QString picture = files.path("mustang.png");
    QVERIFY(TestDatabase::writeFile(picture, Fixtures::png({400, 200})));
    for (const QString& path : {picture, QStringLiteral("/no/such/file.bmp"), QString()}) {
        Worksheet ws("UPDATE RSLVehicles SET graphic_path = '" + path + "'");
        auto* thumbnail = ws.get<QLabel>("imgProject");
        QCOMPARE(thumbnail->isVisible(), path == picture);
        if (path == picture)
            QCOMPARE(thumbnail->pixmap().width(), 120);
    }
}

void TestWorksheetWindow::budgetOverviewFollowsChangesAndOpensACategory() {
    Worksheet ws;
    QCOMPARE(ws.tabs()->tabText(5), QStringLiteral("Budget Overview")); // after the old tabs
    ws.clickTab(5);
    auto* panel = ws.get<BudgetOverviewPanel>("BudgetOverview");
    auto engine = [&]() -> BudgetFigures {
        for (const BudgetFigures& f : panel->overview().rows())
            if (f.category == u"ENGINE")
                return f;
        return {};
    };
    const BudgetFigures before = engine();

    // A budget change from elsewhere shows at once on the open tab.
    ws.shell.exec("RSLCategorybudget",
                  "UPDATE RSLCategorybudget SET Budget_amount = 0.01 WHERE Category = "
                  "'ENGINE' AND Cat_vehicle_number = 1");
    QCOMPARE(engine().budget.units(), qint64(100));

    // A forecast line added on the add tab is committed money.
    ws.clickTab(2);
    ws.setText(1, "cmbPartname", "oil pump");
    ws.setText(1, "ioQuantity", "2");
    ws.setText(1, "ioprice", "10.005");
    ws.in<QCheckBox>(1, "chkForecast")->click();
    ws.click("cmdAdd");
    ws.clickTab(5);
    QCOMPARE(engine().committed.units(), before.committed.units() + 200100);
    QCOMPARE(engine().spent, before.spent);

    // A double-click on a category shows its lines in the part summary.
    QTableView* grid = ws.grid("grdBudgetOverview");
    int row = 0;
    while (grid->model()->index(row, 0).data().toString() != u"ENGINE")
        ++row;
    ws.doubleClick(row, "grdBudgetOverview");
    QCOMPARE(ws.tab(), 0);
    QCOMPARE(ws.get<QComboBox>("cmbCatfilter")->currentText(), QStringLiteral("ENGINE"));
    QCOMPARE(ws.rows(), ws.lines("Category = 'ENGINE'"));
}

void TestWorksheetWindow::attachmentsOnTheAddAndDetailPanels() {
    Worksheet ws;
    auto list = [&](int panel) {
        return ws.get<AttachmentList>(panel == 0 ? "attachments0" : "attachments1");
    };
    auto clickIn = [&](int panel, const char* button) {
        QTest::mouseClick(list(panel)->findChild<QPushButton*>(button), Qt::LeftButton);
    };
    auto makeFile = [&](const QString& name, const QByteArray& bytes) {
        const QString path = ws.shell.db.path(name);
        return TestDatabase::writeFile(path, bytes) ? path : QString();
    };
    const QString photo = makeFile(QStringLiteral("Größe O'Neil.png"), Fixtures::png({40, 30}));
    const QString receipt = makeFile("receipt.pdf", "%PDF-1.4 not really\n");

    // On the add panel files wait for the line: chosen, dropped, refused.
    ws.clickTab(2);
    ws.shell.scripted.queueFile(photo);
    clickIn(1, "cmdAttachAdd");
    QCOMPARE(ws.w->pendingChanges(), QStringLiteral("Y"));
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(receipt), QUrl::fromLocalFile(makeFile("empty.txt", {}))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QCoreApplication::sendEvent(list(1), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QCoreApplication::sendEvent(list(1), &drop);
    QVERIFY(ws.said().contains("empty.txt"));
    QCOMPARE(list(1)->stagedFiles(), QStringList({photo, receipt}));

    // A file that vanished before the add stops the whole add.
    const QString gone = makeFile("gone.txt", "soon gone");
    ws.shell.scripted.queueFile(gone);
    clickIn(1, "cmdAttachAdd");
    QVERIFY(QFile::remove(gone));
    ws.setText(1, "cmbPartname", "oil pump");
    const int before = ws.lines();
    ws.click("cmdAdd");
    QVERIFY(ws.said().contains("gone.txt"));
    QCOMPARE(ws.lines(), before);

    // Without it the line and both files are stored together.
    list(1)->findChild<QListWidget*>("lstAttachments")->setCurrentRow(2);
    clickIn(1, "cmdAttachRemove");
    ws.click("cmdAdd");
    const QString sequence =
        ws.sql("SELECT MAX(Sequence_Number) FROM RSLMaster WHERE Part_Name = 'OIL PUMP'");
    QCOMPARE(ws.sql("SELECT group_concat(File_name, '|') FROM RSLAttachments a JOIN RSLMaster m "
                    "ON a.Line_id = m.Line_id WHERE m.Part_Name = 'OIL PUMP' AND "
                    "m.Sequence_Number = " +
                    sequence),
             QStringLiteral("Größe O'Neil.png|receipt.pdf"));
    QVERIFY(list(1)->stagedFiles().isEmpty());

    // On the detail panel: opened through a private copy, removed after a question.
    ws.openLine("OIL PUMP", sequence);
    auto* shown = list(0)->findChild<QListWidget*>("lstAttachments");
    QCOMPARE(shown->count(), 2);
    shown->setCurrentRow(1);
    clickIn(0, "cmdAttachOpen");
    const QString copy = ws.shell.scripted.openedUrls().last().toLocalFile();
    QVERIFY(!copy.startsWith(ws.shell.db.path(".")));
    QCOMPARE(QFile::permissions(copy) & (QFile::ReadOther | QFile::WriteOther | QFile::WriteOwner),
             QFile::Permissions());
    QCOMPARE(TestDatabase::readFile(copy), QByteArray("%PDF-1.4 not really\n"));
    ws.shell.scripted.queueYes();
    clickIn(0, "cmdAttachRemove");
    QCOMPARE(shown->count(), 1);
    QCOMPARE(ws.sql("SELECT COUNT(*) FROM RSLAttachmentData"), QStringLiteral("1"));
}

QTEST_MAIN(TestWorksheetWindow)
#include "test_worksheetwindow.moc"
