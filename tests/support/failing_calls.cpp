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
  calls.openat = Counted(log, real.openat, "openat");
  calls.read = Counted(log, real.read, "read");
  calls.fstat = Counted(log, real.fstat, "fstat");
  calls.fstatat = Counted(log, real.fstatat, "fstatat");
  calls.faccessat = Counted(log, real.faccessat, "faccessat");
  calls.readlinkat = Counted(log, real.readlinkat, "readlinkat");
  calls.fgetxattr = Counted(log, real.fgetxattr, "fgetxattr");
  calls.listFolder = Counted(log, real.listFolder, "listFolder");
  calls.lockNow = Counted(log, real.lockNow, "lockNow");
  calls.timedLock = real.timedLock;
  calls.write = Counted(log, real.write, "write");
  calls.fchown = Counted(log, real.fchown, "fchown");
  calls.fchmod = Counted(log, real.fchmod, "fchmod");
  calls.fsetxattr = Counted(log, real.fsetxattr, "fsetxattr");
  calls.fsync = Counted(log, real.fsync, "fsync");
  calls.close = Counted(log, real.close, "close");
  calls.renameat = Counted(log, real.renameat, "renameat");
  calls.linkat = Counted(log, real.linkat, "linkat");
  calls.unlinkat = Counted(log, real.unlinkat, "unlinkat");
  return calls;
}

}  // namespace calpero::test
