// The host with documents: the save and close actions a plug-in plays, the
// document suites in the host's registry, and the main window following the
// current document.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "AIActionManager.h"
#include "AIDocument.h"
#include "AITag.h"
#include "host.h"
#include "vplatform/windows.h"

namespace vhost {
namespace {

const std::string kTemplate = VARDO_SOURCE_DIR "/host/testdata/template.svg";

std::string Title(HWND window) {
  char16_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return std::string(text, text + std::char_traits<char16_t>::length(text));
}

class HostDocuments : public ::testing::Test {
 protected:
  void SetUp() override {
    vplat::ResetWindowManager();
    dir_ = std::filesystem::path(::testing::TempDir()) / "hostdocuments";
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    file_ = (dir_ / "out.svg").string();
    std::filesystem::copy_file(kTemplate, file_);
    host_ = std::make_unique<Host>();
  }

  Document *OpenCopy() {
    ASErr status = kNoErr;
    std::string error;
    Document *doc = host_->Documents().Open(file_, false, &status, &error);
    EXPECT_NE(doc, nullptr) << error;
    return doc;
  }

  std::string FileText() {
    std::ifstream in(file_);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::filesystem::path dir_;
  std::string file_;
  std::unique_ptr<Host> host_;
};

TEST_F(HostDocuments, SaveActionWritesTheCurrentDocument) {
  EXPECT_EQ(host_->PlayAction("adobe_saveDocument", 3, nullptr), kNoSuchObjectErr);
  Document *doc = OpenCopy();
  doc->FindArtById("name1")->SetTag("vardo2_frame", "saved");
  EXPECT_EQ(FileText().find("saved"), std::string::npos);
  ASSERT_EQ(host_->PlayAction("adobe_saveDocument", 3, nullptr), kNoErr);
  EXPECT_NE(FileText().find("vardotag:vardo2_frame=\"saved\""), std::string::npos);
  EXPECT_EQ(host_->Documents().Count(), 1u);
}

TEST_F(HostDocuments, CloseActionSavesUnlessToldNot) {
  struct {
    const char *name;
    bool block, hasSave, save;
    bool written;
  } cases[] = {
      {"'save' false", true, true, false, false},
      {"'save' true", true, true, true, true},
      {"no 'save'", true, false, false, true},
      {"no block", false, false, false, true},
  };
  for (const auto &c : cases) {
    std::filesystem::copy_file(kTemplate, file_, std::filesystem::copy_options::overwrite_existing);
    Document *doc = OpenCopy();
    doc->FindArtById("dot")->SetHidden(true);
    ParamBlock block;
    if (c.hasSave) block.values[AS_FOURCC('s', 'a', 'v', 'e')] = c.save;
    ASSERT_EQ(host_->PlayAction("adobe_closeDocument", 3, c.block ? &block : nullptr), kNoErr)
        << c.name;
    EXPECT_EQ(host_->Documents().Count(), 0u) << c.name;
    EXPECT_EQ(host_->Documents().CurrentDocument(), nullptr);
    EXPECT_EQ(FileText().find("r=\"10\" style=\"display:none\"") != std::string::npos, c.written)
        << c.name;
  }
  EXPECT_EQ(host_->PlayAction("adobe_closeDocument", 3, nullptr), kNoSuchObjectErr);
}

TEST_F(HostDocuments, AFailedSaveKeepsTheDocumentAndAlerts) {
  Document *doc = OpenCopy();
  doc->SetPath((dir_ / "missing-folder" / "x.svg").string());
  EXPECT_EQ(host_->PlayAction("adobe_closeDocument", 3, nullptr), kAIDocumentWriteErr);
  EXPECT_EQ(host_->Documents().Count(), 1u);
  ASSERT_FALSE(host_->Alerts().empty());
  EXPECT_EQ(host_->Alerts().back().kind, Alert::kError);
  EXPECT_NE(host_->Alerts().back().text.find("missing-folder"), std::string::npos);
}

TEST_F(HostDocuments, TheMainWindowAndViewFollowTheCurrentDocument) {
  EXPECT_EQ(Title(host_->MainWindow()).find(" @ "), std::string::npos);
  Document *doc = OpenCopy();
  EXPECT_EQ(Title(host_->MainWindow()), "out.svg @ 100% (CMYK/Preview)");
  RECT client{};
  GetClientRect(host_->DocumentWindow(), &client);
  const AIRealRect bounds = doc->View().bounds;
  EXPECT_EQ(bounds.left, 0);
  EXPECT_EQ(bounds.top, 0);
  EXPECT_EQ(bounds.right, client.right);
  EXPECT_EQ(bounds.bottom, -client.bottom);
  std::string error;
  host_->Documents().Close(*doc, false, &error);
  EXPECT_EQ(Title(host_->MainWindow()).find(" @ "), std::string::npos);
}

TEST_F(HostDocuments, TheHostOffersTheDocumentSuites) {
  const void *table = nullptr;
  ASSERT_EQ(host_->Suites().Acquire(kAIDocumentSuite, kAIDocumentSuiteVersion, &table), kNoErr);
  auto *document = static_cast<const AIDocumentSuite *>(table);
  AIDocumentHandle current = nullptr;
  EXPECT_EQ(document->GetDocument(&current), kNoSuchObjectErr);
  Document *doc = OpenCopy();
  EXPECT_EQ(document->GetDocument(&current), kNoErr);
  EXPECT_EQ(current, doc->Handle());
  ASSERT_EQ(host_->Suites().Acquire(kAITagSuite, kAITagSuiteVersion, &table), kNoErr);
  const char *value = nullptr;
  EXPECT_EQ(static_cast<const AITagSuite *>(table)->GetTag(doc->FindArtById("area1")->Handle(),
                                                           "vardo2_script", kTagStringType, &value),
            kNoErr);
  EXPECT_STREQ(value, "[price]");
  host_->Suites().Release(kAIDocumentSuite, kAIDocumentSuiteVersion);
  host_->Suites().Release(kAITagSuite, kAITagSuiteVersion);
}

}  // namespace
}  // namespace vhost
