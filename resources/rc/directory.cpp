// Writing the resource directory and the note that carries it.
#include <cstdio>
#include <map>

#include "bytes.h"
#include "rc.h"
#include "vplatform/resourceformat.h"

namespace vardo::rc {

namespace fmt = vplat::rsrc;

std::vector<std::uint8_t> BuildDirectory(const std::vector<Resource> &resources) {
  const std::uint32_t entriesEnd =
      sizeof(fmt::DirectoryHeader) +
      static_cast<std::uint32_t>(resources.size()) * sizeof(fmt::DirectoryEntry);

  // Name strings, each stored once.
  ByteWriter strings;
  std::map<std::u16string, std::uint32_t> stringOffsets;
  auto field = [&](const ResourceId &id) -> std::uint32_t {
    if (!id.isString) return id.id;
    auto [it, added] = stringOffsets.try_emplace(id.name, 0);
    if (added) {
      it->second = entriesEnd + static_cast<std::uint32_t>(strings.Size());
      strings.U16(static_cast<std::uint32_t>(id.name.size()));
      for (char16_t c : id.name) strings.U16(c);
      strings.Align(4);
    }
    return fmt::kStringFlag | it->second;
  };
  std::vector<std::uint32_t> types, names;
  for (const Resource &r : resources) {
    types.push_back(field(r.type));
    names.push_back(field(r.name));
  }

  ByteWriter w;
  w.U32(fmt::kMagic);
  w.U16(fmt::kVersion);
  w.U16(sizeof(fmt::DirectoryEntry));
  w.U32(static_cast<std::uint32_t>(resources.size()));
  w.U32(0);
  std::uint32_t dataAt = entriesEnd + static_cast<std::uint32_t>(strings.Size());
  for (std::size_t i = 0; i < resources.size(); ++i) {
    w.U32(types[i]);
    w.U32(names[i]);
    w.U16(resources[i].language);
    w.U16(0);
    w.U32(dataAt);
    w.U32(static_cast<std::uint32_t>(resources[i].data.size()));
    dataAt += (static_cast<std::uint32_t>(resources[i].data.size()) + 3) / 4 * 4;
  }
  w.Bytes(strings.Data());
  for (const Resource &r : resources) {
    w.Bytes(r.data);
    w.Align(4);
  }
  return std::move(w.Data());
}

std::vector<std::uint8_t> BuildNote(const std::vector<std::uint8_t> &descriptor) {
  ByteWriter w;
  w.U32(sizeof fmt::kNoteName);
  w.U32(static_cast<std::uint32_t>(descriptor.size()));
  w.U32(fmt::kNoteType);
  w.Bytes(std::string_view(fmt::kNoteName, sizeof fmt::kNoteName));
  w.Align(4);
  w.Bytes(descriptor);
  w.Align(4);
  return std::move(w.Data());
}

std::string NoteSource(const std::vector<std::uint8_t> &note, const std::string &scriptName) {
  std::string s;
  s += "// Resources compiled by vardo_rc from " + scriptName + ". Generated: do not edit.\n";
  s += "//\n";
  s += "// An allocated note section, kept by --gc-sections (flag R): the linker\n";
  s += "// places it in a PT_NOTE segment, where the platform finds it from the\n";
  s += "// module's handle.\n";
  s += "__asm__(\n";
  s += "    \".pushsection ";
  s += fmt::kSectionName;
  s += ",\\\"aR\\\",%note\\n\"\n";
  s += "    \".balign 4\\n\"\n";
  char hex[8];
  for (std::size_t i = 0; i < note.size(); i += 24) {
    s += "    \".byte ";
    for (std::size_t k = i; k < note.size() && k < i + 24; ++k) {
      std::snprintf(hex, sizeof hex, k == i ? "%u" : ",%u", note[k]);
      s += hex;
    }
    s += "\\n\"\n";
  }
  s += "    \".popsection\\n\");\n";
  return s;
}

}  // namespace vardo::rc
