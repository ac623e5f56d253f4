// Saving a file whole: the one way every file of the system and of the
// command-line program is written (see <vplatform/savefile.h>).
//
// The bytes go to a new file beside the target under a name of its own,
// created exclusively, so two saves never write into the same file; only
// once that file is complete and on disk does one rename(2) put it in the
// target's place. Readers therefore see the old file or the new one, never a
// mix, and a failure at any step leaves the old file as it was and removes
// what was written.
#include "fault_points.h"
#include "filesupport.h"
#include "sys.h"

#include <vplatform/paths.h>
#include <vplatform/savefile.h>
#include <windows.h>

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <string>

namespace {

using vplat::faults::Op;

// The folder part of a Linux path: "." for a bare name.
std::string FolderOf(const std::string &path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// Follows path's chain of symbolic links to the file a save must replace.
// *exists tells whether that file is there, *st holds its status then.
// Returns 0 or an errno.
int ResolveTarget(const std::string &path, std::string *target, struct stat *st, bool *exists) {
  std::string p = path;
  for (int hops = 0; hops < 40; ++hops) {
    if (vplat::sys::Lstat(p.c_str(), st) != 0) {
      if (errno != ENOENT) return errno;
      *exists = false;
      *target = p;
      return 0;
    }
    if (!S_ISLNK(st->st_mode)) {
      *exists = true;
      *target = p;
      return 0;
    }
    char link[PATH_MAX];
    const ssize_t n = vplat::sys::Readlink(p.c_str(), link, sizeof link);
    if (n < 0) return errno;
    if (static_cast<size_t>(n) >= sizeof link) return ENAMETOOLONG;
    const std::string to(link, static_cast<size_t>(n));
    p = !to.empty() && to[0] == '/' ? to : FolderOf(p) + "/" + to;
  }
  return ELOOP;
}

// A short hidden name, so that the temporary file fits wherever a name of
// the longest length fits. Unique by exclusive creation; the randomness
// only keeps retries rare.
std::string TemporaryName(const std::string &folder) {
  static uint64_t counter = 0;
  uint64_t x = static_cast<uint64_t>(getpid()) << 32;
  x ^= static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  x += 0x9E3779B97F4A7C15ull * ++counter;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  x ^= x >> 31;
  static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string name = folder + "/.vardo-";
  for (int i = 0; i < 8; ++i, x /= 36) name += kDigits[x % 36];
  return name;
}

// Creates the temporary file; its descriptor, or -1 with errno set.
int CreateTemporary(const std::string &folder, mode_t mode, std::string *name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    *name = TemporaryName(folder);
    const int fd = vplat::sys::Open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Writes the bytes as the 8-bit file calls do, piece by piece, with their
// faults: a short write fails with EIO, a full disk with ENOSPC.
int WriteData(int fd, const char *data, size_t size) {
  const size_t kPiece = size_t{1} << 30;
  for (size_t done = 0; done < size;) {
    const size_t n = size - done < kPiece ? size - done : kPiece;
    const bool shortWrite = vplat::faults::Strike(Op::Write);
    const size_t want = shortWrite ? n / 2 : n;
    const size_t room = vplat::faults::DiskRoom(want);
    if (!vplat::files::WriteAll(fd, data + done, room)) return errno;
    if (room < want) return ENOSPC;
    if (shortWrite) return EIO;
    done += n;
  }
  return 0;
}

// The new file's content, owner and mode, made durable; 0 or an errno.
int FillTemporary(int fd, const char *data, size_t size, const struct stat *old) {
  if (int e = WriteData(fd, data, size)) return e;
  if (old) {
    // The owner first: changing it may clear the set-user and set-group bits.
    struct stat now;
    if (vplat::sys::Fstat(fd, &now) != 0) return errno;
    if ((now.st_uid != old->st_uid || now.st_gid != old->st_gid) &&
        vplat::sys::Fchown(fd, old->st_uid, old->st_gid) != 0)
      return errno;
    if (vplat::sys::Fchmod(fd, old->st_mode & 07777) != 0) return errno;
  }
  if (vplat::sys::Fsync(fd) != 0) return errno;
  return 0;
}

// fsync(2) on a folder, so that a rename in it lasts; 0 or an errno.
int SyncFolder(const std::string &folder) {
  const int fd = vplat::sys::Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return errno;
  const int e = vplat::sys::Fsync(fd) == 0 ? 0 : errno;
  vplat::files::CloseQuietly(fd);
  return e;
}

}  // namespace

namespace vplat {

int SaveFile(const std::string &linuxPath, const void *data, size_t size) {
  if (linuxPath.empty() || (size > 0 && !data)) return EINVAL;
  std::string target;
  struct stat old;
  bool exists = false;
  if (int e = ResolveTarget(linuxPath, &target, &old, &exists)) return e;
  if (exists) {
    if (S_ISDIR(old.st_mode)) return EISDIR;
    if (!S_ISREG(old.st_mode)) return ENOTSUP;
    // Read-only is the owner's write bit, honoured as the file calls do.
    if ((old.st_mode & S_IWUSR) == 0) return EACCES;
  }
  if (faults::Strike(Op::Create)) return EACCES;

  const std::string folder = FolderOf(target);
  std::string temporary;
  // Private until it has the old file's mode; a new file gets the usual one.
  const int fd = CreateTemporary(folder, exists ? 0600 : 0666, &temporary);
  if (fd < 0) return errno;
  int e = FillTemporary(fd, static_cast<const char *>(data), size, exists ? &old : nullptr);
  if (vplat::sys::Close(fd) != 0 && e == 0 && errno != EINTR) e = errno;
  if (e == 0 && faults::Strike(Op::Move)) e = EACCES;
  if (e == 0 && vplat::sys::Rename(temporary.c_str(), target.c_str()) != 0) e = errno;
  if (e != 0) {
    vplat::sys::Unlink(temporary.c_str());
    return e;
  }
  // The target is replaced; this only makes the replacement survive a crash.
  return SyncFolder(folder);
}

}  // namespace vplat

extern "C" BOOL WINAPI SaveWholeFileA(LPCSTR lpFileName, LPCVOID lpBuffer, SIZE_T nBytes) {
  std::string path;
  if (!lpFileName) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  if (!vplat::LinuxPathFromWindows(lpFileName, path)) return FALSE;
  const int e = vplat::SaveFile(path, lpBuffer, nBytes);
  if (e == 0) return TRUE;
  DWORD code = vplat::files::Win32Error(e, ERROR_WRITE_FAULT);
  // A missing folder on the way, as the other file calls tell it.
  if (e == ENOENT) code = ERROR_PATH_NOT_FOUND;
  vplat::files::SetLastErrorFromErrno(code, e);
  return FALSE;
}
