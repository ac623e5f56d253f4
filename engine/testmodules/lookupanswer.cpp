// Answers the value lookup "9475-2407-6658-9330-9846-3586" as the data-merge
// plug-in does, from a fixed table instead of a CSV file: the first column
// whose header equals the name wins, a record beyond the table answers the
// empty string, record 0, an empty name and an unknown name no answer.
#include <cstring>
#include <string>

#include "AIActionManager.h"
#include "AINotifier.h"
#include "SPMessages.h"
#include "vardo/notificationtext.h"

namespace {

const char *const kTable[][10] = {
    {"name", "company", "address", "photo", "name", "markup", "brace", "body", "lines", "url"},
    {"山田太郎", "ヴァルド株式会社", "東京都千代田区千代田一丁目一番地", "photo.png", "second",
     "<font size=99>", "[other]", "</BODY>", "one\r\ntwo\nthree", "file://pictures/photo.png"},
    {"Jane Doe", "Example Ltd", "1 Main Street", "jane.jpg", "again", "<b>", "[[x]]", "</font>", "",
     "x.png"},
};
const int kRecords = 3;  // the header row included
const int kColumns = 10;

AINotifierHandle gNotifier = nullptr;

void Answer(const AIActionManagerSuite *actions, AIActionParamValueRef block) {
  ASInt32 record = 0;
  if (actions->AIActionGetInteger(block, AS_FOURCC('v', 'r', 'c', 'r'), &record) != kNoErr ||
      record < 1)
    return;
  char name[256];
  if (actions->AIActionGetString(block, AS_FOURCC('v', 'r', 'e', 'l'), name, sizeof name) !=
          kNoErr ||
      !name[0]) {
    return;
  }
  DecodeNotificationText(name, sizeof name);
  for (int k = 0; k < kColumns; ++k) {
    if (std::strcmp(kTable[0][k], name) != 0) continue;
    std::string value = record < kRecords ? kTable[record][k] : "";
    value.resize(value.size() * 3 + 1);
    EncodeNotificationText(value.data(), value.size());
    actions->AIActionSetString(block, AS_FOURCC('v', 'r', 'v', 'l'), value.c_str());
    return;
  }
}

}  // namespace

extern "C" __attribute__((visibility("default"))) ASErr PluginMain(const char *caller,
                                                                   const char *selector,
                                                                   void *message) {
  auto *data = static_cast<SPMessageData *>(message);
  const AINotifierSuite *notifier = nullptr;
  const AIActionManagerSuite *actions = nullptr;
  if (data->basic->AcquireSuite(kAINotifierSuite, kAINotifierSuiteVersion,
                                reinterpret_cast<const void **>(&notifier)) != kNoErr) {
    return kNoErr;
  }
  data->basic->AcquireSuite(kAIActionManagerSuite, kAIActionManagerSuiteVersion,
                            reinterpret_cast<const void **>(&actions));
  if (std::strcmp(caller, kSPInterfaceCaller) == 0 &&
      std::strcmp(selector, kSPInterfaceStartupSelector) == 0) {
    notifier->AddNotifier(data->self, "", "9475-2407-6658-9330-9846-3586", &gNotifier);
  } else if (std::strcmp(caller, kCallerAINotify) == 0) {
    auto *notify = static_cast<AINotifierMessage *>(message);
    if (notify->notifier == gNotifier && notify->notifyData && actions) {
      Answer(actions, static_cast<AIActionParamValueRef>(notify->notifyData));
    }
  }
  if (actions) data->basic->ReleaseSuite(kAIActionManagerSuite, kAIActionManagerSuiteVersion);
  data->basic->ReleaseSuite(kAINotifierSuite, kAINotifierSuiteVersion);
  return kNoErr;
}
