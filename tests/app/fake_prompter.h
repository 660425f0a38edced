// Answers the window's questions and dialogs in place of the user, and keeps what was asked.
#pragma once

#include <QFileInfo>
#include <QList>
#include <QString>
#include <QStringList>

#include "prompter.h"

struct AskedQuestion {
  QString text;
  QString caption;
};

struct AskedOpen {
  QString title;
  QString initial_name;
  QString filter;
};

class FakePrompter : public corvel::app::Prompter {
 public:
  bool AskOkCancel(QWidget*, const QString& text, const QString& caption) override {
    questions.append({text, caption});
    return answers.isEmpty() ? true : answers.takeFirst();
  }
  QString OpenFileName(QWidget*, const QString& title, const QString& initial_name,
                       const QString& filter) override {
    opens.append({title, initial_name, filter});
    return open_answers.isEmpty() ? QString() : open_answers.takeFirst();
  }
  QString SaveFileName(QWidget*, const corvel::app::SaveSetup& setup) override {
    saves.append(setup);
    if (save_answers.isEmpty()) return {};
    QString name = save_answers.takeFirst();
    // As the file dialog does: a name typed without an extension gets the default one.
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty())
      name += QLatin1Char('.') + setup.default_suffix;
    return name;
  }
  void ShowError(QWidget*, const QString& text) override { errors.append(text); }

  QList<bool> answers;  // for the OK/Cancel questions, in order; OK once they run out
  QStringList open_answers;
  QStringList save_answers;

  QList<AskedQuestion> questions;
  QList<AskedOpen> opens;
  QList<corvel::app::SaveSetup> saves;
  QStringList errors;
};
