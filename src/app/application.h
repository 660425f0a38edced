// The application object. An exception that escapes an event handler is shown in a message box
// and the event loop goes on, as the window's users expect of a desktop program.
#pragma once

#include <QApplication>
#include <functional>

namespace corvel::app {

class Application : public QApplication {
 public:
  Application(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // Shows the text of an escaped exception; the default is a critical message box. Tests
  // replace it to read the text.
  void set_exception_display(std::function<void(const QString&)> display) {
    display_ = std::move(display);
  }

 private:
  std::function<void(const QString&)> display_;
};

// Gives the application font a fallback that has the Chinese captions, where one is installed.
void UseChineseFallbackFont(QApplication& app);

}  // namespace corvel::app
