#pragma once

#include "LineQuery.h"

#include <QAbstractTableModel>

// The rows of a part-line grid: part name, manufacturer and vendor, and the
// sequence number in a fourth column the grid keeps hidden. Filled in one go,
// so a thousand lines cost one reset, not a thousand insertions.
class PartGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(QList<LineQuery::Row> rows);
    // A single row that only says something ("No Matches Found").
    void setMessage(const QString& text);
    void clear();
    bool isMessage() const { return m_message; }
    // One line's row out (by rowid; false when it is not shown) or in.
    bool removeLine(qint64 line);
    void insertLine(int position, const LineQuery::Row& row);

    QString text(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<LineQuery::Row> m_rows;
    bool m_message = false;
};
