#include "DataTable.h"
#include "EntryPanel.h"
#include "FormattedEdit.h"
#include "MaskedDateEdit.h"
#include "ReferenceLists.h"
#include "TestShell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
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
        panel->resize(host.size());
        host.show();
        host.activateWindow();
        if (!QTest::qWaitForWindowActive(&host))
            QTest::qFail("the panel did not become active", __FILE__, __LINE__);
        panel->resetFields();
        panel->reloadLists();
    }
    template <typename T = FormattedEdit> T* get(const char* name) {
        return panel->findChild<T*>(QString::fromLatin1(name));
    }
    QCheckBox* box(const char* name) { return get<QCheckBox>(name); }
    // Loads the sample's first TIMING CHAIN KIT line; its name and number as the panel read them.
    QString loadLine() {
        RecordSet& lines = shell.store->recordSet(Command::RSLMaster);
        if (!lines.setFilter("part_name = 'TIMING CHAIN KIT' and sequence_number = 1").ok())
            QTest::qFail("no such line", __FILE__, __LINE__);
        QString name, sequence;
        panel->load(lines, &name, &sequence);
        return name + '#' + sequence;
    }
};

class TestEntryPanel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void amountsFollowTheFieldsAndShowFormatted();
    void tooLargeAmountsAreReportedOnce();
    void statusLadderAndPurchaseDate();
    void loadShowsTheStoredLine();
    void loadedAmountsStandUntilTheirInputsChange_data();
    void loadedAmountsStandUntilTheirInputsChange();
    void listsRefillOnEntryAndKeepTheText();
};

void TestEntryPanel::amountsFollowTheFieldsAndShowFormatted() {
    PanelFixture f;
    f.get("ioQuantity")->setRawText("3");
    QTest::keyClicks(f.get("ioprice"), "1.99");
    // The sums are the arithmetic's and the formats the formatter's: shown as they come.
    QCOMPARE(f.get("iototalcost")->text(), QStringLiteral("$6.33"));
    f.box("chkTaxable")->click();
    QCOMPARE(f.get("iototalcost")->rawText(), QStringLiteral("5.97"));

    // Shipping counts once the field is left, and shows a negative in parentheses.
    FormattedEdit* shipping = f.get("ioshipping");
    shipping->setFocus();
    QTest::keyClicks(shipping, "-2.5");
    QCOMPARE(f.get("iototalcost")->rawText(), QStringLiteral("5.97"));
    f.get<QLineEdit>("ioPartnumber")->setFocus();
    QCOMPARE(f.get("iototalcost")->rawText(), QStringLiteral("3.47"));
    QCOMPARE(shipping->text(), QStringLiteral("($2.50)"));

    // The percentage is read anew; the quantity keeps at most five characters.
    f.box("chkTaxable")->click();
    f.shell.settingsStore->setValue(Settings::kTaxPercentage, "10");
    FormattedEdit* quantity = f.get("ioQuantity");
    quantity->setRawText("1");
    QCOMPARE(f.get("iotaxamount")->rawText(), QStringLiteral("0.199"));
    quantity->setFocus();
    quantity->selectAll();
    QTest::keyClicks(quantity, "1234567");
    QCOMPARE(quantity->rawText(), QStringLiteral("12345"));
}
void TestEntryPanel::tooLargeAmountsAreReportedOnce() {
    PanelFixture f;
    f.get("ioQuantity")->setRawText("99999");
    f.get("ioprice")->setRawText("99999999999999");
    f.get("ioprice")->setRawText("999999999999999");
    QCOMPARE(f.shell.scripted.messages().size(), 1);
    QCOMPARE(f.get("iototalcost")->rawText(), QStringLiteral("0"));
    f.get("ioprice")->setRawText("2");
    QCOMPARE(f.get("iototalcost")->rawText(), QStringLiteral("211997.88"));
    f.get("ioprice")->setRawText("1e20");
    QCOMPARE(f.shell.scripted.messages().size(), 2);
}

