#pragma once

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "storage/file_system.h"

namespace calpero::test {

enum class Failure { kOnce, kFromThenOn };

// Which call is to fail and what the calls made under a FailingCalls table saw.
struct CallLog {
  int failAt = 0;  // the number of the first call to fail, counted from 1; 0: none fails
  Failure failure = Failure::kOnce;
  int error = EIO;   // the errno of a failing call
  std::string only;  // when set, only the calls of this name are counted and fail
  int calls = 0;
  std::vector<std::string> names;  // of the calls made, in order
  bool failed = false;
  bool renamedBeforeFailure = false;  // a rename succeeded before any call failed
};

// The system's calls, counted and named in `log`, with the log's failAt-th call failing (once,
// or from then on) with the log's error. A failing close still releases the descriptor, and so
// a lock, as close does on Linux whatever it reports. The timed wait for a lock is not counted.
FileSystemCalls FailingCalls(const std::shared_ptr<CallLog>& log);

}  // namespace calpero::test
