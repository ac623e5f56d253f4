#include "textlayout.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb-ft.h>
#include <hb.h>
#include <unicode/ubrk.h>

#include <algorithm>
#include <map>
#include <memory>

namespace {

// Faces are measured at 1000 pixels per em, unhinted, so advances come out
// in thousandths of an em (times 64, FreeType's fixed point).
constexpr int kPixelsPerEm = 1000;

struct Face {
  FaceMatch match;
  FT_Face ft = nullptr;
  hb_font_t *hb = nullptr;
  double ascent = 0.8, descent = 0.2;  // in em
};

struct Faces {
  FT_Library library = nullptr;
  std::map<std::string, std::unique_ptr<Face>> byFamily;
  ~Faces() {
    for (auto &[family, face] : byFamily) {
      if (face->hb) hb_font_destroy(face->hb);  // releases the FreeType face with it
    }
    if (library) FT_Done_FreeType(library);
    // fontconfig is left as it is: it is the process's, and whatever else
    // draws text in it (librsvg through Pango) may still hold its caches,
    // which FcFini would tear down under it.
  }
};

Faces &AllFaces() {
  static Faces faces;
  return faces;
}

bool IsGeneric(const std::string &family) {
  static const char *const kGeneric[] = {"serif", "sans-serif", "sans",    "monospace",
                                         "mono",  "cursive",    "fantasy", "system-ui"};
  for (const char *generic : kGeneric) {
    if (FcStrCmpIgnoreCase(reinterpret_cast<const FcChar8 *>(generic),
                           reinterpret_cast<const FcChar8 *>(family.c_str())) == 0) {
      return true;
    }
  }
  return false;
}

// fontconfig's best face for `pattern`: its file and index, and whether one
// of its family names is `family`.
FcPattern *Match(FcPattern *pattern) {
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern *match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  return match;
}

bool HasFamily(FcPattern *match, const std::string &family) {
  FcChar8 *name = nullptr;
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8 *>(family.c_str())) == 0)
      return true;
  }
  return false;
}

Face &FaceFor(const std::string &family) {
  Faces &faces = AllFaces();
  auto &slot = faces.byFamily[family];
  if (slot) return *slot;
  slot = std::make_unique<Face>();
  Face &face = *slot;
  if (!faces.library) FT_Init_FreeType(&faces.library);
  FcPattern *pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.c_str()));
  FcPattern *match = Match(pattern);
  face.match.found = match && (IsGeneric(family) || HasFamily(match, family));
  if (match && !face.match.found) {
    // The default face: a Japanese sans-serif, as the set-up installs one.
    FcPatternDestroy(match);
    match = Match(FcNameParse(reinterpret_cast<const FcChar8 *>("sans-serif:lang=ja")));
  }
  FcChar8 *file = nullptr, *name = nullptr;
  int index = 0;
  if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch) {
      face.match.family = face.match.found ? family : reinterpret_cast<const char *>(name);
    }
    if (faces.library &&
        FT_New_Face(faces.library, reinterpret_cast<const char *>(file), index, &face.ft) == 0) {
      FT_Set_Pixel_Sizes(face.ft, kPixelsPerEm, kPixelsPerEm);
      face.hb = hb_ft_font_create_referenced(face.ft);
      hb_ft_font_set_load_flags(face.hb, FT_LOAD_NO_HINTING);
      FT_Done_Face(face.ft);  // the HarfBuzz font holds its own reference
      if (face.ft->units_per_EM > 0 && face.ft->ascender > 0) {
        face.ascent = double(face.ft->ascender) / face.ft->units_per_EM;
        face.descent = -double(face.ft->descender) / face.ft->units_per_EM;
      }
    }
  }
  if (face.match.family.empty()) face.match.family = family;
  if (match) FcPatternDestroy(match);
  return face;
}

// The style of every unit, as an index into `runs`; units no run covers
// take the last run's.
std::vector<size_t> StyleOfUnits(size_t size, const std::vector<LayoutRun> &runs) {
  std::vector<size_t> of(size, runs.empty() ? 0 : runs.size() - 1);
  for (size_t r = 0; r < runs.size(); ++r) {
    for (size_t i = runs[r].start; i < std::min(runs[r].end, size); ++i) of[i] = r;
  }
  return of;
}

bool IsHangingBlank(char16_t unit) { return unit == u' ' || unit == u'\t' || unit == u'\r'; }

}  // namespace

FaceMatch MatchFace(const std::string &family) { return FaceFor(family).match; }

