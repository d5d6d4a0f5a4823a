// The table model: texts made on demand from the stored numbers.
#include "ui/table_model.h"

#include <utility>

#include "messages/messages.h"

TableRowsModel::TableRowsModel(QObject* parent) : QAbstractTableModel(parent) {}

void TableRowsModel::SetRows(TableRows rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int TableRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.Size());
}

int TableRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(1 + rows_.ValueColumns());
}

QVariant TableRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto row = static_cast<size_t>(index.row());
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    }
    if (role != Qt::DisplayRole) return {};
    if (index.column() == 0) return QString::fromStdString(rows_.KeyText(row));
    const auto column = static_cast<size_t>(index.column() - 1);
    return QString::fromStdString(rows_.ValueText(row, TableFailureWords(), column));
}

QVariant TableRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    if (section == 0) return QString::fromStdString(rows_.KeyHeader);
    if (section < 1 || section >= columnCount()) return {};
    return QString::fromStdString(rows_.ValueHeaderOf(static_cast<size_t>(section - 1)));
}
