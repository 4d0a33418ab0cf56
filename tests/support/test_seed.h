#pragma once

#include <cstdint>
#include <string>

namespace calpero::test {

// Which seed a randomised test starts from: `fixed` by default, so that every run of the suite does
// the same and a failure can be replayed; the number in CALPERO_TEST_SEED when that is set, to
// replay a run or to try new ones (the soak scripts pass fresh seeds). A value that is not a whole
// number fails the test and leaves `fixed`.
std::uint32_t TestSeed(std::uint32_t fixed);

// How to repeat a run with `seed`, for SCOPED_TRACE, so that every failure names its seed.
std::string ReplayNote(std::uint32_t seed);

}  // namespace calpero::test
