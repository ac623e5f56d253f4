/* "AI Text Frame Suite": from a text frame to its text-engine range. */
#ifndef VARDO_HOSTAPI_AITEXTFRAME_H
#define VARDO_HOSTAPI_AITEXTFRAME_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAITextFrameSuite "AI Text Frame Suite"
#define kAITextFrameSuiteVersion 4

typedef struct AITextFrameSuite {
  /* A new range over the frame's whole text into *range; the caller releases
   * it (ATE TextRange Suite Release). Not a text frame: kBadParameterErr. */
  ASErr (*GetATETextRange)(AIArtHandle frame, ATETextRangeRef *range);
} AITextFrameSuite;

AS_EXTERN_C_END

#endif
