// The script-authoring plug-in's global record, kept by the host between
// calls, and the names the plug-in registers with the host.
#pragma once

#include <windows.h>

#include "frame/frame.h"
#include "scripttags/scripttext.h"
#include "vardoscript/paneltext.h"
#include "vardoscript/scriptoptions.h"

// Items of the panel's flyout menu.
#define SCRIPT_COMMAND_IMAGE_TAG 1
#define SCRIPT_COMMAND_BARCODE_TAG 2

struct VardoScriptGlobals {
  AIArtHandle currentFrame;              // the one selected, unlocked text frame; null for none
  double frameWidth;                     // its bounds, right minus left; 0 without it
  double frameHeight;                    // its bounds, top minus bottom; 0 without it
  char currentScript[SCRIPT_TEXT_SIZE];  // its script (UTF-8); empty without one
  WNDPROC previousWindowProc;            // the panel window's procedure before subclassing
  HBRUSH backgroundBrush;                // in the theme's background colour
  HFONT editFont;                        // the edit control's font
  AIUIThemeColor backgroundColour;       // theme colour (1, 0)
  AIUIThemeColor textColour;             // theme colour (1, 1)
  SPBasicSuite *savedBasicSuite;         // for the brackets of the panel callbacks
  AIPanelRef panel;                      // null before it is created
  AIPanelFlyoutMenuRef flyoutMenu;
  SHORT timerBusy;  // 1 while a tick is being handled
  AITimerHandle timerHandle;
  AIMenuItemHandle panelMenuItem;     // shows and hides the panel
  AIDocumentViewHandle documentView;  // the first view, looked up at every tick
  double hostScale;                   // the host's UI scale factor as adjusted at start-up
  double dpiScale;                    // screen pixels per inch / 96
  ScriptOptions options;
  // The module the dialogs and strings are loaded from; null before the
  // panel is created.
  HINSTANCE pluginModule;
};

// The record of the current message; panel callbacks, which come outside
// PluginMain, see the one the last message carried.
inline VardoScriptGlobals *Globals() { return static_cast<VardoScriptGlobals *>(gCurrentGlobals); }
