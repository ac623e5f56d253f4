// The script-authoring plug-in module: its description for the frame.
#include "frame.h"
#include "vardoscriptglobals.h"

const FramePlugin gFramePlugin = {
    kFrameVardoScript,
    sizeof(VardoScriptGlobals),
    {},  // handlers arrive with the script panel
};
