#include "ChildWindow.h"
#include "ExportDialog.h"
#include "ImportDialog.h"
#include "TestShell.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

// Stands in for the worksheet, which must let go of its lines during an import.
class Sheet : public ChildWindow {
public:
    explicit Sheet(Shell&) { setObjectName(Windows::objectName(WindowId::Worksheet)); }
};

QString writeFile(TestShell& shell, const QByteArray& bytes) {
    const QString path = shell.db.path("in.csv");
    return TestDatabase::writeFile(path, bytes) ? path : QString();
}

template <typename T> T* child(QWidget& w, const char* name) {
    return w.findChild<T*>(QString::fromLatin1(name));
}

} // namespace

class TestExchangeDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void importShowsProblemsUntilTheMappingIsRight();
    void importReportsAfterStoringAndReopensTheWorksheet();
    void exportWritesTheChosenKind();
};

void TestExchangeDialogs::importShowsProblemsUntilTheMappingIsRight() {
    TestShell shell;
    shell.openProject(1);
    ImportDialog dialog(shell);
    dialog.show();
    // A semicolon file whose part names sit under a header Rastrel does not know.
    shell.scripted.queueFile(writeFile(shell, "Item;Qty;Price (each)\nOIL PUMP;2;10\n"
                                              "TIMING CHAIN KIT;1;$5.50\n"));
    QTest::mouseClick(child<QPushButton>(dialog, "cmdBrowse"), Qt::LeftButton);
    QCOMPARE(child<QComboBox>(dialog, "cmbSeparator")->currentText(), QStringLiteral("Semicolon"));
    auto* problems = child<QListWidget>(dialog, "lstProblems");
    QVERIFY(problems->item(0)->text().contains("no column of the file is matched"));
    QVERIFY(!child<QPushButton>(dialog, "cmdImport")->isEnabled());

    auto* partName = child<QComboBox>(dialog, "cmbColumn0");
    partName->setCurrentIndex(partName->findData(0));
    QCOMPARE(problems->count(), 0);
    QVERIFY(child<QPushButton>(dialog, "cmdImport")->isEnabled());
    auto* preview = child<QTableWidget>(dialog, "grdPreview");
    QCOMPARE(preview->rowCount(), 2);
    QCOMPARE(preview->item(1, 10)->text(), QStringLiteral("5.5")); // total cost
    QCOMPARE(child<QLabel>(dialog, "lblImportSummary")->text(),
             QStringLiteral("2 row(s) ready to import."));
}

void TestExchangeDialogs::importReportsAfterStoringAndReopensTheWorksheet() {
    TestShell shell;
    shell.factories.insert(WindowId::Worksheet, [](Shell& s) { return new Sheet(s); });
    shell.openProject(1);
    shell.showWindow(WindowId::Worksheet);
    const int before =
        TestDatabase::scalar(shell.db.databasePath(), "SELECT COUNT(*) FROM RSLMaster").toInt();
    ImportDialog dialog(shell);
    dialog.load(writeFile(shell, "Part Name,Quantity\nOIL PUMP,2\nOIL PUMP,3\n"));
    QTest::mouseClick(child<QPushButton>(dialog, "cmdImport"), Qt::LeftButton);
    QCOMPARE(shell.scripted.lastText(), QStringLiteral("2 rows were imported."));
    QCOMPARE(
        TestDatabase::scalar(shell.db.databasePath(), "SELECT COUNT(*) FROM RSLMaster").toInt(),
        before + 2);
    QVERIFY(shell.window(WindowId::Worksheet));
    QCOMPARE(shell.shown.count(WindowId::Worksheet), 2);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TestExchangeDialogs::exportWritesTheChosenKind() {
    TestShell shell;
    ExportDialog dialog(shell);
    dialog.show();
    auto* kinds = child<QListWidget>(dialog, "lstExportWhat");
    // Without an open project its part lines cannot be chosen.
    QVERIFY(!(kinds->item(0)->flags() & Qt::ItemIsEnabled));
    kinds->setCurrentRow(6); // categories
    const QString target = shell.db.path("categories.csv");
    shell.scripted.queueFile(target);
    QTest::mouseClick(child<QPushButton>(dialog, "cmdExport"), Qt::LeftButton);
    QCOMPARE(
        shell.scripted.lastText(),
        QStringLiteral("12 rows were exported to \"%1\".").arg(QDir::toNativeSeparators(target)));
    QFile f(target);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().startsWith("\xEF\xBB\xBF"
                                   "Category\r\nBODY\r\n"));
}

QTEST_MAIN(TestExchangeDialogs)
#include "test_exchangedialogs.moc"
