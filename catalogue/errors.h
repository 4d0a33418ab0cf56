#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace calpero {

// The base of every error the program raises on purpose. Each carries the message that the user
// sees; the window shows it through its default error presentation, the command-line tool prints
// it.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message), message_(message) {}
  // A message that quotes a text the user gave: `before`, then the text as the window shows it
  // (`shown`), then `after`. The text itself is kept, so that a reader that must show it another
  // way (a terminal, where it could hold control characters) can quote it in its own form.
  Exception(std::string_view before, std::string_view quoted, std::string_view shown,
            std::string_view after)
      : Exception(std::string(before).append(shown).append(after)) {
    quoted_ = quoted;
    quoteBegin_ = before.size();
    quoteLength_ = shown.size();
  }
  // The whole message. It may quote text with NUL bytes in it, where what() would end.
  std::string Message() const { return message_; }
  // The message with the text that it quotes written by `quote` instead: the same wording, the
  // quoted text in the reader's form. The message alone when it quotes nothing.
  template <typename Quote>
  std::string MessageQuoting(Quote quote) const {
    if (!quoted_) {
      return message_;
    }
    return message_.substr(0, quoteBegin_) + quote(*quoted_) +
           message_.substr(quoteBegin_ + quoteLength_);
  }

 private:
  std::string message_;
  std::optional<std::string> quoted_;
  std::size_t quoteBegin_ = 0;
  std::size_t quoteLength_ = 0;
};

// A catalogue write or erase failed: "Unable to write to <path>". The message is all the window
// shows; the reason says in a few words why (the system's text for the error, such as "Permission
// denied", or that another program is changing the catalogue), for the command-line tool to add.
class EIniFileException : public Exception {
 public:
  explicit EIniFileException(const std::string& message, std::string reason = {})
      : Exception(message), reason_(std::move(reason)) {}
  const std::string& Reason() const { return reason_; }

 private:
  std::string reason_;
};

// A text is not a number: "'<text>' is not a valid floating point value", the text unchanged.
class EConvertError : public Exception {
 public:
  explicit EConvertError(std::string_view text)
      : Exception("'", text, text, "' is not a valid floating point value") {}
};

// A stored number beyond double range, or a sum beyond single-precision range:
// "Floating point overflow".
class EOverflow : public Exception {
 public:
  EOverflow() : Exception("Floating point overflow") {}
};

// A unit name that the catalogue file cannot hold so that it reads back the same; nothing is
// written. The message names the name and the problem.
class EInvalidUnitName : public Exception {
 public:
  // "The unit name '<name>' cannot be stored: <problem>", the name as `shown`.
  EInvalidUnitName(std::string_view name, std::string_view shown, std::string_view problem)
      : Exception("The unit name '", name, shown, "' cannot be stored: " + std::string(problem)) {}
};

// A power field holds a number that reads as a number but lies beyond double precision's range,
// or so near its top that its stored text would not read back, so it cannot be stored:
// "'<text>' is too large for a power", the field's whole text quoted.
class EPowerTooLarge : public Exception {
 public:
  explicit EPowerTooLarge(std::string_view fieldText)
      : Exception("'", fieldText, fieldText, "' is too large for a power") {}
};

}  // namespace calpero
