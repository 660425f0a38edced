// The interface language: the English translation covers every text the windows show, the
// Chinese default shows the texts as they always were, the choice of the language, Qt's own
// dialogs, and the core's messages in the interface's language.
#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMap>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <memory>

#include "app_test_support.h"
#include "core_messages.h"
#include "fake_prompter.h"
#include "record_list.h"
#include "synth/kinds.h"
#include "translations.h"
#include "unit1.h"
#include "unit2.h"
#include "viewer/session.h"
#include "window_texts.h"

using corvel::app::Language;

namespace {

bool HasChinese(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3000 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF) ||
        (u >= 0xFF00 && u <= 0xFFEF))
      return true;
  }
  return false;
}

// Where a widget sits: the chain of object names (or class names with their place).
QString Key(const QObject* object) {
  QStringList chain;
  for (const QObject* o = object; o != nullptr; o = o->parent()) {
    QString name = o->objectName();
    if (name.isEmpty()) {
      const QObject* parent = o->parent();
      const int place = parent != nullptr ? int(parent->children().indexOf(o)) : 0;
      name = QStringLiteral("%1#%2").arg(QLatin1String(o->metaObject()->className())).arg(place);
    }
    chain.prepend(name);
  }
  return chain.join(QLatin1Char('/'));
}

void AddMenu(QMap<QString, QString>& texts, const QString& key, const QMenu* menu) {
  texts[key + QStringLiteral(":title")] = menu->title();
  const QList<QAction*> actions = menu->actions();
  for (qsizetype n = 0; n < actions.size(); ++n) {
    const QAction* action = actions.at(n);
    const bool file = action->data().typeId() == QMetaType::QString &&
                      action->data().toString().startsWith(QLatin1Char('/'));
    if (action->isSeparator() || file) continue;  // separators and file names
    texts[key + QStringLiteral(":action%1").arg(n)] = action->text();
    if (action->menu() != nullptr)
      AddMenu(texts, key + QStringLiteral("/%1").arg(n), action->menu());
  }
}

// Every text a user reads on `root` and its children. The record check boxes and the file name
// label show data (record names, a path), not interface texts.
QMap<QString, QString> VisibleTexts(QWidget* root) {
  QMap<QString, QString> texts;
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  widgets.prepend(root);
  for (QWidget* w : widgets) {
    const QString key = Key(w);
    if (w->isWindow()) texts[key + QStringLiteral(":title")] = w->windowTitle();
    if (!w->toolTip().isEmpty()) texts[key + QStringLiteral(":tip")] = w->toolTip();
    if (w->objectName().startsWith(QLatin1String("CBoxFN")) ||
        w->objectName() == QLatin1String("FileName"))
      continue;
    if (auto* button = qobject_cast<QAbstractButton*>(w))
      texts[key + QStringLiteral(":text")] = button->text();
    else if (auto* label = qobject_cast<QLabel*>(w); label != nullptr && label->pixmap().isNull())
      texts[key + QStringLiteral(":text")] = label->text();
    if (auto* group = qobject_cast<QGroupBox*>(w))
      texts[key + QStringLiteral(":title")] = group->title();
    if (auto* tabs = qobject_cast<QTabBar*>(w))
      for (int t = 0; t < tabs->count(); ++t)
        texts[key + QStringLiteral(":tab%1").arg(t)] = tabs->tabText(t);
    if (auto* combo = qobject_cast<QComboBox*>(w))
      for (int i = 0; i < combo->count(); ++i)
        texts[key + QStringLiteral(":item%1").arg(i)] = combo->itemText(i);
    if (auto* menu = qobject_cast<QMenu*>(w)) AddMenu(texts, key, menu);
  }
  return texts;
}

