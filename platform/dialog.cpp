// Dialog boxes: the "#32770" class, creation from templates, the modal
// loop, the dialog manager's keyboard interface and the GetDlgItem family.
//
// Dialog units become pixels with a fixed base unit of 6 x 13 pixels per
// 4 x 8 units, whatever the template's font (the font is still created and
// handed to the dialog and its controls with WM_SETFONT). Template menus
// are not loaded, keyboard mnemonics are not matched, and a control that is
// itself a dialog (DS_CONTROL) is not entered by Tab.
#include <windows.h>

#include <vplatform/classes.h>
#include <vplatform/clock.h>
#include <vplatform/dialogs.h>
#include <vplatform/utf8.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "controlsupport.h"
#include "dialogautomation.h"
#include "dialogtemplate.h"

namespace {

using namespace vplat::detail;

constexpr int kBaseX = 6;             // pixels per 4 horizontal dialog units
constexpr int kBaseY = 13;            // pixels per 8 vertical dialog units
constexpr WPARAM kMsgfDialogBox = 0;  // MSGF_DIALOGBOX for WM_ENTERIDLE

struct DialogInfo {
  bool modal = false;
  bool ended = false;
  INT_PTR result = 0;
  HWND owner = nullptr;
  bool reenableOwner = false;
  HFONT font = nullptr;     // created from the template; deleted with the dialog
  HFONT current = nullptr;  // WM_SETFONT / WM_GETFONT
  WORD defId = 0;           // set by DM_SETDEFID; 0: look for BS_DEFPUSHBUTTON
  HWND focusSave = nullptr;
  int resourceId = 0;
};

// Keyed by window; an entry lives from creation to WM_NCDESTROY. The modal
// loop keeps its own reference so that the result survives destruction.
std::unordered_map<HWND, std::shared_ptr<DialogInfo>> &Dialogs() {
  static std::unordered_map<HWND, std::shared_ptr<DialogInfo>> dialogs;
  return dialogs;
}
std::vector<HWND> &ModalStack() {
  static std::vector<HWND> stack;
  return stack;
}

std::shared_ptr<DialogInfo> Info(HWND hwnd) {
  auto it = Dialogs().find(hwnd);
  return it == Dialogs().end() ? nullptr : it->second;
}

LONG_PTR Style(HWND hwnd) { return GetWindowLongPtrW(hwnd, GWL_STYLE); }

RECT MapUnits(int x, int y, int cx, int cy) {
  RECT r;
  r.left = MulDiv(x, kBaseX, 4);
  r.top = MulDiv(y, kBaseY, 8);
  r.right = r.left + MulDiv(cx, kBaseX, 4);
  r.bottom = r.top + MulDiv(cy, kBaseY, 8);
  return r;
}

// The direct child of dlg that is or contains hwnd.
HWND DirectChild(HWND dlg, HWND hwnd) {
  while (hwnd && GetParent(hwnd) != dlg) {
    if (!(Style(hwnd) & WS_CHILD)) return nullptr;
    hwnd = GetParent(hwnd);
  }
  return hwnd;
}

std::vector<HWND> Children(HWND dlg) {
  std::vector<HWND> out;
  for (HWND w = GetWindow(dlg, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) out.push_back(w);
  return out;
}

bool Usable(HWND w) { return (Style(w) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE; }

LRESULT DlgCode(HWND w, const MSG *m = nullptr) {
  return SendMessageW(w, WM_GETDLGCODE, m ? m->wParam : 0, reinterpret_cast<LPARAM>(m));
}

// Gives a control the focus as the dialog manager does: an edit field gets
// all its text selected.
void DlgSetFocus(HWND ctl) {
  if (!ctl) return;
  if (DlgCode(ctl) & DLGC_HASSETSEL) SendMessageW(ctl, EM_SETSEL, 0, -1);
  SetFocus(ctl);
}

HWND FirstTabItem(HWND dlg) { return GetNextDlgTabItem(dlg, nullptr, FALSE); }

void RestoreFocus(HWND dlg, DialogInfo &info) {
  HWND target = info.focusSave;
  if (!target || !IsWindow(target) || !IsChild(dlg, target)) target = FirstTabItem(dlg);
  if (target) SetFocus(target);
}

bool CancelEnabled(HWND dlg) {
  HWND cancel = GetDlgItem(dlg, IDCANCEL);
  return !cancel || IsWindowEnabled(cancel);
}

void SendCommand(HWND dlg, int id) {
  SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

HBRUSH DefaultColour(UINT msg, HDC dc) {
  const bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_3DFACE));
  return GetSysColorBrush(window ? COLOR_WINDOW : COLOR_3DFACE);
}

LRESULT DefaultHandling(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool ansi) {
  auto info = Info(hwnd);
  switch (msg) {
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      HBRUSH brush = reinterpret_cast<HBRUSH>(
          SendMessageW(hwnd, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(hwnd)));
      if (!brush) brush = GetSysColorBrush(COLOR_3DFACE);
      RECT rc;
      GetClientRect(hwnd, &rc);
      FillRect(dc, &rc, brush);
      return 1;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(DefaultColour(msg, reinterpret_cast<HDC>(wParam)));
    case WM_CLOSE:
      if (CancelEnabled(hwnd)) SendCommand(hwnd, IDCANCEL);
      return 0;
    case WM_SETFONT:
      if (info) info->current = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT: return info ? reinterpret_cast<LRESULT>(info->current) : 0;
    case WM_ACTIVATE:
      if (!info) break;
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) info->focusSave = focus;
      } else {
        RestoreFocus(hwnd, *info);
      }
      return 0;
    case WM_SETFOCUS:
      if (info) RestoreFocus(hwnd, *info);
      return 0;
    case WM_NEXTDLGCTL: {
      HWND target;
      if (LOWORD(lParam))
        target = reinterpret_cast<HWND>(wParam);
      else
        target = GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0);
      DlgSetFocus(target);
      return 0;
    }
    case DM_GETDEFID: {
      if (info && info->defId) return MAKELONG(info->defId, DC_HASDEFID);
      for (HWND w : Children(hwnd))
        if (DlgCode(w) & DLGC_DEFPUSHBUTTON) return MAKELONG(GetDlgCtrlID(w), DC_HASDEFID);
      return 0;
    }
    case DM_SETDEFID: {
      if (!info) return FALSE;
      for (HWND w : Children(hwnd)) {
        const LRESULT code = DlgCode(w);
        const bool isNew = GetDlgCtrlID(w) == static_cast<int>(wParam);
        if ((code & DLGC_DEFPUSHBUTTON) && !isNew)
          SendMessageW(w, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        if ((code & DLGC_UNDEFPUSHBUTTON) && isNew)
          SendMessageW(w, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
      }
      info->defId = static_cast<WORD>(wParam);
      return TRUE;
    }
    case DM_REPOSITION: {
      if (Style(hwnd) & WS_CHILD) return 0;
      RECT rc;
      GetWindowRect(hwnd, &rc);
      const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
      int x = std::max<LONG>(0, std::min<LONG>(rc.left, sw - (rc.right - rc.left)));
      int y = std::max<LONG>(0, std::min<LONG>(rc.top, sh - (rc.bottom - rc.top)));
      SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_NCDESTROY: {
      if (info && info->font) DeleteObject(info->font);
      Dialogs().erase(hwnd);
      break;
    }
    default: break;
  }
  return ansi ? DefWindowProcA(hwnd, msg, wParam, lParam)
              : DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Messages whose answer is the dialog procedure's return value itself
// rather than DWLP_MSGRESULT.
bool ReturnsValueDirectly(UINT msg) {
  switch (msg) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_INITDIALOG:
    case 0x0037:  // WM_QUERYDRAGICON
      return true;
    default: return false;
  }
}

LRESULT DefDlgProcImpl(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool ansi) {
  auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(hwnd, DWLP_DLGPROC));
  INT_PTR handled = 0;
  if (proc) {
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 0);
    handled = proc(hwnd, msg, wParam, lParam);
    if (!IsWindow(hwnd)) return ReturnsValueDirectly(msg) ? handled : 0;
  }
  if (handled) return ReturnsValueDirectly(msg) ? handled : GetWindowLongPtrW(hwnd, DWLP_MSGRESULT);
  return DefaultHandling(hwnd, msg, wParam, lParam, ansi);
}

