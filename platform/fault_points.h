// Internal: where the file operations ask the fault injector of
// <vplatform/faults.h> whether to fail.
#ifndef VARDO_PLATFORM_FAULT_POINTS_H
#define VARDO_PLATFORM_FAULT_POINTS_H

#include <vplatform/faults.h>

#include <cstddef>

namespace vplat::faults {

// Counts one operation of kind op (not DiskFull); true when it must fail.
bool Strike(Op op);

// How many of `want` bytes fit on the disk now; counts them as written.
// Fewer than want means the disk filled up (and the fault has fired).
size_t DiskRoom(size_t want);

}  // namespace vplat::faults

#endif
