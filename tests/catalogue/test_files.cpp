#include "tests/catalogue/test_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "catalogue/errors.h"

namespace calpero::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "calpero-catalogue-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("mkdtemp failed");
  }
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code error;
  // Read-only folders made by a test must be opened up again before they can be emptied.
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

ScopedWorkingDirectory::ScopedWorkingDirectory(const fs::path& folder)
    : previous_(fs::current_path()) {
  fs::current_path(folder);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() {
  std::error_code error;
  fs::current_path(previous_, error);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << path;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::string Fixture(std::string_view name) {
  return ReadBytes((fs::path(CALPERO_TEST_DATA_DIR) / name).string());
}

mode_t PermissionBits(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
  return status.st_mode & 07777;
}

bool PermissionsApply() { return ::geteuid() != 0; }

bool ReportsFailure(const std::function<void()>& operation) {
  try {
    operation();
    return false;
  } catch (const EIniFileException&) {
    return true;
  }
}

const std::vector<std::pair<std::string_view, double>> kFourPowers = {
    {"Mass", 1}, {"Length", -1}, {"Temperature", 0.5}, {"Time", -2}};

}  // namespace calpero::test
