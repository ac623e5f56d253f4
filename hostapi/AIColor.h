/* Colours as the host describes them. */
#ifndef VARDO_HOSTAPI_AICOLOR_H
#define VARDO_HOSTAPI_AICOLOR_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

typedef enum AIColorTag {
  kGrayColor = 0,
  kFourColor = 1,
  kPattern = 2,
  kCustomColor = 3,
  kGradient = 4,
  kThreeColor = 5,
  kNoneColor = 6
} AIColorTag;

typedef struct AIGrayColorStyle {
  AIReal gray;
} AIGrayColorStyle;
typedef struct AIFourColorStyle {
  AIReal cyan, magenta, yellow, black;
} AIFourColorStyle;
typedef struct AIThreeColorStyle {
  AIReal red, green, blue;
} AIThreeColorStyle;
typedef struct AICustomColorStyle {
  AICustomColorHandle color;
  AIReal tint;
} AICustomColorStyle;

/* Components are 0 to 1. */
typedef struct AIColor {
  AIColorTag kind;
  union {
    AIGrayColorStyle g;
    AIFourColorStyle f;
    AIThreeColorStyle rgb;
    AICustomColorStyle c;
  } c;
} AIColor;

AS_EXTERN_C_END

#endif
