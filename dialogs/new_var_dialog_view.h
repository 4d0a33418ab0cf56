#pragma once

#include <string>

#include "catalogue/messages.h"
#include "dialogs/message_box_flags.h"

namespace calpero {

// The five fields of the new-unit dialog. The first four follow the order of kPowerKeys (Mass,
// Length, Temperature, Time), so a power field's position in that order is its key's index.
enum class TNewVarField { Mass, Length, Temperature, Time, Name };

// What the dialog's logic needs from its window: the texts of the five fields and a message box
// that returns the button pressed. The window implements it with real widgets; tests with a fake.
// Texts are UTF-8.
class TNewVarDialogView {
 public:
  virtual ~TNewVarDialogView() = default;

  // The current text of `field`, exactly as it stands (not trimmed).
  virtual std::string FieldText(TNewVarField field) const = 0;

  // Replaces the text of `field` with `text`.
  virtual void SetFieldText(TNewVarField field, const std::string& text) = 0;

  // Shows a modal message box with the messages `text` and `caption` and `flags` (see
  // message_box_flags.h) and returns the button pressed (6 = Yes, 7 = No; any other value for a
  // box with only OK).
  virtual int ShowMessage(MessageId text, MessageId caption, int flags) = 0;

 protected:
  TNewVarDialogView() = default;
  TNewVarDialogView(const TNewVarDialogView&) = default;
  TNewVarDialogView& operator=(const TNewVarDialogView&) = default;
};

}  // namespace calpero
