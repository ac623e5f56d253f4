// Helpers shared by the record table's tests.
#pragma once

#include <stdlib.h>

#include <string>
#include <vector>

#include "vardo/recordtable/recordtable.h"
#include "vardo/recordtable/recordtable_reference.h"

using Records = std::vector<std::vector<std::string>>;

// Takes a string returned by the table and frees it; "<none>" for NULL, a
// value that no test text produces.
inline std::string Take(LPSTR value) {
  if (!value) return "<none>";
  std::string copy(value);
  free(value);
  return copy;
}

// Every record of the table, each with its fields up to the first that
// does not exist, read as the data panel reads them.
inline Records ReadTable() {
  Records records;
  for (LONG r = 0, n = CountRecords(); r < n; ++r) {
    std::vector<std::string> fields;
    for (LONG c = 0;; ++c) {
      LPSTR value = GetField(r, c);
      if (!value) break;
      fields.push_back(Take(value));
    }
    records.push_back(fields);
  }
  return records;
}

// The same through the rescanning reference.
inline Records ReadReference(const std::string &text) {
  Records records;
  for (long r = 0, n = reference::CountRecords(text); r < n; ++r) {
    std::vector<std::string> fields;
    for (long c = 0;; ++c) {
      auto value = reference::GetField(text, r, c);
      if (!value) break;
      fields.push_back(*value);
    }
    records.push_back(fields);
  }
  return records;
}

inline std::string TableText() {
  size_t length = 0;
  LPCSTR text = GetRecordTableText(&length);
  return text ? std::string(text, length) : std::string("<absent>");
}
