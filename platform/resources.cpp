#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include <windows.h>

#include "moduleimage.h"

namespace vplat::detail {
namespace {

using rsrc::DirectoryEntry;
using rsrc::DirectoryHeader;

std::uint32_t Read32(const std::uint8_t *p) {
  std::uint32_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

std::uint16_t Read16(const std::uint8_t *p) {
  std::uint16_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

bool NameFieldValid(const std::uint8_t *base, std::uint32_t size, std::uint32_t field) {
  if (!(field & rsrc::kStringFlag)) return field <= 0xFFFF;
  const std::uint32_t offset = field & ~rsrc::kStringFlag;
  if (offset % 2 != 0 || offset > size || size - offset < 2) return false;
  return Read16(base + offset) <= (size - offset - 2) / 2;
}

// Checks the whole directory once, so that lookups can trust every offset.
bool DirectoryValid(const std::uint8_t *desc, std::uint32_t size, ResourceDirectory *out) {
  if (reinterpret_cast<std::uintptr_t>(desc) % 4 != 0 || size < sizeof(DirectoryHeader))
    return false;
  DirectoryHeader header;
  std::memcpy(&header, desc, sizeof header);
  if (header.magic != rsrc::kMagic || header.version != rsrc::kVersion ||
      header.entrySize != sizeof(DirectoryEntry))
    return false;
  if (header.count > (size - sizeof header) / sizeof(DirectoryEntry)) return false;
  const auto *entries = reinterpret_cast<const DirectoryEntry *>(desc + sizeof header);
  for (std::uint32_t i = 0; i < header.count; ++i) {
    const DirectoryEntry &e = entries[i];
    if (!NameFieldValid(desc, size, e.type) || !NameFieldValid(desc, size, e.name)) return false;
    if (e.dataOffset % 4 != 0 || e.dataOffset > size || e.dataSize > size - e.dataOffset)
      return false;
  }
  *out = ResourceDirectory{desc, size, entries, header.count};
  return true;
}

std::uint32_t Align(std::uint32_t n, std::uint32_t a) { return (n + a - 1) / a * a; }

// Walks the notes of one PT_NOTE segment looking for ours.
bool ScanNotes(const std::uint8_t *p, std::uint64_t size, std::uint32_t align,
               ResourceDirectory *out) {
  constexpr std::uint32_t kNameSize = sizeof rsrc::kNoteName;
  while (size >= 12) {
    const std::uint32_t namesz = Read32(p), descsz = Read32(p + 4), type = Read32(p + 8);
    const std::uint64_t nameSpan = Align(namesz, align), descSpan = Align(descsz, align);
    if (nameSpan < namesz || descSpan < descsz || 12 + nameSpan + descSpan > size) return false;
    const std::uint8_t *name = p + 12;
    if (type == rsrc::kNoteType && namesz == kNameSize &&
        std::memcmp(name, rsrc::kNoteName, kNameSize) == 0)
      return DirectoryValid(name + nameSpan, descsz, out);
    p += 12 + nameSpan + descSpan;
    size -= 12 + nameSpan + descSpan;
  }
  return false;
}

}  // namespace

DirectoryLookup FindResourceDirectory(HMODULE module, ResourceDirectory *out) {
  bool found = false;
  const bool loaded = VisitModule(module, [&](const dl_phdr_info &info) {
    for (int i = 0; i < info.dlpi_phnum && !found; ++i) {
      const ElfW(Phdr) &ph = info.dlpi_phdr[i];
      if (ph.p_type != PT_NOTE) continue;
      // Notes are padded to their segment's alignment: 4, or 8 for
      // segments of 8-aligned notes.
      const std::uint32_t align = ph.p_align == 8 ? 8 : 4;
      found = ScanNotes(reinterpret_cast<const std::uint8_t *>(info.dlpi_addr + ph.p_vaddr),
                        ph.p_memsz, align, out);
    }
  });
  if (!loaded) return DirectoryLookup::NoModule;
  return found ? DirectoryLookup::Found : DirectoryLookup::NoResources;
}

}  // namespace vplat::detail

namespace {

using vplat::detail::DirectoryLookup;
using vplat::detail::ResourceDirectory;
using vplat::rsrc::DirectoryEntry;

// A resource type or name as asked for: an integer id or an upper-cased
// string.
struct Key {
  bool isString = false;
  WORD id = 0;
  std::u16string name;
};

char16_t UpperAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c; }

// "#123" names the integer id 123.
bool ParseHashId(std::u16string_view text, WORD *id) {
  if (text.size() < 2 || text[0] != u'#') return false;
  unsigned long value = 0;
  for (char16_t c : text.substr(1)) {
    if (c < u'0' || c > u'9') return false;
    value = value * 10 + (c - u'0');
    if (value > 0xFFFF) return false;
  }
  *id = static_cast<WORD>(value);
  return true;
}

Key KeyFromText(std::u16string_view text) {
  Key key;
  if (ParseHashId(text, &key.id)) return key;
  key.isString = true;
  key.name.reserve(text.size());
  for (char16_t c : text) key.name.push_back(UpperAscii(c));
  return key;
}

Key KeyW(LPCWSTR value) {
  if (IS_INTRESOURCE(value)) {
    Key key;
    key.id = LOWORD(reinterpret_cast<ULONG_PTR>(value));
    return key;
  }
  return KeyFromText(std::u16string_view(value));
}

// ANSI names are converted through the ANSI code page, as on Windows.
bool KeyA(LPCSTR value, Key *key) {
  if (IS_INTRESOURCE(value)) {
    key->id = LOWORD(reinterpret_cast<ULONG_PTR>(value));
    return true;
  }
  const int units = MultiByteToWideChar(CP_ACP, 0, value, -1, nullptr, 0);
  if (units <= 0) return false;
  std::u16string wide(static_cast<std::size_t>(units), u'\0');
  MultiByteToWideChar(CP_ACP, 0, value, -1, wide.data(), units);
  wide.pop_back();
  *key = KeyFromText(wide);
  return true;
}

bool Matches(const ResourceDirectory &dir, std::uint32_t field, const Key &key) {
  const bool isString = (field & vplat::rsrc::kStringFlag) != 0;
  if (isString != key.isString) return false;
  if (!isString) return field == key.id;
  const std::uint8_t *p = dir.base + (field & ~vplat::rsrc::kStringFlag);
  std::uint16_t length;
  std::memcpy(&length, p, 2);
  if (length != key.name.size()) return false;
  for (std::uint16_t i = 0; i < length; ++i) {
    char16_t c;
    std::memcpy(&c, p + 2 + 2 * i, 2);
    if (UpperAscii(c) != key.name[i]) return false;
  }
  return true;
}

// Lower is preferred: neutral, the user's and system's default, Japanese
// (the language of the default ANSI code page), any Japanese, US English,
// then anything else by id.
int LanguageRank(WORD language) {
  if (language == MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)) return 0;
  if (PRIMARYLANGID(language) == LANG_NEUTRAL) return 1;
  if (language == MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)) return 2;
  if (PRIMARYLANGID(language) == LANG_JAPANESE) return 3;
  if (language == MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)) return 4;
  return 5;
}

