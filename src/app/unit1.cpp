#include "unit1.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelection>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "chart_view.h"
#include "compare_page.h"
#include "core_messages.h"
#include "fit_table_model.h"
#include "gbk.h"
#include "grid_model.h"
#include "progress.h"
#include "prompter.h"
#include "protocol_pictures.h"
#include "record_list.h"
#include "settings.h"
#include "unit2.h"
#include "window_texts.h"

using corvel::app::FromGbk;
using corvel::app::FromUtf8;
using corvel::app::ToGbk;
using corvel::app::ToPath;

namespace {

constexpr int kRadioUser = corvel::ItemIndex(corvel::RadioItem::kUser);
constexpr int kRadioRlc = corvel::ItemIndex(corvel::RadioItem::kRlc);

bool IsMeasurementFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().isEmpty()) return false;
  const QUrl url = data->urls().constFirst();
  return url.isLocalFile() &&
         QFileInfo(url.toLocalFile()).suffix().compare(QLatin1String("bin"), Qt::CaseInsensitive) ==
             0;
}

}  // namespace

int TForm1::RdGrpMTypeItemIndex() const {
  return type_group_->checkedId();
}

// ---- Show and close -------------------------------------------------------------------------

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous() && !shown_) {
    shown_ = true;
    FormShow();
  }
}

void TForm1::FormShow() {
  // A window whose place was remembered opens there; otherwise it opens maximised.
  if (settings_ == nullptr || settings_->WindowGeometry().isEmpty())
    setWindowState(windowState() | Qt::WindowMaximized);
  PageCtrl->setCurrentWidget(TabSheet1);
  ShowChart();  // blank, disabled boxes and an empty chart
}

bool TForm1::ConfirmLeave() {
  if (!session_->HasUnsavedDeletions()) return true;
  return prompter_->AskOkCancel(this, corvel::app::kAskExit, corvel::app::kWarningCaption);
}

bool TForm1::ConfirmOpenOther() {
  if (!session_->HasUnsavedDeletions()) return true;
  return prompter_->AskOkCancel(this, corvel::app::kAskOpenOther, corvel::app::kWarningCaption);
}

void TForm1::BtnExitClick() {
  if (!ConfirmLeave()) return;
  leaving_ = true;
  close();
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (corvel::app::WorkInProgress()) {
    event->ignore();  // an open or a save is still running
    return;
  }
  const bool asked = leaving_;
  leaving_ = false;
  if (!asked && !ConfirmLeave()) {
    event->ignore();  // the user chose to stay
    return;
  }
  if (form2_ != nullptr) form2_->hide();
  StoreSettings();
  event->accept();
}

// ---- Opening ----------------------------------------------------------------------------------

void TForm1::BtnOpenClick() {
  if (!ConfirmOpenOther()) return;
  if (settings_ != nullptr) prompter_->set_start_folder(settings_->OpenFolder());
  const QString path = prompter_->OpenFileName(
      this, corvel::app::kOpenTitle, corvel::app::kOpenInitialName, corvel::app::kOpenFilter);
  if (path.isEmpty()) return;
  OpenPath(path);
}

bool TForm1::OpenFile(const QString& path) {
  if (!ConfirmOpenOther()) return false;
  return OpenPath(path);
}

bool TForm1::OpenPath(const QString& path) {
  // The first file of a run shows the type looked at last; later ones start on OJIP.
  const int type = pending_type_ > 0 ? pending_type_ : 0;
  BeginGridChange();
  list_model_->BeginChange();
  corvel::FileResult result;
  corvel::app::RunWithProgress(this, this, tr("正在打开 %1 …").arg(QFileInfo(path).fileName()),
                               [&] {
                                 result = session_->Open(ToPath(path));
                                 if (result.ok && type != 0) session_->SwitchType(type);
                               });
  list_model_->EndChange();
  EndGridChange();
  if (!result.ok) {
    // A missing path, a folder and an unreadable file all get the same box naming the path and
    // the reason; the loaded file, its list and its selection stay (rule D4).
    SyncListSelection();
    prompter_->ShowError(this, corvel::app::CoreMessages::Failure(result.message));
    return false;
  }
  const QFileInfo opened(path);
  if (settings_ != nullptr) {
    settings_->AddRecentFile(opened.absoluteFilePath());
    settings_->SetOpenFolder(opened.absolutePath());
  }
  pending_type_ = -1;
  {
    const QSignalBlocker block(type_group_);
    RdGrpMTypeItems[type]->setChecked(true);
  }
  file_label_->setText(QDir::toNativeSeparators(opened.absoluteFilePath()));
  ShowTypeSwitch();
  return true;
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (IsMeasurementFile(event->mimeData())) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  if (!IsMeasurementFile(event->mimeData())) return;
  event->acceptProposedAction();
  OpenFile(event->mimeData()->urls().constFirst().toLocalFile());
}

