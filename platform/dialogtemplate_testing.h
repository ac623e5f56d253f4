// Test support: writes dialog templates in the binary layout the resource
// compiler produces, so that tests can build dialogs in memory.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace vplat::testing {

class DialogTemplateWriter {
 public:
  enum Class : WORD {
    kButton = 0x80,
    kEdit = 0x81,
    kStatic = 0x82,
    kListBox = 0x83,
    kComboBox = 0x85
  };

  DialogTemplateWriter(bool extended, DWORD style, short x, short y, short cx, short cy,
                       std::u16string title)
      : extended_(extended),
        style_(style),
        x_(x),
        y_(y),
        cx_(cx),
        cy_(cy),
        title_(std::move(title)) {}

  DialogTemplateWriter &font(WORD pointSize, std::u16string face) {
    style_ |= DS_SETFONT;
    pointSize_ = pointSize;
    face_ = std::move(face);
    return *this;
  }
  DialogTemplateWriter &exStyle(DWORD ex) {
    exStyle_ = ex;
    return *this;
  }

  // An item of a predefined class (by atom) or of a registered class (by
  // name). WS_CHILD | WS_VISIBLE are not added: give the full style.
  DialogTemplateWriter &item(WORD classAtom, DWORD id, DWORD style, short x, short y, short cx,
                             short cy, std::u16string text, std::vector<BYTE> creationData = {}) {
    items_.push_back(
        {classAtom, {}, id, style, x, y, cx, cy, std::move(text), std::move(creationData)});
    return *this;
  }
  DialogTemplateWriter &item(std::u16string className, DWORD id, DWORD style, short x, short y,
                             short cx, short cy, std::u16string text) {
    items_.push_back({0, std::move(className), id, style, x, y, cx, cy, std::move(text), {}});
    return *this;
  }

  std::vector<BYTE> bytes() const {
    std::vector<BYTE> b;
    if (extended_) {
      word(b, 1);
      word(b, 0xFFFF);
      dword(b, 0);  // help id
      dword(b, exStyle_);
      dword(b, style_);
    } else {
      dword(b, style_);
      dword(b, exStyle_);
    }
    word(b, static_cast<WORD>(items_.size()));
    word(b, static_cast<WORD>(x_));
    word(b, static_cast<WORD>(y_));
    word(b, static_cast<WORD>(cx_));
    word(b, static_cast<WORD>(cy_));
    word(b, 0);  // no menu
    word(b, 0);  // dialog class
    string(b, title_);
    if (style_ & DS_SETFONT) {
      word(b, pointSize_);
      if (extended_) {
        word(b, 400);
        b.push_back(0);
        b.push_back(1);
      }
      string(b, face_);
    }
    for (const Item &it : items_) {
      while (b.size() % 4) b.push_back(0);
      if (extended_) {
        dword(b, 0);
        dword(b, 0);
        dword(b, it.style);
      } else {
        dword(b, it.style);
        dword(b, 0);
      }
      word(b, static_cast<WORD>(it.x));
      word(b, static_cast<WORD>(it.y));
      word(b, static_cast<WORD>(it.cx));
      word(b, static_cast<WORD>(it.cy));
      if (extended_)
        dword(b, it.id);
      else
        word(b, static_cast<WORD>(it.id));
      if (it.atom) {
        word(b, 0xFFFF);
        word(b, it.atom);
      } else {
        string(b, it.className);
      }
      string(b, it.text);
      if (it.creationData.empty()) {
        word(b, 0);
      } else {
        word(b, static_cast<WORD>(extended_ ? it.creationData.size() : it.creationData.size() + 2));
        b.insert(b.end(), it.creationData.begin(), it.creationData.end());
      }
    }
    return b;
  }

 private:
  struct Item {
    WORD atom;
    std::u16string className;
    DWORD id;
    DWORD style;
    short x, y, cx, cy;
    std::u16string text;
    std::vector<BYTE> creationData;
  };

  static void word(std::vector<BYTE> &b, WORD v) {
    b.push_back(static_cast<BYTE>(v & 0xFF));
    b.push_back(static_cast<BYTE>(v >> 8));
  }
  static void dword(std::vector<BYTE> &b, DWORD v) {
    word(b, static_cast<WORD>(v & 0xFFFF));
    word(b, static_cast<WORD>(v >> 16));
  }
  static void string(std::vector<BYTE> &b, const std::u16string &s) {
    for (char16_t c : s) word(b, static_cast<WORD>(c));
    word(b, 0);
  }

  bool extended_;
  DWORD style_;
  DWORD exStyle_ = 0;
  short x_, y_, cx_, cy_;
  std::u16string title_;
  WORD pointSize_ = 0;
  std::u16string face_;
  std::vector<Item> items_;
};

}  // namespace vplat::testing
