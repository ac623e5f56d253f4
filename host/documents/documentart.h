// One art object of a document: a group, a text frame, placed art, a path
// (any SVG shape) or other art, standing for one element of the file.
//
// Order is the host's, front to back: a parent's first child is its last
// element in the file, and the next sibling is the element before. The
// "InFile" accessors walk the file's order instead.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <pugixml.hpp>
#include <string>

#include "AIArt.h"
#include "ASTypes.h"
#include "documenttext.h"

namespace vhost {

class Document;

class Art {
 public:
  Art(const Art &) = delete;
  Art &operator=(const Art &) = delete;
  ~Art();

  // kGroupArt, kPathArt, kPlacedArt, kTextFrameArt or kUnknownArt.
  ASInt16 Type() const { return type_; }
  Document &Doc() const { return doc_; }
  AIArtHandle Handle() const { return handle_; }
  uint32_t Low32() const;
  // The element's id; empty when it has none.
  std::string Id() const;
  pugi::xml_node Node() const { return node_; }
  // The art group of a layer (the layer's own element).
  bool IsLayerGroup() const { return layerGroup_; }

  Art *Parent() const { return parent_; }
  Art *FirstChild() const { return lastInFile_; }
  Art *Sibling() const { return prevInFile_; }
  Art *FirstChildInFile() const { return firstInFile_; }
  Art *NextInFile() const { return nextInFile_; }
  // Whether `this` is `other` or lies inside it.
  bool IsWithin(const Art *other) const;

  // User attributes. Locked and hidden are the element's
  // sodipodi:insensitive="true" and display:none; selection is the
  // session's and not saved.
  bool Locked() const { return locked_; }
  bool Hidden() const { return hidden_; }
  bool Selected() const { return selected_; }
  void SetLocked(bool locked);
  void SetHidden(bool hidden);
  void SetSelected(bool selected) { selected_ = selected; }
  // kArtSelected | kArtLocked | kArtHidden as they are set.
  ASInt32 UserAttributes() const;

  // String tags: byte values, any name. Tag() is null for a missing tag;
  // its pointer stays valid until that tag changes or the art goes.
  const std::map<std::string, std::string> &Tags() const { return tags_; }
  const std::string *Tag(const std::string &name) const;
  // False for an empty name.
  bool SetTag(const std::string &name, const std::string &value);
  // False when there was no such tag.
  bool RemoveTag(const std::string &name);

  // A text frame's story (null for other art). Edit it freely: the file is
  // brought up to date when the document is saved.
  TextStory *Story() const { return story_.get(); }
  std::shared_ptr<TextStory> SharedStory() const { return story_; }
  // An area text frame's box, in artwork coordinates; false for point text.
  bool AreaBox(AIRealRect *box) const;

  // Bounds in artwork coordinates (y up, top >= bottom); all zero for art
  // without geometry (an empty group, other art).
  AIRealRect Bounds() const;

 private:
  friend class Document;
  Art(Document &doc, pugi::xml_node node, ASInt16 type);

  Document &doc_;
  pugi::xml_node node_;
  ASInt16 type_;
  AIArtHandle handle_ = nullptr;
  bool layerGroup_ = false;
  Art *parent_ = nullptr;
  Art *firstInFile_ = nullptr, *lastInFile_ = nullptr;
  Art *prevInFile_ = nullptr, *nextInFile_ = nullptr;
  bool locked_ = false, hidden_ = false, selected_ = false;
  std::map<std::string, std::string> tags_;
  std::shared_ptr<TextStory> story_;
  uint64_t writtenVersion_ = 0;  // the story's version the element shows
};

// Bounds of `top` and of every art inside it, as Bounds() gives them, in
// one pass: `visit` gets each art with its box, the art inside a group
// before the group. Work in proportion to the art's count, whatever the
// depth.
void ForEachBounds(const Art &top,
                   const std::function<void(const Art &, const AIRealRect &)> &visit);

}  // namespace vhost
