// The system calls under the file operations, reachable by name so that a
// test can replace one (make `rename` fail with EXDEV, `write` with ENOSPC)
// and see what the Win32 layer makes of it. Every file operation of the
// platform goes through this table; nothing calls libc's file functions
// directly.
//
// Names and the signatures a replacement must have (as in <unistd.h>,
// <fcntl.h>, <sys/stat.h>, <stdio.h>):
//   "open"      int (*)(const char *path, int flags, mode_t mode)
//   "close"     int (*)(int fd)
//   "read"      ssize_t (*)(int fd, void *buf, size_t n)
//   "write"     ssize_t (*)(int fd, const void *buf, size_t n)
//   "lseek"     off_t (*)(int fd, off_t offset, int whence)
//   "ftruncate" int (*)(int fd, off_t length)
//   "fsync"     int (*)(int fd)
//   "fstat"     int (*)(int fd, struct stat *st)
//   "fchmod"    int (*)(int fd, mode_t mode)
//   "fchown"    int (*)(int fd, uid_t owner, gid_t group)
//   "stat"      int (*)(const char *path, struct stat *st)
//   "lstat"     int (*)(const char *path, struct stat *st)
//   "readlink"  ssize_t (*)(const char *path, char *buf, size_t size)
//   "unlink"    int (*)(const char *path)
//   "rename"    int (*)(const char *from, const char *to)
//   "mkdir"     int (*)(const char *path, mode_t mode)
//   "getcwd"    char *(*)(char *buf, size_t size)
// A replacement reports failure as the real call does: a -1 (or null)
// result with errno set.
#ifndef VARDO_VPLATFORM_SYSCALLS_H
#define VARDO_VPLATFORM_SYSCALLS_H

#include <win/types.h>

#include <string_view>

namespace vplat::syscalls {

using Fn = void (*)(void);

// Installs fn as the named call; a null fn restores the real one. Returns
// false (and changes nothing) for a name not in the table.
VPLAT_API bool Set(std::string_view name, Fn fn);

// The call now installed under name (the real one unless replaced); null
// for a name not in the table.
VPLAT_API Fn Get(std::string_view name);

// Walks the table: the name after `name`, the first one for an empty name,
// an empty view after the last.
VPLAT_API std::string_view Next(std::string_view name);

// Restores every real call.
VPLAT_API void RestoreAll();

}  // namespace vplat::syscalls

#endif
