#include "BudgetDialog.h"
#include "ProjectStore.h"
#include "TestShell.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

const QString kQuestion =
    QStringLiteral("Would you like to save your changes before leaving this form?");

} // namespace

class TestBudgetDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void init();
    void cleanup();

    void gridShowsTheRowsInScopeWithAFixedCategoryColumn();
    void acceptingHandsThePlainTotalToTheCaller();
    void aClearedCellBecomesZero();
    void anAmountTooLargeIsRefused();
    void closingAsksOnlyAfterAChange();
    void noPutsTheSnapshotBack();
    void reopeningShowsAcceptedOrEarlierAmounts();

private:
    BudgetDialog* open();
    QAbstractItemModel* grid() { return m_dialog->findChild<QTableView*>("DataGrid1")->model(); }
    QStringList amounts() {
        QStringList out;
        for (int r = 0; r < grid()->rowCount(); ++r)
            out << grid()->index(r, 1).data().toString();
        return out;
    }
    void set(int row, const QString& amount) {
        QVERIFY(grid()->setData(grid()->index(row, 1), amount));
    }
    void accept() {
        QTest::mouseClick(m_dialog->findChild<QPushButton*>("cmdAcceptbudget"), Qt::LeftButton);
    }

    std::unique_ptr<TestShell> m_shell;
    QPointer<BudgetDialog> m_dialog;
    QStringList m_totals;
};

void TestBudgetDialog::init() {
    m_shell = std::make_unique<TestShell>();
    m_shell->appState.clearProject();
    m_shell->appState.vehicleedit = "N";
    QVERIFY(ProjectStore(m_shell->data()).refillNewBudget().ok());
    m_totals.clear();
}

void TestBudgetDialog::cleanup() {
    delete m_dialog;
    m_shell.reset();
}

BudgetDialog* TestBudgetDialog::open() {
    m_dialog = new BudgetDialog(*m_shell, [this](const QString& total) { m_totals << total; });
    m_shell->toolkit().runModal(m_dialog);
    return m_dialog;
}

