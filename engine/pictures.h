// Pictures named by picture elements: where the path leads, whether the
// file is a picture (by its content), its size, and where it goes in its
// frame or cell.
#pragma once

#include <string>

#include "ASTypes.h"
#include "scriptmarkup.h"

enum PictureFormat { kNotAPicture, kPng, kJpeg, kGif, kSvg };

// The format `bytes` hold, judged by content alone: PNG, JPEG and GIF by
// their signatures and a readable header, SVG as XML whose root is <svg>.
PictureFormat SniffPicture(const std::string &bytes);
const char *PictureMimeType(PictureFormat format);

// The picture's width and height in its own units (pixels, or the SVG's
// user units), for its proportions; false when the header holds none.
bool PictureSize(const std::string &bytes, PictureFormat format, double *width, double *height);

// What a SRC value names: "file://" taken off; a Windows path (drive letter,
// backslashes) through the platform's drive table; a relative path against
// `folder`. Outside `folder` (through "..", an absolute path elsewhere or a
// symbolic link) is refused unless `anyPath`. On success stores the Linux
// path and returns true; otherwise stores the problem's kind
// (kVardoProblem...) and a detail for a person, and returns false.
bool ResolvePicturePath(const std::string &src, const std::string &folder, bool anyPath,
                        std::string *path, const char **kind, std::string *detail);

// Reads the picture at `path` (at most 256 MiB) into *bytes and its format;
// false with a problem's kind and detail when it is missing, unreadable or
// not a picture.
bool ReadPicture(const std::string &path, std::string *bytes, PictureFormat *format,
                 const char **kind, std::string *detail);

// Where a picture of `width` × `height` goes: fitted proportionally into the
// cell (the cell's WIDTH and HEIGHT from the frame's top left corner where
// they are above 0, the frame's own width and height otherwise) and aligned
// in it by ALIGN and VALIGN. Artwork coordinates.
AIRealRect FitPicture(const AIRealRect &frame, const CellLayout &cell, double width, double height);

// Where art of `w` × `h` goes at its own size in the same cell, aligned by
// ALIGN and VALIGN; it may stick out of a cell smaller than itself.
AIRealRect AlignInCell(const AIRealRect &frame, const CellLayout &cell, double w, double h);
