// The batch run: one state of the run per tick of the step timer. A
// document is copied from the template, opened, composed by the data-merge
// plug-in (the compose-range notification), saved and closed, and the run
// moves on by as many records as were placed.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "AIActionManager.h"
#include "AIDocument.h"
#include "frame/illustratorfolder.h"
#include "sequencerhandlers.h"
#include "vardo/notificationtext.h"

namespace {

constexpr const char *kComposeRangeNotification = "9475-2407-6658-9330-9846-6542";
// Below the Illustrator folder: \PQA\雛型 and \PQA\出力.
constexpr const char *kTemplateFolder = "\\PQA\\\x90\x97\x8c^";
constexpr const char *kOutputFolder = "\\PQA\\\x8fo\x97\xcd";
// What the data-merge plug-in reads of 'csvp', without the NUL.
constexpr size_t kCsvpMax = 511;
constexpr size_t kFullPathSize = ILLUSTRATOR_FOLDER_SIZE + 16 + SEQUENCER_PATH_SIZE + 16;

constexpr ActionParamKeyID Key(char a, char b, char c, char d) {
  return static_cast<ActionParamKeyID>(AS_FOURCC(a, b, c, d));
}

// レコード番号 %d\r\n"%s" ファイルのコピーに失敗しました。\r\n雛型ファイルを確認して下さい。
constexpr const char *kCopyFailed =
    "\x83\x8c\x83R\x81[\x83h\x94\xd4\x8d\x86 %d\r\n\"%s\" \x83t\x83@\x83"
    "C\x83\x8b\x82\xcc\x83R"
    "\x83s\x81[\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81"
    "B\r\n\x90\x97\x8c^\x83t"
    "\x83@\x83"
    "C\x83\x8b\x82\xf0\x8am\x94"
    "F\x82\xb5\x82\xc4\x89\xba\x82\xb3\x82\xa2\x81"
    "B";
// レコード番号 %d\r\n"%s" を開けませんでした。\r\n連続生成を中止します。
constexpr const char *kOpenFailed =
    "\x83\x8c\x83R\x81[\x83h\x94\xd4\x8d\x86 %d\r\n\"%s\" \x82\xf0\x8aJ\x82\xaf\x82\xdc\x82\xb9"
    "\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81"
    "B\r\n\x98"
    "A\x91\xb1\x90\xb6\x90\xac\x82\xf0\x92\x86"
    "\x8e~\x82\xb5\x82\xdc\x82\xb7\x81"
    "B";
// レコード番号 %d\r\n組版の依頼を作れませんでした。\r\n連続生成を中止します。
constexpr const char *kRequestFailed =
    "\x83\x8c\x83R\x81[\x83h\x94\xd4\x8d\x86 %d\r\n\x91g\x94\xc5\x82\xcc\x88\xcb\x97\x8a\x82\xf0"
    "\x8d\xec\x82\xea\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81"
    "B\r\n\x98"
    "A\x91\xb1"
    "\x90\xb6\x90\xac\x82\xf0\x92\x86\x8e~\x82\xb5\x82\xdc\x82\xb7\x81"
    "B";

void ShowRecordMessage(const char *format, LONG record, const char *path) {
  char text[1024];
  std::snprintf(text, sizeof text, format, static_cast<int>(record), path);
  ShowSequencerMessage(text);
}

// The run ends at this step: the document of this record is not produced.
void EndRun(SequencerGlobals *g) {
  g->stopFlag = 1;
  g->runState = RUN_IDLE;
}

// The template and output paths. A name with a drive ("C:...") is a full
// path: the outputs, named from it, lie beside it. Otherwise the template
// lies in the template folder and the outputs in the output folder. FALSE
// when a path does not fit.
BOOL ResolvePaths(const char *aippath, const char *outputName, char *templatePath,
                  char *outputPath) {
  if (aippath[0] && aippath[1] == ':') {
    std::snprintf(templatePath, kFullPathSize, "%s", aippath);
    return std::snprintf(outputPath, kFullPathSize, "%s", outputName) < (int)kFullPathSize;
  }
  char folder[ILLUSTRATOR_FOLDER_SIZE] = "";
  FindIllustratorFolder(folder, sizeof folder);
  const int a =
      std::snprintf(templatePath, kFullPathSize, "%s%s\\%s", folder, kTemplateFolder, aippath);
  const int b =
      std::snprintf(outputPath, kFullPathSize, "%s%s\\%s", folder, kOutputFolder, outputName);
  return a < (int)kFullPathSize && b < (int)kFullPathSize;
}

// Opens `path` as the current document. The host's answer matters: when it
// cannot open the copy, whatever document is current must not be composed,
// saved or closed in its place.
BOOL OpenDocument(const char *path) {
  AIFilePathRef file = nullptr;
  if (sAIFilePath->NewFilePath(&file) != kNoErr || !file) return FALSE;
  AIDocumentHandle document = nullptr;
  ASErr status = sAIFilePath->SetPlatformPathA(file, path);
  if (status == kNoErr) {
    status = sAIDocumentList->Open(file, kAICMYKColorModel, kDialogNone, 0, &document);
  }
  sAIFilePath->DeleteFilePath(file);
  if (status != kNoErr || !document) return FALSE;
  sAIDocument->RedrawDocument();
  return TRUE;
}

LONG Percentage(const SequencerGlobals *g) {
  const double span = static_cast<double>(g->settings.endRecord) - g->settings.startRecord + 1;
  // A range that ends before it starts still makes one document; its
  // percentage means nothing and must not divide by zero.
  if (span <= 0) return 100;
  const double percent = (g->recordIndex - g->settings.startRecord) / span * 100 + 0.5;
  // More records than the range holds can be placed (an end of 0 is no
  // limit to the data-merge plug-in); the bar must not be drawn past its end.
  return percent > 100 ? 100 : static_cast<LONG>(percent);
}

void ProduceNextDocument(SequencerGlobals *g) {
  const LONG record = g->recordIndex + 1;
  char name[SEQUENCER_PATH_SIZE + 16];
  char templatePath[kFullPathSize], outputPath[kFullPathSize];
  if (!FormatOutputName(g->settings.aippath, record, name, sizeof name) ||
      !ResolvePaths(g->settings.aippath, name, templatePath, outputPath)) {
    templatePath[0] = outputPath[0] = '\0';
  }
  DeleteFileA(outputPath);
  if (!outputPath[0] || !CopyFileA(templatePath, outputPath, TRUE)) {
    ShowRecordMessage(kCopyFailed, record, g->settings.aippath);
    EndRun(g);
    return;
  }
  if (!OpenDocument(outputPath)) {
    // The copy was never composed; left behind it would pass for output.
    DeleteFileA(outputPath);
    ShowRecordMessage(kOpenFailed, record, outputPath);
    EndRun(g);
    return;
  }
  g->runState = RUN_SAVE;

  AIActionParamValueRef block = nullptr;
  if (sAIActionManager->AINewActionParamValue(&block) != kNoErr || !block) {
    // Without a request the record index cannot move: the next document
    // would be made for this record again, for ever. This one is saved and
    // closed as it is and the run ends.
    g->stopFlag = 1;
    ShowRecordMessage(kRequestFailed, record, "");
    return;
  }
  char csvp[3 * SEQUENCER_PATH_SIZE];
  std::snprintf(csvp, sizeof csvp, "%s", g->settings.csvpath);
  // The settings dialog refuses a path whose percent form is too long; one
  // that comes here all the same is not sent cut short but not at all.
  if (!EncodeNotificationText(csvp, sizeof csvp) || std::strlen(csvp) > kCsvpMax) csvp[0] = '\0';
  sAIActionManager->AIActionSetInteger(block, Key('f', 'r', 'r', 'c'), record);
  sAIActionManager->AIActionSetInteger(block, Key('t', 'o', 'r', 'c'), g->settings.endRecord);
  sAIActionManager->AIActionSetInteger(block, Key('f', 'n', 'r', 'c'), 0);
  sAIActionManager->AIActionSetString(block, Key('c', 's', 'v', 'p'), csvp);
  sAINotifier->Notify(kComposeRangeNotification, block);
  ASInt32 placed = 0;
  sAIActionManager->AIActionGetInteger(block, Key('f', 'n', 'r', 'c'), &placed);
  sAIActionManager->AIDeleteActionParamValue(block);

  if (placed == 0) {
    g->settings.endRecord = g->recordIndex;
  } else {
    g->recordIndex += placed;
    SetProgressPercent(Percentage(g));
  }
}

void CloseDocument(SequencerGlobals *g) {
  AIActionParamValueRef block = nullptr;
  if (sAIActionManager->AINewActionParamValue(&block) == kNoErr && block) {
    sAIActionManager->AIActionSetBoolean(block, kAICloseDocumentSaveKey, 0);
    sAIActionManager->PlayActionEvent(kAICloseDocumentAction, kDialogOff, block);
    sAIActionManager->AIDeleteActionParamValue(block);
  }
  const bool more = g->recordIndex < g->settings.endRecord && !g->stopFlag;
  g->runState = more ? RUN_PRODUCE : RUN_IDLE;
}

}  // namespace

