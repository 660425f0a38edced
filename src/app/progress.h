// Long work off the window's thread: an open or a save of a full file takes long enough to be
// seen, so it runs on a worker thread while the window's event loop goes on (the window repaints
// and moves), and a busy indicator shows once it has taken half a second. Input to the windows
// waits until the work is done, so no handler runs while the session changes.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace corvel::app {

inline constexpr int kProgressDelayMs = 500;

// Runs `work` on a worker thread and returns when it is done; an exception it throws is thrown
// again here. `parent` gets the busy indicator; the contents of `frozen` (may be null) are not
// repainted meanwhile, because their models read what the work changes.
void RunWithProgress(QWidget* parent, QWidget* frozen, const QString& text,
                     const std::function<void()>& work);

// Whether RunWithProgress is running (a close of the window waits for it).
bool WorkInProgress();

}  // namespace corvel::app
