#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ios>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "catalogue/catalogue_copy.h"
#include "catalogue/errors.h"
#include "catalogue/unit_catalogue.h"
#include "storage/file_system.h"
#include "storage/whole_file.h"
#include "storage/write_lock.h"
#include "tests/catalogue/test_files.h"
#include "tests/support/failing_calls.h"

namespace calpero::test {
namespace {

TEST(FileReplacement, WritePowersReplacesTheFileOnceSyncingBeforeAndAfterTheRename) {
  const TempFolder folder;
  const auto log = std::make_shared<CallLog>();
  const ScopedFileSystem counting(FailingCalls(log));
  UnitCatalogue catalogue(folder.File("data.ini"));
  catalogue.WritePowers("Unit", kFourPowers);
  std::vector<std::string> syncsAndRenames;
  for (const std::string& name : log->names) {
    if (name == "fsync" || name == "renameat") {
      syncsAndRenames.push_back(name);
    }
  }
  EXPECT_EQ(syncsAndRenames, (std::vector<std::string>{"fsync", "renameat", "fsync"}));
  EXPECT_EQ(ReadBytes(folder.File("data.ini")),
            "[Unit]\nMass=1\nLength=-1\nTemperature=0.5\nTime=-2\n");
}

TEST(FileReplacement, ShortAndInterruptedWritesStillWriteEverything) {
  const TempFolder folder;
  FileSystemCalls calls = SystemFileSystem();
  int writes = 0;
  calls.write = [&writes](int fd, const void* data, std::size_t size) -> ssize_t {
    if (++writes % 2 == 0) {
      errno = EINTR;
      return -1;
    }
    return ::write(fd, data, std::min<std::size_t>(size, 3));
  };
  const ScopedFileSystem slow(calls);
  const std::string fixture = Fixture("comments_and_blanks.ini");
  const std::string_view bytes = fixture;
  ASSERT_TRUE(ReplaceWholeFile(folder.File("data.ini"), std::span(&bytes, 1)));
  EXPECT_EQ(ReadBytes(folder.File("data.ini")), bytes);
  EXPECT_GT(writes, 10);
}

// A catalogue of `count` units named U0, U1, ...
std::string Units(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += "[U" + std::to_string(i) + "]\nMass=1\n";
  }
  return text;
}

// What another program does to the catalogue at the worst moment: once the writer's temporary is
// written (at its sync, before the rename), or in place of its read.
struct Interference {
  const char* what;
  std::function<void(const std::string& path)> meanwhile;  // at each sync while `times` last
  int times;
  bool readFindsNothingOnce;
  std::vector<std::string> units;  // what the file holds in the end
  const char* reason;              // of the failure; nullptr when the save succeeds
};

TEST(FileReplacement, NeverReplacesWhatItDidNotReadButReadsAgainOrFailsWithTheReason) {
  const auto editorSave = [](const std::string& path) {
    // An editor that saves by writing a new file and renaming it over the old one.
    WriteBytes(path + ".new", Units(3) + "[Edited]\nMass=7\n");
    std::filesystem::rename(path + ".new", path);
  };
  const std::vector<Interference> cases = {
      {"the read finds the file missing while it exists",
       nullptr,
       0,
       true,
       {"U0", "U1", "New"},
       nullptr},
      {"the file appears before the publish", nullptr, 0, false, {"Other", "New"}, nullptr},
      {"the file is replaced before the rename",
       editorSave,
       1,
       false,
       {"U0", "U1", "U2", "Edited", "New"},
       nullptr},
      {"the file keeps being replaced",
       editorSave,
       100,
       false,
       {"U0", "U1", "U2", "Edited"},
       "another program kept replacing it meanwhile"},
  };
  for (const Interference& c : cases) {
    const TempFolder folder;
    const std::string path = folder.File("data.ini");
    const bool appears = std::string_view(c.what).find("appears") != std::string_view::npos;
    if (!appears) {
      WriteBytes(path, Units(2));
    }
    FileSystemCalls calls = SystemFileSystem();
    int renames = 0;
    calls.renameat = [&, real = calls.renameat](int from, const char* a, int to, const char* b,
                                                unsigned flags) {
      if (appears && renames++ == 0) {
        WriteBytes(path, "[Other]\nMass=2\n");
      }
      return real(from, a, to, b, flags);
    };
    int syncs = 0;
    calls.fsync = [&, real = calls.fsync](int fd) {
      if (c.meanwhile && syncs++ < c.times) {
        c.meanwhile(path);
      }
      return real(fd);
    };
    bool hidden = false;
    calls.openat = [&, real = calls.openat](int at, const char* name, int flags, mode_t mode) {
      if (c.readFindsNothingOnce && !hidden && std::string_view(name) == "data.ini" &&
          (flags & O_ACCMODE) == O_RDONLY && (flags & O_PATH) == 0) {
        hidden = true;
        errno = ENOENT;
        return -1;
      }
      return real(at, name, flags, mode);
    };
    std::string reason;
    {
      const ScopedFileSystem interfering(calls);
      try {
        UnitCatalogue(path).WritePower("New", "Mass", 1);
      } catch (const EIniFileException& error) {
        reason = error.Reason();
      }
    }
    EXPECT_EQ(reason, c.reason != nullptr ? c.reason : "") << c.what;
    EXPECT_EQ(UnitCatalogue(path).ListUnits(), c.units) << c.what;
    EXPECT_EQ(EntriesBesideLocks(folder), std::vector<std::string>{"data.ini"}) << c.what;
  }
}

// Network and FUSE file systems may report a size that is already stale: the file is read to its
// end all the same, by readers and by a change.
TEST(FileReplacement, AFileThatGrowsAfterItsSizeWasTakenIsReadToItsEnd) {
  const TempFolder folder;
  const std::string path = folder.File("data.ini");
  for (const bool change : {false, true}) {
    WriteBytes(path, Units(1));
    FileSystemCalls calls = SystemFileSystem();
    bool grown = false;
    calls.read = [&, real = calls.read](int fd, void* data, std::size_t size) {
      if (!std::exchange(grown, true)) {
        std::ofstream(path, std::ios::app) << "[Later]\nMass=3\n";
      }
      return real(fd, data, size);
    };
    const ScopedFileSystem growing(calls);
    if (change) {
      UnitCatalogue(path).WritePower("New", "Mass", 1);
    }
    std::vector<std::string> expected = {"U0", "Later"};
    if (change) {
      expected.emplace_back("New");
    }
    EXPECT_EQ(UnitCatalogue(path).ListUnits(), expected) << (change ? "change" : "reading");
  }
}

// Where the file system refuses locks, as a network share without a lock service does (ENOLCK) or
// as one that forwards only locks of descriptors opened for writing (EBADF for any other), every
// change still works; without locks it goes ahead as one writer alone would and says so.
TEST(FileReplacement, EveryChangeWorksWhereTheFileSystemRefusesLocksAsNetworkSharesDo) {
  for (const int refusal : {EBADF, ENOLCK, EOPNOTSUPP, ENOSYS}) {
    const TempFolder folder;
    const ScopedWorkingDirectory inFolder(folder.Path());
    std::filesystem::create_directory("Data");
    std::filesystem::create_directory("Backup");
    FileSystemCalls calls = SystemFileSystem();
    calls.lockNow = [refusal, real = calls.lockNow](int fd, short type) {
      const bool forWriting = (::fcntl(fd, F_GETFL) & O_ACCMODE) != O_RDONLY;
      if (refusal != EBADF || (type == F_WRLCK && !forWriting)) {
        errno = refusal;
        return -1;
      }
      return real(fd, type);
    };
    int notices = 0;
    SetNoLockNotice([&notices](const std::string&) { ++notices; });
    {
      const ScopedFileSystem networkShare(calls);
      UnitCatalogue catalogue;
      catalogue.WritePowers("Saved", kFourPowers);
      catalogue.WritePowers("Erased", kFourPowers);
      EXPECT_TRUE(BackUpCatalogue()) << refusal;
      EXPECT_TRUE(catalogue.EraseUnit("Erased")) << refusal;
      EXPECT_TRUE(RestoreCatalogue()) << refusal;
    }
    SetNoLockNotice({});
    EXPECT_EQ(UnitCatalogue().ListUnits(), (std::vector<std::string>{"Saved", "Erased"}));
    EXPECT_EQ(notices, refusal == EBADF ? 0 : 5) << refusal;
  }
}

// On file systems that keep no modes or owners (vfat, some FUSE ones) setting them fails; the
// catalogue is saved all the same, every time.
TEST(FileReplacement, AFileSystemThatKeepsNoModesStillSavesEveryTime) {
  for (const int refusal : {ENOSYS, EPERM, EOPNOTSUPP}) {
    const TempFolder folder;
    FileSystemCalls calls = SystemFileSystem();
    calls.fchmod = [refusal](int, mode_t) { return (errno = refusal, -1); };
    const ScopedFileSystem vfat(calls);
    UnitCatalogue catalogue(folder.File("data.ini"));
    for (const char* unit : {"First", "Second", "Third"}) {
      catalogue.WritePowers(unit, kFourPowers);
    }
    EXPECT_EQ(catalogue.ListUnits(), (std::vector<std::string>{"First", "Second", "Third"}));
  }
}

TEST(ReplaceWholeFile, WritesThePiecesOneAfterTheOther) {
  const TempFolder folder;
  const std::string path = folder.File("data.ini");
  WriteBytes(path, "old");
  const std::vector<std::string_view> pieces = {"[A]\n", "Mass=1\n", "", "[B]\n"};
  ASSERT_TRUE(ReplaceWholeFile(path, pieces));
  EXPECT_EQ(ReadBytes(path), "[A]\nMass=1\n[B]\n");
}

TEST(ReplaceWholeFile, AFailedWriteOfALaterPieceLeavesTheFileAsItWas) {
  const TempFolder folder;
  const std::string path = folder.File("data.ini");
  WriteBytes(path, "[Kept]\nMass=1\n");
  for (int failing = 1; failing <= 3; ++failing) {
    FileSystemCalls calls = SystemFileSystem();
    auto writes = std::make_shared<int>(0);
    calls.write = [writes, failing, real = calls.write](int fd, const void* data,
                                                        std::size_t size) -> ssize_t {
      if (++*writes == failing) {
        errno = EIO;
        return -1;
      }
      return real(fd, data, size);
    };
    const ScopedFileSystem failingWrites(calls);
    const std::vector<std::string_view> pieces = {"[A]\n", "Mass=2\n", "[B]\n"};
    EXPECT_FALSE(ReplaceWholeFile(path, pieces)) << failing;
    EXPECT_EQ(ReadBytes(path), "[Kept]\nMass=1\n") << failing;
    EXPECT_EQ(EntriesBesideLocks(folder), std::vector<std::string>{"data.ini"}) << failing;
  }
}

TEST(FileReplacement, AReplacedFileKeepsItsModeAndANewOneFollowsTheUmask) {
  const TempFolder folder;
  const std::string path = folder.File("data.ini");
  WriteBytes(path, "[A]\nMass=1\n");
  ::chmod(path.c_str(), 0604);
  UnitCatalogue(path).WritePower("A", "Mass", 2);
  EXPECT_EQ(PermissionBits(path), 0604U);
  const mode_t previous = ::umask(027);
  UnitCatalogue(folder.File("new.ini")).WritePower("A", "Mass", 2);
  ::umask(previous);
  EXPECT_EQ(PermissionBits(folder.File("new.ini")), 0640U);
}

// Saves by root keep the owner; saves by another member of the file's group keep the group, which
// the first user then still shares, and the mode.
TEST(FileReplacement, AReplacedFileKeepsItsGroupAndWherePrivilegedItsOwner) {
  const TempFolder folder;
  const std::string path = folder.File("data.ini");
  if (::geteuid() != 0) {
    GTEST_SKIP() << "files of other users and groups need root to be made";
  }
  constexpr uid_t kOwner = 4101;
  constexpr gid_t kGroup = 4102;
  WriteBytes(path, "[A]\nMass=1\n");
  ASSERT_EQ(::chown(path.c_str(), kOwner, kGroup), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
  ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0);
  const auto ownership = [&path] {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return std::tuple(status.st_uid, status.st_gid, status.st_mode & 07777U);
  };
  UnitCatalogue(path).WritePower("A", "Mass", 2);
  EXPECT_EQ(ownership(), std::tuple(kOwner, kGroup, 0664U));
  const pid_t member = ::fork();
  if (member == 0) {
    const bool becameMember = ::setgroups(1, &kGroup) == 0 && ::setresgid(4103, 4103, 4103) == 0 &&
                              ::setresuid(4104, 4104, 4104) == 0;
    ::_exit(becameMember &&
                    !ReportsFailure([&path] { UnitCatalogue(path).WritePower("B", "Mass", 1); })
                ? 0
                : 1);
  }
  int status = -1;
  ::waitpid(member, &status, 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ownership(), std::tuple(uid_t{4104}, kGroup, 0664U));
  EXPECT_EQ(ReadBytes(path), "[A]\nMass=2\n[B]\nMass=1\n");
}

// A second user whom the catalogue's ACL lets write keeps that right through a save by the first,
// and can save too (through the lock file, which got the same right).
TEST(FileReplacement, AReplacedFileKeepsItsAccessAclSoASecondUserStaysAbleToSave) {
  const TempFolder folder;
  const std::string path = folder.File("data.ini");
  if (::geteuid() != 0) {
    GTEST_SKIP() << "a second user needs root to be made";
  }
  constexpr uid_t kSecond = 4201;
  WriteBytes(path, "[A]\nMass=1\n");
  ASSERT_EQ(::chmod(path.c_str(), 0660), 0);
  const std::string acl = AccessAcl(kSecond);
  if (::setxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0) {
    GTEST_SKIP() << "this file system keeps no ACLs";
  }
  ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0);
  UnitCatalogue(path).WritePower("A", "Mass", 2);
  EXPECT_EQ(AccessAclOf(path), acl);
  const pid_t second = ::fork();
  if (second == 0) {
    const bool became = ::setresgid(kSecond, kSecond, kSecond) == 0 &&
                        ::setgroups(0, nullptr) == 0 && ::setresuid(kSecond, kSecond, kSecond) == 0;
    ::_exit(became && !ReportsFailure([&path] { UnitCatalogue(path).WritePower("B", "Mass", 1); })
                ? 0
                : 1);
  }
  int status = -1;
  ::waitpid(second, &status, 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadBytes(path), "[A]\nMass=2\n[B]\nMass=1\n");
  EXPECT_EQ(AccessAclOf(path), acl);
}

