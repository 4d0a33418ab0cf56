#include "app/help_page.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace calpero {
namespace {

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
}

}  // namespace

std::string HelpPagePath(std::string_view programDir) {
  std::string path(programDir);
  if (path.empty() || path.back() != '/') {
    path += '/';
  }
  return path + "Help/index.htm";
}

bool IsHelpPagePresent(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

bool HasHtmlAssociation(const THtmlAssociation& association) {
  if (!association.XdgMimeAvailable) {
    return false;
  }
  return !IsBlank(association.XdgMimeDefault) || !IsBlank(association.BrowserVariable);
}

}  // namespace calpero
