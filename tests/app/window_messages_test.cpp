// The window's stale-table rule (rule D18) and its messages: what an open that fails or finds no
// record says, why a button does nothing by rule, what a chart leaves out, the info box's Tab key,
// the record check boxes' tooltips and the program's --help and --version.
#include <sys/stat.h>
#include <unistd.h>

#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app_test_support.h"
#include "fake_prompter.h"
#include "record_list.h"
#include "shown_window.h"
#include "unit1.h"
#include "unit2.h"

class WindowMessagesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void openResetsTheTableAndItsSave();
  void typeSwitchResetsTheTableAndScrollsToTheTopLeft();
  void deleteResetsTheTableAndItsSave();
  void missingFolderAndUnreadableGiveTheSameBox();
  void fileWithoutRecordsSaysSo();
  void selectAllOnAnEmptyListSaysWhy();
  void saveModeWithoutSelectionSaysWhy();
  void moreThanTenRecordsSayOnlyTenAreDrawn();
  void oneRecordChartsSayOnlyTheFirstIsDrawn();
  void tabInTheInfoBoxMovesTheFocus();
  void checkBoxTooltipIsTheWholeLabel();
  void viewerPrintsHelpAndVersion();

 private:
  void Open(const QString& path);
  void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void ClickRadio(int item);
  int TableRows() const { return form_->StrGridDat->model()->rowCount(); }
  QString Status() const { return form_->statusBar()->currentMessage(); }
  QString SaveTable(const QString& name);

  QTemporaryDir dir_;
  QString file_, many_;
  std::unique_ptr<FakePrompter> prompter_;
  std::unique_ptr<TForm1> form_;
  TForm2* form2_ = nullptr;
};

void WindowMessagesTest::initTestCase() {
  QVERIFY(dir_.isValid());
  file_ = app_test::WriteFile(dir_.filePath(QStringLiteral("small.bin")), app_test::SmallFile());
  QVERIFY(!file_.isEmpty());
  // Twelve OJIP records and two dark-relaxation and multi-light OJIP records each.
  using namespace corvel::synth;
  Rng rng(11);
  FileBuilder many;
  SynthStamp stamp;
  stamp.name = "MANY";
  for (int i = 0; i < 12; ++i) {
    stamp.number = static_cast<uint16_t>(i + 1);
    many.Add(SynthOjip(rng, stamp));
  }
  for (int i = 0; i < 2; ++i) {
    many.Add(SynthRecord(kTypeDr, rng, stamp));
    many.Add(SynthRecord(kTypeMultiOjip, rng, stamp));
  }
  many_ = app_test::WriteFile(dir_.filePath(QStringLiteral("many.bin")), many.File());
  QVERIFY(!many_.isEmpty());
}

void WindowMessagesTest::init() {
  QVERIFY(app_test::ShowWindow(prompter_, form_, form2_));
}

void WindowMessagesTest::cleanup() {
  form_.reset();  // deletes the dialog it parents
  prompter_.reset();
}

void WindowMessagesTest::Open(const QString& path) {
  prompter_->open_answers << path;
  QTest::mouseClick(form_->BtnOpen, Qt::LeftButton);
}

void WindowMessagesTest::ClickRow(int row, Qt::KeyboardModifiers modifiers) {
  const QModelIndex index = form_->LBoxFN->model()->index(row, 0);
  form_->LBoxFN->scrollTo(index);
  QTest::mouseClick(form_->LBoxFN->viewport(), Qt::LeftButton, modifiers,
                    form_->LBoxFN->visualRect(index).center());
}

void WindowMessagesTest::ClickRadio(int item) {
  QRadioButton* radio = form_->RdGrpMTypeItems[item];
  QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, QPoint(8, radio->height() / 2));
}

QString WindowMessagesTest::SaveTable(const QString& name) {
  prompter_->save_answers << dir_.filePath(name);
  QTest::mouseClick(form_->BtnSaveGrid, Qt::LeftButton);
  return QString::fromLatin1(app_test::ReadAll(dir_.filePath(name)));
}

