/* "AI Document List Suite" and "AI Document Suite": opening documents and
 * refreshing the current one. */
#ifndef VARDO_HOSTAPI_AIDOCUMENT_H
#define VARDO_HOSTAPI_AIDOCUMENT_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAIDocumentListSuite "AI Document List Suite"
#define kAIDocumentListSuiteVersion 10
#define kAIDocumentSuite "AI Document Suite"
#define kAIDocumentSuiteVersion 17

#define kAICMYKColorModel 2

/* Statuses of opening and saving documents. */
/* The file does not exist or cannot be read. */
#define kAIDocumentFileMissingErr AS_FOURCC('D', 'F', 'N', 'F')
/* The file is not a well-formed SVG document. */
#define kAIDocumentFormatErr AS_FOURCC('D', 'F', 'M', 'T')
/* The file cannot be written. */
#define kAIDocumentWriteErr AS_FOURCC('D', 'W', 'R', 'T')

typedef struct AIDocumentListSuite {
  /* Opens the file at `path` as the current document and stores it in
   * *document. A file that cannot be read or parsed fails with its status
   * and leaves the current document as it was. */
  ASErr (*Open)(AIFilePathRef path, ASInt32 colorModel, ASInt32 dialogStatus, ASBoolean forceCopy,
                AIDocumentHandle *document);
  /* Number of open documents. */
  ASErr (*Count)(ASInt32 *count);
} AIDocumentListSuite;

typedef struct AIDocumentSuite {
  /* Brings the current document's views up to date with its art. */
  ASErr (*RedrawDocument)(void);
  /* Stores the current document in *document; none open is
   * kNoSuchObjectErr. */
  ASErr (*GetDocument)(AIDocumentHandle *document);
} AIDocumentSuite;

AS_EXTERN_C_END

#endif
