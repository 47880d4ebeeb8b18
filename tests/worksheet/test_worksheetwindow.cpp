#include "EntryPanel.h"
#include "FormattedEdit.h"
#include "MaskedDateEdit.h"
#include "TestShell.h"
#include "WorksheetWindow.h"

#include "ChildWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace {

const QString kAddedText = QStringLiteral("Part has been added.");
const QString kTabQuestion = QStringLiteral(
    "You must add or accept your changes on this form before switching tabs. If you continue, you will lose your work. Would you like to continue and lose your work?");

// The worksheet of the sample project 1 inside a test main window.
struct Worksheet {
    TestShell shell;
    WorksheetWindow* w = nullptr;

    explicit Worksheet(const std::function<void(TestShell&)>& before = {}) {
        shell.factories[WindowId::Worksheet] = [](Shell& s) { return new WorksheetWindow(s); };
        shell.factories[WindowId::Maintenance] = [](Shell&) {
            auto* c = new ChildWindow;
            c->setObjectName(QStringLiteral("frmNewother"));
            return c;
        };
        shell.settingsStore->setValue(Settings::kTaxPercentage, "6");
        if (before)
            before(shell);
        shell.openProject(1);
        w = qobject_cast<WorksheetWindow*>(shell.showWindow(WindowId::Worksheet));
    }

    template <typename T> T* get(const char* name) const {
        return w->findChild<T*>(QString::fromLatin1(name));
    }
    template <typename T> T* inPanel(int index, const char* name) const {
        return get<QWidget>(index == 0 ? "panel0" : "panel1")
            ->findChild<T*>(QString::fromLatin1(name));
    }
    QTabWidget* tabs() const { return get<QTabWidget>("SSTab1"); }
    QTableView* grid() const { return get<QTableView>("MSFlexGrid1"); }
    QTableView* results() const { return get<QTableView>("MSFlexGrid2"); }
    static int rows(const QTableView* table) { return table->model()->rowCount(); }
    static QString text(const QTableView* table, int row, int column) {
        return table->model()->index(row, column).data().toString();
    }
    QVariant sql(const QString& query) const {
        return TestDatabase::scalar(shell.db.databasePath(), query);
    }
    int lineCount(const QString& where = QStringLiteral("1")) const {
        return sql("SELECT COUNT(*) FROM RSLMaster WHERE Mas_vehicle_number = 1 AND " + where)
            .toInt();
    }
    void clickTab(int index) {
        QTabBar* bar = tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    void click(const char* button) { QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton); }
    void doubleClick(QTableView* table, int row) {
        const QModelIndex index = table->model()->index(row, 0);
        table->scrollTo(index);
        const QPoint at = table->visualRect(index).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
    }
    // Opens a line of the summary grid in the detail panel.
    void openLine(const QString& name, const QString& sequence) {
        for (int r = 0; r < rows(grid()); ++r)
            if (text(grid(), r, 0) == name && text(grid(), r, 3) == sequence) {
                doubleClick(grid(), r);
                return;
            }
        QFAIL("no such line in the grid");
    }
    QStringList gridColumn(QTableView* table, int column = 0) const {
        QStringList out;
        for (int r = 0; r < rows(table); ++r)
            out << text(table, r, column);
        return out;
    }
    void type(int panel, const char* field, const QString& text) {
        QWidget* target = inPanel<QWidget>(panel, field);
        if (auto* box = qobject_cast<QComboBox*>(target)) {
            box->setEditText(text);
        } else if (auto* amount = qobject_cast<FormattedEdit*>(target)) {
            amount->setRawText(text);
        } else {
            target->setFocus();
            QTest::keyClicks(target, text);
        }
    }
    void chooseFilter(const char* list, const QString& text) {
        auto* box = get<QComboBox>(list);
        box->setFocus();
        const int i = box->findText(text);
        QVERIFY(i >= 0);
        box->setCurrentIndex(i);
        Q_EMIT box->activated(i);
    }
    QString status() const { return shell.appState.statusText(2); }
};

} // namespace

class TestWorksheetWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void openingShowsTheProjectsLines();
    void aProjectWithoutLinesOpensOnTheAddTab();
    void addingALine();
    void unknownPartGoesToMaintenanceAndComesBack();
    void refusalsStoreNothing();
    void acceptKeepsOrRenewsTheSequenceNumber();
    void vanishedLineIsReportedNotOverwritten();
    void deleting();
    void statusFiltersShowTheHighestStatus();
    void listFiltersAndTheStatusBar();
    void tabQuestionGuardsUnsavedInput();
    void closingAsksAboutUnsavedInput();
    void searchByPartName();
    void projectPictureThumbnail();
};

