#include "vardoscript/optionsdialogs.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "scripttags/scripttext.h"

namespace {

struct DialogContext {
  HINSTANCE module;
  ScriptOptions *options;
};

DialogContext *ContextOf(HWND dialog) {
  return reinterpret_cast<DialogContext *>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// A list and the run of string ids it is filled from.
struct ListRun {
  int control;
  UINT firstString;
  int count;
};

const ListRun kAlignmentLists[] = {{6, 16101, 3}, {8, 16111, 3}};
const ListRun kBarcodeLists[] = {{4, 16091, 2},  {23, 16151, 29}, {25, 16181, 19}, {28, 16201, 14},
                                 {38, 16301, 4}, {40, 16311, 41}, {42, 16361, 6},  {44, 16371, 11}};

void FillList(HWND dialog, HINSTANCE module, const ListRun &run) {
  for (int i = 0; i < run.count; ++i) {
    char entry[62];
    if (LoadStringA(module, run.firstString + i, entry, sizeof entry) <= 0) entry[0] = '\0';
    if (entry[0] == '-') continue;
    SendDlgItemMessageA(dialog, run.control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  }
}

void CentreAndShow(HWND dialog) {
  RECT desktop{}, own{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(dialog, &own);
  const int x = (desktop.right - (own.right - own.left)) / 2;
  const int y = (desktop.bottom - (own.bottom - own.top)) / 2;
  SetWindowPos(dialog, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
}

void Select(HWND dialog, int control, SHORT index) {
  SendDlgItemMessageW(dialog, control, CB_SETCURSEL,
                      static_cast<WPARAM>(static_cast<INT_PTR>(index)), 0);
}

SHORT Selection(HWND dialog, int control) {
  return static_cast<SHORT>(SendDlgItemMessageW(dialog, control, CB_GETCURSEL, 0, 0));
}

void SetCheck(HWND dialog, int control, SHORT value) {
  CheckDlgButton(dialog, control, value ? BST_CHECKED : BST_UNCHECKED);
}

SHORT Checked(HWND dialog, int control) {
  return IsDlgButtonChecked(dialog, control) == BST_CHECKED ? 1 : 0;
}

void SetNumber(HWND dialog, int control, const char *format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  SetDlgItemTextA(dialog, control, text);
}

// The decimal number a field's text begins with (at most 78 bytes of it):
// sign, digits, a point and digits, an exponent; 0 when there is none.
// Only decimal forms count, so "inf", "nan" or "0x10" read as 0 or as the
// digits before the letters.
double ReadNumber(HWND dialog, int control) {
  char text[79];
  if (GetDlgItemTextA(dialog, control, text, sizeof text) <= 0) return 0;
  size_t end = 0;
  if (text[end] == '+' || text[end] == '-') ++end;
  size_t digits = 0;
  while (text[end] >= '0' && text[end] <= '9') ++end, ++digits;
  if (text[end] == '.') {
    ++end;
    while (text[end] >= '0' && text[end] <= '9') ++end, ++digits;
  }
  if (digits == 0) return 0;
  if (text[end] == 'e' || text[end] == 'E') {
    size_t exponent = end + 1;
    if (text[exponent] == '+' || text[exponent] == '-') ++exponent;
    if (text[exponent] >= '0' && text[exponent] <= '9') {
      end = exponent;
      while (text[end] >= '0' && text[end] <= '9') ++end;
    }
  }
  text[end] = '\0';
  return std::strtod(text, nullptr);
}

// An item text into its field, from UTF-8.
void SetItemText(HWND dialog, int control, const char *utf8) {
  WCHAR text[256];
  if (MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text, 256) <= 0) text[0] = 0;
  text[255] = 0;
  SetDlgItemTextW(dialog, control, text);
}

// A field's text (at most 254 units) as an item text: UTF-8 of at most 79
// bytes, cut before a character that would not fit whole.
void ReadItemText(HWND dialog, int control, char *utf8) {
  WCHAR text[255];
  utf8[0] = '\0';
  const int units = GetDlgItemTextW(dialog, control, text, 255);
  if (units <= 0) return;
  char bytes[3 * 254 + 1];
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text, units, bytes, sizeof bytes - 1, nullptr, nullptr);
  bytes[length > 0 ? length : 0] = '\0';
  CopyScriptText(utf8, bytes, SCRIPT_OPTION_TEXT_SIZE - 1);
}

// Shows the controls of one group (ids first to last) and hides the other's.
void ShowGroups(HWND dialog, SHORT objtype) {
  for (int id = 22; id <= 36; ++id) {
    if (HWND control = GetDlgItem(dialog, id))
      ShowWindow(control, objtype == 0 ? SW_SHOW : SW_HIDE);
  }
  for (int id = 37; id <= 47; ++id) {
    if (HWND control = GetDlgItem(dialog, id))
      ShowWindow(control, objtype == 1 ? SW_SHOW : SW_HIDE);
  }
}

void StartDialog(HWND dialog, LPARAM parameter, const ListRun *lists, size_t listCount) {
  SetWindowLongPtrW(dialog, DWLP_USER, parameter);
  DialogContext *context = ContextOf(dialog);
  CentreAndShow(dialog);
  for (size_t i = 0; i < listCount; ++i) FillList(dialog, context->module, lists[i]);
  if (lists != kAlignmentLists) {
    for (const ListRun &run : kAlignmentLists) FillList(dialog, context->module, run);
  }
  const ScriptOptions *o = context->options;
  Select(dialog, 6, o->horizontal_alignment);
  Select(dialog, 8, o->vertical_alignment);
}

INT_PTR CALLBACK ImageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    StartDialog(dialog, lParam, kAlignmentLists,
                sizeof kAlignmentLists / sizeof kAlignmentLists[0]);
    SetCheck(dialog, 9, ContextOf(dialog)->options->place_linkimage);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  if (LOWORD(wParam) == IDOK) {
    ScriptOptions *o = ContextOf(dialog)->options;
    o->horizontal_alignment = Selection(dialog, 6);
    o->vertical_alignment = Selection(dialog, 8);
    o->place_linkimage = Checked(dialog, 9);
    WritePreferences(&SCRIPT_OPTIONS_FILE, o);
    EndDialog(dialog, IDOK);
    return TRUE;
  }
  if (LOWORD(wParam) == IDCANCEL) {
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK BarcodeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    StartDialog(dialog, lParam, kBarcodeLists, sizeof kBarcodeLists / sizeof kBarcodeLists[0]);
    const ScriptOptions *o = ContextOf(dialog)->options;
    Select(dialog, 4, o->objtype);
    ShowGroups(dialog, o->objtype);
    Select(dialog, 38, o->qrcode_qr_ecclevel);
    Select(dialog, 40, o->qrcode_qr_version);
    Select(dialog, 42, o->qrcode_qr_encodemode);
    SetNumber(dialog, 44, "%gmm", o->qrcode_qr_cellsize);
    SetCheck(dialog, 47, o->qrcode_qr_showhrtext);
    SetItemText(dialog, 46, o->qrcode_qr_option_text);
    Select(dialog, 23, o->barcode_barcode_type);
    SetNumber(dialog, 25, "%g", static_cast<float>(o->barcode_barcode_size));
    SetNumber(dialog, 28, "%g", static_cast<float>(o->barcode_barcode_trunc_height));
    SetItemText(dialog, 33, o->barcode_barcode_option_text);
    SetCheck(dialog, 34, o->barcode_barcode_fuse_ocr_text);
    SetCheck(dialog, 35, o->barcode_barcode_fuse_check_digit);
    SetCheck(dialog, 36, o->barcode_barcode_fuse_trunc_height);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case 4: ShowGroups(dialog, Selection(dialog, 4)); return TRUE;
    case IDOK: {
      ScriptOptions *o = ContextOf(dialog)->options;
      o->objtype = Selection(dialog, 4);
      o->horizontal_alignment = Selection(dialog, 6);
      o->vertical_alignment = Selection(dialog, 8);
      o->barcode_barcode_type = Selection(dialog, 23);
      o->barcode_barcode_size = ReadNumber(dialog, 25);
      o->barcode_barcode_trunc_height = ReadNumber(dialog, 28);
      ReadItemText(dialog, 33, o->barcode_barcode_option_text);
      o->barcode_barcode_fuse_ocr_text = Checked(dialog, 34);
      o->barcode_barcode_fuse_check_digit = Checked(dialog, 35);
      o->barcode_barcode_fuse_trunc_height = Checked(dialog, 36);
      o->qrcode_qr_ecclevel = Selection(dialog, 38);
      o->qrcode_qr_version = Selection(dialog, 40);
      o->qrcode_qr_encodemode = Selection(dialog, 42);
      o->qrcode_qr_cellsize = ReadNumber(dialog, 44);
      o->qrcode_qr_showhrtext = Checked(dialog, 47);
      ReadItemText(dialog, 46, o->qrcode_qr_option_text);
      WritePreferences(&SCRIPT_OPTIONS_FILE, o);
      EndDialog(dialog, IDOK);
      return TRUE;
    }
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
  }
  return FALSE;
}

INT_PTR Run(HINSTANCE module, int resource, DLGPROC procedure, ScriptOptions *options) {
  DialogContext context{module, options};
  return DialogBoxParamW(module, MAKEINTRESOURCEW(resource), nullptr, procedure,
                         reinterpret_cast<LPARAM>(&context));
}

}  // namespace

INT_PTR RunImageOptionsDialog(HINSTANCE module, ScriptOptions *options) {
  return Run(module, IMAGE_OPTIONS_DIALOG, ImageDialogProc, options);
}

INT_PTR RunBarcodeOptionsDialog(HINSTANCE module, ScriptOptions *options) {
  return Run(module, BARCODE_OPTIONS_DIALOG, BarcodeDialogProc, options);
}
