#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "storage/file_system.h"
#include "tests/support/temp_folder.h"

namespace calpero::test {

// Unit names, as the catalogue lists them.
using Names = std::vector<std::string>;

// The bytes of the file at `path`; fails the test and returns "" when it cannot be read.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);
// The bytes of the fixture `name` in tests/data (or in CALPERO_TEST_DATA_DIR, when set, for a run
// from a copy of the tests).
std::string Fixture(std::string_view name);
// The entries of `folder`, sorted, leaving out the writers' lock files (".<name>.calpero-lock"),
// which the first change of a file makes beside it and which stay.
std::vector<std::string> EntriesBesideLocks(const TempFolder& folder);
// The permission bits of the file at `path`.
mode_t PermissionBits(const std::string& path);

// A right taken from this process for the object's lifetime, whoever runs the test: it gives the
// file or folder at `path` the permission bits `mode`, which refuse the right to an unprivileged
// user, and puts calls in force (see storage/file_system.h) that refuse with EACCES what those
// bits refuse, as root passes them. With CALPERO_TEST_REAL_PERMISSIONS set (the unprivileged run
// of these tests, tests/catalogue/unprivileged_run.sh) only the bits refuse. Puts the old bits
// back at its end.
class RefusedRight {
 public:
  enum class Right {
    kReadFile,       // the file at `path` cannot be opened for reading
    kWriteInFolder,  // no entry can be created, renamed or removed in the folder at `path`
    kReadFolder,     // the folder at `path` cannot be opened for reading (listed), only searched
  };
  RefusedRight(Right right, const std::string& path, mode_t mode);
  ~RefusedRight();
  RefusedRight(const RefusedRight&) = delete;
  RefusedRight& operator=(const RefusedRight&) = delete;

 private:
  std::string path_;
  mode_t previousMode_;
  std::optional<ScopedFileSystem> refusing_;
};

// Runs a catalogue write and tells whether it reported its failure with EIniFileException.
bool ReportsFailure(const std::function<void()>& operation);

// A POSIX access ACL as Linux stores it: the owner, the group and the mask may read and write,
// and so may the user `second`; others nothing.
std::string AccessAcl(std::uint32_t second);
// The POSIX access ACL of the file at `path`; empty when it has none.
std::string AccessAclOf(const std::string& path);

// Four powers of one unit, for the paths that write a whole unit at once.
extern const std::vector<std::pair<std::string_view, double>> kFourPowers;

}  // namespace calpero::test
