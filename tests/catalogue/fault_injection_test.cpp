// Every write path of the catalogue and its copies, with the Nth system call failing, once or from
// then on: the operation reports the failure (an EIniFileException, or false for the copies), its
// target stays byte-identical and no temporary is left, unless the failure came after the new
// file was in place. And the disk really full, where a tmpfs can be mounted.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue_copy.h"
#include "catalogue/errors.h"
#include "catalogue/unit_catalogue.h"
#include "storage/file_system.h"
#include "storage/temporary_files.h"
#include "tests/catalogue/test_files.h"
#include "tests/support/failing_calls.h"

namespace calpero::test {
namespace {

namespace fs = std::filesystem;

// One write path, run in a working folder holding Data/ and Backup/: the file it replaces, whether
// that file exists beforehand, and the operation, which returns whether it reported a failure.
struct WritePath {
  const char* what;
  const char* target;
  bool targetExists;
  std::function<bool()> run;
};

const std::vector<WritePath> kWritePaths = {
    {"WritePower creating the catalogue", "Data/data.ini", false,
     [] { return ReportsFailure([] { UnitCatalogue().WritePower("A", "Mass", 1); }); }},
    {"WritePower replacing a value", "Data/data.ini", true,
     [] { return ReportsFailure([] { UnitCatalogue().WritePower("UnitA", "Mass", 3); }); }},
    {"WritePower adding a unit", "Data/data.ini", true,
     [] { return ReportsFailure([] { UnitCatalogue().WritePower("New", "Time", 3); }); }},
    {"WritePowers replacing a unit", "Data/data.ini", true,
     [] { return ReportsFailure([] { UnitCatalogue().WritePowers("UnitB", kFourPowers); }); }},
    {"WritePowers adding a unit", "Data/data.ini", true,
     [] { return ReportsFailure([] { UnitCatalogue().WritePowers("New", kFourPowers); }); }},
    {"EraseUnit", "Data/data.ini", true,
     [] { return ReportsFailure([] { UnitCatalogue().EraseUnit("UnitA"); }); }},
    {"CopyCatalogueFile", "Data/data.ini", true,
     [] { return !CopyCatalogueFile("source.ini", "Data/data.ini"); }},
    {"BackUpCatalogue replacing the backup", "Backup/data.ini", true,
     [] { return !BackUpCatalogue(); }},
    {"BackUpCatalogue creating the backup", "Backup/data.ini", false,
     [] { return !BackUpCatalogue(); }},
    {"RestoreCatalogue", "Data/data.ini", true, [] { return !RestoreCatalogue(); }},
};

class FaultInjectionTest : public ::testing::Test {
 protected:
  // Lays the working folder out afresh for `path`.
  void Prepare(const WritePath& path) {
    fs::remove_all(folder_.File("Data"));
    fs::remove_all(folder_.File("Backup"));
    fs::create_directory(folder_.File("Data"));
    fs::create_directory(folder_.File("Backup"));
    WriteBytes(folder_.File("source.ini"), "[Copied]\nMass=1\n");
    WriteBytes(folder_.File("Data/data.ini"), Fixture("crlf_line_ends.ini"));
    WriteBytes(folder_.File("Backup/data.ini"), Fixture("other_keys.ini"));
    if (!path.targetExists) {
      fs::remove(folder_.File(path.target));
      acl_.clear();
      return;
    }
    // A user besides the owner may write the target: a replacement made without reading that
    // right would take it away.
    const std::string target = folder_.File(path.target);
    ::chmod(target.c_str(), 0660);
    acl_ = AccessAcl(kSecondUser);
    if (::setxattr(target.c_str(), "system.posix_acl_access", acl_.data(), acl_.size(), 0) != 0) {
      acl_.clear();  // the file system keeps no ACLs
    }
  }

  // Whether the target has the ACL it was given, where it was given one.
  bool KeepsItsAcl(const WritePath& path) const {
    return acl_.empty() || AccessAclOf(folder_.File(path.target)) == acl_;
  }

  std::optional<std::string> Target(const WritePath& path) const {
    if (!fs::exists(folder_.File(path.target))) {
      return std::nullopt;
    }
    return ReadBytes(folder_.File(path.target));
  }

  // The temporaries of the target in its folder.
  int Temporaries(const WritePath& path) const {
    int count = 0;
    for (const auto& entry :
         fs::directory_iterator(fs::path(folder_.File(path.target)).parent_path())) {
      count += IsTemporaryName(entry.path().filename().string(), "data.ini") ? 1 : 0;
    }
    return count;
  }

