#include <vplatform/clock.h>
#include <vplatform/input.h>

#include "window_test_support.h"

using namespace wmtest;

class Queue : public WindowTest {};

TEST_F(Queue, SentMessagesRunAtOncePostedOnesWhenTaken) {
  HWND h = Top(0, 0, 10, 10);
  vplat::PumpMessages();
  Trace().clear();
  PostMessageW(h, WM_USER + 1, 0, 0);
  SendMessageW(h, WM_USER + 2, 0, 0);
  PostMessageW(h, WM_USER + 3, 0, 0);
  EXPECT_EQ(Messages(h), std::vector<Msg>{WM_USER + 2});
  EXPECT_EQ(vplat::PumpMessages(), 2);
  EXPECT_EQ(Messages(h), (std::vector<Msg>{WM_USER + 2, WM_USER + 1, WM_USER + 3}));
}

TEST_F(Queue, FiltersNoRemoveQuitAndPaintOrder) {
  HWND a = Top(0, 0, 10, 10);
  HWND b = Top(0, 0, 10, 10);
  vplat::PumpMessages();  // first paints
  InvalidateRect(a, nullptr, TRUE);
  PostQuitMessage(3);
  PostMessageW(a, WM_USER, 1, 0);
  PostMessageW(b, WM_USER, 2, 0);
  PostMessageW(nullptr, WM_APP, 3, 0);
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, b, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.wParam, 2u);
  ASSERT_TRUE(PeekMessageW(&m, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_APP));
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_USER, WM_USER, PM_REMOVE));
  EXPECT_EQ(m.wParam, 1u);
  ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.wParam, 2u);
  // The quit request comes after posted messages, before painting.
  ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(GetMessageW(&m, nullptr, 0, 0), 0);
  EXPECT_EQ(m.wParam, 3u);
  // WM_PAINT stays until the region is validated.
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(m.hwnd, a);
  }
  ValidateRect(a, nullptr);
  EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Queue, GetMessageWaitsOnTheClockAndGivesUpWhenNothingCanArrive) {
  HWND h = Top(0, 0, 10, 10);
  vplat::PumpMessages();
  vplat::clock::Schedule(250'000, [h] { PostMessageW(h, WM_USER, 9, 0); });
  MSG m;
  ASSERT_EQ(GetMessageW(&m, nullptr, 0, 0), 1);
  EXPECT_EQ(m.message, static_cast<UINT>(WM_USER));
  EXPECT_EQ(m.time, 250u);
  EXPECT_EQ(GetTickCount(), 250u);
  SetLastError(0);
  EXPECT_EQ(GetMessageW(&m, nullptr, 0, 0), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
}

TEST_F(Queue, TimersFireOnTheClockAndCoalesce) {
  HWND h = Top(0, 0, 10, 10);
  vplat::PumpMessages();
  static int procCalls;
  procCalls = 0;
  EXPECT_EQ(SetTimer(h, 5, 100, nullptr), 5u);
  UINT_PTR thread = SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR, DWORD) { ++procCalls; });
  EXPECT_NE(thread, 0u);
  MSG m;
  EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
  Sleep(350);  // window timer due three times, one message waits
  int windowTimers = 0;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.hwnd == h && m.message == WM_TIMER && m.wParam == 5) ++windowTimers;
    DispatchMessageW(&m);
  }
  EXPECT_EQ(windowTimers, 1);
  EXPECT_EQ(procCalls, 1);
  // GetMessage waits for the next tick: the thread timer at 360 ms.
  ASSERT_EQ(GetMessageW(&m, nullptr, 0, 0), 1);
  EXPECT_EQ(m.message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(GetTickCount(), 360u);
  EXPECT_TRUE(KillTimer(h, 5));
  EXPECT_TRUE(KillTimer(nullptr, thread));
  EXPECT_FALSE(KillTimer(h, 5));
  EXPECT_EQ(GetMessageW(&m, nullptr, 0, 0), -1);  // nothing left to wait for
}

TEST_F(Queue, TranslateMessagePutsTheCharacterBeforeTheKeyUp) {
  HWND h = Top(0, 0, 10, 10);
  SetFocus(h);
  vplat::PumpMessages();
  Trace().clear();
  vplat::KeyDown(VK_SHIFT);
  vplat::KeyStroke('A');
  vplat::KeyUp(VK_SHIFT);
  vplat::KeyStroke('1');
  vplat::KeyStroke(VK_DELETE);  // types nothing
  vplat::PumpMessages();
  std::vector<std::pair<Msg, WPARAM>> got;
  for (const Seen &s : Trace())
    if (s.hwnd == h && s.msg >= WM_KEYFIRST && s.msg <= WM_KEYLAST)
      got.push_back({s.msg, s.wParam});
  std::vector<std::pair<Msg, WPARAM>> want{
      {WM_KEYDOWN, VK_SHIFT},  {WM_KEYDOWN, 'A'},    {WM_CHAR, 'A'}, {WM_KEYUP, 'A'},
      {WM_KEYUP, VK_SHIFT},    {WM_KEYDOWN, '1'},    {WM_CHAR, '1'}, {WM_KEYUP, '1'},
      {WM_KEYDOWN, VK_DELETE}, {WM_KEYUP, VK_DELETE}};
  EXPECT_EQ(got, want);
}

// A progress loop that takes every pending message, sets an abort flag on
// an Escape key-down and translates and dispatches everything.
TEST_F(Queue, EscapeWaitingInTheQueueIsSeenByAPeekPumpWhicheverWindowHasTheFocus) {
  HWND progress = Top(0, 0, 200, 50);
  HWND other = Top(300, 0, 200, 50);
  HWND field = Child(other, 3, 0, 0, 50, 20);
  SetFocus(field);
  vplat::PumpMessages();
  vplat::KeyStroke(VK_ESCAPE);
  PostMessageW(progress, WM_USER, 0, 0);
  bool abort = false;
  int dispatched = 0;
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) abort = true;
    TranslateMessage(&m);
    DispatchMessageA(&m);
    ++dispatched;
  }
  EXPECT_TRUE(abort);
  EXPECT_EQ(dispatched, 4);  // key down, its WM_CHAR, key up, WM_USER
  EXPECT_EQ(Messages(field, {WM_KEYDOWN, WM_CHAR, WM_KEYUP}),
            (std::vector<Msg>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
  // Taken by the pump: a second pass sees nothing.
  abort = false;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
    if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) abort = true;
  EXPECT_FALSE(abort);
}

TEST_F(Queue, TypedTextArrivesAsUtf16Units) {
  HWND h = Top(0, 0, 10, 10);
  SetFocus(h);
  vplat::PumpMessages();
  vplat::TypeText("h\xC3\xA9");  // "hé"
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_CHAR, WM_CHAR, PM_NOREMOVE));
  EXPECT_EQ(m.wParam, static_cast<WPARAM>(u'h'));
  std::u16string viaW;
  while (PeekMessageW(&m, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE))
    viaW += static_cast<char16_t>(m.wParam);
  EXPECT_EQ(viaW, u"h\u00E9");
}
