// The "Edit" class: single-line and multi-line text fields.
//
// Implemented: the text and selection (WM_SETTEXT / WM_GETTEXT, EM_SETSEL /
// EM_GETSEL, EM_REPLACESEL), typing through WM_CHAR at the caret
// (backspace, Enter as CR LF in multi-line fields, Ctrl+A), caret keys and
// Delete through WM_KEYDOWN, mouse placement of the caret, the text limit
// (EM_LIMITTEXT / EM_SETLIMITTEXT / EM_GETLIMITTEXT, EN_MAXTEXT), the
// refusal of text that would not fit a single-line field without
// ES_AUTOHSCROLL (or the lines of a multi-line field without
// ES_AUTOVSCROLL), ES_NUMBER, ES_UPPERCASE, ES_LOWERCASE, ES_READONLY,
// ES_PASSWORD, the line queries (EM_GETLINECOUNT, EM_LINEINDEX,
// EM_LINELENGTH, EM_LINEFROMCHAR, EM_GETLINE), EM_GETMODIFY / EM_SETMODIFY,
// EN_UPDATE / EN_CHANGE / EN_SETFOCUS / EN_KILLFOCUS, and WM_GETDLGCODE as
// the dialog manager expects it.
//
// Left out: the clipboard (WM_COPY and WM_PASTE do nothing, WM_CUT only
// deletes), undo (EM_CANUNDO is FALSE), soft word wrap (lines are the hard
// CR LF lines) and horizontal scrolling state.
#include <windows.h>

#include <vplatform/classes.h>

#include <algorithm>
#include <vector>

#include "controlsupport.h"

namespace {

using namespace vplat::detail;

constexpr UINT kDefaultLimit = 32767;

struct EditState {
  std::u16string text;
  size_t anchor = 0;  // fixed end of the selection
  size_t caret = 0;   // moving end; the caret sits here
  UINT limit = kDefaultLimit;
  bool modified = false;
  bool focused = false;
  bool tracking = false;
  HFONT font = nullptr;
  WCHAR password = 0;
  int firstLine = 0;
  WORD leftMargin = 1, rightMargin = 1;
  LONG_PTR wordBreakProc = 0;
};

DWORD Style(HWND hwnd) { return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)); }
bool Multi(HWND hwnd) { return (Style(hwnd) & ES_MULTILINE) != 0; }

size_t SelMin(const EditState *s) { return std::min(s->anchor, s->caret); }
size_t SelMax(const EditState *s) { return std::max(s->anchor, s->caret); }

// Start offsets of the hard lines (broken at CR LF).
std::vector<size_t> LineStarts(const std::u16string &t) {
  std::vector<size_t> starts{0};
  for (size_t i = 0; i + 1 < t.size(); ++i)
    if (t[i] == u'\r' && t[i + 1] == u'\n') starts.push_back(i + 2);
  return starts;
}
size_t LineOf(const std::vector<size_t> &starts, size_t pos) {
  return static_cast<size_t>(std::upper_bound(starts.begin(), starts.end(), pos) - starts.begin()) -
         1;
}
size_t LineEnd(const std::u16string &t, const std::vector<size_t> &starts, size_t line) {
  return line + 1 < starts.size() ? starts[line + 1] - 2 : t.size();
}

// Steps over whole characters: a CR LF pair and a surrogate pair move as one.
size_t Prev(const std::u16string &t, size_t pos) {
  if (pos == 0) return 0;
  if (pos >= 2 && t[pos - 2] == u'\r' && t[pos - 1] == u'\n') return pos - 2;
  if (pos >= 2 && t[pos - 1] >= 0xDC00 && t[pos - 1] <= 0xDFFF && t[pos - 2] >= 0xD800 &&
      t[pos - 2] <= 0xDBFF)
    return pos - 2;
  return pos - 1;
}
size_t Next(const std::u16string &t, size_t pos) {
  if (pos >= t.size()) return t.size();
  if (pos + 1 < t.size() && t[pos] == u'\r' && t[pos + 1] == u'\n') return pos + 2;
  if (pos + 1 < t.size() && t[pos] >= 0xD800 && t[pos] <= 0xDBFF && t[pos + 1] >= 0xDC00 &&
      t[pos + 1] <= 0xDFFF)
    return pos + 2;
  return pos + 1;
}

