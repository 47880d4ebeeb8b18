#include "EntryPanel.h"
#include "FormattedEdit.h"
#include "MaskedDateEdit.h"
#include "ReferenceLists.h"
#include "TestShell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

// One panel on its own, as the worksheet builds it, over the test database.
struct PanelFixture {
    TestShell shell;
    ReferenceLists lists{*shell.store};
    QWidget host;
    EntryPanel* panel = new EntryPanel(shell, lists, 1, &host);

    PanelFixture() {
        shell.settingsStore->setValue(Settings::kTaxPercentage, "6");
        host.resize(760, 380);
        host.show();
        host.activateWindow();
        if (!QTest::qWaitForWindowActive(&host))
            QTest::qFail("the panel did not become active", __FILE__, __LINE__);
        panel->resize(host.size());
        panel->resetFields();
        panel->reloadLists();
    }
    template <typename T> T* get(const char* name) {
        return panel->findChild<T*>(QString::fromLatin1(name));
    }
    FormattedEdit* amount(const char* name) { return get<FormattedEdit>(name); }
    QCheckBox* box(const char* name) { return get<QCheckBox>(name); }
};

class TestEntryPanel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void taxAndTotalFollowQuantityPriceAndTaxable();
    void otherAmountsRecalculateWhenLeft();
    void tooLargeAmountsAreReportedOnce();
    void statusLadderLocksTheLowerSteps();
    void purchasedFillsTodayUnlessADateIsThere();
    void pickerWritesTheDateField();
    void categoryFollowsThePartName();
    void listsRefillOnEntryAndKeepTheText();
    void loadShowsTheStoredLine();
    void namesAreUpperCasedForStoring();
};

void TestEntryPanel::taxAndTotalFollowQuantityPriceAndTaxable() {
    PanelFixture f;
    FormattedEdit* quantity = f.amount("ioQuantity");
    FormattedEdit* price = f.amount("ioprice");
    FormattedEdit* tax = f.amount("iotaxamount");
    FormattedEdit* total = f.amount("iototalcost");
    QVERIFY(f.box("chkTaxable")->isChecked());

    quantity->setRawText("3");
    QTest::keyClicks(price, "1.99");
    QCOMPARE(price->rawText(), QStringLiteral("01.99"));
    QCOMPARE(tax->rawText(), QStringLiteral("0.3582"));
    QCOMPARE(total->rawText(), QStringLiteral("6.3282"));
    QCOMPARE(tax->text(), QStringLiteral("$0.36"));
    QCOMPARE(total->text(), QStringLiteral("$6.33"));

    f.box("chkTaxable")->click();
    QCOMPARE(tax->rawText(), QStringLiteral("0"));
    QCOMPARE(total->rawText(), QStringLiteral("5.97"));

    // The percentage is read again on every calculation.
    f.box("chkTaxable")->click();
    f.shell.settingsStore->setValue(Settings::kTaxPercentage, "10 percent");
    quantity->setRawText("1,000");
    QCOMPARE(tax->rawText(), QStringLiteral("0.199"));
    QCOMPARE(quantity->text(), QStringLiteral("1"));
    QCOMPARE(quantity->rawText(), QStringLiteral("1,000"));

    quantity->setRawText("12345");
    QCOMPARE(quantity->text(), QStringLiteral("12,345"));
    quantity->setFocus();
    quantity->selectAll();
    QTest::keyClicks(quantity, "1234567");
    QCOMPARE(quantity->rawText(), QStringLiteral("12345"));
}

void TestEntryPanel::otherAmountsRecalculateWhenLeft() {
    PanelFixture f;
    f.box("chkTaxable")->click();
    f.amount("ioQuantity")->setRawText("3");
    f.amount("ioprice")->setRawText("1.99");
    QSignalSpy edited(f.panel, &EntryPanel::edited);

    FormattedEdit* shipping = f.amount("ioshipping");
    shipping->setFocus();
    QTest::keyClicks(shipping, "-2.5");
    QCOMPARE(f.amount("iototalcost")->rawText(), QStringLiteral("5.97"));
    f.amount("ioprice")->setFocus();
    QCOMPARE(f.amount("iototalcost")->rawText(), QStringLiteral("3.47"));
    QCOMPARE(shipping->text(), QStringLiteral("($2.50)"));
    QVERIFY(!edited.isEmpty());

    // Moving through the fields without changing anything marks no change.
    edited.clear();
    shipping->setFocus();
    f.get<QLineEdit>("ioPartnumber")->setFocus();
    QVERIFY(edited.isEmpty());
}

