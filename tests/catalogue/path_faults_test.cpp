// The catalogue's path leads somewhere odd: a folder, a FIFO, a dangling or looping link, a file
// that cannot be read, a folder that cannot be written, or a temporary file left by a writer that
// was killed. Nothing may hang, crash or lose a byte.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
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
using Right = RefusedRight::Right;

// Ends the test process when what it guards takes longer than `seconds`: a hang becomes a failure
// with a clear cause instead of a timeout of the whole run.
class HangGuard {
 public:
  explicit HangGuard(unsigned seconds) { ::alarm(seconds); }
  ~HangGuard() { ::alarm(0); }
  HangGuard(const HangGuard&) = delete;
  HangGuard& operator=(const HangGuard&) = delete;
};

// A catalogue path that cannot be read as a file: its setup in the folder, and whether the file
// it leaves is then made unreadable.
struct UnusablePath {
  const char* what;
  std::function<void(const TempFolder&)> setUp;
  bool unreadable;
};

// What is at `path`: its type, where it leads when a link, its size when a file.
std::string DescribeEntry(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::symlink_status(path, error);
  std::string description = std::to_string(static_cast<int>(status.type()));
  if (fs::is_symlink(status)) {
    description += " -> " + fs::read_symlink(path, error).string();
  } else if (fs::is_regular_file(status)) {
    description += " of " + std::to_string(fs::file_size(path, error)) + " bytes";
  }
  return description;
}

TEST(PathFaults, AnUnusableCatalogueReadsAsEmptyRefusesChangesAndStaysAsItWas) {
  const std::vector<UnusablePath> cases = {
      {"a folder", [](const auto& f) { fs::create_directory(f.File("data.ini")); }, false},
      {"a FIFO", [](const auto& f) { ::mkfifo(f.File("data.ini").c_str(), 0600); }, false},
      {"a link to itself",
       [](const auto& f) { fs::create_symlink("data.ini", f.File("data.ini")); }, false},
      {"a loop of two links",
       [](const auto& f) {
         fs::create_symlink("loop.ini", f.File("data.ini"));
         fs::create_symlink("data.ini", f.File("loop.ini"));
       },
       false},
      {"an unreadable file",
       [](const auto& f) { WriteBytes(f.File("data.ini"), Fixture("crlf_line_ends.ini")); }, true},
  };
  for (const UnusablePath& c : cases) {
    const TempFolder folder;
    c.setUp(folder);
    const std::string path = folder.File("data.ini");
    std::optional<RefusedRight> refused;
    if (c.unreadable) {
      refused.emplace(Right::kReadFile, path, 0);
    }
    const std::string before = DescribeEntry(path);
    const Names entries = EntriesBesideLocks(folder);
    WriteBytes(folder.File("source.ini"), "[A]\nMass=1\n");
    const HangGuard guard(20);
    UnitCatalogue catalogue(path);
    EXPECT_TRUE(catalogue.ListUnits().empty()) << c.what;
    EXPECT_EQ(catalogue.ReadPower("UnitA", "Mass"), 0) << c.what;
    EXPECT_FALSE(catalogue.UnitExists("UnitA")) << c.what;
    EXPECT_TRUE(catalogue.ReadUnits(Names{"UnitA"}).ReadPower("UnitA", "Mass") == 0) << c.what;
    EXPECT_THROW(catalogue.WritePower("UnitA", "Mass", 1), EIniFileException) << c.what;
    EXPECT_THROW(catalogue.EraseUnit("UnitA"), EIniFileException) << c.what;
    EXPECT_FALSE(CopyCatalogueFile(folder.File("source.ini"), path)) << c.what;
    EXPECT_FALSE(CopyCatalogueFile(path, folder.File("copy.ini"))) << c.what;
    EXPECT_EQ(DescribeEntry(path), before) << c.what;
    refused.reset();
    if (c.unreadable) {
      EXPECT_EQ(ReadBytes(path), Fixture("crlf_line_ends.ini")) << c.what;
    }
    fs::remove(folder.File("source.ini"));
    EXPECT_EQ(EntriesBesideLocks(folder), entries) << c.what;
  }
}

