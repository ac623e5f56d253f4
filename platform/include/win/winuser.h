/* Windows, window classes, messages, input state and the virtual clock's
 * kernel32 entry points, as the plug-in code knows them from user32.
 *
 * Names, structure layouts and numeric values are those of 64-bit Windows.
 * Everything runs on the one UI thread; a "thread" below is always that one.
 *
 * Where this headless window manager has to pick something Windows leaves
 * to the display (frame sizes, default positions, what GetMessage does when
 * nothing can ever arrive), docs/window-manager.md says what it picked.
 *
 * PAINTSTRUCT, BeginPaint, EndPaint, GetDC, ReleaseDC, FillRect and the other
 * drawing calls are declared in win/wingdi.h; dialog and control calls
 * (GetDlgItem, DialogBoxParam, ...) in win/controls.h; MAKEINTRESOURCE and
 * string loading in win/resources.h. */
#ifndef VARDO_WIN_WINUSER_H
#define VARDO_WIN_WINUSER_H

#include "types.h"

/* ---- Types ---------------------------------------------------------- */

typedef WORD ATOM;

typedef LRESULT(CALLBACK *WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef INT_PTR(CALLBACK *DLGPROC)(HWND, UINT, WPARAM, LPARAM);
typedef VOID(CALLBACK *TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);
typedef BOOL(CALLBACK *WNDENUMPROC)(HWND, LPARAM);

typedef struct tagWNDCLASSA {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
} WNDCLASSA, *PWNDCLASSA, *LPWNDCLASSA;

typedef struct tagWNDCLASSW {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCWSTR lpszMenuName;
  LPCWSTR lpszClassName;
} WNDCLASSW, *PWNDCLASSW, *LPWNDCLASSW;

typedef struct tagWNDCLASSEXA {
  UINT cbSize;
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
  HICON hIconSm;
} WNDCLASSEXA, *PWNDCLASSEXA, *LPWNDCLASSEXA;

typedef struct tagWNDCLASSEXW {
  UINT cbSize;
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCWSTR lpszMenuName;
  LPCWSTR lpszClassName;
  HICON hIconSm;
} WNDCLASSEXW, *PWNDCLASSEXW, *LPWNDCLASSEXW;

typedef struct tagCREATESTRUCTA {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCSTR lpszName;
  LPCSTR lpszClass;
  DWORD dwExStyle;
} CREATESTRUCTA, *LPCREATESTRUCTA;

typedef struct tagCREATESTRUCTW {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCWSTR lpszName;
  LPCWSTR lpszClass;
  DWORD dwExStyle;
} CREATESTRUCTW, *LPCREATESTRUCTW;

typedef struct tagMSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
} MSG, *PMSG, *NPMSG, *LPMSG;

typedef struct tagNMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
} NMHDR, *LPNMHDR;

typedef struct tagDRAWITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  UINT itemAction;
  UINT itemState;
  HWND hwndItem;
  HDC hDC;
  RECT rcItem;
  ULONG_PTR itemData;
} DRAWITEMSTRUCT, *PDRAWITEMSTRUCT, *LPDRAWITEMSTRUCT;

typedef struct tagMEASUREITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  UINT itemWidth;
  UINT itemHeight;
  ULONG_PTR itemData;
} MEASUREITEMSTRUCT, *PMEASUREITEMSTRUCT, *LPMEASUREITEMSTRUCT;

typedef struct tagWINDOWPOS {
  HWND hwnd;
  HWND hwndInsertAfter;
  int x;
  int y;
  int cx;
  int cy;
  UINT flags;
} WINDOWPOS, *LPWINDOWPOS, *PWINDOWPOS;

typedef struct tagSTYLESTRUCT {
  DWORD styleOld;
  DWORD styleNew;
} STYLESTRUCT, *LPSTYLESTRUCT;

typedef struct tagMINMAXINFO {
  POINT ptReserved;
  POINT ptMaxSize;
  POINT ptMaxPosition;
  POINT ptMinTrackSize;
  POINT ptMaxTrackSize;
} MINMAXINFO, *PMINMAXINFO, *LPMINMAXINFO;

/* ---- Window messages ------------------------------------------------ */

