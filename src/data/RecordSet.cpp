#include "RecordSet.h"

#include "DataStore.h"
#include "Decimal.h"
#include "Transaction.h"

#include <QLocale>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <cmath>

struct RecordSet::Snapshot {
    QVector<Row> rows;
    int pos;
    bool stale;
    QHash<qint64, Pending> pending;
    qint64 nextNewKey;
};

namespace {

QString sqlOp(Criteria::Op op) {
    switch (op) {
    case Criteria::Op::Equal:
        return QStringLiteral("=");
    case Criteria::Op::NotEqual:
        return QStringLiteral("<>");
    case Criteria::Op::Less:
        return QStringLiteral("<");
    case Criteria::Op::LessEqual:
        return QStringLiteral("<=");
    case Criteria::Op::Greater:
        return QStringLiteral(">");
    case Criteria::Op::GreaterEqual:
        return QStringLiteral(">=");
    }
    return QStringLiteral("=");
}

} // namespace

RecordSet::RecordSet(DataStore& store, QString name, const TableDef& table, LockMode mode,
                     QString childName, QString childFlag)
    : m_store(store)
    , m_name(std::move(name))
    , m_table(table)
    , m_mode(mode)
    , m_childName(std::move(childName))
    , m_childFlag(std::move(childFlag))
    , m_matcher(m_table) {
    m_store.attach(this);
}

RecordSet::~RecordSet() {
    m_store.detach(this);
}

QStringList RecordSet::columnNames() const {
    QStringList out;
    for (const ColumnDef& c : m_table.columns)
        out << c.name;
    return out;
}

int RecordSet::columnIndex(const QString& column) const {
    return m_matcher.columnIndex(column);
}

DbResult RecordSet::setFilter(const QString& criteria) {
    // The filter already in force keeps the rows read (every write through
    // the store marks them stale), unless held changes may have moved rows
    // into or out of it. Windows set "" again and again.
    if (!m_stale && m_pending.isEmpty() && criteria == m_filterText) {
        cancelUpdate();
        m_pos = 0;
        skipHidden();
        return DbResult::success();
    }
    QString error;
    const auto parsed = Criteria::parse(criteria, &error);
    if (!parsed)
        return DbResult::failure(DbErrorKind::BadCriteria, error);
    QList<Condition> conds;
    if (DbResult r = m_matcher.compile(*parsed, m_name, conds); !r)
        return r;
    cancelUpdate();
    m_filterText = criteria;
    m_filter = conds;
    m_stale = true;
    return DbResult::success();
}

DbResult RecordSet::setSort(const QString& columns) {
    QList<SortKey> keys;
    for (const QString& part : columns.split(u',', Qt::SkipEmptyParts)) {
        QStringList words = part.simplified().split(u' ');
        if (words.isEmpty() || words.first().isEmpty())
            continue;
        const int col = columnIndex(words.first());
        if (col < 0)
            return DbResult::failure(
                DbErrorKind::BadCriteria,
                QStringLiteral("The list %1 has no column named %2.").arg(m_name, words.first()));
        bool asc = true;
        if (words.size() > 1)
            asc = words[1].compare(u"desc", Qt::CaseInsensitive) != 0;
        keys.append({col, asc});
    }
    cancelUpdate();
    m_sortText = columns;
    m_sort = keys;
    if (m_pending.isEmpty()) {
        // Read again, sorted by the database, the next time rows are needed.
        m_stale = true;
    } else if (!m_stale) {
        sortRows();
        m_pos = 0;
        skipHidden();
    }
    return DbResult::success();
}

DbResult RecordSet::requery() {
    cancelUpdate();
    m_stale = true;
    return load();
}

void RecordSet::optimize(const QString&) {}

void RecordSet::ensureLoaded() {
    if (m_stale)
        ignoreError(load()); // a failed read leaves an empty row set; see lastRead()
}

