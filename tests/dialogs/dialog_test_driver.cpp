#include "dialog_test_driver.h"

#include <utility>

#include <QAbstractButton>
#include <QApplication>
#include <QWidget>

namespace calpero::testing {
namespace {

constexpr int kPollMilliseconds = 10;
constexpr int kPollTries = 200;

void PollForMessageBox(QMessageBox::StandardButton button, std::optional<SeenMessageBox>* seen,
                       int triesLeft) {
  QTimer::singleShot(kPollMilliseconds, [=] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      if (triesLeft > 0) {
        PollForMessageBox(button, seen, triesLeft - 1);
      }
      return;
    }
    *seen = SeenMessageBox{box->windowTitle(), box->text(), box->icon()};
    QAbstractButton* pressed = box->button(button);
    if (pressed == nullptr) {
      box->done(0);
    } else {
      pressed->click();
    }
  });
}

}  // namespace

void WhenDialogRuns(std::function<void()> steps) { QTimer::singleShot(0, std::move(steps)); }

void AnswerNextMessageBox(QMessageBox::StandardButton button, std::optional<SeenMessageBox>* seen) {
  PollForMessageBox(button, seen, kPollTries);
}

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
