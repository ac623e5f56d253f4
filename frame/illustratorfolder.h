// The Illustrator folder: the user's Documents folder followed by "\Adobe"
// and "\Illustrator". Preference files lie in its "\Prefs" subfolder; the
// batch sequencer keeps its template and output folders below it.
#pragma once

#include <stddef.h>
#include <windows.h>

// Longest Illustrator folder path, in bytes, without its NUL.
#define ILLUSTRATOR_FOLDER_MAX 200
#define ILLUSTRATOR_FOLDER_SIZE (ILLUSTRATOR_FOLDER_MAX + 1)

// Asks the shell for the Documents folder, creates "\Adobe" and
// "\Illustrator" below it (an existing directory is fine) and stores the
// resulting path, without a trailing backslash and cut to its first
// ILLUSTRATOR_FOLDER_MAX bytes, into folder (size bytes, at least
// ILLUSTRATOR_FOLDER_SIZE). Looked up anew on every call.
// Returns FALSE, with folder empty when size allows, if the shell names no
// Documents folder or size is too small; nothing is created then.
BOOL FindIllustratorFolder(LPSTR folder, size_t size);
