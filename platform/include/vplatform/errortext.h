// The system's own words for why a call of the platform failed, for
// messages of the command-line program ("cannot open x.csv: Permission
// denied").
#ifndef VARDO_VPLATFORM_ERRORTEXT_H
#define VARDO_VPLATFORM_ERRORTEXT_H

#include <win/types.h>

#include <string>

namespace vplat {

// The reason for this thread's last error: the text of the errno behind it
// when a system call failed (strerror), else the text of the errno closest
// to the Win32 code that GetLastError() gives (a read-only file refused by
// the file calls is "Permission denied"). Never empty.
VPLAT_API std::string LastErrorText();

}  // namespace vplat

#endif
