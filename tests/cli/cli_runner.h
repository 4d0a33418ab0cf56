#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace calpero::testing {

// What one run of the built calpero-cli left behind.
struct TCliResult {
  int ExitStatus = -1;  // -1 when the program did not end normally
  std::string Out;
  std::string Err;
};

// A private program folder (see TempProgramFolder) where calpero-cli runs.
class TWorkspace : public test::TempProgramFolder {
 public:
  const std::filesystem::path& Root() const { return Path(); }
  std::string ReadCatalogue() const { return CatalogueBytes(); }

  // Runs calpero-cli with `arguments` in `directory` (the root when empty) under the locale
  // settings `environment` ("LC_ALL=C" unless given: no run depends on the machine's locale).
  TCliResult Run(const std::vector<std::string>& arguments, const std::string& environment = "",
                 const std::filesystem::path& directory = {}) const;

  static void WriteFile(const std::filesystem::path& path, const std::string& bytes);
  static std::string ReadFile(const std::filesystem::path& path);  // empty when unreadable
};

// `text` as one word for the shell.
std::string ShellWord(const std::string& text);

}  // namespace calpero::testing
