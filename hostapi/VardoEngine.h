/* "Vardo Engine Suite": what the host offers the composition engine beside
 * the suites every plug-in has: art from the low half of its handle, an area
 * text's box and explicit line positions, placed pictures and paths, the picture
 * folder and the list of composition problems. Only the engine acquires it;
 * it is in no plug-in's suite table. */
#ifndef VARDO_HOSTAPI_VARDOENGINE_H
#define VARDO_HOSTAPI_VARDOENGINE_H

#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kVardoEngineSuite "Vardo Engine Suite"
#define kVardoEngineSuiteVersion 1

/* Problem kinds, as ReportProblem takes them. */
#define kVardoProblemUnknownField "unknown-field"
#define kVardoProblemMissingPicture "missing-picture"
#define kVardoProblemNotAPicture "not-a-picture"
#define kVardoProblemPictureOutside "picture-outside"
#define kVardoProblemOverflow "overflow"
#define kVardoProblemFontNotFound "font-not-found"
#define kVardoProblemMarkup "markup"
#define kVardoProblemBadBarcodeData "bad-barcode-data"

/* One filled outline for PlacePaths: `opCount` operations in `ops`, each
 * 'M' or 'L' (taking one point), 'C' (a cubic Bezier: two control points
 * and its end) or 'Z' (closing the subpath, no point), their points in order
 * in `points` (artwork coordinates). Filled with `rgb` (0xRRGGBB) by the
 * non-zero rule, without a stroke. */
typedef struct VardoPathShape {
  const char *ops;
  ASInt32 opCount;
  const AIRealPoint *points;
  ASUInt32 rgb;
} VardoPathShape;

typedef struct VardoEngineSuite {
  /* The live art of an open document whose handle's low 32 bits are
   * `low32`, into *art. None: kNoSuchObjectErr and *art NULL. */
  ASErr (*FindArtByLow32)(ASUInt32 low32, AIArtHandle *art);
  /* The box of an area text frame in artwork coordinates into *box. Point
   * text or other art: kNoSuchObjectErr; dead art: kBadParameterErr. */
  ASErr (*GetAreaBox)(AIArtHandle frame, AIRealRect *box);
  /* Puts the frame's text on `count` explicit lines: line i begins at unit
   * starts[i] (0 for the first, increasing, each at most the text's length)
   * and its baseline starts at origins[i] in artwork coordinates. The lines
   * hold until the text or its features change; count 0 goes back to one
   * line per paragraph. Bad starts or no text frame: kBadParameterErr and
   * nothing changes. */
  ASErr (*SetTextLines)(AIArtHandle frame, const ASInt32 *starts, const AIRealPoint *origins,
                        ASInt32 count);
  /* Places a picture as placed art right above `frame`, covering `bounds`
   * (artwork coordinates) exactly, into *placed. With `linkPath` (a Linux
   * path, UTF-8) the art links that file; otherwise it embeds the `size`
   * bytes of `data`, of MIME type `mimeType`. kBadParameterErr for dead art
   * or an empty box, with *placed NULL. */
  ASErr (*PlacePicture)(AIArtHandle frame, const char *linkPath, const void *data, size_t size,
                        const char *mimeType, const AIRealRect *bounds, AIArtHandle *placed);
  /* The folder pictures are read from (a Linux path, UTF-8, with its NUL)
   * into `folder` of `size` bytes, and in *anyPath whether a picture may lie
   * outside it. An empty folder means the current directory. A folder that
   * does not fit: kBadParameterErr and `folder` empty. */
  ASErr (*GetPictureSettings)(char *folder, size_t size, ASBoolean *anyPath);
  /* Adds a problem met while composing record `record` into `frame` (NULL
   * for none): `kind` one of the kVardoProblem names, `detail` UTF-8 text
   * for a person. The host keeps the list for whoever runs the
   * composition. An unknown kind or a NULL text: kBadParameterErr. */
  ASErr (*ReportProblem)(ASInt32 record, AIArtHandle frame, const char *kind, const char *detail);
  /* Places a group right above `frame` holding one path per shape, the
   * first backmost, into *group. Dead art, a layer group, no shapes, an
   * operation other than M, L, C and Z, or a shape not beginning with M:
   * kBadParameterErr, nothing placed, *group NULL. */
  ASErr (*PlacePaths)(AIArtHandle frame, const VardoPathShape *shapes, ASInt32 count,
                      AIArtHandle *group);
} VardoEngineSuite;

AS_EXTERN_C_END

#endif
