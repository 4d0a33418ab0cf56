#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace calpero::test {

// A fresh private folder under the system's temporary folder (TMPDIR when set), removed with
// everything in it when the object goes, whatever permissions a test left on its entries.
// The one temporary folder of the tests and the benchmarks.
class TempFolder {
 public:
  // Throws std::filesystem::filesystem_error when no folder can be made.
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The path of `name` inside the folder, as a string.
  std::string File(std::string_view name) const;
  // The names of the folder's entries, sorted.
  std::vector<std::string> Entries() const;

 private:
  std::filesystem::path path_;
};

// A TempFolder laid out as the program's own folder: an empty "Data" folder in it, where the
// catalogue file "Data/data.ini" goes (it does not exist at first).
class TempProgramFolder : public TempFolder {
 public:
  TempProgramFolder();

  std::string CataloguePath() const { return File("Data/data.ini"); }
  // Replaces the catalogue file with `bytes`; throws std::runtime_error when it cannot.
  void WriteCatalogue(std::string_view bytes) const;
  // The catalogue file's bytes, empty when it does not exist.
  std::string CatalogueBytes() const;
};

// Makes `folder` the working directory for its lifetime and the previous one again at its end.
class ScopedWorkingDirectory {
 public:
  explicit ScopedWorkingDirectory(const std::filesystem::path& folder);
  ~ScopedWorkingDirectory();
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

}  // namespace calpero::test
