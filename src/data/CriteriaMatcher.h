#pragma once

#include "Criteria.h"
#include "DbResult.h"
#include "Schema.h"

#include <QHash>
#include <QList>
#include <QVariant>
#include <QVector>

#include <optional>

// Criteria bound to the columns of one table and evaluated on rows held in
// memory. The database evaluates the same conditions in SQL when it reads;
// rows merged from held batch changes and searches within loaded rows are
// judged here, so the two must agree: the same case-blind comparison of
// text, and no value that SQL would compare differently (a number that is
// not finite is refused).
class CriteriaMatcher {
public:
    struct Condition {
        int column;
        Criteria::Op op;
        QVariant value; // in the column's in-memory form (money as whole ten-thousandths)
    };

    explicit CriteriaMatcher(const TableDef& table);

    // -1 when the table has no such column (names are case-blind).
    int columnIndex(const QString& column) const;
    // Each comparison bound to its column, its value read in the column's
    // type; a refusal names the list (`listName`), the column and the value.
    DbResult compile(const Criteria& criteria, const QString& listName,
                     QList<Condition>& out) const;
    // Whether a row (its values in column order) meets every condition. A
    // null value meets none, as in SQL.
    bool matches(const QVector<QVariant>& values, const QList<Condition>& conditions) const;

    // The order of two non-null values of a column type: <0, 0 or >0.
    static int compare(ColumnType type, const QVariant& a, const QVariant& b);
    // A yes/no value as the files hold it ("True", "false", 0, -1, ""); empty
    // when the text is none of these.
    static std::optional<bool> readBool(const QString& text);

private:
    QList<ColumnType> m_types;
    QHash<QString, int> m_columnByName;     // lower-case name -> index
    QHash<QString, int> m_columnBySpelling; // name as the table spells it -> index
};
