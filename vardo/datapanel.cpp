// The data panel: a host panel holding one list view that shows the record
// table, a flyout menu to open, save and compose, an edit-cell dialog, and
// dragging a row onto the document to compose that record there.
//
// The panel composes nothing itself: it leaves a request in the global
// record and plays the plug-in's own action, whose handler composes as one
// undoable host operation.
#include <windows.h>

#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "vardo/recordtable/recordtable.h"
#include "vardohandlers.h"

namespace {

constexpr int kListId = 1001;
constexpr int kEditDialogId = 16052;
constexpr int kEditControlId = 1001;
constexpr const char *kComposeAction = "VARDO2_COMPOSE_INSIDECMD";
// Texts of the list and the edit dialog are held in buffers of this many
// UTF-16 units, the terminator included; the UTF-8 form of an edit in one of
// this many bytes.
constexpr int kCellUnits = 32767;
constexpr int kEditBufferUnits = 32768;
constexpr int kCellBytes = 32767;
constexpr int kPathUnits = 300;
// The cursor must move further than this (pixels, either way) before the
// drag redraws its feedback and hit-tests again.
constexpr double kDragSlop = 2.0;

enum FlyoutItem { kItemImport = 1, kItemExport = 2, kItemSeparator = 3, kItemCompose = 4 };

// Module state of the panel code.
HINSTANCE gModule;       // for the edit-cell dialog
RECT gHighlight;         // drop highlight on the screen, empty when left == right
int gOffsetX, gOffsetY;  // visible artwork's top-left in the document window's client area

HWND ListOf(HWND panelWindow) { return panelWindow ? GetDlgItem(panelWindow, kListId) : nullptr; }

HWND PanelWindow() {
  VardoGlobals *g = Globals();
  AIPlatformWindow window = nullptr;
  if (!g->panel || sAIPanel->GetPlatformWindow(g->panel, &window) != kNoErr) return nullptr;
  return static_cast<HWND>(window);
}

int SelectedRow(HWND panelWindow) {
  HWND list = ListOf(panelWindow);
  if (!list) return -1;
  return static_cast<int>(
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// UTF-8 to UTF-16 into `out` of kCellUnits units, NUL included. A longer
// text keeps its first kCellUnits - 1 units, never half a surrogate pair.
void CellText(const char *utf8, size_t length, std::vector<char16_t> &out) {
  out.resize(kCellUnits);
  if (length == 0) {
    out[0] = 0;
    return;
  }
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, static_cast<int>(length),
                                    reinterpret_cast<LPWSTR>(out.data()), kCellUnits - 1);
  if (n > 0) {
    out[n] = 0;
    return;
  }
  // Too long for the cell: convert the whole text and keep its head.
  const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8, static_cast<int>(length), nullptr, 0);
  if (needed <= 0) {
    out[0] = 0;
    return;
  }
  std::vector<char16_t> whole(needed + 1);
  MultiByteToWideChar(CP_UTF8, 0, utf8, static_cast<int>(length),
                      reinterpret_cast<LPWSTR>(whole.data()), needed);
  int keep = needed < kCellUnits - 1 ? needed : kCellUnits - 1;
  if (keep < needed && whole[keep - 1] >= 0xD800 && whole[keep - 1] <= 0xDBFF) --keep;
  std::copy(whole.begin(), whole.begin() + keep, out.begin());
  out[keep] = 0;
}

void InsertColumn(HWND list, int index, int format, int width, const char16_t *title) {
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
  column.fmt = format;
  column.cx = width;
  column.pszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(title));
  SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

void SetCell(HWND list, int row, int column, const char16_t *text) {
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(text));
  SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

int ListHeight(int clientHeight) {
  VardoGlobals *g = Globals();
  const int strip = static_cast<int>(g->hostScale * g->dpiScale * 18 + 0.5);
  return clientHeight - strip - 5;
}

void PlayComposeAction() {
  AIActionParamValueRef block = nullptr;
  sAIActionManager->AINewActionParamValue(&block);
  sAIActionManager->PlayActionEvent(kComposeAction, kDialogOff, block);
  if (block) sAIActionManager->AIDeleteActionParamValue(block);
}

// ---- Import and export -----------------------------------------------------

const AIFileDialogFilter kCsvFilter = {u"CSV", u"*.csv"};

// The chosen path in the system code page into `ansi` (kPathUnits bytes);
// false when the dialog was cancelled or failed.
bool AskForPath(bool save, char *ansi) {
  AIFilePathRef path = nullptr;
  if (sAIFilePath->NewFilePath(&path) != kNoErr) return false;
  ASErr status = save ? sAIUser->PutFileDialog(u"Export", &kCsvFilter, 1, u"Untitled.csv", path)
                      : sAIUser->GetFileDialog(u"Import", &kCsvFilter, 1, path);
  bool chosen = false;
  if (status == kNoErr) {
    ai_uchar16 wide[kPathUnits] = {};
    if (sAIFilePath->GetPlatformPathW(path, wide, kPathUnits) == kNoErr) {
      chosen = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWSTR>(wide), -1, ansi, kPathUnits,
                                   nullptr, nullptr) > 0;
    }
  }
  sAIFilePath->DeleteFilePath(path);
  return chosen;
}

