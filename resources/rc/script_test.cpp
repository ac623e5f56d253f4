#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "rc.h"
#include "testing/dialogreader.h"

namespace vardo::rc {
namespace {

using testing::DialogReader;
using testing::ReadDialog;

const std::string kResourcesDir = VARDO_SOURCE_DIR "/resources";

CompiledScript Compile(const std::string &text, const std::string &baseDir = kResourcesDir) {
  CompiledScript out;
  CompileError error;
  EXPECT_TRUE(CompileScript(text, "test.rc", baseDir, &out, &error)) << error.Format();
  return out;
}

const Resource *FindRes(const CompiledScript &s, const ResourceId &type, const ResourceId &name,
                        int language = -1) {
  for (const Resource &r : s.resources)
    if (r.type == type && r.name == name && (language < 0 || r.language == language)) return &r;
  return nullptr;
}

ResourceId Named(std::u16string name) { return ResourceId{true, 0, std::move(name)}; }

std::vector<std::uint8_t> ReadBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Window, class and kind bits as Windows defines them, written out here
// independently of the compiler's name table.
constexpr std::uint32_t kChildVisible = 0x40000000 | 0x10000000;
constexpr std::uint32_t kTabStop = 0x00010000, kGroup = 0x00020000, kBorder = 0x00800000,
                        kVScroll = 0x00200000;

TEST(ResourceScript, ControlStatementsGetTheirClassAndDefaultStyles) {
  struct Case {
    const char *statement;
    std::uint16_t atom;
    const char16_t *className;
    std::uint32_t style;
    std::uint32_t id;
    const char16_t *text;
  };
  const Case cases[] = {
      {"DEFPUSHBUTTON \"OK\", IDOK, 1, 2, 3, 4", 0x80, u"", kChildVisible | kTabStop | 0x1, 1,
       u"OK"},
      {"PUSHBUTTON \"キャンセル\", IDCANCEL, 1, 2, 3, 4", 0x80, u"", kChildVisible | kTabStop, 2,
       u"キャンセル"},
      {"AUTOCHECKBOX \"c\", 9, 1, 2, 3, 4", 0x80, u"", kChildVisible | kTabStop | 0x3, 9, u"c"},
      {"CHECKBOX \"c\", 9, 1, 2, 3, 4", 0x80, u"", kChildVisible | kTabStop | 0x2, 9, u"c"},
      {"GROUPBOX \"\", 48, 1, 2, 3, 4", 0x80, u"", kChildVisible | 0x7, 48, u""},
      {"LTEXT \"l\", IDC_STATIC, 1, 2, 3, 4", 0x82, u"", kChildVisible | kGroup, 0xFFFFFFFF, u"l"},
      {"RTEXT \"r\", 5, 1, 2, 3, 4", 0x82, u"", kChildVisible | kGroup | 0x2, 5, u"r"},
      {"CTEXT \"c\", 5, 1, 2, 3, 4", 0x82, u"", kChildVisible | kGroup | 0x1, 5, u"c"},
      {"LTEXT \"Static\", 4, 1, 2, 3, 4, SS_SUNKEN", 0x82, u"", kChildVisible | kGroup | 0x1000, 4,
       u"Static"},
      {"EDITTEXT 12, 1, 2, 3, 4, ES_AUTOHSCROLL", 0x81, u"",
       kChildVisible | kBorder | kTabStop | 0x80, 12, u""},
      {"EDITTEXT 1001, 1, 2, 3, 4, ES_MULTILINE | NOT WS_TABSTOP", 0x81, u"",
       kChildVisible | kBorder | 0x4, 1001, u""},
      {"COMBOBOX 6, 1, 2, 3, 4", 0x85, u"", kChildVisible | kTabStop | 0x1, 6, u""},
      // A combo box's own kind replaces the statement's simple one.
      {"COMBOBOX 25, 1, 2, 3, 4, CBS_DROPDOWN", 0x85, u"", kChildVisible | kTabStop | 0x2, 25, u""},
      {"COMBOBOX 40, 1, 2, 3, 4, CBS_DROPDOWNLIST | WS_VSCROLL", 0x85, u"",
       kChildVisible | kTabStop | kVScroll | 0x3, 40, u""},
      {"CONTROL \"\", 4, \"Static\", SS_OWNERDRAW, 1, 2, 3, 4", 0x82, u"", kChildVisible | 0xD, 4,
       u""},
      {"CONTROL \"x\", 7, \"MyClass\", WS_TABSTOP | 0x20, 1, 2, 3, 4", 0, u"MyClass",
       kChildVisible | kTabStop | 0x20, 7, u"x"},
  };
  std::string script = "1 DIALOGEX 0, 0, 10, 10\nBEGIN\n";
  for (const Case &c : cases) script += std::string(c.statement) + "\n";
  script += "END\n";
  const CompiledScript out = Compile(script);
  const Resource *res = FindRes(out, ResourceId::Int(5), ResourceId::Int(1));
  ASSERT_NE(res, nullptr);
  const ReadDialog d = DialogReader(res->data.data(), res->data.size()).Read();
  ASSERT_EQ(d.controls.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].statement);
    const auto &c = d.controls[i];
    EXPECT_EQ(c.offset % 4, 0u);
    EXPECT_EQ(c.classAtom, cases[i].atom);
    EXPECT_EQ(c.className, cases[i].className);
    EXPECT_EQ(c.style, cases[i].style);
    EXPECT_EQ(c.id, cases[i].id);
    EXPECT_EQ(c.text, cases[i].text);
    EXPECT_EQ(c.exStyle, 0u);
    EXPECT_EQ(c.x, 1);
    EXPECT_EQ(c.y, 2);
    EXPECT_EQ(c.cx, 3);
    EXPECT_EQ(c.cy, 4);
  }
}

