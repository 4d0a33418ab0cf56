#include "window/help_page.h"

#include <filesystem>
#include <system_error>

#include "text/text_bytes.h"

namespace calpero {

std::string HelpPagePath(std::string_view programDir, std::string_view language) {
  std::string folder(programDir);
  if (folder.empty() || folder.back() != '/') {
    folder += '/';
  }
  folder += "Help/";
  if (!language.empty()) {
    std::string translated = folder;
    translated.append(language).append("/index.htm");
    if (IsHelpPagePresent(translated)) {
      return translated;
    }
  }
  return folder + "index.htm";
}

bool IsHelpPagePresent(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

bool HasHtmlAssociation(const THtmlAssociation& association) {
  if (!association.XdgMimeAvailable) {
    return false;
  }
  return !IsBlankText(association.XdgMimeDefault) || !IsBlankText(association.BrowserVariable);
}

THelpOutcome OpenHelpPage(THelpShell& shell, const std::string& page) {
  if (!shell.FindBrowser(page)) {
    return THelpOutcome::BrowserNotFound;
  }
  shell.Launch(page);
  return THelpOutcome::Launched;
}

}  // namespace calpero
