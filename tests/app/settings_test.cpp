// What the window remembers between runs, with the settings in a temporary file: the folders of
// the open and save dialogs, the recent files, the geometry and splitters, the last type; and a
// broken settings file that is ignored.
#include "settings.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app_test_support.h"
#include "fake_prompter.h"
#include "record_list.h"
#include "unit1.h"
#include "unit2.h"

using app_test::kSmallCounts;

namespace {

// The file entries of the recent menu (those that carry a path).
QStringList RecentEntries(QMenu* menu) {
  QStringList files;
  for (QAction* action : menu->actions())
    if (action->data().typeId() == QMetaType::QString) files << action->data().toString();
  return files;
}

}  // namespace

class SettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void lastFolderAndRecentFilesSurviveARestart();
  void eachSaveDialogStartsInItsOwnFolder();
  void recentListHoldsTenMostRecentFirst();
  void missingRecentFilesAreRemovedWithANotice();
  void ctrlShiftOShowsTheRecentMenuAndAnEntryOpens();
  void splitterAndLastTypeSurviveARestart();
  void brokenSettingsFileIsIgnored();
  void withoutSettingsNothingIsRemembered();

 private:
  // A new window on the settings file, as at a start of the program.
  void Start();
  // Closes the window as the user does; it stores what it remembers.
  void Quit();
  QString Folder(const QString& name) const;

  QTemporaryDir dir_;
  QString file_;
  QString ini_;
  std::unique_ptr<corvel::app::Settings> settings_;
  std::unique_ptr<FakePrompter> prompter_;
  std::unique_ptr<TForm1> form_;
  std::unique_ptr<TForm2> form2_;
};

void SettingsTest::initTestCase() {
  QVERIFY(dir_.isValid());
  QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("data")));
  file_ = app_test::WriteFile(Folder(QStringLiteral("data")) + QStringLiteral("/small.bin"),
                              app_test::SmallFile());
  QVERIFY(!file_.isEmpty());
}

QString SettingsTest::Folder(const QString& name) const {
  return dir_.filePath(name);
}

void SettingsTest::init() {
  ini_ = dir_.filePath(QStringLiteral("settings-%1.ini").arg(QTest::currentTestFunction()));
  QFile::remove(ini_);
  Start();
}

void SettingsTest::Start() {
  form2_.reset();
  form_.reset();
  settings_ = std::make_unique<corvel::app::Settings>(ini_);
  prompter_ = std::make_unique<FakePrompter>();
  form_ = std::make_unique<TForm1>(prompter_.get());
  form2_ = std::make_unique<TForm2>(&form_->session(), prompter_.get(), form_.get());
  form_->SetSaveModeDialog(form2_.get());
  form_->UseSettings(settings_.get());
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void SettingsTest::Quit() {
  QTest::mouseClick(form_->BtnExit, Qt::LeftButton);
  QVERIFY(!form_->isVisible());
  form2_.reset();
  form_.reset();
  settings_.reset();  // written to the file
}

void SettingsTest::cleanup() {
  form2_.reset();
  form_.reset();
  settings_.reset();
}

void SettingsTest::lastFolderAndRecentFilesSurviveARestart() {
  prompter_->open_answers << file_;
  QTest::mouseClick(form_->BtnOpen, Qt::LeftButton);
  QCOMPARE(form_->LBoxFN->model()->rowCount(), kSmallCounts[0]);
  Quit();

  Start();
  QTest::mouseClick(form_->BtnOpen, Qt::LeftButton);  // cancelled
  QCOMPARE(prompter_->opens.size(), 1);
  QCOMPARE(prompter_->start_folder(), Folder(QStringLiteral("data")));
  QCOMPARE(RecentEntries(form_->RecentMenu()), QStringList{file_});
}

void SettingsTest::eachSaveDialogStartsInItsOwnFolder() {
  QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("tables")));
  prompter_->open_answers << file_;
  QTest::mouseClick(form_->BtnOpen, Qt::LeftButton);
  form_->BtnSelAllClick();
  // The first table save starts where the data came from.
  prompter_->save_answers << Folder(QStringLiteral("tables")) + QStringLiteral("/t.csv");
  QTest::mouseClick(form_->BtnSaveGrid, Qt::LeftButton);
  QCOMPARE(prompter_->start_folder(), Folder(QStringLiteral("data")));
  QVERIFY(QFileInfo::exists(Folder(QStringLiteral("tables")) + QStringLiteral("/t.csv")));
  // The picture save has not been used: it starts in the data folder too.
  QTest::mouseClick(form_->BtnSavePic, Qt::LeftButton);
  QCOMPARE(prompter_->start_folder(), Folder(QStringLiteral("data")));
  Quit();

  Start();
  QTest::mouseClick(form_->BtnSaveGrid, Qt::LeftButton);
  QCOMPARE(prompter_->start_folder(), Folder(QStringLiteral("tables")));
  QTest::mouseClick(form_->BtnSavePic, Qt::LeftButton);
  QCOMPARE(prompter_->start_folder(), Folder(QStringLiteral("data")));
}

