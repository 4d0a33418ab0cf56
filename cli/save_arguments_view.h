#pragma once

#include <array>
#include <string>

#include "dialogs/new_var_dialog_view.h"

namespace calpero {

// The new-unit dialog's fields filled from the command line, so that `save` runs the dialog's own
// save: the same blank check, replace rule, conversions and single write. Its message boxes are
// answered without a user: the replace question gets Yes only when --replace was given, and a box
// that ends the save is remembered as the refusal for the caller to report.
class TSaveArgumentsView : public TNewVarDialogView {
 public:
  // `powers` in the order Mass, Length, Temperature, Time, as typed.
  TSaveArgumentsView(std::string name, std::array<std::string, 4> powers, bool replace);

  std::string FieldText(TNewVarField field) const override;
  void SetFieldText(TNewVarField field, const std::string& text) override;
  // Answers Yes to the replace question when replacing was allowed; otherwise the question, or
  // any other box (the blank-field message), becomes the refusal.
  int ShowMessage(MessageId text, MessageId caption, int flags) override;

  // Why the save ended without writing: the text of the box that stopped it, or, for a refused
  // replace question, a message that points to --replace. Empty while nothing stopped it.
  const std::string& Refusal() const { return refusal_; }

 private:
  std::array<std::string, 5> fields_;  // indexed by TNewVarField
  bool replace_;
  std::string refusal_;
};

}  // namespace calpero
