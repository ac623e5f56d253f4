// The batch sequencer plug-in module: its description for the frame.
#include "frame.h"
#include "sequencerglobals.h"

const FramePlugin gFramePlugin = {
    kFrameVardoSequencer,
    sizeof(SequencerGlobals),
    {},  // handlers arrive with the batch run and its settings dialog
};
