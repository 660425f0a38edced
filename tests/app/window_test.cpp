// The main window driven as a user drives it: buttons, radio items, list clicks and keys, with
// the dialogs answered by a FakePrompter.
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>
#include <stdexcept>

#include "app_test_support.h"
#include "chart_view.h"
#include "fake_prompter.h"
#include "protocol_pictures.h"
#include "record_list.h"
#include "unit1.h"
#include "unit2.h"

using app_test::kSmallCounts;

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void captionsNamesAndColours();
  void openShowsTheOjipList();
  void everyTypeShowsItsListAndPicture();
  void clicksFillTheTableInListOrder();
  void keyboardSelectionRunsTheClick();
  void selectAllAndDeselect();
  void typeSwitchResetsTheTableAndClearsTheBoxes();
  void userProgramGoesToTheInfoBox();
  void chlorophyllHasATableButNoPicture();
  void checkBoxHidesAndShowsItsCurve();
  void deleteAsksAndCancelKeepsTheRecords();
  void deleteKeyAsksLikeTheButton();
  void exitWithoutDeletionsAsksNothing();
  void exitAndCloseAfterDeletionAsk();
  void openingAnotherFileWhileUnsavedAsks();
  void unreadableFileKeepsTheLoadedOne();
  void droppedFileOpensLikeTheButton();
  void ctrlOOpens();
  void tableSaveWritesWhatTheToolWrites();
  void failedTableSaveShowsTheError();
  void pictureSaveWritesABitmap();
  void protocolPicturesAreDrawn();
  void escapedExceptionIsShownAndTheLoopGoesOn();

 private:
  template <class T>
  T* Find(const char* name) const {
    T* found = form_->findChild<T*>(QLatin1String(name));
    if (found == nullptr) qWarning("no control %s", name);
    return found;
  }
  void Open();
  void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void ClickRadio(int item);
  QString Cell(int model_row, int col) const;
  QString Title(int col) const;
  int TableRows() const { return form_->StrGridDat->model()->rowCount(); }
  int VisiblePicture() const;

  QTemporaryDir dir_;
  QString file_;
  std::unique_ptr<FakePrompter> prompter_;
  std::unique_ptr<TForm1> form_;
  std::unique_ptr<TForm2> form2_;
};

void WindowTest::initTestCase() {
  QVERIFY(dir_.isValid());
  file_ = app_test::WriteFile(dir_.filePath(QStringLiteral("small.bin")), app_test::SmallFile());
  QVERIFY(!file_.isEmpty());
}

void WindowTest::init() {
  prompter_ = std::make_unique<FakePrompter>();
  form_ = std::make_unique<TForm1>(prompter_.get());
  form2_ = std::make_unique<TForm2>(&form_->session(), prompter_.get(), form_.get());
  form_->SetSaveModeDialog(form2_.get());
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void WindowTest::cleanup() {
  form2_.reset();
  form_.reset();
  prompter_.reset();
}

void WindowTest::Open() {
  prompter_->open_answers << file_;
  QTest::mouseClick(form_->BtnOpen, Qt::LeftButton);
  QCOMPARE(form_->LBoxFN->model()->rowCount(), kSmallCounts[0]);
}

void WindowTest::ClickRow(int row, Qt::KeyboardModifiers modifiers) {
  QListView* list = form_->LBoxFN;
  const QModelIndex index = list->model()->index(row, 0);
  list->scrollTo(index);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualRect(index).center());
}

void WindowTest::ClickRadio(int item) {
  // On the indicator: the button is wider than its caption.
  QRadioButton* radio = form_->RdGrpMTypeItems[item];
  QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, QPoint(8, radio->height() / 2));
}

QString WindowTest::Cell(int model_row, int col) const {
  const QAbstractItemModel* model = form_->StrGridDat->model();
  return model->data(model->index(model_row, col)).toString();
}

QString WindowTest::Title(int col) const {
  return form_->StrGridDat->model()->headerData(col, Qt::Horizontal).toString();
}

int WindowTest::VisiblePicture() const {
  int shown = 0;
  for (int n = 0; n < 8; ++n)
    if (form_->Image[n]->isVisible()) shown = shown == 0 ? n + 1 : -1;
  return shown;
}