DbResult RecordSet::select(QSqlQuery& q, const QString& columns, bool sorted) const {
    QString sql = QStringLiteral("SELECT %1 FROM \"%2\"").arg(columns, m_table.name);
    QStringList where;
    QVariantList binds;
    for (const QList<Condition>* list : {&m_base, &m_filter})
        for (const Condition& c : *list) {
            where << u'"' + m_table.columns[c.column].name + u"\" " + sqlOp(c.op) + u" ?";
            binds << bindValue(c.column, c.value);
        }
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    QStringList order;
    if (sorted)
        for (const SortKey& k : m_sort)
            order << u'"' + m_table.columns[k.column].name + u'"' +
                         (k.ascending ? QString() : QStringLiteral(" DESC"));
    order << QStringLiteral("rowid");
    sql += QStringLiteral(" ORDER BY ") + order.join(u',');

    q.setForwardOnly(true);
    if (!q.prepare(sql))
        return m_store.resultOf(q.lastError(), QStringLiteral("be read"));
    for (const QVariant& b : binds)
        q.addBindValue(b);
    if (!q.exec())
        return m_store.resultOf(q.lastError(), QStringLiteral("be read"));
    return DbResult::success();
}

DbResult RecordSet::scan(const QStringList& columns,
                         const std::function<DbResult(const QVector<QVariant>&)>& row) {
    QList<int> picked;
    QStringList names;
    for (const QString& column : columns) {
        const int col = columnIndex(column);
        if (col < 0)
            return DbResult::failure(
                DbErrorKind::BadCriteria,
                QStringLiteral("The list %1 has no column named %2.").arg(m_name, column));
        picked << col;
        names << u'"' + m_table.columns[col].name + u'"';
    }
    QVector<QVariant> values(picked.size());
    if (!m_pending.isEmpty() || !m_stale) {
        // Rows read already are not read twice, and held changes live only
        // here: walk the rows as they are held.
        ensureLoaded();
        for (const Row& r : std::as_const(m_rows)) {
            if (r.hidden)
                continue;
            for (int i = 0; i < picked.size(); ++i)
                values[i] = shown(picked[i], r.values[picked[i]]);
            if (DbResult result = row(values); !result)
                return result;
        }
        return DbResult::success();
    }
    if (!m_store.isOpen())
        return DbResult::failure(DbErrorKind::NotOpen, m_store.notOpenMessage());
    QSqlQuery q(m_store.connection());
    if (DbResult r = select(q, names.join(u','), true); !r)
        return r;
    while (q.next()) {
        for (int i = 0; i < picked.size(); ++i)
            values[i] = shown(picked[i], storedValue(picked[i], q.value(i)));
        if (DbResult result = row(values); !result)
            return result;
    }
    // A read that stops part way must not pass for the whole list.
    if (q.lastError().isValid())
        return m_store.resultOf(q.lastError(), QStringLiteral("be read"));
    return DbResult::success();
}

DbResult RecordSet::load() {
    m_lastRead = readRows();
    return m_lastRead;
}

DbResult RecordSet::readRows() {
    m_stale = false;
    m_rows.clear();
    m_pos = 0;
    if (!m_store.isOpen())
        return DbResult::failure(DbErrorKind::NotOpen, m_store.notOpenMessage());

    QStringList cols;
    for (const ColumnDef& c : m_table.columns)
        cols << u'"' + c.name + u'"';
    // The database sorts (with the columns' own case-blind collation, and by
    // rowid among equals, as the in-memory sort does), unless held changes
    // must be merged in first.
    const bool sortInSql = m_pending.isEmpty();
    QSqlQuery q(m_store.connection());
    if (DbResult r = select(q, QStringLiteral("rowid, ") + cols.join(u','), sortInSql); !r)
        return r;

    const int n = int(m_table.columns.size());
    QSet<qint64> seen;
    while (q.next()) {
        Row row;
        row.key = q.value(0).toLongLong();
        row.values.resize(n);
        for (int i = 0; i < n; ++i)
            row.values[i] = storedValue(i, q.value(i + 1));
        if (!m_pending.isEmpty()) {
            seen.insert(row.key);
            auto it = m_pending.constFind(row.key);
            if (it != m_pending.constEnd()) {
                if (it->change == Change::Deleted)
                    continue;
                row.values = it->values;
                if (!m_matcher.matches(row.values, m_filter))
                    continue;
            }
        }
        m_rows.append(std::move(row));
    }
    // The rows before a damaged page are not the list: none is shown.
    if (q.lastError().isValid()) {
        m_rows.clear();
        return m_store.resultOf(q.lastError(), QStringLiteral("be read"));
    }
    if (!m_pending.isEmpty()) {
        // Held changes that now fall inside the filter: rows changed into it,
        // and rows added since the last batch update, in the order added.
        QList<std::pair<qint64, qint64>> added;
        for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it) {
            if (it->change == Change::Modified && !seen.contains(it.key()) &&
                m_matcher.matches(it->values, m_base) && m_matcher.matches(it->values, m_filter))
                m_rows.append({it.key(), it->values, false});
            else if (it->change == Change::Added && m_matcher.matches(it->values, m_filter))
                added.append({it->order, it.key()});
        }
        std::sort(added.begin(), added.end(), [](auto a, auto b) { return a.first < b.first; });
        for (const auto& [addedOrder, key] : added)
            m_rows.append({key, m_pending.value(key).values, false});
    }
    if (!sortInSql)
        sortRows();
    m_pos = 0;
    return DbResult::success();
}

