// Criteria evaluated on rows in memory: any criteria text and any row are
// judged without harm, and the judgement is a consistent order (a condition
// and its opposite never agree, a value meets equality with itself, a row
// meets all conditions exactly when it meets each). A number the database
// would not compare the same way (not finite) is refused, and an amount
// reads as the number written.
#include "CriteriaMatcher.h"
#include "Decimal.h"
#include "FuzzText.h"
#include "Schema.h"

#include <cmath>

namespace {

Criteria::Op opposite(Criteria::Op op) {
    switch (op) {
    case Criteria::Op::Equal:
        return Criteria::Op::NotEqual;
    case Criteria::Op::NotEqual:
        return Criteria::Op::Equal;
    case Criteria::Op::Less:
        return Criteria::Op::GreaterEqual;
    case Criteria::Op::GreaterEqual:
        return Criteria::Op::Less;
    case Criteria::Op::Greater:
        return Criteria::Op::LessEqual;
    case Criteria::Op::LessEqual:
        return Criteria::Op::Greater;
    }
    return op;
}

// A cell's text in the form the record sets hold a stored value.
QVariant cell(ColumnType type, const QString& text) {
    bool ok = false;
    switch (type) {
    case ColumnType::Text:
    case ColumnType::Date:
        return text;
    case ColumnType::Integer: {
        const double d = text.toDouble(&ok);
        return ok && std::isfinite(d) && std::fabs(d) < 9e18 ? QVariant(qlonglong(std::llround(d)))
                                                             : QVariant();
    }
    case ColumnType::Real: {
        const double d = text.toDouble(&ok);
        return ok && std::isfinite(d) ? QVariant(d) : QVariant();
    }
    case ColumnType::Money:
        if (const auto units = Decimal::leading(text).roundedUnits(4))
            return qlonglong(*units);
        return {};
    case ColumnType::Boolean:
        return CriteriaMatcher::readBool(text).value_or(false);
    }
    return {};
}

} // namespace

// The input is the criteria, a line break, then the row's cells separated by tabs.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const TableDef* table = Schema::table(QStringLiteral("RSLMaster"));
    static const CriteriaMatcher matcher(*table);
    const QString text = fuzzText(data, size);
    const qsizetype split = text.indexOf(u'\n');
    const QString criteriaText = split < 0 ? text : text.left(split);
    const QStringList cells = split < 0 ? QStringList() : text.mid(split + 1).split(u'\t');

    const auto parsed = Criteria::parse(criteriaText);
    if (!parsed)
        return 0;
    QList<CriteriaMatcher::Condition> conditions;
    if (!matcher.compile(*parsed, QStringLiteral("RSLMaster"), conditions))
        return 0;
    FUZZ_ASSERT(conditions.size() == parsed->comparisons().size());

    QVector<QVariant> row(table->columns.size());
    for (int i = 0; i < row.size() && i < cells.size(); ++i)
        row[i] = cell(table->columns[i].type, cells[i]);

    bool all = true;
    for (qsizetype i = 0; i < conditions.size(); ++i) {
        const CriteriaMatcher::Condition& c = conditions[i];
        const ColumnType type = table->columns[c.column].type;
        if (type == ColumnType::Integer || type == ColumnType::Real)
            FUZZ_ASSERT(std::isfinite(c.value.toDouble()));
        if (type == ColumnType::Money) {
            const double written = parsed->comparisons()[i].value.trimmed().toDouble();
            const double read = double(c.value.toLongLong()) / 10000.0;
            FUZZ_ASSERT(std::fabs(read - written) <= 0.00005 + std::fabs(written) * 1e-12);
        }
        const bool meets = matcher.matches(row, {c});
        all = all && meets;
        if (!row[c.column].isNull()) {
            FUZZ_ASSERT(meets != matcher.matches(row, {{c.column, opposite(c.op), c.value}}));
            const int forward = CriteriaMatcher::compare(type, row[c.column], c.value);
            const int backward = CriteriaMatcher::compare(type, c.value, row[c.column]);
            FUZZ_ASSERT((forward > 0) == (backward < 0) && (forward == 0) == (backward == 0));
        }
        QVector<QVariant> itself = row;
        itself[c.column] = c.value;
        FUZZ_ASSERT(matcher.matches(itself, {{c.column, Criteria::Op::Equal, c.value}}));
        FUZZ_ASSERT(matcher.matches(itself, {{c.column, Criteria::Op::LessEqual, c.value}}));
        FUZZ_ASSERT(!matcher.matches(itself, {{c.column, Criteria::Op::Less, c.value}}));
    }
    FUZZ_ASSERT(matcher.matches(row, conditions) == all);
    return 0;
}
