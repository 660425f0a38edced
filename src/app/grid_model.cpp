#include "grid_model.h"

#include "gbk.h"

namespace corvel::app {

GridModel::GridModel(const corvel::Grid* grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {}

int GridModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return grid_->row_count() > 1 ? grid_->row_count() - 1 : 0;
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_->col_count();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return FromGbk(grid_->Cell(index.row() + 1, index.column()));
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  if (orientation == Qt::Horizontal) return FromGbk(grid_->Cell(0, section));
  return section + 1;  // the row of the table
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QString GridModel::CopyText(int top, int left, int bottom, int right) const {
  QString text;
  for (int row = top; row <= bottom; ++row) {
    for (int col = left; col <= right; ++col) {
      if (col > left) text += QLatin1Char('\t');
      text += FromGbk(grid_->Cell(row + 1, col));
    }
    text += QLatin1Char('\n');
  }
  return text;
}

}  // namespace corvel::app
