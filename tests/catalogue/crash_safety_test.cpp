// The catalogue survives being killed at any moment. A child process runs a seeded workload of
// writes, saves, erases, backups and restores and is killed with SIGKILL after a random delay;
// then the catalogue and the backup must each hold exactly what they held before the step in
// flight or what they hold after it, byte for byte, and a temporary that the kill left behind must
// go with the next successful write. CALPERO_CRASH_KILLS sets the number of kills (default 300,
// 150 under AddressSanitizer). The workload and the moments of the kills come from a seed, the
// same on every run, printed and named by every failure; CALPERO_TEST_SEED gives another, and
// tests/crash_soak.sh runs thousands of kills with a fresh one. Besides: writers in several
// processes at once lose no change (CALPERO_WRITER_ROUNDS rounds, default 40), and a writer waits
// for the lock, but not forever.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "catalogue/catalogue_copy.h"
#include "catalogue/errors.h"
#include "catalogue/power_keys.h"
#include "catalogue/unit_catalogue.h"
#include "storage/file_system.h"
#include "storage/temporary_files.h"
#include "storage/write_lock.h"
#include "tests/catalogue/test_files.h"
#include "tests/support/test_seed.h"

namespace calpero {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// One step of the workload, run in a working folder with Data/ and Backup/.
struct Step {
  enum class Kind { kWritePower, kWritePowers, kEraseUnit, kBackUp, kRestore };
  Kind kind = Kind::kWritePower;
  std::string unit;
  std::string_view key;
  double value = 0;
};

std::vector<Step> MakeWorkload(std::uint32_t seed, int steps) {
  // "\x65" is the "e" of "Grüße", written so that it is not read as part of the escape before.
  const std::vector<std::string> units = {"UnitA", "unitb", "Force", "Gr\xFC\xDF\x65", "Speed"};
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> percent(0, 99);
  std::uniform_int_distribution<std::size_t> unit(0, units.size() - 1);
  std::uniform_int_distribution<std::size_t> key(0, kPowerKeys.size() - 1);
  std::uniform_int_distribution<int> quarters(-12, 12);
  std::vector<Step> workload;
  for (int i = 0; i < steps; ++i) {
    const int roll = percent(random);
    Step step;
    step.kind = roll < 35   ? Step::Kind::kWritePower
                : roll < 60 ? Step::Kind::kWritePowers
                : roll < 80 ? Step::Kind::kEraseUnit
                : roll < 90 ? Step::Kind::kBackUp
                            : Step::Kind::kRestore;
    step.unit = units[unit(random)];
    step.key = kPowerKeys[key(random)];
    step.value = quarters(random) / 4.0;
    workload.push_back(step);
  }
  return workload;
}

void Perform(const Step& step) {
  UnitCatalogue catalogue;
  switch (step.kind) {
    case Step::Kind::kWritePower:
      catalogue.WritePower(step.unit, step.key, step.value);
      break;
    case Step::Kind::kWritePowers: {
      const std::vector<std::pair<std::string_view, double>> powers = {
          {"Mass", step.value}, {"Length", -step.value}, {"Temperature", 1}, {"Time", 2}};
      catalogue.WritePowers(step.unit, powers);
      break;
    }
    case Step::Kind::kEraseUnit:
      catalogue.EraseUnit(step.unit);
      break;
    case Step::Kind::kBackUp:
      BackUpCatalogue();
      break;
    case Step::Kind::kRestore:
      RestoreCatalogue();
      break;
  }
}

// The bytes of the catalogue and of the backup, each empty when the file does not exist.
struct FileStates {
  std::optional<std::string> catalogue;
  std::optional<std::string> backup;
  bool operator==(const FileStates&) const = default;
};

std::optional<std::string> BytesIfAny(const fs::path& path) {
  if (!fs::exists(path)) {
    return std::nullopt;
  }
  return test::ReadBytes(path.string());
}

FileStates StatesIn(const fs::path& folder) {
  return {BytesIfAny(folder / "Data/data.ini"), BytesIfAny(folder / "Backup/data.ini")};
}

void LayOut(const fs::path& folder) {
  fs::remove_all(folder);
  fs::create_directories(folder / "Data");
  fs::create_directories(folder / "Backup");
  test::WriteBytes((folder / "Data/data.ini").string(), test::Fixture("crlf_line_ends.ini"));
}

// The states after each number of steps, from none to all, found by running the workload here.
std::vector<FileStates> StatesAfterEachStep(const std::vector<Step>& workload,
                                            const fs::path& folder) {
  LayOut(folder);
  const test::ScopedWorkingDirectory inFolder(folder);
  std::vector<FileStates> states = {StatesIn(".")};
  for (const Step& step : workload) {
    Perform(step);
    states.push_back(StatesIn("."));
  }
  return states;
}

int TemporariesIn(const fs::path& folder) {
  int count = 0;
  for (const char* sub : {"Data", "Backup"}) {
    for (const auto& entry : fs::directory_iterator(folder / sub)) {
      count += IsTemporaryName(entry.path().filename().string(), "data.ini") ? 1 : 0;
    }
  }
  return count;
}

// Runs the workload in a child in `folder`, which reports each step it starts through a pipe,
// and kills it after `delay`. Returns the number of steps started, or -1 when the child finished.
int RunAndKill(const std::vector<Step>& workload, const fs::path& folder, Clock::duration delay) {
  std::array<int, 2> channel{};
  if (::pipe(channel.data()) != 0) {
    ADD_FAILURE() << "no pipe";
    return 0;
  }
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    fs::current_path(folder);
    for (int started = 1; const Step& step : workload) {
      if (::write(channel[1], &started, sizeof started) != sizeof started) {
        ::_exit(2);
      }
      ++started;
      Perform(step);
    }
    ::_exit(0);
  }
  ::close(channel[1]);
  std::this_thread::sleep_for(delay);
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  int started = 0;
  for (int got = 0; ::read(channel[0], &got, sizeof got) == sizeof got;) {
    started = got;
  }
  ::close(channel[0]);
  const bool finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  EXPECT_TRUE(finished || (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL))
      << "the child failed by itself: status " << status;
  return finished ? -1 : started;
}

