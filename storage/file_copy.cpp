#include "storage/file_copy.h"

#include <cerrno>
#include <string_view>
#include <utility>
#include <vector>

#include "storage/whole_file.h"
#include "storage/write_lock.h"

namespace calpero {

bool CopyWholeFile(const std::string& from, const std::string& to, CopiedFile* copied,
                   std::string* reason, const std::string& shownTo) {
  // The source is read under the lock, so that copies onto one file land in the order in which
  // they read: a copy read earlier never replaces one read later.
  const WriteLock lock(to);
  if (!lock.Held()) {
    if (reason != nullptr) {
      *reason = lock.Reason(shownTo.empty() ? to : shownTo);
    }
    errno = lock.Error();
    return false;
  }
  const WholeFile source = ReadWholeFile(from);
  if (source.Status != WholeFile::Status::Read) {
    // ENOENT, or ENOTDIR where a file stands in place of its folder, as a change there says.
    errno = source.Error;
    if (reason != nullptr) {
      *reason = ChangeFailureReason(errno);
    }
    return false;
  }
  const std::string_view bytes = source.Bytes;
  std::optional<std::string> before;
  const bool done = ChangeWholeFile(
      lock,
      [bytes, &before](const WholeFile& file, std::vector<std::string_view>& pieces) {
        before.reset();
        if (file.Status == WholeFile::Status::Read) {
          before = file.Bytes;
        }
        pieces.assign(1, bytes);
        return true;
      },
      source.Mode, copied != nullptr);
  if (done && copied != nullptr) {
    *copied = CopiedFile{std::move(before), std::string(bytes)};
  }
  if (!done && reason != nullptr) {
    const int error = errno;
    *reason = ChangeFailureReason(error);
    errno = error;
  }
  return done;
}

}  // namespace calpero
