/* The little of COM that the shell calls need: result codes, GUIDs and the
 * IUnknown layout. Interfaces are C++ classes with pure virtual methods and,
 * in C, structs holding a pointer to a table of function pointers taking the
 * object first; both have the same layout. Usable from C and C++. */
#ifndef VARDO_WIN_COM_H
#define VARDO_WIN_COM_H

#include "types.h"

#include <string.h>

#define STDMETHODCALLTYPE

#ifndef S_OK
#define S_OK ((HRESULT)0L)
#endif
#ifndef S_FALSE
#define S_FALSE ((HRESULT)1L)
#endif
#ifndef E_NOTIMPL
#define E_NOTIMPL ((HRESULT)0x80004001L)
#endif
#ifndef E_NOINTERFACE
#define E_NOINTERFACE ((HRESULT)0x80004002L)
#endif
#ifndef E_POINTER
#define E_POINTER ((HRESULT)0x80004003L)
#endif
#ifndef E_FAIL
#define E_FAIL ((HRESULT)0x80004005L)
#endif
#ifndef E_OUTOFMEMORY
#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#endif
#ifndef E_INVALIDARG
#define E_INVALIDARG ((HRESULT)0x80070057L)
#endif
#ifndef SUCCEEDED
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#endif
#ifndef FAILED
#define FAILED(hr) (((HRESULT)(hr)) < 0)
#endif

#ifndef GUID_DEFINED
#define GUID_DEFINED
typedef struct _GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
} GUID;
typedef GUID IID;
#ifdef __cplusplus
#define REFIID const IID &
#define REFGUID const GUID &
#define IsEqualGUID(a, b) (memcmp(&(a), &(b), sizeof(GUID)) == 0)
#else
#define REFIID const IID *
#define REFGUID const GUID *
#define IsEqualGUID(a, b) (memcmp((a), (b), sizeof(GUID)) == 0)
#endif
#define IsEqualIID(a, b) IsEqualGUID(a, b)
#endif

#ifdef __cplusplus
struct IUnknown {
  virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **ppvObject) = 0;
  virtual ULONG STDMETHODCALLTYPE AddRef(void) = 0;
  virtual ULONG STDMETHODCALLTYPE Release(void) = 0;
};
#else
typedef struct IUnknown IUnknown;
typedef struct IUnknownVtbl {
  HRESULT(STDMETHODCALLTYPE *QueryInterface)(IUnknown *This, REFIID riid, void **ppvObject);
  ULONG(STDMETHODCALLTYPE *AddRef)(IUnknown *This);
  ULONG(STDMETHODCALLTYPE *Release)(IUnknown *This);
} IUnknownVtbl;
struct IUnknown {
  const IUnknownVtbl *lpVtbl;
};
#endif
typedef IUnknown *LPUNKNOWN;

VPLAT_EXTERN_C_BEGIN
/* {00000000-0000-0000-C000-000000000046} */
VPLAT_API extern const IID IID_IUnknown;
VPLAT_EXTERN_C_END

#endif
