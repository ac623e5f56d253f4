// The engine module in the host: the engine notification fills a slot, the
// values come from the data-merge plug-in through the value-lookup
// notification, and what each script renders to is read back from the
// document.
#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "AIActionManager.h"
#include "documentsuites.h"
#include "engine/testing/enginehost.h"
#include "scriptrender.h"

namespace {

namespace fs = std::filesystem;

std::u16string U16(const std::string &utf8) {
  std::u16string out;
  AppendUtf16(utf8, &out);
  return out;
}

// A card: a slot holding a point text frame and an area text frame, and a
// frame without a script beside a shape.
const char kCard[] =
    R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:vardotag="urn:vardo:tag:1")"
    R"( xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape")"
    R"( width="85mm" height="54mm" viewBox="0 0 85 54">)"
    R"(<defs><rect id="box" x="5" y="20" width="40" height="30"/></defs>)"
    R"(<g inkscape:groupmode="layer" id="layer"><g id="slot">)"
    R"(<text id="point" x="5" y="10" style="font-family:IPAGothic;font-size:3.5px">x</text>)"
    R"(<text id="area" style="shape-inside:url(#box);font-family:IPAGothic;font-size:3.5px">y</text>)"
    R"(<text id="plain" x="50" y="10">keep</text><rect id="shape" x="50" y="20" width="5" height="5"/>)"
    R"(</g></g></svg>)";

class Engine : public vardo::testing::EngineHost {
 protected:
  void SetUp() override {
    StartHost("engine");
    fs::create_directories(dir_ / "pictures");
    LoadTable();
    host_->SetPictureSettings({(dir_ / "pictures").string(), false});
    OpenDocument(kCard);
  }

  void TearDown() override {
    host_.reset();
    EXPECT_EQ(vhost::LiveTextRangeCount(), 0u);
    EXPECT_EQ(vhost::LiveCharFeaturesCount(), 0u);
  }

  // The data-merge plug-in loads the table on a compose-range request;
  // with no document open it composes nothing, and then answers the
  // engine's lookups from it. Two headers are "name": the first answers.
  void LoadTable() {
    EngineHost::LoadTable(
        std::string("name,company,address,photo,name,markup,brace,body,lines,url\r\n") +
        "山田太郎,ヴァルド株式会社,東京都千代田区千代田一丁目一番地,photo.png,second,<font "
        "size=99>," +
        "[other],</BODY>,\"one\r\ntwo\nthree\",file://pictures/photo.png\r\n" +
        "Jane Doe,Example Ltd,1 Main Street,jane.jpg,again,<b>,[[x]],</font>,,x.png\r\n");
  }

  vhost::Art *Art(const char *id) { return doc_->FindArtById(id); }

  void SetScript(const char *frame, const std::string &script) {
    Art(frame)->SetTag("vardo2_script", script);
  }

  // What the data-merge plug-in sends for one slot.
  void Compose(int record, bool link = true, const char *slot = "slot") {
    ComposeSlot(Art(slot), record, link);
  }

  std::string Problems() {
    std::string out;
    for (const vhost::EngineProblem &p : host_->EngineProblems()) {
      out += std::to_string(p.record) + " " + p.frame + " " + p.kind + "; ";
    }
    return out;
  }
};

TEST_F(Engine, ScriptsRenderToTextAndStyledRuns) {
  // Runs as "length:size" (points) with a letter for what else differs from
  // the frame's own style (9.92 pt IPAGothic, black, no stroke).
  struct {
    const char *what;
    int record;
    std::string script;
    std::string text;
    const char *runs;
    const char *problems;
  } cases[] = {
      {"fields and literal text", 1, "Hello [company]", "Hello ヴァルド株式会社", "14:b", ""},
      {"paragraphs", 1, "[name]\r[address]", "山田太郎\r東京都千代田区千代田一丁目一番地", "21:b",
       ""},
      {"two equal headers: the first answers", 1, "[name]", "山田太郎", "4:b", ""},
      {"another record", 2, "[name]/[company]", "Jane Doe/Example Ltd", "20:b", ""},
      {"a record beyond the table is empty", 7, "<[name]>", "<>", "2:b", ""},
      {"a field inside font mark-up", 1, "<font size=12pt>[name]</font>様", "山田太郎様",
       "4:12 1:b", ""},
      {"nested and mixed", 1, "<font size=20pt>A<font fill_color=#FF0000>B</font>C</font>D", "ABCD",
       "1:20 1:20r 1:20 1:b", ""},
      {"values that look like mark-up", 1, "[markup][brace][body]", "<font size=99>[other]</BODY>",
       "28:b", ""},
      {"mark-up-like values of another record", 2, "[markup][brace][body]", "<b>[[x]]</font>",
       "15:b", ""},
      {"a value's line ends are paragraph ends", 1, "[lines]", "one\rtwo\rthree", "13:b", ""},
      {"unknown tags print as text", 1, "<b>bold</b>", "<b>bold</b>", "11:b", "markup markup "},
      {"a lone [ prints", 1, "[name", "[name", "5:b", "markup "},
      {"</font> with nothing open", 1, "a</font>b", "a</font>b", "9:b", "markup "},
      {"an unknown field renders empty", 1, "a[nosuch]b", "ab", "2:b", "unknown-field "},
      {"an unclosed font runs to the end", 1, "a<font size=7pt>bc", "abc", "1:b 2:7", "markup "},
      {"a bad attribute is left out", 1, "<font size=big tracking=20>x</font>", "x", "1:bt",
       "markup "},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    // A fresh card each time: the frame's own style is its text's end.
    std::string error;
    doc_ = host_->Documents().Add(vhost::Document::Parse(kCard, &error));
    SetScript("point", c.script);
    host_->EngineProblems().clear();
    Compose(c.record);
    const vhost::TextStory &story = *Art("point")->Story();
    EXPECT_EQ(story.Text(), U16(c.text));
    std::string runs;
    for (const vhost::TextStory::Run &run : story.Runs()) {
      const vhost::CharFeatures &f = run.features;
      const bool base = std::abs(f.size - 3.5 * 72 / 25.4) < 1e-9;
      runs += (runs.empty() ? "" : " ") + std::to_string(run.length) + ":" +
              (base ? "b" : std::to_string(static_cast<int>(std::lround(f.size))));
      if (f.fillColor.kind == vhost::Color::kRGB && f.fillColor.c[0] == 1) runs += "r";
      if (f.tracking) runs += "t";
    }
    EXPECT_EQ(runs, c.runs);
    std::string kinds;
    for (const vhost::EngineProblem &p : host_->EngineProblems()) kinds += p.kind + " ";
    EXPECT_EQ(kinds, c.problems);
  }
}

TEST_F(Engine, EveryFontAttributeBecomesACharacterFeature) {
  SetScript("point",
            "<font face=DejaVu Sans size=9pt leading=14.4pt tracking=50 linewidth=0.5pt "
            "baselineshift=-2pt "
            "scale=(80,120) fill_color=#00FF0000 stroke_color=#336699>X</font>Y");
  Compose(1);
  const vhost::TextStory &story = *Art("point")->Story();
  ASSERT_EQ(story.Runs().size(), 2u);
  const vhost::CharFeatures &f = story.Runs()[0].features;
  EXPECT_EQ(f.font, "DejaVu Sans");
  EXPECT_DOUBLE_EQ(f.size, 9);
  EXPECT_FALSE(f.autoLeading);
  EXPECT_DOUBLE_EQ(f.leading, 14.4);
  EXPECT_EQ(f.tracking, 50);
  EXPECT_TRUE(f.stroke);
  EXPECT_DOUBLE_EQ(f.lineWidth, 0.5);
  EXPECT_DOUBLE_EQ(f.baselineShift, -2);
  EXPECT_DOUBLE_EQ(f.horizontalScale, 0.8);
  EXPECT_DOUBLE_EQ(f.verticalScale, 1.2);
  EXPECT_EQ(f.fillColor.ExactForm(), "cmyk 0 1 0 0");
  EXPECT_EQ(f.strokeColor.ExactForm(), "rgb 0.2 0.4 0.6");
  // The second run keeps the frame's own style.
  const vhost::CharFeatures &g = story.Runs()[1].features;
  EXPECT_EQ(g.font, "IPAGothic");
  EXPECT_FALSE(g.stroke);
  EXPECT_TRUE(g.autoLeading);
  EXPECT_EQ(Problems(), "");

  // In the millimetre file, 9 pt is 3.175 user units.
  const std::string saved = doc_->Serialize();
  EXPECT_NE(saved.find("font-size:3.175"), std::string::npos) << saved;
}

TEST_F(Engine, FramesWithoutScriptAndOtherArtAreLeftAlone) {
  SetScript("point", "[name]");
  const std::string before = doc_->Serialize();
  const auto plain = before.substr(before.find("<text id=\"plain\""));
  Compose(1);
  const std::string after = doc_->Serialize();
  EXPECT_EQ(Art("plain")->Story()->Text(), u"keep");
  EXPECT_NE(after.find(plain.substr(0, plain.find("</g>"))), std::string::npos);
  EXPECT_EQ(Art("area")->Story()->Text(), u"y");
}

TEST_F(Engine, UnknownSlotOrBlockWithoutKeysChangesNothing) {
  SetScript("point", "[name]");
  vhost::ParamBlock block;
  block.values[AS_FOURCC('v', 'r', 'c', 'r')] = 1;
  block.values[AS_FOURCC('v', 'r', 't', 'g')] = static_cast<ASInt32>(0x7ffffff0);
  host_->Notify("6884-3066-1648-3395-5359-9068-E/G", &block);
  vhost::ParamBlock empty;
  host_->Notify("6884-3066-1648-3395-5359-9068-E/G", &empty);
  host_->Notify("6884-3066-1648-3395-5359-9068-E/G", nullptr);
  EXPECT_EQ(Art("point")->Story()->Text(), u"x");
  EXPECT_EQ(host_->Suites().Outstanding(), 0);
}

// The box of the card's area frame in points: x 5 to 45 mm, y 20 to 50 mm.
const double kMm = 72 / 25.4;
const AIRealRect kBox{5 * kMm, -20 * kMm, 45 * kMm, -50 * kMm};

TEST_F(Engine, AreaTextIsBrokenIntoLinesWrittenWhereTheyLie) {
  SetScript("area", "[address]\r[company]");
  Compose(1);
  const vhost::TextStory &story = *Art("area")->Story();
  ASSERT_NE(story.Lines(), nullptr);
  // 40 mm hold 11 characters of 3.5 mm.
  const std::vector<vhost::TextStory::Line> &lines = *story.Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].start, 11u);
  EXPECT_EQ(lines[2].start, 17u);
  for (const auto &line : lines) EXPECT_NEAR(line.x, kBox.left, 1e-9);
  EXPECT_LT(lines[0].y, kBox.top);
  EXPECT_NEAR(lines[0].y - lines[1].y, 1.2 * 3.5 * kMm, 1e-9);
  EXPECT_EQ(Problems(), "");

  // Written as positioned lines, read back as the same story.
  const std::string saved = doc_->Serialize();
  std::string error;
  auto again = vhost::Document::Parse(saved, &error);
  ASSERT_TRUE(again) << error;
  EXPECT_EQ(again->FindArtById("area")->Story()->Text(), story.Text());
  EXPECT_NE(saved.find("<tspan x=\"5\" y="), std::string::npos) << saved;
}

