/* "AI Layer Suite": the layers of the current document. */
#ifndef VARDO_HOSTAPI_AILAYER_H
#define VARDO_HOSTAPI_AILAYER_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAILayerSuite "AI Layer Suite"
#define kAILayerSuiteVersion 13

typedef struct AILayerSuite {
  /* Number of layers of the current document (0 without one). */
  ASErr (*CountLayers)(ASInt32 *count);
  /* Layer `n`, 0 being the frontmost. Out of range: kBadParameterErr. */
  ASErr (*GetNthLayer)(ASInt32 n, AILayerHandle *layer);
  /* False when the layer is hidden. */
  ASErr (*GetLayerVisible)(AILayerHandle layer, ASBoolean *visible);
  /* False when the layer is locked. */
  ASErr (*GetLayerEditable)(AILayerHandle layer, ASBoolean *editable);
} AILayerSuite;

AS_EXTERN_C_END

#endif
