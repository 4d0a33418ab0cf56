#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace calpero {

// What is wrong with a lock file that stands in the way of a change.
struct LockFileProblem {
  enum class Kind {
    None,
    NotARegularFile,  // a link, FIFO, folder or other special file: never followed or used
    NotWritable,      // a regular file that this process may not open for writing
  };
  Kind Kind = Kind::None;
  mode_t Mode = 0;  // its type and permission bits
  uid_t Owner = 0;
};

// Writers take turns: every change of a file that is replaced through ChangeWholeFile (a
// file and its copies alike) holds this lock from reading the file to renaming the new one over it,
// so that no writer works from contents that another is about to replace (a lost update).
// Readers take no lock: the rename already shows them a whole file, old or new.
//
// The lock is an exclusive open-file-description lock (fcntl F_OFD_SETLK) on a lock file beside
// the file that the path finally leads to, ".<file name>.calpero-lock", opened for writing. That
// kind of lock is the one that network file systems forward to their server (NFS through its lock
// service or NFSv4 itself, SMB as byte-range locks), so writers on every machine that shares the
// folder take turns, and every writer takes the same kind, whatever the file system. The lock file
// is made once, by the first writer, and never removed: removing it while a writer holds it would
// let the next writer lock a new file of the same name. It may be opened by those who may change
// the file and nobody else (the file's permission bits for its owner, group and others, as far as
// the folder lets them replace it; its group and POSIX access ACL), so nobody else can hold the
// writers off. Each writer that opens it and owns it gives it those rights again where it has less,
// so a lock file left without them (its maker killed or failing halfway) is repaired by the next
// writer of the same owner; one that is not a regular file is never followed or used, and one that
// this process may not write is named, with what to do, in Reason(). The kernel drops the lock
// when its holder ends, killed or not. Each holder opens
// the lock file afresh, so threads of one process take turns as well.
//
// The folder is resolved once, here: the change reads, checks and renames relative to Folder(),
// so a link on the path that is repointed meanwhile cannot send them elsewhere than the lock.
class WriteLock {
 public:
  // How long a writer waits in all for another writer to finish before it gives up.
  static constexpr std::chrono::milliseconds kLongestWait{5000};

  // Takes the lock for changing the file at `path`, waiting while another writer holds it, at most
  // kLongestWait, without leaving any thread or descriptor behind when it gives up. Where the file
  // system cannot lock at all (ENOLCK, EOPNOTSUPP, ENOSYS), the lock counts as held by a writer
  // alone (Alone()), and the notice of SetNoLockNotice is told. Never throws beyond allocation
  // failure: Held() tells whether it was taken.
  explicit WriteLock(const std::string& path);
  ~WriteLock();  // releases the lock
  WriteLock(const WriteLock&) = delete;
  WriteLock& operator=(const WriteLock&) = delete;

  bool Held() const { return lockFile_ >= 0; }
  // Held without a lock, as the file system cannot lock.
  bool Alone() const { return alone_; }
  // Why the lock was not taken: EWOULDBLOCK when the wait ran out, ELOOP for links that loop,
  // else the errno of the failed step (ENOENT for a missing folder, EACCES when the lock file may
  // not be opened for writing). 0 when held.
  int Error() const { return error_; }
  // Why the lock was not taken, for the user: ChangeFailureReason(Error()), or where the lock file
  // is in the way, a sentence that names it (beside `shownPath`, the file as the user named it),
  // says what is wrong and what to do: "the lock file ./Data/.notes.txt.calpero-lock is not
  // writable by you (mode 0600, owner root): ask its owner to remove it", "... is a FIFO, not a
  // regular file: remove it".
  std::string Reason(const std::string& shownPath) const;

  // The folder of the file, open for use with openat and the like (O_PATH), and the file's name
  // in it. Valid while held.
  int Folder() const { return folder_; }
  const std::string& Name() const { return name_; }

 private:
  int folder_ = -1;
  int lockFile_ = -1;
  std::string name_;
  std::filesystem::path lockFilePath_;
  bool followedLink_ = false;
  LockFileProblem problem_;
  bool alone_ = false;
  int error_ = 0;
};

// The name of the lock file of the file `fileName`, in the same folder.
std::string LockFileName(std::string_view fileName);

// Told with true when a writer starts to wait for another's lock and with false when the wait
// ends, so that a window can show that it is busy meanwhile. Installing one replaces the previous
// one; an empty function removes it. Called on the waiting thread.
void SetLockWaitNotice(std::function<void(bool waiting)> notice);

// Told each time a change goes ahead without a lock because the file system of `path` cannot
// lock, so that a program can warn that other writers are not held off. Installing one replaces
// the previous one; an empty function removes it.
void SetNoLockNotice(std::function<void(const std::string& path)> notice);

}  // namespace calpero
