// Compiles every header of the host interface as C++ and checks the layouts
// that both sides of the interface rely on.
#include "AIATEPaint.h"
#include "AIActionManager.h"
#include "AIArt.h"
#include "AIColor.h"
#include "AIContext.h"
#include "AICustomColor.h"
#include "AIDocument.h"
#include "AIDocumentView.h"
#include "AIFilePath.h"
#include "AIFont.h"
#include "AILayer.h"
#include "AIMenu.h"
#include "AINotifier.h"
#include "AIPanel.h"
#include "AIPlugin.h"
#include "AIPreference.h"
#include "AITag.h"
#include "AITextFrame.h"
#include "AITimer.h"
#include "AIUITheme.h"
#include "AIUndo.h"
#include "AIUser.h"
#include "ASTypes.h"
#include "ATESuites.h"
#include "ATEWrappers.h"
#include "SPAccess.h"
#include "SPBasic.h"
#include "SPMessages.h"
#include "SuiteList.h"
#include "VardoEngine.h"

#include <cstring>

#include <gtest/gtest.h>

extern "C" int HostApiSuiteCountFromC(void);
extern "C" int HostApiVardoSuiteCountFromC(void);

namespace {

struct TableSizes {
  int all = 0, vardo = 0, script = 0, sequencer = 0, ate = 0;
};

TableSizes CountTables() {
  TableSizes s;
#define COUNT(name, version, a, b, c) \
  ++s.all;                            \
  s.vardo += a;                       \
  s.script += b;                      \
  s.sequencer += c;                   \
  if (std::strncmp(name, "ATE ", 4) == 0) ++s.ate;
  VARDO_HOST_SUITES(COUNT)
#undef COUNT
  return s;
}

}  // namespace

TEST(HostApi, SuiteTablesHaveTheirRowCounts) {
  TableSizes s = CountTables();
  EXPECT_EQ(s.vardo, 109);
  EXPECT_EQ(s.script, 109);
  EXPECT_EQ(s.sequencer, 130);
  EXPECT_EQ(s.ate, 74);
  EXPECT_EQ(HostApiSuiteCountFromC(), s.all);
  EXPECT_EQ(HostApiVardoSuiteCountFromC(), s.vardo);
}

TEST(HostApi, StatusesAreTheirFourCharacters) {
  EXPECT_EQ(kSPSuiteNotFoundError, 0x53214664);
  EXPECT_EQ(kCanceledErr, 0x53544F50);
}

TEST(HostApi, SuiteNamesAndVersionsMatchTheList) {
  struct Row {
    const char *name;
    int version;
  };
  const Row headers[] = {
      {kAIArtSuite, kAIArtSuiteVersion},
      {kAITagSuite, kAITagSuiteVersion},
      {kAIMenuSuite, kAIMenuSuiteVersion},
      {kAITimerSuite, kAITimerSuiteVersion},
      {kAINotifierSuite, kAINotifierSuiteVersion},
      {kAIUserSuite, kAIUserSuiteVersion},
      {kAIPanelSuite, kAIPanelSuiteVersion},
      {kAIPanelFlyoutMenuSuite, kAIPanelFlyoutMenuSuiteVersion},
      {kAILayerSuite, kAILayerSuiteVersion},
      {kAIDocumentViewSuite, kAIDocumentViewSuiteVersion},
      {kAIActionManagerSuite, kAIActionManagerSuiteVersion},
      {kAIUndoSuite, kAIUndoSuiteVersion},
      {kAIFilePathSuite, kAIFilePathSuiteVersion},
      {kAIUIThemeSuite, kAIUIThemeSuiteVersion},
      {kAIPreferenceSuite, kAIPreferenceSuiteVersion},
      {kAIContextSuite, kAIContextSuiteVersion},
      {kSPAccessSuite, kSPAccessSuiteVersion},
      {kAIPluginSuite, kAIPluginSuiteVersion},
      {kAIDocumentSuite, kAIDocumentSuiteVersion},
      {kAIDocumentListSuite, kAIDocumentListSuiteVersion},
      {kAITextFrameSuite, kAITextFrameSuiteVersion},
      {kAIFontSuite, kAIFontSuiteVersion},
      {kAICustomColorSuite, kAICustomColorSuiteVersion},
      {kAIATEPaintSuite, kAIATEPaintSuiteVersion},
      {kTextRangeSuite, kTextRangeSuiteVersion},
      {kCharFeaturesSuite, kCharFeaturesSuiteVersion},
  };
  for (const Row &h : headers) {
    int found = -1;
#define FIND(suite, ver, a, b, c) \
  if (std::strcmp(suite, h.name) == 0) found = ver;
    VARDO_HOST_SUITES(FIND)
#undef FIND
    EXPECT_EQ(found, h.version) << h.name;
  }
}
