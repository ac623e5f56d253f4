// Edit fields: typing at the caret, selection, limits and what the parent
// is told.
#include <gtest/gtest.h>
#include <vplatform/input.h>
#include <vplatform/windows.h>

#include "controls_testing.h"

namespace {

class EditTest : public vplat::testing::ControlsTest {
 protected:
  HWND Field(DWORD style, int w = 300, int h = 24, const char16_t *text = u"") {
    HWND e = Child(u"Edit", style, 20, 20, w, h, 7, reinterpret_cast<LPCWSTR>(text));
    EXPECT_NE(e, nullptr);
    SetFocus(e);
    return e;
  }
  void Type(std::string_view utf8) {
    vplat::TypeText(utf8);
    vplat::PumpMessages();
  }
  void Key(UINT vk) {
    vplat::KeyStroke(vk);
    vplat::PumpMessages();
  }
  static std::pair<DWORD, DWORD> Sel(HWND e) {
    DWORD a = 0, b = 0;
    SendMessageW(e, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    return {a, b};
  }
};

TEST_F(EditTest, TypingInsertsAtTheCaretAndBackspaceDeletes) {
  HWND e = Field(ES_AUTOHSCROLL);
  Type("hllo");
  Key(VK_HOME);
  Key(VK_RIGHT);
  Type("e");  // h|llo -> he|llo
  EXPECT_EQ(vplat::GetWindowTextUtf8(e), "hello");
  Key(VK_BACK);  // a key stroke: TranslateMessage makes it a backspace character
  EXPECT_EQ(vplat::GetWindowTextUtf8(e), "hllo");
  Type("e");
  Key(VK_END);
  Type("\xE2\x82\xAC");  // a euro sign
  EXPECT_EQ(vplat::GetWindowTextUtf8(e), "hello\xE2\x82\xAC");
  EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{6, 6}));
  // Each change is reported; Enter in a single-line field changes nothing.
  const size_t changes = Got(WM_COMMAND, EN_CHANGE).size();
  EXPECT_EQ(changes, 8u);  // one per typed character and the backspace
  Type("\r");
  EXPECT_EQ(Got(WM_COMMAND, EN_CHANGE).size(), changes);
  EXPECT_EQ(vplat::GetWindowTextUtf8(e), "hello\xE2\x82\xAC");
}

TEST_F(EditTest, SelectionIsReplacedByWhatIsTyped) {
  HWND e = Field(ES_AUTOHSCROLL, 300, 24, u"one two three");
  SendMessageW(e, EM_SETSEL, 4, 7);
  EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{4, 7}));
  EXPECT_EQ(SendMessageW(e, EM_GETSEL, 0, 0), MAKELONG(4, 7));
  Type("2");
  EXPECT_EQ(vplat::GetWindowTextUtf8(e), "one 2 three");
  SendMessageW(e, EM_SETSEL, 0, -1);  // all
  EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{0, 11}));
  SendMessageW(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u"x"));
  EXPECT_EQ(vplat::GetWindowTextUtf8(e), "x");
  SendMessageW(e, EM_SETSEL, 5, 50);  // clamped to the text
  EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{1, 1}));
  // Shift+Left extends, Delete removes the selection.
  SetWindowTextW(e, u"abcd");
  Key(VK_END);
  vplat::KeyDown(VK_SHIFT);
  Key(VK_LEFT);
  Key(VK_LEFT);
  vplat::KeyUp(VK_SHIFT);
  Key(VK_DELETE);
  EXPECT_EQ(vplat::GetWindowTextUtf8(e), "ab");
}

TEST_F(EditTest, MultiLineFieldsTakeEnterAsCrLfAndCountLines) {
  HWND e = Field(ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, 300, 100);
  Type("first");
  Key(VK_RETURN);
  Type("second");
  EXPECT_EQ(vplat::GetWindowTextUtf8(e), "first\r\nsecond");
  EXPECT_EQ(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(e, EM_LINEINDEX, 1, 0), 7);
  EXPECT_EQ(SendMessageW(e, EM_LINELENGTH, 8, 0), 6);
  EXPECT_EQ(SendMessageW(e, EM_LINEFROMCHAR, 9, 0), 1);
  WCHAR line[16];
  *reinterpret_cast<WORD *>(line) = 16;
  EXPECT_EQ(SendMessageW(e, EM_GETLINE, 0, reinterpret_cast<LPARAM>(line)), 5);
  EXPECT_EQ(std::u16string(reinterpret_cast<char16_t *>(line), 5), u"first");
  // Backspace at a line start removes the whole line break.
  Key(VK_HOME);
  Key(VK_BACK);
  EXPECT_EQ(vplat::GetWindowTextUtf8(e), "firstsecond");
  // Up keeps the column.
  SetWindowTextW(e, u"abc\r\nxy");
  Key(VK_END);  // end of the first line (the caret was put at 0)
  EXPECT_EQ(Sel(e).first, 3u);
  Key(VK_DOWN);
  EXPECT_EQ(Sel(e).first, 7u);  // end of the shorter second line

  // Program-set text is not reported by a multi-line field, but is by a
  // single-line one.
  received.clear();
  SetWindowTextW(e, u"quiet");
  EXPECT_TRUE(Got(WM_COMMAND, EN_CHANGE).empty());
  HWND single = Child(u"Edit", ES_AUTOHSCROLL, 20, 200, 100, 24, 8);
  SetWindowTextW(single, u"loud");
  EXPECT_EQ(Got(WM_COMMAND, EN_CHANGE).size(), 1u);
}

