/* Text-engine suites: text ranges over a frame's text and the character
 * features of a range. Positions count UTF-16 code units from the start of
 * the story. Refs are reference counted: every ref handed out must be
 * released once. */
#ifndef VARDO_HOSTAPI_ATESUITES_H
#define VARDO_HOSTAPI_ATESUITES_H

#include "AIColor.h"
#include "ASTypes.h"

AS_EXTERN_C_BEGIN

#define kTextRangeSuite "ATE TextRange Suite"
#define kTextRangeSuiteVersion 1
#define kCharFeaturesSuite "ATE CharFeatures Suite"
#define kCharFeaturesSuiteVersion 102

/* Errors of the text engine. */
#define kATEBadParameterErr AS_FOURCC('A', 'T', 'E', 'p')
#define kATEOutOfRangeErr AS_FOURCC('A', 'T', 'E', 'r')

/* A ref that is not live (never handed out, or released to 0) is
 * kATEBadParameterErr; so is every call on a range whose frame is gone,
 * but AddRef and Release. */
typedef struct ATETextRangeSuite {
  /* Adds one reference to `range`. */
  ASErr (*AddRef)(ATETextRangeRef range);
  /* Drops one reference; the last one frees the range. */
  ASErr (*Release)(ATETextRangeRef range);
  /* A new, independent range over the same text. */
  ASErr (*Clone)(ATETextRangeRef range, ATETextRangeRef *copy);
  /* The position of the range's first unit (clamped to the story). */
  ASErr (*GetStart)(ATETextRangeRef range, ASInt32 *start);
  /* The position just past the range's last unit (clamped to the story). */
  ASErr (*GetEnd)(ATETextRangeRef range, ASInt32 *end);
  /* Moves the start to `start`, clamped to the story; a start past the end
   * moves the end with it. */
  ASErr (*SetStart)(ATETextRangeRef range, ASInt32 start);
  /* Moves the end to `end`, clamped to the story; an end before the start
   * moves the start with it. */
  ASErr (*SetEnd)(ATETextRangeRef range, ASInt32 end);
  /* Copies at most `capacity` - 1 units of the range's text and a NUL into
   * `buffer`; stores the number copied in *length. Paragraphs end in CR. */
  ASErr (*GetContents)(ATETextRangeRef range, ai_uchar16 *buffer, ASInt32 capacity,
                       ASInt32 *length);
  /* The features that every character of the range shares; for an empty
   * range those of the character at its start (at the end of the story:
   * the last character's). The caller releases the ref. */
  ASErr (*GetUniqueCharFeatures)(ATETextRangeRef range, ATECharFeaturesRef *features);
  /* Editing, for the composition engine. */
  /* Removes the range's text; the range is left empty where it began. A
   * story emptied so keeps the removed text's first features for new text. */
  ASErr (*Remove)(ATETextRangeRef range);
  /* Inserts `length` units of `text` at the range's end, in the features of
   * the unit before them (the story's caret features at its start), and
   * moves the range's end past them. A CR in the text ends a paragraph. */
  ASErr (*InsertAfter)(ATETextRangeRef range, const ai_uchar16 *text, ASInt32 length);
  /* Gives every unit of the range the features assigned in `features`; the
   * others stay as each unit has them. An empty range changes nothing. */
  ASErr (*SetLocalCharFeatures)(ATETextRangeRef range, ATECharFeaturesRef features);
} ATETextRangeSuite;

/* Each getter stores whether the feature is assigned in *isAssigned and,
 * when it is, its value. The leading is the one lines are set with (120 % of
 * the size under automatic leading). Paint refs from GetFillColor and
 * GetStrokeColor live as long as the features ref. */