  // Runs `path` with the `failAt`th call failing as `failure` says and checks the outcome, then
  // checks that the next successful run leaves no temporary. Returns whether any call failed.
  bool RunFailing(const WritePath& path, int failAt, Failure failure,
                  const std::optional<std::string>& before,
                  const std::optional<std::string>& after) {
    Prepare(path);
    // A passing fault (EIO) once, a full disk (ENOSPC) from then on.
    const auto injection = std::make_shared<CallLog>();
    injection->failAt = failAt;
    injection->failure = failure;
    injection->error = failure == Failure::kOnce ? EIO : ENOSPC;
    bool reported = false;
    {
      const ScopedFileSystem failing(FailingCalls(injection));
      reported = path.run();
    }
    const std::string where = std::string(path.what) + ", call " + std::to_string(failAt) +
                              (failure == Failure::kOnce ? " failing once" : " failing on");
    const bool replaced = injection->renamedBeforeFailure;
    EXPECT_EQ(reported, injection->failed && !replaced) << where;
    EXPECT_EQ(Target(path), replaced || !injection->failed ? after : before) << where;
    if (failure == Failure::kOnce) {
      EXPECT_EQ(Temporaries(path), 0) << where;
    }
    EXPECT_TRUE(KeepsItsAcl(path)) << where;
    // A failure that even kept the temporary from being removed leaves it stale; the next
    // successful run removes it.
    EXPECT_FALSE(path.run()) << where;
    EXPECT_EQ(Target(path), after) << where;
    EXPECT_EQ(Temporaries(path), 0) << where << ", after the next run";
    EXPECT_TRUE(KeepsItsAcl(path)) << where << ", after the next run";
    return injection->failed;
  }