void WindowTest::captionsNamesAndColours() {
  QCOMPARE(form_->windowTitle(), QStringLiteral("Corvel-2740藻类荧光仪数据查看"));
  QVERIFY(form_->windowState() & Qt::WindowMaximized);
  const struct {
    const char* name;
    const char* caption;
  } buttons[] = {{"BtnOpen", "打开文件"},     {"BtnExit", "退出程序"},
                 {"BtnSelAll", "全  选"},     {"BtnDeSel", "取消选择"},
                 {"BtnDel", "删  除"},        {"BtnSaveSelect", "另存为"},
                 {"BtnSaveGrid", "保存表格"}, {"BtnSavePic", "保存图形"}};
  for (const auto& b : buttons) {
    QPushButton* button = Find<QPushButton>(b.name);
    QVERIFY(button != nullptr);
    QCOMPARE(button->text(), QString::fromUtf8(b.caption));
  }
  auto* types = Find<QGroupBox>("RdGrpMType");
  QVERIFY(types != nullptr);
  QCOMPARE(types->title(), QStringLiteral("测量类型"));
  const QStringList items = {"OJIP测量", "脉冲瞬态荧光动力学", "快速光响应曲线", "暗弛豫(DR)",
                             "后稳态",   "鼓包(PIFR)",         "瞬态光曲线",     "测定Fo'",
                             "自定义",   "叶绿素浓度测量"};
  const QList<QRadioButton*> radios = types->findChildren<QRadioButton*>();
  QCOMPARE(radios.size(), 10);
  for (int k = 0; k < 10; ++k) QCOMPARE(radios[k]->text(), items[k]);
  QVERIFY(radios[0]->isChecked());

  auto* pages = Find<QTabWidget>("PageCtrl");
  QVERIFY(pages != nullptr);
  QCOMPARE(pages->tabText(0), QStringLiteral("  表  格  "));
  QCOMPARE(pages->tabText(1), QStringLiteral("  曲  线  "));
  QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("TabSheet1"));
  for (const char* name : {"LBoxFN", "StrGridDat", "RichEditInfo", "Chart1", "GroupBox1", "CbBoxSK",
                           "TabSheet1", "TabSheet2"})
    QVERIFY2(form_->findChild<QWidget*>(QLatin1String(name)) != nullptr, name);
  QVERIFY(!form_->RichEditInfo->isReadOnly());
  QVERIFY(form_->LBoxFN->font().fixedPitch() || QFontInfo(form_->LBoxFN->font()).fixedPitch());

  // The font colour of each record check box is the colour of its curves.
  const QRgb colours[10] = {0x000000, 0x800000, 0x008000, 0xFF0000, 0x808000,
                            0x000080, 0x800080, 0xFF00FF, 0x808080, 0x008080};
  for (int i = 0; i < 10; ++i) {
    auto* box = Find<QCheckBox>(qPrintable(QStringLiteral("CBoxFN%1").arg(i + 1)));
    QVERIFY(box != nullptr);
    QCOMPARE(box->palette().color(QPalette::Active, QPalette::WindowText).rgb() & 0xFFFFFF,
             colours[i]);
    QCOMPARE(box->text(), QStringLiteral(" "));
    QVERIFY(!box->isEnabled());
    QVERIFY(box->font().bold());
  }
  auto* combo = Find<QComboBox>("CbBoxSK");
  QVERIFY(combo != nullptr && !combo->isVisible());
  QCOMPARE(combo->count(), 8);
  QCOMPARE(combo->itemText(2), QStringLiteral("Fm'/Fm"));
  QCOMPARE(combo->itemText(7), QStringLiteral("YNPQ"));
  QCOMPARE(combo->currentIndex(), -1);
  for (int n = 1; n <= 8; ++n) {
    auto* picture = Find<QLabel>(qPrintable(QStringLiteral("Image%1").arg(n)));
    QVERIFY(picture != nullptr);
    QVERIFY(!picture->isVisible());
    QCOMPARE(picture->pixmap().size(), QSize(400, 200));
    QCOMPARE(picture->pos(), form_->Image[0]->pos());
  }
}