// ---- Type switch and list -----------------------------------------------------------------------

void TForm1::RdGrpMTypeClick() {
  BeginGridChange();
  list_model_->BeginChange();
  session_->SwitchType(RdGrpMTypeItemIndex());
  list_model_->EndChange();
  EndGridChange();
  ShowTypeSwitch();
}

void TForm1::ShowTypeSwitch() {
  SyncListSelection();
  const int k = session_->radio_item();
  for (QLabel* picture : Image) picture->hide();
  if (corvel::kMeasurementTypes[k].has_picture) {
    Image[k]->move(Image[0]->pos());
    Image[k]->show();
  }
  SetInfoText(session_->info_text());
  ShowChart();
  ShowNotice();
  ComparePage1->Refresh();  // the groups went with the list
}

void TForm1::ListSelectionChanged(const QItemSelection& selected,
                                  const QItemSelection& deselected) {
  if (syncing_) return;
  for (const QItemSelectionRange& range : deselected)
    for (int row = range.top(); row <= range.bottom(); ++row) session_->SetSelected(row, false);
  for (const QItemSelectionRange& range : selected)
    for (int row = range.top(); row <= range.bottom(); ++row) session_->SetSelected(row, true);
  LBoxFNClick();
}

void TForm1::LBoxFNClick() {
  BeginGridChange();
  session_->ListClick();
  EndGridChange();
  ShowListClick();
}

void TForm1::BeginGridChange() {
  QHeaderView* cols = StrGridDat->horizontalHeader();
  column_widths_.resize(static_cast<size_t>(cols->count()));
  for (int c = 0; c < cols->count(); ++c)
    column_widths_[static_cast<size_t>(c)] = cols->sectionSize(c);
  grid_model_->BeginChange();
}

void TForm1::EndGridChange() {
  grid_model_->EndChange();
  // The columns the user widened stay wide from one table to the next.
  QHeaderView* cols = StrGridDat->horizontalHeader();
  if (static_cast<size_t>(cols->count()) == column_widths_.size())
    for (int c = 0; c < cols->count(); ++c)
      cols->resizeSection(c, column_widths_[static_cast<size_t>(c)]);
  // A refilled table starts at its top left: one scrolled right would otherwise look empty.
  StrGridDat->horizontalScrollBar()->setValue(0);
  StrGridDat->verticalScrollBar()->setValue(0);
}

void TForm1::ShowListClick() {
  if (session_->radio_item() == kRadioUser) SetInfoText(session_->info_text());
  ShowChart();
  switch (session_->chart_limit()) {
    case corvel::ChartLimit::kFirstTen:
      statusBar()->showMessage(tr("曲线只显示前10条记录"));
      break;
    case corvel::ChartLimit::kFirstOnly:
      statusBar()->showMessage(tr("曲线只显示第一条选中的记录"));
      break;
    case corvel::ChartLimit::kNone:
      ShowNotice();
      break;
  }
}

void TForm1::SyncListSelection() {
  const corvel::RecordList& list = session_->list();
  QItemSelection selection;
  for (int i = 0; i < list.count;) {
    if (!list.selected[i]) {
      ++i;
      continue;
    }
    int last = i;
    while (last + 1 < list.count && list.selected[last + 1]) ++last;
    selection.select(list_model_->index(i), list_model_->index(last));
    i = last + 1;
  }
  syncing_ = true;
  LBoxFN->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  syncing_ = false;
}

void TForm1::BtnSelAllClick() {
  if (session_->list().count == 0) {
    statusBar()->showMessage(tr("记录列表为空，没有可选的记录"));
    return;
  }
  BeginGridChange();
  session_->SelectAll();
  EndGridChange();
  SyncListSelection();
  ShowListClick();
}

