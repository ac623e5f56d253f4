/* "AI Context Suite": the host's main window. */
#ifndef VARDO_HOSTAPI_AICONTEXT_H
#define VARDO_HOSTAPI_AICONTEXT_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAIContextSuite "AI Context Suite"
#define kAIContextSuiteVersion 10

typedef struct AIContextSuite {
  /* Stores the main window (an HWND) in *window. */
  ASErr (*GetPlatformAppWindow)(AIPlatformWindow *window);
} AIContextSuite;

AS_EXTERN_C_END

#endif
