// The timer tick that keeps the script panel and the selected text frame in
// step, and the walk over the document that finds and writes that frame.
#include <cstring>

#include "scripttags/scripttags.h"
#include "vardoscript/paneltext.h"
#include "vardoscript/scripthandlers.h"
#include "vardoscript/vardoscriptglobals.h"

namespace {

bool IsLocked(AIArtHandle art) {
  ASInt32 attributes = 0;
  sAIArt->GetArtUserAttr(art, kArtLocked, &attributes);
  return (attributes & kArtLocked) != 0;
}

// Calls visit on every text frame from `art` on, sibling by sibling,
// entering groups and passing over locked art with all inside it.
template <typename Visit>
void WalkArt(AIArtHandle art, Visit &visit) {
  for (; art != nullptr;) {
    if (!IsLocked(art)) {
      ASInt16 type = kUnknownArt;
      sAIArt->GetArtType(art, &type);
      if (type == kGroupArt) {
        AIArtHandle child = nullptr;
        sAIArt->GetArtFirstChild(art, &child);
        WalkArt(child, visit);
      } else if (type == kTextFrameArt) {
        visit(art);
      }
    }
    AIArtHandle next = nullptr;
    if (sAIArt->GetArtSibling(art, &next) != kNoErr) break;
    art = next;
  }
}

// The walk over every visible, editable layer of the current document.
template <typename Visit>
void WalkEditableLayers(Visit visit) {
  ASInt32 count = 0;
  sAILayer->CountLayers(&count);
  for (ASInt32 i = 0; i < count; ++i) {
    AILayerHandle layer = nullptr;
    if (sAILayer->GetNthLayer(i, &layer) != kNoErr) continue;
    ASBoolean visible = 0, editable = 0;
    sAILayer->GetLayerVisible(layer, &visible);
    sAILayer->GetLayerEditable(layer, &editable);
    if (!visible || !editable) continue;
    AIArtHandle first = nullptr;
    if (sAIArt->GetFirstArtOfLayer(layer, &first) != kNoErr) continue;
    WalkArt(first, visit);
  }
}

void ClearCurrentFrame(VardoScriptGlobals *g) {
  g->currentFrame = nullptr;
  g->frameWidth = 0;
  g->frameHeight = 0;
  g->currentScript[0] = '\0';
}

}  // namespace

void GetSelectedFrameScript() {
  VardoScriptGlobals *g = Globals();
  ClearCurrentFrame(g);
  int selected = 0;
  WalkEditableLayers([g, &selected](AIArtHandle frame) {
    ASInt32 attributes = 0;
    sAIArt->GetArtUserAttr(frame, kArtSelected, &attributes);
    if (!(attributes & kArtSelected)) return;
    if (g->currentFrame == nullptr) {
      g->currentFrame = frame;
      char script[SCRIPT_TEXT_SIZE];
      if (ReadFrameScript(frame, script) == kNoErr)
        std::memcpy(g->currentScript, script, sizeof script);
      AIRealRect bounds{};
      sAIArt->GetArtBounds(frame, &bounds);
      g->frameWidth = bounds.right - bounds.left;
      g->frameHeight = bounds.top - bounds.bottom;
    }
    ++selected;
  });
  if (selected >= 2) ClearCurrentFrame(g);
}

void SaveSelectedFrameScript() {
  VardoScriptGlobals *g = Globals();
  // Cut here, before a character the tags cannot hold whole: a script cut
  // inside one would come back from the tags unlike anything the panel can
  // show, and each tick would store the panel's version of it again.
  char stored[SCRIPT_TEXT_SIZE];
  CopyScriptText(stored, g->currentScript, SCRIPT_STORED_MAX);
  WalkEditableLayers([g, &stored](AIArtHandle frame) {
    if (frame == g->currentFrame) WriteFrameScript(frame, stored);
  });
}

ASErr OnScriptTimer(void *message) {
  AITimerMessage *timer = static_cast<AITimerMessage *>(message);
  VardoScriptGlobals *g = Globals();
  g->savedBasicSuite = timer->d.basic;
  if (g->timerBusy || timer->timer != g->timerHandle) return kNoErr;
  g->timerBusy = 1;
  g->documentView = nullptr;
  if (sAIDocumentView->GetNthDocumentView(0, &g->documentView) == kNoErr && g->documentView) {
    AIArtHandle previousFrame = g->currentFrame;
    char previousScript[SCRIPT_TEXT_SIZE];
    std::memcpy(previousScript, g->currentScript, sizeof previousScript);
    GetSelectedFrameScript();
    AIPlatformWindow window = nullptr;
    if (g->panel && sAIPanel->GetPlatformWindow(g->panel, &window) == kNoErr && window) {
      HWND panelWindow = static_cast<HWND>(window);
      if (g->currentFrame != previousFrame || std::strcmp(g->currentScript, previousScript) != 0) {
        ShowPanelScript(panelWindow, g->currentScript);
      } else if (g->currentFrame) {
        char typed[SCRIPT_TEXT_SIZE];
        ReadPanelScript(panelWindow, typed);
        if (std::strcmp(typed, g->currentScript) != 0) {
          std::memcpy(g->currentScript, typed, sizeof typed);
          SaveSelectedFrameScript();
        }
      }
    }
  }
  g->timerBusy = 0;
  return kNoErr;
}