// Text metrics of the control's font, measured on its own DC.
struct Measure {
  explicit Measure(HWND hwnd, EditState *s) : hwnd_(hwnd) {
    dc_ = GetDC(hwnd);
    if (dc_ && s->font) old_ = SelectObject(dc_, s->font);
  }
  ~Measure() {
    if (!dc_) return;
    if (old_) SelectObject(dc_, old_);
    ReleaseDC(hwnd_, dc_);
  }
  int width(std::u16string_view t) const {
    SIZE sz{0, 0};
    if (dc_ && !t.empty())
      GetTextExtentPoint32W(dc_, reinterpret_cast<LPCWSTR>(t.data()), static_cast<int>(t.size()),
                            &sz);
    return sz.cx;
  }
  int lineHeight() const {
    TEXTMETRICW tm{};
    if (dc_ && GetTextMetricsW(dc_, &tm) && tm.tmHeight > 0) return tm.tmHeight;
    return 16;
  }

 private:
  HWND hwnd_;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

std::u16string Shown(const EditState *s, std::u16string_view t) {
  std::u16string out(t);
  if (s->password) std::fill(out.begin(), out.end(), s->password);
  return out;
}

// Whether text would still fit where the control cannot scroll: the width
// of a single-line field without ES_AUTOHSCROLL, the height of a multi-line
// field without ES_AUTOVSCROLL. A scroll bar implies the scrolling style.
bool Fits(HWND hwnd, EditState *s, const std::u16string &text) {
  const DWORD style = Style(hwnd);
  RECT rc;
  GetClientRect(hwnd, &rc);
  Measure m(hwnd, s);
  if (!(style & ES_MULTILINE)) {
    if (style & ES_AUTOHSCROLL) return true;
    int avail = rc.right - rc.left - s->leftMargin - s->rightMargin;
    return m.width(Shown(s, text)) <= avail;
  }
  if ((style & ES_AUTOVSCROLL) || (style & WS_VSCROLL)) return true;
  int lines = static_cast<int>(LineStarts(text).size());
  return lines * m.lineHeight() <= rc.bottom - rc.top;
}

void Changed(HWND hwnd) {
  InvalidateRect(hwnd, nullptr, TRUE);
  NotifyCommand(hwnd, EN_UPDATE);
  NotifyCommand(hwnd, EN_CHANGE);
}

// Replaces the selection with ins as the user (or EM_REPLACESEL) would:
// what goes past the limit, or past what the field can show when it
// cannot scroll, is cut off and EN_MAXTEXT sent. Returns whether the text
// changed.
bool ReplaceSelection(HWND hwnd, EditState *s, std::u16string_view ins) {
  const size_t a = SelMin(s), b = SelMax(s);
  const size_t kept = s->text.size() - (b - a);
  size_t room = s->limit > kept ? s->limit - kept : 0;
  bool cut = false;
  if (ins.size() > room) {
    ins = ins.substr(0, room);
    cut = true;
  }
  auto with = [&](size_t n) {
    std::u16string t = s->text.substr(0, a);
    t += ins.substr(0, n);
    t += std::u16string_view(s->text).substr(b);
    return t;
  };
  if (!ins.empty() && !Fits(hwnd, s, with(ins.size()))) {
    // The longest prefix that fits (what fits grows with the length), cut
    // back so that no character is split.
    size_t lo = 0, hi = ins.size() - 1;
    while (lo < hi) {
      size_t mid = (lo + hi + 1) / 2;
      if (Fits(hwnd, s, with(mid)))
        lo = mid;
      else
        hi = mid - 1;
    }
    if (lo > 0 && ((ins[lo - 1] >= 0xD800 && ins[lo - 1] <= 0xDBFF) ||
                   (ins[lo - 1] == u'\r' && ins[lo] == u'\n')))
      --lo;
    ins = ins.substr(0, lo);
    cut = true;
  }
  std::u16string next = with(ins.size());
  if (cut) NotifyCommand(hwnd, EN_MAXTEXT);
  if (ins.empty() && a == b) return false;
  s->text = std::move(next);
  s->caret = s->anchor = a + ins.size();
  s->modified = true;
  Changed(hwnd);
  return true;
}

void DeleteRange(HWND hwnd, EditState *s, size_t a, size_t b) {
  if (a >= b) return;
  s->text.erase(a, b - a);
  s->caret = s->anchor = a;
  s->modified = true;
  Changed(hwnd);
}

void MoveCaret(HWND hwnd, EditState *s, size_t pos, bool extend) {
  s->caret = std::min(pos, s->text.size());
  if (!extend) s->anchor = s->caret;
  InvalidateRect(hwnd, nullptr, FALSE);
}

bool KeyDown(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

void OnChar(HWND hwnd, EditState *s, WCHAR ch) {
  const DWORD style = Style(hwnd);
  if (ch == 0x01) {  // Ctrl+A
    s->anchor = 0;
    s->caret = s->text.size();
    InvalidateRect(hwnd, nullptr, FALSE);
    return;
  }
  if (ch == 0x03) return (void)SendMessageW(hwnd, WM_COPY, 0, 0);
  if (ch == 0x16) return (void)SendMessageW(hwnd, WM_PASTE, 0, 0);
  if (ch == 0x18) return (void)SendMessageW(hwnd, WM_CUT, 0, 0);
  if (ch == 0x1A) return (void)SendMessageW(hwnd, WM_UNDO, 0, 0);
  if (style & ES_READONLY) return;
  if (ch == VK_BACK) {
    if (SelMin(s) != SelMax(s))
      DeleteRange(hwnd, s, SelMin(s), SelMax(s));
    else
      DeleteRange(hwnd, s, Prev(s->text, s->caret), s->caret);
    return;
  }
  const bool multi = (style & ES_MULTILINE) != 0;
  if (ch == u'\r' || ch == u'\n') {
    if (multi) ReplaceSelection(hwnd, s, u"\r\n");
    return;
  }
  if (ch == u'\t') {
    if (multi) ReplaceSelection(hwnd, s, u"\t");
    return;
  }
  if (ch < 0x20 || ch == 0x7F) return;
  if ((style & ES_NUMBER) && (ch < u'0' || ch > u'9')) return;
  char16_t c = static_cast<char16_t>(ch);
  if ((style & ES_UPPERCASE) && c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 0x20);
  if ((style & ES_LOWERCASE) && c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 0x20);
  ReplaceSelection(hwnd, s, std::u16string_view(&c, 1));
}

void OnKeyDown(HWND hwnd, EditState *s, WPARAM vk) {
  const bool shift = KeyDown(VK_SHIFT), ctrl = KeyDown(VK_CONTROL);
  const bool multi = Multi(hwnd);
  const auto starts = LineStarts(s->text);
  const size_t line = LineOf(starts, s->caret);
  switch (vk) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
      const bool back = vk == VK_LEFT || (vk == VK_UP && !multi);
      const bool fwd = vk == VK_RIGHT || (vk == VK_DOWN && !multi);
      if (back || fwd) {
        if (!shift && SelMin(s) != SelMax(s))
          MoveCaret(hwnd, s, back ? SelMin(s) : SelMax(s), false);
        else
          MoveCaret(hwnd, s, back ? Prev(s->text, s->caret) : Next(s->text, s->caret), shift);
        return;
      }
      // Up and down in a multi-line field keep the column, counted in units.
      size_t column = s->caret - starts[line];
      size_t target =
          vk == VK_UP ? (line == 0 ? 0 : line - 1) : std::min(line + 1, starts.size() - 1);
      if (target == line) return;
      MoveCaret(hwnd, s, std::min(starts[target] + column, LineEnd(s->text, starts, target)),
                shift);
      return;
    }
    case VK_HOME: MoveCaret(hwnd, s, ctrl || !multi ? 0 : starts[line], shift); return;
    case VK_END:
      MoveCaret(hwnd, s, ctrl || !multi ? s->text.size() : LineEnd(s->text, starts, line), shift);
      return;
    case VK_DELETE:
      if (Style(hwnd) & ES_READONLY) return;
      if (shift) return (void)SendMessageW(hwnd, WM_CUT, 0, 0);
      if (SelMin(s) != SelMax(s))
        DeleteRange(hwnd, s, SelMin(s), SelMax(s));
      else
        DeleteRange(hwnd, s, s->caret, Next(s->text, s->caret));
      return;
    default: return;
  }
}

