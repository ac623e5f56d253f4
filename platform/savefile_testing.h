// Test support: a save run with a fault at each system call it makes, in
// turn, to show that no failure loses the old file or leaves anything
// behind. Every save of the system goes through vplat::SaveFile, whose calls
// all pass the system-call table; this loop replaces every entry of it.
#ifndef VARDO_PLATFORM_SAVEFILE_TESTING_H
#define VARDO_PLATFORM_SAVEFILE_TESTING_H

#include <vplatform/syscalls.h>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace savefile_testing {

struct Plan {
  long failAt = 0;  // the call that fails, counted from 1; 0 for none
  long calls = 0;
  bool renamed = false;  // a rename succeeded before the fault or after it
  std::string failed;    // the name of the call that failed
};
inline Plan plan;

template <typename R>
R Failure() {
  if constexpr (std::is_pointer_v<R>)
    return nullptr;
  else
    return static_cast<R>(-1);
}

template <int I, typename F>
struct Hook;

// Counts the call; the planned one fails with EIO, the others reach the
// call that was installed before.
template <int I, typename R, typename... A>
struct Hook<I, R(A...)> {
  static inline vplat::syscalls::Fn before = nullptr;
  static inline const char *name = nullptr;
  static R Call(A... a) {
    if (++plan.calls == plan.failAt) {
      plan.failed = name;
      errno = EIO;
      return Failure<R>();
    }
    R r = reinterpret_cast<R (*)(A...)>(before)(a...);
    if constexpr (std::is_same_v<R, int>)
      if (r == 0 && std::string_view(name) == "rename") plan.renamed = true;
    return r;
  }
};

struct Entry {
  const char *name;
  vplat::syscalls::Fn hook;
  vplat::syscalls::Fn *before;
  const char **hookName;
};

template <int I, typename F>
Entry Make(const char *name) {
  return {name, reinterpret_cast<vplat::syscalls::Fn>(&Hook<I, F>::Call), &Hook<I, F>::before,
          &Hook<I, F>::name};
}

// One entry per call of the table, with its signature.
inline std::vector<Entry> Entries() {
  return {
      Make<0, int(const char *, int, mode_t)>("open"),
      Make<1, int(int)>("close"),
      Make<2, ssize_t(int, void *, size_t)>("read"),
      Make<3, ssize_t(int, const void *, size_t)>("write"),
      Make<4, off_t(int, off_t, int)>("lseek"),
      Make<5, int(int, off_t)>("ftruncate"),
      Make<6, int(int)>("fsync"),
      Make<7, int(int, struct stat *)>("fstat"),
      Make<8, int(int, mode_t)>("fchmod"),
      Make<9, int(int, uid_t, gid_t)>("fchown"),
      Make<10, int(const char *, struct stat *)>("stat"),
      Make<11, int(const char *, struct stat *)>("lstat"),
      Make<12, ssize_t(const char *, char *, size_t)>("readlink"),
      Make<13, int(const char *)>("unlink"),
      Make<14, int(const char *, const char *)>("rename"),
      Make<15, int(const char *, mode_t)>("mkdir"),
      Make<16, char *(char *, size_t)>("getcwd"),
  };
}

inline std::set<std::string> Listing(const std::string &folder) {
  std::set<std::string> names;
  for (const auto &entry : std::filesystem::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

inline std::string Bytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs save() with its first system call failing, then its second, and so
// on, until a run in which no call fails. restore() puts the old file (the
// bytes `before`) back at `target` before each run. After each run the
// target holds `before`, or `after` when save() reported success or failed
// only once its rename had taken place (syncing the folder comes after
// it); the folder holds what it held before the run; and the run without a
// fault succeeds. Returns how many runs had a fault.
inline int ExpectEveryFailedCallHarmless(const std::string &folder, const std::string &target,
                                         const std::string &before, const std::string &after,
                                         const std::function<void()> &restore,
                                         const std::function<bool()> &save) {
  std::vector<Entry> entries = Entries();
  for (std::string_view n = vplat::syscalls::Next({}); !n.empty(); n = vplat::syscalls::Next(n)) {
    bool known = false;
    for (const Entry &e : entries) known = known || n == e.name;
    EXPECT_TRUE(known) << "no hook for the system call " << n;
  }
  int faults = 0;
  for (long failAt = 1;; ++failAt) {
    restore();
    const std::set<std::string> listed = Listing(folder);
    plan = Plan();
    plan.failAt = failAt;
    for (Entry &e : entries) {
      *e.before = vplat::syscalls::Get(e.name);
      *e.hookName = e.name;
      vplat::syscalls::Set(e.name, e.hook);
    }
    const bool ok = save();
    for (Entry &e : entries) vplat::syscalls::Set(e.name, *e.before);
    const bool fired = plan.calls >= failAt;
    SCOPED_TRACE(testing::Message() << "call " << failAt
                                    << " failing: " << (fired ? plan.failed : std::string("none")));
    EXPECT_EQ(Bytes(target), ok || plan.renamed ? after : before);
    EXPECT_EQ(Listing(folder), listed);
    if (!fired) {
      EXPECT_TRUE(ok);
      break;
    }
    ++faults;
  }
  return faults;
}

}  // namespace savefile_testing

#endif
