// The save-mode dialog driven from the main window: when it opens and on which mode, the file
// dialog of each mode, files byte for byte as corvel-cli writes them, and what a save does to
// the exit warning.
#include <QButtonGroup>
#include <QDate>
#include <QDir>
#include <QGroupBox>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app_test_support.h"
#include "fake_prompter.h"
#include "record_list.h"
#include "shown_window.h"
#include "unit1.h"
#include "unit2.h"

class SaveDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void layoutAndCaptions();
  void saveAsOpensOnTheRightMode();
  void missingPreconditionsAskNothing();
  void modeZeroWritesEveryLiveRecord();
  void modeOneWritesTheCurrentList();
  void modeTwoWritesTheSelection();
  void modeThreeExportsOneFilePerRecord();
  void modeThreeWritesTheListingAndTypedText();
  void chlorophyllTableStaysOpen();
  void saveAfterDeletionSilencesTheExitWarning();
  void csvExportLeavesTheExitWarning();
  void failedSaveShowsTheErrorAndKeepsTheWarning();
  void cancelledFileDialogKeepsTheDialogOpen();

 private:
  void Open();
  void Select(const QList<int>& rows);
  void ChooseType(int item);
  // Presses "保  存" with `mode` answering the file dialog with `name` in folder `sub`.
  void Save(int mode, const QString& name);
  QString Path(const QString& name) const { return dir_.filePath(name); }
  static QStringList Files(const QString& folder);
  static QString Today() { return QDate::currentDate().toString(QStringLiteral("yyyyMMdd")); }

  QTemporaryDir dir_;
  QString file_;
  std::unique_ptr<FakePrompter> prompter_;
  std::unique_ptr<TForm1> form_;
  TForm2* form2_ = nullptr;
};

void SaveDialogTest::initTestCase() {
  QVERIFY(dir_.isValid());
  file_ = app_test::WriteFile(Path(QStringLiteral("small.bin")), app_test::SmallFile());
  QVERIFY(!file_.isEmpty());
}

void SaveDialogTest::init() {
  QVERIFY(app_test::ShowWindow(prompter_, form_, form2_));
}

void SaveDialogTest::cleanup() {
  form_.reset();  // the dialog goes with its window
  prompter_.reset();
}

void SaveDialogTest::Open() {
  QVERIFY(form_->OpenFile(file_));
}

void SaveDialogTest::Select(const QList<int>& rows) {
  QListView* list = form_->LBoxFN;
  for (int i = 0; i < rows.size(); ++i) {
    const QModelIndex index = list->model()->index(rows[i], 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton,
                      i == 0 ? Qt::NoModifier : Qt::ControlModifier,
                      list->visualRect(index).center());
  }
  QCOMPARE(form_->session().list().selected_count, rows.size());
}

void SaveDialogTest::ChooseType(int item) {
  form_->RdGrpMTypeItems[item]->setChecked(true);
  QCOMPARE(form_->session().radio_item(), item);
}

void SaveDialogTest::Save(int mode, const QString& name) {
  QTest::mouseClick(form_->BtnSaveSelect, Qt::LeftButton);
  QVERIFY(form2_->isVisible());
  QTest::mouseClick(form2_->RdGrpSaveSelItems[mode], Qt::LeftButton, Qt::NoModifier,
                    QPoint(8, form2_->RdGrpSaveSelItems[mode]->height() / 2));
  QCOMPARE(form2_->mode(), mode);
  prompter_->save_answers << name;
  QTest::mouseClick(form2_->BtnSaveData, Qt::LeftButton);
}

QStringList SaveDialogTest::Files(const QString& folder) {
  return QDir(folder).entryList(QDir::Files, QDir::Name);
}