void TestWorksheetWindow::openingShowsTheProjectsLines() {
    Worksheet ws;
    QVERIFY(ws.w);
    QCOMPARE(ws.w->objectName(), QStringLiteral("frmNewmain"));
    QCOMPARE(ws.w->windowTitle(), QStringLiteral("Project - 1986 FORD MUSTANG"));
    QCOMPARE(ws.tabs()->currentIndex(), 0);
    QVERIFY(!ws.tabs()->isTabEnabled(1));
    QVERIFY(ws.tabs()->isTabEnabled(3) && ws.tabs()->isTabEnabled(4));
    QCOMPARE(ws.rows(ws.grid()), ws.lineCount());
    QStringList names = ws.gridColumn(ws.grid());
    QCOMPARE(names.first(), QStringLiteral("ALTERNATOR"));
    QStringList sorted = names;
    sorted.sort();
    QCOMPARE(names, sorted);
    QVERIFY(ws.grid()->isColumnHidden(3));
    QCOMPARE(ws.grid()->model()->headerData(1, Qt::Horizontal).toString(),
             QStringLiteral("Manufacturer"));
    QCOMPARE(ws.status(), QStringLiteral("All Parts For Project"));
    QCOMPARE(ws.shell.appState.marker("frmnewmainopen"), QStringLiteral("Y"));
    QCOMPARE(ws.shell.store->recordSet(Command::RSLMaster).filter(),
             QStringLiteral("mas_vehicle_number = 1"));
    QCOMPARE(ws.w->pendingChanges(), QStringLiteral("N"));
    QCOMPARE(ws.get<QComboBox>("cmbCatfilter")->currentText(), QStringLiteral("(ALL CATEGORIES)"));
    QCOMPARE(ws.get<QComboBox>("cmbVenFilter")->count(), 7);
    QVERIFY(ws.get<QRadioButton>("opta")->isChecked());
    QVERIFY(ws.inPanel<QCheckBox>(0, "chkTaxable")->isChecked());

    // The detail tab cannot be clicked; a double-click opens the line there.
    ws.clickTab(1);
    QCOMPARE(ws.tabs()->currentIndex(), 0);
    ws.openLine("BRAKE PAD SET", "2");
    QCOMPARE(ws.tabs()->currentIndex(), 1);
    QVERIFY(ws.tabs()->isTabEnabled(1));
    QCOMPARE(ws.inPanel<QLineEdit>(0, "ioPartnumber")->text(), QStringLiteral("BH-S442"));
    QCOMPARE(ws.w->pendingChanges(), QStringLiteral("N"));
    ws.clickTab(0);
    QVERIFY(!ws.tabs()->isTabEnabled(1));
}

void TestWorksheetWindow::aProjectWithoutLinesOpensOnTheAddTab() {
    Worksheet ws([](TestShell& s) {
        QVERIFY(s.store->execute("RSLMaster", "DELETE FROM RSLMaster WHERE Mas_vehicle_number = 1")
                    .ok());
    });
    QCOMPARE(ws.tabs()->currentIndex(), 2);
    QVERIFY(!ws.tabs()->isTabEnabled(3) && !ws.tabs()->isTabEnabled(4));
    QCOMPARE(ws.rows(ws.grid()), 0);
    QVERIFY(!ws.inPanel<QCheckBox>(1, "chkTaxable")->isChecked());
    QCOMPARE(ws.w->pendingChanges(), QStringLiteral("N"));

    ws.type(1, "cmbPartname", "WHEELS");
    ws.click("cmdAdd");
    QCOMPARE(ws.shell.scripted.lastText(), kAddedText);
    QVERIFY(ws.tabs()->isTabEnabled(3) && ws.tabs()->isTabEnabled(4));
    QCOMPARE(ws.rows(ws.grid()), 1);
}

