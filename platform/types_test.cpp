#include <windows.h>

#include <gtest/gtest.h>

// The plug-in code is written for 64-bit Windows; these widths are what its
// record layouts and conversions rely on.
TEST(Win32Types, HaveTheWidthsOf64BitWindows) {
  EXPECT_EQ(sizeof(LONG), 4u);
  EXPECT_EQ(sizeof(DWORD), 4u);
  EXPECT_EQ(sizeof(WCHAR), 2u);
  EXPECT_EQ(sizeof(LPARAM), 8u);
  EXPECT_EQ(sizeof(WPARAM), 8u);
  EXPECT_EQ(sizeof(RECT), 16u);
  EXPECT_EQ(LOWORD(0x12345678), 0x5678);
  EXPECT_EQ(HIWORD(0x12345678), 0x1234);
  EXPECT_EQ(GET_X_LPARAM(MAKELPARAM(-3, 7)), -3);
}

TEST(Win32Types, LastErrorIsKeptPerCall) {
  SetLastError(ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
}