void RecordSet::sortRows() {
    if (m_sort.isEmpty())
        return;
    std::stable_sort(m_rows.begin(), m_rows.end(), [this](const Row& a, const Row& b) {
        for (const SortKey& k : m_sort) {
            const QVariant& x = a.values[k.column];
            const QVariant& y = b.values[k.column];
            const int cmp = x.isNull() || y.isNull()
                                ? int(!x.isNull()) - int(!y.isNull())
                                : CriteriaMatcher::compare(m_table.columns[k.column].type, x, y);
            if (cmp != 0)
                return k.ascending ? cmp < 0 : cmp > 0;
        }
        return false;
    });
}

void RecordSet::skipHidden() {
    while (m_pos < m_rows.size() && m_rows[m_pos].hidden)
        ++m_pos;
}

RecordSet::Row* RecordSet::current() {
    ensureLoaded();
    if (m_pos < 0 || m_pos >= m_rows.size() || m_rows[m_pos].hidden)
        return nullptr;
    return &m_rows[m_pos];
}

void RecordSet::moveFirst() {
    cancelUpdate();
    ensureLoaded();
    m_pos = 0;
    skipHidden();
}

void RecordSet::moveNext() {
    cancelUpdate();
    ensureLoaded();
    if (m_pos < m_rows.size())
        ++m_pos;
    skipHidden();
}

bool RecordSet::isEof() {
    ensureLoaded();
    return m_pos >= m_rows.size();
}

int RecordSet::recordCount() {
    ensureLoaded();
    return int(
        std::count_if(m_rows.cbegin(), m_rows.cend(), [](const Row& r) { return !r.hidden; }));
}

DbResult RecordSet::find(const QString& criteria, bool* found) {
    if (found)
        *found = false;
    QString error;
    const auto parsed = Criteria::parse(criteria, &error);
    if (!parsed)
        return DbResult::failure(DbErrorKind::BadCriteria, error);
    QList<Condition> conds;
    if (DbResult r = m_matcher.compile(*parsed, m_name, conds); !r)
        return r;
    cancelUpdate();
    ensureLoaded();
    skipHidden();
    while (m_pos < m_rows.size()) {
        if (!m_rows[m_pos].hidden && m_matcher.matches(m_rows[m_pos].values, conds)) {
            if (found)
                *found = true;
            return DbResult::success();
        }
        ++m_pos;
    }
    return DbResult::success();
}

QVariant RecordSet::value(const QString& column) {
    const int col = columnIndex(column);
    Q_ASSERT_X(col >= 0, "RecordSet::value", qPrintable(column));
    const Row* row = current();
    if (col < 0 || !row)
        return {};
    return readCell(*row, col);
}

QList<QVariant> RecordSet::values() {
    QList<QVariant> out(m_table.columns.size());
    if (const Row* row = current())
        for (int col = 0; col < out.size(); ++col)
            out[col] = readCell(*row, col);
    return out;
}

