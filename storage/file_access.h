#pragma once

#include <sys/types.h>

#include <string>

namespace calpero {

// Who may do what with a file: what a replacement takes over from the file it replaces, and what
// the lock file beside it is given.
struct FileAccess {
  mode_t Mode = 0;  // permission bits, set-id and sticky bits included
  uid_t Owner = 0;
  gid_t Group = 0;
  std::string Acl;  // the POSIX access ACL as the system stores it; empty for none
};

// The access of the open file `fd`: its mode, owner and group from fstat, its access ACL where the
// file system keeps one. False (errno set) when fstat fails or the ACL cannot be read for any
// reason but that there is none (ENODATA) or the file system keeps none (ENOTSUP): a replacement
// made without it would change who may use the file. Goes through FileSystem(). Never throws
// beyond allocation.
bool ReadAccess(int fd, FileAccess& access);

// Gives the open file `fd`, which this process made, the owner, group, mode and ACL of `access`
// as far as this process may and the file system keeps them: the group where this process belongs
// to it, the owner only where it is privileged; where the file system keeps no owners, modes or
// ACLs (vfat, some FUSE and network file systems: EPERM, ENOSYS, EOPNOTSUPP), what it refuses is
// left as it made it. The mode comes after the owner, whose change would clear a set-id bit, and
// the ACL last, as it holds the group bits. False (errno set) on any other failure. Goes through
// FileSystem().
bool GiveAccess(int fd, const FileAccess& access);

}  // namespace calpero
