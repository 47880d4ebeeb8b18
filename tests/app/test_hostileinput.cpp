#include "DataStore.h"
#include "MainWindowFixture.h"
#include "MaskedDateEdit.h"
#include "Money.h"
#include "WorksheetLines.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

#include <numeric>

namespace {

// What a careless or hostile user may type into any field.
QList<std::pair<const char*, QString>> hostileTexts() {
    return {
        {"quotes", QStringLiteral("O'BRIEN'S \"BEST\" ''")},
        {"wildcards", QStringLiteral("100% _UNDER_ %")},
        {"10,000 characters", QString(10000, u'N')},
        {"non-ASCII and right-to-left", QStringLiteral("ÆØÅ 日本 שלום مرحبا 🚗")},
        {"control characters", QStringLiteral("A\tB\x01"
                                              "C\x7f")},
        {"1e300", QStringLiteral("1e300")},
        {"-5", QStringLiteral("-5")},
        {"99999999999999", QStringLiteral("99999999999999")},
        {"$5.00", QStringLiteral("$5.00")},
        {"0.00005", QStringLiteral("0.00005")},
        {"empty", QString()},
        {"02/30/2025", QStringLiteral("02/30/2025")},
        {"00/00/0000", QStringLiteral("00/00/0000")},
        {"12/31/9999", QStringLiteral("12/31/9999")},
    };
}

// Types the text key by key as a keyboard would deliver it, any character
// included (QTest's own typing knows only Latin-1).
void typeText(QWidget* w, const QString& text) {
    for (const char32_t c : text.toUcs4()) {
        const QString key = QString::fromUcs4(&c, 1);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, key);
        QApplication::sendEvent(w, &release);
    }
}

// Puts the text into a field the way a user would: typed, or pasted when it
// is long. Returns what the field then holds.
QString enter(QWidget* w, const QString& text) {
    w->setFocus();
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setEditText(text);
        return combo->currentText();
    }
    if (auto* date = qobject_cast<MaskedDateEdit*>(w)) {
        date->setValue(text);
        return date->value();
    }
    auto* line = qobject_cast<QLineEdit*>(w);
    auto* notes = qobject_cast<QPlainTextEdit*>(w);
    if (!line && !notes) {
        QTest::qFail("a field of an unknown kind", __FILE__, __LINE__);
        return {};
    }
    line ? line->selectAll() : notes->selectAll();
    if (text.size() <= 200)
        typeText(w, text);
    else if (line)
        line->insert(text);
    else
        notes->insertPlainText(text);
    return line ? line->text() : notes->toPlainText();
}

// The field of that name in the window, filled with the text.
QString enterIn(QWidget* window, const QString& name, const QString& text) {
    QWidget* w = window->findChild<QWidget*>(name);
    if (!w)
        QTest::qFail(qPrintable(name), __FILE__, __LINE__);
    return w ? enter(w, text) : QString();
}

} // namespace

// Types the same hostile list into every field of the worksheet's add and
// edit panels, the new-project form and its budget grid, and every tab of the
// maintenance window, through the real windows, and commits each time: whatever is stored must be
// sound (the file passes its check, amounts stay in the money range, texts are stored whole), every
// commit answers with a message, and nothing crashes under the sanitizers.
class TestHostileInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void worksheetPanels_data();
    void worksheetPanels();
    void newProjectForm_data();
    void newProjectForm();
    void maintenanceLists_data();
    void maintenanceLists();
    void budgetGrid_data();
    void budgetGrid();