void Import(HWND panelWindow) {
  char path[kPathUnits] = "";
  if (!AskForPath(false, path)) return;
  LoadCsvFile(path);
  // After a rejected file the list is empty; after one that cannot be
  // opened it shows the previous table again.
  RefreshRecordList(panelWindow);
}

void Export() {
  char path[kPathUnits] = "";
  if (!AskForPath(true, path)) return;
  SaveCsvFile(path);
}

void ComposeFromSelection() {
  if (CountRecords() == 0) return;
  VardoGlobals *g = Globals();
  AcquireSuites(g->savedBasicSuite);
  g->pendingCommand = COMPOSE_FROM_RECORD;
  if (g->panel) {
    g->startRecord = SelectedRow(PanelWindow()) + 1;
    if (g->startRecord < 1) g->startRecord = 1;
  }
  PlayComposeAction();
  ReleaseSuites(g->savedBasicSuite);
}

void FlyoutMenuPressed(AIPanelRef, ASUInt32 itemId) {
  VardoGlobals *g = Globals();
  switch (itemId) {
    case kItemImport:
    case kItemExport:
      AcquireSuites(g->savedBasicSuite);
      if (g->panel) {
        if (itemId == kItemImport) {
          Import(PanelWindow());
        } else {
          Export();
        }
      }
      ReleaseSuites(g->savedBasicSuite);
      break;
    case kItemCompose: ComposeFromSelection(); break;
    default: break;
  }
}

void SizeChanged(AIPanelRef panel) {
  VardoGlobals *g = Globals();
  AcquireSuites(g->savedBasicSuite);
  AISize size{};
  if (sAIPanel->GetSize(panel, &size) == kNoErr && g->panel) {
    HWND window = PanelWindow();
    RECT client{};
    GetClientRect(window, &client);
    HWND list = ListOf(window);
    SetWindowPos(list, nullptr, 0, 0, client.right - 10, ListHeight(client.bottom),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, 50);
  }
  ReleaseSuites(g->savedBasicSuite);
}

// ---- The edit-cell dialog ------------------------------------------------

INT_PTR CALLBACK EditCellProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      POINT cursor{};
      GetCursorPos(&cursor);
      RECT r{};
      GetWindowRect(dialog, &r);
      SetWindowPos(dialog, HWND_TOPMOST, cursor.x - (r.right - r.left) / 2,
                   cursor.y - (r.bottom - r.top) / 2, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
      SetDlgItemTextW(dialog, kEditControlId, reinterpret_cast<LPCWSTR>(lParam));
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        LPWSTR buffer = reinterpret_cast<LPWSTR>(GetWindowLongPtrW(dialog, DWLP_USER));
        GetDlgItemTextW(dialog, kEditControlId, buffer, kCellUnits);
        EndDialog(dialog, 1);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 2);
        return TRUE;
      }
      break;
    default: break;
  }
  return FALSE;
}

