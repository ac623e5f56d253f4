// "AI User Suite" (alerts), "AI Preference Suite" and "AI User Interface
// Theme Suite".
#include <string>

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

// File dialogs come with the panels; until a dialog answerer exists the user
// cancels.
ASErr GetFileDialog(const ai_uchar16 *, const AIFileDialogFilter *, ASInt32, AIFilePathRef) {
  return kCanceledErr;
}

ASErr PutFileDialog(const ai_uchar16 *, const AIFileDialogFilter *, ASInt32, const ai_uchar16 *,
                    AIFilePathRef) {
  return kCanceledErr;
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
