#include "bench/bench_catalogues.h"

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "tests/support/temp_folder.h"

namespace calpero {

namespace {

const std::filesystem::path& ScratchPath() {
  static const test::TempFolder folder;
  return folder.Path();
}

}  // namespace

std::filesystem::path BenchWorkspace(std::size_t unitCount) {
  return ScratchPath() / std::to_string(unitCount);
}

const GeneratedCatalogue& BenchCatalogue(std::size_t unitCount) {
  static std::map<std::size_t, std::unique_ptr<GeneratedCatalogue>> made;
  std::unique_ptr<GeneratedCatalogue>& catalogue = made[unitCount];
  if (!catalogue) {
    const std::filesystem::path workspace = BenchWorkspace(unitCount);
    std::filesystem::create_directories(workspace / "Data");
    std::filesystem::create_directories(workspace / "Backup");
    catalogue = std::make_unique<GeneratedCatalogue>(workspace / "Data", unitCount);
  }
  return *catalogue;
}

}  // namespace calpero
