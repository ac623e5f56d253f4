/* "AI Notifier Suite": notifications by type string between plug-ins. */
#ifndef VARDO_HOSTAPI_AINOTIFIER_H
#define VARDO_HOSTAPI_AINOTIFIER_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAINotifierSuite "AI Notifier Suite"
#define kAINotifierSuiteVersion 4

typedef struct AINotifierSuite {
  /* Registers `plugin` for notifications of `type`; each arrives as
   * "AI Notifier"/"AI Notify" with the handle stored in *notifier. */
  ASErr (*AddNotifier)(SPPluginRef plugin, const char *name, const char *type,
                       AINotifierHandle *notifier);
  /* Sends `data` to every plug-in registered for `type`, in registration
   * order, and returns once all of them have run. Nobody registered is not
   * an error. A receiver's status is dropped: Notify returns 0 whatever the
   * receivers answer, so a sender learns their results only from what they
   * wrote into `data`. */
  ASErr (*Notify)(const char *type, void *data);
} AINotifierSuite;

AS_EXTERN_C_END

#endif
