// Filling one record slot: every text frame inside it that carries a script
// is rendered for the record, through the host's suites.
#pragma once

#include "AIActionManager.h"
#include "AIArt.h"
#include "AINotifier.h"
#include "VardoEngine.h"

// The suites composing calls beside the script-tag code's own.
struct EngineSuites {
  const AIActionManagerSuite *actions = nullptr;
  const AINotifierSuite *notifier = nullptr;
  const VardoEngineSuite *engine = nullptr;
};

// Fills the art whose handle's low 32 bits are `slotLow32` with record
// `record`, placing pictures linked when `link`. Art that is not a text
// frame, frames without a script and locked art are left as they are. Every
// problem goes to the host's list (VardoEngineSuite ReportProblem); composing
// goes on past it. Returns kNoSuchObjectErr when no such art lives, else 0.
ASErr ComposeSlot(const EngineSuites &suites, int record, ASUInt32 slotLow32, bool link);
