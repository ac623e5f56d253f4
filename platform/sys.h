// Internal: typed calls through the system-call table of
// <vplatform/syscalls.h>. The platform's file code calls these, never libc's
// file functions, so that tests can replace any of them by name.
#ifndef VARDO_PLATFORM_SYS_H
#define VARDO_PLATFORM_SYS_H

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>

namespace vplat::sys {

int Open(const char *path, int flags, mode_t mode);
int Close(int fd);
ssize_t Read(int fd, void *buf, size_t n);
ssize_t Write(int fd, const void *buf, size_t n);
off_t Lseek(int fd, off_t offset, int whence);
int Ftruncate(int fd, off_t length);
int Fsync(int fd);
int Fstat(int fd, struct stat *st);
int Fchmod(int fd, mode_t mode);
int Fchown(int fd, uid_t owner, gid_t group);
int Stat(const char *path, struct stat *st);
int Lstat(const char *path, struct stat *st);
ssize_t Readlink(const char *path, char *buf, size_t size);
int Unlink(const char *path);
int Rename(const char *from, const char *to);
int Mkdir(const char *path, mode_t mode);
char *Getcwd(char *buf, size_t size);

}  // namespace vplat::sys

#endif
