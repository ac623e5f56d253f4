/* Common dialogs: the open-file and save-file dialogs.
 *
 * Nobody sits in front of a headless screen, so the dialogs are answered by
 * the automation handler registered with vplat::dialogs::OnFileDialog
 * (vplatform/dialogs.h). Record layout and constants are those of 64-bit
 * Windows. */
#ifndef VARDO_COMMDLG_H
#define VARDO_COMMDLG_H

#include "windows.h"

typedef UINT_PTR(CALLBACK *LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagOFNA {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCSTR lpstrFilter;
  LPSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;
  LPSTR lpstrFile;
  DWORD nMaxFile;
  LPSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCSTR lpstrInitialDir;
  LPCSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  LPCSTR lpstrDefExt;
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;
  LPCSTR lpTemplateName;
  void *pvReserved;
  DWORD dwReserved;
  DWORD FlagsEx;
} OPENFILENAMEA, *LPOPENFILENAMEA;

typedef struct tagOFNW {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCWSTR lpstrFilter;
  LPWSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;
  LPWSTR lpstrFile;
  DWORD nMaxFile;
  LPWSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCWSTR lpstrInitialDir;
  LPCWSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  LPCWSTR lpstrDefExt;
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;
  LPCWSTR lpTemplateName;
  void *pvReserved;
  DWORD dwReserved;
  DWORD FlagsEx;
} OPENFILENAMEW, *LPOPENFILENAMEW;

/* The record as it was before the last three fields were added; accepted
 * as lStructSize as well. */
#define OPENFILENAME_SIZE_VERSION_400A (offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR))
#define OPENFILENAME_SIZE_VERSION_400W (offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR))

#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_SHOWHELP 0x00000010
#define OFN_ENABLEHOOK 0x00000020
#define OFN_ENABLETEMPLATE 0x00000040
#define OFN_ENABLETEMPLATEHANDLE 0x00000080
#define OFN_NOVALIDATE 0x00000100
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_EXTENSIONDIFFERENT 0x00000400
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_CREATEPROMPT 0x00002000
#define OFN_SHAREAWARE 0x00004000
#define OFN_NOREADONLYRETURN 0x00008000
#define OFN_NOTESTFILECREATE 0x00010000
#define OFN_NONETWORKBUTTON 0x00020000
#define OFN_NOLONGNAMES 0x00040000
#define OFN_EXPLORER 0x00080000
#define OFN_NODEREFERENCELINKS 0x00100000
#define OFN_LONGNAMES 0x00200000
#define OFN_ENABLEINCLUDENOTIFY 0x00400000
#define OFN_ENABLESIZING 0x00800000
#define OFN_DONTADDTORECENT 0x02000000
#define OFN_FORCESHOWHIDDEN 0x10000000
#define OFN_EX_NOPLACESBAR 0x00000001

/* CommDlgExtendedError codes. */
#define CDERR_DIALOGFAILURE 0xFFFF
#define CDERR_GENERALCODES 0x0000
#define CDERR_STRUCTSIZE 0x0001
#define CDERR_INITIALIZATION 0x0002
#define CDERR_NOTEMPLATE 0x0003
#define CDERR_NOHINSTANCE 0x0004
#define CDERR_LOADSTRFAILURE 0x0005
#define CDERR_FINDRESFAILURE 0x0006
#define CDERR_LOADRESFAILURE 0x0007
#define CDERR_LOCKRESFAILURE 0x0008
#define CDERR_MEMALLOCFAILURE 0x0009
#define CDERR_MEMLOCKFAILURE 0x000A
#define CDERR_NOHOOK 0x000B
#define CDERR_REGISTERMSGFAIL 0x000C
#define FNERR_FILENAMECODES 0x3000
#define FNERR_SUBCLASSFAILURE 0x3001
#define FNERR_INVALIDFILENAME 0x3002
#define FNERR_BUFFERTOOSMALL 0x3003

VPLAT_EXTERN_C_BEGIN

/* Asks the automation file-dialog handler for a file, with the filters,
 * filter index, title, initial folder and flags of *lpofn; the owner window
 * is disabled meanwhile. On an answer: TRUE, with the full Windows path in
 * lpstrFile, its name in lpstrFileTitle (when given), nFileOffset,
 * nFileExtension and nFilterIndex set. FALSE with CommDlgExtendedError 0
 * when cancelled or when no handler is registered; FALSE with
 * FNERR_BUFFERTOOSMALL when the path does not fit nMaxFile (the first two
 * bytes of lpstrFile then hold the size needed); FALSE with
 * CDERR_STRUCTSIZE or CDERR_INITIALIZATION for a bad record. With
 * OFN_FILEMUSTEXIST (or OFN_PATHMUSTEXIST) an answer naming a file (or
 * folder) that does not exist is refused and the handler asked again, as
 * the real dialog keeps itself open after its warning. */
VPLAT_API BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA lpofn);
VPLAT_API BOOL WINAPI GetOpenFileNameW(LPOPENFILENAMEW lpofn);
/* The same for saving; OFN_FILEMUSTEXIST does not apply, lpstrDefExt is
 * appended to a name without extension, and OFN_OVERWRITEPROMPT counts as
 * confirmed by the handler's answer. */
VPLAT_API BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA lpofn);
VPLAT_API BOOL WINAPI GetSaveFileNameW(LPOPENFILENAMEW lpofn);

/* Error code of the last common dialog call of the thread, 0 after success
 * or cancellation. */
VPLAT_API DWORD WINAPI CommDlgExtendedError(void);

VPLAT_EXTERN_C_END

#ifdef UNICODE
#define OPENFILENAME OPENFILENAMEW
#define LPOPENFILENAME LPOPENFILENAMEW
#define GetOpenFileName GetOpenFileNameW
#define GetSaveFileName GetSaveFileNameW
#else
#define OPENFILENAME OPENFILENAMEA
#define LPOPENFILENAME LPOPENFILENAMEA
#define GetOpenFileName GetOpenFileNameA
#define GetSaveFileName GetSaveFileNameA
#endif

#endif
