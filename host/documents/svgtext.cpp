#include "svgtext.h"

#include <vplatform/utf8.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "svggeometry.h"

namespace vhost::svg {

namespace {

// ---- The cascade --------------------------------------------------------

struct Cascade {
  std::string font = "sans-serif";
  double size = 16;
  enum { kNormal, kFactor, kAbsolute } lineHeightMode = kNormal;
  double lineHeight = 0;     // a factor or user units, by the mode
  double letterSpacing = 0;  // user units, inherited as such
  bool fillNone = false;
  Rgb8 fill{0, 0, 0};
  bool strokeNone = true;
  Rgb8 stroke{0, 0, 0};
  double strokeWidth = 1;
  double shift = 0;  // baseline-shift does not inherit; nested shifts add up
  std::string exactFill, exactStroke;
  double horizontalScale = 1, verticalScale = 1;
  bool preserve = false;
};

bool IsTextContentElement(std::string_view local) {
  return local == "tspan" || local == "textPath" || local == "a" || local == "altGlyph";
}

// A paint: none, a colour, or a reference with a fallback colour. Returns
// false when the value says nothing this reader can use (the inherited
// paint then stays).
bool ParsePaint(std::string_view value, bool *none, Rgb8 *rgb) {
  value = Trim(value);
  if (value == "none") {
    *none = true;
    return true;
  }
  if (value.rfind("url(", 0) == 0) {
    const size_t close = value.find(')');
    if (close == std::string_view::npos) return false;
    std::string_view fallback = Trim(value.substr(close + 1));
    if (fallback.empty()) return false;
    value = fallback;
    if (value == "none") {
      *none = true;
      return true;
    }
  }
  if (value == "currentColor") {
    *none = false;
    *rgb = {0, 0, 0};
    return true;
  }
  if (!ParseCssColor(value, rgb)) return false;
  *none = false;
  return true;
}

void Apply(pugi::xml_node element, bool textLevel, bool tspanLevel, Names &names, Cascade *c) {
  if (pugi::xml_attribute space = element.attribute("xml:space")) {
    c->preserve = std::strcmp(space.value(), "preserve") == 0;
  }
  const StyleDeclarations style(element.attribute("style").value());
  auto get = [&](const char *name) -> std::optional<std::string> {
    if (auto value = style.Get(name)) return value;
    if (pugi::xml_attribute attribute = element.attribute(name))
      return std::string(attribute.value());
    return std::nullopt;
  };
  if (auto family = get("font-family")) c->font = FirstFontFamily(*family);
  if (auto size = get("font-size")) {
    double value;
    if (*size == "medium") {
      c->size = 16;
    } else if (ParseLength(*size, c->size, c->size, &value) && value >= 0) {
      c->size = value;
    }
  }
  if (auto height = get("line-height")) {
    std::string_view text = Trim(*height);
    double value;
    std::string_view rest = text;
    if (text == "normal") {
      c->lineHeightMode = Cascade::kNormal;
    } else if (ReadNumber(rest, &value) && Trim(rest).empty()) {
      c->lineHeightMode = Cascade::kFactor;
      c->lineHeight = value;
    } else if (ParseLength(text, c->size, c->size, &value)) {
      c->lineHeightMode = Cascade::kAbsolute;
      c->lineHeight = value;
    }
  }
  if (auto spacing = get("letter-spacing")) {
    double value;
    if (Trim(*spacing) == "normal") {
      c->letterSpacing = 0;
    } else if (ParseLength(*spacing, c->size, c->size, &value)) {
      c->letterSpacing = value;
    }
  }
  if (auto paint = get("fill")) ParsePaint(*paint, &c->fillNone, &c->fill);
  if (auto paint = get("stroke")) ParsePaint(*paint, &c->strokeNone, &c->stroke);
  if (auto width = get("stroke-width")) {
    double value;
    if (ParseLength(*width, c->size, 0, &value) && value >= 0) c->strokeWidth = value;
  }
  if (tspanLevel) {
    if (auto shift = get("baseline-shift")) {
      const std::string_view text = Trim(*shift);
      double value;
      if (text == "super") {
        c->shift += c->size / 3;
      } else if (text == "sub") {
        c->shift -= c->size / 3;
      } else if (text != "baseline" && ParseLength(text, c->size, c->size, &value)) {
        c->shift += value;
      }
    }
  }
  if (textLevel) {
    auto attribute = [&](const char *local) {
      return element.attribute(names.Lookup(Names::kVardo, local).c_str());
    };
    double value;
    std::string_view text;
    if (pugi::xml_attribute a = attribute("hscale");
        a && (text = a.value(), ReadNumber(text, &value))) {
      c->horizontalScale = value;
    }
    if (pugi::xml_attribute a = attribute("vscale");
        a && (text = a.value(), ReadNumber(text, &value))) {
      c->verticalScale = value;
    }
    if (pugi::xml_attribute a = attribute("fill")) c->exactFill = a.value();
    if (pugi::xml_attribute a = attribute("stroke")) c->exactStroke = a.value();
  }
}

Color ResolveColor(const std::string &exact, bool none, Rgb8 css, const TextContext &context) {
  Color color;
  if (!exact.empty() &&
      ParseExactColor(
          exact, [&](std::string_view name) { return context.findCustomColor(name); }, &color) &&
      (none || color.CssHex() == FormatCssColor(css))) {
    return color;
  }
  if (none) return Color::Rgb(0, 0, 0);
  return Color::Rgb(css.r / 255.0, css.g / 255.0, css.b / 255.0);
}

CharFeatures Resolve(const Cascade &c, const TextContext &context) {
  const double scale = context.scale;
  CharFeatures f;
  f.font = c.font;
  f.size = c.size * scale;
  f.autoLeading = c.lineHeightMode == Cascade::kNormal;
  f.leading = (c.lineHeightMode == Cascade::kFactor ? c.lineHeight * c.size : c.lineHeight) * scale;
  if (f.autoLeading) f.leading = 0;
  f.tracking = c.size > 0 ? static_cast<int32_t>(std::lround(c.letterSpacing / c.size * 1000)) : 0;
  f.baselineShift = c.shift * scale;
  f.horizontalScale = c.horizontalScale;
  f.verticalScale = c.verticalScale;
  f.fill = !c.fillNone;
  f.fillColor = ResolveColor(c.exactFill, c.fillNone, c.fill, context);
  f.stroke = !c.strokeNone;
  f.strokeColor = ResolveColor(c.exactStroke, c.strokeNone, c.stroke, context);
  f.lineWidth = c.strokeWidth * scale;
  return f;
}

// The cascade down to (not including) `element`, from the document's root.
Cascade Inherited(pugi::xml_node element, Names &names) {
  std::vector<pugi::xml_node> chain;
  for (pugi::xml_node n = element.parent(); n && n.type() == pugi::node_element; n = n.parent()) {
    chain.push_back(n);
  }
  Cascade c;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) Apply(*it, false, false, names, &c);
  return c;
}

bool IsLineTspan(pugi::xml_node node, Names &names) {
  return names.SvgLocalName(node) == "tspan" &&
         std::strcmp(node.attribute(names.Lookup(Names::kSodipodi, "role").c_str()).value(),
                     "line") == 0;
}

// ---- Reading ------------------------------------------------------------

// A paragraph's units as read, in stretches that share a feature and the
// white-space rule; kept as one UTF-16 string, so that the text read costs
// two bytes a unit and no more.
struct Stretch {
  size_t start;  // of its units in the paragraph; it runs to the next one's
  size_t feature;
  bool preserve;
  bool literal;  // from vardo:char: never touched by white-space rules
};

struct Paragraph {
  std::u16string units;
  std::vector<Stretch> stretches;
  size_t endFeature = 0;
  bool open = true;  // content outside line tspans may still join it

