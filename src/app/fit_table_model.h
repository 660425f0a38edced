// The fit table of the selected rapid light curves for a QTableView: the columns of the fit CSV,
// the rows the session computes. Refresh() reads them again after a change.
#pragma once

#include <QAbstractTableModel>

namespace corvel {
class Session;
}

namespace corvel::app {

class FitTableModel : public QAbstractTableModel {
 public:
  explicit FitTableModel(corvel::Session* session, QObject* parent = nullptr);

  // Asks the session for the rows (computing the fits not yet kept) and shows them.
  void Refresh();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  corvel::Session* session_;
  int rows_ = 0;
};

}  // namespace corvel::app
