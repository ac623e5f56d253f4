// The document-side suites as a plug-in calls them: through the registry's
// tables, with handles, on the current document of the list.
#include "documentsuites.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "AIATEPaint.h"
#include "AIArt.h"
#include "AICustomColor.h"
#include "AIDocument.h"
#include "AIDocumentView.h"
#include "AIFilePath.h"
#include "AIFont.h"
#include "AILayer.h"
#include "AITag.h"
#include "AITextFrame.h"
#include "ATESuites.h"
#include "documenthandles.h"
#include "documentlist.h"
#include "suites.h"

namespace vhost {
namespace {

const std::string kTemplate = VARDO_SOURCE_DIR "/host/testdata/template.svg";

// The Windows form of a Linux path on drive Z:, which maps onto "/".
std::string WindowsPath(std::string linuxPath) {
  std::replace(linuxPath.begin(), linuxPath.end(), '/', '\\');
  return "Z:" + linuxPath;
}

class DocumentSuites : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterDocumentSuites(registry_);
    Acquire(kAIDocumentListSuite, kAIDocumentListSuiteVersion, &list);
    Acquire(kAIDocumentSuite, kAIDocumentSuiteVersion, &document);
    Acquire(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, &view);
    Acquire(kAIFilePathSuite, kAIFilePathSuiteVersion, &path);
    Acquire(kAILayerSuite, kAILayerSuiteVersion, &layer);
    Acquire(kAIArtSuite, kAIArtSuiteVersion, &art);
    Acquire(kAITagSuite, kAITagSuiteVersion, &tag);
    Acquire(kAITextFrameSuite, kAITextFrameSuiteVersion, &frame);
    Acquire(kTextRangeSuite, kTextRangeSuiteVersion, &range);
    Acquire(kCharFeaturesSuite, kCharFeaturesSuiteVersion, &features);
    Acquire(kAIFontSuite, kAIFontSuiteVersion, &font);
    Acquire(kAICustomColorSuite, kAICustomColorSuiteVersion, &custom);
    Acquire(kAIATEPaintSuite, kAIATEPaintSuiteVersion, &paint);
    ranges_ = LiveTextRangeCount();
    featureSets_ = LiveCharFeaturesCount();
  }

  void TearDown() override {
    // Every ref a test took it gave back.
    EXPECT_EQ(LiveTextRangeCount(), ranges_);
    EXPECT_EQ(LiveCharFeaturesCount(), featureSets_);
  }

  template <typename T>
  void Acquire(const char *name, ASInt32 version, const T **table) {
    const void *found = nullptr;
    ASSERT_EQ(registry_.Acquire(name, version, &found), kNoErr) << name;
    *table = static_cast<const T *>(found);
  }

  // Opens a file the way a plug-in does.
  ASErr Open(const std::string &linuxPath, AIDocumentHandle *doc, bool copy = false) {
    AIFilePathRef ref = nullptr;
    EXPECT_EQ(path->NewFilePath(&ref), kNoErr);
    EXPECT_EQ(path->SetPlatformPathA(ref, WindowsPath(linuxPath).c_str()), kNoErr);
    ASErr status = list->Open(ref, kAICMYKColorModel, 0, copy, doc);
    EXPECT_EQ(path->DeleteFilePath(ref), kNoErr);
    return status;
  }

  AIArtHandle ArtById(const char *id) {
    Art *found = docs_.CurrentDocument()->FindArtById(id);
    return found ? found->Handle() : nullptr;
  }

  SuiteRegistry registry_;
  DocumentList docs_;
  size_t ranges_ = 0, featureSets_ = 0;
  const AIDocumentListSuite *list = nullptr;
  const AIDocumentSuite *document = nullptr;
  const AIDocumentViewSuite *view = nullptr;
  const AIFilePathSuite *path = nullptr;
  const AILayerSuite *layer = nullptr;
  const AIArtSuite *art = nullptr;
  const AITagSuite *tag = nullptr;
  const AITextFrameSuite *frame = nullptr;
  const ATETextRangeSuite *range = nullptr;
  const ATECharFeaturesSuite *features = nullptr;
  const AIFontSuite *font = nullptr;
  const AICustomColorSuite *custom = nullptr;
  const AIATEPaintSuite *paint = nullptr;
};

