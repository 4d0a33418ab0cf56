// The window program's start-up as a user pays it: a whole process, from its start to the window
// shown with its list filled, at each catalogue size and with an empty catalogue. Each iteration
// starts the start-up probe (calpero_startup_probe, which starts as the program does and ends
// once the window has painted) in the workspace of the catalogue and waits for it to end, so the
// figure includes loading the program and its libraries, making the application object, finding
// the fonts and the platform, and building the window: the one-time costs that the in-process
// start-up (Window_StartUp) leaves out.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "bench/bench_catalogues.h"

namespace calpero {
namespace {

// Starts the probe in `workspace`, telling it to expect `units` units, and waits for it.
// Returns its exit status, or -1 when it could not be started or did not end normally.
int RunProbe(const std::string& workspace, std::int64_t units) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, workspace.c_str());
  std::string program = CALPERO_STARTUP_PROBE;
  std::string argument = std::to_string(units);
  std::array<char*, 3> arguments = {program.data(), argument.data(), nullptr};
  pid_t child = 0;
  const int failed =
      posix_spawn(&child, program.c_str(), &actions, nullptr, arguments.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) {
    return -1;
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) {
      return -1;
    }
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void Process_StartUp(benchmark::State& state) {
  const auto units = static_cast<std::size_t>(state.range(0));
  BenchCatalogue(units);
  const std::string workspace = BenchWorkspace(units).string();
  // One start outside the timing, so that the first figure does not carry the loading of the
  // libraries from disk, which a user's later starts do not pay either.
  int status = RunProbe(workspace, state.range(0));
  for (auto _ : state) {
    status = RunProbe(workspace, state.range(0));
    if (status != 0) {
      break;
    }
  }
  if (status != 0) {
    state.SkipWithError("the probe did not show the window with every unit listed");
  }
}

void BySize(benchmark::internal::Benchmark* bench) {
  for (const std::size_t units : kCatalogueSizes) {
    bench->Arg(static_cast<std::int64_t>(units));
  }
  bench->UseRealTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(Process_StartUp)->Arg(0)->Apply(BySize);

}  // namespace
}  // namespace calpero

int main(int argc, char** argv) {
  // The probe inherits the environment: offscreen unless the caller chose a platform.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
