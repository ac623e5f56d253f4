// Selecting art as a user clicks it.
#include <gtest/gtest.h>

#include "document.h"

namespace vhost {
namespace {

const char kSvg[] =
    "<svg xmlns='http://www.w3.org/2000/svg' "
    "xmlns:inkscape='http://www.inkscape.org/namespaces/inkscape'"
    " xmlns:sodipodi='http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd'>"
    "<g inkscape:groupmode='layer' id='hidden' style='display:none'><text "
    "id='inhidden'>h</text></g>"
    "<g inkscape:groupmode='layer' id='locked' sodipodi:insensitive='true'><text "
    "id='inlocked'>l</text></g>"
    "<g inkscape:groupmode='layer' id='open'>"
    "<text id='a'>a</text><text id='b'>b</text><text id='lockedframe' "
    "sodipodi:insensitive='true'>c</text>"
    "<g id='group'><text id='c'>c</text><g id='inner'><text id='d'>d</text></g></g>"
    "<g id='lockedgroup' sodipodi:insensitive='true'><text id='e'>e</text></g>"
    "</g></svg>";

std::string SelectedIds(const Document &doc) {
  std::string out;
  for (Art *art : doc.Selection()) out += (out.empty() ? "" : " ") + art->Id();
  return out;
}

TEST(DocumentSelection, AClickSelectsTheArtAndWhatIsInsideIt) {
  std::string error;
  auto doc = Document::Parse(kSvg, &error);
  ASSERT_TRUE(doc) << error;
  Document &d = *doc;
  ASSERT_TRUE(d.Click(*d.FindArtById("a")));
  EXPECT_EQ(SelectedIds(d), "a");
  ASSERT_TRUE(d.Click(*d.FindArtById("b")));
  EXPECT_EQ(SelectedIds(d), "b") << "a plain click replaces the selection";
  ASSERT_TRUE(d.Click(*d.FindArtById("a"), true));
  EXPECT_EQ(SelectedIds(d), "b a") << "shift adds";
  ASSERT_TRUE(d.Click(*d.FindArtById("group")));
  EXPECT_EQ(SelectedIds(d), "group inner d c");

  for (const char *id : {"inhidden", "inlocked", "lockedframe", "e", "lockedgroup", "open"}) {
    EXPECT_FALSE(d.Click(*d.FindArtById(id))) << id;
    EXPECT_EQ(SelectedIds(d), "group inner d c") << id << " left the selection alone";
  }
}

}  // namespace
}  // namespace vhost