INT_PTR RunEditCellDialog(char16_t *buffer) {
  return DialogBoxParamW(gModule, MAKEINTRESOURCEW(kEditDialogId), nullptr, EditCellProc,
                         reinterpret_cast<LPARAM>(buffer));
}

void EditCell(HWND list) {
  LVHITTESTINFO hit{};
  GetCursorPos(&hit.pt);
  ScreenToClient(list, &hit.pt);
  SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if (hit.iItem < 0 || hit.iSubItem <= 0) return;
  std::vector<char16_t> buffer(kEditBufferUnits, 0);
  LVITEMW item{};
  item.iSubItem = hit.iSubItem;
  item.pszText = reinterpret_cast<LPWSTR>(buffer.data());
  item.cchTextMax = kCellUnits;
  SendMessageW(list, LVM_GETITEMTEXTW, hit.iItem, reinterpret_cast<LPARAM>(&item));
  if (RunEditCellDialog(buffer.data()) != 1) return;
  // An edit whose UTF-8 form does not fit its buffer is refused, and one the
  // table refuses is not shown: the cell and the table keep the same value.
  std::vector<char> utf8(kCellBytes);
  if (WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<LPCWSTR>(buffer.data()), -1, utf8.data(),
                          kCellBytes, nullptr, nullptr) <= 0) {
    return;
  }
  if (!SetField(hit.iItem + 1, hit.iSubItem - 1, utf8.data())) return;
  SetCell(list, hit.iItem, hit.iSubItem, buffer.data());
}

// ---- Drag and drop -------------------------------------------------------

POINT ArtworkToScreen(double x, double y) {
  VardoGlobals *g = Globals();
  POINT p{static_cast<LONG>((x - g->viewBounds.left) * g->viewZoom + gOffsetX),
          static_cast<LONG>((g->viewBounds.top - y) * g->viewZoom + gOffsetY)};
  ClientToScreen(g->documentWindow, &p);
  return p;
}

void DrawOutline(HDC dc, const RECT &r) {
  if (r.left == r.right) return;
  MoveToEx(dc, r.left, r.top, nullptr);
  LineTo(dc, r.right, r.top);
  LineTo(dc, r.right, r.bottom);
  LineTo(dc, r.left, r.bottom);
  LineTo(dc, r.left, r.top);
}

void DrawLine(HDC dc, POINT from, POINT to) {
  MoveToEx(dc, from.x, from.y, nullptr);
  LineTo(dc, to.x, to.y);
}

bool HitTest(HDC dc, POINT screen) {
  VardoGlobals *g = Globals();
  POINT client = screen;
  ScreenToClient(g->documentWindow, &client);
  RECT area{};
  GetClientRect(g->documentWindow, &area);
  const double zoom = g->viewZoom;
  gOffsetX = static_cast<int>((area.right - area.left) -
                              (g->viewBounds.right - g->viewBounds.left) * zoom);
  gOffsetY = static_cast<int>((area.bottom - area.top) -
                              (g->viewBounds.top - g->viewBounds.bottom) * zoom);
  const double x = (client.x - gOffsetX) / zoom + g->viewBounds.left;
  const double y = g->viewBounds.top - (client.y - gOffsetY) / zoom;

  const RECT previous = gHighlight;
  gHighlight = RECT{};
  bool hit = false;
  for (LONG i = 0; i < g->dropTargets.count; ++i) {
    const AIRealRect &b = g->dropTargets.bounds[i];
    if (b.left <= x && x <= b.right && b.bottom <= y && y <= b.top) {
      g->targetBounds = b;
      const POINT first = ArtworkToScreen(b.left, b.top);
      const POINT second = ArtworkToScreen(b.right, b.bottom);
      gHighlight = RECT{first.x, first.y, second.x, second.y};
      hit = true;
      break;
    }
  }
  if (std::memcmp(&previous, &gHighlight, sizeof previous) != 0) {
    DrawOutline(dc, previous);
    DrawOutline(dc, gHighlight);
  }
  return hit;
}