TEST_F(Engine, TextThatDoesNotFitIsKeptAndReported) {
  std::string long_;
  for (int i = 0; i < 12; ++i) long_ += "[address]";
  SetScript("area", long_);
  Compose(1);
  EXPECT_EQ(Art("area")->Story()->Text().size(), 12u * 16);
  EXPECT_EQ(Problems(), "1 area overflow; ");
}

TEST_F(Engine, AMissingFaceIsReplacedAndReported) {
  SetScript("point", "<font face=No Such Face size=10pt>[name]</font>");
  Compose(1);
  const vhost::CharFeatures &f = Art("point")->Story()->FeaturesAt(0);
  EXPECT_NE(f.font, "No Such Face");
  EXPECT_FALSE(f.font.empty());
  EXPECT_EQ(Problems(), "1 point font-not-found; ");
}

// The pixels of a PNG file as RGBA.
bool ReadPng(const std::string &path, std::vector<uint8_t> *pixels, int *width, int *height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGBA;
  pixels->resize(PNG_IMAGE_SIZE(image));
  *width = static_cast<int>(image.width);
  *height = static_cast<int>(image.height);
  return png_image_finish_read(&image, nullptr, pixels->data(), 0, nullptr) != 0;
}

TEST_F(Engine, RasterisedOutputHasNoInkOutsideTheBox) {
  SetScript("area", "[address]\r[name]、[company]（[address]）");
  SetScript("point", "");
  Art("point")->RemoveTag("vardo2_script");
  Compose(1);
  doc_->Dispose(*Art("point"));
  doc_->Dispose(*Art("plain"));
  doc_->Dispose(*Art("shape"));
  EXPECT_EQ(Problems(), "");
  const std::string svg = (dir_ / "card.svg").string(), png = (dir_ / "card.png").string();
  std::string error;
  ASSERT_TRUE(doc_->Save(svg, &error)) << error;
  // 10 pixels a millimetre.
  const std::string command = "rsvg-convert -w 850 -h 540 -o '" + png + "' '" + svg + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::vector<uint8_t> pixels;
  int width = 0, height = 0;
  ASSERT_TRUE(ReadPng(png, &pixels, &width, &height));
  ASSERT_EQ(width, 850);
  int inside = 0, outside = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (pixels[(size_t(y) * width + x) * 4 + 3] == 0) continue;
      const bool in = x >= 50 - 1 && x <= 450 + 1 && y >= 200 - 1 && y <= 500 + 1;
      (in ? inside : outside) += 1;
    }
  }
  EXPECT_GT(inside, 1000);
  EXPECT_EQ(outside, 0);
}

