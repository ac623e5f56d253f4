// The document model over an editor's file: layers and host order, bounds,
// duplicate and dispose, handles, and what a save keeps.
#include "document.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <pugixml.hpp>
#include <sstream>

#include "documentdump.h"
#include "documenthandles.h"
#include "platform/savefile_testing.h"

namespace vhost {
namespace {

const std::string kTemplate = VARDO_SOURCE_DIR "/host/testdata/template.svg";

std::unique_ptr<Document> LoadTemplate() {
  std::string error;
  auto doc = Document::Load(kTemplate, &error);
  EXPECT_TRUE(doc) << error;
  return doc;
}

std::unique_ptr<Document> Reparse(Document &doc) {
  std::string error;
  auto again = Document::Parse(doc.Serialize(), &error);
  EXPECT_TRUE(again) << error;
  return again;
}

std::string Ids(Art *first) {
  std::string out;
  for (Art *art = first; art; art = art->Sibling()) out += (out.empty() ? "" : " ") + art->Id();
  return out;
}

// Every element, attribute (in order) and text node of `a` is in `b` in the
// same place.
void ExpectSameTree(pugi::xml_node a, pugi::xml_node b, const std::string &where) {
  ASSERT_EQ(a.type(), b.type()) << where;
  ASSERT_STREQ(a.name(), b.name()) << where;
  ASSERT_STREQ(a.value(), b.value()) << where;
  auto ia = a.attributes_begin(), ib = b.attributes_begin();
  for (; ia != a.attributes_end() && ib != b.attributes_end(); ++ia, ++ib) {
    EXPECT_STREQ(ia->name(), ib->name()) << where;
    EXPECT_STREQ(ia->value(), ib->value()) << where << "/@" << ia->name();
  }
  EXPECT_TRUE(ia == a.attributes_end() && ib == b.attributes_end()) << where << ": attribute count";
  pugi::xml_node ca = a.first_child(), cb = b.first_child();
  for (int i = 0; ca && cb; ca = ca.next_sibling(), cb = cb.next_sibling(), ++i) {
    ExpectSameTree(ca, cb, where + "/" + a.name() + "[" + std::to_string(i) + "]");
  }
  EXPECT_TRUE(!ca && !cb) << where << ": child count";
}

void ExpectRect(const AIRealRect &r, double left, double top, double right, double bottom,
                const std::string &what) {
  EXPECT_NEAR(r.left, left, 1e-9) << what;
  EXPECT_NEAR(r.top, top, 1e-9) << what;
  EXPECT_NEAR(r.right, right, 1e-9) << what;
  EXPECT_NEAR(r.bottom, bottom, 1e-9) << what;
}

TEST(Document, LayersAreTheRootLayerGroupsFrontmostLast) {
  auto doc = LoadTemplate();
  ASSERT_EQ(doc->LayerCount(), 2u);
  EXPECT_EQ(doc->NthLayer(0)->Name(), "Records");
  EXPECT_TRUE(doc->NthLayer(0)->Visible());
  EXPECT_TRUE(doc->NthLayer(0)->Editable());
  EXPECT_EQ(doc->NthLayer(1)->Name(), "Background");
  EXPECT_FALSE(doc->NthLayer(1)->Editable());
  EXPECT_EQ(doc->NthLayer(2), nullptr);
  EXPECT_TRUE(doc->NthLayer(0)->group->IsLayerGroup());
  EXPECT_EQ(doc->NthLayer(0)->group->Type(), kGroupArt);
}

TEST(Document, HostOrderIsFrontToBack) {
  auto doc = LoadTemplate();
  Art *layer = doc->NthLayer(0)->group;
  // The last element of a parent is its first child; unknown elements are
  // not art.
  EXPECT_EQ(Ids(layer->FirstChild()), "slot2 slot1");
  EXPECT_EQ(Ids(doc->FindArtById("slot2")->FirstChild()), "photo dot area1 locked1");
  EXPECT_EQ(Ids(doc->FindArtById("tmpl1")->FirstChild()), "hiddenframe name1");
  EXPECT_EQ(doc->FindArtById("name1")->Parent(), doc->FindArtById("tmpl1"));
  EXPECT_EQ(layer->Parent(), nullptr);

  struct {
    const char *id;
    ASInt16 type;
    ASInt32 attributes;
  } cases[] = {
      {"slot1", kGroupArt, 0},
      {"name1", kTextFrameArt, 0},
      {"hiddenframe", kPathArt, kArtHidden},
      {"locked1", kPathArt, kArtLocked},
      {"area1", kTextFrameArt, 0},
      {"photo", kPlacedArt, 0},
      {"dot", kPathArt, 0},
  };
  for (const auto &c : cases) {
    Art *art = doc->FindArtById(c.id);
    ASSERT_NE(art, nullptr) << c.id;
    EXPECT_EQ(art->Type(), c.type) << c.id;
    EXPECT_EQ(art->UserAttributes(), c.attributes) << c.id;
  }
}

TEST(Document, BoundsAreInArtworkCoordinatesThroughTransforms) {
  auto doc = LoadTemplate();
  struct {
    const char *id;
    double left, top, right, bottom;
  } cases[] = {
      {"backdrop", 0, 0, 595, -842},
      // Text: 4 ASCII characters of 12 pt at 0.5 em, 0.8 em above the
      // baseline and 0.2 em below, moved by (25, 35).
      {"name1", 35, -65.4, 59, -77.4},
      {"hiddenframe", 25, -35, 125, -85},
      {"tmpl1", 25, -35, 125, -85},
      {"locked1", 300, -30, 350, -80},
      // Area text: its shape in <defs>, in the text's user space.
      {"area1", 600, -130, 800, -210},
      {"dot", 390, -120, 410, -140},
      {"photo", 310, -150, 350, -180},
      {"slot2", 300, -30, 800, -210},
  };
  for (const auto &c : cases) {
    ExpectRect(doc->FindArtById(c.id)->Bounds(), c.left, c.top, c.right, c.bottom, c.id);
  }
  AIRealRect area;
  EXPECT_TRUE(doc->FindArtById("area1")->AreaBox(&area));
  EXPECT_FALSE(doc->FindArtById("name1")->AreaBox(&area));
  ExpectRect(doc->PageBounds(), 0, 0, 595, -842, "page");
}

TEST(Document, TagsAndCustomColoursAreRead) {
  auto doc = LoadTemplate();
  const std::string *script = doc->FindArtById("name1")->Tag("vardo2_script");
  ASSERT_NE(script, nullptr);
  EXPECT_EQ(*script, "[name]\r[address]");
  const std::string *group = doc->FindArtById("tmpl1")->Tag("vardo2_group");
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(*group, "");
  EXPECT_EQ(doc->FindArtById("slot1")->Tag("vardo2_group"), nullptr);
  const CustomColor *red = doc->FindCustomColor("Brand Red");
  ASSERT_NE(red, nullptr);
  EXPECT_EQ(red->kind, CustomColor::kCMYK);
  EXPECT_DOUBLE_EQ(red->c[1], 0.9);
  EXPECT_DOUBLE_EQ(red->c[3], 0.05);
}

TEST(Document, SavedUnchangedKeepsEveryNode) {
  auto doc = LoadTemplate();
  pugi::xml_document original, saved;
  ASSERT_TRUE(original.load_file(kTemplate.c_str(), pugi::parse_full | pugi::parse_ws_pcdata));
  const std::string text = doc->Serialize();
  ASSERT_TRUE(saved.load_string(text.c_str(), pugi::parse_full | pugi::parse_ws_pcdata));
  ExpectSameTree(original, saved, "");
}

TEST(Document, EditsKeepWhatTheEditorPutThere) {
  auto doc = LoadTemplate();
  doc->FindArtById("name1")->SetTag("vardo2_script", "changed");
  doc->FindArtById("locked1")->SetLocked(false);
  doc->FindArtById("dot")->SetHidden(true);
  TextStory *story = doc->FindArtById("area1")->Story();
  story->Replace(0, story->Size(), u"New\rprice", story->FeaturesAt(0));
  std::string error;
  ASSERT_TRUE(
      doc->Duplicate(*doc->FindArtById("name1"), kPlaceAbove, *doc->FindArtById("tmpl1"), &error))
      << error;

  pugi::xml_document saved;
  const std::string text = doc->Serialize();
  ASSERT_TRUE(saved.load_string(text.c_str(), pugi::parse_full | pugi::parse_ws_pcdata));
  auto byId = [&](const char *id) {
    return saved.find_node(
        [&](pugi::xml_node n) { return std::string(n.attribute("id").value()) == id; });
  };
  EXPECT_STREQ(byId("locked1").attribute("foo:marker").value(), "m");
  EXPECT_FALSE(byId("locked1").attribute("sodipodi:insensitive"));
  EXPECT_STREQ(byId("dot").attribute("style").value(), "display:none");
  EXPECT_STREQ(byId("layer2").attribute("data-note").value(), "kept");
  pugi::xml_node widget =
      saved.find_node([](pugi::xml_node n) { return std::string(n.name()) == "foo:widget"; });
  EXPECT_STREQ(widget.child_value(), "unknown content");
  EXPECT_STREQ(widget.attribute("foo:size").value(), "3");
  EXPECT_STREQ(byId("swatch1").attribute("inkscape:swatch").value(), "solid");
  EXPECT_TRUE(byId("namedview1"));
  EXPECT_TRUE(byId("metadata1").child("rdf:RDF"));
  EXPECT_NE(text.find("<?editor-hint keep-me?>"), std::string::npos);
  EXPECT_NE(text.find("<!-- A record template as an editor saves it. -->"), std::string::npos);
  // The area text keeps its shape and its own ids' elements; only its
  // content changed.
  pugi::xml_node area = byId("area1");
  EXPECT_NE(std::string(area.attribute("style").value()).find("shape-inside:url(#rect-area)"),
            std::string::npos);
  EXPECT_TRUE(byId("rect-area"));
  // An untouched text keeps its editor markup (its tspan's id).
  EXPECT_TRUE(byId("tspan1"));
}

TEST(Document, LoadSaveLoadGivesTheSameModel) {
  auto doc = LoadTemplate();
  doc->SetPath({});
  // Changes of every kind first, so that what is written is ours too.
  Art *name = doc->FindArtById("name1");
  name->SetTag("bytes", std::string("a\r\x01\xE3\x81", 5));
  TextStory *story = name->Story();
  CharFeatures bold = story->FeaturesAt(0);
  bold.size = 20;
  bold.fillColor = Color::Custom(doc->FindCustomColor("Brand Red"), 0.5);
  story->Replace(story->Size(), story->Size(), u"\rsecond", bold);
  std::string error;
  ASSERT_TRUE(
      doc->Duplicate(*doc->FindArtById("slot2"), kPlaceBelow, *doc->FindArtById("slot1"), &error));
  ASSERT_TRUE(doc->Dispose(*doc->FindArtById("dot")));

  auto once = Reparse(*doc);
  auto twice = Reparse(*once);
  EXPECT_EQ(DescribeDocumentJson(*doc), DescribeDocumentJson(*once));
  EXPECT_EQ(DescribeDocumentJson(*once), DescribeDocumentJson(*twice));
}

TEST(Document, PlaceAboveIsRightAfterTheReferenceAndKeepsThePage) {
  auto doc = LoadTemplate();
  Art *name = doc->FindArtById("name1");
  Art *tmpl = doc->FindArtById("tmpl1");
  const AIRealRect before = name->Bounds();
  std::string error;
  Art *copy = doc->Duplicate(*name, kPlaceAbove, *tmpl, &error);
  ASSERT_NE(copy, nullptr) << error;
  // In the file: right after the template group; for the host: in front of it.
  pugi::xml_node next = tmpl->Node().next_sibling();
  while (next.type() == pugi::node_pcdata) next = next.next_sibling();
  EXPECT_EQ(next, copy->Node());
  EXPECT_EQ(Ids(doc->FindArtById("slot1")->FirstChild()), copy->Id() + " tmpl1");
  EXPECT_EQ(copy->Id(), "name1-1");
  EXPECT_EQ(copy->Parent(), doc->FindArtById("slot1"));
  // The template group moved it by (5, 5); the copy carries that itself.
  EXPECT_STREQ(copy->Node().attribute("transform").value(), "translate(5,5)");
  ExpectRect(copy->Bounds(), before.left, before.top, before.right, before.bottom, "copy");
  ASSERT_NE(copy->Tag("vardo2_script"), nullptr);
  EXPECT_EQ(*copy->Tag("vardo2_script"), *name->Tag("vardo2_script"));
  EXPECT_EQ(copy->Story()->Text(), name->Story()->Text());
  EXPECT_NE(copy->Handle(), name->Handle());
}

TEST(Document, PaintOrdersPlaceTheCopy) {
  struct {
    ASInt16 order;
    const char *prep;
    const char *hostOrderAfter;  // the children of slot2 in host order, or the error
  } cases[] = {
      {kPlaceAbove, "dot", "photo dot-1 dot area1 locked1"},
      {kPlaceBelow, "dot", "photo dot dot-1 area1 locked1"},
      {kPlaceInsideOnTop, "slot2", "dot-1 photo dot area1 locked1"},
      {kPlaceInsideOnBottom, "slot2", "photo dot area1 locked1 dot-1"},
      {kPlaceInsideOnTop, "photo", "error"},
      {kPlaceAbove, "layer2", "error"},
      {99, "dot", "error"},
  };
  for (const auto &c : cases) {
    auto doc = LoadTemplate();
    std::string error;
    Art *copy =
        doc->Duplicate(*doc->FindArtById("dot"), c.order, *doc->FindArtById(c.prep), &error);
    if (std::string(c.hostOrderAfter) == "error") {
      EXPECT_EQ(copy, nullptr) << c.order << " " << c.prep;
      EXPECT_FALSE(error.empty());
      continue;
    }
    ASSERT_NE(copy, nullptr) << error;
    EXPECT_EQ(Ids(doc->FindArtById("slot2")->FirstChild()), c.hostOrderAfter)
        << c.order << " " << c.prep;
    // The tree and the file agree.
    auto again = Reparse(*doc);
    EXPECT_EQ(Ids(again->FindArtById("slot2")->FirstChild()), c.hostOrderAfter);
  }
}

TEST(Document, DuplicateCarriesUnsavedTextAndNestedArt) {
  auto doc = LoadTemplate();
  Art *name = doc->FindArtById("name1");
  name->Story()->Replace(0, 4, u"Edited", name->Story()->FeaturesAt(0));
  std::string error;
  Art *copy =
      doc->Duplicate(*doc->FindArtById("tmpl1"), kPlaceAbove, *doc->FindArtById("tmpl1"), &error);
  ASSERT_NE(copy, nullptr) << error;
  Art *copiedText = copy->FirstChild()->Sibling();
  ASSERT_NE(copiedText, nullptr);
  EXPECT_EQ(copiedText->Id(), "name1-1");
  EXPECT_EQ(copiedText->Story()->Text(), u"Edited");
  EXPECT_EQ(copy->FirstChild()->Id(), "hiddenframe-1");
  EXPECT_TRUE(copy->FirstChild()->Hidden());
  EXPECT_NE(copy->Tag("vardo2_group"), nullptr);
  auto again = Reparse(*doc);
  EXPECT_EQ(again->FindArtById("name1-1")->Story()->Text(), u"Edited");
}

TEST(Document, DisposeForgetsTheArtAndItsHandles) {
  auto doc = LoadTemplate();
  Art *tmpl = doc->FindArtById("tmpl1");
  Art *name = doc->FindArtById("name1");
  const AIArtHandle nameHandle = name->Handle();
  const uint32_t low = name->Low32();
  EXPECT_EQ(doc->FindArtByLow32(low), name);
  EXPECT_EQ(LookUpHandle(HandleKind::kArt, nameHandle), name);
  const size_t handles = LiveHandleCount();
  ASSERT_TRUE(doc->Dispose(*tmpl));
  EXPECT_EQ(LiveHandleCount(), handles - 3);  // the group, its text and its path
  EXPECT_EQ(doc->FindArtByLow32(low), nullptr);
  EXPECT_EQ(LookUpHandle(HandleKind::kArt, nameHandle), nullptr);
  EXPECT_EQ(doc->FindArtById("name1"), nullptr);
  EXPECT_EQ(doc->FindArtById("slot1")->FirstChild(), nullptr);
  EXPECT_FALSE(doc->Dispose(*doc->NthLayer(0)->group));
  EXPECT_EQ(doc->Serialize().find("tmpl1"), std::string::npos);
}

TEST(Document, HandlesAreUniqueInTheirLowHalfAcrossDocuments) {
  auto a = LoadTemplate();
  auto b = LoadTemplate();
  Art *first = a->FindArtById("name1");
  Art *second = b->FindArtById("name1");
  EXPECT_NE(first->Low32(), second->Low32());
  EXPECT_EQ(a->FindArtByLow32(second->Low32()), nullptr);
  EXPECT_EQ(LookUpHandle(HandleKind::kLayer, first->Handle()),
            nullptr);  // an art handle is no layer
}

TEST(Document, NewArtIsPlacedLikeACopy) {
  auto doc = LoadTemplate();
  std::string error;
  Art *path = doc->NewArt("path", kPlaceInsideOnTop, *doc->FindArtById("slot1"), &error);
  ASSERT_NE(path, nullptr) << error;
  path->Node().append_attribute("d").set_value("M 0 0 L 10 20");
  ExpectRect(path->Bounds(), 20, -30, 30, -50, "new path");
  EXPECT_EQ(doc->FindArtById("slot1")->FirstChild(), path);
  EXPECT_EQ(doc->NewArt("defs", kPlaceAbove, *doc->FindArtById("dot"), &error), nullptr);
}

// Long path data (a barcode's) is measured again and again; its bounds
// follow every change of the data, even one the length and both ends hide,
// and the place of the path.
TEST(Document, BoundsOfLongPathDataFollowTheDataAndThePlace) {
  auto doc = LoadTemplate();
  std::string error;
  auto longPath = [](const char *middle) {
    std::string d = "M 00 00";
    for (int i = 0; i < 100; ++i) d += " L 01 00";
    d += middle;
    for (int i = 0; i < 100; ++i) d += " L 01 00";
    return d + " L 10 20";
  };
  const std::string flat = longPath(" L 01 00"), tall = longPath(" L 01 90");
  ASSERT_EQ(flat.size(), tall.size());
  Art *one = doc->NewArt("path", kPlaceInsideOnTop, *doc->FindArtById("slot1"), &error);
  Art *two = doc->NewArt("path", kPlaceInsideOnTop, *doc->FindArtById("slot2"), &error);
  ASSERT_TRUE(one && two) << error;
  one->Node().append_attribute("d").set_value(flat.c_str());
  two->Node().append_attribute("d").set_value(flat.c_str());
  ExpectRect(one->Bounds(), 20, -30, 30, -50, "flat in slot1");
  ExpectRect(two->Bounds(), 300, -30, 310, -50, "flat in slot2");
  one->Node().attribute("d").set_value(tall.c_str());
  ExpectRect(one->Bounds(), 20, -30, 30, -120, "tall in slot1");
  ExpectRect(two->Bounds(), 300, -30, 310, -50, "flat in slot2, again");
}

// A file may bind a namespace to a prefix no name can begin with; what is
// written in that namespace then takes a prefix of its own, so the saved
// file reads back as the same document.
TEST(Document, APrefixNoNameCanBeginWithIsNotWrittenWith) {
  for (const char *prefix : {"3odipodi", "-s", ".s"}) {
    SCOPED_TRACE(prefix);
    const std::string text = std::string("<svg xmlns='http://www.w3.org/2000/svg' xmlns:") +
                             prefix +
                             "='http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd'><g id='L'>"
                             "<text id='t' x='1' y='2'>a</text></g></svg>";
    std::string error;
    auto doc = Document::Parse(text, &error);
    ASSERT_NE(doc, nullptr) << error;
    TextStory &story = *doc->FindArtById("t")->Story();
    story.Replace(1, 1, u"\rb", story.FeaturesAt(0));  // two lines: the role attribute
    const std::string saved = doc->Serialize();
    auto again = Document::Parse(saved, &error);
    ASSERT_NE(again, nullptr) << error << "\n" << saved;
    EXPECT_EQ(DescribeDocumentJson(*again), DescribeDocumentJson(*doc));
  }
}

TEST(Document, RefusesWhatIsNotAnSvgDocument) {
  struct {
    const char *text;
    const char *message;
  } cases[] = {
      {"<svg><g></svg>", "not well-formed XML"},
      {"<html/>", "not an SVG document"},
      {"", "not well-formed XML"},
      // The parser keeps both; which one counted would depend on the reader.
      {"<svg>\n<text fill='red' x='1' fill='blue'/></svg>",
       "attribute fill given twice on <text> at line 2"},
  };
  for (const auto &c : cases) {
    std::string error;
    EXPECT_EQ(Document::Parse(c.text, &error), nullptr) << c.text;
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
  std::string error;
  ASErr status = kNoErr;
  EXPECT_EQ(Document::Load("/nonexistent/file.svg", &error, &status), nullptr);
  EXPECT_EQ(status, kAIDocumentFileMissingErr);
  EXPECT_NE(error.find("/nonexistent/file.svg"), std::string::npos);
  EXPECT_EQ(Document::Load(::testing::TempDir(), &error, &status), nullptr);
  EXPECT_EQ(status, kAIDocumentFileMissingErr);
  EXPECT_NE(error.find("is a folder"), std::string::npos) << error;
}

TEST(Document, ADrawingWithoutLayersIsOneLayer) {
  std::string error;
  auto doc = Document::Parse(
      "<svg xmlns='http://www.w3.org/2000/svg'><rect id='r' width='10' height='10'/><circle id='c' "
      "r='1'/></svg>",
      &error);
  ASSERT_NE(doc, nullptr) << error;
  ASSERT_EQ(doc->LayerCount(), 1u);
  EXPECT_EQ(Ids(doc->NthLayer(0)->group->FirstChild()), "c r");
  EXPECT_TRUE(doc->NthLayer(0)->Editable());
}

TEST(Document, SaveWritesTheFileWhole) {
  auto doc = LoadTemplate();
  const std::string path = ::testing::TempDir() + "/document_save.svg";
  std::string error;
  doc->FindArtById("name1")->SetTag("vardo2_frame", "1");
  ASSERT_TRUE(doc->Save(path, &error)) << error;
  auto again = Document::Load(path, &error);
  ASSERT_NE(again, nullptr) << error;
  EXPECT_EQ(*again->FindArtById("name1")->Tag("vardo2_frame"), "1");
  EXPECT_FALSE(doc->Save("/nonexistent/dir/x.svg", &error));
  EXPECT_EQ(error, "/nonexistent/dir/x.svg: No such file or directory");
}

TEST(Document, AFaultAtAnySystemCallOfASaveLosesNothing) {
  auto doc = LoadTemplate();
  const std::string folder = ::testing::TempDir() + "document_faults";
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/doc.svg";
  const std::string before = savefile_testing::Bytes(kTemplate);
  doc->FindArtById("name1")->SetTag("vardo2_frame", "1");
  const std::string after = doc->Serialize();
  ASSERT_NE(after, before);
  std::string error;
  int faults = savefile_testing::ExpectEveryFailedCallHarmless(
      folder, path, before, after, [&] { std::ofstream(path, std::ios::binary) << before; },
      [&] { return doc->Save(path, &error); });
  EXPECT_GE(faults, 8);
}

}  // namespace
}  // namespace vhost
