// Fresh ids of copies: unique in the file, counting on per id.
#include <gtest/gtest.h>

#include "document.h"

namespace vhost {
namespace {

TEST(DocumentIds, CopiesCountOnAndSkipIdsTheFileHolds) {
  std::string error;
  auto doc = Document::Parse(
      "<svg xmlns=\"http://www.w3.org/2000/svg\"><g id=\"slot\"><rect id=\"r\" width=\"1\" "
      "height=\"1\"/>"
      "</g><rect id=\"slot-2\" width=\"1\" height=\"1\"/></svg>",
      &error);
  ASSERT_TRUE(doc) << error;
  Art *slot = doc->FindArtById("slot");
  std::vector<std::string> ids;
  for (int i = 0; i < 3; ++i) {
    Art *copy = doc->Duplicate(*slot, kPlaceAbove, *slot, &error);
    ASSERT_TRUE(copy) << error;
    ids.push_back(copy->Id());
    ids.push_back(copy->FirstChild()->Id());
  }
  EXPECT_EQ(ids, (std::vector<std::string>{"slot-1", "r-1", "slot-3", "r-2", "slot-4", "r-3"}));
  // A copy of a copy takes its own base.
  Art *again = doc->Duplicate(*doc->FindArtById("slot-1"), kPlaceAbove, *slot, &error);
  ASSERT_TRUE(again) << error;
  EXPECT_EQ(again->Id(), "slot-1-1");
}

}  // namespace
}  // namespace vhost
