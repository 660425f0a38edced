// Long work off the window's thread: the event loop goes on, the busy indicator shows only after
// half a second, an exception comes back, and an open through the window still shows the file.
#include "progress.h"

#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>

#include "app_test_support.h"
#include "fake_prompter.h"
#include "record_list.h"
#include "unit1.h"

class ProgressTest : public QObject {
  Q_OBJECT

 private slots:
  void slowWorkShowsTheIndicatorAndTheLoopGoesOn();
  void quickWorkShowsNothing();
  void anExceptionOfTheWorkComesBack();
  void openThroughTheWindowShowsTheFile();
};

namespace {

// Counts ticks of a 20 ms timer and how many of them saw the busy indicator.
struct Watch {
  explicit Watch(QWidget* parent) {
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [this, parent] {
      ++ticks;
      const auto* busy = parent->findChild<QProgressDialog*>(QStringLiteral("ProgressDialog"));
      if (busy != nullptr && busy->isVisible()) ++busy_ticks;
    });
    timer.start();
  }
  QTimer timer;
  int ticks = 0;
  int busy_ticks = 0;
};

}  // namespace

void ProgressTest::slowWorkShowsTheIndicatorAndTheLoopGoesOn() {
  QWidget window;
  window.show();
  Watch watch(&window);
  corvel::app::RunWithProgress(&window, &window, QStringLiteral("x"), [] {
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
  });
  // 1.2 s of work: the 20 ms timer went on ticking, and saw the indicator after 0.5 s.
  QVERIFY2(watch.ticks >= 20, qPrintable(QString::number(watch.ticks)));
  QVERIFY(watch.busy_ticks > 0);
  QVERIFY(watch.busy_ticks < watch.ticks);
  QVERIFY(window.updatesEnabled());
  QVERIFY(!corvel::app::WorkInProgress());
}

void ProgressTest::quickWorkShowsNothing() {
  QWidget window;
  window.show();
  Watch watch(&window);
  corvel::app::RunWithProgress(&window, &window, QStringLiteral("x"),
                               [] { std::this_thread::sleep_for(std::chrono::milliseconds(100)); });
  QCOMPARE(watch.busy_ticks, 0);
}

void ProgressTest::anExceptionOfTheWorkComesBack() {
  QWidget window;
  bool thrown = false;
  try {
    corvel::app::RunWithProgress(&window, nullptr, QStringLiteral("x"),
                                 [] { throw std::runtime_error("no"); });
  } catch (const std::runtime_error&) {
    thrown = true;
  }
  QVERIFY(thrown);
  QVERIFY(!corvel::app::WorkInProgress());
}

void ProgressTest::openThroughTheWindowShowsTheFile() {
  QTemporaryDir dir;
  const QString file =
      app_test::WriteFile(dir.filePath(QStringLiteral("small.bin")), app_test::SmallFile());
  FakePrompter prompter;
  TForm1 form(&prompter);
  form.show();
  QVERIFY(form.OpenFile(file));
  QCOMPARE(form.LBoxFN->model()->rowCount(), app_test::kSmallCounts[0]);
  QVERIFY(form.updatesEnabled());
}

CORVEL_APP_TEST_MAIN(ProgressTest)
#include "progress_test.moc"