void WindowTest::openShowsTheOjipList() {
  Open();
  QCOMPARE(prompter_->opens.size(), 1);
  QCOMPARE(prompter_->opens[0].title, QStringLiteral("打开文件"));
  QCOMPARE(prompter_->opens[0].initial_name, QStringLiteral("*.bin"));
  QCOMPARE(prompter_->opens[0].filter, QStringLiteral("*.bin"));
  const QAbstractItemModel* list = form_->LBoxFN->model();
  QCOMPARE(list->data(list->index(0, 0)).toString(),
           QStringLiteral("(B)ABC0001 [06/13 10:00:00][0001]"));
  // Record names are GBK in the file and Chinese on the screen.
  QCOMPARE(list->data(list->index(2, 0)).toString(),
           QStringLiteral("(B)藻类010003 [06/13 10:04:00][0003]"));
  QCOMPARE(list->data(list->index(3, 0)).toString(),
           QStringLiteral("(R)OJ030004 [06/13 10:13:00][0004]"));
  QCOMPARE(VisiblePicture(), 1);
  QVERIFY(form_->LBoxFN->selectionModel()->selectedIndexes().isEmpty());
  QVERIFY(form_->RdGrpMTypeItems[0]->isChecked());
  QVERIFY(prompter_->errors.isEmpty());
  QVERIFY(form_->statusBar()->currentMessage().isEmpty());
}

void WindowTest::everyTypeShowsItsListAndPicture() {
  Open();
  for (int k = 9; k >= 0; --k) {
    ClickRadio(k);
    QCOMPARE(form_->session().radio_item(), k);
    QCOMPARE(form_->LBoxFN->model()->rowCount(), kSmallCounts[k]);
    QCOMPARE(VisiblePicture(), k < 8 ? k + 1 : 0);
    QVERIFY(form_->RichEditInfo->toPlainText().isEmpty());
    QVERIFY(!form_->CbBoxSK->isVisible());
  }
  // The radio items follow the keyboard too.
  form_->RdGrpMTypeItems[0]->setFocus();
  QTest::keyClick(form_->RdGrpMTypeItems[0], Qt::Key_Down);
  QCOMPARE(form_->session().radio_item(), 1);
  QCOMPARE(VisiblePicture(), 2);
}

void WindowTest::clicksFillTheTableInListOrder() {
  Open();
  ClickRow(2);
  ClickRow(0, Qt::ControlModifier);
  QCOMPARE(form_->session().list().selected_count, 2);
  QCOMPARE(TableRows(), 3);  // two records and the empty row after them
  QCOMPARE(Title(0), QStringLiteral("Filename"));
  QCOMPARE(Title(9), QStringLiteral("Fm(Fp)"));
  QCOMPARE(Title(19), QStringLiteral("φpo"));
  QCOMPARE(Title(20), QStringLiteral("ψo"));
  QCOMPARE(Title(34), QStringLiteral("DF-CSm"));
  QCOMPARE(Title(35), QString());
  QCOMPARE(form_->StrGridDat->model()->columnCount(), 40);
  QCOMPARE(Cell(0, 0), QStringLiteral("ABC0001"));
  QCOMPARE(Cell(0, 1), QStringLiteral("2024/06/13 10:00:00"));
  QCOMPARE(Cell(0, 2), QStringLiteral("OJIP"));
  QCOMPARE(Cell(1, 0), QStringLiteral("藻类010003"));
  QCOMPARE(Cell(1, 1), QStringLiteral("2024/06/13 10:04:00"));
  QVERIFY(!Cell(1, 4).isEmpty());  // Fo
  QCOMPARE(Cell(2, 0), QString());
  QVERIFY(!(form_->StrGridDat->model()->flags(form_->StrGridDat->model()->index(0, 0)) &
            Qt::ItemIsEditable));
  // The chart names the two records in its first two boxes.
  QCOMPARE(form_->CBoxFN[0]->text(), QStringLiteral("(B)ABC0001 ["));
  QCOMPARE(form_->CBoxFN[1]->text(), QStringLiteral("(B)藻类01000"));
  QVERIFY(form_->CBoxFN[0]->isEnabled() && form_->CBoxFN[0]->isChecked());
  QVERIFY(form_->CBoxFN[1]->isEnabled() && form_->CBoxFN[1]->isChecked());
  QVERIFY(!form_->CBoxFN[2]->isEnabled());
  QCOMPARE(form_->CBoxFN[2]->text(), QStringLiteral(" "));

  // A plain click selects only the clicked record.
  ClickRow(4);
  QCOMPARE(form_->session().list().selected_count, 1);
  QCOMPARE(TableRows(), 2);
  QCOMPARE(Cell(0, 0), QStringLiteral("OJ040005"));
}