void TForm1::BtnDeSelClick() {
  if (session_->list().selected_count == 0) return;
  BeginGridChange();
  session_->DeselectAll();
  EndGridChange();
  SyncListSelection();
  ShowListClick();
}

void TForm1::BtnDelClick() {
  if (!session_->CanDelete()) return;
  if (!prompter_->AskOkCancel(this, corvel::app::kAskDelete, corvel::app::kAskDeleteCaption))
    return;
  BeginGridChange();
  list_model_->BeginChange();
  session_->DeleteSelected();
  list_model_->EndChange();
  EndGridChange();
  ShowTypeSwitch();
}

// ---- Info box, check boxes, chart ---------------------------------------------------------------

void TForm1::SetInfoText(const std::string& gbk) {
  setting_info_ = true;
  RichEditInfo->setPlainText(FromGbk(gbk));
  setting_info_ = false;
}

void TForm1::InfoTextEdited() {
  // What the user types into the box is what save mode 3 writes beside the records.
  if (!setting_info_) session_->set_info_text(ToGbk(RichEditInfo->toPlainText()));
}

void TForm1::ShowChart() {
  const corvel::ChartState& chart = session_->chart();
  syncing_ = true;
  for (int i = 0; i < corvel::kBoxCount; ++i) {
    QCheckBox* box = CBoxFN[i];
    const QSignalBlocker block(box);
    box->setText(FromGbk(chart.box[i].caption));
    // The caption holds the label's first 12 bytes; the tooltip gives the whole label.
    const int record = chart.box[i].record;
    box->setToolTip(record >= 0 && record < session_->list().count
                        ? FromGbk(session_->list().label(record))
                        : QString());
    box->setEnabled(chart.box[i].enabled);
    box->setChecked(chart.box[i].checked);
  }
  {
    const QSignalBlocker block(CbBoxSK);
    CbBoxSK->setVisible(chart.combo.visible);
    CbBoxSK->setCurrentIndex(chart.combo.index);
  }
  const bool rlc = session_->radio_item() == kRadioRlc;
  LblFit->setVisible(rlc);
  CbBoxFit->setVisible(rlc);
  syncing_ = false;
  Chart1->Render();
  ShowFits();
}

void TForm1::PicChkBoxFNClk(int slot, bool checked) {
  if (syncing_) return;
  session_->CheckBoxClicked(slot, checked);
  ShowChart();
}

void TForm1::CbBoxSKChange(int index) {
  if (syncing_) return;
  session_->ComboChanged(index);
  ShowChart();
}

void TForm1::CbBoxFitChange(int index) {
  if (syncing_ || index < 0 || index >= corvel::kFitChoiceCount) return;
  session_->SetFitChoice(static_cast<corvel::FitChoice>(index));
  ShowChart();
}

void TForm1::ShowNotice() {
  QString content;
  if (session_->has_file()) {
    switch (session_->file_content()) {
      case corvel::FileContent::kEmptyFile:
        content = tr("文件为空（0 字节），文件中没有测量记录");
        break;
      case corvel::FileContent::kShortHeader:
        content = tr("文件只有 %1 字节，短于64字节的文件头，文件中没有测量记录")
                      .arg(session_->file_bytes());
        break;
      case corvel::FileContent::kNoRecord:
        content = tr("文件中没有测量记录");
        break;
      case corvel::FileContent::kRecords:
        break;
    }
  }
  const QString notice = corvel::app::CoreMessages::Notice(*session_);
  if (!content.isEmpty() && !notice.isEmpty()) content += QStringLiteral("  ");
  statusBar()->showMessage(content + notice);
}

// ---- Saving -----------------------------------------------------------------------------------

void TForm1::BtnSaveSelectClick() {
  const int mode = session_->SaveModeForDialog();
  if (mode < 0) {
    statusBar()->showMessage(SaveRefusalText(corvel::SaveRefusal::kNoLiveRecord));
    return;
  }
  if (form2_ == nullptr) return;
  form2_->Present(mode);
}

