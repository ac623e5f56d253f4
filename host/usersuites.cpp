// "AI User Suite" (alerts), "AI Preference Suite" and "AI User Interface
// Theme Suite".
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <string>

#include "AIFilePath.h"

#include "AIPreference.h"
#include "AIUITheme.h"
#include "AIUser.h"
#include "host.h"
#include "suites.h"
#include "text.h"

namespace vhost {

namespace {

ASErr ErrorAlert(const ai_uchar16 *text) {
  Host *host = Host::Current();
  if (!host) return kBadParameterErr;
  host->AddAlert(Alert::kError, Utf8FromUtf16(text));
  return kNoErr;
}

ASErr MessageAlert(const ai_uchar16 *text) {
  Host *host = Host::Current();
  if (!host) return kBadParameterErr;
  host->AddAlert(Alert::kMessage, Utf8FromUtf16(text));
  return kNoErr;
}

// The host's file dialogs are the platform's common dialogs, owned by the
// main window; automation answers them (vplat::dialogs::OnFileDialog).
ASErr RunFileDialog(bool save, const ai_uchar16 *title, const AIFileDialogFilter *filters,
                    ASInt32 filterCount, const ai_uchar16 *defaultName, AIFilePathRef path) {
  Host *host = Host::Current();
  if (!host || !path) return kBadParameterErr;
  // "description\0pattern\0" for each filter, then one more NUL.
  std::u16string filterText;
  for (ASInt32 i = 0; i < filterCount && filters; ++i) {
    filterText += filters[i].description ? filters[i].description : u"";
    filterText.push_back(u'\0');
    filterText += filters[i].pattern ? filters[i].pattern : u"";
    filterText.push_back(u'\0');
  }
  filterText.push_back(u'\0');
  WCHAR file[MAX_PATH + 40] = {};
  if (defaultName) {
    std::u16string name(defaultName);
    name.copy(file, std::min<size_t>(name.size(), MAX_PATH));
  }
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = host->MainWindow();
  ofn.lpstrFilter = filterCount > 0 ? filterText.c_str() : nullptr;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH + 40;
  ofn.lpstrTitle = title;
  ofn.Flags =
      save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!chosen) return kCanceledErr;
  // The path object holds the ANSI form the plug-ins' file calls take; a
  // name that form cannot carry is refused rather than altered.
  char ansi[MAX_PATH * 2];
  BOOL lossy = FALSE;
  int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, file, -1, ansi, sizeof ansi, nullptr,
                              GetACP() == CP_UTF8 ? nullptr : &lossy);
  if (n <= 0 || lossy) return kBadParameterErr;
  const void *suite = nullptr;
  if (host->Suites().Acquire(kAIFilePathSuite, kAIFilePathSuiteVersion, &suite) != kNoErr) {
    return kSPSuiteNotFoundError;
  }
  ASErr status = static_cast<const AIFilePathSuite *>(suite)->SetPlatformPathA(path, ansi);
  host->Suites().Release(kAIFilePathSuite, kAIFilePathSuiteVersion);
  return status;
}

ASErr GetFileDialog(const ai_uchar16 *title, const AIFileDialogFilter *filters, ASInt32 filterCount,
                    AIFilePathRef path) {
  return RunFileDialog(false, title, filters, filterCount, nullptr, path);
}

ASErr PutFileDialog(const ai_uchar16 *title, const AIFileDialogFilter *filters, ASInt32 filterCount,
                    const ai_uchar16 *defaultName, AIFilePathRef path) {
  return RunFileDialog(true, title, filters, filterCount, defaultName, path);
}

const AIUserSuite kUserSuite = {ErrorAlert, MessageAlert, GetFileDialog, PutFileDialog};

ASErr GetRealPreference(const char *prefix, const char *suffix, AIReal *value) {
  Host *host = Host::Current();
  if (!host || !suffix || !value) return kBadParameterErr;
  std::string name = prefix && *prefix ? std::string(prefix) + "/" + suffix : std::string(suffix);
  double v = 0;
  if (!host->GetRealPreference(name, &v)) return kNoSuchObjectErr;
  *value = v;
  return kNoErr;
}

const AIPreferenceSuite kPreferenceSuite = {GetRealPreference};

ASErr GetUIThemeColor(ASInt32 name, ASInt32 type, AIUIThemeColor *color) {
  Host *host = Host::Current();
  if (!host || !color) return kBadParameterErr;
  return host->GetThemeColor(name, type, color) ? kNoErr : kNoSuchObjectErr;
}

const AIUIThemeSuite kThemeSuite = {GetUIThemeColor};

}  // namespace

void RegisterUserSuites(SuiteRegistry &registry) {
  registry.Add(kAIUserSuite, kAIUserSuiteVersion, &kUserSuite);
  registry.Add(kAIPreferenceSuite, kAIPreferenceSuiteVersion, &kPreferenceSuite);
  registry.Add(kAIUIThemeSuite, kAIUIThemeSuiteVersion, &kThemeSuite);
}

}  // namespace vhost
