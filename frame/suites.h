// The suites a plug-in calls, reached through process-wide pointers that the
// frame fills while its suite table is acquired (between the outermost
// AcquireSuites and the matching ReleaseSuites). Outside such a bracket every
// pointer is null; code that runs outside PluginMain opens its own bracket.
#pragma once

#include "AIATEPaint.h"
#include "AIActionManager.h"
#include "AIArt.h"
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
#include "ATEWrappers.h"
#include "SPAccess.h"
#include "SPBasic.h"

extern SPBasicSuite *sSPBasic;
extern const SPAccessSuite *sSPAccess;
extern const AIPluginSuite *sAIPlugin;
extern const AIArtSuite *sAIArt;
extern const AILayerSuite *sAILayer;
extern const AIUserSuite *sAIUser;
extern const AIDocumentSuite *sAIDocument;
extern const AIDocumentViewSuite *sAIDocumentView;
extern const AIDocumentListSuite *sAIDocumentList;
extern const AITextFrameSuite *sAITextFrame;
extern const AIFontSuite *sAIFont;
extern const AIATEPaintSuite *sAIATEPaint;
extern const AIUndoSuite *sAIUndo;
extern const AIContextSuite *sAIContext;
extern const AIPreferenceSuite *sAIPreference;
extern const AITagSuite *sAITag;
extern const AIMenuSuite *sAIMenu;
extern const AITimerSuite *sAITimer;
extern const AINotifierSuite *sAINotifier;
extern const AIActionManagerSuite *sAIActionManager;
extern const AIFilePathSuite *sAIFilePath;
extern const AICustomColorSuite *sAICustomColor;
extern const AIPanelSuite *sAIPanel;
extern const AIPanelFlyoutMenuSuite *sAIPanelFlyoutMenu;
extern const AIUIThemeSuite *sAIUITheme;
