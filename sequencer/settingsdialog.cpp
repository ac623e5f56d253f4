// The settings command and its dialog: the CSV file, the template and the
// record range of a run, remembered in "Vardo2Sequencer.ini".
#include <windows.h>

#include <commdlg.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sequencerhandlers.h"
#include "vardo/notificationtext.h"

namespace {

constexpr int kSettingsDialog = 16052;
constexpr int kCsvPath = 4, kChooseCsv = 5, kClearCsv = 6;
constexpr int kTemplatePath = 8, kChooseTemplate = 9, kClearTemplate = 10;
constexpr int kStartRecord = 12, kEndRecord = 14;
// Each field is read into 255 bytes: at most 254 and the NUL.
constexpr int kFieldSize = 255;
constexpr size_t kFieldMax = kFieldSize - 1;
// What the data-merge plug-in reads of the path's percent form.
constexpr size_t kCsvpMax = 511;

// 連続生成の実行中です。\r\n終わるか中止してから設定して下さい。
constexpr const char *kRunActive =
    "\x98"
    "A\x91\xb1\x90\xb6\x90\xac\x82\xcc\x8e\xc0\x8ds\x92\x86\x82\xc5\x82\xb7\x81"
    "B\r\n\x8fI"
    "\x82\xed\x82\xe9\x82\xa9\x92\x86\x8e~\x82\xb5\x82\xc4\x82\xa9\x82\xe7\x90\xdd\x92\xe8\x82\xb5"
    "\x82\xc4\x89\xba\x82\xb3\x82\xa2\x81"
    "B";
// 差し込みファイル名が長すぎます。\r\n短い名前のファイルを選んで下さい。
constexpr const char *kCsvPathTooLong =
    "\x8d\xb7\x82\xb5\x8d\x9e\x82\xdd\x83t\x83@\x83"
    "C\x83\x8b\x96\xbc\x82\xaa\x92\xb7\x82\xb7"
    "\x82\xac\x82\xdc\x82\xb7\x81"
    "B\r\n\x92Z\x82\xa2\x96\xbc\x91O\x82\xcc\x83t\x83@\x83"
    "C\x83"
    "\x8b\x82\xf0\x91I\x82\xf1\x82\xc5\x89\xba\x82\xb3\x82\xa2\x81"
    "B";
// ファイル名が長すぎます (254 バイトまで)。\r\n短い名前のファイルを選んで下さい。
constexpr const char *kChosenPathTooLong =
    "\x83t\x83@\x83"
    "C\x83\x8b\x96\xbc\x82\xaa\x92\xb7\x82\xb7\x82\xac\x82\xdc\x82\xb7 (254 \x83o"
    "\x83"
    "C\x83g\x82\xdc\x82\xc5)\x81"
    "B\r\n\x92Z\x82\xa2\x96\xbc\x91O\x82\xcc\x83t\x83@\x83"
    "C\x83\x8b\x82\xf0\x91I\x82\xf1\x82\xc5\x89\xba\x82\xb3\x82\xa2\x81"
    "B";

void CentreOnDesktop(HWND dialog) {
  RECT desktop{}, own{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(dialog, &own);
  const int x = (desktop.right - (own.right - own.left)) / 2;
  const int y = (desktop.bottom - (own.bottom - own.top)) / 2;
  SetWindowPos(dialog, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE);
  ShowWindow(dialog, SW_SHOW);
}

void ShowSettings(HWND dialog, const SequencerSettings &s) {
  SetDlgItemTextA(dialog, kCsvPath, s.csvpath);
  SetDlgItemTextA(dialog, kTemplatePath, s.aippath);
  char number[16];
  std::snprintf(number, sizeof number, "%d", static_cast<int>(s.startRecord));
  SetDlgItemTextA(dialog, kStartRecord, number);
  std::snprintf(number, sizeof number, "%d", static_cast<int>(s.endRecord));
  SetDlgItemTextA(dialog, kEndRecord, number);
}

// The system's file-open dialog; the chosen path goes into `field`. A path
// longer than a field holds is refused: cut short it would name another file.
void ChooseFile(HWND dialog, int field, const char *filters, DWORD filterIndex) {
  char path[260] = "";
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = dialog;
  ofn.lpstrFilter = filters;
  ofn.nFilterIndex = filterIndex;
  ofn.lpstrFile = path;
  ofn.nMaxFile = sizeof path;
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&ofn)) return;
  if (std::strlen(path) > kFieldMax) {
    ShowSequencerMessage(kChosenPathTooLong);
    return;
  }
  SetDlgItemTextA(dialog, field, path);
}

