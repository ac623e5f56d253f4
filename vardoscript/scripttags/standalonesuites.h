// The script-tag code outside the system's plug-in modules: in a plug-in the
// frame fills the suite pointers this code calls through; the composition
// engine, a host module without that frame, and the fuzz targets link this
// file instead, which defines those pointers and fills them from a host's
// basic suite.
#pragma once

#include "SPBasic.h"

// Acquires the suites the script-tag code uses (art, tags, text frames,
// fonts, paints, custom colours and the two text-engine suites) into their
// pointers. Returns 0, or the status of the first suite that could not be
// had (the others are still acquired).
ASErr AcquireScriptTagSuites(SPBasicSuite *basic);
// Releases what AcquireScriptTagSuites acquired and clears the pointers.
void ReleaseScriptTagSuites(SPBasicSuite *basic);
