/* "AIATE Paint Suite": text-engine paints as host colours. */
#ifndef VARDO_HOSTAPI_AIATEPAINT_H
#define VARDO_HOSTAPI_AIATEPAINT_H

#include "AIColor.h"

AS_EXTERN_C_BEGIN

#define kAIATEPaintSuite "AIATE Paint Suite"
#define kAIATEPaintSuiteVersion 3

typedef struct AIATEPaintSuite {
  /* The paint as a host colour. A paint ref is valid while the feature set
   * it came from is (ATE CharFeatures Suite Release ends it); a custom
   * colour's handle in it is that of the document the features came from. */
  ASErr (*GetAIColor)(ATEApplicationPaintRef paint, AIColor *color);
} AIATEPaintSuite;

AS_EXTERN_C_END

#endif
