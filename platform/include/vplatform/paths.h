// Windows paths on the Linux file system: the drive table and the
// conversions both ways. The platform's file calls use these; so do the host
// and the command-line program, whose paths are ordinary Linux paths.
//
// A Windows path here is 8-bit text in the ANSI code page (GetACP()):
// "C:\dir\name", forward slashes accepted as separators. Each drive letter
// maps onto a Linux directory; by default only Z: is mapped, onto "/".
// Paths are taken as characters, not bytes: a Shift-JIS character whose
// second byte is 0x5C is never a separator. Linux names are UTF-8.
//
// Both conversions normalise lexically, as Windows does: "." and empty
// components go, ".." removes the component before it but never climbs above
// a drive's root, and symbolic links are not followed.
#ifndef VARDO_VPLATFORM_PATHS_H
#define VARDO_VPLATFORM_PATHS_H

#include <win/types.h>

#include <string>
#include <string_view>

namespace vplat {

// Maps drive `letter` (either case) onto linuxDir, replacing any mapping it
// had. A relative linuxDir is taken against the current directory at the
// time of the call; the directory need not exist. Returns false for a letter
// outside A-Z or an empty linuxDir.
VPLAT_API bool MapDrive(char letter, std::string linuxDir);

// Removes a drive's mapping; paths on it then fail with ERROR_PATH_NOT_FOUND.
// Returns false when the drive was not mapped.
VPLAT_API bool UnmapDrive(char letter);

// Back to the default table: Z: onto "/" and nothing else.
VPLAT_API void ResetDrives();

// The Linux directory drive `letter` maps onto (normalised, no trailing
// slash but for "/"); empty when it is not mapped.
VPLAT_API std::string DriveMapping(char letter);

// Windows path -> absolute Linux path. "X:\a" is absolute on drive X; "\a"
// is on the drive of the current directory; "a" and "X:a" are against the
// current directory (or X's root when the current directory is not on X).
// The current directory is the process's (getcwd). On success stores the
// path in out and returns true. On failure leaves out unchanged, sets the
// last error and returns false:
//   ERROR_NO_UNICODE_TRANSLATION  bytes invalid in the ANSI code page
//   ERROR_INVALID_NAME            a character Windows forbids in names
//                                 (< > : " | ? * and control characters), a
//                                 NUL byte, a UNC or device path
//   ERROR_PATH_NOT_FOUND          an empty path, an unmapped drive
VPLAT_API bool LinuxPathFromWindows(std::string_view ansiPath, std::string &out);

// Linux path -> Windows path in the ANSI code page, on the drive whose
// mapping is the longest prefix of the path (whole components; on a tie the
// first letter). A relative path is taken against the current directory.
// A drive's root comes out as "X:\", anything else without a trailing
// backslash. On failure leaves ansiOut unchanged, sets the last error and
// returns false; a name is never silently altered:
//   ERROR_NO_UNICODE_TRANSLATION  invalid UTF-8, or a character the ANSI code
//                                 page cannot represent exactly (under 932 a
//                                 U+00A5 YEN SIGN fails, it does not become a
//                                 backslash)
//   ERROR_INVALID_NAME            a name with a character Windows forbids
//                                 (\ : * ? " < > | and control characters)
//   ERROR_PATH_NOT_FOUND          an empty path, or no drive covers it
VPLAT_API bool WindowsPathFromLinux(std::string_view linuxPath, std::string &ansiOut);

}  // namespace vplat

#endif
