// corvel-viewer: the main window Form1, the hidden save-mode dialog Form2 and the event loop.
// A measurement file named on the command line is opened at start.
#include <QStringList>

#include "application.h"
#include "unit1.h"
#include "unit2.h"

int main(int argc, char** argv) {
  corvel::app::Application app(argc, argv);
  corvel::app::UseChineseFallbackFont(app);

  TForm1 Form1;
  TForm2 Form2(&Form1.session(), &Form1.prompter(), &Form1);
  Form1.SetSaveModeDialog(&Form2);
  Form1.show();

  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() > 1) Form1.OpenFile(arguments.at(1));

  app.exec();
  return 0;
}
