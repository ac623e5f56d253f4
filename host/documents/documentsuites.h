// The document side's suites, one registration function per file; the host
// calls RegisterDocumentSuites (suites.h), which calls the others. Also what
// tests look at: the text-engine objects still alive.
#pragma once

#include <cstddef>

#include "suiteregistry.h"

namespace vhost {

void RegisterArtSuites(SuiteRegistry &registry);   // AI Layer, AI Art, AI Tag
void RegisterTextSuites(SuiteRegistry &registry);  // AI Text Frame, ATE TextRange and
                                                   // CharFeatures, AI Font, AI Custom
                                                   // Color, AIATE Paint

// Text ranges and feature sets handed out and not yet released; a plug-in
// that balances its references leaves these where they were.
size_t LiveTextRangeCount();
size_t LiveCharFeaturesCount();

}  // namespace vhost
