// Every question the window asks the user goes through a Prompter: the confirmations, the file
// dialogs and the error box. The window uses the real dialogs; tests answer in their place.
#pragma once

#include <QString>

#include "viewer/session.h"

class QWidget;

namespace corvel::app {

// A save dialog's set-up: title, the name it starts with, its one pattern and the extension a
// name typed without one gets. Every save dialog asks before overwriting.
struct SaveSetup {
  QString title;
  QString initial_name;
  QString filter;          // "*.csv", or several patterns joined by ";;"
  QString default_suffix;  // "csv"
};

// The extension of a save filter's first pattern ("*.png" or "PNG (*.png)" give "png"); empty when
// it has none.
QString SuffixOfFilter(const QString& filter);

// The core's set-up of a save dialog (UTF-8 texts).
SaveSetup ToSaveSetup(const corvel::SaveDialogSetup& setup);

class Prompter {
 public:
  virtual ~Prompter() = default;
  // An OK/Cancel question with the exclamation icon; true unless the user cancelled.
  virtual bool AskOkCancel(QWidget* parent, const QString& text, const QString& caption) = 0;
  // The chosen file, or empty when cancelled.
  virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& initial_name,
                               const QString& filter) = 0;
  // The chosen file with the default extension added, or empty when cancelled.
  virtual QString SaveFileName(QWidget* parent, const SaveSetup& setup) = 0;
  virtual void ShowError(QWidget* parent, const QString& text) = 0;

  // The folder the next file dialog starts in, set by the window from what it remembers; empty
  // for the folder last used in this run.
  void set_start_folder(const QString& folder) { start_folder_ = folder; }
  const QString& start_folder() const { return start_folder_; }

 protected:
  QString start_folder_;
};

// The real dialogs. The file dialogs start in the folder the window set, else in the one last
// used.
class QtPrompter : public Prompter {
 public:
  bool AskOkCancel(QWidget* parent, const QString& text, const QString& caption) override;
  QString OpenFileName(QWidget* parent, const QString& title, const QString& initial_name,
                       const QString& filter) override;
  QString SaveFileName(QWidget* parent, const SaveSetup& setup) override;
  void ShowError(QWidget* parent, const QString& text) override;

 private:
  QString StartFolder() const { return start_folder_.isEmpty() ? folder_ : start_folder_; }

  QString folder_;
};

}  // namespace corvel::app
