// Transparent huge pages for the program's big allocations.
#pragma once

namespace vardo::cli {

// A table of tens of megabytes lives in a few large allocations, and most of
// the time spent loading one went into faulting in their 4 KB pages one by
// one. glibc's malloc asks the kernel for 2 MB pages when its tunable
// glibc.malloc.hugetlb is 1, but it reads tunables only as the process
// starts; so, unless GLIBC_TUNABLES already says anything about hugetlb (a
// caller's choice is kept), this sets it and starts the program once more
// with the same arguments. Returns only when that is not needed or the
// restart failed, in which case the program simply runs with small pages.
void RestartWithHugePages(char **argv);

}  // namespace vardo::cli