constexpr int kAnyLanguage = -1;

HRSRC Find(HMODULE module, const Key &type, const Key &name, int language) {
  ResourceDirectory dir;
  switch (vplat::detail::FindResourceDirectory(module, &dir)) {
    case DirectoryLookup::NoModule: SetLastError(ERROR_INVALID_HANDLE); return nullptr;
    case DirectoryLookup::NoResources: SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND); return nullptr;
    case DirectoryLookup::Found: break;
  }
  bool typeSeen = false, nameSeen = false;
  const DirectoryEntry *best = nullptr;
  for (std::uint32_t i = 0; i < dir.count; ++i) {
    const DirectoryEntry &e = dir.entries[i];
    if (!Matches(dir, e.type, type)) continue;
    typeSeen = true;
    if (!Matches(dir, e.name, name)) continue;
    nameSeen = true;
    if (language != kAnyLanguage) {
      if (e.language == language) return reinterpret_cast<HRSRC>(const_cast<DirectoryEntry *>(&e));
      continue;
    }
    if (best == nullptr || LanguageRank(e.language) < LanguageRank(best->language) ||
        (LanguageRank(e.language) == LanguageRank(best->language) && e.language < best->language))
      best = &e;
  }
  if (best != nullptr) return reinterpret_cast<HRSRC>(const_cast<DirectoryEntry *>(best));
  SetLastError(!typeSeen   ? ERROR_RESOURCE_TYPE_NOT_FOUND
               : !nameSeen ? ERROR_RESOURCE_NAME_NOT_FOUND
                           : ERROR_RESOURCE_LANG_NOT_FOUND);
  return nullptr;
}

int LanguageArgument(WORD language) {
  return language == MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL) ? kAnyLanguage : language;
}

