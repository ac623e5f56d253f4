#include <vplatform/classes.h>
#include <vplatform/clock.h>
#include <vplatform/input.h>

#include "window_test_support.h"

using namespace wmtest;

namespace {

int gBuiltinRuns = 0;

void RegisterBuiltinForTest() {
  ++gBuiltinRuns;
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"TestBuiltin";
  RegisterClassW(&wc);
}

const vplat::BuiltinClass builtin(&RegisterBuiltinForTest);

}  // namespace

class Automation : public WindowTest {};

TEST_F(Automation, BuiltinClassesRegisterOnFirstUseAndAgainAfterReset) {
  int before = gBuiltinRuns;  // SetUp's RegisterClassW already looked classes up
  EXPECT_GE(before, 1);
  HWND h = CreateWindowExW(0, u"testbuiltin", u"x", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                           nullptr);
  EXPECT_TRUE(h);
  EXPECT_EQ(gBuiltinRuns, before);  // once per reset, not per lookup
  vplat::ResetWindowManager();
  EXPECT_FALSE(IsWindow(h));
  EXPECT_TRUE(vplat::TopLevelWindows().empty());
  WNDCLASSW info;
  EXPECT_TRUE(GetClassInfoW(nullptr, u"TestBuiltin", &info));
  EXPECT_EQ(gBuiltinRuns, before + 1);
  EXPECT_FALSE(GetClassInfoW(nullptr, kTraceClass, &info));  // application classes are gone
}

TEST_F(Automation, FindsWindowsAndReadsTheirState) {
  HWND dlg = Top(10, 20, 300, 200, WS_POPUP | WS_VISIBLE | WS_BORDER, 0, nullptr, u"Réglages");
  HWND ok = Child(dlg, IDOK, 5, 5, 50, 20);
  HWND box = Child(dlg, 40, 5, 40, 200, 100);
  HWND inner = Child(box, 41, 0, 0, 10, 10, WS_CHILD | WS_DISABLED);
  SetWindowTextW(ok, u"OK");
  EXPECT_EQ(vplat::FindWindowByTitle("Réglages"), dlg);
  EXPECT_EQ(vplat::FindWindowByTitle("OK"), ok);
  EXPECT_EQ(vplat::FindWindowByTitle("ok"), nullptr);  // titles compare exactly
  EXPECT_EQ(vplat::FindWindowByClass("tracewindow", box), inner);
  EXPECT_EQ(vplat::FindChildById(dlg, 41), inner);
  EXPECT_EQ(vplat::FindChildById(box, IDOK), nullptr);
  EXPECT_EQ(FindWindowW(kTraceClass, u"RÉGLAGES") == dlg, false);  // ASCII folding only
  EXPECT_EQ(FindWindowW(nullptr, u"r\u00E9GLAGES"), dlg);

  vplat::WindowState s = vplat::GetWindowState(inner);
  EXPECT_EQ(s.className, "TraceWindow");
  EXPECT_EQ(s.id, 41);
  EXPECT_FALSE(s.visible);
  EXPECT_FALSE(s.enabled);
  EXPECT_EQ(s.parent, box);
  EXPECT_EQ(s.rect.left, 10 + 1 + 5);
  EXPECT_EQ(s.rect.top, 20 + 1 + 40);
  vplat::WindowState d = vplat::GetWindowState(dlg);
  EXPECT_EQ(d.text, "Réglages");
  EXPECT_TRUE(d.visible);
  EXPECT_EQ(d.client.left, 11);
  EXPECT_EQ(vplat::GetWindowState(reinterpret_cast<HWND>(0x1234)).hwnd, nullptr);

  EXPECT_TRUE(vplat::SetWindowTextUtf8(ok, "Fermer"));
  EXPECT_EQ(vplat::GetWindowTextUtf8(ok), "Fermer");
}

TEST_F(Automation, ResetClearsQueueInputClockAndFocus) {
  HWND h = Top(0, 0, 100, 100);
  SetFocus(h);
  vplat::KeyDown(VK_SHIFT);
  vplat::MoveCursor(50, 50);
  PostQuitMessage(0);
  vplat::clock::Schedule(1000, [] {});
  Sleep(5);
  vplat::SetScreenSize(800, 600);
  vplat::ResetWindowManager();
  MSG m;
  EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(GetAsyncKeyState(VK_SHIFT), 0);
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(GetTickCount(), 0u);
  EXPECT_FALSE(vplat::clock::NextEventTime().has_value());
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
}
