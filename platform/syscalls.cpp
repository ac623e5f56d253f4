#include "sys.h"

#include <vplatform/syscalls.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace {

// open(2) is variadic; the table holds a fixed three-argument form.
int RealOpen(const char *path, int flags, mode_t mode) { return ::open(path, flags, mode); }
int RealStat(const char *path, struct stat *st) { return ::stat(path, st); }
int RealFstat(int fd, struct stat *st) { return ::fstat(fd, st); }
int RealLstat(const char *path, struct stat *st) { return ::lstat(path, st); }

struct Entry {
  const char *name;
  vplat::syscalls::Fn real;
  vplat::syscalls::Fn current;
};

template <typename F>
vplat::syscalls::Fn Erase(F *f) {
  return reinterpret_cast<vplat::syscalls::Fn>(f);
}

// The order fixes the indexes below.
Entry table[] = {
    {"open", Erase(&RealOpen), nullptr},       {"close", Erase(&::close), nullptr},
    {"read", Erase(&::read), nullptr},         {"write", Erase(&::write), nullptr},
    {"lseek", Erase(&::lseek), nullptr},       {"ftruncate", Erase(&::ftruncate), nullptr},
    {"fsync", Erase(&::fsync), nullptr},       {"fstat", Erase(&RealFstat), nullptr},
    {"fchmod", Erase(&::fchmod), nullptr},     {"fchown", Erase(&::fchown), nullptr},
    {"stat", Erase(&RealStat), nullptr},       {"lstat", Erase(&RealLstat), nullptr},
    {"readlink", Erase(&::readlink), nullptr}, {"unlink", Erase(&::unlink), nullptr},
    {"rename", Erase(&::rename), nullptr},     {"mkdir", Erase(&::mkdir), nullptr},
    {"getcwd", Erase(&::getcwd), nullptr},
};
enum Index {
  kOpen,
  kClose,
  kRead,
  kWrite,
  kLseek,
  kFtruncate,
  kFsync,
  kFstat,
  kFchmod,
  kFchown,
  kStat,
  kLstat,
  kReadlink,
  kUnlink,
  kRename,
  kMkdir,
  kGetcwd,
  kCount
};
static_assert(sizeof table / sizeof table[0] == kCount);

template <typename F>
F *Call(Index i) {
  const Entry &e = table[i];
  return reinterpret_cast<F *>(e.current ? e.current : e.real);
}

Entry *Find(std::string_view name) {
  for (Entry &e : table)
    if (name == e.name) return &e;
  return nullptr;
}

}  // namespace

namespace vplat::syscalls {

bool Set(std::string_view name, Fn fn) {
  Entry *e = Find(name);
  if (!e) return false;
  e->current = fn;
  return true;
}

Fn Get(std::string_view name) {
  const Entry *e = Find(name);
  if (!e) return nullptr;
  return e->current ? e->current : e->real;
}

std::string_view Next(std::string_view name) {
  if (name.empty()) return table[0].name;
  for (int i = 0; i + 1 < kCount; ++i)
    if (name == table[i].name) return table[i + 1].name;
  return {};
}

void RestoreAll() {
  for (Entry &e : table) e.current = nullptr;
}

}  // namespace vplat::syscalls

namespace vplat::sys {

int Open(const char *path, int flags, mode_t mode) {
  return Call<int(const char *, int, mode_t)>(kOpen)(path, flags, mode);
}
int Close(int fd) { return Call<int(int)>(kClose)(fd); }
ssize_t Read(int fd, void *buf, size_t n) {
  return Call<ssize_t(int, void *, size_t)>(kRead)(fd, buf, n);
}
ssize_t Write(int fd, const void *buf, size_t n) {
  return Call<ssize_t(int, const void *, size_t)>(kWrite)(fd, buf, n);
}
off_t Lseek(int fd, off_t offset, int whence) {
  return Call<off_t(int, off_t, int)>(kLseek)(fd, offset, whence);
}
int Ftruncate(int fd, off_t length) { return Call<int(int, off_t)>(kFtruncate)(fd, length); }
int Fsync(int fd) { return Call<int(int)>(kFsync)(fd); }
int Fstat(int fd, struct stat *st) { return Call<int(int, struct stat *)>(kFstat)(fd, st); }
int Fchmod(int fd, mode_t mode) { return Call<int(int, mode_t)>(kFchmod)(fd, mode); }
int Fchown(int fd, uid_t owner, gid_t group) {
  return Call<int(int, uid_t, gid_t)>(kFchown)(fd, owner, group);
}
int Stat(const char *path, struct stat *st) {
  return Call<int(const char *, struct stat *)>(kStat)(path, st);
}
int Lstat(const char *path, struct stat *st) {
  return Call<int(const char *, struct stat *)>(kLstat)(path, st);
}
ssize_t Readlink(const char *path, char *buf, size_t size) {
  return Call<ssize_t(const char *, char *, size_t)>(kReadlink)(path, buf, size);
}
int Unlink(const char *path) { return Call<int(const char *)>(kUnlink)(path); }
int Rename(const char *from, const char *to) {
  return Call<int(const char *, const char *)>(kRename)(from, to);
}
int Mkdir(const char *path, mode_t mode) {
  return Call<int(const char *, mode_t)>(kMkdir)(path, mode);
}
char *Getcwd(char *buf, size_t size) { return Call<char *(char *, size_t)>(kGetcwd)(buf, size); }

}  // namespace vplat::sys
