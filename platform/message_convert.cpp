// Calling a window procedure across character sets. A sender using the A
// calls and a procedure registered through the W calls (or the reverse)
// see each other's text converted, for the messages that carry text: the
// window-text messages, creation, characters, and the string messages of
// the edit, combo box and list box classes.
#include "text_convert.h"
#include "window_internal.h"

#include <cstring>

namespace vplat::wm {
namespace {

// Message numbers of the standard controls that carry strings.
constexpr UINT kEM_REPLACESEL = 0x00C2, kEM_GETLINE = 0x00C4;
constexpr UINT kCB_ADDSTRING = 0x0143, kCB_DIR = 0x0145, kCB_GETLBTEXT = 0x0148,
               kCB_GETLBTEXTLEN = 0x0149, kCB_INSERTSTRING = 0x014A, kCB_FINDSTRING = 0x014C,
               kCB_SELECTSTRING = 0x014D, kCB_FINDSTRINGEXACT = 0x0158;
constexpr UINT kLB_ADDSTRING = 0x0180, kLB_INSERTSTRING = 0x0181, kLB_GETTEXT = 0x0189,
               kLB_GETTEXTLEN = 0x018A, kLB_SELECTSTRING = 0x018C, kLB_DIR = 0x018D,
               kLB_FINDSTRING = 0x018F, kLB_ADDFILE = 0x0196, kLB_FINDSTRINGEXACT = 0x01A2;
// Owner-drawn lists without the has-strings style keep item data, not text.
constexpr DWORD kCBS_OWNERDRAW = 0x0030, kCBS_HASSTRINGS = 0x0200;
constexpr DWORD kLBS_OWNERDRAW = 0x0030, kLBS_HASSTRINGS = 0x0040;

enum class Kind {
  None,
  StringIn,
  GetText,
  GetTextLength,
  ItemText,
  ItemTextLength,
  GetLine,
  Create,
  Char
};

bool ListHasStrings(const Window *w, bool combo) {
  if (!w) return true;
  DWORD od = combo ? kCBS_OWNERDRAW : kLBS_OWNERDRAW;
  DWORD hs = combo ? kCBS_HASSTRINGS : kLBS_HASSTRINGS;
  return !(w->style & od) || (w->style & hs);
}

Kind Classify(HWND hwnd, UINT msg) {
  switch (msg) {
    case WM_SETTEXT: return Kind::StringIn;
    case WM_GETTEXT: return Kind::GetText;
    case WM_GETTEXTLENGTH: return Kind::GetTextLength;
    case WM_NCCREATE:
    case WM_CREATE: return Kind::Create;
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR: return Kind::Char;
    default: break;
  }
  const Window *w = Get(hwnd);
  if (ClassIs(w, u"edit")) {
    if (msg == kEM_REPLACESEL) return Kind::StringIn;
    if (msg == kEM_GETLINE) return Kind::GetLine;
  }
  bool combo = ClassIs(w, u"combobox");
  bool list = ClassIs(w, u"listbox") || ClassIs(w, u"combolbox");
  if (combo && ListHasStrings(w, true)) {
    switch (msg) {
      case kCB_ADDSTRING:
      case kCB_DIR:
      case kCB_INSERTSTRING:
      case kCB_FINDSTRING:
      case kCB_SELECTSTRING:
      case kCB_FINDSTRINGEXACT: return Kind::StringIn;
      case kCB_GETLBTEXT: return Kind::ItemText;
      case kCB_GETLBTEXTLEN: return Kind::ItemTextLength;
      default: break;
    }
  }
  if (list && ListHasStrings(w, false)) {
    switch (msg) {
      case kLB_ADDSTRING:
      case kLB_INSERTSTRING:
      case kLB_SELECTSTRING:
      case kLB_DIR:
      case kLB_FINDSTRING:
      case kLB_ADDFILE:
      case kLB_FINDSTRINGEXACT: return Kind::StringIn;
      case kLB_GETTEXT: return Kind::ItemText;
      case kLB_GETTEXTLEN: return Kind::ItemTextLength;
      default: break;
    }
  }
  return Kind::None;
}

bool IsIntResource(LPARAM p) { return (static_cast<ULONG_PTR>(p) >> 16) == 0; }

// The whole text behind a get-text style message, read in the procedure's
// own character set and returned as UTF-16.
std::u16string FetchText(WNDPROC proc, bool procUnicode, HWND hwnd, UINT lenMsg, UINT getMsg,
                         WPARAM item, bool withItem) {
  LRESULT len = proc(hwnd, lenMsg, withItem ? item : 0, 0);
  if (len <= 0) return {};
  size_t n = static_cast<size_t>(len);
  if (procUnicode) {
    std::u16string buf(n + 1, u'\0');
    LRESULT got = withItem ? proc(hwnd, getMsg, item, reinterpret_cast<LPARAM>(buf.data()))
                           : proc(hwnd, getMsg, n + 1, reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(got > 0 ? std::min(n, static_cast<size_t>(got)) : 0);
    return buf;
  }
  std::string buf(n + 1, '\0');
  LRESULT got = withItem ? proc(hwnd, getMsg, item, reinterpret_cast<LPARAM>(buf.data()))
                         : proc(hwnd, getMsg, n + 1, reinterpret_cast<LPARAM>(buf.data()));
  buf.resize(got > 0 ? std::min(n, static_cast<size_t>(got)) : 0);
  return text::FromAnsi(buf);
}

// Characters: an ANSI procedure gets a double-byte character as two
// messages (lead byte first); a Unicode procedure gets one message once the
// bytes sent so far form a character.
struct CharState {
  HWND hwnd = nullptr;
  std::string bytes;
  char16_t highSurrogate = 0;
};
CharState &Pending() {
  static CharState s;
  return s;
}

LRESULT CallChar(WNDPROC proc, bool procUnicode, HWND hwnd, UINT msg, WPARAM wParam,
                 LPARAM lParam) {
  CharState &st = Pending();
  if (st.hwnd != hwnd) st = CharState{hwnd, {}, 0};
  if (procUnicode) {  // ANSI in
    st.bytes.push_back(static_cast<char>(wParam & 0xFF));
    std::u16string ch;
    if (!text::AnsiCharComplete(st.bytes, &ch)) {
      if (st.bytes.size() < 4) return 0;
      ch = text::FromAnsi(st.bytes);
    }
    st.bytes.clear();
    LRESULT r = 0;
    for (char16_t c : ch) r = proc(hwnd, msg, c, lParam);
    return r;
  }
  char16_t c = static_cast<char16_t>(wParam & 0xFFFF);  // UTF-16 in
  std::u16string ch;
  if (c >= 0xD800 && c <= 0xDBFF) {
    st.highSurrogate = c;
    return 0;
  }
  if (c >= 0xDC00 && c <= 0xDFFF && st.highSurrogate) ch.push_back(st.highSurrogate);
  st.highSurrogate = 0;
  ch.push_back(c);
  std::string bytes = text::ToAnsi(ch);
  LRESULT r = 0;
  for (char b : bytes) r = proc(hwnd, msg, static_cast<unsigned char>(b), lParam);
  return r;
}

}  // namespace

LRESULT CallProc(WNDPROC proc, bool procUnicode, bool callerUnicode, HWND hwnd, UINT msg,
                 WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  if (procUnicode == callerUnicode) return proc(hwnd, msg, wParam, lParam);
  switch (Classify(hwnd, msg)) {
    case Kind::None: return proc(hwnd, msg, wParam, lParam);

    case Kind::StringIn: {
      if (!lParam || IsIntResource(lParam)) return proc(hwnd, msg, wParam, lParam);
      if (procUnicode) {
        std::u16string s = text::FromAnsi(reinterpret_cast<LPCSTR>(lParam));
        return proc(hwnd, msg, wParam, reinterpret_cast<LPARAM>(s.c_str()));
      }
      std::string s = text::ToAnsi(reinterpret_cast<LPCWSTR>(lParam));
      return proc(hwnd, msg, wParam, reinterpret_cast<LPARAM>(s.c_str()));
    }

    case Kind::GetText: {
      if (wParam == 0 || !lParam) return 0;
      std::u16string s = FetchText(proc, procUnicode, hwnd, WM_GETTEXTLENGTH, WM_GETTEXT, 0, false);
      int count = static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFF));
      return callerUnicode ? text::CopyOut(s, reinterpret_cast<LPWSTR>(lParam), count)
                           : text::CopyOutAnsi(s, reinterpret_cast<LPSTR>(lParam), count);
    }

