// The window manager's shared state and internal operations, for the
// window*.cpp, message*.cpp and input code, and for other platform areas
// (dialogs, controls, GDI) that need more than the Win32 surface.
//
// Rule for everything here: a Window* is only good until the next call that
// may run a window procedure (a send, a destroy, a show, ...), because the
// procedure may destroy windows. Keep the HWND and look it up again.
#ifndef VARDO_PLATFORM_WINDOW_INTERNAL_H
#define VARDO_PLATFORM_WINDOW_INTERNAL_H

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace vplat::wm {

struct Class {
  std::u16string name;
  std::u16string folded;  // name with ASCII case folded, the lookup key
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  bool unicode = false;  // the procedure takes W messages
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE hInstance = nullptr;
  HICON hIcon = nullptr;
  HICON hIconSm = nullptr;
  HCURSOR hCursor = nullptr;
  HBRUSH hbrBackground = nullptr;
  // Menu name: an integer resource is kept as is; a string in both forms.
  ULONG_PTR menuOrdinal = 0;
  std::string menuA;
  std::u16string menuW;
  bool hasMenuName = false;
  std::vector<unsigned char> clsExtra;
  int windowCount = 0;
};

struct Window {
  HWND hwnd = nullptr;
  std::shared_ptr<Class> cls;
  Window *parent = nullptr;        // the desktop for top-level windows
  HWND owner = nullptr;            // top-level windows only
  std::vector<Window *> children;  // front to back
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT rect{};     // in the parent's client coordinates (screen for top-level)
  RECT restore{};  // rectangle before SW_MAXIMIZE
  WNDPROC proc = nullptr;
  bool unicode = false;
  HINSTANCE hInstance = nullptr;
  LONG_PTR id = 0;
  LONG_PTR userData = 0;
  std::vector<unsigned char> extra;
  std::u16string text;
  RECT update{};  // client coordinates; empty: nothing to paint
  bool erase = false;
  bool destroying = false;   // DestroyWindow has started on it
  bool destroySent = false;  // WM_DESTROY has been sent
};

// ---- Registry (window_registry.cpp) ----
// The live window for a handle, or NULL (also for destroyed handles).
Window *Get(HWND hwnd);
// As Get, setting ERROR_INVALID_WINDOW_HANDLE when it fails.
Window *GetChecked(HWND hwnd);
Window *Desktop();
HWND NewHandle();
void Register(std::unique_ptr<Window> w);
// Removes and frees the window object (its handle becomes invalid).
void Forget(HWND hwnd);
bool IsTopLevel(const Window *w);
// The top-level window containing w (w itself if top-level).
Window *Root(Window *w);
bool IsDescendant(const Window *ancestor, const Window *w);
// Snapshot of a window's subtree as handles, depth first, each window
// before its children (the window itself not included).
std::vector<HWND> Descendants(const Window *w);

// ---- Classes (window_class.cpp) ----
// Runs the built-in registrations if due, then finds the class by name
// (ignoring ASCII case) or by integer atom.
std::shared_ptr<Class> FindClass(std::u16string_view name);
std::shared_ptr<Class> FindClassByAtom(ATOM atom);
// Resolves a class argument (string or MAKEINTATOM) of either width.
std::shared_ptr<Class> ResolveClassA(LPCSTR name);
std::shared_ptr<Class> ResolveClassW(LPCWSTR name);
void UnregisterAllClasses();
bool ClassIs(const Window *w, std::u16string_view folded);

// ---- Geometry (window_geometry.cpp) ----
// Frame thickness on each side for the style pair.
RECT FrameInsets(DWORD style, DWORD exStyle);
// Client area in the window's own window-relative coordinates.
RECT ClientInWindow(const Window *w);
// Screen position of the window's top-left corner / client origin.
POINT WindowOrigin(const Window *w);
POINT ClientOrigin(const Window *w);
RECT ScreenRect(const Window *w);
RECT ClientScreenRect(const Window *w);
// Visible: it and every ancestor have WS_VISIBLE.
bool Visible(const Window *w);

// ---- Z order (window_zorder.cpp) ----
void Unlink(Window *w);
// Inserts w among parent's children: at the front of its band (topmost
// windows first among top-level ones) or at the end.
void LinkFront(Window *parent, Window *w);
void LinkBack(Window *parent, Window *w);
// SetWindowPos Z-order semantics for insertAfter.
void PlaceInZOrder(Window *w, HWND insertAfter);
// Moves a top-level window to the front of its band and puts the windows
// it owns in front of it.
void BringToFront(Window *w);

// ---- Messages (message_send.cpp, message_convert.cpp) ----
// Calls proc, converting text-carrying messages when the caller's and the
// procedure's character sets differ.
LRESULT CallProc(WNDPROC proc, bool procUnicode, bool callerUnicode, HWND hwnd, UINT msg,
                 WPARAM wParam, LPARAM lParam);
// Sends to the window's procedure; 0 if hwnd is not a window.
LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool unicode);
inline LRESULT SendW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return Send(hwnd, msg, wParam, lParam, true);
}
// The procedure value GetWindowLongPtr hands out: proc itself for a caller
// of the same character set, else an opaque handle CallWindowProc resolves.
WNDPROC ExportProc(WNDPROC proc, bool procUnicode, bool callerUnicode);
// Resolves a value from ExportProc (or a plain procedure of the caller's
// set) to the procedure and its character set.
void ImportProc(WNDPROC value, bool callerUnicode, WNDPROC *proc, bool *procUnicode);
LRESULT DefProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool unicode);

