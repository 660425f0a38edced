#include "settings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QVariant>

#include "prompter.h"

namespace corvel::app {

namespace {

const QString kOpenFolder = QStringLiteral("places/open");
const QString kSaveFolders = QStringLiteral("places/save-");
const QString kRecent = QStringLiteral("recent/files");
const QString kGeometry = QStringLiteral("window/geometry");
const QString kState = QStringLiteral("window/state");
const QString kSplitters = QStringLiteral("splitters/");
const QString kLastType = QStringLiteral("window/type");
const QString kLanguage = QStringLiteral("interface/language");

}  // namespace

Settings::Settings(const QString& file) : settings_(file, QSettings::IniFormat) {}

QString Settings::DefaultFile() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/corvel/corvel-viewer.ini");
}

QString Settings::Text(const QString& key) const {
  const QVariant value = settings_.value(key);
  return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

QByteArray Settings::Bytes(const QString& key) const {
  const QVariant value = settings_.value(key);
  return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}

QString Settings::OpenFolder() const {
  return Text(kOpenFolder);
}

void Settings::SetOpenFolder(const QString& folder) {
  settings_.setValue(kOpenFolder, folder);
}

QString Settings::SaveFolder(const QString& place) const {
  return Text(kSaveFolders + place);
}

void Settings::SetSaveFolder(const QString& place, const QString& folder) {
  settings_.setValue(kSaveFolders + place, folder);
}

QStringList Settings::RecentFiles() const {
  const QVariant value = settings_.value(kRecent);
  QStringList files;
  // One entry is read back as a plain string, several as a list; anything else is ignored.
  if (value.typeId() == QMetaType::QString)
    files << value.toString();
  else if (value.typeId() == QMetaType::QStringList)
    files = value.toStringList();
  files.removeAll(QString());
  files.removeDuplicates();
  if (files.size() > kRecentCount) files.resize(kRecentCount);
  return files;
}

void Settings::SetRecent(const QStringList& files) {
  settings_.setValue(kRecent, files);
}

void Settings::AddRecentFile(const QString& path) {
  QStringList files = RecentFiles();
  files.removeAll(path);
  files.prepend(path);
  if (files.size() > kRecentCount) files.resize(kRecentCount);
  SetRecent(files);
}

void Settings::RemoveRecentFile(const QString& path) {
  QStringList files = RecentFiles();
  files.removeAll(path);
  SetRecent(files);
}

void Settings::ClearRecentFiles() {
  settings_.remove(kRecent);
}

QByteArray Settings::WindowGeometry() const {
  return Bytes(kGeometry);
}

QByteArray Settings::WindowState() const {
  return Bytes(kState);
}

void Settings::SetWindow(const QByteArray& geometry, const QByteArray& state) {
  settings_.setValue(kGeometry, geometry);
  settings_.setValue(kState, state);
}

QByteArray Settings::SplitterState(const QString& name) const {
  return Bytes(kSplitters + name);
}

void Settings::SetSplitterState(const QString& name, const QByteArray& state) {
  settings_.setValue(kSplitters + name, state);
}

int Settings::LastType() const {
  bool ok = false;
  const int item = Text(kLastType).toInt(&ok);
  return ok && item >= 0 && item < 10 ? item : -1;
}

void Settings::SetLastType(int radio_item) {
  settings_.setValue(kLastType, QString::number(radio_item));
}

QString Settings::Language() const {
  const QString code = Text(kLanguage);
  return code == QLatin1String("zh") || code == QLatin1String("en") ? code : QString();
}

void Settings::SetLanguage(const QString& code) {
  settings_.setValue(kLanguage, code);
}

QString AskSaveFileName(Prompter& prompter, Settings* settings, QWidget* parent,
                        const SaveSetup& setup, const QString& place) {
  if (settings != nullptr) {
    QString folder = settings->SaveFolder(place);
    if (folder.isEmpty()) folder = settings->OpenFolder();
    prompter.set_start_folder(folder);
  }
  const QString path = prompter.SaveFileName(parent, setup);
  if (settings != nullptr && !path.isEmpty())
    settings->SetSaveFolder(place, QFileInfo(path).absolutePath());
  return path;
}

}  // namespace corvel::app
