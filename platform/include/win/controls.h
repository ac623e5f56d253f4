/* Standard controls (Static, Button, Edit, ComboBox) and dialog boxes.
 *
 * Styles, messages, notification codes and structures carry their Win32
 * names and values. The controls are built-in window classes, registered
 * without any call of the application; their behaviour, and what they leave
 * out, is described in docs/dialogs.md. */
#ifndef VARDO_WIN_CONTROLS_H
#define VARDO_WIN_CONTROLS_H

#include "types.h"
#include "winuser.h"

#ifndef ERROR_CONTROL_ID_NOT_FOUND
#define ERROR_CONTROL_ID_NOT_FOUND 1421L
#endif

#ifndef IDTRYAGAIN
#define IDTRYAGAIN 10
#define IDCONTINUE 11
#endif

/* ---- Static ---------------------------------------------------------------- */
#define SS_LEFT 0x00000000
#define SS_CENTER 0x00000001
#define SS_RIGHT 0x00000002
#define SS_ICON 0x00000003
#define SS_BLACKRECT 0x00000004
#define SS_GRAYRECT 0x00000005
#define SS_WHITERECT 0x00000006
#define SS_BLACKFRAME 0x00000007
#define SS_GRAYFRAME 0x00000008
#define SS_WHITEFRAME 0x00000009
#define SS_USERITEM 0x0000000A
#define SS_SIMPLE 0x0000000B
#define SS_LEFTNOWORDWRAP 0x0000000C
#define SS_OWNERDRAW 0x0000000D
#define SS_BITMAP 0x0000000E
#define SS_ENHMETAFILE 0x0000000F
#define SS_ETCHEDHORZ 0x00000010
#define SS_ETCHEDVERT 0x00000011
#define SS_ETCHEDFRAME 0x00000012
#define SS_TYPEMASK 0x0000001F
#define SS_REALSIZECONTROL 0x00000040
#define SS_NOPREFIX 0x00000080
#define SS_NOTIFY 0x00000100
#define SS_CENTERIMAGE 0x00000200
#define SS_RIGHTJUST 0x00000400
#define SS_REALSIZEIMAGE 0x00000800
#define SS_SUNKEN 0x00001000
#define SS_EDITCONTROL 0x00002000
#define SS_ENDELLIPSIS 0x00004000
#define SS_PATHELLIPSIS 0x00008000
#define SS_WORDELLIPSIS 0x0000C000
#define SS_ELLIPSISMASK 0x0000C000

#define STM_SETICON 0x0170
#define STM_GETICON 0x0171
#define STM_SETIMAGE 0x0172
#define STM_GETIMAGE 0x0173

#define STN_CLICKED 0
#define STN_DBLCLK 1
#define STN_ENABLE 2
#define STN_DISABLE 3

/* ---- Button ---------------------------------------------------------------- */
#define BS_PUSHBUTTON 0x00000000
#define BS_DEFPUSHBUTTON 0x00000001
#define BS_CHECKBOX 0x00000002
#define BS_AUTOCHECKBOX 0x00000003
#define BS_RADIOBUTTON 0x00000004
#define BS_3STATE 0x00000005
#define BS_AUTO3STATE 0x00000006
#define BS_GROUPBOX 0x00000007
#define BS_USERBUTTON 0x00000008
#define BS_AUTORADIOBUTTON 0x00000009
#define BS_PUSHBOX 0x0000000A
#define BS_OWNERDRAW 0x0000000B
#define BS_TYPEMASK 0x0000000F
#define BS_LEFTTEXT 0x00000020
#define BS_TEXT 0x00000000
#define BS_ICON 0x00000040
#define BS_BITMAP 0x00000080
#define BS_LEFT 0x00000100
#define BS_RIGHT 0x00000200
#define BS_CENTER 0x00000300
#define BS_TOP 0x00000400
#define BS_BOTTOM 0x00000800
#define BS_VCENTER 0x00000C00
#define BS_PUSHLIKE 0x00001000
#define BS_MULTILINE 0x00002000
#define BS_NOTIFY 0x00004000
#define BS_FLAT 0x00008000
#define BS_RIGHTBUTTON BS_LEFTTEXT

#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BM_GETSTATE 0x00F2
#define BM_SETSTATE 0x00F3
#define BM_SETSTYLE 0x00F4
#define BM_CLICK 0x00F5
#define BM_GETIMAGE 0x00F6
#define BM_SETIMAGE 0x00F7
#define BM_SETDONTCLICK 0x00F8

