#pragma once

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
  // The whole message. It may quote text with NUL bytes in it, where what() would end.
  std::string Message() const { return message_; }

 private:
  std::string message_;
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

// A text is not a number: "'<text>' is not a valid floating point value".
class EConvertError : public Exception {
 public:
  using Exception::Exception;
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
  using Exception::Exception;
};

// A power field holds a number that reads as a number but lies beyond double precision's range,
// or so near its top that its stored text would not read back, so it cannot be stored:
// "'<text>' is too large for a power", the field's whole text quoted.
class EPowerTooLarge : public Exception {
 public:
  explicit EPowerTooLarge(std::string_view fieldText)
      // Appended rather than concatenated: GCC 12 warns wrongly (-Wrestrict) on a literal put
      // in front of a string in optimised builds.
      : Exception(std::string("'").append(fieldText).append("' is too large for a power")) {}
};

}  // namespace calpero