int FromEnvironment(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::atoi(value) : fallback;
}

// Forking a process under AddressSanitizer costs far more, so its runs kill fewer times.
#ifdef __SANITIZE_ADDRESS__
constexpr int kDefaultKills = 150;
#else
constexpr int kDefaultKills = 300;
#endif

TEST(CrashSafety, AKillAtAnyMomentLeavesEachFileOldOrNewAndNoTemporaryAfterTheNextWrite) {
  const int kills = FromEnvironment("CALPERO_CRASH_KILLS", kDefaultKills);
  const std::uint32_t seed = test::TestSeed(20261207);
  SCOPED_TRACE(test::ReplayNote(seed));
  std::cout << "workload " << test::ReplayNote(seed) << ", " << kills << " kills\n";
  const std::vector<Step> workload = MakeWorkload(seed, 40);
  const test::TempFolder scratch;
  const Clock::time_point start = Clock::now();
  const std::vector<FileStates> states = StatesAfterEachStep(workload, scratch.Path() / "model");
  const auto workloadTime = Clock::now() - start;

  std::mt19937 random(seed);
  std::uniform_int_distribution<Clock::rep> delay(0, workloadTime.count());
  int finishedFirst = 0;
  int stepInFlightDone = 0;
  int temporariesLeft = 0;
  const fs::path folder = scratch.Path() / "killed";
  for (int kill = 0; kill < kills; ++kill) {
    LayOut(folder);
    const int started = RunAndKill(workload, folder, Clock::duration(delay(random)));
    const FileStates found = StatesIn(folder);
    if (started < 0) {
      ++finishedFirst;
      ASSERT_EQ(found, states.back()) << "finished, kill " << kill;
    } else {
      const auto step = static_cast<std::size_t>(started);
      const bool before = found == states[step > 0 ? step - 1 : 0];
      stepInFlightDone += before ? 0 : 1;
      ASSERT_TRUE(before || found == states[step])
          << "killed in step " << step << " of " << workload.size() << ", kill " << kill;
    }
    temporariesLeft += TemporariesIn(folder) > 0 ? 1 : 0;
    // The killed writer may have held the lock: the next one must not have to wait for it.
    UnitCatalogue((folder / "Data/data.ini").string()).WritePower("After the kill", "Mass", 1);
    ASSERT_TRUE(CopyCatalogueFile((folder / "Data/data.ini").string(),
                                  (folder / "Backup/data.ini").string()));
    ASSERT_EQ(TemporariesIn(folder), 0) << "after the next writes, kill " << kill;
  }
  std::cout << kills << " kills: " << finishedFirst << " after the workload, " << stepInFlightDone
            << " with the step in flight already done, " << temporariesLeft
            << " left a temporary, removed by the next write\n";
}

std::string Unit(int writer, int round) {
  return "W" + std::to_string(writer) + "_" + std::to_string(round);
}

