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
    return parent.isValid() ? 0 : 2;
}

QVariant TableRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto row = static_cast<size_t>(index.row());
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    }
    if (role != Qt::DisplayRole) return {};
    return QString::fromStdString(index.column() == 0 ? rows_.KeyText(row)
                                                      : rows_.ValueText(row, TableFailureWords()));
}

QVariant TableRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    if (section == 0) return QString::fromStdString(rows_.KeyHeader);
    if (section == 1) return QString::fromStdString(rows_.ValueHeader);
    return {};
}
