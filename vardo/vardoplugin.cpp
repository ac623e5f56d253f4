// The data-merge plug-in module: its description for the frame.
#include "frame.h"
#include "vardoglobals.h"
#include "vardohandlers.h"

VardoGlobals *Globals() { return static_cast<VardoGlobals *>(gCurrentGlobals); }

const FramePlugin gFramePlugin = {
    kFrameVardo,
    sizeof(VardoGlobals),
    {OnStartup, OnShutdown, nullptr, nullptr, nullptr, OnMenuGo, OnMenuUpdate, OnTimer, OnNotify,
     OnDoAction},
};
