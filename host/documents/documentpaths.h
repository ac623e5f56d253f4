// Filled paths the composition engine draws into a document (barcodes and
// their text): a <g> of <path> elements, each in the artwork coordinates it
// was given, converted to the parent's user units.
#pragma once

#include "VardoEngine.h"
#include "document.h"

namespace vhost {

// A new group right above `art` in its parent holding one <path> per
// shape, the first backmost. Null when the art cannot take a neighbour (a
// layer's group) or a shape is malformed (see VardoEngineSuite PlacePaths);
// nothing is added then.
Art *PlacePathsAbove(Art &art, const VardoPathShape *shapes, int count);

}  // namespace vhost