    case Kind::GetTextLength: {
      std::u16string s = FetchText(proc, procUnicode, hwnd, WM_GETTEXTLENGTH, WM_GETTEXT, 0, false);
      return callerUnicode ? static_cast<LRESULT>(s.size())
                           : static_cast<LRESULT>(text::ToAnsi(s).size());
    }

    case Kind::ItemText:
    case Kind::ItemTextLength: {
      bool combo = ClassIs(Get(hwnd), u"combobox");
      UINT lenMsg = combo ? kCB_GETLBTEXTLEN : kLB_GETTEXTLEN;
      UINT getMsg = combo ? kCB_GETLBTEXT : kLB_GETTEXT;
      LRESULT len = proc(hwnd, lenMsg, wParam, 0);
      if (len < 0) return len;  // CB_ERR / LB_ERR: no such item
      std::u16string s = FetchText(proc, procUnicode, hwnd, lenMsg, getMsg, wParam, true);
      if (Classify(hwnd, msg) == Kind::ItemTextLength)
        return callerUnicode ? static_cast<LRESULT>(s.size())
                             : static_cast<LRESULT>(text::ToAnsi(s).size());
      if (!lParam) return 0;
      // The caller sized the buffer from the length message of its own set.
      if (callerUnicode) {
        LPWSTR out = reinterpret_cast<LPWSTR>(lParam);
        std::copy(s.begin(), s.end(), out);
        out[s.size()] = 0;
        return static_cast<LRESULT>(s.size());
      }
      std::string a = text::ToAnsi(s);
      std::memcpy(reinterpret_cast<char *>(lParam), a.c_str(), a.size() + 1);
      return static_cast<LRESULT>(a.size());
    }

