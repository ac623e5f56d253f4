// The data-merge plug-in's global record, kept by the host between calls.
#pragma once

#include "SPBasic.h"

struct VardoGlobals {
  SPBasicSuite *savedBasicSuite;
};
