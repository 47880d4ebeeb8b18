#include "DataStore.h"
#include "MainWindow.h"
#include "MaskedDateEdit.h"
#include "ScriptedToolkit.h"
#include "Settings.h"
#include "TestDatabase.h"
#include "WindowFactories.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>

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
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->selectAll();
        if (text.size() > 200)
            edit->insert(text);
        else
            typeText(edit, text);
        return edit->text();
    }
    if (auto* notes = qobject_cast<QPlainTextEdit*>(w)) {
        notes->selectAll();
        if (text.size() > 200)
            notes->insertPlainText(text);
        else
            typeText(notes, text);
        return notes->toPlainText();
    }
    QTest::qFail("a field of an unknown kind", __FILE__, __LINE__);
    return {};
}

} // namespace

// Types the same hostile list into every field of the worksheet's add panel,
// the new-project form and the vendor and category lists through the real windows, and commits each
// time: whatever is stored must be sound (the file passes its check, amounts
// stay in the money range, texts are stored whole), every commit answers
// with a message, and nothing crashes under the sanitizers.
class TestHostileInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void worksheetAddPanel_data();
    void worksheetAddPanel();
    void newProjectForm_data();
    void newProjectForm();
    void maintenanceLists_data();
    void maintenanceLists();

private:
    struct Run {
        TestDatabase db;
        ScriptedToolkit toolkit;
        std::unique_ptr<MainWindow> window;
        Run(bool projectOpen) {
            Settings s(db.settingsPath());
            s.setValue(Settings::kOpenLastVehicle, projectOpen ? "Y" : "N");
            s.setValue(Settings::kVehicleLastOpened, "1");
            s.setValue(Settings::kShowReminder, "N");
            s.sync();
            MainWindow::Options o;
            o.databasePath = db.databasePath();
            o.settingsFile = db.settingsPath();
            o.lockFile = db.path("rastrel.lock");
            o.showSplash = false;
            window = std::make_unique<MainWindow>(o, toolkit);
            installWindows(*window);
        }
        // The file is sound and holds no amount outside the money range.
        void checkStored() {
            DataStore store;
            QVERIFY(store.open(db.databasePath()).ok());
            QString report;
            QVERIFY2(store.checkIntegrity(&report).ok(), qPrintable(report));
            qint64 wild = -1;
            QVERIFY(store
                        .query("SELECT COUNT(*) FROM RSLMaster WHERE ABS(Price) > 922337203685477 "
                               "OR ABS(Total_cost) > 922337203685477 OR ABS(Tax_amount) > "
                               "922337203685477 OR Price <> Price OR Quantity <> Quantity",
                               {}, [&](const QSqlQuery& q) { wild = q.value(0).toLongLong(); })
                        .ok());
            QCOMPARE(wild, qint64(0));
        }
        qint64 count(const QString& sql, const QVariantList& binds = {}) {
            DataStore store;
            qint64 n = -1;
            if (store.open(db.databasePath()))
                ignoreError(store.query(sql, binds,
                                        [&](const QSqlQuery& q) { n = q.value(0).toLongLong(); }));
            return n;
        }
    };
};

void TestHostileInput::worksheetAddPanel_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    for (const char* field : {"cmbPartname", "ioPartnumber", "cmbManufacturer", "cmbVendor",
                              "ioQuantity", "ioprice", "ioshipping", "ioNotes", "iopurchasedate"})
        for (const auto& [name, text] : hostileTexts())
            QTest::addRow("%s: %s", field, name) << QString::fromLatin1(field) << text;
}

