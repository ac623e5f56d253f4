// The selection as a user makes it, by clicking art in the document window.
#include "document.h"

namespace vhost {

namespace {

void SelectWithContents(Art &art) {
  art.SetSelected(true);
  for (Art *child = art.FirstChildInFile(); child; child = child->NextInFile())
    SelectWithContents(*child);
}

}  // namespace

bool Document::Click(Art &art, bool extend) {
  if (&art.Doc() != this || art.IsLayerGroup()) return false;
  for (const Art *a = &art; a; a = a->Parent()) {
    if (a->Hidden() || a->Locked()) return false;
  }
  if (!extend) DeselectAll();
  SelectWithContents(art);
  return true;
}

}  // namespace vhost
