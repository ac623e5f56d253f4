// The script-authoring plug-in module: its description for the frame.
#include "frame.h"
#include "vardoscript/scripthandlers.h"
#include "vardoscriptglobals.h"

const FramePlugin gFramePlugin = {
    kFrameVardoScript,
    sizeof(VardoScriptGlobals),
    {
        OnScriptStartup, OnScriptShutdown,
        nullptr,  // OnAbout
        nullptr,  // OnReload
        nullptr,  // OnUnload
        OnScriptMenuGo, OnScriptMenuUpdate, OnScriptTimer, OnScriptNotify,
        nullptr,  // OnDoAction: not routed
    },
};
