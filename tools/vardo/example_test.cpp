// The shipped example, which ./dev.sh run shows, still reads as its README
// describes it.
#include <gtest/gtest.h>

#include <string>

#include "vardo_testing.h"

namespace {

const std::string kExamples = VARDO_SOURCE_DIR "/examples/";

TEST(ShippedExample, TheTableAndTheTemplateReadAsDescribed) {
  vardo::testing::VardoRun table = vardo::testing::RunVardo("table dump " + kExamples + "addresses.csv");
  ASSERT_EQ(table.status, 0) << table.err;
  EXPECT_EQ(table.out.rfind("{\"loaded\": true, \"encoding\": 4, \"count\": 6,", 0), 0u) << table.out;
  EXPECT_NE(table.out.find("\"東京都渋谷区神宮前4-1 表参道ビル\", \"有限会社 ｻﾄｳ商店\""), std::string::npos);
  EXPECT_NE(table.out.find("\"大阪府大阪市北区梅田1-1, 3階\""), std::string::npos);
  EXPECT_NE(table.out.find("\"\\\"高橋\\\"デザイン\""), std::string::npos);

  vardo::testing::VardoRun scripts = vardo::testing::RunVardo("script list --json " + kExamples + "template.svg");
  ASSERT_EQ(scripts.status, 0) << scripts.err;
  const std::string script = "\"script\": \"[氏名]\\r\\n[会社]\\r\\n〒[郵便番号] [住所]\\r\\n[ウェブ]\"";
  for (const char *frame : {"card1-text", "card2-text"}) {
    SCOPED_TRACE(frame);
    const size_t at = scripts.out.find(std::string("\"id\": \"") + frame + "\"");
    ASSERT_NE(at, std::string::npos) << scripts.out;
    EXPECT_EQ(scripts.out.find("\"carriesScript\": true", at), scripts.out.find("\"carriesScript\"", at));
    EXPECT_EQ(scripts.out.find(script, at), scripts.out.find("\"script\"", at)) << scripts.out;
  }
}

}  // namespace