void SaveDialogTest::layoutAndCaptions() {
  QCOMPARE(form2_->windowTitle(), QStringLiteral("选择存储方式"));
  QCOMPARE(form2_->size(), QSize(393, 293));
  QVERIFY(!form2_->isModal());
  QVERIFY(!form2_->isVisible());
  QVERIFY(form2_->RdGrpSaveSel->title().isEmpty());
  const QStringList modes = {"保存所有测量类型数据", "保存当前测量类型数据", "保存选中的数据",
                             "保存选中的数据(表格形式)"};
  for (int m = 0; m < 4; ++m) QCOMPARE(form2_->RdGrpSaveSelItems[m]->text(), modes[m]);
  QCOMPARE(form2_->BtnSaveData->text(), QStringLiteral("保  存"));
  QCOMPARE(form2_->BtnCancel->text(), QStringLiteral("取  消"));
  QVERIFY(form2_->findChild<QPushButton*>(QStringLiteral("BtnSaveData")) != nullptr);
  QVERIFY(form2_->findChild<QGroupBox*>(QStringLiteral("RdGrpSaveSel")) != nullptr);
}

void SaveDialogTest::saveAsOpensOnTheRightMode() {
  // Nothing loaded: the button does nothing.
  QTest::mouseClick(form_->BtnSaveSelect, Qt::LeftButton);
  QVERIFY(!form2_->isVisible());

  Open();
  Select({0, 2});
  QTest::mouseClick(form_->BtnSaveSelect, Qt::LeftButton);
  QVERIFY(form2_->isVisible());
  QCOMPARE(form2_->mode(), 0);  // a dialog that was hidden starts on mode 0
  // Pressed again while open, it takes the mode of the selection.
  QTest::mouseClick(form_->BtnSaveSelect, Qt::LeftButton);
  QCOMPARE(form2_->mode(), 2);
  QTest::mouseClick(form_->BtnDeSel, Qt::LeftButton);
  QTest::mouseClick(form_->BtnSaveSelect, Qt::LeftButton);
  QCOMPARE(form2_->mode(), 1);
  // The main window stays usable while the dialog is open.
  ChooseType(1);
  QCOMPARE(form_->LBoxFN->model()->rowCount(), app_test::kSmallCounts[1]);

  QTest::mouseClick(form2_->BtnCancel, Qt::LeftButton);
  QVERIFY(!form2_->isVisible());
  QVERIFY(prompter_->saves.isEmpty());
}

void SaveDialogTest::missingPreconditionsAskNothing() {
  Open();
  QTest::mouseClick(form_->BtnSaveSelect, Qt::LeftButton);
  for (const int mode : {2, 3}) {
    form2_->set_mode(mode);
    QTest::mouseClick(form2_->BtnSaveData, Qt::LeftButton);
  }
  QVERIFY(prompter_->saves.isEmpty());  // nothing selected: no file dialog
  QVERIFY(form2_->isVisible());
}

void SaveDialogTest::modeZeroWritesEveryLiveRecord() {
  Open();
  Save(0, Path(QStringLiteral("all")));
  QCOMPARE(prompter_->saves.size(), 1);
  QCOMPARE(prompter_->saves[0].title, QStringLiteral("数据另存为"));
  QCOMPARE(prompter_->saves[0].initial_name, QStringLiteral("FLData") + Today());
  QCOMPARE(prompter_->saves[0].filter, QStringLiteral("*.bin"));
  QCOMPARE(prompter_->saves[0].default_suffix, QStringLiteral("bin"));
  QVERIFY(prompter_->errors.isEmpty());
  QVERIFY(!form2_->isVisible());
  const QString cli = Path(QStringLiteral("all_cli.bin"));
  QVERIFY(app_test::RunCli({"save", file_, "--mode", "0", "-o", cli}));
  const QByteArray saved = app_test::ReadAll(Path(QStringLiteral("all.bin")));
  QCOMPARE(saved, app_test::ReadAll(cli));
  QCOMPARE(saved, app_test::ReadAll(file_));  // nothing deleted: the file itself
}

void SaveDialogTest::modeOneWritesTheCurrentList() {
  Open();
  ChooseType(2);
  Save(1, Path(QStringLiteral("rlc.bin")));
  QVERIFY(prompter_->errors.isEmpty());
  const QString cli = Path(QStringLiteral("rlc_cli.bin"));
  QVERIFY(app_test::RunCli({"save", file_, "--mode", "1", "--type", "rlc", "-o", cli}));
  QCOMPARE(app_test::ReadAll(Path(QStringLiteral("rlc.bin"))), app_test::ReadAll(cli));
}

