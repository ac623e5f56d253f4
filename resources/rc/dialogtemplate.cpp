#include "dialogtemplate.h"

#include "bytes.h"

namespace vardo::rc {
namespace {

constexpr std::uint32_t kSetFont = 0x40;  // DS_SETFONT, also part of DS_SHELLFONT

}  // namespace

std::vector<std::uint8_t> EncodeDialogEx(const Dialog &d) {
  ByteWriter w;
  w.U16(1);       // dlgVer
  w.U16(0xFFFF);  // signature: extended template
  w.U32(d.helpId);
  w.U32(d.exStyle);
  w.U32(d.style);
  w.U16(static_cast<std::uint16_t>(d.controls.size()));
  w.U16(static_cast<std::uint16_t>(d.x));
  w.U16(static_cast<std::uint16_t>(d.y));
  w.U16(static_cast<std::uint16_t>(d.cx));
  w.U16(static_cast<std::uint16_t>(d.cy));
  w.U16(0);  // no menu
  w.U16(0);  // the predefined dialog class
  w.String16(d.caption);
  if ((d.style & kSetFont) != 0) {
    const DialogFont font = d.font.value_or(DialogFont{});
    w.U16(font.pointSize);
    w.U16(font.weight);
    w.U8(font.italic);
    w.U8(font.charset);
    w.String16(font.face);
  }
  for (const DialogControl &c : d.controls) {
    w.Align(4);
    w.U32(0);  // helpID
    w.U32(c.exStyle);
    w.U32(c.style);
    w.U16(static_cast<std::uint16_t>(c.x));
    w.U16(static_cast<std::uint16_t>(c.y));
    w.U16(static_cast<std::uint16_t>(c.cx));
    w.U16(static_cast<std::uint16_t>(c.cy));
    w.U32(c.id);
    if (c.classAtom != 0) {
      w.U16(0xFFFF);
      w.U16(c.classAtom);
    } else {
      w.String16(c.className);
    }
    w.String16(c.text);
    w.U16(0);  // no creation data
  }
  return std::move(w.Data());
}

}  // namespace vardo::rc