void TestWorksheetWindow::addingALine() {
    Worksheet ws([](TestShell& s) {
        // OIL PUMP's highest number is in another project.
        QVERIFY(s.store
                    ->execute("RSLMaster", "INSERT INTO RSLMaster (Part_Name, Sequence_Number, "
                                           "Mas_vehicle_number) VALUES ('OIL PUMP', 4, 2)")
                    .ok());
    });
    ws.clickTab(4);
    ws.get<QRadioButton>("Optp")->click();
    ws.clickTab(2);
    QCOMPARE(ws.tabs()->currentIndex(), 2);
    QCOMPARE(ws.inPanel<FormattedEdit>(1, "ioQuantity")->rawText(), QStringLiteral("0"));
    QVERIFY(!ws.inPanel<QCheckBox>(1, "chkTaxable")->isChecked());
    QCOMPARE(ws.w->pendingChanges(), QStringLiteral("N"));

    ws.type(1, "cmbPartname", "oil pump");
    QCOMPARE(ws.inPanel<QComboBox>(1, "cmbCategory")->currentText(), QStringLiteral("ENGINE"));
    ws.type(1, "cmbManufacturer", "o'hara pumps");
    ws.type(1, "cmbVendor", "gearhead direct");
    ws.type(1, "ioPartnumber", "hv-55");
    ws.inPanel<QCheckBox>(1, "chkTaxable")->click();
    ws.type(1, "ioQuantity", "3");
    ws.type(1, "ioprice", "1.99");
    QCOMPARE(ws.w->pendingChanges(), QStringLiteral("Y"));
    const int before = ws.lineCount();

    ws.click("cmdAdd");
    QCOMPARE(ws.shell.scripted.texts(), QStringList{kAddedText});
    QCOMPARE(ws.inPanel<QComboBox>(1, "cmbPartname")->currentText(), QStringLiteral("OIL PUMP"));
    QCOMPARE(ws.sql("SELECT Sequence_Number || '|' || Manufacturer || '|' || Part_Number || '|' || "
                    "Tax_amount || '|' || Total_cost || '|' || Category || '|' || (Notes IS NULL) "
                    "FROM RSLMaster WHERE Part_Name = 'OIL PUMP' AND Mas_vehicle_number = 1 AND "
                    "Sequence_Number > 1")
                 .toString(),
             QStringLiteral("5|O'HARA PUMPS|hv-55|0.3582|6.3282|ENGINE|1"));
    QCOMPARE(
        ws.sql("SELECT COUNT(*) FROM RSLManufacturer WHERE manufacturer = 'O''HARA PUMPS'").toInt(),
        1);
    // Back on the summary with every filter at its default.
    QCOMPARE(ws.tabs()->currentIndex(), 0);
    QCOMPARE(ws.w->pendingChanges(), QStringLiteral("N"));
    QVERIFY(ws.get<QRadioButton>("opta")->isChecked());
    QCOMPARE(ws.rows(ws.grid()), before + 1);
    QCOMPARE(ws.status(), QStringLiteral("All Parts For Project"));
}

void TestWorksheetWindow::unknownPartGoesToMaintenanceAndComesBack() {
    Worksheet ws;
    ws.clickTab(2);
    ws.type(1, "cmbPartname", "flux capacitor");
    QCOMPARE(ws.inPanel<QComboBox>(1, "cmbCategory")->currentText(), QString());
    const int before = ws.lineCount();
    ws.click("cmdAdd");
    QCOMPARE(ws.shell.scripted.lastText(),
             QStringLiteral("You have entered a part name that does not exist and has not been "
                            "assigned to a category. You must add the part through part "
                            "maintenance before you can use it in the project."));
    QCOMPARE(ws.shell.appState.addpart, QStringLiteral("Y"));
    QCOMPARE(ws.shell.appState.passpart, QStringLiteral("FLUX CAPACITOR"));
    QCOMPARE(ws.shell.appState.addpartPanel, 1);
    QCOMPARE(ws.shell.shown.last(), WindowId::Maintenance);
    QCOMPARE(ws.lineCount(), before);
    QCOMPARE(ws.tabs()->currentIndex(), 2);

    // The maintenance window adds the part and hands the name back.
    ws.inPanel<QComboBox>(1, "cmbPartname")->setEditText(QString());
    QVERIFY(ws.shell.store
                ->execute("RSLParts", "INSERT INTO RSLParts (Part_Name, Category) VALUES ('FLUX "
                                      "CAPACITOR', 'ELECTRICAL')")
                .ok());
    ws.shell.appState.handBackPart("FLUX CAPACITOR");
    QCOMPARE(ws.inPanel<QComboBox>(1, "cmbPartname")->currentText(),
             QStringLiteral("FLUX CAPACITOR"));
    QCOMPARE(ws.inPanel<QComboBox>(1, "cmbCategory")->currentText(), QStringLiteral("ELECTRICAL"));
    QVERIFY(!ws.shell.appState.hasHandBack());
}

