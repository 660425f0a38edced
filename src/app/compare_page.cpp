#include "compare_page.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/compare_csv.h"
#include "charts/picture_format.h"
#include "compare_charts.h"
#include "core_messages.h"
#include "gbk.h"
#include "prompter.h"
#include "unit1.h"

using corvel::app::FromUtf8;

namespace corvel::app {

// The summary table: one row per group and parameter, the cells as the CSV writes them.
class CompareSummaryModel : public QAbstractTableModel {
 public:
  CompareSummaryModel(const corvel::CompareView* view, QObject* parent)
      : QAbstractTableModel(parent), view_(view) {}

  void Reset() {
    beginResetModel();
    endResetModel();
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    if (parent.isValid()) return 0;
    const corvel::Comparison& c = view_->comparison();
    return static_cast<int>(c.groups.size() * c.parameters.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : 8;
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole) return {};
    const corvel::Comparison& c = view_->comparison();
    const int params = static_cast<int>(c.parameters.size());
    if (params == 0 || !index.isValid()) return {};
    const int g = index.row() / params, k = index.row() % params;
    if (role == Qt::TextAlignmentRole)
      return index.column() < 2 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    const corvel::GroupStat& s = c.stat(g, k);
    switch (index.column()) {
      case 0:
        return FromUtf8(c.groups[static_cast<size_t>(g)]);
      case 1:
        return FromUtf8(c.parameters[static_cast<size_t>(k)]);
      case 2:
        return s.n;
      case 3:
        return FromUtf8(corvel::CompareNumber(s.mean));
      case 4:
        return FromUtf8(corvel::CompareNumber(s.sd));
      case 5:
        return FromUtf8(corvel::CompareNumber(s.se));
      case 6:
        return FromUtf8(corvel::CompareNumber(s.ratio));
      case 7:
        return FromUtf8(corvel::CompareNumber(s.p));
      default:
        return {};
    }
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    switch (section) {
      case 0:
        return ComparePage::tr("组");
      case 1:
        return ComparePage::tr("参数");
      case 2:
        return QStringLiteral("n");
      case 3:
        return ComparePage::tr("平均值");
      case 4:
        return ComparePage::tr("标准差 SD");
      case 5:
        return ComparePage::tr("标准误 SE");
      case 6:
        return ComparePage::tr("与对照之比");
      case 7:
        return ComparePage::tr("p (Welch)");
      default:
        return {};
    }
  }

 private:
  const corvel::CompareView* view_;
};

}  // namespace corvel::app

