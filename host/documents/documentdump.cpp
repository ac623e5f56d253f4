#include "documentdump.h"

#include <cmath>
#include <cstdio>
#include <unordered_map>

#include "svggeometry.h"
#include "svgtags.h"

namespace vhost {

namespace {

const char *TypeName(ASInt16 type) {
  switch (type) {
    case kGroupArt: return "group";
    case kPathArt: return "path";
    case kPlacedArt: return "placed";
    case kTextFrameArt: return "text";
    default: return "other";
  }
}

std::string Short(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", std::abs(value) < 0.0005 ? 0.0 : value);
  std::string out = text;
  while (out.back() == '0') out.pop_back();
  if (out.back() == '.') out.pop_back();
  return out;
}

std::string Utf8Of(const std::u16string &text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t code = text[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = 0xFFFD;
    }
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  while (!bytes.empty()) {
    size_t n = svg::XmlCharLength(bytes, true);
    // Controls are valid UTF-8 too; XmlCharLength refuses only them.
    if (n == 0 && static_cast<unsigned char>(bytes.front()) < 0x20) n = 1;
    if (n == 0) return false;
    bytes.remove_prefix(n);
  }
  return true;
}

void Line(std::string &out, int depth, const std::string &text) {
  out.append(2 * depth, ' ');
  out += text;
  out += '\n';
}

// Every art's bounds under a layer, found in one pass.
using BoundsMap = std::unordered_map<const Art *, AIRealRect>;
BoundsMap BoundsUnder(const Art &layerGroup) {
  BoundsMap bounds;
  ForEachBounds(layerGroup, [&](const Art &art, const AIRealRect &box) { bounds[&art] = box; });
  return bounds;
}

// The next art in host order after `art`, depth first, within `top`;
// null after the last. `depth` follows the steps taken.
const Art *NextInHostOrder(const Art *art, const Art *top, int *depth) {
  if (art->FirstChild()) {
    ++*depth;
    return art->FirstChild();
  }
  while (art != top && !art->Sibling()) {
    art = art->Parent();
    --*depth;
  }
  return art == top ? nullptr : art->Sibling();
}

void DescribeArt(const Art &art, int depth, const AIRealRect &b, std::string &out) {
  std::string head = TypeName(art.Type());
  if (!art.Id().empty()) head += " #" + EscapeForDisplay(art.Id());
  head += " [" + Short(b.left) + ", " + Short(b.top) + ", " + Short(b.right) + ", " +
          Short(b.bottom) + "]";
  if (art.Locked()) head += " locked";
  if (art.Hidden()) head += " hidden";
  if (art.Selected()) head += " selected";
  Line(out, depth, head);
  for (const auto &[name, value] : art.Tags()) {
    Line(out, depth + 1,
         "tag " + EscapeForDisplay(name) + " = \"" + EscapeForDisplay(value) + "\"");
  }
  if (art.Story())
    Line(out, depth + 1, "text \"" + EscapeForDisplay(Utf8Of(art.Story()->Text())) + "\"");
}

std::string JsonNumber(double value) { return svg::FormatNumber(value); }
std::string JsonBool(bool value) { return value ? "true" : "false"; }

std::string FeaturesJson(const CharFeatures &f) {
  std::string out = "{\"font\":" + JsonString(f.font) + ",\"size\":" + JsonNumber(f.size) +
                    ",\"autoLeading\":" + JsonBool(f.autoLeading);
  if (!f.autoLeading) out += ",\"leading\":" + JsonNumber(f.leading);
  out += ",\"tracking\":" + std::to_string(f.tracking) +
         ",\"baselineShift\":" + JsonNumber(f.baselineShift) +
         ",\"horizontalScale\":" + JsonNumber(f.horizontalScale) +
         ",\"verticalScale\":" + JsonNumber(f.verticalScale) + ",\"fill\":" + JsonBool(f.fill) +
         ",\"fillColor\":" + JsonString(f.fillColor.ExactForm()) +
         ",\"stroke\":" + JsonBool(f.stroke) +
         ",\"strokeColor\":" + JsonString(f.strokeColor.ExactForm()) +
         ",\"lineWidth\":" + JsonNumber(f.lineWidth) + "}";
  return out;
}

// The art as a JSON object, up to (not including) its children and its
// closing brace.
void AppendArtHead(const Art &art, const AIRealRect &b, std::string &out) {
  out += "{\"type\":\"" + std::string(TypeName(art.Type())) + "\",\"id\":" + JsonString(art.Id()) +
         ",\"locked\":" + JsonBool(art.Locked()) + ",\"hidden\":" + JsonBool(art.Hidden()) +
         ",\"selected\":" + JsonBool(art.Selected()) + ",\"bounds\":[" + JsonNumber(b.left) + "," +
         JsonNumber(b.top) + "," + JsonNumber(b.right) + "," + JsonNumber(b.bottom) +
         "],\"tags\":[";
  bool first = true;
  for (const auto &[name, value] : art.Tags()) {
    out += first ? "" : ",";
    first = false;
    // A name or value that is not UTF-8 text is given as hexadecimal bytes.
    auto field = [](const char *key, const std::string &bytes) {
      if (IsValidUtf8(bytes)) return "\"" + std::string(key) + "\":" + JsonString(bytes);
      std::string hex;
      char pair[3];
      for (unsigned char byte : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", byte);
        hex += pair;
      }
      return "\"" + std::string(key) + "Hex\":\"" + hex + "\"";
    };
    out += "{" + field("name", name) + "," + field("value", value) + "}";
  }
  out += "]";
  if (const TextStory *story = art.Story()) {
    out += ",\"text\":" + JsonString(story->Text()) + ",\"runs\":[";
    bool firstRun = true;
    for (const TextStory::Run &run : story->Runs()) {
      out += firstRun ? "" : ",";
      firstRun = false;
      out += "{\"length\":" + std::to_string(run.length) +
             ",\"features\":" + FeaturesJson(run.features) + "}";
    }
    out += "]";
    if (story->Text().empty()) out += ",\"emptyFeatures\":" + FeaturesJson(story->EmptyFeatures());
  }
  AIRealRect area;
  if (art.AreaBox(&area)) out += ",\"area\":true";
}

// The art and everything inside it, children in host order, without
// recursion.
void AppendArtJson(const Art &top, const BoundsMap &bounds, std::string &out) {
  const Art *art = &top;
  for (;;) {
    AppendArtHead(*art, bounds.at(art), out);
    if (art->FirstChild()) {
      out += ",\"children\":[";
      art = art->FirstChild();
      continue;
    }
    out += "}";
    while (art != &top && !art->Sibling()) {
      art = art->Parent();
      out += "]}";
    }
    if (art == &top) return;
    out += ",";
    art = art->Sibling();
  }
}

}  // namespace

std::string EscapeForDisplay(std::string_view bytes) {
  std::string out;
  while (!bytes.empty()) {
    const unsigned char ch = static_cast<unsigned char>(bytes.front());
    size_t n = 1;
    if (ch == '\\' || ch == '"') {
      out += '\\';
      out += static_cast<char>(ch);
    } else if (ch == '\r') {
      out += "\\r";
    } else if (ch == '\n') {
      out += "\\n";
    } else if (ch == '\t') {
      out += "\\t";
    } else if (ch >= 0x20 && ch < 0x7F) {
      out += static_cast<char>(ch);
    } else if ((n = svg::XmlCharLength(bytes, false)) > 1 &&
               !(ch == 0xC2 && static_cast<unsigned char>(bytes[1]) < 0xA0)) {
      out.append(bytes.substr(0, n));
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", ch);
      out += hex;
      n = 1;
    }
    bytes.remove_prefix(n);
  }
  return out;
}

std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    const unsigned char ch = static_cast<unsigned char>(c);
    switch (ch) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      default:
        if (ch < 0x20 || ch == 0x7F) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\u%04x", ch);
          out += hex;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string JsonString(const std::u16string &text) {
  // Lone surrogates cannot be UTF-8; JSON carries them as escapes.
  std::string out = "\"";
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    const bool high = u >= 0xD800 && u <= 0xDBFF, low = u >= 0xDC00 && u <= 0xDFFF;
    const bool paired =
        high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    if ((high && !paired) || low) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\u%04x", static_cast<unsigned>(u));
      out += hex;
      continue;
    }
    const std::u16string piece = paired ? text.substr(i++, 2) : text.substr(i, 1);
    const std::string quoted = JsonString(Utf8Of(piece));
    out += quoted.substr(1, quoted.size() - 2);
  }
  return out + "\"";
}

