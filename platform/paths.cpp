// The drive table and the conversions between Windows and Linux paths.
//
// Both directions work on whole characters: ANSI text is first decoded to
// UTF-16, and separators are looked for among UTF-16 units, where a
// Shift-JIS trail byte 0x5C can no longer pass for a backslash.
#include "sys.h"

#include <vplatform/paths.h>
#include <windows.h>

#include <array>
#include <cerrno>
#include <optional>
#include <vector>

namespace vplat {
namespace {

using Components = std::vector<std::string>;

std::array<std::optional<Components>, 26> DefaultDrives() {
  std::array<std::optional<Components>, 26> d;
  d['Z' - 'A'] = Components{};
  return d;
}

std::array<std::optional<Components>, 26> drives = DefaultDrives();

int DriveIndex(char letter) {
  if (letter >= 'a' && letter <= 'z') return letter - 'a';
  if (letter >= 'A' && letter <= 'Z') return letter - 'A';
  return -1;
}

// Appends the components of a '/'-separated path, resolving "." and ".."
// lexically; ".." never removes a component below `floor`.
void AppendLinux(std::string_view path, Components &comps, size_t floor) {
  size_t i = 0;
  while (i <= path.size()) {
    size_t end = path.find('/', i);
    if (end == std::string_view::npos) end = path.size();
    std::string_view c = path.substr(i, end - i);
    if (c == "..") {
      if (comps.size() > floor) comps.pop_back();
    } else if (!c.empty() && c != ".") {
      comps.emplace_back(c);
    }
    i = end + 1;
  }
}

bool CurrentDirectory(Components &comps) {
  std::string buf(4096, '\0');
  while (sys::Getcwd(buf.data(), buf.size()) == nullptr) {
    if (errno != ERANGE) return false;
    buf.resize(buf.size() * 2);
  }
  comps.clear();
  AppendLinux(buf.c_str(), comps, 0);
  return true;
}

std::string Join(const Components &comps) {
  if (comps.empty()) return "/";
  std::string s;
  for (const std::string &c : comps) {
    s += '/';
    s += c;
  }
  return s;
}

// The drive whose root is the longest whole-component prefix of comps; the
// first letter wins a tie. -1 when no drive covers comps.
int CoveringDrive(const Components &comps) {
  int best = -1;
  size_t bestLen = 0;
  for (int d = 0; d < 26; ++d) {
    if (!drives[d]) continue;
    const Components &root = *drives[d];
    if (root.size() > comps.size() || (best >= 0 && root.size() <= bestLen)) continue;
    bool prefix = true;
    for (size_t i = 0; i < root.size() && prefix; ++i) prefix = root[i] == comps[i];
    if (prefix) {
      best = d;
      bestLen = root.size();
    }
  }
  return best;
}

bool Fail(DWORD error) {
  SetLastError(error);
  return false;
}

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// Characters Windows refuses in a file name (separators are handled apart).
bool ForbiddenInName(char16_t c) {
  return c < 0x20 || c == u'<' || c == u'>' || c == u':' || c == u'"' || c == u'|' || c == u'?' ||
         c == u'*';
}

bool Decode(UINT codePage, std::string_view bytes, std::u16string &out) {
  out.clear();
  if (bytes.empty()) return true;
  const int len = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), len, nullptr, 0);
  if (n <= 0) return false;
  out.resize(static_cast<size_t>(n));
  return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), len,
                             reinterpret_cast<LPWSTR>(out.data()), n) == n;
}

// UTF-16 -> UTF-8 (Linux names) or the ANSI code page, refusing any
// character that the target cannot carry exactly.
bool Encode(UINT codePage, std::u16string_view text, std::string &out) {
  out.clear();
  if (text.empty()) return true;
  if (codePage == CP_ACP && GetACP() == CP_UTF8) codePage = CP_UTF8;
  const bool utf8 = codePage == CP_UTF8;
  // UTF-8 takes neither best-fit nor default characters; invalid UTF-16 is
  // refused by WC_ERR_INVALID_CHARS instead.
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  LPBOOL used = utf8 ? nullptr : &usedDefault;
  const auto *w = reinterpret_cast<LPCWSTR>(text.data());
  const int len = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(codePage, flags, w, len, nullptr, 0, nullptr, used);
  if (n <= 0 || usedDefault) return false;
  out.resize(static_cast<size_t>(n));
  if (WideCharToMultiByte(codePage, flags, w, len, out.data(), n, nullptr, used) != n ||
      usedDefault)
    return false;
  return true;
}

}  // namespace

