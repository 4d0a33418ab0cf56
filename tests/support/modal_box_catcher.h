#pragma once

#include <vector>

#include <QMessageBox>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace calpero::test {

// What a message box showed.
struct TSeenBox {
  QString text;
  QString caption;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;  // the buttons' texts, in the order the box lays them out
  QSize size;           // as it showed
};

// While alive, watches for modal message boxes and closes each with its OK (or default) button
// as soon as it shows, recording what it showed. The one answerer of message boxes for the window
// tests: it answers from the event loop, so a box shown inside a running dialog is answered too.
class ModalBoxCatcher {
 public:
  ModalBoxCatcher();
  ~ModalBoxCatcher();
  ModalBoxCatcher(const ModalBoxCatcher&) = delete;
  ModalBoxCatcher& operator=(const ModalBoxCatcher&) = delete;

  const std::vector<TSeenBox>& Boxes() const { return boxes_; }

 private:
  void Poll();

  QTimer timer_;
  std::vector<TSeenBox> boxes_;
};

}  // namespace calpero::test