std::vector<double> MeasureUnits(const std::u16string &text, const std::vector<LayoutRun> &runs) {
  std::vector<double> advances(text.size(), 0);
  hb_buffer_t *buffer = hb_buffer_create();
  for (const LayoutRun &run : runs) {
    const size_t end = std::min(run.end, text.size());
    if (run.start >= end) continue;
    const LayoutStyle &s = run.style;
    Face &face = FaceFor(s.face);
    const double em = s.size * s.horizontalScale;
    if (face.hb) {
      hb_buffer_clear_contents(buffer);
      // The whole text is context; only the run is shaped.
      hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t *>(text.data()),
                          static_cast<int>(text.size()), static_cast<unsigned>(run.start),
                          static_cast<int>(end - run.start));
      hb_buffer_guess_segment_properties(buffer);
      hb_shape(face.hb, buffer, nullptr, 0);
      unsigned count = 0;
      const hb_glyph_info_t *info = hb_buffer_get_glyph_infos(buffer, &count);
      const hb_glyph_position_t *position = hb_buffer_get_glyph_positions(buffer, &count);
      for (unsigned g = 0; g < count; ++g) {
        if (info[g].cluster < advances.size()) {
          advances[info[g].cluster] += position[g].x_advance / 64.0 / kPixelsPerEm * em;
        }
      }
    }
    for (size_t i = run.start; i < end; ++i) {
      const bool trail = text[i] >= 0xDC00 && text[i] <= 0xDFFF && i > 0 && text[i - 1] >= 0xD800 &&
                         text[i - 1] <= 0xDBFF;
      if (!trail && text[i] != u'\r') advances[i] += s.tracking / 1000.0 * s.size;
    }
  }
  hb_buffer_destroy(buffer);
  return advances;
}

void LayOutAreaText(const std::u16string &text, const std::vector<LayoutRun> &runs,
                    const AIRealRect &box, AreaLayout *out) {
  *out = AreaLayout{};
  const std::vector<double> advances = MeasureUnits(text, runs);
  const std::vector<size_t> styleOf = StyleOfUnits(text.size(), runs);
  const double width = box.right - box.left;
  const double slack = 1e-6;
  auto lineWidth = [&](size_t from, size_t to) {
    while (to > from && IsHangingBlank(text[to - 1])) --to;
    double w = 0;
    for (size_t i = from; i < to; ++i) w += advances[i];
    return w;
  };

  std::vector<size_t> starts;
  for (size_t paragraph = 0; paragraph <= text.size();) {
    size_t end = text.find(u'\r', paragraph);
    if (end == std::u16string::npos) end = text.size();
    size_t lineStart = paragraph, fit = paragraph;
    starts.push_back(paragraph);
    UErrorCode status = U_ZERO_ERROR;
    UBreakIterator *breaks = ubrk_open(UBRK_LINE, "ja@lb=strict",
                                       reinterpret_cast<const UChar *>(text.data() + paragraph),
                                       static_cast<int32_t>(end - paragraph), &status);
    if (U_SUCCESS(status)) {
      for (int32_t b = ubrk_first(breaks); b != UBRK_DONE; b = ubrk_next(breaks)) {
        const size_t at = paragraph + static_cast<size_t>(b);
        if (at == paragraph) continue;
        if (lineWidth(lineStart, at) <= width + slack) {
          fit = at;
          continue;
        }
        if (fit > lineStart) {
          lineStart = fit;
          starts.push_back(lineStart);
        }
        if (lineWidth(lineStart, at) <= width + slack) {
          fit = at;
          continue;
        }
        // A word wider than the box stands alone on its line, whole.
        out->overflow = true;
        if (at < end) {
          lineStart = fit = at;
          starts.push_back(lineStart);
        }
      }
    }
    ubrk_close(breaks);
    paragraph = end + 1;
  }

  // Baselines from the top of the box down.
  double y = box.top;
  for (size_t k = 0; k < starts.size(); ++k) {
    const size_t from = starts[k];
    size_t to = k + 1 < starts.size() ? starts[k + 1] : text.size();
    double ascent = 0, descent = 0, leading = 0;
    auto take = [&](size_t unit) {
      if (runs.empty()) return;
      const LayoutStyle &s =
          runs[styleOf.empty() ? 0 : styleOf[std::min(unit, styleOf.size() - 1)]].style;
      const Face &face = FaceFor(s.face);
      ascent = std::max(ascent, face.ascent * s.size);
      descent = std::max(descent, face.descent * s.size);
      leading = std::max(leading, s.leading);
    };
    for (size_t i = from; i < to; ++i) {
      if (text[i] != u'\r' || i == from) take(i);
    }
    if (from == to) take(from > 0 ? from - 1 : 0);
    y = k == 0 ? box.top - ascent : y - leading;
    out->lines.push_back({from, box.left, y});
    if (k + 1 == starts.size() && y - descent < box.bottom - slack) out->overflow = true;
  }
}