void TestEntryPanel::tooLargeAmountsAreReportedOnce() {
    PanelFixture f;
    f.amount("ioQuantity")->setRawText("99999");
    f.amount("ioprice")->setRawText("99999999999999");
    f.amount("ioprice")->setRawText("999999999999999");
    QCOMPARE(f.shell.scripted.texts(),
             QStringList{"The amount is too large to be calculated. Please enter a smaller "
                         "quantity, price, shipping or tax amount."});
    QCOMPARE(f.amount("iototalcost")->rawText(), QStringLiteral("0"));

    f.amount("ioprice")->setRawText("2");
    QCOMPARE(f.amount("iototalcost")->rawText(), QStringLiteral("211997.88"));
    f.amount("ioprice")->setRawText("1e20");
    QCOMPARE(f.shell.scripted.messages().size(), 2);
}

void TestEntryPanel::statusLadderLocksTheLowerSteps() {
    PanelFixture f;
    QCheckBox* selected = f.box("chkSelected");
    QCheckBox* forecast = f.box("chkForecast");
    QCheckBox* purchased = f.box("chkPurchased");

    forecast->click();
    QVERIFY(selected->isChecked() && !selected->isEnabled() && forecast->isEnabled());

    purchased->click();
    QVERIFY(forecast->isChecked() && selected->isChecked());
    QVERIFY(!forecast->isEnabled() && !selected->isEnabled());

    purchased->click();
    QVERIFY(forecast->isEnabled() && forecast->isChecked());
    QVERIFY(selected->isChecked() && !selected->isEnabled());
    forecast->click();
    QVERIFY(selected->isChecked() && selected->isEnabled());
}

void TestEntryPanel::purchasedFillsTodayUnlessADateIsThere() {
    PanelFixture f;
    auto* date = f.get<MaskedDateEdit>("iopurchasedate");
    auto* picker = f.get<QDateEdit>("DTPicker1");
    QVERIFY(date->isHidden() && picker->isHidden() && f.get<QLabel>("Label7")->isHidden());
    const QString today = QDate::currentDate().toString("MM/dd/yyyy");

    f.box("chkPurchased")->click();
    QVERIFY(date->isVisible() && picker->isVisible());
    QCOMPARE(date->value(), today);
    QCOMPARE(picker->date(), QDate::currentDate());

    // Clearing hides the controls and leaves today's date behind.
    f.box("chkPurchased")->click();
    QVERIFY(date->isHidden());
    QCOMPARE(date->value(), today);

    date->setValue("11/30/2000");
    f.box("chkPurchased")->click();
    QCOMPARE(date->value(), QStringLiteral("11/30/2000"));
    QCOMPARE(picker->date(), QDate(2000, 11, 30));
}

void TestEntryPanel::pickerWritesTheDateField() {
    PanelFixture f;
    f.box("chkPurchased")->click();
    QSignalSpy edited(f.panel, &EntryPanel::edited);
    f.get<QDateEdit>("DTPicker1")->setDate(QDate(2001, 3, 5));
    QCOMPARE(f.get<MaskedDateEdit>("iopurchasedate")->value(), QStringLiteral("03/05/2001"));
    QVERIFY(!edited.isEmpty());
}

void TestEntryPanel::categoryFollowsThePartName() {
    PanelFixture f;
    auto* name = f.get<QComboBox>("cmbPartname");
    auto* category = f.get<QComboBox>("cmbCategory");
    name->setFocus();
    QTest::keyClicks(name, "oil pump");
    QCOMPARE(category->currentText(), QStringLiteral("ENGINE"));
    name->setEditText("FLUX CAPACITOR");
    QCOMPARE(category->currentText(), QString());
    // Chosen from the list, too.
    name->setCurrentIndex(name->findText("TIRES"));
    QCOMPARE(category->currentText(), QStringLiteral("WHEELS AND TIRES"));
}

