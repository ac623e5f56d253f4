// The open documents and the current one. One list exists at a time (the
// host owns it); the document suites reach it through Current().
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document.h"

namespace vhost {

class DocumentList {
 public:
  DocumentList();
  ~DocumentList();
  DocumentList(const DocumentList &) = delete;
  DocumentList &operator=(const DocumentList &) = delete;

  // The list most recently made, while it lives; null otherwise.
  static DocumentList *Current();

  // Opens the SVG file at `path` (a Linux path) and makes it current. A file
  // already open (and not as a copy) is made current again, not read twice.
  // With `asCopy` the document is a new, untitled one with the file's
  // content: it has no path until saved somewhere. On failure returns null,
  // leaves the current document as it was, and gives the status
  // (kAIDocumentFileMissingErr, kAIDocumentFormatErr) and a message.
  Document *Open(const std::string &path, bool asCopy, ASErr *status, std::string *error);
  // Takes a document made elsewhere (Document::Parse) and makes it current.
  Document *Add(std::unique_ptr<Document> doc);

  Document *CurrentDocument() const { return current_; }
  void SetCurrent(Document *doc);
  // Called after every change of the current document (null: none left).
  void OnCurrentChanged(std::function<void(Document *)> observer) {
    observer_ = std::move(observer);
  }
  size_t Count() const { return docs_.size(); }
  Document *Nth(size_t n) const { return n < docs_.size() ? docs_[n].get() : nullptr; }
  // The open document of a handle; null for a closed or foreign one.
  Document *FromHandle(AIDocumentHandle handle) const;
  // Art of any open document by the low half of its handle.
  Art *FindArtByLow32(uint32_t low32) const;

  // Saves the document to its file. kNoSuchObjectErr for a document without
  // a path (an untitled copy), kAIDocumentWriteErr when the file cannot be
  // written; *error says why.
  ASErr Save(Document &doc, std::string *error);
  // Closes the document, saving it first when `save` (a failed save keeps it
  // open and returns the save's status). The most recently opened of the
  // others becomes current.
  ASErr Close(Document &doc, bool save, std::string *error);
  void CloseAll();

 private:
  std::vector<std::unique_ptr<Document>> docs_;  // in opening order
  Document *current_ = nullptr;
  std::function<void(Document *)> observer_;
};

}  // namespace vhost
