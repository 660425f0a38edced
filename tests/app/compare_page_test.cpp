// The comparison page in the window: groups made from selections, the control chosen, the
// summary showing both groups, one SD band per group in the delta V chart, one radar polygon per
// group, and the summary CSV the same bytes corvel-cli compare writes.
#include "compare_page.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app_test_support.h"
#include "compare_charts.h"
#include "fake_prompter.h"
#include "record_list.h"
#include "unit1.h"

class ComparePageTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void twoGroupsFromSelectionsWithTheControlChosen();
  void deltaVDrawsOneBandPerGroup();
  void radarDrawsOnePolygonPerGroup();
  void summarySaveWritesWhatTheToolWrites();
  void aGroupNeedsASelection();
  void aTypeSwitchClearsTheGroups();

 private:
  void Select(int first, int last);
  void MakeGroup(const QString& name, int first, int last);
  void MakeTwoGroups();

  QTemporaryDir dir_;
  QString path_;
  FakePrompter* prompter_ = nullptr;
  TForm1* form_ = nullptr;
  ComparePage* page_ = nullptr;
};

void ComparePageTest::init() {
  path_ = app_test::WriteFile(dir_.filePath(QStringLiteral("small.bin")), app_test::SmallFile());
  QVERIFY(!path_.isEmpty());
  prompter_ = new FakePrompter;
  form_ = new TForm1(prompter_);
  form_->show();
  QVERIFY(form_->OpenFile(path_));
  page_ = form_->ComparePage1;
  QVERIFY(page_ != nullptr);
  form_->PageCtrl->setCurrentWidget(page_);
  QCOMPARE(form_->PageCtrl->tabText(form_->PageCtrl->currentIndex()).trimmed(),
           QStringLiteral("比  较"));
}

void ComparePageTest::cleanup() {
  delete form_;
  delete prompter_;
}

void ComparePageTest::Select(int first, int last) {
  QAbstractItemModel* model = form_->LBoxFN->model();
  form_->LBoxFN->selectionModel()->select(
      QItemSelection(model->index(first, 0), model->index(last, 0)),
      QItemSelectionModel::ClearAndSelect);
}

void ComparePageTest::MakeGroup(const QString& name, int first, int last) {
  Select(first, last);
  page_->EditGroupName->setText(name);
  QTest::mouseClick(page_->BtnMakeGroup, Qt::LeftButton);
}

// CK: the first two OJIP records; T: the other three; T the control.
void ComparePageTest::MakeTwoGroups() {
  MakeGroup(QStringLiteral("CK"), 0, 1);
  MakeGroup(QStringLiteral("T"), 2, 4);
  page_->CbBoxControl->setCurrentIndex(1);
}

void ComparePageTest::twoGroupsFromSelectionsWithTheControlChosen() {
  MakeTwoGroups();
  QCOMPARE(page_->GroupTable->rowCount(), 2);
  QCOMPARE(page_->GroupTable->item(0, 0)->text(), QStringLiteral("CK"));
  QCOMPARE(page_->GroupTable->item(0, 2)->text(), QStringLiteral("1-2"));
  QCOMPARE(page_->GroupTable->item(1, 1)->text(), QStringLiteral("3"));
  QCOMPARE(form_->session().groups().control(), 1);

  const QAbstractItemModel* summary = page_->SummaryTable->model();
  const int params = static_cast<int>(page_->view().comparison().parameters.size());
  QVERIFY(params > 8);
  QCOMPARE(summary->rowCount(), 2 * params);
  QCOMPARE(summary->columnCount(), 8);
  QCOMPARE(summary->index(0, 0).data().toString(), QStringLiteral("CK"));
  QCOMPARE(summary->index(params, 0).data().toString(), QStringLiteral("T"));
  // Fv/Fm of the control T: its three records, ratio 1 and no p-value.
  const int fvfm = page_->view().comparison().ParameterIndex("Fv/Fm");
  QVERIFY(fvfm >= 0);
  QCOMPARE(summary->index(params + fvfm, 1).data().toString(), QStringLiteral("Fv/Fm"));
  QCOMPARE(summary->index(params + fvfm, 2).data().toInt(), 3);
  QCOMPARE(summary->index(params + fvfm, 6).data().toString(), QStringLiteral("1"));
  QCOMPARE(summary->index(params + fvfm, 7).data().toString(), QString());
  QCOMPARE(summary->index(fvfm, 2).data().toInt(), 2);
}

void ComparePageTest::deltaVDrawsOneBandPerGroup() {
  MakeTwoGroups();
  page_->CbBoxCurve->setCurrentIndex(static_cast<int>(corvel::CompareCurve::kDV));
  QVERIFY(page_->CurveChart->isVisible());
  page_->CurveChart->grab();
  QCOMPARE(page_->CurveChart->drawn_bands(), 2);
  QCOMPARE(page_->CurveChart->drawn_curves(), 2);
}

void ComparePageTest::radarDrawsOnePolygonPerGroup() {
  MakeTwoGroups();
  page_->Radar->grab();
  QCOMPARE(page_->Radar->drawn_polygons(), 2);
  QCOMPARE(page_->view().radar_plot().axes.size(), size_t{8});
}

void ComparePageTest::summarySaveWritesWhatTheToolWrites() {
  MakeTwoGroups();
  const QString saved = dir_.filePath(QStringLiteral("summary.csv"));
  prompter_->save_answers << saved;
  QTest::mouseClick(page_->BtnSaveSummary, Qt::LeftButton);
  QVERIFY(prompter_->errors.isEmpty());
  QByteArray expected;
  QVERIFY(app_test::RunCli(
      {QStringLiteral("compare"), path_, QStringLiteral("--type"), QStringLiteral("ojip"),
       QStringLiteral("--group"), QStringLiteral("CK=1-2"), QStringLiteral("--group"),
       QStringLiteral("T=3-5"), QStringLiteral("--control"), QStringLiteral("T")},
      &expected));
  QCOMPARE(app_test::ReadAll(saved), expected);

  // The charts go through the picture save: an SVG of the radar.
  const QString picture = dir_.filePath(QStringLiteral("radar.svg"));
  prompter_->save_answers << picture;
  QTest::mouseClick(page_->BtnSaveRadarPic, Qt::LeftButton);
  QVERIFY(prompter_->errors.isEmpty());
  QVERIFY(app_test::ReadAll(picture).contains("<svg"));
}

void ComparePageTest::aGroupNeedsASelection() {
  QTest::mouseClick(page_->BtnMakeGroup, Qt::LeftButton);
  QCOMPARE(page_->GroupTable->rowCount(), 0);
  QCOMPARE(form_->statusBar()->currentMessage(),
           ComparePage::EditRefusalText(corvel::GroupEdit::kNothingSelected));
}

void ComparePageTest::aTypeSwitchClearsTheGroups() {
  MakeTwoGroups();
  form_->RdGrpMTypeItems[1]->setChecked(true);
  QCOMPARE(page_->GroupTable->rowCount(), 0);
  QCOMPARE(page_->SummaryTable->model()->rowCount(), 0);
  QVERIFY(!page_->CurveChart->isVisible());  // only OJIP has group curves
}

CORVEL_APP_TEST_MAIN(ComparePageTest)
#include "compare_page_test.moc"
