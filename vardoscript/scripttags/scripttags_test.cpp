// Reading and writing frames' scripts on testdata/tags.svg: where a script
// can be kept, how its pieces are stored and joined, and art that carries
// none.
#include "scripttags.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/scripttagstest.h"

namespace {

class ScriptTags : public ScriptTagsTest {
 protected:
  void SetUp() override {
    ScriptTagsTest::SetUp();
    Open("tags.svg");
  }

  // The frame's script tags in order, up to the first one missing.
  std::vector<std::string> Pieces(const std::string &id) {
    std::vector<std::string> pieces;
    for (int n = 0; n < SCRIPT_PIECE_COUNT; ++n) {
      const std::string *value =
          Tag(id, n == 0 ? "vardo2_script" : "vardo2_script_" + std::to_string(n));
      if (!value) break;
      pieces.push_back(*value);
    }
    return pieces;
  }

  // A script of `length` bytes that shows where each byte came from.
  static std::string Numbered(size_t length) {
    std::string script;
    for (size_t i = 0; script.size() < length; ++i) script += std::to_string(i % 10);
    return script;
  }

  // The frame's own text replaced by `text`.
  void SetText(const std::string &id, const std::u16string &text) {
    vhost::TextStory &story = *Art(id)->Story();
    story.Replace(0, story.Size(), text, story.FeaturesAt(0));
  }
};

TEST_F(ScriptTags, ReadsWhereverAScriptIsKept) {
  struct {
    const char *id;
    const char *expected;
  } cases[] = {
      {"tagged", "[name]\r[address]"},
      // The continuation for n = 2 is missing: the one for n = 3 is not read.
      {"gap", "AB"},
      // An empty continuation adds nothing; reading goes on past it.
      {"emptypiece", "AC"},
      // Script tags count on any art, locked or not a text frame.
      {"taggedgroup", "[group]"},
      {"lockedtagged", "[x]"},
      {"comment", "A[price]B"},
      {"emptyvrtag", ""},
  };
  for (const auto &c : cases) {
    const Read read = ReadScript(c.id);
    EXPECT_EQ(read.status, kNoErr) << c.id;
    EXPECT_EQ(read.script, c.expected) << c.id;
    EXPECT_EQ(ReadFrameScript(Handle(c.id), nullptr), kNoErr) << c.id << " without an output";
  }
}

TEST_F(ScriptTags, ArtWithoutAScriptGivesTheTagReadsErrorAndLeavesTheBufferAlone) {
  // A locked frame's own text is not looked at, "<!--" and all; a group has
  // no text.
  for (const char *id : {"nothing", "locked", "group", "plain"}) {
    const Read read = ReadScript(id);
    EXPECT_EQ(read.status, kNoSuchObjectErr) << id;
    EXPECT_TRUE(read.untouched) << id;
    EXPECT_EQ(ReadFrameScript(Handle(id), nullptr), kNoSuchObjectErr) << id << " without an output";
  }
}

TEST_F(ScriptTags, WritingAShorterScriptRemovesStalePiecesUpToTheFirstGap) {
  vhost::Art &frame = *Art("plain");
  frame.SetTag("vardo2_script", "old0");
  frame.SetTag("vardo2_script_1", "old1");
  frame.SetTag("vardo2_script_3", "old3");  // beyond the gap at n = 2
  const std::string script = Numbered(200);
  WriteFrameScript(frame.Handle(), script.c_str());
  EXPECT_EQ(Pieces("plain"), std::vector<std::string>{script});
  ASSERT_NE(frame.Tag("vardo2_script_3"), nullptr);
  EXPECT_EQ(*frame.Tag("vardo2_script_3"), "old3");
  EXPECT_EQ(ReadScript("plain").script, script);
}

TEST_F(ScriptTags, TenPiecesHold2000BytesAndTheRestIsCut) {
  for (size_t length : {201u, 1999u, 2000u, 2001u, 2500u}) {
    const std::string script = Numbered(length);
    WriteFrameScript(Handle("plain"), script.c_str());
    const std::vector<std::string> pieces = Pieces("plain");
    const size_t kept = std::min<size_t>(length, SCRIPT_STORED_MAX);
    ASSERT_EQ(pieces.size(), (kept + SCRIPT_PIECE_MAX - 1) / SCRIPT_PIECE_MAX) << length;
    for (size_t i = 0; i < pieces.size(); ++i) {
      EXPECT_EQ(pieces[i], script.substr(i * SCRIPT_PIECE_MAX, SCRIPT_PIECE_MAX))
          << length << " piece " << i;
    }
    EXPECT_EQ(ReadScript("plain").script, script.substr(0, kept)) << length;
  }
}

TEST_F(ScriptTags, AnEmptyScriptRemovesEveryScriptTag) {
  WriteFrameScript(Handle("plain"), Numbered(650).c_str());
  ASSERT_EQ(Pieces("plain").size(), 4u);
  WriteFrameScript(Handle("plain"), "");
  EXPECT_TRUE(Pieces("plain").empty());
  EXPECT_EQ(Tag("plain", "vardo2_script_1"), nullptr);
  EXPECT_EQ(ReadScript("plain").status, kNoSuchObjectErr);
}

TEST_F(ScriptTags, APieceBoundaryInsideACharacterIsRejoinedAlsoAfterSaving) {
  // 199 bytes, then a three-byte character across the boundary at 200.
  const std::string script = std::string(199, 'a') + "\xE4\xBE\xA1" + "[price]\r\xE5\x86\x86";
  WriteFrameScript(Handle("plain"), script.c_str());
  const std::vector<std::string> pieces = Pieces("plain");
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0].substr(199), "\xE4");
  EXPECT_EQ(pieces[1].substr(0, 2), "\xBE\xA1");
  EXPECT_EQ(ReadScript("plain").script, script);

  std::string error;
  auto copy = vhost::Document::Parse(doc_->Serialize(), &error);
  ASSERT_NE(copy, nullptr) << error;
  doc_ = host_->Documents().Add(std::move(copy));
  EXPECT_EQ(ReadScript("plain").script, script);
}

