/* "AI Font Suite": fonts of the text engine and their names. */
#ifndef VARDO_HOSTAPI_AIFONT_H
#define VARDO_HOSTAPI_AIFONT_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAIFontSuite "AI Font Suite"
#define kAIFontSuiteVersion 6

typedef struct AIFontSuite {
  /* The host font key of a text-engine font. Fonts and keys are never
   * released; they stay valid for the life of the host. */
  ASErr (*FontKeyFromFont)(ATEFontRef font, AIFontKey *key);
  /* Copies at most `maxName` bytes of the font's name, then a NUL, into
   * `name` (which holds maxName + 1 bytes). */
  ASErr (*GetFontName)(AIFontKey key, char *name, ASInt16 maxName);
} AIFontSuite;

AS_EXTERN_C_END

#endif
