// Internal: what the 8-bit file calls and the save helper share.
#ifndef VARDO_PLATFORM_FILESUPPORT_H
#define VARDO_PLATFORM_FILESUPPORT_H

#include <windows.h>

#include <cstddef>

namespace vplat::files {

// errno -> Win32 error; `other` for what has no closer match.
DWORD Win32Error(int e, DWORD other);

// Sets the last error to code and remembers e, the errno behind it, for
// <vplatform/errortext.h>. SetLastError forgets it again.
void SetLastErrorFromErrno(DWORD code, int e);

// Writes all n bytes to fd; false with errno set when the system refuses
// part-way (ENOSPC when it writes nothing).
bool WriteAll(int fd, const char *p, size_t n);

// close(2), keeping errno as it was.
void CloseQuietly(int fd);

}  // namespace vplat::files

#endif
