#include "bench/scratch_folder.h"

#include <cstdlib>
#include <string>
#include <system_error>

namespace calpero {

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "calpero-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::filesystem::filesystem_error("cannot make a scratch folder", pattern,
                                            std::error_code(errno, std::generic_category()));
  }
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace calpero
