// The page's scale: a millimetre page reads in points as the same design
// drawn in points, text lengths included, and a file saved unchanged keeps
// its bytes.
#include "svgpage.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "document.h"

namespace vhost {
namespace {

TEST(PageScale, RootWidthAgainstViewBox) {
  struct {
    const char *root;
    double scale;
  } cases[] = {
      {R"x(<svg width="85mm" height="54mm" viewBox="0 0 85 54"/>)x", 72 / 25.4},
      {R"x(<svg width="8.5cm" height="5.4cm" viewBox="0 0 85 54"/>)x", 72 / 25.4},
      {R"x(<svg width="2in" viewBox="0 0 144 100"/>)x", 1},  // 144 pt on 144 units
      {R"x(<svg width="4in" viewBox="0 0 144 100"/>)x", 2},
      {R"x(<svg height="54mm" viewBox="0 0 85 54"/>)x", 72 / 25.4},
      {R"x(<svg width="340Q" viewBox="0 0 85 54"/>)x", 72 / 25.4},
      {R"x(<svg width="170pt" viewBox="0 0 85 54"/>)x", 2},
      // The user unit stays a point.
      {R"x(<svg width="210mm" height="297mm" viewBox="0 0 595 842"/>)x", 1},
      {R"x(<svg width="400" height="600" viewBox="0 0 400 600"/>)x", 1},
      {R"x(<svg width="400px" viewBox="0 0 200 300"/>)x", 1},
      {R"x(<svg width="85mm" height="54mm"/>)x", 1},
      {R"x(<svg width="85mm" viewBox="0 0 0 54"/>)x", 1},
      {R"x(<svg width="-85mm" viewBox="0 0 85 54"/>)x", 1},
      {R"x(<svg viewBox="0 0 85 54"/>)x", 1},
  };
  for (const auto &c : cases) {
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(c.root)) << c.root;
    EXPECT_NEAR(svg::PageScale(doc.document_element()), c.scale, 1e-12) << c.root;
  }
}

// One card, drawn once in millimetres as an editor saves it and once in
// points (every length times 72/25.4).
const char kMillimetres[] =
    R"x(<svg xmlns="http://www.w3.org/2000/svg" width="85mm" height="54mm" viewBox="0 0 85 54">)x"
    R"x(<defs><rect id="box" x="5" y="30" width="40" height="20"/></defs>)x"
    R"x(<rect id="r" x="10" y="5" width="20" height="10" transform="translate(1,2)"/>)x"
    R"x(<text id="t" x="10" y="20" style="font-size:4.2333333px;line-height:5.08px;)x"
    R"x(letter-spacing:0.42333333px;stroke:#000000;stroke-width:0.3527778px;font-family:Sans">)x"
    R"x(<tspan style="baseline-shift:1px">Ab</tspan>c</text>)x"
    R"x(<text id="a" style="shape-inside:url(#box);font-size:3px">area</text></svg>)x";

std::string InPoints() {
  const double k = 72 / 25.4;
  auto n = [k](double mm) { return svg::FormatNumber(mm * k); };
  return R"x(<svg xmlns="http://www.w3.org/2000/svg" width=")x" + n(85) + R"x(pt" height=")x" +
         n(54) + R"x(pt" viewBox="0 0 )x" + n(85) + " " + n(54) + R"x(">)x" +
         R"x(<defs><rect id="box" x=")x" + n(5) + R"x(" y=")x" + n(30) + R"x(" width=")x" + n(40) +
         R"x(" height=")x" + n(20) + R"x("/></defs>)x" + R"x(<rect id="r" x=")x" + n(10) +
         R"x(" y=")x" + n(5) + R"x(" width=")x" + n(20) + R"x(" height=")x" + n(10) +
         R"x(" transform="translate()x" + n(1) + "," + n(2) + R"x()"/>)x" +
         R"x(<text id="t" x=")x" + n(10) + R"x(" y=")x" + n(20) + R"x(" style="font-size:)x" +
         n(4.2333333) + "px;line-height:" + n(5.08) + "px;letter-spacing:" + n(0.42333333) +
         "px;stroke:#000000;stroke-width:" + n(0.3527778) + R"x(px;font-family:Sans">)x" +
         R"x(<tspan style="baseline-shift:)x" + n(1) + R"x(px">Ab</tspan>c</text>)x" +
         R"x(<text id="a" style="shape-inside:url(#box);font-size:)x" + n(3) +
         R"x(px">area</text></svg>)x";
}