#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_ENABLE 0x000A
#define WM_SETREDRAW 0x000B
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUERYENDSESSION 0x0011
#define WM_QUIT 0x0012
#define WM_QUERYOPEN 0x0013
#define WM_ERASEBKGND 0x0014
#define WM_SYSCOLORCHANGE 0x0015
#define WM_ENDSESSION 0x0016
#define WM_SHOWWINDOW 0x0018
#define WM_SETTINGCHANGE 0x001A
#define WM_ACTIVATEAPP 0x001C
#define WM_CANCELMODE 0x001F
#define WM_SETCURSOR 0x0020
#define WM_MOUSEACTIVATE 0x0021
#define WM_CHILDACTIVATE 0x0022
#define WM_GETMINMAXINFO 0x0024
#define WM_NEXTDLGCTL 0x0028
#define WM_DRAWITEM 0x002B
#define WM_MEASUREITEM 0x002C
#define WM_DELETEITEM 0x002D
#define WM_VKEYTOITEM 0x002E
#define WM_CHARTOITEM 0x002F
#define WM_SETFONT 0x0030
#define WM_GETFONT 0x0031
#define WM_COMPAREITEM 0x0039
#define WM_WINDOWPOSCHANGING 0x0046
#define WM_WINDOWPOSCHANGED 0x0047
#define WM_NOTIFY 0x004E
#define WM_HELP 0x0053
#define WM_NOTIFYFORMAT 0x0055
#define WM_CONTEXTMENU 0x007B
#define WM_STYLECHANGING 0x007C
#define WM_STYLECHANGED 0x007D
#define WM_GETICON 0x007F
#define WM_SETICON 0x0080
#define WM_NCCREATE 0x0081
#define WM_NCDESTROY 0x0082
#define WM_NCCALCSIZE 0x0083
#define WM_NCHITTEST 0x0084
#define WM_NCPAINT 0x0085
#define WM_NCACTIVATE 0x0086
#define WM_GETDLGCODE 0x0087
#define WM_NCMOUSEMOVE 0x00A0
#define WM_NCLBUTTONDOWN 0x00A1
#define WM_NCLBUTTONUP 0x00A2
#define WM_NCLBUTTONDBLCLK 0x00A3
#define WM_NCRBUTTONDOWN 0x00A4
#define WM_NCRBUTTONUP 0x00A5
#define WM_NCRBUTTONDBLCLK 0x00A6
#define WM_KEYFIRST 0x0100
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_DEADCHAR 0x0103
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_SYSCHAR 0x0106
#define WM_SYSDEADCHAR 0x0107
#define WM_UNICHAR 0x0109
#define WM_KEYLAST 0x0109
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112
#define WM_TIMER 0x0113
#define WM_HSCROLL 0x0114
#define WM_VSCROLL 0x0115
#define WM_INITMENU 0x0116
#define WM_INITMENUPOPUP 0x0117
#define WM_MENUSELECT 0x011F
#define WM_MENUCHAR 0x0120
#define WM_ENTERIDLE 0x0121
#define WM_CHANGEUISTATE 0x0127
#define WM_UPDATEUISTATE 0x0128
#define WM_QUERYUISTATE 0x0129
#define WM_CTLCOLORMSGBOX 0x0132
#define WM_CTLCOLOREDIT 0x0133
#define WM_CTLCOLORLISTBOX 0x0134
#define WM_CTLCOLORBTN 0x0135
#define WM_CTLCOLORDLG 0x0136
#define WM_CTLCOLORSCROLLBAR 0x0137
#define WM_CTLCOLORSTATIC 0x0138
#define WM_MOUSEFIRST 0x0200
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_RBUTTONDBLCLK 0x0206
#define WM_MBUTTONDOWN 0x0207
#define WM_MBUTTONUP 0x0208
#define WM_MBUTTONDBLCLK 0x0209
#define WM_MOUSEWHEEL 0x020A
#define WM_MOUSEHWHEEL 0x020E
#define WM_MOUSELAST 0x020E
#define WM_PARENTNOTIFY 0x0210
#define WM_ENTERMENULOOP 0x0211
#define WM_EXITMENULOOP 0x0212
#define WM_SIZING 0x0214
#define WM_CAPTURECHANGED 0x0215
#define WM_MOVING 0x0216
#define WM_ENTERSIZEMOVE 0x0231
#define WM_EXITSIZEMOVE 0x0232
#define WM_DROPFILES 0x0233
#define WM_MOUSEHOVER 0x02A1
#define WM_MOUSELEAVE 0x02A3
#define WM_CUT 0x0300
#define WM_COPY 0x0301
#define WM_PASTE 0x0302
#define WM_CLEAR 0x0303
#define WM_UNDO 0x0304
#define WM_PRINT 0x0317
#define WM_PRINTCLIENT 0x0318
#define WM_USER 0x0400
#define WM_APP 0x8000

/* WM_SIZE wParam */
#define SIZE_RESTORED 0
#define SIZE_MINIMIZED 1
#define SIZE_MAXIMIZED 2
#define SIZE_MAXSHOW 3
#define SIZE_MAXHIDE 4

/* WM_ACTIVATE wParam (low word) */
#define WA_INACTIVE 0
#define WA_ACTIVE 1
#define WA_CLICKACTIVE 2

/* WM_MOUSEACTIVATE results */
#define MA_ACTIVATE 1
#define MA_ACTIVATEANDEAT 2
#define MA_NOACTIVATE 3
#define MA_NOACTIVATEANDEAT 4

/* WM_NCHITTEST results */
#define HTERROR (-2)
#define HTTRANSPARENT (-1)
#define HTNOWHERE 0
#define HTCLIENT 1
#define HTCAPTION 2
#define HTSYSMENU 3
#define HTMENU 5
#define HTHSCROLL 6
#define HTVSCROLL 7
#define HTMINBUTTON 8
#define HTMAXBUTTON 9
#define HTLEFT 10
#define HTRIGHT 11
#define HTTOP 12
#define HTTOPLEFT 13
#define HTTOPRIGHT 14
#define HTBOTTOM 15
#define HTBOTTOMLEFT 16
#define HTBOTTOMRIGHT 17
#define HTBORDER 18
#define HTCLOSE 20

/* WM_SYSCOMMAND wParam */
#define SC_SIZE 0xF000
#define SC_MOVE 0xF010
#define SC_MINIMIZE 0xF020
#define SC_MAXIMIZE 0xF030
#define SC_NEXTWINDOW 0xF040
#define SC_CLOSE 0xF060
#define SC_KEYMENU 0xF100
#define SC_RESTORE 0xF120

/* Owner-drawn items: WM_DRAWITEM / WM_MEASUREITEM */
#define ODT_MENU 1
#define ODT_LISTBOX 2
#define ODT_COMBOBOX 3
#define ODT_BUTTON 4
#define ODT_STATIC 5
#define ODA_DRAWENTIRE 0x0001
#define ODA_SELECT 0x0002
#define ODA_FOCUS 0x0004
#define ODS_SELECTED 0x0001
#define ODS_GRAYED 0x0002
#define ODS_DISABLED 0x0004
#define ODS_CHECKED 0x0008
#define ODS_FOCUS 0x0010
#define ODS_DEFAULT 0x0020
#define ODS_HOTLIGHT 0x0040
#define ODS_INACTIVE 0x0080
#define ODS_NOACCEL 0x0100
#define ODS_NOFOCUSRECT 0x0200
#define ODS_COMBOBOXEDIT 0x1000

/* ---- Styles ----------------------------------------------------------
 * Plain (unsuffixed) hexadecimal literals give the 32-bit types these
 * constants have on Windows, where long is 32 bits: WS_POPUP is unsigned,
 * the rest int, so comparisons against a LONG style behave the same. */