void TestHostileInput::worksheetAddPanel() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    Run run(true);
    QVERIFY(run.window->startUp());
    QWidget* worksheet = run.window->window(WindowId::Worksheet);
    QVERIFY(worksheet);
    worksheet->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(2);
    QWidget* panel = worksheet->findChild<QWidget*>("panel1");
    auto setField = [&](const QString& name, const QString& value) {
        QWidget* w = panel->findChild<QWidget*>(name);
        if (!w)
            QTest::qFail(qPrintable(name), __FILE__, __LINE__);
        return w ? enter(w, value) : QString();
    };
    // A sound line first, then the one hostile field.
    setField("cmbPartname", "ALTERNATOR");
    setField("ioQuantity", "1");
    setField("ioprice", "10");
    if (field == u"iopurchasedate")
        panel->findChild<QCheckBox*>("chkPurchased")->click();
    const QString shown = setField(field, text);
    const qint64 before = run.count("SELECT COUNT(*) FROM RSLMaster");
    run.toolkit.clear();
    QTest::mouseClick(worksheet->findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);
    QVERIFY2(!run.toolkit.messages().isEmpty(), "a commit without an answer");
    const qint64 after = run.count("SELECT COUNT(*) FROM RSLMaster");
    QVERIFY(after == before || after == before + 1);
    if (after == before + 1 && !text.isEmpty() &&
        (field == u"ioNotes" || field == u"ioPartnumber")) {
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
    QVERIFY(run.window->startUp());
    QWidget* catalogue = run.window->window(WindowId::Projects);
    QVERIFY(catalogue);
    catalogue->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(0);
    auto setField = [&](const QString& name, const QString& value) {
        QWidget* w = catalogue->findChild<QWidget*>(name);
        if (!w)
            QTest::qFail(qPrintable(name), __FILE__, __LINE__);
        return w ? enter(w, value) : QString();
    };
    setField("cmbYear", "1970");
    setField("cmbMake", "DODGE");
    setField("cmbModel", "CHARGER");
    setField("ioTotalbudget", "0");
    const QString shown = setField(field, text);
    const qint64 before = run.count("SELECT COUNT(*) FROM RSLVehicles");
    run.toolkit.clear();
    QTest::mouseClick(catalogue->findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);
    QVERIFY2(!run.toolkit.messages().isEmpty(), "a commit without an answer");
    const qint64 after = run.count("SELECT COUNT(*) FROM RSLVehicles");
    QVERIFY(after == before || after == before + 1);
    if (after == before + 1 && field != u"ioTotalbudget") {
        const QString stored = shown.toUpper();
        QCOMPARE(run.count("SELECT COUNT(*) FROM RSLVehicles WHERE vehicle_year = ? OR "
                           "vehicle_make = ? OR vehicle_model = ?",
                           {shown, stored, stored}) >= (shown.isEmpty() ? 0 : 1),
                 true);
    }
    run.checkStored();
}

void TestHostileInput::maintenanceLists_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    for (const char* field : {"cmbvendordatabase", "iovendoraddress", "iovendorphone",
                              "iovendorwebsite", "cmbcategorydatabase"})
        for (const auto& [name, text] : hostileTexts())
            QTest::addRow("%s: %s", field, name) << QString::fromLatin1(field) << text;
}

void TestHostileInput::maintenanceLists() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    Run run(false);
    QVERIFY(run.window->startUp());
    const bool category = field == u"cmbcategorydatabase";
    QWidget* window = run.window->showWindow(WindowId::Maintenance);
    QVERIFY(window);
    window->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(category ? 3 : 1);
    auto nameEdit = [&](const char* combo) {
        return window->findChild<QWidget*>(combo)->findChild<QLineEdit*>();
    };
    QString shown;
    if (category) {
        shown = enter(nameEdit("cmbcategorydatabase"), text);
    } else {
        enter(nameEdit("cmbvendordatabase"), "HOSTILE SUPPLY");
        QWidget* w = field == u"cmbvendordatabase" ? nameEdit("cmbvendordatabase")
                                                   : window->findChild<QWidget*>(field);
        QVERIFY(w);
        shown = enter(w, text);
    }
    const QString table = category ? "RSLCategories" : "RSLVendor";
    const qint64 before = run.count("SELECT COUNT(*) FROM " + table);
    run.toolkit.clear();
    QTest::mouseClick(window->findChild<QPushButton*>(category ? "cmdadd4" : "cmdadd2"),
                      Qt::LeftButton);
    QVERIFY2(!run.toolkit.messages().isEmpty(), "a commit without an answer");
    const qint64 after = run.count("SELECT COUNT(*) FROM " + table);
    QVERIFY(after == before || after == before + 1);
    if (after == before + 1 && !shown.isEmpty()) {
        // Names are kept in capitals; the other fields as they were shown.
        const bool name = field.startsWith("cmb");
        const QString column = category                        ? "Category"
                               : field == u"cmbvendordatabase" ? "vendor_name"
                               : field == u"iovendoraddress"   ? "vendor_address"
                               : field == u"iovendorphone"     ? "vendor_phone"
                                                               : "vendor_web_site";
        QVERIFY2(
            run.count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ?").arg(table, column),
                      {name ? shown.toUpper() : shown}) == 1,
            qPrintable(column));
    }
    run.checkStored();
}

QTEST_MAIN(TestHostileInput)
#include "test_hostileinput.moc"
