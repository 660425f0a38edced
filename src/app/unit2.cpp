#include "unit2.h"

#include <QButtonGroup>
#include <QDate>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include "core_messages.h"
#include "gbk.h"
#include "progress.h"
#include "prompter.h"
#include "settings.h"
#include "unit1.h"
#include "window_texts.h"

TForm2::TForm2(corvel::Session* session, corvel::app::Prompter* prompter, QWidget* parent)
    : QDialog(parent), session_(session), prompter_(prompter) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(tr("选择存储方式"));
  // Only the close box in the title bar.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setModal(false);
  setFixedSize(393, 293);

  auto* layout = new QVBoxLayout(this);
  RdGrpSaveSel = new QGroupBox(this);
  RdGrpSaveSel->setObjectName(QStringLiteral("RdGrpSaveSel"));
  modes_ = new QButtonGroup(RdGrpSaveSel);
  auto* radios = new QVBoxLayout(RdGrpSaveSel);
  for (int m = 0; m < 4; ++m) {
    RdGrpSaveSelItems[m] = new QRadioButton(corvel::app::kSaveModeItems[m], RdGrpSaveSel);
    RdGrpSaveSelItems[m]->setObjectName(QStringLiteral("RdGrpSaveSel_%1").arg(m));
    modes_->addButton(RdGrpSaveSelItems[m], m);
    radios->addWidget(RdGrpSaveSelItems[m]);
  }
  RdGrpSaveSelItems[0]->setChecked(true);
  layout->addWidget(RdGrpSaveSel, 1);

  auto* buttons = new QHBoxLayout;
  BtnSaveData = new QPushButton(tr("保  存"), this);
  BtnSaveData->setObjectName(QStringLiteral("BtnSaveData"));
  BtnCancel = new QPushButton(tr("取  消"), this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  BtnSaveData->setAutoDefault(false);
  BtnCancel->setAutoDefault(false);
  buttons->addStretch(1);
  buttons->addWidget(BtnSaveData);
  buttons->addSpacing(24);
  buttons->addWidget(BtnCancel);
  buttons->addStretch(1);
  layout->addLayout(buttons);

  connect(BtnSaveData, &QPushButton::clicked, this, &TForm2::BtnSaveDataClick);
  connect(BtnCancel, &QPushButton::clicked, this, &TForm2::BtnCancelClick);
  connect(modes_, &QButtonGroup::idClicked, this, [this](int) { RdGrpSaveSelClick(); });
}

int TForm2::mode() const {
  return modes_->checkedId();
}

void TForm2::set_mode(int mode) {
  if (mode >= 0 && mode < 4) RdGrpSaveSelItems[mode]->setChecked(true);
}

void TForm2::Present(int mode) {
  set_mode(mode);
  if (!isVisible()) show();
  raise();
  activateWindow();
}

void TForm2::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm2::FormShow() {
  set_mode(0);
  if (!placed_) {
    placed_ = true;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
      QRect frame = frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
  }
}

void TForm2::BtnCancelClick() {
  hide();
}

void TForm2::BtnSaveDataClick() {
  const std::optional<corvel::SaveMode> m = corvel::SaveModeAt(mode());
  if (!m) return;
  const corvel::SaveRefusal refusal = session_->CheckSave(*m);
  if (refusal != corvel::SaveRefusal::kNone) {
    // Nothing is saved by rule; the main window's status bar says why.
    if (auto* form1 = qobject_cast<TForm1*>(parentWidget()))
      form1->ShowStatus(TForm1::SaveRefusalText(refusal));
    return;
  }
  const std::string today = QDate::currentDate().toString(QStringLiteral("yyyyMMdd")).toStdString();
  // Records (modes 0 to 2) and the CSV export (mode 3) each remember their own folder.
  const QString path = corvel::app::AskSaveFileName(
      *prompter_, settings_, this, corvel::app::ToSaveSetup(session_->SaveDataDialog(*m, today)),
      *m == corvel::SaveMode::kSelectedAsCsv ? QStringLiteral("export")
                                             : QStringLiteral("records"));
  if (path.isEmpty()) return;  // the dialog stays open
  corvel::SaveOutcome outcome;
  corvel::app::RunWithProgress(this, parentWidget(), tr("正在保存 …"), [&] {
    outcome = session_->SaveData(*m, corvel::app::ToPath(path));
  });
  if (!outcome.write.ok) {
    prompter_->ShowError(this, corvel::app::CoreMessages::Failure(outcome.write.message));
    return;
  }
  if (outcome.hide_dialog) hide();
}