void TestWorksheetWindow::refusalsStoreNothing() {
    Worksheet ws;
    const int before = ws.lineCount();
    ws.clickTab(2);
    ws.click("cmdAdd");
    QCOMPARE(ws.shell.scripted.lastText(),
             QStringLiteral("You must enter or select a part name to continue."));

    // Purchased fills in today's date; a line whose date was removed is refused.
    ws.type(1, "cmbPartname", "TIRES");
    ws.inPanel<QCheckBox>(1, "chkPurchased")->click();
    auto* date = ws.inPanel<MaskedDateEdit>(1, "iopurchasedate");
    QCOMPARE(date->value(), QDate::currentDate().toString("MM/dd/yyyy"));
    date->setValue(QString());
    ws.click("cmdAdd");
    const QString dateMessage =
        QStringLiteral("You must enter a purchase date if you have marked part as purchased.");
    QCOMPARE(ws.shell.scripted.lastText(), dateMessage);
    QCOMPARE(ws.tabs()->currentIndex(), 2);
    QCOMPARE(ws.w->pendingChanges(), QStringLiteral("Y"));

    ws.type(1, "ioprice", "999999999999999");
    ws.type(1, "ioQuantity", "9");
    date->setValue("05/01/2025");
    ws.shell.scripted.clear();
    ws.click("cmdAdd");
    QCOMPARE(ws.shell.scripted.texts().size(), 1);
    QVERIFY(ws.shell.scripted.lastText().startsWith("The amount is too large"));
    QCOMPARE(ws.lineCount(), before);

    // On Accept the empty date of the picker counts as missing too.
    ws.shell.scripted.queueYes();
    ws.clickTab(0);
    ws.openLine("TRUNK SEAL", "1");
    ws.inPanel<MaskedDateEdit>(0, "iopurchasedate")->setValue("01/01/0001");
    ws.click("cmdAccept");
    QCOMPARE(ws.shell.scripted.lastText(), dateMessage);
    QCOMPARE(
        ws.sql("SELECT Purchase_date FROM RSLMaster WHERE Part_Name = 'TRUNK SEAL'").toString(),
        QStringLiteral("09/30/2025"));
}

void TestWorksheetWindow::acceptKeepsOrRenewsTheSequenceNumber() {
    Worksheet ws;
    ws.openLine("BRAKE PAD SET", "2");
    ws.inPanel<QLineEdit>(0, "ioPartnumber")->setText("BH-S443");
    ws.click("cmdAccept");
    QCOMPARE(ws.shell.scripted.lastText(), QStringLiteral("Part has been changed."));
    QCOMPARE(ws.tabs()->currentIndex(), 0);
    QCOMPARE(ws.sql("SELECT Part_Number FROM RSLMaster WHERE Part_Name = 'BRAKE PAD SET' AND "
                    "Sequence_Number = 2")
                 .toString(),
             QStringLiteral("BH-S443"));

    ws.openLine("BRAKE PAD SET", "2");
    ws.type(0, "cmbPartname", "epoxy primer");
    QCOMPARE(ws.inPanel<QComboBox>(0, "cmbCategory")->currentText(), QStringLiteral("PAINT"));
    ws.click("cmdAccept");
    QCOMPARE(ws.sql("SELECT Category || '|' || Part_Number FROM RSLMaster WHERE Part_Name = "
                    "'EPOXY PRIMER' AND Sequence_Number = 3")
                 .toString(),
             QStringLiteral("PAINT|BH-S443"));
    QCOMPARE(ws.lineCount("Part_Name = 'BRAKE PAD SET'"), 1);
    QVERIFY(ws.gridColumn(ws.grid(), 3).count() == ws.lineCount());
}

