#pragma once

#include "BudgetGridModel.h"
#include "BudgetSheet.h"

#include <QDialog>

#include <functional>

class QPushButton;
class QTableView;
class Shell;

// frmBudget: one budget amount per category for the project being created
// (budget mode "N") or edited ("Y"). Edits stay held in RSLCategorybudget;
// Accept Budget hands the total to the calling window through `writeTotal`.
class BudgetDialog : public QDialog {
    Q_OBJECT
public:
    using TotalWriter = std::function<void(const QString& total)>;

    BudgetDialog(Shell& shell, TotalWriter writeTotal, QWidget* parent = nullptr);

    bool hasChanges() const { return m_changed; }
    const BudgetSheet& sheet() const { return m_sheet; }

    // Accept Budget: writes the total into the caller and closes.
    void acceptBudget();
    // The close box and Escape: asks about unsaved changes first.
    void reject() override;

private:
    void finish(int result);

    Shell& m_shell;
    TotalWriter m_writeTotal;
    BudgetSheet m_sheet;
    BudgetGridModel m_model;
    QTableView* m_grid = nullptr;
    QPushButton* m_accept = nullptr;
    bool m_changed = false;
    bool m_finishing = false;
};
