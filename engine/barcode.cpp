#include "barcode.h"

#include <zint.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>

#include "barcodekinds.h"
#include "barcodetext.h"
#include "qrcode.h"

namespace {

// The ITEM line and a QR code's data line: 8 points to the em.
constexpr double kLineEmMm = 8 * 25.4 / 72;
constexpr const char *kLineFace = "sans-serif";

// A positive number attribute (a length in mm or a factor); `fallback`
// when not given.
bool ReadPositive(const ElementAttributes &attributes, const char *name, double fallback,
                  double *value, std::string *reason) {
  const std::string *text = FindAttribute(attributes, name);
  if (!text) {
    *value = fallback;
    return true;
  }
  std::string_view v = *text;
  if (v.size() >= 2 && UpperAscii(std::string(v.substr(v.size() - 2))) == "MM") v.remove_suffix(2);
  const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), *value);
  if (ec != std::errc() || end != v.data() + v.size() || !(*value > 0) || *value > 1000) {
    *reason = std::string(name) + "=" + *text + " is not a positive number";
    return false;
  }
  return true;
}

bool ReadFlag(const ElementAttributes &attributes, const char *name, bool fallback, bool *value,
              std::string *reason) {
  const std::string *text = FindAttribute(attributes, name);
  if (!text) {
    *value = fallback;
    return true;
  }
  const std::string v = UpperAscii(*text);
  if (v != "TRUE" && v != "FALSE") {
    *reason = std::string(name) + "=" + *text + " is neither TRUE nor FALSE";
    return false;
  }
  *value = v == "TRUE";
  return true;
}