TEST(PathFaults, ADanglingLinkIsAMissingCatalogueWhoseFirstWriteCreatesTheTarget) {
  const TempFolder folder;
  const std::string path = folder.File("data.ini");
  fs::create_symlink("units.ini", path);
  UnitCatalogue catalogue(path);
  EXPECT_TRUE(catalogue.ListUnits().empty());
  EXPECT_NO_THROW(catalogue.EraseUnit("UnitA"));
  catalogue.WritePower("UnitA", "Mass", 1);
  EXPECT_TRUE(fs::is_symlink(path));
  EXPECT_EQ(ReadBytes(folder.File("units.ini")), "[UnitA]\nMass=1\n");
  EXPECT_EQ(EntriesBesideLocks(folder), (Names{"data.ini", "units.ini"}));
}

TEST(PathFaults, ALinkIntoAMissingFolderRefusesWritesAndCreatesNothing) {
  const TempFolder folder;
  const std::string path = folder.File("data.ini");
  fs::create_symlink("gone/units.ini", path);
  UnitCatalogue catalogue(path);
  EXPECT_TRUE(catalogue.ListUnits().empty());
  EXPECT_THROW(catalogue.WritePower("UnitA", "Mass", 1), EIniFileException);
  EXPECT_EQ(EntriesBesideLocks(folder), Names{"data.ini"});
}

// A catalogue that may be read but not changed, the file itself or the folder that holds it: it
// reads as it is, and every change, to a unit it holds or a new one, is refused, leaving the file
// byte for byte and nothing beside it.
TEST(PathFaults, AReadOnlyCatalogueOrFolderIsReadButNeverChanged) {
  struct ReadOnly {
    const char* what;
    bool folder;  // the folder is read-only, else the file
  };
  for (const ReadOnly c :
       {ReadOnly{"a read-only folder", true}, ReadOnly{"a read-only file", false}}) {
    const TempFolder folder;
    const std::string path = folder.File("data.ini");
    WriteBytes(path, Fixture("crlf_line_ends.ini"));
    std::optional<RefusedRight> readOnly;
    if (c.folder) {
      readOnly.emplace(Right::kWriteInFolder, folder.Path().string(), 0555);
    } else {
      ::chmod(path.c_str(), 0444);
    }
    UnitCatalogue catalogue(path);
    EXPECT_EQ(catalogue.ListUnits(), (Names{"UnitA", "UnitB"})) << c.what;
    EXPECT_THROW(catalogue.WritePower("UnitA", "Mass", 5), EIniFileException) << c.what;
    EXPECT_THROW(catalogue.WritePower("UnitC", "Mass", 1), EIniFileException) << c.what;
    EXPECT_THROW(catalogue.EraseUnit("UnitB"), EIniFileException) << c.what;
    EXPECT_EQ(ReadBytes(path), Fixture("crlf_line_ends.ini")) << c.what;
    EXPECT_EQ(EntriesBesideLocks(folder), Names{"data.ini"}) << c.what;
  }
}

// Files can be made, renamed and removed in a folder that may be written and searched but not
// read (mode 0333): saves and erases work there; only the folder's sync is left out.
TEST(PathFaults, AFolderThatMayBeWrittenAndSearchedButNotReadStillTakesChanges) {
  const TempFolder folder;
  const std::string path = folder.File("data.ini");
  WriteBytes(path, Fixture("crlf_line_ends.ini"));
  const RefusedRight noListing(Right::kReadFolder, folder.Path().string(), 0333);
  UnitCatalogue catalogue(path);
  catalogue.WritePower("UnitC", "Mass", 1);
  EXPECT_TRUE(catalogue.EraseUnit("UnitA"));
  EXPECT_EQ(catalogue.ListUnits(), (Names{"UnitB", "UnitC"}));
}

