// The light-curve fits in the window: the model choice on the curve page, the dashed fitted curve
// over the rETR points, the fit page and the fit CSV saved beside the table.
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "app_test_support.h"
#include "fake_prompter.h"
#include "record_list.h"
#include "synth/kinds.h"
#include "unit1.h"

class FitViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void modelChoiceShowsOnlyForRapidLightCurves();
  void oneRecordGetsItsFittedCurve();
  void modelChoiceRefitsTheChartAndTheTable();
  void tableSaveWritesTheFitsAsTheToolDoes();

 private:
  void SelectRow(int row);

  QTemporaryDir dir_;
  QString path_;
  FakePrompter* prompter_ = nullptr;
  TForm1* form_ = nullptr;
};

void FitViewTest::init() {
  path_ = app_test::WriteFile(dir_.filePath(QStringLiteral("curves.bin")),
                              corvel::synth::MakeLightCurveFile(1));
  QVERIFY(!path_.isEmpty());
  prompter_ = new FakePrompter;
  form_ = new TForm1(prompter_);
  form_->show();
  QVERIFY(form_->OpenFile(path_));
}

void FitViewTest::cleanup() {
  delete form_;
  delete prompter_;
}

void FitViewTest::SelectRow(int row) {
  QAbstractItemModel* model = form_->LBoxFN->model();
  form_->LBoxFN->selectionModel()->select(model->index(row, 0),
                                          QItemSelectionModel::ClearAndSelect);
}

void FitViewTest::modelChoiceShowsOnlyForRapidLightCurves() {
  QVERIFY(form_->CbBoxFit->isHidden());
  form_->RdGrpMTypeItems[2]->setChecked(true);
  QVERIFY(!form_->CbBoxFit->isHidden());
  QCOMPARE(form_->CbBoxFit->count(), 5);
  QCOMPARE(form_->CbBoxFit->currentIndex(), 0);
  form_->RdGrpMTypeItems[0]->setChecked(true);
  QVERIFY(form_->CbBoxFit->isHidden());
}

void FitViewTest::oneRecordGetsItsFittedCurve() {
  form_->RdGrpMTypeItems[2]->setChecked(true);
  SelectRow(0);
  const corvel::Series& fit = form_->session().chart().fit[0];
  QCOMPARE(fit.points.size(), size_t{61});
  QVERIFY(fit.visible);
  // Unchecking the rETR box hides the points and their fit.
  form_->CBoxFN[0]->setChecked(false);
  QVERIFY(!form_->session().chart().fit[0].visible);
}

void FitViewTest::modelChoiceRefitsTheChartAndTheTable() {
  form_->RdGrpMTypeItems[2]->setChecked(true);
  SelectRow(6);  // PLATT1
  form_->PageCtrl->setCurrentWidget(form_->TabSheet3);
  QAbstractItemModel* table = form_->StrGridFit->model();
  QCOMPARE(table->rowCount(), 1);
  QCOMPARE(table->headerData(3, Qt::Horizontal).toString(), QStringLiteral("rETRmax"));
  QCOMPARE(table->index(0, 1).data().toString(), QStringLiteral("PLATT1"));
  QCOMPARE(table->index(0, 2).data().toString(), QStringLiteral("platt"));
  QCOMPARE(table->index(0, 10).data().toString().left(4), QStringLiteral("343."));
  form_->CbBoxFit->setCurrentIndex(1);  // Webb
  QCOMPARE(form_->session().fit_choice(), corvel::FitChoice::kWebb);
  QCOMPARE(table->index(0, 2).data().toString(), QStringLiteral("webb"));
  QCOMPARE(table->index(0, 10).data().toString(), QString());
}

void FitViewTest::tableSaveWritesTheFitsAsTheToolDoes() {
  form_->RdGrpMTypeItems[2]->setChecked(true);
  form_->BtnSelAllClick();
  form_->CbBoxFit->setCurrentIndex(3);  // Platt
  prompter_->save_answers = {dir_.filePath(QStringLiteral("grid"))};
  form_->BtnSaveGridClick();
  QVERIFY(prompter_->errors.isEmpty());
  const QByteArray saved = app_test::ReadAll(dir_.filePath(QStringLiteral("grid_fit.csv")));
  QVERIFY(saved.startsWith("record,name,model,rETRmax,"));
  QCOMPARE(saved.count("\r\n"), 13);
  QByteArray cli;
  QVERIFY(app_test::RunCli(
      {QStringLiteral("fit"), path_, QStringLiteral("--model"), QStringLiteral("platt")}, &cli));
  QCOMPARE(saved, cli);
}

CORVEL_APP_TEST_MAIN(FitViewTest)
#include "fit_view_test.moc"