#define WS_OVERLAPPED 0x00000000
#define WS_POPUP 0x80000000
#define WS_CHILD 0x40000000
#define WS_MINIMIZE 0x20000000
#define WS_VISIBLE 0x10000000
#define WS_DISABLED 0x08000000
#define WS_CLIPSIBLINGS 0x04000000
#define WS_CLIPCHILDREN 0x02000000
#define WS_MAXIMIZE 0x01000000
#define WS_CAPTION 0x00C00000 /* WS_BORDER | WS_DLGFRAME */
#define WS_BORDER 0x00800000
#define WS_DLGFRAME 0x00400000
#define WS_VSCROLL 0x00200000
#define WS_HSCROLL 0x00100000
#define WS_SYSMENU 0x00080000
#define WS_THICKFRAME 0x00040000
#define WS_GROUP 0x00020000
#define WS_TABSTOP 0x00010000
#define WS_MINIMIZEBOX 0x00020000
#define WS_MAXIMIZEBOX 0x00010000
#define WS_TILED WS_OVERLAPPED
#define WS_ICONIC WS_MINIMIZE
#define WS_SIZEBOX WS_THICKFRAME
#define WS_OVERLAPPEDWINDOW \
  (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_TILEDWINDOW WS_OVERLAPPEDWINDOW
#define WS_POPUPWINDOW (WS_POPUP | WS_BORDER | WS_SYSMENU)
#define WS_CHILDWINDOW WS_CHILD

#define WS_EX_DLGMODALFRAME 0x00000001
#define WS_EX_NOPARENTNOTIFY 0x00000004
#define WS_EX_TOPMOST 0x00000008
#define WS_EX_ACCEPTFILES 0x00000010
#define WS_EX_TRANSPARENT 0x00000020
#define WS_EX_MDICHILD 0x00000040
#define WS_EX_TOOLWINDOW 0x00000080
#define WS_EX_WINDOWEDGE 0x00000100
#define WS_EX_CLIENTEDGE 0x00000200
#define WS_EX_CONTEXTHELP 0x00000400
#define WS_EX_RIGHT 0x00001000
#define WS_EX_LEFT 0x00000000
#define WS_EX_RTLREADING 0x00002000
#define WS_EX_LTRREADING 0x00000000
#define WS_EX_LEFTSCROLLBAR 0x00004000
#define WS_EX_RIGHTSCROLLBAR 0x00000000
#define WS_EX_CONTROLPARENT 0x00010000
#define WS_EX_STATICEDGE 0x00020000
#define WS_EX_APPWINDOW 0x00040000
#define WS_EX_LAYERED 0x00080000
#define WS_EX_NOINHERITLAYOUT 0x00100000
#define WS_EX_LAYOUTRTL 0x00400000
#define WS_EX_COMPOSITED 0x02000000
#define WS_EX_NOACTIVATE 0x08000000
#define WS_EX_OVERLAPPEDWINDOW (WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE)
#define WS_EX_PALETTEWINDOW (WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST)

#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_DBLCLKS 0x0008
#define CS_OWNDC 0x0020
#define CS_CLASSDC 0x0040
#define CS_PARENTDC 0x0080
#define CS_NOCLOSE 0x0200
#define CS_SAVEBITS 0x0800
#define CS_BYTEALIGNCLIENT 0x1000
#define CS_BYTEALIGNWINDOW 0x2000
#define CS_GLOBALCLASS 0x4000
#define CS_DROPSHADOW 0x00020000

#define CW_USEDEFAULT ((int)0x80000000)

/* ---- ShowWindow / SetWindowPos ---------------------------------------- */

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA 8
#define SW_RESTORE 9
#define SW_SHOWDEFAULT 10
#define SW_FORCEMINIMIZE 11
#define SW_MAX 11

#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOREDRAW 0x0008
#define SWP_NOACTIVATE 0x0010
#define SWP_FRAMECHANGED 0x0020
#define SWP_SHOWWINDOW 0x0040
#define SWP_HIDEWINDOW 0x0080
#define SWP_NOCOPYBITS 0x0100
#define SWP_NOOWNERZORDER 0x0200
#define SWP_NOSENDCHANGING 0x0400
#define SWP_DRAWFRAME SWP_FRAMECHANGED
#define SWP_NOREPOSITION SWP_NOOWNERZORDER
#define SWP_DEFERERASE 0x2000
#define SWP_ASYNCWINDOWPOS 0x4000

#define HWND_DESKTOP ((HWND)0)
#define HWND_TOP ((HWND)0)
#define HWND_BOTTOM ((HWND)1)
#define HWND_TOPMOST ((HWND)-1)
#define HWND_NOTOPMOST ((HWND)-2)
#define HWND_MESSAGE ((HWND)-3)
#define HWND_BROADCAST ((HWND)0xffff)

/* ---- Window and class data ------------------------------------------
 * 64-bit indices only: the pointer-sized slots exist as GWLP_ and GCLP_. */

#define GWLP_WNDPROC (-4)
#define GWLP_HINSTANCE (-6)
#define GWLP_HWNDPARENT (-8)
#define GWL_ID (-12)
#define GWLP_ID (-12)
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWL_USERDATA (-21)
#define GWLP_USERDATA (-21)

/* Dialog window extra bytes (64-bit layout). */
#define DWLP_MSGRESULT 0
#define DWLP_DLGPROC (DWLP_MSGRESULT + (int)sizeof(LRESULT))
#define DWLP_USER (DWLP_DLGPROC + (int)sizeof(DLGPROC))
#define DLGWINDOWEXTRA 30

#define GCLP_MENUNAME (-8)
#define GCLP_HBRBACKGROUND (-10)
#define GCLP_HCURSOR (-12)
#define GCLP_HICON (-14)
#define GCLP_HMODULE (-16)
#define GCL_CBWNDEXTRA (-18)
#define GCL_CBCLSEXTRA (-20)
#define GCLP_WNDPROC (-24)
#define GCL_STYLE (-26)
#define GCW_ATOM (-32)
#define GCLP_HICONSM (-34)

#define GW_HWNDFIRST 0
#define GW_HWNDLAST 1
#define GW_HWNDNEXT 2
#define GW_HWNDPREV 3
#define GW_OWNER 4
#define GW_CHILD 5
#define GW_ENABLEDPOPUP 6

#define GA_PARENT 1
#define GA_ROOT 2
#define GA_ROOTOWNER 3

#define CWP_ALL 0x0000
#define CWP_SKIPINVISIBLE 0x0001
#define CWP_SKIPDISABLED 0x0002
#define CWP_SKIPTRANSPARENT 0x0004

/* ---- Message queue ---------------------------------------------------- */

#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define PM_NOYIELD 0x0002

#define USER_TIMER_MINIMUM 0x0000000A
#define USER_TIMER_MAXIMUM 0x7FFFFFFF

/* ---- Keyboard and mouse ----------------------------------------------- */

#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_CANCEL 0x03
#define VK_MBUTTON 0x04
#define VK_XBUTTON1 0x05
#define VK_XBUTTON2 0x06
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_CLEAR 0x0C
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_CAPITAL 0x14
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_SELECT 0x29
#define VK_PRINT 0x2A
#define VK_EXECUTE 0x2B
#define VK_SNAPSHOT 0x2C
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_HELP 0x2F
/* '0'..'9' and 'A'..'Z' are their own ASCII codes. */
#define VK_LWIN 0x5B
#define VK_RWIN 0x5C
#define VK_APPS 0x5D
#define VK_NUMPAD0 0x60
#define VK_NUMPAD1 0x61
#define VK_NUMPAD2 0x62
#define VK_NUMPAD3 0x63
#define VK_NUMPAD4 0x64
#define VK_NUMPAD5 0x65
#define VK_NUMPAD6 0x66
#define VK_NUMPAD7 0x67
#define VK_NUMPAD8 0x68
#define VK_NUMPAD9 0x69
#define VK_MULTIPLY 0x6A
#define VK_ADD 0x6B
#define VK_SEPARATOR 0x6C
#define VK_SUBTRACT 0x6D
#define VK_DECIMAL 0x6E
#define VK_DIVIDE 0x6F
#define VK_F1 0x70
#define VK_F2 0x71
#define VK_F3 0x72
#define VK_F4 0x73
#define VK_F5 0x74
#define VK_F6 0x75
#define VK_F7 0x76
#define VK_F8 0x77
#define VK_F9 0x78
#define VK_F10 0x79
#define VK_F11 0x7A
#define VK_F12 0x7B
#define VK_NUMLOCK 0x90
#define VK_SCROLL 0x91
#define VK_LSHIFT 0xA0
#define VK_RSHIFT 0xA1
#define VK_LCONTROL 0xA2
#define VK_RCONTROL 0xA3
#define VK_LMENU 0xA4
#define VK_RMENU 0xA5
#define VK_OEM_1 0xBA
#define VK_OEM_PLUS 0xBB
#define VK_OEM_COMMA 0xBC
#define VK_OEM_MINUS 0xBD
#define VK_OEM_PERIOD 0xBE
#define VK_OEM_2 0xBF
#define VK_OEM_3 0xC0
#define VK_OEM_4 0xDB
#define VK_OEM_5 0xDC
#define VK_OEM_6 0xDD
#define VK_OEM_7 0xDE

#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010

/* ---- System metrics and colours --------------------------------------- */

#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXVSCROLL 2
#define SM_CYHSCROLL 3
#define SM_CYCAPTION 4
#define SM_CXBORDER 5
#define SM_CYBORDER 6
#define SM_CXDLGFRAME 7
#define SM_CYDLGFRAME 8
#define SM_CXFIXEDFRAME SM_CXDLGFRAME
#define SM_CYFIXEDFRAME SM_CYDLGFRAME
#define SM_CYVTHUMB 9
#define SM_CXHTHUMB 10
#define SM_CXICON 11
#define SM_CYICON 12
#define SM_CXCURSOR 13
#define SM_CYCURSOR 14
#define SM_CYMENU 15
#define SM_CXFULLSCREEN 16
#define SM_CYFULLSCREEN 17
#define SM_MOUSEPRESENT 19
#define SM_CYVSCROLL 20
#define SM_CXHSCROLL 21
#define SM_SWAPBUTTON 23
#define SM_CXMIN 28
#define SM_CYMIN 29
#define SM_CXSIZE 30
#define SM_CYSIZE 31
#define SM_CXFRAME 32
#define SM_CYFRAME 33
#define SM_CXSIZEFRAME SM_CXFRAME
#define SM_CYSIZEFRAME SM_CYFRAME
#define SM_CXMINTRACK 34
#define SM_CYMINTRACK 35
#define SM_CXDOUBLECLK 36
#define SM_CYDOUBLECLK 37
#define SM_CXEDGE 45
#define SM_CYEDGE 46
#define SM_CXSMICON 49
#define SM_CYSMICON 50
#define SM_CXMAXIMIZED 61
#define SM_CYMAXIMIZED 62
#define SM_CXDRAG 68
#define SM_CYDRAG 69
#define SM_XVIRTUALSCREEN 76
#define SM_YVIRTUALSCREEN 77
#define SM_CXVIRTUALSCREEN 78
#define SM_CYVIRTUALSCREEN 79
#define SM_CMONITORS 80

#define COLOR_SCROLLBAR 0
#define COLOR_BACKGROUND 1
#define COLOR_DESKTOP COLOR_BACKGROUND
#define COLOR_ACTIVECAPTION 2
#define COLOR_INACTIVECAPTION 3
#define COLOR_MENU 4
#define COLOR_WINDOW 5
#define COLOR_WINDOWFRAME 6
#define COLOR_MENUTEXT 7
#define COLOR_WINDOWTEXT 8
#define COLOR_CAPTIONTEXT 9
#define COLOR_ACTIVEBORDER 10
#define COLOR_INACTIVEBORDER 11
#define COLOR_APPWORKSPACE 12
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_BTNFACE 15
#define COLOR_3DFACE COLOR_BTNFACE
#define COLOR_BTNSHADOW 16
#define COLOR_3DSHADOW COLOR_BTNSHADOW
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18
#define COLOR_INACTIVECAPTIONTEXT 19
#define COLOR_BTNHIGHLIGHT 20
#define COLOR_3DHIGHLIGHT COLOR_BTNHIGHLIGHT
#define COLOR_3DHILIGHT COLOR_BTNHIGHLIGHT
#define COLOR_BTNHILIGHT COLOR_BTNHIGHLIGHT
#define COLOR_3DDKSHADOW 21
#define COLOR_3DLIGHT 22
#define COLOR_INFOTEXT 23
#define COLOR_INFOBK 24
#define COLOR_HOTLIGHT 26
#define COLOR_GRADIENTACTIVECAPTION 27
#define COLOR_GRADIENTINACTIVECAPTION 28
#define COLOR_MENUHILIGHT 29
#define COLOR_MENUBAR 30

/* ---- Dialog command identifiers --------------------------------------- */

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDCLOSE 8
#define IDHELP 9

/* ---- Error codes the window manager sets ------------------------------ */

#ifndef ERROR_INVALID_WINDOW_HANDLE
#define ERROR_INVALID_WINDOW_HANDLE 1400L
#endif
#define ERROR_TLW_WITH_WSCHILD 1406L
#define ERROR_CANNOT_FIND_WND_CLASS 1407L
#define ERROR_CLASS_ALREADY_EXISTS 1410L
#define ERROR_CLASS_DOES_NOT_EXIST 1411L
#define ERROR_CLASS_HAS_WINDOWS 1412L
#define ERROR_INVALID_INDEX 1413L
#define ERROR_TIMEOUT 1460L

#define MAKEINTATOM(i) ((LPCSTR)((ULONG_PTR)((WORD)(i))))

VPLAT_EXTERN_C_BEGIN

/* ---- Window classes ---------------------------------------------------
 * Classes are process-wide and looked up by name, ignoring case (or by the
 * atom the registration returned). Registering a name twice fails with
 * ERROR_CLASS_ALREADY_EXISTS. The class keeps copies of the names; the
 * caller's structure is not kept. A class registered through an A call has
 * an ANSI window procedure, through a W call a Unicode one: messages that
 * carry text are converted between the two when sender and procedure
 * differ. */

/* Returns the class atom, or 0 (GetLastError says why). */
VPLAT_API ATOM WINAPI RegisterClassA(const WNDCLASSA *wc);
VPLAT_API ATOM WINAPI RegisterClassW(const WNDCLASSW *wc);
VPLAT_API ATOM WINAPI RegisterClassExA(const WNDCLASSEXA *wc);
VPLAT_API ATOM WINAPI RegisterClassExW(const WNDCLASSEXW *wc);
/* Fails with ERROR_CLASS_DOES_NOT_EXIST, or ERROR_CLASS_HAS_WINDOWS while a
 * window of the class exists. hInstance is not part of a class's identity. */
VPLAT_API BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE hInstance);
VPLAT_API BOOL WINAPI UnregisterClassW(LPCWSTR className, HINSTANCE hInstance);
/* Fills *wc; lpszClassName is set to the pointer passed in, lpszMenuName
 * points into the class (valid until it is unregistered). */