// Character position nearest to a client point.
size_t CharFromPoint(HWND hwnd, EditState *s, int x, int y) {
  const auto starts = LineStarts(s->text);
  Measure m(hwnd, s);
  size_t line = 0;
  if (Multi(hwnd)) {
    int row = y < 0 ? -1 : y / m.lineHeight();
    long l = s->firstLine + row;
    line = static_cast<size_t>(std::clamp<long>(l, 0, static_cast<long>(starts.size()) - 1));
  }
  const size_t begin = starts[line], end = LineEnd(s->text, starts, line);
  int px = x - s->leftMargin;
  size_t pos = begin;
  while (pos < end) {
    size_t nxt = Next(s->text, pos);
    int before = m.width(Shown(s, std::u16string_view(s->text).substr(begin, pos - begin)));
    int after = m.width(Shown(s, std::u16string_view(s->text).substr(begin, nxt - begin)));
    if (px < (before + after) / 2) break;
    pos = nxt;
  }
  return pos;
}

POINT PosFromChar(HWND hwnd, EditState *s, size_t pos) {
  const auto starts = LineStarts(s->text);
  const size_t line = LineOf(starts, pos);
  Measure m(hwnd, s);
  int x = s->leftMargin +
          m.width(Shown(s, std::u16string_view(s->text).substr(starts[line], pos - starts[line])));
  int y = Multi(hwnd) ? (static_cast<int>(line) - s->firstLine) * m.lineHeight() : 0;
  return POINT{x, y};
}

