#include "application.h"

#include <QFontDatabase>
#include <QMessageBox>
#include <exception>

#include "window_texts.h"

namespace corvel::app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("corvel-viewer"));
  display_ = [](const QString& text) { QMessageBox::critical(nullptr, kWindowCaption, text); };
}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    display_(QString::fromLocal8Bit(error.what()));
  } catch (...) {
    // Something that is not an exception is shown as one with an empty message.
    display_(QString());
  }
  return false;
}

void UseChineseFallbackFont(QApplication& app) {
  const QStringList installed = QFontDatabase::families();
  QStringList families{app.font().family()};
  for (const QString& name :
       {QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun")}) {
    if (installed.contains(name) && !families.contains(name)) families << name;
  }
  QFont font = app.font();
  font.setFamilies(families);
  app.setFont(font);
}

}  // namespace corvel::app
