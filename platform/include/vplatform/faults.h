// Fault injection for the file operations of <win/fileapi.h>, for tests.
//
// Each kind of operation has its own countdown: Arm(op, n, persistent) lets
// the next n operations of that kind succeed and makes the one after fail;
// a transient fault then disarms itself, a persistent one makes every later
// operation of that kind fail too, until Reset(). The usual test runs one
// body with the fault at the first, second, third ... operation until no
// fault fires, and checks after each run that nothing was lost:
//
//   for (int n = 0;; ++n) {
//     vplat::faults::Reset();
//     vplat::faults::Arm(vplat::faults::Op::Write, n, false);
//     bool ok = SaveSomething();
//     bool fired = vplat::faults::Fired();
//     vplat::faults::Reset();
//     CheckNothingLost(ok);
//     if (!fired) break;
//   }
//
// What a fault does, per kind:
//   Open, Create        _lopen / _lcreat fail, ERROR_ACCESS_DENIED
//   Read                _lread reads and returns only half of what was asked
//                       (rounded down), as at the end of the file; no error
//   Write               _lwrite writes and returns only half of what was
//                       asked (rounded down); last error ERROR_WRITE_FAULT
//   DiskFull            the countdown is in bytes, not calls: after n more
//                       bytes written (by _lwrite or CopyFileA) the disk is
//                       full; the write that crosses the limit writes what
//                       fits and fails with ERROR_DISK_FULL. A transient full
//                       disk has room again afterwards.
//   Delete, Copy, Move, CreateDirectory
//                       DeleteFileA / CopyFileA / MoveFileExA /
//                       CreateDirectoryA fail before touching anything,
//                       ERROR_ACCESS_DENIED
// Faults strike after the arguments and the path were found valid, where the
// system call would be made; a call that fails for its own reasons does not
// count down.
#ifndef VARDO_VPLATFORM_FAULTS_H
#define VARDO_VPLATFORM_FAULTS_H

#include <win/types.h>

namespace vplat::faults {

enum class Op { Open, Create, Read, Write, DiskFull, Delete, Copy, Move, CreateDirectory };

// Arms op's fault after `countdown` successful operations (bytes for
// DiskFull); 0 fails the very next one. A negative countdown disarms op.
// Other kinds keep their state.
VPLAT_API void Arm(Op op, int countdown, bool persistent);

// Disarms every kind and clears Fired().
VPLAT_API void Reset();

// Whether any fault has struck since the last Reset().
VPLAT_API bool Fired();

}  // namespace vplat::faults

#endif