BOOL FormatOutputName(const char *aippath, LONG record, char *out, size_t size) {
  const size_t n = std::strlen(aippath);
  size_t extension = 0;
  for (size_t length = 2; length <= 4 && extension == 0; ++length) {
    if (n >= length && aippath[n - length] == '.') extension = length;
  }
  const int stem = static_cast<int>(n - extension);
  const int written = std::snprintf(out, size, "%.*s_%03d%s", stem, aippath,
                                    static_cast<int>(record), aippath + stem);
  if (written < 0 || static_cast<size_t>(written) >= size) {
    if (size) out[0] = '\0';
    return FALSE;
  }
  return TRUE;
}

void StartRun(void) {
  SequencerGlobals *g = Globals();
  g->stopFlag = 0;
  OpenProgressWindow();
  g->runState = RUN_PRODUCE;
  g->recordIndex = g->settings.startRecord - 1 < 0 ? 0 : g->settings.startRecord - 1;
}

ASErr OnTimer(void *) {
  SequencerGlobals *g = Globals();
  if (g->runState != RUN_IDLE) PumpProgressWindow();
  if (g->busyFlag) return kNoErr;
  g->busyFlag = 1;
  if (g->runState == RUN_PRODUCE && ProgressAbortRequested()) g->runState = RUN_IDLE;
  switch (g->runState) {
    case RUN_PRODUCE: ProduceNextDocument(g); break;
    case RUN_SAVE:
      sAIActionManager->PlayActionEvent(kAISaveDocumentAction, kDialogOff, nullptr);
      g->runState = RUN_CLOSE;
      break;
    case RUN_CLOSE: CloseDocument(g); break;
    default: CloseProgressWindow(); break;
  }
  g->busyFlag = 0;
  return kNoErr;
}