std::string DescribeDocument(const Document &doc) {
  std::string out;
  Line(out, 0,
       "document " +
           (doc.Path().empty() ? std::string("(untitled)") : EscapeForDisplay(doc.Path())) + ", " +
           std::to_string(doc.LayerCount()) + (doc.LayerCount() == 1 ? " layer" : " layers"));
  for (size_t n = 0; n < doc.LayerCount(); ++n) {
    const Layer &layer = *doc.NthLayer(n);
    Line(out, 0,
         "layer " + std::to_string(n) + " \"" + EscapeForDisplay(layer.Name()) + "\" " +
             (layer.Visible() ? "visible" : "hidden") + ", " +
             (layer.Editable() ? "editable" : "locked"));
    const BoundsMap bounds = BoundsUnder(*layer.group);
    int depth = 0;
    for (const Art *art = NextInHostOrder(layer.group, layer.group, &depth); art;
         art = NextInHostOrder(art, layer.group, &depth)) {
      DescribeArt(*art, depth, bounds.at(art), out);
    }
  }
  return out;
}

std::string DescribeDocumentJson(const Document &doc) {
  std::string out = "{\"path\":" + JsonString(doc.Path()) + ",\"customColors\":[";
  bool first = true;
  for (const auto &color : doc.CustomColors()) {
    out += first ? "" : ",";
    first = false;
    const int count = color->kind == CustomColor::kCMYK ? 4 : 3;
    out += "{\"name\":" + JsonString(color->name) + ",\"" + (count == 4 ? "cmyk" : "rgb") + "\":[";
    for (int i = 0; i < count; ++i) out += (i ? "," : "") + JsonNumber(color->c[i]);
    out += "]}";
  }
  out += "],\"layers\":[";
  for (size_t n = 0; n < doc.LayerCount(); ++n) {
    const Layer &layer = *doc.NthLayer(n);
    out += (n ? "," : "");
    out += "{\"name\":" + JsonString(layer.Name()) + ",\"visible\":" + JsonBool(layer.Visible()) +
           ",\"editable\":" + JsonBool(layer.Editable()) + ",\"group\":";
    AppendArtJson(*layer.group, BoundsUnder(*layer.group), out);
    out += "}";
  }
  return out + "]}\n";
}

}  // namespace vhost