    case Kind::GetLine: {
      if (!lParam) return 0;
      WORD room;
      std::memcpy(&room, reinterpret_cast<void *>(lParam), sizeof room);
      std::u16string s;
      if (procUnicode) {
        std::u16string buf(std::max<size_t>(room, 1), u'\0');
        std::memcpy(buf.data(), &room, sizeof room);
        LRESULT n = proc(hwnd, msg, wParam, reinterpret_cast<LPARAM>(buf.data()));
        s = buf.substr(0, static_cast<size_t>(std::max<LRESULT>(n, 0)));
      } else {
        size_t bytes = std::max<size_t>(static_cast<size_t>(room) * 4, 2);
        std::string buf(bytes, '\0');
        WORD r = static_cast<WORD>(std::min<size_t>(bytes, 0xFFFF));
        std::memcpy(buf.data(), &r, sizeof r);
        LRESULT n = proc(hwnd, msg, wParam, reinterpret_cast<LPARAM>(buf.data()));
        s = text::FromAnsi(buf.substr(0, static_cast<size_t>(std::max<LRESULT>(n, 0))));
      }
      // EM_GETLINE does not terminate; copy what fits in room units.
      if (callerUnicode) {
        size_t n = std::min<size_t>(s.size(), room);
        std::memcpy(reinterpret_cast<void *>(lParam), s.data(), n * sizeof(char16_t));
        return static_cast<LRESULT>(n);
      }
      std::string a = text::ToAnsi(s);
      size_t n = std::min<size_t>(a.size(), room);
      std::memcpy(reinterpret_cast<void *>(lParam), a.data(), n);
      return static_cast<LRESULT>(n);
    }

    case Kind::Create: {
      if (!lParam) return proc(hwnd, msg, wParam, lParam);
      if (procUnicode) {
        CREATESTRUCTW cs;
        std::memcpy(&cs, reinterpret_cast<void *>(lParam), sizeof cs);
        const CREATESTRUCTA &in = *reinterpret_cast<const CREATESTRUCTA *>(lParam);
        std::u16string name, cls;
        if (in.lpszName && !IsIntResource(reinterpret_cast<LPARAM>(in.lpszName))) {
          name = text::FromAnsi(in.lpszName);
          cs.lpszName = name.c_str();
        }
        if (in.lpszClass && !IsIntResource(reinterpret_cast<LPARAM>(in.lpszClass))) {
          cls = text::FromAnsi(in.lpszClass);
          cs.lpszClass = cls.c_str();
        }
        return proc(hwnd, msg, wParam, reinterpret_cast<LPARAM>(&cs));
      }
      CREATESTRUCTA cs;
      std::memcpy(&cs, reinterpret_cast<void *>(lParam), sizeof cs);
      const CREATESTRUCTW &in = *reinterpret_cast<const CREATESTRUCTW *>(lParam);
      std::string name, cls;
      if (in.lpszName && !IsIntResource(reinterpret_cast<LPARAM>(in.lpszName))) {
        name = text::ToAnsi(in.lpszName);
        cs.lpszName = name.c_str();
      }
      if (in.lpszClass && !IsIntResource(reinterpret_cast<LPARAM>(in.lpszClass))) {
        cls = text::ToAnsi(in.lpszClass);
        cs.lpszClass = cls.c_str();
      }
      return proc(hwnd, msg, wParam, reinterpret_cast<LPARAM>(&cs));
    }

    case Kind::Char: return CallChar(proc, procUnicode, hwnd, msg, wParam, lParam);
  }
  return proc(hwnd, msg, wParam, lParam);
}

}  // namespace vplat::wm
