#pragma once

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "catalogue/messages.h"

namespace calpero {

// A text that the user gave, quoted in a message: the text itself, and the text as the window
// shows it (a unit name with its line breaks written out, say).
struct QuotedText {
  std::string Text;
  std::string Shown;
};

// What fills one place of a message: a text put in as it is (a path, an index), a text that the
// user gave, or another message by its id (why a unit name cannot be stored).
using MessageArgument = std::variant<std::string, QuotedText, MessageId>;

// The base of every error the program raises on purpose. Each carries its message's id and the
// texts of its places; the window shows the message in its language through its default error
// presentation, the command-line tool prints it in English.
class Exception : public std::runtime_error {
 public:
  explicit Exception(MessageId id, std::vector<MessageArgument> arguments = {})
      : Exception(id, EnglishMessageOf(id, arguments), std::move(arguments)) {}
  // A text of the command-line tool's own, given whole (MessageId::Text).
  explicit Exception(const std::string& text) : Exception(MessageId::Text, {text}) {}

  MessageId Id() const { return id_; }
  const std::vector<MessageArgument>& Arguments() const { return arguments_; }
  // The whole message in English. It may quote text with NUL bytes in it, where what() would
  // end.
  std::string Message() const { return message_; }
  // The message with the texts that the user gave written by `quote` instead: the same wording,
  // the quoted text in the reader's form. The message alone when it quotes nothing.
  template <typename Quote>
  std::string MessageQuoting(Quote quote) const {
    if (std::ranges::none_of(arguments_, [](const MessageArgument& argument) {
          return std::holds_alternative<QuotedText>(argument);
        })) {
      return message_;
    }
    std::vector<std::string> texts;
    for (const MessageArgument& argument : arguments_) {
      const auto* quoted = std::get_if<QuotedText>(&argument);
      texts.push_back(quoted != nullptr ? std::string(quote(quoted->Text)) : EnglishText(argument));
    }
    return FillPlaces(PatternOf(id_).English, texts);
  }

 private:
  // The message is made once, before the base that keeps a copy for what(); `arguments` is
  // taken by reference so that nothing moves it before the message is made.
  Exception(MessageId id, const std::string& message, std::vector<MessageArgument>&& arguments)
      : std::runtime_error(message), id_(id), arguments_(std::move(arguments)), message_(message) {}

  // An argument as the English message shows it.
  static std::string EnglishText(const MessageArgument& argument);
  static std::string EnglishMessageOf(MessageId id, const std::vector<MessageArgument>& arguments);

  MessageId id_;
  std::vector<MessageArgument> arguments_;
  std::string message_;
};

// A catalogue write or erase failed (MessageId::UnableToWrite, the path). The message is all the
// window shows; the reason says in a few words why (the system's text for the error, such as
// "Permission denied", or that another program is changing the catalogue), for the command-line
// tool to add.
class EIniFileException : public Exception {
 public:
  // `path`: the catalogue as messages name it.
  explicit EIniFileException(const std::string& path, std::string reason = {})
      : Exception(MessageId::UnableToWrite, {path}), reason_(std::move(reason)) {}
  const std::string& Reason() const { return reason_; }

  // The failure of a change of the catalogue at `path` with `error` (an errno), its reason in the
  // words of ChangeFailureReason.
  static EIniFileException Failed(const std::string& path, int error);

 private:
  std::string reason_;
};

// A text is not a number (MessageId::NotAFloatingPoint), the text quoted unchanged.
class EConvertError : public Exception {
 public:
  explicit EConvertError(std::string_view text)
      : Exception(MessageId::NotAFloatingPoint,
                  {QuotedText{std::string(text), std::string(text)}}) {}
};

// A stored number beyond double range, or a sum beyond single-precision range:
// MessageId::FloatingPointOverflow.
class EOverflow : public Exception {
 public:
  EOverflow() : Exception(MessageId::FloatingPointOverflow) {}
};

// A unit name that the catalogue file cannot hold so that it reads back the same; nothing is
// written. The message names the name and the problem.
class EInvalidUnitName : public Exception {
 public:
  // MessageId::UnitNameNotStorable, the name quoted as `shown`, the problem one of
  // the kName... ids.
  EInvalidUnitName(std::string_view name, std::string_view shown, MessageId problem)
      : Exception(MessageId::UnitNameNotStorable,
                  {QuotedText{std::string(name), std::string(shown)}, problem}) {}
};

// A power field holds a number that reads as a number but lies beyond double precision's range,
// or so near its top that its stored text would not read back, so it cannot be stored:
// MessageId::TooLargeForAPower, the field's whole text quoted.
class EPowerTooLarge : public Exception {
 public:
  explicit EPowerTooLarge(std::string_view fieldText)
      : Exception(MessageId::TooLargeForAPower,
                  {QuotedText{std::string(fieldText), std::string(fieldText)}}) {}
};

}  // namespace calpero
