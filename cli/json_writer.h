#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace calpero {

// Builds one compact JSON text. Commas between members and elements are placed by the writer;
// the caller opens and closes containers in matching pairs and gives each object member a Key
// before its value. Numbers never depend on the C locale.
class TJsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // The name of the next object member.
  void Key(std::string_view name);
  void String(std::string_view text);
  void Number(double value);
  void Number(float value);

  // The text written so far.
  const std::string& Text() const { return text_; }

 private:
  void BeforeValue();
  void Open(char bracket);
  void Close(char bracket);

  std::string text_;
  std::vector<bool> containerIsEmpty_;  // one entry per open container, innermost last
  bool afterKey_ = false;
};

// `text` as a JSON string, quotes included. Valid UTF-8 passes through; quote, backslash and
// control characters are escaped. A byte that is not part of valid UTF-8 (a name written in a
// single-byte code page, say) becomes the escape of the lone surrogate U+DC00 plus the byte's
// value, byte C5 as "\udcc5": valid UTF-8 never holds a surrogate, so the escaped name differs
// from every other name, and a reader that decodes with Python's "surrogateescape" (or maps
// U+DC80..U+DCFF back to bytes itself) gets the name's bytes back.
std::string JsonString(std::string_view text);

// The shortest text that reads back as the same double (or float): "0.5", "-2", "1e-05".
// A value that is not finite, which JSON cannot carry, gives "null".
std::string JsonNumber(double value);
std::string JsonNumber(float value);

}  // namespace calpero
