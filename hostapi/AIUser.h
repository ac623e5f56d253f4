/* "AI User Suite": alerts and the host's file dialogs. */
#ifndef VARDO_HOSTAPI_AIUSER_H
#define VARDO_HOSTAPI_AIUSER_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAIUserSuite "AI User Suite"
#define kAIUserSuiteVersion 17

/* One file-type filter of a file dialog: a description and a pattern such
 * as "*.csv". */
typedef struct AIFileDialogFilter {
  const ai_uchar16 *description;
  const ai_uchar16 *pattern;
} AIFileDialogFilter;

typedef struct AIUserSuite {
  /* A modal error alert showing `text`; returns when dismissed. */
  ASErr (*ErrorAlert)(const ai_uchar16 *text);
  /* A modal information alert showing `text`; returns when dismissed. */
  ASErr (*MessageAlert)(const ai_uchar16 *text);
  /* The open-file dialog. On a choice stores it in `path` and returns 0;
   * on cancel returns kCanceledErr and leaves `path` alone. */
  ASErr (*GetFileDialog)(const ai_uchar16 *title, const AIFileDialogFilter *filters,
                         ASInt32 filterCount, AIFilePathRef path);
  /* The save-file dialog, offering `defaultName`; as GetFileDialog. */
  ASErr (*PutFileDialog)(const ai_uchar16 *title, const AIFileDialogFilter *filters,
                         ASInt32 filterCount, const ai_uchar16 *defaultName, AIFilePathRef path);
} AIUserSuite;

AS_EXTERN_C_END

#endif
