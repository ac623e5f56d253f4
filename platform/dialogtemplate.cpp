#include "dialogtemplate.h"

#include <cstdint>
#include <cstring>

namespace vplat::detail {

namespace {

// A bounded little-endian reader over the template. Templates sit in
// resource data with no alignment promise beyond WORD, so every field is
// copied out rather than dereferenced in place.
class Reader {
 public:
  Reader(const BYTE *base, size_t size) : base_(base), size_(size) {}

  bool ok() const { return ok_; }
  size_t offset() const { return pos_; }

  WORD word() {
    WORD v = 0;
    take(&v, sizeof v);
    return v;
  }
  DWORD dword() {
    DWORD v = 0;
    take(&v, sizeof v);
    return v;
  }
  short shortValue() { return static_cast<short>(word()); }
  BYTE byte() {
    BYTE v = 0;
    take(&v, sizeof v);
    return v;
  }

  std::u16string string() {
    std::u16string s;
    for (;;) {
      WORD c = word();
      if (!ok_ || c == 0) break;
      s.push_back(static_cast<char16_t>(c));
    }
    return s;
  }

  NameOrOrdinal nameOrOrdinal() {
    NameOrOrdinal n;
    WORD first = word();
    if (!ok_ || first == 0) return n;
    if (first == 0xFFFF) {
      n.isOrdinal = true;
      n.ordinal = word();
      return n;
    }
    n.name.push_back(static_cast<char16_t>(first));
    n.name += string();
    return n;
  }

  void bytes(size_t count, std::vector<BYTE> &out) {
    if (!ok_ || count > size_ - pos_) {
      ok_ = false;
      return;
    }
    out.insert(out.end(), base_ + pos_, base_ + pos_ + count);
    pos_ += count;
  }

  // Items start on DWORD boundaries counted from the template's start.
  // Padding past the end only matters if something is read after it, and
  // that read then fails.
  void alignDword() {
    size_t aligned = (pos_ + 3) & ~size_t{3};
    pos_ = aligned > size_ ? size_ : aligned;
  }

 private:
  void take(void *dst, size_t n) {
    if (!ok_ || n > size_ - pos_) {
      ok_ = false;
      std::memset(dst, 0, n);
      return;
    }
    std::memcpy(dst, base_ + pos_, n);
    pos_ += n;
  }

  const BYTE *base_;
  size_t size_;
  size_t pos_ = 0;
  bool ok_ = true;
};

std::u16string ClassName(const NameOrOrdinal &n) {
  if (n.isOrdinal) return PredefinedClassName(n.ordinal);
  return n.name;
}

}  // namespace

std::u16string PredefinedClassName(WORD atom) {
  switch (atom) {
    case 0x0080: return u"Button";
    case 0x0081: return u"Edit";
    case 0x0082: return u"Static";
    case 0x0083: return u"ListBox";
    case 0x0084: return u"ScrollBar";
    case 0x0085: return u"ComboBox";
    default: return {};
  }
}

bool ParseDialogTemplate(const void *data, size_t size, DialogTemplate &out) {
  out = DialogTemplate{};
  if (!data) return false;
  Reader r(static_cast<const BYTE *>(data), size);

  // DLGTEMPLATEEX starts with dlgVer 1 and signature 0xFFFF; a plain
  // template starts with its style, whose high word is never 0xFFFF with a
  // low word of 1 in practice (WS_POPUP | WS_CHILD together is invalid).
  WORD first = r.word();
  WORD second = r.word();
  if (!r.ok()) return false;
  out.extended = (first == 1 && second == 0xFFFF);

  WORD count = 0;
  if (out.extended) {
    out.helpId = r.dword();
    out.exStyle = r.dword();
    out.style = r.dword();
  } else {
    out.style = static_cast<DWORD>(first) | (static_cast<DWORD>(second) << 16);
    out.exStyle = r.dword();
  }
  count = r.word();
  out.x = r.shortValue();
  out.y = r.shortValue();
  out.cx = r.shortValue();
  out.cy = r.shortValue();
  out.menu = r.nameOrOrdinal();
  out.windowClass = r.nameOrOrdinal();
  out.title = r.string();
  if (out.style & DS_SETFONT) {
    out.hasFont = true;
    out.pointSize = r.word();
    if (out.extended) {
      out.weight = r.word();
      out.italic = r.byte();
      out.charset = r.byte();
    }
    out.typeface = r.string();
  }
  if (!r.ok()) return false;

  out.items.reserve(count);
  for (WORD i = 0; i < count; ++i) {
    r.alignDword();
    DialogItemTemplate item;
    if (out.extended) {
      item.helpId = r.dword();
      item.exStyle = r.dword();
      item.style = r.dword();
    } else {
      item.style = r.dword();
      item.exStyle = r.dword();
    }
    item.x = r.shortValue();
    item.y = r.shortValue();
    item.cx = r.shortValue();
    item.cy = r.shortValue();
    item.id = out.extended ? r.dword() : r.word();
    item.className = ClassName(r.nameOrOrdinal());
    item.text = r.nameOrOrdinal();
    // Extended items count the bytes that follow the count word; plain
    // items count the count word itself as part of the data.
    WORD extra = r.word();
    if (!r.ok()) return false;
    size_t following = extra;
    if (!out.extended) following = extra >= 2 ? extra - 2u : 0u;
    if (extra != 0) {
      item.creationData.push_back(static_cast<BYTE>(extra & 0xFF));
      item.creationData.push_back(static_cast<BYTE>(extra >> 8));
      r.bytes(following, item.creationData);
    }
    if (!r.ok()) return false;
    if (item.className.empty()) return false;
    out.items.push_back(std::move(item));
  }
  return true;
}

}  // namespace vplat::detail