namespace {

QPushButton* MakeButton(const QString& name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

std::string ToUtf8(const QString& text) {
  return text.trimmed().toStdString();
}

}  // namespace

ComparePage::ComparePage(TForm1* form, QWidget* parent)
    : QWidget(parent), form_(form), view_(std::make_unique<corvel::CompareView>(form->session())) {
  setObjectName(QStringLiteral("TabSheetCompare"));
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(4, 4, 4, 4);
  SplitterCompare = new QSplitter(Qt::Vertical, this);
  SplitterCompare->setObjectName(QStringLiteral("SplitterCompare"));
  SplitterCompare->setChildrenCollapsible(false);
  page->addWidget(SplitterCompare);

  // Above: the group editor and the summary.
  auto* top = new QWidget(SplitterCompare);
  auto* top_layout = new QHBoxLayout(top);
  top_layout->setContentsMargins(0, 0, 0, 0);
  auto* editor = new QGroupBox(tr("分组"), top);
  editor->setObjectName(QStringLiteral("GroupEditor"));
  auto* grid = new QGridLayout(editor);
  EditGroupName = new QLineEdit(editor);
  EditGroupName->setObjectName(QStringLiteral("EditGroupName"));
  EditGroupName->setPlaceholderText(tr("组名（空则自动命名）"));
  BtnMakeGroup = MakeButton(QStringLiteral("BtnMakeGroup"), tr("所选记录建组"), editor);
  BtnMakeGroup->setToolTip(tr("把记录列表中选中的记录组成一组；它们离开原来的组"));
  BtnPropose = MakeButton(QStringLiteral("BtnPropose"), tr("按名称自动分组"), editor);
  BtnPropose->setToolTip(tr("名称去掉末尾数字后相同的记录为一组，替换现有分组"));
  BtnRemoveGroup = MakeButton(QStringLiteral("BtnRemoveGroup"), tr("删除组"), editor);
  GroupTable = new QTableWidget(0, 3, editor);
  GroupTable->setObjectName(QStringLiteral("GroupTable"));
  GroupTable->setHorizontalHeaderLabels({tr("组名"), tr("记录数"), tr("记录（列表序号）")});
  GroupTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  GroupTable->setSelectionMode(QAbstractItemView::SingleSelection);
  GroupTable->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  GroupTable->verticalHeader()->hide();
  GroupTable->horizontalHeader()->setStretchLastSection(true);
  GroupTable->setColumnWidth(0, 100);
  GroupTable->setColumnWidth(1, 52);
  GroupTable->setToolTip(tr("双击组名可改名"));
  auto* control_label = new QLabel(tr("对照组:"), editor);
  CbBoxControl = new QComboBox(editor);
  CbBoxControl->setObjectName(QStringLiteral("CbBoxControl"));
  grid->addWidget(EditGroupName, 0, 0, 1, 2);
  grid->addWidget(BtnMakeGroup, 0, 2);
  grid->addWidget(GroupTable, 1, 0, 1, 3);
  grid->addWidget(control_label, 2, 0);
  grid->addWidget(CbBoxControl, 2, 1);
  grid->addWidget(BtnRemoveGroup, 2, 2);
  grid->addWidget(BtnPropose, 3, 0, 1, 3);
  grid->setColumnStretch(1, 1);
  editor->setFixedWidth(300);
  top_layout->addWidget(editor);

  auto* summary_box = new QWidget(top);
  auto* summary_layout = new QVBoxLayout(summary_box);
  summary_layout->setContentsMargins(0, 0, 0, 0);
  auto* summary_row = new QHBoxLayout;
  LblCompareNote = new QLabel(summary_box);
  LblCompareNote->setObjectName(QStringLiteral("LblCompareNote"));
  LblCompareNote->setWordWrap(true);
  BtnSaveSummary = MakeButton(QStringLiteral("BtnSaveSummary"), tr("保存汇总 (CSV)"), summary_box);
  summary_row->addWidget(LblCompareNote, 1);
  summary_row->addWidget(BtnSaveSummary);
  SummaryTable = new QTableView(summary_box);
  SummaryTable->setObjectName(QStringLiteral("SummaryTable"));
  summary_ = new corvel::app::CompareSummaryModel(view_.get(), this);
  SummaryTable->setModel(summary_);
  SummaryTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SummaryTable->setWordWrap(false);
  SummaryTable->verticalHeader()->setDefaultSectionSize(SummaryTable->fontMetrics().height() + 6);
  SummaryTable->verticalHeader()->hide();
  summary_layout->addLayout(summary_row);
  summary_layout->addWidget(SummaryTable, 1);
  top_layout->addWidget(summary_box, 1);

  // Below: the group curves (OJIP) and the radar.
  auto* bottom = new QWidget(SplitterCompare);
  auto* bottom_layout = new QHBoxLayout(bottom);
  bottom_layout->setContentsMargins(0, 0, 0, 0);
  curve_panel_ = new QWidget(bottom);
  auto* curve_layout = new QVBoxLayout(curve_panel_);
  curve_layout->setContentsMargins(0, 0, 0, 0);
  auto* curve_row = new QHBoxLayout;
  auto* curve_label = new QLabel(tr("曲线:"), curve_panel_);
  CbBoxCurve = new QComboBox(curve_panel_);
  CbBoxCurve->setObjectName(QStringLiteral("CbBoxCurve"));
  for (const std::string_view name : corvel::kCompareCurveNames)
    CbBoxCurve->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  CbBoxCurve->setCurrentIndex(static_cast<int>(view_->curve()));
  BtnSaveCurvePic = MakeButton(QStringLiteral("BtnSaveCurvePic"), tr("保存图形"), curve_panel_);
  curve_row->addWidget(curve_label);
  curve_row->addWidget(CbBoxCurve);
  curve_row->addStretch(1);
  curve_row->addWidget(BtnSaveCurvePic);
  CurveChart = new CompareCurveChart(view_.get(), curve_panel_);
  CurveChart->setObjectName(QStringLiteral("CompareCurveChart"));
  curve_layout->addLayout(curve_row);
  curve_layout->addWidget(CurveChart, 1);
  bottom_layout->addWidget(curve_panel_, 3);

  auto* radar_panel = new QWidget(bottom);
  auto* radar_layout = new QHBoxLayout(radar_panel);
  radar_layout->setContentsMargins(0, 0, 0, 0);
  Radar = new RadarChart(view_.get(), radar_panel);
  Radar->setObjectName(QStringLiteral("RadarChart"));
  auto* radar_side = new QVBoxLayout;
  auto* radar_label = new QLabel(tr("雷达图参数:"), radar_panel);
  RadarParams = new QListWidget(radar_panel);
  RadarParams->setObjectName(QStringLiteral("RadarParams"));
  RadarParams->setFixedWidth(130);
  BtnSaveRadarPic = MakeButton(QStringLiteral("BtnSaveRadarPic"), tr("保存图形"), radar_panel);
  radar_side->addWidget(radar_label);
  radar_side->addWidget(RadarParams, 1);
  radar_side->addWidget(BtnSaveRadarPic);
  radar_layout->addWidget(Radar, 1);
  radar_layout->addLayout(radar_side);
  bottom_layout->addWidget(radar_panel, 2);

  SplitterCompare->addWidget(top);
  SplitterCompare->addWidget(bottom);
  SplitterCompare->setStretchFactor(0, 2);
  SplitterCompare->setStretchFactor(1, 3);

  connect(BtnMakeGroup, &QPushButton::clicked, this, &ComparePage::BtnMakeGroupClick);
  connect(EditGroupName, &QLineEdit::returnPressed, this, &ComparePage::BtnMakeGroupClick);
  connect(BtnPropose, &QPushButton::clicked, this, &ComparePage::BtnProposeClick);
  connect(BtnRemoveGroup, &QPushButton::clicked, this, &ComparePage::BtnRemoveGroupClick);
  connect(CbBoxControl, &QComboBox::currentIndexChanged, this, &ComparePage::CbBoxControlChange);
  connect(CbBoxCurve, &QComboBox::currentIndexChanged, this, &ComparePage::CbBoxCurveChange);
  connect(BtnSaveSummary, &QPushButton::clicked, this, &ComparePage::BtnSaveSummaryClick);
  connect(BtnSaveCurvePic, &QPushButton::clicked, this, &ComparePage::BtnSaveCurvePicClick);
  connect(BtnSaveRadarPic, &QPushButton::clicked, this, &ComparePage::BtnSaveRadarPicClick);
  connect(GroupTable, &QTableWidget::cellChanged, this, &ComparePage::GroupRenamed);
  connect(RadarParams, &QListWidget::itemChanged, this, [this] { RadarParamChanged(); });
  Refresh();
}

ComparePage::~ComparePage() = default;

void ComparePage::Refresh() {
  view_->Refresh();
  ShowGroups();
}

void ComparePage::ShowGroups() {
  showing_ = true;
  const corvel::SessionGroups& groups = form_->session().groups();
  const int count = static_cast<int>(groups.groups().size());
  GroupTable->setRowCount(count);
  {
    const QSignalBlocker block(CbBoxControl);
    CbBoxControl->clear();
    for (int g = 0; g < count; ++g) {
      const corvel::RecordGroup& group = groups.groups()[static_cast<size_t>(g)];
      auto* name = new QTableWidgetItem(FromUtf8(group.name));
      auto* records = new QTableWidgetItem(QString::number(group.positions.size()));
      records->setFlags(records->flags() & ~Qt::ItemIsEditable);
      records->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      auto* positions = new QTableWidgetItem(FromUtf8(view_->PositionsText(g)));
      positions->setFlags(positions->flags() & ~Qt::ItemIsEditable);
      GroupTable->setItem(g, 0, name);
      GroupTable->setItem(g, 1, records);
      GroupTable->setItem(g, 2, positions);
      CbBoxControl->addItem(FromUtf8(group.name));
    }
    CbBoxControl->setCurrentIndex(count > 0 ? groups.control() : -1);
  }
  summary_->Reset();
  // A few dozen rows: the columns fit their numbers.
  SummaryTable->resizeColumnsToContents();
  switch (view_->status()) {
    case corvel::CompareStatus::kNoParameters:
      LblCompareNote->setText(tr("该类型的记录没有参数表，不能比较"));
      break;
    case corvel::CompareStatus::kOk:
      LblCompareNote->setText(
          tr("%n 组；比值与 p 值（Welch t 检验）相对于对照组“%1”", nullptr, count)
              .arg(FromUtf8(groups.groups()[static_cast<size_t>(groups.control())].name)));
      break;
    default:
      LblCompareNote->setText(tr("在记录列表中选择记录后点“所选记录建组”，或按名称自动分组"));
      break;
  }
  const bool ok = view_->status() == corvel::CompareStatus::kOk;
  BtnSaveSummary->setEnabled(ok);
  BtnRemoveGroup->setEnabled(count > 0);
  const bool params = view_->status() != corvel::CompareStatus::kNoParameters;
  BtnMakeGroup->setEnabled(params);
  BtnPropose->setEnabled(params);

  // The radar's choice: every parameter of the comparison, the shown ones checked.
  RadarParams->clear();
  for (const std::string& name : view_->comparison().parameters) {
    auto* item = new QListWidgetItem(FromUtf8(name), RadarParams);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    const auto& shown = view_->radar_parameters();
    item->setCheckState(std::find(shown.begin(), shown.end(), name) != shown.end() ? Qt::Checked
                                                                                   : Qt::Unchecked);
  }
  showing_ = false;
  ShowCharts();
}

void ComparePage::ShowCharts() {
  curve_panel_->setVisible(view_->has_curves());
  BtnSaveCurvePic->setEnabled(!view_->curve_plot().groups.empty());
  BtnSaveRadarPic->setEnabled(!view_->radar_plot().polygons.empty());
  CurveChart->update();
  Radar->update();
}

QString ComparePage::EditRefusalText(corvel::GroupEdit edit) {
  switch (edit) {
    case corvel::GroupEdit::kNoParameters:
      return tr("该类型的记录没有参数表，不能比较");
    case corvel::GroupEdit::kEmptyList:
      return tr("记录列表为空，没有可分组的记录");
    case corvel::GroupEdit::kNothingSelected:
      return tr("没有选中的记录：先在记录列表中选择要组成一组的记录");
    case corvel::GroupEdit::kEmptyName:
      return tr("组名不能为空");
    case corvel::GroupEdit::kNameTaken:
      return tr("已有同名的组");
    case corvel::GroupEdit::kNoSuchGroup:
      return tr("没有选中的组");
    case corvel::GroupEdit::kDone:
      break;
  }
  return {};
}

void ComparePage::BtnMakeGroupClick() {
  const corvel::GroupEdit edit = view_->MakeGroup(ToUtf8(EditGroupName->text()));
  if (edit != corvel::GroupEdit::kDone) {
    form_->ShowStatus(EditRefusalText(edit));
    return;
  }
  EditGroupName->clear();
  ShowGroups();
}

void ComparePage::BtnProposeClick() {
  const corvel::GroupEdit edit = view_->Propose();
  if (edit != corvel::GroupEdit::kDone) {
    form_->ShowStatus(EditRefusalText(edit));
    return;
  }
  ShowGroups();
}

void ComparePage::BtnRemoveGroupClick() {
  const int row = GroupTable->currentRow();
  const corvel::GroupEdit edit = view_->Remove(row);
  if (edit != corvel::GroupEdit::kDone) {
    form_->ShowStatus(EditRefusalText(edit));
    return;
  }
  ShowGroups();
}

void ComparePage::GroupRenamed(int row, int column) {
  if (showing_ || column != 0) return;
  const corvel::GroupEdit edit = view_->Rename(row, ToUtf8(GroupTable->item(row, 0)->text()));
  if (edit != corvel::GroupEdit::kDone) form_->ShowStatus(EditRefusalText(edit));
  // Refused or not, the table shows the groups as they are.
  ShowGroups();
}

void ComparePage::CbBoxControlChange(int index) {
  if (showing_ || index < 0) return;
  view_->SetControl(index);
  ShowGroups();
}

void ComparePage::CbBoxCurveChange(int index) {
  if (index < 0 || index >= corvel::kCompareCurveCount) return;
  view_->SetCurve(static_cast<corvel::CompareCurve>(index));
  ShowCharts();
}

void ComparePage::RadarParamChanged() {
  if (showing_) return;
  for (int row = 0; row < RadarParams->count(); ++row) {
    const QListWidgetItem* item = RadarParams->item(row);
    view_->SetRadarParameter(ToUtf8(item->text()), item->checkState() == Qt::Checked);
  }
  ShowCharts();
}

void ComparePage::BtnSaveSummaryClick() {
  if (view_->status() != corvel::CompareStatus::kOk) {
    form_->ShowStatus(tr("没有分组，没有可保存的汇总"));
    return;
  }
  const QString path = form_->AskSaveFileName(
      this, corvel::app::ToSaveSetup(corvel::CompareView::SaveSummaryDialog()),
      QStringLiteral("compare"));
  if (path.isEmpty()) return;
  const corvel::FileResult result = view_->SaveSummary(corvel::app::ToPath(path));
  if (!result.ok)
    form_->prompter().ShowError(this, corvel::app::CoreMessages::Failure(result.message));
}

void ComparePage::SavePicture(bool radar) {
  corvel::app::SaveSetup setup = corvel::app::ToSaveSetup(corvel::Session::SavePictureDialog());
  QStringList filters;
  for (const corvel::PictureFormat format : corvel::kPictureFormats) {
    const std::string_view ext = corvel::PictureExtension(format);
    filters << QStringLiteral("*.") +
                   QString::fromLatin1(ext.data(), static_cast<qsizetype>(ext.size()));
  }
  setup.filter = filters.join(QStringLiteral(";;"));
  const QString path = form_->AskSaveFileName(this, setup, QStringLiteral("picture"));
  if (path.isEmpty()) return;
  const corvel::FileResult saved = radar ? Radar->SavePicture(path) : CurveChart->SavePicture(path);
  if (!saved.ok)
    form_->prompter().ShowError(this, corvel::app::CoreMessages::Failure(saved.message));
}

void ComparePage::BtnSaveCurvePicClick() {
  SavePicture(false);
}

void ComparePage::BtnSaveRadarPicClick() {
  SavePicture(true);
}
