/* Resources carried by a module: lookup by type, name and language, and
 * string-table access.
 *
 * A module handle (HMODULE / HINSTANCE) is the address at which the module's
 * file is mapped, as dladdr reports it in dli_fbase. NULL stands for the
 * program itself. Resource data lives in the module image and stays valid
 * while the module is loaded; nothing here allocates, so nothing needs
 * freeing. See docs/resources.md for how the data is stored. */
#ifndef VARDO_WIN_RESOURCES_H
#define VARDO_WIN_RESOURCES_H

#include "types.h"

/* Integer resource names and types travel in the pointer argument: a value
 * whose upper bits are all zero is an id, anything else a string. */
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)
#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCEW(i) ((LPWSTR)((ULONG_PTR)((WORD)(i))))
#ifdef UNICODE
#define MAKEINTRESOURCE MAKEINTRESOURCEW
#else
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#endif

#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_FONTDIR MAKEINTRESOURCE(7)
#define RT_FONT MAKEINTRESOURCE(8)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_MESSAGETABLE MAKEINTRESOURCE(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)
#define RT_VERSION MAKEINTRESOURCE(16)
#define RT_HTML MAKEINTRESOURCE(23)
#define RT_MANIFEST MAKEINTRESOURCE(24)

#define CREATEPROCESS_MANIFEST_RESOURCE_ID 1
#define ISOLATIONAWARE_MANIFEST_RESOURCE_ID 2

/* Language ids: primary language in the low 10 bits, sub-language above. */
#define MAKELANGID(p, s) ((WORD)((((WORD)(s)) << 10) | (WORD)(p)))
#define PRIMARYLANGID(lgid) ((WORD)(lgid)&0x3ff)
#define SUBLANGID(lgid) ((WORD)(lgid) >> 10)

#define LANG_NEUTRAL 0x00
#define LANG_INVARIANT 0x7f
#define LANG_ENGLISH 0x09
#define LANG_JAPANESE 0x11
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_SYS_DEFAULT 0x02
#define SUBLANG_ENGLISH_US 0x01
#define SUBLANG_JAPANESE_JAPAN 0x01

#ifndef ERROR_RESOURCE_LANG_NOT_FOUND
#define ERROR_RESOURCE_LANG_NOT_FOUND 1815L
#endif

VPLAT_EXTERN_C_BEGIN

/* Finds a resource by name and type in a module (NULL: the program).
 * Name and type are each an integer id (MAKEINTRESOURCE), a string compared
 * without regard to ASCII case, or "#<decimal>" for an id. Of the languages
 * present, neutral is preferred, then Japanese, then US English, then the
 * lowest language id. Returns NULL on failure with the last error set:
 * ERROR_INVALID_HANDLE when the handle is no loaded module,
 * ERROR_RESOURCE_DATA_NOT_FOUND when the module carries no resources,
 * ERROR_RESOURCE_TYPE_NOT_FOUND or ERROR_RESOURCE_NAME_NOT_FOUND. The
 * handle stays valid while the module is loaded; it is not freed. */
VPLAT_API HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
VPLAT_API HRSRC WINAPI FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType);

/* As FindResource, but for exactly the language wLanguage (a language of 0,
 * neutral, chooses as FindResource does). Note the argument order: type
 * before name. A resource present in other languages only fails with
 * ERROR_RESOURCE_LANG_NOT_FOUND. */
VPLAT_API HRSRC WINAPI FindResourceExA(HMODULE hModule, LPCSTR lpType, LPCSTR lpName,
                                       WORD wLanguage);
VPLAT_API HRSRC WINAPI FindResourceExW(HMODULE hModule, LPCWSTR lpType, LPCWSTR lpName,
                                       WORD wLanguage);

/* The resource's data as a handle (here simply its address in the module
 * image). NULL with ERROR_INVALID_HANDLE when hResInfo is NULL or not a
 * handle FindResource gave for hModule. */
VPLAT_API HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);

/* The address of the data, read-only; NULL for a NULL handle. */
VPLAT_API LPVOID WINAPI LockResource(HGLOBAL hResData);

/* The data's size in bytes; 0 with the last error set as LoadResource does. */
VPLAT_API DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);

/* Obsolete on 32-bit Windows and later; always FALSE, nothing to free. */
VPLAT_API BOOL WINAPI FreeResource(HGLOBAL hResData);

/* String uID of the module's string table (block uID / 16 + 1, entry
 * uID % 16, language chosen as FindResource does).
 * LoadStringW: with cchBufferMax > 0 copies at most cchBufferMax - 1 UTF-16
 * units and a terminator into lpBuffer and returns the units copied. With
 * cchBufferMax 0, lpBuffer is taken as an LPWSTR* and receives a read-only
 * pointer to the string in the module image (not terminated); the result is
 * the string's full length.
 * LoadStringA: converts to the ANSI code page; copies at most
 * cchBufferMax - 1 bytes, never a partial character, and a terminator;
 * returns the bytes copied (cchBufferMax 0 copies nothing and returns 0).
 * Both return 0 for an empty or absent string; when the string's block is
 * absent the last error is as FindResource sets it. */
VPLAT_API int WINAPI LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax);
VPLAT_API int WINAPI LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax);

VPLAT_EXTERN_C_END

#ifdef UNICODE
#define FindResource FindResourceW
#define FindResourceEx FindResourceExW
#define LoadString LoadStringW
#else
#define FindResource FindResourceA
#define FindResourceEx FindResourceExA
#define LoadString LoadStringA
#endif

#endif