  // Units appended from here on are of this kind.
  void Begin(size_t feature, bool preserve, bool literal) {
    if (!stretches.empty()) {
      const Stretch &last = stretches.back();
      if (last.start == units.size()) {
        stretches.pop_back();  // nothing was added to it
      } else if (!literal && !last.literal && last.feature == feature &&
                 last.preserve == preserve) {
        return;
      }
    }
    stretches.push_back({units.size(), feature, preserve, literal});
  }
  size_t End(size_t stretch) const {
    return stretch + 1 < stretches.size() ? stretches[stretch + 1].start : units.size();
  }
};

class Reader {
 public:
  Reader(pugi::xml_node text, const TextContext &context) : text_(text), context_(context) {}

  void Read(TextStory *story) {
    Names &names = *context_.names;
    Cascade c = Inherited(text_, names);
    Apply(text_, true, false, names, &c);
    const size_t textFeature = Add(c);
    for (pugi::xml_node child : text_.children())
      hasLines_ = hasLines_ || IsLineTspan(child, names);
    textFeature_ = textFeature;
    Walk(text_, c, textFeature);
    Build(story);
  }

 private:
  size_t Add(const Cascade &c) {
    features_.push_back(Resolve(c, context_));
    return features_.size() - 1;
  }

  Paragraph &Current() {
    if (paragraphs_.empty() || !paragraphs_.back().open) {
      paragraphs_.emplace_back();
      paragraphs_.back().endFeature = textFeature_;
    }
    return paragraphs_.back();
  }

