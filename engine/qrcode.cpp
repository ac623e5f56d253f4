#include "qrcode.h"

#include <iconv.h>
#include <zint.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

bool IsAlphanumeric(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || std::strchr(" $%*+-./:", c);
}

// Whether every character of `utf8` is one Kanji mode holds: a double-byte
// Shift JIS code of 0x8140 to 0x9FFC or 0xE040 to 0xEBBF.
bool AllKanji(const std::string &utf8, std::string *first) {
  iconv_t cd = iconv_open("SHIFT_JIS", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  bool ok = true;
  size_t at = 0;
  while (ok && at < utf8.size()) {
    size_t length = 1;
    const unsigned char lead = static_cast<unsigned char>(utf8[at]);
    if (lead >= 0xF0)
      length = 4;
    else if (lead >= 0xE0)
      length = 3;
    else if (lead >= 0xC0)
      length = 2;
    char in[4], outBytes[8];
    const size_t take = std::min(length, utf8.size() - at);
    std::memcpy(in, utf8.data() + at, take);
    char *inPointer = in, *outPointer = outBytes;
    size_t inLeft = take, outLeft = sizeof outBytes;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const bool converted = iconv(cd, &inPointer, &inLeft, &outPointer, &outLeft) != size_t(-1) &&
                           inLeft == 0 && outPointer - outBytes == 2;
    const unsigned code =
        converted ? (unsigned(uint8_t(outBytes[0])) << 8) | uint8_t(outBytes[1]) : 0;
    ok = (code >= 0x8140 && code <= 0x9FFC) || (code >= 0xE040 && code <= 0xEBBF);
    if (!ok) *first = utf8.substr(at, take);
    at += take;
  }
  iconv_close(cd);
  return ok;
}

}  // namespace

bool SetQrOptions(const ElementAttributes &attributes, const std::string &data, zint_symbol *symbol,
                  std::string *reason) {
  const std::string *ecc = FindAttribute(attributes, "ECCLEVEL");
  const std::string level = ecc ? UpperAscii(*ecc) : "M";
  static const char kLevels[] = "LMQH";
  const char *which = level.size() == 1 ? std::strchr(kLevels, level[0]) : nullptr;
  if (!which) {
    *reason = "ECCLEVEL=" + *ecc + " is none of L, M, Q and H";
    return false;
  }
  int version = 0;
  if (const std::string *v = FindAttribute(attributes, "VERSION"); v && UpperAscii(*v) != "AUTO") {
    char *end = nullptr;
    const long number = std::strtol(v->c_str(), &end, 10);
    if (v->empty() || *end || number < 1 || number > 40) {
      *reason = "VERSION=" + *v + " is neither AUTO nor a version from 1 to 40";
      return false;
    }
    version = static_cast<int>(number);
  }
  const std::string *m = FindAttribute(attributes, "ENCODEMODE");
  const std::string mode = m ? UpperAscii(*m) : "AUTO";
  int input = UNICODE_MODE;
  if (mode == "NUMERIC") {
    for (char c : data) {
      if (c < '0' || c > '9') {
        *reason =
            "NUMERIC mode holds digits only, and the data holds \"" + std::string(1, c) + "\"";
        return false;
      }
    }
  } else if (mode == "ASCII") {
    for (char c : data) {
      if (!IsAlphanumeric(c)) {
        *reason =
            "ASCII (alphanumeric) mode holds 0-9, A-Z, space and $%*+-./: only, and the "
            "data holds \"" +
            std::string(1, c) + "\"";
        return false;
      }
    }
  } else if (mode == "KANJI") {
    std::string first;
    if (!AllKanji(data, &first)) {
      *reason =
          "KANJI mode holds only characters of JIS X 0208, and the data holds \"" + first + "\"";
      return false;
    }
  } else if (mode == "BINARY") {
    // The bytes as they are; beyond ASCII they are UTF-8, and ECI 26 says
    // so, or readers would take them for Shift JIS.
    input = DATA_MODE;
    for (char c : data) {
      if (static_cast<unsigned char>(c) >= 0x80) symbol->eci = 26;
    }
  } else if (mode != "AUTO" && mode != "MIXED") {
    *reason = "ENCODEMODE=" + *m + " is none of AUTO, NUMERIC, ASCII, BINARY, KANJI and MIXED";
    return false;
  }
  if (data.empty()) {
    *reason = "the data is empty";
    return false;
  }
  // Always set: left alone, zint raises the level where the version has room.
  symbol->option_1 = static_cast<int>(which - kLevels) + 1;
  symbol->option_2 = version;
  symbol->input_mode = input;
  return true;
}

bool AcceptQrWarning(const zint_symbol &symbol, int status, const std::string &mode,
                     std::string *reason) {
  const bool shiftJis = std::strstr(symbol.errtxt, "Shift JIS") != nullptr;
  if (status == ZINT_WARN_NONCOMPLIANT && shiftJis) return true;
  if (status == ZINT_WARN_USES_ECI && UpperAscii(mode) != "KANJI") return true;
  *reason = symbol.errtxt;
  return false;
}
