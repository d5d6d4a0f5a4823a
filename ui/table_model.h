// The rows of a sequence or function table for a QTableView. The numbers are kept as numbers and
// turned into text only for the rows the view asks for, so a table of 100000 rows opens at once.
#pragma once

#include <QAbstractTableModel>

#include "calc/sequence_table.h"

class TableRowsModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit TableRowsModel(QObject* parent = nullptr);

    void SetRows(TableRows rows);
    const TableRows& Rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    TableRows rows_;
};