#define BST_UNCHECKED 0x0000
#define BST_CHECKED 0x0001
#define BST_INDETERMINATE 0x0002
#define BST_PUSHED 0x0004
#define BST_FOCUS 0x0008

#define BN_CLICKED 0
#define BN_PAINT 1
#define BN_HILITE 2
#define BN_UNHILITE 3
#define BN_DISABLE 4
#define BN_DOUBLECLICKED 5
#define BN_PUSHED BN_HILITE
#define BN_UNPUSHED BN_UNHILITE
#define BN_DBLCLK BN_DOUBLECLICKED
#define BN_SETFOCUS 6
#define BN_KILLFOCUS 7

/* ---- Edit ------------------------------------------------------------------ */
#define ES_LEFT 0x0000
#define ES_CENTER 0x0001
#define ES_RIGHT 0x0002
#define ES_MULTILINE 0x0004
#define ES_UPPERCASE 0x0008
#define ES_LOWERCASE 0x0010
#define ES_PASSWORD 0x0020
#define ES_AUTOVSCROLL 0x0040
#define ES_AUTOHSCROLL 0x0080
#define ES_NOHIDESEL 0x0100
#define ES_OEMCONVERT 0x0400
#define ES_READONLY 0x0800
#define ES_WANTRETURN 0x1000
#define ES_NUMBER 0x2000

#define EN_SETFOCUS 0x0100
#define EN_KILLFOCUS 0x0200
#define EN_CHANGE 0x0300
#define EN_UPDATE 0x0400
#define EN_ERRSPACE 0x0500
#define EN_MAXTEXT 0x0501
#define EN_HSCROLL 0x0601
#define EN_VSCROLL 0x0602

#define EM_GETSEL 0x00B0
#define EM_SETSEL 0x00B1
#define EM_GETRECT 0x00B2
#define EM_SETRECT 0x00B3
#define EM_SETRECTNP 0x00B4
#define EM_SCROLL 0x00B5
#define EM_LINESCROLL 0x00B6
#define EM_SCROLLCARET 0x00B7
#define EM_GETMODIFY 0x00B8
#define EM_SETMODIFY 0x00B9
#define EM_GETLINECOUNT 0x00BA
#define EM_LINEINDEX 0x00BB
#define EM_SETHANDLE 0x00BC
#define EM_GETHANDLE 0x00BD
#define EM_GETTHUMB 0x00BE
#define EM_LINELENGTH 0x00C1
#define EM_REPLACESEL 0x00C2
#define EM_GETLINE 0x00C4
#define EM_LIMITTEXT 0x00C5
#define EM_CANUNDO 0x00C6
#define EM_UNDO 0x00C7
#define EM_FMTLINES 0x00C8
#define EM_LINEFROMCHAR 0x00C9
#define EM_SETTABSTOPS 0x00CB
#define EM_SETPASSWORDCHAR 0x00CC
#define EM_EMPTYUNDOBUFFER 0x00CD
#define EM_GETFIRSTVISIBLELINE 0x00CE
#define EM_SETREADONLY 0x00CF
#define EM_SETWORDBREAKPROC 0x00D0
#define EM_GETWORDBREAKPROC 0x00D1
#define EM_GETPASSWORDCHAR 0x00D2
#define EM_SETMARGINS 0x00D3
#define EM_GETMARGINS 0x00D4
#define EM_SETLIMITTEXT EM_LIMITTEXT
#define EM_GETLIMITTEXT 0x00D5
#define EM_POSFROMCHAR 0x00D6
#define EM_CHARFROMPOS 0x00D7

/* ---- ComboBox -------------------------------------------------------------- */
#define CBS_SIMPLE 0x0001
#define CBS_DROPDOWN 0x0002
#define CBS_DROPDOWNLIST 0x0003
#define CBS_OWNERDRAWFIXED 0x0010
#define CBS_OWNERDRAWVARIABLE 0x0020
#define CBS_AUTOHSCROLL 0x0040
#define CBS_OEMCONVERT 0x0080
#define CBS_SORT 0x0100
#define CBS_HASSTRINGS 0x0200
#define CBS_NOINTEGRALHEIGHT 0x0400
#define CBS_DISABLENOSCROLL 0x0800
#define CBS_UPPERCASE 0x2000
#define CBS_LOWERCASE 0x4000

#define CB_OKAY 0
#define CB_ERR (-1)
#define CB_ERRSPACE (-2)

