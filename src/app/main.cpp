// corvel-viewer: the main window Form1, the hidden save-mode dialog Form2 and the event loop.
// A measurement file named on the command line is opened at start; `--lang zh|en` chooses the
// interface language for this run.
#include <QLocale>
#include <QStringList>
#include <cstdio>

#include "application.h"
#include "settings.h"
#include "translations.h"
#include "unit1.h"
#include "unit2.h"

int main(int argc, char** argv) {
  corvel::app::Application app(argc, argv);
  corvel::app::UseChineseFallbackFont(app);

  const corvel::app::StartArguments start =
      corvel::app::ParseStartArguments(QCoreApplication::arguments());
  if (!start.valid) {
    std::fputs("usage: corvel-viewer [--lang zh|en] [FILE]\n", stderr);
    return 2;
  }
  corvel::app::Settings settings(corvel::app::Settings::DefaultFile());
  const corvel::app::Language language =
      corvel::app::ChooseLanguage(start.language, settings.Language(), QLocale::system());
  if (!corvel::app::InstallTranslations(app, language))
    std::fputs(
        "corvel-viewer: the English translation was not found; the interface stays "
        "Chinese\n",
        stderr);

  TForm1 Form1;
  TForm2 Form2(&Form1.session(), &Form1.prompter(), &Form1);
  Form1.SetSaveModeDialog(&Form2);
  Form1.UseSettings(&settings);
  Form1.show();

  if (start.rest.size() > 1) Form1.OpenFile(start.rest.at(1));

  app.exec();
  return 0;
}