void TestWorksheetWindow::vanishedLineIsReportedNotOverwritten() {
    Worksheet ws;
    const QString missing = PartLineStore::kMissingMessage;
    ws.openLine("CLUTCH KIT", "1");
    ws.inPanel<QLineEdit>(0, "ioPartnumber")->setText("CHANGED");
    QVERIFY(
        ws.shell.store->execute("RSLMaster", "DELETE FROM RSLMaster WHERE Part_Name = 'CLUTCH KIT'")
            .ok());
    const QString before = ws.sql("SELECT group_concat(Part_Number) FROM RSLMaster").toString();
    ws.click("cmdAccept");
    QCOMPARE(ws.shell.scripted.lastText(), missing);
    QCOMPARE(ws.sql("SELECT group_concat(Part_Number) FROM RSLMaster").toString(), before);
    QCOMPARE(ws.tabs()->currentIndex(), 0);
    QCOMPARE(ws.rows(ws.grid()), ws.lineCount());
    QVERIFY(!ws.gridColumn(ws.grid()).contains("CLUTCH KIT"));

    ws.openLine("U-JOINTS", "1");
    QVERIFY(
        ws.shell.store->execute("RSLMaster", "DELETE FROM RSLMaster WHERE Part_Name = 'U-JOINTS'")
            .ok());
    const int left = ws.lineCount();
    ws.shell.scripted.queueYes();
    ws.click("cmdDelete");
    QCOMPARE(ws.shell.scripted.lastText(), missing);
    QCOMPARE(ws.lineCount(), left);
    QCOMPARE(ws.rows(ws.grid()), left);
}

void TestWorksheetWindow::deleting() {
    Worksheet ws([](TestShell& s) {
        QVERIFY(s.store
                    ->execute("RSLMaster", "DELETE FROM RSLMaster WHERE Mas_vehicle_number = 1 "
                                           "AND Part_Name <> 'DASH PAD'")
                    .ok());
        QVERIFY(s.store
                    ->execute("RSLMaster", "INSERT INTO RSLMaster (Part_Name, Sequence_Number, "
                                           "Mas_vehicle_number) VALUES ('DASH PAD', 3, 2)")
                    .ok());
    });
    QCOMPARE(ws.rows(ws.grid()), 1);
    ws.openLine("DASH PAD", ws.text(ws.grid(), 0, 3));
    const QString sequence = ws.text(ws.grid(), 0, 3);

    ws.shell.scripted.queueNo();
    ws.click("cmdDelete");
    QCOMPARE(ws.shell.scripted.messages().last().kind, ScriptedToolkit::Kind::YesNo);
    QCOMPARE(ws.shell.scripted.lastText(),
             QStringLiteral("Are you sure you want to delete the current part?"));
    QCOMPARE(ws.tabs()->currentIndex(), 0);
    QCOMPARE(ws.lineCount(), 1);

    ws.openLine("DASH PAD", sequence);
    ws.shell.scripted.queueYes();
    ws.click("cmdDelete");
    QCOMPARE(ws.shell.scripted.lastText(), QStringLiteral("Part has been deleted."));
    QCOMPARE(ws.lineCount(), 0);
    // The other project's line of the same name stays.
    QCOMPARE(ws.sql("SELECT COUNT(*) FROM RSLMaster WHERE Part_Name = 'DASH PAD'").toInt(), 1);
    QCOMPARE(ws.tabs()->currentIndex(), 0);
    QVERIFY(!ws.tabs()->isTabEnabled(3) && !ws.tabs()->isTabEnabled(4));
    QCOMPARE(ws.rows(ws.grid()), 0);
}

void TestWorksheetWindow::statusFiltersShowTheHighestStatus() {
    Worksheet ws;
    ws.clickTab(4);
    struct Case {
        const char* option;
        QString where;
        QString status;
    };
    const Case cases[] = {
        {"Optp", "Purchased = 1",
         "All Manufacturers , All Vendors , All Categories , Purchased Parts Only"},
        {"optf", "Purchased = 0 AND Forecast = 1",
         "All Manufacturers , All Vendors , All Categories , Forecasted Parts Only"},
        {"opts", "Purchased = 0 AND Forecast = 0 AND Selected = 1",
         "All Manufacturers , All Vendors , All Categories , Selected Parts Only"},
        {"opta", "1", "All Parts For Project"},
    };
    for (const Case& c : cases) {
        ws.get<QRadioButton>(c.option)->click();
        QCOMPARE(ws.rows(ws.grid()), ws.lineCount(c.where));
        QVERIFY(ws.rows(ws.grid()) > 0);
        QCOMPARE(ws.status(), c.status);
    }
}

