#include "ProjectEditor.h"

#include "AppState.h"
#include "BudgetSheet.h"
#include "Criteria.h"
#include "DataStore.h"
#include "ProjectStore.h"
#include "Transaction.h"

namespace {

const QString kCategory = QStringLiteral("Category");
const QString kAmount = QStringLiteral("budget_amount");
const QString kNumber = QStringLiteral("cat_vehicle_number");

QString numberCriteria(const QString& column, int number) {
    return column + QStringLiteral(" = ") + QString::number(number);
}

} // namespace

ProjectEditor::ProjectEditor(DataStore& store, AppState& state)
    : m_store(store)
    , m_state(state) {}

QString ProjectEditor::scope() const {
    return kNumber + QStringLiteral(" = ") + m_state.vehiclenumbera;
}

std::optional<ProjectRecord> ProjectEditor::load(const QString& description, DbResult* copyError) {
    const std::optional<ProjectRecord> project = ProjectStore(m_store).find(description);
    if (!project)
        return std::nullopt;
    m_loaded = project->description;
    m_number = project->number;
    m_state.vehiclenumber = project->number;
    m_state.vehiclenumbera = QString::number(project->number);

    RecordSet& budget = m_store.recordSet(Command::RSLCategorybudget);
    RecordSet& copy = m_store.recordSet(Command::RSLCategorybudget3);
    DbResult r = budget.setFilter(scope());
    if (r)
        r = copy.setFilter(QString());
    // The old copy goes and the new one comes in one stored batch.
    for (copy.moveFirst(); r && !copy.isEof(); copy.moveNext())
        r = copy.deleteCurrent();
    for (budget.moveFirst(); r && !budget.isEof(); budget.moveNext()) {
        r = copy.addNew();
        if (r)
            r = copy.setValue(kCategory, budget.text(kCategory));
        if (r)
            r = copy.setValue(kAmount, QVariant::fromValue(budget.money(kAmount)));
        if (r)
            r = copy.setValue(kNumber, budget.integer(kNumber));
        if (r)
            r = copy.update();
    }
    if (r)
        r = copy.updateBatch();
    if (!r)
        copy.cancelBatch();
    m_copied = r.ok();
    if (copyError)
        *copyError = r;
    budget.moveFirst();
    return project;
}

std::optional<Money> ProjectEditor::budgetTotal() {
    RecordSet& budget = m_store.recordSet(Command::RSLCategorybudget);
    if (!budget.setFilter(scope()).ok())
        return std::nullopt;
    return BudgetSheet::sum(budget);
}

ProjectEditor::ChangeResult ProjectEditor::change(const ProjectInput& input) {
    ChangeResult result;
    result.previous = m_loaded;
    result.description = ProjectStore::describe(input.year, input.make, input.model);

    RecordSet& vehicles = m_store.recordSet(Command::RSLVehicles);
    if (result.description != m_loaded) {
        if (const auto other = ProjectStore(m_store).find(result.description);
            other && other->number != m_number) {
            result.outcome = ChangeOutcome::Duplicate;
            return result;
        }
    }

    Transaction tx(m_store);
    if (result.error = tx.status(); !result.error)
        return result;
    ignoreError(vehicles.setFilter(QString()));
    vehicles.moveFirst();
    bool found = false;
    result.error =
        vehicles.find(numberCriteria(QStringLiteral("vehicle_number"), m_number), &found);
    if (!result.error)
        return result;
    if (!found) {
        result.outcome = ChangeOutcome::Missing;
        return result;
    }
    const QList<std::pair<QString, QVariant>> columns = {
        {QStringLiteral("vehicle_description"), result.description},
        {QStringLiteral("budget_amount"), input.totalBudget},
        {QStringLiteral("graphic_path"), ProjectInput::stored(input.picture)},
        {QStringLiteral("vehicle_year"), input.year},
        {QStringLiteral("vehicle_make"), input.make},
        {QStringLiteral("vehicle_model"), input.model},
    };
    for (const auto& [column, value] : columns)
        if (result.error)
            result.error = vehicles.setValue(column, value);
    if (result.error)
        result.error = vehicles.update();
    if (!result.error) {
        vehicles.cancelUpdate();
        return result;
    }
    if (result.error = m_store.recordSet(Command::RSLCategorybudget).updateBatch(); !result.error)
        return result;
    if (result.error = tx.commit(); !result.error)
        return result;
    m_loaded = result.description;
    result.outcome = ChangeOutcome::Changed;
    return result;
}

DbResult ProjectEditor::restoreBudgetFromCopy() {
    RecordSet& budget = m_store.recordSet(Command::RSLCategorybudget);
    if (!m_copied) {
        // Without a copy the stored rows are the ones to keep.
        budget.cancelBatch();
        return DbResult::success();
    }
    RecordSet& copy = m_store.recordSet(Command::RSLCategorybudget3);
    if (DbResult r = budget.setFilter(scope()); !r)
        return r;
    for (budget.moveFirst(); !budget.isEof(); budget.moveNext())
        if (DbResult r = budget.deleteCurrent(); !r)
            return r;
    if (DbResult r = copy.setFilter(numberCriteria(kNumber, m_number)); !r)
        return r;
    for (copy.moveFirst(); !copy.isEof(); copy.moveNext()) {
        DbResult r = budget.addNew();
        if (r)
            r = budget.setValue(kCategory, copy.text(kCategory));
        if (r)
            r = budget.setValue(kAmount, QVariant::fromValue(copy.money(kAmount)));
        if (r)
            r = budget.setValue(kNumber, copy.integer(kNumber));
        if (r)
            r = budget.update();
        if (!r)
            return r;
    }
    return budget.updateBatch();
}

void ProjectEditor::cancelBudget() {
    m_store.recordSet(Command::RSLCategorybudget).cancelBatch();
}