  void Walk(pugi::xml_node node, const Cascade &c, size_t feature) {
    Names &names = *context_.names;
    for (pugi::xml_node child : node.children()) {
      if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
        std::string_view value = child.value();
        if (node == text_ && hasLines_ && Trim(value).empty()) continue;
        Paragraph &p = Current();
        p.Begin(feature, c.preserve, false);
        p.units += vplat::Utf16FromUtf8(value);
        continue;
      }
      const std::string_view local = names.SvgLocalName(child);
      if (!IsTextContentElement(local)) continue;
      Cascade inner = c;
      Apply(child, true, true, names, &inner);
      const size_t innerFeature = Add(inner);
      if (pugi::xml_attribute literal =
              child.attribute(names.Lookup(Names::kVardo, "char").c_str())) {
        const unsigned long code = std::strtoul(literal.value(), nullptr, 16);
        Paragraph &p = Current();
        p.Begin(innerFeature, true, true);
        p.units.push_back(static_cast<char16_t>(code));
        continue;
      }
      if (node == text_ && IsLineTspan(child, names)) {
        paragraphs_.emplace_back();
        paragraphs_.back().endFeature = innerFeature;
        Walk(child, inner, innerFeature);
        paragraphs_.back().open = false;
        continue;
      }
      Walk(child, inner, innerFeature);
    }
  }

  // SVG's white-space rules: with xml:space="preserve" newlines and tabs
  // become spaces; otherwise newlines go, tabs become spaces, and spaces
  // are collapsed and trimmed at the paragraph's ends. In place: a unit is
  // never written ahead of where it was read.
  static void Normalise(Paragraph *p) {
    std::u16string &units = p->units;
    std::vector<Stretch> kept;
    size_t out = 0;
    for (size_t s = 0; s < p->stretches.size(); ++s) {
      Stretch stretch = p->stretches[s];
      const size_t end = p->End(s);
      const size_t start = stretch.start;
      stretch.start = out;
      for (size_t k = start; k < end; ++k) {
        char16_t u = units[k];
        if (!stretch.literal) {
          if (u == u'\n' || u == u'\r') {
            if (!stretch.preserve) continue;
            u = u' ';
          } else if (u == u'\t') {
            u = u' ';
          }
          if (!stretch.preserve && u == u' ' && (out == 0 || units[out - 1] == u' ')) continue;
        }
        units[out++] = u;
      }
      if (out > stretch.start) kept.push_back(stretch);
    }
    units.resize(out);
    while (!kept.empty() && !kept.back().literal && !kept.back().preserve && !units.empty() &&
           units.back() == u' ') {
      units.pop_back();
      if (units.size() == kept.back().start) kept.pop_back();
    }
    p->stretches = std::move(kept);
  }

  void Build(TextStory *story) {
    *story = TextStory();
    story->SetEmptyFeatures(
        features_[paragraphs_.empty() ? textFeature_ : paragraphs_.front().endFeature]);
    for (size_t i = 0; i < paragraphs_.size(); ++i) {
      Paragraph &p = paragraphs_[i];
      Normalise(&p);
      const std::u16string_view units = p.units;
      for (size_t s = 0; s < p.stretches.size(); ++s) {
        const size_t start = p.stretches[s].start;
        story->AppendRun(units.substr(start, p.End(s) - start), features_[p.stretches[s].feature]);
      }
      if (i + 1 < paragraphs_.size()) story->AppendRun(u"\r", features_[p.endFeature]);
      std::u16string().swap(p.units);  // read into the story: no need to hold it twice
    }
  }

  pugi::xml_node text_;
  const TextContext &context_;
  bool hasLines_ = false;
  size_t textFeature_ = 0;
  std::vector<CharFeatures> features_;
  std::vector<Paragraph> paragraphs_;
};

// ---- Writing ------------------------------------------------------------

struct Property {
  bool css;          // a style property, else an attribute of our namespace
  const char *name;  // property, or local name of the attribute
  std::string value;
  bool omittable;  // may be left out where nothing is inherited
};

