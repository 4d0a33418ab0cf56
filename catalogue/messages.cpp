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
    {MessageId::Text, {"", "%1"}},
    {MessageId::UnableToWrite, TranslatableText("Errors", "Unable to write to %1")},
    {MessageId::NotAFloatingPoint,
     TranslatableText("Errors", "'%1' is not a valid floating point value")},
    {MessageId::TooLargeForAPower, TranslatableText("Errors", "'%1' is too large for a power")},
    {MessageId::FloatingPointOverflow, TranslatableText("Errors", "Floating point overflow")},
    {MessageId::ListIndexOutOfBounds, TranslatableText("Errors", "List index out of bounds (%1)")},
    {MessageId::UnitNameNotStorable,
     TranslatableText("Errors", "The unit name '%1' cannot be stored: %2")},
    {MessageId::NameIsEmpty, TranslatableText("Errors", "it is empty")},
    {MessageId::NameHasNul, TranslatableText("Errors", "it contains a NUL character")},
    {MessageId::NameHasLineBreak, TranslatableText("Errors", "it contains a line break")},
    {MessageId::NameHasBracket, TranslatableText("Errors", "it contains ']'")},
    {MessageId::NameBeginsWithBlank, TranslatableText("Errors", "it begins with a space or tab")},
    {MessageId::NameEndsWithBlank, TranslatableText("Errors", "it ends with a space or tab")},
    {MessageId::NothingUndoneCatalogue,
     TranslatableText("Errors", "Nothing undone: another program has changed the catalogue since")},
    {MessageId::NothingRedoneCatalogue,
     TranslatableText("Errors", "Nothing redone: another program has changed the catalogue since")},
    {MessageId::NothingUndoneBackup,
     TranslatableText("Errors", "Nothing undone: another program has changed the backup since")},
    {MessageId::NothingRedoneBackup,
     TranslatableText("Errors", "Nothing redone: another program has changed the backup since")},
    {MessageId::NothingUndoneUnit,
     TranslatableText("Errors", "Nothing undone: another program has changed %1 since")},
    {MessageId::NothingRedoneUnit,
     TranslatableText("Errors", "Nothing redone: another program has changed %1 since")},
    {MessageId::BlankFields,
     TranslatableText("NewVarDlg", "Some fields were left blank - data not saved")},
    {MessageId::BlankFieldsCaption, TranslatableText("NewVarDlg", "Error")},
    {MessageId::ReplaceUnit,
     TranslatableText("NewVarDlg", "The unit already exists.  Do you want to replace it?")},
    {MessageId::ReplaceUnitCaption, TranslatableText("NewVarDlg", "Warning")},
});

constexpr bool EachIdInItsPlace() {
  for (std::size_t i = 0; i < kMessages.size(); ++i) {
    if (static_cast<std::size_t>(kMessages.at(i).Id) != i) {
      return false;
    }
  }
  return kMessages.size() == static_cast<std::size_t>(MessageId::Count);
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
