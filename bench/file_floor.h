#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace calpero {

// The physical floor of every catalogue operation: what it costs just to get the file's bytes into
// memory and to look at each of its lines once. Plain system calls and memchr, nothing of the
// catalogue's own code, so that the catalogue is measured against the machine.

// A file's bytes in a buffer that is not cleared before the read.
struct FileBytes {
  std::unique_ptr<char[]> data;
  std::size_t size = 0;

  std::string_view View() const { return {data.get(), size}; }
};

// Reads the whole file at `path` with open, fstat and read. Throws std::runtime_error when the
// file cannot be opened or read.
FileBytes ReadFileFloor(const std::string& path);

// The number of line feeds in `text`, found with one memchr call per line.
std::size_t CountLineEnds(std::string_view text);

// Replaces the file at `path` with `bytes` the crash-safe way, with nothing else: a new file in
// the same folder, written, synced, renamed over `path`, then the folder synced. The floor of any
// operation that changes the catalogue. Throws std::runtime_error when a step fails.
void ReplaceFileFloor(const std::string& path, std::string_view bytes);

}  // namespace calpero