void TestBudgetDialog::gridShowsTheRowsInScopeWithAFixedCategoryColumn() {
    m_shell->appState.vehicleedit = "Y";
    m_shell->appState.vehiclenumber = 1;
    m_shell->appState.vehiclenumbera = "1";
    QVERIFY(open());
    QCOMPARE(m_dialog->objectName(), "frmBudget");
    QCOMPARE(m_dialog->windowTitle(), "Enter Budget Amounts By Category");
    QAbstractItemModel* model = grid();
    QCOMPARE(model->rowCount(), 12);
    QCOMPARE(model->columnCount(), 2);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), "Category");
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), "Budget Amount");
    QCOMPARE(model->index(0, 0).data().toString(), "BODY");
    QCOMPARE(model->index(0, 1).data().toString(), "$2,500.00");
    QCOMPARE(model->index(0, 1).data(Qt::EditRole).toString(), "2500");

    // Category names and the set of rows cannot be changed from the grid.
    QVERIFY(!(model->flags(model->index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
    QVERIFY(!model->setData(model->index(0, 0), "RENAMED"));
    QVERIFY(!model->insertRows(0, 1));
    QVERIFY(!model->removeRows(0, 1));
    QCOMPARE(model->rowCount(), 12);
    QCOMPARE(model->index(0, 0).data().toString(), "BODY");
    QVERIFY(!m_dialog->hasChanges());
}

void TestBudgetDialog::acceptingHandsThePlainTotalToTheCaller() {
    QVERIFY(open());
    set(0, "100");
    set(1, "250.50");
    set(2, "0");
    QCOMPARE(amounts().mid(0, 3), (QStringList{"$100.00", "$250.50", "$0.00"}));
    QVERIFY(m_dialog->hasChanges());
    accept();
    QCOMPARE(m_totals, QStringList{"350.5"});
    QVERIFY(m_shell->scripted.messages().isEmpty());
    QTRY_VERIFY(!m_dialog);
    // The amounts are held for the caller to store, not stored here.
    QCOMPARE(TestDatabase::scalar(m_shell->db.databasePath(),
                                  "SELECT SUM(Budget_amount) FROM RSLCategorybudget WHERE "
                                  "Cat_vehicle_number = 0")
                 .toDouble(),
             0.0);
    QVERIFY(m_shell->data().recordSet(Command::RSLCategorybudget).hasPendingChanges());
}

void TestBudgetDialog::aClearedCellBecomesZero() {
    QVERIFY(open());
    set(3, "40");
    auto* view = m_dialog->findChild<QTableView*>("DataGrid1");
    const QModelIndex cell = grid()->index(3, 1);
    view->setCurrentIndex(cell);
    view->edit(cell);
    auto* editor = view->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QCOMPARE(editor->text(), "40"); // edited as a plain number
    editor->clear();
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(cell.data().toString(), "$0.00");

    // Text after a number is dropped by the leading-number rule.
    view->edit(cell);
    editor = view->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, "75.25 dollars");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(cell.data().toString(), "$75.25");
    accept();
    QCOMPARE(m_totals, QStringList{"75.25"});
}

void TestBudgetDialog::anAmountTooLargeIsRefused() {
    QVERIFY(open());
    set(0, "12");
    QVERIFY(!grid()->setData(grid()->index(0, 1), "1e30"));
    QCOMPARE(m_shell->scripted.beeps(), 1);
    QCOMPARE(grid()->index(0, 1).data().toString(), "$12.00");
}

void TestBudgetDialog::closingAsksOnlyAfterAChange() {
    QVERIFY(open());
    m_dialog->close();
    QTRY_VERIFY(!m_dialog);
    QVERIFY(m_shell->scripted.messages().isEmpty());
    QVERIFY(m_totals.isEmpty());

    // Typing the amount a cell already holds is no change either.
    QVERIFY(open());
    set(0, "0");
    QVERIFY(!m_dialog->hasChanges());

    // Yes accepts.
    set(0, "9.99");
    m_shell->scripted.queueYes();
    m_dialog->close();
    QTRY_VERIFY(!m_dialog);
    QCOMPARE(m_shell->scripted.lastText(), kQuestion);
    QCOMPARE(m_shell->scripted.messages().last().kind, ScriptedToolkit::Kind::YesNoHelp);
    QCOMPARE(m_shell->scripted.messages().last().title,
             "Rastrel - Enter Budget Amounts By Category");
    QCOMPARE(m_totals, QStringList{"9.99"});
}

void TestBudgetDialog::noPutsTheSnapshotBack() {
    m_shell->appState.vehicleedit = "Y";
    m_shell->appState.vehiclenumber = 1;
    m_shell->appState.vehiclenumbera = "1";
    QVERIFY(open());
    const QStringList before = amounts();
    const auto snapshot = m_dialog->sheet().snapshot();
    set(0, "1");
    set(5, "2");
    m_shell->scripted.queueNo();
    m_dialog->close();
    QTRY_VERIFY(!m_dialog);
    QVERIFY(m_totals.isEmpty());

    AppState state;
    state.vehicleedit = "Y";
    state.vehiclenumber = 1;
    state.vehiclenumbera = "1";
    BudgetSheet sheet(m_shell->data(), state);
    sheet.load();
    QCOMPARE(sheet.rows(), snapshot);
    // Put back as held changes: the stored rows were never touched.
    QVERIFY(m_shell->data().recordSet(Command::RSLCategorybudget).hasPendingChanges());
    QCOMPARE(TestDatabase::scalar(m_shell->db.databasePath(),
                                  "SELECT COUNT(*) FROM RSLCategorybudget WHERE "
                                  "Cat_vehicle_number = 1")
                 .toInt(),
             12);
    QVERIFY(open());
    QCOMPARE(amounts(), before);
}

void TestBudgetDialog::reopeningShowsAcceptedOrEarlierAmounts() {
    QVERIFY(open());
    set(0, "100");
    accept();
    QTRY_VERIFY(!m_dialog);

    QVERIFY(open());
    QCOMPARE(amounts().first(), "$100.00");
    set(0, "555");
    set(1, "1");
    m_shell->scripted.queueNo();
    m_dialog->close();
    QTRY_VERIFY(!m_dialog);

    QVERIFY(open());
    QCOMPARE(amounts().mid(0, 2), (QStringList{"$100.00", "$0.00"}));
    QCOMPARE(grid()->rowCount(), 12);
    QCOMPARE(m_totals, QStringList{"100"});
}

QTEST_MAIN(TestBudgetDialog)
#include "test_budgetdialog.moc"
