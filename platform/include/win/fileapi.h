/* Files: the 8-bit handle calls and the whole-file operations the plug-ins
 * use.
 *
 * Paths are Windows paths in the ANSI code page ("C:\dir\name", forward
 * slashes accepted, relative paths against the current directory); they are
 * mapped onto the Linux file system through the drive table of
 * <vplatform/paths.h>. Every call that fails sets the last-error code the way
 * Windows would (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND,
 * ERROR_ACCESS_DENIED, ERROR_FILE_EXISTS, ERROR_DISK_FULL ...); a path that
 * cannot be mapped fails with ERROR_INVALID_NAME, ERROR_PATH_NOT_FOUND or
 * ERROR_NO_UNICODE_TRANSLATION.
 *
 * Not emulated: share modes (accepted, never enforced), case-insensitive
 * name lookup, the hidden/system/archive attributes. The read-only attribute
 * is the owner's write bit, and it is honoured as Windows does even for
 * root: a read-only file cannot be opened for writing, truncated, deleted or
 * replaced. Usable from C and C++. */
#ifndef VARDO_WIN_FILEAPI_H
#define VARDO_WIN_FILEAPI_H

#include "types.h"

#define HFILE_ERROR ((HFILE)-1)

/* _lopen access and share flags. */
#define OF_READ 0x0000
#define OF_WRITE 0x0001
#define OF_READWRITE 0x0002
#define OF_SHARE_COMPAT 0x0000
#define OF_SHARE_EXCLUSIVE 0x0010
#define OF_SHARE_DENY_WRITE 0x0020
#define OF_SHARE_DENY_READ 0x0030
#define OF_SHARE_DENY_NONE 0x0040

/* _llseek origins. */
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2

#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080

#define MOVEFILE_REPLACE_EXISTING 0x00000001
#define MOVEFILE_WRITE_THROUGH 0x00000008

typedef const CHAR *LPCCH;

typedef struct _SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *PSECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

/* 100-nanosecond intervals since 1 January 1601 (UTC). */
typedef struct _FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
} FILETIME, *PFILETIME, *LPFILETIME;

typedef struct _BY_HANDLE_FILE_INFORMATION {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD dwVolumeSerialNumber;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD nNumberOfLinks;
  DWORD nFileIndexHigh;
  DWORD nFileIndexLow;
} BY_HANDLE_FILE_INFORMATION, *LPBY_HANDLE_FILE_INFORMATION;

VPLAT_EXTERN_C_BEGIN

/* Opens an existing file. iReadWrite is OF_READ, OF_WRITE or OF_READWRITE,
 * optionally ORed with one OF_SHARE_* flag. Returns a handle positioned at
 * the start, to be closed with _lclose; HFILE_ERROR on failure (a missing
 * file, a directory, write access to a read-only file, a bad flag). */
VPLAT_API HFILE WINAPI _lopen(LPCSTR lpPathName, int iReadWrite);

/* Creates a file, or truncates an existing one to zero length, and opens it
 * for reading and writing. iAttribute 0 is a normal file, 1 read-only (the
 * handle still writes); the hidden and system bits are accepted and ignored.
 * Returns HFILE_ERROR on failure (missing folder, existing read-only file,
 * full disk). */
VPLAT_API HFILE WINAPI _lcreat(LPCSTR lpPathName, int iAttribute);

/* Moves the file pointer by lOffset from iOrigin (FILE_BEGIN, FILE_CURRENT,
 * FILE_END). Returns the new position, or HFILE_ERROR: ERROR_NEGATIVE_SEEK
 * before the start, ERROR_INVALID_PARAMETER for a bad origin or a position
 * that does not fit a LONG, ERROR_SEEK_ON_DEVICE on a pipe,
 * ERROR_INVALID_HANDLE. Seeking past the end is
 * allowed; a later write fills the gap with zeros. */
VPLAT_API LONG WINAPI _llseek(HFILE hFile, LONG lOffset, int iOrigin);

/* Reads up to uBytes into lpBuffer from the file pointer. Returns the bytes
 * read (fewer only at the end of the file), or (UINT)HFILE_ERROR. */
VPLAT_API UINT WINAPI _lread(HFILE hFile, LPVOID lpBuffer, UINT uBytes);

