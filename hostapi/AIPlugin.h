/* "AI Plugin Suite": the host's options for a plug-in. */
#ifndef VARDO_HOSTAPI_AIPLUGIN_H
#define VARDO_HOSTAPI_AIPLUGIN_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAIPluginSuite "AI Plugin Suite"
#define kAIPluginSuiteVersion 5

typedef struct AIPluginSuite {
  /* Stores the plug-in's option bits in *options. */
  ASErr (*GetPluginOptions)(SPPluginRef plugin, ASInt32 *options);
  /* Replaces the plug-in's option bits. */
  ASErr (*SetPluginOptions)(SPPluginRef plugin, ASInt32 options);
} AIPluginSuite;

AS_EXTERN_C_END

#endif
