#include <dlfcn.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <windows.h>

#include "vplatform/codepage.h"
#include "vplatform/modules.h"

namespace {

// The test module carries platform/testdata/rsrcmodule.rc.
class ModuleResources : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dl = dlopen(VARDO_RSRC_TEST_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(dl, nullptr) << dlerror();
    module = vplat::ModuleHandleFromDlopen(dl);
  }
  static void TearDownTestSuite() {
    if (dl != nullptr) dlclose(dl);
    dl = nullptr;
  }

  static std::vector<std::uint8_t> Bytes(HRSRC found) {
    const DWORD size = SizeofResource(module, found);
    const auto *data = static_cast<const std::uint8_t *>(LockResource(LoadResource(module, found)));
    if (data == nullptr) return {};
    return {data, data + size};
  }

  // The caption of a DLGTEMPLATEEX: after 26 bytes of header and the empty
  // menu and class fields.
  static std::u16string Caption(HRSRC dialog) {
    const std::vector<std::uint8_t> b = Bytes(dialog);
    std::u16string s;
    for (std::size_t at = 30; at + 1 < b.size(); at += 2) {
      const char16_t c = static_cast<char16_t>(b[at] | (b[at + 1] << 8));
      if (c == 0) break;
      s.push_back(c);
    }
    return s;
  }

  static inline void *dl = nullptr;
  static inline HMODULE module = nullptr;
};

TEST_F(ModuleResources, HandleIsTheModulesLoadAddress) {
  ASSERT_NE(module, nullptr);
  void *marker = dlsym(dl, "VardoRsrcTestMarker");
  ASSERT_NE(marker, nullptr);
  Dl_info info;
  ASSERT_NE(dladdr(marker, &info), 0);
  EXPECT_EQ(module, static_cast<HMODULE>(info.dli_fbase));
  EXPECT_EQ(vplat::ModuleHandleFromAddress(marker), module);
  EXPECT_EQ(vplat::ModuleHandleFromAddress(nullptr), nullptr);

  char expected[PATH_MAX];
  ASSERT_NE(realpath(VARDO_RSRC_TEST_MODULE, expected), nullptr);
  char actual[PATH_MAX];
  ASSERT_NE(realpath(vplat::ModuleFilePath(module).c_str(), actual), nullptr);
  EXPECT_STREQ(actual, expected);
  const std::string program = vplat::ModuleFilePath(nullptr);
  EXPECT_EQ(program.substr(program.rfind('/') + 1), "platform_tests");
  int local = 0;
  EXPECT_EQ(vplat::ModuleFilePath(reinterpret_cast<HMODULE>(&local)), "");
}

TEST_F(ModuleResources, FindsResourcesByIdNameAndType) {
  HRSRC pipl = FindResourceA(module, "PLUGIN", "PIPL");
  ASSERT_NE(pipl, nullptr);
  // Names and types compare without regard to case.
  EXPECT_EQ(FindResourceW(module, u"plugin", u"Pipl"), pipl);
  EXPECT_EQ(FindResourceExA(module, "PIPL", "PLUGIN", MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)),
            pipl);
  const std::vector<std::uint8_t> piplBytes = {0,   0,   0,   1,   0,   0,   0,   0,   0, 0, 0, 1,
                                               'A', 'D', 'B', 'E', 'p', 'i', 'n', 'm', 0, 0, 0, 0,
                                               0,   0,   0,   8,   'T', 'e', 's', 't', 0, 0, 0, 0};
  EXPECT_EQ(Bytes(pipl), piplBytes);

  HRSRC hello = FindResourceA(module, "hello", MAKEINTRESOURCEA(10));
  ASSERT_NE(hello, nullptr);
  EXPECT_EQ(Bytes(hello), (std::vector<std::uint8_t>{1, 2, 3, 5, 4, 0xFF, 0xFF, 0xFF, 0xFF, 6, 7}));

  // "#7" names the integer id 7, here a resource made from a file.
  HRSRC seven = FindResourceA(module, "#7", RT_RCDATA);
  ASSERT_NE(seven, nullptr);
  EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(7), MAKEINTRESOURCEW(10)), seven);
  std::ifstream file(VARDO_SOURCE_DIR "/platform/testdata/rsrcmodule.cpp", std::ios::binary);
  EXPECT_EQ(Bytes(seven), std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file),
                                                    std::istreambuf_iterator<char>()));

  HRSRC block = FindResourceA(module, MAKEINTRESOURCEA(1), RT_STRING);
  ASSERT_NE(block, nullptr);
  EXPECT_GE(SizeofResource(module, block), 32u);  // at least the 16 lengths
  EXPECT_EQ(FreeResource(LoadResource(module, block)), FALSE);
}