void RegisterDialogClass() {
  WNDCLASSW wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_SAVEBITS;
  wc.lpfnWndProc = DefDlgProcW;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.lpszClassName = u"#32770";
  RegisterClassW(&wc);
}

const vplat::BuiltinClass dialogClass(&RegisterDialogClass);

HFONT CreateDialogFont(const DialogTemplate &t) {
  if (!t.hasFont) return nullptr;
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return CreateFontW(-MulDiv(t.pointSize, dpi ? dpi : 96, 72), 0, 0, 0,
                     t.weight ? t.weight : FW_NORMAL, t.italic, 0, 0, t.charset, 0, 0, 0, 0,
                     reinterpret_cast<LPCWSTR>(t.typeface.c_str()));
}

// Creates the dialog and its controls and initialises it. Returns NULL on
// failure (last error set).
HWND CreateFromTemplate(HINSTANCE inst, const void *data, size_t size, HWND parent, DLGPROC proc,
                        LPARAM param, bool ansi, bool modal, int resourceId) {
  DialogTemplate t;
  if (!ParseDialogTemplate(data, size, t)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  DWORD style = t.style;
  DWORD exStyle = t.exStyle;
  if (style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
  if (style & DS_CONTROL) {
    style &= ~static_cast<DWORD>(WS_CAPTION | WS_SYSMENU);
    exStyle |= WS_EX_CONTROLPARENT;
  }
  const bool child = (style & WS_CHILD) != 0;
  HWND owner = parent;
  if (!child && owner) owner = GetAncestor(owner, GA_ROOT);

  RECT rc = MapUnits(t.x, t.y, t.cx, t.cy);
  const LONG clientW = rc.right - rc.left, clientH = rc.bottom - rc.top;
  RECT frame{0, 0, clientW, clientH};
  AdjustWindowRectEx(&frame, style & ~static_cast<DWORD>(WS_VISIBLE), FALSE, exStyle);
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  int x = rc.left, y = rc.top;
  if (style & (DS_CENTER | DS_CENTERMOUSE)) {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (child && parent)
      GetClientRect(parent, &area);
    else if (owner && !(style & DS_CENTERMOUSE))
      GetWindowRect(owner, &area);
    POINT centre{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    if (style & DS_CENTERMOUSE) GetCursorPos(&centre);
    x = centre.x - w / 2;
    y = centre.y - h / 2;
  } else if (!child && owner && !(style & DS_ABSALIGN)) {
    POINT origin{0, 0};
    ClientToScreen(owner, &origin);
    x += origin.x;
    y += origin.y;
  }

  std::u16string cls = t.windowClass.isOrdinal ? u"" : t.windowClass.name;
  if (cls.empty()) cls = u"#32770";
  HWND dlg = CreateWindowExW(exStyle, reinterpret_cast<LPCWSTR>(cls.c_str()),
                             reinterpret_cast<LPCWSTR>(t.title.c_str()),
                             style & ~static_cast<DWORD>(WS_VISIBLE), x, y, w, h,
                             child ? parent : owner, nullptr, inst, nullptr);
  if (!dlg) return nullptr;

  auto info = std::make_shared<DialogInfo>();
  info->modal = modal;
  info->owner = owner;
  info->resourceId = resourceId;
  info->font = CreateDialogFont(t);
  Dialogs()[dlg] = info;
  SetWindowLongPtrW(dlg, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
  // An ANSI dialog gets ANSI messages: its window procedure becomes the
  // ANSI default procedure, which calls the dialog procedure as it is.
  if (ansi && cls == u"#32770")
    SetWindowLongPtrA(dlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefDlgProcA));
  if (info->font) SendMessageW(dlg, WM_SETFONT, reinterpret_cast<WPARAM>(info->font), FALSE);

  for (const DialogItemTemplate &item : t.items) {
    RECT r = MapUnits(item.x, item.y, item.cx, item.cy);
    std::u16string text = item.text.isOrdinal ? u"" : item.text.name;
    HWND ctl = CreateWindowExW(
        item.exStyle | WS_EX_NOPARENTNOTIFY, reinterpret_cast<LPCWSTR>(item.className.c_str()),
        reinterpret_cast<LPCWSTR>(text.c_str()), item.style | WS_CHILD, r.left, r.top,
        r.right - r.left, r.bottom - r.top, dlg,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), inst,
        item.creationData.empty() ? nullptr : const_cast<BYTE *>(item.creationData.data()));
    if (!ctl) {
      if (style & DS_NOFAILCREATE) continue;
      DWORD err = GetLastError();
      DestroyWindow(dlg);
      SetLastError(err);
      return nullptr;
    }
    if (info->font) SendMessageW(ctl, WM_SETFONT, reinterpret_cast<WPARAM>(info->font), FALSE);
  }

  HWND candidate = FirstTabItem(dlg);
  const LRESULT setFocus =
      SendMessageW(dlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(candidate), param);
  if (!IsWindow(dlg)) return nullptr;
  if (setFocus) {
    info->focusSave = candidate;
  } else {
    HWND focus = GetFocus();
    if (focus && IsChild(dlg, focus)) info->focusSave = focus;
  }
  if ((style & WS_VISIBLE) && !info->ended) ShowWindow(dlg, SW_SHOWNORMAL);
  if (setFocus && candidate && IsWindow(candidate) && !info->ended) DlgSetFocus(candidate);
  return dlg;
}

std::string Utf8Title(HWND dlg) {
  int n = GetWindowTextLengthW(dlg);
  std::u16string t(static_cast<size_t>(n) + 1, u'\0');
  t.resize(static_cast<size_t>(GetWindowTextW(dlg, reinterpret_cast<LPWSTR>(t.data()), n + 1)));
  return vplat::Utf8FromUtf16(t);
}

INT_PTR RunModal(HINSTANCE inst, const void *data, size_t size, HWND parent, DLGPROC proc,
                 LPARAM param, bool ansi, int resourceId) {
  HWND dlg = CreateFromTemplate(inst, data, size, parent, proc, param, ansi, true, resourceId);
  if (!dlg) return -1;
  std::shared_ptr<DialogInfo> info = Info(dlg);
  HWND owner = info->owner;
  if (owner && IsWindowEnabled(owner) && !info->ended) {
    EnableWindow(owner, FALSE);
    info->reenableOwner = true;
  }
  ModalStack().push_back(dlg);
  if (!info->ended && IsWindow(dlg)) {
    if (!IsWindowVisible(dlg)) ShowWindow(dlg, SW_SHOWNORMAL);
    RunModalDialogHandlers(dlg, [&] { return info->ended || !IsWindow(dlg); });
  }

  const vplat::clock::Micros start = vplat::clock::Now();
  const DWORD style = static_cast<DWORD>(Style(dlg));
  bool idleSent = false;
  while (!info->ended && IsWindow(dlg)) {
    MSG m;
    if (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (m.message == WM_QUIT) {
        // Leave the quit request for the outer loop.
        PostQuitMessage(static_cast<int>(m.wParam));
        break;
      }
      if (!IsDialogMessageW(dlg, &m)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
      }
      idleSent = false;
      continue;
    }
    if (!idleSent && owner && IsWindow(owner) && !(style & DS_NOIDLEMSG)) {
      idleSent = true;
      SendMessageW(owner, WM_ENTERIDLE, kMsgfDialogBox, reinterpret_cast<LPARAM>(dlg));
      continue;
    }
    std::optional<vplat::clock::Micros> next = vplat::clock::NextEventTime();
    if (next && *next <= start + UnattendedLimit()) {
      vplat::clock::AdvanceTo(*next);
      idleSent = false;
      continue;
    }
    // Nobody is going to answer: press Escape for the user, then insist.
    const std::string title = Utf8Title(dlg);
    if (CancelEnabled(dlg)) SendCommand(dlg, IDCANCEL);
    if (!info->ended && IsWindow(dlg)) EndDialog(dlg, IDCANCEL);
    char what[64];
    std::snprintf(what, sizeof what, "resource %d", info->resourceId);
    AddDialogDiagnostic("modal dialog \"" + title + "\" (" +
                        (info->resourceId ? what : "template in memory") + ") was not answered; " +
                        (next ? "unattended limit reached" : "nothing left to wait for") +
                        "; ended with " + std::to_string(info->result));
  }
  if (info->reenableOwner && owner && IsWindow(owner)) EnableWindow(owner, TRUE);
  info->reenableOwner = false;
  std::erase(ModalStack(), dlg);
  if (IsWindow(dlg)) DestroyWindow(dlg);
  return info->result;
}

// Resource lookup for the named forms.
const void *FindTemplate(HINSTANCE inst, const void *name, bool ansi, size_t &size) {
  HRSRC res = ansi ? FindResourceA(inst, static_cast<LPCSTR>(name), MAKEINTRESOURCEA(5))
                   : FindResourceW(inst, static_cast<LPCWSTR>(name), MAKEINTRESOURCEW(5));
  if (!res) return nullptr;
  HGLOBAL mem = LoadResource(inst, res);
  size = SizeofResource(inst, res);
  return mem ? LockResource(mem) : nullptr;
}

int ResourceIdOf(const void *name) {
  return IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<ULONG_PTR>(name)) : 0;
}

INT_PTR DialogBoxNamed(HINSTANCE inst, const void *name, HWND parent, DLGPROC proc, LPARAM param,
                       bool ansi) {
  size_t size = 0;
  const void *t = FindTemplate(inst, name, ansi, size);
  if (!t) return -1;
  return RunModal(inst, t, size, parent, proc, param, ansi, ResourceIdOf(name));
}

HWND CreateDialogNamed(HINSTANCE inst, const void *name, HWND parent, DLGPROC proc, LPARAM param,
                       bool ansi) {
  size_t size = 0;
  const void *t = FindTemplate(inst, name, ansi, size);
  if (!t) return nullptr;
  return CreateFromTemplate(inst, t, size, parent, proc, param, ansi, false, ResourceIdOf(name));
}

// ---- keyboard interface ---------------------------------------------------------

BOOL DialogMessage(HWND dlg, LPMSG msg, bool ansi) {
  if (!dlg || !msg || !IsWindow(dlg)) return FALSE;
  if (msg->hwnd != dlg && !IsChild(dlg, msg->hwnd)) return FALSE;
  switch (msg->message) {
    case WM_KEYDOWN: {
      const LRESULT code = DlgCode(msg->hwnd, msg);
      if (code & DLGC_WANTMESSAGE) break;
      switch (msg->wParam) {
        case VK_TAB: {
          if (code & DLGC_WANTTAB) break;
          const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
          DlgSetFocus(GetNextDlgTabItem(dlg, GetFocus(), back));
          return TRUE;
        }
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: {
          if (code & DLGC_WANTARROWS) break;
          const bool back = msg->wParam == VK_LEFT || msg->wParam == VK_UP;
          HWND target = GetNextDlgGroupItem(dlg, GetFocus(), back);
          if (target && target != GetFocus()) {
            DlgSetFocus(target);
            const LRESULT tc = DlgCode(target);
            if ((tc & DLGC_RADIOBUTTON) && (Style(target) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
              SendMessageW(target, BM_CLICK, 0, 0);
          }
          return TRUE;
        }
        case VK_ESCAPE:
          if (CancelEnabled(dlg)) SendCommand(dlg, IDCANCEL);
          return TRUE;
        case VK_RETURN: {
          HWND focus = GetFocus();
          const LRESULT fc = focus && IsChild(dlg, focus) ? DlgCode(focus) : 0;
          if ((fc & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) && IsWindowEnabled(focus)) {
            SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                         reinterpret_cast<LPARAM>(focus));
            return TRUE;
          }
          const LRESULT def = SendMessageW(dlg, DM_GETDEFID, 0, 0);
          const int id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
          HWND button = GetDlgItem(dlg, id);
          if (button && !IsWindowEnabled(button)) return TRUE;
          SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(button));
          return TRUE;
        }
        default: break;
      }
      break;
    }
    case WM_CHAR: {
      const LRESULT code = DlgCode(msg->hwnd, msg);
      if (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) break;
      // The keys handled above leave their characters nowhere to go.
      if (msg->wParam == u'\t' || msg->wParam == u'\r' || msg->wParam == 0x1B) return TRUE;
      break;
    }
    default: break;
  }
  TranslateMessage(msg);
  if (ansi)
    DispatchMessageA(msg);
  else
    DispatchMessageW(msg);
  return TRUE;
}

UINT ParseInt(const std::u16string &t, BOOL *ok, BOOL isSigned) {
  if (ok) *ok = FALSE;
  size_t i = 0;
  while (i < t.size() && t[i] == u' ') ++i;
  bool negative = false;
  if (isSigned && i < t.size() && t[i] == u'-') {
    negative = true;
    ++i;
  }
  const size_t digitsStart = i;
  unsigned long long v = 0;
  for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i) {
    v = v * 10 + static_cast<unsigned>(t[i] - u'0');
    if (v > 0xFFFFFFFFull) return 0;
  }
  if (i == digitsStart) return 0;
  while (i < t.size() && t[i] == u' ') ++i;
  if (i != t.size()) return 0;
  if (isSigned) {
    if (negative ? v > 0x80000000ull : v > static_cast<unsigned long long>(INT_MAX)) return 0;
    if (ok) *ok = TRUE;
    return static_cast<UINT>(negative ? -static_cast<long long>(v) : static_cast<long long>(v));
  }
  if (ok) *ok = TRUE;
  return static_cast<UINT>(v);
}