void WindowTest::keyboardSelectionRunsTheClick() {
  Open();
  form_->LBoxFN->setFocus();
  QTest::keyClick(form_->LBoxFN, Qt::Key_End);
  QCOMPARE(form_->session().list().selected_count, 1);
  QCOMPARE(Cell(0, 0), QStringLiteral("OJ040005"));
  QTest::keyClick(form_->LBoxFN, Qt::Key_Up, Qt::ShiftModifier);
  QTest::keyClick(form_->LBoxFN, Qt::Key_Up, Qt::ShiftModifier);
  QCOMPARE(form_->session().list().selected_count, 3);
  QCOMPARE(TableRows(), 4);
  QCOMPARE(Cell(0, 0), QStringLiteral("藻类010003"));
  QCOMPARE(Cell(2, 0), QStringLiteral("OJ040005"));
  QTest::keyClick(form_->LBoxFN, Qt::Key_Home);
  QCOMPARE(form_->session().list().selected_count, 1);
  QCOMPARE(Cell(0, 0), QStringLiteral("ABC0001"));
}

void WindowTest::selectAllAndDeselect() {
  // Nothing to act on: nothing happens.
  QTest::mouseClick(form_->BtnSelAll, Qt::LeftButton);
  QTest::mouseClick(form_->BtnDeSel, Qt::LeftButton);
  QCOMPARE(TableRows(), 1);

  Open();
  form_->LBoxFN->setFocus();
  QTest::keyClick(form_->LBoxFN, Qt::Key_A, Qt::ControlModifier);
  QCOMPARE(form_->session().list().selected_count, kSmallCounts[0]);
  QCOMPARE(form_->LBoxFN->selectionModel()->selectedIndexes().size(), kSmallCounts[0]);
  QCOMPARE(TableRows(), kSmallCounts[0] + 1);
  QCOMPARE(Cell(4, 0), QStringLiteral("OJ040005"));

  QTest::mouseClick(form_->BtnDeSel, Qt::LeftButton);
  QCOMPARE(form_->session().list().selected_count, 0);
  QVERIFY(form_->LBoxFN->selectionModel()->selectedIndexes().isEmpty());
  QCOMPARE(TableRows(), 1);
  QCOMPARE(Title(0), QStringLiteral("Filename"));
  QVERIFY(!form_->CBoxFN[0]->isEnabled());

  QTest::mouseClick(form_->BtnSelAll, Qt::LeftButton);
  QCOMPARE(form_->LBoxFN->selectionModel()->selectedIndexes().size(), kSmallCounts[0]);
  QCOMPARE(TableRows(), kSmallCounts[0] + 1);
  // Eleven boxes are never needed for five records: the sixth stays blank.
  QVERIFY(form_->CBoxFN[4]->isChecked());
  QVERIFY(!form_->CBoxFN[5]->isEnabled());
  // A click after select all works from the whole selection.
  ClickRow(1, Qt::ControlModifier);
  QCOMPARE(form_->session().list().selected_count, kSmallCounts[0] - 1);
  QCOMPARE(TableRows(), kSmallCounts[0]);
}

