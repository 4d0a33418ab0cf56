#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace calpero {

// The temporary files through which a file is replaced (see ChangeWholeFile). Each lies in the
// folder of the file it replaces and is named ".<file name>.calpero-tmp-<pid>-<eight letters or
// digits>": a hidden name that no person would choose for a file of their own, that says which
// program and which process made it, and that is never taken for the file itself.
//
// A writer makes its temporary while it holds the file's WriteLock, and holds an exclusive lock of
// its own on the temporary (taken without waiting) until it has been renamed over the file. A
// process that is killed in between leaves its temporary behind, but the kernel drops its locks;
// so a temporary that nobody holds locked is stale. Each writer removes the stale temporaries of
// the file under the file's lock before it makes its own, so that one left by a killed writer never
// holds the space that the next one needs. Only names of exactly that form are ever removed (never
// the lock file, never another file of the folder).

// Whether `entryName`, a name in a folder, has the form of a temporary of the file `fileName`.
bool IsTemporaryName(std::string_view entryName, std::string_view fileName);

// Creates a new temporary of the file `fileName` in the folder open as `folder` (opened for
// writing, with `mode` less the umask) and locks it without waiting (a file system that cannot
// lock leaves it unlocked). Returns its descriptor and sets `name` to its name in the folder, or
// returns -1 (errno set, the temporary removed again) when no temporary can be created or looked
// at there. Goes through FileSystem().
int CreateTemporary(int folder, std::string_view fileName, mode_t mode, std::string& name);

// Removes every stale temporary of the file `fileName` from the folder open as `folder`: those
// that no live writer holds locked. What this process may not list (a folder that may be written
// and searched but not read), open or remove stays. False (errno set) when a step fails for any
// other reason (an I/O error): the folder is then in no state for a change. Goes through
// FileSystem(). Never throws beyond allocation failure.
bool RemoveStaleTemporaries(int folder, std::string_view fileName);

}  // namespace calpero
