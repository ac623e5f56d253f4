#include "vardoscript/paneltext.h"

namespace {

bool IsHighSurrogate(WCHAR unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

int ScriptToPanelText(const char *script, WCHAR *text) {
  char cut[SCRIPT_TEXT_SIZE];
  const size_t length = CopyScriptText(cut, script, SCRIPT_TEXT_MAX);
  WCHAR units[PANEL_SCRIPT_UNITS + 1];
  int count = 0;
  if (length > 0) {
    // At most one unit per byte, so 4000 bytes always fit.
    count =
        MultiByteToWideChar(CP_UTF8, 0, cut, static_cast<int>(length), units, PANEL_SCRIPT_UNITS);
  }
  int out = 0;
  for (int i = 0; i < count; ++i) {
    if (units[i] == '\r' || units[i] == '\n') {
      if (units[i] == '\r' && i + 1 < count && units[i + 1] == '\n') ++i;
      text[out++] = '\r';
      text[out++] = '\n';
    } else {
      text[out++] = units[i];
    }
  }
  text[out] = 0;
  return out;
}

void PanelTextToScript(const WCHAR *text, char *script) {
  int length = 0;
  while (length < PANEL_READ_UNITS && text[length] != 0) ++length;
  if (length == PANEL_READ_UNITS && IsHighSurrogate(text[length - 1]) && text[length] != 0)
    --length;

  WCHAR units[PANEL_READ_UNITS + 1];
  int count = 0;
  for (int i = 0; i < length; ++i) {
    if (text[i] == '\r' && i + 1 < length && text[i + 1] == '\n') ++i;
    units[count++] = text[i] == '\n' ? '\r' : text[i];
  }
  // Three bytes per unit at most.
  char bytes[3 * PANEL_READ_UNITS + 1];
  int size = 0;
  if (count > 0)
    size = WideCharToMultiByte(CP_UTF8, 0, units, count, bytes, sizeof bytes - 1, nullptr, nullptr);
  if (size < 0) size = 0;
  bytes[size] = '\0';
  CopyScriptText(script, bytes, SCRIPT_TEXT_MAX);
}

void ShowPanelScript(HWND window, const char *script) {
  WCHAR text[PANEL_TEXT_SIZE];
  ScriptToPanelText(script, text);
  if (HWND edit = GetDlgItem(window, PANEL_EDIT_ID)) SetWindowTextW(edit, text);
}

void ReadPanelScript(HWND window, char *script) {
  WCHAR text[PANEL_TEXT_SIZE + 1];
  text[0] = 0;
  // One unit more than is read, so that PanelTextToScript sees whether a
  // pair goes on past its limit.
  if (HWND edit = GetDlgItem(window, PANEL_EDIT_ID))
    GetWindowTextW(edit, text, PANEL_TEXT_SIZE + 1);
  PanelTextToScript(text, script);
}
