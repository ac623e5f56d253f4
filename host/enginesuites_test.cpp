// The Vardo Engine Suite's refusals and records, as the engine calls it.
#include <gtest/gtest.h>

#include <cstring>

#include "VardoEngine.h"
#include "document.h"
#include "host.h"

namespace vhost {
namespace {

const char kDoc[] =
    R"x(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 100")x"
    R"x( xmlns:sodipodi="http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd">)x"
    R"x(<defs><rect id="b" x="0" y="0" width="50" height="50"/></defs>)x"
    R"x(<text id="area" style="shape-inside:url(#b)"><tspan sodipodi:role="line">ab</tspan>)x"
    R"x(<tspan sodipodi:role="line">cd</tspan></text>)x"
    R"x(<text id="point" x="1" y="2">p</text><rect id="r" width="1" height="1"/></svg>)x";

class EngineSuite : public ::testing::Test {
 protected:
  void SetUp() override {
    const void *table = nullptr;
    ASSERT_EQ(host_.Suites().Acquire(kVardoEngineSuite, kVardoEngineSuiteVersion, &table), kNoErr);
    suite_ = static_cast<const VardoEngineSuite *>(table);
    std::string error;
    doc_ = host_.Documents().Add(Document::Parse(kDoc, &error));
    ASSERT_NE(doc_, nullptr) << error;
    ASSERT_EQ(doc_->FindArtById("area")->Story()->Text(), u"ab\rcd");
  }
  void TearDown() override { host_.Suites().Release(kVardoEngineSuite, kVardoEngineSuiteVersion); }

  AIArtHandle H(const char *id) { return doc_->FindArtById(id)->Handle(); }

  Host host_;
  const VardoEngineSuite *suite_ = nullptr;
  Document *doc_ = nullptr;
};

TEST_F(EngineSuite, ArtFromTheLowHalfOfItsHandle) {
  AIArtHandle art = nullptr;
  ASSERT_EQ(suite_->FindArtByLow32(doc_->FindArtById("point")->Low32(), &art), kNoErr);
  EXPECT_EQ(art, H("point"));
  EXPECT_EQ(suite_->FindArtByLow32(0xFFFFFFF0u, &art), kNoSuchObjectErr);
  EXPECT_EQ(art, nullptr);
  AIRealRect box;
  EXPECT_EQ(suite_->GetAreaBox(H("area"), &box), kNoErr);
  EXPECT_EQ(suite_->GetAreaBox(H("point"), &box), kNoSuchObjectErr);
}

TEST_F(EngineSuite, LinesMustStartAtZeroIncreaseAndBeginEveryParagraph) {
  const AIRealPoint at[4] = {{0, -10}, {0, -20}, {0, -30}, {0, -40}};
  struct {
    std::vector<ASInt32> starts;
    ASErr status;
  } cases[] = {
      {{0, 3}, kNoErr},
      {{0, 1, 3, 4}, kNoErr},
      {{1, 3}, kBadParameterErr},
      {{0, 3, 3}, kBadParameterErr},
      {{0}, kBadParameterErr},
      {{0, 4}, kBadParameterErr},
      {{0, 3, 9}, kBadParameterErr},
      {{0, -1}, kBadParameterErr},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(
        suite_->SetTextLines(H("area"), c.starts.data(), at, static_cast<ASInt32>(c.starts.size())),
        c.status)
        << c.starts.size();
  }
  EXPECT_EQ(suite_->SetTextLines(H("r"), nullptr, nullptr, 0), kBadParameterErr);
  // The lines hold until the text changes.
  const ASInt32 starts[] = {0, 3};
  ASSERT_EQ(suite_->SetTextLines(H("area"), starts, at, 2), kNoErr);
  TextStory &story = *doc_->FindArtById("area")->Story();
  ASSERT_NE(story.Lines(), nullptr);
  story.Append(u"e", story.FeaturesAt(0));
  EXPECT_EQ(story.Lines(), nullptr);
}

TEST_F(EngineSuite, ProblemsAreKeptWithTheirFrame) {
  ASSERT_EQ(suite_->ReportProblem(3, H("point"), kVardoProblemOverflow, "too long"), kNoErr);
  ASSERT_EQ(suite_->ReportProblem(4, nullptr, kVardoProblemMarkup, "<b>"), kNoErr);
  EXPECT_EQ(suite_->ReportProblem(4, nullptr, "bad-kind", "x"), kBadParameterErr);
  EXPECT_EQ(suite_->ReportProblem(4, nullptr, kVardoProblemMarkup, nullptr), kBadParameterErr);
  ASSERT_EQ(host_.EngineProblems().size(), 2u);
  EXPECT_EQ(host_.EngineProblems()[0].record, 3);
  EXPECT_EQ(host_.EngineProblems()[0].frame, "point");
  EXPECT_EQ(host_.EngineProblems()[0].kind, "overflow");
  EXPECT_EQ(host_.EngineProblems()[1].frame, "");
}

TEST_F(EngineSuite, PictureSettingsAndPlacement) {
  host_.SetPictureSettings({"/some/folder", true});
  char folder[64];
  ASBoolean any = false;
  ASSERT_EQ(suite_->GetPictureSettings(folder, sizeof folder, &any), kNoErr);
  EXPECT_STREQ(folder, "/some/folder");
  EXPECT_TRUE(any);
  char small[4];
  EXPECT_EQ(suite_->GetPictureSettings(small, sizeof small, &any), kBadParameterErr);
  EXPECT_STREQ(small, "");

  const AIRealRect box{10, -20, 30, -60};
  AIArtHandle placed = nullptr;
  ASSERT_EQ(suite_->PlacePicture(H("point"), nullptr, "GIF89a", 6, "image/gif", &box, &placed),
            kNoErr);
  // Right above the frame: its previous sibling in host order.
  Art *image = doc_->FindArtById("point")->Parent()->FirstChild();
  while (image && image->Sibling() != doc_->FindArtById("point")) image = image->Sibling();
  ASSERT_NE(image, nullptr);
  ASSERT_EQ(image->Handle(), placed);
  const AIRealRect b = image->Bounds();
  EXPECT_DOUBLE_EQ(b.left, 10);
  EXPECT_DOUBLE_EQ(b.top, -20);
  EXPECT_DOUBLE_EQ(b.right, 30);
  EXPECT_DOUBLE_EQ(b.bottom, -60);
  EXPECT_STREQ(image->Node().attribute("xlink:href").value(), "data:image/gif;base64,R0lGODlh");
  const AIRealRect empty{10, -20, 10, -60};
  EXPECT_EQ(suite_->PlacePicture(H("point"), "/x.png", nullptr, 0, nullptr, &empty, &placed),
            kBadParameterErr);
  EXPECT_EQ(placed, nullptr);
}

TEST_F(EngineSuite, PathsInAGroupAboveTheFrame) {
  // A square and a triangle, in points on a page whose user unit is 1 mm.
  std::string error;
  Document *mm = host_.Documents().Add(
      Document::Parse(R"x(<svg xmlns="http://www.w3.org/2000/svg" width="100mm" height="100mm")x"
                      R"x( viewBox="0 0 100 100"><text id="t" x="1" y="2">p</text></svg>)x",
                      &error));
  ASSERT_NE(mm, nullptr) << error;
  const double mmPt = 72 / 25.4;
  const AIRealPoint square[] = {{0, 0}, {10 * mmPt, 0}, {10 * mmPt, -10 * mmPt}, {0, -10 * mmPt}};
  const AIRealPoint triangle[] = {{0, 0}, {mmPt, 0}, {0, mmPt}, {0, 0}, {0, 0}};
  const VardoPathShape shapes[] = {{"MLLLZ", 5, square, 0xFFFFFF}, {"MCZ", 3, triangle, 0x000000}};
  AIArtHandle group = nullptr;
  Art *frame = mm->FindArtById("t");
  ASSERT_EQ(suite_->PlacePaths(frame->Handle(), shapes, 2, &group), kNoErr);
  Art *placed = frame->Parent()->FirstChild();
  ASSERT_EQ(placed->Handle(), group);
  ASSERT_EQ(placed->Type(), kGroupArt);
  pugi::xml_node back = placed->Node().first_child();
  EXPECT_STREQ(back.attribute("d").value(), "M 0 0 L 10 0 L 10 10 L 0 10 Z");
  EXPECT_STREQ(back.attribute("fill").value(), "#ffffff");
  EXPECT_STREQ(back.next_sibling().attribute("d").value(), "M 0 0 C 1 0 0 -1 0 0 Z");
  const AIRealRect b = placed->Bounds();
  EXPECT_NEAR(b.right - b.left, 10 * mmPt, 1e-9);

  const VardoPathShape bad[] = {{"LZ", 2, square, 0}, {"MQ", 2, square, 0}};
  for (const VardoPathShape &shape : bad) {
    EXPECT_EQ(suite_->PlacePaths(frame->Handle(), &shape, 1, &group), kBadParameterErr);
    EXPECT_EQ(group, nullptr);
  }
  EXPECT_EQ(suite_->PlacePaths(frame->Handle(), shapes, 0, &group), kBadParameterErr);
  EXPECT_EQ(frame->Parent()->FirstChild(), placed);  // nothing more was placed
}

}  // namespace
}  // namespace vhost