private:
    struct Run : MainWindowFixture {
        explicit Run(bool projectOpen) {
            if (projectOpen)
                rememberSampleProject();
            makeReal();
        }
        // Started, with the window in front; the catalogue on its new-project
        // tab with a sound project typed in.
        QWidget* start(WindowId id) {
            QWidget* w = window->startUp() ? window->showWindow(id) : nullptr;
            if (w && id == WindowId::Projects) {
                w->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(0);
                for (const auto& [name, value] :
                     {std::pair{"cmbYear", "1970"}, {"cmbMake", "DODGE"}, {"cmbModel", "CHARGER"}})
                    enterIn(w, name, value);
            }
            return w;
        }
        // The file is sound and holds no amount outside the money range.
        void checkStored() {
            DataStore store;
            QVERIFY(store.open(db.databasePath()).ok());
            QString report;
            QVERIFY2(store.checkIntegrity(&report).ok(), qPrintable(report));
            QCOMPARE(count("SELECT COUNT(*) FROM RSLMaster WHERE MAX(ABS(Price), ABS(Total_cost), "
                           "ABS(Tax_amount)) > 922337203685477 OR Price <> Price OR "
                           "Quantity <> Quantity"),
                     qint64(0));
        }
        // The first column of every row a query reads, from a connection of its own.
        QVariantList values(const QString& sql, const QVariantList& binds = {}) {
            DataStore store;
            QVariantList out;
            if (store.open(db.databasePath()))
                ignoreError(
                    store.query(sql, binds, [&](const QSqlQuery& q) { out << q.value(0); }));
            return out;
        }
        qint64 count(const QString& sql, const QVariantList& binds = {}) {
            return values(sql, binds).value(0, -1).toLongLong();
        }
        // Stored amounts read as the record sets read them, in ten-thousandths.
        QList<qint64> amounts(const QString& sql, const QVariantList& binds = {}) {
            QList<qint64> out;
            for (const QVariant& v : values(sql, binds))
                out << Money::fromStoredDouble(v.toDouble()).units();
            return out;
        }
        // Clicks the button that commits the form: the rows the table gained
        // (0 or 1), or -1 when the click went without an answer.
        qint64 commit(QWidget* button, const QString& table) {
            const qint64 before = count("SELECT COUNT(*) FROM " + table);
            toolkit.clear();
            QTest::mouseClick(button, Qt::LeftButton);
            if (toolkit.messages().isEmpty())
                return -1;
            return count("SELECT COUNT(*) FROM " + table) - before;
        }
    };
};

void TestHostileInput::worksheetPanels_data() {
    QTest::addColumn<bool>("edit");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    for (const bool edit : {false, true})
        for (const char* field :
             {"cmbPartname", "ioPartnumber", "cmbManufacturer", "cmbVendor", "ioQuantity",
              "ioprice", "ioshipping", "ioNotes", "iopurchasedate"})
            for (const auto& [name, text] : hostileTexts())
                QTest::addRow("%s %s: %s", edit ? "edit" : "add", field, name)
                    << edit << QString::fromLatin1(field) << text;
}

// The add panel (a new line) and the edit panel (the first line of the grid,
// opened with a double click).
void TestHostileInput::worksheetPanels() {
    QFETCH(bool, edit);
    QFETCH(QString, field);
    QFETCH(QString, text);
    Run run(true);
    QWidget* worksheet = run.start(WindowId::Worksheet);
    QVERIFY(worksheet);
    QWidget* panel = edit ? editFirstLine(worksheet) : worksheet->findChild<QWidget*>("panel1");
    QVERIFY(panel);
    if (!edit) {
        worksheet->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(2);
        // A sound line first, then the one hostile field.
        for (const auto& [name, value] :
             {std::pair{"cmbPartname", "ALTERNATOR"}, {"ioQuantity", "1"}, {"ioprice", "10"}})
            enterIn(panel, name, value);
    }
    if (auto* purchased = panel->findChild<QCheckBox*>("chkPurchased");
        field == u"iopurchasedate" && !purchased->isChecked())
        purchased->click();
    const QString shown = enterIn(panel, field, text);
    const qint64 gained =
        run.commit(worksheet->findChild<QPushButton*>(edit ? "cmdAccept" : "cmdAdd"), "RSLMaster");
    QVERIFY2(gained == 0 || (!edit && gained == 1), "a commit without an answer");
    const bool stored = edit ? run.toolkit.lastText() == u"Part has been changed." : gained == 1;
    if (stored && !text.isEmpty() && (field == u"ioNotes" || field == u"ioPartnumber")) {
        // A text is stored whole, or not at all.
        const char* column = field == u"ioNotes" ? "Notes" : "Part_Number";
        QVERIFY(run.count(QStringLiteral("SELECT COUNT(*) FROM RSLMaster WHERE %1 = ?")
                              .arg(QLatin1String(column)),
                          {shown}) >= 1);
    }
    run.checkStored();
}

