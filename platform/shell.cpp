// The shell's task allocator and its Documents-folder lookup.
//
// An item list here holds one item: a tag and the folder's Windows path in
// the ANSI code page, taken when the list was made, then the zero-length item
// that ends every list.
#include "sys.h"

#include <shlobj.h>
#include <vplatform/paths.h>
#include <vplatform/shell.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <unordered_map>

extern "C" const IID IID_IMalloc = {0x00000002, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

namespace {

// A process-wide allocator: releasing the last reference does not destroy
// it, so a caller that releases once too often does no harm.
class TaskAllocator final : public IMalloc {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IMalloc)) {
      AddRef();
      *ppv = this;
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return refs_ > 1 ? --refs_ : 1; }

  void *STDMETHODCALLTYPE Alloc(SIZE_T cb) override {
    void *p = std::malloc(cb ? cb : 1);
    if (p) blocks_[p] = cb;
    return p;
  }
  void *STDMETHODCALLTYPE Realloc(void *pv, SIZE_T cb) override {
    if (!pv) return Alloc(cb);
    auto it = blocks_.find(pv);
    if (it == blocks_.end()) return nullptr;
    if (cb == 0) {
      Free(pv);
      return nullptr;
    }
    void *p = std::realloc(pv, cb);
    if (!p) return nullptr;  // the old block stays valid
    blocks_.erase(it);
    blocks_[p] = cb;
    return p;
  }
  void STDMETHODCALLTYPE Free(void *pv) override {
    // Blocks from elsewhere are left alone rather than corrupting the heap.
    if (pv && blocks_.erase(pv)) std::free(pv);
  }
  SIZE_T STDMETHODCALLTYPE GetSize(void *pv) override {
    auto it = blocks_.find(pv);
    return it == blocks_.end() ? static_cast<SIZE_T>(-1) : it->second;
  }
  int STDMETHODCALLTYPE DidAlloc(void *pv) override {
    if (!pv) return -1;
    return blocks_.count(pv) ? 1 : 0;
  }
  void STDMETHODCALLTYPE HeapMinimize() override {}

 private:
  ULONG refs_ = 1;
  std::unordered_map<void *, SIZE_T> blocks_;
};

TaskAllocator &Allocator() {
  static TaskAllocator *allocator =
      new TaskAllocator;  // never destroyed: lists may outlive exit handlers
  return *allocator;
}

std::optional<std::string> documents;  // unset: the default under $HOME

constexpr BYTE kTag[4] = {'V', 'P', 'F', 'S'};
constexpr size_t kHeader = sizeof(USHORT) + sizeof kTag;

// The highest folder number Windows defines; numbers up to it are known
// folders this shell does not have.
constexpr int kLastKnownFolder = 0x3D;

}  // namespace

namespace vplat {

void SetDocumentsFolder(std::string linuxDir) { documents = std::move(linuxDir); }

void ResetDocumentsFolder() { documents.reset(); }

std::string DocumentsFolder() {
  if (documents) return *documents;
  const char *home = std::getenv("HOME");
  if (!home || !*home) return {};
  std::string dir = home;
  if (dir.back() != '/') dir += '/';
  return dir + "Documents";
}

}  // namespace vplat

extern "C" {

HRESULT WINAPI SHGetMalloc(LPMALLOC *ppMalloc) {
  if (!ppMalloc) return E_INVALIDARG;
  Allocator().AddRef();
  *ppMalloc = &Allocator();
  return S_OK;
}

HRESULT WINAPI SHGetSpecialFolderLocation(HWND, int csidl, LPITEMIDLIST *ppidl) {
  if (!ppidl) return E_INVALIDARG;
  *ppidl = nullptr;
  if (csidl < 0 || csidl > kLastKnownFolder) return E_INVALIDARG;
  if (csidl != CSIDL_PERSONAL) return E_FAIL;

  const std::string folder = vplat::DocumentsFolder();
  struct stat st;
  if (folder.empty() || vplat::sys::Stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
    return E_FAIL;
  std::string path;
  if (!vplat::WindowsPathFromLinux(folder, path) || path.size() >= MAX_PATH) return E_FAIL;

  const size_t itemSize = kHeader + path.size() + 1;
  auto *p = static_cast<BYTE *>(Allocator().Alloc(itemSize + sizeof(USHORT)));
  if (!p) return E_OUTOFMEMORY;
  const USHORT cb = static_cast<USHORT>(itemSize);
  std::memcpy(p, &cb, sizeof cb);
  std::memcpy(p + sizeof cb, kTag, sizeof kTag);
  std::memcpy(p + kHeader, path.c_str(), path.size() + 1);
  std::memset(p + itemSize, 0, sizeof(USHORT));
  *ppidl = reinterpret_cast<LPITEMIDLIST>(p);
  return S_OK;
}

BOOL WINAPI SHGetPathFromIDListA(LPCITEMIDLIST pidl, LPSTR pszPath) {
  if (!pszPath) return FALSE;
  pszPath[0] = '\0';
  if (!pidl) return FALSE;
  const auto *p = reinterpret_cast<const BYTE *>(pidl);
  USHORT cb;
  std::memcpy(&cb, p, sizeof cb);
  if (cb <= kHeader || std::memcmp(p + sizeof cb, kTag, sizeof kTag) != 0) return FALSE;
  const size_t len = cb - kHeader - 1;  // the stored path and its NUL fill the item
  if (len >= MAX_PATH || p[kHeader + len] != '\0') return FALSE;
  std::memcpy(pszPath, p + kHeader, len + 1);
  return TRUE;
}

}  // extern "C"
