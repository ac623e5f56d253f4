// Pieces the standard controls and dialogs share: per-window state kept in
// the first extra-window slot, parent notifications, the WM_CTLCOLOR*
// exchange, and text conversions. Internal to the platform library.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vplat::detail {

// A control's private record lives behind a pointer in its first
// cbWndExtra slot (offset 0); the class registers sizeof(void*) bytes.
template <class T>
T *ControlState(HWND hwnd) {
  return reinterpret_cast<T *>(GetWindowLongPtrW(hwnd, 0));
}
template <class T>
void SetControlState(HWND hwnd, T *state) {
  SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(state));
}

// WM_COMMAND (id, code) from a control to its parent.
void NotifyCommand(HWND control, WORD code);

// WM_NOTIFY from a control to its parent: fills hdr and sends it.
LRESULT NotifyParent(HWND control, NMHDR &hdr, UINT code);

// Asks the parent for the colours of a control that is about to paint
// (msg is WM_CTLCOLORSTATIC, ...EDIT or ...BTN). A parent that does not
// answer (result 0) gets the system defaults, as DefWindowProc gives them
// on Windows: window colour for edits, face colour for the others, and the
// matching text colours selected into dc.
HBRUSH ControlColorBrush(HWND control, HDC dc, UINT msg);

// Paints the control's client area with its WM_CTLCOLOR* brush and, when
// text is not empty, draws it with DrawTextW and format. This is all the
// painting the standard controls do (see docs/dialogs.md).
void PaintControl(HWND control, UINT ctlColorMsg, std::u16string_view text, UINT format);

// Conversions through CP_ACP (UTF-8 is vplatform/utf8.h). Invalid input is
// replaced as MultiByteToWideChar does without MB_ERR_INVALID_CHARS.
std::u16string AnsiToWide(std::string_view s);
std::string WideToAnsi(std::u16string_view s);

// Copies s into a caller buffer of cap units with a terminating NUL,
// cutting at cap-1 units; never splits a surrogate pair (wide) or a
// double-byte character (ANSI). Returns the units copied, NUL excluded.
// cap <= 0 copies nothing and returns 0.
int CopyOut(std::u16string_view s, LPWSTR buf, int cap);
int CopyOutAnsi(std::u16string_view s, LPSTR buf, int cap);

// The user picks entry index from a combo box's drop-down list: the combo
// box takes the focus, the list opens (CBN_DROPDOWN), the selection moves (CBN_SELCHANGE), an
// editable combo's field takes the entry's text, and the list closes (CBN_SELENDOK, CBN_CLOSEUP).
// False when combo is no combo box or index is out of range.
bool ComboSelectAsUser(HWND combo, int index);

// Case-insensitive comparison as list searches and sorting use it: ASCII,
// Latin-1 and full-width Latin letters fold to upper case; everything else
// compares by code unit. Returns <0, 0 or >0.
int CompareNoCase(std::u16string_view a, std::u16string_view b);
// Whether s starts with prefix, ignoring case as above.
bool StartsWithNoCase(std::u16string_view s, std::u16string_view prefix);

// Length of a NUL-terminated UTF-16 string.
size_t WideLength(LPCWSTR s);

}  // namespace vplat::detail