void Paint(HWND hwnd, EditState *s) {
  const DWORD style = Style(hwnd);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (!dc) return;
  RECT rc;
  GetClientRect(hwnd, &rc);
  const bool grey = (style & ES_READONLY) || !IsWindowEnabled(hwnd);
  FillRect(dc, &rc, ControlColorBrush(hwnd, dc, grey ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT));
  HGDIOBJ old = s->font ? SelectObject(dc, s->font) : nullptr;
  UINT align = (style & ES_RIGHT) ? DT_RIGHT : (style & ES_CENTER) ? DT_CENTER : DT_LEFT;
  const auto starts = LineStarts(s->text);
  TEXTMETRICW tm{};
  int lineHeight = GetTextMetricsW(dc, &tm) && tm.tmHeight > 0 ? tm.tmHeight : 16;
  RECT line = rc;
  line.left += s->leftMargin;
  line.right -= s->rightMargin;
  size_t first = (style & ES_MULTILINE) ? static_cast<size_t>(s->firstLine) : 0;
  for (size_t i = first; i < starts.size() && line.top < rc.bottom; ++i) {
    std::u16string t = Shown(
        s, std::u16string_view(s->text).substr(starts[i], LineEnd(s->text, starts, i) - starts[i]));
    line.bottom = line.top + lineHeight;
    if (!t.empty())
      DrawTextW(dc, reinterpret_cast<LPCWSTR>(t.data()), static_cast<int>(t.size()), &line,
                align | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
    line.top = line.bottom;
    if (!(style & ES_MULTILINE)) break;
  }
  if (old) SelectObject(dc, old);
  EndPaint(hwnd, &ps);
}

LRESULT GetDlgCode(HWND hwnd, LPARAM lParam) {
  LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  if (!Multi(hwnd)) return code;
  code |= DLGC_WANTALLKEYS;
  // Enter without ES_WANTRETURN, Escape and Tab are left to the dialog.
  if (const MSG *m = reinterpret_cast<const MSG *>(lParam); m && m->message == WM_KEYDOWN) {
    if ((m->wParam == VK_RETURN && !(Style(hwnd) & ES_WANTRETURN)) || m->wParam == VK_ESCAPE ||
        m->wParam == VK_TAB)
      code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
  }
  return code;
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  EditState *s = ControlState<EditState>(hwnd);
  if (!s) {
    if (msg == WM_NCCREATE) {
      s = new EditState;
      SetControlState(hwnd, s);
      auto *cs = reinterpret_cast<const CREATESTRUCTW *>(lParam);
      if (cs && cs->lpszName)
        s->text.assign(reinterpret_cast<const char16_t *>(cs->lpszName), WideLength(cs->lpszName));
      // A scroll bar implies the matching scrolling style in a multi-line field.
      DWORD style = Style(hwnd);
      if (style & ES_MULTILINE) {
        DWORD extra = ((style & WS_VSCROLL) ? ES_AUTOVSCROLL : 0) |
                      ((style & WS_HSCROLL) ? ES_AUTOHSCROLL : 0);
        if (extra & ~style)
          SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG_PTR>(style | extra));
      }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  switch (msg) {
    case WM_NCDESTROY:
      SetControlState<EditState>(hwnd, nullptr);
      delete s;
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_SETTEXT: {
      auto *t = reinterpret_cast<LPCWSTR>(lParam);
      s->text.assign(t ? reinterpret_cast<const char16_t *>(t) : u"", WideLength(t));
      s->anchor = s->caret = 0;
      s->firstLine = 0;
      s->modified = false;
      InvalidateRect(hwnd, nullptr, TRUE);
      // A multi-line field does not report text set by the program.
      if (!Multi(hwnd)) {
        NotifyCommand(hwnd, EN_UPDATE);
        NotifyCommand(hwnd, EN_CHANGE);
      }
      return TRUE;
    }
    case WM_GETTEXT:
      return CopyOut(s->text, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(s->text.size());
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_GETDLGCODE: return GetDlgCode(hwnd, lParam);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(hwnd, s); return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_SETFOCUS:
      s->focused = true;
      InvalidateRect(hwnd, nullptr, FALSE);
      NotifyCommand(hwnd, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      s->focused = false;
      InvalidateRect(hwnd, nullptr, FALSE);
      NotifyCommand(hwnd, EN_KILLFOCUS);
      return 0;
    case WM_CHAR: OnChar(hwnd, s, static_cast<WCHAR>(wParam)); return 0;
    case WM_KEYDOWN: OnKeyDown(hwnd, s, wParam); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(hwnd);
      SetCapture(hwnd);
      s->tracking = true;
      MoveCaret(hwnd, s, CharFromPoint(hwnd, s, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)),
                (wParam & MK_SHIFT) != 0);
      if (msg == WM_LBUTTONDBLCLK) {  // select the word under the caret
        auto word = [&](size_t i) { return i < s->text.size() && s->text[i] > u' '; };
        size_t a = s->caret, b = s->caret;
        while (a > 0 && word(a - 1)) --a;
        while (word(b)) ++b;
        s->anchor = a;
        s->caret = b;
      }
      return 0;
    case WM_MOUSEMOVE:
      if (s->tracking && (wParam & MK_LBUTTON))
        MoveCaret(hwnd, s, CharFromPoint(hwnd, s, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)),
                  true);
      return 0;
    case WM_LBUTTONUP:
      if (s->tracking) {
        s->tracking = false;
        if (GetCapture() == hwnd) ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED: s->tracking = false; return 0;
    case WM_CLEAR:
    case WM_CUT:
      if (!(Style(hwnd) & ES_READONLY)) DeleteRange(hwnd, s, SelMin(s), SelMax(s));
      return 0;
    case WM_COPY:
    case WM_PASTE: return 0;

    case EM_GETSEL: {
      if (wParam) *reinterpret_cast<DWORD *>(wParam) = static_cast<DWORD>(SelMin(s));
      if (lParam) *reinterpret_cast<DWORD *>(lParam) = static_cast<DWORD>(SelMax(s));
      if (SelMax(s) > 0xFFFF) return -1;
      return MAKELONG(SelMin(s), SelMax(s));
    }
    case EM_SETSEL: {
      const long long start = static_cast<int>(wParam), end = static_cast<int>(lParam);
      const long long len = static_cast<long long>(s->text.size());
      if (start == -1) {
        s->anchor = s->caret;
      } else {
        s->anchor = static_cast<size_t>(std::clamp(start, 0LL, len));
        s->caret = static_cast<size_t>(end < 0 ? len : std::min(end, len));
      }
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    }
    case EM_REPLACESEL: {
      auto *t = reinterpret_cast<LPCWSTR>(lParam);
      ReplaceSelection(
          hwnd, s,
          std::u16string_view(t ? reinterpret_cast<const char16_t *>(t) : u"", WideLength(t)));
      return 0;
    }
    case EM_LIMITTEXT:
      s->limit = wParam ? static_cast<UINT>(wParam) : (Multi(hwnd) ? 0xFFFFFFFFu : 0x7FFFFFFEu);
      return 0;
    case EM_GETLIMITTEXT: return s->limit;
    case EM_GETMODIFY: return s->modified;
    case EM_SETMODIFY: s->modified = wParam != 0; return 0;
    case EM_SETREADONLY: {
      DWORD style = Style(hwnd);
      style = wParam ? style | ES_READONLY : style & ~static_cast<DWORD>(ES_READONLY);
      SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG_PTR>(style));
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case EM_GETLINECOUNT: return Multi(hwnd) ? static_cast<LRESULT>(LineStarts(s->text).size()) : 1;
    case EM_LINEINDEX: {
      const auto starts = LineStarts(s->text);
      long long line = static_cast<int>(wParam);
      if (line < 0) line = static_cast<long long>(LineOf(starts, s->caret));
      if (!Multi(hwnd)) return line == 0 ? 0 : -1;
      return static_cast<size_t>(line) < starts.size()
                 ? static_cast<LRESULT>(starts[static_cast<size_t>(line)])
                 : -1;
    }
    case EM_LINEFROMCHAR: {
      if (!Multi(hwnd)) return 0;
      long long pos = static_cast<int>(wParam);
      size_t p = pos < 0 ? SelMin(s) : std::min(static_cast<size_t>(pos), s->text.size());
      return static_cast<LRESULT>(LineOf(LineStarts(s->text), p));
    }
    case EM_LINELENGTH: {
      const auto starts = LineStarts(s->text);
      long long pos = static_cast<int>(wParam);
      size_t p = pos < 0 ? s->caret : std::min(static_cast<size_t>(pos), s->text.size());
      size_t line = Multi(hwnd) ? LineOf(starts, p) : 0;
      size_t end = Multi(hwnd) ? LineEnd(s->text, starts, line) : s->text.size();
      return static_cast<LRESULT>(end - starts[line]);
    }
    case EM_GETLINE: {
      // The first WORD of the buffer holds its size; no terminator is added.
      if (!lParam) return 0;
      const auto starts = LineStarts(s->text);
      size_t line = Multi(hwnd) ? static_cast<size_t>(wParam) : 0;
      if (line >= starts.size()) return 0;
      auto *buf = reinterpret_cast<WCHAR *>(lParam);
      WORD cap = *reinterpret_cast<WORD *>(buf);
      size_t end = Multi(hwnd) ? LineEnd(s->text, starts, line) : s->text.size();
      size_t n = std::min<size_t>(cap, end - starts[line]);
      std::copy_n(s->text.begin() + static_cast<std::ptrdiff_t>(starts[line]), n, buf);
      return static_cast<LRESULT>(n);
    }
    case EM_GETFIRSTVISIBLELINE: return Multi(hwnd) ? s->firstLine : 0;
    case EM_LINESCROLL:
      if (!Multi(hwnd)) return FALSE;
      s->firstLine = std::clamp<int>(s->firstLine + static_cast<int>(lParam), 0,
                                     static_cast<int>(LineStarts(s->text).size()) - 1);
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case EM_SCROLLCARET: return TRUE;
    case EM_SETPASSWORDCHAR:
      s->password = static_cast<WCHAR>(wParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case EM_GETPASSWORDCHAR: return s->password;
    case EM_SETMARGINS:
      if (wParam & 1) s->leftMargin = LOWORD(lParam);
      if (wParam & 2) s->rightMargin = HIWORD(lParam);
      return 0;
    case EM_GETMARGINS: return MAKELONG(s->leftMargin, s->rightMargin);
    case EM_GETRECT:
      if (lParam) {
        auto *r = reinterpret_cast<RECT *>(lParam);
        GetClientRect(hwnd, r);
        r->left += s->leftMargin;
        r->right -= s->rightMargin;
      }
      return 0;
    case EM_POSFROMCHAR: {
      if (wParam > s->text.size()) return -1;
      POINT p = PosFromChar(hwnd, s, wParam);
      return MAKELONG(p.x, p.y);
    }
    case EM_CHARFROMPOS: {
      size_t pos = CharFromPoint(hwnd, s, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return MAKELONG(pos, LineOf(LineStarts(s->text), pos));
    }
    case EM_SETWORDBREAKPROC: s->wordBreakProc = lParam; return 0;
    case EM_GETWORDBREAKPROC: return s->wordBreakProc;
    case EM_CANUNDO:
    case EM_UNDO:
    case WM_UNDO:
    case EM_FMTLINES:
    case EM_GETHANDLE: return 0;
    case EM_EMPTYUNDOBUFFER:
    case EM_SETHANDLE: return 0;
    case EM_SETTABSTOPS: return TRUE;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

void RegisterEditClass() {
  WNDCLASSW wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_PARENTDC;
  wc.lpfnWndProc = EditProc;
  wc.cbWndExtra = sizeof(void *);
  wc.lpszClassName = u"Edit";
  RegisterClassW(&wc);
}

const vplat::BuiltinClass editClass(&RegisterEditClass);

}  // namespace
