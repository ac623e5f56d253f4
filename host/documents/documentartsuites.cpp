// "AI Layer Suite", "AI Art Suite" and "AI Tag Suite": the layers of the
// current document, the art tree in host order, and string tags.
#include <cstring>
#include <string>

#include "AIArt.h"
#include "AILayer.h"
#include "AITag.h"
#include "documenthandles.h"
#include "documentlist.h"
#include "documentsuites.h"

namespace vhost {

namespace {

Document *CurrentDocument() {
  DocumentList *list = DocumentList::Current();
  return list ? list->CurrentDocument() : nullptr;
}

Art *ArtOf(AIArtHandle handle) {
  return static_cast<Art *>(LookUpHandle(HandleKind::kArt, handle));
}

// A layer's handle stands for its art group.
Art *LayerGroupOf(AILayerHandle handle) {
  return static_cast<Art *>(LookUpHandle(HandleKind::kLayer, handle));
}

// ---- Layers ---------------------------------------------------------------

ASErr CountLayers(ASInt32 *count) {
  if (!count) return kBadParameterErr;
  Document *doc = CurrentDocument();
  *count = doc ? static_cast<ASInt32>(doc->LayerCount()) : 0;
  return kNoErr;
}

ASErr GetNthLayer(ASInt32 n, AILayerHandle *layer) {
  if (!layer) return kBadParameterErr;
  *layer = nullptr;
  Document *doc = CurrentDocument();
  if (!doc || n < 0) return kBadParameterErr;
  Layer *found = doc->NthLayer(static_cast<size_t>(n));
  if (!found) return kBadParameterErr;
  *layer = found->handle;
  return kNoErr;
}

ASErr GetLayerVisible(AILayerHandle layer, ASBoolean *visible) {
  Art *group = LayerGroupOf(layer);
  if (!group || !visible) return kBadParameterErr;
  *visible = !group->Hidden();
  return kNoErr;
}

ASErr GetLayerEditable(AILayerHandle layer, ASBoolean *editable) {
  Art *group = LayerGroupOf(layer);
  if (!group || !editable) return kBadParameterErr;
  *editable = !group->Locked();
  return kNoErr;
}

const AILayerSuite kLayerSuite = {CountLayers, GetNthLayer, GetLayerVisible, GetLayerEditable};

// ---- Art ------------------------------------------------------------------

ASErr GetFirstArtOfLayer(AILayerHandle layer, AIArtHandle *art) {
  if (!art) return kBadParameterErr;
  Art *group = LayerGroupOf(layer);
  *art = group ? group->Handle() : nullptr;
  return group ? kNoErr : kBadParameterErr;
}

ASErr GetArtType(AIArtHandle handle, ASInt16 *type) {
  if (!type) return kBadParameterErr;
  Art *art = ArtOf(handle);
  *type = art ? art->Type() : static_cast<ASInt16>(kUnknownArt);
  return art ? kNoErr : kBadParameterErr;
}

ASErr GetArtUserAttr(AIArtHandle handle, ASInt32 whichAttr, ASInt32 *attr) {
  if (!attr) return kBadParameterErr;
  Art *art = ArtOf(handle);
  *attr = art ? art->UserAttributes() & whichAttr : 0;
  return art ? kNoErr : kBadParameterErr;
}

// The three walks answer null (and success) where the tree ends.
template <Art *(Art::*step)() const>
ASErr Walk(AIArtHandle handle, AIArtHandle *out) {
  if (!out) return kBadParameterErr;
  *out = nullptr;
  Art *art = ArtOf(handle);
  if (!art) return kBadParameterErr;
  if (Art *next = (art->*step)()) *out = next->Handle();
  return kNoErr;
}

ASErr GetArtBounds(AIArtHandle handle, AIRealRect *bounds) {
  Art *art = ArtOf(handle);
  if (!art || !bounds) return kBadParameterErr;
  *bounds = art->Bounds();
  return kNoErr;
}

ASErr DuplicateArt(AIArtHandle handle, ASInt16 paintOrder, AIArtHandle prepHandle,
                   AIArtHandle *newArt) {
  if (!newArt) return kBadParameterErr;
  *newArt = nullptr;
  Art *art = ArtOf(handle);
  Art *prep = ArtOf(prepHandle);
  if (!art || !prep) return kBadParameterErr;
  std::string error;
  Art *copy = art->Doc().Duplicate(*art, paintOrder, *prep, &error);
  if (!copy) return kBadParameterErr;
  *newArt = copy->Handle();
  return kNoErr;
}

ASErr DisposeArt(AIArtHandle handle) {
  Art *art = ArtOf(handle);
  if (!art) return kBadParameterErr;
  return art->Doc().Dispose(*art) ? kNoErr : kBadParameterErr;
}

const AIArtSuite kArtSuite = {
    GetFirstArtOfLayer,     GetArtType,          GetArtUserAttr,
    Walk<&Art::FirstChild>, Walk<&Art::Sibling>, Walk<&Art::Parent>,
    GetArtBounds,           DuplicateArt,        DisposeArt,
};

// ---- Tags -----------------------------------------------------------------

ASErr GetTag(AIArtHandle handle, const char *name, const char *type, const char **value) {
  if (!value) return kBadParameterErr;
  *value = nullptr;
  Art *art = ArtOf(handle);
  if (!art || !name || !type || std::strcmp(type, kTagStringType) != 0) return kBadParameterErr;
  const std::string *tag = art->Tag(name);
  if (!tag) return kNoSuchObjectErr;
  *value = tag->c_str();
  return kNoErr;
}

ASErr SetTag(AIArtHandle handle, const char *name, const char *type, const char *value) {
  Art *art = ArtOf(handle);
  if (!art || !name || !value || !type || std::strcmp(type, kTagStringType) != 0)
    return kBadParameterErr;
  return art->SetTag(name, value) ? kNoErr : kBadParameterErr;
}

ASErr RemoveTag(AIArtHandle handle, const char *name) {
  Art *art = ArtOf(handle);
  if (!art || !name) return kBadParameterErr;
  return art->RemoveTag(name) ? kNoErr : kNoSuchObjectErr;
}

const AITagSuite kTagSuite = {GetTag, SetTag, RemoveTag};

}  // namespace

void RegisterArtSuites(SuiteRegistry &registry) {
  registry.Add(kAILayerSuite, kAILayerSuiteVersion, &kLayerSuite);
  registry.Add(kAIArtSuite, kAIArtSuiteVersion, &kArtSuite);
  registry.Add(kAITagSuite, kAITagSuiteVersion, &kTagSuite);
}

}  // namespace vhost
