#include "filesupport.h"

#include <vplatform/errortext.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
thread_local int lastErrno = 0;  // behind lastError, or 0

// The errno that says what a Win32 code says, or 0.
int ErrnoOf(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ENOENT;
    case ERROR_TOO_MANY_OPEN_FILES: return EMFILE;
    case ERROR_ACCESS_DENIED: return EACCES;
    case ERROR_INVALID_HANDLE: return EBADF;
    case ERROR_NOT_ENOUGH_MEMORY: return ENOMEM;
    case ERROR_NOT_SAME_DEVICE: return EXDEV;
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE: return EIO;
    case ERROR_SHARING_VIOLATION: return EBUSY;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_INVALID_PARAMETER:
    case ERROR_INVALID_NAME: return EINVAL;
    case ERROR_SEEK_ON_DEVICE: return ESPIPE;
    case ERROR_DIR_NOT_EMPTY: return ENOTEMPTY;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_NO_UNICODE_TRANSLATION: return EILSEQ;
    default: return 0;
  }
}
}  // namespace

extern "C" DWORD WINAPI GetLastError(void) { return lastError; }
extern "C" void WINAPI SetLastError(DWORD code) {
  lastError = code;
  lastErrno = 0;
}

namespace vplat::files {
void SetLastErrorFromErrno(DWORD code, int e) {
  lastError = code;
  lastErrno = e;
}
}  // namespace vplat::files

namespace vplat {
std::string LastErrorText() {
  const int e = lastErrno ? lastErrno : ErrnoOf(lastError);
  if (e) return std::strerror(e);
  return "error " + std::to_string(lastError);
}
}  // namespace vplat
