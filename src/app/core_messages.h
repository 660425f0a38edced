// The core's messages in the interface's language. The core writes its messages in one fixed
// form, for files and for corvel-cli's standard error; the window shows them through tr(), so
// the Chinese interface speaks Chinese and the English one English.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <string>

namespace corvel {
class Session;
}

namespace corvel::app {

class CoreMessages {
  Q_DECLARE_TR_FUNCTIONS(CoreMessages)

 public:
  // A failed open or read ("Cannot open PATH: REASON", "Cannot read PATH: REASON") or a failed
  // write ("cannot write PATH: REASON"). A message of another form is shown as it stands.
  static QString Failure(const std::string& core_message);

  // The reason part: the system's error text or the core's own reason, translated where known.
  static QString Reason(const std::string& reason);

  // The status bar notice about what the loaded file does not let the window show; empty when
  // there is nothing to say. The same sentences as corvel::Session::Notice.
  static QString Notice(const Session& session);

  // The title of a save dialog the core set up, in the interface's language.
  static QString DialogTitle(const std::string& core_title);
};

}  // namespace corvel::app
