// The window's construction: the pages, the right-hand column and the connections.
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
#include "unit1.h"
#include "unit2.h"
#include "window_texts.h"

using corvel::app::FromGbk;
using corvel::app::FromUtf8;
using corvel::app::ToGbk;
using corvel::app::ToPath;

namespace {

constexpr int kColumnWidth = 440;  // the right-hand column: radio group, buttons and list

// The fixed-pitch font of the list and the check boxes, with fallbacks that exist off Windows.
QFont FixedFont(bool bold) {
  QFont font(QStringLiteral("Courier New"));
  font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                    QStringLiteral("DejaVu Sans Mono"), QStringLiteral("WenQuanYi Zen Hei Mono")});
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(16);
  font.setBold(bold);
  return font;
}

QPushButton* MakeButton(const QString& name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TForm1::TForm1(corvel::app::Prompter* prompter, QWidget* parent)
    : QMainWindow(parent), session_(std::make_unique<corvel::Session>()), prompter_(prompter) {
  if (prompter_ == nullptr) {
    own_prompter_ = std::make_unique<corvel::app::QtPrompter>();
    prompter_ = own_prompter_.get();
  }
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(corvel::app::kWindowCaption);
  resize(1280, 800);
  setAcceptDrops(true);

  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(4, 4, 4, 4);
  PageCtrl = new QTabWidget(central);
  PageCtrl->setObjectName(QStringLiteral("PageCtrl"));
  layout->addWidget(PageCtrl, 1);
  auto* column = new QWidget(central);
  column->setFixedWidth(kColumnWidth);
  layout->addWidget(column);
  setCentralWidget(central);

  BuildRightColumn(column);
  BuildTablePage();
  BuildCurvePage();
  BuildFitPage();
  ComparePage1 = new ComparePage(this);
  PageCtrl->addTab(ComparePage1, tr("  比  较  "));

  file_label_ = new QLabel(this);
  file_label_->setObjectName(QStringLiteral("FileName"));
  statusBar()->addPermanentWidget(file_label_);

  Connect();
}

TForm1::~TForm1() {
  // The views read the session while they are torn down, so they go before it does.
  delete takeCentralWidget();
}

void TForm1::BuildRightColumn(QWidget* column) {
  auto* grid = new QGridLayout(column);
  grid->setContentsMargins(0, 0, 0, 0);

  RdGrpMType = new QGroupBox(tr("测量类型"), column);
  RdGrpMType->setObjectName(QStringLiteral("RdGrpMType"));
  type_group_ = new QButtonGroup(RdGrpMType);
  auto* radios = new QVBoxLayout(RdGrpMType);
  for (int k = 0; k < corvel::kTypeCount; ++k) {
    RdGrpMTypeItems[k] = new QRadioButton(corvel::app::kTypeItems[k], RdGrpMType);
    RdGrpMTypeItems[k]->setObjectName(QStringLiteral("RdGrpMType_%1").arg(k));
    type_group_->addButton(RdGrpMTypeItems[k], k);
    radios->addWidget(RdGrpMTypeItems[k]);
  }
  RdGrpMTypeItems[0]->setChecked(true);

  auto* buttons = new QVBoxLayout;
  BtnOpen = MakeButton(QStringLiteral("BtnOpen"), tr("打开文件"), column);
  BtnExit = MakeButton(QStringLiteral("BtnExit"), tr("退出程序"), column);
  BtnSelAll = MakeButton(QStringLiteral("BtnSelAll"), tr("全  选"), column);
  BtnDeSel = MakeButton(QStringLiteral("BtnDeSel"), tr("取消选择"), column);
  BtnDel = MakeButton(QStringLiteral("BtnDel"), tr("删  除"), column);
  BtnSaveSelect = MakeButton(QStringLiteral("BtnSaveSelect"), tr("另存为"), column);
  BtnOpen->setToolTip(QStringLiteral("Ctrl+O"));
  buttons->addWidget(BtnOpen);
  buttons->addWidget(BtnExit);
  buttons->addSpacing(24);
  buttons->addWidget(BtnSelAll);
  buttons->addWidget(BtnDeSel);
  buttons->addWidget(BtnDel);
  buttons->addSpacing(24);
  buttons->addWidget(BtnSaveSelect);
  buttons->addStretch(1);

  LBoxFN = new corvel::app::RecordListView(column);
  LBoxFN->setObjectName(QStringLiteral("LBoxFN"));
  LBoxFN->setFont(FixedFont(false));
  list_model_ = new corvel::app::RecordListModel(&session_->list(), this);
  LBoxFN->setModel(list_model_);

  grid->addWidget(RdGrpMType, 0, 0);
  grid->addLayout(buttons, 0, 1);
  grid->addWidget(LBoxFN, 1, 0, 1, 2);
  grid->setColumnStretch(0, 1);
  grid->setRowStretch(1, 1);
}

void TForm1::BuildTablePage() {
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  PageCtrl->addTab(TabSheet1, tr("  表  格  "));
  auto* page = new QVBoxLayout(TabSheet1);
  page->setContentsMargins(0, 0, 0, 0);
  SplitterTable = new QSplitter(Qt::Vertical, TabSheet1);
  SplitterTable->setObjectName(QStringLiteral("SplitterTable"));
  SplitterTable->setChildrenCollapsible(false);
  page->addWidget(SplitterTable);
  auto* top = new QWidget(SplitterTable);
  top->setObjectName(QStringLiteral("TableTop"));
  auto* grid = new QGridLayout(top);

  RichEditInfo = new QPlainTextEdit(top);
  RichEditInfo->setObjectName(QStringLiteral("RichEditInfo"));
  RichEditInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEditInfo->setLineWrapMode(QPlainTextEdit::NoWrap);
  // Tab moves on to the next control, as in every other box of the window; no tab is typed.
  RichEditInfo->setTabChangesFocus(true);
  // A file dropped on the box opens it instead of pasting its name.
  RichEditInfo->setAcceptDrops(false);

  BtnSaveGrid = MakeButton(QStringLiteral("BtnSaveGrid"), tr("保存表格"), top);

  // The pictures share one place; the type switch shows the one of the chosen type.
  auto* pictures = new QWidget(top);
  pictures->setObjectName(QStringLiteral("ImageArea"));
  pictures->setFixedSize(corvel::app::kPictureWidth, corvel::app::kPictureHeight);
  for (int n = 0; n < corvel::app::kPictureCount; ++n) {
    Image[n] = new QLabel(pictures);
    Image[n]->setObjectName(QStringLiteral("Image%1").arg(n + 1));
    Image[n]->setGeometry(0, 0, corvel::app::kPictureWidth, corvel::app::kPictureHeight);
    Image[n]->setPixmap(QPixmap::fromImage(corvel::app::ProtocolPicture(n + 1)));
    Image[n]->hide();
  }

  StrGridDat = new QTableView(SplitterTable);
  StrGridDat->setObjectName(QStringLiteral("StrGridDat"));
  grid_model_ = new corvel::app::GridModel(&session_->grid(), this);
  StrGridDat->setModel(grid_model_);
  StrGridDat->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StrGridDat->setSelectionMode(QAbstractItemView::ContiguousSelection);
  StrGridDat->setSelectionBehavior(QAbstractItemView::SelectItems);
  StrGridDat->setShowGrid(true);
  StrGridDat->setWordWrap(false);
  // Uniform rows: a table of tens of thousands of rows is laid out without measuring any cell.
  QHeaderView* rows = StrGridDat->verticalHeader();
  rows->setSectionResizeMode(QHeaderView::Interactive);
  rows->setDefaultSectionSize(StrGridDat->fontMetrics().height() + 6);
  rows->setMinimumSectionSize(8);
  QHeaderView* cols = StrGridDat->horizontalHeader();
  cols->setSectionResizeMode(QHeaderView::Interactive);
  cols->setDefaultSectionSize(96);
  cols->setHighlightSections(false);
  // Room for a name with its number and for the date and time.
  cols->resizeSection(0, 120);
  cols->resizeSection(1, 150);

  grid->addWidget(RichEditInfo, 0, 0);
  grid->addWidget(BtnSaveGrid, 1, 0, Qt::AlignLeft);
  grid->addWidget(pictures, 0, 1, 2, 1, Qt::AlignTop | Qt::AlignRight);
  grid->setColumnStretch(0, 1);
  SplitterTable->addWidget(top);
  SplitterTable->addWidget(StrGridDat);
  SplitterTable->setStretchFactor(0, 0);
  SplitterTable->setStretchFactor(1, 1);
}

void TForm1::BuildCurvePage() {
  TabSheet2 = new QWidget;
  TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
  PageCtrl->addTab(TabSheet2, tr("  曲  线  "));
  auto* layout = new QHBoxLayout(TabSheet2);

  Chart1 = new ChartView(&session_->chart(), TabSheet2);
  Chart1->setObjectName(QStringLiteral("Chart1"));
  layout->addWidget(Chart1, 1);

  auto* side = new QVBoxLayout;
  BtnSavePic = MakeButton(QStringLiteral("BtnSavePic"), tr("保存图形"), TabSheet2);
  side->addWidget(BtnSavePic);

  GroupBox1 = new QGroupBox(TabSheet2);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setAutoFillBackground(true);
  QPalette white = GroupBox1->palette();
  white.setColor(QPalette::Window, Qt::white);
  GroupBox1->setPalette(white);
  auto* boxes = new QVBoxLayout(GroupBox1);
  for (int i = 0; i < corvel::kBoxCount; ++i) {
    QCheckBox* box = new QCheckBox(QStringLiteral(" "), GroupBox1);
    box->setObjectName(QStringLiteral("CBoxFN%1").arg(i + 1));
    box->setFont(FixedFont(true));
    // The font colour is the colour of the box's curves; a disabled box greys as usual.
    QPalette palette = box->palette();
    const QColor colour = QColor::fromRgb(0xFF000000u | corvel::kBoxColor[i]);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
      palette.setColor(group, QPalette::WindowText, colour);
      palette.setColor(group, QPalette::ButtonText, colour);
      palette.setColor(group, QPalette::Text, colour);
    }
    palette.setColor(QPalette::Window, Qt::white);
    box->setPalette(palette);
    box->setEnabled(false);
    CBoxFN[i] = box;
    boxes->addWidget(box);
  }
  side->addWidget(GroupBox1);

  CbBoxSK = new QComboBox(TabSheet2);
  CbBoxSK->setObjectName(QStringLiteral("CbBoxSK"));
  CbBoxSK->setEditable(true);
  CbBoxSK->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string_view item : corvel::kCurveChoice)
    CbBoxSK->addItem(QString::fromLatin1(item.data(), static_cast<qsizetype>(item.size())));
  CbBoxSK->setCurrentIndex(-1);
  CbBoxSK->hide();
  side->addWidget(CbBoxSK);

  // The fitted curve drawn dashed over each rapid light curve's rETR.
  LblFit = new QLabel(tr("拟合模型:"), TabSheet2);
  LblFit->setObjectName(QStringLiteral("LblFit"));
  CbBoxFit = new QComboBox(TabSheet2);
  CbBoxFit->setObjectName(QStringLiteral("CbBoxFit"));
  CbBoxFit->addItem(tr("自动(AIC最小)"));
  for (const char* model : {"Webb", "Jassby-Platt", "Platt", "Eilers-Peeters"})
    CbBoxFit->addItem(QString::fromLatin1(model));
  LblFit->hide();
  CbBoxFit->hide();
  side->addWidget(LblFit);
  side->addWidget(CbBoxFit);
  side->addStretch(1);

  auto* side_widget = new QWidget(TabSheet2);
  side_widget->setLayout(side);
  side_widget->setFixedWidth(220);
  layout->addWidget(side_widget);
}