TEST(ResourceScript, DialogHeaderFontAndDefaults) {
  const CompiledScript out = Compile(R"(
LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT
16052 DIALOGEX 22, -21, 210, 171, 77
STYLE DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU
EXSTYLE WS_EX_TOPMOST
CAPTION "編集"
FONT 9, "ＭＳ Ｐゴシック", 400, 1, SHIFTJIS_CHARSET
{
  EDITTEXT 1001, 10, 10, 190, 130, WS_VSCROLL, WS_EX_CLIENTEDGE
}
2 DIALOGEX 0, 0, 5, 5
LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US
BEGIN
END
)");
  const Resource *res = FindRes(out, ResourceId::Int(5), ResourceId::Int(16052));
  ASSERT_NE(res, nullptr);
  EXPECT_EQ(res->language, 0x0411);
  const ReadDialog d = DialogReader(res->data.data(), res->data.size()).Read();
  EXPECT_EQ(d.version, 1);
  EXPECT_EQ(d.signature, 0xFFFF);
  EXPECT_EQ(d.helpId, 77u);
  EXPECT_EQ(d.style, 0x80000000u | 0x10000000 | 0x00C00000 | 0x00080000 | 0x80 |
                         0x40);  // FONT adds DS_SETFONT
  EXPECT_EQ(d.exStyle, 0x8u);
  EXPECT_EQ(d.x, 22);
  EXPECT_EQ(d.y, -21);
  EXPECT_EQ(d.cx, 210);
  EXPECT_EQ(d.cy, 171);
  EXPECT_EQ(d.caption, u"編集");
  EXPECT_EQ(d.pointSize, 9);
  EXPECT_EQ(d.weight, 400);
  EXPECT_EQ(d.italic, 1);
  EXPECT_EQ(d.charset, 128);
  EXPECT_EQ(d.face, u"ＭＳ Ｐゴシック");
  ASSERT_EQ(d.controls.size(), 1u);
  EXPECT_EQ(d.controls[0].exStyle, 0x200u);
  EXPECT_EQ(d.controls[0].style, kChildVisible | kBorder | kTabStop | kVScroll);

  // Without STYLE: a bordered pop-up with a system menu; without FONT no
  // font fields follow the caption.
  const Resource *plain = FindRes(out, ResourceId::Int(5), ResourceId::Int(2));
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->language, 0x0409);
  EXPECT_EQ(plain->data.size(), 26u + 2 + 2 + 2);
  const ReadDialog p = DialogReader(plain->data.data(), plain->data.size()).Read();
  EXPECT_EQ(p.style, 0x80000000u | 0x00800000 | 0x00080000);
  EXPECT_TRUE(p.controls.empty());
}