void WindowTest::typeSwitchResetsTheTableAndClearsTheBoxes() {
  Open();
  ClickRow(0);
  ClickRow(1, Qt::ControlModifier);
  QVERIFY(form_->CBoxFN[1]->isChecked());
  ClickRadio(1);
  // Rule D18: the OJIP rows go, the pulse kinetics titles come.
  QCOMPARE(TableRows(), 1);
  QCOMPARE(Title(3), QStringLiteral("AL"));
  for (QCheckBox* box : form_->CBoxFN) {
    QCOMPARE(box->text(), QStringLiteral(" "));
    QVERIFY(!box->isEnabled() && !box->isChecked());
  }
  QVERIFY(form_->LBoxFN->selectionModel()->selectedIndexes().isEmpty());
  // Two pulse kinetics records compared: the curve choice appears with nothing chosen.
  QTest::keyClick(form_->LBoxFN, Qt::Key_A, Qt::ControlModifier);
  QCOMPARE(Title(3), QStringLiteral("AL"));
  QCOMPARE(Cell(0, 2), QStringLiteral("SlowKin"));
  form_->PageCtrl->setCurrentWidget(form_->TabSheet2);
  QVERIFY(form_->CbBoxSK->isVisible());
  QCOMPARE(form_->CbBoxSK->currentIndex(), -1);
  form_->CbBoxSK->setCurrentIndex(1);
  QCOMPARE(form_->session().chart().combo.index, 1);
  QVERIFY(!form_->session().chart().line[0].points.empty());
}

void WindowTest::userProgramGoesToTheInfoBox() {
  Open();
  ClickRadio(8);
  QCOMPARE(VisiblePicture(), 0);
  ClickRow(0);
  const QString expected = QStringLiteral(
      "==========================================\n"
      "USR0001,2024/06/13,10:03:00, \n"
      "CmdName: DarkOJIP\n"
      "CMD_Begin\n"
      "DarkAdapt(1000mS)\n"
      "*TimeParaAdd(1000)\n"
      "OJIP(10S, 3000)\n"
      "CMD_End");
  QCOMPARE(form_->RichEditInfo->toPlainText().trimmed(), expected);
  // The table is emptied to its title row and one empty row, without titles.
  QCOMPARE(TableRows(), 1);
  QCOMPARE(Title(0), QString());
  QVERIFY(!form_->CBoxFN[0]->isEnabled());

  // Two programs: two blocks, as the command-line listing gives them.
  ClickRow(2, Qt::ControlModifier);
  QByteArray listing;
  QVERIFY(app_test::RunCli({"listing", file_, "--select", "1,3"}, &listing));
  const QString cli =
      QString::fromUtf8(listing).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QCOMPARE(form_->RichEditInfo->toPlainText().trimmed(), cli.trimmed());
}

void WindowTest::chlorophyllHasATableButNoPicture() {
  Open();
  ClickRadio(9);
  QCOMPARE(VisiblePicture(), 0);
  ClickRow(1);
  QCOMPARE(Title(3), QStringLiteral("ChlConc(ug/L)"));
  QCOMPARE(Title(4), QString());
  QCOMPARE(Cell(0, 0), QStringLiteral("U90002"));
  QCOMPARE(Cell(0, 2), QStringLiteral("ChlConc"));
  QVERIFY(!form_->CBoxFN[0]->isEnabled());
}

void WindowTest::checkBoxHidesAndShowsItsCurve() {
  Open();
  ClickRow(0);
  ClickRow(1, Qt::ControlModifier);
  form_->PageCtrl->setCurrentWidget(form_->TabSheet2);
  const corvel::ChartState& chart = form_->session().chart();
  QVERIFY(chart.smoothed[1].visible && !chart.smoothed[1].points.empty());
  QTest::mouseClick(form_->CBoxFN[1], Qt::LeftButton);
  QVERIFY(!form_->CBoxFN[1]->isChecked());
  QVERIFY(!chart.smoothed[1].visible);
  QVERIFY(chart.smoothed[0].visible);
  QTest::mouseClick(form_->CBoxFN[1], Qt::LeftButton);
  QVERIFY(chart.smoothed[1].visible);
  QVERIFY(!chart.smoothed[1].points.empty());
}

