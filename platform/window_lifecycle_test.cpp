#include "window_test_support.h"

using namespace wmtest;

namespace {

// Per-window record of WM_DESTROY / WM_NCDESTROY, with whether every
// child still existed when the parent got WM_DESTROY.
struct DestroyLog {
  std::vector<std::pair<HWND, Msg>> order;
  bool childrenAliveAtParentDestroy = false;
  HWND child1 = nullptr, child2 = nullptr;
};
DestroyLog *gLog = nullptr;

LRESULT CALLBACK DestroyProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (gLog && (m == WM_DESTROY || m == WM_NCDESTROY)) {
    gLog->order.push_back({h, m});
    if (m == WM_DESTROY && GetParent(h) == nullptr)
      gLog->childrenAliveAtParentDestroy = IsWindow(gLog->child1) && IsWindow(gLog->child2);
  }
  return DefWindowProcW(h, m, w, l);
}

}  // namespace

class Lifecycle : public WindowTest {};

TEST_F(Lifecycle, CreationSendsNcCreateCreateSizeMoveThenParentNotify) {
  HWND parent = Top(100, 100, 300, 200);
  Trace().clear();
  HWND child = Child(parent, 7, 10, 20, 50, 30);
  ASSERT_TRUE(child);
  std::vector<Msg> want{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE};
  EXPECT_EQ(Messages(child, {WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_PARENTNOTIFY}), want);
  ASSERT_EQ(Messages(parent, {WM_PARENTNOTIFY}).size(), 1u);
  for (const Seen &s : Trace()) {
    if (s.hwnd == child && s.msg == WM_SIZE) {
      EXPECT_EQ(s.lParam, MAKELPARAM(50, 30));
    }
    if (s.hwnd == child && s.msg == WM_MOVE) {
      EXPECT_EQ(s.lParam, MAKELPARAM(10, 20));
    }
    if (s.hwnd == parent && s.msg == WM_PARENTNOTIFY) {
      EXPECT_EQ(s.wParam, MAKEWPARAM(WM_CREATE, 7));
      EXPECT_EQ(reinterpret_cast<HWND>(s.lParam), child);
    }
  }
  EXPECT_EQ(GetDlgCtrlID(child), 7);
  EXPECT_EQ(GetParent(child), parent);
}

TEST_F(Lifecycle, CreationFailures) {
  SetLastError(0);
  EXPECT_EQ(CreateWindowExW(0, u"NoSuchClass", u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                            nullptr),
            nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
  EXPECT_EQ(CreateWindowExW(0, kTraceClass, u"", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                            nullptr),
            nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));

  // A procedure refusing WM_CREATE: no window, and it got WM_DESTROY.
  static int destroyed;
  destroyed = 0;
  WNDCLASSW wc{};
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_CREATE) return -1;
    if (m == WM_NCDESTROY) ++destroyed;
    return DefWindowProcW(h, m, w, l);
  };
  wc.lpszClassName = u"Refuses";
  ASSERT_TRUE(RegisterClassW(&wc));
  EXPECT_EQ(
      CreateWindowExW(0, u"refuses", u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
      nullptr);
  EXPECT_EQ(destroyed, 1);
  EXPECT_TRUE(vplat::TopLevelWindows().empty());
}