void TestHostileInput::newProjectForm_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    for (const char* field : {"cmbYear", "cmbMake", "cmbModel", "ioTotalbudget"})
        for (const auto& [name, text] : hostileTexts())
            QTest::addRow("%s: %s", field, name) << QString::fromLatin1(field) << text;
}

void TestHostileInput::newProjectForm() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    Run run(false);
    QWidget* catalogue = run.start(WindowId::Projects);
    QVERIFY(catalogue);
    enterIn(catalogue, "ioTotalbudget", "0");
    const QString shown = enterIn(catalogue, field, text);
    const qint64 gained = run.commit(catalogue->findChild<QPushButton*>("cmdAdd"), "RSLVehicles");
    QVERIFY2(gained == 0 || gained == 1, "a commit without an answer");
    if (gained == 1 && field != u"ioTotalbudget") {
        const QString stored = shown.toUpper();
        QVERIFY(run.count("SELECT COUNT(*) FROM RSLVehicles WHERE vehicle_year = ? OR "
                          "vehicle_make = ? OR vehicle_model = ?",
                          {shown, stored, stored}) >= (shown.isEmpty() ? 0 : 1));
    }
    run.checkStored();
}

namespace {

// The maintenance tabs in order: the combo of the name each adds, a sound name
// for when another field is under test, the Add button and the table.
const char* const kListTabs[][4] = {
    {"cmbpartdatabase", "HOSTILE PART", "cmdAdd", "RSLParts"},
    {"cmbvendordatabase", "HOSTILE SUPPLY", "cmdadd2", "RSLVendor"},
    {"cmbmanufacturerdatabase", "HOSTILE WORKS", "cmdadd3", "RSLManufacturer"},
    {"cmbcategorydatabase", "", "cmdadd4", "RSLCategories"},
};

// Every field of those tabs with its column.
const std::tuple<int, const char*, const char*> kListFields[] = {
    {0, "cmbpartdatabase", "Part_Name"},
    {0, "cmbCategory", "Category"},
    {1, "cmbvendordatabase", "vendor_name"},
    {1, "iovendoraddress", "vendor_address"},
    {1, "iovendorphone", "vendor_phone"},
    {1, "iovendorwebsite", "vendor_web_site"},
    {2, "cmbmanufacturerdatabase", "manufacturer"},
    {2, "iomanufactureraddress", "manufacturer_address"},
    {2, "iomanufacturerphone", "manufacturer_phone"},
    {2, "iomanufacturerwebsite", "manufacturer_web_site"},
    {3, "cmbcategorydatabase", "Category"},
};

} // namespace

void TestHostileInput::maintenanceLists_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("text");
    for (const auto& [tab, field, column] : kListFields)
        for (const auto& [name, text] : hostileTexts())
            QTest::addRow("%s: %s", field, name) << tab << field << column << text;
}

