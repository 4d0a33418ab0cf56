// Replays inputs through a fuzz target without libFuzzer, so that ctest can run the starting corpus
// and every input that once broke the target with the ordinary compiler. Each argument is a file or
// a folder of files; folders are read in name order. A folder that does not exist is reported and
// passed over (a target may have no past failures yet). Fails when no input at all was found; a
// broken invariant aborts the run.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsOf(const fs::path& argument) {
  std::error_code error;
  if (fs::is_regular_file(argument, error)) {
    return {argument};
  }
  std::vector<fs::path> inputs;
  for (const auto& entry : fs::directory_iterator(argument, error)) {
    if (entry.is_regular_file()) {
      inputs.push_back(entry.path());
    }
  }
  if (error) {
    std::cout << "no inputs in " << argument.string() << ": " << error.message() << "\n";
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    for (const fs::path& input : InputsOf(argv[i])) {
      const std::string bytes = Bytes(input);
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++replayed;
    }
  }
  std::cout << "replayed " << replayed << " inputs\n";
  return replayed > 0 ? 0 : 1;
}
