// The interface language. Chinese is the source language of every text and the default; English
// comes from the translation built from translations/corvel_en.ts. Qt's own dialogs (file
// dialogs, message box buttons, the overwrite question) get Qt's translation of the same
// language.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

class QCoreApplication;

namespace corvel::app {

enum class Language { kChinese, kEnglish };

// "zh" or "en"; nothing for any other text.
std::optional<Language> ParseLanguage(const QString& code);
QString LanguageCode(Language language);

// What the command line asks for: `--lang zh|en` or `--lang=zh|en`, the other arguments left in
// order (the program name first).
struct StartArguments {
  std::optional<Language> language;
  QStringList rest;
  bool valid = true;  // false for --lang without zh or en
};
StartArguments ParseStartArguments(const QStringList& arguments);

// The command line first, then the stored setting, then the system locale: Chinese for a Chinese
// locale and for a locale that names no language (C, POSIX), English for every other.
Language ChooseLanguage(std::optional<Language> command_line, const QString& setting,
                        const QLocale& system);

// Installs the program's and Qt's translations for `language` into `app` (nothing is needed for
// the program's texts in Chinese). False when the program's English translation was not found;
// the interface then stays Chinese.
bool InstallTranslations(QCoreApplication& app, Language language);

// Removes what InstallTranslations installed, so that tests can switch languages.
void RemoveTranslations(QCoreApplication& app);

}  // namespace corvel::app
