// String tags in files: values round-trip byte for byte, plain text stays
// readable, any name can be stored.
#include <gtest/gtest.h>

#include "document.h"
#include "svgtags.h"

namespace vhost {
namespace {

const char kSvg[] =
    "<svg xmlns='http://www.w3.org/2000/svg' "
    "xmlns:inkscape='http://www.inkscape.org/namespaces/inkscape'>"
    "<g inkscape:groupmode='layer'><text id='t'>x</text></g></svg>";

std::unique_ptr<Document> Parse(const std::string &text) {
  std::string error;
  auto doc = Document::Parse(text, &error);
  EXPECT_NE(doc, nullptr) << error;
  return doc;
}

std::string AllBytes() {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  return all;
}

TEST(DocumentTags, ValuesRoundTripByteForByte) {
  const std::string script = "価格";  // E4 BE A1 E6 A0 BC
  struct {
    const char *name;
    std::string value;
    bool readable;  // kept as plain text in the file
  } cases[] = {
      {"empty", "", true},
      {"ASCII", "[name] and [address]", true},
      {"CR paragraph ends", "[name]\r[address]\r", true},
      {"tab and line feed", "a\tb\nc\r\n", true},
      {"UTF-8 text", script, true},
      {"markup characters and a percent", "<a href=\"x\">&amp;</a> 100%", true},
      {"cut inside a character", script.substr(0, 4), false},
      {"starting inside a character", script.substr(1), false},
      {"control bytes", std::string("a\x01\x02\x1F\x7F", 5), false},
      {"percent beside a control byte", "%41%\x01", false},
      {"an encoded surrogate", "\xED\xA0\x80", false},
      {"a non-character", "\xEF\xBF\xBE", false},
      {"an overlong form", "\xC0\xAF", false},
      {"every byte", AllBytes(), false},
  };
  for (const auto &c : cases) {
    auto doc = Parse(kSvg);
    ASSERT_TRUE(doc->FindArtById("t")->SetTag("value", c.value));
    const std::string file = doc->Serialize();
    auto again = Parse(file);
    const std::string *read = again->FindArtById("t")->Tag("value");
    ASSERT_NE(read, nullptr) << c.name;
    EXPECT_EQ(*read, c.value) << c.name << "\n" << file;
    EXPECT_EQ(file.find("vardotag:value=") != std::string::npos, c.readable) << c.name << "\n"
                                                                             << file;
    EXPECT_EQ(file.find("vardotagx:value=") != std::string::npos, !c.readable) << c.name << "\n"
                                                                               << file;
  }
}

TEST(DocumentTags, ReadableValuesShowAsTheyAre) {
  auto doc = Parse(kSvg);
  doc->FindArtById("t")->SetTag("vardo2_script", "価格[price]\r円");
  const std::string file = doc->Serialize();
  EXPECT_NE(file.find("vardotag:vardo2_script=\"価格[price]&#13;円\""), std::string::npos) << file;
  // A value cut inside a character keeps the whole characters readable.
  doc->FindArtById("t")->SetTag("piece", std::string("価格").substr(0, 5));
  EXPECT_NE(doc->Serialize().find("vardotagx:piece=\"価%E6%A0\""), std::string::npos);
}

TEST(DocumentTags, AnyNameCanBeStored) {
  const char *names[] = {"vardo2_script_9", "VRTag", "with blank", "9lead", "a:b",
                         "_x41_",           "日本",  "-dash",      "x_x"};
  auto doc = Parse(kSvg);
  for (const char *name : names) doc->FindArtById("t")->SetTag(name, name);
  auto again = Parse(doc->Serialize());
  const auto &tags = again->FindArtById("t")->Tags();
  EXPECT_EQ(tags.size(), std::size(names));
  for (const char *name : names) {
    const std::string *value = again->FindArtById("t")->Tag(name);
    ASSERT_NE(value, nullptr) << name;
    EXPECT_EQ(*value, name);
  }
  EXPECT_EQ(svg::EncodeTagName("vardo2_script"), "vardo2_script");
  EXPECT_FALSE(doc->FindArtById("t")->SetTag("", "x"));
}

TEST(DocumentTags, ChangingAndRemovingRewriteTheAttribute) {
  auto doc = Parse(kSvg);
  Art *art = doc->FindArtById("t");
  art->SetTag("v", std::string("\x01", 1));
  art->SetTag("v", "plain");  // the escaped form must go
  std::string file = doc->Serialize();
  EXPECT_EQ(file.find("vardotagx:v"), std::string::npos) << file;
  EXPECT_TRUE(art->RemoveTag("v"));
  EXPECT_FALSE(art->RemoveTag("v"));
  file = doc->Serialize();
  EXPECT_EQ(file.find(":v="), std::string::npos) << file;
  EXPECT_EQ(Parse(file)->FindArtById("t")->Tag("v"), nullptr);
}

TEST(DocumentTags, ThePlainFormWinsOverAnEscapedOne) {
  auto doc = Parse(
      "<svg xmlns='http://www.w3.org/2000/svg' xmlns:t='urn:vardo:tag:1' "
      "xmlns:b='urn:vardo:tag-bytes:1'>"
      "<rect id='r' b:k='%01' t:k='text' b:only='a%25b%FF'/></svg>");
  Art *rect = doc->FindArtById("r");
  EXPECT_EQ(*rect->Tag("k"), "text");
  EXPECT_EQ(*rect->Tag("only"), "a%b\xFF");
}

}  // namespace
}  // namespace vhost