// Windows in Z order (GW_CHILD / GW_HWNDNEXT) of dlg, for the tab and group
// walks, starting after (or before) start and wrapping round.
HWND Walk(HWND dlg, HWND start, bool back, const std::function<bool(HWND)> &accept) {
  std::vector<HWND> kids = Children(dlg);
  if (kids.empty()) return nullptr;
  const int n = static_cast<int>(kids.size());
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (kids[static_cast<size_t>(i)] == start) at = i;
  for (int k = 1; k <= n; ++k) {
    int i = at < 0 ? (back ? n - k : k - 1) : ((at + (back ? -k : k)) % n + n) % n;
    HWND w = kids[static_cast<size_t>(i)];
    if (accept(w)) return w;
  }
  return nullptr;
}

}  // namespace

extern "C" {

INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  return DialogBoxNamed(hInstance, lpTemplateName, hWndParent, lpDialogFunc, dwInitParam, true);
}
INT_PTR WINAPI DialogBoxParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  return DialogBoxNamed(hInstance, lpTemplateName, hWndParent, lpDialogFunc, dwInitParam, false);
}
INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA hDialogTemplate,
                                       HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  return RunModal(hInstance, hDialogTemplate, SIZE_MAX, hWndParent, lpDialogFunc, dwInitParam, true,
                  0);
}
INT_PTR WINAPI DialogBoxIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW hDialogTemplate,
                                       HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  return RunModal(hInstance, hDialogTemplate, SIZE_MAX, hWndParent, lpDialogFunc, dwInitParam,
                  false, 0);
}
HWND WINAPI CreateDialogParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  return CreateDialogNamed(hInstance, lpTemplateName, hWndParent, lpDialogFunc, dwInitParam, true);
}
HWND WINAPI CreateDialogParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  return CreateDialogNamed(hInstance, lpTemplateName, hWndParent, lpDialogFunc, dwInitParam, false);
}
HWND WINAPI CreateDialogIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA lpTemplate,
                                       HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  return CreateFromTemplate(hInstance, lpTemplate, SIZE_MAX, hWndParent, lpDialogFunc, dwInitParam,
                            true, false, 0);
}
HWND WINAPI CreateDialogIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW lpTemplate,
                                       HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  return CreateFromTemplate(hInstance, lpTemplate, SIZE_MAX, hWndParent, lpDialogFunc, dwInitParam,
                            false, false, 0);
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
  auto info = Info(hDlg);
  if (!info) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  info->result = nResult;
  info->ended = true;
  // The owner comes back before the dialog goes, so that it is the window
  // activated when the dialog disappears.
  if (info->reenableOwner && info->owner && IsWindow(info->owner)) {
    EnableWindow(info->owner, TRUE);
    info->reenableOwner = false;
  }
  ShowWindow(hDlg, SW_HIDE);
  return TRUE;
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
  if (!IsWindow(hDlg)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  for (HWND w = GetWindow(hDlg, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
    if (GetDlgCtrlID(w) == nIDDlgItem) return w;
  SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
  return nullptr;
}

UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
  HWND ctl = GetDlgItem(hDlg, nIDDlgItem);
  if (!ctl) {
    if (lpString && cchMax > 0) lpString[0] = 0;
    return 0;
  }
  return static_cast<UINT>(GetWindowTextA(ctl, lpString, cchMax));
}

UINT WINAPI GetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPWSTR lpString, int cchMax) {
  HWND ctl = GetDlgItem(hDlg, nIDDlgItem);
  if (!ctl) {
    if (lpString && cchMax > 0) lpString[0] = 0;
    return 0;
  }
  return static_cast<UINT>(GetWindowTextW(ctl, lpString, cchMax));
}

BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
  HWND ctl = GetDlgItem(hDlg, nIDDlgItem);
  return ctl ? SetWindowTextA(ctl, lpString) : FALSE;
}

BOOL WINAPI SetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPCWSTR lpString) {
  HWND ctl = GetDlgItem(hDlg, nIDDlgItem);
  return ctl ? SetWindowTextW(ctl, lpString) : FALSE;
}

UINT WINAPI GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL *lpTranslated, BOOL bSigned) {
  if (lpTranslated) *lpTranslated = FALSE;
  HWND ctl = GetDlgItem(hDlg, nIDDlgItem);
  if (!ctl) return 0;
  const int n = GetWindowTextLengthW(ctl);
  std::u16string t(static_cast<size_t>(n) + 1, u'\0');
  t.resize(static_cast<size_t>(GetWindowTextW(ctl, reinterpret_cast<LPWSTR>(t.data()), n + 1)));
  return ParseInt(t, lpTranslated, bSigned);
}

BOOL WINAPI SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned) {
  char buf[16];
  if (bSigned)
    std::snprintf(buf, sizeof buf, "%d", static_cast<int>(uValue));
  else
    std::snprintf(buf, sizeof buf, "%u", uValue);
  return SetDlgItemTextA(hDlg, nIDDlgItem, buf);
}

BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
  HWND ctl = GetDlgItem(hDlg, nIDButton);
  if (!ctl) return FALSE;
  SendMessageW(ctl, BM_SETCHECK, uCheck, 0);
  return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton) {
  HWND ctl = GetDlgItem(hDlg, nIDButton);
  return ctl ? static_cast<UINT>(SendMessageW(ctl, BM_GETCHECK, 0, 0)) : 0;
}

BOOL WINAPI CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
  if (!IsWindow(hDlg)) return FALSE;
  for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
    if (HWND ctl = GetDlgItem(hDlg, id))
      SendMessageW(ctl, BM_SETCHECK, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED, 0);
  return TRUE;
}

LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam,
                                   LPARAM lParam) {
  HWND ctl = GetDlgItem(hDlg, nIDDlgItem);
  return ctl ? SendMessageA(ctl, Msg, wParam, lParam) : 0;
}

LRESULT WINAPI SendDlgItemMessageW(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam,
                                   LPARAM lParam) {
  HWND ctl = GetDlgItem(hDlg, nIDDlgItem);
  return ctl ? SendMessageW(ctl, Msg, wParam, lParam) : 0;
}

BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect) {
  if (!lpRect || !IsWindow(hDlg)) return FALSE;
  lpRect->left = MulDiv(lpRect->left, kBaseX, 4);
  lpRect->right = MulDiv(lpRect->right, kBaseX, 4);
  lpRect->top = MulDiv(lpRect->top, kBaseY, 8);
  lpRect->bottom = MulDiv(lpRect->bottom, kBaseY, 8);
  return TRUE;
}