#define CBN_ERRSPACE (-1)
#define CBN_SELCHANGE 1
#define CBN_DBLCLK 2
#define CBN_SETFOCUS 3
#define CBN_KILLFOCUS 4
#define CBN_EDITCHANGE 5
#define CBN_EDITUPDATE 6
#define CBN_DROPDOWN 7
#define CBN_CLOSEUP 8
#define CBN_SELENDOK 9
#define CBN_SELENDCANCEL 10

#define CB_GETEDITSEL 0x0140
#define CB_LIMITTEXT 0x0141
#define CB_SETEDITSEL 0x0142
#define CB_ADDSTRING 0x0143
#define CB_DELETESTRING 0x0144
#define CB_DIR 0x0145
#define CB_GETCOUNT 0x0146
#define CB_GETCURSEL 0x0147
#define CB_GETLBTEXT 0x0148
#define CB_GETLBTEXTLEN 0x0149
#define CB_INSERTSTRING 0x014A
#define CB_RESETCONTENT 0x014B
#define CB_FINDSTRING 0x014C
#define CB_SELECTSTRING 0x014D
#define CB_SETCURSEL 0x014E
#define CB_SHOWDROPDOWN 0x014F
#define CB_GETITEMDATA 0x0150
#define CB_SETITEMDATA 0x0151
#define CB_GETDROPPEDCONTROLRECT 0x0152
#define CB_SETITEMHEIGHT 0x0153
#define CB_GETITEMHEIGHT 0x0154
#define CB_SETEXTENDEDUI 0x0155
#define CB_GETEXTENDEDUI 0x0156
#define CB_GETDROPPEDSTATE 0x0157
#define CB_FINDSTRINGEXACT 0x0158
#define CB_SETLOCALE 0x0159
#define CB_GETLOCALE 0x015A
#define CB_GETTOPINDEX 0x015B
#define CB_SETTOPINDEX 0x015C
#define CB_GETHORIZONTALEXTENT 0x015D
#define CB_SETHORIZONTALEXTENT 0x015E
#define CB_GETDROPPEDWIDTH 0x015F
#define CB_SETDROPPEDWIDTH 0x0160
#define CB_INITSTORAGE 0x0161

/* ---- Dialog boxes ---------------------------------------------------------- */
#define DS_ABSALIGN 0x01
#define DS_SYSMODAL 0x02
#define DS_3DLOOK 0x04
#define DS_FIXEDSYS 0x08
#define DS_NOFAILCREATE 0x10
#define DS_LOCALEDIT 0x20
#define DS_SETFONT 0x40
#define DS_MODALFRAME 0x80
#define DS_NOIDLEMSG 0x100
#define DS_SETFOREGROUND 0x200
#define DS_CONTROL 0x0400
#define DS_CENTER 0x0800
#define DS_CENTERMOUSE 0x1000
#define DS_CONTEXTHELP 0x2000
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)

#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DM_REPOSITION (WM_USER + 2)
#define DC_HASDEFID 0x534B

/* WM_GETDLGCODE answers. */
#define DLGC_WANTARROWS 0x0001
#define DLGC_WANTTAB 0x0002
#define DLGC_WANTALLKEYS 0x0004
#define DLGC_WANTMESSAGE 0x0004
#define DLGC_HASSETSEL 0x0008
#define DLGC_DEFPUSHBUTTON 0x0010
#define DLGC_UNDEFPUSHBUTTON 0x0020
#define DLGC_RADIOBUTTON 0x0040
#define DLGC_WANTCHARS 0x0080
#define DLGC_STATIC 0x0100
#define DLGC_BUTTON 0x2000

/* In-memory templates. The structures are WORD-aligned and variable-length
 * data follows each of them; see docs/dialogs.md for what is read. The
 * extended form (DLGTEMPLATEEX, signature 0xFFFF) has no C structure in the
 * Windows headers either; the parser reads it field by field. */
#pragma pack(push, 2)
typedef struct {
  DWORD style;
  DWORD dwExtendedStyle;
  WORD cdit;
  short x;
  short y;
  short cx;
  short cy;
} DLGTEMPLATE;
typedef struct {
  DWORD style;
  DWORD dwExtendedStyle;
  short x;
  short y;
  short cx;
  short cy;
  WORD id;
} DLGITEMTEMPLATE;
#pragma pack(pop)
typedef DLGTEMPLATE *LPDLGTEMPLATEA, *LPDLGTEMPLATEW, *LPDLGTEMPLATE;
typedef const DLGTEMPLATE *LPCDLGTEMPLATEA, *LPCDLGTEMPLATEW, *LPCDLGTEMPLATE;
typedef DLGITEMTEMPLATE *PDLGITEMTEMPLATEA, *PDLGITEMTEMPLATEW, *PDLGITEMTEMPLATE;