QVariant RecordSet::readCell(const Row& row, int col) const {
    return shown(col, m_editing ? m_edit[col] : row.values[col]);
}

QVariant RecordSet::shown(int col, const QVariant& held) const {
    if (m_table.columns[col].type == ColumnType::Money && !held.isNull())
        return QVariant::fromValue(Money::fromUnits(held.toLongLong()));
    return held;
}

QString RecordSet::text(const QString& column) {
    const QVariant v = value(column);
    if (v.isNull())
        return {};
    switch (m_table.columns[columnIndex(column)].type) {
    case ColumnType::Money:
        return v.value<Money>().toPlainText();
    case ColumnType::Real:
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    case ColumnType::Boolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return v.toString();
    }
}

Money RecordSet::money(const QString& column) {
    const QVariant v = value(column);
    if (v.canConvert<Money>() && v.metaType() == QMetaType::fromType<Money>())
        return v.value<Money>();
    return Money::fromStoredDouble(v.toDouble());
}

qint64 RecordSet::integer(const QString& column) {
    return value(column).toLongLong();
}
double RecordSet::real(const QString& column) {
    const QVariant v = value(column);
    if (v.metaType() == QMetaType::fromType<Money>())
        return v.value<Money>().toDouble();
    return v.toDouble();
}
bool RecordSet::flag(const QString& column) {
    return value(column).toBool();
}
bool RecordSet::isNull(const QString& column) {
    return value(column).isNull();
}

QVariant RecordSet::storedValue(int column, const QVariant& raw) const {
    if (raw.isNull())
        return {};
    switch (m_table.columns[column].type) {
    case ColumnType::Text:
    case ColumnType::Date:
        return raw.toString();
    case ColumnType::Integer:
        return qlonglong(std::llround(raw.toDouble()));
    case ColumnType::Real:
        return raw.toDouble();
    case ColumnType::Money:
        return qlonglong(Money::fromStoredDouble(raw.toDouble()).units());
    case ColumnType::Boolean:
        if (raw.typeId() == QMetaType::QString)
            return CriteriaMatcher::readBool(raw.toString()).value_or(false);
        return raw.toLongLong() != 0;
    }
    return raw;
}

DbResult RecordSet::convert(int column, const QVariant& in, QVariant& out) const {
    out = QVariant();
    if (!in.isValid() || in.isNull())
        return DbResult::success();
    const ColumnDef& def = m_table.columns[column];
    const bool isText = in.typeId() == QMetaType::QString;
    const bool isMoney = in.metaType() == QMetaType::fromType<Money>();
    auto overflow = [&] {
        return DbResult::failure(
            DbErrorKind::Overflow,
            QStringLiteral("The value %1 is too large for %2.").arg(in.toString(), def.name));
    };
    switch (def.type) {
    case ColumnType::Text:
    case ColumnType::Date:
        out = isMoney ? in.value<Money>().toPlainText() : in.toString();
        break;
    case ColumnType::Integer: {
        if (isText) {
            const auto v = Decimal::leading(in.toString()).roundedUnits(0);
            if (!v)
                return overflow();
            out = qlonglong(*v);
        } else if (in.typeId() == QMetaType::Bool) {
            out = qlonglong(in.toBool() ? 1 : 0);
        } else {
            const double d = isMoney ? in.value<Money>().toDouble() : in.toDouble();
            if (!std::isfinite(d) || std::fabs(d) > 9.2e18)
                return overflow();
            out = qlonglong(std::nearbyint(d));
        }
        break;
    }
    case ColumnType::Real:
        if (isText)
            out = Decimal::leading(in.toString()).toDouble();
        else
            out = isMoney ? in.value<Money>().toDouble() : in.toDouble();
        break;
    case ColumnType::Money: {
        if (isMoney) {
            out = qlonglong(in.value<Money>().units());
        } else if (isText) {
            const auto m = Money::fromText(in.toString());
            if (!m)
                return overflow();
            out = qlonglong(m->units());
        } else if (in.typeId() == QMetaType::LongLong || in.typeId() == QMetaType::Int) {
            const auto m =
                Money::checkedMultiply(Money::fromUnits(in.toLongLong()), Money::kUnitsPerDollar);
            if (!m)
                return overflow();
            out = qlonglong(m->units());
        } else {
            const double d = in.toDouble();
            if (!std::isfinite(d) || std::fabs(d) > 9.2e14)
                return overflow();
            out = qlonglong(Money::fromStoredDouble(d).units());
        }
        break;
    }
    case ColumnType::Boolean:
        if (isText)
            out = CriteriaMatcher::readBool(in.toString()).value_or(false);
        else
            out = in.toBool();
        break;
    }
    return DbResult::success();
}

