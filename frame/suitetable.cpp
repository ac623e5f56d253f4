#include <windows.h>

#include <cstdio>
#include <cstring>

#include "SuiteList.h"
#include "frame.h"

SPBasicSuite *sSPBasic;
const SPAccessSuite *sSPAccess;
const AIPluginSuite *sAIPlugin;
const AIArtSuite *sAIArt;
const AILayerSuite *sAILayer;
const AIUserSuite *sAIUser;
const AIDocumentSuite *sAIDocument;
const AIDocumentViewSuite *sAIDocumentView;
const AIDocumentListSuite *sAIDocumentList;
const AITextFrameSuite *sAITextFrame;
const AIFontSuite *sAIFont;
const AIATEPaintSuite *sAIATEPaint;
const AIUndoSuite *sAIUndo;
const AIContextSuite *sAIContext;
const AIPreferenceSuite *sAIPreference;
const AITagSuite *sAITag;
const AIMenuSuite *sAIMenu;
const AITimerSuite *sAITimer;
const AINotifierSuite *sAINotifier;
const AIActionManagerSuite *sAIActionManager;
const AIFilePathSuite *sAIFilePath;
const AICustomColorSuite *sAICustomColor;
const AIPanelSuite *sAIPanel;
const AIPanelFlyoutMenuSuite *sAIPanelFlyoutMenu;
const AIUIThemeSuite *sAIUITheme;

namespace ATE {
const ATETextRangeSuite *sTextRange;
const ATECharFeaturesSuite *sCharFeatures;
}  // namespace ATE

namespace {

struct SuiteRow {
  const char *name;
  ASInt32 version;
  const void **destination;
  bool reported;  // a failed acquisition of this row was shown to the user
};

// Rows the plug-ins call through a typed pointer; every other row of the
// table is acquired into a slot of its own that nothing reads.
struct NamedDestination {
  const char *name;
  const void **destination;
};

#define DEST(name, pointer) \
  { name, reinterpret_cast<const void **>(&pointer) }
const NamedDestination kNamed[] = {
    DEST(kSPAccessSuite, sSPAccess),
    DEST(kAIPluginSuite, sAIPlugin),
    DEST(kAIArtSuite, sAIArt),
    DEST(kAILayerSuite, sAILayer),
    DEST(kAIUserSuite, sAIUser),
    DEST(kAIDocumentSuite, sAIDocument),
    DEST(kAIDocumentViewSuite, sAIDocumentView),
    DEST(kAIDocumentListSuite, sAIDocumentList),
    DEST(kAITextFrameSuite, sAITextFrame),
    DEST(kAIFontSuite, sAIFont),
    DEST(kAIATEPaintSuite, sAIATEPaint),
    DEST(kAIUndoSuite, sAIUndo),
    DEST(kAIContextSuite, sAIContext),
    DEST(kAIPreferenceSuite, sAIPreference),
    DEST(kAITagSuite, sAITag),
    DEST(kAIMenuSuite, sAIMenu),
    DEST(kAITimerSuite, sAITimer),
    DEST(kAINotifierSuite, sAINotifier),
    DEST(kAIActionManagerSuite, sAIActionManager),
    DEST(kAIFilePathSuite, sAIFilePath),
    DEST(kAICustomColorSuite, sAICustomColor),
    DEST(kAIPanelSuite, sAIPanel),
    DEST(kAIPanelFlyoutMenuSuite, sAIPanelFlyoutMenu),
    DEST(kAIUIThemeSuite, sAIUITheme),
    DEST(kTextRangeSuite, ATE::sTextRange),
    DEST(kCharFeaturesSuite, ATE::sCharFeatures),
};
#undef DEST

constexpr int kMaxRows = 0
#define COUNT_ROW(name, version, a, b, c) +1
    VARDO_HOST_SUITES(COUNT_ROW)
#undef COUNT_ROW
    ;

const void *gUnnamedSlots[kMaxRows];
SuiteRow gRows[kMaxRows];
int gRowCount = -1;
ASInt16 gNestingCount = 0;

// Builds this plug-in's table from the host's suite list, once per load.
void BuildTable() {
  if (gRowCount >= 0) return;
  struct ListRow {
    const char *name;
    ASInt32 version;
    bool in[3];
  };
  static const ListRow kList[] = {
#define LIST_ROW(name, version, a, b, c) {name, version, {a != 0, b != 0, c != 0}},
      VARDO_HOST_SUITES(LIST_ROW)
#undef LIST_ROW
  };
  gRowCount = 0;
  for (int i = 0; i < kMaxRows; ++i) {
    const ListRow &row = kList[i];
    if (!row.in[gFramePlugin.column]) continue;
    const void **destination = &gUnnamedSlots[i];
    for (const NamedDestination &named : kNamed) {
      if (std::strcmp(named.name, row.name) == 0) destination = named.destination;
    }
    gRows[gRowCount++] = SuiteRow{row.name, row.version, destination, false};
  }
}

// Tells the user which suite is missing, once per row and load: a failing
// acquisition repeats at every timer tick, and one alert says it all.
void ReportMissingSuite(SuiteRow &row, ASErr status) {
  if (row.reported || sAIUser == nullptr) return;
  row.reported = true;
  char text[512];
  std::snprintf(text, sizeof text, "Error: %d, suite: %s, version: %d!", static_cast<int>(status),
                row.name, static_cast<int>(row.version));
  WCHAR wide[512];
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 512) > 0) {
    sAIUser->MessageAlert(wide);
  }
}

}  // namespace

// Restarts the count after the host reloaded the library: whatever brackets
// were open when it was unloaded are gone.
void ResetSuiteNesting() {
  gNestingCount = 0;
  BuildTable();
  for (int i = 0; i < gRowCount; ++i) gRows[i].reported = false;
}

ASErr AcquireSuites(SPBasicSuite *basic) {
  ASErr first = kNoErr;
  if (gNestingCount == 0) {
    BuildTable();
    sSPBasic = basic;
    int failedRow = -1;
    for (int i = 0; i < gRowCount; ++i) {
      SuiteRow &row = gRows[i];
      *row.destination = nullptr;
      ASErr status = basic->AcquireSuite(row.name, row.version, row.destination);
      if (status != kNoErr) {
        *row.destination = nullptr;
        if (first == kNoErr) {
          first = status;
          failedRow = i;
        }
      }
    }
    // Reported after the walk, when the user suite (if there) is in place.
    if (failedRow >= 0) {
      for (int i = failedRow; i < gRowCount; ++i) {
        if (*gRows[i].destination == nullptr) ReportMissingSuite(gRows[i], first);
      }
    }
  }
  ++gNestingCount;
  return first;
}

ASErr ReleaseSuites(SPBasicSuite *basic) {
  ASErr status = kNoErr;
  if (gNestingCount == 1) {
    for (int i = 0; i < gRowCount; ++i) {
      SuiteRow &row = gRows[i];
      // A row that was never acquired has nothing to release; asking for it
      // would fail and stop the walk with every later row still held.
      if (*row.destination == nullptr) continue;
      status = basic->ReleaseSuite(row.name, row.version);
      if (status != kNoErr) break;
      *row.destination = nullptr;
    }
  }
  --gNestingCount;
  return status;
}
