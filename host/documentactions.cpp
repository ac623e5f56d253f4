// The host's own actions on the current document:
// - "adobe_saveDocument" saves it to its file (no parameters);
// - "adobe_closeDocument" closes it, first saving it unless the parameter
//   block's boolean 'save' is false (no block, or no 'save', saves: closing
//   never loses work unless asked to).
// Both answer kNoSuchObjectErr without a current document; a failed save
// is shown as an error alert and its status returned, the document staying
// open.
//
// The main window follows the current document: its title names it ("NAME @
// 100% ..."), and the document's view shows the page from its top left
// corner at 100 %, as large as the view window is.
#include <windows.h>

#include <filesystem>

#include "AIActionManager.h"
#include "host.h"
#include "suites.h"

namespace vhost {

namespace {

constexpr ActionParamKeyID kSaveKey = static_cast<ActionParamKeyID>(AS_FOURCC('s', 'a', 'v', 'e'));

ASErr Report(Host &host, ASErr status, const std::string &error) {
  if (status != kNoErr && !error.empty()) host.AddAlert(Alert::kError, error);
  return status;
}

}  // namespace

void RegisterDocumentActions(Host &host) {
  host.Documents().OnCurrentChanged([&host](Document *doc) {
    if (!doc) {
      host.SetDocumentTitle({});
      return;
    }
    host.SetDocumentTitle(doc->Path().empty()
                              ? std::string("Untitled")
                              : std::filesystem::path(doc->Path()).filename().string());
    RECT client{};
    GetClientRect(host.DocumentWindow(), &client);
    DocumentView &view = doc->View();
    const AIRealRect page = doc->PageBounds();
    view.zoom = 1;
    view.bounds = {page.left, page.top, page.left + client.right, page.top - client.bottom};
  });
  host.AddHostAction("adobe_saveDocument", [&host](ParamBlock *) -> ASErr {
    Document *doc = host.Documents().CurrentDocument();
    if (!doc) return kNoSuchObjectErr;
    std::string error;
    return Report(host, host.Documents().Save(*doc, &error), error);
  });
  host.AddHostAction("adobe_closeDocument", [&host](ParamBlock *params) -> ASErr {
    Document *doc = host.Documents().CurrentDocument();
    if (!doc) return kNoSuchObjectErr;
    bool save = true;
    if (params) {
      auto it = params->values.find(kSaveKey);
      if (it != params->values.end()) {
        if (const bool *flag = std::get_if<bool>(&it->second)) save = *flag;
      }
    }
    std::string error;
    return Report(host, host.Documents().Close(*doc, save, &error), error);
  });
}

}  // namespace vhost