TEST(ResourceScript, StringTablesFormBlocksOfSixteen) {
  const CompiledScript out = Compile(R"(
LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT
STRINGTABLE
BEGIN
  16, "a"
  18 "ＱＲ"      // the comma is optional
END
STRINGTABLE { 31, "\"q\"""" }
STRINGTABLE LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US { 17, "en" }
)");
  // Strings 16..31 are block 2; each entry is a length and its UTF-16 units.
  const Resource *ja = FindRes(out, ResourceId::Int(6), ResourceId::Int(2), 0x0411);
  ASSERT_NE(ja, nullptr);
  const std::vector<std::uint8_t> expected = {
      1, 0, 'a',  0,                                       // 16
      0, 0,                                                // 17
      2, 0, 0x31, 0xFF, 0x32, 0xFF,                        // 18 "ＱＲ"
      0, 0, 0,    0,    0,    0,    0,   0, 0,   0, 0, 0,  // 19..24
      0, 0, 0,    0,    0,    0,    0,   0, 0,   0, 0, 0,  // 25..30
      4, 0, '"',  0,    'q',  0,    '"', 0, '"', 0};       // 31: \" and "" both make a quote
  EXPECT_EQ(ja->data, expected);
  int blocks = 0;
  for (const Resource &r : out.resources) blocks += r.type == ResourceId::Int(6);
  EXPECT_EQ(blocks, 2);  // the English block is separate
  const Resource *en = FindRes(out, ResourceId::Int(6), ResourceId::Int(2), 0x0409);
  ASSERT_NE(en, nullptr);
  EXPECT_EQ(std::vector<std::uint8_t>(en->data.begin(), en->data.begin() + 8),
            (std::vector<std::uint8_t>{0, 0, 2, 0, 'e', 0, 'n', 0}));
}

TEST(ResourceScript, DataBlocksAndFiles) {
  const CompiledScript out = Compile(R"(
plugin pipl
BEGIN
  BE32 1, 'ADBE'
  BE16 0x0102  LE16 0x0304, -1
  LE32 0x05060708
  BYTE 9, 255
  "ab\0" ALIGN 4
END
1 ICON "vardo.ico"
2 RT_MANIFEST "vardo.manifest"
)");
  // Names and types are kept in upper case, as Windows compares them.
  const Resource *pipl = FindRes(out, Named(u"PIPL"), Named(u"PLUGIN"));
  ASSERT_NE(pipl, nullptr);
  const std::vector<std::uint8_t> bytes = {0,    0,    0, 1, 'A', 'D', 'B', 'E', 1,   2,   4, 3,
                                           0xFF, 0xFF, 8, 7, 6,   5,   9,   255, 'a', 'b', 0, 0};
  EXPECT_EQ(pipl->data, bytes);

  const std::vector<std::uint8_t> ico = ReadBytes(kResourcesDir + "/vardo.ico");
  ASSERT_GE(ico.size(), 22u);
  const Resource *image = FindRes(out, ResourceId::Int(3), ResourceId::Int(1));
  const Resource *group = FindRes(out, ResourceId::Int(14), ResourceId::Int(1));
  ASSERT_NE(image, nullptr);
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(image->data, std::vector<std::uint8_t>(ico.begin() + 22, ico.end()));
  std::vector<std::uint8_t> groupBytes(ico.begin(),
                                       ico.begin() + 18);  // header and entry up to its size
  groupBytes.push_back(1);                                 // the image's RT_ICON id
  groupBytes.push_back(0);
  EXPECT_EQ(group->data, groupBytes);

  const Resource *manifest = FindRes(out, ResourceId::Int(24), ResourceId::Int(2));
  ASSERT_NE(manifest, nullptr);
  EXPECT_EQ(manifest->data, ReadBytes(kResourcesDir + "/vardo.manifest"));
  EXPECT_EQ(out.dependencies.size(), 2u);
}