void TForm1::BuildFitPage() {
  TabSheet3 = new QWidget;
  TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
  PageCtrl->addTab(TabSheet3, tr("  拟  合  "));
  auto* layout = new QVBoxLayout(TabSheet3);
  auto* note = new QLabel(
      tr("快速光响应曲线的拟合结果（所选记录；模型在曲线页选择）。保存表格时另存为 *_fit.csv。"),
      TabSheet3);
  note->setObjectName(QStringLiteral("LblFitNote"));
  StrGridFit = new QTableView(TabSheet3);
  StrGridFit->setObjectName(QStringLiteral("StrGridFit"));
  fit_model_ = new corvel::app::FitTableModel(session_.get(), this);
  StrGridFit->setModel(fit_model_);
  StrGridFit->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StrGridFit->setWordWrap(false);
  StrGridFit->verticalHeader()->setDefaultSectionSize(StrGridFit->fontMetrics().height() + 6);
  StrGridFit->horizontalHeader()->setDefaultSectionSize(84);
  layout->addWidget(note);
  layout->addWidget(StrGridFit, 1);
}

void TForm1::ShowFits() {
  if (PageCtrl->currentWidget() == TabSheet3) {
    fit_model_->Refresh();
    StrGridFit->horizontalHeader()->resizeSection(15, 260);
  }
}