// A picture made with the Debian tools the set-up installs: a PNG of
// `width` × `height` from SVG by librsvg, or a JPEG from a PPM by cjpeg.
void MakePicture(const fs::path &path, int width, int height) {
  if (path.extension() == ".png") {
    const fs::path svg = path.string() + ".svg";
    std::ofstream(svg) << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width
                       << "\" height=\"" << height
                       << "\"><rect width=\"100%\" height=\"100%\" fill=\"red\"/></svg>";
    ASSERT_EQ(
        std::system(("rsvg-convert -o '" + path.string() + "' '" + svg.string() + "'").c_str()), 0);
  } else {
    const fs::path ppm = path.string() + ".ppm";
    std::ofstream out(ppm, std::ios::binary);
    out << "P6 " << width << " " << height << " 255\n"
        << std::string(size_t(width) * height * 3, '\x80');
    out.close();
    ASSERT_EQ(
        std::system(("cjpeg -outfile '" + path.string() + "' '" + ppm.string() + "'").c_str()), 0);
  }
}

const char kImage[] = "<HTML><BODY><IMG SRC=\"file://[photo]\"></BODY></HTML>";

vhost::Art *PlacedAbove(vhost::Art *frame) {
  vhost::Art *above = nullptr;
  for (vhost::Art *a = frame->Parent()->FirstChild(); a && a != frame; a = a->Sibling()) above = a;
  return above && above->Type() == kPlacedArt ? above : nullptr;
}

