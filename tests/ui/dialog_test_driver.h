#pragma once

#include <functional>

#include <QTimer>

namespace calpero::testing {

// Runs `steps` from the event loop once the modal dialog that the caller opens next is running.
void WhenDialogRuns(std::function<void()> steps);

// Closes every modal window that is still open `milliseconds` after construction, so that a test
// whose steps went wrong fails in its checks instead of hanging. Stops at its end of life.
class ModalWatchdog {
 public:
  explicit ModalWatchdog(int milliseconds);

 private:
  QTimer timer_;
};

}  // namespace calpero::testing