VPLAT_API BOOL WINAPI GetClassInfoA(HINSTANCE hInstance, LPCSTR className, WNDCLASSA *wc);
VPLAT_API BOOL WINAPI GetClassInfoW(HINSTANCE hInstance, LPCWSTR className, WNDCLASSW *wc);
VPLAT_API BOOL WINAPI GetClassInfoExA(HINSTANCE hInstance, LPCSTR className, WNDCLASSEXA *wc);
VPLAT_API BOOL WINAPI GetClassInfoExW(HINSTANCE hInstance, LPCWSTR className, WNDCLASSEXW *wc);
/* Copies the class name of hwnd, truncated to count-1 units, terminated.
 * Returns the units copied, without the terminator; 0 on failure. */
VPLAT_API int WINAPI GetClassNameA(HWND hwnd, LPSTR buffer, int count);
VPLAT_API int WINAPI GetClassNameW(HWND hwnd, LPWSTR buffer, int count);
/* GCLP_ / GCL_ indices, or a byte offset into the class's cbClsExtra bytes.
 * Setting GCLP_WNDPROC affects windows created afterwards. */
VPLAT_API ULONG_PTR WINAPI GetClassLongPtrA(HWND hwnd, int index);
VPLAT_API ULONG_PTR WINAPI GetClassLongPtrW(HWND hwnd, int index);
VPLAT_API ULONG_PTR WINAPI SetClassLongPtrA(HWND hwnd, int index, LONG_PTR value);
VPLAT_API ULONG_PTR WINAPI SetClassLongPtrW(HWND hwnd, int index, LONG_PTR value);

