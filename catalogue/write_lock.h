#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace calpero {

// Writers take turns: every change of a file that is replaced through ReplaceWholeFile (the
// catalogue, its backup) holds this lock from reading the file to renaming the new one over it,
// so that no writer works from contents that another is about to replace (a lost update).
// Readers take no lock: the rename already shows them a whole file, old or new.
//
// The lock is an exclusive flock on the folder of the file that the path finally leads to. The
// folder exists whenever the file can be replaced at all, whatever the file is (a link, missing,
// read-only); every path that leads to the file leads to that folder; and the kernel drops the
// lock when its holder ends, killed or not, so nothing is left behind for anyone to clean up.
// Each holder opens the folder afresh, so threads of one process take turns as well.
class WriteLock {
 public:
  // How long a writer waits in all for another writer to finish before it gives up.
  static constexpr std::chrono::milliseconds kLongestWait{5000};

  // Takes the lock for changing the file at `path`, waiting while another writer holds it, at most
  // kLongestWait. Never throws beyond allocation failure: Held() tells whether it was taken.
  explicit WriteLock(const std::string& path);
  ~WriteLock();  // releases the lock
  WriteLock(const WriteLock&) = delete;
  WriteLock& operator=(const WriteLock&) = delete;

  bool Held() const { return folder_ >= 0; }
  // Why the lock was not taken: EWOULDBLOCK when the wait ran out, else the errno of the failed
  // step (ENOENT for a missing folder, ELOOP for links that loop). 0 when held.
  int Error() const { return error_; }

 private:
  int folder_ = -1;
  int error_ = 0;
};

// Told with true when a writer starts to wait for another's lock and with false when the wait
// ends, so that a window can show that it is busy meanwhile. Installing one replaces the previous
// one; an empty function removes it. Called on the waiting thread.
void SetLockWaitNotice(std::function<void(bool waiting)> notice);

}  // namespace calpero
