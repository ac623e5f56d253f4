// Buttons and statics as the user and their parent meet them: clicks,
// check boxes, owner drawing and the colour exchange when they paint.
#include <gtest/gtest.h>
#include <vplatform/input.h>
#include <vplatform/screen.h>
#include <vplatform/windows.h>

#include "controls_testing.h"

namespace {

class ButtonTest : public vplat::testing::ControlsTest {
 protected:
  void Click(HWND w) {
    vplat::ClickWindow(w);
    vplat::PumpMessages();
  }
  size_t Clicked(int id) {
    size_t n = 0;
    for (const auto &r : Got(WM_COMMAND, BN_CLICKED)) n += r.id == id;
    return n;
  }
};

TEST_F(ButtonTest, MouseClickSendsBnClickedOnlyWhenReleasedInside) {
  HWND ok = Child(u"Button", BS_DEFPUSHBUTTON, 20, 20, 80, 24, IDOK, u"OK");
  Click(ok);
  auto clicks = Got(WM_COMMAND, BN_CLICKED);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].id, IDOK);
  EXPECT_EQ(clicks[0].from, ok);
  EXPECT_EQ(GetFocus(), ok);

  // Pressed, dragged off and released outside: no click.
  POINT in = Screen(ok, POINT{10, 10}), out = Screen(ok, POINT{200, 10});
  vplat::MoveCursor(in.x, in.y);
  vplat::PressButton();
  vplat::PumpMessages();
  EXPECT_TRUE(SendMessageW(ok, BM_GETSTATE, 0, 0) & BST_PUSHED);
  vplat::MoveCursor(out.x, out.y);
  vplat::ReleaseButton();
  vplat::PumpMessages();
  EXPECT_EQ(Clicked(IDOK), 1u);
  EXPECT_FALSE(SendMessageW(ok, BM_GETSTATE, 0, 0) & BST_PUSHED);

  // BM_CLICK clicks; on a disabled button it does nothing.
  SendMessageW(ok, BM_CLICK, 0, 0);
  EXPECT_EQ(Clicked(IDOK), 2u);
  EnableWindow(ok, FALSE);
  SendMessageW(ok, BM_CLICK, 0, 0);
  EXPECT_EQ(Clicked(IDOK), 2u);

  // The space bar clicks the focused button.
  EnableWindow(ok, TRUE);
  SetFocus(ok);
  vplat::KeyStroke(VK_SPACE);
  vplat::PumpMessages();
  EXPECT_EQ(Clicked(IDOK), 3u);
}