LONG WINAPI GetDialogBaseUnits(void) { return MAKELONG(kBaseX, kBaseY); }

BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG lpMsg) { return DialogMessage(hDlg, lpMsg, true); }
BOOL WINAPI IsDialogMessageW(HWND hDlg, LPMSG lpMsg) { return DialogMessage(hDlg, lpMsg, false); }

LRESULT WINAPI DefDlgProcA(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return DefDlgProcImpl(hDlg, Msg, wParam, lParam, true);
}
LRESULT WINAPI DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return DefDlgProcImpl(hDlg, Msg, wParam, lParam, false);
}

HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
  if (!IsWindow(hDlg)) return nullptr;
  HWND start = hCtl ? DirectChild(hDlg, hCtl) : nullptr;
  HWND found = Walk(hDlg, start, bPrevious != FALSE,
                    [](HWND w) { return Usable(w) && (Style(w) & WS_TABSTOP); });
  return found ? found : start;
}

HWND WINAPI GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
  if (!IsWindow(hDlg)) return nullptr;
  HWND start = hCtl ? DirectChild(hDlg, hCtl) : nullptr;
  if (!start) return FirstTabItem(hDlg);
  // The group: from the nearest WS_GROUP at or before start to the window
  // before the next WS_GROUP.
  std::vector<HWND> kids = Children(hDlg);
  size_t at = 0;
  while (at < kids.size() && kids[at] != start) ++at;
  if (at == kids.size()) return start;
  size_t first = at;
  while (first > 0 && !(Style(kids[first]) & WS_GROUP)) --first;
  size_t last = at;
  while (last + 1 < kids.size() && !(Style(kids[last + 1]) & WS_GROUP)) ++last;
  const size_t n = last - first + 1;
  for (size_t k = 1; k < n; ++k) {
    size_t i = bPrevious ? first + (at - first + n - k) % n : first + (at - first + k) % n;
    if (Usable(kids[i])) return kids[i];
  }
  return start;
}

}  // extern "C"

namespace vplat::dialogs {

int DialogResourceId(HWND dialog) {
  auto info = Info(dialog);
  return info ? info->resourceId : 0;
}

std::vector<HWND> OpenModalDialogs() { return ModalStack(); }

}  // namespace vplat::dialogs
