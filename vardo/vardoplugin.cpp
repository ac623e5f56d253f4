// The data-merge plug-in module: its description for the frame.
#include "frame.h"
#include "vardoglobals.h"

const FramePlugin gFramePlugin = {
    kFrameVardo,
    sizeof(VardoGlobals),
    {},  // handlers arrive with the record table, panel and composition driver
};
