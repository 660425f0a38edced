// corvel-viewer: the main window Form1, the hidden save-mode dialog Form2 and the event loop.
// A measurement file named on the command line is opened at start; --help and --version print
// the usage and the version instead.
#include <QCommandLineParser>
#include <QStringList>

#include "application.h"
#include "unit1.h"
#include "unit2.h"

int main(int argc, char** argv) {
  corvel::app::Application app(argc, argv);
  corvel::app::Application::setApplicationVersion(QStringLiteral(CORVEL_VERSION));

  // Parsed before any window exists, so that "--help" is never opened as a measurement file.
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QCoreApplication::translate("main", "Corvel-2740藻类荧光仪数据查看：打开测量文件(*.bin)"));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("FILE"),
                               QCoreApplication::translate("main", "启动时打开的测量文件"),
                               QStringLiteral("[FILE]"));
  parser.process(app);

  corvel::app::UseChineseFallbackFont(app);
  TForm1 Form1;
  TForm2 Form2(&Form1.session(), &Form1.prompter(), &Form1);
  Form1.SetSaveModeDialog(&Form2);
  Form1.show();

  const QStringList files = parser.positionalArguments();
  if (!files.isEmpty()) Form1.OpenFile(files.at(0));

  app.exec();
  return 0;
}
