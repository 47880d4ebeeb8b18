#include "BudgetSheet.h"

#include "AppState.h"
#include "DataStore.h"

namespace {

const QString kCategory = QStringLiteral("Category");
const QString kAmount = QStringLiteral("Budget_amount");
const QString kNumber = QStringLiteral("cat_vehicle_number");

QString scopeFor(const QString& numberText) {
    return kNumber + QStringLiteral(" = ") + numberText;
}

} // namespace

BudgetSheet::BudgetSheet(DataStore& store, AppState& state)
    : m_store(store)
    , m_state(state)
    , m_existing(state.vehicleedit == u"Y") {}

int BudgetSheet::scopeNumber() const {
    return m_existing ? m_state.vehiclenumber : 0;
}

QString BudgetSheet::refreshedScope() {
    if (!m_existing)
        return scopeFor(QStringLiteral("0"));
    m_state.vehiclenumbera = QString::number(m_state.vehiclenumber);
    return scopeFor(m_state.vehiclenumbera);
}

DbResult BudgetSheet::useScope() {
    RecordSet& budget = m_store.recordSet(Command::RSLCategorybudget);
    if (budget.sort() != kCategory)
        ignoreError(budget.setSort(kCategory));
    if (budget.filter() == m_scope)
        return DbResult::success();
    return budget.setFilter(m_scope);
}

void BudgetSheet::load() {
    m_scope = scopeFor(m_existing ? m_state.vehiclenumbera : QStringLiteral("0"));
    m_snapshot.clear();
    RecordSet& budget = m_store.recordSet(Command::RSLCategorybudget);
    ignoreError(budget.setSort(kCategory));
    if (!budget.setFilter(m_scope).ok()) {
        // A number text that is not a number: show no rows rather than all.
        m_scope = scopeFor(QString::number(scopeNumber()));
        ignoreError(budget.setFilter(m_scope));
    }
    for (budget.moveFirst(); !budget.isEof(); budget.moveNext())
        m_snapshot.append({budget.text(kCategory), budget.money(kAmount)});
    budget.moveFirst();
}

QList<BudgetSheet::Row> BudgetSheet::rows() {
    QList<Row> out;
    RecordSet& budget = m_store.recordSet(Command::RSLCategorybudget);
    if (!useScope().ok())
        return out;
    for (budget.moveFirst(); !budget.isEof(); budget.moveNext())
        out.append({budget.text(kCategory), budget.money(kAmount)});
    return out;
}

BudgetSheet::SetOutcome BudgetSheet::setAmount(int row, const QString& text, Money* stored,
                                               DbResult* error) {
    const auto refuse = [&](const DbResult& why) {
        if (error)
            *error = why;
        return SetOutcome::Refused;
    };
    // `message` names the amount as typed, cut short.
    const auto tooLarge = [&](const QString& message) {
        return refuse(
            DbResult::failure(DbErrorKind::Overflow, message.arg(text.trimmed().left(40))));
    };
    const std::optional<Money> amount = Money::fromText(text);
    if (row < 0)
        return SetOutcome::Refused;
    if (!amount)
        return tooLarge(QStringLiteral(
            "The amount %1 is larger than Rastrel can hold, so it was not taken. Enter a smaller amount."));
    RecordSet& budget = m_store.recordSet(Command::RSLCategorybudget);
    if (DbResult r = useScope(); !r)
        return refuse(r);

    // The total must stay computable with the new amount in it.
    std::optional<Money> total = Money();
    Money current;
    int count = 0;
    for (budget.moveFirst(); !budget.isEof(); budget.moveNext(), ++count) {
        const Money value = count == row ? *amount : budget.money(kAmount);
        if (count == row)
            current = budget.money(kAmount);
        if (total)
            total = Money::checkedAdd(*total, value);
    }
    if (row >= count)
        return SetOutcome::Refused;
    if (!total)
        return tooLarge(QStringLiteral(
            "With %1 the budget amounts would add up to more than Rastrel can hold, so it was not taken. Enter a smaller amount."));
    if (stored)
        *stored = *amount;
    if (current == *amount)
        return SetOutcome::Unchanged;

    budget.moveFirst();
    for (int i = 0; i < row; ++i)
        budget.moveNext();
    if (DbResult r = budget.setValue(kAmount, QVariant::fromValue(*amount)); !r) {
        if (stored)
            *stored = current;
        return refuse(r);
    }
    return SetOutcome::Changed;
}

std::optional<Money> BudgetSheet::total() {
    RecordSet& budget = m_store.recordSet(Command::RSLCategorybudget);
    ignoreError(budget.setFilter(QString()));
    m_scope = refreshedScope();
    if (!budget.setFilter(m_scope).ok())
        return std::nullopt;
    return sum(budget);
}

DbResult BudgetSheet::restoreSnapshot() {
    RecordSet& budget = m_store.recordSet(Command::RSLCategorybudget);
    m_scope = refreshedScope();
    if (DbResult r = budget.setFilter(m_scope); !r)
        return r;
    for (budget.moveFirst(); !budget.isEof(); budget.moveNext())
        if (DbResult r = budget.deleteCurrent(); !r)
            return r;
    for (const Row& row : std::as_const(m_snapshot)) {
        DbResult r = budget.addNew();
        if (r)
            r = budget.setValue(kCategory, row.category);
        if (r)
            r = budget.setValue(kAmount, QVariant::fromValue(row.amount));
        if (r)
            r = budget.setValue(kNumber, scopeNumber());
        if (r)
            r = budget.update();
        if (!r)
            return r;
    }
    // Read again so the restored rows come back in category order.
    return budget.setFilter(m_scope);
}

std::optional<Money> BudgetSheet::sum(RecordSet& budget) {
    std::optional<Money> total = Money();
    for (budget.moveFirst(); !budget.isEof() && total; budget.moveNext())
        total = Money::checkedAdd(*total, budget.money(kAmount));
    return total;
}