/* ---- Creating and destroying windows ----------------------------------
 * CreateWindowEx sends WM_NCCREATE (FALSE aborts), WM_CREATE (-1 aborts),
 * then WM_SIZE and WM_MOVE, and WM_PARENTNOTIFY to the parent of a child
 * without WS_EX_NOPARENTNOTIFY. WS_VISIBLE is applied after WM_CREATE (a
 * visible top-level window is also activated). New child windows go to the
 * bottom of their siblings' Z order, so creation order is tab order; new
 * top-level windows go to the top of their band (topmost or not). For a
 * window without WS_CHILD, hWndParent is the owner. Returns NULL on failure
 * (ERROR_CANNOT_FIND_WND_CLASS, ERROR_TLW_WITH_WSCHILD,
 * ERROR_INVALID_WINDOW_HANDLE, or the window refused creation). */
VPLAT_API HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName,
                                      DWORD style, int x, int y, int width, int height,
                                      HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                                      LPVOID param);
VPLAT_API HWND WINAPI CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName,
                                      DWORD style, int x, int y, int width, int height,
                                      HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                                      LPVOID param);
#define CreateWindowA(cls, name, style, x, y, w, h, parent, menu, inst, param) \
  CreateWindowExA(0, cls, name, style, x, y, w, h, parent, menu, inst, param)
#define CreateWindowW(cls, name, style, x, y, w, h, parent, menu, inst, param) \
  CreateWindowExW(0, cls, name, style, x, y, w, h, parent, menu, inst, param)

/* Hides the window, destroys the windows it owns, then sends WM_DESTROY to
 * it and to its children (parent first, while all still exist) and
 * WM_NCDESTROY to the children and last to it. Posted messages and timers
 * for the destroyed windows are dropped, and their handles never become
 * valid again. */
VPLAT_API BOOL WINAPI DestroyWindow(HWND hwnd);
VPLAT_API BOOL WINAPI IsWindow(HWND hwnd);

/* ---- Window procedures -------------------------------------------------
 * DefWindowProc: WM_NCCREATE stores the creation text; WM_SETTEXT,
 * WM_GETTEXT and WM_GETTEXTLENGTH work on the window's text; WM_CLOSE
 * destroys the window; WM_WINDOWPOSCHANGED sends WM_SIZE / WM_MOVE for
 * what changed; WM_ACTIVATE gives the activated window the focus; WM_PAINT
 * validates the update region; WM_NCHITTEST answers from the frame
 * metrics; WM_SYSCOMMAND SC_CLOSE sends WM_CLOSE; WM_MOUSEACTIVATE and
 * WM_CONTEXTMENU of a child go to its parent; everything else returns 0. */
VPLAT_API LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
VPLAT_API LRESULT WINAPI DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
/* Calls proc, converting text-carrying messages if proc is of the other
 * character set. proc may be a value GetWindowLongPtr(GWLP_WNDPROC) of the
 * other character set returned: such values are not callable directly. */
VPLAT_API LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam,
                                         LPARAM lParam);
VPLAT_API LRESULT WINAPI CallWindowProcW(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam,
                                         LPARAM lParam);
