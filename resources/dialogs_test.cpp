#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rc/testing/dialogreader.h"
#include "testing/modules.h"

namespace vardo::resources {
namespace {

using rc::testing::DialogReader;
using rc::testing::ReadDialog;
using testing::ResourceBytes;
using testing::ScriptModule;

// Window and control style bits, with their Windows values.
constexpr std::uint32_t kPopup = 0x80000000, kChild = 0x40000000, kVisible = 0x10000000,
                        kCaption = 0x00C00000, kBorder = 0x00800000, kVScroll = 0x00200000,
                        kSysMenu = 0x00080000, kTabStop = 0x00010000, kModalFrame = 0x80;

enum Kind {
  DefPush,
  Push,
  Label,
  RightLabel,
  SunkenLabel,
  DropList,
  DropListScroll,
  Editable,
  Edit,
  MultiEdit,
  Check,
  Group,
  OwnerDraw
};

// The class a kind of control has, the bits of its style that say which
// kind it is (mask and value), and further bits it must have.
struct KindStyle {
  std::uint16_t atom;
  std::uint32_t mask, value, more;
};

KindStyle StyleOf(Kind kind) {
  switch (kind) {
    case DefPush: return {0x80, 0xF, 0x1, kTabStop};
    case Push: return {0x80, 0xF, 0x0, kTabStop};
    case Label: return {0x82, 0x1F, 0x0, 0};
    case RightLabel: return {0x82, 0x1F, 0x2, 0};
    case SunkenLabel: return {0x82, 0x1F, 0x0, 0x1000};
    case DropList: return {0x85, 0x3, 0x3, kTabStop};
    case DropListScroll: return {0x85, 0x3, 0x3, kTabStop | kVScroll};
    case Editable: return {0x85, 0x3, 0x2, kTabStop};
    case Edit: return {0x81, 0x4, 0x0, kBorder | kTabStop | 0x80};  // single line, ES_AUTOHSCROLL
    case MultiEdit:
      return {0x81, 0x4, 0x4, kBorder | kTabStop | kVScroll | 0x1000 | 0x80};  // ES_WANTRETURN
    case Check: return {0x80, 0xF, 0x3, kTabStop};  // BS_AUTOCHECKBOX: a click toggles it
    case Group: return {0x80, 0xF, 0x7, 0};
    case OwnerDraw: return {0x82, 0x1F, 0xD, 0};
  }
  return {};
}

struct Control {
  std::uint32_t id;
  Kind kind;
  const char16_t *text;
  std::int16_t x, y, cx, cy;
};

struct DialogCase {
  const char *module;
  int id;
  const char16_t *caption;
  const char16_t *face;
  int x, y;  // -1: not fixed
  std::int16_t cx, cy;
  std::uint32_t styleSet, styleClear;
  std::vector<Control> controls;
};

std::vector<DialogCase> Dialogs() {
  return {
      {"Vardo",
       16052,
       u"編集",
       u"ＭＳ Ｐゴシック",
       22,
       21,
       210,
       171,
       kPopup | kVisible | kCaption | kSysMenu | kModalFrame,
       0,
       {{1, DefPush, u"OK", 154, 149, 45, 14},
        {2, Push, u"キャンセル", 95, 149, 50, 14},
        {1001, MultiEdit, u"", 10, 10, 190, 130}}},
      {"VardoScript",
       16053,
       u"オプション",
       u"ＭＳ Ｐゴシック",
       22,
       21,
       215,
       113,
       kPopup | kCaption | kSysMenu | kModalFrame,
       0,
       {{1, DefPush, u"OK", 160, 90, 45, 14},
        {2, Push, u"Cancel", 100, 90, 50, 14},
        {5, RightLabel, u"水平位置", 16, 22, 45, 8},
        {6, DropList, u"", 68, 20, 104, 12},
        {7, RightLabel, u"垂直位置", 16, 42, 45, 8},
        {8, DropList, u"", 68, 40, 104, 12},
        {9, Check, u"リンク画像の配置", 68, 62, 120, 8}}},
      {"VardoScript",
       16054,
       u"オプション",
       u"ＭＳ Ｐゴシック",
       13,
       24,
       239,
       323,
       kPopup | kCaption | kSysMenu | kModalFrame,
       0,
       {{1, DefPush, u"OK", 179, 298, 50, 14},
        {2, Push, u"Cancel", 118, 298, 50, 14},
        {3, RightLabel, u"配置タイプ", 16, 22, 45, 8},
        {4, DropList, u"", 68, 20, 104, 12},
        {5, RightLabel, u"水平位置", 16, 42, 45, 8},
        {6, DropList, u"", 68, 40, 104, 12},
        {7, RightLabel, u"垂直位置", 16, 62, 45, 8},
        {8, DropList, u"", 68, 60, 104, 12},
        {22, RightLabel, u"コード種別", 16, 96, 45, 8},
        {23, DropList, u"", 68, 94, 150, 12},
        {24, RightLabel, u"倍率", 16, 116, 45, 8},
        {25, Editable, u"", 68, 114, 56, 12},
        {26, Label, u"倍", 128, 116, 14, 8},
        {27, RightLabel, u"モジュール高さ", 16, 136, 45, 8},
        {28, Editable, u"", 68, 134, 56, 12},
        {29, Label, u"mm", 128, 136, 14, 8},
        {32, Label, u"アイテム", 16, 196, 35, 8},
        {33, Edit, u"", 16, 210, 202, 14},
        {34, Check, u"目視用文字の表示", 16, 234, 120, 8},
        {35, Check, u"チェックデジットの計算", 16, 250, 120, 8},
        {36, Check, u"モジュール高さの固定", 16, 266, 120, 8},
        {37, RightLabel, u"誤り訂正レベル", 16, 96, 45, 8},
        {38, DropList, u"", 68, 94, 70, 12},
        {39, RightLabel, u"バージョン", 16, 116, 45, 8},
        {40, DropListScroll, u"", 68, 114, 70, 12},
        {41, RightLabel, u"モード", 16, 136, 45, 8},
        {42, DropList, u"", 68, 134, 70, 12},
        {43, RightLabel, u"セルサイズ", 16, 156, 45, 8},
        {44, Editable, u"", 68, 154, 70, 12},
        {45, Label, u"アイテム", 16, 196, 35, 8},
        {46, Edit, u"", 16, 210, 202, 14},
        {47, Check, u"目視用文字の表示", 16, 234, 120, 8},
        {48, Group, u"", 8, 85, 222, 201}}},
      {"VardoSequencer",
       16052,
       u"レコード番号を指定",
       u"ＭＳ Ｐゴシック",
       -1,
       -1,
       355,
       210,
       kPopup | kCaption | kSysMenu,
       0,
       {{1, DefPush, u"OK", 290, 187, 50, 14},
        {2, Push, u"Cancel", 230, 187, 50, 14},
        {3, Label, u"差し込みファイル名 (CSV)：", 20, 15, 95, 8},
        {4, SunkenLabel, u"Static", 20, 30, 260, 30},
        {5, Push, u"...", 290, 30, 20, 14},
        {6, Push, u"C", 315, 30, 20, 14},
        {7, Label, u"雛形ファイル名 (AI)：", 20, 68, 95, 8},
        {8, SunkenLabel, u"Static", 20, 83, 260, 30},
        {9, Push, u"...", 290, 83, 20, 14},
        {10, Push, u"C", 315, 83, 20, 14},
        {11, RightLabel, u"開始レコード：", 20, 127, 65, 8},
        {12, Edit, u"", 91, 125, 85, 14},
        {13, RightLabel, u"終了レコード：", 20, 148, 65, 8},
        {14, Edit, u"", 90, 146, 86, 14}}},
      // The progress window has a caption but no system menu: no close box.
      {"VardoSequencer",
       16207,
       u"Progress",
       u"Segoe UI",
       -1,
       -1,
       250,
       80,
       kPopup | kCaption,
       kSysMenu,
       {{2, Push, u"Abort", 191, 61, 50, 14},
        {3, Label, u" ", 25, 21, 200, 8},
        {4, OwnerDraw, u"", 25, 33, 200, 15}}},
  };
}

TEST(ModuleDialogs, TemplatesHoldTheirControlsTextsAndRectangles) {
  for (const DialogCase &want : Dialogs()) {
    SCOPED_TRACE(std::string(want.module) + " dialog " + std::to_string(want.id));
    HMODULE module = ScriptModule(want.module);
    ASSERT_NE(module, nullptr);
    const std::vector<std::uint8_t> bytes =
        ResourceBytes(module, RT_DIALOG, MAKEINTRESOURCEA(want.id));
    ASSERT_FALSE(bytes.empty());
    const ReadDialog d = DialogReader(bytes.data(), bytes.size()).Read();
    EXPECT_EQ(d.signature, 0xFFFF);
    EXPECT_EQ(d.caption, want.caption);
    EXPECT_EQ(d.face, want.face);
    EXPECT_EQ(d.pointSize, 9);
    if (want.x >= 0) {
      EXPECT_EQ(d.x, want.x);
      EXPECT_EQ(d.y, want.y);
    }
    EXPECT_EQ(d.cx, want.cx);
    EXPECT_EQ(d.cy, want.cy);
    EXPECT_EQ(d.style & want.styleSet, want.styleSet);
    EXPECT_EQ(d.style & want.styleClear, 0u);
    ASSERT_EQ(d.controls.size(), want.controls.size());
    for (std::size_t i = 0; i < want.controls.size(); ++i) {
      const Control &w = want.controls[i];
      const auto &c = d.controls[i];
      SCOPED_TRACE("control " + std::to_string(w.id));
      const KindStyle kind = StyleOf(w.kind);
      EXPECT_EQ(c.id, w.id);
      EXPECT_EQ(c.classAtom, kind.atom);
      EXPECT_EQ(c.style & (kChild | kVisible), kChild | kVisible);
      EXPECT_EQ(c.style & kind.mask, kind.value);
      EXPECT_EQ(c.style & kind.more, kind.more);
      EXPECT_EQ(c.text, w.text);
      EXPECT_EQ(c.x, w.x);
      EXPECT_EQ(c.y, w.y);
      EXPECT_EQ(c.cx, w.cx);
      EXPECT_EQ(c.cy, w.cy);
    }
  }
}

}  // namespace
}  // namespace vardo::resources
