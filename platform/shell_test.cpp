#include "scratchdir.h"

#include <shlobj.h>
#include <vplatform/shell.h>

#include <cstring>

namespace {

class Shell : public ScratchDir {
 protected:
  void TearDown() override {
    vplat::ResetDocumentsFolder();
    ScratchDir::TearDown();
  }
};

// What a plug-in does: look the folder up, read its path, free the list.
// Returns the HRESULT of the lookup and the path (empty when none).
HRESULT LookUpDocuments(std::string &path) {
  path.clear();
  IMalloc *malloc = nullptr;
  EXPECT_EQ(SHGetMalloc(&malloc), S_OK);
  LPITEMIDLIST pidl = reinterpret_cast<LPITEMIDLIST>(&malloc);  // must be overwritten
  const HRESULT hr = SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &pidl);
  if (SUCCEEDED(hr)) {
    EXPECT_EQ(malloc->DidAlloc(pidl), 1);
    char buf[MAX_PATH];
    std::memset(buf, 'x', sizeof buf);
    EXPECT_TRUE(SHGetPathFromIDListA(pidl, buf));
    path = buf;
    malloc->Free(pidl);
    EXPECT_EQ(malloc->DidAlloc(pidl), 0);
  } else {
    EXPECT_EQ(pidl, nullptr);
  }
  malloc->Release();
  return hr;
}

TEST_F(Shell, DocumentsFolderComesBackAsAnAnsiPath) {
  const struct {
    const char *linuxName;
    const char *windowsPath;
  } cases[] = {
      {"Documents", "T:\\Documents"},
      {"\xE6\x9B\xB8\xE9\xA1\x9E", "T:\\\x8F\x91\x97\xDE"},  // 書類, in Shift-JIS
  };
  for (const auto &c : cases) {
    std::filesystem::create_directory(Linux(c.linuxName));
    vplat::SetDocumentsFolder(Linux(c.linuxName));
    std::string path;
    EXPECT_EQ(LookUpDocuments(path), S_OK) << c.linuxName;
    EXPECT_EQ(path, c.windowsPath);
    // The path is one the file calls take.
    EXPECT_TRUE(CreateDirectoryA((path + "\\Adobe").c_str(), nullptr)) << c.linuxName;
    EXPECT_TRUE(std::filesystem::is_directory(Linux(std::string(c.linuxName) + "/Adobe")));
  }
}

TEST_F(Shell, ItemListIsOneItemThenTheEnd) {
  std::filesystem::create_directory(Linux("Documents"));
  vplat::SetDocumentsFolder(Linux("Documents"));
  LPITEMIDLIST pidl = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &pidl), S_OK);
  const auto *bytes = reinterpret_cast<const BYTE *>(pidl);
  USHORT first, next;
  std::memcpy(&first, bytes, sizeof first);
  ASSERT_GT(first, 2);
  std::memcpy(&next, bytes + first, sizeof next);
  EXPECT_EQ(next, 0);
  IMalloc *malloc = nullptr;
  ASSERT_EQ(SHGetMalloc(&malloc), S_OK);
  EXPECT_EQ(malloc->GetSize(pidl), static_cast<SIZE_T>(first) + 2);
  malloc->Free(pidl);
  malloc->Release();
}

TEST_F(Shell, NoDocumentsFolderMeansTheLookupFails) {
  Put("file", "not a folder");
  std::filesystem::create_directory(Linux("Dokument\xC3\xA9"));
  std::string deep = root_;
  while (deep.size() - root_.size() <
         MAX_PATH) {  // the Windows path is "T:" and what follows root_
    deep += "/" + std::string(40, 'd');
    std::filesystem::create_directory(deep);
  }
  const struct {
    std::string folder;
    const char *why;
  } cases[] = {
      {"", "the host names none"},
      {Linux("missing"), "not there"},
      {Linux("file"), "not a directory"},
      {Linux("Dokument\xC3\xA9"), "a name the ANSI code page cannot carry"},
      {deep, "longer than MAX_PATH"},
  };
  for (const auto &c : cases) {
    vplat::SetDocumentsFolder(c.folder);
    std::string path = "unchanged";
    EXPECT_EQ(LookUpDocuments(path), E_FAIL) << c.why;
    EXPECT_EQ(path, "") << c.why;
  }
}

