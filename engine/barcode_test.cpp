// Barcode and QR-code elements through the engine module in the host, its
// fields answered by the real data-merge plug-in: what
// is drawn scans back as the data (librsvg rasterises it, zbar reads it),
// has the sizes the attributes ask for on millimetre and point pages alike,
// and bad data is reported with nothing drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "engine/testing/enginehost.h"

namespace {

// A page of `unit` user units ("mm": 1 mm each, "pt": 1 point each) with
// one area text frame whose box is 180 × 90 mm from (5, 5) mm.
std::string Page(const std::string &unit) {
  const double k = unit == "mm" ? 1 : 72 / 25.4;
  auto n = [&](double mm) { return std::to_string(mm * k); };
  return R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:vardotag="urn:vardo:tag:1")"
         R"( width="200mm" height="100mm" viewBox="0 0 )" +
         n(200) + " " + n(100) + R"("><defs><rect id="box" x=")" + n(5) + R"(" y=")" + n(5) +
         R"(" width=")" + n(180) + R"(" height=")" + n(90) +
         R"("/></defs><g id="slot"><text id="frame" style="shape-inside:url(#box);)"
         R"(font-family:IPAGothic;font-size:4px">x</text></g></svg>)";
}

class Barcodes : public vardo::testing::EngineHost {
 protected:
  void SetUp() override { Open("mm"); }

  void Open(const std::string &unit) {
    StartHost("barcodes");
    LoadTable("name,company\r\n山田太郎,ヴァルド株式会社\r\n");
    OpenDocument(Page(unit));
  }

  // Composes record 1 into the frame with `script`; returns the problems'
  // kinds and details.
  std::string Compose(const std::string &script) {
    host_->EngineProblems().clear();
    doc_->FindArtById("frame")->SetTag("vardo2_script", script);
    ComposeSlot(doc_->FindArtById("slot"), 1, true);
    std::string out;
    for (const vhost::EngineProblem &p : host_->EngineProblems()) out += p.kind + ": " + p.detail;
    return out;
  }

  // The group composing placed, or null.
  vhost::Art *Drawn() {
    vhost::Art *first = doc_->FindArtById("slot")->FirstChild();
    return first && first->Type() == kGroupArt ? first : nullptr;
  }

  // The page rasterised on white at 300 dpi and read by zbar: every symbol
  // it finds, one a line.
  std::string Scan() {
    const std::string svg = (dir_ / "page.svg").string(), png = (dir_ / "page.png").string();
    std::string error;
    EXPECT_TRUE(doc_->Save(svg, &error)) << error;
    const std::string raster = "rsvg-convert -b white -d 300 -p 300 -o '" + png + "' '" + svg + "'";
    EXPECT_EQ(std::system(raster.c_str()), 0) << raster;
    const std::string scan =
        "zbarimg -q --raw -Sean2.enable -Sean5.enable -Supca.enable "
        "-Supce.enable -Sisbn13.enable '" +
        png + "' 2>/dev/null";
    std::string out;
    if (FILE *pipe = popen(scan.c_str(), "r")) {
      char buffer[4096];
      size_t n;
      while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
      pclose(pipe);
    }
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
  }

  // Rectangles "M x y L x y L x y L x y Z" of the group's `index`th path, in
  // the page's user units: {left, top, width, height}.
  std::vector<std::array<double, 4>> Rects(int index) {
    pugi::xml_node path = Drawn()->Node().first_child();
    for (int i = 0; i < index; ++i) path = path.next_sibling();
    std::vector<std::array<double, 4>> rects;
    std::istringstream d(path.attribute("d").value());
    std::string op;
    double x[4], y[4];
    while (d >> op) {
      if (op != "M") return {};
      d >> x[0] >> y[0];
      for (int k = 1; k < 4; ++k) d >> op >> x[k] >> y[k];
      d >> op;
      rects.push_back({x[0], y[0], x[1] - x[0], y[2] - y[0]});
    }
    return rects;
  }
};

