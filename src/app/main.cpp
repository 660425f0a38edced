// corvel-viewer: the main window Form1, the hidden save-mode dialog Form2 and the event loop.
// A measurement file named on the command line is opened at start; `--lang zh|en` chooses the
// interface language for this run; --help and --version print the usage and the version instead.
#include <QCommandLineParser>
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
  corvel::app::Application::setApplicationVersion(QStringLiteral(CORVEL_VERSION));

  // The language comes first, so that the usage of --help speaks it too.
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

  // Parsed before any window exists, so that "--help" is never opened as a measurement file.
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QCoreApplication::translate("main", "Corvel-2740藻类荧光仪数据查看：打开测量文件(*.bin)"));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption(QCommandLineOption(QStringLiteral("lang"),
                                      QCoreApplication::translate("main", "界面语言：zh 或 en"),
                                      QStringLiteral("zh|en")));
  parser.addPositionalArgument(QStringLiteral("FILE"),
                               QCoreApplication::translate("main", "启动时打开的测量文件"),
                               QStringLiteral("[FILE]"));
  parser.process(app);

  corvel::app::UseChineseFallbackFont(app);
  TForm1 Form1;
  TForm2 Form2(&Form1.session(), &Form1.prompter(), &Form1);
  Form1.SetSaveModeDialog(&Form2);
  Form1.UseSettings(&settings);
  Form1.show();

  const QStringList files = parser.positionalArguments();
  if (!files.isEmpty()) Form1.OpenFile(files.at(0));

  app.exec();
  return 0;
}