void TestWorksheetWindow::listFiltersAndTheStatusBar() {
    Worksheet ws([](TestShell& s) {
        QVERIFY(s.store
                    ->execute("RSLVendor",
                              "INSERT INTO RSLVendor (vendor_name) VALUES ('JOE''S GARAGE')")
                    .ok());
        QVERIFY(s.store
                    ->execute("RSLMaster", "INSERT INTO RSLMaster (Part_Name, Vendor, "
                                           "Sequence_Number, Mas_vehicle_number, Selected) VALUES "
                                           "('DASH PAD', 'JOE''S GARAGE', 2, 1, 1)")
                    .ok());
    });
    ws.clickTab(4);
    ws.chooseFilter("cmbVenFilter", "TRI-COUNTY SWAP MEET");
    QCOMPARE(ws.rows(ws.grid()), ws.lineCount("Vendor = 'TRI-COUNTY SWAP MEET'"));
    QCOMPARE(
        ws.status(),
        QStringLiteral(
            "All Manufacturers , Vendor: TRI-COUNTY SWAP MEET , All Categories , All Statuses"));

    ws.chooseFilter("cmbVenFilter", "JOE'S GARAGE");
    QCOMPARE(ws.gridColumn(ws.grid()), QStringList{"DASH PAD"});

    // Entering a list shows its all-values item again; the grid stays until a choice.
    ws.get<QRadioButton>("opta")->setFocus();
    ws.get<QComboBox>("cmbVenFilter")->setFocus();
    QCOMPARE(ws.get<QComboBox>("cmbVenFilter")->currentText(), QStringLiteral("(ALL VENDORS)"));
    QCOMPARE(ws.rows(ws.grid()), 1);

    // A choice without lines leaves the filter tab but closes the search.
    ws.chooseFilter("cmbCatfilter", "EXHAUST");
    QCOMPARE(ws.rows(ws.grid()), 0);
    QVERIFY(!ws.tabs()->isTabEnabled(3));
    QVERIFY(ws.tabs()->isTabEnabled(4));
    QCOMPARE(ws.status(),
             QStringLiteral("All Manufacturers , All Vendors , Category: EXHAUST , All Statuses"));

    ws.click("cmdDefault");
    QCOMPARE(ws.rows(ws.grid()), ws.lineCount());
    QVERIFY(ws.tabs()->isTabEnabled(3));
    QCOMPARE(ws.status(), QStringLiteral("All Parts For Project"));
}

void TestWorksheetWindow::tabQuestionGuardsUnsavedInput() {
    Worksheet ws;
    ws.clickTab(2);
    ws.type(1, "ioPartnumber", "X-1");
    QCOMPARE(ws.w->pendingChanges(), QStringLiteral("Y"));

    ws.shell.scripted.queueNo();
    ws.clickTab(0);
    QCOMPARE(ws.shell.scripted.messages().size(), 1);
    QCOMPARE(ws.shell.scripted.messages().last().kind, ScriptedToolkit::Kind::YesNoHelp);
    QCOMPARE(ws.shell.scripted.messages().last().title, QStringLiteral("Rastrel - Project"));
    QCOMPARE(ws.shell.scripted.lastText(), kTabQuestion);
    QCOMPARE(ws.tabs()->currentIndex(), 2);
    QCOMPARE(ws.inPanel<QLineEdit>(1, "ioPartnumber")->text(), QStringLiteral("X-1"));

    ws.shell.scripted.queueYes();
    ws.clickTab(0);
    QCOMPARE(ws.tabs()->currentIndex(), 0);
    QCOMPARE(ws.w->pendingChanges(), QStringLiteral("N"));
    QCOMPARE(ws.shell.scripted.messages().size(), 2);
    ws.clickTab(2);
    QCOMPARE(ws.inPanel<QLineEdit>(1, "ioPartnumber")->text(), QString());

    // Opening a line with input pending asks too; No stays on the summary.
    ws.clickTab(0);
    ws.clickTab(2);
    ws.type(1, "ioPartnumber", "X-2");
    ws.shell.scripted.queueYes();
    ws.clickTab(0);
    ws.type(1, "ioPartnumber", "3");
    ws.shell.scripted.queueNo();
    ws.openLine("WHEELS", "1");
    QCOMPARE(ws.tabs()->currentIndex(), 0);
    QVERIFY(!ws.tabs()->isTabEnabled(1));
}