QVariant RecordSet::bindValue(int column, const QVariant& v) const {
    const ColumnType t = m_table.columns[column].type;
    if (v.isNull()) {
        if (t == ColumnType::Text || t == ColumnType::Date)
            return QVariant(QMetaType::fromType<QString>());
        return QVariant(QMetaType::fromType<qlonglong>());
    }
    switch (t) {
    case ColumnType::Text:
    case ColumnType::Date:
        return v.toString();
    case ColumnType::Integer:
        return qlonglong(std::llround(v.toDouble()));
    case ColumnType::Real:
        return v.toDouble();
    case ColumnType::Money:
        // The decimal text keeps the stored value exactly the amount held.
        return Money::fromUnits(v.toLongLong()).toPlainText().toDouble();
    case ColumnType::Boolean:
        return v.toBool() ? 1 : 0;
    }
    return v;
}

DbResult RecordSet::readOnlyError() const {
    return DbResult::failure(DbErrorKind::Other,
                             QStringLiteral("The list %1 cannot be changed.").arg(m_name));
}

DbResult RecordSet::setValue(const QString& column, const QVariant& value) {
    if (m_mode == LockMode::ReadOnly)
        return readOnlyError();
    const int col = columnIndex(column);
    if (col < 0)
        return DbResult::failure(
            DbErrorKind::Other,
            QStringLiteral("The list %1 has no column named %2.").arg(m_name, column));
    Row* row = current();
    if (!row)
        return DbResult::failure(DbErrorKind::NoCurrentRow,
                                 QStringLiteral("There is no current row in %1.").arg(m_name));
    QVariant v;
    if (DbResult r = convert(col, value, v); !r)
        return r;
    if (m_mode == LockMode::BatchOptimistic) {
        row->values[col] = v;
        auto it = m_pending.find(row->key);
        if (it == m_pending.end())
            m_pending.insert(row->key, {Change::Modified, row->values, 0});
        else
            it->values = row->values;
        return DbResult::success();
    }
    if (!m_editing) {
        m_editing = true;
        m_edit = row->values;
    }
    m_edit[col] = v;
    return DbResult::success();
}

DbResult RecordSet::addNew() {
    if (m_mode == LockMode::ReadOnly)
        return readOnlyError();
    cancelUpdate();
    ensureLoaded();
    Row row;
    row.values.resize(m_table.columns.size());
    if (m_mode == LockMode::BatchOptimistic) {
        row.key = m_nextNewKey--;
        m_pending.insert(row.key, {Change::Added, row.values, -row.key});
    } else {
        m_editing = true;
        m_adding = true;
        m_edit = row.values;
    }
    m_rows.append(row);
    m_pos = int(m_rows.size()) - 1;
    return DbResult::success();
}

DbResult RecordSet::update() {
    if (m_mode == LockMode::ReadOnly)
        return readOnlyError();
    if (m_mode == LockMode::BatchOptimistic || !m_editing)
        return DbResult::success();
    Row* row = current();
    if (!row) {
        cancelUpdate();
        return DbResult::failure(DbErrorKind::NoCurrentRow,
                                 QStringLiteral("There is no current row in %1.").arg(m_name));
    }
    DbResult r = m_adding ? writeInsert(*row, m_edit) : writeUpdate(row->key, m_edit);
    if (!r)
        return r; // the edit stays open, so the caller may correct it or cancel
    row->values = m_edit;
    m_editing = false;
    m_adding = false;
    m_edit.clear();
    return r;
}

