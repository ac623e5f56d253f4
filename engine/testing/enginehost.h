// A host stand-in with the data-merge plug-in and the engine module loaded
// from the build, for tests that compose through the real modules: the
// plug-in holds a table and answers the engine's lookups from it, and the
// engine notification goes out as the plug-in sends it for one slot.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "document.h"
#include "host.h"

namespace vardo::testing {

class EngineHost : public ::testing::Test {
 protected:
  // Empties `folder` below the test's temporary folder (dir_) and starts a
  // fresh host there with Vardo.aip and VardoEngine.aip; a module that does
  // not load or start fails the test.
  void StartHost(const std::string &folder);

  // Writes `csv` (bytes as they are) to table.csv in dir_ and has the
  // plug-in load it through a compose-range request, which composes nothing
  // while no document is open; a path the platform cannot name fails the
  // test.
  void LoadTable(const std::string &csv);

  // Adds the document parsed from `svg` to the host and makes it doc_;
  // a parse error fails the test and leaves doc_ as it was.
  void OpenDocument(const std::string &svg);

  // Sends the engine notification for `slot` (art of doc_) with record
  // `record`; `link` asks for pictures linked rather than embedded.
  void ComposeSlot(vhost::Art *slot, int record, bool link);

  std::filesystem::path dir_;
  std::unique_ptr<vhost::Host> host_;
  vhost::Document *doc_ = nullptr;
};

}  // namespace vardo::testing
