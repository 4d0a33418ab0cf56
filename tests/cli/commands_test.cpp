// The commands run inside the test, where the decimal separator can be set directly: what a
// user with a decimal comma gets, whatever locales this machine has installed.
#include "cli/commands.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/power_text.h"
#include "storage/file_system.h"
#include "tests/cli/cli_runner.h"

namespace calpero::testing {
namespace {

class CliCommandsUnderAComma : public ::testing::Test {
 protected:
  // The standard output of the command run in the workspace, or the standard error when it fails.
  std::string Run(std::vector<std::string_view> arguments, std::ostream* out = nullptr) {
    std::ostringstream text;
    std::ostringstream err;
    const int status = RunCommand(ParseCommandLine(arguments), workspace_.Root().string(), "1",
                                  out != nullptr ? *out : text, err);
    return status == 0 ? text.str() : err.str();
  }

  const ScopedDecimalSeparator comma_{","};
  TWorkspace workspace_;
};

TEST_F(CliCommandsUnderAComma, SaveReadsAndWritesNumbersWithTheComma) {
  EXPECT_EQ(Run({"save", "C", "1,5", "-0,25", "0", "1E-5"}), "");
  EXPECT_EQ(workspace_.ReadCatalogue(), "[C]\nMass=1,5\nLength=-0,25\nTemperature=0\nTime=1E-5\n");
  EXPECT_EQ(Run({"save", "D", "1.5", "0", "0", "0"}),
            "calpero-cli: '1.5' is not a valid floating point value\n");
}

TEST_F(CliCommandsUnderAComma, ShowAndEvalPrintTheCommaButJsonTheFullStop) {
  workspace_.WriteCatalogue("[C]\nMass=1,5\nLength=-0,25\nTemperature=0\nTime=2\n");
  EXPECT_EQ(Run({"show", "C"}), "Mass=1,50\nLength=-0,25\nTemperature=0,00\nTime=2,00\n");
  EXPECT_EQ(Run({"eval", "--exact", "C", "C"}), "Mass=3\nLength=-0,5\nTemperature=0\nTime=4\n");
  EXPECT_EQ(Run({"--json", "show", "C"}),
            "{\"unit\":\"C\",\"Mass\":1.5,\"Length\":-0.25,\"Temperature\":0,\"Time\":2,"
            "\"matches\":[]}\n");
}

TEST_F(CliCommandsUnderAComma, OutputThatCannotBeWrittenIsAFailure) {
  std::ostringstream broken;
  broken.setstate(std::ios::badbit);
  EXPECT_EQ(Run({"list"}, &broken), "calpero-cli: Unable to write the output\n");
}

TEST_F(CliCommandsUnderAComma, AFailedWriteKeepsItsMessageAndAddsTheReason) {
  const std::vector<std::pair<int, std::string>> cases = {
      {EACCES, "Permission denied"},
      {EROFS, "Read-only file system"},
      {ENOSPC, "No space left on device"},
      {EWOULDBLOCK, "the catalogue is being changed by another program"}};
  for (const auto& [code, reason] : cases) {
    FileSystemCalls calls = SystemFileSystem();
    const int error = code;
    const auto fail = [error](auto...) { return (errno = error, -1); };
    if (error == EWOULDBLOCK) {
      calls.LockNow = [](int, short) { return (errno = EAGAIN, -1); };
      calls.TimedLock = fail;
    } else {
      calls.Renameat = fail;
    }
    const ScopedFileSystem failing(calls);
    EXPECT_EQ(Run({"save", "C", "1", "0", "0", "0"}),
              "calpero-cli: Unable to write to ./Data/data.ini: " + reason + "\n");
    if (error == EWOULDBLOCK) {
      std::filesystem::create_directories(workspace_.Root() / "Backup");
      EXPECT_EQ(
          Run({"backup"}),
          "calpero-cli: Unable to copy ./Data/data.ini to ./Backup/data.ini: " + reason + "\n");
    }
  }
  EXPECT_FALSE(std::filesystem::exists(workspace_.Root() / "Data" / "data.ini"));
}

// Where the file system cannot lock, a change goes ahead as one writer alone would, and the run
// says so once on the standard error; a file system that locks brings no warning.
TEST_F(CliCommandsUnderAComma, AChangeWhereTheFileSystemCannotLockWarnsOnceAndSucceeds) {
  const std::string warning =
      "calpero-cli: warning: the file system cannot lock files, so other programs changing the "
      "catalogue at the same time are not held off\n";
  for (const int refusal : {0, ENOLCK, EOPNOTSUPP}) {
    FileSystemCalls calls = SystemFileSystem();
    if (refusal != 0) {
      calls.LockNow = [refusal](int, short) { return (errno = refusal, -1); };
    }
    const ScopedFileSystem share(calls);
    std::filesystem::create_directories(workspace_.Root() / "Backup");
    for (const std::vector<std::string_view>& arguments :
         std::vector<std::vector<std::string_view>>{{"save", "C", "1", "0", "0", "0", "--replace"},
                                                    {"erase", "C"},
                                                    {"backup"},
                                                    {"restore"}}) {
      std::ostringstream out;
      std::ostringstream err;
      EXPECT_EQ(RunCommand(ParseCommandLine(arguments), workspace_.Root().string(), "1", out, err),
                0);
      EXPECT_EQ(err.str(), refusal != 0 ? warning : "") << arguments.front() << ' ' << refusal;
    }
  }
}

}  // namespace
}  // namespace calpero::testing
