#include "tests/support/temp_folder.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace calpero::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "calpero-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw fs::filesystem_error("cannot make a temporary folder", pattern,
                               std::error_code(errno, std::generic_category()));
  }
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code error;
  // Folders a test made read-only must be opened up again before they can be emptied.
  for (const auto& entry : fs::recursive_directory_iterator(path_, error)) {
    if (entry.is_directory(error)) {
      fs::permissions(entry.path(), fs::perms::owner_all, error);
    }
  }
  fs::permissions(path_, fs::perms::owner_all, error);
  fs::remove_all(path_, error);
}

std::string TempFolder::File(std::string_view name) const { return (path_ / name).string(); }

std::vector<std::string> TempFolder::Entries() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TempProgramFolder::TempProgramFolder() { fs::create_directory(Path() / "Data"); }

void TempProgramFolder::WriteCatalogue(std::string_view bytes) const {
  std::ofstream file(CataloguePath(), std::ios::binary | std::ios::trunc);
  if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush()) {
    throw std::runtime_error("cannot write " + CataloguePath());
  }
}

std::string TempProgramFolder::CatalogueBytes() const {
  std::ifstream file(CataloguePath(), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

ScopedWorkingDirectory::ScopedWorkingDirectory(const fs::path& folder)
    : previous_(fs::current_path()) {
  fs::current_path(folder);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() {
  std::error_code error;
  fs::current_path(previous_, error);
}

}  // namespace calpero::test
