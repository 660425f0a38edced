#include "record_list.h"

#include <QKeyEvent>

#include "gbk.h"

namespace corvel::app {

RecordListModel::RecordListModel(const corvel::RecordList* list, QObject* parent)
    : QAbstractListModel(parent), list_(list) {}

int RecordListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : list_->count;
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= list_->count) return {};
  return FromGbk(list_->label(index.row()));
}

RecordListView::RecordListView(QWidget* parent) : QListView(parent) {
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setUniformItemSizes(true);  // 9998 labels are laid out without measuring each
  setLayoutMode(QListView::SinglePass);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void RecordListView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::SelectAll)) {
    emit SelectAllRequested();
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
    emit DeleteRequested();
    event->accept();
    return;
  }
  QListView::keyPressEvent(event);
}

}  // namespace corvel::app
