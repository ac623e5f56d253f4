#include "documentlist.h"

#include <filesystem>

#include "documenthandles.h"

namespace vhost {

namespace {

DocumentList *gCurrent = nullptr;

std::string Canonical(const std::string &path) {
  std::error_code ec;
  std::filesystem::path canonical = std::filesystem::weakly_canonical(path, ec);
  return ec ? path : canonical.string();
}

}  // namespace

DocumentList::DocumentList() { gCurrent = this; }

DocumentList::~DocumentList() {
  docs_.clear();
  if (gCurrent == this) gCurrent = nullptr;
}

DocumentList *DocumentList::Current() { return gCurrent; }

Document *DocumentList::Open(const std::string &path, bool asCopy, ASErr *status,
                             std::string *error) {
  if (!asCopy) {
    const std::string canonical = Canonical(path);
    for (auto &doc : docs_) {
      if (!doc->Path().empty() && Canonical(doc->Path()) == canonical) {
        *status = kNoErr;
        SetCurrent(doc.get());
        return current_;
      }
    }
  }
  std::unique_ptr<Document> doc = Document::Load(path, error, status);
  if (!doc) return nullptr;
  if (asCopy) doc->SetPath({});
  *status = kNoErr;
  return Add(std::move(doc));
}

Document *DocumentList::Add(std::unique_ptr<Document> doc) {
  docs_.push_back(std::move(doc));
  SetCurrent(docs_.back().get());
  return current_;
}

Document *DocumentList::FromHandle(AIDocumentHandle handle) const {
  auto *doc = static_cast<Document *>(LookUpHandle(HandleKind::kDocument, handle));
  for (const auto &open : docs_) {
    if (open.get() == doc) return doc;
  }
  return nullptr;
}

Art *DocumentList::FindArtByLow32(uint32_t low32) const {
  auto *art = static_cast<Art *>(LookUpLow32(HandleKind::kArt, low32));
  return art && FromHandle(art->Doc().Handle()) ? art : nullptr;
}

ASErr DocumentList::Save(Document &doc, std::string *error) {
  if (doc.Path().empty()) {
    *error = "the document has no file (it was opened as a copy)";
    return kNoSuchObjectErr;
  }
  return doc.Save(doc.Path(), error) ? kNoErr : kAIDocumentWriteErr;
}

ASErr DocumentList::Close(Document &doc, bool save, std::string *error) {
  if (save) {
    ASErr status = Save(doc, error);
    if (status != kNoErr) return status;
  }
  for (auto it = docs_.begin(); it != docs_.end(); ++it) {
    if (it->get() != &doc) continue;
    const bool wasCurrent = current_ == &doc;
    docs_.erase(it);
    if (wasCurrent) SetCurrent(docs_.empty() ? nullptr : docs_.back().get());
    return kNoErr;
  }
  *error = "the document is not open";
  return kNoSuchObjectErr;
}

void DocumentList::CloseAll() {
  docs_.clear();
  SetCurrent(nullptr);
}

void DocumentList::SetCurrent(Document *doc) {
  current_ = doc;
  if (observer_) observer_(doc);
}

}  // namespace vhost