// Points in user units, as the shortest number that a reader, multiplying
// it by the scale, turns back into the same points: 3.5 mm read as points
// comes back as 3.5, and a size given with twenty digits comes back as the
// same size. When no such number lies near the division (points that were
// never read from a file may have none), it is rounded to 12 digits.
double UserUnits(double points, double scale) {
  if (scale == 1) return points;
  const double exact = points / scale;
  char text[32];
  for (int digits = 12; digits <= 17; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, exact);
    const double value = std::strtod(text, nullptr);
    if (value * scale == points) return value;
  }
  double below = exact, above = exact;
  for (int step = 0; step < 4; ++step) {
    below = std::nextafter(below, -HUGE_VAL);
    above = std::nextafter(above, HUGE_VAL);
    if (below * scale == points) return below;
    if (above * scale == points) return above;
  }
  std::snprintf(text, sizeof text, "%.12g", exact);
  return std::strtod(text, nullptr);
}

// Lengths in user units: points divided by the page's scale.
std::vector<Property> PropertiesOf(const CharFeatures &f, double scale) {
  const Color black = Color::Rgb(0, 0, 0);
  auto length = [scale](double points) { return FormatNumber(UserUnits(points, scale)) + "px"; };
  return {
      {true, "font-family", QuoteFontFamily(f.font), false},
      {true, "font-size", length(f.size), false},
      {true, "line-height", f.autoLeading ? "normal" : length(f.leading), false},
      {true, "letter-spacing", length(f.tracking * f.size / 1000), false},
      {true, "fill", f.fill ? f.fillColor.CssHex() : "none", false},
      {true, "stroke", f.stroke ? f.strokeColor.CssHex() : "none", false},
      {true, "stroke-width", length(f.lineWidth), false},
      {false, "hscale", FormatNumber(f.horizontalScale), f.horizontalScale == 1},
      {false, "vscale", FormatNumber(f.verticalScale), f.verticalScale == 1},
      {false, "fill", f.fillColor.ExactForm(),
       f.fill ? f.fillColor.CssExact() : f.fillColor == black},
      {false, "stroke", f.strokeColor.ExactForm(),
       f.stroke ? f.strokeColor.CssExact() : f.strokeColor == black},
  };
}

std::string ShiftText(double shift) { return FormatNumber(shift) + "px"; }

// Puts on a new element what differs from its parent's properties.
void WriteDifferences(pugi::xml_node element, const std::vector<Property> &mine,
                      const std::vector<Property> &parents, double shift, Names &names) {
  StyleDeclarations style;
  for (size_t i = 0; i < mine.size(); ++i) {
    if (mine[i].value == parents[i].value) continue;
    if (mine[i].css) {
      style.Set(mine[i].name, mine[i].value);
    } else {
      element.append_attribute(names.Qualified(Names::kVardo, mine[i].name).c_str())
          .set_value(mine[i].value.c_str());
    }
  }
  if (shift != 0) style.Set("baseline-shift", ShiftText(shift));
  if (!style.Empty()) element.append_attribute("style").set_value(style.ToString().c_str());
}

bool NeedsLiteral(const std::u16string &text, size_t i) {
  const char16_t u = text[i];
  if (u < 0x20 || u == 0xFFFE || u == 0xFFFF) return true;
  if (u >= 0xD800 && u <= 0xDBFF)
    return !(i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF);
  if (u >= 0xDC00 && u <= 0xDFFF) return !(i > 0 && text[i - 1] >= 0xD800 && text[i - 1] <= 0xDBFF);
  return false;
}

void AppendText(pugi::xml_node parent, const std::u16string &text, size_t start, size_t end,
                Names &names) {
  // Each run of units SVG can hold as text is one character-data node.
  size_t run = start;
  auto flush = [&](size_t upTo) {
    if (upTo == run) return;
    const std::u16string_view units = std::u16string_view(text).substr(run, upTo - run);
    parent.append_child(pugi::node_pcdata).set_value(vplat::Utf8FromUtf16(units).c_str());
  };
  for (size_t i = start; i < end; ++i) {
    if (!NeedsLiteral(text, i)) continue;
    flush(i);
    run = i + 1;
    char hex[8];
    std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(text[i]));
    pugi::xml_node literal = parent.append_child(names.SvgElement("tspan").c_str());
    literal.append_attribute(names.Qualified(Names::kVardo, "char").c_str()).set_value(hex);
  }
  flush(end);
}