void WindowTest::deleteAsksAndCancelKeepsTheRecords() {
  Open();
  QTest::mouseClick(form_->BtnDel, Qt::LeftButton);
  QVERIFY(prompter_->questions.isEmpty());  // nothing selected, nothing asked

  ClickRow(1);
  prompter_->answers << false;
  QTest::mouseClick(form_->BtnDel, Qt::LeftButton);
  QCOMPARE(prompter_->questions.size(), 1);
  QCOMPARE(prompter_->questions[0].text, QStringLiteral("要删除选中的数据文件吗?"));
  QCOMPARE(prompter_->questions[0].caption, QStringLiteral("删除"));
  QCOMPARE(form_->LBoxFN->model()->rowCount(), kSmallCounts[0]);
  QVERIFY(!form_->session().HasUnsavedDeletions());

  prompter_->answers << true;
  QTest::mouseClick(form_->BtnDel, Qt::LeftButton);
  QCOMPARE(prompter_->questions.size(), 2);
  const QAbstractItemModel* list = form_->LBoxFN->model();
  QCOMPARE(list->rowCount(), kSmallCounts[0] - 1);
  QCOMPARE(list->data(list->index(1, 0)).toString(),
           QStringLiteral("(B)藻类010003 [06/13 10:04:00][0002]"));
  QVERIFY(form_->LBoxFN->selectionModel()->selectedIndexes().isEmpty());
  QVERIFY(form_->session().HasUnsavedDeletions());
  QCOMPARE(VisiblePicture(), 1);
}

void WindowTest::deleteKeyAsksLikeTheButton() {
  Open();
  ClickRow(0);
  ClickRow(4, Qt::ControlModifier);
  prompter_->answers << true;
  QTest::keyClick(form_->LBoxFN, Qt::Key_Delete);
  QCOMPARE(prompter_->questions.size(), 1);
  QCOMPARE(prompter_->questions[0].caption, QStringLiteral("删除"));
  QCOMPARE(form_->LBoxFN->model()->rowCount(), kSmallCounts[0] - 2);
}

void WindowTest::exitWithoutDeletionsAsksNothing() {
  Open();
  QTest::mouseClick(form_->BtnExit, Qt::LeftButton);
  QVERIFY(prompter_->questions.isEmpty());
  QVERIFY(!form_->isVisible());
}

void WindowTest::exitAndCloseAfterDeletionAsk() {
  Open();
  ClickRow(0);
  QTest::mouseClick(form_->BtnDel, Qt::LeftButton);
  QCOMPARE(prompter_->questions.size(), 1);

  prompter_->answers << false;
  QTest::mouseClick(form_->BtnExit, Qt::LeftButton);
  QCOMPARE(prompter_->questions.size(), 2);
  QCOMPARE(prompter_->questions[1].text, QStringLiteral("有数据被删除后未保存，仍要退出吗?"));
  QCOMPARE(prompter_->questions[1].caption, QStringLiteral("警告"));
  QVERIFY(form_->isVisible());

  // The title bar's close runs the same question; a refused close keeps the window.
  prompter_->answers << false;
  QVERIFY(!form_->close());
  QCOMPARE(prompter_->questions.size(), 3);
  QVERIFY(form_->isVisible());

  prompter_->answers << true;
  QTest::mouseClick(form_->BtnExit, Qt::LeftButton);
  QCOMPARE(prompter_->questions.size(), 4);  // asked once, not again by the close
  QVERIFY(!form_->isVisible());
}

void WindowTest::openingAnotherFileWhileUnsavedAsks() {
  Open();
  ClickRow(0);
  QTest::mouseClick(form_->BtnDel, Qt::LeftButton);
  QCOMPARE(form_->LBoxFN->model()->rowCount(), kSmallCounts[0] - 1);

  prompter_->answers << false;
  prompter_->open_answers << file_;
  QTest::mouseClick(form_->BtnOpen, Qt::LeftButton);
  QCOMPARE(prompter_->questions.size(), 2);
  QCOMPARE(prompter_->questions[1].text,
           QStringLiteral("有数据被删除后未保存，仍要打开其他文件吗?"));
  QCOMPARE(prompter_->questions[1].caption, QStringLiteral("警告"));
  QCOMPARE(prompter_->opens.size(), 1);  // no file dialog after Cancel
  QCOMPARE(form_->LBoxFN->model()->rowCount(), kSmallCounts[0] - 1);

  prompter_->answers << true;
  QTest::mouseClick(form_->BtnOpen, Qt::LeftButton);
  QCOMPARE(prompter_->opens.size(), 2);
  // Reopening the file brings the deleted record back and nothing is unsaved.
  QCOMPARE(form_->LBoxFN->model()->rowCount(), kSmallCounts[0]);
  QVERIFY(!form_->session().HasUnsavedDeletions());
  QTest::mouseClick(form_->BtnExit, Qt::LeftButton);
  QCOMPARE(prompter_->questions.size(), 3);
  QVERIFY(!form_->isVisible());
}

