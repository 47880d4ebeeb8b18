#include "BudgetDialog.h"
#include "ProjectStore.h"
#include "TestShell.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

class TestBudgetDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void init();
    void cleanup();

    void gridShowsTheRowsInScopeWithAFixedCategoryColumn();
    void acceptingHandsThePlainTotalToTheCaller();
    void aClearedCellBecomesZero();
    void closingAsksOnlyAfterAChange();
    void noPutsTheSnapshotBack();

private:
    void open() {
        m_dialog = new BudgetDialog(*m_shell, [this](const QString& total) { m_totals << total; });
        m_shell->toolkit().runModal(m_dialog);
    }
    void editProject() {
        m_shell->appState.vehicleedit = "Y";
        m_shell->appState.vehiclenumber = 1;
        m_shell->appState.vehiclenumbera = "1";
    }
    QTableView* view() { return m_dialog->findChild<QTableView*>("DataGrid1"); }
    QStringList amounts() {
        QStringList out;
        for (int r = 0; r < view()->model()->rowCount(); ++r)
            out << view()->model()->index(r, 1).data().toString();
        return out;
    }
    void set(int row, const QString& amount) {
        QVERIFY(view()->model()->setData(view()->model()->index(row, 1), amount));
    }
    void accept() {
        QTest::mouseClick(m_dialog->findChild<QPushButton*>("cmdAcceptbudget"), Qt::LeftButton);
    }
    // Closes with the close box, answering the question if one is asked.
    void closeAnswering(std::optional<Toolkit::Answer> answer) {
        if (answer)
            m_shell->scripted.queueAnswer(*answer);
        m_dialog->close();
        QTRY_VERIFY(!m_dialog);
    }
    double stored(int project) {
        return TestDatabase::scalar(m_shell->db.databasePath(),
                                    QStringLiteral("SELECT SUM(Budget_amount) FROM "
                                                   "RSLCategorybudget WHERE Cat_vehicle_number = "
                                                   "%1")
                                        .arg(project))
            .toDouble();
    }

    std::unique_ptr<TestShell> m_shell;
    QPointer<BudgetDialog> m_dialog;
    QStringList m_totals;
};

void TestBudgetDialog::init() {
    m_shell = std::make_unique<TestShell>();
    m_shell->appState.clearProject();
    QVERIFY(ProjectStore(m_shell->data()).refillNewBudget().ok());
    m_totals.clear();
}

void TestBudgetDialog::cleanup() {
    delete m_dialog;
    m_shell.reset();
}

void TestBudgetDialog::gridShowsTheRowsInScopeWithAFixedCategoryColumn() {
    editProject();
    open();
    QAbstractItemModel* model = view()->model();
    QCOMPARE(model->rowCount(), 12);
    QCOMPARE(model->index(0, 1).data().toString(), "$2,500.00");

    // Category names and the set of rows cannot be changed from the grid.
    QVERIFY(!(model->flags(model->index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(!model->setData(model->index(0, 0), "RENAMED"));

    // An amount beyond the money range, or one that would take the total
    // past it, is refused with the reason, and the cell keeps its amount.
    for (const char* amount : {"1e30", "922337203685477"}) {
        QVERIFY(!model->setData(model->index(0, 1), amount));
        QVERIFY2(m_shell->scripted.messages().last().text.contains("Rastrel can hold"), amount);
        QCOMPARE(model->index(0, 1).data().toString(), "$2,500.00");
    }
    QVERIFY(!m_dialog->hasChanges());
}

void TestBudgetDialog::acceptingHandsThePlainTotalToTheCaller() {
    open();
    set(0, "100");
    set(1, "250.50");
    set(2, "0");
    QCOMPARE(amounts().mid(0, 3), (QStringList{"$100.00", "$250.50", "$0.00"}));
    accept();
    QCOMPARE(m_totals, QStringList{"350.5"});
    QVERIFY(m_shell->scripted.messages().isEmpty());
    QTRY_VERIFY(!m_dialog);
    // Held for the caller to store, not stored here.
    QCOMPARE(stored(0), 0.0);

    // The next opening shows what was accepted.
    open();
    QCOMPARE(amounts().mid(0, 2), (QStringList{"$100.00", "$250.50"}));
}

void TestBudgetDialog::aClearedCellBecomesZero() {
    open();
    set(3, "40");
    const QModelIndex cell = view()->model()->index(3, 1);
    const auto typeInCell = [&](const QString& text) {
        view()->edit(cell);
        auto* editor = view()->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QCOMPARE(editor->text(), "40"); // edited as a plain number
        editor->clear();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    };
    typeInCell(QString());
    QTRY_COMPARE(cell.data().toString(), "$0.00");
    set(3, "40");
    typeInCell("75.25 dollars");
    QTRY_COMPARE(cell.data().toString(), "$75.25");
}

void TestBudgetDialog::closingAsksOnlyAfterAChange() {
    open();
    set(0, "0"); // the amount it held: no change
    closeAnswering(std::nullopt);
    QVERIFY(m_shell->scripted.messages().isEmpty());
    QVERIFY(m_totals.isEmpty());

    open();
    set(0, "9.99");
    closeAnswering(Toolkit::Answer::Yes);
    QCOMPARE(m_shell->scripted.messages().size(), 1);
    QCOMPARE(m_totals, QStringList{"9.99"});
}

void TestBudgetDialog::noPutsTheSnapshotBack() {
    editProject();
    open();
    const QStringList before = amounts();
    set(0, "1");
    set(5, "2");
    closeAnswering(Toolkit::Answer::No);
    QVERIFY(m_totals.isEmpty());
    // The same rows again, as held changes; the stored rows were never touched.
    QVERIFY(m_shell->data().recordSet(Command::RSLCategorybudget).hasPendingChanges());
    open();
    QCOMPARE(amounts(), before);
    QVERIFY(m_shell->data().recordSet(Command::RSLCategorybudget).updateBatch().ok());
    QCOMPARE(stored(1), 18450.0); // each row once, at its old amount
}

QTEST_MAIN(TestBudgetDialog)
#include "test_budgetdialog.moc"