// From the element's user space (its own transform included) to the root's.
Matrix ToRoot(pugi::xml_node node) {
  Matrix m;
  for (pugi::xml_node n = node; n && n.parent() && n.parent().type() == pugi::node_element;
       n = n.parent()) {
    Matrix own;
    ParseTransform(n.attribute("transform").value(), &own);
    m = own * m;
  }
  return m;
}

double FirstNumber(pugi::xml_attribute attribute, bool *found) {
  std::string_view text = attribute.value();
  double value = 0;
  *found = attribute && ReadNumber(text, &value);
  return *found ? value : 0;
}

}  // namespace

std::optional<std::string> OwnProperty(pugi::xml_node element, std::string_view name) {
  const std::string key(name);
  const char *text = element.attribute("style").value();
  // Bounds ask this of every frame many times a second; a style that does
  // not hold the name (declared names are read without case) declares no
  // such property, and is not taken apart for it.
  if (strcasestr(text, key.c_str())) {
    if (auto value = StyleDeclarations(text).Get(name)) return value;
  }
  if (pugi::xml_attribute attribute = element.attribute(key.c_str())) {
    return std::string(attribute.value());
  }
  return std::nullopt;
}

Point TextAnchorPoint(pugi::xml_node text) {
  bool hasX = false, hasY = false;
  Point p{FirstNumber(text.attribute("x"), &hasX), FirstNumber(text.attribute("y"), &hasY)};
  if (hasX && hasY) return p;
  for (pugi::xml_node child = text.first_child(); child; child = child.first_child()) {
    if (child.type() != pugi::node_element) break;
    bool childX = false, childY = false;
    const double x = FirstNumber(child.attribute("x"), &childX);
    const double y = FirstNumber(child.attribute("y"), &childY);
    if (!hasX && childX) p.x = x, hasX = true;
    if (!hasY && childY) p.y = y, hasY = true;
    if (hasX && hasY) break;
  }
  return p;
}

TextLayout::Anchor TextAnchorOf(pugi::xml_node text) {
  for (pugi::xml_node n = text; n && n.type() == pugi::node_element; n = n.parent()) {
    if (auto anchor = OwnProperty(n, "text-anchor")) {
      const std::string_view value = Trim(*anchor);
      if (value == "middle") return TextLayout::kMiddle;
      if (value == "end") return TextLayout::kEnd;
      if (value == "start") return TextLayout::kStart;
    }
  }
  return TextLayout::kStart;
}

void ReadTextStory(pugi::xml_node text, const TextContext &context, TextStory *story) {
  Reader(text, context).Read(story);
}

