#include "standalonesuites.h"

#include "frame/suites.h"

const AIArtSuite *sAIArt;
const AITagSuite *sAITag;
const AITextFrameSuite *sAITextFrame;
const AIFontSuite *sAIFont;
const AIATEPaintSuite *sAIATEPaint;
const AICustomColorSuite *sAICustomColor;

namespace ATE {
const ATETextRangeSuite *sTextRange;
const ATECharFeaturesSuite *sCharFeatures;
}  // namespace ATE

namespace {

struct Row {
  const char *name;
  ASInt32 version;
  const void **pointer;
  bool acquired;
};

#define ROW(name, version, pointer) \
  { name, version, reinterpret_cast<const void **>(&pointer), false }
Row gRows[] = {
    ROW(kAIArtSuite, kAIArtSuiteVersion, sAIArt),
    ROW(kAITagSuite, kAITagSuiteVersion, sAITag),
    ROW(kAITextFrameSuite, kAITextFrameSuiteVersion, sAITextFrame),
    ROW(kAIFontSuite, kAIFontSuiteVersion, sAIFont),
    ROW(kAIATEPaintSuite, kAIATEPaintSuiteVersion, sAIATEPaint),
    ROW(kAICustomColorSuite, kAICustomColorSuiteVersion, sAICustomColor),
    ROW(kTextRangeSuite, kTextRangeSuiteVersion, ATE::sTextRange),
    ROW(kCharFeaturesSuite, kCharFeaturesSuiteVersion, ATE::sCharFeatures),
};
#undef ROW

}  // namespace

ASErr AcquireScriptTagSuites(SPBasicSuite *basic) {
  ASErr first = kNoErr;
  for (Row &row : gRows) {
    if (row.acquired) continue;
    ASErr status = basic->AcquireSuite(row.name, row.version, row.pointer);
    row.acquired = status == kNoErr;
    if (status != kNoErr && first == kNoErr) first = status;
  }
  return first;
}

void ReleaseScriptTagSuites(SPBasicSuite *basic) {
  for (Row &row : gRows) {
    if (row.acquired) basic->ReleaseSuite(row.name, row.version);
    row.acquired = false;
    *row.pointer = nullptr;
  }
}