  static constexpr std::uint32_t kSecondUser = 4301;
  TempFolder folder_;
  std::string acl_;
  ScopedWorkingDirectory inFolder_{folder_.Path()};
};

TEST_F(FaultInjectionTest, EveryCallOfEveryWritePathFailingOnceOrFromThenOnChangesNothing) {
  for (const WritePath& path : kWritePaths) {
    Prepare(path);
    const std::optional<std::string> before = Target(path);
    ASSERT_FALSE(path.run()) << path.what;
    const std::optional<std::string> after = Target(path);
    ASSERT_NE(after, before) << path.what;
    for (const Failure failure : {Failure::kOnce, Failure::kFromThenOn}) {
      int failAt = 1;
      while (RunFailing(path, failAt, failure, before, after)) {
        ++failAt;
        ASSERT_LT(failAt, 100) << path.what << ": the calls do not end";
      }
      // The folder's open and flock for the lock, the temporary's open, write, fsync, rename and
      // close, then the folder's open, fsync and close; fchmod besides when the file keeps a mode.
      EXPECT_GE(failAt, 11) << path.what << ": fewer calls than the replacement needs";
    }
  }
}

// Reading the target's ACL fails: an error that says there is none (ENODATA) or that the file
// system keeps none (ENOTSUP) lets the change go ahead; any other fails it before anything is
// replaced, where a replacement made without the ACL would take a user's right away. An
// interrupted read is read again.
TEST_F(FaultInjectionTest, AnAclThatCannotBeReadFailsTheChangeBeforeAnythingIsReplaced) {
  struct Case {
    int error;
    Failure failure;
    bool fails;
  };
  const std::vector<Case> cases = {{EIO, Failure::kOnce, true},
                                   {EACCES, Failure::kOnce, true},
                                   {EINTR, Failure::kOnce, false},
                                   {EINTR, Failure::kFromThenOn, true},
                                   {ENODATA, Failure::kFromThenOn, false},
                                   {ENOTSUP, Failure::kFromThenOn, false}};
  for (const WritePath& path : kWritePaths) {
    if (!path.targetExists) {
      continue;
    }
    Prepare(path);
    const std::optional<std::string> before = Target(path);
    ASSERT_FALSE(path.run()) << path.what;
    const std::optional<std::string> after = Target(path);
    for (const Case& c : cases) {
      Prepare(path);
      const auto injection = std::make_shared<CallLog>();
      injection->only = "fgetxattr";
      injection->failAt = 1;
      injection->failure = c.failure;
      injection->error = c.error;
      bool reported = false;
      {
        const ScopedFileSystem failing(FailingCalls(injection));
        reported = path.run();
      }
      const std::string where = std::string(path.what) + ", " + std::strerror(c.error);
      EXPECT_EQ(reported, c.fails) << where;
      EXPECT_EQ(Target(path), c.fails ? before : after) << where;
      EXPECT_EQ(Temporaries(path), 0) << where;
      if (c.error != ENODATA && c.error != ENOTSUP) {
        EXPECT_TRUE(KeepsItsAcl(path)) << where;
      }
    }
  }
}

// What a read that ends early delivers first.
constexpr std::size_t kFirstBytes = 7;

// A read that ends before the file's size while the file keeps that size and time (a network or
// FUSE file system that delivered less than it has) is read on when more comes, and refused when
// nothing more comes: a text made from what came first is never published, whether it is the
// catalogue that a save or an erase edits or the source of a copy.
TEST_F(FaultInjectionTest, AReadThatEndsEarlyIsReadOnOrRefusedButNeverPublished) {
  for (const WritePath& path : kWritePaths) {
    Prepare(path);
    const std::optional<std::string> before = Target(path);
    ASSERT_FALSE(path.run()) << path.what;
    const std::optional<std::string> after = Target(path);
    for (const bool forGood : {false, true}) {
      Prepare(path);
      // Each file opened delivers a few bytes, then ends once, or for good.
      struct Reads {
        std::map<int, int> ofFile;
        bool endedEarly = false;
      };
      const auto reads = std::make_shared<Reads>();
      const FileSystemCalls real = SystemFileSystem();
      FileSystemCalls calls = real;
      calls.Openat = [real, reads](int folder, const char* name, int flags, mode_t mode) {
        const int fd = real.Openat(folder, name, flags, mode);
        reads->ofFile[fd] = 0;
        return fd;
      };
      calls.Read = [real, reads, forGood](int fd, void* data, std::size_t size) -> ssize_t {
        const int count = ++reads->ofFile[fd];
        if (count == 1) {
          return real.Read(fd, data, std::min(size, kFirstBytes));
        }
        if (count == 2 || forGood) {
          reads->endedEarly = true;
          return 0;
        }
        return real.Read(fd, data, size);
      };
      bool reported = false;
      {
        const ScopedFileSystem ending(calls);
        reported = path.run();
      }
      const std::string where = std::string(path.what) + (forGood ? ", for good" : ", once");
      const bool refused = forGood && reads->endedEarly;
      EXPECT_EQ(reported, refused) << where;
      EXPECT_EQ(Target(path), refused ? before : after) << where;
      EXPECT_EQ(Temporaries(path), 0) << where;
    }
  }
}

// The new temporary cannot be looked at: the change fails with that reason, and the temporary
// goes at once.
TEST_F(FaultInjectionTest, ATemporaryThatCannotBeLookedAtFailsTheChangeAndGoes) {
  for (const WritePath& path : kWritePaths) {
    Prepare(path);
    const std::optional<std::string> before = Target(path);
    const auto temporaries = std::make_shared<std::set<int>>();
    const FileSystemCalls real = SystemFileSystem();
    FileSystemCalls calls = real;
    calls.Openat = [real, temporaries](int folder, const char* name, int flags, mode_t mode) {
      const int fd = real.Openat(folder, name, flags, mode);
      if (IsTemporaryName(fs::path(name).filename().string(), "data.ini")) {
        temporaries->insert(fd);
      } else {
        temporaries->erase(fd);
      }
      return fd;
    };
    calls.Fstat = [real, temporaries](int fd, struct stat* status) {
      return temporaries->contains(fd) ? (errno = EIO, -1) : real.Fstat(fd, status);
    };
    const ScopedFileSystem failing(calls);
    EXPECT_TRUE(path.run()) << path.what;
    EXPECT_EQ(Target(path), before) << path.what;
    EXPECT_EQ(Temporaries(path), 0) << path.what;
    if (std::string_view(path.what) == "WritePower replacing a value") {
      Prepare(path);
      try {
        UnitCatalogue().WritePower("UnitA", "Mass", 3);
        ADD_FAILURE() << "the save went ahead";
      } catch (const EIniFileException& error) {
        EXPECT_EQ(error.Reason(), "Input/output error");
      }
    }
  }
}

// A tmpfs of `kilobytes` mounted on a private folder for the object's lifetime.
class SmallDisk {
 public:
  explicit SmallDisk(int kilobytes) {
    const std::string options = "size=" + std::to_string(kilobytes) + "k,mode=0700";
    mounted_ = ::mount("tmpfs", folder_.Path().c_str(), "tmpfs", 0, options.c_str()) == 0;
    error_ = errno;
  }
  ~SmallDisk() {
    if (mounted_) {
      ::umount2(folder_.Path().c_str(), MNT_DETACH);
    }
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Mounted() const { return mounted_; }
  int Error() const { return error_; }
  std::string File(std::string_view name) const { return folder_.File(name); }
  std::vector<std::string> Entries() const { return EntriesBesideLocks(folder_); }

 private:
  TempFolder folder_;
  bool mounted_ = false;
  int error_ = 0;
};

// Fills the rest of the disk holding `path` with that file, then frees `spare` bytes again.
void FillDisk(const std::string& path, off_t spare) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  ASSERT_GE(fd, 0);
  const std::string block(4096, 'x');
  off_t filled = 0;
  for (ssize_t written = 1; written > 0; filled += written > 0 ? written : 0) {
    written = ::write(fd, block.data(), block.size());
  }
  EXPECT_EQ(errno, ENOSPC);
  EXPECT_EQ(::ftruncate(fd, filled > spare ? filled - spare : 0), 0);
  ::close(fd);
}

// Each full-disk test works on a 64 KiB tmpfs that holds a catalogue "data.ini" of 16 KiB of units;
// mounting it needs root, so the tests skip elsewhere.
class FullDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    if (::geteuid() != 0) {
      GTEST_SKIP() << "mounting a small tmpfs needs root";
    }
    const SmallDisk& mounted = disk_.emplace(64);
    if (!mounted.Mounted()) {
      GTEST_SKIP() << "a tmpfs cannot be mounted here: " << std::strerror(mounted.Error());
    }
    for (int i = 0; catalogue_.size() < std::size_t{16} << 10U; ++i) {
      catalogue_ += "[Unit" + std::to_string(i) + "]\nMass=1\nLength=-2\nTemperature=0\nTime=3\n";
    }
    path_ = mounted.File("data.ini");
    WriteBytes(path_, catalogue_);
  }

