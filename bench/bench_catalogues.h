#pragma once

#include <array>
#include <cstddef>
#include <filesystem>

#include "bench/generated_catalogue.h"

namespace calpero {

// The catalogue sizes every size-dependent benchmark runs at: a dozen-odd units, a large personal
// collection, and far more than anyone keeps by hand (about 6 MB).
inline constexpr std::array<std::size_t, 3> kCatalogueSizes = {100, 10'000, 100'000};

// The generated catalogue of `unitCount` units (none gives an empty file), written on first use
// into a scratch folder of this run that is removed when the program ends. Each size has a
// workspace of its own, holding the catalogue as Data/data.ini (where the window looks for it)
// and an empty Backup/ folder, so the temporaries of one file's replacement never meet another.
// Throws what GeneratedCatalogue throws.
const GeneratedCatalogue& BenchCatalogue(std::size_t unitCount);

// The workspace folder of the catalogue of `unitCount` units: the working directory under which
// the window finds it. Makes the catalogue first when needed.
std::filesystem::path BenchWorkspace(std::size_t unitCount);

}  // namespace calpero
