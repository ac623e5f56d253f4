// What other plug-ins and the host tell the data-merge plug-in: the
// application has started, compose a range of records from a CSV file, and
// look up one field of the loaded table.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "notificationtext.h"
#include "vardo/recordtable/recordtable.h"
#include "vardohandlers.h"

namespace {

constexpr ActionParamKeyID Key(char a, char b, char c, char d) {
  return static_cast<ActionParamKeyID>(AS_FOURCC(a, b, c, d));
}

// The receive buffers. The host refuses (writes nothing into) a string
// that does not fit, so a longer value leaves the buffer empty.
constexpr size_t kPathBufferSize = 512;
constexpr size_t kNameBufferSize = 256;

void ComposeRange(AIActionParamValueRef block) {
  LONG first = 1, last = 999, composed = 0;
  char path[kPathBufferSize] = "";
  if (sAIActionManager->AIActionGetString(block, Key('c', 's', 'v', 'p'), path, sizeof path) !=
      kNoErr) {
    path[0] = '\0';
  }
  DecodeNotificationText(path, sizeof path);
  ASInt32 value = 0;
  if (sAIActionManager->AIActionGetInteger(block, Key('f', 'r', 'r', 'c'), &value) == kNoErr) {
    first = value;
  }
  if (sAIActionManager->AIActionGetInteger(block, Key('t', 'o', 'r', 'c'), &value) == kNoErr) {
    last = value;
  }
  // The file is read on every request, so a file changed between two
  // requests is seen. The panel shows the table, and every other change of
  // the table refreshes it; rebuilding its list for the same text again
  // would cost the whole table at every document of a batch run.
  const unsigned long before = GetRecordTableVersion();
  if (path[0] && LoadCsvFile(path)) {
    VardoGlobals *g = Globals();
    if (g->panel && GetRecordTableVersion() != before) {
      AIPlatformWindow window = nullptr;
      if (sAIPanel->GetPlatformWindow(g->panel, &window) == kNoErr && window) {
        RefreshRecordList(static_cast<HWND>(window));
      }
    }
    ComposeRecords(first, last, nullptr, &composed);
    // The sender reads 0 as "the records are used up".
    if (first + composed >= CountRecords()) composed = 0;
  }
  sAIActionManager->AIActionSetInteger(block, Key('f', 'n', 'r', 'c'), composed);
}

void LookUpValue(AIActionParamValueRef block) {
  ASInt32 record = 0;
  if (sAIActionManager->AIActionGetInteger(block, Key('v', 'r', 'c', 'r'), &record) != kNoErr ||
      record <= 0) {
    return;
  }
  char name[kNameBufferSize] = "";
  if (sAIActionManager->AIActionGetString(block, Key('v', 'r', 'e', 'l'), name, sizeof name) !=
          kNoErr ||
      name[0] == '\0') {
    return;
  }
  DecodeNotificationText(name, sizeof name);
  for (LONG column = 0;; ++column) {
    LPSTR header = GetField(0, column);
    if (!header) return;
    const bool match = std::strcmp(header, name) == 0;
    std::free(header);
    if (!match) continue;
    LPSTR field = GetField(record, column);
    const size_t length = field ? std::strlen(field) : 0;
    const size_t size = 3 * length + 1;
    char *encoded = static_cast<char *>(std::malloc(size));
    if (encoded) {
      std::memcpy(encoded, field ? field : "", length + 1);
      EncodeNotificationText(encoded, size);
      sAIActionManager->AIActionSetString(block, Key('v', 'r', 'v', 'l'), encoded);
      std::free(encoded);
    }
    std::free(field);
    return;
  }
}

}  // namespace

ASErr OnNotify(void *message) {
  AINotifierMessage *m = static_cast<AINotifierMessage *>(message);
  VardoGlobals *g = Globals();
  if (m->type && std::strcmp(m->type, "AI Application Started Notifier") == 0) {
    g->savedBasicSuite = m->d.basic;
    g->pluginRef = m->d.self;
    CreateDataPanel(g->pluginRef);
  }
  AIActionParamValueRef block = static_cast<AIActionParamValueRef>(m->notifyData);
  if (m->notifier == g->composeNotifier && block) ComposeRange(block);
  if (m->notifier == g->lookupNotifier && block) LookUpValue(block);
  return kNoErr;
}
