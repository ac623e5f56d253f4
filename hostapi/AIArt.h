/* "AI Art Suite": the art tree of a document. Children are ordered front to
 * back: a group's first child is its frontmost. */
#ifndef VARDO_HOSTAPI_AIART_H
#define VARDO_HOSTAPI_AIART_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kAIArtSuite "AI Art Suite"
#define kAIArtSuiteVersion 20

/* Art types. */
#define kAnyArt (-1)
#define kUnknownArt 0
#define kGroupArt 1
#define kPathArt 2
#define kCompoundPathArt 3
#define kPlacedArt 5
#define kTextFrameArt 12

/* User attribute bits. */
#define kArtSelected 0x1
#define kArtLocked 0x2
#define kArtHidden 0x4

/* Paint orders for new and duplicated art, relative to a prep object. */
#define kPlaceAbove 1
#define kPlaceBelow 2
#define kPlaceInsideOnTop 3
#define kPlaceInsideOnBottom 4

typedef struct AIArtSuite {
  /* The art group of a layer, the parent of everything in it. */
  ASErr (*GetFirstArtOfLayer)(AILayerHandle layer, AIArtHandle *art);
  /* On failure (a disposed handle) stores kUnknownArt. */
  ASErr (*GetArtType)(AIArtHandle art, ASInt16 *type);
  /* Stores in *attr the bits of `whichAttr` that are set. */
  ASErr (*GetArtUserAttr)(AIArtHandle art, ASInt32 whichAttr, ASInt32 *attr);
  /* First child, NULL when none (not an error). */
  ASErr (*GetArtFirstChild)(AIArtHandle art, AIArtHandle *child);
  /* Next sibling (one step to the back), NULL at the end. */
  ASErr (*GetArtSibling)(AIArtHandle art, AIArtHandle *sibling);
  /* The group holding `art`, NULL for a layer's art group. */
  ASErr (*GetArtParent)(AIArtHandle art, AIArtHandle *parent);
  /* The geometric bounds of `art` (strokes not counted), transforms applied,
   * in artwork coordinates: y grows upward, so top >= bottom. A group's are
   * the union of its children's, hidden ones included; a text frame's are
   * its area shapes' or else its laid-out lines'. Art without geometry (an
   * empty group) stores all zeros. A dead handle is kBadParameterErr. */
  ASErr (*GetArtBounds)(AIArtHandle art, AIRealRect *bounds);
  /* Copies `art` with everything inside it, placed by `paintOrder` relative
   * to `prep`, into *newArt. */
  ASErr (*DuplicateArt)(AIArtHandle art, ASInt16 paintOrder, AIArtHandle prep, AIArtHandle *newArt);
  /* Removes `art` and everything inside it; their handles die with them. */
  ASErr (*DisposeArt)(AIArtHandle art);
} AIArtSuite;

AS_EXTERN_C_END

#endif