// The reason that a write of the catalogue `path` or a copy onto it gives; empty when it worked.
std::string WriteFailure(const std::string& what, const std::string& path,
                         const std::string& source) {
  try {
    if (what == "save") {
      UnitCatalogue(path).WritePower("UnitC", "Mass", 1);
    } else if (what == "erase") {
      UnitCatalogue(path).EraseUnit("UnitA");
    } else {
      std::string reason;
      return CopyCatalogueFile(source, path, nullptr, &reason) ? std::string() : reason;
    }
  } catch (const EIniFileException& error) {
    return error.Reason();
  }
  return {};
}

// A lock file that is no regular file is never followed, waited on or used: each change fails
// with a reason that names it and says to remove it, and nothing changes, neither the catalogue
// nor what a link leads to.
TEST(PathFaults, ALockFileThatIsNoRegularFileIsNamedAndNeverUsed) {
  struct Case {
    const char* what;
    std::function<void(const std::string& lock)> setUp;
    const char* kind;
  };
  const std::vector<Case> cases = {
      {"a link to a file", [](const auto& lock) { fs::create_symlink("elsewhere.ini", lock); },
       "a symbolic link"},
      {"a dangling link", [](const auto& lock) { fs::create_symlink("gone.ini", lock); },
       "a symbolic link"},
      {"a FIFO", [](const auto& lock) { ::mkfifo(lock.c_str(), 0600); }, "a FIFO"},
      {"a folder", [](const auto& lock) { fs::create_directory(lock); }, "a folder"},
  };
  for (const Case& c : cases) {
    for (const std::string what : {"save", "erase", "copy"}) {
      const TempFolder folder;
      const std::string path = folder.File("data.ini");
      const std::string lock = folder.File(".data.ini.calpero-lock");
      WriteBytes(path, Fixture("crlf_line_ends.ini"));
      WriteBytes(folder.File("elsewhere.ini"), "[Elsewhere]\n");
      WriteBytes(folder.File("source.ini"), "[Copied]\n");
      c.setUp(lock);
      const HangGuard guard(10);
      EXPECT_EQ(WriteFailure(what, path, folder.File("source.ini")),
                "the lock file " + lock + " is " + c.kind + ", not a regular file: remove it")
          << c.what << ", " << what;
      EXPECT_EQ(ReadBytes(path), Fixture("crlf_line_ends.ini")) << c.what << ", " << what;
      EXPECT_EQ(ReadBytes(folder.File("elsewhere.ini")), "[Elsewhere]\n") << c.what;
      EXPECT_FALSE(fs::exists(folder.File("gone.ini"))) << c.what;
    }
  }
}

// A lock file that this process may not open for writing (made by another user under a narrow
// umask) is named with its mode and owner and what to do, not taken for the catalogue's fault.
TEST(PathFaults, ALockFileThatMayNotBeWrittenIsNamedWithItsModeAndOwner) {
  const TempFolder folder;
  const std::string path = folder.File("data.ini");
  const std::string lock = folder.File(".data.ini.calpero-lock");
  WriteBytes(path, Fixture("crlf_line_ends.ini"));
  WriteBytes(lock, "");
  ::chmod(lock.c_str(), 0600);
  FileSystemCalls calls = SystemFileSystem();
  // Refused as the bits refuse another user, whoever runs the test.
  calls.Openat = [real = calls.Openat](int folder, const char* name, int flags, mode_t mode) {
    if (std::string_view(name).ends_with(".calpero-lock") && (flags & O_ACCMODE) != O_RDONLY) {
      errno = EACCES;
      return -1;
    }
    return real(folder, name, flags, mode);
  };
  const ScopedFileSystem refusing(calls);
  const passwd* owner = ::getpwuid(::geteuid());
  const std::string ownerName = owner != nullptr ? owner->pw_name : std::to_string(::geteuid());
  for (const std::string what : {"save", "erase", "copy"}) {
    WriteBytes(folder.File("source.ini"), "[Copied]\n");
    const std::string expected = std::string("the lock file ")
                                     .append(lock)
                                     .append(" is not writable by you (mode 0600, owner ")
                                     .append(ownerName)
                                     .append("): ask its owner to remove it");
    EXPECT_EQ(WriteFailure(what, path, folder.File("source.ini")), expected) << what;
    EXPECT_EQ(ReadBytes(path), Fixture("crlf_line_ends.ini")) << what;
  }
}