void WindowMessagesTest::openResetsTheTableAndItsSave() {
  Open(file_);
  QTest::keyClick(form_->LBoxFN, Qt::Key_A, Qt::ControlModifier);
  QCOMPARE(TableRows(), 6);
  Open(many_);
  QCOMPARE(TableRows(), 1);
  QCOMPARE(form_->StrGridDat->model()->headerData(0, Qt::Horizontal).toString(),
           QStringLiteral("Filename"));
  const QString csv = SaveTable(QStringLiteral("after_open.csv"));
  QVERIFY(csv.startsWith(QStringLiteral("Filename,")));
  QCOMPARE(csv.count(QStringLiteral("\r\n")), 2);  // the title row and the empty row
  QVERIFY(!csv.contains(QStringLiteral("ABC0001")));
}

void WindowMessagesTest::typeSwitchResetsTheTableAndScrollsToTheTopLeft() {
  Open(file_);
  QTest::keyClick(form_->LBoxFN, Qt::Key_A, Qt::ControlModifier);
  QScrollBar* across = form_->StrGridDat->horizontalScrollBar();
  QVERIFY(across->maximum() > 0);
  across->setValue(across->maximum());
  ClickRadio(9);
  QCOMPARE(TableRows(), 1);
  QCOMPARE(form_->StrGridDat->model()->headerData(3, Qt::Horizontal).toString(),
           QStringLiteral("ChlConc(ug/L)"));
  QCOMPARE(across->value(), 0);
  QCOMPARE(form_->StrGridDat->verticalScrollBar()->value(), 0);
  const QString csv = SaveTable(QStringLiteral("after_switch.csv"));
  QCOMPARE(csv, QStringLiteral("Filename,Date/Time,Meas.Type,ChlConc(ug/L),") +
                    QString(36, QLatin1Char(',')) + QStringLiteral("\r\n") +
                    QString(40, QLatin1Char(',')) + QStringLiteral("\r\n"));
  // A refill after a list click starts at the top left too.
  QTest::keyClick(form_->LBoxFN, Qt::Key_A, Qt::ControlModifier);
  QCOMPARE(TableRows(), 3);
  QCOMPARE(across->value(), 0);
}

void WindowMessagesTest::deleteResetsTheTableAndItsSave() {
  Open(file_);
  ClickRow(1);
  QCOMPARE(TableRows(), 2);
  prompter_->answers << true;
  QTest::mouseClick(form_->BtnDel, Qt::LeftButton);
  QCOMPARE(TableRows(), 1);
  const QString csv = SaveTable(QStringLiteral("after_delete.csv"));
  QCOMPARE(csv.count(QStringLiteral("\r\n")), 2);
  QVERIFY(!csv.contains(QStringLiteral("OJ010002")));
}

void WindowMessagesTest::missingFolderAndUnreadableGiveTheSameBox() {
  Open(file_);
  ClickRow(1);
  const QString missing = dir_.filePath(QStringLiteral("missing.bin"));
  QVERIFY(!form_->OpenFile(missing));
  QCOMPARE(prompter_->errors.size(), 1);
  QVERIFY(prompter_->errors[0].contains(missing));
  // The reason in the interface's language (the Chinese interface here).
  QVERIFY(prompter_->errors[0].contains(QStringLiteral("没有那个文件或目录")));
  QVERIFY(!form_->OpenFile(dir_.path()));
  QCOMPARE(prompter_->errors.size(), 2);
  QVERIFY(prompter_->errors[1].contains(dir_.path()));
  if (::geteuid() != 0) {  // root reads a file whatever its mode
    const QString locked =
        app_test::WriteFile(dir_.filePath(QStringLiteral("locked.bin")), app_test::SmallFile());
    QFile::setPermissions(locked, QFileDevice::Permissions());
    QVERIFY(!form_->OpenFile(locked));
    QCOMPARE(prompter_->errors.size(), 3);
    QVERIFY(prompter_->errors[2].contains(locked));
    QVERIFY(prompter_->errors[2].contains(QStringLiteral("Permission denied")));
  }
  // A FIFO is refused at once instead of holding the open until something writes into it.
  const QString fifo = dir_.filePath(QStringLiteral("fifo.bin"));
  QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  QVERIFY(!form_->OpenFile(fifo));
  QVERIFY(prompter_->errors.last().contains(fifo));
  QVERIFY(prompter_->errors.last().contains(QStringLiteral("不是普通文件")));
  // Rule D4: the loaded file, its list, its selection and its table stay.
  QCOMPARE(form_->LBoxFN->model()->rowCount(), app_test::kSmallCounts[0]);
  QCOMPARE(form_->session().list().selected_count, 1);
  QCOMPARE(TableRows(), 2);
}

