// GetOpenFileName and GetSaveFileName, answered by the automation handler
// (vplatform/dialogs.h).
//
// The record is read and written as the real dialog does: filters decoded
// from their double-NUL list, the chosen path written into lpstrFile within
// nMaxFile, nFileOffset, nFileExtension, nFilterIndex and lpstrFileTitle
// set, lpstrDefExt appended to a name without extension, OFN_FILEMUSTEXIST
// and OFN_PATHMUSTEXIST checked against the file system. Not supported:
// hooks and custom templates (ignored), multiple selection (one file is
// returned), lpstrCustomFilter (left as it is).
#include <windows.h>

#include <commdlg.h>
#include <vplatform/dialogs.h>
#include <vplatform/paths.h>
#include <vplatform/utf8.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "controlsupport.h"
#include "dialogautomation.h"

namespace {

using namespace vplat::detail;
using vplat::dialogs::FileDialogAnswer;
using vplat::dialogs::FileDialogRequest;

constexpr int kMaxAttempts = 16;

DWORD &ExtendedError() {
  static DWORD error = 0;
  return error;
}

// The text forms of the two record kinds.
std::string ToUtf8(LPCSTR s) { return s ? vplat::Utf8FromUtf16(AnsiToWide(s)) : std::string(); }
std::string ToUtf8(LPCWSTR s) {
  return s ? vplat::Utf8FromUtf16(std::u16string_view(s, WideLength(s))) : std::string();
}

template <class Ch>
size_t Length(const Ch *s, size_t max) {
  size_t n = 0;
  while (n < max && s[n]) ++n;
  return n;
}

template <class Ch>
std::vector<std::pair<std::string, std::string>> Filters(const Ch *list) {
  std::vector<std::pair<std::string, std::string>> out;
  if (!list) return out;
  while (*list) {
    const Ch *desc = list;
    list += Length(list, SIZE_MAX) + 1;
    if (!*list) break;  // a description without a pattern ends the list
    const Ch *pattern = list;
    list += Length(list, SIZE_MAX) + 1;
    out.emplace_back(ToUtf8(desc), ToUtf8(pattern));
  }
  return out;
}

bool IsAbsoluteWindows(const std::string &p) {
  return (p.size() >= 3 && p[1] == ':' && (p[2] == '\\' || p[2] == '/')) ||
         (!p.empty() && (p[0] == '\\'));
}

// Offset of the file name in an ANSI path: after the last separator,
// never mistaking a double-byte character's trail byte for one.
size_t NameOffset(const std::string &ansi) {
  size_t name = 0;
  for (size_t i = 0; i < ansi.size(); ++i) {
    const BYTE c = static_cast<BYTE>(ansi[i]);
    if (IsDBCSLeadByte(c) && i + 1 < ansi.size()) {
      ++i;
      continue;
    }
    if (c == '\\' || c == '/' || (c == ':' && i == 1)) name = i + 1;
  }
  return name;
}

// Turns the handler's answer into an ANSI Windows path, or explains why not.
bool Resolve(const FileDialogRequest &req, const std::string &answer, std::string &ansi,
             std::string &why) {
  if (answer.empty()) {
    why = "empty path";
    return false;
  }
  if (answer[0] == '/') {
    if (!vplat::WindowsPathFromLinux(answer, ansi)) {
      why = "not on a mapped drive or not representable in the ANSI code page";
      return false;
    }
  } else {
    std::string win = answer;
    if (!IsAbsoluteWindows(win) && !req.initialDir.empty()) {
      win = req.initialDir;
      if (win.back() != '\\' && win.back() != '/') win += '\\';
      win += answer;
    }
    std::u16string wide = vplat::Utf16FromUtf8(win);
    ansi = WideToAnsi(wide);
    if (AnsiToWide(ansi) != wide) {
      why = "not representable in the ANSI code page";
      return false;
    }
  }
  // The default extension goes on a name that has none.
  const size_t name = NameOffset(ansi);
  if (!req.defaultExt.empty() && ansi.find('.', name) == std::string::npos && name < ansi.size())
    ansi += "." + WideToAnsi(vplat::Utf16FromUtf8(req.defaultExt));
  const DWORD flags = req.flags;
  if ((flags & OFN_FILEMUSTEXIST) && !req.save) {
    DWORD a = GetFileAttributesA(ansi.c_str());
    if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_DIRECTORY)) {
      why = "file does not exist";
      return false;
    }
  }
  if (flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) {
    std::string dir = ansi.substr(0, name);
    if (dir.size() > 3 && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
    DWORD a = dir.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(dir.c_str());
    if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY)) {
      why = "folder does not exist";
      return false;
    }
  }
  return true;
}

// Writes s into a caller buffer of cap units; false (nothing but the size
// written) when it does not fit.
template <class Ch>
bool Store(const std::basic_string<Ch> &s, Ch *buf, DWORD cap) {
  if (s.size() + 1 > cap) {
    if (static_cast<size_t>(cap) * sizeof(Ch) >= 2) {
      const WORD need = static_cast<WORD>(std::min<size_t>(s.size() + 1, 0xFFFF));
      std::memcpy(buf, &need, sizeof need);
    }
    return false;
  }
  std::copy(s.begin(), s.end(), buf);
  buf[s.size()] = 0;
  return true;
}