  const SmallDisk& Disk() const { return *disk_; }

  std::optional<SmallDisk> disk_;
  std::string catalogue_;
  std::string path_;
};

TEST_F(FullDisk, WritesThatDoNotFitFailLeavingTheCatalogueWholeAndSucceedOnceThereIsRoom) {
  WriteBytes(Disk().File("source.ini"), catalogue_ + "[Copied]\nMass=1\n");
  FillDisk(Disk().File("filler"), off_t{8} << 10);
  UnitCatalogue units(path_);
  EXPECT_THROW(units.WritePower("Unit0", "Mass", 2), EIniFileException);
  EXPECT_THROW(units.WritePowers("New", kFourPowers), EIniFileException);
  EXPECT_THROW(units.EraseUnit("Unit1"), EIniFileException);
  EXPECT_FALSE(CopyCatalogueFile(Disk().File("source.ini"), path_));
  EXPECT_EQ(ReadBytes(path_), catalogue_);
  EXPECT_EQ(Disk().Entries(), (std::vector<std::string>{"data.ini", "filler", "source.ini"}));

  fs::remove(Disk().File("filler"));
  units.WritePower("Unit0", "Mass", 2);
  EXPECT_EQ(units.ReadPower("Unit0", "Mass"), 2);
  EXPECT_EQ(Disk().Entries(), (std::vector<std::string>{"data.ini", "source.ini"}));
}

// A writer killed on a nearly full disk leaves its temporary, which holds the room that the next
// save needs: that save removes it under the lock before it makes its own, and succeeds.
TEST_F(FullDisk, AKilledWritersTemporaryNeverKeepsTheNextSaveFromTheRoomItNeeds) {
  const pid_t writer = ::fork();
  if (writer == 0) {
    const int folder = ::open(fs::path(path_).parent_path().c_str(), O_PATH | O_DIRECTORY);
    std::string name;
    const int fd = CreateTemporary(folder, "data.ini", 0600, name);
    if (fd >= 0 && ::write(fd, catalogue_.data(), catalogue_.size()) > 0) {
      ::raise(SIGKILL);
    }
    ::_exit(1);
  }
  int status = 0;
  ::waitpid(writer, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the writer was not killed in its write";
  FillDisk(Disk().File("filler"), off_t{8} << 10);
  UnitCatalogue units(path_);
  EXPECT_NO_THROW(units.WritePower("Unit0", "Mass", 2));
  EXPECT_EQ(units.ReadPower("Unit0", "Mass"), 2);
  EXPECT_EQ(Disk().Entries(), (std::vector<std::string>{"data.ini", "filler"}));
}

}  // namespace
}  // namespace calpero::test