void TForm1::Connect() {
  connect(BtnOpen, &QPushButton::clicked, this, &TForm1::BtnOpenClick);
  connect(BtnExit, &QPushButton::clicked, this, &TForm1::BtnExitClick);
  connect(BtnSelAll, &QPushButton::clicked, this, &TForm1::BtnSelAllClick);
  connect(BtnDeSel, &QPushButton::clicked, this, &TForm1::BtnDeSelClick);
  connect(BtnDel, &QPushButton::clicked, this, &TForm1::BtnDelClick);
  connect(BtnSaveSelect, &QPushButton::clicked, this, &TForm1::BtnSaveSelectClick);
  connect(BtnSaveGrid, &QPushButton::clicked, this, &TForm1::BtnSaveGridClick);
  connect(BtnSavePic, &QPushButton::clicked, this, &TForm1::BtnSavePicClick);
  connect(Chart1, &ChartView::CurveCsvRequested, this, &TForm1::SaveCurveDataClick);
  // Any change of the checked item, by mouse or by keyboard, is a type switch.
  connect(type_group_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) RdGrpMTypeClick();
  });
  connect(LBoxFN->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &TForm1::ListSelectionChanged);
  connect(LBoxFN, &corvel::app::RecordListView::SelectAllRequested, this, &TForm1::BtnSelAllClick);
  connect(LBoxFN, &corvel::app::RecordListView::DeleteRequested, this, &TForm1::BtnDelClick);
  for (int i = 0; i < corvel::kBoxCount; ++i)
    connect(CBoxFN[i], &QCheckBox::toggled, this,
            [this, i](bool checked) { PicChkBoxFNClk(i, checked); });
  connect(CbBoxSK, &QComboBox::currentIndexChanged, this, &TForm1::CbBoxSKChange);
  connect(CbBoxFit, &QComboBox::currentIndexChanged, this, &TForm1::CbBoxFitChange);
  connect(PageCtrl, &QTabWidget::currentChanged, this, [this] { ShowFits(); });
  connect(RichEditInfo, &QPlainTextEdit::textChanged, this, &TForm1::InfoTextEdited);

  auto* open = new QShortcut(QKeySequence::Open, this);
  connect(open, &QShortcut::activated, this, &TForm1::BtnOpenClick);
  BtnOpen->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(BtnOpen, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { RecentMenu()->popup(BtnOpen->mapToGlobal(at)); });
  auto* recent = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), this);
  connect(recent, &QShortcut::activated, this, &TForm1::ShowRecentMenu);
  auto* copy = new QShortcut(QKeySequence::Copy, StrGridDat, nullptr, nullptr, Qt::WidgetShortcut);
  connect(copy, &QShortcut::activated, this, &TForm1::CopyGridSelection);
}