void TForm1::BtnSaveGridClick() {
  const QString path = AskSaveFileName(
      this, corvel::app::ToSaveSetup(corvel::Session::SaveGridDialog()), QStringLiteral("table"));
  if (path.isEmpty()) return;
  const corvel::FileResult result = session_->SaveGrid(ToPath(path));
  if (!result.ok) {
    prompter_->ShowError(this, corvel::app::CoreMessages::Failure(result.message));
    return;
  }
  // A rapid light curve table gets its fits beside it.
  if (session_->radio_item() != kRadioRlc) return;
  const corvel::FileResult fits = session_->SaveFitTable(corvel::FitTablePath(ToPath(path)));
  if (!fits.ok) prompter_->ShowError(this, corvel::app::CoreMessages::Failure(fits.message));
}

void TForm1::BtnSavePicClick() {
  corvel::app::SaveSetup setup = corvel::app::ToSaveSetup(corvel::Session::SavePictureDialog());
  // Every picture format, BMP first as the default; the format follows the chosen filter or the
  // typed extension, and the chart view refuses a name whose extension is no picture format.
  QStringList filters;
  for (const corvel::PictureFormat format : corvel::kPictureFormats) {
    const std::string_view ext = corvel::PictureExtension(format);
    filters << QStringLiteral("*.") +
                   QString::fromLatin1(ext.data(), static_cast<qsizetype>(ext.size()));
  }
  setup.filter = filters.join(QStringLiteral(";;"));
  const QString path = AskSaveFileName(this, setup, QStringLiteral("picture"));
  if (path.isEmpty()) return;
  const corvel::FileResult saved = Chart1->SavePicture(path);
  if (!saved.ok) prompter_->ShowError(this, corvel::app::CoreMessages::Failure(saved.message));
}

void TForm1::SaveCurveDataClick() {
  const corvel::app::SaveSetup setup{tr("存储曲线数据"), QStringLiteral("FLCurve_"),
                                     QStringLiteral("*.csv"), QStringLiteral("csv")};
  const QString path = AskSaveFileName(this, setup, QStringLiteral("curves"));
  if (path.isEmpty()) return;
  const corvel::FileResult saved = Chart1->SaveCurveCsv(path);
  if (!saved.ok) prompter_->ShowError(this, corvel::app::CoreMessages::Failure(saved.message));
}

QString TForm1::SaveRefusalText(corvel::SaveRefusal refusal) {
  switch (refusal) {
    case corvel::SaveRefusal::kNoLiveRecord:
      return tr("文件中没有测量记录，没有可保存的数据");
    case corvel::SaveRefusal::kEmptyList:
      return tr("当前类型的记录列表为空，没有可保存的数据");
    case corvel::SaveRefusal::kNothingSelected:
      return tr("没有选中的记录，这种存储方式只保存选中的数据");
    case corvel::SaveRefusal::kNone:
      break;
  }
  return {};
}

void TForm1::ShowStatus(const QString& text) {
  statusBar()->showMessage(text);
}

void TForm1::CopyGridSelection() {
  const QModelIndexList cells = StrGridDat->selectionModel()->selectedIndexes();
  if (cells.isEmpty()) return;
  int top = cells.first().row(), bottom = top, left = cells.first().column(), right = left;
  for (const QModelIndex& cell : cells) {
    top = std::min(top, cell.row());
    bottom = std::max(bottom, cell.row());
    left = std::min(left, cell.column());
    right = std::max(right, cell.column());
  }
  QGuiApplication::clipboard()->setText(grid_model_->CopyText(top, left, bottom, right));
}

// ---- Remembered places ------------------------------------------------------------------------

void TForm1::UseSettings(corvel::app::Settings* settings) {
  settings_ = settings;
  if (form2_ != nullptr) form2_->UseSettings(settings);
  RestoreSettings();
}

void TForm1::RestoreSettings() {
  if (settings_ == nullptr) return;
  // Whatever the file holds, a value that does not restore is passed over.
  const QByteArray geometry = settings_->WindowGeometry();
  if (!geometry.isEmpty()) restoreGeometry(geometry);
  const QByteArray state = settings_->WindowState();
  if (!state.isEmpty()) restoreState(state);
  for (QSplitter* splitter : findChildren<QSplitter*>()) {
    const QByteArray sizes = settings_->SplitterState(splitter->objectName());
    if (!splitter->objectName().isEmpty() && !sizes.isEmpty()) splitter->restoreState(sizes);
  }
  pending_type_ = settings_->LastType();
}

