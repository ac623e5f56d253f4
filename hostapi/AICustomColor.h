/* "AI Custom Color Suite": named (spot) colours and their definitions. */
#ifndef VARDO_HOSTAPI_AICUSTOMCOLOR_H
#define VARDO_HOSTAPI_AICUSTOMCOLOR_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAICustomColorSuite "AI Custom Color Suite"
#define kAICustomColorSuiteVersion 8

typedef enum AICustomColorTag {
  kCustomFourColor = 0,
  kCustomThreeColor = 1,
  kCustomLabColor = 2
} AICustomColorTag;

typedef struct AICustomColor {
  AICustomColorTag kind;
  union {
    struct {
      AIReal cyan, magenta, yellow, black;
    } f;
    struct {
      AIReal red, green, blue;
    } rgb;
    struct {
      AIReal l, a, b;
    } lab;
  } c;
  ASInt32 flag;
} AICustomColor;

typedef struct AICustomColorSuite {
  /* The colour's definition (four-colour or three-colour), flag 0. A handle
   * whose document was closed is kBadParameterErr. */
  ASErr (*GetCustomColor)(AICustomColorHandle color, AICustomColor *definition);
  /* Copies the colour's name with its NUL into `name` of `capacity` bytes;
   * a name that does not fit is kBadParameterErr with `name` emptied. */
  ASErr (*GetCustomColorName)(AICustomColorHandle color, char *name, size_t capacity);
} AICustomColorSuite;

AS_EXTERN_C_END

#endif
