// Start-up of the batch sequencer: its menu entries and its step timer.
#include <windows.h>

#include <cstring>

#include "sequencerhandlers.h"

namespace {

// Adds the submenu group and the settings command in it. A group that
// cannot be added is passed over; the command is tried all the same and
// its status is the result.
ASErr InstallMenus(SequencerGlobals *g) {
  WCHAR text[64];
  AIMenuItemHandle groupItem = nullptr;
  MultiByteToWideChar(932, 0,
                      "Vardo \x98"
                      "A\x91\xb1\x90\xb6\x90\xac",
                      -1, text, 64);
  if (sAIMenu->AddMenuItem(g->pluginRef, "VARDO2_SEQUENCER_GROUP", "Place Document",
                           reinterpret_cast<const ai_uchar16 *>(text), 0, &groupItem) == kNoErr) {
    AIMenuGroup group = nullptr;
    sAIMenu->AddMenuGroupAsSubMenu("VARDO2_SEQUENCER_GROUP", 0, groupItem, &group);
  }
  // レコード番号を指定して作成...
  MultiByteToWideChar(932, 0,
                      "\x83\x8c\x83R\x81[\x83h\x94\xd4\x8d\x86\x82\xf0\x8ew\x92\xe8\x82\xb5\x82\xc4"
                      "\x8d\xec\x90\xac...",
                      -1, text, 64);
  return sAIMenu->AddMenuItem(g->pluginRef, "VARDO2_SEQUENCER_CONFIG", "VARDO2_SEQUENCER_GROUP",
                              reinterpret_cast<const ai_uchar16 *>(text), 0, &g->commandItem);
}

}  // namespace

ASErr OnStartup(void *message) {
  SPMessageData *m = static_cast<SPMessageData *>(message);
  SequencerGlobals *g = Globals();
  std::memset(g, 0, sizeof *g);
  SetDefaultSequencerSettings(&g->settings);
  g->runState = RUN_IDLE;
  g->pluginRef = m->self;
  SPPlatformModule module = nullptr;
  sSPAccess->GetPluginModule(m->self, &module);
  SetProgressModule(static_cast<HINSTANCE>(module));

  ASErr status = InstallMenus(g);
  if (status != kNoErr) return status;
  return sAITimer->AddTimer(g->pluginRef, "VARDO2_SEQUENCER_TIMER", 60, &g->stepTimer);
}

ASErr OnShutdown(void *) {
  CloseProgressWindow();
  return kNoErr;
}
