#include "PartGridModel.h"

#include <algorithm>

void PartGridModel::setRows(QList<LineQuery::Row> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    m_message = false;
    endResetModel();
}

void PartGridModel::setMessage(const QString& text) {
    setRows({{text, {}, {}, {}}});
    m_message = true;
}

bool PartGridModel::removeLine(qint64 line) {
    for (int r = 0; r < m_rows.size(); ++r)
        if (m_rows[r].line == line) {
            beginRemoveRows({}, r, r);
            m_rows.removeAt(r);
            endRemoveRows();
            return true;
        }
    return false;
}

void PartGridModel::insertLine(int position, const LineQuery::Row& row) {
    position = std::clamp(position, 0, int(m_rows.size()));
    beginInsertRows({}, position, position);
    m_rows.insert(position, row);
    endInsertRows();
}

void PartGridModel::clear() {
    setRows({});
}

QString PartGridModel::text(int row, int column) const {
    if (row < 0 || row >= m_rows.size())
        return {};
    const LineQuery::Row& r = m_rows[row];
    switch (column) {
    case 0:
        return r.partName;
    case 1:
        return r.manufacturer;
    case 2:
        return r.vendor;
    case 3:
        return r.sequenceNumber;
    }
    return {};
}

int PartGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PartGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant PartGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant PartGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case 0:
        return QStringLiteral("Part Name");
    case 1:
        return QStringLiteral("Manufacturer");
    case 2:
        return QStringLiteral("Vendor");
    }
    return QString();
}