// A call that fails while the links on the catalogue's path are followed gives its own reason,
// not that the links loop.
TEST(PathFaults, AFailureWhileFollowingALinkGivesItsOwnReason) {
  const TempFolder folder;
  const std::string path = folder.File("data.ini");
  WriteBytes(folder.File("units.ini"), Fixture("crlf_line_ends.ini"));
  fs::create_symlink("units.ini", path);
  for (const char* call : {"readlinkat", "fstatat"}) {
    const auto injection = std::make_shared<CallLog>();
    injection->only = call;
    injection->failAt = 1;
    const ScopedFileSystem failing(FailingCalls(injection));
    EXPECT_EQ(WriteFailure("save", path, ""), "Input/output error") << call;
  }
  EXPECT_EQ(ReadBytes(folder.File("units.ini")), Fixture("crlf_line_ends.ini"));
}

TEST(StaleTemporaries, OnlyTheExactTemporaryFormOfTheFileNameCounts) {
  const std::vector<std::pair<const char*, bool>> cases = {
      {".data.ini.calpero-tmp-4242-Ab12Cd34", true},
      {".data.ini.calpero-tmp-4194304000-Ab12Cd34", true},
      {".data.ini.calpero-tmp-41943040001-Ab12Cd34", false},
      {".data.ini.calpero-tmp--Ab12Cd34", false},
      {".data.ini.calpero-tmp-4242-Ab12Cd3", false},
      {".data.ini.calpero-tmp-4242-Ab12Cd345", false},
      {".data.ini.calpero-tmp-4242_Ab12Cd34", false},
      {"data.ini.calpero-tmp-4242-Ab12Cd34", false},
      {".units.ini.calpero-tmp-4242-Ab12Cd34", false},
      {".data.ini.Ab12Cd", false},
      {".data.ini.backup", false},
      {".data.ini.calpero-lock", false},
      {"data.ini", false},
  };
  for (const auto& [name, temporary] : cases) {
    EXPECT_EQ(IsTemporaryName(name, "data.ini"), temporary) << name;
  }
}

class StaleTemporaryTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteBytes(path_, Fixture("crlf_line_ends.ini")); }

  // A temporary such as a writer killed before its rename leaves: a half-written catalogue.
  std::string LeaveStale(const char* name) {
    std::string temporary = folder_.File(name);
    WriteBytes(temporary, Fixture("stale_temporary.ini"));
    return temporary;
  }

  TempFolder folder_;
  std::string path_ = folder_.File("data.ini");
};

TEST_F(StaleTemporaryTest, IsNeverReadAndGoesWithTheNextWrite) {
  LeaveStale(".data.ini.calpero-tmp-77-Ab12Cd34");
  LeaveStale(".data.ini.calpero-tmp-78-xY9zQ0aB");
  UnitCatalogue catalogue(path_);
  EXPECT_EQ(catalogue.ListUnits(), (Names{"UnitA", "UnitB"}));
  EXPECT_EQ(catalogue.ReadPower("Half", "Mass"), 0);
  catalogue.WritePower("UnitA", "Mass", 2);
  EXPECT_EQ(EntriesBesideLocks(folder_), Names{"data.ini"});
  EXPECT_EQ(catalogue.ReadPower("UnitB", "Mass"), 0.5);
}

TEST_F(StaleTemporaryTest, GoesWithAnEraseAndWithACopyOntoTheSameFile) {
  const std::vector<std::pair<const char*, std::function<void()>>> operations = {
      {"erase", [this] { UnitCatalogue(path_).EraseUnit("UnitA"); }},
      {"copy", [this] { ASSERT_TRUE(CopyCatalogueFile(folder_.File("source.ini"), path_)); }},
  };
  WriteBytes(folder_.File("source.ini"), "[Copied]\nMass=1\n");
  for (const auto& [what, operation] : operations) {
    LeaveStale(".data.ini.calpero-tmp-77-Ab12Cd34");
    operation();
    EXPECT_EQ(EntriesBesideLocks(folder_), (Names{"data.ini", "source.ini"})) << what;
  }
}

