#include "tests/ui/dialog_test_driver.h"

#include <utility>

#include <QApplication>
#include <QWidget>

namespace calpero::testing {
void WhenDialogRuns(std::function<void()> steps) { QTimer::singleShot(0, std::move(steps)); }

ModalWatchdog::ModalWatchdog(int milliseconds) {
  constexpr int kMostNestedModals = 4;
  timer_.setSingleShot(true);
  QObject::connect(&timer_, &QTimer::timeout, [] {
    for (int i = 0; i < kMostNestedModals; ++i) {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
      }
    }
  });
  timer_.start(milliseconds);
}

}  // namespace calpero::testing
