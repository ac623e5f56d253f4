/* The basic suite: the one suite every message carries. Through it a plug-in
 * acquires every other suite and allocates host-kept memory. */
#ifndef VARDO_HOSTAPI_SPBASIC_H
#define VARDO_HOSTAPI_SPBASIC_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

typedef struct SPBasicSuite {
  /* Looks up the suite `name` at `version`. On success stores the suite's
   * function table in *suite and returns 0; the table stays valid until the
   * matching ReleaseSuite. On failure stores NULL and returns
   * kSPSuiteNotFoundError. Each successful call must be matched by one
   * ReleaseSuite. */
  ASErr (*AcquireSuite)(const char *name, ASInt32 version, const void **suite);
  /* Ends one acquisition of `name` at `version`. Returns
   * kSPSuiteNotFoundError when no acquisition of it is open. */
  ASErr (*ReleaseSuite)(const char *name, ASInt32 version);
  /* True when the two NUL-terminated strings are equal byte for byte. */
  ASBoolean (*IsEqual)(const char *token1, const char *token2);
  /* Allocates `size` bytes of host memory into *block (contents undefined).
   * On failure stores NULL and returns kSPOutOfMemoryError. */
  ASErr (*AllocateBlock)(size_t size, void **block);
  /* Frees a block from AllocateBlock; NULL is ignored. */
  ASErr (*FreeBlock)(void *block);
} SPBasicSuite;

AS_EXTERN_C_END

#endif
