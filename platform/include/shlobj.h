/* The shell's folder lookup: which folder is the user's Documents folder,
 * as an item list that the caller frees with the shell's allocator.
 *
 *   IMalloc *m;  LPITEMIDLIST pidl;  char path[MAX_PATH];
 *   if (SUCCEEDED(SHGetMalloc(&m))) {
 *     if (SUCCEEDED(SHGetSpecialFolderLocation(NULL, CSIDL_PERSONAL, &pidl))) {
 *       if (SHGetPathFromIDListA(pidl, path)) { ... }
 *       m->Free(pidl);
 *     }
 *     m->Release();
 *   }
 *
 * The folder is the one the host names (vplat::SetDocumentsFolder in
 * <vplatform/shell.h>). When it names none, or the folder is not there, the
 * lookup fails: callers must cope with having no Documents folder. Usable
 * from C and C++. */
#ifndef VARDO_SHLOBJ_H
#define VARDO_SHLOBJ_H

#include "windows.h"
#include "win/com.h"

#define CSIDL_PERSONAL 0x0005
#define CSIDL_MYDOCUMENTS CSIDL_PERSONAL

#pragma pack(push, 1)
typedef struct _SHITEMID {
  USHORT cb; /* size of this item, cb included; 0 ends the list */
  BYTE abID[1];
} SHITEMID;
typedef struct _ITEMIDLIST {
  SHITEMID mkid;
} ITEMIDLIST;
#pragma pack(pop)
typedef ITEMIDLIST *LPITEMIDLIST;
typedef const ITEMIDLIST *LPCITEMIDLIST;

/* The shell's task allocator. Alloc'd blocks are freed with Free; GetSize
 * and DidAlloc answer for the allocator's own blocks only. */
#ifdef __cplusplus
struct IMalloc : public IUnknown {
  virtual void *STDMETHODCALLTYPE Alloc(SIZE_T cb) = 0;
  virtual void *STDMETHODCALLTYPE Realloc(void *pv, SIZE_T cb) = 0;
  virtual void STDMETHODCALLTYPE Free(void *pv) = 0;
  virtual SIZE_T STDMETHODCALLTYPE GetSize(void *pv) = 0;
  virtual int STDMETHODCALLTYPE DidAlloc(void *pv) = 0;
  virtual void STDMETHODCALLTYPE HeapMinimize(void) = 0;
};
#else
typedef struct IMalloc IMalloc;
typedef struct IMallocVtbl {
  HRESULT(STDMETHODCALLTYPE *QueryInterface)(IMalloc *This, REFIID riid, void **ppvObject);
  ULONG(STDMETHODCALLTYPE *AddRef)(IMalloc *This);
  ULONG(STDMETHODCALLTYPE *Release)(IMalloc *This);
  void *(STDMETHODCALLTYPE *Alloc)(IMalloc *This, SIZE_T cb);
  void *(STDMETHODCALLTYPE *Realloc)(IMalloc *This, void *pv, SIZE_T cb);
  void(STDMETHODCALLTYPE *Free)(IMalloc *This, void *pv);
  SIZE_T(STDMETHODCALLTYPE *GetSize)(IMalloc *This, void *pv);
  int(STDMETHODCALLTYPE *DidAlloc)(IMalloc *This, void *pv);
  void(STDMETHODCALLTYPE *HeapMinimize)(IMalloc *This);
} IMallocVtbl;
struct IMalloc {
  const IMallocVtbl *lpVtbl;
};
#endif
typedef IMalloc *LPMALLOC;

VPLAT_EXTERN_C_BEGIN

/* {00000002-0000-0000-C000-000000000046} */
VPLAT_API extern const IID IID_IMalloc;

/* Stores the shell's allocator, with a reference the caller releases, in
 * *ppMalloc and returns S_OK; E_INVALIDARG for a null ppMalloc. */
VPLAT_API HRESULT WINAPI SHGetMalloc(LPMALLOC *ppMalloc);

/* For CSIDL_PERSONAL stores a new item list naming the Documents folder in
 * *ppidl and returns S_OK; the caller frees it with the shell allocator's
 * Free. On failure stores NULL and returns E_FAIL when there is no Documents
 * folder (none named, not a directory, or a path the ANSI code page cannot
 * carry) or for any other known folder, E_INVALIDARG for a null ppidl or an
 * unknown folder number, E_OUTOFMEMORY. hwnd is ignored. */
VPLAT_API HRESULT WINAPI SHGetSpecialFolderLocation(HWND hwnd, int csidl, LPITEMIDLIST *ppidl);

/* Writes the folder an item list from SHGetSpecialFolderLocation names, as a
 * Windows path in the ANSI code page ("Z:\home\me\Documents"), into pszPath,
 * which holds MAX_PATH bytes. Returns FALSE, with pszPath empty, for a null
 * or foreign item list. */
VPLAT_API BOOL WINAPI SHGetPathFromIDListA(LPCITEMIDLIST pidl, LPSTR pszPath);

VPLAT_EXTERN_C_END

#endif
