#pragma once

#include <string>

namespace calpero {

// Why the file at `path` exists but cannot be read, in the system's words ("Permission denied",
// "Is a directory", "Too many levels of symbolic links", ...); empty when it can be read or when
// it, or a folder on its path, does not exist (a missing catalogue is an empty one). Opens the
// file without waiting, so a FIFO is reported rather than read. Never throws beyond allocation.
std::string CatalogueReadProblem(const std::string& path);

}  // namespace calpero
