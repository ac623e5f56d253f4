// Automation of the mouse, keyboard and screen: what a user would do,
// turned into the input messages Windows would post. Nothing here waits or
// dispatches; the code under test takes the messages from the queue (or a
// test calls vplat::PumpMessages). Combine with vplat::clock::Schedule to
// make input happen while the code under test sleeps or waits.
#ifndef VARDO_VPLATFORM_INPUT_H
#define VARDO_VPLATFORM_INPUT_H

#include <windows.h>

#include <string_view>

namespace vplat {

// Screen (and desktop window) size in pixels; 1920 x 1080 until set.
// The cursor is clamped into the new size.
VPLAT_API void SetScreenSize(int width, int height);
VPLAT_API SIZE GetScreenSize();

enum class MouseButton { Left, Right, Middle };

// Moves the cursor to a screen point (clamped to the screen) and, if it
// moved, posts WM_MOUSEMOVE (client coordinates, MK_ flags) to the capture
// window or the window under the cursor, or WM_NCMOUSEMOVE over a frame.
// A WM_MOUSEMOVE still waiting at the end of the queue for the same window
// is replaced rather than followed, as Windows coalesces moves.
VPLAT_API void MoveCursor(int x, int y);

// Presses / releases a button where the cursor is. A press first activates
// the top-level window under the cursor. Posts WM_xBUTTONDOWN / UP (or the
// WM_NCx forms over a frame); a second press of the same button on the
// same window within the double-click time and SM_CXDOUBLECLK x
// SM_CYDOUBLECLK of the first posts WM_xBUTTONDBLCLK instead when the
// window's class has CS_DBLCLKS. Input over a disabled top-level window is
// dropped; the button state changes all the same.
VPLAT_API void PressButton(MouseButton button = MouseButton::Left);
VPLAT_API void ReleaseButton(MouseButton button = MouseButton::Left);
// MoveCursor then press and release.
VPLAT_API void ClickAt(int x, int y, MouseButton button = MouseButton::Left);
// Two clicks at the same point, within the double-click time.
VPLAT_API void DoubleClickAt(int x, int y, MouseButton button = MouseButton::Left);
// Clicks the centre of a window's client area.
VPLAT_API void ClickWindow(HWND hwnd, MouseButton button = MouseButton::Left);

// Key down / up for a virtual-key code, posted to the focus window (the
// active window if nothing has the focus; dropped if neither exists).
// WM_SYSKEYDOWN / UP while VK_MENU is down, and for VK_MENU itself.
// VK_LSHIFT / VK_RSHIFT etc. also set the generic VK_SHIFT state and are
// posted as the generic code, as Windows does.
VPLAT_API void KeyDown(UINT vk);
VPLAT_API void KeyUp(UINT vk);
// KeyDown then KeyUp.
VPLAT_API void KeyStroke(UINT vk);

// Posts one WM_CHAR per UTF-16 unit of utf8 text to the focus window. No
// key messages: use KeyStroke for keys such as VK_RETURN a control reacts
// to in WM_KEYDOWN.
VPLAT_API void TypeText(std::string_view utf8);

// Whether a key or button is down now (as GetAsyncKeyState).
VPLAT_API bool IsKeyDown(UINT vk);

// Cursor and button and key state back to the start: cursor at (0, 0),
// nothing down, default double-click time. Part of ResetWindowManager.
VPLAT_API void ResetInput();

}  // namespace vplat

#endif
