#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace calpero::testing {

// What one run of the built calpero-cli left behind.
struct TCliResult {
  int ExitStatus = -1;  // -1 when the program did not end normally
  std::string Out;
  std::string Err;
};

// A fresh folder under the system's temporary folder holding an empty "Data" folder, removed
// with the object. Runs calpero-cli there.
class TWorkspace {
 public:
  TWorkspace();
  ~TWorkspace();
  TWorkspace(const TWorkspace&) = delete;
  TWorkspace& operator=(const TWorkspace&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  std::string ReadCatalogue() const { return ReadFile(root_ / "Data" / "data.ini"); }
  void WriteCatalogue(const std::string& bytes) const {
    WriteFile(root_ / "Data" / "data.ini", bytes);
  }

  // Runs calpero-cli with `arguments` in `directory` (the root when empty) under the locale
  // settings `environment` ("LC_ALL=C" unless given: no run depends on the machine's locale).
  TCliResult Run(const std::vector<std::string>& arguments, const std::string& environment = "",
                 const std::filesystem::path& directory = {}) const;

  static void WriteFile(const std::filesystem::path& path, const std::string& bytes);
  static std::string ReadFile(const std::filesystem::path& path);  // empty when unreadable

 private:
  std::filesystem::path root_;
};

// `text` as one word for the shell.
std::string ShellWord(const std::string& text);

}  // namespace calpero::testing
