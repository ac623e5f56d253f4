// The composition driver: finds the record slots of the current document,
// replaces each template group inside a slot by a copy of its script frame,
// and hands slot and record number to the composition engine. Its timer
// keeps what the data panel's drag and drop needs.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "frame/preferencefile.h"
#include "vardo/recordtable/recordtable.h"
#include "scripttags.h"
#include "vardohandlers.h"

namespace {

constexpr const char *kEngineNotification = "6884-3066-1648-3395-5359-9068-E/G";
// Bounds closer than this in each of their four values name the same art.
constexpr double kTargetTolerance = 2.0;

constexpr ActionParamKeyID Key(char a, char b, char c, char d) {
  return static_cast<ActionParamKeyID>(AS_FOURCC(a, b, c, d));
}

// The one key of the script plug-in's preference file read here.
struct LinkImageSetting {
  SHORT place_linkimage;
};
const PreferenceKey kLinkImageKey =
    PREFERENCE_SETTING(LinkImageSetting, place_linkimage, PREFERENCE_INTEGER);
const PreferenceFile kScriptPreferences = {"Vardo2Script.ini", &kLinkImageKey, 1};

ASInt16 TypeOf(AIArtHandle art) {
  ASInt16 type = kUnknownArt;
  sAIArt->GetArtType(art, &type);
  return type;
}

bool IsLocked(AIArtHandle art) {
  ASInt32 attr = 0;
  sAIArt->GetArtUserAttr(art, kArtLocked, &attr);
  return (attr & kArtLocked) != 0;
}

AIArtHandle FirstChild(AIArtHandle art) {
  AIArtHandle child = nullptr;
  sAIArt->GetArtFirstChild(art, &child);
  return child;
}

AIArtHandle NextSibling(AIArtHandle art) {
  AIArtHandle sibling = nullptr;
  sAIArt->GetArtSibling(art, &sibling);
  return sibling;
}

AIRealRect BoundsOf(AIArtHandle art) {
  AIRealRect bounds{};
  sAIArt->GetArtBounds(art, &bounds);
  return bounds;
}

bool HasTag(AIArtHandle art, const char *name) {
  const char *value = nullptr;
  return sAITag->GetTag(art, name, kTagStringType, &value) == kNoErr && value != nullptr;
}

bool IsTemplateGroup(AIArtHandle art) {
  return TypeOf(art) == kGroupArt && HasTag(art, "vardo2_group");
}

bool IsScriptFrame(AIArtHandle art) {
  return TypeOf(art) == kTextFrameArt &&
         ReadFrameScript(art, nullptr, SCRIPT_MERGE_FRAME_UNITS) == kNoErr;
}

int ContentCount(AIArtHandle art, int depth) {
  if (IsLocked(art)) return 0;
  const ASInt16 type = TypeOf(art);
  if (type == kGroupArt) {
    if (HasTag(art, "vardo2_group")) return depth > 0 ? 1 : 0;
    int count = 0;
    for (AIArtHandle child = FirstChild(art); child; child = NextSibling(child)) {
      count += ContentCount(child, depth + 1);
    }
    return count;
  }
  return type == kTextFrameArt && IsScriptFrame(art) ? 1 : 0;
}

// Calls visit(art group) for each visible and editable layer, front first.
template <typename Visit>
void ForEachLayerGroup(Visit visit) {
  ASInt32 count = 0;
  sAILayer->CountLayers(&count);
  for (ASInt32 i = 0; i < count; ++i) {
    AILayerHandle layer = nullptr;
    if (sAILayer->GetNthLayer(i, &layer) != kNoErr || !layer) continue;
    ASBoolean visible = 0, editable = 0;
    sAILayer->GetLayerVisible(layer, &visible);
    sAILayer->GetLayerEditable(layer, &editable);
    if (!visible || !editable) continue;
    AIArtHandle group = nullptr;
    sAIArt->GetFirstArtOfLayer(layer, &group);
    if (group && !visit(group)) return;
  }
}

bool IsUnlockedGroup(AIArtHandle art) { return TypeOf(art) == kGroupArt && !IsLocked(art); }

bool Matches(const AIRealRect &a, const AIRealRect &b) {
  return std::fabs(a.left - b.left) < kTargetTolerance &&
         std::fabs(a.top - b.top) < kTargetTolerance &&
         std::fabs(a.right - b.right) < kTargetTolerance &&
         std::fabs(a.bottom - b.bottom) < kTargetTolerance;
}

std::vector<AIArtHandle> FindSlots(const AIRealRect *target) {
  std::vector<AIArtHandle> slots;
  ForEachLayerGroup([&](AIArtHandle group) {
    if (!IsUnlockedGroup(group)) return true;
    for (AIArtHandle child = FirstChild(group); child; child = NextSibling(child)) {
      if (target) {
        const ASInt16 type = TypeOf(child);
        if ((type == kGroupArt || type == kTextFrameArt) && Matches(BoundsOf(child), *target)) {
          slots.push_back(child);
          return false;
        }
      } else if (IsUnlockedGroup(child) && ContentCount(child, 0) > 0) {
        slots.push_back(child);
      }
    }
    return true;
  });
  return slots;
}

// Replaces the template groups inside `art` by copies of their script
// frames. Returns what now stands in the place of `art`: the copy when `art`
// was itself a template group that was replaced, else `art`.
AIArtHandle Collapse(AIArtHandle art) {
  if (IsLocked(art) || TypeOf(art) != kGroupArt) return art;
  if (!HasTag(art, "vardo2_group")) {
    for (AIArtHandle child = FirstChild(art); child;) {
      AIArtHandle next = NextSibling(child);  // the child may be disposed
      if (!IsLocked(child)) Collapse(child);
      child = next;
    }
    return art;
  }
  AIArtHandle first = nullptr, preferred = nullptr;
  for (AIArtHandle child = FirstChild(art); child; child = NextSibling(child)) {
    if (IsLocked(child) || !IsScriptFrame(child)) continue;
    if (!first) first = child;
    if (HasTag(child, "vardo2_frame")) {
      preferred = child;
      break;
    }
  }
  AIArtHandle chosen = preferred ? preferred : first;
  if (!chosen) return art;
  AIArtHandle copy = nullptr;
  sAIArt->DuplicateArt(chosen, kPlaceAbove, art, &copy);
  if (!copy) return art;
  sAIArt->DisposeArt(art);
  return copy;
}

void NotifyEngine(AIArtHandle slot, LONG record, SHORT placeLinkImage) {
  AIActionParamValueRef block = nullptr;
  sAIActionManager->AINewActionParamValue(&block);
  if (!block) return;
  sAIActionManager->AIActionSetInteger(block, Key('v', 'r', 'c', 'r'), record);
  const ASInt32 low =
      static_cast<ASInt32>(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(slot)));
  sAIActionManager->AIActionSetInteger(block, Key('v', 'r', 't', 'g'), low);
  sAIActionManager->AIActionSetBoolean(block, Key('l', 'i', 'n', 'k'), placeLinkImage != 0);
  sAIActionManager->AIActionSetInteger(block, Key('c', 's', 'e', 't'), 1);
  sAINotifier->Notify(kEngineNotification, block);
  sAIActionManager->AIDeleteActionParamValue(block);
}

