// Saving a file whole, for the host and the command-line program, whose
// paths are Linux paths. The plug-ins reach the same code through
// SaveWholeFileA of <win/fileapi.h>. Every step goes through the system-call
// table and the fault injector, as the 8-bit file calls do.
#ifndef VARDO_VPLATFORM_SAVEFILE_H
#define VARDO_VPLATFORM_SAVEFILE_H

#include <win/types.h>

#include <cstddef>
#include <string>

namespace vplat {

// Makes size bytes at data the whole content of the file at linuxPath: they
// are written to a new file of a short hidden name (".vardo-" and eight
// characters) in the target's folder, created exclusively, synced to disk,
// given the old file's owner and mode, and renamed over the target, whose
// folder is synced then. A symbolic link is followed to the file it names
// (which is created when missing); the link stays. Two saves at once never
// mix their bytes: a reader sees the old file or one of the new ones, and
// the last rename wins (the other update is lost).
// Returns 0, or the errno of the step that failed: then the target is as it
// was and the temporary file is gone, except after a failed sync of the
// folder, which comes after the rename (the target is then the new file).
// Refused before anything is written: a directory (EISDIR), anything else
// that is not a regular file (ENOTSUP), a read-only file, whose owner's
// write bit is clear (EACCES), an owner the process cannot give the new file
// (EPERM).
VPLAT_API int SaveFile(const std::string &linuxPath, const void *data, size_t size);

}  // namespace vplat

#endif
