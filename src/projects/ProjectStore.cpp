#include "ProjectStore.h"

#include "BudgetSheet.h"
#include "Criteria.h"
#include "DataStore.h"
#include "Transaction.h"

#include <QSet>
#include <QSqlQuery>

namespace {

const QString kNewBudgetRows = QStringLiteral("Cat_vehicle_number = 0");

// The categories in the order their budget rows are made.
DbResult categoryNames(DataStore& store, QStringList& names) {
    return store.query(QStringLiteral("SELECT Category FROM RSLCategories ORDER BY rowid"), {},
                       [&](const QSqlQuery& q) { names << q.value(0).toString(); });
}

} // namespace

ProjectStore::ProjectStore(DataStore& store)
    : m_store(store) {}

QString ProjectStore::describe(const QString& year, const QString& make, const QString& model) {
    return year + u' ' + make.toUpper() + u' ' + model.toUpper();
}

std::optional<int> ProjectStore::nextvehicle(DbResult* error) {
    QSet<qint64> used;
    DbResult r =
        m_store.query(QStringLiteral("SELECT used_vehicle_number FROM RSLVehiclesused"), {},
                      [&](const QSqlQuery& q) { used.insert(q.value(0).toLongLong()); });
    if (error)
        *error = r;
    if (!r)
        return std::nullopt;
    int number = 1;
    while (number <= kMaxProjects && used.contains(number))
        ++number;
    return number;
}

QStringList ProjectStore::descriptions() {
    RecordSet& vehicles = m_store.recordSet(Command::RSLVehicles);
    QStringList out;
    ignoreError(vehicles.setFilter(QString()));
    for (vehicles.moveFirst(); !vehicles.isEof(); vehicles.moveNext())
        out << vehicles.text(QStringLiteral("vehicle_description"));
    return out;
}

bool ProjectStore::hasProjects() {
    RecordSet& vehicles = m_store.recordSet(Command::RSLVehicles);
    ignoreError(vehicles.setFilter(QString()));
    vehicles.moveFirst();
    return !vehicles.isEof();
}

QStringList ProjectStore::makes() {
    RecordSet& makes = m_store.recordSet(Command::RSLMakes);
    QStringList out;
    ignoreError(makes.setFilter(QString()));
    for (makes.moveFirst(); !makes.isEof(); makes.moveNext())
        out << makes.text(QStringLiteral("make"));
    return out;
}

QStringList ProjectStore::models(const QString& make) {
    RecordSet& models = m_store.recordSet(Command::RSLModels);
    QStringList out;
    if (!models.setFilter(Criteria::equals(QStringLiteral("Make"), make)).ok())
        return out;
    for (models.moveFirst(); !models.isEof(); models.moveNext())
        out << models.text(QStringLiteral("Model"));
    return out;
}

std::optional<ProjectRecord> ProjectStore::find(const QString& description) {
    RecordSet& vehicles = m_store.recordSet(Command::RSLVehicles);
    ignoreError(vehicles.setFilter(QString()));
    vehicles.moveFirst();
    bool found = false;
    if (!vehicles.find(Criteria::equals(QStringLiteral("vehicle_description"), description), &found)
             .ok() ||
        !found)
        return std::nullopt;
    ProjectRecord p;
    p.number = int(vehicles.integer(QStringLiteral("vehicle_number")));
    p.description = vehicles.text(QStringLiteral("vehicle_description"));
    p.year = vehicles.text(QStringLiteral("vehicle_year"));
    p.make = vehicles.text(QStringLiteral("vehicle_make"));
    p.model = vehicles.text(QStringLiteral("vehicle_model"));
    p.picture = vehicles.text(QStringLiteral("graphic_path"));
    p.budget = vehicles.money(QStringLiteral("budget_amount"));
    return p;
}

DbResult ProjectStore::clearcategorybudget() {
    RecordSet& budget = m_store.recordSet(Command::RSLCategorybudget);
    ignoreError(budget.setFilter(QString()));
    if (DbResult r = budget.setFilter(kNewBudgetRows); !r)
        return r;
    for (budget.moveFirst(); !budget.isEof(); budget.moveNext())
        if (DbResult r = budget.deleteCurrent(); !r)
            return r;
    return budget.updateBatch();
}

DbResult ProjectStore::newBudgetIsFresh(const QStringList& categories, bool& fresh) {
    fresh = false;
    if (m_store.recordSet(Command::RSLCategorybudget).hasPendingChanges())
        return DbResult::success();
    QStringList zeroRows;
    bool allZero = true;
    DbResult r =
        m_store.query(QStringLiteral("SELECT Category, Budget_amount FROM RSLCategorybudget WHERE "
                                     "Cat_vehicle_number = 0 ORDER BY rowid"),
                      {}, [&](const QSqlQuery& q) {
                          zeroRows << q.value(0).toString();
                          allZero = allZero && !q.value(1).isNull() && q.value(1).toDouble() == 0;
                      });
    fresh = r && allZero && zeroRows == categories;
    return r;
}

DbResult ProjectStore::releaseNewBudget() {
    QStringList categories;
    DbResult r = categoryNames(m_store, categories);
    bool fresh = false;
    if (r)
        r = newBudgetIsFresh(categories, fresh);
    // Untouched rows are what the next refill would write again: keeping them
    // spares a write at every opening and closing of the catalogue.
    if (r && fresh)
        return DbResult::success();
    return clearcategorybudget();
}