void ReadPlaceLinkImage(VardoGlobals *g) {
  LinkImageSetting setting{g->placeLinkImage};
  ReadPreferences(&kScriptPreferences, &setting);
  g->placeLinkImage = setting.place_linkimage;
}

// "Vardo の取り消し" and "Vardo のやり直し", from the Shift-JIS formats.
void NameUndoStep() {
  static const char kUndoFormat[] = "%s\x82\xcc\x8e\xe6\x82\xe8\x8f\xc1\x82\xb5";
  static const char kRedoFormat[] = "%s\x82\xcc\x82\xe2\x82\xe8\x92\xbc\x82\xb5";
  char undo[64], redo[64];
  std::snprintf(undo, sizeof undo, kUndoFormat, "Vardo ");
  std::snprintf(redo, sizeof redo, kRedoFormat, "Vardo ");
  ai_uchar16 undoText[64], redoText[64];
  ShiftJisToUtf16(undo, undoText, 64);
  ShiftJisToUtf16(redo, redoText, 64);
  sAIUndo->SetUndoText(undoText, redoText);
}

void AppendDropTarget(DropTargetList *list, const AIRealRect &bounds) {
  void *grown = std::realloc(list->bounds, (list->count + 1) * sizeof(AIRealRect));
  if (!grown) return;
  list->bounds = static_cast<AIRealRect *>(grown);
  list->bounds[list->count++] = bounds;
}

