#include "scripttagstest.h"

#include <cstring>

#include "documentsuites.h"
#include "frame.h"
#include "scripttags.h"

// The tests run the code under the plug-in frame's own suite table (as the
// script-authoring plug-in's module does), without a module around it.
const FramePlugin gFramePlugin = {kFrameVardoScript, 0, {}};

void ScriptTagsTest::SetUp() {
  host_ = std::make_unique<vhost::Host>();
  rangesBefore_ = vhost::LiveTextRangeCount();
  featuresBefore_ = vhost::LiveCharFeaturesCount();
  ASSERT_EQ(AcquireSuites(host_->BasicSuite()), kNoErr);
}

void ScriptTagsTest::TearDown() {
  ReleaseSuites(host_->BasicSuite());
  EXPECT_EQ(host_->Suites().Outstanding(), 0);
  EXPECT_EQ(vhost::LiveTextRangeCount(), rangesBefore_) << "a text range was not released";
  EXPECT_EQ(vhost::LiveCharFeaturesCount(), featuresBefore_) << "a feature set was not released";
  host_.reset();
}

vhost::Document &ScriptTagsTest::Open(const std::string &name) {
  const std::string path = VARDO_SOURCE_DIR "/vardoscript/scripttags/testdata/" + name;
  ASErr status = kNoErr;
  std::string error;
  doc_ = host_->Documents().Open(path, false, &status, &error);
  EXPECT_NE(doc_, nullptr) << path << ": " << error;
  return *doc_;
}

vhost::Art *ScriptTagsTest::Art(const std::string &id) {
  vhost::Art *art = doc_ ? doc_->FindArtById(id) : nullptr;
  EXPECT_NE(art, nullptr) << "no art " << id;
  return art;
}

AIArtHandle ScriptTagsTest::Handle(const std::string &id) {
  vhost::Art *art = Art(id);
  return art ? art->Handle() : nullptr;
}

ATE::ITextRange ScriptTagsTest::RangeOf(const std::string &id) {
  ATETextRangeRef ref = nullptr;
  EXPECT_EQ(sAITextFrame->GetATETextRange(Handle(id), &ref), kNoErr) << id;
  return ATE::ITextRange(ref);
}

ScriptTagsTest::Read ScriptTagsTest::ReadScript(const std::string &id) {
  char buffer[SCRIPT_TEXT_SIZE];
  std::memset(buffer, '#', sizeof buffer);
  Read result;
  result.status = ReadFrameScript(Handle(id), buffer);
  result.untouched = true;
  for (char c : buffer) result.untouched = result.untouched && c == '#';
  result.script.assign(buffer, strnlen(buffer, sizeof buffer));
  return result;
}

const std::string *ScriptTagsTest::Tag(const std::string &id, const std::string &name) {
  vhost::Art *art = Art(id);
  return art ? art->Tag(name) : nullptr;
}
