// The batch sequencer's global record, kept by the host between calls.
#pragma once

#include "ASTypes.h"

struct SequencerGlobals {
  ASInt16 runState;
};
