// The file side of preference files: finding, reading and replacing them.
// Taking the text apart and putting lines together is in preferencetext.cpp.
#include "frame/preferencefile.h"

#include <cstdlib>
#include <cstring>

#include "frame/illustratorfolder.h"

namespace {

// The Prefs folder inside the Illustrator folder, created when missing.
BOOL FindPreferencesFolder(LPSTR folder, size_t size) {
  char illustrator[ILLUSTRATOR_FOLDER_SIZE];
  if (!FindIllustratorFolder(illustrator, sizeof illustrator)) return FALSE;
  size_t length = std::strlen(illustrator);
  static const char prefs[] = "\\Prefs";
  if (length + sizeof prefs > size) return FALSE;
  std::memcpy(folder, illustrator, length);
  std::memcpy(folder + length, prefs, sizeof prefs);
  return TRUE;
}

BOOL JoinPath(LPSTR path, size_t size, LPCSTR folder, LPCSTR name, LPCSTR suffix) {
  size_t folderLength = std::strlen(folder);
  size_t nameLength = std::strlen(name);
  size_t suffixLength = std::strlen(suffix);
  if (folderLength + 1 + nameLength + suffixLength + 1 > size) return FALSE;
  char *p = path;
  std::memcpy(p, folder, folderLength);
  p += folderLength;
  *p++ = '\\';
  std::memcpy(p, name, nameLength);
  p += nameLength;
  std::memcpy(p, suffix, suffixLength + 1);
  return TRUE;
}

// The whole file, NUL-terminated, in memory the caller frees with free();
// NULL when the file cannot be opened or read completely.
char *ReadWholeFile(LPCSTR path, size_t *length) {
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) return NULL;
  char *text = NULL;
  LONG size = _llseek(file, 0, FILE_END);
  if (size != HFILE_ERROR && size >= 0 && _llseek(file, 0, FILE_BEGIN) == 0) {
    text = static_cast<char *>(std::malloc(static_cast<size_t>(size) + 1));
    if (text) {
      UINT read = _lread(file, text, static_cast<UINT>(size));
      if (read == static_cast<UINT>(size)) {
        text[size] = '\0';
        *length = static_cast<size_t>(size);
      } else {
        std::free(text);
        text = NULL;
      }
    }
  }
  _lclose(file);
  return text;
}

}  // namespace

BOOL FindPreferenceFilePath(const PreferenceFile *file, LPSTR path, size_t size) {
  if (size > 0) path[0] = '\0';
  char folder[ILLUSTRATOR_FOLDER_SIZE + 8];
  if (!FindPreferencesFolder(folder, sizeof folder)) return FALSE;
  if (!JoinPath(path, size, folder, file->fileName, "")) {
    if (size > 0) path[0] = '\0';
    return FALSE;
  }
  return TRUE;
}

void ReadPreferences(const PreferenceFile *file, void *record) {
  char folder[ILLUSTRATOR_FOLDER_SIZE + 8];
  char path[MAX_PATH];
  if (!FindPreferencesFolder(folder, sizeof folder)) return;
  if (!JoinPath(path, sizeof path, folder, file->fileName, "")) return;
  CreateDirectoryA(folder, NULL);

  size_t length = 0;
  char *text = ReadWholeFile(path, &length);
  if (!text) return;
  ApplyPreferenceText(file, text, length, record);
  std::free(text);
}

BOOL WritePreferences(const PreferenceFile *file, const void *record) {
  char folder[ILLUSTRATOR_FOLDER_SIZE + 8];
  char path[MAX_PATH];
  if (!FindPreferencesFolder(folder, sizeof folder)) return FALSE;
  if (!JoinPath(path, sizeof path, folder, file->fileName, "")) return FALSE;
  CreateDirectoryA(folder, NULL);

  // The whole text first, then one save, so that no failure on the way can
  // cost the settings already saved. A line is long enough for the longest
  // key with a 255-byte string.
  const size_t kLine = 512;
  char *text = static_cast<char *>(std::malloc(file->keyCount * kLine + 1));
  if (!text) return FALSE;
  size_t used = 0;
  for (size_t i = 0; i < file->keyCount; ++i) {
    size_t length = FormatPreferenceLine(&file->keys[i], record, text + used, kLine);
    if (length == 0) {
      std::free(text);
      return FALSE;
    }
    used += length;
  }
  BOOL saved = SaveWholeFileA(path, text, used);
  std::free(text);
  return saved;
}
