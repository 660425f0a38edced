#include "translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace corvel::app {

namespace {

// Installed translators live for the run; tests remove them.
std::unique_ptr<QTranslator>& ProgramTranslator() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}
std::unique_ptr<QTranslator>& QtTranslator() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}

// Where the program's .qm files are: beside an installed program under share/, else the build.
QStringList ProgramTranslationFolders() {
  QStringList folders{QCoreApplication::applicationDirPath() +
                      QStringLiteral("/../share/corvel-viewer/translations")};
#ifdef CORVEL_BUILD_TRANSLATIONS
  folders << QStringLiteral(CORVEL_BUILD_TRANSLATIONS);
#endif
  return folders;
}

}  // namespace

std::optional<Language> ParseLanguage(const QString& code) {
  if (code == QLatin1String("zh")) return Language::kChinese;
  if (code == QLatin1String("en")) return Language::kEnglish;
  return std::nullopt;
}

QString LanguageCode(Language language) {
  return language == Language::kEnglish ? QStringLiteral("en") : QStringLiteral("zh");
}

StartArguments ParseStartArguments(const QStringList& arguments) {
  StartArguments result;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments.at(i);
    QString code;
    if (i > 0 && argument == QLatin1String("--lang")) {
      if (i + 1 >= arguments.size()) {
        result.valid = false;
        break;
      }
      code = arguments.at(++i);
    } else if (i > 0 && argument.startsWith(QLatin1String("--lang="))) {
      code = argument.mid(7);
    } else {
      result.rest << argument;
      continue;
    }
    result.language = ParseLanguage(code);
    if (!result.language) result.valid = false;
  }
  return result;
}

Language ChooseLanguage(std::optional<Language> command_line, const QString& setting,
                        const QLocale& system) {
  if (command_line) return *command_line;
  if (const auto stored = ParseLanguage(setting)) return *stored;
  const QLocale::Language language = system.language();
  if (language == QLocale::Chinese || language == QLocale::C || language == QLocale::AnyLanguage)
    return Language::kChinese;
  return Language::kEnglish;
}

bool InstallTranslations(QCoreApplication& app, Language language) {
  RemoveTranslations(app);
  const QString qt_folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto qt = std::make_unique<QTranslator>();
  // Qt's dialogs speak English by themselves; in Chinese they need Qt's translation.
  if (language == Language::kChinese && qt->load(QStringLiteral("qtbase_zh_CN"), qt_folder)) {
    app.installTranslator(qt.get());
    QtTranslator() = std::move(qt);
  }
  if (language == Language::kChinese) return true;

  auto program = std::make_unique<QTranslator>();
  for (const QString& folder : ProgramTranslationFolders()) {
    if (program->load(QStringLiteral("corvel_en"), folder)) {
      app.installTranslator(program.get());
      ProgramTranslator() = std::move(program);
      return true;
    }
  }
  return false;
}

void RemoveTranslations(QCoreApplication& app) {
  for (std::unique_ptr<QTranslator>* translator : {&ProgramTranslator(), &QtTranslator()}) {
    if (*translator) app.removeTranslator(translator->get());
    translator->reset();
  }
}

}  // namespace corvel::app