TEST_F(DocumentSuites, WithoutADocument) {
  AIDocumentHandle doc = reinterpret_cast<AIDocumentHandle>(1);
  EXPECT_EQ(document->GetDocument(&doc), kNoSuchObjectErr);
  EXPECT_EQ(doc, nullptr);
  AIDocumentViewHandle v = reinterpret_cast<AIDocumentViewHandle>(1);
  EXPECT_EQ(view->GetNthDocumentView(0, &v), kNoSuchObjectErr);
  EXPECT_EQ(v, nullptr);
  ASInt32 count = -1;
  EXPECT_EQ(layer->CountLayers(&count), kNoErr);
  EXPECT_EQ(count, 0);
  AILayerHandle l = nullptr;
  EXPECT_EQ(layer->GetNthLayer(0, &l), kBadParameterErr);
  EXPECT_EQ(list->Count(&count), kNoErr);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(document->RedrawDocument(), kNoErr);
}

TEST_F(DocumentSuites, OpenMakesTheCurrentDocument) {
  AIDocumentHandle opened = nullptr, current = nullptr;
  ASSERT_EQ(Open(kTemplate, &opened), kNoErr);
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(document->GetDocument(&current), kNoErr);
  EXPECT_EQ(current, opened);
  EXPECT_EQ(document->RedrawDocument(), kNoErr);
  EXPECT_EQ(docs_.CurrentDocument()->RedrawCount(), 1);

  // Failures leave the current document as it was.
  const std::string broken = ::testing::TempDir() + "/broken.svg";
  FILE *file = std::fopen(broken.c_str(), "w");
  std::fputs("<svg><g></svg>", file);
  std::fclose(file);
  struct {
    std::string path;
    ASErr status;
  } failures[] = {{"/nonexistent/x.svg", kAIDocumentFileMissingErr},
                  {broken, kAIDocumentFormatErr}};
  for (const auto &f : failures) {
    AIDocumentHandle doc = reinterpret_cast<AIDocumentHandle>(1);
    EXPECT_EQ(Open(f.path, &doc), f.status) << f.path;
    EXPECT_EQ(doc, nullptr);
    EXPECT_EQ(document->GetDocument(&current), kNoErr);
    EXPECT_EQ(current, opened);
  }
  // The same file again is the same document; as a copy it is another.
  AIDocumentHandle again = nullptr, copy = nullptr;
  EXPECT_EQ(Open(kTemplate, &again), kNoErr);
  EXPECT_EQ(again, opened);
  EXPECT_EQ(Open(kTemplate, &copy, true), kNoErr);
  EXPECT_NE(copy, opened);
  EXPECT_TRUE(docs_.CurrentDocument()->Path().empty());
  ASInt32 count = 0;
  EXPECT_EQ(list->Count(&count), kNoErr);
  EXPECT_EQ(count, 2);
}

TEST_F(DocumentSuites, FilePathsGiveBackUtf16) {
  AIFilePathRef ref = nullptr;
  ASSERT_EQ(path->NewFilePath(&ref), kNoErr);
  // "C:\表\a.svg" in code page 932: the second byte of 表 is a backslash.
  ASSERT_EQ(path->SetPlatformPathA(ref, "C:\\\x95\x5C\\a.svg"), kNoErr);
  ai_uchar16 buffer[32];
  ASSERT_EQ(path->GetPlatformPathW(ref, buffer, 32), kNoErr);
  EXPECT_EQ(std::u16string(buffer), u"C:\\表\\a.svg");
  EXPECT_EQ(path->GetPlatformPathW(ref, buffer, 10), kBadParameterErr);  // needs 11 with the NUL
  EXPECT_EQ(path->GetPlatformPathW(ref, buffer, 11), kNoErr);
  EXPECT_EQ(path->DeleteFilePath(ref), kNoErr);
  EXPECT_EQ(path->DeleteFilePath(ref), kBadParameterErr);
  EXPECT_EQ(path->SetPlatformPathA(ref, "C:\\x"), kBadParameterErr);
}