VPLAT_EXTERN_C_BEGIN

/* Modal dialog from the RT_DIALOG resource lpTemplateName (an integer
 * resource or a name) of hInstance. Creates the dialog and its controls,
 * sends WM_INITDIALOG with dwInitParam, disables hWndParent's top-level
 * window and runs a nested message loop until EndDialog. Returns the value
 * given to EndDialog, or -1 when the template cannot be found or parsed or
 * a window cannot be created (GetLastError tells why). An unattended dialog
 * (no automation answer and nothing scheduled) ends as if Escape were
 * pressed; see vplatform/dialogs.h. */
VPLAT_API INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName,
                                         HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam);
VPLAT_API INT_PTR WINAPI DialogBoxParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName,
                                         HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam);
/* The same from a template in memory (DLGTEMPLATE or DLGTEMPLATEEX). */
VPLAT_API INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE hInstance,
                                                 LPCDLGTEMPLATEA hDialogTemplate, HWND hWndParent,
                                                 DLGPROC lpDialogFunc, LPARAM dwInitParam);
VPLAT_API INT_PTR WINAPI DialogBoxIndirectParamW(HINSTANCE hInstance,
                                                 LPCDLGTEMPLATEW hDialogTemplate, HWND hWndParent,
                                                 DLGPROC lpDialogFunc, LPARAM dwInitParam);

/* Modeless dialog: created, initialised and shown when the template says
 * WS_VISIBLE; returns the dialog window, NULL on failure. Its messages go
 * through the caller's loop (IsDialogMessage); DestroyWindow ends it. */
VPLAT_API HWND WINAPI CreateDialogParamA(HINSTANCE hInstance, LPCSTR lpTemplateName,
                                         HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam);
VPLAT_API HWND WINAPI CreateDialogParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName,
                                         HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam);
VPLAT_API HWND WINAPI CreateDialogIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA lpTemplate,
                                                 HWND hWndParent, DLGPROC lpDialogFunc,
                                                 LPARAM dwInitParam);
VPLAT_API HWND WINAPI CreateDialogIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW lpTemplate,
                                                 HWND hWndParent, DLGPROC lpDialogFunc,
                                                 LPARAM dwInitParam);

#define DialogBoxA(i, t, p, f) DialogBoxParamA(i, t, p, f, 0)
#define DialogBoxW(i, t, p, f) DialogBoxParamW(i, t, p, f, 0)
#define DialogBoxIndirectA(i, t, p, f) DialogBoxIndirectParamA(i, t, p, f, 0)
#define DialogBoxIndirectW(i, t, p, f) DialogBoxIndirectParamW(i, t, p, f, 0)
#define CreateDialogA(i, t, p, f) CreateDialogParamA(i, t, p, f, 0)
#define CreateDialogW(i, t, p, f) CreateDialogParamW(i, t, p, f, 0)
#define CreateDialogIndirectA(i, t, p, f) CreateDialogIndirectParamA(i, t, p, f, 0)
#define CreateDialogIndirectW(i, t, p, f) CreateDialogIndirectParamW(i, t, p, f, 0)

/* Ends a modal dialog with nResult once its procedure returns: the dialog
 * is hidden and its owner enabled at once, the loop of DialogBox* then
 * destroys it. On a modeless dialog it only hides the window. FALSE when
 * hDlg is no dialog. */
VPLAT_API BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult);

/* The child of hDlg with control id nIDDlgItem (first in Z order); NULL
 * with ERROR_CONTROL_ID_NOT_FOUND when there is none. */
VPLAT_API HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem);

/* Text of a control through WM_GETTEXT into a caller buffer of cchMax
 * units, always terminated; returns the units copied without the NUL, 0
 * when the control does not exist. */
VPLAT_API UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax);
VPLAT_API UINT WINAPI GetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPWSTR lpString, int cchMax);
/* WM_SETTEXT to the control; FALSE when it does not exist. */
VPLAT_API BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString);
VPLAT_API BOOL WINAPI SetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPCWSTR lpString);