TEST_F(StaleTemporaryTest, ATemporaryThatALiveWriterHoldsLockedIsLeftAlone) {
  const std::string temporary = LeaveStale(".data.ini.calpero-tmp-77-Ab12Cd34");
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(LockWholeFileNow(fd, F_WRLCK), 0);
  UnitCatalogue catalogue(path_);
  catalogue.WritePower("UnitA", "Mass", 2);
  EXPECT_EQ(EntriesBesideLocks(folder_), (Names{".data.ini.calpero-tmp-77-Ab12Cd34", "data.ini"}));
  ::close(fd);
  catalogue.WritePower("UnitA", "Mass", 3);
  EXPECT_EQ(EntriesBesideLocks(folder_), Names{"data.ini"});
}

TEST_F(StaleTemporaryTest, UserFilesBesideTheCatalogueAndTheBackupSurviveEveryOperation) {
  const std::vector<std::pair<const char*, std::function<void()>>> operations = {
      {"save", [] { UnitCatalogue().WritePower("UnitA", "Mass", 2); }},
      {"erase", [] { UnitCatalogue().EraseUnit("UnitB"); }},
      {"backup", [] { ASSERT_TRUE(BackUpCatalogue()); }},
      {"restore", [] { ASSERT_TRUE(RestoreCatalogue()); }},
  };
  const ScopedWorkingDirectory inFolder(folder_.Path());
  std::vector<std::string> kept;
  for (const char* folder : {"Data", "Backup"}) {
    fs::create_directory(folder);
    for (const char* name :
         {".data.ini.backup", ".data.ini.before", ".data.ini.202401", ".data.ini.Ab12Cd",
          ".data.ini.calpero-tmp-12-Ab12Cd3", "data.ini.calpero-tmp-12-Ab12Cd34",
          ".other.ini.calpero-tmp-12-Ab12Cd34"}) {
      kept.push_back(std::string(folder) + "/" + name);
      WriteBytes(kept.back(), name);
    }
    fs::create_directory(std::string(folder) + "/.data.ini.calpero-tmp-12-Folder00");
    fs::create_symlink("../elsewhere.ini",
                       std::string(folder) + "/.data.ini.calpero-tmp-12-Linked00");
  }
  WriteBytes("elsewhere.ini", "[Kept]\n");
  WriteBytes("Data/data.ini", Fixture("crlf_line_ends.ini"));
  for (const auto& [what, operation] : operations) {
    operation();
    for (const std::string& name : kept) {
      EXPECT_EQ(ReadBytes(name), fs::path(name).filename().string()) << what << ": " << name;
    }
    for (const char* folder : {"Data", "Backup"}) {
      EXPECT_TRUE(fs::is_directory(std::string(folder) + "/.data.ini.calpero-tmp-12-Folder00"));
      EXPECT_TRUE(fs::is_symlink(std::string(folder) + "/.data.ini.calpero-tmp-12-Linked00"));
    }
    EXPECT_EQ(ReadBytes("elsewhere.ini"), "[Kept]\n") << what;
  }
}

// They go before the writer makes its own temporary, so that one left by a killed writer never
// holds the room that the next one needs: even a write that then fails has removed them.
TEST_F(StaleTemporaryTest, GoesUnderTheLockBeforeTheNextWriterMakesItsOwnEvenIfThatFails) {
  LeaveStale(".data.ini.calpero-tmp-77-Ab12Cd34");
  ::chmod(path_.c_str(), 0444);
  EXPECT_THROW(UnitCatalogue(path_).WritePower("UnitA", "Mass", 2), EIniFileException);
  EXPECT_EQ(folder_.Entries(), (Names{".data.ini.calpero-lock", "data.ini"}));
  EXPECT_EQ(ReadBytes(path_), Fixture("crlf_line_ends.ini"));
}

}  // namespace
}  // namespace calpero::test
