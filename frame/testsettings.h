// Test support: compares two settings records key by key through a key
// table, naming the key that differs.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "frame/preferencefile.h"

inline void ExpectSameSettings(const PreferenceFile *file, const void *got, const void *want) {
  for (size_t i = 0; i < file->keyCount; ++i) {
    const PreferenceKey &key = file->keys[i];
    const char *a = static_cast<const char *>(got) + key.offset;
    const char *b = static_cast<const char *>(want) + key.offset;
    if (key.type == PREFERENCE_STRING) {
      EXPECT_EQ(std::string(a, strnlen(a, key.width)), std::string(b, strnlen(b, key.width)))
          << key.name;
    } else {
      EXPECT_EQ(std::memcmp(a, b, key.width), 0) << key.name;
    }
  }
}
