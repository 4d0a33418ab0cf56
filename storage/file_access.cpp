#include "storage/file_access.h"

#include <sys/stat.h>
#include <sys/xattr.h>

#include <cerrno>

#include "storage/file_system.h"

namespace calpero {
namespace {

// Where Linux keeps a file's POSIX access ACL (what libacl reads and writes, in the same form).
constexpr const char* kAccessAclName = "system.posix_acl_access";
constexpr mode_t kPermissionBits = 07777;
// How often the ACL is read when it changes size between two reads or a read is interrupted.
constexpr int kAclAttempts = 5;

// Whether `error` says that the file system does not keep what was asked or this process may not
// set it: then the file keeps what the system gave it, which is no failure of the change.
bool NotKeptHere(int error) {
  return error == EPERM || error == ENOSYS || error == EOPNOTSUPP || error == ENOTSUP;
}

bool KeepOwnership(int fd, const FileAccess& access) {
  constexpr auto kUnchangedOwner = static_cast<uid_t>(-1);
  constexpr auto kUnchangedGroup = static_cast<gid_t>(-1);
  struct stat made {};
  if (FileSystem().Fstat(fd, &made) != 0) {
    return false;
  }
  const uid_t owner = made.st_uid == access.Owner ? kUnchangedOwner : access.Owner;
  const gid_t group = made.st_gid == access.Group ? kUnchangedGroup : access.Group;
  if ((owner == kUnchangedOwner && group == kUnchangedGroup) ||
      FileSystem().Fchown(fd, owner, group) == 0) {
    return true;
  }
  // Not privileged: the group alone, where this process belongs to it.
  if (errno == EPERM && owner != kUnchangedOwner && group != kUnchangedGroup &&
      FileSystem().Fchown(fd, kUnchangedOwner, group) == 0) {
    return true;
  }
  return NotKeptHere(errno);
}

}  // namespace

bool ReadAccess(int fd, FileAccess& access) {
  struct stat status {};
  if (FileSystem().Fstat(fd, &status) != 0) {
    return false;
  }
  access.Mode = status.st_mode & kPermissionBits;
  access.Owner = status.st_uid;
  access.Group = status.st_gid;
  access.Acl.clear();
  // The size first; an ACL that changes in between, or a call interrupted, is read again.
  for (int attempt = 0; attempt < kAclAttempts; ++attempt) {
    const ssize_t size = FileSystem().Fgetxattr(fd, kAccessAclName, nullptr, 0);
    if (size < 0 && errno == EINTR) {
      continue;
    }
    if (size < 0) {
      // No ACL, or a file system that keeps none; any other error leaves the ACL unknown, and a
      // replacement made without it would widen or narrow who may use the file.
      return errno == ENODATA || errno == ENOTSUP || errno == EOPNOTSUPP;
    }
    if (size == 0) {
      return true;
    }
    access.Acl.resize(static_cast<std::size_t>(size));
    const ssize_t got =
        FileSystem().Fgetxattr(fd, kAccessAclName, access.Acl.data(), access.Acl.size());
    if (got >= 0) {
      access.Acl.resize(static_cast<std::size_t>(got));
      return true;
    }
    access.Acl.clear();
    if (errno == ENODATA) {
      return true;  // removed in between
    }
    if (errno != ERANGE && errno != EINTR) {
      return false;
    }
  }
  return false;  // kept changing (ERANGE) or being interrupted (EINTR): errno says which
}

bool GiveAccess(int fd, const FileAccess& access) {
  if (!KeepOwnership(fd, access)) {
    return false;
  }
  if (FileSystem().Fchmod(fd, access.Mode) != 0 && !NotKeptHere(errno)) {
    return false;
  }
  if (!access.Acl.empty() &&
      FileSystem().Fsetxattr(fd, kAccessAclName, access.Acl.data(), access.Acl.size()) != 0 &&
      !NotKeptHere(errno)) {
    return false;
  }
  return true;
}

}  // namespace calpero