void TForm1::StoreSettings() {
  if (settings_ == nullptr) return;
  settings_->SetWindow(saveGeometry(), saveState());
  for (QSplitter* splitter : findChildren<QSplitter*>())
    if (!splitter->objectName().isEmpty())
      settings_->SetSplitterState(splitter->objectName(), splitter->saveState());
  if (session_->has_file()) settings_->SetLastType(session_->radio_item());
  settings_->Sync();
}

QString TForm1::AskSaveFileName(QWidget* parent, const corvel::app::SaveSetup& setup,
                                const QString& place) {
  return corvel::app::AskSaveFileName(*prompter_, settings_, parent, setup, place);
}

QMenu* TForm1::RecentMenu() {
  if (recent_menu_ == nullptr) {
    recent_menu_ = new QMenu(this);
    recent_menu_->setObjectName(QStringLiteral("RecentMenu"));
  }
  recent_menu_->clear();
  recent_menu_->setTitle(tr("最近打开的文件"));
  QStringList files = settings_ != nullptr ? settings_->RecentFiles() : QStringList();
  QStringList missing;
  for (const QString& file : files)
    if (!QFileInfo::exists(file)) missing << file;
  for (const QString& file : missing) {
    files.removeAll(file);
    settings_->RemoveRecentFile(file);
  }
  if (!missing.isEmpty())
    statusBar()->showMessage(
        tr("%n 个最近打开的文件已不存在，已从列表中移除：%1", nullptr, int(missing.size()))
            .arg(QDir::toNativeSeparators(missing.join(QStringLiteral("; ")))));

  if (files.isEmpty()) {
    recent_menu_->addAction(tr("（无最近打开的文件）"))->setEnabled(false);
  }
  for (qsizetype n = 0; n < files.size(); ++n) {
    const QString file = files.at(n);
    // &1 .. &9 and 1&0 let the keyboard pick an entry.
    const QString number = n < 9 ? QStringLiteral("&%1").arg(n + 1) : QStringLiteral("1&0");
    QAction* action = recent_menu_->addAction(
        QStringLiteral("%1  %2").arg(number, QDir::toNativeSeparators(file)));
    action->setData(file);
    connect(action, &QAction::triggered, this, [this, file] {
      if (!QFileInfo::exists(file)) {
        if (settings_ != nullptr) settings_->RemoveRecentFile(file);
        statusBar()->showMessage(
            tr("最近打开的文件已不存在，已从列表中移除：%1").arg(QDir::toNativeSeparators(file)));
        return;
      }
      OpenFile(file);
    });
  }
  recent_menu_->addSeparator();
  QAction* clear = recent_menu_->addAction(tr("清除列表"));
  clear->setObjectName(QStringLiteral("ClearRecent"));
  clear->setEnabled(!files.isEmpty());
  connect(clear, &QAction::triggered, this, [this] {
    if (settings_ != nullptr) settings_->ClearRecentFiles();
  });

  QMenu* language = recent_menu_->addMenu(tr("界面语言"));
  language->setObjectName(QStringLiteral("LanguageMenu"));
  auto* languages = new QActionGroup(language);
  const QString stored = settings_ != nullptr ? settings_->Language() : QString();
  for (const auto& [code, name] :
       {std::pair{"zh", QT_TR_NOOP("中文")}, std::pair{"en", QT_TR_NOOP("英文")}}) {
    QAction* item = language->addAction(tr(name));
    item->setCheckable(true);
    item->setChecked(stored == QLatin1String(code));
    item->setData(QString::fromLatin1(code));
    languages->addAction(item);
    connect(item, &QAction::triggered, this,
            [this, code = QString::fromLatin1(code)] { ChooseLanguage(code); });
  }
  language->setEnabled(settings_ != nullptr);
  return recent_menu_;
}

void TForm1::ShowRecentMenu() {
  RecentMenu()->popup(BtnOpen->mapToGlobal(QPoint(0, BtnOpen->height())));
}

void TForm1::ChooseLanguage(const QString& code) {
  if (settings_ == nullptr) return;
  settings_->SetLanguage(code);
  settings_->Sync();
  statusBar()->showMessage(code == QLatin1String("en") ? tr("下次启动时界面改为英文。")
                                                       : tr("下次启动时界面改为中文。"));
}