TEST_F(EditTest, LimitsStopTheUserButNotTheProgram) {
  HWND e = Field(ES_AUTOHSCROLL);
  EXPECT_EQ(SendMessageW(e, EM_GETLIMITTEXT, 0, 0), 32767);
  SendMessageW(e, EM_LIMITTEXT, 5, 0);
  Type("abcdefg");
  EXPECT_EQ(vplat::GetWindowTextUtf8(e), "abcde");
  EXPECT_EQ(Got(WM_COMMAND, EN_MAXTEXT).size(), 2u);
  SendMessageW(e, EM_SETSEL, 0, -1);
  SendMessageW(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u"1234567"));
  EXPECT_EQ(vplat::GetWindowTextUtf8(e), "12345");  // cut to the limit
  SetWindowTextW(e, u"longer than five");
  EXPECT_EQ(vplat::GetWindowTextUtf8(e), "longer than five");
  SendMessageW(e, EM_LIMITTEXT, 0, 0);
  EXPECT_EQ(SendMessageW(e, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
  HWND multi = Child(u"Edit", ES_MULTILINE, 20, 200, 100, 60, 8);
  SendMessageW(multi, EM_LIMITTEXT, 0, 0);
  EXPECT_EQ(static_cast<DWORD>(SendMessageW(multi, EM_GETLIMITTEXT, 0, 0)), 0xFFFFFFFFu);
}

// Without ES_AUTOHSCROLL a single-line field takes no more than it can
// show; with it, the text scrolls.
TEST_F(EditTest, FieldsThatCannotScrollRefuseTextBeyondTheirWidth) {
  HWND narrow = Field(0, 40);
  Type("abcdefghijklmnopqrstuvwxyz");
  const std::string shown = vplat::GetWindowTextUtf8(narrow);
  EXPECT_LT(shown.size(), 26u);
  EXPECT_GT(shown.size(), 0u);
  EXPECT_EQ(shown, std::string("abcdefghijklmnopqrstuvwxyz").substr(0, shown.size()));
  EXPECT_FALSE(Got(WM_COMMAND, EN_MAXTEXT).empty());
  HWND scrolling = Field(ES_AUTOHSCROLL, 40);
  Type("abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(vplat::GetWindowTextUtf8(scrolling), "abcdefghijklmnopqrstuvwxyz");
}

TEST_F(EditTest, StylesFilterWhatIsTyped) {
  struct {
    DWORD style;
    const char *typed;
    const char *kept;
  } cases[] = {
      {ES_NUMBER, "a1b2", "12"},
      {ES_UPPERCASE, "Mixed", "MIXED"},
      {ES_LOWERCASE, "Mixed", "mixed"},
      {ES_READONLY, "none", ""},
  };
  for (auto &c : cases) {
    HWND e = Field(ES_AUTOHSCROLL | c.style);
    Type(c.typed);
    EXPECT_EQ(vplat::GetWindowTextUtf8(e), c.kept) << "style " << c.style;
    DestroyWindow(e);
  }
}

// What the dialog manager asks before it takes Enter, Escape or Tab.
TEST_F(EditTest, DialogCodesLeaveEnterToTheDialogUnlessWanted) {
  HWND single = Field(ES_AUTOHSCROLL);
  HWND multi = Field(ES_MULTILINE);
  HWND wants = Field(ES_MULTILINE | ES_WANTRETURN);
  MSG enter{};
  enter.message = WM_KEYDOWN;
  enter.wParam = VK_RETURN;
  auto code = [&](HWND e, MSG *m) {
    return SendMessageW(e, WM_GETDLGCODE, m ? m->wParam : 0, reinterpret_cast<LPARAM>(m));
  };
  EXPECT_FALSE(code(single, &enter) & DLGC_WANTALLKEYS);
  EXPECT_FALSE(code(multi, &enter) & DLGC_WANTALLKEYS);
  EXPECT_TRUE(code(wants, &enter) & DLGC_WANTALLKEYS);
  EXPECT_TRUE(code(single, nullptr) & DLGC_HASSETSEL);
  MSG tab = enter;
  tab.wParam = VK_TAB;
  EXPECT_FALSE(code(wants, &tab) & DLGC_WANTALLKEYS);
}

}  // namespace