TEST_F(Engine, PicturesAreLinkedOrEmbedded) {
  MakePicture(dir_ / "pictures" / "photo.png", 200, 100);
  SetScript("area", kImage);
  Compose(1, true);
  EXPECT_EQ(Problems(), "");
  EXPECT_EQ(Art("area")->Story()->Text(), u"");
  vhost::Art *image = PlacedAbove(Art("area"));
  ASSERT_NE(image, nullptr);
  // A wide picture at the top left of the box, as wide as the box.
  const AIRealRect b = image->Bounds();
  EXPECT_NEAR(b.left, kBox.left, 1e-6);
  EXPECT_NEAR(b.right, kBox.right, 1e-6);
  EXPECT_NEAR(b.top, kBox.top, 1e-6);
  EXPECT_NEAR(b.top - b.bottom, (kBox.right - kBox.left) / 2, 1e-6);
  // Linked: relative to the folder the document is saved in.
  std::string error;
  fs::create_directories(dir_ / "out");
  ASSERT_TRUE(doc_->Save((dir_ / "out" / "card.svg").string(), &error)) << error;
  const std::string saved = doc_->Serialize();
  EXPECT_NE(saved.find("xlink:href=\"../pictures/photo.png\""), std::string::npos) << saved;

  // Embedded, a JPEG this time.
  MakePicture(dir_ / "pictures" / "face.jpg", 50, 100);
  std::string again;
  doc_ = host_->Documents().Add(vhost::Document::Parse(kCard, &again));
  SetScript("area", "<HTML><BODY><IMG SRC=\"file://face.jpg\"></BODY></HTML>");
  Compose(1, false);
  image = PlacedAbove(Art("area"));
  ASSERT_NE(image, nullptr);
  const std::string href = image->Node().attribute("xlink:href").value();
  EXPECT_EQ(href.rfind("data:image/jpeg;base64,/9j/", 0), 0u) << href.substr(0, 40);
  EXPECT_FALSE(image->Node().attribute("vardo:link"));
}

TEST_F(Engine, PicturesThatCannotBeUsedAreReportedAndTheFrameLeftEmpty) {
  fs::create_directories(dir_ / "secret");
  MakePicture(dir_ / "secret" / "key.png", 10, 10);
  std::ofstream(dir_ / "pictures" / "photo.jpg") << "not a picture at all\n";
  struct {
    const char *src;
    const char *problem;
  } cases[] = {
      {"photo.jpg", "not-a-picture"},
      {"../secret/key.png", "picture-outside"},
      {"..\\secret\\key.png", "picture-outside"},
      {"nobody.png", "missing-picture"},
  };
  for (const auto &c : cases) {
    std::string error;
    doc_ = host_->Documents().Add(vhost::Document::Parse(kCard, &error));
    host_->EngineProblems().clear();
    SetScript("area", std::string("<HTML><BODY><IMG SRC=\"file://") + c.src + "\"></BODY></HTML>");
    Compose(1);
    EXPECT_EQ(Problems(), std::string("1 area ") + c.problem + "; ") << c.src;
    EXPECT_EQ(PlacedAbove(Art("area")), nullptr) << c.src;
    EXPECT_EQ(Art("area")->Story()->Text(), u"") << c.src;
  }
}

}  // namespace
