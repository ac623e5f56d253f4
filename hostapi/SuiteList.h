/* Every suite the host offers, with the version the plug-ins ask for, and
 * which of the three plug-ins' suite tables holds it. The plug-ins' frames
 * build their tables from this list and the host registers every entry, so
 * a name or version cannot differ between the two sides.
 *
 * VARDO_HOST_SUITES(X) calls X(name, version, inVardo, inVardoScript,
 * inVardoSequencer) once per suite, in the order the tables walk. */
#ifndef VARDO_HOSTAPI_SUITELIST_H
#define VARDO_HOSTAPI_SUITELIST_H

#define VARDO_HOST_SUITES(X)                             \
  X("SP Blocks Suite", 2, 1, 1, 1)                       \
  X("SP Access Suite", 3, 1, 1, 1)                       \
  X("AI Plugin Suite", 5, 1, 1, 1)                       \
  X("AI MdMemory Suite", 3, 1, 1, 1)                     \
  X("AI Real Math Suite", 4, 1, 1, 1)                    \
  X("AI Art Suite", 20, 1, 1, 1)                         \
  X("AI User Interface Theme Suite", 2, 1, 1, 0)         \
  X("AI Panel Suite", 4, 1, 1, 0)                        \
  X("AI Panel Flyout Menu Suite", 2, 1, 1, 0)            \
  X("AI Layer Suite", 13, 1, 1, 1)                       \
  X("AI User Suite", 17, 1, 1, 1)                        \
  X("AI Runtime Suite", 13, 1, 1, 1)                     \
  X("AI Path Suite", 12, 1, 1, 1)                        \
  X("AI Path Style Suite", 14, 1, 1, 1)                  \
  X("AI Matching Art Suite", 7, 1, 1, 1)                 \
  X("AI Document Suite", 17, 1, 1, 1)                    \
  X("AI Document View Suite", 14, 1, 1, 1)               \
  X("AI Document List Suite", 10, 1, 1, 1)               \
  X("AI Transform Art Suite", 3, 1, 1, 1)                \
  X("AI Text Frame Suite", 4, 1, 1, 1)                   \
  X("AI Font Suite", 6, 1, 1, 1)                         \
  X("AI Foreign Object Suite", 4, 1, 1, 1)               \
  X("AIATE Paint Suite", 3, 1, 1, 1)                     \
  X("AI Undo Suite", 9, 1, 1, 1)                         \
  X("AI Context Suite", 10, 1, 1, 1)                     \
  X("AI Preference Suite", 7, 1, 1, 1)                   \
  X("AI Hard Soft Suite", 6, 1, 1, 1)                    \
  X("AI Tag Suite", 4, 1, 1, 0)                          \
  X("AI Random Suite", 5, 1, 1, 0)                       \
  X("AI Menu Suite", 11, 1, 1, 1)                        \
  X("AI Timer Suite", 5, 1, 1, 1)                        \
  X("AI Notifier Suite", 4, 1, 1, 1)                     \
  X("AI Action Manager Suite", 5, 1, 0, 1)               \
  X("AI File Path Suite", 6, 1, 1, 1)                    \
  X("AI Unicode String Suite", 8, 1, 1, 1)               \
  X("AI Custom Color Suite", 8, 0, 1, 1)                 \
  X("AI Fixed Math Suite", 4, 0, 0, 1)                   \
  X("AI Application Suite", 3, 0, 0, 1)                  \
  X("AI ATE Text Util Suite", 4, 0, 0, 1)                \
  X("Override AI Color Conversion Suite", 8, 0, 0, 1)    \
  X("AI Color Conversion Suite", 10, 0, 0, 1)            \
  X("AI Art Set Suite", 9, 0, 0, 1)                      \
  X("AI Draw Art Suite", 11, 0, 0, 1)                    \
  X("AI Gradient Suite", 9, 0, 0, 1)                     \
  X("AI Group Suite", 5, 0, 0, 1)                        \
  X("AI Raster Suite", 10, 0, 0, 1)                      \
  X("AI Pattern Suite", 10, 0, 0, 1)                     \
  X("AI Placed Suite", 9, 0, 0, 1)                       \
  X("AI Swatch List Suite", 7, 0, 0, 1)                  \
  X("AI Mesh Suite", 6, 0, 0, 1)                         \
  X("AI Mesh Patch Suite", 3, 0, 0, 1)                   \
  X("AI Mesh Vertex Suite", 4, 0, 0, 1)                  \
  X("AI Mesh Segment Suite", 3, 0, 0, 1)                 \
  X("AI Plugin Group Suite", 6, 0, 0, 1)                 \
  X("AI TabletData Suite", 3, 0, 0, 1)                   \
  X("AI Mask Suite", 5, 0, 0, 1)                         \
  X("AI Blend Style Suite", 5, 0, 0, 1)                  \
  X("AI Dictionary Suite", 10, 0, 0, 1)                  \
  X("AI Dictionary Iterator Suite", 5, 0, 0, 1)          \
  X("AI Art Style Suite", 8, 0, 0, 1)                    \
  X("AI File Format Suite", 15, 0, 0, 1)                 \
  X("ATE TextFrame Suite", 101, 1, 1, 1)                 \
  X("ATE DocumentTextResources Suite", 101, 1, 1, 1)     \
  X("ATE Find Suite", 101, 1, 1, 1)                      \
  X("ATE ParaFeatures Suite", 101, 1, 1, 1)              \
  X("ATE ParaInspector Suite", 101, 1, 1, 1)             \
  X("ATE CharFeatures Suite", 102, 1, 1, 1)              \
  X("ATE CharInspector Suite", 102, 1, 1, 1)             \
  X("ATE Spell Suite", 102, 1, 1, 1)                     \
  X("ATE TextLine Suite", 2, 1, 1, 1)                    \
  X("ATE ApplicationPaint Suite", 1, 1, 1, 1)            \
  X("ATE CompFont Suite", 1, 1, 1, 1)                    \
  X("ATE CompFontClass Suite", 1, 1, 1, 1)               \
  X("ATE CompFontClassSet Suite", 1, 1, 1, 1)            \
  X("ATE CompFontComponent Suite", 1, 1, 1, 1)           \
  X("ATE CompFontSet Suite", 1, 1, 1, 1)                 \
  X("ATE GlyphRun Suite", 1, 1, 1, 1)                    \
  X("ATE GlyphRunsIterator Suite", 1, 1, 1, 1)           \
  X("ATE MojiKumi Suite", 1, 1, 1, 1)                    \
  X("ATE MojiKumiSet Suite", 1, 1, 1, 1)                 \
  X("ATE TextFramesIterator Suite", 1, 1, 1, 1)          \
  X("ATE TextLinesIterator Suite", 1, 1, 1, 1)           \
  X("ATE TextResources Suite", 1, 1, 1, 1)               \
  X("ATE ApplicationTextResources Suite", 1, 1, 1, 1)    \
  X("ATE ArrayApplicationPaintRef Suite", 1, 1, 1, 1)    \
  X("ATE ArrayReal Suite", 1, 1, 1, 1)                   \
  X("ATE ArrayBool Suite", 1, 1, 1, 1)                   \
  X("ATE ArrayInteger Suite", 1, 1, 1, 1)                \
  X("ATE ArrayLineCapType Suite", 1, 1, 1, 1)            \
  X("ATE ArrayFigureStyle Suite", 1, 1, 1, 1)            \
  X("ATE ArrayLineJoinType Suite", 1, 1, 1, 1)           \
  X("ATE ArrayWariChuJustification Suite", 1, 1, 1, 1)   \
  X("ATE ArrayStyleRunAlignment Suite", 1, 1, 1, 1)      \
  X("ATE ArrayAutoKernType Suite", 1, 1, 1, 1)           \
  X("ATE ArrayBaselineDirection Suite", 1, 1, 1, 1)      \
  X("ATE ArrayLanguage Suite", 1, 1, 1, 1)               \
  X("ATE ArrayFontCapsOption Suite", 1, 1, 1, 1)         \
  X("ATE ArrayFontBaselineOption Suite", 1, 1, 1, 1)     \
  X("ATE ArrayParagraphJustification Suite", 1, 1, 1, 1) \
  X("ATE ArrayArrayReal Suite", 1, 1, 1, 1)              \
  X("ATE ArrayBurasagariType Suite", 1, 1, 1, 1)         \
  X("ATE ArrayPreferredKinsokuOrder Suite", 1, 1, 1, 1)  \
  X("ATE ArrayKinsokuRef Suite", 1, 1, 1, 1)             \
  X("ATE ArrayMojiKumiRef Suite", 1, 1, 1, 1)            \
  X("ATE ArrayMojiKumiSetRef Suite", 1, 1, 1, 1)         \
  X("ATE ArrayTabStopsRef Suite", 1, 1, 1, 1)            \
  X("ATE ArrayLeadingType Suite", 1, 1, 1, 1)            \
  X("ATE ArrayFontRef Suite", 1, 1, 1, 1)                \
  X("ATE ArrayGlyphID Suite", 1, 1, 1, 1)                \
  X("ATE ArrayRealPoint Suite", 1, 1, 1, 1)              \
  X("ATE ArrayRealMatrix Suite", 1, 1, 1, 1)             \
  X("ATE CharStyle Suite", 1, 1, 1, 1)                   \
  X("ATE CharStyles Suite", 1, 1, 1, 1)                  \
  X("ATE CharStylesIterator Suite", 1, 1, 1, 1)          \
  X("ATE Font Suite", 1, 1, 1, 1)                        \
  X("ATE Glyph Suite", 1, 1, 1, 1)                       \
  X("ATE Glyphs Suite", 1, 1, 1, 1)                      \
  X("ATE GlyphsIterator Suite", 1, 1, 1, 1)              \
  X("ATE Kinsoku Suite", 1, 1, 1, 1)                     \
  X("ATE KinsokuSet Suite", 1, 1, 1, 1)                  \
  X("ATE Paragraph Suite", 1, 1, 1, 1)                   \
  X("ATE ParagraphsIterator Suite", 1, 1, 1, 1)          \
  X("ATE ParaStyle Suite", 1, 1, 1, 1)                   \
  X("ATE ParaStyles Suite", 1, 1, 1, 1)                  \
  X("ATE ParaStylesIterator Suite", 1, 1, 1, 1)          \
  X("ATE Stories Suite", 1, 1, 1, 1)                     \
  X("ATE Story Suite", 1, 1, 1, 1)                       \
  X("ATE TabStop Suite", 1, 1, 1, 1)                     \
  X("ATE TabStops Suite", 1, 1, 1, 1)                    \
  X("ATE TabStopsIterator Suite", 1, 1, 1, 1)            \
  X("ATE TextRange Suite", 1, 1, 1, 1)                   \
  X("ATE TextRanges Suite", 1, 1, 1, 1)                  \
  X("ATE TextRangesIterator Suite", 1, 1, 1, 1)          \
  X("ATE TextRunsIterator Suite", 1, 1, 1, 1)            \
  X("ATE WordsIterator Suite", 1, 1, 1, 1)

#endif
