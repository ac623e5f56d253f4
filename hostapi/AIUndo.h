/* "AI Undo Suite": names of the current undo step. */
#ifndef VARDO_HOSTAPI_AIUNDO_H
#define VARDO_HOSTAPI_AIUNDO_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAIUndoSuite "AI Undo Suite"
#define kAIUndoSuiteVersion 9

typedef struct AIUndoSuite {
  /* Names the undo and redo menu entries of the step being recorded. */
  ASErr (*SetUndoText)(const ai_uchar16 *undoText, const ai_uchar16 *redoText);
} AIUndoSuite;

AS_EXTERN_C_END

#endif
