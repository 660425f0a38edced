// What the window tests share: a small measurement file with known records of every type, the
// command-line tool to compare saved files with, and a test main that uses the viewer's own
// application object.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>
#include <string>

#include "application.h"
#include "synth/instruments.h"
#include "synth/writer.h"

namespace app_test {

// GBK bytes of the record name "藻类01".
inline const std::string kChineseName =
    "\xD4\xE5\xC0\xE0"
    "01";

// Five OJIP records (the third named in Chinese, the fourth with R/B marker 1), two of every
// other type, interleaved, and three user-defined programs. Every record is stamped
// 2024/06/13 from 10:00:00 on, one minute apart, with the names OJ00, OJ01, ... and numbers
// 1, 2, ... counted per type.
inline corvel::synth::Bytes SmallFile() {
  using namespace corvel::synth;
  Rng rng(7);
  FileBuilder file;
  SynthStamp stamp;
  stamp.year = 24;
  stamp.month = 6;
  stamp.day = 13;
  stamp.hour = 10;
  stamp.minute = 0;
  stamp.second = 0;
  int numbers[10] = {};
  auto add = [&](int code, const std::string& name, int rb, int program = -1) {
    stamp.name = name;
    stamp.number = static_cast<uint16_t>(++numbers[code]);
    stamp.rb_marker = rb;
    RecordSpec rec =
        code == kTypeUser ? SynthUser(rng, stamp, program) : SynthRecord(code, rng, stamp);
    file.Add(rec);
    stamp.Advance(60);
  };
  add(kTypeOjip, "ABC", 0);
  add(kTypeSlowKin, "SK", 0);
  add(kTypeOjip, "OJ01", 0);
  add(kTypeUser, "USR", 0, 0);
  add(kTypeOjip, kChineseName, 0);
  for (int code = 2; code <= 9; ++code) add(code, "T" + std::to_string(code), 0);
  add(kTypeOjip, "OJ03", 1);
  add(kTypeUser, "USR", 0, 1);
  add(kTypeOjip, "OJ04", 0);
  add(kTypeUser, "USR", 0, 2);
  for (int code = 3; code <= 9; ++code) add(code, "U" + std::to_string(code), 0);
  return file.File();
}

// Listed records per radio item (screen order) in SmallFile().
inline constexpr int kSmallCounts[10] = {5, 2, 2, 2, 2, 2, 2, 2, 3, 2};

inline QString WriteFile(const QString& path, const corvel::synth::Bytes& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return {};
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  return path;
}

inline QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

// Runs corvel-cli with the arguments; true when it ended with status 0.
inline bool RunCli(const QStringList& arguments, QByteArray* out = nullptr) {
  QProcess cli;
  cli.start(qEnvironmentVariable("CORVEL_CLI"), arguments);
  if (!cli.waitForFinished(60000)) return false;
  if (out != nullptr) *out = cli.readAllStandardOutput();
  return cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0;
}

}  // namespace app_test

// A Qt Test main on the viewer's application object with its font set-up.
#define CORVEL_APP_TEST_MAIN(TestClass)       \
  int main(int argc, char** argv) {           \
    corvel::app::Application app(argc, argv); \
    corvel::app::UseChineseFallbackFont(app); \
    app.setAttribute(Qt::AA_Use96Dpi, true);  \
    TestClass test;                           \
    QTEST_SET_MAIN_SOURCE_PATH                \
    return QTest::qExec(&test, argc, argv);   \
  }
