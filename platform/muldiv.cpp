#include <windows.h>

#include <climits>
#include <cstdint>

extern "C" int WINAPI MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  int64_t product = static_cast<int64_t>(number) * numerator;
  bool negative = (product < 0) != (denominator < 0);
  uint64_t p = product < 0 ? static_cast<uint64_t>(-product) : static_cast<uint64_t>(product);
  uint64_t d = denominator < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(denominator))
                               : static_cast<uint64_t>(denominator);
  // Half away from zero.
  uint64_t q = (p + d / 2) / d;
  if (negative) {
    if (q > static_cast<uint64_t>(INT_MAX) + 1) return -1;
    return static_cast<int>(-static_cast<int64_t>(q));
  }
  if (q > static_cast<uint64_t>(INT_MAX)) return -1;
  return static_cast<int>(q);
}
