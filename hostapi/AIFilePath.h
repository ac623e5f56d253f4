/* "AI File Path Suite": host file paths and their platform forms. */
#ifndef VARDO_HOSTAPI_AIFILEPATH_H
#define VARDO_HOSTAPI_AIFILEPATH_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAIFilePathSuite "AI File Path Suite"
#define kAIFilePathSuiteVersion 6

typedef struct AIFilePathSuite {
  /* Creates an empty path into *path; the caller deletes it. */
  ASErr (*NewFilePath)(AIFilePathRef *path);
  /* Deletes a path from NewFilePath; any other ref is kBadParameterErr. */
  ASErr (*DeleteFilePath)(AIFilePathRef path);
  /* Sets the path from a platform path in the system code page. */
  ASErr (*SetPlatformPathA)(AIFilePathRef path, const char *platformPath);
  /* Copies the platform path as UTF-16 with its NUL into `buffer` of
   * `capacity` units; a path that does not fit is kBadParameterErr. */
  ASErr (*GetPlatformPathW)(AIFilePathRef path, ai_uchar16 *buffer, size_t capacity);
} AIFilePathSuite;

AS_EXTERN_C_END

#endif