TEST_F(DocumentSuites, TheViewIsThePage) {
  AIDocumentHandle doc = nullptr;
  ASSERT_EQ(Open(kTemplate, &doc), kNoErr);
  AIDocumentViewHandle v = nullptr;
  ASSERT_EQ(view->GetNthDocumentView(0, &v), kNoErr);
  AIRealRect bounds;
  AIReal zoom = 0;
  ASSERT_EQ(view->GetDocumentViewBounds(v, &bounds), kNoErr);
  EXPECT_EQ(bounds.right, 595);
  EXPECT_EQ(bounds.bottom, -842);
  docs_.CurrentDocument()->View().zoom = 2.5;
  ASSERT_EQ(view->GetDocumentViewZoom(v, &zoom), kNoErr);
  EXPECT_EQ(zoom, 2.5);
  EXPECT_EQ(view->GetNthDocumentView(1, &v), kNoSuchObjectErr);
  // A closed document's view is gone.
  ASSERT_EQ(view->GetNthDocumentView(0, &v), kNoErr);
  std::string error;
  docs_.Close(*docs_.CurrentDocument(), false, &error);
  EXPECT_EQ(view->GetDocumentViewBounds(v, &bounds), kBadParameterErr);
}

TEST_F(DocumentSuites, LayersAndArtWalkInHostOrder) {
  AIDocumentHandle doc = nullptr;
  ASSERT_EQ(Open(kTemplate, &doc), kNoErr);
  ASInt32 count = 0;
  ASSERT_EQ(layer->CountLayers(&count), kNoErr);
  ASSERT_EQ(count, 2);
  struct {
    ASBoolean visible, editable;
  } expected[] = {{1, 1}, {1, 0}};
  std::vector<std::string> walked;
  for (ASInt32 n = 0; n < count; ++n) {
    AILayerHandle l = nullptr;
    ASSERT_EQ(layer->GetNthLayer(n, &l), kNoErr);
    ASBoolean visible = 9, editable = 9;
    EXPECT_EQ(layer->GetLayerVisible(l, &visible), kNoErr);
    EXPECT_EQ(layer->GetLayerEditable(l, &editable), kNoErr);
    EXPECT_EQ(visible, expected[n].visible);
    EXPECT_EQ(editable, expected[n].editable);
    AIArtHandle group = nullptr;
    ASSERT_EQ(art->GetFirstArtOfLayer(l, &group), kNoErr);
    // Depth first, as the plug-ins walk.
    std::vector<AIArtHandle> stack{group};
    while (!stack.empty()) {
      AIArtHandle a = stack.back();
      stack.pop_back();
      walked.push_back(docs_.CurrentDocument()->FindArtByLow32(Low32(a))->Id());
      std::vector<AIArtHandle> children;
      AIArtHandle child = nullptr;
      ASSERT_EQ(art->GetArtFirstChild(a, &child), kNoErr);
      for (; child; art->GetArtSibling(child, &child)) children.push_back(child);
      stack.insert(stack.end(), children.rbegin(), children.rend());
    }
  }
  std::vector<std::string> model;
  docs_.CurrentDocument()->ForEachArt([&](Art &a, int) { model.push_back(a.Id()); });
  EXPECT_EQ(walked, model);
  EXPECT_EQ(walked.front(), "layer2");
  EXPECT_EQ(walked[1], "slot2");

  struct {
    const char *id;
    ASInt16 type;
    ASInt32 which, attributes;
  } cases[] = {
      {"tmpl1", kGroupArt, kArtLocked | kArtHidden, 0},
      {"hiddenframe", kPathArt, kArtLocked | kArtHidden, kArtHidden},
      {"locked1", kPathArt, kArtLocked | kArtHidden | kArtSelected, kArtLocked},
      {"locked1", kPathArt, kArtHidden, 0},
      {"area1", kTextFrameArt, kArtSelected, 0},
      {"photo", kPlacedArt, kArtLocked, 0},
  };
  for (const auto &c : cases) {
    ASInt16 type = -1;
    ASInt32 attributes = -1;
    EXPECT_EQ(art->GetArtType(ArtById(c.id), &type), kNoErr);
    EXPECT_EQ(type, c.type) << c.id;
    EXPECT_EQ(art->GetArtUserAttr(ArtById(c.id), c.which, &attributes), kNoErr);
    EXPECT_EQ(attributes, c.attributes) << c.id;
  }
  docs_.CurrentDocument()->FindArtById("area1")->SetSelected(true);
  ASInt32 selected = 0;
  EXPECT_EQ(art->GetArtUserAttr(ArtById("area1"), kArtSelected, &selected), kNoErr);
  EXPECT_EQ(selected, kArtSelected);

  AIArtHandle parent = nullptr;
  EXPECT_EQ(art->GetArtParent(ArtById("name1"), &parent), kNoErr);
  EXPECT_EQ(parent, ArtById("tmpl1"));
  EXPECT_EQ(art->GetArtParent(ArtById("layer2"), &parent), kNoErr);
  EXPECT_EQ(parent, nullptr);
  AIRealRect bounds;
  EXPECT_EQ(art->GetArtBounds(ArtById("dot"), &bounds), kNoErr);
  EXPECT_EQ(bounds.left, 390);
  EXPECT_EQ(bounds.bottom, -140);
}

