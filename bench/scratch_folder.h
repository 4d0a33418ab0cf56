#pragma once

#include <filesystem>

namespace calpero {

// A private folder under the system's temporary folder (TMPDIR when set), made at construction
// and removed with everything in it at destruction, so that a benchmark leaves nothing behind.
class ScratchFolder {
 public:
  // Throws std::filesystem::filesystem_error when no folder can be made.
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace calpero
