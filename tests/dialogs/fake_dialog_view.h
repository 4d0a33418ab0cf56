#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "dialogs/new_var_dialog_view.h"

namespace calpero::testing {

// Five plain strings for fields and a message box that records what it shows and answers a
// Yes/No question with `answer` (a question nobody expected fails the test).
class FakeDialogView : public TNewVarDialogView {
 public:
  struct Message {
    std::string text;
    std::string caption;
    int flags = 0;
  };

  std::string FieldText(TNewVarField field) const override { return texts_.at(Index(field)); }
  void SetFieldText(TNewVarField field, const std::string& text) override {
    texts_.at(Index(field)) = text;
  }
  int ShowMessage(MessageId text, MessageId caption, int flags) override {
    messages.push_back({EnglishMessage(text), EnglishMessage(caption), flags});
    EXPECT_TRUE(flags != kMessageFlagsYesNo || answer != 0)
        << "unexpected question: " << EnglishMessage(text);
    return flags == kMessageFlagsYesNo ? answer : 1;
  }

  // Sets the four power fields, Mass to Time, and the name field.
  void Fill(const std::array<std::string, 4>& powers, const std::string& name) {
    for (std::size_t i = 0; i < powers.size(); ++i) {
      texts_.at(i) = powers.at(i);
    }
    texts_.at(Index(TNewVarField::Name)) = name;
  }

  std::vector<Message> messages;
  int answer = 0;

 private:
  static std::size_t Index(TNewVarField field) { return static_cast<std::size_t>(field); }
  std::array<std::string, 5> texts_;
};

}  // namespace calpero::testing
