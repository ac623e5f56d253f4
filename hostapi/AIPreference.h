/* "AI Preference Suite": the host's own preferences. */
#ifndef VARDO_HOSTAPI_AIPREFERENCE_H
#define VARDO_HOSTAPI_AIPREFERENCE_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAIPreferenceSuite "AI Preference Suite"
#define kAIPreferenceSuiteVersion 7

typedef struct AIPreferenceSuite {
  /* Reads a real preference named by `prefix` (may be NULL) and `suffix`,
   * e.g. "UIPreferences/appScaleFactor". A missing one is kNoSuchObjectErr
   * and *value is left alone. */
  ASErr (*GetRealPreference)(const char *prefix, const char *suffix, AIReal *value);
} AIPreferenceSuite;

AS_EXTERN_C_END

#endif
