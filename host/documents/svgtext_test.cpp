// Text frames in files: every character feature and colour kind survives a
// save and a load, and text as editors write it reads as they show it.
#include "svgtext.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "document.h"
#include "documentdump.h"
#include "svgstyle.h"

namespace vhost {
namespace {

const char kHead[] =
    "<svg xmlns='http://www.w3.org/2000/svg' "
    "xmlns:inkscape='http://www.inkscape.org/namespaces/inkscape' "
    "xmlns:sodipodi='http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd' "
    "xmlns:vardo='urn:vardo:document:1'>"
    "<defs><vardo:custom-color name='Spot &quot;C&quot;' cmyk='0 1 1 0'/>"
    "<vardo:custom-color name='Screen' rgb='0.1 0.2 0.3'/></defs>"
    "<g inkscape:groupmode='layer' id='layer'>";
const char kTail[] = "</g></svg>";

std::unique_ptr<Document> WithText(const std::string &text) {
  std::string error;
  auto doc = Document::Parse(kHead + text + kTail, &error);
  EXPECT_NE(doc, nullptr) << error;
  return doc;
}

std::unique_ptr<Document> Reparse(Document &doc) {
  std::string error;
  auto again = Document::Parse(doc.Serialize(), &error);
  EXPECT_NE(again, nullptr) << error;
  return again;
}

TextStory &StoryOf(Document &doc) { return *doc.FindArtById("t")->Story(); }

std::string StoryJson(Document &doc) {
  // The JSON dump of the one frame, for failure messages.
  const std::string all = DescribeDocumentJson(doc);
  const size_t at = all.find("\"text\":");
  return at == std::string::npos ? all : all.substr(at);
}

struct FeatureCase {
  const char *name;
  void (*change)(CharFeatures &f, Document &doc);
};

const FeatureCase kFeatureCases[] = {
    {"font with blanks and quotes",
     [](CharFeatures &f, Document &) { f.font = "Kozuka Mincho Pr6N 'R'"; }},
    // Written quoted with the quote escaped; the semicolon must not end the
    // declaration when it is read back.
    {"font with a lone quote and a semicolon",
     [](CharFeatures &f, Document &) { f.font = "I'PA;x:1"; }},
    {"size", [](CharFeatures &f, Document &) { f.size = 7.25; }},
    {"leading", [](CharFeatures &f, Document &) { f.autoLeading = false, f.leading = 14.4; }},
    {"automatic leading", [](CharFeatures &f, Document &) { f.autoLeading = true; }},
    {"tracking", [](CharFeatures &f, Document &) { f.tracking = -75; }},
    {"tracking at an odd size",
     [](CharFeatures &f, Document &) { f.size = 9.7, f.tracking = 333; }},
    {"baseline shift down", [](CharFeatures &f, Document &) { f.baselineShift = -2; }},
    {"baseline shift up", [](CharFeatures &f, Document &) { f.baselineShift = 3.5; }},
    {"horizontal scale", [](CharFeatures &f, Document &) { f.horizontalScale = 0.8; }},
    {"vertical scale", [](CharFeatures &f, Document &) { f.verticalScale = 1.25; }},
    {"no fill", [](CharFeatures &f, Document &) { f.fill = false; }},
    {"no fill, colour kept",
     [](CharFeatures &f, Document &) { f.fill = false, f.fillColor = Color::Gray(0.4); }},
    {"gray", [](CharFeatures &f, Document &) { f.fillColor = Color::Gray(0.3); }},
    {"four-colour", [](CharFeatures &f, Document &) { f.fillColor = Color::Cmyk(0, 1, 1, 0); }},
    {"four-colour, fine",
     [](CharFeatures &f, Document &) { f.fillColor = Color::Cmyk(0.123456789, 0, 0.5, 0.01); }},
    {"three-colour", [](CharFeatures &f, Document &) { f.fillColor = Color::Rgb(0.2, 0.4, 0.6); }},
    {"three-colour in CSS steps",
     [](CharFeatures &f, Document &) { f.fillColor = Color::Rgb(1, 0, 0); }},
    {"custom four-colour with tint",
     [](CharFeatures &f, Document &doc) {
       f.fillColor = Color::Custom(doc.FindCustomColor("Spot \"C\""), 0.5);
     }},
    {"custom three-colour",
     [](CharFeatures &f, Document &doc) {
       f.fillColor = Color::Custom(doc.FindCustomColor("Screen"), 1);
     }},
    {"stroke",
     [](CharFeatures &f, Document &) {
       f.stroke = true, f.lineWidth = 0.5, f.strokeColor = Color::Cmyk(1, 0, 0, 0);
     }},
    {"stroke in a custom colour",
     [](CharFeatures &f, Document &doc) {
       f.stroke = true, f.strokeColor = Color::Custom(doc.FindCustomColor("Screen"), 0.25);
     }},
    {"no stroke, colour and width kept",
     [](CharFeatures &f, Document &) {
       f.stroke = false, f.lineWidth = 2, f.strokeColor = Color::Rgb(0, 0.5, 0);
     }},
    {"everything at once",
     [](CharFeatures &f, Document &doc) {
       f.font = "Other", f.size = 30, f.autoLeading = false, f.leading = 33, f.tracking = 50,
       f.baselineShift = 1, f.horizontalScale = 1.1, f.verticalScale = 0.9,
       f.fillColor = Color::Gray(1), f.stroke = true,
       f.strokeColor = Color::Custom(doc.FindCustomColor("Spot \"C\""), 0.1), f.lineWidth = 0.25;
     }},
};

// A story of plain text, then a run in the case's features, a paragraph
// end in them, an empty paragraph and a last one back in the plain ones:
// every place a feature can sit.
TEST(SvgText, EveryFeatureRoundTrips) {
  for (const FeatureCase &c : kFeatureCases) {
    auto doc = WithText("<text id='t' x='5' y='20'>x</text>");
    TextStory &story = StoryOf(*doc);
    CharFeatures plain = story.FeaturesAt(0);
    plain.font = "Plain";
    plain.size = 12;
    CharFeatures special = plain;
    c.change(special, *doc);
    story.Replace(0, story.Size(), u"ab", plain);
    story.Append(u"cd\r", special);
    story.Append(u"\rlast", plain);
    auto again = Reparse(*doc);
    EXPECT_TRUE(StoryOf(*again) == story)
        << c.name << "\nwrote: " << doc->Serialize() << "\nread: " << StoryJson(*again);
    // The base style on the <text> element is the case's too.
    story.SetFeatures(0, story.Size(), special);
    auto base = Reparse(*doc);
    EXPECT_TRUE(StoryOf(*base) == story) << c.name << " as the base\nread: " << StoryJson(*base);
  }
}

// On a page in millimetres a size read from the file is points now; when
// the story is written again, each size comes back exactly, and a short
// one stays short.
TEST(SvgText, SizesOnAMillimetrePageComeBackExactly) {
  std::string error;
  auto doc = Document::Parse(
      "<svg xmlns='http://www.w3.org/2000/svg' width='210mm' height='297mm' viewBox='0 0 210 297'>"
      "<g id='L'><text id='t' x='5' y='20' style='font-size:3.5px'>a<tspan "
      "style='font-size:3.1711111111111111111111115px'>b</tspan><tspan "
      "style='font-size:5.64444px'>c</tspan></text></g></svg>",
      &error);
  ASSERT_NE(doc, nullptr) << error;
  TextStory &story = StoryOf(*doc);
  std::vector<double> sizes;
  for (size_t i = 0; i < 3; ++i) sizes.push_back(story.FeaturesAt(i).size);
  story.SetFeatures(0, 1, story.FeaturesAt(0));  // the story is written again
  const std::string saved = doc->Serialize();
  EXPECT_NE(saved.find("font-size:3.5px"), std::string::npos) << saved;
  auto again = Reparse(*doc);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(StoryOf(*again).FeaturesAt(i).size, sizes[i]) << i;
}

// Written again, a text keeps what it holds besides its characters: a
// title, comments, elements of other vocabularies, even inside its lines
// (a colour definition there is still found). They go after the text, so
// that a text without a position of its own keeps its first line's.
TEST(SvgText, WhatIsNotTextStaysWhenTheStoryIsWritten) {
  auto doc = WithText(
      "<text id='t' y='20'><tspan x='7'>a<!--c--><text x='30'>nested</text></tspan><title>T</title>"
      "<tspan>b<foo:x xmlns:foo='urn:foo'/><vardo:custom-color name='Inner' rgb='1 0 0'/>"
      "</tspan></text>");
  const AIRealRect before = doc->FindArtById("t")->Bounds();
  TextStory &story = StoryOf(*doc);
  story.Replace(0, story.Size(), u"new", story.FeaturesAt(0));
  const std::string saved = doc->Serialize();
  for (const char *part : {"<title>T</title>", "<!--c-->", "<foo:x", "name=\"Inner\""}) {
    EXPECT_NE(saved.find(part), std::string::npos) << part << "\n" << saved;
  }
  auto again = Reparse(*doc);
  EXPECT_TRUE(StoryOf(*again).Text() == u"new") << StoryJson(*again);
  EXPECT_NE(again->FindCustomColor("Inner"), nullptr);
  EXPECT_EQ(again->FindArtById("t")->Bounds().left, before.left) << saved;
}

TEST(SvgText, CharactersSvgCannotHoldAsTextRoundTrip) {
  struct {
    const char *name;
    std::u16string text;
  } cases[] = {
      {"paragraphs, empty ones included", u"\rA\r\rB\r"},
      {"blanks at the ends and doubled", u"  two  spaces  "},
      {"tab, line feed and other controls",
       u"a\tb\nc\x01"
       u"d\x1F"},
      {"a pair and lone surrogates", u"\U0001F600 \xD800 x \xDC00"},
      {"non-characters", u"\xFFFE\xFFFF"},
      {"markup characters", u"<b>&amp;</b> \"'"},
      {"Japanese", u"価格\r円"},
  };
  for (const auto &c : cases) {
    auto doc = WithText("<text id='t'>x</text>");
    TextStory &story = StoryOf(*doc);
    story.Replace(0, story.Size(), c.text, story.FeaturesAt(0));
    auto again = Reparse(*doc);
    EXPECT_TRUE(StoryOf(*again).Text() == c.text) << c.name << "\nwrote: " << doc->Serialize();
  }
}

TEST(SvgText, AnEmptyStoryKeepsItsFeatures) {
  auto doc = WithText("<text id='t'>x</text>");
  TextStory &story = StoryOf(*doc);
  CharFeatures f = story.FeaturesAt(0);
  f.size = 30;
  f.baselineShift = 4;
  f.fillColor = Color::Cmyk(0.5, 0, 0, 0);
  story.Replace(0, story.Size(), u"", f);
  story.SetEmptyFeatures(f);
  auto again = Reparse(*doc);
  EXPECT_TRUE(StoryOf(*again).Text().empty());
  EXPECT_TRUE(StoryOf(*again).EmptyFeatures() == f) << StoryJson(*again);
}

TEST(SvgText, ColoursShowInCssForViewers) {
  auto doc = WithText("<text id='t'>x</text>");
  TextStory &story = StoryOf(*doc);
  CharFeatures f = story.FeaturesAt(0);
  f.fillColor = Color::Custom(doc->FindCustomColor("Spot \"C\""), 0.5);  // (0, .5, .5, 0)
  f.stroke = true;
  f.strokeColor = Color::Gray(0.25);
  story.SetFeatures(0, 1, f);
  const std::string svg = doc->Serialize();
  EXPECT_NE(svg.find("fill:#ff8080"), std::string::npos) << svg;
  EXPECT_NE(svg.find("stroke:#bfbfbf"), std::string::npos) << svg;
  EXPECT_NE(svg.find("vardo:fill=\"spot 0.5 Spot &quot;C&quot;\""), std::string::npos) << svg;
  EXPECT_NE(svg.find("vardo:stroke=\"gray 0.25\""), std::string::npos) << svg;
}

// Text as editors and people write it: what the host reads from it.
// A property of the element itself: its style first, whose names are read
// without case, then its attribute.
TEST(SvgText, AnOwnPropertyIsTheStylesThenTheAttributes) {
  struct {
    const char *markup;
    std::optional<std::string> anchor;
  } cases[] = {
      {"<text id='t' style='Text-Anchor: end'>x</text>", "end"},
      {"<text id='t' style='fill:red' text-anchor='middle'>x</text>", "middle"},
      {"<text id='t' style='text-anchor:start' text-anchor='end'>x</text>", "start"},
      {"<text id='t' style=\"font-family:'text-anchor'\">x</text>", std::nullopt},
      {"<text id='t'>x</text>", std::nullopt},
  };
  for (const auto &c : cases) {
    auto doc = WithText(c.markup);
    ASSERT_NE(doc->FindArtById("t"), nullptr) << c.markup;
    EXPECT_EQ(svg::OwnProperty(doc->FindArtById("t")->Node(), "text-anchor"), c.anchor) << c.markup;
  }
}

// A declaration that leaves a quote or a parenthesis open runs to the end
// of its style; written again among the host's own, it stays the last, so
// it takes none of them.
TEST(SvgText, ADeclarationLeftOpenStaysTheLast) {
  for (const char *style : {"font-s'ize:10px", "x:url(#a", "fill:#00f;q:\\\"a\"b"}) {
    SCOPED_TRACE(style);
    svg::StyleDeclarations declarations(style);
    const auto kept = declarations.Entries();
    declarations.Set("fill", "#ff0000");
    declarations.Set("stroke", "none");
    const svg::StyleDeclarations again(declarations.ToString());
    EXPECT_EQ(again.Get("fill"), "#ff0000") << declarations.ToString();
    EXPECT_EQ(again.Get("stroke"), "none");
    for (const auto &[name, value] : kept) {
      if (name != "fill") {
        EXPECT_EQ(again.Get(name), value) << name;
      }
    }
  }
}

TEST(SvgText, ReadsEditorMarkup) {
  struct {
    const char *name;
    const char *markup;  // inside the layer
    std::u16string text;
    double size, leading;  // of the first character; leading 0: automatic
    int32_t tracking;
    double shift;
    const char *fill;  // exact form of the first character's fill
  } cases[] = {
      {"white space collapses", "<text id='t'>  a \n\t b  </text>", u"a b", 16, 0, 0, 0,
       "rgb 0 0 0"},
      {"preserved white space", "<text id='t' xml:space='preserve'> a\tb </text>", u" a b ", 16, 0,
       0, 0, "rgb 0 0 0"},
      {"indented lines",
       "<text id='t' xml:space='preserve' style='font-size:10px;line-height:1.5'>\n"
       "  <tspan sodipodi:role='line'>A</tspan>\n  <tspan sodipodi:role='line'>B</tspan>\n</text>",
       u"A\rB", 10, 15, 0, 0, "rgb 0 0 0"},
      {"units, percentages and ems",
       "<text id='t' style='font-size:12pt;line-height:120%;letter-spacing:0.1em'>x</text>", u"x",
       16, 19.2, 100, 0, "rgb 0 0 0"},
      {"a group's style cascades", "<g style='font-size:20px;fill:red'><text id='t'>x</text></g>",
       u"x", 20, 0, 0, 0, "rgb 1 0 0"},
      {"presentation attributes", "<text id='t' font-size='8' fill='#00f'>x</text>", u"x", 8, 0, 0,
       0, "rgb 0 0 1"},
      {"nested shifts add up",
       "<text id='t' style='font-size:12px'><tspan style='baseline-shift:super'><tspan "
       "style='baseline-shift:2px'>x</tspan></tspan></text>",
       u"x", 12, 0, 0, 6, "rgb 0 0 0"},
      {"a paint server's fallback", "<text id='t' style='fill:url(#g) #00ff00'>x</text>", u"x", 16,
       0, 0, 0, "rgb 0 1 0"},
      {"an exact colour the CSS still shows",
       "<text id='t' style='fill:#ff0000' vardo:fill='cmyk 0 1 1 0'>x</text>", u"x", 16, 0, 0, 0,
       "cmyk 0 1 1 0"},
      {"an editor recoloured it",
       "<text id='t' style='fill:#00ff00' vardo:fill='cmyk 0 1 1 0'>x</text>", u"x", 16, 0, 0, 0,
       "rgb 0 1 0"},
      {"an unknown spot colour",
       "<text id='t' style='fill:#ff0000' vardo:fill='spot 1 Nowhere'>x</text>", u"x", 16, 0, 0, 0,
       "rgb 1 0 0"},
      {"descriptions are not text", "<text id='t'><title>T</title>x<desc>D</desc></text>", u"x", 16,
       0, 0, 0, "rgb 0 0 0"},
  };
  for (const auto &c : cases) {
    auto doc = WithText(c.markup);
    ASSERT_NE(doc->FindArtById("t"), nullptr) << c.name;
    TextStory &story = StoryOf(*doc);
    EXPECT_TRUE(story.Text() == c.text) << c.name << ": " << StoryJson(*doc);
    if (story.Size() == 0) continue;
    const CharFeatures &f = story.FeaturesAt(0);
    EXPECT_DOUBLE_EQ(f.size, c.size) << c.name;
    EXPECT_EQ(f.autoLeading, c.leading == 0) << c.name;
    if (c.leading) {
      EXPECT_NEAR(f.leading, c.leading, 1e-9) << c.name;
    }
    EXPECT_EQ(f.tracking, c.tracking) << c.name;
    EXPECT_DOUBLE_EQ(f.baselineShift, c.shift) << c.name;
    EXPECT_EQ(f.fillColor.ExactForm(), c.fill) << c.name;
  }
}

}  // namespace
}  // namespace vhost
