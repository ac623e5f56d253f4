// How a module carries its resources: the layout shared by the resource
// compiler (which writes it at build time) and the platform (which reads it
// from a loaded module). The full description is in docs/resources.md.
//
// The resources are one ELF note in a section ".note.vardo.rsrc". Because it
// is an allocated note, the linker places it in a PT_NOTE segment, so a
// loaded module's resources are found from its program headers alone,
// without running module code or exporting a symbol.
//
// Note: namesz 6, descsz, type kNoteType, name "Vardo\0" padded to 8, then
// the descriptor, a resource directory, all little-endian, every offset
// counted from the descriptor's first byte:
//   DirectoryHeader, then `count` DirectoryEntry records, then the name
//   strings (a 16-bit length and that many UTF-16 units, no terminator, each
//   padded to 4 bytes), then the data blocks (each starting at a multiple of
//   4). Entries are in no particular order.
#ifndef VARDO_VPLATFORM_RESOURCEFORMAT_H
#define VARDO_VPLATFORM_RESOURCEFORMAT_H

#include <cstdint>

namespace vplat::rsrc {

inline constexpr char kSectionName[] = ".note.vardo.rsrc";
inline constexpr char kNoteName[] = "Vardo";  // namesz counts its NUL: 6
inline constexpr std::uint32_t kNoteType = 1;
inline constexpr std::uint32_t kMagic = 0x44535256;  // bytes "VRSD"
inline constexpr std::uint16_t kVersion = 1;

// A type or name field: below kStringFlag an integer id (0..0xFFFF), with the
// flag set the low 31 bits are the offset of a name string. Names are stored
// in upper case (ASCII) and compared without regard to case.
inline constexpr std::uint32_t kStringFlag = 0x80000000u;

struct DirectoryHeader {
  std::uint32_t magic;
  std::uint16_t version;
  std::uint16_t entrySize;  // sizeof(DirectoryEntry)
  std::uint32_t count;
  std::uint32_t reserved;
};

struct DirectoryEntry {
  std::uint32_t type;
  std::uint32_t name;
  std::uint16_t language;
  std::uint16_t reserved;
  std::uint32_t dataOffset;
  std::uint32_t dataSize;
};

static_assert(sizeof(DirectoryHeader) == 16);
static_assert(sizeof(DirectoryEntry) == 20);

}  // namespace vplat::rsrc

#endif
