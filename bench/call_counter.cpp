// A counting wrapper of the C library's file-system calls, linked into the
// removal benchmark with -Wl,--wrap=NAME for each: every call the program's
// code makes to one of them adds one to a counter, so that the benchmark can
// tell how many calls per file a routine makes without tracing the process.
#include "call_counter.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdarg.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>

namespace {
std::atomic<long> calls{0};
}  // namespace

long FileSystemCalls() { return calls.load(std::memory_order_relaxed); }

extern "C" {

#define VB_COUNTED(ret, name, params, args) \
  ret __real_##name params;                 \
  ret __wrap_##name params {                \
    calls.fetch_add(1, std::memory_order_relaxed); \
    return __real_##name args;              \
  }

VB_COUNTED(int, fstatat, (int fd, const char* path, struct stat* st, int flags), (fd, path, st, flags))
VB_COUNTED(int, fstat, (int fd, struct stat* st), (fd, st))
VB_COUNTED(int, stat, (const char* path, struct stat* st), (path, st))
VB_COUNTED(int, lstat, (const char* path, struct stat* st), (path, st))
VB_COUNTED(int, close, (int fd), (fd))
VB_COUNTED(ssize_t, getdents64, (int fd, void* buffer, size_t size), (fd, buffer, size))
VB_COUNTED(int, close_range, (unsigned first, unsigned last, int flags), (first, last, flags))
VB_COUNTED(off_t, lseek, (int fd, off_t offset, int whence), (fd, offset, whence))
VB_COUNTED(int, flock, (int fd, int operation), (fd, operation))
VB_COUNTED(int, unlinkat, (int fd, const char* path, int flags), (fd, path, flags))
VB_COUNTED(int, fchmod, (int fd, mode_t mode), (fd, mode))
VB_COUNTED(int, access, (const char* path, int mode), (path, mode))
VB_COUNTED(ssize_t, fgetxattr, (int fd, const char* name, void* value, size_t size),
           (fd, name, value, size))
VB_COUNTED(ssize_t, lgetxattr, (const char* path, const char* name, void* value, size_t size),
           (path, name, value, size))
VB_COUNTED(int, fsetxattr, (int fd, const char* name, const void* value, size_t size, int flags),
           (fd, name, value, size, flags))
VB_COUNTED(int, fremovexattr, (int fd, const char* name), (fd, name))

#undef VB_COUNTED

int __real_openat(int fd, const char* path, int flags, ...);
int __wrap_openat(int fd, const char* path, int flags, ...) {
  calls.fetch_add(1, std::memory_order_relaxed);
  mode_t mode = 0;
  if (flags & (O_CREAT | O_TMPFILE)) {
    va_list list;
    va_start(list, flags);
    mode = static_cast<mode_t>(va_arg(list, int));
    va_end(list);
  }
  return __real_openat(fd, path, flags, mode);
}

int __real_open(const char* path, int flags, ...);
int __wrap_open(const char* path, int flags, ...) {
  calls.fetch_add(1, std::memory_order_relaxed);
  mode_t mode = 0;
  if (flags & (O_CREAT | O_TMPFILE)) {
    va_list list;
    va_start(list, flags);
    mode = static_cast<mode_t>(va_arg(list, int));
    va_end(list);
  }
  return __real_open(path, flags, mode);
}

// getxattrat and openat2, which have no wrapper of their own.
long __real_syscall(long number, ...);
long __wrap_syscall(long number, ...) {
  calls.fetch_add(1, std::memory_order_relaxed);
  va_list list;
  va_start(list, number);
  long a = va_arg(list, long), b = va_arg(list, long), c = va_arg(list, long);
  long d = va_arg(list, long), e = va_arg(list, long), f = va_arg(list, long);
  va_end(list);
  return __real_syscall(number, a, b, c, d, e, f);
}

}  // extern "C"