TEST_F(Barcodes, EveryKindZbarReadsScansBackAsTheData) {
  struct {
    const char *attributes;
    const char *scanned;
  } cases[] = {
      {"TYPE=JAN_LONG DATA=\"490123456789\"", "4901234567894"},
      {"TYPE=JAN_LONG DATA=\"4901234567894\" CHECKDIGIT=FALSE", "4901234567894"},
      {"TYPE=JAN_LONG_OCR DATA=\"490123456789\" ELEMENTSIZE=0.8", "4901234567894"},
      {"TYPE=JAN_SHORT DATA=\"4901234\"", "49012347"},
      {"TYPE=JAN_SHORT_OCR DATA=\"49012347\" CHECKDIGIT=FALSE", "49012347"},
      {"TYPE=JAN_ISBN DATA=\"978400310101\"", "9784003101018"},
      {"TYPE=UPC_A DATA=\"03600029145\"", "036000291452"},
      {"TYPE=UPC_A_OCR DATA=\"036000291452\" CHECKDIGIT=FALSE", "036000291452"},
      {"TYPE=UPC_E DATA=\"0123456\"", "01234565"},
      {"TYPE=UPC_ADDON DATA=\"12345\"", "12345"},
      {"TYPE=UPC_ADDON DATA=\"12\"", "12"},
      {"TYPE=INTERLEAVED_2OF5 DATA=\"123456\" CHECKDIGIT=FALSE", "123456"},
      {"TYPE=INTERLEAVED_2OF5 DATA=\"12345\"", "123457"},
      {"TYPE=UPC_ITF DATA=\"1490123456789\" ELEMENTSIZE=0.6", "14901234567891"},
      {"TYPE=ANSI_CODABAR DATA=\"A12345B\" CHECKDIGIT=FALSE", "A12345B"},
      {"TYPE=ANSI_CODABAR DATA=\"A12345B\"", "A123450B"},
      {"TYPE=CODE39 DATA=\"CODE-39\" CHECKDIGIT=FALSE", "CODE-39"},
      {"TYPE=CODE39 DATA=\"ABC123\"", "ABC123$"},
      {"TYPE=CODE93 DATA=\"Code 93\"", "Code 93"},
      {"TYPE=CODE128 DATA=\"Vardo-128 abc\"", "Vardo-128 abc"},
      {"TYPE=EAN128 DATA=\"(01)04912345123459(10)ABC\"", "010491234512345910ABC"},
      {"TYPE=RSS_14 DATA=\"0490123456789\"", "0104901234567894"},
      {"TYPE=RSS_14 DATA=\"04901234567894\" CHECKDIGIT=FALSE", "0104901234567894"},
      {"TYPE=RSS_EXPANDED DATA=\"(01)04912345123459(10)ABC\"", "010491234512345910ABC"},
      {"TYPE=RSS_14_TRUNCATED DATA=\"0490123456789\"", "0104901234567894"},
      {"TYPE=RSS_14_STACKED DATA=\"0490123456789\"", "0104901234567894"},
      {"TYPE=RSS_14_OMNIDIRCTIONAL DATA=\"0490123456789\"", "0104901234567894"},
      {"TYPE=QRCODE ECCLEVEL=L DATA=\"https://example.com/vardo\"", "https://example.com/vardo"},
      {"TYPE=QRCODE ECCLEVEL=M DATA=\"https://example.com/vardo\"", "https://example.com/vardo"},
      {"TYPE=QRCODE ECCLEVEL=Q DATA=\"https://example.com/vardo\"", "https://example.com/vardo"},
      {"TYPE=QRCODE ECCLEVEL=H DATA=\"https://example.com/vardo\"", "https://example.com/vardo"},
      {"TYPE=QRCODE ECCLEVEL=H VERSION=7 DATA=\"fixed\"", "fixed"},
      {"TYPE=QRCODE ENCODEMODE=NUMERIC DATA=\"0123456789\"", "0123456789"},
      {"TYPE=QRCODE ENCODEMODE=ASCII DATA=\"VARDO $%*+-./: 42\"", "VARDO $%*+-./: 42"},
      {"TYPE=QRCODE ENCODEMODE=KANJI DATA=\"[name]\"", "山田太郎"},
      {"TYPE=QRCODE ENCODEMODE=KANJI DATA=\"漢字モード\"", "漢字モード"},
      {"TYPE=QRCODE DATA=\"ｱｲｳｴｵ ｶﾞ\"", "ｱｲｳｴｵ ｶﾞ"},
      {"TYPE=QRCODE ENCODEMODE=MIXED DATA=\"[company] 0120-123-456\"",
       "ヴァルド株式会社 0120-123-456"},
      {"TYPE=QRCODE ENCODEMODE=BINARY DATA=\"caf\xc3\xa9\"", "caf\xc3\xa9"},
      {"TYPE=QRCODE DATA=\"caf\xc3\xa9 \xe2\x82\xac\"", "caf\xc3\xa9 \xe2\x82\xac"},
  };
  for (const auto &c : cases) {
    const std::string script =
        std::string("<HTML><BODY><BARCODE ") + c.attributes + "></BODY></HTML>";
    EXPECT_EQ(Compose(script), "") << c.attributes;
    ASSERT_NE(Drawn(), nullptr) << c.attributes;
    EXPECT_EQ(Scan(), c.scanned) << c.attributes;
    doc_->Dispose(*Drawn());
  }
}

