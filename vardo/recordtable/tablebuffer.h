// Memory for the record table's large buffers: the bytes read from a file,
// the converted text and the line index.
//
// Loading a table of tens of megabytes spends most of its time faulting in
// the fresh pages of these few buffers, 4 KB at a time. A buffer of at
// least TABLE_BUFFER_MAPPED bytes is therefore mapped on its own, aligned
// to 2 MB and marked for transparent huge pages, so the kernel fills it
// 2 MB at a time where it can; a smaller one comes from malloc. Either way
// a buffer is released only with FreeTableBuffer.
#pragma once

#include <stddef.h>

#define TABLE_BUFFER_MAPPED (2u << 20)

// A buffer of `bytes` bytes, aligned for any type; NULL when memory runs
// out.
void *AllocateTableBuffer(size_t bytes);

// Resizes `buffer` (NULL: allocates) to `bytes`, keeping what it held up to
// the smaller size, as realloc does; the result may lie elsewhere. NULL when
// memory runs out, and `buffer` is then left as it was.
void *ResizeTableBuffer(void *buffer, size_t bytes);

// Releases a buffer of the above; NULL is allowed.
void FreeTableBuffer(void *buffer);
