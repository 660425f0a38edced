// LBoxFN: the record list of the current type as a multi-select list. The model shows the
// session's labels, decoded from GBK when painted; the view behaves like a multi-select list
// box (click selects one, Ctrl-click toggles, Shift-click extends) and hands Ctrl+A and the
// Delete key to the window, which runs select all and delete as the buttons do.
#pragma once

#include <QAbstractListModel>
#include <QListView>

#include "records/record_list.h"

namespace corvel::app {

class RecordListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit RecordListModel(const corvel::RecordList* list, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  void BeginChange() { beginResetModel(); }
  void EndChange() { endResetModel(); }

 private:
  const corvel::RecordList* list_;
};

class RecordListView : public QListView {
  Q_OBJECT

 public:
  explicit RecordListView(QWidget* parent = nullptr);

 signals:
  void SelectAllRequested();
  void DeleteRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace corvel::app
