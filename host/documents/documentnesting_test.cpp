// Deeply nested documents: refused past the nesting limit with a message,
// and at the limit every walk over the document (reading, bounds, the
// dumps, saving, copying, disposing) works, without recursion deep enough
// to exhaust the stack (these tests run under AddressSanitizer too, whose
// frames are larger).
#include <gtest/gtest.h>

#include <string>

#include "document.h"
#include "documentdump.h"

namespace vhost {
namespace {

const char kHead[] = "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'>";

// `inner` inside `count` nested elements `name`.
std::string Nest(const std::string &name, int count, const std::string &inner) {
  std::string out;
  for (int i = 0; i < count; ++i) out += "<" + name + ">";
  out += inner;
  for (int i = 0; i < count; ++i) out += "</" + name + ">";
  return out;
}

// `groups` nested groups, each one unit to the right of its parent, around a
// one-unit square: the root, the groups and the square nest groups + 2 deep.
std::string NestedGroups(int groups) {
  std::string svg = kHead;
  for (int i = 0; i < groups; ++i)
    svg += "<g id='g" + std::to_string(i) + "' transform='translate(1,0)'>";
  svg += "<rect id='r' width='1' height='1'/>";
  for (int i = 0; i < groups; ++i) svg += "</g>";
  return svg + "</svg>";
}

TEST(DocumentNesting, DeeperThanTheLimitIsRefusedWithAMessage) {
  const int limit = Document::kMaxNesting;
  const std::string head = kHead;
  struct {
    const char *name;
    std::string svg;
    int depth;  // 0: loads
  } const cases[] = {
      {"15,000 groups", NestedGroups(15000), 15002},
      {"5,000 groups", NestedGroups(5000), 5002},
      {"one past the limit", NestedGroups(limit - 1), limit + 1},
      {"at the limit", NestedGroups(limit - 2), 0},
      {"deep in definitions, not art", head + Nest("defs", limit, "") + "</svg>", limit + 1},
      {"deep inside a text", head + "<text>" + Nest("tspan", limit, "x") + "</text></svg>",
       limit + 2},
  };
  for (const auto &c : cases) {
    std::string error;
    std::unique_ptr<Document> doc = Document::Parse(c.svg, &error);
    if (c.depth == 0) {
      EXPECT_NE(doc, nullptr) << c.name << ": " << error;
      continue;
    }
    EXPECT_EQ(doc, nullptr) << c.name;
    EXPECT_EQ(error, "its elements nest " + std::to_string(c.depth) +
                         " deep; a document may nest at most " + std::to_string(limit) + " deep")
        << c.name;
  }
}

TEST(DocumentNesting, AtTheLimitEveryWalkWorks) {
  const int groups = Document::kMaxNesting - 2;
  std::string error;
  std::unique_ptr<Document> doc = Document::Parse(NestedGroups(groups), &error);
  ASSERT_NE(doc, nullptr) << error;

  // Each group moves the square one unit: every group's bounds hold the
  // transforms of all its ancestors and its own.
  const AIRealRect outer = doc->FindArtById("g0")->Bounds();
  EXPECT_EQ(outer.left, groups);
  EXPECT_EQ(outer.right, groups + 1);
  EXPECT_EQ(outer.top, 0);
  EXPECT_EQ(outer.bottom, -1);
  const AIRealRect middle = doc->FindArtById("g" + std::to_string(groups / 2))->Bounds();
  EXPECT_EQ(middle.left, groups);
  EXPECT_EQ(doc->FindArtById("r")->Bounds().left, groups);

  int deepest = 0;
  size_t count = 0;
  doc->ForEachArt([&](Art &, int depth) {
    deepest = std::max(deepest, depth);
    ++count;
  });
  EXPECT_EQ(deepest, groups + 1);
  EXPECT_EQ(count,
            static_cast<size_t>(groups + 2));  // the layer (the root), the groups, the square

  const std::string tree = DescribeDocument(*doc);
  EXPECT_NE(tree.find(std::string(2 * (groups + 1), ' ') + "path #r [" + std::to_string(groups) +
                      ", 0, " + std::to_string(groups + 1) + ", -1]\n"),
            std::string::npos);
  const std::string json = DescribeDocumentJson(*doc);
  EXPECT_NE(json.find("\"id\":\"r\""), std::string::npos);

  std::unique_ptr<Document> again = Document::Parse(doc->Serialize(), &error);
  ASSERT_NE(again, nullptr) << error;
  EXPECT_EQ(DescribeDocumentJson(*again), json);

  // A copy of the whole nest beside it, then both gone again.
  Art &nest = *doc->FindArtById("g0");
  Art *copy = doc->Duplicate(nest, kPlaceAbove, nest, &error);
  ASSERT_NE(copy, nullptr) << error;
  EXPECT_EQ(copy->Bounds().left, groups);
  EXPECT_TRUE(doc->Dispose(*copy));
  EXPECT_TRUE(doc->Dispose(nest));
  EXPECT_EQ(doc->FindArtById("r"), nullptr);
}

TEST(DocumentNesting, NothingIsPlacedPastTheLimit) {
  const int groups = Document::kMaxNesting - 2;  // the square at the limit
  std::string error;
  std::unique_ptr<Document> doc = Document::Parse(NestedGroups(groups), &error);
  ASSERT_NE(doc, nullptr) << error;
  Art &innermost = *doc->FindArtById("g" + std::to_string(groups - 1));

  Art *group = doc->NewArt("g", kPlaceInsideOnTop, innermost, &error);
  ASSERT_NE(group, nullptr) << error;
  const std::string refused =
      "placed there, the art would nest " + std::to_string(Document::kMaxNesting + 1) +
      " deep; a document may nest at most " + std::to_string(Document::kMaxNesting) + " deep";
  error.clear();
  EXPECT_EQ(doc->NewArt("g", kPlaceInsideOnTop, *group, &error), nullptr);
  EXPECT_EQ(error, refused);
  // A copy of the whole nest inside its own first group, and a copy of the
  // innermost group beside the new one, which is as deep as it may go.
  error.clear();
  EXPECT_EQ(
      doc->Duplicate(*doc->FindArtById("g0"), kPlaceInsideOnTop, *doc->FindArtById("g0"), &error),
      nullptr);
  EXPECT_NE(error.find("a document may nest at most"), std::string::npos) << error;
  error.clear();
  EXPECT_EQ(doc->Duplicate(innermost, kPlaceAbove, *group, &error), nullptr);
  EXPECT_EQ(error, refused);

  // What was allowed still opens once saved.
  EXPECT_NE(Document::Parse(doc->Serialize(), &error), nullptr) << error;
}

TEST(DocumentNesting, TextNestedToTheLimitIsRead) {
  const int spans = Document::kMaxNesting - 2;  // the root, the text, the spans
  std::string svg = kHead;
  svg += "<text id='t'>";
  for (int i = 0; i < spans; ++i)
    svg += "<tspan>" + std::string(1, static_cast<char>('a' + i % 26));
  for (int i = 0; i < spans; ++i) svg += "</tspan>";
  svg += "</text></svg>";
  std::string error;
  std::unique_ptr<Document> doc = Document::Parse(svg, &error);
  ASSERT_NE(doc, nullptr) << error;
  const TextStory *story = doc->FindArtById("t")->Story();
  ASSERT_NE(story, nullptr);
  EXPECT_EQ(story->Size(), static_cast<size_t>(spans));
  EXPECT_EQ(story->Text().substr(0, 3), u"abc");
}

}  // namespace
}  // namespace vhost
