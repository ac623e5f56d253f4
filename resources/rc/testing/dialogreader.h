// For tests: reads a DLGTEMPLATEEX written in the Windows layout, written
// from the format's documentation independently of the compiler's writer.
#ifndef VARDO_RESOURCES_RC_TESTING_DIALOGREADER_H
#define VARDO_RESOURCES_RC_TESTING_DIALOGREADER_H

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace vardo::rc::testing {

struct ReadControl {
  std::uint32_t helpId, exStyle, style;
  std::int16_t x, y, cx, cy;
  std::uint32_t id;
  std::uint16_t classAtom;  // 0 when className is set
  std::u16string className;
  std::u16string text;
  std::size_t offset;  // where the record starts, from the template's start
};

struct ReadDialog {
  std::uint16_t version, signature;
  std::uint32_t helpId, exStyle, style;
  std::int16_t x, y, cx, cy;
  std::u16string caption;
  std::uint16_t pointSize = 0, weight = 0;
  std::uint8_t italic = 0, charset = 0;
  std::u16string face;
  std::vector<ReadControl> controls;
};

class DialogReader {
 public:
  DialogReader(const void *data, std::size_t size)
      : p_(static_cast<const std::uint8_t *>(data)), size_(size) {}

  ReadDialog Read() {
    ReadDialog d;
    d.version = U16();
    d.signature = U16();
    d.helpId = U32();
    d.exStyle = U32();
    d.style = U32();
    const std::uint16_t count = U16();
    d.x = static_cast<std::int16_t>(U16());
    d.y = static_cast<std::int16_t>(U16());
    d.cx = static_cast<std::int16_t>(U16());
    d.cy = static_cast<std::int16_t>(U16());
    if (U16() != 0) throw std::runtime_error("menu not expected");
    if (U16() != 0) throw std::runtime_error("class not expected");
    d.caption = Sz();
    if (d.style & 0x40) {  // DS_SETFONT
      d.pointSize = U16();
      d.weight = U16();
      d.italic = U8();
      d.charset = U8();
      d.face = Sz();
    }
    for (std::uint16_t i = 0; i < count; ++i) {
      at_ = (at_ + 3) & ~std::size_t(3);
      ReadControl c{};
      c.offset = at_;
      c.helpId = U32();
      c.exStyle = U32();
      c.style = U32();
      c.x = static_cast<std::int16_t>(U16());
      c.y = static_cast<std::int16_t>(U16());
      c.cx = static_cast<std::int16_t>(U16());
      c.cy = static_cast<std::int16_t>(U16());
      c.id = U32();
      if (Peek16() == 0xFFFF) {
        U16();
        c.classAtom = U16();
      } else {
        c.className = Sz();
      }
      if (Peek16() == 0xFFFF) throw std::runtime_error("ordinal title not expected");
      c.text = Sz();
      const std::uint16_t extra = U16();
      at_ += extra;
      d.controls.push_back(std::move(c));
    }
    if (at_ > size_) throw std::runtime_error("template runs past its resource");
    return d;
  }

 private:
  void Need(std::size_t n) const {
    if (at_ + n > size_) throw std::runtime_error("template cut short");
  }
  std::uint8_t U8() {
    Need(1);
    return p_[at_++];
  }
  std::uint16_t Peek16() const {
    Need(2);
    return static_cast<std::uint16_t>(p_[at_] | (p_[at_ + 1] << 8));
  }
  std::uint16_t U16() {
    const std::uint16_t v = Peek16();
    at_ += 2;
    return v;
  }
  std::uint32_t U32() {
    const std::uint32_t lo = U16();
    return lo | (std::uint32_t(U16()) << 16);
  }
  std::u16string Sz() {
    std::u16string s;
    for (std::uint16_t c; (c = U16()) != 0;) s.push_back(c);
    return s;
  }

  const std::uint8_t *p_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace vardo::rc::testing

#endif
