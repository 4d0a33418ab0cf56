// How the catalogue operations and the evaluation cost against the floor of reading the file and
// finding its line ends, at each catalogue size. Every catalogue benchmark measures wall time:
// the file system's waits (the sync of a replaced file) are part of what the user waits for.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/start_up.h"
#include "bench/bench_catalogues.h"
#include "bench/file_floor.h"
#include "calc/evaluation.h"
#include "catalogue/catalogue_reading.h"
#include "catalogue/closest_name.h"
#include "catalogue/power_text.h"
#include "catalogue/unit_catalogue.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/reading_report.h"
#include "storage/write_lock.h"

namespace calpero {
namespace {

const GeneratedCatalogue& CatalogueFor(const benchmark::State& state) {
  return BenchCatalogue(static_cast<std::size_t>(state.range(0)));
}

// Reports the catalogue's size next to each figure, and fails the run when a benchmark that
// must leave the file as it found it did not.
void Finish(benchmark::State& state, const GeneratedCatalogue& catalogue, bool checkUnchanged) {
  state.counters["bytes"] = static_cast<double>(catalogue.Bytes().size());
  if (checkUnchanged && ReadFileFloor(catalogue.Path()).View() != catalogue.Bytes()) {
    state.SkipWithError("the catalogue file changed");
  }
}

void Floor_Read(benchmark::State& state) {
  const GeneratedCatalogue& catalogue = CatalogueFor(state);
  for (auto _ : state) {
    FileBytes bytes = ReadFileFloor(catalogue.Path());
    benchmark::DoNotOptimize(bytes.data.get());
  }
  Finish(state, catalogue, false);
}

void Floor_ReadAndFindLineEnds(benchmark::State& state) {
  const GeneratedCatalogue& catalogue = CatalogueFor(state);
  for (auto _ : state) {
    const FileBytes bytes = ReadFileFloor(catalogue.Path());
    benchmark::DoNotOptimize(CountLineEnds(bytes.View()));
  }
  Finish(state, catalogue, false);
}

// Replaces a file of the catalogue's size next to it (never the catalogue itself).
void Floor_ReplaceFile(benchmark::State& state) {
  const GeneratedCatalogue& catalogue = CatalogueFor(state);
  const std::string path = catalogue.Path() + ".floor";
  for (auto _ : state) {
    ReplaceFileFloor(path, catalogue.Bytes());
  }
  std::filesystem::remove(path);
  Finish(state, catalogue, false);
}

// A fresh handle each time, as on a file that changed since the last look: a handle that read
// the same bytes before would spare itself the walk over the headers (UnitCatalogue::ReadText).
void ListUnits(benchmark::State& state) {
  const GeneratedCatalogue& catalogue = CatalogueFor(state);
  for (auto _ : state) {
    const UnitCatalogue file(catalogue.Path());
    benchmark::DoNotOptimize(file.ListUnits());
  }
  Finish(state, catalogue, false);
}

void ReadPower_LastUnit(benchmark::State& state) {
  const GeneratedCatalogue& catalogue = CatalogueFor(state);
  const UnitCatalogue file(catalogue.Path());
  const std::string& name = catalogue.Names().back();
  for (auto _ : state) {
    benchmark::DoNotOptimize(file.ReadPower(name, "Time"));
  }
  Finish(state, catalogue, false);
}

void UnitExists_LastUnit(benchmark::State& state) {
  const GeneratedCatalogue& catalogue = CatalogueFor(state);
  const UnitCatalogue file(catalogue.Path());
  const std::string& name = catalogue.Names().back();
  for (auto _ : state) {
    benchmark::DoNotOptimize(file.UnitExists(name));
  }
  Finish(state, catalogue, false);
}

// Writes the value the unit already holds, so the file keeps its bytes while being rewritten.
void WritePower_MiddleUnit(benchmark::State& state) {
  const GeneratedCatalogue& catalogue = CatalogueFor(state);
  UnitCatalogue file(catalogue.Path());
  const std::string& name = catalogue.Name(catalogue.Names().size() / 2);
  const double mass = file.ReadPower(name, "Mass");
  for (auto _ : state) {
    file.WritePower(name, "Mass", mass);
  }
  Finish(state, catalogue, true);
}

// Each erase is undone outside the timing.
void EraseUnit_MiddleUnit(benchmark::State& state) {
  const GeneratedCatalogue& catalogue = CatalogueFor(state);
  UnitCatalogue file(catalogue.Path());
  const std::string& name = catalogue.Name(catalogue.Names().size() / 2);
  for (auto _ : state) {
    file.EraseUnit(name);
    state.PauseTiming();
    catalogue.Restore();
    state.ResumeTiming();
  }
  Finish(state, catalogue, true);
}

// What the writers' turn-taking adds to each WritePower and EraseUnit: taking the lock of the
// lock file beside the catalogue when no other writer holds it, and releasing it.
void WriteLock_TakeAndRelease(benchmark::State& state) {
  const GeneratedCatalogue& catalogue = BenchCatalogue(100'000);
  for (auto _ : state) {
    const WriteLock lock(catalogue.Path());
    if (!lock.Held()) {
      state.SkipWithError("the lock was not taken");
      break;
    }
  }
}

// The resultant of `range(1)` tokens spread evenly over the catalogue, the last one naming its
// last unit so that the whole file has to be looked through; they alternate between the areas.
// A fresh handle each time, as for ListUnits.
void EvaluateResultant_Tokens(benchmark::State& state) {
  const GeneratedCatalogue& catalogue = CatalogueFor(state);
  const auto tokens = static_cast<std::size_t>(state.range(1));
  const std::size_t units = catalogue.Names().size();
  TAreaNames areas;
  for (std::size_t i = 1; i <= tokens; ++i) {
    std::vector<std::string>& area = i % 2 == 1 ? areas.Numerator : areas.Denominator;
    area.push_back(catalogue.Name(i * units / tokens - 1));
  }
  TEvaluationState evaluation;
  for (auto _ : state) {
    const UnitCatalogue file(catalogue.Path());
    EvaluateResultant(areas, file, evaluation);
    benchmark::DoNotOptimize(evaluation.ResultantPowers);
  }
  Finish(state, catalogue, false);
}

// calpero-cli's command in-process, on the catalogue's workspace, its output kept in memory.
void RunCli(benchmark::State& state, std::vector<std::string_view> arguments) {
  const GeneratedCatalogue& catalogue = CatalogueFor(state);
  const std::string workspace = BenchWorkspace(catalogue.Names().size()).string();
  const TCommandLine line = ParseCommandLine(arguments);
  for (auto _ : state) {
    std::ostringstream out;
    std::ostringstream err;
    if (RunCommand(line, workspace, "bench", out, err) != 0) {
      state.SkipWithError(err.str().c_str());
      break;
    }
    benchmark::DoNotOptimize(out.str().size());
  }
  Finish(state, catalogue, true);
}

// "list" and "match": the match reads every unit's powers where the list reads only the
// headers, and both sort what they print.
void Cli_List(benchmark::State& state) { RunCli(state, {"list"}); }

void Cli_Match(benchmark::State& state) { RunCli(state, {"match", "1", "-1", "0", "-2"}); }

// 16,000 names spread over the catalogue, as a script might pass them to "eval".
constexpr std::size_t kManyNames = 16'000;

std::vector<std::string> ManyNames(const GeneratedCatalogue& catalogue) {
  std::vector<std::string> names;
  const std::size_t units = catalogue.Names().size();
  for (std::size_t i = 0; i < kManyNames; ++i) {
    names.push_back(catalogue.Name(i * units / kManyNames));
  }
  return names;
}

// The evaluation of the 16,000 names, reading included, against the check that each of them is
// in the catalogue, made on the evaluation's own reading as calpero-cli makes it.
void Evaluate_16000Names(benchmark::State& state) {
  const GeneratedCatalogue& catalogue = CatalogueFor(state);
  const UnitCatalogue file(catalogue.Path());
  const TAreaNames areas{ManyNames(catalogue), {}};
  TEvaluationState evaluation;
  for (auto _ : state) {
    const CatalogueReading reading = file.ReadUnits(areas.Numerator);
    EvaluateResultant(areas, reading, evaluation);
    benchmark::DoNotOptimize(evaluation.ResultantPowers);
  }
  Finish(state, catalogue, false);
}

void PresenceCheck_16000Names(benchmark::State& state) {
  const GeneratedCatalogue& catalogue = CatalogueFor(state);
  const std::vector<std::string> names = ManyNames(catalogue);
  const CatalogueReading reading = UnitCatalogue(catalogue.Path()).ReadUnits(names);
  for (auto _ : state) {
    benchmark::DoNotOptimize(MissingUnits(reading, names));
  }
  Finish(state, catalogue, false);
}

// The "did you mean" hint for a long name that misses a catalogue name of the same length by a
// swap of neighbours near its end, among a few names of other lengths: the hint must stay quick
// however long the names that a script passes.
void ClosestName_NearMiss(benchmark::State& state) {
  const auto length = static_cast<std::size_t>(state.range(0));
  std::string stored(length, 'u');
  for (std::size_t i = 0; i < length; i += 7) {
    stored[i] = static_cast<char>('a' + i % 26);
  }
  std::string typed = stored;
  std::swap(typed[length - 2], typed[length - 3]);
  const std::vector<std::string> names = {"Newton", stored.substr(1), stored, stored + "x"};
  for (auto _ : state) {
    const std::string closest = ClosestName(typed, names);
    if (closest != stored) {
      state.SkipWithError("the near miss was not suggested");
      break;
    }
    benchmark::DoNotOptimize(closest.size());
  }
}

// Texts as they stand in catalogues: whole numbers, fractions, an exponent, blanks.
constexpr std::array<const char*, 8> kStoredTexts = {
    "1", "-2", "0.5", "-1.5", "0.333333333333333", "6.6743E-11", " 3 ", "123456789012345"};

void ParsePower_PerCall(benchmark::State& state) {
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParsePower(kStoredTexts.at(next)));
    next = (next + 1) % kStoredTexts.size();
  }
}

constexpr std::array<double, 8> kPowers = {1, -2, 0.5, -1.5, 1.0 / 3, 6.6743E-11, 1E15, -2.5E-7};

void FormatStoredPower_PerCall(benchmark::State& state) {
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatStoredPower(kPowers.at(next)));
    next = (next + 1) % kPowers.size();
  }
}

