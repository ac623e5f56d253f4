// Combo boxes: the list, the selection, the editable field, and a user
// picking an entry.
#include <gtest/gtest.h>
#include <vplatform/dialogs.h>
#include <vplatform/input.h>
#include <vplatform/windows.h>

#include "controls_testing.h"

namespace {

class ComboBoxTest : public vplat::testing::ControlsTest {
 protected:
  HWND Combo(DWORD style) {
    HWND c = Child(u"ComboBox", style | WS_TABSTOP, 20, 20, 160, 24, 4);
    EXPECT_NE(c, nullptr);
    return c;
  }
  static LRESULT Add(HWND c, const char16_t *s) {
    return SendMessageW(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  }
  static std::u16string Item(HWND c, int i) {
    LRESULT n = SendMessageW(c, CB_GETLBTEXTLEN, i, 0);
    if (n < 0) return u"<error>";
    std::u16string t(static_cast<size_t>(n) + 1, u'\0');
    SendMessageW(c, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(t.data()));
    t.resize(static_cast<size_t>(n));
    return t;
  }
};

TEST_F(ComboBoxTest, ListOfStringsInBothCharacterSets) {
  HWND c = Combo(CBS_DROPDOWNLIST);
  EXPECT_EQ(Add(c, u"left"), 0);
  EXPECT_EQ(Add(c, u"right"), 1);
  // An ANSI sender's Shift-JIS text (the default code page 932) arrives as
  // Unicode and comes back as Shift-JIS.
  EXPECT_EQ(SendMessageA(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("\x92\x86\x89\x9b")),
            2);  // centre
  EXPECT_EQ(Item(c, 2), u"\u4e2d\u592e");
  char a[8] = {};
  EXPECT_EQ(SendMessageA(c, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(a)), 4);
  EXPECT_EQ(std::string(a), "\x92\x86\x89\x9b");
  EXPECT_EQ(SendMessageA(c, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("\x92\x86\x89\x9b")),
            2);
  EXPECT_EQ(SendMessageW(c, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(u"top")), 0);
  EXPECT_EQ(SendMessageW(c, CB_INSERTSTRING, -1, reinterpret_cast<LPARAM>(u"end")), 4);
  EXPECT_EQ(SendMessageW(c, CB_INSERTSTRING, 9, reinterpret_cast<LPARAM>(u"far")), CB_ERR);
  EXPECT_EQ(SendMessageW(c, CB_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(Item(c, 1), u"left");
  EXPECT_EQ(SendMessageW(c, CB_GETLBTEXTLEN, 5, 0), CB_ERR);
  EXPECT_EQ(SendMessageW(c, CB_DELETESTRING, 0, 0), 4);
  EXPECT_EQ(Item(c, 0), u"left");
  EXPECT_EQ(SendMessageW(c, CB_RESETCONTENT, 0, 0), CB_OKAY);
  EXPECT_EQ(SendMessageW(c, CB_GETCOUNT, 0, 0), 0);

  HWND sorted = Combo(CBS_DROPDOWNLIST | CBS_SORT);
  for (const char16_t *s : {u"pear", u"Apple", u"fig", u"banana"}) Add(sorted, s);
  EXPECT_EQ(Item(sorted, 0), u"Apple");
  EXPECT_EQ(Item(sorted, 1), u"banana");
  EXPECT_EQ(Item(sorted, 3), u"pear");
}

TEST_F(ComboBoxTest, SelectionFindingAndTheTextOfADropDownList) {
  HWND c = Combo(CBS_DROPDOWNLIST);
  for (const char16_t *s : {u"QR", u"Code39", u"Code128", u"EAN13"}) Add(c, s);
  EXPECT_EQ(SendMessageW(c, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessageW(c, CB_SETCURSEL, 2, 0), 2);
  EXPECT_EQ(vplat::GetWindowTextUtf8(c), "Code128");
  EXPECT_EQ(SendMessageW(c, WM_GETTEXTLENGTH, 0, 0), 7);
  // Out of range clears the selection and says so.
  EXPECT_EQ(SendMessageW(c, CB_SETCURSEL, 7, 0), CB_ERR);
  EXPECT_EQ(SendMessageW(c, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(vplat::GetWindowTextUtf8(c), "");

  struct {
    UINT msg;
    int start;
    const char16_t *text;
    LRESULT found;
  } finds[] = {
      {CB_FINDSTRING, -1, u"code", 1},          // prefix, any case
      {CB_FINDSTRING, 1, u"code", 2},           // after the start
      {CB_FINDSTRING, 2, u"code", 1},           // wrapping round
      {CB_FINDSTRINGEXACT, -1, u"code128", 2},  // whole text, any case
      {CB_FINDSTRINGEXACT, -1, u"Code", CB_ERR},
      {CB_FINDSTRING, -1, u"UPC", CB_ERR},
  };
  for (auto &f : finds)
    EXPECT_EQ(SendMessageW(c, f.msg, f.start, reinterpret_cast<LPARAM>(f.text)), f.found)
        << "case " << (&f - finds);
  EXPECT_EQ(SendMessageW(c, CB_SELECTSTRING, -1, reinterpret_cast<LPARAM>(u"ean")), 3);
  EXPECT_EQ(SendMessageW(c, CB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(SendMessageW(c, CB_SELECTSTRING, -1, reinterpret_cast<LPARAM>(u"none")), CB_ERR);
  EXPECT_EQ(SendMessageW(c, CB_GETCURSEL, 0, 0), 3);  // unchanged on failure
  // A drop-down list has no field to set text into.
  EXPECT_EQ(SendMessageW(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"x")), CB_ERR);
  EXPECT_EQ(SendMessageW(c, CB_SETITEMDATA, 1, 77), TRUE);
  EXPECT_EQ(SendMessageW(c, CB_GETITEMDATA, 1, 0), 77);
  EXPECT_TRUE(Got(WM_COMMAND, CBN_SELCHANGE).empty());  // the program's changes are not reported
}

TEST_F(ComboBoxTest, EditableComboKeepsItsTextInAnEditField) {
  HWND c = Combo(CBS_DROPDOWN | CBS_AUTOHSCROLL);
  for (const char16_t *s : {u"1", u"1.5", u"2"}) Add(c, s);
  EXPECT_TRUE(SetWindowTextW(c, u"0.5mm"));
  EXPECT_EQ(vplat::GetWindowTextUtf8(c), "0.5mm");
  EXPECT_EQ(SendMessageW(c, CB_GETCURSEL, 0, 0), CB_ERR);
  SendMessageW(c, CB_SETCURSEL, 1, 0);
  EXPECT_EQ(vplat::GetWindowTextUtf8(c), "1.5");

  // The user types into it: the focus goes to the field, the text is
  // replaced (the field's text was selected on focus) and reported.
  SetFocus(c);
  EXPECT_NE(GetFocus(), c);
  EXPECT_EQ(GetParent(GetFocus()), c);
  vplat::TypeText("3.25");
  vplat::PumpMessages();
  EXPECT_EQ(vplat::GetWindowTextUtf8(c), "3.25");
  EXPECT_EQ(Got(WM_COMMAND, CBN_EDITCHANGE).size(), 4u);
  EXPECT_EQ(Got(WM_COMMAND, CBN_EDITCHANGE)[0].from, c);
  EXPECT_EQ(SendMessageW(c, CB_GETCURSEL, 0, 0), 1);  // typing leaves the selection
  // The field is not a control of the parent.
  EXPECT_EQ(GetDlgItem(parent, 1001), nullptr);
}

// The user opens the list and picks an entry: the notifications come in
// Windows' order, and during CBN_SELCHANGE an editable combo's field still
// shows the old text.
TEST_F(ComboBoxTest, PickingAnEntryAsTheUserNotifiesInOrder) {
  HWND c = Combo(CBS_DROPDOWN);
  for (const char16_t *s : {u"small", u"large"}) Add(c, s);
  SetWindowTextW(c, u"typed");
  ASSERT_TRUE(vplat::dialogs::SelectComboItem(parent, 4, 1));
  EXPECT_EQ(Codes(WM_COMMAND), (std::vector<UINT>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE,
                                                  CBN_SELENDOK, CBN_CLOSEUP}));
  EXPECT_EQ(Got(WM_COMMAND, CBN_SELCHANGE)[0].fromText, "typed");
  EXPECT_EQ(vplat::GetWindowTextUtf8(c), "large");
  EXPECT_EQ(SendMessageW(c, CB_GETCURSEL, 0, 0), 1);
  EXPECT_FALSE(vplat::dialogs::SelectComboItem(parent, 4, 2));  // no such entry
  EXPECT_TRUE(vplat::dialogs::SelectComboItem(parent, 4, "SMALL"));
  EXPECT_EQ(SendMessageW(c, CB_GETCURSEL, 0, 0), 0);
}

TEST_F(ComboBoxTest, ArrowKeysMoveTheSelectionOfAFocusedDropDownList) {
  HWND c = Combo(CBS_DROPDOWNLIST);
  for (const char16_t *s : {u"a", u"b", u"c"}) Add(c, s);
  SetFocus(c);
  for (UINT vk : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_UP}) vplat::KeyStroke(vk);
  vplat::PumpMessages();
  EXPECT_EQ(SendMessageW(c, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Got(WM_COMMAND, CBN_SELCHANGE).size(), 4u);  // the fourth Down changed nothing
  vplat::TypeText("c");
  vplat::PumpMessages();
  EXPECT_EQ(SendMessageW(c, CB_GETCURSEL, 0, 0), 2);
}

}  // namespace