void DragRecord(HWND list) {
  VardoGlobals *g = Globals();
  AcquireSuites(g->savedBasicSuite);
  HDC dc = GetDC(nullptr);
  HPEN pen = CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  const int oldMix = SetROP2(dc, R2_NOT);

  POINT start{};
  GetCursorPos(&start);
  gHighlight = RECT{};
  LVHITTESTINFO rowHit{};
  rowHit.pt = start;
  ScreenToClient(list, &rowHit.pt);
  const int row =
      static_cast<int>(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&rowHit)));
  POINT last = start;
  bool hit = false;
  for (;;) {
    POINT cursor{};
    GetCursorPos(&cursor);
    if (std::fabs(static_cast<double>(cursor.x - last.x)) > kDragSlop ||
        std::fabs(static_cast<double>(cursor.y - last.y)) > kDragSlop) {
      DrawLine(dc, start, last);
      DrawLine(dc, start, cursor);
      last = cursor;
      hit = HitTest(dc, cursor);
    }
    if (!(GetAsyncKeyState(VK_LBUTTON) & 0x8000)) break;
    Sleep(50);
  }
  DrawLine(dc, start, last);
  DrawOutline(dc, gHighlight);
  gHighlight = RECT{};

  // A drag that began on no row has no record to compose.
  if (hit && row >= 0) {
    g->pendingCommand = COMPOSE_INTO_TARGET;
    g->startRecord = row + 1;
    PlayComposeAction();
  }
  SetROP2(dc, oldMix);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  ReleaseDC(nullptr, dc);
  ReleaseSuites(g->savedBasicSuite);
}

// ---- The panel window ------------------------------------------------------

LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC previous = Globals()->previousWindowProc;
  return previous ? CallWindowProcW(previous, window, message, wParam, lParam) : 0;
}

LRESULT CALLBACK PanelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  VardoGlobals *g = Globals();
  switch (message) {
    case WM_NOTIFY: {
      const NMHDR *header = reinterpret_cast<const NMHDR *>(lParam);
      if (header && header->idFrom == kListId) {
        if (header->code == static_cast<UINT>(NM_DBLCLK)) {
          EditCell(header->hwndFrom);
          return 0;
        }
        if (header->code == static_cast<UINT>(LVN_BEGINDRAG) &&
            (GetAsyncKeyState(VK_LBUTTON) & 0x8000)) {
          DragRecord(header->hwndFrom);
          return 0;
        }
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
      if (g->backgroundBrush) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(static_cast<int>(255 * g->textColour.red) & 0xFF,
                             static_cast<int>(255 * g->textColour.green) & 0xFF,
                             static_cast<int>(255 * g->textColour.blue) & 0xFF));
        return reinterpret_cast<LRESULT>(g->backgroundBrush);
      }
      break;
    case WM_COMMAND: return 0;
    default: break;
  }
  return PassOn(window, message, wParam, lParam);
}

void CreateRecordList(HWND window) {
  VardoGlobals *g = Globals();
  ClearRecordTable();
  sAIUITheme->GetUIThemeColor(1, 0, &g->backgroundColour);
  sAIUITheme->GetUIThemeColor(1, 1, &g->textColour);
  if (g->backgroundBrush) DeleteObject(g->backgroundBrush);
  g->backgroundBrush =
      CreateSolidBrush(RGB(static_cast<int>(255 * g->backgroundColour.red) & 0xFF,
                           static_cast<int>(255 * g->backgroundColour.green) & 0xFF,
                           static_cast<int>(255 * g->backgroundColour.blue) & 0xFF));
  g->previousWindowProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PanelWindowProc)));
  RECT client{};
  GetClientRect(window, &client);
  const int width = client.right - 10;
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
  HWND list =
      CreateWindowExW(0, WC_LISTVIEWW, u"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LVS_REPORT, 5, 5,
                      width, ListHeight(client.bottom), window,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance, nullptr);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, static_cast<WPARAM>(-1),
               LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_AUTOSIZECOLUMNS);
  InsertColumn(list, 0, LVCFMT_CENTER, 50, u"");
  InsertColumn(list, 1, LVCFMT_LEFT, width - 50, u"");
}

}  // namespace