TEST_F(ScriptTags, LockedFramesAndOtherArtAreNeverWritten) {
  for (const char *id : {"lockedtagged", "taggedgroup"}) {
    const std::string before = *Tag(id, "vardo2_script");
    WriteFrameScript(Handle(id), "[new]");
    EXPECT_EQ(*Tag(id, "vardo2_script"), before) << id;
    WriteFrameScript(Handle(id), "");
    EXPECT_NE(Tag(id, "vardo2_script"), nullptr) << id;
  }
  WriteFrameScript(Handle("group"), "[new]");
  EXPECT_EQ(Tag("group", "vardo2_script"), nullptr);
}

TEST_F(ScriptTags, TheDataMergePluginLooksAtTheFirst2000UnitsOnly) {
  // "<!--" ending exactly at unit 2000, then starting right after it.
  SetText("nothing", std::u16string(1996, u'x') + u"<!--a-->");
  EXPECT_EQ(ReadFrameScript(Handle("nothing"), nullptr, SCRIPT_MERGE_FRAME_UNITS), kNoErr);
  SetText("nothing", std::u16string(2000, u'x') + u"<!--a-->");
  EXPECT_EQ(ReadFrameScript(Handle("nothing"), nullptr, SCRIPT_MERGE_FRAME_UNITS),
            kNoSuchObjectErr);
  EXPECT_EQ(ReadFrameScript(Handle("nothing"), nullptr), kNoErr);
  const Read read = ReadScript("nothing");
  EXPECT_EQ(read.status, kNoErr);
  EXPECT_EQ(read.script, std::string(2000, 'x') + "[a]");
  // Script tags and a VRTag count for it wherever the frame's text has
  // its "<!--".
  EXPECT_EQ(ReadFrameScript(Handle("vrtag"), nullptr, SCRIPT_MERGE_FRAME_UNITS), kNoErr);
  EXPECT_EQ(ReadFrameScript(Handle("tagged"), nullptr, SCRIPT_MERGE_FRAME_UNITS), kNoErr);
}

TEST_F(ScriptTags, ALongConvertedScriptIsCutTo4000BytesOnACharacterBoundary) {
  // 4000 units: a field, then a three-byte character 3992 times (11984
  // bytes of UTF-8). The font mark-up step keeps whole characters within
  // 4000 bytes: the 8-byte comment and 1330 characters. The comment then
  // shrinks to "[a]".
  SetText("nothing", u"<!--a-->" + std::u16string(3992, u'\u4FA1'));
  const Read read = ReadScript("nothing");
  EXPECT_EQ(read.status, kNoErr);
  std::string expected = "[a]";
  for (int i = 0; i < 1330; ++i) expected += "\xE4\xBE\xA1";
  EXPECT_EQ(read.script, expected);
}

TEST_F(ScriptTags, AScriptLongerThan4000BytesFromTagsIsCut) {
  // Pieces longer than this system writes, as a hand-edited file may hold.
  vhost::Art &frame = *Art("plain");
  frame.SetTag("vardo2_script", std::string(3000, 'a'));
  frame.SetTag("vardo2_script_1", std::string(3000, 'b'));
  EXPECT_EQ(ReadScript("plain").script, std::string(3000, 'a') + std::string(1000, 'b'));
}

}  // namespace