void TestEntryPanel::statusLadderAndPurchaseDate() {
    // Which boxes the ladder enables is its own; here the date that goes with it.
    PanelFixture f;
    auto* date = f.get<MaskedDateEdit>("iopurchasedate");
    auto* picker = f.get<QDateEdit>("DTPicker1");
    const QString today = QDate::currentDate().toString("MM/dd/yyyy");
    QVERIFY(date->isHidden() && picker->isHidden());

    f.box("chkPurchased")->click();
    QVERIFY(f.box("chkForecast")->isChecked() && f.box("chkSelected")->isChecked());
    QVERIFY(date->isVisible() && picker->isVisible());
    QCOMPARE(date->value(), today);
    picker->setDate(QDate(2001, 3, 5));
    QCOMPARE(date->value(), QStringLiteral("03/05/2001"));

    // Cleared: the date is hidden; one already there is kept on the next click.
    f.box("chkPurchased")->click();
    QVERIFY(date->isHidden());
    date->setValue("11/30/2000");
    f.box("chkPurchased")->click();
    QCOMPARE(picker->date(), QDate(2000, 11, 30));
}
void TestEntryPanel::loadShowsTheStoredLine() {
    PanelFixture f;
    // The line was stored at no tax; the setting says otherwise today.
    f.shell.settingsStore->setValue(Settings::kTaxPercentage, "8");
    // The catalogue has moved the part since the line was stored.
    f.shell.exec("RSLParts",
                 "UPDATE RSLParts SET Category = 'BODY' WHERE Part_Name = 'TIMING CHAIN KIT'");
    f.shell.exec("RSLMaster", "UPDATE RSLMaster SET Purchase_date = '11/30/2000' WHERE "
                              "Part_Name = 'TIMING CHAIN KIT'");
    f.box("chkTaxable")->click();
    QCOMPARE(f.loadLine(), QStringLiteral("TIMING CHAIN KIT#1"));
    const PartLine l = f.panel->line();
    QCOMPARE(l.category, QStringLiteral("BODY"));
    // The stored amounts, not a recalculation at today's percentage.
    QCOMPARE(l.taxAmount + '|' + l.totalCost, QStringLiteral("0|64.99"));
    QVERIFY(l.taxable && l.purchased);
    QCOMPARE(f.get<QDateEdit>("DTPicker1")->date(), QDate(2000, 11, 30));
}

void TestEntryPanel::loadedAmountsStandUntilTheirInputsChange_data() {
    // Stored at 6 percent while the setting now says 10: the stored amounts
    // stand until an input of the sum changes (the sums are the arithmetic's).
    DataTable::columns<QString, QString, QString, QString>("field", "typed", "tax", "total");
    const auto row = [](const char* tag, const char* field, const char* typed, const char* tax,
                        const char* total) {
        QTest::newRow(tag) << QString(field) << QString(typed) << QString(tax) << QString(total);
    };
    row("focus only", "", "", "3.8994", "68.8894");
    row("an amount typed", "ioQuantity", "2", "12.998", "142.978");
    row("the box clicked", "chkTaxable", "", "0", "64.99");
}

void TestEntryPanel::loadedAmountsStandUntilTheirInputsChange() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, tax);
    QFETCH(QString, total);
    PanelFixture f;
    f.shell.settingsStore->setValue(Settings::kTaxPercentage, "10");
    f.shell.exec("RSLMaster", "UPDATE RSLMaster SET Taxable = 1, Tax_amount = 3.8994, "
                              "Total_cost = 68.8894 WHERE Part_Name = 'TIMING CHAIN KIT'");
    f.loadLine();

    // Passing through every field that recalculates on leaving it.
    auto* partNumber = f.get<QLineEdit>("ioPartnumber");
    for (const char* amount : {"ioQuantity", "ioshipping", "iotaxamount"}) {
        f.get(amount)->setFocus();
        partNumber->setFocus();
    }
    if (field == u"chkTaxable") {
        f.box("chkTaxable")->click();
    } else if (!field.isEmpty()) {
        FormattedEdit* edit = f.get(field.toLatin1().constData());
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        partNumber->setFocus();
    }
    const PartLine l = f.panel->line();
    QCOMPARE(l.taxAmount + '|' + l.totalCost, tax + '|' + total);
}

void TestEntryPanel::listsRefillOnEntryAndKeepTheText() {
    PanelFixture f;
    auto* vendor = f.get<QComboBox>("cmbVendor");
    vendor->setEditText("JOE'S");
    f.shell.exec("RSLVendor", "INSERT INTO RSLVendor (vendor_name) VALUES ('JOE''S GARAGE')");
    vendor->setFocus();
    QVERIFY(vendor->findText("JOE'S GARAGE") >= 0);
    QCOMPARE(vendor->currentText(), QStringLiteral("JOE'S"));
}

QTEST_MAIN(TestEntryPanel)
#include "test_entrypanel.moc"
