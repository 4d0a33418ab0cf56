#pragma once

#include <functional>
#include <optional>

#include <QMessageBox>
#include <QString>
#include <QTimer>

namespace calpero::testing {

// What a message box showed.
struct SeenMessageBox {
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Runs `steps` from the event loop once the modal dialog that the caller opens next is running.
void WhenDialogRuns(std::function<void()> steps);

// From the event loop, waits for a message box to become the active modal window, records it in
// `seen` and presses `button` (or closes it when it has no such button). Gives up after about
// two seconds, leaving `seen` empty.
void AnswerNextMessageBox(QMessageBox::StandardButton button, std::optional<SeenMessageBox>* seen);

// Closes every modal window that is still open `milliseconds` after construction, so that a test
// whose steps went wrong fails in its checks instead of hanging. Stops at its end of life.
class ModalWatchdog {
 public:
  explicit ModalWatchdog(int milliseconds);

 private:
  QTimer timer_;
};

}  // namespace calpero::testing