// The texts of both windows of a fresh start in the installed language.
QMap<QString, QString> WindowTextsNow() {
  FakePrompter prompter;
  TForm1 form(&prompter);
  TForm2 form2(&form.session(), &prompter, &form);
  form.SetSaveModeDialog(&form2);
  form.RecentMenu();
  QMap<QString, QString> texts = VisibleTexts(&form);
  const QMap<QString, QString> dialog = VisibleTexts(&form2);
  texts.insert(dialog);
  return texts;
}

// Whether a text that the .ts file does not hold yet fails the English test too.
constexpr bool kEveryTextTranslated = false;

QString TsSources() {
  QFile ts(QStringLiteral(CORVEL_TS_FILE));
  if (!ts.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(ts.readAll()).replace(QLatin1String("&apos;"), QLatin1String("'"));
}

}  // namespace

class TranslationTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup();

  void englishCoversEveryVisibleText();
  void chineseDefaultShowsTheTextsAsBefore();
  void englishQuestionsAndDialogTitles();
  void commandLineThenSettingThenLocale();
  void badLangArgumentIsRefused();
  void qtDialogsSpeakChineseInTheChineseInterface();
  void coreFailuresInTheInterfaceLanguage();
  void noticeInChineseIsTheCoresNotice();
  void everyTranslationIsFinished();
};

void TranslationTest::cleanup() {
  corvel::app::RemoveTranslations(*QCoreApplication::instance());
}

void TranslationTest::englishCoversEveryVisibleText() {
  const QMap<QString, QString> chinese = WindowTextsNow();
  QVERIFY(corvel::app::InstallTranslations(*QCoreApplication::instance(), Language::kEnglish));
  const QMap<QString, QString> english = WindowTextsNow();
  QCOMPARE(english.keys(), chinese.keys());
  // While texts that are new since the last lupdate are only warned about, the translation
  // can catch up with them in one go; every text the .ts file holds must show in English.
  const QString sources = TsSources();
  int translated = 0;
  QStringList missing;
  for (auto it = chinese.cbegin(); it != chinese.cend(); ++it) {
    if (it.value().trimmed().isEmpty()) continue;
    const QString shown = english.value(it.key());
    if (shown.trimmed().isEmpty() || HasChinese(shown)) {
      const QString what = QStringLiteral("%1 shows \"%2\"").arg(it.key(), shown);
      if (kEveryTextTranslated ||
          sources.contains(QStringLiteral("<source>%1</source>").arg(it.value().toHtmlEscaped())))
        missing << what;
      else
        qWarning("not yet in corvel_en.ts (run the corvel-lupdate target): %s", qPrintable(what));
    }
    if (shown != it.value()) ++translated;
  }
  if (!missing.isEmpty()) QFAIL(qPrintable(missing.join(QLatin1Char('\n'))));
  QVERIFY(translated > 30);
  QCOMPARE(english.value(QStringLiteral("Form1:title")),
           QStringLiteral("Corvel-2740 Algae Fluorometer Data Viewer"));
}

void TranslationTest::chineseDefaultShowsTheTextsAsBefore() {
  // Chinese needs no translation of the program's texts: they are the sources.
  QVERIFY(corvel::app::InstallTranslations(*QCoreApplication::instance(), Language::kChinese));
  FakePrompter prompter;
  TForm1 form(&prompter);
  TForm2 form2(&form.session(), &prompter, &form);
  QCOMPARE(form.windowTitle(), QStringLiteral("Corvel-2740藻类荧光仪数据查看"));
  QCOMPARE(form.BtnSelAll->text(), QStringLiteral("全  选"));
  QCOMPARE(form.PageCtrl->tabText(0), QStringLiteral("  表  格  "));
  QCOMPARE(form.RdGrpMTypeItems[7]->text(), QStringLiteral("测定Fo'"));
  QCOMPARE(form2.windowTitle(), QStringLiteral("选择存储方式"));
  QCOMPARE(form2.BtnSaveData->text(), QStringLiteral("保  存"));
  QCOMPARE(QString(corvel::app::kAskExit), QStringLiteral("有数据被删除后未保存，仍要退出吗?"));
}