ASErr CreateDataPanel(SPPluginRef plugin) {
  VardoGlobals *g = Globals();
  SPPlatformModule module = nullptr;
  sSPAccess->GetPluginModule(plugin, &module);
  gModule = static_cast<HINSTANCE>(module);
  const AISize minimum{static_cast<ASInt32>(400 / g->hostScale + 0.5),
                       static_cast<ASInt32>(188 / g->hostScale + 0.5)};

  sAIPanelFlyoutMenu->Create(&g->flyoutMenu);
  ai_uchar16 text[32];
  ShiftJisToUtf16("\x8a\x4a\x82\xad...", text, 32);  // 開く...
  sAIPanelFlyoutMenu->AppendItem(g->flyoutMenu, kItemImport, text);
  ShiftJisToUtf16("\x95\xca\x96\xbc\x82\xc5\x95\xdb\x91\xb6...", text, 32);  // 別名で保存...
  sAIPanelFlyoutMenu->AppendItem(g->flyoutMenu, kItemExport, text);
  sAIPanelFlyoutMenu->AppendSeparator(g->flyoutMenu, kItemSeparator);
  ShiftJisToUtf16("\x8e\xa9\x93\xae\x91\x67\x94\xc5", text, 32);  // 自動組版
  sAIPanelFlyoutMenu->AppendItem(g->flyoutMenu, kItemCompose, text);

  ASErr status = sAIPanel->Create(plugin, "VARDO_INFO_PANEL", u"Vardo", 1, minimum, 1,
                                  g->flyoutMenu, nullptr, &g->panel);
  if (status != kNoErr) return status;
  sAIPanel->SetFlyoutMenuPressedFunc(g->panel, FlyoutMenuPressed);
  HWND window = PanelWindow();
  CreateRecordList(window);
  sAIPanel->Show(g->panel, 1);
  sAIPanel->SetSizeChangedFunc(g->panel, SizeChanged);
  SizeChanged(g->panel);
  return kNoErr;
}

void RefreshRecordList(HWND panelWindow) {
  HWND list = ListOf(panelWindow);
  if (!list) return;
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  while (SendMessageW(list, LVM_DELETECOLUMN, 1, 0)) {
  }
  std::vector<char16_t> text;
  LONG columns = 0;
  for (;; ++columns) {
    size_t length = 0;
    LPCSTR header = PeekField(0, columns, &length);
    if (!header) break;
    CellText(header, length, text);
    InsertColumn(list, columns + 1, LVCFMT_LEFT, 400, text.data());
  }
  // Fields are read in table order, which the table reads in linear time.
  const LONG records = CountRecords();
  for (LONG r = 1; r < records; ++r) {
    char16_t number[16];
    char digits[16];
    std::snprintf(digits, sizeof digits, "%ld", static_cast<long>(r));
    for (int i = 0;; ++i) {
      number[i] = static_cast<char16_t>(digits[i]);
      if (!digits[i]) break;
    }
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = r - 1;
    item.pszText = reinterpret_cast<LPWSTR>(number);
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (LONG k = 0; k < columns; ++k) {
      size_t length = 0;
      LPCSTR field = PeekField(r, k, &length);
      if (!field) continue;
      CellText(field, length, text);
      SetCell(list, r - 1, k + 1, text.data());
    }
  }
}

void DestroyDataPanel(void) {
  VardoGlobals *g = Globals();
  if (g->panel) {
    AIPlatformWindow window = nullptr;
    sAIPanel->GetPlatformWindow(g->panel, &window);
    if (window) {
      SetWindowLongPtrW(static_cast<HWND>(window), GWLP_WNDPROC,
                        reinterpret_cast<LONG_PTR>(g->previousWindowProc));
      DestroyWindow(static_cast<HWND>(window));
    }
    sAIPanel->Destroy(g->panel);
    g->panel = nullptr;
    if (g->backgroundBrush) DeleteObject(g->backgroundBrush);
    g->backgroundBrush = nullptr;
  }
  if (g->flyoutMenu) {
    sAIPanelFlyoutMenu->Destroy(g->flyoutMenu);
    g->flyoutMenu = nullptr;
  }
}