void RecordSet::cancelUpdate() {
    if (!m_editing)
        return;
    if (m_adding && !m_rows.isEmpty() && m_rows.last().key == 0) {
        m_rows.removeLast();
        if (m_pos >= m_rows.size())
            m_pos = int(m_rows.size());
    }
    m_editing = false;
    m_adding = false;
    m_edit.clear();
}

DbResult RecordSet::deleteCurrent() {
    if (m_mode == LockMode::ReadOnly)
        return readOnlyError();
    cancelUpdate();
    Row* row = current();
    if (!row)
        return DbResult::failure(DbErrorKind::NoCurrentRow,
                                 QStringLiteral("There is no current row in %1.").arg(m_name));
    if (m_mode == LockMode::BatchOptimistic) {
        if (row->key < 0)
            m_pending.remove(row->key);
        else
            m_pending.insert(row->key, {Change::Deleted, row->values, 0});
    } else {
        if (DbResult r = writeDelete(row->key); !r)
            return r;
    }
    // The row stays current until the next move, as a deleted row does.
    row->hidden = true;
    return DbResult::success();
}

DbResult RecordSet::updateBatch() {
    if (m_mode == LockMode::ReadOnly)
        return readOnlyError();
    if (m_mode != LockMode::BatchOptimistic || m_pending.isEmpty())
        return DbResult::success();

    QList<std::pair<qint64, Pending>> work;
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it)
        work.append({it.key(), it.value()});
    // Deletions first, then changes, then additions in the order they were made.
    std::sort(work.begin(), work.end(), [](const auto& a, const auto& b) {
        auto rank = [](Change c) {
            return c == Change::Deleted ? 0 : c == Change::Modified ? 1 : 2;
        };
        if (rank(a.second.change) != rank(b.second.change))
            return rank(a.second.change) < rank(b.second.change);
        return a.second.order < b.second.order;
    });

    Transaction tx(m_store);
    if (!tx.status())
        return tx.status();
    QHash<qint64, qint64> newKeys;
    for (const auto& [key, p] : work) {
        DbResult r;
        if (p.change == Change::Deleted) {
            r = writeDelete(key);
        } else if (p.change == Change::Modified) {
            r = writeUpdate(key, p.values);
        } else {
            Row stored;
            r = writeInsert(stored, p.values);
            newKeys.insert(key, stored.key);
        }
        if (!r)
            return r; // the transaction rolls back and the held changes stay
    }
    if (DbResult r = tx.commit(); !r)
        return r;

    m_pending.clear();
    QVector<Row> kept;
    kept.reserve(m_rows.size());
    for (Row& row : m_rows) {
        if (row.hidden)
            continue;
        if (row.key < 0)
            row.key = newKeys.value(row.key, row.key);
        kept.append(row);
    }
    const qint64 currentKey = (m_pos < m_rows.size()) ? m_rows[m_pos].key : 0;
    m_rows = kept;
    m_pos = int(m_rows.size());
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].key == newKeys.value(currentKey, currentKey))
            m_pos = i;
    return DbResult::success();
}

void RecordSet::cancelBatch() {
    if (m_mode != LockMode::BatchOptimistic)
        return;
    m_pending.clear();
    m_stale = true;
}

std::unique_ptr<RecordSet> RecordSet::children() {
    if (m_childName.isEmpty())
        return {};
    const TableDef* master = Schema::table(QStringLiteral("RSLMaster"));
    auto child = std::make_unique<RecordSet>(m_store, m_childName, *master, LockMode::ReadOnly);
    Row* row = current();
    if (!row) {
        child->m_base = {{0, Criteria::Op::Equal, QVariant()}}; // matches nothing
        child->m_stale = false;
        return child;
    }
    const QString criteria =
        m_childFlag + QStringLiteral(" = 1 and ") +
        Criteria::equals(QStringLiteral("Category"), text(QStringLiteral("Category"))) +
        QStringLiteral(" and Mas_vehicle_number = ") +
        QString::number(integer(QStringLiteral("Cat_vehicle_number")));
    const auto parsed = Criteria::parse(criteria);
    ignoreError(child->m_matcher.compile(*parsed, child->m_name, child->m_base));
    return child;
}