void TestHostileInput::maintenanceLists() {
    QFETCH(int, tab);
    QFETCH(QString, field);
    QFETCH(QString, column);
    QFETCH(QString, text);
    const auto& [nameCombo, soundName, add, tableName] = kListTabs[tab];
    Run run(false);
    QWidget* window = run.start(WindowId::Maintenance);
    QVERIFY(window);
    window->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(tab);
    auto nameEdit = [&](const QString& combo) {
        return window->findChild<QWidget*>(combo)->findChild<QLineEdit*>();
    };
    const bool nameUnderTest = field == QLatin1String(nameCombo);
    if (!nameUnderTest)
        enter(nameEdit(nameCombo), QString::fromLatin1(soundName));
    if (tab == 0 && nameUnderTest)
        enterIn(window, "cmbCategory", "ENGINE");
    QWidget* w = nameUnderTest ? nameEdit(field) : window->findChild<QWidget*>(field);
    QVERIFY(w);
    const QString shown = enter(w, text);
    const QString table = QString::fromLatin1(tableName);
    const qint64 gained = run.commit(window->findChild<QPushButton*>(add), table);
    QVERIFY2(gained == 0 || gained == 1, "a commit without an answer");
    if (gained == 1 && !shown.isEmpty()) {
        // Names are kept in capitals; the other fields as they were shown.
        QVERIFY2(
            run.count(
                QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ? OR %2 = ?").arg(table, column),
                {shown, shown.toUpper()}) == 1,
            qPrintable(column));
    }
    run.checkStored();
}

void TestHostileInput::budgetGrid_data() {
    QTest::addColumn<QString>("text");
    for (const auto& [name, text] : hostileTexts())
        QTest::addRow("%s", name) << text;
}

// A new project's budget cell, typed into the grid's own editor: the stored
// budget row is the amount the cell read, or 0 with a word why, and the
// project's total is the sum of its rows.
void TestHostileInput::budgetGrid() {
    QFETCH(QString, text);
    Run run(false);
    QWidget* catalogue = run.start(WindowId::Projects);
    QVERIFY(catalogue);
    QTest::mouseClick(catalogue->findChild<QPushButton*>("cmBudgetbycategory"), Qt::LeftButton);
    QDialog* dialog = run.lastDialog();
    QVERIFY(dialog);
    auto* grid = dialog->findChild<QTableView*>("DataGrid1");
    QVERIFY(grid && grid->model()->rowCount() > 1);
    const QString category = grid->model()->index(1, 0).data().toString();
    const QModelIndex cell = grid->model()->index(1, 1);
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    QLineEdit* editor = nullptr;
    for (QLineEdit* e : grid->viewport()->findChildren<QLineEdit*>())
        if (e->isVisible())
            editor = e;
    QVERIFY(editor);
    const QString shown = enter(editor, text);
    run.toolkit.clear();
    QTest::keyClick(editor, Qt::Key_Return);
    const bool answered = !run.toolkit.messages().isEmpty() || run.toolkit.beeps() > 0;
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdAcceptbudget"), Qt::LeftButton);
    const qint64 gained = run.commit(catalogue->findChild<QPushButton*>("cmdAdd"), "RSLVehicles");
    QVERIFY2(gained == 0 || gained == 1, "a commit without an answer");
    const qint64 project = run.count(
        "SELECT vehicle_number FROM RSLVehicles WHERE vehicle_description = '1970 DODGE CHARGER'");
    // Refused (a budget of 0 is no budget): nothing of it is stored.
    QCOMPARE(project > 0, gained == 1);
    if (project > 0) {
        const QList<qint64> cellAmount =
            run.amounts("SELECT Budget_amount FROM RSLCategorybudget WHERE Cat_vehicle_number = ? "
                        "AND Category = ?",
                        {project, category});
        QCOMPARE(cellAmount.size(), 1);
        const std::optional<Money> read = Money::fromText(shown);
        QVERIFY2((read && read->units() == cellAmount[0]) || (cellAmount[0] == 0 && answered),
                 qPrintable(QStringLiteral("%1 stored without a word").arg(cellAmount[0])));
        const QList<qint64> rows = run.amounts(
            "SELECT Budget_amount FROM RSLCategorybudget WHERE Cat_vehicle_number = ?", {project});
        QCOMPARE(run.amounts("SELECT budget_amount FROM RSLVehicles WHERE vehicle_number = ?",
                             {project}),
                 QList<qint64>{std::accumulate(rows.begin(), rows.end(), qint64(0))});
    }
    run.checkStored();
}

QTEST_MAIN(TestHostileInput)
#include "test_hostileinput.moc"