void SettingsTest::recentListHoldsTenMostRecentFirst() {
  for (int n = 1; n <= 12; ++n) settings_->AddRecentFile(QStringLiteral("/r/%1.bin").arg(n));
  settings_->AddRecentFile(QStringLiteral("/r/5.bin"));  // again: moves to the front
  const QStringList recent = settings_->RecentFiles();
  QCOMPARE(recent.size(), 10);
  QCOMPARE(recent.first(), QStringLiteral("/r/5.bin"));
  QCOMPARE(recent.at(1), QStringLiteral("/r/12.bin"));
  QCOMPARE(recent.last(), QStringLiteral("/r/3.bin"));
  QCOMPARE(recent.count(QStringLiteral("/r/5.bin")), 1);
}

void SettingsTest::missingRecentFilesAreRemovedWithANotice() {
  const QString gone = Folder(QStringLiteral("data")) + QStringLiteral("/gone.bin");
  settings_->AddRecentFile(gone);
  settings_->AddRecentFile(file_);
  QMenu* menu = form_->RecentMenu();
  QCOMPARE(RecentEntries(menu), QStringList{file_});
  QCOMPARE(settings_->RecentFiles(), QStringList{file_});
  QVERIFY(form_->statusBar()->currentMessage().contains(QDir::toNativeSeparators(gone)));
}

void SettingsTest::ctrlShiftOShowsTheRecentMenuAndAnEntryOpens() {
  settings_->AddRecentFile(file_);
  form_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  QTest::keyClick(form_.get(), Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
  QMenu* menu = form_->findChild<QMenu*>(QStringLiteral("RecentMenu"));
  QVERIFY(menu != nullptr);
  QTRY_VERIFY(menu->isVisible());
  QAction* entry = nullptr;
  for (QAction* action : menu->actions())
    if (action->data().toString() == file_) entry = action;
  QVERIFY(entry != nullptr);
  menu->hide();
  entry->trigger();
  QCOMPARE(form_->LBoxFN->model()->rowCount(), kSmallCounts[0]);
  QVERIFY(prompter_->opens.isEmpty());
}

void SettingsTest::splitterAndLastTypeSurviveARestart() {
  prompter_->open_answers << file_;
  QTest::mouseClick(form_->BtnOpen, Qt::LeftButton);
  form_->RdGrpMTypeItems[2]->click();
  QCOMPARE(form_->session().radio_item(), 2);
  const QList<int> sizes{300, 400};
  form_->SplitterTable->setSizes(sizes);
  const QList<int> shown = form_->SplitterTable->sizes();
  Quit();

  Start();
  QCOMPARE(form_->SplitterTable->sizes(), shown);
  // The first open of the run shows the type of the last run, the next one OJIP as always.
  QVERIFY(form_->OpenFile(file_));
  QCOMPARE(form_->session().radio_item(), 2);
  QVERIFY(form_->RdGrpMTypeItems[2]->isChecked());
  QCOMPARE(form_->LBoxFN->model()->rowCount(), kSmallCounts[2]);
  QVERIFY(form_->OpenFile(file_));
  QCOMPARE(form_->session().radio_item(), 0);
  QVERIFY(form_->RdGrpMTypeItems[0]->isChecked());
}

void SettingsTest::brokenSettingsFileIsIgnored() {
  cleanup();
  QFile broken(ini_);
  QVERIFY(broken.open(QIODevice::WriteOnly));
  broken.write(
      "\xFF\xFE\x00garbage[[[\n[window]\ngeometry=@ByteArray(not a geometry)\n"
      "state=12\ntype=seven\n[recent]\nfiles=@Variant(\\0\\0\\0\\x7f)\n"
      "[places]\nopen=@ByteArray(\\x1)\n",
      120);
  broken.close();
  Start();
  QCOMPARE(settings_->LastType(), -1);
  QVERIFY(settings_->OpenFolder().isEmpty());
  QVERIFY(RecentEntries(form_->RecentMenu()).isEmpty());
  // The window works as on a first start and remembers from now on.
  QVERIFY(form_->OpenFile(file_));
  QCOMPARE(form_->session().radio_item(), 0);
  QCOMPARE(form_->LBoxFN->model()->rowCount(), kSmallCounts[0]);
  Quit();
  Start();
  QCOMPARE(RecentEntries(form_->RecentMenu()), QStringList{file_});
}

void SettingsTest::withoutSettingsNothingIsRemembered() {
  cleanup();
  prompter_ = std::make_unique<FakePrompter>();
  form_ = std::make_unique<TForm1>(prompter_.get());
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  prompter_->open_answers << file_;
  QTest::mouseClick(form_->BtnOpen, Qt::LeftButton);
  QVERIFY(prompter_->start_folder().isEmpty());
  QVERIFY(RecentEntries(form_->RecentMenu()).isEmpty());
  QVERIFY(form_->isMaximized());
}

CORVEL_APP_TEST_MAIN(SettingsTest)
#include "settings_test.moc"
