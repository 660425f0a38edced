// What the viewer remembers between runs: the folder of the last open and of each save dialog,
// the recent files, the window's geometry and state, the splitter positions, the last
// measurement type and the interface language. A settings file that is broken, unreadable or
// holds values of the wrong kind is ignored: every value read is checked and falls back to
// "nothing remembered".
#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>

class QWidget;

namespace corvel::app {

class Prompter;
struct SaveSetup;

class Settings {
 public:
  static constexpr int kRecentCount = 10;

  // The settings in `file` (INI format).
  explicit Settings(const QString& file);
  // The user's settings file under the configuration folder.
  static QString DefaultFile();

  QString file() const { return settings_.fileName(); }

  // Folder of the open dialog; empty when none is remembered.
  QString OpenFolder() const;
  void SetOpenFolder(const QString& folder);
  // Folder of one save dialog, by its place name ("table", "picture", "records", "export").
  QString SaveFolder(const QString& place) const;
  void SetSaveFolder(const QString& place, const QString& folder);

  // Most recent first, at most kRecentCount, no duplicates.
  QStringList RecentFiles() const;
  void AddRecentFile(const QString& path);
  void RemoveRecentFile(const QString& path);
  void ClearRecentFiles();

  QByteArray WindowGeometry() const;
  QByteArray WindowState() const;
  void SetWindow(const QByteArray& geometry, const QByteArray& state);
  QByteArray SplitterState(const QString& name) const;
  void SetSplitterState(const QString& name, const QByteArray& state);

  // Radio item 0..9, or -1 when none is remembered.
  int LastType() const;
  void SetLastType(int radio_item);

  // "zh", "en" or empty.
  QString Language() const;
  void SetLanguage(const QString& code);

  // Writes what changed to the file.
  void Sync() { settings_.sync(); }

 private:
  QString Text(const QString& key) const;
  QByteArray Bytes(const QString& key) const;
  void SetRecent(const QStringList& files);

  QSettings settings_;
};

// Asks `prompter` for a save file name, starting in the folder remembered for `place` (or, the
// first time, in the folder of the last open) and remembering the folder chosen. Without
// settings it only asks.
QString AskSaveFileName(Prompter& prompter, Settings* settings, QWidget* parent,
                        const SaveSetup& setup, const QString& place);

}  // namespace corvel::app
