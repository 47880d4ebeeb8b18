#include "AppFiles.h"
#include "DataTable.h"
#include "Fixtures.h"
#include "ListDriver.h"
#include "MaintenanceWindow.h"
#include "SimpleComboBox.h"
#include "StubWindow.h"
#include "TestShell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using Fixtures::count;

using ListDriver::iconImage;

class TestMaintenanceWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void init();
    void cleanup();

    void opensWithEveryControl();
    void emptyListsAskForAFirstEntry();
    void doubleQuotesBeepApostrophesPass();
    void apostropheNamesAddChangeAndDelete_data();
    void apostropheNamesAddChangeAndDelete();
    void clickingAnEntryLoadsItsFields();
    void tabSwitchAsksAfterAListClick();
    void closingAsksWhileInputIsPending();
    void activationEmptiesEveryTab();
    void handOverOpensThePartsTabAndHandsBack();
    void partButtonsConvertAndCheck();
    void renameClosesTheWorksheet();
    void vendorAndCategoryAdds();
    void failedWriteShowsTheDatabaseMessage();

private:
    MaintenanceWindow* open();
    template <typename T = QWidget> T* find(const char* name) {
        T* w = m_window->findChild<T*>(name);
        if (!w)
            qFatal("no control named %s", name);
        return w;
    }
    SimpleComboBox* combo(const char* name) { return find<SimpleComboBox>(name); }
    void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    void clickEntry(const char* comboName, const QString& text);
    void type(QLineEdit* field, const QString& text) {
        field->clear();
        QTest::keyClicks(field, text);
    }

    std::unique_ptr<TestShell> m_shell;
    MaintenanceWindow* m_window = nullptr;
};

void TestMaintenanceWindow::init() {
    m_shell = std::make_unique<TestShell>();
    m_shell->openProject(1);
    m_shell->factories[WindowId::Maintenance] = [](Shell& s) { return new MaintenanceWindow(s); };
    // Stands in for the project worksheet, which renames close.
    m_shell->factories[WindowId::Worksheet] = [](Shell& s) {
        return new StubWindow(s, WindowId::Worksheet);
    };
}

void TestMaintenanceWindow::cleanup() {
    m_window = nullptr;
    m_shell.reset();
}

MaintenanceWindow* TestMaintenanceWindow::open() {
    m_window = qobject_cast<MaintenanceWindow*>(m_shell->showWindow(WindowId::Maintenance));
    return m_window;
}

void TestMaintenanceWindow::clickEntry(const char* comboName, const QString& text) {
    QListWidget* list = combo(comboName)->list();
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    list->scrollToItem(items.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(items.first()).center());
}

void TestMaintenanceWindow::opensWithEveryControl() {
    // What the lists hold is the catalogues' business; the window fills them all.
    QVERIFY(open());
    QVERIFY(!find<QPushButton>("cmdchange")->isEnabled());
    QCOMPARE(combo("cmbpartdatabase")->list()->count(),
             count(m_shell->data(), "SELECT COUNT(*) FROM RSLParts"));
}
void TestMaintenanceWindow::emptyListsAskForAFirstEntry() {
    m_shell->exec("RSLVendor", "DELETE FROM RSLVendor");
    open();
    m_window->selectTab(1);
    QListWidget* list = combo("cmbvendordatabase")->list();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(m_shell->scripted.lastText().contains("must add a vendor"));
    QVERIFY(find<QPushButton>("cmdchange2")->isEnabled());
}
void TestMaintenanceWindow::doubleQuotesBeepApostrophesPass() {
    open();
    for (QLineEdit* field :
         {combo("cmbvendordatabase")->edit(), find<QLineEdit>("iovendorphone")}) {
        const int beeps = m_shell->scripted.beeps();
        QTest::keyClicks(field, "O'HARA \"X\"");
        QCOMPARE(field->text(), QString("O'HARA X"));
        QCOMPARE(m_shell->scripted.beeps(), beeps + 2);
    }
}
void TestMaintenanceWindow::apostropheNamesAddChangeAndDelete_data() {
    DataTable::columns<int, QString, QStringList, QString, QString, QString>(
        "tab", "combo", "buttons", "subject", "table", "column");
    const auto row = [](int tab, const char* combo, const QString& suffix, const char* subject,
                        const char* table, const char* column) {
        const QStringList buttons =
            suffix.isEmpty()
                ? QStringList{"cmdAdd", "cmdchange", "cmdDelete"}
                : QStringList{"cmdadd" + suffix, "cmdchange" + suffix, "cmddelete" + suffix};
        QTest::newRow(table) << tab << QString(combo) << buttons << QString(subject)
                             << QString(table) << QString(column);
    };
    row(0, "cmbpartdatabase", "", "Part", "RSLParts", "Part_Name");
    row(1, "cmbvendordatabase", "2", "Vendor", "RSLVendor", "vendor_name");
    row(3, "cmbcategorydatabase", "4", "Category", "RSLCategories", "Category");
}

