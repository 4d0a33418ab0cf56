#include "ui/message_box.h"

#include <QMessageBox>
#include <QPushButton>

namespace calpero {

int ShowMessageBox(QWidget* parent, const QString& text, const QString& caption, int flags) {
  QMessageBox box(parent);
  box.setWindowTitle(caption);
  box.setText(text);
  box.setWindowModality(Qt::ApplicationModal);
  if (flags == kMessageFlagsYesNo) {
    box.setIcon(QMessageBox::NoIcon);
    QPushButton* yes = box.addButton(QMessageBox::Yes);
    box.addButton(QMessageBox::No);
    box.setDefaultButton(yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? kMessageYes : kMessageNo;
  }
  box.setIcon(flags == kMessageFlagsWarning ? QMessageBox::Warning : QMessageBox::NoIcon);
  box.addButton(QMessageBox::Ok);
  box.exec();
  return kMessageOk;
}

}  // namespace calpero