void TestEntryPanel::listsRefillOnEntryAndKeepTheText() {
    PanelFixture f;
    auto* vendor = f.get<QComboBox>("cmbVendor");
    vendor->setEditText("JOE'S");
    QVERIFY(
        f.shell.store
            ->execute("RSLVendor", "INSERT INTO RSLVendor (vendor_name) VALUES ('JOE''S GARAGE')")
            .ok());
    QCOMPARE(vendor->findText("JOE'S GARAGE"), -1);
    f.get<QLineEdit>("ioPartnumber")->setFocus();
    vendor->setFocus();
    QVERIFY(vendor->findText("JOE'S GARAGE") >= 0);
    QCOMPARE(vendor->currentText(), QStringLiteral("JOE'S"));
    QCOMPARE(vendor->itemText(0), QStringLiteral("COPPER KETTLE AUTO PARTS"));
}

void TestEntryPanel::loadShowsTheStoredLine() {
    PanelFixture f;
    f.shell.settingsStore->setValue(Settings::kTaxPercentage, "0");
    // The catalogue has moved the part since the line was stored.
    QVERIFY(
        f.shell.store
            ->execute("RSLParts",
                      "UPDATE RSLParts SET Category = 'BODY' WHERE Part_Name = 'TIMING CHAIN KIT'")
            .ok());
    QVERIFY(f.shell.store
                ->execute("RSLMaster", "UPDATE RSLMaster SET Purchase_date = '11/30/2000' WHERE "
                                       "Part_Name = 'TIMING CHAIN KIT'")
                .ok());
    RecordSet& lines = f.shell.store->recordSet(Command::RSLMaster);
    QVERIFY(lines.setFilter("part_name = 'TIMING CHAIN KIT' and sequence_number = 1").ok());
    f.box("chkTaxable")->click();

    QString name, sequence;
    f.panel->load(lines, &name, &sequence);
    QCOMPARE(name, QStringLiteral("TIMING CHAIN KIT"));
    QCOMPARE(sequence, QStringLiteral("1"));
    const PartLine l = f.panel->line();
    QCOMPARE(l.category, QStringLiteral("BODY"));
    QCOMPARE(l.vendor, QStringLiteral("LAKESHORE PERFORMANCE WAREHOUSE"));
    QCOMPARE(l.partNumber, QStringLiteral("IMW-TC1186"));
    // The stored amounts, not a recalculation at today's percentage.
    QCOMPARE(l.taxAmount, QStringLiteral("3.8994"));
    QCOMPARE(l.totalCost, QStringLiteral("68.8894"));
    QCOMPARE(l.notes, QString());
    QVERIFY(l.taxable && l.purchased && l.forecast && l.selected);
    QCOMPARE(f.get<QDateEdit>("DTPicker1")->date(), QDate(2000, 11, 30));
    QCOMPARE(l.purchaseDate, QStringLiteral("11/30/2000"));
    QVERIFY(f.get<MaskedDateEdit>("iopurchasedate")->isVisible());
}

void TestEntryPanel::namesAreUpperCasedForStoring() {
    PanelFixture f;
    f.get<QComboBox>("cmbPartname")->setEditText("o'brien bracket");
    QVERIFY(f.shell.store
                ->execute("RSLParts",
                          "INSERT INTO RSLParts (Part_Name, Category) VALUES ('O''BRIEN "
                          "BRACKET', 'BODY')")
                .ok());
    f.get<QComboBox>("cmbManufacturer")->setEditText("acme");
    f.get<QComboBox>("cmbVendor")->setEditText("joe's");
    f.panel->upperCaseNames();
    const PartLine l = f.panel->line();
    QCOMPARE(l.partName, QStringLiteral("O'BRIEN BRACKET"));
    QCOMPARE(l.category, QStringLiteral("BODY"));
    QCOMPARE(l.manufacturer, QStringLiteral("ACME"));
    QCOMPARE(l.vendor, QStringLiteral("JOE'S"));
}

QTEST_MAIN(TestEntryPanel)
#include "test_entrypanel.moc"
