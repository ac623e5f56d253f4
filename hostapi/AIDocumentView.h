/* "AI Document View Suite": the views that show the current document. */
#ifndef VARDO_HOSTAPI_AIDOCUMENTVIEW_H
#define VARDO_HOSTAPI_AIDOCUMENTVIEW_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAIDocumentViewSuite "AI Document View Suite"
#define kAIDocumentViewSuiteVersion 14

typedef struct AIDocumentViewSuite {
  /* Stores view `n` of the current document in *view; without a document or
   * such a view returns kNoSuchObjectErr and stores NULL. */
  ASErr (*GetNthDocumentView)(ASInt32 n, AIDocumentViewHandle *view);
  /* The visible artwork rectangle, artwork coordinates. */
  ASErr (*GetDocumentViewBounds)(AIDocumentViewHandle view, AIRealRect *bounds);
  /* Screen pixels per artwork point. */
  ASErr (*GetDocumentViewZoom)(AIDocumentViewHandle view, AIReal *zoom);
} AIDocumentViewSuite;

AS_EXTERN_C_END

#endif
