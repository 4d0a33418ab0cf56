#include "catalogue/messages.h"

#include <array>

namespace calpero {
namespace {

struct MessageEntry {
  MessageId Id;
  MessagePattern Pattern;
};

// Every message in the order of its id. The window's translations take their source texts from
// here (lupdate reads this file): a reworded pattern arrives there as a new, untranslated text.
constexpr std::array kMessages = std::to_array<MessageEntry>({
    {MessageId::KText, {"", "%1"}},
    {MessageId::KUnableToWrite, TranslatableText("Errors", "Unable to write to %1")},
    {MessageId::KNotAFloatingPoint,
     TranslatableText("Errors", "'%1' is not a valid floating point value")},
    {MessageId::KTooLargeForAPower, TranslatableText("Errors", "'%1' is too large for a power")},
    {MessageId::KFloatingPointOverflow, TranslatableText("Errors", "Floating point overflow")},
    {MessageId::KListIndexOutOfBounds, TranslatableText("Errors", "List index out of bounds (%1)")},
    {MessageId::KUnitNameNotStorable,
     TranslatableText("Errors", "The unit name '%1' cannot be stored: %2")},
    {MessageId::KNameIsEmpty, TranslatableText("Errors", "it is empty")},
    {MessageId::KNameHasNul, TranslatableText("Errors", "it contains a NUL character")},
    {MessageId::KNameHasLineBreak, TranslatableText("Errors", "it contains a line break")},
    {MessageId::KNameHasBracket, TranslatableText("Errors", "it contains ']'")},
    {MessageId::KNameBeginsWithBlank, TranslatableText("Errors", "it begins with a space or tab")},
    {MessageId::KNameEndsWithBlank, TranslatableText("Errors", "it ends with a space or tab")},
    {MessageId::KNothingUndoneCatalogue,
     TranslatableText("Errors", "Nothing undone: another program has changed the catalogue since")},
    {MessageId::KNothingRedoneCatalogue,
     TranslatableText("Errors", "Nothing redone: another program has changed the catalogue since")},
    {MessageId::KNothingUndoneBackup,
     TranslatableText("Errors", "Nothing undone: another program has changed the backup since")},
    {MessageId::KNothingRedoneBackup,
     TranslatableText("Errors", "Nothing redone: another program has changed the backup since")},
    {MessageId::KNothingUndoneUnit,
     TranslatableText("Errors", "Nothing undone: another program has changed %1 since")},
    {MessageId::KNothingRedoneUnit,
     TranslatableText("Errors", "Nothing redone: another program has changed %1 since")},
    {MessageId::KBlankFields,
     TranslatableText("NewVarDlg", "Some fields were left blank - data not saved")},
    {MessageId::KBlankFieldsCaption, TranslatableText("NewVarDlg", "Error")},
    {MessageId::KReplaceUnit,
     TranslatableText("NewVarDlg", "The unit already exists.  Do you want to replace it?")},
    {MessageId::KReplaceUnitCaption, TranslatableText("NewVarDlg", "Warning")},
});

constexpr bool EachIdInItsPlace() {
  for (std::size_t i = 0; i < kMessages.size(); ++i) {
    if (static_cast<std::size_t>(kMessages.at(i).Id) != i) {
      return false;
    }
  }
  return kMessages.size() == static_cast<std::size_t>(MessageId::KCount);
}
static_assert(EachIdInItsPlace(), "kMessages holds every id once, in the order of MessageId");

}  // namespace

const MessagePattern& PatternOf(MessageId id) {
  return kMessages.at(static_cast<std::size_t>(id)).Pattern;
}

std::string FillPlaces(std::string_view pattern, std::span<const std::string> texts) {
  std::string filled;
  std::size_t from = 0;
  for (std::size_t place = pattern.find('%'); place != std::string_view::npos;
       place = pattern.find('%', place + 1)) {
    if (place + 1 == pattern.size() || (pattern[place + 1] != '1' && pattern[place + 1] != '2')) {
      continue;
    }
    filled.append(pattern.substr(from, place - from));
    const auto index = static_cast<std::size_t>(pattern[place + 1] - '1');
    if (index < texts.size()) {
      filled.append(texts[index]);
    }
    from = place + 2;
    place = from - 1;
  }
  filled.append(pattern.substr(from));
  return filled;
}

}  // namespace calpero
