#include "tests/catalogue/test_files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "catalogue/errors.h"

namespace calpero::test {

namespace fs = std::filesystem;

std::string AccessAcl(std::uint32_t second) {
  std::string acl;
  const auto put = [&acl](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
      acl.push_back(static_cast<char>((value >> (8U * static_cast<unsigned>(i))) & 0xFFU));
    }
  };
  constexpr std::uint32_t kNoId = 0xFFFFFFFFU;
  put(2, 4);  // the format's version
  for (const auto& [tag, id] : std::vector<std::pair<std::uint32_t, std::uint32_t>>{
           {0x01, kNoId}, {0x02, second}, {0x04, kNoId}, {0x10, kNoId}, {0x20, kNoId}}) {
    put(tag, 2);
    put(tag == 0x20 ? 0 : 6, 2);
    put(id, 4);
  }
  return acl;
}

std::string AccessAclOf(const std::string& path) {
  std::string acl(256, '\0');
  const ssize_t size = ::getxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size());
  acl.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
  return acl;
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
  const char* copy = std::getenv("CALPERO_TEST_DATA_DIR");
  return ReadBytes((fs::path(copy != nullptr ? copy : CALPERO_TEST_DATA_DIR) / name).string());
}

std::vector<std::string> EntriesBesideLocks(const TempFolder& folder) {
  std::vector<std::string> entries = folder.Entries();
  std::erase_if(entries, [](const std::string& name) { return name.ends_with(".calpero-lock"); });
  return entries;
}

mode_t PermissionBits(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
  return status.st_mode & 07777;
}

namespace {

// The path that `name`, relative to the folder open as `folder` (or to the working directory),
// stands for.
fs::path PathAt(int folder, const char* name) {
  const fs::path base = folder == AT_FDCWD
                            ? fs::current_path()
                            : fs::read_symlink("/proc/self/fd/" + std::to_string(folder));
  return (base / name).lexically_normal();
}

bool InFolder(int folder, const char* name, const fs::path& target) {
  const fs::path path = PathAt(folder, name);
  return path.parent_path() == target;
}

// The system's calls, except those that the right refuses.
FileSystemCalls Refusing(RefusedRight::Right right, const fs::path& path) {
  const FileSystemCalls real = SystemFileSystem();
  FileSystemCalls calls = real;
  const fs::path target = fs::absolute(path).lexically_normal();
  const auto refuse = [] {
    errno = EACCES;
    return -1;
  };
  if (right == RefusedRight::Right::kReadFile) {
    calls.Openat = [=](int folder, const char* name, int flags, mode_t mode) {
      const bool reads = (flags & O_ACCMODE) != O_WRONLY && (flags & O_PATH) == 0;
      return reads && PathAt(folder, name) == target ? refuse()
                                                     : real.Openat(folder, name, flags, mode);
    };
    return calls;
  }
  if (right == RefusedRight::Right::kReadFolder) {
    calls.Openat = [=](int folder, const char* name, int flags, mode_t mode) {
      return (flags & O_PATH) == 0 && PathAt(folder, name) == target
                 ? refuse()
                 : real.Openat(folder, name, flags, mode);
    };
    return calls;
  }
  calls.Openat = [=](int folder, const char* name, int flags, mode_t mode) {
    return (flags & O_CREAT) != 0 && InFolder(folder, name, target)
               ? refuse()
               : real.Openat(folder, name, flags, mode);
  };
  calls.Renameat = [=](int fromFolder, const char* from, int toFolder, const char* to,
                       unsigned flags) {
    return InFolder(fromFolder, from, target) || InFolder(toFolder, to, target)
               ? refuse()
               : real.Renameat(fromFolder, from, toFolder, to, flags);
  };
  calls.Linkat = [=](int fromFolder, const char* from, int toFolder, const char* to) {
    return InFolder(toFolder, to, target) ? refuse() : real.Linkat(fromFolder, from, toFolder, to);
  };
  calls.Unlinkat = [=](int folder, const char* name) {
    return InFolder(folder, name, target) ? refuse() : real.Unlinkat(folder, name);
  };
  return calls;
}

}  // namespace

RefusedRight::RefusedRight(Right right, const std::string& path, mode_t mode)
    : path_(path), previousMode_(PermissionBits(path)) {
  EXPECT_EQ(::chmod(path.c_str(), mode), 0) << path;
  if (std::getenv("CALPERO_TEST_REAL_PERMISSIONS") == nullptr) {
    refusing_.emplace(Refusing(right, path));
  } else {
    EXPECT_NE(::geteuid(), 0U) << "the run with real permission bits needs an unprivileged user";
  }
}

RefusedRight::~RefusedRight() { ::chmod(path_.c_str(), previousMode_); }

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
