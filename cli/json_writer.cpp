#include "cli/json_writer.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "cli/terminal_text.h"
#include "text/text_bytes.h"

namespace calpero {
namespace {

void AppendUnicodeEscape(std::string& out, std::string_view prefix, std::uint8_t value) {
  constexpr std::string_view kHexDigits = "0123456789abcdef";
  out += prefix;
  out += kHexDigits[value >> 4U];
  out += kHexDigits[value & 0x0FU];
}

void AppendEscapedAscii(std::string& out, char character) {
  switch (character) {
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    case '\b':
      out += "\\b";
      return;
    case '\f':
      out += "\\f";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
    default:
      if (static_cast<std::uint8_t>(character) < 0x20 || character == '\x7F') {
        AppendUnicodeEscape(out, "\\u00", static_cast<std::uint8_t>(character));
      } else {
        out += character;
      }
  }
}

template <typename Real>
std::string ShortestNumber(Real value) {
  if (!std::isfinite(value)) {
    return "null";
  }
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return {buffer.data(), result.ptr};
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  while (!text.empty()) {
    const std::size_t length = Utf8SequenceLength(text);
    if (length == 0) {
      AppendUnicodeEscape(out, "\\udc", static_cast<std::uint8_t>(text.front()));
      text.remove_prefix(1);
    } else if (length == 1) {
      AppendEscapedAscii(out, text.front());
      text.remove_prefix(1);
    } else {
      // Valid, but able to act on a terminal that shows the JSON, or to reorder its line.
      if (const std::optional<std::uint32_t> control = TerminalControl(text.substr(0, length))) {
        AppendUnicodeEscape(out, "\\u", static_cast<std::uint8_t>(*control >> 8U));
        AppendUnicodeEscape(out, "", static_cast<std::uint8_t>(*control & 0xFFU));
      } else {
        out += text.substr(0, length);
      }
      text.remove_prefix(length);
    }
  }
  out += '"';
  return out;
}

std::string JsonNumber(double value) { return ShortestNumber(value); }

std::string JsonNumber(float value) { return ShortestNumber(value); }

void TJsonWriter::BeginObject() { Open('{'); }

void TJsonWriter::EndObject() { Close('}'); }

void TJsonWriter::BeginArray() { Open('['); }

void TJsonWriter::EndArray() { Close(']'); }

void TJsonWriter::Key(std::string_view name) {
  BeforeValue();
  text_ += JsonString(name);
  text_ += ':';
  afterKey_ = true;
}

void TJsonWriter::String(std::string_view text) {
  BeforeValue();
  text_ += JsonString(text);
}

void TJsonWriter::Number(double value) {
  BeforeValue();
  text_ += JsonNumber(value);
}

void TJsonWriter::Number(float value) {
  BeforeValue();
  text_ += JsonNumber(value);
}

// A value right after its key needs no comma; any other value or key does, unless it is the
// first in its container.
void TJsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (containerIsEmpty_.empty()) {
    return;
  }
  if (!containerIsEmpty_.back()) {
    text_ += ',';
  }
  containerIsEmpty_.back() = false;
}

void TJsonWriter::Open(char bracket) {
  BeforeValue();
  text_ += bracket;
  containerIsEmpty_.push_back(true);
}

void TJsonWriter::Close(char bracket) {
  text_ += bracket;
  containerIsEmpty_.pop_back();
}

}  // namespace calpero
