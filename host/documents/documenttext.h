// The text of a text frame: UTF-16 units with CR ending each paragraph but
// the last, and a complete set of character features for every unit, kept
// as runs of equal features.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "documentcolor.h"

namespace vhost {

struct CharFeatures {
  std::string font = "sans-serif";  // the font's name, UTF-8
  double size = 16;                 // points
  bool autoLeading = true;
  double leading = 0;                             // points; meaningful when !autoLeading
  int32_t tracking = 0;                           // 1/1000 em
  double baselineShift = 0;                       // points, upward
  double horizontalScale = 1, verticalScale = 1;  // 1 is 100 %
  bool fill = true;
  Color fillColor = Color::Rgb(0, 0, 0);
  bool stroke = false;
  Color strokeColor = Color::Rgb(0, 0, 0);
  double lineWidth = 1;  // points

  // The leading lines are set with: 120 % of the size with automatic leading.
  double EffectiveLeading() const { return autoLeading ? 1.2 * size : leading; }
  // Every feature equal; the leading value counts only without automatic
  // leading.
  bool operator==(const CharFeatures &other) const;
};

// Bits of CharFeaturesSet::assigned, one per feature.
enum CharFeatureBit : uint32_t {
  kFeatureFont = 1u << 0,
  kFeatureSize = 1u << 1,
  kFeatureAutoLeading = 1u << 2,
  kFeatureLeading = 1u << 3,
  kFeatureTracking = 1u << 4,
  kFeatureBaselineShift = 1u << 5,
  kFeatureHorizontalScale = 1u << 6,
  kFeatureVerticalScale = 1u << 7,
  kFeatureFill = 1u << 8,
  kFeatureFillColor = 1u << 9,
  kFeatureStroke = 1u << 10,
  kFeatureStrokeColor = 1u << 11,
  kFeatureLineWidth = 1u << 12,
  kAllFeatures = (1u << 13) - 1,
};

// Features a range shares: a bit of `assigned` is set for each feature every
// character of the range has alike; the others' values mean nothing.
struct CharFeaturesSet {
  CharFeatures values;
  uint32_t assigned = 0;
};

class TextStory {
 public:
  struct Run {
    size_t length = 0;
    CharFeatures features;
  };

  const std::u16string &Text() const { return text_; }
  size_t Size() const { return text_.size(); }
  const std::vector<Run> &Runs() const { return runs_; }

  // Features of unit `index` (< Size()).
  const CharFeatures &FeaturesAt(size_t index) const;
  // What an empty range at `position` reports: the unit there, the last
  // unit at the end, the features kept for new text when there is none.
  const CharFeatures &FeaturesForCaret(size_t position) const;
  // The features that every unit of [start, end) shares; for an empty range
  // all of FeaturesForCaret(start).
  CharFeaturesSet UniqueFeatures(size_t start, size_t end) const;

  // Replaces [start, end) (clamped) with `text` in `features`.
  void Replace(size_t start, size_t end, const std::u16string &text, const CharFeatures &features);
  void Append(const std::u16string &text, const CharFeatures &features) {
    Replace(Size(), Size(), text, features);
  }
  // The same as Append, in time for the text alone, however many runs the
  // story has.
  void AppendRun(std::u16string_view text, const CharFeatures &features);
  // Gives [start, end) (clamped) the features.
  void SetFeatures(size_t start, size_t end, const CharFeatures &features);
  // Features reported for an empty story, and for the first text set into
  // one without features of its own.
  void SetEmptyFeatures(const CharFeatures &features) { empty_ = features; }
  const CharFeatures &EmptyFeatures() const { return empty_; }

  // Counts every change, so that a writer knows whether it is behind.
  uint64_t Version() const { return version_; }

  // Explicit lines, laid out by the composition engine: each begins at unit
  // `start` with its baseline starting at (x, y) in artwork coordinates.
  struct Line {
    size_t start = 0;
    double x = 0, y = 0;
  };
  // Takes the lines (the caller checks them); they hold until the text or
  // its features next change. Counts as a change.
  void SetLines(std::vector<Line> lines);
  // The lines that hold; null when there are none.
  const std::vector<Line> *Lines() const {
    return !lines_.empty() && linesVersion_ == version_ ? &lines_ : nullptr;
  }

  bool operator==(const TextStory &other) const;

 private:
  void Merge();

  std::u16string text_;
  std::vector<Run> runs_;
  CharFeatures empty_;
  uint64_t version_ = 0;
  std::vector<Line> lines_;
  uint64_t linesVersion_ = 0;
};

// Where the lines of point text lie and the box they fill, in SVG user
// units (y down), from a simple metric that needs no font files:
// - a unit below U+0080 advances 0.5 em, any other 1 em (a surrogate pair
//   counts once); the em is the unit's size times its horizontal scale, and
//   tracking adds tracking/1000 em after each character;
// - a line's size is the largest of its characters' (an empty line: that of
//   its paragraph end, or of the story's caret); the first baseline is the
//   anchor's y, each next one lower by the largest leading on that line;
// - the box runs from 0.8 of the first line's size above the first baseline
//   to 0.2 of the last line's size below the last one; its width is the
//   widest line, placed by the text anchor (start, middle, end).
struct TextLayout {
  enum Anchor { kStart, kMiddle, kEnd };
  std::vector<double> baselines;  // one per paragraph
  double left = 0, top = 0, right = 0, bottom = 0;
};
// `scale` is the page's, in points per user unit: the story's lengths are
// points.
TextLayout LayOutPointText(const TextStory &story, double x, double y, TextLayout::Anchor anchor,
                           double scale = 1);

}  // namespace vhost
