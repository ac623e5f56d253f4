// The engine module in the host: the engine notification fills a slot, the
// values come through the value-lookup notification (answered by a module
// that answers as the data-merge plug-in does), and what each script renders
// to is read back from the document.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "AIActionManager.h"
#include "document.h"
#include "documentsuites.h"
#include "host.h"
#include "vplatform/windows.h"

namespace {

namespace fs = std::filesystem;

const std::string kBuild = VARDO_BUILD_DIR;

std::u16string U16(const std::string &utf8) {
  std::u16string out;
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char c = utf8[i];
    uint32_t code = c;
    size_t n = 1;
    if (c >= 0xF0) code = c & 7, n = 4;
    else if (c >= 0xE0) code = c & 15, n = 3;
    else if (c >= 0xC0) code = c & 31, n = 2;
    for (size_t k = 1; k < n; ++k) code = (code << 6) | (utf8[i + k] & 0x3F);
    if (code >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
    i += n;
  }
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

class Engine : public ::testing::Test {
 protected:
  void SetUp() override {
    vplat::ResetWindowManager();
    dir_ = fs::path(::testing::TempDir()) / "engine";
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "pictures");
    host_ = std::make_unique<vhost::Host>();
    std::string error;
    ASSERT_NE(host_->LoadPlugin(kBuild + "/plugins/VardoEngine.aip", &error), nullptr) << error;
    ASSERT_NE(host_->LoadPlugin(kBuild + "/testplugins/engine/EngineLookupAnswer.aip", &error), nullptr)
        << error;
    host_->StartPlugins();
    for (const auto &plugin : host_->Plugins()) ASSERT_EQ(plugin->startupStatus, kNoErr) << plugin->name;
    host_->SetPictureSettings({(dir_ / "pictures").string(), false});
    auto doc = vhost::Document::Parse(kCard, &error);
    ASSERT_TRUE(doc) << error;
    doc_ = host_->Documents().Add(std::move(doc));
  }

  void TearDown() override {
    host_.reset();
    EXPECT_EQ(vhost::LiveTextRangeCount(), 0u);
    EXPECT_EQ(vhost::LiveCharFeaturesCount(), 0u);
  }

  vhost::Art *Art(const char *id) { return doc_->FindArtById(id); }

  void SetScript(const char *frame, const std::string &script) { Art(frame)->SetTag("vardo2_script", script); }

  // What the data-merge plug-in sends for one slot.
  void Compose(int record, bool link = true, const char *slot = "slot") {
    vhost::ParamBlock block;
    block.values[AS_FOURCC('v', 'r', 'c', 'r')] = record;
    block.values[AS_FOURCC('v', 'r', 't', 'g')] = static_cast<ASInt32>(Art(slot)->Low32());
    block.values[AS_FOURCC('l', 'i', 'n', 'k')] = link;
    block.values[AS_FOURCC('c', 's', 'e', 't')] = 1;
    host_->Notify("6884-3066-1648-3395-5359-9068-E/G", &block);
  }

  std::string Problems() {
    std::string out;
    for (const vhost::EngineProblem &p : host_->EngineProblems()) {
      out += std::to_string(p.record) + " " + p.frame + " " + p.kind + "; ";
    }
    return out;
  }

  fs::path dir_;
  std::unique_ptr<vhost::Host> host_;
  vhost::Document *doc_ = nullptr;
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
      {"paragraphs", 1, "[name]\r[address]", "山田太郎\r東京都千代田区千代田一丁目一番地", "21:b", ""},
      {"two equal headers: the first answers", 1, "[name]", "山田太郎", "4:b", ""},
      {"another record", 2, "[name]/[company]", "Jane Doe/Example Ltd", "20:b", ""},
      {"a record beyond the table is empty", 7, "<[name]>", "<>", "2:b", ""},
      {"a field inside font mark-up", 1, "<font size=12pt>[name]</font>様", "山田太郎様", "4:12 1:b", ""},
      {"nested and mixed", 1, "<font size=20pt>A<font fill_color=#FF0000>B</font>C</font>D", "ABCD",
       "1:20 1:20r 1:20 1:b", ""},
      {"values that look like mark-up", 1, "[markup][brace][body]", "<font size=99>[other]</BODY>", "28:b",
       ""},
      {"mark-up-like values of another record", 2, "[markup][brace][body]", "<b>[[x]]</font>", "15:b", ""},
      {"a value's line ends are paragraph ends", 1, "[lines]", "one\rtwo\rthree", "13:b", ""},
      {"unknown tags print as text", 1, "<b>bold</b>", "<b>bold</b>", "11:b", "markup markup "},
      {"a lone [ prints", 1, "[name", "[name", "5:b", "markup "},
      {"</font> with nothing open", 1, "a</font>b", "a</font>b", "9:b", "markup "},
      {"an unknown field renders empty", 1, "a[nosuch]b", "ab", "2:b", "unknown-field "},
      {"an unclosed font runs to the end", 1, "a<font size=7pt>bc", "abc", "1:b 2:7", "markup "},
      {"a bad attribute is left out", 1, "<font size=big tracking=20>x</font>", "x", "1:bt", "markup "},
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
            "<font face=DejaVu Sans size=9pt leading=14.4pt tracking=50 linewidth=0.5pt baselineshift=-2pt "
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

}  // namespace
