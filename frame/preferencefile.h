// Preference files: small text files of settings, one "key = value" line per
// setting, kept in the preferences folder below the Illustrator folder.
//
// Each plug-in describes its file with a PreferenceFile: the file name and a
// key table that says, for every key, its type and where in the plug-in's
// settings record the value lives and how wide that setting is. The reader
// and the writer below are the same for every plug-in.
//
// Every operation here is silent: a missing folder, an unreadable file or a
// failed write leaves the settings (or the previous file) as they were and
// shows nothing. Runs on the UI thread only; nothing is cached between calls.
#pragma once

#include <stddef.h>
#include <windows.h>

enum PreferenceType {
  PREFERENCE_INTEGER,  // decimal, written with "%d"; setting is 2 or 4 bytes wide
  PREFERENCE_REAL,     // written with "%g"; setting is a double
  PREFERENCE_STRING,   // written between double quotes, unescaped; setting is
                       // a char array, NUL-terminated within its width
};

struct PreferenceKey {
  const char *name;     // exact, case-sensitive key as it appears in the file
  PreferenceType type;  // how the value is read and written
  size_t offset;        // of the setting within the settings record
  size_t width;         // size of the setting in bytes (a string's capacity
                        // including its NUL)
};

struct PreferenceFile {
  const char *fileName;       // file name within the preferences folder
  const PreferenceKey *keys;  // in writing order
  size_t keyCount;
};

// One key-table row for a field of RECORD whose name is also its key. The
// width comes from the field itself, so table and record cannot disagree.
#define PREFERENCE_SETTING(RECORD, FIELD, TYPE) \
  { #FIELD, TYPE, offsetof(RECORD, FIELD), sizeof(RECORD::FIELD) }

// Longest line the reader keeps, after dropping spaces outside quotes, CR
// and TAB; the rest of a longer line is ignored.
#define PREFERENCE_LINE_MAX 255

// Builds "<Illustrator folder>\Prefs\<fileName>" into path (size bytes).
// Creates the Illustrator folder's directories on the way (see
// illustratorfolder.h) but not the Prefs folder itself. Returns FALSE, with
// path empty when size allows, if the shell names no Documents folder or
// the result does not fit.
BOOL FindPreferenceFilePath(const PreferenceFile *file, LPSTR path, size_t size);

// Updates record from the file's text. Keys not in the file, keys not in the
// table and a missing or unreadable file leave their settings unchanged. Does
// nothing at all when there is no Documents folder.
void ReadPreferences(const PreferenceFile *file, void *record);

// Replaces the file with one line per key of the table, in table order,
// through SaveWholeFileA: a failed write leaves the previous file as it was,
// and a reader sees the old file or the new one. Returns whether the file
// was replaced; callers are free to ignore it.
BOOL WritePreferences(const PreferenceFile *file, const void *record);

// The reader's parsing step: applies the lines of text (length bytes, or up
// to its first NUL byte) to record.
void ApplyPreferenceText(const PreferenceFile *file, const char *text, size_t length, void *record);

// The writer's formatting step: the line for key (with its CR LF) into line
// (size bytes, NUL-terminated). Returns the line's length, or 0 if it does
// not fit.
size_t FormatPreferenceLine(const PreferenceKey *key, const void *record, LPSTR line, size_t size);
