// Catalogues far larger than anyone types by hand, generated in a temporary folder: a 100 MB file
// and one with a million sections. Every operation still sees every unit (nothing is cut at a
// buffer's end) and needs memory in proportion to the file, a few copies of it at most. The work
// runs in a child process so that its peak memory can be measured on its own.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "catalogue/catalogue_reading.h"
#include "catalogue/unit_catalogue.h"
#include "tests/catalogue/test_files.h"

namespace calpero::test {
namespace {

namespace fs = std::filesystem;

// AddressSanitizer keeps freed memory in quarantine (256 MB) and adds its shadow and red zones.
#ifdef __SANITIZE_ADDRESS__
constexpr std::size_t kSanitizerFactor = 2;
constexpr std::size_t kSanitizerQuarantine = std::size_t{512} << 20U;
#else
constexpr std::size_t kSanitizerFactor = 1;
constexpr std::size_t kSanitizerQuarantine = 0;
#endif

// What a measured child reported, its peak resident memory and its wall time.
struct MeasuredRun {
  std::string report;
  long peakBytes = 0;
  double seconds = 0;
  bool exitedCleanly = false;
};

// Runs `work` in a child process and measures it; the text `work` returns comes back as the
// report. An exception in the child counts as an unclean exit.
MeasuredRun RunMeasured(const std::function<std::string()>& work) {
  MeasuredRun run;
  std::array<int, 2> channel{};
  if (::pipe(channel.data()) != 0) {
    return run;
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    try {
      const std::string report = work();
      const bool sent =
          ::write(channel[1], report.data(), report.size()) == static_cast<ssize_t>(report.size());
      ::_exit(sent ? 0 : 2);
    } catch (...) {
      ::_exit(1);
    }
  }
  ::close(channel[1]);
  std::array<char, 4096> buffer{};
  for (ssize_t got = 0; (got = ::read(channel[0], buffer.data(), buffer.size())) > 0;) {
    run.report.append(buffer.data(), static_cast<std::size_t>(got));
  }
  ::close(channel[0]);
  int status = 0;
  struct rusage usage {};
  ::wait4(child, &status, 0, &usage);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.peakBytes = usage.ru_maxrss * 1024;
  run.exitedCleanly = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

// A unit's section with its four powers, padded by a comment line to `size` bytes or more.
// The padding is a comment between the header and the entries, so that erasing the unit removes
// the whole section (comments after the last entry belong to what follows).
std::string Section(const std::string& name, std::size_t size) {
  const std::string header = "[" + name + "]\n";
  const std::string entries = "Mass=1\nLength=-2\nTemperature=0.5\nTime=3\n";
  const std::size_t bare = header.size() + entries.size();
  const std::string padding = bare < size ? ";" + std::string(size - bare - 2, '-') + "\n" : "";
  return header + padding + entries;
}

std::string UnitName(int number) {
  std::string digits = std::to_string(number);
  return "Unit" + std::string(7 - digits.size(), '0') + digits;
}

// The file of `count` units, each section `size` bytes (at least its four entries).
std::string Catalogue(int count, std::size_t size) {
  std::string text;
  text.reserve(static_cast<std::size_t>(count) * std::max<std::size_t>(size, 64));
  for (int i = 0; i < count; ++i) {
    text += Section(UnitName(i), size);
  }
  return text;
}

// Lists, reads the last unit, writes into it, adds a unit and erases the first; reports the
// counts and the values seen, one per line.
std::string ExerciseEveryUnit(const std::string& path) {
  UnitCatalogue catalogue(path);
  const Names names = catalogue.ListUnits();
  std::string report = std::to_string(names.size()) + "\n" + names.back() + "\n";
  report += std::to_string(catalogue.ReadPower(names.back(), "Length")) + "\n";
  catalogue.WritePower(names.back(), "Length", 7);
  report += std::to_string(catalogue.ReadPower(names.back(), "Length")) + "\n";
  report += std::to_string(catalogue.ReadUnits(Names{names.front(), names.back()})
                               .ReadPower(names.front(), "Temperature")) +
            "\n";
  catalogue.WritePower("Added", "Time", -1);
  catalogue.EraseUnit(names.front());
  const Names after = catalogue.ListUnits();
  report += std::to_string(after.size()) + "\n" + after.front() + "\n" + after.back() + "\n";
  return report;
}

struct LargeCatalogue {
  const char* what;
  int units;
  std::size_t sectionSize;
};

TEST(LargeCatalogue, EveryUnitOfAHugeFileIsSeenAndTheMemoryNeededStaysInProportion) {
  const std::vector<LargeCatalogue> cases = {
      {"100 MB in ten thousand units", 10'000, 10'000},
      {"a million sections", 1'000'000, 0},
  };
  for (const LargeCatalogue& c : cases) {
    const TempFolder folder;
    const std::string path = folder.File("data.ini");
    std::string text = Catalogue(c.units, c.sectionSize);
    WriteBytes(path, text);
    const std::size_t size = text.size();
    // The child starts with this process's memory: the text must not count as its own.
    std::string().swap(text);
    const std::size_t firstSection = Section(UnitName(0), c.sectionSize).size();
    const MeasuredRun run = RunMeasured([&] { return ExerciseEveryUnit(path); });
    std::cout << c.what << ": " << size / 1'000'000 << " MB in " << run.seconds
              << " s, peak memory " << run.peakBytes / 1'000'000 << " MB\n";
    ASSERT_TRUE(run.exitedCleanly) << c.what;
    const std::string expected = std::to_string(c.units) + "\n" + UnitName(c.units - 1) +
                                 "\n-2.000000\n7.000000\n0.500000\n" + std::to_string(c.units) +
                                 "\n" + UnitName(1) + "\nAdded\n";
    EXPECT_EQ(run.report, expected) << c.what;
    EXPECT_EQ(fs::file_size(path),
              size - firstSection + std::string("[Added]\nTime=-1\n").size() - 1)
        << c.what;
    // The file as read and its edited copy, the list of names and the program itself: a third
    // copy of the file, or a copy per line or per unit, would break the bound.
    const std::size_t bound = 2 * size + 64 * static_cast<std::size_t>(c.units) + (32U << 20U);
    EXPECT_LT(static_cast<std::size_t>(run.peakBytes),
              bound * kSanitizerFactor + kSanitizerQuarantine)
        << c.what;
  }
}

}  // namespace
}  // namespace calpero::test
