#pragma once

// The program's own messages: each has an id, and its English text is made from the id and the
// texts that fill its places ("%1", "%2"). The English patterns live in one table (messages.cpp);
// the command-line tool prints them, and the window translates each by its id, the same table
// being the source text of the translations.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace calpero {

enum class MessageId {
  // A text given whole, with no id of its own: the command-line tool's own reports. The one
  // place holds the text.
  Text,
  // What the places hold, where a message has them (the texts are in messages.cpp).
  UnableToWrite,          // the catalogue's path
  NotAFloatingPoint,      // the text that is not a number
  TooLargeForAPower,      // the power field's text
  FloatingPointOverflow,  //
  ListIndexOutOfBounds,   // the index
  UnitNameNotStorable,    // the name, then its problem (one of the next six)
  // Why a unit name cannot be stored: the "%2" of UnitNameNotStorable.
  NameIsEmpty,
  NameHasNul,
  NameHasLineBreak,
  NameHasBracket,
  NameBeginsWithBlank,
  NameEndsWithBlank,
  // An undo or redo that found its change overwritten by another program: the catalogue (a
  // restore), the backup, or the unit named in "%1".
  NothingUndoneCatalogue,
  NothingRedoneCatalogue,
  NothingUndoneBackup,
  NothingRedoneBackup,
  NothingUndoneUnit,
  NothingRedoneUnit,
  // The new-unit dialog's message boxes: texts and captions.
  BlankFields,
  BlankFieldsCaption,
  ReplaceUnit,
  ReplaceUnitCaption,
  Count  // the number of ids above; not a message
};

// One message's English pattern and the context that its translations are filed under.
struct MessagePattern {
  const char* Context;
  const char* English;
};

// Marks a message's English pattern for the window's translation tools: lupdate is told to read
// this name as QT_TRANSLATE_NOOP (`-tr-function-alias`), so the pattern is written once, here,
// for both the English text and its translations.
constexpr MessagePattern TranslatableText(const char* context, const char* english) {
  return {context, english};
}

// The pattern of `id`.
const MessagePattern& PatternOf(MessageId id);

// `pattern` with "%1" and "%2" replaced by the first and second of `texts` (a place without a
// text is left empty). The texts are put in as they are: a "%2" in the first is not filled.
std::string FillPlaces(std::string_view pattern, std::span<const std::string> texts);

// The English message of an id without places.
inline std::string EnglishMessage(MessageId id) { return PatternOf(id).English; }

}  // namespace calpero
