// The script-authoring plug-in's handlers in the frame's slots and the
// operations they share. Every handler returns 0 unless said otherwise.
#pragma once

#include "frame/frame.h"

// Sets the plug-in option bit 0x2, the state, the scale factors and the
// options (defaults, then "Vardo2Script.ini"), and registers the menu item
// "VARDO_INFO_GROUP", the timer "AVARDO4_TIMER" (30 ticks) and the
// application-started notifier. Returns the first host error; the steps
// after it do not run.
ASErr OnScriptStartup(void *message);
// Destroys the panel with its window, brush, font and flyout menu.
ASErr OnScriptShutdown(void *message);
// On the application-started notification: keeps the basic suite and
// creates the panel (a panel that cannot be created is not reported).
ASErr OnScriptNotify(void *message);
// "AI Go" on the menu item: shows the panel when hidden, hides it when shown.
ASErr OnScriptMenuGo(void *message);
// "AI Update": the item's check mark follows whether the panel is shown.
ASErr OnScriptMenuUpdate(void *message);
// Every 30 ticks: keeps the panel and the selected text frame in step.
ASErr OnScriptTimer(void *message);

// Creates the panel "VARDOSCR_INFO_PANEL" with its flyout menu, window set
// up and shown, for `plugin`. Host errors leave the plug-in without a panel.
void CreateScriptPanel(SPPluginRef plugin);
// Restores the panel window's procedure and destroys what CreateScriptPanel
// made; safe when nothing was made.
void DestroyScriptPanel();

// The current frame, its size and its script from the document's
// selection: the one selected text frame that is not locked (nor inside
// locked art) in a visible, editable layer; none when there are several.
void GetSelectedFrameScript();
// Writes currentScript, cut to what the tags hold before a character that
// would not fit whole, into the script tags of currentFrame, if it is still
// in a visible, editable layer and not locked.
void SaveSelectedFrameScript();
