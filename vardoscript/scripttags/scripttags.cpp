#include "scripttags.h"

#include <stdio.h>
#include <string.h>

#include "legacymarkup.h"
#include "utf16toutf8.h"

namespace {

const char kLegacyTag[] = "VRTag";

// "vardo2_script" for piece 0, "vardo2_script_<n>" for the others.
void ScriptTagName(int piece, char *name, size_t size) {
  if (piece == 0) {
    snprintf(name, size, "vardo2_script");
  } else {
    snprintf(name, size, "vardo2_script_%d", piece);
  }
}

// Reads a string tag. 0 with *value set when the tag is present; otherwise
// the host's error, or -1 for a read that succeeds without a value.
ASErr ReadTag(AIArtHandle art, const char *name, const char **value) {
  *value = nullptr;
  ASErr error = sAITag->GetTag(art, name, kTagStringType, value);
  if (error == kNoErr && *value == nullptr) error = -1;
  return error;
}

// A text frame that is not locked: the only art whose own text is read and
// whose tags are written. A failed query counts as "no".
bool IsUnlockedTextFrame(AIArtHandle frame) {
  ASInt16 type = kUnknownArt;
  if (sAIArt->GetArtType(frame, &type) != kNoErr || type != kTextFrameArt) return false;
  ASInt32 attributes = 0;
  sAIArt->GetArtUserAttr(frame, kArtLocked, &attributes);
  return (attributes & kArtLocked) == 0;
}

// Joins the piece already read from "vardo2_script" and its continuations
// into `out`, cut to SCRIPT_TEXT_MAX bytes.
void JoinScriptTags(AIArtHandle frame, const char *first, char *out) {
  // One byte more than is kept, so that the cut can tell where it falls.
  char joined[SCRIPT_TEXT_SIZE + 1];
  size_t length = 0;
  const char *piece = first;
  for (int n = 1;; ++n) {
    const size_t count = strnlen(piece, SCRIPT_TEXT_SIZE - length);
    memcpy(joined + length, piece, count);
    length += count;
    if (n == SCRIPT_PIECE_COUNT) break;
    // The first continuation that cannot be read ends the script; an empty
    // one adds nothing and the reading goes on.
    char name[32];
    ScriptTagName(n, name, sizeof name);
    if (ReadTag(frame, name, &piece) != kNoErr) break;
  }
  joined[length] = '\0';
  CopyScriptText(out, joined, SCRIPT_TEXT_MAX);
}

}  // namespace

ASErr ReadFrameScript(AIArtHandle frame, char *out, ASInt32 frameUnits) {
  const char *value = nullptr;
  const ASErr scriptTag = ReadTag(frame, "vardo2_script", &value);
  if (scriptTag == kNoErr) {
    if (out) JoinScriptTags(frame, value, out);
    return kNoErr;
  }

  if (!IsUnlockedTextFrame(frame)) return scriptTag;
  ATETextRangeRef rangeRef = nullptr;
  if (sAITextFrame->GetATETextRange(frame, &rangeRef) != kNoErr || !rangeRef) return scriptTag;
  ATE::ITextRange range(rangeRef);

  if (frameUnits < 0) frameUnits = 0;
  if (frameUnits > SCRIPT_FRAME_UNITS) frameUnits = SCRIPT_FRAME_UNITS;
  WCHAR units[SCRIPT_FRAME_UNITS + 1];
  range.GetContents(units, frameUnits + 1);
  char work[SCRIPT_WORK_AREA_SIZE];
  Utf16ToUtf8(units, work, sizeof work);
  if (strstr(work, "<!--")) {
    if (out) {
      ConvertLegacyMarkup(work, range);
      CopyScriptText(out, work, SCRIPT_TEXT_MAX);
    }
    return kNoErr;
  }

  const ASErr legacyTag = ReadTag(frame, kLegacyTag, &value);
  if (legacyTag != kNoErr) return legacyTag;
  if (out) {
    CopyScriptText(work, value, SCRIPT_TEXT_MAX);
    ConvertLegacyMarkup(work, range);
    CopyScriptText(out, work, SCRIPT_TEXT_MAX);
  }
  return kNoErr;
}

void WriteFrameScript(AIArtHandle frame, const char *script) {
  if (!IsUnlockedTextFrame(frame)) return;
  size_t remaining = strnlen(script, SCRIPT_STORED_MAX);
  const char *next = script;
  for (int piece = 0; piece < SCRIPT_PIECE_COUNT; ++piece) {
    char name[32];
    ScriptTagName(piece, name, sizeof name);
    if (remaining > 0) {
      char bytes[SCRIPT_PIECE_MAX + 1];
      const size_t count = remaining < SCRIPT_PIECE_MAX ? remaining : SCRIPT_PIECE_MAX;
      memcpy(bytes, next, count);
      bytes[count] = '\0';
      sAITag->SetTag(frame, name, kTagStringType, bytes);
      next += count;
      remaining -= count;
    } else {
      // Pieces of an earlier, longer script, up to the first gap.
      const char *value = nullptr;
      if (ReadTag(frame, name, &value) != kNoErr) break;
      sAITag->RemoveTag(frame, name);
    }
  }
}
