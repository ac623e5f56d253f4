#include "vardo/recordtable/tablebuffer.h"

#include <gtest/gtest.h>

#include <stdint.h>
#include <string.h>

namespace {

const size_t kSmall = 1000;
const size_t kLarge = TABLE_BUFFER_MAPPED + 12345;

void Fill(void *buffer, size_t bytes) {
  unsigned char *b = static_cast<unsigned char *>(buffer);
  for (size_t i = 0; i < bytes; ++i) b[i] = static_cast<unsigned char>(i * 7 + 3);
}

// The first `bytes` bytes are what Fill wrote.
bool Holds(const void *buffer, size_t bytes) {
  const unsigned char *b = static_cast<const unsigned char *>(buffer);
  for (size_t i = 0; i < bytes; ++i)
    if (b[i] != static_cast<unsigned char>(i * 7 + 3)) return false;
  return true;
}

TEST(TableBuffer, HoldsWhatIsWrittenOnBothSidesOfTheThreshold) {
  for (size_t bytes : {size_t(0), size_t(1), kSmall, size_t(TABLE_BUFFER_MAPPED), kLarge}) {
    SCOPED_TRACE(bytes);
    void *buffer = AllocateTableBuffer(bytes);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(buffer) % 16, 0u);
    Fill(buffer, bytes);
    EXPECT_TRUE(Holds(buffer, bytes));
    FreeTableBuffer(buffer);
  }
  FreeTableBuffer(nullptr);
}

TEST(TableBuffer, ResizingKeepsTheContentsUpToTheSmallerSize) {
  const struct {
    const char *name;
    size_t from, to;
  } cases[] = {
      {"small grows small", kSmall, 2 * kSmall},
      {"small grows past the threshold", kSmall, kLarge},
      {"mapped grows", kLarge, 3 * kLarge},
      {"mapped shrinks but stays large", 3 * kLarge, kLarge},
      {"mapped shrinks below the threshold", kLarge, kSmall},
      {"mapped shrinks to a byte", kLarge, 1},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    void *buffer = AllocateTableBuffer(c.from);
    ASSERT_NE(buffer, nullptr);
    Fill(buffer, c.from);
    void *resized = ResizeTableBuffer(buffer, c.to);
    ASSERT_NE(resized, nullptr);
    size_t kept = c.from < c.to ? c.from : c.to;
    EXPECT_TRUE(Holds(resized, kept));
    // All of the new size can be written.
    memset(resized, 0x5A, c.to);
    FreeTableBuffer(resized);
  }
  void *fresh = ResizeTableBuffer(nullptr, kLarge);
  ASSERT_NE(fresh, nullptr);
  FreeTableBuffer(fresh);
}

TEST(TableBuffer, SizesNoMachineHasAreRefused) {
  EXPECT_EQ(AllocateTableBuffer(SIZE_MAX), nullptr);
  EXPECT_EQ(AllocateTableBuffer(SIZE_MAX - 8), nullptr);
  void *buffer = AllocateTableBuffer(kLarge);
  ASSERT_NE(buffer, nullptr);
  Fill(buffer, kLarge);
  EXPECT_EQ(ResizeTableBuffer(buffer, SIZE_MAX - 8), nullptr);
  EXPECT_TRUE(Holds(buffer, kLarge));  // left as it was
  FreeTableBuffer(buffer);
}

}  // namespace
