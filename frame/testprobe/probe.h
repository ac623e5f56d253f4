// What a test asks of the frame's probe plug-in through a notification.
#pragma once

#include <stdint.h>

#include "ASTypes.h"

struct ProbeRequest {
  ASErr status;          // returned by the handler
  int32_t sendToWindow;  // run the window procedure inside the call first
  int32_t ran;           // set by the handler
  intptr_t windowAnswer; // the window procedure saw the suites acquired
  int32_t leakBracket;   // open one bracket more than it closes
};

#define kProbeNotification "frame probe"
