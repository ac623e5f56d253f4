// End-to-end test support for the batch sequencer: the real VardoSequencer
// and Vardo modules in the host stand-in, beside the test receiver of the
// engine's notifications, with a scratch profile folder. The run is played
// as the user plays it: the command, the settings dialog, then the host's
// timer on the virtual clock.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "vardoplugintest.h"

namespace sequencertest {

// Illustrator folder and the run's folders below the scratch directory.
constexpr const char *kIllustrator = "Documents/Adobe/Illustrator";
constexpr const char *kTemplates = "Documents/Adobe/Illustrator/PQA/雛型";
constexpr const char *kOutputs = "Documents/Adobe/Illustrator/PQA/出力";

// A document with `slots` record slots (s1, s2, ... in file order), each
// holding one template group t<N> with a frame f<N> carrying "[a]".
std::string SlotDocument(int slots);

class SequencerPluginTest : public vardotest::VardoPluginTest {
 protected:
  // Loads Vardo, the test modules and VardoSequencer, and starts them.
  void StartAll();
  vhost::Plugin *Sequencer() { return sequencer_; }

  // Writes "Vardo2Sequencer.ini" (Shift-JIS values as given).
  void WriteSettings(const std::string &csvpath, const std::string &aippath, long start, long end);
  // Chooses the settings command; `dialog` plays the user in the settings
  // dialog before OK is pressed (null: OK at once); OK is not pressed when
  // the handler ended the dialog.
  void ChooseCommand(const std::function<void(HWND)> &dialog = nullptr);
  // Runs ticks until the progress window is gone (at most `maxTicks`);
  // false when it is still there.
  bool RunToEnd(long maxTicks = 60 * 3 * 40);
  // The progress window, or null.
  HWND ProgressWindow();
  // One timer tick delivered to the sequencer now, before the host takes
  // anything from the queue.
  void StepNow();
  // The messages shown, in order (UTF-8).
  std::vector<std::string> Messages();
  // Composed() per output document: each engine notification with the path
  // of the document that was current.
  std::vector<std::pair<std::string, int>> ComposedByDocument();

  vhost::Plugin *sequencer_ = nullptr;
  std::vector<std::pair<std::string, int>> byDocument_;
};

}  // namespace sequencertest
