// "AI Document List Suite", "AI Document Suite", "AI Document View Suite"
// and "AI File Path Suite": opening documents, the current one and its view.
#include "documentsuites.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <unordered_set>

#include "AIDocument.h"
#include "AIDocumentView.h"
#include "AIFilePath.h"
#include "documenthandles.h"
#include "documentlist.h"
#include "suites.h"
#include "vplatform/paths.h"

namespace vhost {

namespace {

// A path object holds a Windows path in the ANSI code page, as the
// plug-ins hand it over.
struct FilePath {
  std::string ansi;
};

std::unordered_set<FilePath *> &LivePaths() {
  static std::unordered_set<FilePath *> paths;
  return paths;
}

FilePath *PathOf(AIFilePathRef ref) {
  auto *path = reinterpret_cast<FilePath *>(ref);
  return LivePaths().count(path) ? path : nullptr;
}

ASErr NewFilePath(AIFilePathRef *path) {
  if (!path) return kBadParameterErr;
  auto *object = new FilePath;
  LivePaths().insert(object);
  *path = reinterpret_cast<AIFilePathRef>(object);
  return kNoErr;
}

ASErr DeleteFilePath(AIFilePathRef ref) {
  FilePath *path = PathOf(ref);
  if (!path) return kBadParameterErr;
  LivePaths().erase(path);
  delete path;
  return kNoErr;
}

ASErr SetPlatformPathA(AIFilePathRef ref, const char *platformPath) {
  FilePath *path = PathOf(ref);
  if (!path || !platformPath) return kBadParameterErr;
  path->ansi = platformPath;
  return kNoErr;
}

ASErr GetPlatformPathW(AIFilePathRef ref, ai_uchar16 *buffer, size_t capacity) {
  FilePath *path = PathOf(ref);
  if (!path || !buffer || capacity == 0) return kBadParameterErr;
  buffer[0] = 0;
  if (path->ansi.empty()) return kNoErr;
  const int length = static_cast<int>(path->ansi.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, path->ansi.data(), length, nullptr, 0);
  if (units <= 0) return kBadParameterErr;
  if (static_cast<size_t>(units) + 1 > capacity) return kBadParameterErr;
  MultiByteToWideChar(CP_ACP, 0, path->ansi.data(), length, reinterpret_cast<WCHAR *>(buffer),
                      units);
  buffer[units] = 0;
  return kNoErr;
}

const AIFilePathSuite kFilePathSuite = {NewFilePath, DeleteFilePath, SetPlatformPathA,
                                        GetPlatformPathW};

ASErr Open(AIFilePathRef ref, ASInt32 /*colorModel*/, ASInt32 /*dialogStatus*/, ASBoolean forceCopy,
           AIDocumentHandle *document) {
  if (document) *document = nullptr;
  FilePath *path = PathOf(ref);
  DocumentList *list = DocumentList::Current();
  if (!path || !document || !list) return kBadParameterErr;
  std::string linuxPath;
  if (!vplat::LinuxPathFromWindows(path->ansi, linuxPath)) return kAIDocumentFileMissingErr;
  ASErr status = kNoErr;
  std::string error;
  Document *doc = list->Open(linuxPath, forceCopy != 0, &status, &error);
  if (!doc) return status;
  *document = doc->Handle();
  return kNoErr;
}

ASErr Count(ASInt32 *count) {
  if (!count) return kBadParameterErr;
  DocumentList *list = DocumentList::Current();
  *count = list ? static_cast<ASInt32>(list->Count()) : 0;
  return kNoErr;
}

const AIDocumentListSuite kDocumentListSuite = {Open, Count};

Document *CurrentDocument() {
  DocumentList *list = DocumentList::Current();
  return list ? list->CurrentDocument() : nullptr;
}

ASErr RedrawDocument() {
  if (Document *doc = CurrentDocument()) doc->Redraw();
  return kNoErr;
}

ASErr GetDocument(AIDocumentHandle *document) {
  if (!document) return kBadParameterErr;
  Document *doc = CurrentDocument();
  *document = doc ? doc->Handle() : nullptr;
  return doc ? kNoErr : kNoSuchObjectErr;
}

const AIDocumentSuite kDocumentSuite = {RedrawDocument, GetDocument};

ASErr GetNthDocumentView(ASInt32 n, AIDocumentViewHandle *view) {
  if (!view) return kBadParameterErr;
  Document *doc = CurrentDocument();
  *view = doc && n == 0 ? doc->View().handle : nullptr;
  return *view ? kNoErr : kNoSuchObjectErr;
}

DocumentView *ViewOf(AIDocumentViewHandle handle) {
  return static_cast<DocumentView *>(LookUpHandle(HandleKind::kView, handle));
}

ASErr GetDocumentViewBounds(AIDocumentViewHandle handle, AIRealRect *bounds) {
  DocumentView *view = ViewOf(handle);
  if (!view || !bounds) return kBadParameterErr;
  *bounds = view->bounds;
  return kNoErr;
}

ASErr GetDocumentViewZoom(AIDocumentViewHandle handle, AIReal *zoom) {
  DocumentView *view = ViewOf(handle);
  if (!view || !zoom) return kBadParameterErr;
  *zoom = view->zoom;
  return kNoErr;
}

const AIDocumentViewSuite kDocumentViewSuite = {GetNthDocumentView, GetDocumentViewBounds,
                                                GetDocumentViewZoom};

}  // namespace

void RegisterDocumentSuites(SuiteRegistry &registry) {
  registry.Add(kAIDocumentListSuite, kAIDocumentListSuiteVersion, &kDocumentListSuite);
  registry.Add(kAIDocumentSuite, kAIDocumentSuiteVersion, &kDocumentSuite);
  registry.Add(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, &kDocumentViewSuite);
  registry.Add(kAIFilePathSuite, kAIFilePathSuiteVersion, &kFilePathSuite);
  RegisterArtSuites(registry);
  RegisterTextSuites(registry);
}

}  // namespace vhost
