// The 8-bit file calls on the Linux file system.
//
// Handles are multiples of 4 looked up in a table of descriptors, so that a
// stray HFILE (0, 1, 2, a closed handle, a value from elsewhere) fails with
// ERROR_INVALID_HANDLE instead of reaching stdin or another open file.
// Every system call goes through the replaceable table of sys.h, and every
// operation asks the fault injector before its system call.
#include "fault_points.h"
#include "filesupport.h"
#include "sys.h"

#include <vplatform/paths.h>
#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <unordered_map>
#include <vector>

namespace vplat::files {

DWORD Win32Error(int e, DWORD other) {
  switch (e) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
    case ELOOP: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
    case EBUSY: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ESPIPE: return ERROR_SEEK_ON_DEVICE;
    default: return other;
  }
}

bool WriteAll(int fd, const char *p, size_t n) {
  while (n > 0) {
    const ssize_t w = vplat::sys::Write(fd, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (w == 0) {
      errno = ENOSPC;
      return false;
    }
    p += w;
    n -= static_cast<size_t>(w);
  }
  return true;
}

void CloseQuietly(int fd) {
  const int saved = errno;
  vplat::sys::Close(fd);
  errno = saved;
}

}  // namespace vplat::files

namespace {

using vplat::faults::Op;
using vplat::files::CloseQuietly;
using vplat::files::Win32Error;
using vplat::files::WriteAll;

// Handle values are never reused, so a stale handle fails instead of
// reaching a file opened later.
std::unordered_map<HFILE, int> descriptors;
HFILE lastHandle = 0;

HFILE Register(int fd) {
  lastHandle += 4;
  descriptors[lastHandle] = fd;
  return lastHandle;
}

int Descriptor(HFILE h) {
  auto it = descriptors.find(h);
  return it == descriptors.end() ? -1 : it->second;
}

std::string Parent(const std::string &path) {
  const size_t slash = path.rfind('/');
  return slash == 0 || slash == std::string::npos ? std::string("/") : path.substr(0, slash);
}

bool IsDirectory(const std::string &path) {
  struct stat st;
  return vplat::sys::Stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Seconds from 1601 to 1970, where file times and Linux times begin.
constexpr uint64_t kEpochOffsetSeconds = 11644473600ull;

FILETIME FileTimeOf(const struct timespec &t) {
  const uint64_t ticks = (static_cast<uint64_t>(t.tv_sec) + kEpochOffsetSeconds) * 10000000ull +
                         static_cast<uint64_t>(t.tv_nsec) / 100;
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// A new name needs an existing folder; checked before the fault injector is
// asked, so that only calls that would reach their system call count down.
bool FolderMissing(const std::string &path) { return !IsDirectory(Parent(path)); }

// Windows tells a missing file in an existing folder from a missing folder.
DWORD NotFound(const std::string &path) {
  return IsDirectory(Parent(path)) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

// Sets the last error for a failed system call on path.
void SetErrnoError(int e, const std::string &path, DWORD other = ERROR_GEN_FAILURE) {
  vplat::files::SetLastErrorFromErrno(e == ENOENT ? NotFound(path) : Win32Error(e, other), e);
}

bool Fail(DWORD error) {
  SetLastError(error);
  return false;
}

bool ReadOnly(const struct stat &st) { return (st.st_mode & S_IWUSR) == 0; }

// Maps a Windows path; the last error is already set when it fails.
bool Map(LPCSTR windowsPath, std::string &linuxPath) {
  if (!windowsPath) return Fail(ERROR_PATH_NOT_FOUND);
  return vplat::LinuxPathFromWindows(windowsPath, linuxPath);
}

// stat(2); false (errno set) when nothing is there.
bool Lookup(const std::string &path, struct stat &st) {
  return vplat::sys::Stat(path.c_str(), &st) == 0;
}

// Reads up to n bytes, stopping early only at the end of the file. -1 with
// errno set on failure.
ssize_t ReadUpTo(int fd, char *p, size_t n) {
  size_t got = 0;
  while (got < n) {
    const ssize_t r = vplat::sys::Read(fd, p + got, n - got);
    if (r < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (r == 0) break;
    got += static_cast<size_t>(r);
  }
  return static_cast<ssize_t>(got);
}

// fsync(2) on the folder holding path, so that a rename in it is durable.
bool SyncFolder(const std::string &path) {
  const int fd = vplat::sys::Open(Parent(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool ok = vplat::sys::Fsync(fd) == 0;
  CloseQuietly(fd);
  return ok;
}

bool SyncFile(const std::string &path) {
  const int fd = vplat::sys::Open(path.c_str(), O_RDONLY | O_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool ok = vplat::sys::Fsync(fd) == 0;
  CloseQuietly(fd);
  return ok;
}

}  // namespace

extern "C" {

HFILE WINAPI _lopen(LPCSTR lpPathName, int iReadWrite) {
  const int access = iReadWrite & 0x3;
  const int share = iReadWrite & 0x70;
  if (access == 0x3 || share > OF_SHARE_DENY_NONE || (iReadWrite & ~0x73) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return HFILE_ERROR;
  }
  std::string path;
  if (!Map(lpPathName, path)) return HFILE_ERROR;
  struct stat st;
  if (!Lookup(path, st)) {
    SetErrnoError(errno, path);
    return HFILE_ERROR;
  }
  if (S_ISDIR(st.st_mode) || (access != OF_READ && ReadOnly(st))) {
    vplat::files::SetLastErrorFromErrno(ERROR_ACCESS_DENIED, S_ISDIR(st.st_mode) ? EISDIR : EACCES);
    return HFILE_ERROR;
  }
  if (vplat::faults::Strike(Op::Open)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return HFILE_ERROR;
  }
  const int mode = access == OF_READ ? O_RDONLY : access == OF_WRITE ? O_WRONLY : O_RDWR;
  // Opening a FIFO waits for its other end, perhaps for ever; without
  // blocking it opens at once (and reads as empty, unseekable). Reads and
  // writes block again as usual.
  const int fd = vplat::sys::Open(path.c_str(), mode | O_CLOEXEC | O_NONBLOCK, 0);
  if (fd < 0) {
    SetErrnoError(errno, path);
    return HFILE_ERROR;
  }
  const int flags = fcntl(fd, F_GETFL);
  if (flags != -1) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return Register(fd);
}

HFILE WINAPI _lcreat(LPCSTR lpPathName, int iAttribute) {
  if ((iAttribute & ~0x7) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return HFILE_ERROR;
  }
  std::string path;
  if (!Map(lpPathName, path)) return HFILE_ERROR;
  struct stat st;
  const bool existed = Lookup(path, st);
  if (existed && (S_ISDIR(st.st_mode) || ReadOnly(st))) {
    SetLastError(ERROR_ACCESS_DENIED);
    return HFILE_ERROR;
  }
  if (!existed && FolderMissing(path)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return HFILE_ERROR;
  }
  if (vplat::faults::Strike(Op::Create)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return HFILE_ERROR;
  }
  const bool readOnly = (iAttribute & 0x1) != 0;
  const int fd = vplat::sys::Open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC,
                                  readOnly ? 0444 : 0666);
  if (fd < 0) {
    SetErrnoError(errno, path);
    return HFILE_ERROR;
  }
  // Creating over an existing file gives it the new attributes too.
  struct stat now;
  if (existed && readOnly && vplat::sys::Fstat(fd, &now) == 0)
    vplat::sys::Fchmod(fd, now.st_mode & 07555);
  return Register(fd);
}

LONG WINAPI _llseek(HFILE hFile, LONG lOffset, int iOrigin) {
  const int fd = Descriptor(hFile);
  if (fd < 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return HFILE_ERROR;
  }
  if (iOrigin != FILE_BEGIN && iOrigin != FILE_CURRENT && iOrigin != FILE_END) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return HFILE_ERROR;
  }
  // The base is found without moving the pointer, so that a refused seek
  // leaves it where it was.
  off_t base = 0;
  struct stat st;
  if (iOrigin == FILE_CURRENT) {
    base = vplat::sys::Lseek(fd, 0, SEEK_CUR);
  } else if (iOrigin == FILE_END) {
    base = vplat::sys::Fstat(fd, &st) == 0 ? st.st_size : -1;
  }
  if (base < 0) {
    vplat::files::SetLastErrorFromErrno(Win32Error(errno, ERROR_GEN_FAILURE), errno);
    return HFILE_ERROR;
  }
  const long long target = static_cast<long long>(base) + lOffset;
  if (target < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return HFILE_ERROR;
  }
  if (target > INT32_MAX) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return HFILE_ERROR;
  }
  if (vplat::sys::Lseek(fd, static_cast<off_t>(target), SEEK_SET) < 0) {
    vplat::files::SetLastErrorFromErrno(Win32Error(errno, ERROR_GEN_FAILURE), errno);
    return HFILE_ERROR;
  }
  return static_cast<LONG>(target);
}

UINT WINAPI _lread(HFILE hFile, LPVOID lpBuffer, UINT uBytes) {
  const int fd = Descriptor(hFile);
  if (fd < 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return static_cast<UINT>(HFILE_ERROR);
  }
  if (!lpBuffer && uBytes > 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return static_cast<UINT>(HFILE_ERROR);
  }
  const size_t want = vplat::faults::Strike(Op::Read) ? uBytes / 2 : uBytes;
  const ssize_t got = ReadUpTo(fd, static_cast<char *>(lpBuffer), want);
  if (got < 0) {
    // A descriptor open for writing only refuses reads with EBADF.
    const int e = errno;
    vplat::files::SetLastErrorFromErrno(
        e == EBADF ? ERROR_ACCESS_DENIED : Win32Error(e, ERROR_READ_FAULT), e);
    return static_cast<UINT>(HFILE_ERROR);
  }
  return static_cast<UINT>(got);
}

UINT WINAPI _lwrite(HFILE hFile, LPCCH lpBuffer, UINT uBytes) {
  const int fd = Descriptor(hFile);
  if (fd < 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return static_cast<UINT>(HFILE_ERROR);
  }
  if (uBytes == 0) {
    const off_t here = vplat::sys::Lseek(fd, 0, SEEK_CUR);
    if (here < 0 || vplat::sys::Ftruncate(fd, here) != 0) {
      SetLastError(errno == EINVAL || errno == EBADF ? ERROR_ACCESS_DENIED
                                                     : Win32Error(errno, ERROR_WRITE_FAULT));
      return static_cast<UINT>(HFILE_ERROR);
    }
    return 0;
  }
  if (!lpBuffer) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return static_cast<UINT>(HFILE_ERROR);
  }
  const bool shortWrite = vplat::faults::Strike(Op::Write);
  const size_t want = shortWrite ? uBytes / 2 : uBytes;
  const size_t room = vplat::faults::DiskRoom(want);
  if (!WriteAll(fd, lpBuffer, room)) {
    SetLastError(errno == EBADF ? ERROR_ACCESS_DENIED : Win32Error(errno, ERROR_WRITE_FAULT));
    return static_cast<UINT>(HFILE_ERROR);
  }
  if (room < want) {
    SetLastError(ERROR_DISK_FULL);
    return static_cast<UINT>(HFILE_ERROR);
  }
  if (shortWrite) SetLastError(ERROR_WRITE_FAULT);
  return static_cast<UINT>(want);
}

HFILE WINAPI _lclose(HFILE hFile) {
  const int fd = Descriptor(hFile);
  if (fd < 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return HFILE_ERROR;
  }
  descriptors.erase(hFile);
  if (vplat::sys::Close(fd) != 0 && errno != EINTR) {
    SetLastError(Win32Error(errno, ERROR_WRITE_FAULT));
    return HFILE_ERROR;
  }
  return 0;
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
  std::string path;
  if (!Map(lpFileName, path)) return FALSE;
  struct stat st;
  if (!Lookup(path, st)) {
    SetErrnoError(errno, path);
    return FALSE;
  }
  if (S_ISDIR(st.st_mode) || ReadOnly(st)) return Fail(ERROR_ACCESS_DENIED);
  if (vplat::faults::Strike(Op::Delete)) return Fail(ERROR_ACCESS_DENIED);
  if (vplat::sys::Unlink(path.c_str()) != 0) {
    SetErrnoError(errno, path);
    return FALSE;
  }
  return TRUE;
}

BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
  std::string from, to;
  if (!Map(lpExistingFileName, from) || !Map(lpNewFileName, to)) return FALSE;
  struct stat src, dst;
  if (!Lookup(from, src)) {
    SetErrnoError(errno, from);
    return FALSE;
  }
  if (S_ISDIR(src.st_mode)) return Fail(ERROR_ACCESS_DENIED);
  if (Lookup(to, dst)) {
    if (dst.st_dev == src.st_dev && dst.st_ino == src.st_ino) return Fail(ERROR_SHARING_VIOLATION);
    if (bFailIfExists) return Fail(ERROR_FILE_EXISTS);
    if (S_ISDIR(dst.st_mode) || ReadOnly(dst)) return Fail(ERROR_ACCESS_DENIED);
  } else if (FolderMissing(to)) {
    return Fail(ERROR_PATH_NOT_FOUND);
  }
  if (vplat::faults::Strike(Op::Copy)) return Fail(ERROR_ACCESS_DENIED);

  const int in = vplat::sys::Open(from.c_str(), O_RDONLY | O_CLOEXEC, 0);
  if (in < 0) {
    SetErrnoError(errno, from);
    return FALSE;
  }
  const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (bFailIfExists ? O_EXCL : 0);
  const int out = vplat::sys::Open(to.c_str(), flags, ReadOnly(src) ? 0444 : 0666);
  if (out < 0) {
    SetErrnoError(errno, to);
    CloseQuietly(in);
    return FALSE;
  }

  // From here a failure removes the partial target.
  DWORD error = ERROR_SUCCESS;
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const ssize_t n = ReadUpTo(in, buffer.data(), buffer.size());
    if (n < 0) {
      error = Win32Error(errno, ERROR_READ_FAULT);
      break;
    }
    if (n == 0) break;
    const size_t room = vplat::faults::DiskRoom(static_cast<size_t>(n));
    if (!WriteAll(out, buffer.data(), room)) {
      error = Win32Error(errno, ERROR_WRITE_FAULT);
      break;
    }
    if (room < static_cast<size_t>(n)) {
      error = ERROR_DISK_FULL;
      break;
    }
  }
  struct stat now;
  if (error == ERROR_SUCCESS && ReadOnly(src) && vplat::sys::Fstat(out, &now) == 0)
    vplat::sys::Fchmod(out, now.st_mode & 07555);
  CloseQuietly(in);
  if (vplat::sys::Close(out) != 0 && error == ERROR_SUCCESS)
    error = Win32Error(errno, ERROR_WRITE_FAULT);
  if (error != ERROR_SUCCESS) {
    vplat::sys::Unlink(to.c_str());
    return Fail(error);
  }
  return TRUE;
}

BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) {
  if ((dwFlags & ~static_cast<DWORD>(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) != 0 ||
      !lpNewFileName)
    return Fail(ERROR_INVALID_PARAMETER);
  std::string from, to;
  if (!Map(lpExistingFileName, from) || !Map(lpNewFileName, to)) return FALSE;
  struct stat src, dst;
  if (!Lookup(from, src)) {
    SetErrnoError(errno, from);
    return FALSE;
  }
  const bool targetExists = Lookup(to, dst);
  const bool same = targetExists && dst.st_dev == src.st_dev && dst.st_ino == src.st_ino;
  if (targetExists && !same) {
    if (!(dwFlags & MOVEFILE_REPLACE_EXISTING)) return Fail(ERROR_ALREADY_EXISTS);
    if (S_ISDIR(dst.st_mode) || S_ISDIR(src.st_mode) || ReadOnly(dst))
      return Fail(ERROR_ACCESS_DENIED);
  } else if (!targetExists && FolderMissing(to)) {
    return Fail(ERROR_PATH_NOT_FOUND);
  }
  if (vplat::faults::Strike(Op::Move)) return Fail(ERROR_ACCESS_DENIED);

  const bool writeThrough = (dwFlags & MOVEFILE_WRITE_THROUGH) != 0;
  if (writeThrough && !S_ISDIR(src.st_mode) && !SyncFile(from)) {
    SetErrnoError(errno, from, ERROR_WRITE_FAULT);
    return FALSE;
  }
  // rename(2) swaps the target in one step: whoever opens the target sees
  // either the old file or the new one.
  if (vplat::sys::Rename(from.c_str(), to.c_str()) != 0) {
    const int e = errno;
    SetLastError(e == ENOENT ? ERROR_PATH_NOT_FOUND : Win32Error(e, ERROR_GEN_FAILURE));
    return FALSE;
  }
  if (writeThrough && !SyncFolder(to)) {
    SetErrnoError(errno, to, ERROR_WRITE_FAULT);
    return FALSE;
  }
  return TRUE;
}

BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES) {
  std::string path;
  if (!Map(lpPathName, path)) return FALSE;
  struct stat st;
  if (Lookup(path, st)) return Fail(ERROR_ALREADY_EXISTS);
  if (FolderMissing(path)) return Fail(ERROR_PATH_NOT_FOUND);
  if (vplat::faults::Strike(Op::CreateDirectory)) return Fail(ERROR_ACCESS_DENIED);
  if (vplat::sys::Mkdir(path.c_str(), 0777) != 0) {
    const int e = errno;
    SetLastError(e == ENOENT   ? ERROR_PATH_NOT_FOUND
                 : e == EEXIST ? ERROR_ALREADY_EXISTS
                               : Win32Error(e, ERROR_GEN_FAILURE));
    return FALSE;
  }
  return TRUE;
}

DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
  std::string path;
  if (!Map(lpFileName, path)) return INVALID_FILE_ATTRIBUTES;
  struct stat st;
  if (!Lookup(path, st)) {
    SetErrnoError(errno, path);
    return INVALID_FILE_ATTRIBUTES;
  }
  if (S_ISDIR(st.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  return ReadOnly(st) ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
}

BOOL WINAPI GetFileInformationByHandle(HANDLE hFile,
                                       LPBY_HANDLE_FILE_INFORMATION lpFileInformation) {
  const int fd = Descriptor(static_cast<HFILE>(reinterpret_cast<INT_PTR>(hFile)));
  struct stat st;
  if (fd < 0 || !lpFileInformation) {
    SetLastError(fd < 0 ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (vplat::sys::Fstat(fd, &st) != 0) {
    vplat::files::SetLastErrorFromErrno(Win32Error(errno, ERROR_GEN_FAILURE), errno);
    return FALSE;
  }
  BY_HANDLE_FILE_INFORMATION &info = *lpFileInformation;
  info.dwFileAttributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY
                          : ReadOnly(st)      ? FILE_ATTRIBUTE_READONLY
                                              : FILE_ATTRIBUTE_NORMAL;
  info.ftCreationTime = FileTimeOf(st.st_ctim);
  info.ftLastAccessTime = FileTimeOf(st.st_atim);
  info.ftLastWriteTime = FileTimeOf(st.st_mtim);
  info.dwVolumeSerialNumber = static_cast<DWORD>(st.st_dev);
  const uint64_t size = static_cast<uint64_t>(st.st_size);
  info.nFileSizeHigh = static_cast<DWORD>(size >> 32);
  info.nFileSizeLow = static_cast<DWORD>(size);
  info.nNumberOfLinks = static_cast<DWORD>(st.st_nlink);
  const uint64_t index = static_cast<uint64_t>(st.st_ino);
  info.nFileIndexHigh = static_cast<DWORD>(index >> 32);
  info.nFileIndexLow = static_cast<DWORD>(index);
  return TRUE;
}

VOID WINAPI GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime) {
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  *lpSystemTimeAsFileTime = FileTimeOf(now);
}

}  // extern "C"