/* Writes uBytes from lpBuffer at the file pointer. Returns the bytes written
 * or (UINT)HFILE_ERROR (ERROR_DISK_FULL when the disk fills up part-way: the
 * bytes that fitted stay written). uBytes 0 writes nothing and sets the end
 * of the file at the file pointer, truncating or extending it. */
VPLAT_API UINT WINAPI _lwrite(HFILE hFile, LPCCH lpBuffer, UINT uBytes);

/* Closes a handle from _lopen or _lcreat. Returns 0, or HFILE_ERROR with
 * ERROR_INVALID_HANDLE for a handle that is not open. */
VPLAT_API HFILE WINAPI _lclose(HFILE hFile);

/* Deletes a file. Fails (FALSE) on a missing file, a directory or a
 * read-only file (ERROR_ACCESS_DENIED). */
VPLAT_API BOOL WINAPI DeleteFileA(LPCSTR lpFileName);

/* Copies a file's bytes and read-only attribute to lpNewFileName. When the
 * target exists it is overwritten, unless bFailIfExists (ERROR_FILE_EXISTS)
 * or it is read-only (ERROR_ACCESS_DENIED). A copy that fails part-way
 * removes the partial target. Copying a file onto itself fails with
 * ERROR_SHARING_VIOLATION. */
VPLAT_API BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName,
                                BOOL bFailIfExists);

/* Renames a file or directory. With MOVEFILE_REPLACE_EXISTING an existing
 * target file is replaced atomically (readers see the old or the new file,
 * never a mix), so "write a temporary file beside the target, then move it
 * over" never leaves a half-written target. Without it an existing target
 * fails with ERROR_ALREADY_EXISTS. MOVEFILE_WRITE_THROUGH returns only once
 * the file's data and the rename are on disk. A read-only target or a
 * directory target is ERROR_ACCESS_DENIED; moving to another file system is
 * ERROR_NOT_SAME_DEVICE; other flags are ERROR_INVALID_PARAMETER. */
VPLAT_API BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags);

/* Not a Windows call: this platform's one way of saving a file whole (on
 * Windows the same takes GetTempFileNameA, WriteFile, FlushFileBuffers and
 * ReplaceFileA). Makes the nBytes at lpBuffer the whole content of
 * lpFileName: written to a new file of its own beside it, synced, given the
 * old file's owner and mode, and moved over it in one step, so that readers
 * see the old file or the new one and a failure leaves the old file as it
 * was, with nothing left beside it. A symbolic link is saved through into the
 * file it names. Returns TRUE, or FALSE with the last error set: a read-only
 * file or a directory is ERROR_ACCESS_DENIED, a missing folder
 * ERROR_PATH_NOT_FOUND, a full disk ERROR_DISK_FULL. See
 * <vplatform/savefile.h>. */
VPLAT_API BOOL WINAPI SaveWholeFileA(LPCSTR lpFileName, LPCVOID lpBuffer, SIZE_T nBytes);

/* Creates one directory; its parent must exist (ERROR_PATH_NOT_FOUND).
 * Anything already at the path gives ERROR_ALREADY_EXISTS. The security
 * attributes are ignored. */
VPLAT_API BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName,
                                       LPSECURITY_ATTRIBUTES lpSecurityAttributes);

/* FILE_ATTRIBUTE_DIRECTORY for a directory; for a file
 * FILE_ATTRIBUTE_READONLY when it is read-only, else FILE_ATTRIBUTE_NORMAL.
 * INVALID_FILE_ATTRIBUTES when nothing is there. */
VPLAT_API DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName);

/* What is known of an open file; hFile is a handle from _lopen or _lcreat,
 * cast as on Windows ((HANDLE)(INT_PTR)hfile). The volume serial number and
 * the file index together name the file (the Linux device and inode
 * number), so a file replaced under the same name has another index. The
 * creation time is the last status change, the nearest time Linux keeps;
 * attributes are those of GetFileAttributesA. Returns FALSE with
 * ERROR_INVALID_HANDLE for a handle that is not open. */
VPLAT_API BOOL WINAPI GetFileInformationByHandle(HANDLE hFile,
                                                 LPBY_HANDLE_FILE_INFORMATION lpFileInformation);

/* The current date and time (UTC) as file times measure it: the real
 * clock, not the virtual one of GetTickCount, since file times are real. */
VPLAT_API VOID WINAPI GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime);

VPLAT_EXTERN_C_END

#endif
