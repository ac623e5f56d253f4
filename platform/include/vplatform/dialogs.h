// Automation of dialog boxes and of the open / save file dialogs: nobody
// sits in front of the headless screen, so tests and the command-line
// program answer them here.
//
// Modal dialogs (DialogBoxParam and friends): after the dialog has been
// created, initialised (WM_INITDIALOG) and shown, every registered modal
// handler is called with the dialog window, in the order of registration,
// until one of them ends the dialog. A handler reads and fills controls and
// presses buttons with the helpers below (or with vplatform/input.h, whose
// input the dialog's loop then processes). If the dialog is still open the
// modal loop runs: it dispatches queued messages and, when the queue is
// empty, advances the virtual clock to the next scheduled event
// (vplat::clock). When nothing is scheduled any more, or the dialog has
// waited longer than the unattended limit of virtual time, the dialog is
// considered unanswered: the loop presses Escape for the user (WM_COMMAND
// IDCANCEL to the dialog procedure) and, if the dialog is still open after
// that, ends it with IDCANCEL itself. Either way a diagnostic is recorded.
//
// File dialogs (GetOpenFileName / GetSaveFileName) call the file-dialog
// handler, which chooses a path or cancels. Without a handler the dialog is
// cancelled (FALSE, CommDlgExtendedError 0) and a diagnostic is recorded.
//
// Text here is UTF-8. Everything runs on the UI thread.
#ifndef VARDO_VPLATFORM_DIALOGS_H
#define VARDO_VPLATFORM_DIALOGS_H

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vplat::dialogs {

using HandlerId = std::uint64_t;
using ModalDialogHandler = std::function<void(HWND dialog)>;

// Registers a handler called for every modal dialog that opens, until
// removed. Returns its id (never 0).
VPLAT_API HandlerId OnModalDialog(ModalDialogHandler handler);
// Registers a handler called for the next modal dialog only.
VPLAT_API HandlerId OnNextModalDialog(ModalDialogHandler handler);

struct FileDialogRequest {
  bool save = false;        // GetSaveFileName
  HWND owner = nullptr;     // hwndOwner
  std::string title;        // lpstrTitle, empty when NULL
  std::string initialDir;   // lpstrInitialDir, empty when NULL
  std::string initialFile;  // what lpstrFile held on entry
  std::string defaultExt;   // lpstrDefExt, empty when NULL
  // lpstrFilter decoded: (description, pattern) pairs in order.
  std::vector<std::pair<std::string, std::string>> filters;
  int filterIndex = 0;  // nFilterIndex as given (1-based, 0: custom)
  DWORD flags = 0;      // OFN_*
  // Answers already refused in this dialog (OFN_FILEMUSTEXIST,
  // OFN_PATHMUSTEXIST), in order. A handler asked again after a refusal
  // should choose something else or cancel.
  std::vector<std::string> refused;
};

struct FileDialogAnswer {
  // A Windows path ("C:\\dir\\file.csv") or a Linux path ("/tmp/file.csv",
  // converted through the drive table). A path that is not absolute is
  // taken relative to initialDir.
  std::string path;
  // 1-based filter the user left selected; 0 keeps the request's.
  int filterIndex = 0;
};

// Returns true with a choice, false to cancel.
using FileDialogHandler = std::function<bool(const FileDialogRequest &, FileDialogAnswer &)>;
// The simple form: only a path.
using FileDialogPathHandler =
    std::function<bool(const FileDialogRequest &, std::string &chosenPath)>;

// Sets the handler for every file dialog from now on (replacing the
// previous one); returns its id. An empty function removes it.
VPLAT_API HandlerId OnFileDialog(FileDialogHandler handler);
VPLAT_API HandlerId OnFileDialog(FileDialogPathHandler handler);

// Removes a modal or file-dialog handler. False if the id is not live.
VPLAT_API bool RemoveHandler(HandlerId id);
// Removes every handler and the diagnostics; the unattended limit goes back
// to its default (test fixtures).
VPLAT_API void Reset();

// Virtual time an unanswered modal dialog may wait for scheduled events
// before it is cancelled, counted from the start of its loop; one minute
// until set.
VPLAT_API void SetUnattendedLimit(std::uint64_t micros);

// Messages about dialogs nobody answered and file answers refused, oldest
// first. Take clears them.
VPLAT_API std::vector<std::string> Diagnostics();
VPLAT_API std::vector<std::string> TakeDiagnostics();

// ---- Helpers for handlers: what the user would do to a dialog's controls.
// Each returns false when the dialog has no such control or the control
// refuses (disabled, wrong kind, no such entry).

// Presses a button as the user does (BM_CLICK): BN_CLICKED reaches the
// dialog procedure. A disabled button does nothing.
VPLAT_API bool Click(HWND dialog, int id);
// Replaces a control's text as the user would by selecting everything and
// typing: an edit (or an editable combo box's field) gets EM_SETSEL and
// EM_REPLACESEL, so its limit applies and EN_CHANGE follows; any other
// control gets WM_SETTEXT. A disabled or read-only field refuses.
VPLAT_API bool SetText(HWND dialog, int id, std::string_view utf8);
// WM_GETTEXT of the control, as UTF-8; empty when there is none.
VPLAT_API std::string GetText(HWND dialog, int id);
// Picks an entry of a combo box from its drop-down list, as the user does:
// the combo box takes the focus (CBN_SETFOCUS if it did not have it), then
// CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP.
VPLAT_API bool SelectComboItem(HWND dialog, int id, int index);
// The same for the first entry equal to text, ignoring case.
VPLAT_API bool SelectComboItem(HWND dialog, int id, std::string_view utf8);
// Clicks a check box (or radio button) when its state differs from
// checked; true when it ends in the state asked for.
VPLAT_API bool Check(HWND dialog, int id, bool checked = true);
VPLAT_API bool IsChecked(HWND dialog, int id);

// The resource id a dialog was created from (DialogBoxParam /
// CreateDialogParam with an integer name); 0 for a template from memory or
// a named resource, or a window that is no dialog.
VPLAT_API int DialogResourceId(HWND dialog);
// The modal dialogs open now, innermost last.
VPLAT_API std::vector<HWND> OpenModalDialogs();

}  // namespace vplat::dialogs

#endif
