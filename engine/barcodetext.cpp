#include "barcodetext.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include <hb.h>

#include <map>

namespace {

struct TextFace {
  FT_Face ft = nullptr;
  hb_font_t *hb = nullptr;
};

struct TextFaces {
  FT_Library library = nullptr;
  std::map<std::string, TextFace> byFamily;
  ~TextFaces() {
    for (auto &[family, face] : byFamily) {
      if (face.hb) hb_font_destroy(face.hb);
      if (face.ft) FT_Done_Face(face.ft);
    }
    if (library) FT_Done_FreeType(library);
    // fontconfig is the process's: see the faces of text layout.
  }
};

const TextFace &FaceFor(const std::string &family) {
  static TextFaces faces;
  auto found = faces.byFamily.find(family);
  if (found != faces.byFamily.end()) return found->second;
  TextFace &face = faces.byFamily[family];
  if (!faces.library && FT_Init_FreeType(&faces.library) != 0) return face;
  FcPattern *pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.c_str()));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern *match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  FcChar8 *file = nullptr;
  int index = 0;
  if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    if (FT_New_Face(faces.library, reinterpret_cast<const char *>(file), index, &face.ft) == 0) {
      // HarfBuzz's own font functions, which place glyphs in font units,
      // as FreeType gives the outlines unscaled.
      hb_blob_t *blob = hb_blob_create_from_file(reinterpret_cast<const char *>(file));
      hb_face_t *hbFace = hb_face_create(blob, static_cast<unsigned>(index));
      face.hb = hb_font_create(hbFace);
      hb_face_destroy(hbFace);
      hb_blob_destroy(blob);
    }
  }
  if (match) FcPatternDestroy(match);
  return face;
}

// Decomposition into the outline, from font units at (originX, baseline).
struct Pen {
  Outline *out;
  double scale, originX, baseline;
  bool open = false;
  double lastX = 0, lastY = 0;  // the pen in font units, for conics
  void Point(double fx, double fy) {
    out->points.emplace_back(originX + fx * scale, baseline - fy * scale);
  }
};

int MoveTo(const FT_Vector *to, void *user) {
  Pen &pen = *static_cast<Pen *>(user);
  if (pen.open) pen.out->ops += 'Z';
  pen.out->ops += 'M';
  pen.Point(to->x, to->y);
  pen.open = true;
  pen.lastX = to->x, pen.lastY = to->y;
  return 0;
}

int LineTo(const FT_Vector *to, void *user) {
  Pen &pen = *static_cast<Pen *>(user);
  pen.out->ops += 'L';
  pen.Point(to->x, to->y);
  pen.lastX = to->x, pen.lastY = to->y;
  return 0;
}

int CubicTo(const FT_Vector *c1, const FT_Vector *c2, const FT_Vector *to, void *user) {
  Pen &pen = *static_cast<Pen *>(user);
  pen.out->ops += 'C';
  pen.Point(c1->x, c1->y);
  pen.Point(c2->x, c2->y);
  pen.Point(to->x, to->y);
  pen.lastX = to->x, pen.lastY = to->y;
  return 0;
}

// A quadratic segment as the cubic that draws the same curve.
int ConicTo(const FT_Vector *control, const FT_Vector *to, void *user) {
  Pen &pen = *static_cast<Pen *>(user);
  const FT_Vector c1{static_cast<FT_Pos>(pen.lastX + 2.0 / 3 * (control->x - pen.lastX)),
                     static_cast<FT_Pos>(pen.lastY + 2.0 / 3 * (control->y - pen.lastY))};
  const FT_Vector c2{static_cast<FT_Pos>(to->x + 2.0 / 3 * (control->x - to->x)),
                     static_cast<FT_Pos>(to->y + 2.0 / 3 * (control->y - to->y))};
  return CubicTo(&c1, &c2, to, user);
}

}  // namespace

double OutlineText(const std::string &text, const std::string &family, double size, double x,
                   double baseline, Outline *out) {
  const TextFace &face = FaceFor(family);
  if (!face.hb || text.empty()) return 0;
  const double scale = size / face.ft->units_per_EM;
  hb_buffer_t *buffer = hb_buffer_create();
  hb_buffer_add_utf8(buffer, text.data(), static_cast<int>(text.size()), 0,
                     static_cast<int>(text.size()));
  hb_buffer_guess_segment_properties(buffer);
  hb_shape(face.hb, buffer, nullptr, 0);
  unsigned count = 0;
  const hb_glyph_info_t *glyphs = hb_buffer_get_glyph_infos(buffer, &count);
  const hb_glyph_position_t *positions = hb_buffer_get_glyph_positions(buffer, &count);
  static const FT_Outline_Funcs kFuncs = {MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
  double advance = 0;  // font units
  for (unsigned i = 0; i < count; ++i) {
    if (out &&
        FT_Load_Glyph(face.ft, glyphs[i].codepoint, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) == 0 &&
        face.ft->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
      Pen pen{out, scale, x + (advance + positions[i].x_offset) * scale,
              baseline - positions[i].y_offset * scale};
      FT_Outline_Decompose(&face.ft->glyph->outline, &kFuncs, &pen);
      if (pen.open) out->ops += 'Z';
    }
    advance += positions[i].x_advance;
  }
  hb_buffer_destroy(buffer);
  return advance * scale;
}