TEST_F(ButtonTest, CheckBoxesAndRadioButtonsKeepTheirState) {
  HWND autoBox = Child(u"Button", BS_AUTOCHECKBOX | WS_TABSTOP, 20, 20, 120, 16, 10, u"auto");
  HWND plainBox = Child(u"Button", BS_CHECKBOX, 20, 40, 120, 16, 11, u"plain");
  HWND tri = Child(u"Button", BS_AUTO3STATE, 20, 60, 120, 16, 12, u"three");
  HWND r1 = Child(u"Button", BS_AUTORADIOBUTTON | WS_GROUP, 20, 80, 120, 16, 20, u"r1");
  HWND r2 = Child(u"Button", BS_AUTORADIOBUTTON, 20, 100, 120, 16, 21, u"r2");
  HWND r3 = Child(u"Button", BS_AUTORADIOBUTTON, 20, 120, 120, 16, 22, u"r3");
  HWND other =
      Child(u"Button", BS_AUTORADIOBUTTON | WS_GROUP, 20, 140, 120, 16, 30, u"other group");

  Click(autoBox);
  Click(plainBox);  // a plain check box only tells its parent
  Click(tri);
  Click(tri);
  EXPECT_EQ(SendMessageW(autoBox, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(plainBox, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(tri, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  EXPECT_EQ(Clicked(11), 1u);
  Click(autoBox);
  EXPECT_EQ(SendMessageW(autoBox, BM_GETCHECK, 0, 0), BST_UNCHECKED);

  SendMessageW(other, BM_SETCHECK, BST_CHECKED, 0);
  Click(r1);
  Click(r3);
  EXPECT_EQ(SendMessageW(r1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(r3, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(r2, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(other, BM_GETCHECK, 0, 0), BST_CHECKED);  // another group

  // BM_SETCHECK with 2 on a two-state box checks it; a push button has no state.
  SendMessageW(plainBox, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(SendMessageW(plainBox, BM_GETCHECK, 0, 0), BST_CHECKED);
  HWND push = Child(u"Button", BS_PUSHBUTTON, 200, 20, 80, 24, 40, u"push");
  SendMessageW(push, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendMessageW(push, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ButtonTest, DialogCodesTellTheDialogManagerWhatEachButtonIs) {
  struct {
    DWORD style;
    LRESULT code;
  } cases[] = {
      {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
      {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
      {BS_AUTOCHECKBOX, DLGC_BUTTON},
      {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
      {BS_GROUPBOX, DLGC_STATIC},
  };
  for (auto &c : cases) {
    HWND b = Child(u"Button", c.style, 0, 0, 50, 20, 1);
    EXPECT_EQ(SendMessageW(b, WM_GETDLGCODE, 0, 0), c.code) << "style " << c.style;
  }
}

// Painting asks the parent for its brush with the message Windows uses for
// that kind of control, and fills the control with it.
TEST_F(ButtonTest, PaintingUsesTheBrushTheParentGives) {
  struct {
    const char16_t *cls;
    DWORD style;
    UINT msg;
  } cases[] = {
      {u"Button", BS_PUSHBUTTON, WM_CTLCOLORBTN},
      {u"Button", BS_AUTOCHECKBOX, WM_CTLCOLORSTATIC},
      {u"Button", BS_GROUPBOX, WM_CTLCOLORSTATIC},
      {u"Static", SS_LEFT, WM_CTLCOLORSTATIC},
      {u"Edit", ES_AUTOHSCROLL, WM_CTLCOLOREDIT},
      {u"Edit", ES_AUTOHSCROLL | ES_READONLY, WM_CTLCOLORSTATIC},
      {u"ComboBox", CBS_DROPDOWNLIST, WM_CTLCOLOREDIT},
  };
  ctlColorBrush = CreateSolidBrush(RGB(1, 2, 3));
  int id = 1;
  for (auto &c : cases) {
    SCOPED_TRACE(::testing::Message() << "case " << id);
    received.clear();
    HWND w = Child(reinterpret_cast<LPCWSTR>(c.cls), c.style, 20, 30 * id, 80, 24, id, u"");
    vplat::PumpMessages();
    bool asked = false;
    for (const auto &r : received) asked |= r.msg == c.msg && r.id == id && r.from == w;
    EXPECT_TRUE(asked);
    POINT p = Screen(w, POINT{40, 12});
    EXPECT_EQ(vplat::GetScreenPixel(p.x, p.y), RGB(1, 2, 3));
    ++id;
  }
  DeleteObject(ctlColorBrush);
  ctlColorBrush = nullptr;
}

TEST_F(ButtonTest, OwnerDrawnStaticAsksItsParentToDraw) {
  HWND bar = Child(u"Static", SS_OWNERDRAW, 30, 40, 200, 15, 4);
  vplat::PumpMessages();
  auto draws = [&] {
    std::vector<vplat::testing::Received> out;
    for (const auto &r : received)
      if (r.msg == WM_DRAWITEM) out.push_back(r);
    return out;
  };
  const auto first = draws();
  ASSERT_EQ(first.size(), 1u);
  const DRAWITEMSTRUCT &d = first[0].draw;
  EXPECT_EQ(d.CtlType, static_cast<UINT>(ODT_STATIC));
  EXPECT_EQ(d.CtlID, 4u);
  EXPECT_EQ(d.itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
  EXPECT_EQ(d.hwndItem, bar);
  EXPECT_NE(d.hDC, nullptr);
  EXPECT_EQ(d.rcItem.right - d.rcItem.left, 200);
  EXPECT_EQ(d.rcItem.bottom - d.rcItem.top, 15);
  // Invalidating without erasing draws it again.
  InvalidateRect(bar, nullptr, FALSE);
  vplat::PumpMessages();
  EXPECT_EQ(draws().size(), 2u);
}

// A label lets clicks through to the window beneath; with SS_NOTIFY it
// takes them and reports them.
TEST_F(ButtonTest, StaticsAreTransparentToTheMouseUnlessTheyNotify) {
  HWND label = Child(u"Static", SS_LEFT, 20, 20, 100, 20, 5, u"label");
  HWND notify = Child(u"Static", SS_LEFT | SS_NOTIFY, 20, 60, 100, 20, 6, u"link");
  POINT p = Screen(label, POINT{5, 5});
  EXPECT_EQ(WindowFromPoint(p), parent);
  p = Screen(notify, POINT{5, 5});
  EXPECT_EQ(WindowFromPoint(p), notify);
  Click(notify);
  auto got = Got(WM_COMMAND, STN_CLICKED);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].id, 6);
  EXPECT_EQ(vplat::GetWindowTextUtf8(label), "label");
}

}  // namespace
