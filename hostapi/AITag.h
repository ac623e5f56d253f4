/* "AI Tag Suite": named string values kept on art and saved with it. */
#ifndef VARDO_HOSTAPI_AITAG_H
#define VARDO_HOSTAPI_AITAG_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAITagSuite "AI Tag Suite"
#define kAITagSuiteVersion 4

#define kTagStringType "string"

typedef struct AITagSuite {
  /* Reads the tag `name` of type `type` ("string") into *value: a
   * NUL-terminated byte string owned by the host, valid until the tag or the
   * art changes. A missing tag is kNoSuchObjectErr with *value NULL. */
  ASErr (*GetTag)(AIArtHandle art, const char *name, const char *type, const char **value);
  /* Sets (creates or replaces) the tag to a copy of `value`. */
  ASErr (*SetTag)(AIArtHandle art, const char *name, const char *type, const char *value);
  /* Removes the tag; a missing tag is kNoSuchObjectErr. */
  ASErr (*RemoveTag)(AIArtHandle art, const char *name);
} AITagSuite;

AS_EXTERN_C_END

#endif