// The lock file may be opened by those who may change the catalogue and by nobody else, so that
// nobody else can hold the writers off; it is made once and stays. One that its owner finds giving
// less (left by a writer killed before it gave the lock file its rights, or made under a narrow
// umask) gets them at the owner's next change; what it gives beyond them is left.
TEST(FileReplacement, TheLockFileIsOpenToThoseWhoMayChangeTheCatalogueAlone) {
  struct Case {
    mode_t folder;
    std::optional<mode_t> catalogue;
    mode_t lock;
    std::optional<mode_t> lockBefore = std::nullopt;  // a lock file there already
  };
  const std::vector<Case> cases = {
      {0755, 0644, 0600},         {0775, 0664, 0660},
      {0777, 0664, 0660},         {0777, 0666, 0666},
      {0770, std::nullopt, 0660}, {0333, 0600, 0600},
      {0770, 0660, 0660, 0600},   {0777, 0666, 0666, 0640},
      {0755, 0644, 0606, 0606},   {0770, std::nullopt, 0660, 0200},
  };
  for (const Case& c : cases) {
    const TempFolder folder;
    const std::string path = folder.File("data.ini");
    const std::string lock = folder.File(".data.ini.calpero-lock");
    if (c.catalogue) {
      WriteBytes(path, "[A]\nMass=1\n");
      ASSERT_EQ(::chmod(path.c_str(), *c.catalogue), 0);
    }
    if (c.lockBefore) {
      WriteBytes(lock, "");
      ASSERT_EQ(::chmod(lock.c_str(), *c.lockBefore), 0);
    }
    ASSERT_EQ(::chmod(folder.Path().c_str(), c.folder), 0);
    const mode_t previous = ::umask(0);
    UnitCatalogue(path).WritePower("B", "Mass", 1);
    ::umask(previous);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0700), 0);
    EXPECT_EQ(PermissionBits(lock), c.lock)
        << std::oct << c.folder << " " << c.catalogue.value_or(0) << " "
        << c.lockBefore.value_or(0);
    UnitCatalogue(path).EraseUnit("B");
    EXPECT_TRUE(std::filesystem::exists(lock));
  }
}

}  // namespace
}  // namespace calpero::test
