#include "progress.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <exception>
#include <thread>

namespace corvel::app {

namespace {
bool g_running = false;
}

bool WorkInProgress() {
  return g_running;
}

void RunWithProgress(QWidget* parent, QWidget* frozen, const QString& text,
                     const std::function<void()>& work) {
  QEventLoop loop;
  QProgressDialog busy(text, QString(), 0, 0, parent);  // no cancel: the work is not split
  busy.setObjectName(QStringLiteral("ProgressDialog"));
  busy.setWindowModality(Qt::WindowModal);
  busy.setMinimumDuration(0);
  busy.setAutoReset(false);
  busy.setAutoClose(false);
  busy.hide();
  QTimer show_later;
  show_later.setSingleShot(true);
  QObject::connect(&show_later, &QTimer::timeout, &busy, [&busy] { busy.show(); });
  show_later.start(kProgressDelayMs);

  const bool repaint = frozen != nullptr && frozen->updatesEnabled();
  if (repaint) frozen->setUpdatesEnabled(false);
  g_running = true;
  std::exception_ptr error;
  std::thread worker([&] {
    try {
      work();
    } catch (...) {
      error = std::current_exception();
    }
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  worker.join();
  g_running = false;
  show_later.stop();
  busy.hide();
  if (repaint) frozen->setUpdatesEnabled(true);
  if (error) std::rethrow_exception(error);
}

}  // namespace corvel::app