/* TRUE if the window's procedure takes Unicode messages. */
VPLAT_API BOOL WINAPI IsWindowUnicode(HWND hwnd);

/* GWLP_ / GWL_ indices, or a byte offset into the window's cbWndExtra
 * bytes (an offset whose value does not fit fails with
 * ERROR_INVALID_INDEX). Set returns the previous value. Setting GWL_STYLE
 * sends WM_STYLECHANGING / WM_STYLECHANGED; WS_EX_TOPMOST can only change
 * through SetWindowPos. GWLP_HWNDPARENT reads the parent of a child, the
 * owner of a top-level window, and sets the owner. On success with a
 * previous value of 0 the last error is left as it was. */
VPLAT_API LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index);
VPLAT_API LONG_PTR WINAPI GetWindowLongPtrW(HWND hwnd, int index);
VPLAT_API LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value);
VPLAT_API LONG_PTR WINAPI SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value);
/* 32-bit forms: the same slots truncated; GWLP_WNDPROC, GWLP_HINSTANCE and
 * GWLP_HWNDPARENT fail with ERROR_INVALID_INDEX, as on 64-bit Windows. */
VPLAT_API LONG WINAPI GetWindowLongA(HWND hwnd, int index);
VPLAT_API LONG WINAPI GetWindowLongW(HWND hwnd, int index);
VPLAT_API LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value);
VPLAT_API LONG WINAPI SetWindowLongW(HWND hwnd, int index, LONG value);

/* ---- Messages -----------------------------------------------------------
 * One UI thread, one queue. SendMessage calls the window procedure at
 * once. PostMessage appends to the queue; automation input (mouse, keys,
 * typed characters) is posted to the same queue in the order it happens.
 * Retrieval order: posted messages first in, first out; then WM_QUIT if
 * PostQuitMessage was called; then WM_PAINT for a visible window with a
 * non-empty update region (parents before children, front to back; it
 * stays until the region is validated); then WM_TIMER for due timers.
 * The hwnd filter matches that window only ((HWND)-1: messages with no
 * window); min/max 0,0 accept every message. */
VPLAT_API LRESULT WINAPI SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
VPLAT_API LRESULT WINAPI SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
/* hwnd NULL posts a message with no window. Fails with
 * ERROR_INVALID_WINDOW_HANDLE for a handle that is not a window. */
VPLAT_API BOOL WINAPI PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
VPLAT_API BOOL WINAPI PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
VPLAT_API VOID WINAPI PostQuitMessage(int exitCode);
/* Never waits. TRUE and *msg filled if a message was there. */
VPLAT_API BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax,
                                   UINT removeFlags);
VPLAT_API BOOL WINAPI PeekMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax,
                                   UINT removeFlags);
/* Waits by advancing the virtual clock to the next scheduled event (which
 * may post input, fire a timer, ...) until a message arrives. Returns 0 for
 * WM_QUIT, nonzero otherwise, and -1 with ERROR_TIMEOUT when the queue is
 * empty and no clock event is left that could ever produce a message:
 * where Windows would block forever, this returns so tests end. */
VPLAT_API BOOL WINAPI GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax);
VPLAT_API BOOL WINAPI GetMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax);
/* Like GetMessage without taking the message: TRUE once one is there,
 * FALSE when nothing could ever arrive. */
VPLAT_API BOOL WINAPI WaitMessage(void);
/* WM_KEYDOWN / WM_SYSKEYDOWN of a key that types a character (US layout,
 * shift, caps lock and control applied) places WM_CHAR / WM_SYSCHAR at the
 * front of the queue, so it is read next. Returns nonzero for every key
 * message. */
VPLAT_API BOOL WINAPI TranslateMessage(const MSG *msg);
/* Calls the window procedure of msg->hwnd (the TIMERPROC of a WM_TIMER that
 * has one) and returns its result; 0 for a message without a window. */
VPLAT_API LRESULT WINAPI DispatchMessageA(const MSG *msg);
VPLAT_API LRESULT WINAPI DispatchMessageW(const MSG *msg);
/* Time and cursor position of the last message retrieved. */
VPLAT_API LONG WINAPI GetMessageTime(void);
VPLAT_API DWORD WINAPI GetMessagePos(void);

/* Timers run on the virtual clock. With hwnd NULL the id is chosen and
 * returned. Elapse is clamped to USER_TIMER_MINIMUM..USER_TIMER_MAXIMUM.
 * A due timer yields one WM_TIMER until it is taken from the queue. */
VPLAT_API UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
VPLAT_API BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id);

/* ---- Painting -----------------------------------------------------------
 * Each window keeps one update rectangle (the union of what was
 * invalidated) and an erase flag. Invalidating a window without
 * WS_CLIPCHILDREN also invalidates the children it overlaps. A hidden
 * window collects nothing; showing, moving or sizing a window invalidates
 * all of it. rect NULL means the whole client area; hwnd NULL in
 * InvalidateRect means every window. */
VPLAT_API BOOL WINAPI InvalidateRect(HWND hwnd, const RECT *rect, BOOL erase);
VPLAT_API BOOL WINAPI ValidateRect(HWND hwnd, const RECT *rect);
/* Update rectangle in client coordinates (empty if none); returns whether
 * it is non-empty. The erase request is left for BeginPaint. */
VPLAT_API BOOL WINAPI GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase);
/* Sends WM_PAINT at once to the window and then its children that need it. */
VPLAT_API BOOL WINAPI UpdateWindow(HWND hwnd);

/* ---- Visibility, state, position ----------------------------------------- */

/* Returns whether the window was visible before. Sends WM_SHOWWINDOW when
 * visibility changes; showing a top-level window activates it except with
 * SW_SHOWNA, SW_SHOWNOACTIVATE, SW_SHOWMINNOACTIVE. SW_MAXIMIZE fills the
 * screen, SW_RESTORE gives back the previous rectangle; minimizing only sets
 * WS_MINIMIZE. */
VPLAT_API BOOL WINAPI ShowWindow(HWND hwnd, int cmdShow);
/* The window and all its ancestors have WS_VISIBLE. */
VPLAT_API BOOL WINAPI IsWindowVisible(HWND hwnd);
VPLAT_API BOOL WINAPI IsIconic(HWND hwnd);
VPLAT_API BOOL WINAPI IsZoomed(HWND hwnd);
/* Returns nonzero if the window was disabled before. Sends WM_ENABLE on a
 * change; disabling takes the focus away from the window and its children. */