void ExpectSameRect(const AIRealRect &a, const AIRealRect &b, const char *what) {
  EXPECT_NEAR(a.left, b.left, 1e-9) << what;
  EXPECT_NEAR(a.top, b.top, 1e-9) << what;
  EXPECT_NEAR(a.right, b.right, 1e-9) << what;
  EXPECT_NEAR(a.bottom, b.bottom, 1e-9) << what;
}

TEST(PageScale, MillimetrePageGivesTheSamePointsAsThePointPage) {
  std::string error;
  auto mm = Document::Parse(kMillimetres, &error);
  ASSERT_TRUE(mm) << error;
  auto pt = Document::Parse(InPoints(), &error);
  ASSERT_TRUE(pt) << error;
  EXPECT_NEAR(mm->Scale(), 72 / 25.4, 1e-12);

  ExpectSameRect(mm->PageBounds(), pt->PageBounds(), "page");
  EXPECT_NEAR(mm->PageBounds().right, 240.944881889, 1e-6);
  for (const char *id : {"r", "t", "a"}) {
    ExpectSameRect(mm->FindArtById(id)->Bounds(), pt->FindArtById(id)->Bounds(), id);
  }
  AIRealRect a, b;
  ASSERT_TRUE(mm->FindArtById("a")->AreaBox(&a));
  ASSERT_TRUE(pt->FindArtById("a")->AreaBox(&b));
  ExpectSameRect(a, b, "area box");
  EXPECT_NEAR(a.left, 5 * 72 / 25.4, 1e-9);

  const TextStory &m = *mm->FindArtById("t")->Story();
  const TextStory &p = *pt->FindArtById("t")->Story();
  ASSERT_EQ(m.Runs().size(), 2u);
  ASSERT_EQ(p.Runs().size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    const CharFeatures &f = m.Runs()[i].features, &g = p.Runs()[i].features;
    EXPECT_NEAR(f.size, g.size, 1e-9);
    EXPECT_NEAR(f.leading, g.leading, 1e-9);
    EXPECT_EQ(f.tracking, g.tracking);
    EXPECT_NEAR(f.lineWidth, g.lineWidth, 1e-9);
    EXPECT_NEAR(f.baselineShift, g.baselineShift, 1e-9);
  }
  const CharFeatures &first = m.Runs()[0].features;
  EXPECT_NEAR(first.size, 12, 1e-6);
  EXPECT_NEAR(first.leading, 14.4, 1e-6);
  EXPECT_EQ(first.tracking, 100);
  EXPECT_NEAR(first.lineWidth, 1, 1e-5);
  EXPECT_NEAR(first.baselineShift, 72 / 25.4, 1e-9);
}

TEST(PageScale, PointsAreWrittenBackAsUserUnits) {
  std::string error;
  auto doc = Document::Parse(kMillimetres, &error);
  ASSERT_TRUE(doc) << error;
  TextStory *story = doc->FindArtById("t")->Story();
  CharFeatures f = story->FeaturesAt(0);
  f.size = 12;
  f.autoLeading = false;
  f.leading = 18;
  f.baselineShift = 2;
  f.lineWidth = 0.5;
  story->Replace(0, story->Size(), u"Xy", f);
  const std::string saved = doc->Serialize();
  // 12 pt is 4.233 mm on the page.
  EXPECT_NE(saved.find("font-size:4.23333"), std::string::npos) << saved;

  auto again = Document::Parse(saved, &error);
  ASSERT_TRUE(again) << error;
  const CharFeatures &g = again->FindArtById("t")->Story()->FeaturesAt(0);
  EXPECT_NEAR(g.size, 12, 1e-9);
  EXPECT_NEAR(g.leading, 18, 1e-9);
  EXPECT_NEAR(g.baselineShift, 2, 1e-9);
  EXPECT_NEAR(g.lineWidth, 0.5, 1e-9);
}

TEST(PageScale, MillimetreTemplateSavedUnchangedKeepsItsBytes) {
  std::string error;
  auto doc = Document::Parse(kMillimetres, &error);
  ASSERT_TRUE(doc) << error;
  EXPECT_EQ(doc->Serialize(), kMillimetres);
}

}  // namespace
}  // namespace vhost
