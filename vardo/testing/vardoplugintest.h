// End-to-end test support for the data-merge plug-in: the real Vardo module
// in the host stand-in, beside the test receiver of engine notifications and
// the test sender of requests, with a scratch profile folder; helpers that
// play the user through the panel and build template documents.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "frame/testprofile.h"
#include "host.h"
#include "testmodules.h"
#include "vplatform/dialogs.h"
#include "vplatform/input.h"
#include "vplatform/screen.h"
#include "vplatform/windows.h"

namespace vardotest {

constexpr const char *kPanelId = "VARDO_INFO_PANEL";

// ---- Template documents ------------------------------------------------------
// A text frame carrying `script` at (x, y) (point text, 10 px).
std::string Frame(const std::string &id, double x, double y, const std::string &script = "[a]",
                  const std::string &attributes = "");
// A text frame without a script.
std::string PlainFrame(const std::string &id, double x, double y);
std::string Group(const std::string &id, const std::string &inner,
                  const std::string &attributes = "");
// A group tagged vardo2_group = `value`.
std::string Template(const std::string &id, const std::string &inner,
                     const std::string &value = "t", const std::string &attributes = "");
std::string Layer(const std::string &id, const std::string &inner,
                  const std::string &attributes = "");
// A 400 x 300 page holding `layers` in file order.
std::string Document(const std::string &layers);

// ---- CSV text -----------------------------------------------------------------
// A header "a,b,c" and `records` lines "r1a,r1b,r1c", ...
std::string Table(int records);

class VardoPluginTest : public TestProfile {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Loads Vardo (and the test modules unless told otherwise) and starts
  // them. Tests that change the host first (faults, preferences, screen)
  // do so before calling it.
  void Start(bool withTestModules = true);

  vhost::Host &Host() { return *host_; }
  vhost::Plugin *Vardo() { return vardo_; }
  ReceiverGlobals &Receiver();
  vhost::Panel *Panel() { return host_->FindPanel(kPanelId); }
  HWND PanelWindow();
  HWND List();

  // Opens SVG text as the current document (saved in the scratch folder as
  // `name` first) and lets the plug-in's timer see it.
  vhost::Document *Open(const std::string &svg, const std::string &name = "doc.svg");
  // Runs the timer once (12 ticks).
  void Tick();

  // Chooses "開く..." and answers the file dialog with the scratch file
  // `name` (written with `bytes` first unless `bytes` is null).
  void Import(const std::string &name, const std::string *bytes);
  void Import(const std::string &name, const std::string &bytes) { Import(name, &bytes); }
  // Chooses "別名で保存..." and answers with the scratch file `name`.
  void Export(const std::string &name);
  // Chooses "自動組版".
  void Compose() { host_->ChooseFlyoutItem(kPanelId, 4); }

  // The list as the user sees it.
  std::vector<std::string> ColumnTitles();
  int RowCount();
  std::string Cell(int row, int column);
  // Screen point of the centre of a cell.
  POINT CellPoint(int row, int column);
  // Clicks a row (with Ctrl held: adds to the selection).
  void ClickRow(int row, bool control = false);

  // What the receiver got, as (art id, record) pairs in the order sent.
  std::vector<std::pair<std::string, int>> Composed();
  // Screen point of an artwork point in the document window.
  POINT ScreenPoint(double x, double y);

  // Sends a request through the test sender and returns it answered.
  SenderRequest Send(SenderRequest request);

  std::unique_ptr<vhost::Host> host_;
  vhost::Plugin *vardo_ = nullptr;
  vhost::Plugin *receiver_ = nullptr;
};

// Requests for the sender.
SenderRequest ComposeRange(const std::string &path);
SenderRequest Lookup(int record, const std::string &name);

}  // namespace vardotest
