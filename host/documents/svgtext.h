// Text frames in SVG. A frame is a <text> element; its story is read from
// the element's character data and the styles that cascade onto it, and
// written back as one <tspan sodipodi:role="line"> per paragraph, holding
// a <tspan> for each run whose features differ from the paragraph's.
//
// Features travel by CSS where CSS has them (font-family, font-size,
// line-height, letter-spacing, baseline-shift, fill, stroke, stroke-width)
// and by attributes of our namespace where it has not: vardo:hscale and
// vardo:vscale (1 is 100 %), and vardo:fill / vardo:stroke with a colour's
// exact form, which is believed only while the CSS colour still shows it
// (an editor that recolours the text wins). Each element carries only what
// differs from its parent; a character SVG cannot hold as text (controls,
// lone surrogates) is an empty <tspan vardo:char="HHHH"/>.
#pragma once

#include <functional>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>

#include "documenttext.h"
#include "svggeometry.h"
#include "svgnames.h"
#include "svgstyle.h"

namespace vhost::svg {

struct TextContext {
  Names *names = nullptr;
  // A custom colour by name; null when the document defines none such.
  std::function<const CustomColor *(std::string_view)> findCustomColor;
  // Points per user unit: the features' lengths are points, the file's
  // lengths user units.
  double scale = 1;
};

// Reads the story of `text`, with the styles of its ancestors inherited.
void ReadTextStory(pugi::xml_node text, const TextContext &context, TextStory *story);
// Replaces the content of `text` and the features in its own style by the
// story; every other attribute and style property stays.
void WriteTextStory(const TextStory &story, TextContext &context, pugi::xml_node text);

// The point a text is set from: its x and y (the first of each list), else
// those of its first <tspan>, else 0.
Point TextAnchorPoint(pugi::xml_node text);
// text-anchor as it cascades onto `text`.
TextLayout::Anchor TextAnchorOf(pugi::xml_node text);

// The style declarations of an element, and the value of one property as
// the element itself gives it: the style attribute first, then the
// presentation attribute.
std::optional<std::string> OwnProperty(pugi::xml_node element, std::string_view name);

}  // namespace vhost::svg
