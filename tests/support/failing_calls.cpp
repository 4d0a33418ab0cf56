#include "tests/support/failing_calls.h"

#include <cerrno>

namespace calpero::test {

namespace {

// Wraps the real call `real` named `name` so that it fails when the log says so.
template <typename Call>
auto Counted(const std::shared_ptr<CallLog>& log, Call real, const std::string& name) {
  return [log, real, name](auto... args) {
    using Result = decltype(real(args...));
    log->names.push_back(name);
    const bool counted = log->only.empty() || name == log->only;
    log->calls += counted ? 1 : 0;
    const bool fail =
        counted && log->failAt > 0 &&
        (log->failure == Failure::kOnce ? log->calls == log->failAt : log->calls >= log->failAt);
    if (fail) {
      if (name == "close") {
        real(args...);
      }
      log->failed = true;
      errno = log->error;
      return Result(-1);
    }
    const Result result = real(args...);
    if ((name == "renameat" || name == "linkat") && result == 0 && !log->failed) {
      log->renamedBeforeFailure = true;
    }
    return result;
  };
}

}  // namespace

FileSystemCalls FailingCalls(const std::shared_ptr<CallLog>& log) {
  const FileSystemCalls real = SystemFileSystem();
  FileSystemCalls calls;
  calls.Openat = Counted(log, real.Openat, "openat");
  calls.Read = Counted(log, real.Read, "read");
  calls.Fstat = Counted(log, real.Fstat, "fstat");
  calls.Fstatat = Counted(log, real.Fstatat, "fstatat");
  calls.Faccessat = Counted(log, real.Faccessat, "faccessat");
  calls.Readlinkat = Counted(log, real.Readlinkat, "readlinkat");
  calls.Fgetxattr = Counted(log, real.Fgetxattr, "fgetxattr");
  calls.ListFolder = Counted(log, real.ListFolder, "listFolder");
  calls.LockNow = Counted(log, real.LockNow, "lockNow");
  calls.TimedLock = real.TimedLock;
  calls.Write = Counted(log, real.Write, "write");
  calls.Fchown = Counted(log, real.Fchown, "fchown");
  calls.Fchmod = Counted(log, real.Fchmod, "fchmod");
  calls.Fsetxattr = Counted(log, real.Fsetxattr, "fsetxattr");
  calls.Fsync = Counted(log, real.Fsync, "fsync");
  calls.Close = Counted(log, real.Close, "close");
  calls.Renameat = Counted(log, real.Renameat, "renameat");
  calls.Linkat = Counted(log, real.Linkat, "linkat");
  calls.Unlinkat = Counted(log, real.Unlinkat, "unlinkat");
  return calls;
}

}  // namespace calpero::test