TEST_F(Barcodes, SizesInMillimetresOnMillimetreAndPointPages) {
  for (const std::string unit : {"mm", "pt"}) {
    if (unit == "pt") Open("pt");
    const double k = unit == "mm" ? 1 : 72 / 25.4;  // user units per mm
    struct {
      const char *attributes;
      double width;      // the background, quiet zones included, mm
      double narrowest;  // the narrowest bar or module, mm
      double shortest;   // the shortest bar, mm
    } cases[] = {
        // 113 modules of 0.33 mm; the bars 22.85 mm, the standard's.
        {"TYPE=JAN_LONG DATA=\"490123456789\"", 37.29, 0.33, 22.85},
        {"TYPE=JAN_LONG DATA=\"490123456789\" ELEMENTSIZE=0.8", 37.29 * 0.8, 0.264, 22.85 * 0.8},
        {"TYPE=JAN_LONG DATA=\"490123456789\" TRUNCHEIGHT=15.9", 37.29, 0.33, 15.9},
        // Version 1: 21 modules and a quiet zone of 4 on each side.
        {"TYPE=QRCODE ECCLEVEL=L DATA=\"1\" CELLSIZE=0.5 SHOWHRTEXT=FALSE", 29 * 0.5, 0.5, 0.5},
    };
    for (const auto &c : cases) {
      EXPECT_EQ(Compose(std::string("<BARCODE ") + c.attributes + ">"), "") << c.attributes;
      ASSERT_NE(Drawn(), nullptr) << c.attributes;
      const auto background = Rects(0), bars = Rects(1);
      ASSERT_EQ(background.size(), 1u);
      EXPECT_NEAR(background[0][2], c.width * k, 1e-3 * k) << unit << " " << c.attributes;
      double narrowest = 1e9, shortest = 1e9;
      for (const auto &r : bars) narrowest = std::min(narrowest, r[2]);
      for (const auto &r : bars) shortest = std::min(shortest, r[3]);
      EXPECT_NEAR(narrowest, c.narrowest * k, 1e-3 * k) << unit << " " << c.attributes;
      EXPECT_NEAR(shortest, c.shortest * k, 1e-3 * k) << unit << " " << c.attributes;
      doc_->Dispose(*Drawn());
    }
  }
}

