#include "prompter.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "core_messages.h"
#include "gbk.h"
#include "window_texts.h"

namespace corvel::app {

QString SuffixOfFilter(const QString& filter) {
  const qsizetype star = filter.indexOf(QLatin1String("*."));
  if (star < 0) return {};
  qsizetype end = star + 2;
  while (end < filter.size() && filter.at(end).isLetterOrNumber()) ++end;
  return filter.mid(star + 2, end - star - 2);
}

SaveSetup ToSaveSetup(const corvel::SaveDialogSetup& setup) {
  return {CoreMessages::DialogTitle(setup.title), FromUtf8(setup.initial_name),
          FromUtf8(setup.filter), FromUtf8(setup.default_extension)};
}

bool QtPrompter::AskOkCancel(QWidget* parent, const QString& text, const QString& caption) {
  QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                  parent);
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Cancel);
  // Only a Cancel is told apart: closing the box counts as Cancel through its escape button.
  return box.exec() != QMessageBox::Cancel;
}

QString QtPrompter::OpenFileName(QWidget* parent, const QString& title, const QString& initial_name,
                                 const QString& filter) {
  QFileDialog dialog(parent, title, StartFolder());
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(filter);
  // A pattern typed in the name field filters the folder, so "*.bin" may stand there.
  dialog.selectFile(initial_name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString chosen = dialog.selectedFiles().constFirst();
  folder_ = QFileInfo(chosen).absolutePath();
  return chosen;
}

QString QtPrompter::SaveFileName(QWidget* parent, const SaveSetup& setup) {
  QFileDialog dialog(parent, setup.title, StartFolder());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(setup.filter);
  dialog.setDefaultSuffix(setup.default_suffix);
  // Where several patterns are offered, a name typed without an extension gets the one of the
  // chosen filter.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
    const QString ext = SuffixOfFilter(f);
    if (!ext.isEmpty()) dialog.setDefaultSuffix(ext);
  });
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  dialog.selectFile(setup.initial_name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString chosen = dialog.selectedFiles().constFirst();
  folder_ = QFileInfo(chosen).absolutePath();
  return chosen;
}

void QtPrompter::ShowError(QWidget* parent, const QString& text) {
  QMessageBox::critical(parent, kWindowCaption, text);
}

}  // namespace corvel::app