bool AllDigits(const std::string &data) {
  return !data.empty() &&
         std::all_of(data.begin(), data.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The data zint is given for a linear kind: lengths checked, a carried
// check digit computed or verified and taken off (zint adds it again), an
// optional one asked of zint.
bool PrepareLinear(const BarcodeKind &kind, bool checkDigit, std::string *data, zint_symbol *symbol,
                   std::string *reason) {
  if (data->empty()) {
    *reason = "the data is empty";
    return false;
  }
  const std::string type = kind.type;
  if (type == "UPC_ADDON") {
    if (!AllDigits(*data) || (data->size() != 2 && data->size() != 5)) {
      *reason = "an add-on is 2 or 5 digits, not \"" + *data + "\"";
      return false;
    }
    return true;
  }
  if (kind.check == CheckDigit::kCarried) {
    const size_t length = kind.digits + (checkDigit ? 0 : 1);
    if (!AllDigits(*data) || data->size() != length) {
      *reason = std::string(kind.type) + " takes " + std::to_string(length) + " digits " +
                (checkDigit ? "(the check digit is computed)" : "ending with the check digit") +
                ", not \"" + *data + "\"";
      return false;
    }
    if (type == "UPC_E" && (*data)[0] != '0' && (*data)[0] != '1') {
      *reason = "UPC-E begins with its number system 0 or 1, not \"" + *data + "\"";
      return false;
    }
    if (type == "JAN_ISBN" && data->compare(0, 3, "978") != 0 && data->compare(0, 3, "979") != 0) {
      *reason = "an ISBN begins with 978 or 979, not \"" + *data + "\"";
      return false;
    }
    if (!checkDigit) {
      // UPC-E's check digit is that of the UPC-A it stands for; zint
      // verifies that one itself.
      std::string body = data->substr(0, data->size() - 1);
      const char given = data->back();
      if (type == "UPC_E") {
        symbol->symbology = BARCODE_UPCE_CHK;
        return true;
      }
      const char computed = Gs1CheckDigit(body);
      if (given != computed) {
        *reason = "the check digit of \"" + *data + "\" is " + std::string(1, given) +
                  " but should be " + std::string(1, computed);
        return false;
      }
      *data = std::move(body);
    }
    if (type == "JAN_ISBN") *data += Gs1CheckDigit(*data);  // zint wants the ISBN whole
    return true;
  }
  if ((type == "CODE39" || type == "ANSI_CODABAR" || type == "POSTAL") &&
      std::any_of(data->begin(), data->end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
    // zint would take them as capitals, and the symbol would read as such.
    *reason =
        std::string(kind.type) + " has no small letters, and the data \"" + *data + "\" holds some";
    return false;
  }
  if (type == "INTERLEAVED_2OF5" && (data->size() + (checkDigit ? 1 : 0)) % 2 != 0) {
    // zint would put a 0 in front, and the symbol would read as other data.
    *reason = "Interleaved 2 of 5 holds an even number of digits" +
              std::string(checkDigit ? " with its check digit" : "") + ", not \"" + *data + "\"";
    return false;
  }
  if (kind.check == CheckDigit::kOptional) {
    if (type == "CODE11") {
      // One check digit C, and K after it for more than ten characters.
      symbol->option_2 = !checkDigit ? 2 : data->size() > 10 ? 0 : 1;
    } else {
      symbol->option_2 = checkDigit ? 1 : 0;
    }
  }
  return true;
}

struct SymbolDeleter {
  void operator()(zint_symbol *symbol) const { ZBarcode_Delete(symbol); }
};

}  // namespace

void Outline::Rect(double x, double y, double width, double height) {
  ops += "MLLLZ";
  points.insert(points.end(), {{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}});
}

bool DrawBarcode(const ElementAttributes &attributes, BarcodeDrawing *out, std::string *reason,
                 std::vector<std::string> *notes) {
  *out = BarcodeDrawing{};
  const std::string *typeText = FindAttribute(attributes, "TYPE");
  const std::string type = typeText ? UpperAscii(*typeText) : "JAN_LONG";
  const bool qr = type == "QRCODE";
  const BarcodeKind *kind = qr ? nullptr : FindBarcodeKind(type);
  if (!qr && !kind) {
    *reason = "TYPE=" + type + " names no barcode kind";
    return false;
  }
  if (kind && kind->refusal) {
    *reason = std::string(kind->refusal) + "; nothing is drawn rather than another symbol";
    return false;
  }
  const std::string *dataText = FindAttribute(attributes, "DATA");
  std::string data = dataText ? *dataText : std::string();
  const std::string *itemText = FindAttribute(attributes, "ITEM");
  const std::string item = itemText ? *itemText : std::string();
  bool showText = true, checkDigit = true;
  double size = 1, moduleMm = 0, truncHeight = 0;
  if (!ReadFlag(attributes, "SHOWHRTEXT", true, &showText, reason)) return false;
  std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
  if (!symbol) {
    *reason = "zint has no memory for a symbol";
    return false;
  }
  const std::string *toji = FindAttribute(attributes, "TOJI");
  if (toji && UpperAscii(*toji) != "LEFT" && UpperAscii(*toji) != "RIGHT") {
    *reason = "TOJI=" + *toji + " is neither LEFT nor RIGHT";
    return false;
  }
  if (qr) {
    if (!ReadPositive(attributes, "CELLSIZE", 0.5, &moduleMm, reason)) return false;
    if (!SetQrOptions(attributes, data, symbol.get(), reason)) return false;
    symbol->symbology = BARCODE_QRCODE;
    symbol->output_options |= BARCODE_QUIET_ZONES;
  } else {
    if (!ReadPositive(attributes, "ELEMENTSIZE", 1, &size, reason) ||
        !ReadFlag(attributes, "CHECKDIGIT", true, &checkDigit, reason)) {
      return false;
    }
    if (FindAttribute(attributes, "TRUNCHEIGHT") &&
        !ReadPositive(attributes, "TRUNCHEIGHT", 0, &truncHeight, reason)) {
      return false;
    }
    moduleMm = kind->moduleMm * size;
    symbol->symbology = kind->symbology;
    symbol->input_mode = UNICODE_MODE;
    if (!PrepareLinear(*kind, checkDigit, &data, symbol.get(), reason)) return false;
    if (kind->symbology == BARCODE_GS1_128 || kind->symbology == BARCODE_DBAR_EXP) {
      symbol->input_mode = GS1_MODE | (data[0] == '(' ? GS1PARENS_MODE : 0);
    }
    if (kind->symbology == BARCODE_JAPANPOST) {
      if (truncHeight > 0)
        notes->push_back(
            "TRUNCHEIGHT does not apply to the Japan Post barcode; its bar heights "
            "are fixed");
      truncHeight = 0;
      symbol->output_options |= COMPLIANT_HEIGHT;
    } else if (truncHeight > 0) {
      symbol->height = static_cast<float>(truncHeight / moduleMm);
    } else if (kind->heightModules > 0) {
      symbol->height = static_cast<float>(kind->heightModules);
    } else {
      symbol->output_options |= COMPLIANT_HEIGHT;
    }
    symbol->output_options |= BARCODE_QUIET_ZONES;
    symbol->show_hrt = showText && kind->face ? 1 : 0;
  }
  // One vector unit per module.
  symbol->scale = 0.5f;
  int status = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char *>(data.data()),
                               static_cast<int>(data.size()));
  if (status >= ZINT_ERROR) {
    *reason = symbol->errtxt;
    return false;
  }
  if (status != 0) {
    const std::string *mode = FindAttribute(attributes, "ENCODEMODE");
    if (!qr || !AcceptQrWarning(*symbol, status, mode ? *mode : "AUTO", reason)) {
      if (!qr) *reason = symbol->errtxt;
      return false;
    }
  }
  status = ZBarcode_Buffer_Vector(symbol.get(), 0);
  if (status >= ZINT_ERROR || !symbol->vector) {
    *reason = symbol->errtxt;
    return false;
  }
  if (status != 0) notes->push_back(symbol->errtxt);

  const zint_vector &vector = *symbol->vector;
  const double x = moduleMm;
  double symbolWidth = vector.width * x, symbolHeight = vector.height * x;
  // An ITEM line above the symbol, a QR code's data line below it.
  const double line = kLineEmMm * 1.25;
  const std::string below = qr && showText ? data : std::string();
  const double itemWidth =
      item.empty() ? 0 : OutlineText(item, kLineFace, kLineEmMm, 0, 0, nullptr);
  const double belowWidth =
      below.empty() ? 0 : OutlineText(below, kLineFace, kLineEmMm, 0, 0, nullptr);
  out->width = std::max({symbolWidth, itemWidth, belowWidth});
  const double left = (out->width - symbolWidth) / 2;
  const double top = item.empty() ? 0 : line;
  out->height = top + symbolHeight + (below.empty() ? 0 : line);
  out->moduleMm = x;
  for (const zint_vector_rect *r = vector.rectangles; r; r = r->next) {
    if (r->colour == 8) continue;  // white: a space zint paints
    Outline bar;
    bar.Rect(left + r->x * x, top + r->y * x, r->width * x, r->height * x);
    out->bars.push_back(std::move(bar));
  }
  const std::string face = kind && kind->face ? kind->face : kLineFace;
  for (const zint_vector_string *s = vector.strings; s; s = s->next) {
    const std::string text(reinterpret_cast<const char *>(s->text));
    const double em = s->fsize * x;
    const double width = OutlineText(text, face, em, 0, 0, nullptr);
    const double anchor = left + s->x * x;
    const double start = s->halign == 1   ? anchor
                         : s->halign == 2 ? anchor - width
                                          : anchor - width / 2;
    OutlineText(text, face, em, start, top + s->y * x, &out->text);
  }
  if (!item.empty()) {
    OutlineText(item, kLineFace, kLineEmMm, (out->width - itemWidth) / 2, kLineEmMm, &out->text);
  }
  if (!below.empty()) {
    OutlineText(below, kLineFace, kLineEmMm, (out->width - belowWidth) / 2,
                top + symbolHeight + kLineEmMm, &out->text);
  }
  return true;
}

const std::string *FindAttribute(const ElementAttributes &attributes, const char *name) {
  for (const auto &[key, value] : attributes) {
    if (key == name) return &value;
  }
  return nullptr;
}

std::string UpperAscii(std::string text) {
  for (char &c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}