TEST_F(Lifecycle, DestroySendsDestroyParentFirstAndNcDestroyChildrenFirst) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DestroyProc;
  wc.lpszClassName = u"DestroyLog";
  ASSERT_TRUE(RegisterClassW(&wc));
  DestroyLog log;
  gLog = &log;
  HWND parent = CreateWindowExW(0, u"DestroyLog", u"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                nullptr, nullptr);
  log.child1 = CreateWindowExW(0, u"DestroyLog", u"", WS_CHILD, 0, 0, 10, 10, parent, nullptr,
                               nullptr, nullptr);
  log.child2 = CreateWindowExW(0, u"DestroyLog", u"", WS_CHILD, 0, 0, 10, 10, parent, nullptr,
                               nullptr, nullptr);
  HWND grandchild = CreateWindowExW(0, u"DestroyLog", u"", WS_CHILD, 0, 0, 5, 5, log.child1,
                                    nullptr, nullptr, nullptr);
  HWND owned = CreateWindowExW(0, u"DestroyLog", u"", WS_POPUP, 0, 0, 10, 10, parent, nullptr,
                               nullptr, nullptr);
  ASSERT_TRUE(parent && log.child1 && log.child2 && grandchild && owned);

  EXPECT_TRUE(DestroyWindow(parent));
  gLog = nullptr;
  std::vector<std::pair<HWND, Msg>> want{
      {owned, WM_DESTROY},        {owned, WM_NCDESTROY},  // owned windows go first
      {parent, WM_DESTROY},       {log.child1, WM_DESTROY},   {grandchild, WM_DESTROY},
      {log.child2, WM_DESTROY},   {grandchild, WM_NCDESTROY}, {log.child1, WM_NCDESTROY},
      {log.child2, WM_NCDESTROY}, {parent, WM_NCDESTROY},
  };
  EXPECT_EQ(log.order, want);
  EXPECT_TRUE(log.childrenAliveAtParentDestroy);
  for (HWND h : {parent, log.child1, log.child2, grandchild, owned}) EXPECT_FALSE(IsWindow(h));
  EXPECT_FALSE(DestroyWindow(parent));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  // Handles are not reused: a new window never takes a destroyed one's.
  HWND again = Top(0, 0, 1, 1);
  for (HWND h : {parent, log.child1, log.child2, grandchild, owned}) EXPECT_NE(again, h);
}

TEST_F(Lifecycle, DestroyDropsPostedMessagesAndClassesKeepCountOfWindows) {
  HWND a = Top(0, 0, 10, 10);
  HWND b = Top(0, 0, 10, 10);
  PostMessageW(a, WM_USER, 1, 0);
  PostMessageW(b, WM_USER, 2, 0);
  EXPECT_FALSE(UnregisterClassW(kTraceClass, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
  DestroyWindow(a);
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_USER, WM_USER, PM_REMOVE));
  EXPECT_EQ(m.hwnd, b);
  EXPECT_FALSE(PeekMessageW(&m, nullptr, WM_USER, WM_USER, PM_REMOVE));
  DestroyWindow(b);
  EXPECT_TRUE(UnregisterClassW(kTraceClass, nullptr));
  EXPECT_FALSE(UnregisterClassW(kTraceClass, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_DOES_NOT_EXIST));
}

TEST_F(Lifecycle, ClassesAreFoundIgnoringCaseAndByAtomAndCannotBeRegisteredTwice) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcA;
  wc.cbWndExtra = 8;
  wc.lpszClassName = "MixedCase";
  ATOM atom = RegisterClassExA(&wc);
  ASSERT_NE(atom, 0);
  EXPECT_EQ(RegisterClassExA(&wc), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  HWND h = CreateWindowExA(0, MAKEINTATOM(atom), "t", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                           nullptr, nullptr);
  ASSERT_TRUE(h);
  char name[32];
  EXPECT_EQ(GetClassNameA(h, name, sizeof name), 9);
  EXPECT_STREQ(name, "MixedCase");
  WNDCLASSW info{};
  ASSERT_TRUE(GetClassInfoW(nullptr, u"MIXEDCASE", &info));
  EXPECT_EQ(info.cbWndExtra, 8);
  EXPECT_FALSE(IsWindowUnicode(h));
  // An A procedure handed to a W caller is an opaque value, not the function.
  EXPECT_NE(reinterpret_cast<void *>(info.lpfnWndProc), reinterpret_cast<void *>(&DefWindowProcA));
  EXPECT_EQ(CallWindowProcW(info.lpfnWndProc, h, WM_GETTEXTLENGTH, 0, 0), 1);
}
