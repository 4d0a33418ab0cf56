#pragma once

// The program's message boxes: its own questions and notices, and the default presentation of an
// error that ends an event's handling.

#include <exception>
#include <utility>

#include <QString>

#include "catalogue/messages.h"
#include "dialogs/message_box_flags.h"

class QWidget;

namespace calpero {

// The message `id` (one without places, or its pattern with "%1" and "%2") in the window's
// language.
QString TranslatedMessage(MessageId id);

// Shows one of the program's own message boxes, by its classic flag value (kMessageFlagsOk,
// kMessageFlagsWarning or kMessageFlagsYesNo). Returns the button pressed: kMessageOk,
// kMessageYes or kMessageNo. The box is modal to the whole program.
int ShowMessageBox(QWidget* parent, const QString& text, const QString& caption, int flags);

// The default error presentation: a modal box captioned with the application title ("Calpero"),
// a stop icon and an OK button, showing the error's message with the full-stop rule
// (ErrorBoxText). An error that is not one of the program's own shows an empty text.
void ShowDefaultError(const std::exception& error);
void ShowDefaultError();  // for an error object that carries no message

// Runs an event handler so that no error unwinds through the toolkit's event dispatch: an error
// that escapes `handler` ends it and is shown with the default error presentation, after which
// the program carries on. Every slot that runs program logic goes through this.
template <typename Handler>
void RunHandler(Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
  } catch (const std::exception& error) {
    ShowDefaultError(error);
  } catch (...) {
    ShowDefaultError();
  }
}

}  // namespace calpero
