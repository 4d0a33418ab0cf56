#include "catalogue/errors.h"

#include "storage/whole_file.h"

namespace calpero {

std::string Exception::EnglishText(const MessageArgument& argument) {
  if (const auto* text = std::get_if<std::string>(&argument)) {
    return *text;
  }
  if (const auto* quoted = std::get_if<QuotedText>(&argument)) {
    return quoted->Shown;
  }
  return EnglishMessage(std::get<MessageId>(argument));
}

std::string Exception::EnglishMessageOf(MessageId id,
                                        const std::vector<MessageArgument>& arguments) {
  std::vector<std::string> texts;
  texts.reserve(arguments.size());
  for (const MessageArgument& argument : arguments) {
    texts.push_back(EnglishText(argument));
  }
  return FillPlaces(PatternOf(id).English, texts);
}

EIniFileException EIniFileException::Failed(const std::string& path, int error) {
  return EIniFileException(path, ChangeFailureReason(error));
}

}  // namespace calpero
