#include "tests/support/modal_box_catcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

namespace calpero::test {

ModalBoxCatcher::ModalBoxCatcher() {
  timer_.setInterval(5);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  timer_.start();
}

ModalBoxCatcher::~ModalBoxCatcher() { timer_.stop(); }

void ModalBoxCatcher::Poll() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) {
    return;
  }
  QStringList buttons;
  for (const QAbstractButton* shown : box->buttons()) {
    buttons << shown->text();
  }
  boxes_.push_back({box->text(), box->windowTitle(), box->icon(), buttons, box->size()});
  QAbstractButton* button = box->button(QMessageBox::Ok);
  if (button == nullptr) {
    button = box->defaultButton();
  }
  button->click();
}

}  // namespace calpero::test
