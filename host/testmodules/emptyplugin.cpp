// A plug-in with no handlers, for the loader's tests: what the host accepts
// or refuses is decided by the resources each test module carries.
#include "frame.h"

struct EmptyGlobals {
  int unused;
};

const FramePlugin gFramePlugin = {kFrameVardo, sizeof(EmptyGlobals), {}};