TEST_F(Shell, DefaultIsDocumentsUnderHome) {
  const char *saved = std::getenv("HOME");
  const std::string savedHome = saved ? saved : "";
  std::filesystem::create_directory(Linux("Documents"));
  setenv("HOME", root_.c_str(), 1);
  std::string path;
  EXPECT_EQ(LookUpDocuments(path), S_OK);
  EXPECT_EQ(path, "T:\\Documents");
  unsetenv("HOME");
  EXPECT_EQ(LookUpDocuments(path), E_FAIL);
  if (saved) setenv("HOME", savedHome.c_str(), 1);
}

TEST_F(Shell, OtherFoldersAndBadArguments) {
  std::filesystem::create_directory(Linux("Documents"));
  vplat::SetDocumentsFolder(Linux("Documents"));
  LPITEMIDLIST pidl = nullptr;
  EXPECT_EQ(SHGetSpecialFolderLocation(nullptr, 0x001A /* application data */, &pidl), E_FAIL);
  EXPECT_EQ(pidl, nullptr);
  EXPECT_EQ(SHGetSpecialFolderLocation(nullptr, 0x1234, &pidl), E_INVALIDARG);
  EXPECT_EQ(SHGetSpecialFolderLocation(nullptr, -1, &pidl), E_INVALIDARG);
  EXPECT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, nullptr), E_INVALIDARG);
  EXPECT_EQ(SHGetMalloc(nullptr), E_INVALIDARG);

  char buf[MAX_PATH] = "x";
  EXPECT_FALSE(SHGetPathFromIDListA(nullptr, buf));
  EXPECT_STREQ(buf, "");
  const BYTE foreign[] = {6, 0, 'a', 'b', 'c', 0, 0, 0};
  std::strcpy(buf, "x");
  EXPECT_FALSE(SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(foreign), buf));
  EXPECT_STREQ(buf, "");
}

TEST(ShellAllocator, AllocatesTracksAndAnswersForItsOwnBlocks) {
  IMalloc *m = nullptr;
  ASSERT_EQ(SHGetMalloc(&m), S_OK);
  auto *p = static_cast<char *>(m->Alloc(10));
  ASSERT_NE(p, nullptr);
  std::memcpy(p, "0123456789", 10);
  EXPECT_EQ(m->GetSize(p), 10u);
  p = static_cast<char *>(m->Realloc(p, 1000));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(std::string(p, 10), "0123456789");
  EXPECT_EQ(m->GetSize(p), 1000u);

  int local = 0;
  EXPECT_EQ(m->DidAlloc(&local), 0);
  EXPECT_EQ(m->GetSize(&local), static_cast<SIZE_T>(-1));
  m->Free(&local);  // not ours: left alone
  EXPECT_EQ(m->DidAlloc(p), 1);
  m->Free(p);
  EXPECT_EQ(m->DidAlloc(p), 0);
  m->Free(nullptr);

  void *q = nullptr;
  EXPECT_EQ(m->QueryInterface(IID_IMalloc, &q), S_OK);
  EXPECT_EQ(q, static_cast<void *>(m));
  static_cast<IMalloc *>(q)->Release();
  const IID other = {0x12345678, 0, 0, {0, 0, 0, 0, 0, 0, 0, 1}};
  q = &local;
  EXPECT_EQ(m->QueryInterface(other, &q), E_NOINTERFACE);
  EXPECT_EQ(q, nullptr);
  m->Release();
}

}  // namespace
