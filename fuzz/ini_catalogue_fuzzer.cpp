// Any bytes as a catalogue file, then the catalogue's operations on it: list, read, write, erase
// and add. The invariants: every listed unit reads without an error other than an overflow, and a
// single reading of the file answers as the handle does; after a write the written value reads
// back and the list is unchanged; after an erase the unit is gone or its next duplicate appears,
// and nothing else goes; a new unit is appended behind every byte of the file, or refused with
// the file untouched; and no unit that was not written changes its powers.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/errors.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_text.h"
#include "catalogue/unit_catalogue.h"
#include "fuzz/fuzz_check.h"
#include "storage/file_system.h"
#include "storage/whole_file.h"

namespace {

namespace fs = std::filesystem;
using calpero::fuzz::Require;
using Names = std::vector<std::string>;
// The four powers of a unit, each empty for a stored number beyond the double range.
using UnitPowers = std::vector<std::optional<double>>;

// Units whose powers are compared around each operation; more only slows the search down.
constexpr std::size_t kUnitsChecked = 24;
// Units read through the handle, each of whose reads goes to the file.
constexpr std::size_t kUnitsReadOneByOne = 6;

// A folder of this process's own, removed with everything in it when the process ends.
class PrivateFolder {
 public:
  PrivateFolder() {
    std::string pattern = (fs::temp_directory_path() / "calpero-fuzz-XXXXXX").string();
    Require(::mkdtemp(pattern.data()) != nullptr, "a private folder can be made");
    path_ = pattern;
  }
  ~PrivateFolder() {
    std::error_code error;
    fs::remove_all(path_, error);
  }
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;

  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

// The catalogue file that every input is written to. Syncing to the disk proves nothing here and
// would slow every run, so it is left out.
const std::string& CataloguePath() {
  static const calpero::ScopedFileSystem kNoSync = [] {
    calpero::FileSystemCalls calls = calpero::SystemFileSystem();
    calls.Fsync = [](int) { return 0; };
    return calpero::ScopedFileSystem(calls);
  }();
  static const PrivateFolder kFolder;
  static const std::string kPath = (kFolder.Path() / "data.ini").string();
  return kPath;
}

void Store(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  Require(fd >= 0, "the catalogue can be created");
  Require(::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()),
          "the catalogue can be written");
  ::close(fd);
}

std::string Folded(std::string name) {
  for (char& c : name) {
    c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return name;
}

template <typename Source>
UnitPowers Powers(const Source& source, const std::string& unit) {
  UnitPowers powers;
  for (const std::string_view key : calpero::kPowerKeys) {
    try {
      powers.emplace_back(source.ReadPower(unit, key));
    } catch (const calpero::EOverflow&) {
      powers.emplace_back(std::nullopt);
    }
  }
  return powers;
}

// The first few distinct units (by folded name) and their powers, from one reading of the file.
std::vector<std::pair<std::string, UnitPowers>> Snapshot(const calpero::UnitCatalogue& catalogue,
                                                         const Names& names) {
  const calpero::CatalogueReading reading = catalogue.ReadUnits(names);
  std::vector<std::pair<std::string, UnitPowers>> units;
  for (const std::string& name : names) {
    const bool seen = std::any_of(units.begin(), units.end(),
                                  [&](const auto& u) { return Folded(u.first) == Folded(name); });
    if (!seen && units.size() < kUnitsChecked) {
      units.emplace_back(name, Powers(reading, name));
    }
  }
  return units;
}

// Every unit of `before` except `changed` still reads as it did.
void RequireOthersUnchanged(const calpero::UnitCatalogue& catalogue,
                            const std::vector<std::pair<std::string, UnitPowers>>& before,
                            const std::string& changed, const char* operation) {
  Names names;
  for (const auto& unit : before) {
    names.push_back(unit.first);
  }
  const calpero::CatalogueReading reading = catalogue.ReadUnits(names);
  for (const auto& [name, powers] : before) {
    if (Folded(name) != Folded(changed)) {
      Require(Powers(reading, name) == powers, operation);
    }
  }
}

void CheckReading(const calpero::UnitCatalogue& catalogue, const Names& names) {
  const calpero::CatalogueReading reading = catalogue.ReadUnits(names);
  for (std::size_t i = 0; i < names.size() && i < kUnitsReadOneByOne; ++i) {
    Require(Powers(reading, names[i]) == Powers(catalogue, names[i]),
            "a single reading answers as the handle does");
    static_cast<void>(catalogue.UnitExists(names[i]));
  }
}

void CheckWrite(const std::string& path, std::string_view text, const Names& names,
                std::uint64_t choice) {
  Store(path, text);
  calpero::UnitCatalogue catalogue(path);
  const auto before = Snapshot(catalogue, names);
  const std::string unit = names.empty() ? "Fuzz" : names[choice % names.size()];
  const std::string_view key = calpero::kPowerKeys[choice % calpero::kPowerKeys.size()];
  const double value = static_cast<double>(static_cast<int>(choice % 41) - 20) / 4;
  catalogue.WritePower(unit, key, value);
  Require(catalogue.ReadPower(unit, key) == value, "a written power reads back");
  Names expected = names;
  if (names.empty()) {
    expected.push_back(unit);
  }
  Require(catalogue.ListUnits() == expected, "a write keeps every name");
  RequireOthersUnchanged(catalogue, before, unit, "a write changes no other unit");
}

void CheckErase(const std::string& path, std::string_view text, const Names& names,
                std::uint64_t choice) {
  if (names.empty()) {
    return;
  }
  Store(path, text);
  calpero::UnitCatalogue catalogue(path);
  const auto before = Snapshot(catalogue, names);
  const std::string& unit = names[choice % names.size()];
  catalogue.EraseUnit(unit);
  Names expected = names;
  expected.erase(std::find_if(expected.begin(), expected.end(),
                              [&](const std::string& n) { return Folded(n) == Folded(unit); }));
  Require(catalogue.ListUnits() == expected, "an erase removes the first unit of the name only");
  RequireOthersUnchanged(catalogue, before, unit, "an erase changes no other unit");
}

// Adds a unit named by a piece of the input, which may be refused as a name.
void CheckAdd(const std::string& path, std::string_view text, const Names& names,
              std::uint64_t choice) {
  const std::size_t length = choice % 12;
  const std::string unit(text.substr((choice / 12) % (text.size() + 1), length));
  const auto same = [&](const std::string& n) { return Folded(n) == Folded(unit); };
  if (std::any_of(names.begin(), names.end(), same)) {
    return;
  }
  Store(path, text);
  calpero::UnitCatalogue catalogue(path);
  const std::vector<std::pair<std::string_view, double>> powers = {
      {"Mass", 1}, {"Length", -2}, {"Temperature", 0.5}, {"Time", 3}};
  try {
    catalogue.WritePowers(unit, powers);
  } catch (const calpero::EInvalidUnitName&) {
    Require(calpero::ReadWholeFile(path).Bytes == text, "a refused name leaves the file as it was");
    return;
  }
  Names expected = names;
  expected.push_back(unit);
  Require(catalogue.ListUnits() == expected, "a new unit is listed last");
  Require(Powers(catalogue, unit) == UnitPowers{1, -2, 0.5, 3}, "a new unit reads back");
  Require(calpero::ReadWholeFile(path).Bytes.starts_with(text), "a new unit is appended");
}

// A number drawn from the whole input, to choose units, keys and values.
std::uint64_t Choice(std::string_view text) {
  std::uint64_t hash = 1469598103934665603ULL;
  for (const char c : text) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
  }
  return hash;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::uint64_t choice = Choice(text);
  const calpero::ScopedDecimalSeparator separator(choice % 2 == 0 ? "." : ",");
  const std::string& path = CataloguePath();
  Store(path, text);
  const Names names = calpero::UnitCatalogue(path).ListUnits();
  CheckReading(calpero::UnitCatalogue(path), names);
  CheckWrite(path, text, names, choice);
  CheckErase(path, text, names, choice >> 8U);
  CheckAdd(path, text, names, choice >> 16U);
  return 0;
}
