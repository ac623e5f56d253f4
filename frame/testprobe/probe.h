// What a test asks of the frame's probe plug-in, and what the probe records
// of the messages it gets (its global record, which the host keeps).
#pragma once

#include <stdint.h>

#include "ASTypes.h"
#include "SPBasic.h"

struct ProbeRequest {
  ASErr status;           // returned by the handler
  int32_t sendToWindow;   // run the window procedure inside the call first
  int32_t ran;            // raised by the handler each time it runs
  intptr_t windowAnswer;  // the window procedure saw the suites acquired
  int32_t leakBracket;    // open one bracket more than it closes
};

struct ProbeGlobals {
  SPBasicSuite *savedBasicSuite;
  void *window;  // HWND of the probe's window
  int32_t timerMessages;
  int32_t menuGoMessages;
  int32_t menuUpdateMessages;
  AIMenuItemHandle lastMenuItem;
  ASErr menuStatus;  // what "AI Go" returns
  int32_t actionMessages;
  ASInt32 lastActionInteger;  // the block's 'vrcr', -1 without one
};

#define kProbeNotification "frame probe"
#define kProbeActionKey AS_FOURCC('v', 'r', 'c', 'r')