void SaveDialogTest::modeTwoWritesTheSelection() {
  Open();
  Select({4, 1, 3});
  Save(2, Path(QStringLiteral("picked.bin")));
  QVERIFY(prompter_->errors.isEmpty());
  const QString cli = Path(QStringLiteral("picked_cli.bin"));
  QVERIFY(app_test::RunCli(
      {"save", file_, "--mode", "2", "--type", "ojip", "--select", "2,4,5", "-o", cli}));
  const QByteArray saved = app_test::ReadAll(Path(QStringLiteral("picked.bin")));
  QCOMPARE(saved, app_test::ReadAll(cli));
  // The saved file lists exactly the three records, in list order.
  TForm1 check(prompter_.get());
  QVERIFY(check.OpenFile(Path(QStringLiteral("picked.bin"))));
  QCOMPARE(check.session().list().count, 3);
  QCOMPARE(check.LBoxFN->model()->data(check.LBoxFN->model()->index(0, 0)).toString(),
           QStringLiteral("(B)OJ010002 [06/13 10:02:00][0001]"));
}

void SaveDialogTest::modeThreeExportsOneFilePerRecord() {
  Open();
  Select({0, 2});
  QDir(dir_.path()).mkdir(QStringLiteral("win"));
  QDir(dir_.path()).mkdir(QStringLiteral("cli"));
  Save(3, Path(QStringLiteral("win/FLGrid")));
  QCOMPARE(prompter_->saves[0].title, QStringLiteral("数据另存为多个文件"));
  QCOMPARE(prompter_->saves[0].initial_name, QStringLiteral("FLGrid"));
  QCOMPARE(prompter_->saves[0].filter, QStringLiteral("*.csv"));
  QCOMPARE(prompter_->saves[0].default_suffix, QStringLiteral("csv"));
  QVERIFY(prompter_->errors.isEmpty());
  QVERIFY(!form2_->isVisible());
  QVERIFY(app_test::RunCli({"export", file_, "--type", "ojip", "--select", "1,3", "-o",
                            Path(QStringLiteral("cli/FLGrid.csv"))}));
  const QStringList files = Files(Path(QStringLiteral("win")));
  QCOMPARE(files, Files(Path(QStringLiteral("cli"))));
  // The info box text, then one file per record named by its position among the selected.
  QCOMPARE(files, QStringList({QStringLiteral("FLGrid(1)ABC0001.csv"),
                               QStringLiteral("FLGrid(2)藻类010003.csv"),
                               QStringLiteral("FLGrid_UserCmd.txt")}));
  for (const QString& name : files)
    QCOMPARE(app_test::ReadAll(Path(QStringLiteral("win/") + name)),
             app_test::ReadAll(Path(QStringLiteral("cli/") + name)));

  // One record selected: the plain title.
  Select({1});
  Save(3, Path(QStringLiteral("win/one")));
  QCOMPARE(prompter_->saves[1].title, QStringLiteral("数据另存为"));
}

void SaveDialogTest::modeThreeWritesTheListingAndTypedText() {
  Open();
  ChooseType(8);
  Select({0, 1});
  QDir(dir_.path()).mkdir(QStringLiteral("user"));
  QDir(dir_.path()).mkdir(QStringLiteral("user_cli"));
  Save(3, Path(QStringLiteral("user/prog.csv")));
  QVERIFY(app_test::RunCli({"export", file_, "--type", "user", "--select", "1,2", "-o",
                            Path(QStringLiteral("user_cli/prog.csv"))}));
  const QByteArray listing = app_test::ReadAll(Path(QStringLiteral("user/prog_UserCmd.txt")));
  QVERIFY(listing.startsWith("==========================================\r\nUSR0001,"));
  QCOMPARE(listing, app_test::ReadAll(Path(QStringLiteral("user_cli/prog_UserCmd.txt"))));

  // What the user types into the info box is what goes beside the records, in GBK.
  form_->RichEditInfo->setPlainText(QStringLiteral("备注 A\n第二行"));
  Save(3, Path(QStringLiteral("user/typed.csv")));
  QCOMPARE(app_test::ReadAll(Path(QStringLiteral("user/typed_UserCmd.txt"))),
           QByteArray("\xB1\xB8\xD7\xA2 A\r\n\xB5\xDA\xB6\xFE\xD0\xD0\r\n"));
}

