// The script panel's two commands, run from its flyout menu.
#pragma once

#include "frame/frame.h"

// The flyout-menu handler (called by the host outside PluginMain). Item 1
// runs the picture options dialog, item 2 the barcode options dialog; on OK
// the tag built from the options, the panel's text and the current frame's
// size replaces the panel's text. Cancel and other items change nothing.
void RunScriptCommand(AIPanelRef panel, ASUInt32 itemId);
