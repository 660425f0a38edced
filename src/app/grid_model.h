// StrGridDat's model: the session's parameter table shown by a QTableView. Row 0 of the table
// (the titles) is the horizontal header, so the view's fixed row never scrolls away; data rows
// start at row 1 of the table and row 0 of the model. Cells are decoded from GBK when the view
// asks for them, so a table of any length costs nothing until it is painted.
#pragma once

#include <QAbstractTableModel>

#include "params/grid.h"

namespace corvel::app {

class GridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit GridModel(const corvel::Grid* grid, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Bracket every change of the table: the view drops what it knew of the old one.
  void BeginChange() { beginResetModel(); }
  void EndChange() { endResetModel(); }

  // The cells of a rectangle of the model as tab-separated lines, for the clipboard.
  QString CopyText(int top, int left, int bottom, int right) const;

 private:
  const corvel::Grid* grid_;
};

}  // namespace corvel::app
