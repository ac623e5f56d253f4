// Two plug-in modules that stand beside Vardo in its end-to-end tests:
// - VardoTestReceiver registers for the composition engine's notification
//   and records every block it receives (the engine itself comes later);
// - VardoTestSender sends compose-range requests and value lookups to
//   Vardo, as the batch sequencer and the engine do, when a test asks it
//   through the notification kSenderNotification.
// The records below are the modules' global records and the sender's
// request; the tests read them through the host.
#pragma once

#include <stdint.h>

#include "ASTypes.h"

#define kEngineNotification "6884-3066-1648-3395-5359-9068-E/G"
#define kSenderNotification "vardo test sender"

// One engine notification as received; -1 for a value that was absent.
struct EngineCall {
  ASInt32 record;  // 'vrcr'
  ASInt32 slot;    // 'vrtg'
  ASInt32 link;    // 'link' (0 or 1)
  ASInt32 cset;    // 'cset'
};

#define kReceiverCallMax 256

struct ReceiverGlobals {
  int32_t count;  // calls received; only the first kReceiverCallMax are kept
  EngineCall calls[kReceiverCallMax];
};

enum SenderKind { kSendComposeRange = 1, kSendLookup = 2 };

#define kSenderTextMax 2048

// What the sender puts into its block; each value is set only when its
// has-flag is set. Strings are percent-encoded before sending when
// `encode` is set, else sent as they are.
struct SenderRequest {
  int32_t kind;
  int32_t encode;
  int32_t hasPath, hasFirst, hasLast, hasRecord, hasName;
  char path[kSenderTextMax];  // 'csvp'
  ASInt32 first, last;        // 'frrc', 'torc'
  ASInt32 initialComposed;    // 'fnrc' before sending
  ASInt32 record;             // 'vrcr'
  char name[kSenderTextMax];  // 'vrel'
  // Answers.
  int32_t hasComposed;
  ASInt32 composed;  // 'fnrc'
  int32_t hasValue;
  char value[kSenderTextMax];  // 'vrvl', decoded
};
