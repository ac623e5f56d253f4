/* Basic types of the host interface: statuses, booleans, geometry, string
 * units and the opaque handles the host hands out. Usable from C and C++.
 *
 * Every host operation returns an ASErr: 0 for success, otherwise a status
 * that is usually four characters packed big-end first ('S!Fd'). */
#ifndef VARDO_HOSTAPI_ASTYPES_H
#define VARDO_HOSTAPI_ASTYPES_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#define AS_EXTERN_C_BEGIN extern "C" {
#define AS_EXTERN_C_END }
#else
#define AS_EXTERN_C_BEGIN
#define AS_EXTERN_C_END
#endif

typedef int32_t ASErr;
typedef int32_t ASInt32;
typedef uint32_t ASUInt32;
typedef int16_t ASInt16;
typedef uint8_t ASBoolean;
typedef double AIReal;

/* A UTF-16 code unit as the host's Unicode strings hold it. */
#ifdef __cplusplus
typedef char16_t ai_uchar16;
#else
typedef uint16_t ai_uchar16;
#endif

/* Four characters packed into 32 bits, first character most significant. */
#define AS_FOURCC(a, b, c, d)                                                  \
  ((ASInt32)(((uint32_t)(uint8_t)(a) << 24) | ((uint32_t)(uint8_t)(b) << 16) | \
             ((uint32_t)(uint8_t)(c) << 8) | (uint32_t)(uint8_t)(d)))

#define kNoErr 0
#define kSPNoError 0
/* The suite asked for is not there (name or version unknown, or withdrawn). */
#define kSPSuiteNotFoundError AS_FOURCC('S', '!', 'F', 'd')
/* The user cancelled (a dialog, a file choice). */
#define kCanceledErr AS_FOURCC('S', 'T', 'O', 'P')
/* Memory could not be had. */
#define kSPOutOfMemoryError AS_FOURCC('!', 'M', 'E', 'M')
/* A parameter was out of range or a handle no longer names a live object. */
#define kBadParameterErr AS_FOURCC('P', 'A', 'R', 'M')
/* The object asked about does not exist (no such tag, key, view...). */
#define kNoSuchObjectErr AS_FOURCC('!', 'O', 'B', 'J')

typedef struct AIRealPoint {
  AIReal h, v;
} AIRealPoint;
/* Artwork coordinates, y growing upward: top >= bottom for a normal box. */
typedef struct AIRealRect {
  AIReal left, top, right, bottom;
} AIRealRect;
typedef struct AISize {
  ASInt32 width, height;
} AISize;

#define AS_DECLARE_HANDLE(name) typedef struct name##_opaque *name
AS_DECLARE_HANDLE(SPPluginRef);
AS_DECLARE_HANDLE(AIMenuItemHandle);
AS_DECLARE_HANDLE(AIMenuGroup);
AS_DECLARE_HANDLE(AITimerHandle);
AS_DECLARE_HANDLE(AINotifierHandle);
AS_DECLARE_HANDLE(AIActionParamValueRef);
AS_DECLARE_HANDLE(AIActionParamTypeRef);
AS_DECLARE_HANDLE(AIPanelRef);
AS_DECLARE_HANDLE(AIPanelFlyoutMenuRef);
AS_DECLARE_HANDLE(AIFilePathRef);
AS_DECLARE_HANDLE(AIDocumentHandle);
AS_DECLARE_HANDLE(AIDocumentViewHandle);
AS_DECLARE_HANDLE(AILayerHandle);
AS_DECLARE_HANDLE(AIArtHandle);
AS_DECLARE_HANDLE(AIFontKey);
AS_DECLARE_HANDLE(AICustomColorHandle);
AS_DECLARE_HANDLE(ATETextRangeRef);
AS_DECLARE_HANDLE(ATECharFeaturesRef);
AS_DECLARE_HANDLE(ATEFontRef);
AS_DECLARE_HANDLE(ATEApplicationPaintRef);

/* Platform objects cross the interface untyped: a window handle (HWND) and a
 * module handle (HINSTANCE) of the platform layer. */
typedef void *AIPlatformWindow;
typedef void *SPPlatformModule;

#endif
