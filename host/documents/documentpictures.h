// Placed pictures the composition engine puts into a document: an <image>
// covering a box, linking a file or embedding its bytes.
//
// A linked picture keeps its file's absolute path (percent-encoded) in
// vardo:link and shows it to viewers in xlink:href relative to the
// document's folder, rewritten whenever the document is saved into another
// folder, so that an output folder moved together with its pictures stays
// whole.
#pragma once

#include <string>
#include <vector>

#include "document.h"

namespace vhost {

// A new <image> right above `art` in its parent, covering `bounds` (artwork
// coordinates) with the picture stretched to it: linking the file at
// `linkPath` (a Linux path) when given, otherwise embedding `size` bytes of
// `data` as a data: URL of type `mimeType`. Null when the art cannot take
// a neighbour (a layer's group).
Art *PlacePictureAbove(Art &art, const char *linkPath, const void *data, size_t size,
                       const char *mimeType, const AIRealRect &bounds);

// Rewrites the href of every linked picture relative to `folder` (the
// folder the document is about to be saved in).
void RelinkPictures(Document &doc, const std::string &folder);

// Puts the bytes of every linked picture into its href as a data: URL (the
// link itself is kept), for drawing the document with a renderer that does
// not follow links out of the document's folder. Returns how many pictures
// were embedded; a picture whose file cannot be read keeps its href and is
// named in *unread (when given).
int EmbedLinkedPictures(Document &doc, std::vector<std::string> *unread);

}  // namespace vhost