/* The control's text read as a decimal number: leading blanks skipped, a
 * minus sign accepted when bSigned. *lpTranslated (if given) is FALSE and
 * the result 0 when there are no digits, anything but trailing blanks
 * follows them, or the value does not fit INT (signed) or UINT. */
VPLAT_API UINT WINAPI GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL *lpTranslated, BOOL bSigned);
/* Sets the control's text to uValue in decimal (signed when bSigned). */
VPLAT_API BOOL WINAPI SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned);

/* BM_SETCHECK / BM_GETCHECK on a dialog's button. */
VPLAT_API BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck);
VPLAT_API UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton);
/* Checks nIDCheckButton and clears every other button with an id in
 * [nIDFirstButton, nIDLastButton]. */
VPLAT_API BOOL WINAPI CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton,
                                       int nIDCheckButton);

/* SendMessage to the dialog's control; 0 when it does not exist. */
VPLAT_API LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam,
                                             LPARAM lParam);
VPLAT_API LRESULT WINAPI SendDlgItemMessageW(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam,
                                             LPARAM lParam);

/* Dialog units to pixels. The base unit is fixed whatever the dialog's
 * font: 6 x 13 pixels for 4 x 8 dialog units (rounded as MulDiv). */
VPLAT_API BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect);
/* MAKELONG(6, 13): the fixed base unit in pixels. */
VPLAT_API LONG WINAPI GetDialogBaseUnits(void);

/* Keyboard interface of a dialog for a message taken from the queue: Tab
 * and Shift+Tab move the focus among WS_TABSTOP controls, Enter presses the
 * focused push button or the default one (DM_GETDEFID, else IDOK), Escape
 * sends IDCANCEL, arrows move within a group. Any other message for hDlg or
 * one of its descendants is translated and dispatched. Returns TRUE when the
 * message was for the dialog (and has been processed), FALSE otherwise. */
VPLAT_API BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG lpMsg);
VPLAT_API BOOL WINAPI IsDialogMessageW(HWND hDlg, LPMSG lpMsg);

/* Window procedure of the dialog class: calls the dialog procedure
 * (DWLP_DLGPROC) and does the default handling when it returns FALSE. When
 * it returns TRUE the result is DWLP_MSGRESULT, except for the messages
 * whose result is the returned value itself (WM_CTLCOLOR*, WM_INITDIALOG,
 * WM_COMPAREITEM, WM_VKEYTOITEM, WM_CHARTOITEM, WM_QUERYDRAGICON). */
VPLAT_API LRESULT WINAPI DefDlgProcA(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam);
VPLAT_API LRESULT WINAPI DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam);

/* Next (or previous) visible, enabled WS_TABSTOP control after hCtl,
 * wrapping around; the first one when hCtl is NULL. */
VPLAT_API HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious);
/* Next (or previous) control of hCtl's WS_GROUP group, wrapping inside it. */
VPLAT_API HWND WINAPI GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious);

VPLAT_EXTERN_C_END

#ifdef UNICODE
#define DialogBoxParam DialogBoxParamW
#define DialogBoxIndirectParam DialogBoxIndirectParamW
#define CreateDialogParam CreateDialogParamW
#define CreateDialogIndirectParam CreateDialogIndirectParamW
#define DialogBox DialogBoxW
#define DialogBoxIndirect DialogBoxIndirectW
#define CreateDialog CreateDialogW
#define CreateDialogIndirect CreateDialogIndirectW
#define GetDlgItemText GetDlgItemTextW
#define SetDlgItemText SetDlgItemTextW
#define SendDlgItemMessage SendDlgItemMessageW
#define IsDialogMessage IsDialogMessageW
#define DefDlgProc DefDlgProcW
#else
#define DialogBoxParam DialogBoxParamA
#define DialogBoxIndirectParam DialogBoxIndirectParamA
#define CreateDialogParam CreateDialogParamA
#define CreateDialogIndirectParam CreateDialogIndirectParamA
#define DialogBox DialogBoxA
#define DialogBoxIndirect DialogBoxIndirectA
#define CreateDialog CreateDialogA
#define CreateDialogIndirect CreateDialogIndirectA
#define GetDlgItemText GetDlgItemTextA
#define SetDlgItemText SetDlgItemTextA
#define SendDlgItemMessage SendDlgItemMessageA
#define IsDialogMessage IsDialogMessageA
#define DefDlgProc DefDlgProcA
#endif

#endif
