#include "CriteriaMatcher.h"

#include "Decimal.h"

#include <cmath>

namespace {

// SQLite's NOCASE folds ASCII letters only; filtering in memory must agree
// with filtering in SQL, so it folds the same way.
int compareNoCase(const QString& a, const QString& b) {
    const int n = int(std::min(a.size(), b.size()));
    for (int i = 0; i < n; ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= u'A' && x <= u'Z')
            x = char16_t(x + 32);
        if (y >= u'A' && y <= u'Z')
            y = char16_t(y + 32);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

template <typename T> int compareValues(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

bool opHolds(Criteria::Op op, int cmp) {
    switch (op) {
    case Criteria::Op::Equal:
        return cmp == 0;
    case Criteria::Op::NotEqual:
        return cmp != 0;
    case Criteria::Op::Less:
        return cmp < 0;
    case Criteria::Op::LessEqual:
        return cmp <= 0;
    case Criteria::Op::Greater:
        return cmp > 0;
    case Criteria::Op::GreaterEqual:
        return cmp >= 0;
    }
    return false;
}

bool isNumericType(ColumnType t) {
    return t == ColumnType::Integer || t == ColumnType::Real || t == ColumnType::Money;
}

} // namespace

CriteriaMatcher::CriteriaMatcher(const TableDef& table) {
    for (int i = 0; i < table.columns.size(); ++i) {
        m_types << table.columns[i].type;
        m_columnByName.insert(table.columns[i].name.toLower(), i);
        m_columnBySpelling.insert(table.columns[i].name, i);
    }
}

int CriteriaMatcher::columnIndex(const QString& column) const {
    // Reports ask for a column per cell, mostly spelled as the table spells
    // it: that is found without folding the name first.
    if (const auto it = m_columnBySpelling.constFind(column); it != m_columnBySpelling.cend())
        return *it;
    return m_columnByName.value(column.trimmed().toLower(), -1);
}

std::optional<bool> CriteriaMatcher::readBool(const QString& text) {
    const QString t = text.trimmed();
    if (t.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(u"false", Qt::CaseInsensitive) == 0 || t.isEmpty())
        return false;
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (ok)
        return d != 0;
    return std::nullopt;
}

DbResult CriteriaMatcher::compile(const Criteria& criteria, const QString& listName,
                                  QList<Condition>& out) const {
    out.clear();
    for (const Criteria::Comparison& c : criteria.comparisons()) {
        const int col = columnIndex(c.column);
        if (col < 0)
            return DbResult::failure(
                DbErrorKind::BadCriteria,
                QStringLiteral("The list %1 has no column named %2.").arg(listName, c.column));
        const ColumnType type = m_types[col];
        QVariant value;
        if (type == ColumnType::Boolean) {
            const auto b = readBool(c.value);
            if (!b || c.value.trimmed().isEmpty())
                return DbResult::failure(
                    DbErrorKind::BadCriteria,
                    QStringLiteral("\"%1\" is not a yes/no value for %2.").arg(c.value, c.column));
            value = *b;
        } else if (isNumericType(type)) {
            bool ok = false;
            const double d = c.value.trimmed().toDouble(&ok);
            // "nan" and "inf" read as numbers here, but SQL stores neither.
            if (!ok || !std::isfinite(d))
                return DbResult::failure(
                    DbErrorKind::BadCriteria,
                    QStringLiteral("\"%1\" is not a number for %2.").arg(c.value, c.column));
            if (type == ColumnType::Money) {
                const auto units = Decimal::leading(c.value).roundedUnits(4);
                if (!units)
                    return DbResult::failure(
                        DbErrorKind::BadCriteria,
                        QStringLiteral("\"%1\" is out of range for %2.").arg(c.value, c.column));
                value = qlonglong(*units);
            } else {
                value = d;
            }
        } else {
            value = c.value;
        }
        out.append({col, c.op, value});
    }
    return DbResult::success();
}

int CriteriaMatcher::compare(ColumnType type, const QVariant& a, const QVariant& b) {
    switch (type) {
    case ColumnType::Text:
    case ColumnType::Date:
        return compareNoCase(a.toString(), b.toString());
    case ColumnType::Integer:
    case ColumnType::Real:
        return compareValues(a.toDouble(), b.toDouble());
    case ColumnType::Money:
        return compareValues(a.toLongLong(), b.toLongLong());
    case ColumnType::Boolean:
        return compareValues(int(a.toBool()), int(b.toBool()));
    }
    return 0;
}

bool CriteriaMatcher::matches(const QVector<QVariant>& values,
                              const QList<Condition>& conditions) const {
    for (const Condition& c : conditions) {
        if (c.column < 0 || c.column >= values.size() || c.column >= m_types.size())
            return false;
        const QVariant& v = values[c.column];
        if (v.isNull() || c.value.isNull())
            return false;
        if (!opHolds(c.op, compare(m_types[c.column], v, c.value)))
            return false;
    }
    return true;
}