TEST_F(Barcodes, PlacedInTheBoxOrTheCellByAlignAndValign) {
  // The QR code is 14.5 mm square; the box is 180 × 90 mm from (5, 5), the
  // cell 100 × 50 mm (in points, as the tag builder writes it) from there.
  const std::string qr = "<BARCODE TYPE=QRCODE DATA=\"1\" ECCLEVEL=L SHOWHRTEXT=FALSE>";
  const std::string cell = "<TABLE><TR><TD WIDTH=283.46457 HEIGHT=141.73228 ";
  struct {
    std::string script;
    double left, top;  // mm
  } cases[] = {
      {qr, 5, 5},
      {"<TABLE><TR><TD ALIGN=RIGHT VALIGN=BOTTOM>" + qr + "</TD></TR></TABLE>", 185 - 14.5,
       95 - 14.5},
      {cell + "ALIGN=LEFT VALIGN=TOP>" + qr, 5, 5},
      {cell + "ALIGN=CENTER VALIGN=MIDDLE>" + qr, 5 + (100 - 14.5) / 2, 5 + (50 - 14.5) / 2},
      {cell + "ALIGN=RIGHT VALIGN=BOTTOM>" + qr, 105 - 14.5, 55 - 14.5},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(Compose(c.script), "") << c.script;
    ASSERT_NE(Drawn(), nullptr) << c.script;
    const auto background = Rects(0);
    EXPECT_NEAR(background[0][0], c.left, 1e-3) << c.script;
    EXPECT_NEAR(background[0][1], c.top, 1e-3) << c.script;
    // The frame's text went.
    EXPECT_EQ(doc_->FindArtById("frame")->Story()->Text(), u"") << c.script;
    doc_->Dispose(*Drawn());
  }
  // Larger than its cell: drawn at its size all the same, and reported.
  EXPECT_EQ(Compose("<TABLE><TR><TD WIDTH=20 HEIGHT=20>" + qr),
            "overflow: the barcode (14.500000 x 14.500000 mm) is larger than its box; it keeps "
            "its size");
  EXPECT_NE(Drawn(), nullptr);
}

TEST_F(Barcodes, TextLinesAreOutlinesUnderAndOverTheSymbol) {
  // With SHOWHRTEXT the digits (and a QR code's data) add a third path;
  // ITEM adds a line above the symbol, which then starts lower.
  struct {
    const char *attributes;
    size_t paths;
    bool below;  // the symbol starts below the drawing's top
  } cases[] = {
      {"TYPE=JAN_LONG DATA=\"490123456789\"", 3, false},
      {"TYPE=JAN_LONG DATA=\"490123456789\" SHOWHRTEXT=FALSE", 2, false},
      {"TYPE=JAN_LONG DATA=\"490123456789\" SHOWHRTEXT=FALSE ITEM=\"商品\"", 3, true},
      {"TYPE=QRCODE DATA=\"abc\"", 3, false},
      {"TYPE=QRCODE DATA=\"abc\" SHOWHRTEXT=FALSE", 2, false},
      {"TYPE=QRCODE DATA=\"abc\" SHOWHRTEXT=FALSE ITEM=\"[name]\"", 3, true},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(Compose(std::string("<BARCODE ") + c.attributes + ">"), "") << c.attributes;
    ASSERT_NE(Drawn(), nullptr) << c.attributes;
    size_t paths = 0;
    for (pugi::xml_node p = Drawn()->Node().first_child(); p; p = p.next_sibling()) ++paths;
    EXPECT_EQ(paths, c.paths) << c.attributes;
    double top = 1e9;
    for (const auto &r : Rects(1)) top = std::min(top, r[1]);
    EXPECT_EQ(top > Rects(0)[0][1] + 2, c.below) << c.attributes;
    if (c.paths == 3 && std::string(c.attributes).find("JAN") != std::string::npos && !c.below) {
      // The thirteen digits spread under the bars, from the quiet zone's
      // leading digit to the last group's end: more than 80 of the 95
      // modules' width (31.35 mm).
      vhost::Art *text = Drawn()->FirstChild();  // the frontmost
      const AIRealRect b = text->Bounds();
      EXPECT_GT((b.right - b.left) * 25.4 / 72, 31.35 * 0.8) << c.attributes;
    }
    doc_->Dispose(*Drawn());
  }
}

