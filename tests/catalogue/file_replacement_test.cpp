#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue_copy.h"
#include "catalogue/errors.h"
#include "catalogue/file_system.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/whole_file.h"
#include "tests/catalogue/test_files.h"

namespace calpero {
namespace {

using test::Fixture;
using test::kFourPowers;
using test::ReadBytes;
using test::ReportsFailure;
using test::WriteBytes;
using Names = std::vector<std::string>;

// What the failing calls saw.
struct CallLog {
  int failAt = 0;
  int calls = 0;
  std::vector<std::string> names;  // of the calls made, in order
  bool failed = false;
  bool renamedBeforeFailure = false;
};

// Wraps a real call so that the log's failAt-th call of all fails with EIO instead. A failing
// close still releases the descriptor (and so a lock), as close does on Linux.
template <typename Call>
auto Counted(const std::shared_ptr<CallLog>& log, Call real, const std::string& name) {
  return [log, real, name](auto... args) {
    using Result = decltype(real(args...));
    log->names.push_back(name);
    if (++log->calls == log->failAt) {
      if (name == "close") {
        real(args...);
      }
      log->failed = true;
      errno = EIO;
      return Result(-1);
    }
    const Result result = real(args...);
    if (name == "rename" && result == 0 && !log->failed) {
      log->renamedBeforeFailure = true;
    }
    return result;
  };
}

FileSystemCalls FailingCalls(const std::shared_ptr<CallLog>& log) {
  const FileSystemCalls real = SystemFileSystem();
  FileSystemCalls calls;
  calls.open = Counted(log, real.open, "open");
  calls.flock = Counted(log, real.flock, "flock");
  calls.timedLock = real.timedLock;
  calls.write = Counted(log, real.write, "write");
  calls.fchown = Counted(log, real.fchown, "fchown");
  calls.fchmod = Counted(log, real.fchmod, "fchmod");
  calls.fsync = Counted(log, real.fsync, "fsync");
  calls.close = Counted(log, real.close, "close");
  calls.rename = Counted(log, real.rename, "rename");
  calls.unlink = Counted(log, real.unlink, "unlink");
  return calls;
}

// One way of replacing the catalogue: the file it starts from (none when empty) and the
// operation, which returns whether it reported a failure.
struct WritePath {
  const char* what;
  const char* fixture;
  std::function<bool(const std::string& folder)> run;
};

const std::vector<WritePath> kWritePaths = {
    {"WritePower creating the file", nullptr,
     [](const std::string& f) {
       return ReportsFailure([&] { UnitCatalogue(f + "/data.ini").WritePower("A", "Mass", 1); });
     }},
    {"WritePower into the file", "crlf_line_ends.ini",
     [](const std::string& f) {
       return ReportsFailure(
           [&] { UnitCatalogue(f + "/data.ini").WritePower("UnitB", "Time", 1); });
     }},
    {"WritePowers", "crlf_line_ends.ini",
     [](const std::string& f) {
       return ReportsFailure(
           [&] { UnitCatalogue(f + "/data.ini").WritePowers("New", kFourPowers); });
     }},
    {"EraseUnit", "crlf_line_ends.ini",
     [](const std::string& f) {
       return ReportsFailure([&] { UnitCatalogue(f + "/data.ini").EraseUnit("UnitA"); });
     }},
    {"CopyCatalogueFile", "crlf_line_ends.ini",
     [](const std::string& f) { return !CopyCatalogueFile(f + "/source.ini", f + "/data.ini"); }},
};

// Lays out the folder for `path`: the catalogue from its fixture and, for copies, the source.
void Prepare(const test::TempFolder& folder, const WritePath& path) {
  std::filesystem::remove(folder.File("data.ini"));
  if (path.fixture != nullptr) {
    WriteBytes(folder.File("data.ini"), Fixture(path.fixture));
  }
  WriteBytes(folder.File("source.ini"), "[Copied]\nMass=1\n");
}

std::optional<std::string> Catalogue(const test::TempFolder& folder) {
  if (!std::filesystem::exists(folder.File("data.ini"))) {
    return std::nullopt;
  }
  return ReadBytes(folder.File("data.ini"));
}

TEST(FileReplacement, AFailureAtAnyStepLeavesTheCatalogueAsItWasAndNoTemporaryFile) {
  const test::TempFolder folder;
  for (const WritePath& path : kWritePaths) {
    Prepare(folder, path);
    const std::optional<std::string> before = Catalogue(folder);
    ASSERT_FALSE(path.run(folder.Path().string())) << path.what;
    const std::optional<std::string> after = Catalogue(folder);
    ASSERT_NE(after, before) << path.what;
    int failAt = 1;
    for (;; ++failAt) {
      Prepare(folder, path);
      const auto log = std::make_shared<CallLog>();
      log->failAt = failAt;
      bool reported = false;
      {
        const ScopedFileSystem failing(FailingCalls(log));
        reported = path.run(folder.Path().string());
      }
      if (!log->failed) {
        break;
      }
      // Once the new file is in place, only the folder's sync is left, which is not reported.
      const bool replaced = log->renamedBeforeFailure;
      EXPECT_EQ(reported, !replaced) << path.what << ", call " << failAt;
      EXPECT_EQ(Catalogue(folder), replaced ? after : before) << path.what << ", call " << failAt;
      const Names noTemporary =
          Catalogue(folder) ? Names{"data.ini", "source.ini"} : Names{"source.ini"};
      EXPECT_EQ(folder.Entries(), noTemporary) << path.what << ", call " << failAt;
    }
    EXPECT_GE(failAt, 8) << path.what << ": fewer calls than the recipe needs";
  }
}

TEST(FileReplacement, WritePowersReplacesTheFileOnceSyncingBeforeAndAfterTheRename) {
  const test::TempFolder folder;
  const auto log = std::make_shared<CallLog>();
  const ScopedFileSystem counting(FailingCalls(log));
  UnitCatalogue catalogue(folder.File("data.ini"));
  catalogue.WritePowers("Unit", kFourPowers);
  std::vector<std::string> syncsAndRenames;
  for (const std::string& name : log->names) {
    if (name == "fsync" || name == "rename") {
      syncsAndRenames.push_back(name);
    }
  }
  EXPECT_EQ(syncsAndRenames, (std::vector<std::string>{"fsync", "rename", "fsync"}));
  EXPECT_EQ(ReadBytes(folder.File("data.ini")),
            "[Unit]\nMass=1\nLength=-1\nTemperature=0.5\nTime=-2\n");
}

TEST(FileReplacement, ShortAndInterruptedWritesStillWriteEverything) {
  const test::TempFolder folder;
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
  const std::string bytes = Fixture("comments_and_blanks.ini");
  ASSERT_TRUE(ReplaceWholeFile(folder.File("data.ini"), bytes));
  EXPECT_EQ(ReadBytes(folder.File("data.ini")), bytes);
  EXPECT_GT(writes, 10);
}

}  // namespace
}  // namespace calpero