void WindowTest::unreadableFileKeepsTheLoadedOne() {
  Open();
  ClickRadio(2);
  ClickRow(1);
  // A missing file and a folder are both reported in the error box; the loaded file, its list
  // and its selection stay.
  QVERIFY(!form_->OpenFile(dir_.filePath(QStringLiteral("missing.bin"))));
  QCOMPARE(prompter_->errors.size(), 1);
  QVERIFY(prompter_->errors[0].contains(QStringLiteral("missing.bin")));
  QVERIFY(!form_->OpenFile(dir_.path()));
  QCOMPARE(prompter_->errors.size(), 2);
  QVERIFY(prompter_->errors[1].contains(dir_.path()));
  QCOMPARE(form_->session().radio_item(), 2);
  QVERIFY(form_->RdGrpMTypeItems[2]->isChecked());
  QCOMPARE(form_->LBoxFN->model()->rowCount(), kSmallCounts[2]);
  QCOMPARE(form_->LBoxFN->selectionModel()->selectedIndexes().size(), 1);
  QCOMPARE(form_->session().list().selected_count, 1);
}

void WindowTest::droppedFileOpensLikeTheButton() {
  QMimeData other;
  other.setUrls({QUrl::fromLocalFile(dir_.filePath(QStringLiteral("notes.txt")))});
  QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &other, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(form_.get(), &refused);
  QVERIFY(!refused.isAccepted());

  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(file_)});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(form_.get(), &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(form_.get(), &drop);
  QCOMPARE(form_->LBoxFN->model()->rowCount(), kSmallCounts[0]);
  QVERIFY(prompter_->opens.isEmpty());
}

void WindowTest::ctrlOOpens() {
  form_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  prompter_->open_answers << file_;
  QTest::keyClick(form_.get(), Qt::Key_O, Qt::ControlModifier);
  QCOMPARE(prompter_->opens.size(), 1);
  QCOMPARE(form_->LBoxFN->model()->rowCount(), kSmallCounts[0]);
}

void WindowTest::tableSaveWritesWhatTheToolWrites() {
  Open();
  ClickRow(0);
  ClickRow(2, Qt::ControlModifier);
  prompter_->save_answers << dir_.filePath(QStringLiteral("table"));
  QTest::mouseClick(form_->BtnSaveGrid, Qt::LeftButton);
  QCOMPARE(prompter_->saves.size(), 1);
  QCOMPARE(prompter_->saves[0].title, QStringLiteral("存储表格数据"));
  QCOMPARE(prompter_->saves[0].initial_name, QStringLiteral("FLGrid_"));
  QCOMPARE(prompter_->saves[0].filter, QStringLiteral("*.csv"));
  QCOMPARE(prompter_->saves[0].default_suffix, QStringLiteral("csv"));
  QVERIFY(prompter_->errors.isEmpty());
  const QString cli = dir_.filePath(QStringLiteral("table_cli.csv"));
  QVERIFY(app_test::RunCli({"table", file_, "--type", "ojip", "--select", "1,3", "-o", cli}));
  const QByteArray saved = app_test::ReadAll(dir_.filePath(QStringLiteral("table.csv")));
  QCOMPARE(saved, app_test::ReadAll(cli));
  QCOMPARE(saved.count("\r\n"), 4);  // titles, two records, the empty row

  // Cancelled: nothing is written.
  QTest::mouseClick(form_->BtnSaveGrid, Qt::LeftButton);
  QCOMPARE(prompter_->saves.size(), 2);
}

