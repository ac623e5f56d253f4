// Tests that run the script-tag code on documents: a host stand-in with a
// document from testdata/ open, and the frame's suite table acquired from
// the host's registry for the length of each test (no plug-in module is
// loaded, so nothing else would fill the suite pointers).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "frame/suites.h"
#include "host.h"

class ScriptTagsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  // Releases the suites and checks that every text range and feature set
  // the code was handed has been released again.
  void TearDown() override;

  // Opens testdata/<name> as the current document.
  vhost::Document &Open(const std::string &name);
  // Art of the current document by element id; null (and a failure) when
  // there is none.
  vhost::Art *Art(const std::string &id);
  AIArtHandle Handle(const std::string &id);
  // A new range over the whole text of the frame.
  ATE::ITextRange RangeOf(const std::string &id);

  // ReadFrameScript with an output buffer that starts filled with '#', so a
  // test can tell whether it was written.
  struct Read {
    ASErr status;
    std::string script;  // what the buffer holds up to its first NUL
    bool untouched;      // the buffer was not written at all
  };
  Read ReadScript(const std::string &id);

  // The tags of art, by name, as the document holds them now.
  const std::string *Tag(const std::string &id, const std::string &name);

  std::unique_ptr<vhost::Host> host_;
  vhost::Document *doc_ = nullptr;

 private:
  size_t rangesBefore_ = 0, featuresBefore_ = 0;
};