void RebuildDropTargets(DropTargetList *list) {
  std::free(list->bounds);
  list->bounds = nullptr;
  list->count = 0;
  ForEachLayerGroup([&](AIArtHandle group) {
    if (!IsUnlockedGroup(group)) return true;
    for (AIArtHandle child = FirstChild(group); child; child = NextSibling(child)) {
      if (IsScriptFrame(child)) AppendDropTarget(list, BoundsOf(child));
    }
    return true;
  });
  ForEachLayerGroup([&](AIArtHandle group) {
    for (AIArtHandle child = FirstChild(group); child; child = NextSibling(child)) {
      if (IsUnlockedGroup(child) && (IsTemplateGroup(child) || ContentCount(child, 0) > 0)) {
        AppendDropTarget(list, BoundsOf(child));
      }
    }
    return true;
  });
}

}  // namespace

void ComposeRecords(LONG first, LONG last, const AIRealRect *target, LONG *composed) {
  std::vector<AIArtHandle> slots = FindSlots(target);
  if (slots.empty()) return;
  VardoGlobals *g = Globals();
  ReadPlaceLinkImage(g);
  LONG record = first;
  for (size_t i = slots.size(); i-- > 0;) {
    AIArtHandle slot = Collapse(slots[i]);
    NotifyEngine(slot, record, g->placeLinkImage);
    ++record;
    if (composed) ++*composed;
    if (last != 0 && record > last) break;
    if (record >= CountRecords()) break;
  }
}

ASErr OnDoAction(void *) {
  VardoGlobals *g = Globals();
  if (g->pendingCommand == COMPOSE_INTO_TARGET) {
    g->pendingCommand = 0;
    const AIRealRect target = g->targetBounds;
    ComposeRecords(g->startRecord, 0, &target, nullptr);
    NameUndoStep();
  }
  if (g->pendingCommand == COMPOSE_FROM_RECORD) {
    g->pendingCommand = 0;
    ComposeRecords(g->startRecord, 0, nullptr, nullptr);
    NameUndoStep();
  }
  return kNoErr;
}

ASErr OnTimer(void *message) {
  AITimerMessage *m = static_cast<AITimerMessage *>(message);
  VardoGlobals *g = Globals();
  g->savedBasicSuite = m->d.basic;
  if (g->timerBusy || m->timer != g->timerHandle) return kNoErr;
  g->timerBusy = 1;
  g->documentView = nullptr;
  g->documentWindow = nullptr;
  sAIDocumentView->GetNthDocumentView(0, &g->documentView);
  if (g->documentView) {
    sAIDocumentView->GetDocumentViewBounds(g->documentView, &g->viewBounds);
    sAIDocumentView->GetDocumentViewZoom(g->documentView, &g->viewZoom);
    g->documentWindow = FindDocumentWindow();
    RebuildDropTargets(&g->dropTargets);
  }
  g->timerBusy = 0;
  return kNoErr;
}
