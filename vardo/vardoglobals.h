// The data-merge plug-in's global record, kept by the host between calls,
// and the values its fields take.
#pragma once

#include <windows.h>

#include "AIActionManager.h"
#include "AIDocumentView.h"
#include "AIMenu.h"
#include "AINotifier.h"
#include "AIPanel.h"
#include "AITimer.h"
#include "AIUITheme.h"
#include "SPBasic.h"

// Requests the data panel leaves for the composition action (pendingCommand).
#define COMPOSE_INTO_TARGET 1001
#define COMPOSE_FROM_RECORD 1004

// The bounds of everything a record can be dropped on, rebuilt by the timer.
struct DropTargetList {
  LONG count;
  AIRealRect *bounds;  // count entries, malloc'd; null when count is 0
};

struct VardoGlobals {
  SHORT pendingCommand;        // COMPOSE_INTO_TARGET, COMPOSE_FROM_RECORD or 0
  LONG startRecord;            // record the pending request composes first
  AIRealRect targetBounds;     // drop target of COMPOSE_INTO_TARGET, artwork coordinates
  WNDPROC previousWindowProc;  // the panel window's procedure before subclassing
  HBRUSH backgroundBrush;      // the panel's theme background
  AIUIThemeColor backgroundColour;
  AIUIThemeColor textColour;
  SPBasicSuite *savedBasicSuite;  // for callbacks that run outside PluginMain
  AIPanelRef panel;
  AIPanelFlyoutMenuRef flyoutMenu;
  SHORT timerBusy;
  AINotifierHandle composeNotifier;
  AINotifierHandle lookupNotifier;
  AITimerHandle timerHandle;
  AIMenuItemHandle panelMenuItem;
  AIDocumentViewHandle documentView;
  DropTargetList dropTargets;
  AIRealRect viewBounds;  // visible artwork of documentView
  AIReal viewZoom;
  double hostScale;  // the host's UI scale factor
  double dpiScale;   // horizontal pixels per inch of the screen / 96
  HWND documentWindow;
  SHORT placeLinkImage;  // non-zero: the engine places pictures linked
  SPPluginRef pluginRef;
};

// The record of the current message; valid between "Startup" and "Shutdown".
VardoGlobals *Globals();