void TestMaintenanceWindow::apostropheNamesAddChangeAndDelete() {
    QFETCH(int, tab);
    QFETCH(QString, combo);
    QFETCH(QStringList, buttons);
    QFETCH(QString, subject);
    QFETCH(QString, table);
    QFETCH(QString, column);
    const QByteArray comboName = combo.toLatin1();
    auto press = [&](int which) {
        QTest::mouseClick(find<QPushButton>(buttons[which].toLatin1().constData()), Qt::LeftButton);
    };
    auto stored = [&](const QString& name) {
        return count(m_shell->data(), QString("SELECT COUNT(*) FROM %1 WHERE %2 = '%3'")
                                          .arg(table, column, QString(name).replace("'", "''")));
    };
    open();
    m_window->selectTab(tab);
    SimpleComboBox* names = this->combo(comboName.constData());

    // Typed key by key, as the user would.
    type(names->edit(), "o'reilly");
    if (tab == 0)
        type(find<QComboBox>("cmbCategory")->lineEdit(), "engine");
    press(0);
    QCOMPARE(m_shell->scripted.lastText(), subject + " has been added.");
    QCOMPARE(stored("O'REILLY"), 1);

    clickEntry(comboName.constData(), "O'REILLY");
    type(names->edit(), "o'reilly's");
    press(1);
    QCOMPARE(m_shell->scripted.lastText(), subject + " has been changed.");
    QCOMPARE(stored("O'REILLY"), 0);
    QCOMPARE(stored("O'REILLY'S"), 1);

    clickEntry(comboName.constData(), "O'REILLY'S");
    press(2);
    QCOMPARE(m_shell->scripted.lastText(), subject + " has been deleted.");
    QCOMPARE(stored("O'REILLY'S"), 0);
    QVERIFY(names->list()->findItems("O'REILLY'S", Qt::MatchExactly).isEmpty());
}

