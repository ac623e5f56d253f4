// An open document: the SVG file's DOM, kept whole so that a file saved
// unchanged keeps everything an editor put there, and the host's model over
// it: layers, the art tree, tags, text stories, custom colours and a view.
//
// Structure, tags and user attributes are written through to the DOM as
// they change; text stories are written back when the document is saved
// (and only those that changed, so an untouched frame keeps its markup).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "AIDocument.h"
#include "ASTypes.h"
#include "documentart.h"
#include "documentcolor.h"
#include "svggeometry.h"
#include "svgnames.h"

namespace vhost {

class Document;

struct Layer {
  Art *group = nullptr;  // the layer's element as art
  AILayerHandle handle = nullptr;

  std::string Name() const;  // inkscape:label, else the id
  bool Visible() const { return !group->Hidden(); }
  bool Editable() const { return !group->Locked(); }
};

struct DocumentView {
  AIDocumentViewHandle handle = nullptr;
  AIRealRect bounds{};  // artwork coordinates
  AIReal zoom = 1;      // screen pixels per point
};

class Document {
 public:
  // Documents whose elements nest deeper than this (the root element counts
  // as 1) are refused when they are read.
  static constexpr int kMaxNesting = 1000;

  // Reads the SVG file at `path` (a Linux path). On failure returns null,
  // says why in *error and sets *status (when given) to
  // kAIDocumentFileMissingErr or kAIDocumentFormatErr.
  static std::unique_ptr<Document> Load(const std::string &path, std::string *error,
                                        ASErr *status = nullptr);
  // The same from SVG text in memory; the document has no path.
  static std::unique_ptr<Document> Parse(std::string_view svg, std::string *error);
  ~Document();
  Document(const Document &) = delete;
  Document &operator=(const Document &) = delete;

  // Writes the document to `path` with vplat::SaveFile (the file replaced
  // whole, keeping its mode and owner, through a link into the file it
  // names). On failure returns false, the old file as it was, and says why.
  bool Save(const std::string &path, std::string *error);
  // The SVG text Save would write.
  std::string Serialize();

  const std::string &Path() const { return path_; }
  void SetPath(std::string path) { path_ = std::move(path); }
  AIDocumentHandle Handle() const { return handle_; }

  // ---- Layers and art --------------------------------------------------
  // Layer 0 is the frontmost: the last layer element in the file.
  size_t LayerCount() const { return layers_.size(); }
  Layer *NthLayer(size_t n) const;
  Art *FindArtById(std::string_view id) const;
  Art *FindArtByLow32(uint32_t low32) const;
  // Every art object, depth first in host order (layers from 0).
  void ForEachArt(const std::function<void(Art &, int depth)> &visit) const;

  // Copies `art` with everything inside it and places the copy by
  // `paintOrder` (kPlaceAbove: right after `prep` in the file, in front of
  // it; kPlaceBelow: right before; kPlaceInsideOnTop / OnBottom: last or
  // first inside the group `prep`). The copy keeps its place on the page
  // (its transform is adjusted for its new parent), gets fresh ids, and is
  // not selected. Null with *error on a bad request (a layer group to copy,
  // prep in another document, inside placement into non-group art, above or
  // below a layer group).
  Art *Duplicate(Art &art, ASInt16 paintOrder, Art &prep, std::string *error);
  // Removes `art` and everything inside it, handles included. A layer
  // group cannot go: false.
  bool Dispose(Art &art);
  // A new empty element of SVG type `element` ("g", "text", "image",
  // "path", ...), placed as Duplicate places. Its attributes are the
  // caller's to set through Node(); bounds are always read afresh from the
  // element, so nothing needs telling. Null with *error when the element is
  // not art or the placement is refused.
  Art *NewArt(std::string_view element, ASInt16 paintOrder, Art &prep, std::string *error);

  std::vector<Art *> Selection() const;
  void DeselectAll();
  // The user clicks `art` with the direct-selection tool (documentselection.cpp):
  // the art and everything inside it become selected; without `extend`
  // (shift) everything else is deselected first. Art that cannot be clicked
  // (hidden or locked, itself or through a group or layer around it, or a
  // layer group) is refused: false, and the selection stays as it was.
  bool Click(Art &art, bool extend = false);

  // ---- Colours, view, refresh -------------------------------------------
  CustomColor *FindCustomColor(std::string_view name) const;
  // Defines (or redefines) the named colour in the file's <defs>.
  CustomColor *DefineCustomColor(const std::string &name, CustomColor::Kind kind,
                                 const double *components);
  const std::vector<std::unique_ptr<CustomColor>> &CustomColors() const { return colors_; }

  DocumentView &View() { return view_; }
  // The page in artwork coordinates: the root's viewBox, else its width and
  // height.
  AIRealRect PageBounds() const { return page_; }
  // Points per user unit of the root (the page's scale): from the root's
  // width or height in an absolute unit against its viewBox, else 1.
  double Scale() const { return scale_; }

  void Redraw() { ++redraws_; }
  long RedrawCount() const { return redraws_; }

  // ---- For the art and the SVG code ------------------------------------
  svg::Names &Names() { return names_; }
  // Any element by id (art or not, e.g. a text's area shape in <defs>).
  pugi::xml_node ElementById(std::string_view id) const;
  // The transform from `node`'s user space to the root's (its own
  // transform included).
  svg::Matrix TransformToRoot(pugi::xml_node node) const;

 private:
  friend class Art;
  Document();
  bool Build(std::string *error);
  void ReadCustomColors();
  // Art of `node` (of `type`, or by its element when -1) and of everything
  // inside it, linked last into `parent` when given; null when the element
  // is not art.
  Art *ReadArt(pugi::xml_node node, Art *parent, ASInt16 type = -1);
  // The same for `node` alone.
  Art *ReadOneArt(pugi::xml_node node, Art *parent, ASInt16 type);
  void ReadTags(Art &art);
  void LinkLast(Art *art, Art *parent);
  void Unlink(Art *art);
  void Forget(Art *art);
  void IndexIds(pugi::xml_node node);
  void UnindexIds(pugi::xml_node node);
  std::string FreshId(const std::string &base) const;
  bool Place(pugi::xml_node node, ASInt16 paintOrder, Art &prep, Art **parent, std::string *error,
             pugi::xml_node *placed, const pugi::xml_node *copyFrom);
  Art *Adopt(pugi::xml_node placed, Art *parent);
  void WriteStories();
  const CustomColor *CustomColorForText(std::string_view name) const;

  pugi::xml_document dom_;
  svg::Names names_;
  std::string path_;
  AIDocumentHandle handle_ = nullptr;
  std::vector<Layer> layers_;  // in file order
  std::unordered_map<uint32_t, std::unique_ptr<Art>> arts_;
  std::unordered_map<pugi::xml_node_struct *, Art *> artByNode_;
  std::unordered_map<std::string, pugi::xml_node> ids_;
  mutable std::unordered_map<std::string, int> nextIdSuffix_;  // FreshId's next try per base
  std::vector<std::unique_ptr<CustomColor>> colors_;
  DocumentView view_;
  AIRealRect page_{};
  double scale_ = 1;
  long redraws_ = 0;
};

}  // namespace vhost