TEST_F(DocumentSuites, DuplicateAboveThenDisposeTheGroup) {
  AIDocumentHandle doc = nullptr;
  ASSERT_EQ(Open(kTemplate, &doc), kNoErr);
  AIArtHandle text = ArtById("name1"), group = ArtById("tmpl1"), copy = nullptr;
  AIRealRect before, after;
  art->GetArtBounds(text, &before);
  ASSERT_EQ(art->DuplicateArt(text, kPlaceAbove, group, &copy), kNoErr);
  ASSERT_NE(copy, nullptr);
  AIArtHandle first = nullptr;
  art->GetArtFirstChild(ArtById("slot1"), &first);
  EXPECT_EQ(first, copy);  // in front of the template group
  ASSERT_EQ(art->DisposeArt(group), kNoErr);
  art->GetArtBounds(copy, &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  const char *value = nullptr;
  EXPECT_EQ(tag->GetTag(copy, "vardo2_script", kTagStringType, &value), kNoErr);
  EXPECT_STREQ(value, "[name]\r[address]");

  // The disposed handles and everything inside fail, as do bad requests.
  ASInt16 type = 99;
  EXPECT_EQ(art->GetArtType(group, &type), kBadParameterErr);
  EXPECT_EQ(type, kUnknownArt);
  EXPECT_EQ(art->GetArtType(text, &type), kBadParameterErr);
  AIArtHandle none = reinterpret_cast<AIArtHandle>(1);
  EXPECT_EQ(art->GetArtFirstChild(group, &none), kBadParameterErr);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(art->DuplicateArt(copy, kPlaceAbove, group, &none), kBadParameterErr);
  EXPECT_EQ(art->DuplicateArt(copy, kPlaceInsideOnTop, ArtById("dot"), &none), kBadParameterErr);
  EXPECT_EQ(art->DisposeArt(group), kBadParameterErr);
  EXPECT_EQ(art->DisposeArt(ArtById("layer2")), kBadParameterErr);
}

TEST_F(DocumentSuites, Tags) {
  AIDocumentHandle doc = nullptr;
  ASSERT_EQ(Open(kTemplate, &doc), kNoErr);
  AIArtHandle a = ArtById("dot");
  const char *value = "stale";
  EXPECT_EQ(tag->GetTag(a, "vardo2_script", kTagStringType, &value), kNoSuchObjectErr);
  EXPECT_EQ(value, nullptr);
  const std::string bytes("\xE4\xBE\r\x01", 4);
  EXPECT_EQ(tag->SetTag(a, "vardo2_script", kTagStringType, bytes.c_str()), kNoErr);
  EXPECT_EQ(tag->GetTag(a, "vardo2_script", kTagStringType, &value), kNoErr);
  EXPECT_EQ(std::string(value), bytes);
  EXPECT_EQ(tag->GetTag(ArtById("tmpl1"), "vardo2_group", kTagStringType, &value), kNoErr);
  EXPECT_STREQ(value, "");
  struct {
    const char *name, *type;
    ASErr status;
  } refused[] = {{"vardo2_script", "integer", kBadParameterErr},
                 {nullptr, kTagStringType, kBadParameterErr}};
  for (const auto &r : refused) {
    EXPECT_EQ(tag->GetTag(a, r.name, r.type, &value), r.status);
    EXPECT_EQ(tag->SetTag(a, r.name, r.type, "x"), r.status);
  }
  EXPECT_EQ(tag->SetTag(a, "vardo2_script", kTagStringType, nullptr), kBadParameterErr);
  EXPECT_EQ(tag->RemoveTag(a, "vardo2_script"), kNoErr);
  EXPECT_EQ(tag->RemoveTag(a, "vardo2_script"), kNoSuchObjectErr);
  EXPECT_EQ(tag->GetTag(nullptr, "x", kTagStringType, &value), kBadParameterErr);
}

TEST_F(DocumentSuites, TextRangesMoveAndClamp) {
  AIDocumentHandle doc = nullptr;
  ASSERT_EQ(Open(kTemplate, &doc), kNoErr);
  ATETextRangeRef r = nullptr;
  EXPECT_EQ(frame->GetATETextRange(ArtById("dot"), &r), kBadParameterErr);
  EXPECT_EQ(r, nullptr);
  ASSERT_EQ(frame->GetATETextRange(ArtById("name1"), &r), kNoErr);  // "Name"
  struct {
    const char *step;
    ASInt32 value, start, end;
  } steps[] = {
      {"start", 1, 1, 4}, {"end", 3, 1, 3},    {"start", 9, 4, 4}, {"end", -5, 0, 0},
      {"end", 2, 0, 2},   {"start", -1, 0, 2}, {"end", 100, 0, 4},
  };
  for (const auto &s : steps) {
    ASSERT_EQ(
        std::string(s.step) == "start" ? range->SetStart(r, s.value) : range->SetEnd(r, s.value),
        kNoErr);
    ASInt32 start = -1, end = -1;
    range->GetStart(r, &start);
    range->GetEnd(r, &end);
    EXPECT_EQ(start, s.start) << s.step << " " << s.value;
    EXPECT_EQ(end, s.end) << s.step << " " << s.value;
  }
  ai_uchar16 buffer[8];
  ASInt32 length = 0;
  ASSERT_EQ(range->GetContents(r, buffer, 3, &length), kNoErr);
  EXPECT_EQ(length, 2);
  EXPECT_EQ(std::u16string(buffer), u"Na");
  EXPECT_EQ(range->GetContents(r, buffer, 0, &length), kATEBadParameterErr);

  // A clone moves on its own; references balance.
  ATETextRangeRef clone = nullptr;
  ASSERT_EQ(range->Clone(r, &clone), kNoErr);
  range->SetStart(clone, 2);
  ASInt32 start = -1;
  range->GetStart(r, &start);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(range->AddRef(clone), kNoErr);
  EXPECT_EQ(range->Release(clone), kNoErr);
  EXPECT_EQ(range->Release(clone), kNoErr);
  EXPECT_EQ(range->Release(clone), kATEBadParameterErr);  // already gone

  // Once its frame is gone the range answers nothing.
  docs_.CurrentDocument()->Dispose(*docs_.CurrentDocument()->FindArtById("tmpl1"));
  EXPECT_EQ(range->GetStart(r, &start), kATEBadParameterErr);
  EXPECT_EQ(range->SetEnd(r, 1), kATEBadParameterErr);
  EXPECT_EQ(range->Release(r), kNoErr);
}

// The features of characters as the font mark-up reads them, one
// character at a time through empty ranges.
TEST_F(DocumentSuites, CharacterFeaturesFontsAndPaints) {
  AIDocumentHandle doc = nullptr;
  ASSERT_EQ(Open(kTemplate, &doc), kNoErr);
  Document &d = *docs_.CurrentDocument();
  TextStory &story = *d.FindArtById("name1")->Story();
  CharFeatures base = story.FeaturesAt(0);
  CharFeatures f = base;
  f.font = "A Font Name That Is Long";
  f.size = 9;
  f.autoLeading = true;
  f.tracking = 40;
  f.baselineShift = -2;
  f.horizontalScale = 0.8;
  f.fillColor = Color::Custom(d.FindCustomColor("Brand Red"), 0.5);
  f.stroke = true;
  f.strokeColor = Color::Gray(0.25);
  f.lineWidth = 0.3;
  story.Replace(0, story.Size(), u"ab", f);
  CharFeatures g = base;
  g.fillColor = Color::Rgb(0.2, 0.4, 0.6);
  story.Append(u"c", g);

  ATETextRangeRef r = nullptr;
  ASSERT_EQ(frame->GetATETextRange(d.FindArtById("name1")->Handle(), &r), kNoErr);
  auto featuresAt = [&](ASInt32 position) {
    range->SetStart(r, position);
    range->SetEnd(r, position);
    ATECharFeaturesRef out = nullptr;
    EXPECT_EQ(range->GetUniqueCharFeatures(r, &out), kNoErr);
    return out;
  };

  ATECharFeaturesRef first = featuresAt(0);
  ASBoolean assigned = 0;
  ATEFontRef fontRef = nullptr;
  ASSERT_EQ(features->GetFont(first, &assigned, &fontRef), kNoErr);
  EXPECT_TRUE(assigned);
  AIFontKey key = nullptr;
  ASSERT_EQ(font->FontKeyFromFont(fontRef, &key), kNoErr);
  char name[8];
  ASSERT_EQ(font->GetFontName(key, name, 6), kNoErr);  // at most 6 bytes, then NUL
  EXPECT_STREQ(name, "A Font");
  AIReal real = 0;
  ASInt32 integer = 0;
  ASBoolean flag = 0;
  features->GetFontSize(first, &assigned, &real);
  EXPECT_EQ(real, 9);
  features->GetAutoLeading(first, &assigned, &flag);
  EXPECT_TRUE(flag);
  features->GetLeading(first, &assigned, &real);
  EXPECT_DOUBLE_EQ(real, 10.8);
  features->GetTracking(first, &assigned, &integer);
  EXPECT_EQ(integer, 40);
  features->GetBaselineShift(first, &assigned, &real);
  EXPECT_EQ(real, -2);
  features->GetHorizontalScale(first, &assigned, &real);
  EXPECT_EQ(real, 0.8);
  features->GetStroke(first, &assigned, &flag);
  EXPECT_TRUE(flag);
  features->GetLineWidth(first, &assigned, &real);
  EXPECT_EQ(real, 0.3);

  ATEApplicationPaintRef fill = nullptr, stroke = nullptr;
  features->GetFillColor(first, &assigned, &fill);
  features->GetStrokeColor(first, &assigned, &stroke);
  AIColor color;
  ASSERT_EQ(paint->GetAIColor(fill, &color), kNoErr);
  ASSERT_EQ(color.kind, kCustomColor);
  EXPECT_EQ(color.c.c.tint, 0.5);
  AICustomColor definition;
  ASSERT_EQ(custom->GetCustomColor(color.c.c.color, &definition), kNoErr);
  EXPECT_EQ(definition.kind, kCustomFourColor);
  EXPECT_EQ(definition.c.f.magenta, 0.9);
  char colorName[10];
  EXPECT_EQ(custom->GetCustomColorName(color.c.c.color, colorName, sizeof colorName), kNoErr);
  EXPECT_STREQ(colorName, "Brand Red");
  EXPECT_EQ(custom->GetCustomColorName(color.c.c.color, colorName, 9), kBadParameterErr);
  ASSERT_EQ(paint->GetAIColor(stroke, &color), kNoErr);
  EXPECT_EQ(color.kind, kGrayColor);
  EXPECT_EQ(color.c.g.gray, 0.25);
  EXPECT_EQ(features->Release(first), kNoErr);
  EXPECT_EQ(paint->GetAIColor(fill, &color), kBadParameterErr);  // died with its features

  // At the end of the story: the last character's features.
  ATECharFeaturesRef last = featuresAt(3);
  features->GetFillColor(last, &assigned, &fill);
  paint->GetAIColor(fill, &color);
  EXPECT_EQ(color.kind, kThreeColor);
  EXPECT_EQ(color.c.rgb.blue, 0.6);
  features->Release(last);

  // Over characters that differ, what differs is not assigned.
  range->SetStart(r, 0);
  range->SetEnd(r, 3);
  ATECharFeaturesRef all = nullptr;
  ASSERT_EQ(range->GetUniqueCharFeatures(r, &all), kNoErr);
  features->GetFontSize(all, &assigned, &real);
  EXPECT_FALSE(assigned);
  features->GetFill(all, &assigned, &flag);
  EXPECT_TRUE(assigned);
  EXPECT_TRUE(flag);
  features->Release(all);
  EXPECT_EQ(features->Release(all), kATEBadParameterErr);
  range->Release(r);
}

}  // namespace
}  // namespace vhost
