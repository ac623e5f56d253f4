#include "documenttext.h"

#include <algorithm>

namespace vhost {

bool CharFeatures::operator==(const CharFeatures &o) const {
  return font == o.font && size == o.size && autoLeading == o.autoLeading &&
         (autoLeading || leading == o.leading) && tracking == o.tracking &&
         baselineShift == o.baselineShift && horizontalScale == o.horizontalScale &&
         verticalScale == o.verticalScale && fill == o.fill && fillColor == o.fillColor &&
         stroke == o.stroke && strokeColor == o.strokeColor && lineWidth == o.lineWidth;
}

const CharFeatures &TextStory::FeaturesAt(size_t index) const {
  for (const Run &run : runs_) {
    if (index < run.length) return run.features;
    index -= run.length;
  }
  return runs_.empty() ? empty_ : runs_.back().features;
}

const CharFeatures &TextStory::FeaturesForCaret(size_t position) const {
  if (text_.empty()) return empty_;
  return FeaturesAt(std::min(position, text_.size() - 1));
}

CharFeaturesSet TextStory::UniqueFeatures(size_t start, size_t end) const {
  end = std::min(end, text_.size());
  CharFeaturesSet set;
  if (start >= end) {
    set.values = FeaturesForCaret(start);
    set.assigned = kAllFeatures;
    return set;
  }
  size_t position = 0;
  bool first = true;
  for (const Run &run : runs_) {
    const size_t runEnd = position + run.length;
    if (runEnd > start && position < end) {
      const CharFeatures &f = run.features;
      if (first) {
        set.values = f;
        set.assigned = kAllFeatures;
        first = false;
      } else {
        CharFeatures &v = set.values;
        auto same = [&](bool equal, uint32_t bit) {
          if (!equal) set.assigned &= ~bit;
        };
        same(v.font == f.font, kFeatureFont);
        same(v.size == f.size, kFeatureSize);
        same(v.autoLeading == f.autoLeading, kFeatureAutoLeading);
        same(v.EffectiveLeading() == f.EffectiveLeading(), kFeatureLeading);
        same(v.tracking == f.tracking, kFeatureTracking);
        same(v.baselineShift == f.baselineShift, kFeatureBaselineShift);
        same(v.horizontalScale == f.horizontalScale, kFeatureHorizontalScale);
        same(v.verticalScale == f.verticalScale, kFeatureVerticalScale);
        same(v.fill == f.fill, kFeatureFill);
        same(v.fillColor == f.fillColor, kFeatureFillColor);
        same(v.stroke == f.stroke, kFeatureStroke);
        same(v.strokeColor == f.strokeColor, kFeatureStrokeColor);
        same(v.lineWidth == f.lineWidth, kFeatureLineWidth);
      }
    }
    position = runEnd;
    if (position >= end) break;
  }
  return set;
}

void TextStory::Replace(size_t start, size_t end, const std::u16string &text,
                        const CharFeatures &features) {
  start = std::min(start, text_.size());
  end = std::clamp(end, start, text_.size());
  if (start == end && text.empty()) return;
  // Per-run edit: cut the runs at start and end, drop what lies between,
  // put the new run in.
  std::vector<Run> runs;
  size_t position = 0;
  bool inserted = false;
  const CharFeatures removedFirst = start < end ? FeaturesAt(start) : empty_;
  auto insert = [&]() {
    if (!inserted && !text.empty()) runs.push_back({text.size(), features});
    inserted = true;
  };
  for (const Run &run : runs_) {
    const size_t runEnd = position + run.length;
    const size_t before =
        std::min(runEnd, start) > position ? std::min(runEnd, start) - position : 0;
    if (before) runs.push_back({before, run.features});
    if (runEnd >= start) insert();
    const size_t afterStart = std::max(position, end);
    if (runEnd > afterStart) runs.push_back({runEnd - afterStart, run.features});
    position = runEnd;
  }
  insert();
  runs_ = std::move(runs);
  text_.replace(start, end - start, text);
  if (text_.empty()) empty_ = removedFirst;
  Merge();
  ++version_;
}

void TextStory::AppendRun(std::u16string_view text, const CharFeatures &features) {
  if (text.empty()) return;
  text_.append(text);
  if (!runs_.empty() && runs_.back().features == features) {
    runs_.back().length += text.size();
  } else {
    runs_.push_back({text.size(), features});
  }
  ++version_;
}

void TextStory::SetLines(std::vector<Line> lines) {
  lines_ = std::move(lines);
  linesVersion_ = ++version_;
}

void TextStory::SetFeatures(size_t start, size_t end, const CharFeatures &features) {
  start = std::min(start, text_.size());
  end = std::clamp(end, start, text_.size());
  if (start == end) return;
  const std::u16string middle = text_.substr(start, end - start);
  Replace(start, end, middle, features);
}

void TextStory::Merge() {
  std::vector<Run> merged;
  for (Run &run : runs_) {
    if (run.length == 0) continue;
    if (!merged.empty() && merged.back().features == run.features) {
      merged.back().length += run.length;
    } else {
      merged.push_back(std::move(run));
    }
  }
  runs_ = std::move(merged);
}

bool TextStory::operator==(const TextStory &other) const {
  if (text_ != other.text_ || runs_.size() != other.runs_.size()) return false;
  for (size_t i = 0; i < runs_.size(); ++i) {
    if (runs_[i].length != other.runs_[i].length ||
        !(runs_[i].features == other.runs_[i].features)) {
      return false;
    }
  }
  return !text_.empty() || empty_ == other.empty_;
}

TextLayout LayOutPointText(const TextStory &story, double x, double y, TextLayout::Anchor anchor,
                           double scale) {
  struct Line {
    double width = 0, size = 0, leading = 0;
  };
  std::vector<Line> lines(1);
  const std::u16string &text = story.Text();
  size_t lineStart = 0;
  auto finishLine = [&](size_t endIndex) {
    Line &line = lines.back();
    if (endIndex == lineStart) {  // empty: its paragraph end, or the caret
      const CharFeatures &f = story.FeaturesForCaret(lineStart);
      line.size = f.size;
      line.leading = f.EffectiveLeading();
    }
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit == u'\r') {
      finishLine(i);
      lines.emplace_back();
      lineStart = i + 1;
      continue;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF && i > lineStart && text[i - 1] >= 0xD800 &&
        text[i - 1] <= 0xDBFF) {
      continue;  // the second half of a pair
    }
    const CharFeatures &f = story.FeaturesAt(i);
    Line &line = lines.back();
    const double em = f.size * f.horizontalScale;
    line.width += (unit < 0x80 ? 0.5 : 1.0) * em + f.tracking / 1000.0 * f.size;
    line.size = std::max(line.size, f.size);
    line.leading = std::max(line.leading, f.EffectiveLeading());
  }
  finishLine(text.size());

  for (Line &line : lines) {
    line.width /= scale;
    line.size /= scale;
    line.leading /= scale;
  }
  TextLayout layout;
  double baseline = y;
  double width = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) baseline += lines[i].leading;
    layout.baselines.push_back(baseline);
    width = std::max(width, lines[i].width);
  }
  layout.top = y - 0.8 * lines.front().size;
  layout.bottom = baseline + 0.2 * lines.back().size;
  layout.left = anchor == TextLayout::kStart    ? x
                : anchor == TextLayout::kMiddle ? x - width / 2
                                                : x - width;
  layout.right = layout.left + width;
  return layout;
}

}  // namespace vhost