TEST(ResourceScript, MalformedScriptsAreRejectedWithTheirLine) {
  struct Case {
    const char *script;
    int line;
    const char *message;
  };
  const Case cases[] = {
      {"1 DIALOGEX 1, 2, 3\nSTYLE WS_POPUP\nBEGIN\nEND", 2,
       "expected ',' before the dialog's height"},
      {"1 DIALOGEX 1, 2, 3, 4\nSTYLE WS_POPUPP\nBEGIN\nEND", 2, "unknown name 'WS_POPUPP'"},
      {"1 DIALOGEX 1, 2, 3, 4\nSTYLE NOT WS_POPUP\nBEGIN\nEND", 2,
       "NOT is only allowed in control styles"},
      {"1 DIALOGEX 1, 2, 3, 4\nBEGIN\n  LISTBOX 5, 1, 2, 3, 4\nEND", 3,
       "unknown control statement 'LISTBOX'"},
      {"1 DIALOGEX 1, 2, 3, 4\nBEGIN\n  PUSHBUTTON \"a\", 5, 1, 2, 40000, 4\nEND", 3,
       "control width 40000 is out of range"},
      {"1 DIALOGEX 1, 2, 3, 4\nBEGIN\n  PUSHBUTTON \"a\", 5, 1, 2, 3, 4\n", 1,
       "dialog 1 is not closed"},
      {"1 DIALOG 1, 2, 3, 4\nBEGIN\nEND", 1, "DIALOG templates are not supported"},
      {"STRINGTABLE\nBEGIN\n  1, \"a\n\"\nEND", 3, "string is not closed"},
      {"STRINGTABLE\nBEGIN\n  1, \"a\"\n  1, \"b\"\nEND", 4,
       "string 1 is already defined at line 3"},
      {"STRINGTABLE\nBEGIN\n  1, \"\xff\"\nEND", 3, "the string's text is not valid UTF-8"},
      {"STRINGTABLE\nBEGIN\n  70000, \"a\"\nEND", 3, "string id 70000 is out of range"},
      {"X Y\nBEGIN\n  BE16 70000\nEND", 3, "BE16 value 70000 is out of range"},
      {"X Y\nBEGIN\n  BE32 'ABC'\nEND", 3, "character code must have exactly 4 characters"},
      {"X Y\nBEGIN\n  WORD 1\nEND", 3,
       "expected BE32, BE16, LE32, LE16, BYTE, ALIGN, a string or END"},
      {"X Y { BYTE 1 }\n\nx y { BYTE 2 }", 3, "resource X of type Y is already defined at line 1"},
      {"1 ICON \"no-such.ico\"", 1, "cannot read icon file"},
      // A name that is the folder itself, or another folder: refused, not read.
      {"1 RCDATA \"\"", 1, "': not a file"},
      {"1 ICON \".\"", 1, "': not a file"},
      {"1 ICON \"vardo.manifest\"", 1, "is not an icon file"},
      {"\n\n/* open", 3, "comment is not closed"},
      {"LANGUAGE LANG_JAPANESE", 1, "expected ',' before the sub-language"},
      {"#include \"x.h\"", 1, "preprocessor lines are not supported"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.script);
    CompiledScript out;
    CompileError error;
    EXPECT_FALSE(CompileScript(c.script, "bad.rc", kResourcesDir, &out, &error));
    EXPECT_EQ(error.line, c.line);
    EXPECT_NE(error.message.find(c.message), std::string::npos) << error.message;
    EXPECT_EQ(error.Format().rfind("bad.rc:" + std::to_string(c.line) + ": error: ", 0), 0u)
        << error.Format();
  }
}

// The program as the build runs it: an error names the script and line and
// fails the build step; a good script gives the source and its dependencies.
TEST(ResourceCompilerProgram, ReportsErrorsAndWritesSourceAndDepfile) {
  const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "rc";
  std::filesystem::create_directories(dir);
  const auto run = [&](const std::string &script, std::string *errors) {
    std::ofstream(dir / "in.rc") << script;
    std::filesystem::remove(dir / "out.cpp");
    const std::string command = std::string(VARDO_RC_PROGRAM) + " --depfile " +
                                (dir / "out.d").string() + " -o " + (dir / "out.cpp").string() +
                                " " + (dir / "in.rc").string() + " 2>" + (dir / "err.txt").string();
    const int status = std::system(command.c_str());
    std::ifstream in(dir / "err.txt");
    *errors = std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  std::string errors;
  EXPECT_EQ(run("// fine so far\n1 DIALOGEX 0, 0, 1, 1\nSTYLE WS_BOGUS\nBEGIN\nEND\n", &errors), 1);
  EXPECT_NE(errors.find("in.rc:3: error: unknown name 'WS_BOGUS'"), std::string::npos) << errors;
  EXPECT_FALSE(std::filesystem::exists(dir / "out.cpp"));

  std::filesystem::copy_file(kResourcesDir + "/vardo.ico", dir / "icon.ico",
                             std::filesystem::copy_options::overwrite_existing);
  EXPECT_EQ(run("1 ICON \"icon.ico\"\n", &errors), 0) << errors;
  std::ifstream source(dir / "out.cpp");
  const std::string text((std::istreambuf_iterator<char>(source)),
                         std::istreambuf_iterator<char>());
  EXPECT_NE(text.find(".pushsection .note.vardo.rsrc"), std::string::npos);
  std::ifstream depfile(dir / "out.d");
  const std::string deps((std::istreambuf_iterator<char>(depfile)),
                         std::istreambuf_iterator<char>());
  EXPECT_NE(deps.find((dir / "icon.ico").lexically_normal().string()), std::string::npos) << deps;

  // Files that cannot be used say why.
  const std::string missing = std::string(VARDO_RC_PROGRAM) + " -o " + (dir / "out.cpp").string() +
                              " " + (dir / "missing.rc").string() + " 2>" +
                              (dir / "err.txt").string();
  EXPECT_NE(std::system(missing.c_str()), 0);
  std::ifstream err(dir / "err.txt");
  errors.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
  EXPECT_NE(errors.find("missing.rc: error: cannot read the script: No such file or directory"),
            std::string::npos)
      << errors;
}

}  // namespace
}  // namespace vardo::rc
