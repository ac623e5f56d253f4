// The batch sequencer plug-in module: its description for the frame.
#include "frame.h"
#include "sequencerglobals.h"
#include "sequencerhandlers.h"

SequencerGlobals *Globals() { return static_cast<SequencerGlobals *>(gCurrentGlobals); }

// The menu update has nothing to do: the command is always enabled.
const FramePlugin gFramePlugin = {
    kFrameVardoSequencer,
    sizeof(SequencerGlobals),
    {OnStartup, OnShutdown, nullptr, nullptr, nullptr, OnMenuGo, nullptr, OnTimer, nullptr,
     nullptr},
};
