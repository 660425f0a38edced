// The save-mode dialog TForm2: a modeless window with the four ways of saving data from the
// file image. It reads the main window's list, selection and type at the moment "保  存" is
// pressed, through the session they share.
#pragma once

#include <QDialog>

#include "viewer/session.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace corvel::app {
class Prompter;
class Settings;
}  // namespace corvel::app

class TForm2 : public QDialog {
  Q_OBJECT

 public:
  TForm2(corvel::Session* session, corvel::app::Prompter* prompter, QWidget* parent = nullptr);

  // What "另存为" does: sets the mode, then shows the dialog. A dialog that was hidden starts on
  // mode 0 when shown; an open one keeps the mode given.
  void Present(int mode);

  // Remembers the folder of each save (not owned; null remembers nothing).
  void UseSettings(corvel::app::Settings* settings) { settings_ = settings; }

  int mode() const;
  void set_mode(int mode);

  void BtnSaveDataClick();
  void BtnCancelClick();
  void RdGrpSaveSelClick() {}

  QGroupBox* RdGrpSaveSel;
  QRadioButton* RdGrpSaveSelItems[4];
  QPushButton* BtnSaveData;
  QPushButton* BtnCancel;

 protected:
  void showEvent(QShowEvent* event) override;  // FormShow

 private:
  void FormShow();

  corvel::Session* session_;
  corvel::app::Prompter* prompter_;
  corvel::app::Settings* settings_ = nullptr;
  QButtonGroup* modes_;
  bool placed_ = false;
};
