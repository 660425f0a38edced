#include "fit_table_model.h"

#include <string>

#include "analysis/fit_csv.h"
#include "viewer/session.h"

namespace corvel::app {

namespace {

constexpr int kColumns = 16;

QString Utf8(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

FitTableModel::FitTableModel(corvel::Session* session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

void FitTableModel::Refresh() {
  beginResetModel();
  rows_ = static_cast<int>(session_->FitRows().size());
  endResetModel();
}

int FitTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int FitTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant FitTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_) return {};
  // Rows are kept by the session until the next change, so the view reads them in place.
  const corvel::FitRow& row = session_->FitRows()[static_cast<size_t>(index.row())];
  std::string cells[kColumns];
  corvel::FitCsvCells(row.position + 1, row.name, session_->fit_choice(), row.fit, cells);
  // The name is shown as it is, not as CSV quotes it.
  if (index.column() == 1) return Utf8(row.name);
  return Utf8(cells[index.column()]);
}

QVariant FitTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  const std::string_view header = corvel::kFitCsvHeader;
  size_t start = 0;
  for (int c = 0; c < section; ++c) start = header.find(',', start) + 1;
  const size_t end = header.find(',', start);
  const std::string_view title =
      header.substr(start, end == std::string_view::npos ? end : end - start);
  return QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size()));
}

}  // namespace corvel::app
