// Pictures: judged by content, found only inside the picture folder, fitted
// and aligned in their frame or cell.
#include "pictures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "VardoEngine.h"

namespace {

namespace fs = std::filesystem;

std::string PngHeader(uint32_t width, uint32_t height) {
  std::string b = "\x89PNG\r\n\x1a\n";
  b += std::string("\0\0\0\x0dIHDR", 8);
  for (uint32_t v : {width, height}) {
    for (int shift = 24; shift >= 0; shift -= 8) b += static_cast<char>((v >> shift) & 0xFF);
  }
  b += std::string("\x08\x02\0\0\0", 5);
  return b;
}

TEST(Pictures, FormatAndSizeComeFromTheContent) {
  const std::string jpeg =
      std::string("\xFF\xD8\xFF\xE0\0\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 20) +
      std::string("\xFF\xC0\0\x11\x08\0\x32\0\x64\x03", 10);
  struct {
    const char *what;
    std::string bytes;
    PictureFormat format;
    double width, height;
  } cases[] = {
      {"png", PngHeader(640, 480), kPng, 640, 480},
      {"jpeg", jpeg, kJpeg, 100, 50},
      {"gif", std::string("GIF89a\x20\x00\x10\x00\x80\x00", 12), kGif, 32, 16},
      {"svg",
       "<?xml version=\"1.0\"?><svg xmlns=\"http://www.w3.org/2000/svg\" width=\"30\" "
       "height=\"20\"/>",
       kSvg, 30, 20},
      {"svg by viewBox", "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 300 100\"/>",
       kSvg, 300, 100},
      {"text", "this is no picture\n", kNotAPicture, 0, 0},
      {"html", "<html><svg></svg></html>", kNotAPicture, 0, 0},
      {"cut png", PngHeader(1, 1).substr(0, 12), kNotAPicture, 0, 0},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(SniffPicture(c.bytes), c.format) << c.what;
    double w = 0, h = 0;
    if (c.format != kNotAPicture) {
      EXPECT_TRUE(PictureSize(c.bytes, c.format, &w, &h)) << c.what;
      EXPECT_EQ(w, c.width) << c.what;
      EXPECT_EQ(h, c.height) << c.what;
    }
  }
}

TEST(Pictures, FittedProportionallyAndAligned) {
  // A wide picture (2:1) into a tall box and a tall one (1:2) into a wide box.
  const AIRealRect tall{0, 200, 100, 0}, wide{0, 100, 200, 0};
  struct {
    const char *what;
    AIRealRect frame;
    double width, height;
    CellLayout::Align align;
    CellLayout::VAlign valign;
    AIRealRect placed;
  } cases[] = {
      {"wide, top", tall, 200, 100, CellLayout::kLeft, CellLayout::kTop, {0, 200, 100, 150}},
      {"wide, middle", tall, 200, 100, CellLayout::kCenter, CellLayout::kMiddle, {0, 125, 100, 75}},
      {"wide, bottom", tall, 200, 100, CellLayout::kRight, CellLayout::kBottom, {0, 50, 100, 0}},
      {"tall, left", wide, 100, 200, CellLayout::kLeft, CellLayout::kTop, {0, 100, 50, 0}},
      {"tall, center", wide, 100, 200, CellLayout::kCenter, CellLayout::kMiddle, {75, 100, 125, 0}},
      {"tall, right", wide, 100, 200, CellLayout::kRight, CellLayout::kBottom, {150, 100, 200, 0}},
  };
  for (const auto &c : cases) {
    CellLayout cell;
    cell.align = c.align;
    cell.valign = c.valign;
    const AIRealRect r = FitPicture(c.frame, cell, c.width, c.height);
    EXPECT_DOUBLE_EQ(r.left, c.placed.left) << c.what;
    EXPECT_DOUBLE_EQ(r.top, c.placed.top) << c.what;
    EXPECT_DOUBLE_EQ(r.right, c.placed.right) << c.what;
    EXPECT_DOUBLE_EQ(r.bottom, c.placed.bottom) << c.what;
  }
  // The cell's WIDTH and HEIGHT, from the frame's top left corner.
  CellLayout cell;
  cell.width = 40;
  cell.height = 40;
  cell.align = CellLayout::kRight;
  cell.valign = CellLayout::kBottom;
  const AIRealRect r = FitPicture(tall, cell, 200, 100);
  EXPECT_DOUBLE_EQ(r.left, 0);
  EXPECT_DOUBLE_EQ(r.right, 40);
  EXPECT_DOUBLE_EQ(r.top, 200 - 20);
  EXPECT_DOUBLE_EQ(r.bottom, 160);
}

TEST(Pictures, OnlyThePictureFolderIsRead) {
  const fs::path dir = fs::path(::testing::TempDir()) / "picturepaths";
  fs::remove_all(dir);
  fs::create_directories(dir / "pictures" / "people");
  fs::create_directories(dir / "elsewhere");
  std::ofstream(dir / "pictures" / "people" / "a.png") << PngHeader(1, 1);
  std::ofstream(dir / "elsewhere" / "b.png") << PngHeader(1, 1);
  fs::create_symlink(dir / "elsewhere" / "b.png", dir / "pictures" / "link.png");
  const std::string folder = (dir / "pictures").string();
  const std::string inside = (dir / "pictures" / "people" / "a.png").string();
  struct {
    std::string src;
    bool anyPath;
    const char *kind;  // null: resolved
  } cases[] = {
      {"file://people/a.png", false, nullptr},
      {"people\\a.png", false, nullptr},
      {"file://" + inside, false, nullptr},
      {"Z:" + inside, false, nullptr},
      {"file://../elsewhere/b.png", false, kVardoProblemPictureOutside},
      {"people/../../elsewhere/b.png", false, kVardoProblemPictureOutside},
      {"..\\elsewhere\\b.png", false, kVardoProblemPictureOutside},
      {(dir / "elsewhere" / "b.png").string(), false, kVardoProblemPictureOutside},
      {"link.png", false, kVardoProblemPictureOutside},
      {"/etc/passwd", false, kVardoProblemPictureOutside},
      {"file://../elsewhere/b.png", true, nullptr},
      {"link.png", true, nullptr},
      {"Q:\\photo.png", false, kVardoProblemMissingPicture},
      {"file://", false, kVardoProblemMissingPicture},
  };
  for (const auto &c : cases) {
    std::string path, detail;
    const char *kind = nullptr;
    const bool resolved = ResolvePicturePath(c.src, folder, c.anyPath, &path, &kind, &detail);
    EXPECT_EQ(resolved, c.kind == nullptr) << c.src << ": " << detail;
    if (c.kind && !resolved) {
      EXPECT_STREQ(kind, c.kind) << c.src;
    }
  }
  std::string path, detail;
  const char *kind = nullptr;
  ASSERT_TRUE(ResolvePicturePath("people\\a.png", folder, false, &path, &kind, &detail));
  EXPECT_EQ(path, inside);
}

TEST(Pictures, MissingUnreadableAndNotAPictureAreReported) {
  const fs::path dir = fs::path(::testing::TempDir()) / "picturefiles";
  fs::remove_all(dir);
  fs::create_directories(dir / "folder.png");
  std::ofstream(dir / "photo.jpg") << "Dear customer, this is a text file.\n";
  std::ofstream(dir / "real.png") << PngHeader(4, 2);
  struct {
    const char *name;
    const char *kind;
  } cases[] = {
      {"real.png", nullptr},
      {"photo.jpg", kVardoProblemNotAPicture},
      {"missing.png", kVardoProblemMissingPicture},
      {"folder.png", kVardoProblemMissingPicture},
  };
  for (const auto &c : cases) {
    std::string bytes, detail;
    PictureFormat format = kNotAPicture;
    const char *kind = nullptr;
    const bool read = ReadPicture((dir / c.name).string(), &bytes, &format, &kind, &detail);
    EXPECT_EQ(read, c.kind == nullptr) << c.name;
    if (c.kind && !read) {
      EXPECT_STREQ(kind, c.kind) << c.name;
    }
  }
}

}  // namespace