VPLAT_API BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable);
VPLAT_API BOOL WINAPI IsWindowEnabled(HWND hwnd);

/* x, y are in the parent's client coordinates (screen for top-level
 * windows). Sends WM_WINDOWPOSCHANGING (which may alter the request) and
 * WM_WINDOWPOSCHANGED; DefWindowProc turns the latter into WM_SIZE / WM_MOVE
 * when the size / position really changed. Z order: HWND_TOP and
 * HWND_BOTTOM within the window's band (HWND_BOTTOM also ends topmost),
 * HWND_TOPMOST and HWND_NOTOPMOST move between bands, a window handle puts
 * it behind that window and into its band. Without SWP_NOACTIVATE a visible
 * top-level window is also activated (and so brought to the top of its
 * band). */
VPLAT_API BOOL WINAPI SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy,
                                   UINT flags);
VPLAT_API BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
/* Screen coordinates of the whole window, frame included. */
VPLAT_API BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect);
/* (0, 0, client width, client height). The frame takes, per side:
 * WS_THICKFRAME 4, else WS_DLGFRAME or WS_EX_DLGMODALFRAME 3, else
 * WS_BORDER 1; plus WS_EX_CLIENTEDGE 2 and WS_EX_STATICEDGE 1; a full
 * WS_CAPTION adds 19 at the top. Scroll bars take no room. */
VPLAT_API BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect);
/* Grows a client rectangle into the window rectangle with the same rules. */
VPLAT_API BOOL WINAPI AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu);
VPLAT_API BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle);
VPLAT_API BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT pt);
VPLAT_API BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT pt);
/* From one window's client coordinates to another's (NULL: the screen).
 * Returns the horizontal offset added in the low word and the vertical in
 * the high word. */
VPLAT_API int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT count);

/* The deepest visible window under a screen point, asking WM_NCHITTEST so
 * that HTTRANSPARENT windows let the point through. A disabled child is not
 * entered: its parent is returned. A disabled top-level window is returned
 * (input aimed at it is dropped). NULL over the bare desktop. */
VPLAT_API HWND WINAPI WindowFromPoint(POINT pt);
/* The child of parent containing pt (parent's client coordinates), hidden
 * and disabled children included; parent itself if no child contains it;
 * NULL if pt is outside parent's client area. */
VPLAT_API HWND WINAPI ChildWindowFromPoint(HWND parent, POINT pt);
VPLAT_API HWND WINAPI ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags);

/* ---- Relations ----------------------------------------------------------- */

/* Parent of a child; owner of a WS_POPUP window; else NULL. */
VPLAT_API HWND WINAPI GetParent(HWND hwnd);
/* Makes hwnd a child of newParent (NULL: the desktop) at the top of its new
 * siblings, keeping its coordinates. Returns the previous parent. */
VPLAT_API HWND WINAPI SetParent(HWND hwnd, HWND newParent);
VPLAT_API HWND WINAPI GetAncestor(HWND hwnd, UINT flags);
VPLAT_API HWND WINAPI GetWindow(HWND hwnd, UINT cmd);
/* First child in Z order; NULL hwnd: the frontmost top-level window. */
VPLAT_API HWND WINAPI GetTopWindow(HWND hwnd);
/* A window whose rectangle is the screen; parent of every top-level window. */
VPLAT_API HWND WINAPI GetDesktopWindow(void);
/* hwnd is a descendant of parent through child links. */
VPLAT_API BOOL WINAPI IsChild(HWND parent, HWND hwnd);
/* Top-level windows, front to back, hidden ones included. Stops when proc
 * returns FALSE (and then returns FALSE). Windows created during the walk
 * are not visited; windows destroyed during it are skipped. */
VPLAT_API BOOL WINAPI EnumWindows(WNDENUMPROC proc, LPARAM lParam);
/* Every descendant, depth first, each child before its own children.
 * parent NULL: as EnumWindows. */
VPLAT_API BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam);
/* First top-level window, front to back, whose class name and title match
 * (NULL matches anything; both compared ignoring case). */
VPLAT_API HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName);
VPLAT_API HWND WINAPI FindWindowW(LPCWSTR className, LPCWSTR windowName);
/* The same among the children of parent (NULL: top-level windows), after
 * childAfter (NULL: from the first). */
VPLAT_API HWND WINAPI FindWindowExA(HWND parent, HWND childAfter, LPCSTR className,
                                    LPCSTR windowName);
VPLAT_API HWND WINAPI FindWindowExW(HWND parent, HWND childAfter, LPCWSTR className,
                                    LPCWSTR windowName);
/* The id of a child window; 0 for a top-level window. */
VPLAT_API int WINAPI GetDlgCtrlID(HWND hwnd);

/* ---- Text -----------------------------------------------------------------
 * Stored as UTF-16; the A forms convert through the ANSI code page. These
 * send WM_SETTEXT / WM_GETTEXT / WM_GETTEXTLENGTH, so controls answer for
 * themselves. GetWindowText copies at most count-1 units (never half a
 * character), terminates, and returns the units copied. */
VPLAT_API BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text);
VPLAT_API BOOL WINAPI SetWindowTextW(HWND hwnd, LPCWSTR text);
VPLAT_API int WINAPI GetWindowTextA(HWND hwnd, LPSTR buffer, int count);
VPLAT_API int WINAPI GetWindowTextW(HWND hwnd, LPWSTR buffer, int count);
VPLAT_API int WINAPI GetWindowTextLengthA(HWND hwnd);
VPLAT_API int WINAPI GetWindowTextLengthW(HWND hwnd);

/* ---- Focus and activation ------------------------------------------------
 * One active (= foreground) top-level window and one focus window. SetFocus
 * activates the focus window's top-level window first, then sends
 * WM_KILLFOCUS to the old and WM_SETFOCUS to the new; it returns the
 * previous focus (NULL hwnd removes the focus). Activation sends
 * WM_NCACTIVATE and WM_ACTIVATE to the window losing and the one gaining it,
 * and brings the new one, with the windows it owns, to the top of its band.
 * Hiding or destroying the active window activates its owner, else the
 * frontmost visible enabled top-level window. */