bool MapDrive(char letter, std::string linuxDir) {
  const int d = DriveIndex(letter);
  if (d < 0 || linuxDir.empty() || linuxDir.find('\0') != std::string::npos) return false;
  Components comps;
  if (linuxDir[0] != '/' && !CurrentDirectory(comps)) return false;
  AppendLinux(linuxDir, comps, 0);
  drives[d] = std::move(comps);
  return true;
}

bool UnmapDrive(char letter) {
  const int d = DriveIndex(letter);
  if (d < 0 || !drives[d]) return false;
  drives[d].reset();
  return true;
}

void ResetDrives() { drives = DefaultDrives(); }

std::string DriveMapping(char letter) {
  const int d = DriveIndex(letter);
  if (d < 0 || !drives[d]) return {};
  return Join(*drives[d]);
}

bool LinuxPathFromWindows(std::string_view ansiPath, std::string &out) {
  if (ansiPath.empty()) return Fail(ERROR_PATH_NOT_FOUND);
  if (ansiPath.find('\0') != std::string_view::npos) return Fail(ERROR_INVALID_NAME);
  std::u16string w;
  if (!Decode(CP_ACP, ansiPath, w)) return Fail(ERROR_NO_UNICODE_TRANSLATION);

  // \\server\share, \\?\ and \\.\ name things this platform does not have.
  if (w.size() >= 2 && IsSeparator(w[0]) && IsSeparator(w[1])) return Fail(ERROR_INVALID_NAME);

  size_t pos = 0;
  int drive = -1;
  if (w.size() >= 2 && w[1] == u':' && w[0] < 0x80 && DriveIndex(static_cast<char>(w[0])) >= 0) {
    drive = DriveIndex(static_cast<char>(w[0]));
    pos = 2;
  }
  const bool rooted = pos < w.size() && IsSeparator(w[pos]);

  Components comps;
  size_t floor = 0;
  Components cwd;
  int cwdDrive = -1;
  if (drive < 0 || !rooted) {
    if (!CurrentDirectory(cwd)) return Fail(ERROR_PATH_NOT_FOUND);
    cwdDrive = CoveringDrive(cwd);
  }
  if (!rooted && (drive < 0 || drive == cwdDrive)) {
    // Against the current directory, which cannot be climbed out of further
    // than its drive's root.
    comps = std::move(cwd);
    floor = cwdDrive >= 0 ? drives[cwdDrive]->size() : 0;
  } else {
    if (drive < 0) drive = cwdDrive;
    if (drive < 0 || !drives[drive]) return Fail(ERROR_PATH_NOT_FOUND);
    comps = *drives[drive];
    floor = comps.size();
  }

  std::string name;
  while (pos <= w.size()) {
    size_t end = pos;
    while (end < w.size() && !IsSeparator(w[end])) ++end;
    std::u16string_view c(w.data() + pos, end - pos);
    pos = end + 1;
    if (c.empty() || c == u".") continue;
    if (c == u"..") {
      if (comps.size() > floor) comps.pop_back();
      continue;
    }
    for (char16_t ch : c)
      if (ForbiddenInName(ch)) return Fail(ERROR_INVALID_NAME);
    if (!Encode(CP_UTF8, c, name)) return Fail(ERROR_NO_UNICODE_TRANSLATION);
    comps.push_back(name);
  }
  out = Join(comps);
  return true;
}

bool WindowsPathFromLinux(std::string_view linuxPath, std::string &ansiOut) {
  if (linuxPath.empty()) return Fail(ERROR_PATH_NOT_FOUND);
  if (linuxPath.find('\0') != std::string_view::npos) return Fail(ERROR_INVALID_NAME);
  Components comps;
  if (linuxPath[0] != '/' && !CurrentDirectory(comps)) return Fail(ERROR_PATH_NOT_FOUND);
  AppendLinux(linuxPath, comps, 0);

  const int drive = CoveringDrive(comps);
  if (drive < 0) return Fail(ERROR_PATH_NOT_FOUND);

  std::u16string w;
  w += static_cast<char16_t>(u'A' + drive);
  w += u":\\";
  std::u16string name;
  for (size_t i = drives[drive]->size(); i < comps.size(); ++i) {
    if (!Decode(CP_UTF8, comps[i], name)) return Fail(ERROR_NO_UNICODE_TRANSLATION);
    for (char16_t ch : name)
      if (ch == u'\\' || ForbiddenInName(ch)) return Fail(ERROR_INVALID_NAME);
    if (w.back() != u'\\') w += u'\\';
    w += name;
  }
  std::string ansi;
  if (!Encode(CP_ACP, w, ansi)) return Fail(ERROR_NO_UNICODE_TRANSLATION);
  ansiOut = std::move(ansi);
  return true;
}

}  // namespace vplat
