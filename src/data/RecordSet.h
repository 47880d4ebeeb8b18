#pragma once

#include "Criteria.h"
#include "CriteriaMatcher.h"
#include "DbResult.h"
#include "Money.h"
#include "Schema.h"

#include <QHash>
#include <QList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>

class DataStore;
class QSqlQuery;

enum class LockMode {
    Optimistic,      // every Update and Delete is written before the call returns
    BatchOptimistic, // changes wait for UpdateBatch (or are dropped by CancelBatch)
    ReadOnly,
};

// A shared, named view on one table: a filter, a sort order and a current row,
// with the operations the windows use to read and write part lines, budgets and
// reference lists. Filtering runs in SQL; rows are read lazily, the first time
// they are needed after the filter, the sort or the data changed, so setting a
// filter that is replaced before use costs nothing.
class RecordSet {
public:
    RecordSet(DataStore& store, QString name, const TableDef& table, LockMode mode,
              QString childName = {}, QString childFlag = {});
    ~RecordSet();
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;

    const QString& name() const { return m_name; }
    const QString& tableName() const { return m_table.name; }
    LockMode lockMode() const { return m_mode; }
    QStringList columnNames() const;
    bool hasColumn(const QString& column) const { return columnIndex(column) >= 0; }

    // "" shows every row. Moves to the first row.
    DbResult setFilter(const QString& criteria);
    const QString& filter() const { return m_filterText; }
    // A comma-separated column list, each optionally followed by ASC or DESC;
    // "" keeps the database's own order. Moves to the first row.
    DbResult setSort(const QString& columns);
    const QString& sort() const { return m_sortText; }
    // Reads the rows again from the database; held batch changes stay.
    DbResult requery();
    // How the rows now held were read: a failed read holds none.
    const DbResult& lastRead() const { return m_lastRead; }
    // A hint that finds on this column should be fast; the database keeps the
    // indexes the program needs, so there is nothing more to do.
    void optimize(const QString& column);

    void moveFirst();
    void moveNext();
    bool isEof();
    int recordCount();
    // From the current row forward, moves to the first row matching the
    // criteria; at the end when none does. Returns whether a row was found
    // (or the error when the criteria cannot be understood).
    DbResult find(const QString& criteria, bool* found = nullptr);

    // Reading the current row; at the end every column reads as empty.
    QVariant value(const QString& column);
    // Every column of the current row in the order of columnNames(), as
    // value() reads each.
    QList<QVariant> values();
    QString text(const QString& column);
    Money money(const QString& column);
    qint64 integer(const QString& column);
    double real(const QString& column);
    bool flag(const QString& column);
    bool isNull(const QString& column);

    // Writing the current (or new) row. Text columns take any text, number
    // columns take numbers or texts read by the leading-number rule.
    DbResult setValue(const QString& column, const QVariant& value);
    DbResult addNew();
    DbResult update();
    void cancelUpdate();
    DbResult deleteCurrent();
    DbResult updateBatch();
    void cancelBatch();
    bool hasPendingChanges() const { return !m_pending.isEmpty(); }
    // The given columns of every row in view, in the set's order, each as
    // value() reads it, handed to `row` one row at a time; a failure from
    // `row` stops the walk and is returned. Rows the set does not hold yet
    // are read from the database without being kept; neither the set's rows
    // nor its current row change. An unknown column is refused before
    // anything is read.
    DbResult scan(const QStringList& columns,
                  const std::function<DbResult(const QVector<QVariant>&)>& row);

    // The child rows of the current parent row of a hierarchical command
    // (part lines of the same category and project with the child flag set).
    // Empty when this command has no children or there is no current row.
    std::unique_ptr<RecordSet> children();
    const QString& childName() const { return m_childName; }
    // The child rows of every parent row in view, read at once: the part
    // lines with the child flag set of the parents' project (of every
    // project when the parents belong to several). A child belongs to the
    // parents of its category (compared as filters compare) and project.
    std::unique_ptr<RecordSet> allChildren();
    // The key that ties child rows to their parent row: folded category and
    // project number. Empty at the end or without children.
    QString parentKey();
    static QString childKey(RecordSet& child);

    // Used by the data store around transactions.
    struct Snapshot;
    std::shared_ptr<Snapshot> snapshot() const;
    void restore(const Snapshot& s);
    void invalidate() { m_stale = true; }

private:
    using Condition = CriteriaMatcher::Condition;
    struct SortKey {
        int column;
        bool ascending;
    };
    struct Row {
        qint64 key = 0; // rowid; negative for rows added in batch mode and not yet stored
        QVector<QVariant> values;
        bool hidden = false; // deleted while the row set is loaded
    };
    enum class Change { Added, Modified, Deleted };
    struct Pending {
        Change change;
        QVector<QVariant> values;
        qint64 order; // creation order of added rows
    };

    int columnIndex(const QString& column) const;
    DbResult load();
    DbResult readRows();
    void ensureLoaded();
    void sortRows();
    void skipHidden();
    Row* current();
    // A cell of `row` as value() reads it: pending edits first, money as Money.
    QVariant readCell(const Row& row, int col) const;
    QVariant shown(int col, const QVariant& held) const;
    // Runs the SELECT of `columns` over the rows in view (base conditions
    // and filter), sorted by the set's keys when `sorted`, then by rowid.
    DbResult select(QSqlQuery& q, const QString& columns, bool sorted) const;
    QVariant storedValue(int column, const QVariant& raw) const;
    DbResult convert(int column, const QVariant& in, QVariant& out) const;
    QVariant bindValue(int column, const QVariant& v) const;
    DbResult writeInsert(Row& row, const QVector<QVariant>& values);
    DbResult writeUpdate(qint64 key, const QVector<QVariant>& values);
    DbResult writeDelete(qint64 key);
    DbResult readOnlyError() const;

    DataStore& m_store;
    QString m_name;
    TableDef m_table;
    LockMode m_mode;
    QString m_childName;
    QString m_childFlag;
    CriteriaMatcher m_matcher;

    QList<Condition> m_base; // fixed conditions of a child command
    QString m_filterText;
    QList<Condition> m_filter;
    QString m_sortText;
    QList<SortKey> m_sort;

    QVector<Row> m_rows;
    int m_pos = 0;
    bool m_stale = true;
    DbResult m_lastRead;

    // Optimistic mode: the row being edited (or added) until Update.
    bool m_editing = false;
    bool m_adding = false;
    QVector<QVariant> m_edit;

    // Batch mode: changes held until UpdateBatch, by row key.
    QHash<qint64, Pending> m_pending;
    qint64 m_nextNewKey = -1;
};