// Each round, each writer saves a unit of its own and changes the one of the round before:
// after an even round it is replaced, after an odd one erased. Exits with the number of failures.
void RunWriter(int writer, int rounds) {
  UnitCatalogue catalogue;
  int failures = 0;
  for (int round = 0; round < rounds; ++round) {
    const bool failed = test::ReportsFailure([&] {
      catalogue.WritePowers(Unit(writer, round), test::kFourPowers);
      if (round % 2 == 1) {
        catalogue.WritePower(Unit(writer, round - 1), "Mass", round);
      } else if (round > 0) {
        catalogue.EraseUnit(Unit(writer, round - 1));
      }
    });
    failures += failed ? 1 : 0;
  }
  ::_exit(failures);
}

TEST(ConcurrentWriters, EveryChangeOfFourProcessesAtOnceIsInTheFinalFile) {
  constexpr int kWriters = 4;
  const int rounds = FromEnvironment("CALPERO_WRITER_ROUNDS", 40);
  const test::TempFolder folder;
  fs::create_directory(folder.Path() / "Data");
  const test::ScopedWorkingDirectory inFolder(folder.Path());
  std::vector<pid_t> writers;
  for (int writer = 0; writer < kWriters; ++writer) {
    writers.push_back(::fork());
    if (writers.back() == 0) {
      RunWriter(writer, rounds);
    }
  }
  for (const pid_t writer : writers) {
    int status = -1;
    ::waitpid(writer, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  }
  std::vector<std::string> expected;
  for (int writer = 0; writer < kWriters; ++writer) {
    for (int round = 0; round < rounds; round += 2) {
      expected.push_back(Unit(writer, round));
      EXPECT_EQ(UnitCatalogue().ReadPower(expected.back(), "Mass"),
                round + 1 < rounds ? round + 1 : 1);
    }
    if (rounds % 2 == 0) {
      expected.push_back(Unit(writer, rounds - 1));
    }
  }
  std::vector<std::string> listed = UnitCatalogue().ListUnits();
  std::sort(listed.begin(), listed.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(listed, expected);
}

TEST(WriteLockWait, AWriterGivesUpAfterTheLongestWaitLeavingTheFileAsItWas) {
  const test::TempFolder folder;
  const test::ScopedWorkingDirectory inFolder(folder.Path());
  fs::create_directories("Backup");
  test::WriteBytes("Backup/data.ini", "[Backed up]\n");
  std::vector<std::chrono::milliseconds> waits;
  FileSystemCalls calls = SystemFileSystem();
  calls.TimedLock = [&waits](int, std::chrono::milliseconds timeout) {
    waits.push_back(timeout);
    return (errno = EWOULDBLOCK, -1);
  };
  const ScopedFileSystem noWaiting(calls);
  std::optional<WriteLock> holder(std::in_place, "Backup/data.ini");
  ASSERT_TRUE(holder->Held());
  EXPECT_FALSE(BackUpCatalogue());
  EXPECT_EQ(errno, EWOULDBLOCK);
  try {
    UnitCatalogue("Backup/data.ini").EraseUnit("Backed up");
    ADD_FAILURE() << "erased while another held the lock";
  } catch (const EIniFileException& error) {
    EXPECT_EQ(error.Reason(), "the catalogue is being changed by another program");
  }
  EXPECT_EQ(waits, std::vector(2, WriteLock::kLongestWait));
  EXPECT_EQ(test::ReadBytes("Backup/data.ini"), "[Backed up]\n");
  holder.reset();
  UnitCatalogue("Backup/data.ini").EraseUnit("Backed up");
  EXPECT_EQ(waits.size(), 2U);
}

std::size_t EntriesOf(const char* folder) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(WriteLockWait, AWaitThatGivesUpLeavesNoThreadAndNoDescriptorBehind) {
  const test::TempFolder folder;
  const test::ScopedWorkingDirectory inFolder(folder.Path());
  fs::create_directories("Data");
  FileSystemCalls calls = SystemFileSystem();
  calls.TimedLock = [real = calls.TimedLock](int fd, std::chrono::milliseconds) {
    return real(fd, std::chrono::milliseconds(20));
  };
  const ScopedFileSystem shortWaits(calls);
  const WriteLock holder("Data/data.ini");
  ASSERT_TRUE(holder.Held());
  const std::size_t threads = EntriesOf("/proc/self/task");
  const std::size_t descriptors = EntriesOf("/proc/self/fd");
  for (int wait = 0; wait < 50; ++wait) {
    EXPECT_TRUE(test::ReportsFailure([] { UnitCatalogue().WritePower("A", "Mass", 1); }));
  }
  EXPECT_EQ(EntriesOf("/proc/self/task"), threads);
  EXPECT_EQ(EntriesOf("/proc/self/fd"), descriptors);
}

}  // namespace
}  // namespace calpero
