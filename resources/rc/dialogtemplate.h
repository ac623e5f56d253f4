// An extended dialog template (DIALOGEX) and its Windows binary form,
// DLGTEMPLATEEX followed by DLGITEMTEMPLATEEX records.
#ifndef VARDO_RESOURCES_RC_DIALOGTEMPLATE_H
#define VARDO_RESOURCES_RC_DIALOGTEMPLATE_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vardo::rc {

// Predefined window classes, written as ordinals.
enum : std::uint16_t {
  kButtonAtom = 0x0080,
  kEditAtom = 0x0081,
  kStaticAtom = 0x0082,
  kListBoxAtom = 0x0083,
  kScrollBarAtom = 0x0084,
  kComboBoxAtom = 0x0085,
};

struct DialogControl {
  std::u16string text;
  std::uint32_t id = 0;
  std::uint16_t classAtom = 0;  // 0: className names the class
  std::u16string className;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogFont {
  std::uint16_t pointSize = 0;
  std::uint16_t weight = 0;
  std::uint8_t italic = 0;
  std::uint8_t charset = 1;
  std::u16string face;
};

struct Dialog {
  std::uint32_t helpId = 0;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;
  std::u16string caption;
  std::optional<DialogFont> font;  // written when style has DS_SETFONT
  std::vector<DialogControl> controls;
};

std::vector<std::uint8_t> EncodeDialogEx(const Dialog &dialog);

}  // namespace vardo::rc

#endif
