// The sequencer's own messages: Shift-JIS texts shown in the host's
// message alert.
#include <windows.h>

#include "sequencerhandlers.h"

void ShowSequencerMessage(const char *text) {
  WCHAR wide[1024];
  if (MultiByteToWideChar(932, 0, text, -1, wide, 1024) <= 0) return;
  sAIUser->MessageAlert(reinterpret_cast<const ai_uchar16 *>(wide));
}
