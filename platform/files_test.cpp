#include "scratchdir.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <utility>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

using Files = ScratchDir;

TEST_F(Files, CreateWriteSeekReadRoundTrip) {
  HFILE h = _lcreat("T:\\a.txt", 0);
  ASSERT_NE(h, HFILE_ERROR);
  EXPECT_EQ(_lwrite(h, "hello world", 11), 11u);
  EXPECT_EQ(_llseek(h, 0, FILE_END), 11);
  EXPECT_EQ(_llseek(h, 0, FILE_BEGIN), 0);
  char buf[32] = {};
  EXPECT_EQ(_lread(h, buf, 5), 5u);
  EXPECT_EQ(std::string(buf, 5), "hello");
  EXPECT_EQ(_llseek(h, 1, FILE_CURRENT), 6);
  EXPECT_EQ(_llseek(h, -3, FILE_END), 8);
  EXPECT_EQ(_lread(h, buf, sizeof buf), 3u);  // fewer at the end
  EXPECT_EQ(std::string(buf, 3), "rld");
  EXPECT_EQ(_lread(h, buf, sizeof buf), 0u);
  EXPECT_EQ(_lclose(h), 0);
  EXPECT_EQ(Get("a.txt"), "hello world");

  // The same file through _lopen, with forward slashes.
  h = _lopen("T:/a.txt", OF_READ | OF_SHARE_DENY_WRITE);
  ASSERT_NE(h, HFILE_ERROR);
  EXPECT_EQ(_lread(h, buf, sizeof buf), 11u);
  EXPECT_EQ(_lclose(h), 0);
}

TEST_F(Files, CreateTruncatesAnExistingFile) {
  Put("a.txt", "old and long");
  HFILE h = _lcreat("T:\\a.txt", 0);
  ASSERT_NE(h, HFILE_ERROR);
  EXPECT_EQ(_lwrite(h, "new", 3), 3u);
  EXPECT_EQ(_lclose(h), 0);
  EXPECT_EQ(Get("a.txt"), "new");
}