VPLAT_API HWND WINAPI SetFocus(HWND hwnd);
VPLAT_API HWND WINAPI GetFocus(void);
VPLAT_API HWND WINAPI SetActiveWindow(HWND hwnd);
VPLAT_API HWND WINAPI GetActiveWindow(void);
VPLAT_API BOOL WINAPI SetForegroundWindow(HWND hwnd);
VPLAT_API HWND WINAPI GetForegroundWindow(void);
/* Mouse messages go to the capture window wherever the cursor is. */
VPLAT_API HWND WINAPI SetCapture(HWND hwnd);
VPLAT_API HWND WINAPI GetCapture(void);
VPLAT_API BOOL WINAPI ReleaseCapture(void);

/* ---- Input state ------------------------------------------------------------
 * The cursor, buttons and keys are state that automation (vplatform/input.h)
 * sets. SetCursorPos clamps to the screen and posts WM_MOUSEMOVE as a real
 * move would. GetAsyncKeyState gives the state now (0x8000 while down);
 * GetKeyState the state as of the last input message taken from the queue
 * (0x8000 down, 0x0001 toggled). */
VPLAT_API BOOL WINAPI GetCursorPos(LPPOINT pt);
VPLAT_API BOOL WINAPI SetCursorPos(int x, int y);
VPLAT_API SHORT WINAPI GetAsyncKeyState(int vKey);
VPLAT_API SHORT WINAPI GetKeyState(int vKey);
/* Double-click time in milliseconds, 500 by default. */
VPLAT_API UINT WINAPI GetDoubleClickTime(void);
VPLAT_API BOOL WINAPI SetDoubleClickTime(UINT ms);

/* ---- Metrics and colours -------------------------------------------------- */

/* Screen size from automation (1920 x 1080 by default), fixed values for
 * the rest (see docs/window-manager.md); 0 for an unknown index. */
VPLAT_API int WINAPI GetSystemMetrics(int index);
/* The default colours of a current Windows desktop; 0 for unknown. */
VPLAT_API DWORD WINAPI GetSysColor(int index);

/* ---- Virtual clock (kernel32) ------------------------------------------------
 * Time starts at 0 and moves only when something advances it: Sleep, or a
 * GetMessage / modal loop waiting for the next scheduled event. */
VPLAT_API DWORD WINAPI GetTickCount(void);
VPLAT_API ULONGLONG WINAPI GetTickCount64(void);
/* Advances the clock by ms, running each scheduled event that comes due at
 * its own time. Never waits in real time. Does not process messages. */
VPLAT_API VOID WINAPI Sleep(DWORD ms);

/* ---- Rectangles and arithmetic ----------------------------------------------
 * A rectangle contains its left and top edges, not its right and bottom.
 * NULL arguments make these return FALSE. */
VPLAT_API BOOL WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom);
VPLAT_API BOOL WINAPI SetRectEmpty(LPRECT rect);
VPLAT_API BOOL WINAPI CopyRect(LPRECT dst, const RECT *src);
VPLAT_API BOOL WINAPI InflateRect(LPRECT rect, int dx, int dy);
VPLAT_API BOOL WINAPI OffsetRect(LPRECT rect, int dx, int dy);
VPLAT_API BOOL WINAPI PtInRect(const RECT *rect, POINT pt);
/* Empty: no area (right <= left or bottom <= top). */
VPLAT_API BOOL WINAPI IsRectEmpty(const RECT *rect);
VPLAT_API BOOL WINAPI EqualRect(const RECT *a, const RECT *b);
/* Empty result: *dst = (0,0,0,0) and FALSE. */
VPLAT_API BOOL WINAPI IntersectRect(LPRECT dst, const RECT *a, const RECT *b);
/* Smallest rectangle holding both; an empty operand is ignored. */
VPLAT_API BOOL WINAPI UnionRect(LPRECT dst, const RECT *a, const RECT *b);
/* a minus b when that is still a rectangle, else a. */
VPLAT_API BOOL WINAPI SubtractRect(LPRECT dst, const RECT *a, const RECT *b);
/* number * numerator / denominator through 64 bits, rounded half away from
 * zero; -1 when denominator is 0 or the result does not fit an int. */
VPLAT_API int WINAPI MulDiv(int number, int numerator, int denominator);

VPLAT_EXTERN_C_END

/* Generic names, as <windows.h> maps them: to the W forms when UNICODE is
 * defined, else to the A forms. */
#ifndef VPLAT_NO_GENERIC_NAMES
#ifdef UNICODE
#define VPLAT_AW(name) name##W
#else
#define VPLAT_AW(name) name##A
#endif
typedef VPLAT_AW(WNDCLASS) WNDCLASS;
typedef VPLAT_AW(WNDCLASSEX) WNDCLASSEX;
typedef VPLAT_AW(CREATESTRUCT) CREATESTRUCT;
typedef VPLAT_AW(LPCREATESTRUCT) LPCREATESTRUCT;
#define RegisterClass VPLAT_AW(RegisterClass)
#define RegisterClassEx VPLAT_AW(RegisterClassEx)
#define UnregisterClass VPLAT_AW(UnregisterClass)
#define GetClassInfo VPLAT_AW(GetClassInfo)
#define GetClassInfoEx VPLAT_AW(GetClassInfoEx)
#define GetClassName VPLAT_AW(GetClassName)
#define GetClassLongPtr VPLAT_AW(GetClassLongPtr)
#define SetClassLongPtr VPLAT_AW(SetClassLongPtr)
#define CreateWindowEx VPLAT_AW(CreateWindowEx)
#define CreateWindow VPLAT_AW(CreateWindow)
#define DefWindowProc VPLAT_AW(DefWindowProc)
#define CallWindowProc VPLAT_AW(CallWindowProc)
#define GetWindowLongPtr VPLAT_AW(GetWindowLongPtr)
#define SetWindowLongPtr VPLAT_AW(SetWindowLongPtr)
#define GetWindowLong VPLAT_AW(GetWindowLong)
#define SetWindowLong VPLAT_AW(SetWindowLong)
#define SendMessage VPLAT_AW(SendMessage)
#define PostMessage VPLAT_AW(PostMessage)
#define PeekMessage VPLAT_AW(PeekMessage)
#define GetMessage VPLAT_AW(GetMessage)
#define DispatchMessage VPLAT_AW(DispatchMessage)
#define FindWindow VPLAT_AW(FindWindow)
#define FindWindowEx VPLAT_AW(FindWindowEx)
#define SetWindowText VPLAT_AW(SetWindowText)
#define GetWindowText VPLAT_AW(GetWindowText)
#define GetWindowTextLength VPLAT_AW(GetWindowTextLength)
#endif

#endif
