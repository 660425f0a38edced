// The curve page's figures as a user makes them: the picture dialog's four formats, the format
// of a typed name, the refusal of a name that is no picture, and the curve data item, whose file is
// what corvel-cli chart --csv writes for the same click.
#include <QDir>
#include <QImage>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app_test_support.h"
#include "chart_view.h"
#include "fake_prompter.h"
#include "prompter.h"
#include "record_list.h"
#include "unit1.h"

class FigureSaveTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void dialogOffersEveryFormatBitmapFirst();
  void typedExtensionChoosesTheFormat();
  void nameOfNoPictureFormatIsRefused();
  void filterPatternGivesTheDefaultSuffix();
  void curveDataIsWhatTheToolWrites();

 private:
  void OpenAndClick(int row);
  QString SavePicture(const QString& typed);

  QTemporaryDir dir_;
  QString file_;
  std::unique_ptr<FakePrompter> prompter_;
  std::unique_ptr<TForm1> form_;
};

void FigureSaveTest::initTestCase() {
  QVERIFY(dir_.isValid());
  file_ = app_test::WriteFile(dir_.filePath(QStringLiteral("small.bin")), app_test::SmallFile());
  QVERIFY(!file_.isEmpty());
}

void FigureSaveTest::init() {
  prompter_ = std::make_unique<FakePrompter>();
  form_ = std::make_unique<TForm1>(prompter_.get());
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void FigureSaveTest::cleanup() {
  form_.reset();
  prompter_.reset();
}

void FigureSaveTest::OpenAndClick(int row) {
  prompter_->open_answers << file_;
  QTest::mouseClick(form_->BtnOpen, Qt::LeftButton);
  QListView* list = form_->LBoxFN;
  const QModelIndex index = list->model()->index(row, 0);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
  form_->PageCtrl->setCurrentWidget(form_->TabSheet2);
}

QString FigureSaveTest::SavePicture(const QString& typed) {
  prompter_->save_answers << dir_.filePath(typed);
  QTest::mouseClick(form_->BtnSavePic, Qt::LeftButton);
  return dir_.filePath(typed);
}

void FigureSaveTest::dialogOffersEveryFormatBitmapFirst() {
  OpenAndClick(0);
  SavePicture(QStringLiteral("FLPic_"));
  QCOMPARE(prompter_->saves.size(), 1);
  QCOMPARE(prompter_->saves[0].filter, QStringLiteral("*.bmp;;*.png;;*.svg;;*.pdf"));
  QCOMPARE(prompter_->saves[0].default_suffix, QStringLiteral("bmp"));
  QVERIFY(app_test::ReadAll(dir_.filePath(QStringLiteral("FLPic_.bmp"))).startsWith("BM"));
}

void FigureSaveTest::typedExtensionChoosesTheFormat() {
  OpenAndClick(0);
  const QString png = SavePicture(QStringLiteral("fig.png"));
  const QString svg = SavePicture(QStringLiteral("fig.svg"));
  const QString pdf = SavePicture(QStringLiteral("fig.pdf"));
  QVERIFY(prompter_->errors.isEmpty());
  QVERIFY(app_test::ReadAll(png).startsWith("\x89PNG"));
  QCOMPARE(QImage(png).size(), form_->Chart1->size());
  QVERIFY(app_test::ReadAll(svg).contains("<svg"));
  QVERIFY(app_test::ReadAll(pdf).startsWith("%PDF-"));
}

// The picture save wrote BMP bytes whatever the typed extension: a name that is no picture format
// is refused with a message naming it, and nothing is written.
void FigureSaveTest::nameOfNoPictureFormatIsRefused() {
  OpenAndClick(0);
  const QString jpg = SavePicture(QStringLiteral("fig.jpg"));
  QCOMPARE(prompter_->errors.size(), 1);
  QVERIFY2(prompter_->errors[0].contains(jpg), qPrintable(prompter_->errors[0]));
  QVERIFY(!QFile::exists(jpg));
  QVERIFY(!QFile::exists(jpg + QStringLiteral(".bmp")));
}

void FigureSaveTest::filterPatternGivesTheDefaultSuffix() {
  QCOMPARE(corvel::app::SuffixOfFilter(QStringLiteral("*.png")), QStringLiteral("png"));
  QCOMPARE(corvel::app::SuffixOfFilter(QStringLiteral("PDF (*.pdf)")), QStringLiteral("pdf"));
  QCOMPARE(corvel::app::SuffixOfFilter(QStringLiteral("*")), QString());
}

void FigureSaveTest::curveDataIsWhatTheToolWrites() {
  OpenAndClick(2);  // the record named in Chinese
  prompter_->save_answers << dir_.filePath(QStringLiteral("FLCurve_"));
  emit form_->Chart1->CurveCsvRequested();
  QCOMPARE(prompter_->saves.size(), 1);
  QCOMPARE(prompter_->saves[0].filter, QStringLiteral("*.csv"));
  QVERIFY(prompter_->errors.isEmpty());
  const QByteArray saved = app_test::ReadAll(dir_.filePath(QStringLiteral("FLCurve_.csv")));
  QVERIFY(saved.startsWith("\xEF\xBB\xBFtime_us,"));
  QVERIFY(saved.contains("\xE8\x97\xBB\xE7\xB1\xBB"));  // 藻类 in UTF-8
  QByteArray tool;
  QVERIFY(app_test::RunCli(
      {QStringLiteral("chart"), file_, QStringLiteral("--type"), QStringLiteral("ojip"),
       QStringLiteral("--select"), QStringLiteral("3"), QStringLiteral("--csv")},
      &tool));
  QCOMPARE(saved, tool);
}

CORVEL_APP_TEST_MAIN(FigureSaveTest)
#include "figure_save_test.moc"