TEST_F(ModuleResources, LanguageIsChosenOrMatchedExactly) {
  const WORD japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
  const WORD english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  EXPECT_EQ(Caption(FindResourceA(module, MAKEINTRESOURCEA(100), RT_DIALOG)), u"日本語");
  EXPECT_EQ(Caption(FindResourceExA(module, RT_DIALOG, MAKEINTRESOURCEA(100), japanese)),
            u"日本語");
  EXPECT_EQ(Caption(FindResourceExW(module, MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(100), english)),
            u"English");
  EXPECT_EQ(Caption(FindResourceExA(module, RT_DIALOG, MAKEINTRESOURCEA(100), 0)), u"日本語");
  // A resource in one language only is found without naming it.
  EXPECT_EQ(Caption(FindResourceA(module, MAKEINTRESOURCEA(101), RT_DIALOG)), u"English only");

  SetLastError(0);
  EXPECT_EQ(
      FindResourceExA(module, RT_DIALOG, MAKEINTRESOURCEA(100), MAKELANGID(0x07, SUBLANG_DEFAULT)),
      nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_LANG_NOT_FOUND));
}

TEST_F(ModuleResources, FailuresSetTheirError) {
  int local = 0;
  const HMODULE platformLibrary =
      vplat::ModuleHandleFromAddress(reinterpret_cast<const void *>(&FindResourceW));
  ASSERT_NE(platformLibrary, nullptr);
  struct Case {
    const char *what;
    HMODULE module;
    LPCSTR name;
    LPCSTR type;
    DWORD error;
  };
  const Case cases[] = {
      {"type absent", module, MAKEINTRESOURCEA(1), RT_MENU, ERROR_RESOURCE_TYPE_NOT_FOUND},
      {"id absent", module, MAKEINTRESOURCEA(999), RT_DIALOG, ERROR_RESOURCE_NAME_NOT_FOUND},
      {"name absent", module, "PLUGINS", "PIPL", ERROR_RESOURCE_NAME_NOT_FOUND},
      {"named type absent", module, "PLUGIN", "PIP", ERROR_RESOURCE_TYPE_NOT_FOUND},
      {"program without resources", nullptr, MAKEINTRESOURCEA(1), RT_DIALOG,
       ERROR_RESOURCE_DATA_NOT_FOUND},
      {"library without resources", platformLibrary, MAKEINTRESOURCEA(1), RT_DIALOG,
       ERROR_RESOURCE_DATA_NOT_FOUND},
      {"no module", reinterpret_cast<HMODULE>(&local), MAKEINTRESOURCEA(1), RT_DIALOG,
       ERROR_INVALID_HANDLE},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    SetLastError(0);
    EXPECT_EQ(FindResourceA(c.module, c.name, c.type), nullptr);
    EXPECT_EQ(GetLastError(), c.error);
  }

  // A handle is only good with the module it came from.
  HRSRC dialog = FindResourceA(module, MAKEINTRESOURCEA(100), RT_DIALOG);
  ASSERT_NE(dialog, nullptr);
  SetLastError(0);
  EXPECT_EQ(LoadResource(platformLibrary, dialog), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(SizeofResource(platformLibrary, dialog), 0u);
  EXPECT_EQ(LoadResource(module, nullptr), nullptr);
  EXPECT_EQ(LoadResource(module, reinterpret_cast<HRSRC>(reinterpret_cast<char *>(dialog) + 4)),
            nullptr);
  EXPECT_EQ(LockResource(nullptr), nullptr);
}

TEST_F(ModuleResources, LoadStringWCopiesOrPointsIntoTheModule) {
  struct Case {
    UINT id;
    const char16_t *text;
  };
  const Case cases[] = {
      {0, u"zero"},        {15, u"last of block 1"}, {16, u"first of block 2"}, {17, u""},  // empty
      {18, u""},                                   // absent from an existing block
      {20, u"ＱＲコード"}, {22, u"a\U0001F600b"},  // a surrogate pair
      {30, u""},                                   // the block comes in Japanese, which lacks it
      {31, u"日本語 31"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.id);
    WCHAR buffer[64];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    const int n = LoadStringW(module, c.id, buffer, 64);
    EXPECT_EQ(std::u16string(buffer), c.text);
    EXPECT_EQ(n, static_cast<int>(std::char_traits<char16_t>::length(c.text)));
  }

  WCHAR small[5];
  EXPECT_EQ(LoadStringW(module, 21, small, 5), 4);
  EXPECT_EQ(std::u16string(small), u"0123");
  small[0] = u'#';
  EXPECT_EQ(LoadStringW(module, 21, small, 1), 0);
  EXPECT_EQ(small[0], u'\0');

  // With no room given, the caller gets the string where it lies in the
  // module, unterminated, and its full length.
  const WCHAR *inPlace = nullptr;
  EXPECT_EQ(LoadStringW(module, 21, reinterpret_cast<LPWSTR>(&inPlace), 0), 10);
  ASSERT_NE(inPlace, nullptr);
  EXPECT_EQ(std::u16string(inPlace, 10), u"0123456789");
  EXPECT_NE(inPlace[10], u'\0');  // the next string's length follows directly
  EXPECT_EQ(vplat::ModuleHandleFromAddress(inPlace), module);

  // No block for strings 96..111.
  WCHAR buffer[8] = u"#######";
  SetLastError(0);
  EXPECT_EQ(LoadStringW(module, 100, buffer, 8), 0);
  EXPECT_EQ(buffer[0], u'\0');
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST_F(ModuleResources, LoadStringAConvertsToTheAnsiCodePageWithoutSplittingCharacters) {
  ASSERT_EQ(GetACP(), 932u);
  // "ＱＲコード" in Shift-JIS.
  const std::string qr = "\x82\x70\x82\x71\x83\x52\x81\x5B\x83\x68";
  char buffer[64];
  EXPECT_EQ(LoadStringA(module, 20, buffer, sizeof buffer), 10);
  EXPECT_EQ(std::string(buffer), qr);
  // Room for 5 bytes holds two double-byte characters, not half a third.
  char six[6];
  EXPECT_EQ(LoadStringA(module, 20, six, 6), 4);
  EXPECT_EQ(std::string(six), qr.substr(0, 4));
  EXPECT_EQ(LoadStringA(module, 21, six, 6), 5);
  EXPECT_EQ(std::string(six), "01234");
  EXPECT_EQ(LoadStringA(module, 18, buffer, sizeof buffer), 0);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(LoadStringA(module, 21, buffer, 0), 0);

  // The host may switch the ANSI code page to UTF-8.
  ASSERT_TRUE(vplat::SetAnsiCodePage(CP_UTF8));
  EXPECT_EQ(LoadStringA(module, 20, buffer, sizeof buffer), 15);
  EXPECT_EQ(std::string(buffer), "ＱＲコード");
  EXPECT_EQ(LoadStringA(module, 20, six, 6), 3);
  EXPECT_EQ(std::string(six), "Ｑ");
  vplat::SetAnsiCodePage(932);
}

}  // namespace