void SaveDialogTest::chlorophyllTableStaysOpen() {
  Open();
  ChooseType(9);
  Select({0, 1});
  QDir(dir_.path()).mkdir(QStringLiteral("chl"));
  Save(3, Path(QStringLiteral("chl/chl")));
  QVERIFY(prompter_->errors.isEmpty());
  QVERIFY(form2_->isVisible());  // the table form leaves the dialog open
  QVERIFY(app_test::RunCli({"export", file_, "--type", "chlconc", "--select", "1,2", "-o",
                            Path(QStringLiteral("chl/cli.csv"))}));
  const QByteArray saved = app_test::ReadAll(Path(QStringLiteral("chl/chl.csv")));
  QCOMPARE(saved, app_test::ReadAll(Path(QStringLiteral("chl/cli.csv"))));
  QVERIFY(saved.startsWith("Filename,Date/Time,Meas.Type,ChlConc(ug/L),"));
  QCOMPARE(saved.count("\r\n"), 4);
  QCOMPARE(Files(Path(QStringLiteral("chl"))).size(), 2);
}

void SaveDialogTest::saveAfterDeletionSilencesTheExitWarning() {
  Open();
  Select({1});
  QTest::mouseClick(form_->BtnDel, Qt::LeftButton);
  QVERIFY(form_->session().HasUnsavedDeletions());
  Save(0, Path(QStringLiteral("after_delete.bin")));
  QVERIFY(prompter_->errors.isEmpty());
  QVERIFY(!form_->session().HasUnsavedDeletions());
  QTest::mouseClick(form_->BtnExit, Qt::LeftButton);
  QCOMPARE(prompter_->questions.size(), 1);  // only the delete question
  QVERIFY(!form_->isVisible());

  // The new file holds every record but the deleted one, in the old order.
  TForm1 check(prompter_.get());
  QVERIFY(check.OpenFile(Path(QStringLiteral("after_delete.bin"))));
  QCOMPARE(check.session().list().count, app_test::kSmallCounts[0] - 1);
  QCOMPARE(check.LBoxFN->model()->data(check.LBoxFN->model()->index(1, 0)).toString(),
           QStringLiteral("(B)藻类010003 [06/13 10:04:00][0002]"));
  QCOMPARE(app_test::ReadAll(Path(QStringLiteral("after_delete.bin"))).left(64),
           app_test::ReadAll(file_).left(64));
}

void SaveDialogTest::csvExportLeavesTheExitWarning() {
  Open();
  Select({0});
  QTest::mouseClick(form_->BtnDel, Qt::LeftButton);
  Select({0});
  QDir(dir_.path()).mkdir(QStringLiteral("csv_only"));
  Save(3, Path(QStringLiteral("csv_only/FLGrid")));
  QVERIFY(prompter_->errors.isEmpty());
  QVERIFY(form_->session().HasUnsavedDeletions());
  prompter_->answers << false;
  QTest::mouseClick(form_->BtnExit, Qt::LeftButton);
  QCOMPARE(prompter_->questions.size(), 2);
  QCOMPARE(prompter_->questions[1].text, QStringLiteral("有数据被删除后未保存，仍要退出吗?"));
  QVERIFY(form_->isVisible());
}

void SaveDialogTest::failedSaveShowsTheErrorAndKeepsTheWarning() {
  Open();
  Select({0});
  QTest::mouseClick(form_->BtnDel, Qt::LeftButton);
  const QString target = Path(QStringLiteral("no-such-folder/FLData.bin"));
  Save(0, target);
  QCOMPARE(prompter_->errors.size(), 1);
  QVERIFY(prompter_->errors[0].contains(target));
  QVERIFY(form2_->isVisible());
  QVERIFY(form_->session().HasUnsavedDeletions());
  prompter_->answers << false;
  QTest::mouseClick(form_->BtnExit, Qt::LeftButton);
  QCOMPARE(prompter_->questions.size(), 2);
  QVERIFY(form_->isVisible());
}

void SaveDialogTest::cancelledFileDialogKeepsTheDialogOpen() {
  Open();
  Save(0, QString());
  QCOMPARE(prompter_->saves.size(), 1);
  QVERIFY(form2_->isVisible());
  QVERIFY(prompter_->errors.isEmpty());
}

CORVEL_APP_TEST_MAIN(SaveDialogTest)
#include "save_dialog_test.moc"