void TestWorksheetWindow::closingAsksAboutUnsavedInput() {
    Worksheet ws;
    ws.clickTab(2);
    ws.type(1, "ioNotes", "half done");
    ws.shell.scripted.queueYes();
    QVERIFY(!ws.shell.closeWindow(WindowId::Worksheet));
    QCOMPARE(ws.shell.scripted.lastText(),
             QStringLiteral("Would you like to save your changes before leaving this form?"));
    QVERIFY(ws.shell.window(WindowId::Worksheet));
    QCOMPARE(ws.status(), QStringLiteral("All Parts For Project"));

    ws.shell.scripted.queueNo();
    QVERIFY(ws.shell.closeWindow(WindowId::Worksheet));
    QCOMPARE(ws.status(), QString());
    QCOMPARE(ws.shell.appState.marker("frmnewmainopen"), QString());
}

void TestWorksheetWindow::searchByPartName() {
    Worksheet ws;
    ws.clickTab(4);
    ws.get<QRadioButton>("Optp")->click();
    ws.chooseFilter("cmbCatfilter", "PAINT");
    ws.clickTab(3);
    QTableView* results = ws.results();
    auto* text = ws.get<QLineEdit>("iopartnamesearch");
    QCOMPARE(ws.rows(results), 0);

    text->setFocus();
    QTest::keyClicks(text, "pad s");
    QTest::keyClick(text, Qt::Key_Return);
    QCOMPARE(text->text(), QStringLiteral("PAD S"));
    QCOMPARE(ws.gridColumn(results, 3), (QStringList{"1", "2"}));
    QCOMPARE(ws.gridColumn(results), (QStringList{"BRAKE PAD SET", "BRAKE PAD SET"}));
    // The search resets the filters: the summary shows every line again.
    QVERIFY(ws.get<QRadioButton>("opta")->isChecked());
    QCOMPARE(ws.get<QComboBox>("cmbCatfilter")->currentText(), QStringLiteral("(ALL CATEGORIES)"));
    QCOMPARE(ws.rows(ws.grid()), ws.lineCount());

    // Select without picking a row opens the last match.
    ws.click("cmdSelect");
    QCOMPARE(ws.tabs()->currentIndex(), 1);
    QCOMPARE(ws.inPanel<QLineEdit>(0, "ioPartnumber")->text(), QStringLiteral("BH-S442"));

    ws.clickTab(3);
    text->setText("zz");
    ws.click("cmdSearch");
    QCOMPARE(ws.gridColumn(results), QStringList{"No Matches Found"});
    QVERIFY(!results->isEnabled());
    QVERIFY(!ws.get<QPushButton>("cmdSelect")->isEnabled());

    text->clear();
    ws.click("cmdSearch");
    QCOMPARE(ws.rows(results), ws.lineCount());
    QVERIFY(ws.get<QPushButton>("cmdSelect")->isEnabled());
    ws.doubleClick(results, 0);
    QCOMPARE(ws.tabs()->currentIndex(), 1);
    QCOMPARE(ws.inPanel<QComboBox>(0, "cmbPartname")->currentText(), QStringLiteral("ALTERNATOR"));
}

void TestWorksheetWindow::projectPictureThumbnail() {
    QString picture;
    {
        Worksheet ws([&](TestShell& s) {
            picture = s.db.path("mustang.bmp");
            QImage image(400, 200, QImage::Format_RGB32);
            image.fill(Qt::darkRed);
            QVERIFY(image.save(picture));
            QVERIFY(
                s.store
                    ->execute("RSLVehicles",
                              "UPDATE RSLVehicles SET graphic_path = ? WHERE vehicle_number = 1",
                              {picture})
                    .ok());
        });
        auto* thumbnail = ws.get<QLabel>("imgProject");
        QVERIFY(thumbnail->isVisible());
        QVERIFY(thumbnail->pixmap().width() <= thumbnail->width());
        QCOMPARE(thumbnail->pixmap().width(), 120);
    }
    Worksheet plain;
    QVERIFY(plain.get<QLabel>("imgProject")->isHidden());
    Worksheet broken([](TestShell& s) {
        QVERIFY(s.store
                    ->execute("RSLVehicles",
                              "UPDATE RSLVehicles SET graphic_path = '/no/such/file.bmp'")
                    .ok());
    });
    QVERIFY(broken.get<QLabel>("imgProject")->isHidden());
}

QTEST_MAIN(TestWorksheetWindow)
#include "test_worksheetwindow.moc"