// Decimal with the full 32 bits; leading digits of anything else, or 0.
LONG ReadNumber(HWND dialog, int field) {
  char text[kFieldSize] = "";
  GetDlgItemTextA(dialog, field, text, kFieldSize);
  return static_cast<LONG>(std::strtoll(text, nullptr, 10));
}

// Takes the fields into the settings. A CSV path whose percent form the
// data-merge plug-in cannot take whole is refused and nothing changes.
BOOL Confirm(HWND dialog, SequencerSettings *s) {
  char csvpath[kFieldSize] = "";
  GetDlgItemTextA(dialog, kCsvPath, csvpath, kFieldSize);
  char encoded[3 * kFieldSize + 1];
  std::snprintf(encoded, sizeof encoded, "%s", csvpath);
  if (!EncodeNotificationText(encoded, sizeof encoded) || std::strlen(encoded) > kCsvpMax) {
    ShowSequencerMessage(kCsvPathTooLong);
    return FALSE;
  }
  std::snprintf(s->csvpath, sizeof s->csvpath, "%s", csvpath);
  GetDlgItemTextA(dialog, kTemplatePath, s->aippath, kFieldSize);
  s->startRecord = ReadNumber(dialog, kStartRecord);
  s->endRecord = ReadNumber(dialog, kEndRecord);
  s->foption_layout = 1;
  s->foption_print = 0;
  return TRUE;
}

INT_PTR CALLBACK SettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  SequencerSettings *s = &Globals()->settings;
  if (message == WM_INITDIALOG) {
    CentreOnDesktop(dialog);
    ShowSettings(dialog, *s);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case kChooseCsv: ChooseFile(dialog, kCsvPath, "*.csv\0*.csv\0", 1); return TRUE;
    case kChooseTemplate:
      ChooseFile(dialog, kTemplatePath, "*.ai\0*.ai\0*.eps\0*.eps\0*.pdf\0*.pdf\0", 3);
      return TRUE;
    case kClearCsv: SetDlgItemTextA(dialog, kCsvPath, ""); return TRUE;
    case kClearTemplate: SetDlgItemTextA(dialog, kTemplatePath, ""); return TRUE;
    case IDOK:
      if (Confirm(dialog, s)) EndDialog(dialog, IDOK);
      return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

ASErr OnMenuGo(void *message) {
  SequencerGlobals *g = Globals();
  const AIMenuMessage *m = static_cast<const AIMenuMessage *>(message);
  if (m->menuItem != g->commandItem) return kNoErr;
  // A second run started over the first would leave its document open and
  // a second progress window beside the first.
  if (g->runState != RUN_IDLE) {
    ShowSequencerMessage(kRunActive);
    return kNoErr;
  }
  ReadPreferences(&SEQUENCER_SETTINGS_FILE, &g->settings);
  SPPlatformModule module = nullptr;
  sSPAccess->GetPluginModule(g->pluginRef, &module);
  if (DialogBoxParamA(static_cast<HINSTANCE>(module), MAKEINTRESOURCEA(kSettingsDialog), nullptr,
                      SettingsProc, 0) != IDOK) {
    return kNoErr;
  }
  WritePreferences(&SEQUENCER_SETTINGS_FILE, &g->settings);
  StartRun();
  return kNoErr;
}
