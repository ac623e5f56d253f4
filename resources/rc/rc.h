// vardo_rc: the resource compiler used at build time. It reads a resource
// script (a small subset of the Windows resource-script language, UTF-8) and
// produces the resource directory that a module carries in its
// ".note.vardo.rsrc" note (layout in vplatform/resourceformat.h).
#ifndef VARDO_RESOURCES_RC_RC_H
#define VARDO_RESOURCES_RC_RC_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vardo::rc {

// A resource type or name: an integer id, or an upper-case name.
struct ResourceId {
  bool isString = false;
  std::uint16_t id = 0;
  std::u16string name;

  static ResourceId Int(std::uint16_t id) { return ResourceId{false, id, {}}; }
  bool operator==(const ResourceId &) const = default;
};

struct Resource {
  ResourceId type;
  ResourceId name;
  std::uint16_t language = 0;
  std::vector<std::uint8_t> data;
  int line = 0;  // where the script defines it
};

struct CompiledScript {
  std::vector<Resource> resources;
  std::vector<std::string> dependencies;  // files the script reads
};

struct CompileError {
  std::string file;
  int line = 0;
  std::string message;

  // "file:line: error: message"
  std::string Format() const;
};

// Compiles script text. File names in the script (icons, manifests, data
// files) are relative to baseDir. Returns false with *error filled when the
// script is malformed or a file cannot be used.
bool CompileScript(std::string_view text, const std::string &fileName, const std::string &baseDir,
                   CompiledScript *out, CompileError *error);

// The note descriptor: directory header, entries, name strings, data.
std::vector<std::uint8_t> BuildDirectory(const std::vector<Resource> &resources);

// The complete ELF note (header, owner name, descriptor).
std::vector<std::uint8_t> BuildNote(const std::vector<std::uint8_t> &descriptor);

// C++ source that places the note bytes in the module's ".note.vardo.rsrc"
// section.
std::string NoteSource(const std::vector<std::uint8_t> &note, const std::string &scriptName);

}  // namespace vardo::rc

#endif