void WindowTest::failedTableSaveShowsTheError() {
  Open();
  ClickRow(0);
  const QString target = dir_.filePath(QStringLiteral("no-such-folder/table.csv"));
  prompter_->save_answers << target;
  QTest::mouseClick(form_->BtnSaveGrid, Qt::LeftButton);
  QCOMPARE(prompter_->errors.size(), 1);
  QVERIFY(prompter_->errors[0].contains(target));
  QCOMPARE(TableRows(), 2);
}

void WindowTest::pictureSaveWritesABitmap() {
  Open();
  ClickRow(0);
  form_->PageCtrl->setCurrentWidget(form_->TabSheet2);
  prompter_->save_answers << dir_.filePath(QStringLiteral("FLPic_"));
  QTest::mouseClick(form_->BtnSavePic, Qt::LeftButton);
  QCOMPARE(prompter_->saves.size(), 1);
  QCOMPARE(prompter_->saves[0].title, QStringLiteral("存储图像"));
  QCOMPARE(prompter_->saves[0].initial_name, QStringLiteral("FLPic_"));
  QCOMPARE(prompter_->saves[0].filter, QStringLiteral("*.bmp;;*.png;;*.svg;;*.pdf"));
  QCOMPARE(prompter_->saves[0].default_suffix, QStringLiteral("bmp"));
  QVERIFY(prompter_->errors.isEmpty());
  const QImage picture(dir_.filePath(QStringLiteral("FLPic_.bmp")));
  QCOMPARE(picture.size(), form_->Chart1->size());
  QVERIFY(app_test::ReadAll(dir_.filePath(QStringLiteral("FLPic_.bmp"))).startsWith("BM"));

  prompter_->save_answers << dir_.filePath(QStringLiteral("no-such-folder/pic.bmp"));
  QTest::mouseClick(form_->BtnSavePic, Qt::LeftButton);
  QCOMPARE(prompter_->errors.size(), 1);
}

void WindowTest::protocolPicturesAreDrawn() {
  QList<QImage> pictures;
  for (int n = 1; n <= 8; ++n) {
    const QImage picture = corvel::app::ProtocolPicture(n).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(picture.size(), QSize(400, 200));
    QCOMPARE(picture.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    QCOMPARE(picture.pixel(399, 199) & 0xFFFFFF, 0xFFFFFFu);
    int blue = 0, red = 0, black = 0;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) {
        const QRgb p = picture.pixel(x, y) & 0xFFFFFF;
        blue += p == 0x0000FF;
        red += p == 0xFF0000;
        black += p == 0x000000;
      }
    QVERIFY2(blue > 200, qPrintable(QString::number(n)));
    QVERIFY2(black > 200, qPrintable(QString::number(n)));
    // Far red appears in the after-steady-state and Fo' protocols only.
    QCOMPARE(red > 50, n == 5 || n == 8);
    for (const QImage& earlier : pictures) QVERIFY(earlier != picture);
    pictures << picture;
  }
}

namespace {

class Thrower : public QObject {
 public:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User) throw std::runtime_error("broken record");
    if (event->type() == QEvent::User + 1) throw 7;
    if (event->type() == QEvent::User + 2) {
      ++handled;
      return true;
    }
    return QObject::event(event);
  }
  int handled = 0;
};

}  // namespace

void WindowTest::escapedExceptionIsShownAndTheLoopGoesOn() {
  auto* app = static_cast<corvel::app::Application*>(QCoreApplication::instance());
  QStringList shown;
  app->set_exception_display([&](const QString& text) { shown << text; });
  Thrower thrower;
  QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
  QCoreApplication::postEvent(&thrower, new QEvent(static_cast<QEvent::Type>(QEvent::User + 1)));
  QCoreApplication::postEvent(&thrower, new QEvent(static_cast<QEvent::Type>(QEvent::User + 2)));
  QCoreApplication::processEvents();
  QCOMPARE(shown, QStringList({QStringLiteral("broken record"), QString()}));
  QCOMPARE(thrower.handled, 1);
  app->set_exception_display([](const QString&) {});
}

CORVEL_APP_TEST_MAIN(WindowTest)
#include "window_test.moc"