// ---- Queue (message_queue.cpp, message_timer.cpp) ----
// unicodeChar: wParam of a character message is UTF-16 (else ANSI).
void Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool unicodeChar,
          bool atFront = false);
// Posts WM_MOUSEMOVE, replacing one still waiting at the end of the queue
// for the same window.
void PostMouseMove(HWND hwnd, WPARAM wParam, LPARAM lParam);
void DropMessagesFor(HWND hwnd);
void ResetQueue();
bool TakeDueTimer(HWND filter, bool remove, MSG *out);
void KillTimersFor(HWND hwnd);
void ResetTimers();

// ---- Painting (window_paint.cpp) ----
// Adds rect (client coordinates; NULL: all of it) to the update region,
// and to children it overlaps unless the window clips them.
void Invalidate(Window *w, const RECT *rect, bool erase);
// Invalidates whatever lies under a screen rectangle in w's subtree.
void InvalidateScreenArea(const RECT &screen);
// Finds a window that needs WM_PAINT (visible, update not empty).
HWND FindWindowToPaint(HWND filter);
// For BeginPaint: the update rectangle (client coordinates) and whether it
// asked for erasing; both are then cleared. false if nothing was pending.
VPLAT_API bool TakeUpdate(HWND hwnd, RECT *update, bool *erase);

// ---- Focus and activation (window_focus.cpp) ----
struct FocusState {
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
};
FocusState &Focus();
void Activate(HWND hwnd, bool byMouse);
// Called when a window is hidden or about to be destroyed: moves the
// activation and focus away from it and its subtree, releases capture.
void LoseFocusAndActivation(HWND hwnd);

// ---- Input (input.cpp) ----
POINT CursorPos();
// GetKeyState follows the input messages as they are taken from the queue.
void NoteRetrieved(const MSG &msg);
// Key state bits: 0x80 down, 0x01 toggled.
BYTE SyncKeyState(int vk);
WPARAM MouseKeyFlags();
void ClampCursorToScreen();

// ---- Screen (metrics.cpp) ----
SIZE ScreenSize();

// ---- Lifecycle (window_lifecycle.cpp) ----
void DestroyAllWindows();

}  // namespace vplat::wm

#endif
