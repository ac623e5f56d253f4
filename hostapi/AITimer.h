/* "AI Timer Suite": periodic calls on the host's tick clock (60 a second). */
#ifndef VARDO_HOSTAPI_AITIMER_H
#define VARDO_HOSTAPI_AITIMER_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAITimerSuite "AI Timer Suite"
#define kAITimerSuiteVersion 5

typedef struct AITimerSuite {
  /* Registers a timer: every `period` ticks the host sends "AI Timer"/"AI Go"
   * with the handle stored in *timer. A period below 1 is kBadParameterErr. */
  ASErr (*AddTimer)(SPPluginRef plugin, const char *name, ASInt32 period, AITimerHandle *timer);
} AITimerSuite;

AS_EXTERN_C_END

#endif
