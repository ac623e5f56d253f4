/* "SP Access Suite": the platform module behind a plug-in. */
#ifndef VARDO_HOSTAPI_SPACCESS_H
#define VARDO_HOSTAPI_SPACCESS_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kSPAccessSuite "SP Access Suite"
#define kSPAccessSuiteVersion 3

typedef struct SPAccessSuite {
  /* Stores the plug-in's module handle (an HINSTANCE, for its resources) in
   * *module. Fails with kBadParameterErr for an unknown plug-in. */
  ASErr (*GetPluginModule)(SPPluginRef plugin, SPPlatformModule *module);
} SPAccessSuite;

AS_EXTERN_C_END

#endif
