#include "ui/error_presentation.h"

#include <QApplication>
#include <QMessageBox>

#include "app/error_text.h"
#include "catalogue/errors.h"

namespace calpero {
namespace {

void ShowErrorBox(const QString& text) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, QApplication::activeWindow());
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace

void ShowDefaultError(const std::exception& error) {
  // Only the program's own errors carry a message meant for the user; anything else (an
  // allocation failure, a library's internal error) is shown as an empty message, as the
  // program has always done, rather than exposing an implementation detail.
  const auto* own = dynamic_cast<const Exception*>(&error);
  ShowErrorBox(own != nullptr ? QString::fromStdString(ErrorBoxText(own->Message())) : QString());
}

void ShowDefaultError() { ShowErrorBox(QString()); }

}  // namespace calpero