void WindowMessagesTest::fileWithoutRecordsSaysSo() {
  const QString empty = app_test::WriteFile(dir_.filePath(QStringLiteral("empty.bin")), {});
  Open(empty);
  QVERIFY(prompter_->errors.isEmpty());
  QVERIFY2(Status().contains(QStringLiteral("文件为空")), qPrintable(Status()));
  QVERIFY(Status().contains(QStringLiteral("文件中没有测量记录")));

  corvel::synth::Bytes ten(10, 0x46);
  Open(app_test::WriteFile(dir_.filePath(QStringLiteral("ten.bin")), ten));
  QVERIFY2(Status().contains(QStringLiteral("文件只有 10 字节")), qPrintable(Status()));

  corvel::synth::Bytes header(64, 0);
  Open(app_test::WriteFile(dir_.filePath(QStringLiteral("header.bin")), header));
  QCOMPARE(Status(), QStringLiteral("文件中没有测量记录"));
  // It stays said on a type switch, and goes when a file with records is opened.
  ClickRadio(3);
  QCOMPARE(Status(), QStringLiteral("文件中没有测量记录"));
  Open(file_);
  QVERIFY(Status().isEmpty());
}

void WindowMessagesTest::selectAllOnAnEmptyListSaysWhy() {
  Open(file_);
  ClickRadio(1);
  form_->session();  // two pulse kinetics records: the list is not empty
  QTest::mouseClick(form_->BtnSelAll, Qt::LeftButton);
  QVERIFY(Status().isEmpty());
  const QString header =
      app_test::WriteFile(dir_.filePath(QStringLiteral("h.bin")), corvel::synth::Bytes(64, 0));
  Open(header);
  QTest::mouseClick(form_->BtnSelAll, Qt::LeftButton);
  QCOMPARE(Status(), QStringLiteral("记录列表为空，没有可选的记录"));
}

void WindowMessagesTest::saveModeWithoutSelectionSaysWhy() {
  Open(file_);
  QTest::mouseClick(form_->BtnSaveSelect, Qt::LeftButton);
  QVERIFY(form2_->isVisible());
  form2_->set_mode(2);
  QTest::mouseClick(form2_->BtnSaveData, Qt::LeftButton);
  QVERIFY(prompter_->saves.isEmpty());
  QCOMPARE(Status(), QStringLiteral("没有选中的记录，这种存储方式只保存选中的数据"));
  form2_->set_mode(3);
  QTest::mouseClick(form2_->BtnSaveData, Qt::LeftButton);
  QVERIFY(prompter_->saves.isEmpty());
  ClickRadio(1);
  form2_->set_mode(1);
  form_->statusBar()->clearMessage();
  // Two pulse kinetics records: mode 1 saves, so it asks for a name.
  QTest::mouseClick(form2_->BtnSaveData, Qt::LeftButton);
  QCOMPARE(prompter_->saves.size(), 1);

  // A file without live records: the save-as button itself says why it does nothing.
  form2_->hide();
  Open(app_test::WriteFile(dir_.filePath(QStringLiteral("none.bin")), corvel::synth::Bytes(64, 0)));
  QTest::mouseClick(form_->BtnSaveSelect, Qt::LeftButton);
  QVERIFY(!form2_->isVisible());
  QCOMPARE(Status(), QStringLiteral("文件中没有测量记录，没有可保存的数据"));
}