TEST_F(Files, CreateReadOnlyStillWritesThroughItsHandle) {
  HFILE h = _lcreat("T:\\ro.txt", 1);
  ASSERT_NE(h, HFILE_ERROR);
  EXPECT_EQ(_lwrite(h, "xyz", 3), 3u);
  EXPECT_EQ(_lclose(h), 0);
  EXPECT_EQ(Get("ro.txt"), "xyz");
  EXPECT_EQ(GetFileAttributesA("T:\\ro.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

TEST_F(Files, ZeroLengthWriteSetsTheEndAtThePointer) {
  Put("a.txt", "0123456789");
  HFILE h = _lopen("T:\\a.txt", OF_READWRITE);
  ASSERT_NE(h, HFILE_ERROR);
  EXPECT_EQ(_llseek(h, 4, FILE_BEGIN), 4);
  EXPECT_EQ(_lwrite(h, "", 0), 0u);
  EXPECT_EQ(_llseek(h, 8, FILE_BEGIN), 8);  // past the end: extends with zeros
  EXPECT_EQ(_lwrite(h, "", 0), 0u);
  EXPECT_EQ(_lclose(h), 0);
  EXPECT_EQ(Get("a.txt"), std::string("0123\0\0\0\0", 8));
}

TEST_F(Files, AccessModeOfAHandleIsEnforced) {
  Put("a.txt", "abc");
  char buf[4];
  HFILE r = _lopen("T:\\a.txt", OF_READ);
  ASSERT_NE(r, HFILE_ERROR);
  EXPECT_EQ(_lwrite(r, "x", 1), static_cast<UINT>(HFILE_ERROR));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(_lclose(r), 0);

  HFILE w = _lopen("T:\\a.txt", OF_WRITE | OF_SHARE_EXCLUSIVE);
  ASSERT_NE(w, HFILE_ERROR);
  EXPECT_EQ(_lread(w, buf, 1), static_cast<UINT>(HFILE_ERROR));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(_lwrite(w, "X", 1), 1u);
  EXPECT_EQ(_lclose(w), 0);
  EXPECT_EQ(Get("a.txt"), "Xbc");
}

TEST_F(Files, RelativePathsAreAgainstTheCurrentDirectory) {
  const std::string saved = std::filesystem::current_path();
  ASSERT_EQ(chdir(root_.c_str()), 0);
  ASSERT_TRUE(CreateDirectoryA("sub", nullptr));
  HFILE h = _lcreat("sub\\rel.txt", 0);
  EXPECT_NE(h, HFILE_ERROR);
  EXPECT_EQ(_lclose(h), 0);
  ASSERT_EQ(chdir(saved.c_str()), 0);
  EXPECT_TRUE(Exists("sub/rel.txt"));
}

TEST_F(Files, AttributesOfFilesAndDirectories) {
  Put("a.txt", "a");
  Put("ro.txt", "r");
  MakeReadOnly("ro.txt");
  ASSERT_TRUE(CreateDirectoryA("T:\\dir", nullptr));
  EXPECT_EQ(GetFileAttributesA("T:\\a.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(GetFileAttributesA("T:\\ro.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(GetFileAttributesA("T:\\dir"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(GetFileAttributesA("T:\\"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_TRUE(std::filesystem::is_directory(Linux("dir")));
}

ULONGLONG Ticks(const FILETIME &t) {
  return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// What a file's handle tells: its size, its time of last write in file
// time, and an index that stays with the file and not with its name.
TEST_F(Files, InformationByHandleNamesTheFileAndItsLastWrite) {
  Put("a.txt", "twelve bytes");
  const struct timespec written = {1700000000, 123456700};  // 14 Nov 2023 22:13:20.1234567
  const struct timespec times[2] = {written, written};
  ASSERT_EQ(utimensat(AT_FDCWD, Linux("a.txt").c_str(), times, 0), 0);
  auto info = [](const char *path) {
    BY_HANDLE_FILE_INFORMATION got = {};
    HFILE h = _lopen(path, OF_READ);
    EXPECT_NE(h, HFILE_ERROR);
    EXPECT_TRUE(
        GetFileInformationByHandle(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(h)), &got));
    _lclose(h);
    return got;
  };
  const BY_HANDLE_FILE_INFORMATION a = info("T:\\a.txt");
  EXPECT_EQ(a.nFileSizeLow, 12u);
  EXPECT_EQ(a.nFileSizeHigh, 0u);
  EXPECT_EQ(a.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(Ticks(a.ftLastWriteTime), 133444736001234567ull);
  EXPECT_EQ(a.nNumberOfLinks, 1u);

  // Another file moved over the name is another file.
  Put("b.txt", "twelve bytes");
  ASSERT_EQ(utimensat(AT_FDCWD, Linux("b.txt").c_str(), times, 0), 0);
  ASSERT_TRUE(MoveFileExA("T:\\b.txt", "T:\\a.txt", MOVEFILE_REPLACE_EXISTING));
  const BY_HANDLE_FILE_INFORMATION b = info("T:\\a.txt");
  EXPECT_EQ(Ticks(b.ftLastWriteTime), Ticks(a.ftLastWriteTime));
  EXPECT_EQ(b.dwVolumeSerialNumber, a.dwVolumeSerialNumber);
  EXPECT_NE(std::make_pair(b.nFileIndexHigh, b.nFileIndexLow),
            std::make_pair(a.nFileIndexHigh, a.nFileIndexLow));

  BY_HANDLE_FILE_INFORMATION unused;
  EXPECT_FALSE(GetFileInformationByHandle(reinterpret_cast<HANDLE>(INT_PTR{12345}), &unused));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  // The system time is on the same scale: a file written now is dated now.
  Put("now.txt", "x");
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const ULONGLONG dated = Ticks(info("T:\\now.txt").ftLastWriteTime);
  EXPECT_LT(dated > Ticks(now) ? dated - Ticks(now) : Ticks(now) - dated, 10000000ull);
}

TEST_F(Files, CopyCopiesBytesAndTheReadOnlyAttribute) {
  std::string big(200 * 1024 + 7, '\0');  // several rounds of the copy buffer
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 131 % 251);
  Put("big.bin", big);
  ASSERT_TRUE(CopyFileA("T:\\big.bin", "T:\\copy.bin", TRUE));
  EXPECT_EQ(Get("copy.bin"), big);

  Put("target.txt", "old target");
  ASSERT_TRUE(CopyFileA("T:\\big.bin", "T:\\target.txt", FALSE));
  EXPECT_EQ(Get("target.txt"), big);

  Put("ro.txt", "frozen");
  MakeReadOnly("ro.txt");
  ASSERT_TRUE(CopyFileA("T:\\ro.txt", "T:\\ro-copy.txt", TRUE));
  EXPECT_EQ(Get("ro-copy.txt"), "frozen");
  EXPECT_EQ(GetFileAttributesA("T:\\ro-copy.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

TEST_F(Files, MoveRenamesAndReplaces) {
  Put("a.txt", "A");
  ASSERT_TRUE(MoveFileExA("T:\\a.txt", "T:\\b.txt", 0));
  EXPECT_FALSE(Exists("a.txt"));
  EXPECT_EQ(Get("b.txt"), "A");

  Put("c.txt", "C");
  ASSERT_TRUE(MoveFileExA("T:\\c.txt", "T:\\b.txt", MOVEFILE_REPLACE_EXISTING));
  EXPECT_FALSE(Exists("c.txt"));
  EXPECT_EQ(Get("b.txt"), "C");

  ASSERT_TRUE(CreateDirectoryA("T:\\d1", nullptr));
  Put("d1/in.txt", "in");
  ASSERT_TRUE(MoveFileExA("T:\\d1", "T:\\d2", 0));
  EXPECT_EQ(Get("d2/in.txt"), "in");
}

// Replacing must be one rename over the target, never "delete the target,
// then rename": the target exists at every moment, and a reader that had the
// old file open keeps reading the old bytes.
TEST_F(Files, ReplaceIsASingleRenameOverTheTarget) {
  static std::string targetPath;
  static int renames;
  static bool targetPresentAtRename;
  targetPath = Linux("doc.txt");
  renames = 0;
  targetPresentAtRename = false;
  Put("doc.txt", "old contents");
  Put("doc.tmp", "new contents");
  HFILE reader = _lopen("T:\\doc.txt", OF_READ);
  ASSERT_NE(reader, HFILE_ERROR);

  using RenameFn = int (*)(const char *, const char *);
  static RenameFn real;
  real = reinterpret_cast<RenameFn>(vplat::syscalls::Get("rename"));
  RenameFn spy = [](const char *from, const char *to) {
    ++renames;
    targetPresentAtRename = access(targetPath.c_str(), F_OK) == 0;
    return real(from, to);
  };
  ASSERT_TRUE(vplat::syscalls::Set("rename", reinterpret_cast<vplat::syscalls::Fn>(spy)));
  auto unlinkFails = [](const char *) -> int {
    errno = EACCES;
    return -1;
  };
  ASSERT_TRUE(vplat::syscalls::Set("unlink", reinterpret_cast<vplat::syscalls::Fn>(+unlinkFails)));

  EXPECT_TRUE(MoveFileExA("T:\\doc.tmp", "T:\\doc.txt", MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(renames, 1);
  EXPECT_TRUE(targetPresentAtRename);
  vplat::syscalls::RestoreAll();
  EXPECT_EQ(Get("doc.txt"), "new contents");
  EXPECT_FALSE(Exists("doc.tmp"));

  char buf[32];
  EXPECT_EQ(_lread(reader, buf, sizeof buf), 12u);
  EXPECT_EQ(std::string(buf, 12), "old contents");
  EXPECT_EQ(_lclose(reader), 0);
}

TEST_F(Files, WriteThroughSyncsTheFileAndItsFolder) {
  static int syncs;
  syncs = 0;
  using SyncFn = int (*)(int);
  static SyncFn real;
  real = reinterpret_cast<SyncFn>(vplat::syscalls::Get("fsync"));
  SyncFn counting = [](int fd) {
    ++syncs;
    return real(fd);
  };
  ASSERT_TRUE(vplat::syscalls::Set("fsync", reinterpret_cast<vplat::syscalls::Fn>(counting)));
  Put("a.tmp", "a");
  Put("b.tmp", "b");
  ASSERT_TRUE(MoveFileExA("T:\\a.tmp", "T:\\a.txt", MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(syncs, 0);
  ASSERT_TRUE(
      MoveFileExA("T:\\b.tmp", "T:\\b.txt", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
  EXPECT_EQ(syncs, 2);
}

// Each failing call, the error Windows reports for it, and a check that the
// failure left things as they were.
TEST_F(Files, FailuresSetTheWindowsErrorAndChangeNothing) {
  Put("file.txt", "data");
  Put("other.txt", "other");
  Put("ro.txt", "ro");
  MakeReadOnly("ro.txt");
  ASSERT_TRUE(CreateDirectoryA("T:\\dir", nullptr));
  HFILE closed = _lcreat("T:\\closed.txt", 0);
  ASSERT_NE(closed, HFILE_ERROR);
  ASSERT_EQ(_lclose(closed), 0);
  HFILE open = _lopen("T:\\file.txt", OF_READ);
  ASSERT_NE(open, HFILE_ERROR);
  char buf[8];

  const struct {
    const char *what;
    std::function<bool()> failed;
    DWORD error;
  } cases[] = {
      {"_lopen missing file", [] { return _lopen("T:\\none.txt", OF_READ) == HFILE_ERROR; },
       ERROR_FILE_NOT_FOUND},
      {"_lopen in missing folder",
       [] { return _lopen("T:\\nodir\\f.txt", OF_READ) == HFILE_ERROR; }, ERROR_PATH_NOT_FOUND},
      {"_lopen through a file", [] { return _lopen("T:\\file.txt\\f", OF_READ) == HFILE_ERROR; },
       ERROR_PATH_NOT_FOUND},
      {"_lopen a directory", [] { return _lopen("T:\\dir", OF_READ) == HFILE_ERROR; },
       ERROR_ACCESS_DENIED},
      {"_lopen read-only for writing", [] { return _lopen("T:\\ro.txt", OF_WRITE) == HFILE_ERROR; },
       ERROR_ACCESS_DENIED},
      {"_lopen bad access", [] { return _lopen("T:\\file.txt", 3) == HFILE_ERROR; },
       ERROR_INVALID_PARAMETER},
      {"_lopen bad share", [] { return _lopen("T:\\file.txt", 0x50) == HFILE_ERROR; },
       ERROR_INVALID_PARAMETER},
      {"_lopen null path", [] { return _lopen(nullptr, OF_READ) == HFILE_ERROR; },
       ERROR_PATH_NOT_FOUND},
      {"_lopen unmapped drive", [] { return _lopen("Q:\\file.txt", OF_READ) == HFILE_ERROR; },
       ERROR_PATH_NOT_FOUND},
      {"_lopen wildcard", [] { return _lopen("T:\\*.txt", OF_READ) == HFILE_ERROR; },
       ERROR_INVALID_NAME},
      {"_lcreat in missing folder", [] { return _lcreat("T:\\nodir\\f.txt", 0) == HFILE_ERROR; },
       ERROR_PATH_NOT_FOUND},
      {"_lcreat over read-only", [] { return _lcreat("T:\\ro.txt", 0) == HFILE_ERROR; },
       ERROR_ACCESS_DENIED},
      {"_lcreat over a directory", [] { return _lcreat("T:\\dir", 0) == HFILE_ERROR; },
       ERROR_ACCESS_DENIED},
      {"_lcreat bad attribute", [] { return _lcreat("T:\\n.txt", 0x100) == HFILE_ERROR; },
       ERROR_INVALID_PARAMETER},
      {"_llseek before start", [&] { return _llseek(open, -1, FILE_BEGIN) == HFILE_ERROR; },
       ERROR_NEGATIVE_SEEK},
      {"_llseek before start from end", [&] { return _llseek(open, -5, FILE_END) == HFILE_ERROR; },
       ERROR_NEGATIVE_SEEK},
      {"_llseek bad origin", [&] { return _llseek(open, 0, 3) == HFILE_ERROR; },
       ERROR_INVALID_PARAMETER},
      {"_lread closed handle",
       [&] { return _lread(closed, buf, 1) == static_cast<UINT>(HFILE_ERROR); },
       ERROR_INVALID_HANDLE},
      {"_lread stdin", [&] { return _lread(0, buf, 1) == static_cast<UINT>(HFILE_ERROR); },
       ERROR_INVALID_HANDLE},
      {"_lwrite stdout", [] { return _lwrite(1, "x", 1) == static_cast<UINT>(HFILE_ERROR); },
       ERROR_INVALID_HANDLE},
      {"_lclose twice", [&] { return _lclose(closed) == HFILE_ERROR; }, ERROR_INVALID_HANDLE},
      {"_llseek bad handle", [] { return _llseek(HFILE_ERROR, 0, FILE_BEGIN) == HFILE_ERROR; },
       ERROR_INVALID_HANDLE},
      {"DeleteFileA missing", [] { return !DeleteFileA("T:\\none.txt"); }, ERROR_FILE_NOT_FOUND},
      {"DeleteFileA in missing folder", [] { return !DeleteFileA("T:\\nodir\\none.txt"); },
       ERROR_PATH_NOT_FOUND},
      {"DeleteFileA directory", [] { return !DeleteFileA("T:\\dir"); }, ERROR_ACCESS_DENIED},
      {"DeleteFileA read-only", [] { return !DeleteFileA("T:\\ro.txt"); }, ERROR_ACCESS_DENIED},
      {"CopyFileA missing source", [] { return !CopyFileA("T:\\none.txt", "T:\\x.txt", FALSE); },
       ERROR_FILE_NOT_FOUND},
      {"CopyFileA onto existing", [] { return !CopyFileA("T:\\file.txt", "T:\\other.txt", TRUE); },
       ERROR_FILE_EXISTS},
      {"CopyFileA onto itself", [] { return !CopyFileA("T:\\file.txt", "T:\\.\\file.txt", FALSE); },
       ERROR_SHARING_VIOLATION},
      {"CopyFileA onto read-only", [] { return !CopyFileA("T:\\file.txt", "T:\\ro.txt", FALSE); },
       ERROR_ACCESS_DENIED},
      {"CopyFileA onto directory", [] { return !CopyFileA("T:\\file.txt", "T:\\dir", FALSE); },
       ERROR_ACCESS_DENIED},
      {"CopyFileA a directory", [] { return !CopyFileA("T:\\dir", "T:\\x", FALSE); },
       ERROR_ACCESS_DENIED},
      {"CopyFileA into missing folder",
       [] { return !CopyFileA("T:\\file.txt", "T:\\nodir\\x", FALSE); }, ERROR_PATH_NOT_FOUND},
      {"MoveFileExA onto existing", [] { return !MoveFileExA("T:\\file.txt", "T:\\other.txt", 0); },
       ERROR_ALREADY_EXISTS},
      {"MoveFileExA onto read-only",
       [] { return !MoveFileExA("T:\\file.txt", "T:\\ro.txt", MOVEFILE_REPLACE_EXISTING); },
       ERROR_ACCESS_DENIED},
      {"MoveFileExA onto directory",
       [] { return !MoveFileExA("T:\\file.txt", "T:\\dir", MOVEFILE_REPLACE_EXISTING); },
       ERROR_ACCESS_DENIED},
      {"MoveFileExA missing source", [] { return !MoveFileExA("T:\\none.txt", "T:\\x.txt", 0); },
       ERROR_FILE_NOT_FOUND},
      {"MoveFileExA into missing folder",
       [] { return !MoveFileExA("T:\\file.txt", "T:\\nodir\\x", 0); }, ERROR_PATH_NOT_FOUND},
      {"MoveFileExA unknown flag", [] { return !MoveFileExA("T:\\file.txt", "T:\\x.txt", 0x2); },
       ERROR_INVALID_PARAMETER},
      {"MoveFileExA no target", [] { return !MoveFileExA("T:\\file.txt", nullptr, 0); },
       ERROR_INVALID_PARAMETER},
      {"CreateDirectoryA existing", [] { return !CreateDirectoryA("T:\\dir", nullptr); },
       ERROR_ALREADY_EXISTS},
      {"CreateDirectoryA over a file", [] { return !CreateDirectoryA("T:\\file.txt", nullptr); },
       ERROR_ALREADY_EXISTS},
      {"CreateDirectoryA missing parent", [] { return !CreateDirectoryA("T:\\a\\b", nullptr); },
       ERROR_PATH_NOT_FOUND},
      {"GetFileAttributesA missing",
       [] { return GetFileAttributesA("T:\\none") == INVALID_FILE_ATTRIBUTES; },
       ERROR_FILE_NOT_FOUND},
      {"GetFileAttributesA missing folder",
       [] { return GetFileAttributesA("T:\\a\\b") == INVALID_FILE_ATTRIBUTES; },
       ERROR_PATH_NOT_FOUND},
  };
  for (const auto &c : cases) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_TRUE(c.failed()) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
    EXPECT_EQ(Get("file.txt"), "data") << c.what;
    EXPECT_EQ(Get("other.txt"), "other") << c.what;
    EXPECT_EQ(Get("ro.txt"), "ro") << c.what;
    EXPECT_TRUE(std::filesystem::is_directory(Linux("dir"))) << c.what;
    EXPECT_FALSE(Exists("x.txt") || Exists("x") || Exists("n.txt") || Exists("a")) << c.what;
  }
  EXPECT_EQ(_llseek(open, 0, FILE_CURRENT), 0);  // failed seeks left the pointer
  EXPECT_EQ(_lclose(open), 0);
}

// What the system calls report reaches the caller as the matching Windows
// error.
TEST_F(Files, SystemCallErrorsMapToWindowsErrors) {
  Put("a.txt", "a");
  static int injected;
  auto failOpen = [](const char *, int, mode_t) -> int {
    errno = injected;
    return -1;
  };
  auto failWrite = [](int, const void *, size_t) -> ssize_t {
    errno = injected;
    return -1;
  };
  auto failRename = [](const char *, const char *) -> int {
    errno = injected;
    return -1;
  };
  auto failMkdir = [](const char *, mode_t) -> int {
    errno = injected;
    return -1;
  };
  const struct {
    const char *call;
    vplat::syscalls::Fn fn;
    int error;
    std::function<bool()> failed;
    DWORD expected;
  } cases[] = {
      {"open", reinterpret_cast<vplat::syscalls::Fn>(+failOpen), EMFILE,
       [] { return _lopen("T:\\a.txt", OF_READ) == HFILE_ERROR; }, ERROR_TOO_MANY_OPEN_FILES},
      {"open", reinterpret_cast<vplat::syscalls::Fn>(+failOpen), EACCES,
       [] { return _lcreat("T:\\b.txt", 0) == HFILE_ERROR; }, ERROR_ACCESS_DENIED},
      {"open", reinterpret_cast<vplat::syscalls::Fn>(+failOpen), ENAMETOOLONG,
       [] { return _lcreat("T:\\b.txt", 0) == HFILE_ERROR; }, ERROR_FILENAME_EXCED_RANGE},
      {"write", reinterpret_cast<vplat::syscalls::Fn>(+failWrite), ENOSPC,
       [] {
         HFILE h = _lcreat("T:\\b.txt", 0);
         const bool failed = _lwrite(h, "xy", 2) == static_cast<UINT>(HFILE_ERROR);
         const DWORD e = GetLastError();
         _lclose(h);
         SetLastError(e);
         return failed;
       },
       ERROR_DISK_FULL},
      {"write", reinterpret_cast<vplat::syscalls::Fn>(+failWrite), ENOSPC,
       [] { return !CopyFileA("T:\\a.txt", "T:\\b.txt", FALSE); }, ERROR_DISK_FULL},
      {"rename", reinterpret_cast<vplat::syscalls::Fn>(+failRename), EXDEV,
       [] { return !MoveFileExA("T:\\a.txt", "T:\\c.txt", 0); }, ERROR_NOT_SAME_DEVICE},
      {"rename", reinterpret_cast<vplat::syscalls::Fn>(+failRename), EROFS,
       [] { return !MoveFileExA("T:\\a.txt", "T:\\c.txt", 0); }, ERROR_ACCESS_DENIED},
      {"mkdir", reinterpret_cast<vplat::syscalls::Fn>(+failMkdir), ENOSPC,
       [] { return !CreateDirectoryA("T:\\d", nullptr); }, ERROR_DISK_FULL},
  };
  for (const auto &c : cases) {
    injected = c.error;
    ASSERT_TRUE(vplat::syscalls::Set(c.call, c.fn)) << c.call;
    SetLastError(ERROR_SUCCESS);
    EXPECT_TRUE(c.failed()) << c.call << " errno " << c.error;
    EXPECT_EQ(GetLastError(), c.expected) << c.call << " errno " << c.error;
    vplat::syscalls::RestoreAll();
  }
}

TEST(SystemCallTable, ReplacesByNameAndRestores) {
  std::vector<std::string> names;
  for (std::string_view n = vplat::syscalls::Next({}); !n.empty(); n = vplat::syscalls::Next(n))
    names.emplace_back(n);
  for (const char *expected :
       {"open", "close", "read", "write", "lseek", "ftruncate", "fsync", "fstat", "fchmod",
        "fchown", "stat", "lstat", "readlink", "unlink", "rename", "mkdir", "getcwd"})
    EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end()) << expected;

  const vplat::syscalls::Fn real = vplat::syscalls::Get("unlink");
  ASSERT_NE(real, nullptr);
  auto fake = [](const char *) -> int { return 0; };
  const auto fakeFn = reinterpret_cast<vplat::syscalls::Fn>(+fake);
  EXPECT_TRUE(vplat::syscalls::Set("unlink", fakeFn));
  EXPECT_EQ(vplat::syscalls::Get("unlink"), fakeFn);
  EXPECT_TRUE(vplat::syscalls::Set("unlink", nullptr));
  EXPECT_EQ(vplat::syscalls::Get("unlink"), real);
  EXPECT_FALSE(vplat::syscalls::Set("no-such-call", fakeFn));
  EXPECT_EQ(vplat::syscalls::Get("no-such-call"), nullptr);
}

// Names are characters of the ANSI code page: a Shift-JIS name whose second
// byte is 0x5C is one name, stored on disk as UTF-8.
TEST_F(Files, ShiftJisNamesBecomeUtf8Names) {
  HFILE h = _lcreat("T:\\\x95\x5C.txt", 0);  // 表.txt
  ASSERT_NE(h, HFILE_ERROR);
  EXPECT_EQ(_lclose(h), 0);
  EXPECT_TRUE(Exists("\xE8\xA1\xA8.txt"));
  EXPECT_FALSE(std::filesystem::exists(root_ + "/\x95"));
  EXPECT_TRUE(DeleteFileA("T:\\\x95\x5C.txt"));
  EXPECT_FALSE(Exists("\xE8\xA1\xA8.txt"));
}

}  // namespace
