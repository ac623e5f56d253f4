// The automation side of dialogs: handler registry, diagnostics and the
// helpers that act on a dialog's controls as the user would.
#include "dialogautomation.h"

#include <vplatform/dialogs.h>
#include <vplatform/utf8.h>

#include <algorithm>
#include <vector>

#include "controlsupport.h"

namespace {

using vplat::dialogs::FileDialogAnswer;
using vplat::dialogs::FileDialogHandler;
using vplat::dialogs::FileDialogRequest;
using vplat::dialogs::HandlerId;
using vplat::dialogs::ModalDialogHandler;

constexpr std::uint64_t kDefaultUnattendedLimit = 60'000'000;  // one minute

struct ModalEntry {
  HandlerId id;
  bool once;
  ModalDialogHandler fn;
};

struct Registry {
  HandlerId nextId = 1;
  std::vector<ModalEntry> modal;
  HandlerId fileId = 0;
  FileDialogHandler file;
  std::uint64_t unattendedLimit = kDefaultUnattendedLimit;
  std::vector<std::string> diagnostics;
};

Registry &R() {
  static Registry r;
  return r;
}

std::u16string ClassOf(HWND hwnd) {
  WCHAR buf[64];
  int n = GetClassNameW(hwnd, buf, 64);
  return std::u16string(reinterpret_cast<const char16_t *>(buf),
                        static_cast<size_t>(n > 0 ? n : 0));
}

bool IsClass(HWND hwnd, std::u16string_view name) {
  return vplat::detail::CompareNoCase(ClassOf(hwnd), name) == 0;
}

// The edit field that takes a control's typed text: the control itself, or
// an editable combo box's child field.
HWND TypingTarget(HWND ctl) {
  if (IsClass(ctl, u"Edit")) return ctl;
  if (IsClass(ctl, u"ComboBox"))
    for (HWND w = GetWindow(ctl, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
      if (IsClass(w, u"Edit")) return w;
  return nullptr;
}

}  // namespace

namespace vplat::detail {

void RunModalDialogHandlers(HWND dlg, const std::function<bool()> &ended) {
  // Only the handlers registered before the dialog opened take part.
  std::vector<HandlerId> ids;
  for (const ModalEntry &e : R().modal) ids.push_back(e.id);
  for (HandlerId id : ids) {
    if (ended()) return;
    auto it = std::find_if(R().modal.begin(), R().modal.end(),
                           [&](const ModalEntry &e) { return e.id == id; });
    if (it == R().modal.end()) continue;  // removed by an earlier handler
    ModalDialogHandler fn = it->fn;
    if (it->once) R().modal.erase(it);
    fn(dlg);
  }
}

std::uint64_t UnattendedLimit() { return R().unattendedLimit; }

void AddDialogDiagnostic(std::string message) { R().diagnostics.push_back(std::move(message)); }

bool AskFileDialogHandler(const FileDialogRequest &request, FileDialogAnswer &answer,
                          bool &handled) {
  handled = static_cast<bool>(R().file);
  if (!handled) return false;
  FileDialogHandler fn = R().file;  // a handler may replace itself
  return fn(request, answer);
}

}  // namespace vplat::detail

namespace vplat::dialogs {

HandlerId OnModalDialog(ModalDialogHandler handler) {
  HandlerId id = R().nextId++;
  R().modal.push_back({id, false, std::move(handler)});
  return id;
}

HandlerId OnNextModalDialog(ModalDialogHandler handler) {
  HandlerId id = R().nextId++;
  R().modal.push_back({id, true, std::move(handler)});
  return id;
}

HandlerId OnFileDialog(FileDialogHandler handler) {
  R().file = std::move(handler);
  R().fileId = R().file ? R().nextId++ : 0;
  return R().fileId;
}

HandlerId OnFileDialog(FileDialogPathHandler handler) {
  if (!handler) return OnFileDialog(FileDialogHandler());
  return OnFileDialog(FileDialogHandler(
      [h = std::move(handler)](const FileDialogRequest &request, FileDialogAnswer &answer) {
        return h(request, answer.path);
      }));
}

bool RemoveHandler(HandlerId id) {
  if (id != 0 && id == R().fileId) {
    R().file = nullptr;
    R().fileId = 0;
    return true;
  }
  auto it = std::find_if(R().modal.begin(), R().modal.end(),
                         [&](const ModalEntry &e) { return e.id == id; });
  if (it == R().modal.end()) return false;
  R().modal.erase(it);
  return true;
}

void Reset() {
  HandlerId next = R().nextId;  // ids are never reused
  R() = Registry{};
  R().nextId = next;
}

void SetUnattendedLimit(std::uint64_t micros) { R().unattendedLimit = micros; }

std::vector<std::string> Diagnostics() { return R().diagnostics; }

std::vector<std::string> TakeDiagnostics() {
  std::vector<std::string> out;
  out.swap(R().diagnostics);
  return out;
}

bool Click(HWND dialog, int id) {
  HWND ctl = GetDlgItem(dialog, id);
  if (!ctl || !IsClass(ctl, u"Button") || !IsWindowEnabled(ctl)) return false;
  SendMessageW(ctl, BM_CLICK, 0, 0);
  return true;
}

bool SetText(HWND dialog, int id, std::string_view utf8) {
  HWND ctl = GetDlgItem(dialog, id);
  if (!ctl) return false;
  std::u16string text = vplat::Utf16FromUtf8(utf8);
  if (HWND field = TypingTarget(ctl)) {
    if (!IsWindowEnabled(field) || (GetWindowLongPtrW(field, GWL_STYLE) & ES_READONLY))
      return false;
    SendMessageW(field, EM_SETSEL, 0, -1);
    SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    return true;
  }
  return SendMessageW(ctl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) > 0;
}

std::string GetText(HWND dialog, int id) {
  HWND ctl = GetDlgItem(dialog, id);
  if (!ctl) return {};
  int n = GetWindowTextLengthW(ctl);
  std::u16string t(static_cast<size_t>(n) + 1, u'\0');
  t.resize(static_cast<size_t>(GetWindowTextW(ctl, reinterpret_cast<LPWSTR>(t.data()), n + 1)));
  return vplat::Utf8FromUtf16(t);
}

bool SelectComboItem(HWND dialog, int id, int index) {
  HWND ctl = GetDlgItem(dialog, id);
  if (!ctl || !IsWindowEnabled(ctl)) return false;
  return vplat::detail::ComboSelectAsUser(ctl, index);
}

bool SelectComboItem(HWND dialog, int id, std::string_view utf8) {
  HWND ctl = GetDlgItem(dialog, id);
  if (!ctl || !IsClass(ctl, u"ComboBox")) return false;
  std::u16string text = vplat::Utf16FromUtf8(utf8);
  LRESULT i = SendMessageW(ctl, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(text.c_str()));
  if (i == CB_ERR) return false;
  return SelectComboItem(dialog, id, static_cast<int>(i));
}

bool Check(HWND dialog, int id, bool checked) {
  HWND ctl = GetDlgItem(dialog, id);
  if (!ctl || !IsClass(ctl, u"Button")) return false;
  const UINT want = checked ? BST_CHECKED : BST_UNCHECKED;
  if (SendMessageW(ctl, BM_GETCHECK, 0, 0) != static_cast<LRESULT>(want)) {
    if (!IsWindowEnabled(ctl)) return false;
    SendMessageW(ctl, BM_CLICK, 0, 0);
  }
  return IsWindow(ctl) && SendMessageW(ctl, BM_GETCHECK, 0, 0) == static_cast<LRESULT>(want);
}

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

}  // namespace vplat::dialogs