std::unique_ptr<RecordSet> RecordSet::allChildren() {
    if (m_childName.isEmpty())
        return {};
    const TableDef* master = Schema::table(QStringLiteral("RSLMaster"));
    auto child = std::make_unique<RecordSet>(m_store, m_childName, *master, LockMode::ReadOnly);
    ensureLoaded();
    const int number = columnIndex(QStringLiteral("Cat_vehicle_number"));
    QSet<qint64> projects;
    for (const Row& r : std::as_const(m_rows))
        if (!r.hidden)
            projects.insert(r.values[number].toLongLong());
    if (projects.isEmpty()) {
        child->m_base = {{0, Criteria::Op::Equal, QVariant()}}; // matches nothing
        child->m_stale = false;
        return child;
    }
    QString criteria = m_childFlag + QStringLiteral(" = 1");
    if (projects.size() == 1)
        criteria +=
            QStringLiteral(" and Mas_vehicle_number = ") + QString::number(*projects.cbegin());
    const auto parsed = Criteria::parse(criteria);
    ignoreError(child->m_matcher.compile(*parsed, child->m_name, child->m_base));
    return child;
}

namespace {

QString keyOf(const QString& category, qint64 project) {
    // Folded as the text comparisons fold: ASCII letters only.
    QString folded = category;
    for (QChar& c : folded)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    return folded + u'\n' + QString::number(project);
}

} // namespace

QString RecordSet::parentKey() {
    if (m_childName.isEmpty() || isEof() || isNull(QStringLiteral("Category")))
        return {};
    return keyOf(text(QStringLiteral("Category")), integer(QStringLiteral("Cat_vehicle_number")));
}

QString RecordSet::childKey(RecordSet& child) {
    if (child.isEof() || child.isNull(QStringLiteral("Category")))
        return {};
    return keyOf(child.text(QStringLiteral("Category")),
                 child.integer(QStringLiteral("Mas_vehicle_number")));
}

std::shared_ptr<RecordSet::Snapshot> RecordSet::snapshot() const {
    return std::make_shared<Snapshot>(Snapshot{m_rows, m_pos, m_stale, m_pending, m_nextNewKey});
}

void RecordSet::restore(const Snapshot& s) {
    m_editing = false;
    m_adding = false;
    m_edit.clear();
    if (m_mode == LockMode::BatchOptimistic) {
        m_rows = s.rows;
        m_pos = s.pos;
        m_stale = s.stale;
        m_pending = s.pending;
        m_nextNewKey = s.nextNewKey;
    } else {
        m_stale = true;
    }
}

DbResult RecordSet::writeInsert(Row& row, const QVector<QVariant>& values) {
    QStringList cols, marks;
    for (const ColumnDef& c : m_table.columns) {
        cols << u'"' + c.name + u'"';
        marks << QStringLiteral("?");
    }
    QVariantList binds;
    for (int i = 0; i < values.size(); ++i)
        binds << bindValue(i, values[i]);
    qint64 rowid = 0;
    DbResult r = m_store.write(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                                   .arg(m_table.name, cols.join(u','), marks.join(u',')),
                               binds, &rowid);
    if (r)
        row.key = rowid;
    return r;
}

DbResult RecordSet::writeUpdate(qint64 key, const QVector<QVariant>& values) {
    QStringList sets;
    QVariantList binds;
    for (int i = 0; i < m_table.columns.size(); ++i) {
        sets << u'"' + m_table.columns[i].name + u"\" = ?";
        binds << bindValue(i, values[i]);
    }
    binds << key;
    return m_store.write(
        QStringLiteral("UPDATE \"%1\" SET %2 WHERE rowid = ?").arg(m_table.name, sets.join(u',')),
        binds);
}

DbResult RecordSet::writeDelete(qint64 key) {
    return m_store.write(QStringLiteral("DELETE FROM \"%1\" WHERE rowid = ?").arg(m_table.name),
                         {key});
}
