// Field values asked of the system through the value-lookup notification
// "9475-2407-6658-9330-9846-3586": a parameter block with the record number
// ('vrcr') and the column name ('vrel'), the answer in 'vrvl', both strings
// in the percent form (each byte of 0x80 or above and each '%' as "%hh").
#pragma once

#include <string>

#include "AIActionManager.h"
#include "AINotifier.h"

#define ENGINE_LOOKUP_NOTIFIER "9475-2407-6658-9330-9846-3586"

// Sends the lookup for `name` of `record`. Returns true with the decoded
// value in *value when the system answered, false when it did not (no such
// column, no block to be had, no receiver).
bool LookUpField(const AIActionManagerSuite *actions, const AINotifierSuite *notifier, int record,
                 const std::string &name, std::string *value);

// The percent form of `text`, and back. Decoding takes "%hh" in either
// case; a bad first digit gives '?', a bad second leaves the low bits 0, and
// an escape cut off by the end gives one '?'.
std::string EncodePercent(const std::string &text);
std::string DecodePercent(const std::string &text);