DbResult ProjectStore::refillNewBudget() {
    QStringList categories;
    DbResult r = categoryNames(m_store, categories);
    if (!r)
        return r;
    RecordSet& budget = m_store.recordSet(Command::RSLCategorybudget);
    // Rows that are already one zero row per category stay untouched, so
    // that opening the catalogue writes nothing (a read-only file stays
    // usable, and an unchanged file keeps its bytes).
    bool fresh = false;
    if (r = newBudgetIsFresh(categories, fresh); !r)
        return r;
    if (fresh)
        return budget.setFilter(QString());
    // Deleting the old rows and adding the new ones is one stored batch, so
    // the number-0 rows are never half replaced.
    if (r = budget.setFilter(kNewBudgetRows); !r)
        return r;
    for (budget.moveFirst(); !budget.isEof(); budget.moveNext())
        if (r = budget.deleteCurrent(); !r)
            return r;
    if (r = budget.setFilter(QString()); !r)
        return r;
    for (const QString& category : std::as_const(categories)) {
        if (r = budget.addNew(); !r)
            return r;
        if (r = budget.setValue(QStringLiteral("Category"), category); !r)
            return r;
        if (r = budget.setValue(QStringLiteral("budget_amount"), QVariant::fromValue(Money())); !r)
            return r;
        if (r = budget.setValue(QStringLiteral("cat_vehicle_number"), 0); !r)
            return r;
    }
    return budget.updateBatch();
}

DbResult ProjectStore::copytable(int number) {
    RecordSet& budget = m_store.recordSet(Command::RSLCategorybudget);
    if (DbResult r = budget.setFilter(QString()); !r)
        return r;
    for (budget.moveFirst(); !budget.isEof(); budget.moveNext()) {
        if (budget.integer(QStringLiteral("cat_vehicle_number")) != 0)
            continue;
        if (DbResult r = budget.setValue(QStringLiteral("Cat_vehicle_number"), number); !r)
            return r;
    }
    return budget.updateBatch();
}

std::optional<Money> ProjectStore::newBudgetTotal() {
    RecordSet& budget = m_store.recordSet(Command::RSLCategorybudget);
    std::optional<Money> total;
    if (budget.setFilter(kNewBudgetRows).ok())
        total = BudgetSheet::sum(budget);
    ignoreError(budget.setFilter(QString()));
    return total;
}

ProjectStore::AddResult ProjectStore::addProject(const ProjectInput& input) {
    AddResult result;
    result.description = describe(input.year, input.make, input.model);
    if (find(result.description)) {
        result.outcome = AddOutcome::Duplicate;
        return result;
    }
    const std::optional<int> number = nextvehicle(&result.error);
    if (!number)
        return result;
    if (*number > kMaxProjects) {
        result.outcome = AddOutcome::Full;
        return result;
    }
    result.number = *number;

    Transaction tx(m_store);
    if (!tx.status()) {
        result.error = tx.status();
        return result;
    }
    if (result.error = copytable(*number); !result.error)
        return result;

    RecordSet& vehicles = m_store.recordSet(Command::RSLVehicles);
    const QList<std::pair<QString, QVariant>> columns = {
        {QStringLiteral("vehicle_description"), result.description},
        {QStringLiteral("budget_amount"), input.totalBudget},
        {QStringLiteral("vehicle_number"), *number},
        {QStringLiteral("graphic_path"), ProjectInput::stored(input.picture)},
        {QStringLiteral("vehicle_year"), input.year},
        {QStringLiteral("vehicle_make"), input.make},
        {QStringLiteral("vehicle_model"), input.model},
    };
    result.error = vehicles.addNew();
    for (const auto& [column, value] : columns)
        if (result.error)
            result.error = vehicles.setValue(column, value);
    if (result.error)
        result.error = vehicles.update();
    if (!result.error) {
        vehicles.cancelUpdate();
        return result;
    }

    RecordSet& used = m_store.recordSet(Command::RSLVehiclesused);
    result.error = used.addNew();
    if (result.error)
        result.error = used.setValue(QStringLiteral("used_vehicle_number"), *number);
    if (result.error)
        result.error = used.update();
    if (!result.error) {
        used.cancelUpdate();
        return result;
    }

    if (result.error = tx.commit(); !result.error)
        return result;
    result.outcome = AddOutcome::Added;
    return result;
}

DbResult ProjectStore::deleteProject(const QString& description, bool* found) {
    const std::optional<ProjectRecord> project = find(description);
    if (found)
        *found = project.has_value();
    if (!project)
        return DbResult::success();

    // Plain statements rather than row-by-row deletes: a project may carry
    // thousands of part lines.
    const QVariantList number = {project->number};
    Transaction tx(m_store);
    if (!tx.status())
        return tx.status();
    const std::pair<const char*, const char*> steps[] = {
        {"RSLVehiclesused", "DELETE FROM RSLVehiclesused WHERE used_vehicle_number = ?"},
        {"RSLMaster", "DELETE FROM RSLMaster WHERE Mas_vehicle_number = ?"},
        {"RSLCategorybudget", "DELETE FROM RSLCategorybudget WHERE Cat_vehicle_number = ?"},
        {"RSLVehicles", "DELETE FROM RSLVehicles WHERE vehicle_number = ?"},
    };
    for (const auto& [table, sql] : steps)
        if (DbResult r =
                m_store.execute(QString::fromLatin1(table), QString::fromLatin1(sql), number);
            !r)
            return r;
    return tx.commit();
}