void BySize(benchmark::internal::Benchmark* bench) {
  for (const std::size_t units : kCatalogueSizes) {
    bench->Arg(static_cast<std::int64_t>(units));
  }
  bench->UseRealTime()->Unit(benchmark::kMicrosecond);
}

void BySizeAndTokens(benchmark::internal::Benchmark* bench) {
  for (const std::size_t units : kCatalogueSizes) {
    for (const std::int64_t tokens : {1, 10, 50}) {
      bench->Args({static_cast<std::int64_t>(units), tokens});
    }
  }
  bench->UseRealTime()->Unit(benchmark::kMicrosecond);
}

BENCHMARK(Floor_Read)->Apply(BySize);
BENCHMARK(Floor_ReadAndFindLineEnds)->Apply(BySize);
BENCHMARK(Floor_ReplaceFile)->Apply(BySize);
BENCHMARK(ListUnits)->Apply(BySize);
BENCHMARK(ReadPower_LastUnit)->Apply(BySize);
BENCHMARK(UnitExists_LastUnit)->Apply(BySize);
BENCHMARK(WritePower_MiddleUnit)->Apply(BySize);
BENCHMARK(EraseUnit_MiddleUnit)->Apply(BySize);
BENCHMARK(EvaluateResultant_Tokens)->Apply(BySizeAndTokens);
BENCHMARK(Cli_List)->Apply(BySize);
BENCHMARK(Cli_Match)->Apply(BySize);
BENCHMARK(Evaluate_16000Names)->Arg(100'000)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(PresenceCheck_16000Names)->Arg(100'000)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteLock_TakeAndRelease)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(ClosestName_NearMiss)
    ->Arg(16'000)
    ->Arg(32'000)
    ->Arg(131'072)  // 128 KB
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ParsePower_PerCall);
BENCHMARK(FormatStoredPower_PerCall);

}  // namespace
}  // namespace calpero

int main(int argc, char** argv) {
  // As both programs do, so that the floor and the operations take their memory on the same terms.
  calpero::KeepLargeBlocksInTheHeap();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
