#include "cli/save_arguments_view.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace calpero {
namespace {

std::size_t Index(TNewVarField field) { return static_cast<std::size_t>(field); }

}  // namespace

TSaveArgumentsView::TSaveArgumentsView(std::string name, std::array<std::string, 4> powers,
                                       bool replace)
    : replace_(replace) {
  std::move(powers.begin(), powers.end(), fields_.begin());
  fields_.at(Index(TNewVarField::Name)) = std::move(name);
}

std::string TSaveArgumentsView::FieldText(TNewVarField field) const {
  return fields_.at(Index(field));
}

void TSaveArgumentsView::SetFieldText(TNewVarField field, const std::string& text) {
  fields_.at(Index(field)) = text;
}

int TSaveArgumentsView::ShowMessage(MessageId text, MessageId /*caption*/, int flags) {
  if (flags != kMessageFlagsYesNo) {
    refusal_ = EnglishMessage(text);
    return 0;
  }
  if (replace_) {
    return kMessageYes;
  }
  refusal_ = "The unit already exists. Use --replace to replace it.";
  return kMessageNo;
}

}  // namespace calpero
