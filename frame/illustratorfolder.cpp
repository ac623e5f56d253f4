#include "frame/illustratorfolder.h"

#include <shlobj.h>

#include <cstring>

namespace {

// The Documents folder as an 8-bit path into path (MAX_PATH bytes); FALSE
// when the shell cannot name one.
BOOL GetDocumentsFolder(LPSTR path) {
  path[0] = '\0';
  IMalloc *shellMalloc = NULL;
  if (FAILED(SHGetMalloc(&shellMalloc)) || !shellMalloc) return FALSE;
  LPITEMIDLIST list = NULL;
  BOOL found = FALSE;
  if (SUCCEEDED(SHGetSpecialFolderLocation(NULL, CSIDL_PERSONAL, &list)) && list) {
    found = SHGetPathFromIDListA(list, path) && path[0] != '\0';
    shellMalloc->Free(list);
  }
  shellMalloc->Release();
  if (!found) path[0] = '\0';
  return found;
}

}  // namespace

BOOL FindIllustratorFolder(LPSTR folder, size_t size) {
  if (size > 0) folder[0] = '\0';
  if (size < ILLUSTRATOR_FOLDER_SIZE) return FALSE;

  // Room for the longest shell path and both names appended.
  char path[MAX_PATH + 32];
  if (!GetDocumentsFolder(path)) return FALSE;
  size_t length = std::strlen(path);
  if (length > 0 && path[length - 1] == '\\') path[--length] = '\0';

  // An existing directory makes CreateDirectoryA fail; that is the usual case.
  std::strcat(path, "\\Adobe");
  CreateDirectoryA(path, NULL);
  std::strcat(path, "\\Illustrator");
  CreateDirectoryA(path, NULL);

  length = strnlen(path, ILLUSTRATOR_FOLDER_MAX);
  std::memcpy(folder, path, length);
  folder[length] = '\0';
  return TRUE;
}
