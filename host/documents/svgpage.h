// The page's scale: how many points one user unit of the root stands for.
#pragma once

#include <pugixml.hpp>

namespace vhost::svg {

// Points per user unit of `root`: its width (else its height) in an absolute
// unit (pt, pc, mm, cm, in, Q) against the viewBox's width (height). An
// editor's millimetre page (width="85mm" viewBox="0 0 85 54") gives 72/25.4.
// A width in px or without a unit, a missing or empty viewBox, and a scale
// within 0.1 % of 1 (an A4 page written as 210mm with a 595-unit viewBox)
// give 1: the user unit is a point, as documents have always been read.
double PageScale(pugi::xml_node root);

}  // namespace vhost::svg