// The entry behind a handle, when the handle is one of hModule's entries.
const DirectoryEntry *EntryOf(HMODULE module, HRSRC handle, ResourceDirectory *dir) {
  if (handle == nullptr ||
      vplat::detail::FindResourceDirectory(module, dir) != DirectoryLookup::Found) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  const auto at = reinterpret_cast<std::uintptr_t>(handle);
  const auto first = reinterpret_cast<std::uintptr_t>(dir->entries);
  if (at < first || at >= first + dir->count * sizeof(DirectoryEntry) ||
      (at - first) % sizeof(DirectoryEntry) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return reinterpret_cast<const DirectoryEntry *>(handle);
}

// String `id` of the string table: its units (not terminated) and length.
// False when its block is absent (last error set by the lookup) or damaged.
bool FindString(HINSTANCE instance, UINT id, const char16_t **text, int *length) {
  const WORD block = static_cast<WORD>((LOWORD(id) >> 4) + 1);
  HRSRC found = Find(instance, Key{false, 6, {}}, Key{false, block, {}}, kAnyLanguage);
  if (found == nullptr) return false;
  const auto *entry = reinterpret_cast<const DirectoryEntry *>(found);
  ResourceDirectory dir;
  vplat::detail::FindResourceDirectory(instance, &dir);
  const std::uint8_t *p = dir.base + entry->dataOffset;
  std::uint32_t left = entry->dataSize;
  for (unsigned index = 0;; ++index) {
    if (left < 2) return false;
    std::uint16_t units;
    std::memcpy(&units, p, 2);
    if (std::uint32_t(units) * 2 > left - 2) return false;
    if (index == (id & 15)) {
      *text = reinterpret_cast<const char16_t *>(p + 2);
      *length = units;
      return true;
    }
    p += 2 + 2 * std::uint32_t(units);
    left -= 2 + 2 * std::uint32_t(units);
  }
}

}  // namespace

extern "C" {

HRSRC WINAPI FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType) {
  return Find(hModule, KeyW(lpType), KeyW(lpName), kAnyLanguage);
}

HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
  Key type, name;
  if (!KeyA(lpType, &type) || !KeyA(lpName, &name)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return Find(hModule, type, name, kAnyLanguage);
}

HRSRC WINAPI FindResourceExW(HMODULE hModule, LPCWSTR lpType, LPCWSTR lpName, WORD wLanguage) {
  return Find(hModule, KeyW(lpType), KeyW(lpName), LanguageArgument(wLanguage));
}

HRSRC WINAPI FindResourceExA(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage) {
  Key type, name;
  if (!KeyA(lpType, &type) || !KeyA(lpName, &name)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return Find(hModule, type, name, LanguageArgument(wLanguage));
}

HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo) {
  ResourceDirectory dir;
  const DirectoryEntry *entry = EntryOf(hModule, hResInfo, &dir);
  if (entry == nullptr) return nullptr;
  return const_cast<std::uint8_t *>(dir.base + entry->dataOffset);
}

LPVOID WINAPI LockResource(HGLOBAL hResData) { return hResData; }

DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo) {
  ResourceDirectory dir;
  const DirectoryEntry *entry = EntryOf(hModule, hResInfo, &dir);
  return entry == nullptr ? 0 : entry->dataSize;
}

BOOL WINAPI FreeResource(HGLOBAL) { return FALSE; }

int WINAPI LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax) {
  if (lpBuffer == nullptr || cchBufferMax < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const char16_t *text = nullptr;
  int length = 0;
  const bool found = FindString(hInstance, uID, &text, &length);
  if (cchBufferMax == 0) {
    // The caller gets a pointer into the module image instead of a copy.
    *reinterpret_cast<const char16_t **>(lpBuffer) = found ? text : nullptr;
    return found ? length : 0;
  }
  const int copied = found ? std::min(length, cchBufferMax - 1) : 0;
  if (copied > 0) std::memcpy(lpBuffer, text, sizeof(char16_t) * static_cast<std::size_t>(copied));
  lpBuffer[copied] = u'\0';
  return copied;
}

int WINAPI LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
  if (lpBuffer == nullptr || cchBufferMax < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (cchBufferMax == 0) return 0;
  const char16_t *text = nullptr;
  int length = 0;
  int used = 0;
  if (FindString(hInstance, uID, &text, &length) && length > 0) {
    const int room = cchBufferMax - 1;
    const int whole = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (whole <= room) {
      used = WideCharToMultiByte(CP_ACP, 0, text, length, lpBuffer, room, nullptr, nullptr);
    } else {
      // Too long: take whole characters (a surrogate pair counts as one)
      // while their bytes fit.
      for (int i = 0; i < length;) {
        const int step = (text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < length) ? 2 : 1;
        const int bytes =
            WideCharToMultiByte(CP_ACP, 0, text + i, step, nullptr, 0, nullptr, nullptr);
        if (bytes <= 0 || used + bytes > room) break;
        WideCharToMultiByte(CP_ACP, 0, text + i, step, lpBuffer + used, bytes, nullptr, nullptr);
        used += bytes;
        i += step;
      }
    }
  }
  lpBuffer[used] = '\0';
  return used;
}

}  // extern "C"