void TestMaintenanceWindow::clickingAnEntryLoadsItsFields() {
    open();
    clickEntry("cmbpartdatabase", "RADIATOR");
    QCOMPARE(find<QComboBox>("cmbCategory")->currentText(), QString("COOLING"));
    QVERIFY(find<QPushButton>("cmdchange")->isEnabled());

    m_shell->scripted.queueYes();
    m_window->selectTab(1);
    clickEntry("cmbvendordatabase", "HIGHLINE RESTORATION SUPPLY");
    QVERIFY(find<QCheckBox>("chkordercatalog")->isChecked());
    clickEntry("cmbvendordatabase", "TRI-COUNTY SWAP MEET");
    QCOMPARE(find<QLineEdit>("iovendorwebsite")->text(), QString("WWW.TRICOUNTYSWAP.EXAMPLE"));
    QVERIFY(!find<QCheckBox>("chkordercatalog")->isChecked());

    // The arrow keys choose as they move.
    QListWidget* list = combo("cmbvendordatabase")->list();
    list->setFocus();
    QTRY_VERIFY(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(m_window->rememberedEntry(1), QString("NORTHFIELD PAINT AND BODY SUPPLY"));
    QCOMPARE(find<QLineEdit>("iovendorphone")->text(), QString("507-555-0150"));
}
void TestMaintenanceWindow::tabSwitchAsksAfterAListClick() {
    open();
    clickEntry("cmbpartdatabase", "RADIATOR");
    m_shell->scripted.queueNo();
    m_window->selectTab(1);
    QVERIFY(m_shell->scripted.lastText().contains("before switching tabs"));
    QCOMPARE(m_window->currentTab(), 0);
    QCOMPARE(combo("cmbpartdatabase")->text(), QString("RADIATOR"));

    m_shell->scripted.queueYes();
    m_window->selectTab(3);
    QCOMPARE(m_window->currentTab(), 3);
    QCOMPARE(combo("cmbpartdatabase")->text(), QString());
    QCOMPARE(iconImage(m_window->windowIcon()), iconImage(AppFiles::icon("category.ico")));
    // Nothing pending now: the next switch asks nothing.
    m_window->selectTab(0);
    QCOMPARE(m_shell->scripted.messages().size(), 2);
}
void TestMaintenanceWindow::closingAsksWhileInputIsPending() {
    open();
    clickEntry("cmbcategorydatabase", "PAINT");
    m_shell->scripted.queueYes();
    QVERIFY(!m_window->closeWindow());
    QVERIFY(m_shell->scripted.lastText().contains("save your changes"));
    m_shell->scripted.queueNo();
    QVERIFY(m_window->closeWindow());
    QCOMPARE(m_shell->appState.marker("frmnewotheropen"), QString());
}
void TestMaintenanceWindow::activationEmptiesEveryTab() {
    open();
    m_window->selectTab(1);
    clickEntry("cmbvendordatabase", "GEARHEAD DIRECT");
    type(find<QLineEdit>("iovendorphone"), "555");
    m_shell->showWindow(WindowId::Worksheet);
    m_shell->showWindow(WindowId::Maintenance);
    QCOMPARE(m_window->currentTab(), 1);
    QCOMPARE(combo("cmbvendordatabase")->text(), QString());
    QCOMPARE(find<QLineEdit>("iovendorphone")->text(), QString());
    QVERIFY(!m_window->hasPendingChanges());
}
void TestMaintenanceWindow::handOverOpensThePartsTabAndHandsBack() {
    AppState& state = m_shell->appState;
    state.addpart = "Y";
    state.passpart = "CHROME BUMPER";
    state.addpartPanel = 0;
    // Opened from the Vendors menu: the pending hand-over wins.
    auto* w = new MaintenanceWindow(*m_shell);
    w->selectTab(1);
    m_shell->addWindow(WindowId::Maintenance, w);
    m_window = w;
    QCOMPARE(w->currentTab(), 0);
    QCOMPARE(combo("cmbpartdatabase")->text(), QString("CHROME BUMPER"));

    // A rename hands nothing back.
    clickEntry("cmbpartdatabase", "HEADLINER");
    type(combo("cmbpartdatabase")->edit(), "HEADLINER BOARD");
    click("cmdchange");
    QVERIFY(!state.hasHandBack());

    type(combo("cmbpartdatabase")->edit(), "chrome bumper");
    type(find<QComboBox>("cmbCategory")->lineEdit(), "body");
    click("cmdAdd");
    const auto back = state.takeHandBack(1);
    QVERIFY(back);
    QCOMPARE(back->name, QString("CHROME BUMPER"));
    QCOMPARE(back->panel, 0);
    // The next activation no longer fills the name in.
    m_shell->showWindow(WindowId::Worksheet);
    m_shell->showWindow(WindowId::Maintenance);
    QCOMPARE(combo("cmbpartdatabase")->text(), QString());
}

void TestMaintenanceWindow::partButtonsConvertAndCheck() {
    // A refused part keeps what was typed, in capitals.
    open();
    type(combo("cmbpartdatabase")->edit(), "spoiler");
    type(find<QComboBox>("cmbCategory")->lineEdit(), "wings");
    click("cmdAdd");
    QVERIFY(m_shell->scripted.lastText().contains("valid category"));
    QCOMPARE(combo("cmbpartdatabase")->text(), QString("SPOILER"));
    QCOMPARE(find<QComboBox>("cmbCategory")->currentText(), QString("WINGS"));
}

void TestMaintenanceWindow::renameClosesTheWorksheet() {
    // Which lines a rename reaches is the contact book's business.
    auto* worksheet = static_cast<StubWindow*>(m_shell->showWindow(WindowId::Worksheet));
    worksheet->refuseClose = true; // its own question kept it open
    open();
    m_window->selectTab(2);
    clickEntry("cmbmanufacturerdatabase", "IRONWOOD MOTORWORKS");
    type(combo("cmbmanufacturerdatabase")->edit(), "ironwood");
    click("cmdchange3");
    QVERIFY(m_shell->window(WindowId::Worksheet));

    worksheet->refuseClose = false;
    m_window->selectTab(1);
    clickEntry("cmbvendordatabase", "GEARHEAD DIRECT");
    type(combo("cmbvendordatabase")->edit(), "gearhead");
    click("cmdchange2");
    QVERIFY(!m_shell->window(WindowId::Worksheet));
}

void TestMaintenanceWindow::vendorAndCategoryAdds() {
    open();
    m_window->selectTab(1);
    type(combo("cmbvendordatabase")->edit(), "acme salvage");
    type(find<QLineEdit>("iovendorwebsite"), "www.acme.example");
    click("cmdadd2");
    clickEntry("cmbvendordatabase", "ACME SALVAGE");
    click("cmdwebsite2");
    QCOMPARE(m_shell->webPages, QStringList{"http://WWW.ACME.EXAMPLE"});
    find<QLineEdit>("iovendorwebsite")->clear();
    click("cmdwebsite2");
    QVERIFY(m_shell->scripted.lastText().contains("web site field"));
    QCOMPARE(m_shell->webPages.size(), 1);

    // A new category is offered on the Parts tab at once.
    m_shell->scripted.queueYes();
    m_window->selectTab(3);
    type(combo("cmbcategorydatabase")->edit(), "glass");
    click("cmdadd4");
    QVERIFY(find<QComboBox>("cmbCategory")->findText("GLASS") >= 0);
}

void TestMaintenanceWindow::failedWriteShowsTheDatabaseMessage() {
    Fixtures::failWrites(m_shell->data(), "RSLParts", "INSERT");
    open();
    type(combo("cmbpartdatabase")->edit(), "SPOILER");
    type(find<QComboBox>("cmbCategory")->lineEdit(), "BODY");
    click("cmdAdd");
    QCOMPARE(m_shell->scripted.texts().size(), 1);
    QVERIFY(m_shell->scripted.lastText().contains("disk on fire"));
    QCOMPARE(combo("cmbpartdatabase")->text(), QString("SPOILER"));
}

QTEST_MAIN(TestMaintenanceWindow)
#include "test_maintenancewindow.moc"
