// Reading dialog templates (DLGTEMPLATE and DLGTEMPLATEEX) into plain
// records. Internal to the platform library.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace vplat::detail {

// A string-or-ordinal field of a template: empty, an ordinal (a resource id
// or a predefined class atom) or a UTF-16 string.
struct NameOrOrdinal {
  bool isOrdinal = false;
  WORD ordinal = 0;
  std::u16string name;
};

struct DialogItemTemplate {
  DWORD helpId = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;
  // The predefined classes (0x80 Button ... 0x85 ComboBox) are given by
  // name here, already resolved from their atoms.
  std::u16string className;
  NameOrOrdinal text;
  // Creation data as it follows the item, starting with its size word;
  // empty when there is none. Handed to the control in CREATESTRUCT.
  std::vector<BYTE> creationData;
};

struct DialogTemplate {
  bool extended = false;
  DWORD helpId = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  NameOrOrdinal menu;
  NameOrOrdinal windowClass;  // empty: the dialog class "#32770"
  std::u16string title;
  bool hasFont = false;
  WORD pointSize = 0;
  WORD weight = 0;
  BYTE italic = 0;
  BYTE charset = 0;
  std::u16string typeface;
  std::vector<DialogItemTemplate> items;
};

// Parses the template at data, at most size bytes long (pass the resource's
// size, or SIZE_MAX when the caller gave a bare pointer). Returns false when
// the template runs past size or holds an unterminated string; out is then
// unspecified. Exported for the library's own tests only.
VPLAT_API bool ParseDialogTemplate(const void *data, size_t size, DialogTemplate &out);

// Name of a predefined control class atom (0x80..0x85), empty if unknown.
std::u16string PredefinedClassName(WORD atom);

}  // namespace vplat::detail
