// TranslateMessage: key strokes to characters, with a US keyboard layout.
#include "window_internal.h"

namespace {

bool Down(int vk) { return (vplat::wm::SyncKeyState(vk) & 0x80) != 0; }

// The character a key types, 0 if none.
WCHAR CharFor(UINT vk) {
  bool shift = Down(VK_SHIFT);
  bool ctrl = Down(VK_CONTROL);
  bool alt = Down(VK_MENU);
  bool caps = (vplat::wm::SyncKeyState(VK_CAPITAL) & 0x01) != 0;
  if (ctrl && alt) return 0;
  if (ctrl) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<WCHAR>(vk - 'A' + 1);
    switch (vk) {
      case VK_OEM_4: return 0x1B;
      case VK_OEM_5: return 0x1C;
      case VK_OEM_6: return 0x1D;
      case VK_RETURN: return 0x0A;
      case VK_BACK: return 0x7F;
      case VK_SPACE: return u' ';
      case VK_ESCAPE: return 0x1B;
      default: return 0;
    }
  }
  if (vk >= 'A' && vk <= 'Z') {
    bool upper = shift != caps;
    return static_cast<WCHAR>(upper ? vk : vk - 'A' + 'a');
  }
  if (vk >= '0' && vk <= '9') {
    static const char16_t shifted[] = u")!@#$%^&*(";
    return shift ? shifted[vk - '0'] : static_cast<WCHAR>(vk);
  }
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<WCHAR>(u'0' + (vk - VK_NUMPAD0));
  struct Pair {
    UINT vk;
    char16_t plain, shifted;
  };
  static const Pair keys[] = {
      {VK_SPACE, u' ', u' '},      {VK_RETURN, u'\r', u'\r'},  {VK_BACK, 0x08, 0x08},
      {VK_TAB, u'\t', u'\t'},      {VK_ESCAPE, 0x1B, 0x1B},    {VK_OEM_1, u';', u':'},
      {VK_OEM_PLUS, u'=', u'+'},   {VK_OEM_COMMA, u',', u'<'}, {VK_OEM_MINUS, u'-', u'_'},
      {VK_OEM_PERIOD, u'.', u'>'}, {VK_OEM_2, u'/', u'?'},     {VK_OEM_3, u'`', u'~'},
      {VK_OEM_4, u'[', u'{'},      {VK_OEM_5, u'\\', u'|'},    {VK_OEM_6, u']', u'}'},
      {VK_OEM_7, u'\'', u'"'},     {VK_MULTIPLY, u'*', u'*'},  {VK_ADD, u'+', u'+'},
      {VK_SUBTRACT, u'-', u'-'},   {VK_DECIMAL, u'.', u'.'},   {VK_DIVIDE, u'/', u'/'},
  };
  for (const Pair &p : keys)
    if (p.vk == vk) return shift ? p.shifted : p.plain;
  return 0;
}

}  // namespace

extern "C" BOOL WINAPI TranslateMessage(const MSG *msg) {
  if (!msg) return FALSE;
  switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WCHAR ch = CharFor(static_cast<UINT>(msg->wParam & 0xFF));
      if (ch)
        vplat::wm::Post(msg->hwnd, msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, ch,
                        msg->lParam, true, true);
      return TRUE;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: return TRUE;
    default: return FALSE;
  }
}
