#include "controlsupport.h"

#include <algorithm>
#include <cstring>

namespace vplat::detail {

void NotifyCommand(HWND control, WORD code) {
  HWND parent = GetParent(control);
  if (!parent) return;
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
}

LRESULT NotifyParent(HWND control, NMHDR &hdr, UINT code) {
  hdr.hwndFrom = control;
  hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
  hdr.code = code;
  HWND parent = GetParent(control);
  if (!parent) return 0;
  return SendMessageW(parent, WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}

HBRUSH ControlColorBrush(HWND control, HDC dc, UINT msg) {
  HWND parent = GetParent(control);
  HBRUSH brush = nullptr;
  if (parent)
    brush = reinterpret_cast<HBRUSH>(
        SendMessageW(parent, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  if (brush) return brush;
  const bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_3DFACE));
  return GetSysColorBrush(window ? COLOR_WINDOW : COLOR_3DFACE);
}

void PaintControl(HWND control, UINT ctlColorMsg, std::u16string_view text, UINT format) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(control, &ps);
  if (!dc) return;
  RECT rc;
  GetClientRect(control, &rc);
  HBRUSH brush = ControlColorBrush(control, dc, ctlColorMsg);
  FillRect(dc, &rc, brush);
  if (!text.empty()) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(text.data()), static_cast<int>(text.size()), &rc,
              format);
    if (old) SelectObject(dc, old);
  }
  EndPaint(control, &ps);
}

namespace {

std::u16string ToWide(UINT cp, std::string_view s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::u16string out(static_cast<size_t>(n > 0 ? n : 0), u'\0');
  if (n > 0)
    MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()),
                        reinterpret_cast<LPWSTR>(out.data()), n);
  return out;
}

std::string FromWide(UINT cp, std::u16string_view s) {
  if (s.empty()) return {};
  LPCWSTR p = reinterpret_cast<LPCWSTR>(s.data());
  int n = WideCharToMultiByte(cp, 0, p, static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0)
    WideCharToMultiByte(cp, 0, p, static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

std::u16string AnsiToWide(std::string_view s) { return ToWide(CP_ACP, s); }
std::string WideToAnsi(std::u16string_view s) { return FromWide(CP_ACP, s); }

int CopyOut(std::u16string_view s, LPWSTR buf, int cap) {
  if (!buf || cap <= 0) return 0;
  size_t n = s.size();
  if (n > static_cast<size_t>(cap - 1)) {
    n = static_cast<size_t>(cap - 1);
    // Never leave half a surrogate pair at the cut.
    if (n > 0 && s[n - 1] >= 0xD800 && s[n - 1] <= 0xDBFF) --n;
  }
  if (n) std::memcpy(buf, s.data(), n * sizeof(WCHAR));
  buf[n] = 0;
  return static_cast<int>(n);
}

int CopyOutAnsi(std::u16string_view s, LPSTR buf, int cap) {
  if (!buf || cap <= 0) return 0;
  std::string a = WideToAnsi(s);
  size_t n = a.size();
  if (n > static_cast<size_t>(cap - 1)) {
    // Walk whole characters so that the cut never splits a lead byte from
    // its trail byte.
    size_t limit = static_cast<size_t>(cap - 1), i = 0;
    while (i < limit) {
      size_t step = IsDBCSLeadByte(static_cast<BYTE>(a[i])) && i + 1 < a.size() ? 2 : 1;
      if (i + step > limit) break;
      i += step;
    }
    n = i;
  }
  if (n) std::memcpy(buf, a.data(), n);
  buf[n] = 0;
  return static_cast<int>(n);
}

namespace {

char16_t Fold(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  if (c >= 0xFF41 && c <= 0xFF5A) return static_cast<char16_t>(c - 0x20);  // full-width a-z
  return c;
}

}  // namespace

int CompareNoCase(std::u16string_view a, std::u16string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    char16_t x = Fold(a[i]), y = Fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool StartsWithNoCase(std::u16string_view s, std::u16string_view prefix) {
  return s.size() >= prefix.size() && CompareNoCase(s.substr(0, prefix.size()), prefix) == 0;
}

size_t WideLength(LPCWSTR s) {
  size_t n = 0;
  if (s)
    while (s[n]) ++n;
  return n;
}

}  // namespace vplat::detail
