#pragma once

#include <string>
#include <string_view>

namespace calpero {

// The text of the default error box for an error's message: the message with a full stop
// appended when it is not empty and its last character comes after "." in character code order
// ("Floating point overflow" gains one; "...(-1)" and "...!" do not).
std::string ErrorBoxText(std::string_view message);

}  // namespace calpero
