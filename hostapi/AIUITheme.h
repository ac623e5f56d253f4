/* "AI User Interface Theme Suite": the colours of the host's theme. */
#ifndef VARDO_HOSTAPI_AIUITHEME_H
#define VARDO_HOSTAPI_AIUITHEME_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAIUIThemeSuite "AI User Interface Theme Suite"
#define kAIUIThemeSuiteVersion 2

/* Alpha, then red, green and blue, each 0 to 1. */
typedef struct AIUIThemeColor {
  AIReal alpha, red, green, blue;
} AIUIThemeColor;

typedef struct AIUIThemeSuite {
  /* The theme's colour `name` of kind `type` into *color: (1, 0) is the
   * panel background, (1, 1) the panel text. A pair the theme does not
   * define is kNoSuchObjectErr, *color untouched. */
  ASErr (*GetUIThemeColor)(ASInt32 name, ASInt32 type, AIUIThemeColor *color);
} AIUIThemeSuite;

AS_EXTERN_C_END

#endif
