#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace calpero {

// The temporary files through which a file is replaced (see ReplaceWholeFile). Each lies in the
// folder of the file it replaces and is named ".<file name>.calpero-tmp-<pid>-<eight letters or
// digits>": a hidden name that no person would choose for a file of their own, that says which
// program and which process made it, and that is never taken for the file itself.
//
// A writer holds an exclusive lock (flock) on its temporary from creating it until it has been
// renamed over the file. A process that is killed in between leaves its temporary behind, but the
// kernel drops its lock; so a temporary that nobody holds locked is stale, and the next successful
// replacement of the same file removes it. One that is locked belongs to a live writer and stays.
// Only names of exactly that form are ever removed; every other file in the folder is left alone.

// Whether `entryName`, a name in a folder, has the form of a temporary of the file `fileName`.
bool IsTemporaryName(std::string_view entryName, std::string_view fileName);

// Creates a new temporary next to `target` (opened for writing, with `mode` less the umask) and
// locks it. Returns its descriptor and sets `name` to its path, or returns -1 (errno set) when no
// temporary can be created there. The open goes through FileSystem().
int CreateLockedTemporary(const std::filesystem::path& target, mode_t mode, std::string& name);

// Removes every stale temporary of `target` from its folder: those that no live writer holds
// locked. Best effort: what cannot be listed, locked or removed stays, and nothing is reported.
// The removals go through FileSystem(). Never throws beyond allocation failure.
void RemoveStaleTemporaries(const std::filesystem::path& target);

}  // namespace calpero
