// Script text: the limits every script buffer shares, how a script is cut
// to a limit, and the bounded output area the conversion steps build their
// results in. Walks over a script step by Utf8SequenceLength, which comes
// with this header.
#pragma once

#include <stddef.h>

#include "frame/utf8sequence.h"

// A script as read: at most 4000 bytes of UTF-8 and the NUL.
#define SCRIPT_TEXT_MAX 4000
#define SCRIPT_TEXT_SIZE (SCRIPT_TEXT_MAX + 1)
// What the conversion steps may build before their result is cut to
// SCRIPT_TEXT_MAX: 4000 UTF-16 units of frame text are at most 12000 bytes
// of UTF-8.
#define SCRIPT_WORK_AREA_MAX 12000
#define SCRIPT_WORK_AREA_SIZE (SCRIPT_WORK_AREA_MAX + 1)

// Copies the NUL-terminated `text` into `out` (maxBytes + 1 bytes), cut to
// maxBytes bytes. When the cut falls inside a multi-byte character, that
// character's bytes are left out too, so a cut never leaves half a
// character behind; a partial sequence that the text itself ends with is
// copied as it is. `out` may be `text`. Returns the length copied.
size_t CopyScriptText(char *out, const char *text, size_t maxBytes);

// An output area of fixed capacity. A piece is written whole or not at all:
// a piece that does not fit is refused, nothing of it is written and the
// area counts as full from then on, so that the walk filling it can stop.
// Nothing is ever written past `capacity` bytes of text and its NUL.
struct WorkArea {
  char *text;       // capacity + 1 bytes, NUL-terminated after every append
  size_t capacity;  // bytes of text the area holds, NUL excluded
  size_t length;
  bool full;
};

void StartWorkArea(WorkArea *area, char *buffer, size_t capacity);
// Appends `count` bytes; false, with nothing written, when they do not fit
// or the area is already full.
bool AppendToWorkArea(WorkArea *area, const char *bytes, size_t count);
// Appends a NUL-terminated string.
bool AppendStringToWorkArea(WorkArea *area, const char *string);
