// Preloaded into a program (LD_PRELOAD), makes flock behave as on an NFS mount, where the client
// emulates it with a byte-range lock on the server: an exclusive lock needs a descriptor opened
// for writing, and one opened only for reading (a folder, say) is refused with EBADF. Other
// locks pass to the system's flock.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

extern "C" int flock(int fd, int operation) {
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg): fcntl is the system's own interface
  const int flags = fcntl(fd, F_GETFL);
  if ((operation & LOCK_EX) != 0 && flags >= 0 && (flags & O_ACCMODE) == O_RDONLY) {
    errno = EBADF;
    return -1;
  }
  using Flock = int (*)(int, int);
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): dlsym's result is untyped
  static const auto real = reinterpret_cast<Flock>(dlsym(RTLD_NEXT, "flock"));
  return real(fd, operation);
}
