// Stories: editing runs, the features a range shares, and the point-text
// metric.
#include "documenttext.h"

#include <gtest/gtest.h>

namespace vhost {
namespace {

CharFeatures Sized(double size) {
  CharFeatures f;
  f.size = size;
  return f;
}

std::string RunsOf(const TextStory &story) {
  std::string out;
  for (const auto &run : story.Runs()) {
    out += (out.empty() ? "" : " ") + std::to_string(run.length) + "@" +
           std::to_string(int(run.features.size));
  }
  return out;
}

TEST(TextStory, EditsSplitAndMergeRuns) {
  TextStory story;
  story.Append(u"aaaa", Sized(10));
  story.Append(u"bbbb", Sized(20));
  EXPECT_EQ(RunsOf(story), "4@10 4@20");
  story.Replace(2, 6, u"X", Sized(30));  // across the boundary
  EXPECT_TRUE(story.Text() == u"aaXbb");
  EXPECT_EQ(RunsOf(story), "2@10 1@30 2@20");
  story.SetFeatures(2, 3, Sized(10));  // now like its left neighbour
  EXPECT_EQ(RunsOf(story), "3@10 2@20");
  story.Replace(99, 120, u"!", Sized(20));  // clamped to the end, merges right
  EXPECT_EQ(RunsOf(story), "3@10 3@20");
  story.Replace(0, 0, u"", Sized(50));  // nothing
  EXPECT_EQ(RunsOf(story), "3@10 3@20");
  const uint64_t version = story.Version();
  story.Replace(0, story.Size(), u"", Sized(99));
  EXPECT_GT(story.Version(), version);
  EXPECT_TRUE(story.Text().empty());
  EXPECT_EQ(story.EmptyFeatures().size, 10);  // what stood first, as a caret there shows
}

TEST(TextStory, UniqueFeaturesAndTheCaret) {
  TextStory story;
  CharFeatures a = Sized(10), b = Sized(20);
  b.fillColor = Color::Cmyk(0, 0, 0, 1);
  story.Append(u"ab", a);
  story.Append(u"cd", b);

  // Size and fill colour differ; automatic leading follows the size, so the
  // leading differs too; everything else is shared.
  CharFeaturesSet across = story.UniqueFeatures(1, 3);
  EXPECT_EQ(across.assigned, kAllFeatures & ~(kFeatureSize | kFeatureFillColor | kFeatureLeading));

  struct {
    size_t start, end;
    double size;
  } carets[] = {{0, 0, 10}, {2, 2, 20}, {4, 4, 20}, {9, 9, 20}, {2, 4, 20}, {0, 2, 10}};
  for (const auto &c : carets) {
    CharFeaturesSet set = story.UniqueFeatures(c.start, c.end);
    EXPECT_EQ(set.assigned, kAllFeatures) << c.start << "-" << c.end;
    EXPECT_EQ(set.values.size, c.size) << c.start << "-" << c.end;
  }
  TextStory empty;
  empty.SetEmptyFeatures(Sized(33));
  EXPECT_EQ(empty.UniqueFeatures(0, 0).values.size, 33);
}

TEST(TextStory, PointTextMetric) {
  struct {
    const char *name;
    std::u16string text;
    CharFeatures features;
    TextLayout::Anchor anchor;
    double left, top, right, bottom;
    std::vector<double> baselines;
  } cases[] = {
      {"ASCII is half an em", u"abcd", Sized(10), TextLayout::kStart, 100, 192, 120, 202, {200}},
      {"other characters a whole em",
       u"価格",
       Sized(10),
       TextLayout::kStart,
       100,
       192,
       120,
       202,
       {200}},
      {"a pair counts once",
       u"\U0001F600",
       Sized(10),
       TextLayout::kStart,
       100,
       192,
       110,
       202,
       {200}},
      {"lines go down by the leading",
       u"ab\rabcd\r",
       Sized(10),
       TextLayout::kStart,
       100,
       192,
       120,
       226,
       {200, 212, 224}},
      {"middle anchor", u"abcd", Sized(10), TextLayout::kMiddle, 90, 192, 110, 202, {200}},
      {"end anchor", u"abcd", Sized(10), TextLayout::kEnd, 80, 192, 100, 202, {200}},
  };
  for (auto &c : cases) {
    TextStory story;
    story.Append(c.text, c.features);
    TextLayout layout = LayOutPointText(story, 100, 200, c.anchor);
    EXPECT_NEAR(layout.left, c.left, 1e-9) << c.name;
    EXPECT_NEAR(layout.top, c.top, 1e-9) << c.name;
    EXPECT_NEAR(layout.right, c.right, 1e-9) << c.name;
    EXPECT_NEAR(layout.bottom, c.bottom, 1e-9) << c.name;
    ASSERT_EQ(layout.baselines.size(), c.baselines.size()) << c.name;
    for (size_t i = 0; i < c.baselines.size(); ++i)
      EXPECT_NEAR(layout.baselines[i], c.baselines[i], 1e-9) << c.name;
  }
  // Tracking, scale and leading of the characters themselves.
  TextStory story;
  CharFeatures f = Sized(10);
  f.tracking = 100;  // 1 pt after each character
  f.horizontalScale = 2;
  f.autoLeading = false;
  f.leading = 30;
  story.Append(u"ab\ra", f);
  TextLayout layout = LayOutPointText(story, 0, 0, TextLayout::kStart);
  EXPECT_NEAR(layout.right, 2 * (10 + 1), 1e-9);
  EXPECT_NEAR(layout.baselines[1], 30, 1e-9);
}

}  // namespace
}  // namespace vhost
