#include "gdi_testing.h"

#include <vplatform/windows.h>

#include <vector>

namespace {

struct Erase {
  HWND hwnd;
  WPARAM hdc;
};
std::vector<Erase> erasures;
LRESULT eraseAnswer = 0;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) {
    erasures.push_back({hwnd, wParam});
    return eraseAnswer;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class WindowDc : public ScreenTest {
 protected:
  void SetUp() override {
    vplat::ResetWindowManager();
    ScreenTest::SetUp();
    erasures.clear();
    eraseAnswer = 0;
    WNDCLASSW wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = u"GdiTestWindow";
    ASSERT_NE(RegisterClassW(&wc), 0);
    // A bordered popup, so that window and client rectangles differ.
    hwnd = CreateWindowExW(0, u"GdiTestWindow", u"", WS_POPUP | WS_BORDER | WS_VISIBLE, 50, 40, 100,
                           80, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    vplat::PumpMessages();  // the first WM_PAINT validates the new window
    erasures.clear();
    vplat::ClearScreen(RGB(0, 0, 0));
  }
  void TearDown() override {
    ScreenTest::TearDown();
    vplat::ResetWindowManager();
  }

  // The screen rectangle that turned white, or an empty one.
  static RECT WhiteArea() {
    RECT r{kWidth, kHeight, -1, -1};
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (Px(x, y) == RGB(255, 255, 255)) {
          r.left = std::min<LONG>(r.left, x), r.top = std::min<LONG>(r.top, y);
          r.right = std::max<LONG>(r.right, x + 1), r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    return r.right < 0 ? RECT{0, 0, 0, 0} : r;
  }
  static int WhiteCount() {
    const std::vector<COLORREF> p = vplat::CopyScreenPixels();
    return static_cast<int>(std::count(p.begin(), p.end(), RGB(255, 255, 255)));
  }
  static void FillAll(HDC dc) {
    RECT all{-1000, -1000, 1000, 1000};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  static void ExpectRect(const RECT &got, const RECT &want) {
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.right, want.right);
    EXPECT_EQ(got.bottom, want.bottom);
  }

  HWND hwnd = nullptr;
};

TEST_F(WindowDc, ClientDcStartsAtTheClientOriginAndIsClippedToIt) {
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  RECT client{};
  GetClientRect(hwnd, &client);
  ASSERT_NE(origin.x, 50);  // the border moves the client area in

  HDC dc = GetDC(hwnd);
  ASSERT_NE(dc, nullptr);
  RECT one{0, 0, 1, 1};
  FillRect(dc, &one, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ExpectRect(WhiteArea(), RECT{origin.x, origin.y, origin.x + 1, origin.y + 1});

  FillAll(dc);
  ExpectRect(WhiteArea(),
             RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom});
  EXPECT_EQ(WhiteCount(), client.right * client.bottom);
  RECT box{};
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  ExpectRect(box, client);

  // The DC follows the window when it moves.
  ASSERT_TRUE(SetWindowPos(hwnd, nullptr, 150, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
  vplat::ClearScreen(RGB(0, 0, 0));
  FillAll(dc);
  EXPECT_EQ(WhiteArea().left, origin.x + 100);
  EXPECT_EQ(WhiteArea().top, origin.y + 60);
  EXPECT_EQ(ReleaseDC(hwnd, dc), 1);
}

TEST_F(WindowDc, WindowDcCoversTheFrameAndHiddenWindowsDrawNothing) {
  RECT frame{};
  GetWindowRect(hwnd, &frame);
  HDC dc = GetWindowDC(hwnd);
  FillAll(dc);
  ExpectRect(WhiteArea(), frame);

  vplat::ClearScreen(RGB(0, 0, 0));
  ShowWindow(hwnd, SW_HIDE);
  FillAll(dc);
  MoveToEx(dc, 0, 0, nullptr);
  LineTo(dc, 50, 50);
  EXPECT_EQ(WhiteCount(), 0);
  RECT box{1, 1, 1, 1};
  EXPECT_EQ(GetClipBox(dc, &box), NULLREGION);
  ReleaseDC(hwnd, dc);

  EXPECT_EQ(GetDC(reinterpret_cast<HWND>(0x4321)), nullptr);
}

TEST_F(WindowDc, ChildDcStartsAtTheChildsClientArea) {
  HWND child = CreateWindowExW(0, u"GdiTestWindow", u"", WS_CHILD | WS_VISIBLE, 10, 5, 30, 20, hwnd,
                               nullptr, nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  POINT parentOrigin{0, 0};
  ClientToScreen(hwnd, &parentOrigin);
  HDC dc = GetDC(child);
  FillAll(dc);
  ExpectRect(WhiteArea(), RECT{parentOrigin.x + 10, parentOrigin.y + 5, parentOrigin.x + 40,
                               parentOrigin.y + 25});
  ReleaseDC(child, dc);
}

TEST_F(WindowDc, BeginPaintErasesWhenAskedClipsToTheUpdateAndValidates) {
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  struct Case {
    BOOL erase;
    LRESULT answer;
    size_t erasures;
    BOOL fErase;
  } cases[] = {
      {TRUE, 0, 1, TRUE},    // erase due, the window left it undone
      {TRUE, 1, 1, FALSE},   // erase due and done
      {FALSE, 0, 0, FALSE},  // no erase asked
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.erase ? (c.answer ? "erased" : "not erased") : "no erase");
    erasures.clear();
    eraseAnswer = c.answer;
    vplat::ClearScreen(RGB(0, 0, 0));
    RECT dirty{10, 10, 20, 25};
    ASSERT_TRUE(InvalidateRect(hwnd, &dirty, c.erase));
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(ps.hdc, dc);
    ExpectRect(ps.rcPaint, dirty);
    ASSERT_EQ(erasures.size(), c.erasures);
    if (c.erasures) {
      EXPECT_EQ(erasures[0].hwnd, hwnd);
      EXPECT_EQ(erasures[0].hdc, reinterpret_cast<WPARAM>(dc));
    }
    EXPECT_EQ(ps.fErase, c.fErase);
    RECT left{};
    EXPECT_FALSE(GetUpdateRect(hwnd, &left, FALSE));

    FillAll(dc);
    ExpectRect(WhiteArea(), RECT{origin.x + 10, origin.y + 10, origin.x + 20, origin.y + 25});
    EXPECT_EQ(ReleaseDC(hwnd, dc), 0);  // a paint DC is EndPaint's to free
    EXPECT_TRUE(EndPaint(hwnd, &ps));
    EXPECT_EQ(GetObjectType(dc), 0u);
  }

  // Nothing invalid: BeginPaint still gives a DC, one that draws nothing.
  vplat::ClearScreen(RGB(0, 0, 0));
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  ASSERT_NE(dc, nullptr);
  FillAll(dc);
  EXPECT_EQ(WhiteCount(), 0);
  EndPaint(hwnd, &ps);
}

}  // namespace