void TranslationTest::englishQuestionsAndDialogTitles() {
  QVERIFY(corvel::app::InstallTranslations(*QCoreApplication::instance(), Language::kEnglish));
  for (const corvel::app::WindowText text :
       {corvel::app::kAskDelete, corvel::app::kAskDeleteCaption, corvel::app::kAskExit,
        corvel::app::kAskOpenOther, corvel::app::kWarningCaption, corvel::app::kOpenTitle})
    QVERIFY2(!HasChinese(text) && !QString(text).isEmpty(), text.source);
  QCOMPARE(QString(corvel::app::kAskDelete), QStringLiteral("Delete the selected data records?"));
  const corvel::app::SaveSetup grid = corvel::app::ToSaveSetup(corvel::Session::SaveGridDialog());
  QCOMPARE(grid.title, QStringLiteral("Save Table Data"));
  QCOMPARE(grid.filter, QStringLiteral("*.csv"));  // patterns and names stay
  QCOMPARE(grid.initial_name, QStringLiteral("FLGrid_"));
  QCOMPARE(corvel::app::ToSaveSetup(corvel::Session::SavePictureDialog()).title,
           QStringLiteral("Save Picture"));
}

void TranslationTest::commandLineThenSettingThenLocale() {
  using corvel::app::ChooseLanguage;
  const QLocale chinese(QLocale::Chinese, QLocale::China);
  const QLocale german(QLocale::German, QLocale::Germany);
  QCOMPARE(ChooseLanguage(std::nullopt, QString(), chinese), Language::kChinese);
  QCOMPARE(ChooseLanguage(std::nullopt, QString(), german), Language::kEnglish);
  QCOMPARE(ChooseLanguage(std::nullopt, QString(), QLocale::c()), Language::kChinese);
  QCOMPARE(ChooseLanguage(std::nullopt, QStringLiteral("en"), chinese), Language::kEnglish);
  QCOMPARE(ChooseLanguage(std::nullopt, QStringLiteral("zh"), german), Language::kChinese);
  QCOMPARE(ChooseLanguage(Language::kChinese, QStringLiteral("en"), german), Language::kChinese);
  QCOMPARE(ChooseLanguage(Language::kEnglish, QStringLiteral("zh"), chinese), Language::kEnglish);
  QCOMPARE(ChooseLanguage(std::nullopt, QStringLiteral("fr"), chinese), Language::kChinese);

  const corvel::app::StartArguments start =
      corvel::app::ParseStartArguments({QStringLiteral("corvel-viewer"), QStringLiteral("--lang"),
                                        QStringLiteral("en"), QStringLiteral("a.bin")});
  QVERIFY(start.valid);
  QCOMPARE(start.language, std::optional<Language>(Language::kEnglish));
  QCOMPARE(start.rest, (QStringList{QStringLiteral("corvel-viewer"), QStringLiteral("a.bin")}));
  const corvel::app::StartArguments joined = corvel::app::ParseStartArguments(
      {QStringLiteral("corvel-viewer"), QStringLiteral("b.bin"), QStringLiteral("--lang=zh")});
  QCOMPARE(joined.language, std::optional<Language>(Language::kChinese));
  QCOMPARE(joined.rest, (QStringList{QStringLiteral("corvel-viewer"), QStringLiteral("b.bin")}));
}

void TranslationTest::badLangArgumentIsRefused() {
  QVERIFY(!corvel::app::ParseStartArguments(
               {QStringLiteral("corvel-viewer"), QStringLiteral("--lang"), QStringLiteral("de")})
               .valid);
  QVERIFY(
      !corvel::app::ParseStartArguments({QStringLiteral("corvel-viewer"), QStringLiteral("--lang")})
           .valid);
}