typedef struct ATECharFeaturesSuite {
  /* Frees the features and the paint refs taken from them. */
  ASErr (*Release)(ATECharFeaturesRef features);
  /* The font; one ref per font name, valid for the life of the process. */
  ASErr (*GetFont)(ATECharFeaturesRef f, ASBoolean *isAssigned, ATEFontRef *font);
  /* The size in points. */
  ASErr (*GetFontSize)(ATECharFeaturesRef f, ASBoolean *isAssigned, AIReal *points);
  /* Horizontal scaling, 1 being 100 %. */
  ASErr (*GetHorizontalScale)(ATECharFeaturesRef f, ASBoolean *isAssigned, AIReal *scale);
  /* Vertical scaling, 1 being 100 %. */
  ASErr (*GetVerticalScale)(ATECharFeaturesRef f, ASBoolean *isAssigned, AIReal *scale);
  /* Whether the leading follows the size (automatic leading). */
  ASErr (*GetAutoLeading)(ATECharFeaturesRef f, ASBoolean *isAssigned, ASBoolean *autoLeading);
  /* The leading in points. */
  ASErr (*GetLeading)(ATECharFeaturesRef f, ASBoolean *isAssigned, AIReal *points);
  /* Tracking in thousandths of an em. */
  ASErr (*GetTracking)(ATECharFeaturesRef f, ASBoolean *isAssigned, ASInt32 *tracking);
  /* Baseline shift in points, upward positive. */
  ASErr (*GetBaselineShift)(ATECharFeaturesRef f, ASBoolean *isAssigned, AIReal *points);
  /* Whether the characters are filled. */
  ASErr (*GetFill)(ATECharFeaturesRef f, ASBoolean *isAssigned, ASBoolean *fill);
  /* The fill colour as a paint ref (see AIATEPaint.h). */
  ASErr (*GetFillColor)(ATECharFeaturesRef f, ASBoolean *isAssigned, ATEApplicationPaintRef *paint);
  /* Whether the characters are stroked. */
  ASErr (*GetStroke)(ATECharFeaturesRef f, ASBoolean *isAssigned, ASBoolean *stroke);
  /* The stroke colour as a paint ref (see AIATEPaint.h). */
  ASErr (*GetStrokeColor)(ATECharFeaturesRef f, ASBoolean *isAssigned,
                          ATEApplicationPaintRef *paint);
  /* The stroke's line width in points. */
  ASErr (*GetLineWidth)(ATECharFeaturesRef f, ASBoolean *isAssigned, AIReal *points);
  /* Building a set to apply (TextRange SetLocalCharFeatures). */
  /* A new set with nothing assigned into *features; the caller releases it. */
  ASErr (*Initialize)(ATECharFeaturesRef *features);
  /* Each setter assigns its feature in the set. Lengths are points; scales
   * 1 for 100 %; tracking in 1/1000 em; colours are copied. */
  ASErr (*SetFontName)(ATECharFeaturesRef f, const char *name);
  ASErr (*SetFontSize)(ATECharFeaturesRef f, AIReal points);
  ASErr (*SetHorizontalScale)(ATECharFeaturesRef f, AIReal scale);
  ASErr (*SetVerticalScale)(ATECharFeaturesRef f, AIReal scale);
  ASErr (*SetAutoLeading)(ATECharFeaturesRef f, ASBoolean autoLeading);
  ASErr (*SetLeading)(ATECharFeaturesRef f, AIReal points);
  ASErr (*SetTracking)(ATECharFeaturesRef f, ASInt32 tracking);
  ASErr (*SetBaselineShift)(ATECharFeaturesRef f, AIReal points);
  ASErr (*SetFill)(ATECharFeaturesRef f, ASBoolean fill);
  ASErr (*SetFillColor)(ATECharFeaturesRef f, const AIColor *color);
  ASErr (*SetStroke)(ATECharFeaturesRef f, ASBoolean stroke);
  ASErr (*SetStrokeColor)(ATECharFeaturesRef f, const AIColor *color);
  ASErr (*SetLineWidth)(ATECharFeaturesRef f, AIReal points);
} ATECharFeaturesSuite;

AS_EXTERN_C_END

#endif
