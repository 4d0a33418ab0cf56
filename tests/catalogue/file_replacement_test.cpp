#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/file_system.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/whole_file.h"
#include "tests/catalogue/test_files.h"
#include "tests/support/failing_calls.h"

namespace calpero {
namespace {

using test::CallLog;
using test::FailingCalls;
using test::Fixture;
using test::kFourPowers;
using test::ReadBytes;

TEST(FileReplacement, WritePowersReplacesTheFileOnceSyncingBeforeAndAfterTheRename) {
  const test::TempFolder folder;
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
  const std::string fixture = Fixture("comments_and_blanks.ini");
  const std::string_view bytes = fixture;
  ASSERT_TRUE(ReplaceWholeFile(folder.File("data.ini"), std::span(&bytes, 1)));
  EXPECT_EQ(ReadBytes(folder.File("data.ini")), bytes);
  EXPECT_GT(writes, 10);
}

}  // namespace
}  // namespace calpero