void WriteTextStory(const TextStory &story, TextContext &context, pugi::xml_node text) {
  Names &names = *context.names;
  const Point anchor = TextAnchorPoint(text);
  const TextLayout::Anchor anchorKind = TextAnchorOf(text);
  const std::u16string &units = story.Text();
  const CharFeatures base =
      units.empty() ? story.EmptyFeatures() : story.FeaturesAt(units.size() - 1);

  // What the text holds besides its characters (a title, a description,
  // comments, elements of other vocabularies, wherever they sit) is not the
  // story's: it stays, as children after the new content, in its order
  // (after it, so that the first line still gives the anchor of a text
  // without one of its own).
  std::vector<pugi::xml_node> kept;
  for (pugi::xml_node n = text.first_child(); n;) {
    const bool element = n.type() == pugi::node_element;
    if (n.type() == pugi::node_comment || n.type() == pugi::node_pi ||
        (element && !IsTextContentElement(names.SvgLocalName(n)))) {
      kept.push_back(n);
    } else if (element && n.first_child()) {
      n = n.first_child();
      continue;
    }
    while (n != text && !n.next_sibling()) n = n.parent();
    n = n == text ? pugi::xml_node() : n.next_sibling();
  }
  for (pugi::xml_node node : kept) text.append_move(node);
  // What now comes before them is the old content.
  const pugi::xml_node firstKept = kept.empty() ? pugi::xml_node() : kept.front();
  while (text.first_child() != firstKept) text.remove_child(text.first_child());
  if (!text.attribute("xml:space")) text.append_attribute("xml:space");
  text.attribute("xml:space").set_value("preserve");
  if (!text.attribute("x")) text.append_attribute("x").set_value(FormatNumber(anchor.x).c_str());
  if (!text.attribute("y")) text.append_attribute("y").set_value(FormatNumber(anchor.y).c_str());

  // The element's own style keeps what we do not own; ours is the base's.
  StyleDeclarations style(text.attribute("style").value());
  const std::vector<Property> root = PropertiesOf(base, context.scale);
  if (style.Get("font-family") != std::optional<std::string>(root[0].value)) {
    style.Remove("-inkscape-font-specification");
  }
  for (const Property &p : root) {
    if (p.css) style.Set(p.name, p.value);
  }
  style.Remove("baseline-shift");
  if (!text.attribute("style")) text.append_attribute("style");
  text.attribute("style").set_value(style.ToString().c_str());
  for (const Property &p : root) {
    if (p.css) continue;
    text.remove_attribute(names.Lookup(Names::kVardo, p.name).c_str());
    if (!p.omittable) {
      text.append_attribute(names.Qualified(Names::kVardo, p.name).c_str())
          .set_value(p.value.c_str());
    }
  }

  const TextLayout layout = LayOutPointText(story, anchor.x, anchor.y, anchorKind, context.scale);
  // Explicit lines are in artwork coordinates: back to the text's space.
  const std::vector<TextStory::Line> *explicitLines = story.Lines();
  Matrix toText;
  if (explicitLines) ToRoot(text).Invert(&toText);
  size_t nextLine = 0;
  size_t start = 0;
  for (size_t line = 0; line < layout.baselines.size(); ++line) {
    size_t end = units.find(u'\r', start);
    const bool last = end == std::u16string::npos;
    if (last) end = units.size();
    // The paragraph's lines: where each begins and its baseline's start.
    struct Segment {
      size_t start;
      Point at;
    };
    std::vector<Segment> segments{{start, {anchor.x, layout.baselines[line]}}};
    if (explicitLines) {
      segments.clear();
      while (nextLine < explicitLines->size() && (*explicitLines)[nextLine].start <= end &&
             (segments.empty() || (*explicitLines)[nextLine].start < end)) {
        const TextStory::Line &l = (*explicitLines)[nextLine++];
        segments.push_back(
            {std::max(l.start, start),
             toText.Apply({UserUnits(l.x, context.scale), -UserUnits(l.y, context.scale)})});
      }
      if (segments.empty()) segments.push_back({start, {anchor.x, layout.baselines[line]}});
    }
    const CharFeatures &lineFeatures = last ? base : story.FeaturesAt(end);
    const std::vector<Property> lineProperties = PropertiesOf(lineFeatures, context.scale);
    pugi::xml_node tspan = text.append_child(names.SvgElement("tspan").c_str());
    tspan.append_attribute(names.Qualified(Names::kSodipodi, "role").c_str()).set_value("line");
    tspan.append_attribute("x").set_value(FormatNumber(segments[0].at.x).c_str());
    tspan.append_attribute("y").set_value(FormatNumber(segments[0].at.y).c_str());
    WriteDifferences(tspan, lineProperties, root,
                     UserUnits(lineFeatures.baselineShift, context.scale), names);
    for (size_t k = 0; k < segments.size(); ++k) {
      // A later line of the paragraph is a positioned tspan inside it, which
      // reads back as runs of the same paragraph.
      pugi::xml_node into = tspan;
      if (k > 0) {
        into = tspan.append_child(names.SvgElement("tspan").c_str());
        into.append_attribute("x").set_value(FormatNumber(segments[k].at.x).c_str());
        into.append_attribute("y").set_value(FormatNumber(segments[k].at.y).c_str());
      }
      const size_t segmentStart = segments[k].start;
      const size_t segmentEnd = k + 1 < segments.size() ? segments[k + 1].start : end;
      size_t position = 0;
      for (const TextStory::Run &run : story.Runs()) {
        const size_t runStart = std::max(position, segmentStart);
        const size_t runEnd = std::min(position + run.length, segmentEnd);
        position += run.length;
        if (runStart >= runEnd) continue;
        if (run.features == lineFeatures) {
          AppendText(into, units, runStart, runEnd, names);
          continue;
        }
        pugi::xml_node span = into.append_child(names.SvgElement("tspan").c_str());
        const double shift = run.features.baselineShift - lineFeatures.baselineShift;
        WriteDifferences(span, PropertiesOf(run.features, context.scale), lineProperties,
                         UserUnits(shift, context.scale), names);
        AppendText(span, units, runStart, runEnd, names);
      }
    }
    start = end + 1;
  }
  for (pugi::xml_node node : kept) text.append_move(node);
}

}  // namespace vhost::svg