TEST_F(Barcodes, BadDataIsReportedAndNothingDrawn) {
  struct {
    const char *attributes;
    const char *reason;  // a part of the problem's detail
  } cases[] = {
      {"TYPE=JAN_LONG DATA=\"49012345678A\"", "takes 12 digits"},
      {"TYPE=JAN_LONG DATA=\"49012345678\"", "takes 12 digits"},
      {"TYPE=JAN_LONG DATA=\"4901234567894\"", "takes 12 digits"},
      {"TYPE=JAN_LONG DATA=\"4901234567890\" CHECKDIGIT=FALSE", "should be 4"},
      {"TYPE=JAN_SHORT DATA=\"49012340\" CHECKDIGIT=FALSE", "should be 7"},
      {"TYPE=UPC_E DATA=\"01234560\" CHECKDIGIT=FALSE", "heck digit"},
      {"TYPE=UPC_E DATA=\"2123456\"", "number system"},
      {"TYPE=JAN_ISBN DATA=\"490123456789\"", "978 or 979"},
      {"TYPE=UPC_ADDON DATA=\"123\"", "2 or 5 digits"},
      {"TYPE=UPC_ITF DATA=\"14901234567890\" CHECKDIGIT=FALSE", "should be 1"},
      {"TYPE=RSS_14 DATA=\"04901234567890\" CHECKDIGIT=FALSE", "should be 4"},
      {"TYPE=ANSI_CODABAR DATA=\"12345\"", "\"A\", \"B\", \"C\" or \"D\""},
      {"TYPE=ANSI_CODABAR DATA=\"a12345b\"", "no small letters"},
      {"TYPE=CODE39 DATA=\"abc\"", "no small letters"},
      {"TYPE=INTERLEAVED_2OF5 DATA=\"12345\" CHECKDIGIT=FALSE", "even number"},
      {"TYPE=EAN128 DATA=\"(01)04912345123450\"", "Bad checksum"},
      {"TYPE=NEC_2OF5 DATA=\"123\"", "no published definition"},
      {"TYPE=COMPUTER_IDENTICS DATA=\"123\"", "no published definition"},
      {"TYPE=CODE128_X DATA=\"123\"", "names no barcode kind"},
      {"TYPE=JAN_LONG DATA=\"490123456789\" ELEMENTSIZE=big", "not a positive number"},
      {"TYPE=JAN_LONG DATA=\"\"", "empty"},
      {"TYPE=QRCODE VERSION=1 ECCLEVEL=H DATA=\"https://example.com/vardo\"", "too long"},
      {"TYPE=QRCODE VERSION=41 DATA=\"1\"", "1 to 40"},
      {"TYPE=QRCODE ECCLEVEL=X DATA=\"1\"", "L, M, Q and H"},
      {"TYPE=QRCODE ENCODEMODE=NUMERIC DATA=\"12a\"", "digits only"},
      {"TYPE=QRCODE ENCODEMODE=ASCII DATA=\"Vardo\"", "alphanumeric"},
      {"TYPE=QRCODE ENCODEMODE=KANJI DATA=\"山田 Taro\"", "JIS X 0208"},
      {"TYPE=QRCODE ENCODEMODE=KANJI DATA=\"ｱｲｳ\"", "JIS X 0208"},
      {"TYPE=QRCODE ENCODEMODE=KANA DATA=\"1\"", "none of AUTO"},
  };
  for (const auto &c : cases) {
    const std::string problems = Compose(std::string("<BARCODE ") + c.attributes + ">");
    EXPECT_EQ(problems.rfind("bad-barcode-data: ", 0), 0u) << c.attributes << ": " << problems;
    EXPECT_NE(problems.find(c.reason), std::string::npos) << c.attributes << ": " << problems;
    EXPECT_EQ(Drawn(), nullptr) << c.attributes;
  }
}

}  // namespace