void TranslationTest::qtDialogsSpeakChineseInTheChineseInterface() {
  if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                     QStringLiteral("/qtbase_zh_CN.qm")))
    QSKIP("Qt's Chinese translation (qt6-translations-l10n) is not installed");
  QVERIFY(corvel::app::InstallTranslations(*QCoreApplication::instance(), Language::kChinese));
  QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
  QVERIFY(HasChinese(QCoreApplication::translate(
      "QFileDialog", "%1 already exists.\nDo you want to replace it?")));
  QVERIFY(corvel::app::InstallTranslations(*QCoreApplication::instance(), Language::kEnglish));
  QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

void TranslationTest::coreFailuresInTheInterfaceLanguage() {
  using corvel::app::CoreMessages;
  const std::string missing = "Cannot open /data/a: b.bin: " + std::string(std::strerror(ENOENT));
  QCOMPARE(CoreMessages::Failure(missing),
           QStringLiteral("无法打开 /data/a: b.bin：没有那个文件或目录"));
  QCOMPARE(CoreMessages::Failure("cannot write /x/t.csv: no file name"),
           QStringLiteral("无法写入 /x/t.csv：没有文件名"));
  QCOMPARE(CoreMessages::Failure("Cannot read /x/d: " + std::string(std::strerror(EISDIR))),
           QStringLiteral("无法读取 /x/d：是一个目录"));
  QCOMPARE(
      CoreMessages::Failure("cannot write /x/a(1)T0001.csv: " +
                            std::string(std::strerror(ENAMETOOLONG)) + "; nothing was exported"),
      QStringLiteral("无法写入 /x/a(1)T0001.csv：文件名过长；未导出任何文件"));
  QCOMPARE(CoreMessages::Failure("cannot write /x/b.csv: no file name; the 2 files this export had "
                                 "written were removed"),
           QStringLiteral("无法写入 /x/b.csv：没有文件名；本次导出已写入的 2 个文件已删除"));
  // A message of another form, and a reason the window does not know, stand as they are.
  QCOMPARE(CoreMessages::Failure("something else"), QStringLiteral("something else"));
  QCOMPARE(CoreMessages::Failure("cannot write /x: odd reason"),
           QStringLiteral("无法写入 /x：odd reason"));

  QVERIFY(corvel::app::InstallTranslations(*QCoreApplication::instance(), Language::kEnglish));
  // In English the window says what the core says.
  QCOMPARE(CoreMessages::Failure(missing), QString::fromStdString(missing));
  const std::string full = "cannot write /x/t.csv: " + std::string(std::strerror(ENOSPC));
  QCOMPARE(CoreMessages::Failure(full), QString::fromStdString(full));
  const std::string removed = full + "; the 1 file this export had written was removed";
  QCOMPARE(CoreMessages::Failure(removed), QString::fromStdString(removed));
}

void TranslationTest::noticeInChineseIsTheCoresNotice() {
  int notices = 0;
  for (const auto& [name, bytes] : corvel::synth::MakeEdgeFiles()) {
    const QString path =
        QDir::temp().filePath(QStringLiteral("corvel-notice-") + QString::fromStdString(name));
    QVERIFY(!app_test::WriteFile(path, bytes).isEmpty());
    corvel::Session session;
    QVERIFY(session.Open(path.toStdString()).ok);
    QFile::remove(path);
    for (int item = 0; item < 10; ++item) {
      session.SwitchType(item);
      QCOMPARE(corvel::app::CoreMessages::Notice(session),
               QString::fromStdString(session.Notice()));
      if (!session.Notice().empty()) ++notices;
    }
  }
  QVERIFY(notices > 0);
}

void TranslationTest::everyTranslationIsFinished() {
  // After lupdate, a new text shows up here until its English is written.
  QFile ts(QStringLiteral(CORVEL_TS_FILE));
  QVERIFY(ts.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(ts.readAll());
  QVERIFY(!text.contains(QLatin1String("type=\"unfinished\"")));
  QVERIFY(!text.contains(QLatin1String("<translation></translation>")));
}

CORVEL_APP_TEST_MAIN(TranslationTest)
#include "translation_test.moc"