void WindowMessagesTest::moreThanTenRecordsSayOnlyTenAreDrawn() {
  Open(many_);
  QCOMPARE(form_->LBoxFN->model()->rowCount(), 12);
  for (int row = 0; row < 10; ++row) ClickRow(row, row == 0 ? Qt::NoModifier : Qt::ControlModifier);
  QVERIFY(Status().isEmpty());
  ClickRow(10, Qt::ControlModifier);
  QCOMPARE(Status(), QStringLiteral("曲线只显示前10条记录"));
  QVERIFY(form_->CBoxFN[9]->isChecked());
  // Back to ten: nothing is left out any more.
  ClickRow(10, Qt::ControlModifier);
  QVERIFY(Status().isEmpty());
}

void WindowMessagesTest::oneRecordChartsSayOnlyTheFirstIsDrawn() {
  Open(many_);
  for (int item : {3, 6}) {
    ClickRadio(item);
    QCOMPARE(form_->LBoxFN->model()->rowCount(), 2);
    ClickRow(0);
    QVERIFY(Status().isEmpty());
    ClickRow(1, Qt::ControlModifier);
    QCOMPARE(Status(), QStringLiteral("曲线只显示第一条选中的记录"));
  }
}

void WindowMessagesTest::tabInTheInfoBoxMovesTheFocus() {
  Open(file_);
  ClickRadio(8);
  ClickRow(0);
  const QString listing = form_->RichEditInfo->toPlainText();
  form_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  form_->RichEditInfo->setFocus();
  QVERIFY(form_->RichEditInfo->hasFocus());
  QTest::keyClick(form_->RichEditInfo, Qt::Key_Tab);
  QCOMPARE(form_->RichEditInfo->toPlainText(), listing);
  QVERIFY(!form_->RichEditInfo->toPlainText().contains(QLatin1Char('\t')));
  QVERIFY(!form_->RichEditInfo->hasFocus());
}

void WindowMessagesTest::checkBoxTooltipIsTheWholeLabel() {
  Open(file_);
  ClickRow(0);
  ClickRow(2, Qt::ControlModifier);
  QCOMPARE(form_->CBoxFN[0]->text(), QStringLiteral("(B)ABC0001 ["));
  QCOMPARE(form_->CBoxFN[0]->toolTip(), QStringLiteral("(B)ABC0001 [06/13 10:00:00][0001]"));
  QCOMPARE(form_->CBoxFN[1]->toolTip(), QStringLiteral("(B)藻类010003 [06/13 10:04:00][0003]"));
  QVERIFY(form_->CBoxFN[2]->toolTip().isEmpty());
  // Boxes that stand for no record (the dark-relaxation pulses) have no tooltip.
  ClickRadio(3);
  ClickRow(0);
  QCOMPARE(form_->CBoxFN[0]->text(), QStringLiteral("OJIP:1"));
  QVERIFY(form_->CBoxFN[0]->toolTip().isEmpty());
}

void WindowMessagesTest::viewerPrintsHelpAndVersion() {
  const QString viewer = qEnvironmentVariable("CORVEL_VIEWER");
  QVERIFY(!viewer.isEmpty());
  QProcess run;
  run.start(viewer, {QStringLiteral("--version")});
  QVERIFY(run.waitForFinished(30000));
  QCOMPARE(run.exitCode(), 0);
  QVERIFY2(run.readAllStandardOutput().startsWith("corvel-viewer 0."), "version line");
  run.start(viewer, {QStringLiteral("--help")});
  QVERIFY(run.waitForFinished(30000));
  QCOMPARE(run.exitCode(), 0);
  const QByteArray help = run.readAllStandardOutput();
  QVERIFY2(help.contains("--version") && help.contains("FILE"), help.constData());
}

CORVEL_APP_TEST_MAIN(WindowMessagesTest)
#include "window_messages_test.moc"