template <class OFN, class Ch>
BOOL Run(OFN *ofn, bool save, size_t v400Size) {
  ExtendedError() = 0;
  if (!ofn) {
    ExtendedError() = CDERR_INITIALIZATION;
    return FALSE;
  }
  if (ofn->lStructSize != sizeof(OFN) && ofn->lStructSize != v400Size) {
    ExtendedError() = CDERR_STRUCTSIZE;
    return FALSE;
  }
  if (!ofn->lpstrFile || ofn->nMaxFile == 0) {
    ExtendedError() = CDERR_INITIALIZATION;
    return FALSE;
  }

  FileDialogRequest req;
  req.save = save;
  req.owner = ofn->hwndOwner;
  req.title = ToUtf8(ofn->lpstrTitle);
  req.initialDir = ToUtf8(ofn->lpstrInitialDir);
  req.defaultExt = ToUtf8(ofn->lpstrDefExt);
  req.filters = Filters(ofn->lpstrFilter);
  req.filterIndex = static_cast<int>(ofn->nFilterIndex);
  req.flags = ofn->Flags;
  {
    std::basic_string<Ch> initial(ofn->lpstrFile, Length(ofn->lpstrFile, ofn->nMaxFile));
    req.initialFile = ToUtf8(initial.c_str());
  }

  HWND owner =
      ofn->hwndOwner && IsWindow(ofn->hwndOwner) ? GetAncestor(ofn->hwndOwner, GA_ROOT) : nullptr;
  const bool disable = owner && IsWindowEnabled(owner);
  if (disable) EnableWindow(owner, FALSE);

  BOOL result = FALSE;
  std::string ansi;
  FileDialogAnswer answer;
  const std::string what =
      std::string(save ? "save" : "open") + " file dialog \"" + req.title + "\"";
  for (int attempt = 0;; ++attempt) {
    answer = FileDialogAnswer{};
    bool handled = false;
    const bool chosen = AskFileDialogHandler(req, answer, handled);
    if (!handled) {
      AddDialogDiagnostic(what + " was not answered; cancelled");
      break;
    }
    if (!chosen) break;
    if (std::find(req.refused.begin(), req.refused.end(), answer.path) != req.refused.end() ||
        attempt + 1 >= kMaxAttempts) {
      AddDialogDiagnostic(what + ": \"" + answer.path +
                          "\" given again after it was refused; cancelled");
      break;
    }
    std::string why;
    if (Resolve(req, answer.path, ansi, why)) {
      result = TRUE;
      break;
    }
    AddDialogDiagnostic(what + ": \"" + answer.path + "\" refused: " + why);
    req.refused.push_back(answer.path);
  }
  if (disable && IsWindow(owner)) EnableWindow(owner, TRUE);
  if (!result) return FALSE;

  std::basic_string<Ch> path;
  if constexpr (sizeof(Ch) == 1)
    path = ansi;
  else
    path.assign(reinterpret_cast<const Ch *>(AnsiToWide(ansi).c_str()));
  if (!Store(path, ofn->lpstrFile, ofn->nMaxFile)) {
    ExtendedError() = FNERR_BUFFERTOOSMALL;
    return FALSE;
  }
  // Offsets count characters of the path as written (bytes for ANSI).
  const size_t nameAnsi = NameOffset(ansi);
  size_t name = nameAnsi;
  if constexpr (sizeof(Ch) != 1) name = AnsiToWide(ansi.substr(0, nameAnsi)).size();
  size_t ext = path.size();
  for (size_t i = path.size(); i > name; --i) {
    if (path[i - 1] == static_cast<Ch>('.')) {
      ext = i == path.size() ? 0 : i;
      break;
    }
  }
  ofn->nFileOffset = static_cast<WORD>(name);
  ofn->nFileExtension = static_cast<WORD>(ext);
  if (ofn->lpstrFileTitle && ofn->nMaxFileTitle > 0) {
    std::basic_string<Ch> title = path.substr(name);
    Store(title, ofn->lpstrFileTitle, ofn->nMaxFileTitle);
  }
  if (answer.filterIndex > 0)
    ofn->nFilterIndex = static_cast<DWORD>(answer.filterIndex);
  else if (ofn->nFilterIndex == 0 && !ofn->lpstrCustomFilter && !req.filters.empty())
    ofn->nFilterIndex = 1;
  return TRUE;
}

}  // namespace

extern "C" {

BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA lpofn) {
  return Run<OPENFILENAMEA, char>(lpofn, false, OPENFILENAME_SIZE_VERSION_400A);
}
BOOL WINAPI GetOpenFileNameW(LPOPENFILENAMEW lpofn) {
  return Run<OPENFILENAMEW, WCHAR>(lpofn, false, OPENFILENAME_SIZE_VERSION_400W);
}
BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA lpofn) {
  return Run<OPENFILENAMEA, char>(lpofn, true, OPENFILENAME_SIZE_VERSION_400A);
}
BOOL WINAPI GetSaveFileNameW(LPOPENFILENAMEW lpofn) {
  return Run<OPENFILENAMEW, WCHAR>(lpofn, true, OPENFILENAME_SIZE_VERSION_400W);
}
DWORD WINAPI CommDlgExtendedError(void) { return ExtendedError(); }

}  // extern "C"
