#include "compose.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "barcodeplace.h"
#include "fieldlookup.h"
#include "frame/suites.h"
#include "pictures.h"
#include "scriptmarkup.h"
#include "scriptrender.h"
#include "scripttags.h"
#include "textlayout.h"

namespace {

struct FrameJob {
  const EngineSuites &suites;
  int record;
  bool link;
  AIArtHandle frame;

  void Report(const char *kind, const std::string &detail) const {
    // Names and paths come from the data: whatever bytes they hold, the
    // host is given valid UTF-8.
    suites.engine->ReportProblem(record, frame, kind, ValidUtf8(detail).c_str());
  }
};

bool Lookup(void *context, const std::string &name, std::string *value) {
  const FrameJob &job = *static_cast<const FrameJob *>(context);
  return LookUpField(job.suites.actions, job.suites.notifier, job.record, name, value);
}

// The frame's own style, as its text's end has it: what text outside any
// <font> keeps, and what <font> attributes are laid over.
struct BaseStyle {
  ATECharFeaturesRef features = nullptr;  // every feature assigned
  LayoutStyle layout;
};

bool ReadBaseStyle(ATETextRangeRef whole, BaseStyle *base) {
  ATETextRangeRef end = nullptr;
  if (ATE::sTextRange->Clone(whole, &end) != kNoErr) return false;
  ASInt32 last = 0;
  ATE::sTextRange->GetEnd(end, &last);
  ATE::sTextRange->SetStart(end, last);
  const ASErr status = ATE::sTextRange->GetUniqueCharFeatures(end, &base->features);
  ATE::sTextRange->Release(end);
  if (status != kNoErr) return false;
  ASBoolean assigned = 0;
  ATEFontRef font = nullptr;
  AIFontKey key = nullptr;
  char name[256] = "";
  if (ATE::sCharFeatures->GetFont(base->features, &assigned, &font) == kNoErr &&
      sAIFont->FontKeyFromFont(font, &key) == kNoErr &&
      sAIFont->GetFontName(key, name, 255) == kNoErr) {
    base->layout.face = name;
  }
  ATE::sCharFeatures->GetFontSize(base->features, &assigned, &base->layout.size);
  ATE::sCharFeatures->GetLeading(base->features, &assigned, &base->layout.leading);
  ATE::sCharFeatures->GetHorizontalScale(base->features, &assigned, &base->layout.horizontalScale);
  ATE::sCharFeatures->GetTracking(base->features, &assigned, &base->layout.tracking);
  return true;
}

// The features of a <font> run, for the host.
ATECharFeaturesRef FeaturesOf(const FontStyle &style) {
  ATECharFeaturesRef f = nullptr;
  const ATECharFeaturesSuite *s = ATE::sCharFeatures;
  if (s->Initialize(&f) != kNoErr) return nullptr;
  const uint32_t a = style.assigned;
  if (a & kFontFace) s->SetFontName(f, ValidUtf8(style.face).c_str());
  if (a & kFontSize) s->SetFontSize(f, style.size);
  if (a & kFontLeading) {
    s->SetAutoLeading(f, false);
    s->SetLeading(f, style.leading);
  }
  if (a & kFontTracking) s->SetTracking(f, style.tracking);
  if (a & kFontBaselineShift) s->SetBaselineShift(f, style.baselineShift);
  if (a & kFontScale) {
    s->SetHorizontalScale(f, style.horizontalScale);
    s->SetVerticalScale(f, style.verticalScale);
  }
  if (a & kFontFillColor) {
    s->SetFill(f, true);
    s->SetFillColor(f, &style.fill);
  }
  if (a & kFontStrokeColor) {
    s->SetStroke(f, true);
    s->SetStrokeColor(f, &style.stroke);
  }
  if (a & kFontLineWidth) {
    s->SetLineWidth(f, style.lineWidth);
    if (!(a & kFontStrokeColor)) s->SetStroke(f, style.lineWidth > 0);
  }
  return f;
}

void ApplyFeatures(ATETextRangeRef whole, size_t start, size_t end, ATECharFeaturesRef features) {
  ATETextRangeRef range = nullptr;
  if (!features || ATE::sTextRange->Clone(whole, &range) != kNoErr) return;
  ATE::sTextRange->SetEnd(range, static_cast<ASInt32>(end));
  ATE::sTextRange->SetStart(range, static_cast<ASInt32>(start));
  ATE::sTextRange->SetLocalCharFeatures(range, features);
  ATE::sTextRange->Release(range);
}

// Every unit's layout style: the base, with each run's <font> over it.
std::vector<LayoutRun> LayoutRuns(const RenderedScript &r, const LayoutStyle &base) {
  std::vector<LayoutRun> runs;
  size_t at = 0;
  auto plain = [&](size_t until) {
    if (until > at) runs.push_back({at, until, base});
    at = until;
  };
  for (const StyledRun &run : r.runs) {
    plain(run.start);
    LayoutStyle style = base;
    const FontStyle &f = run.style;
    if (f.assigned & kFontFace) style.face = ValidUtf8(f.face);
    if (f.assigned & kFontSize) {
      // Automatic leading follows the size.
      if (!(f.assigned & kFontLeading) && base.size > 0)
        style.leading = base.leading / base.size * f.size;
      style.size = f.size;
    }
    if (f.assigned & kFontLeading) style.leading = f.leading;
    if (f.assigned & kFontScale) style.horizontalScale = f.horizontalScale;
    if (f.assigned & kFontTracking) style.tracking = f.tracking;
    runs.push_back({run.start, run.end, style});
    at = run.end;
  }
  plain(r.text.size());
  return runs;
}

// Faces fontconfig does not have are replaced by the default face, in the
// story as well, so that what viewers show is what was laid out.
void ReplaceMissingFaces(const FrameJob &job, ATETextRangeRef whole, std::vector<LayoutRun> *runs) {
  std::vector<std::string> reported;
  for (LayoutRun &run : *runs) {
    if (run.style.face.empty()) continue;
    const FaceMatch match = MatchFace(run.style.face);
    if (match.found) continue;
    if (std::find(reported.begin(), reported.end(), run.style.face) == reported.end()) {
      reported.push_back(run.style.face);
      job.Report(kVardoProblemFontNotFound, "no face \"" + run.style.face + "\" is installed; \"" +
                                                match.family + "\" is used");
    }
    run.style.face = match.family;
    ATECharFeaturesRef f = nullptr;
    if (ATE::sCharFeatures->Initialize(&f) != kNoErr) continue;
    ATE::sCharFeatures->SetFontName(f, match.family.c_str());
    ApplyFeatures(whole, run.start, run.end, f);
    ATE::sCharFeatures->Release(f);
  }
}

void LayOut(const FrameJob &job, ATETextRangeRef whole, const RenderedScript &r,
            const LayoutStyle &base) {
  std::vector<LayoutRun> runs = LayoutRuns(r, base);
  ReplaceMissingFaces(job, whole, &runs);
  AIRealRect box;
  if (job.suites.engine->GetAreaBox(job.frame, &box) != kNoErr)
    return;  // point text keeps its lines
  AreaLayout layout;
  LayOutAreaText(r.text, runs, box, &layout);
  std::vector<ASInt32> starts;
  std::vector<AIRealPoint> origins;
  for (const TextLine &line : layout.lines) {
    starts.push_back(static_cast<ASInt32>(line.start));
    origins.push_back({line.x, line.y});
  }
  job.suites.engine->SetTextLines(job.frame, starts.data(), origins.data(),
                                  static_cast<ASInt32>(starts.size()));
  if (layout.overflow)
    job.Report(kVardoProblemOverflow, "the text does not fit its box; it is kept whole");
}

std::string AttributeOf(const RenderedElement &element, const char *name) {
  for (const auto &[key, value] : element.attributes) {
    if (key == name) return value;
  }
  return {};
}

void PlaceFramePicture(const FrameJob &job, const RenderedElement &picture) {
  char folder[4096] = "";
  ASBoolean anyPath = false;
  job.suites.engine->GetPictureSettings(folder, sizeof folder, &anyPath);
  std::string path, detail, bytes;
  const char *kind = nullptr;
  PictureFormat format = kNotAPicture;
  if (!ResolvePicturePath(AttributeOf(picture, "SRC"), folder, anyPath, &path, &kind, &detail) ||
      !ReadPicture(path, &bytes, &format, &kind, &detail)) {
    job.Report(kind, detail);
    return;
  }
  double width = 0, height = 0;
  AIRealRect frame{};
  if (job.suites.engine->GetAreaBox(job.frame, &frame) != kNoErr)
    sAIArt->GetArtBounds(job.frame, &frame);
  if (!PictureSize(bytes, format, &width, &height)) {
    width = frame.right - frame.left;
    height = frame.top - frame.bottom;
  }
  const AIRealRect placed = FitPicture(frame, picture.cell, width, height);
  AIArtHandle art = nullptr;
  if (job.link) {
    job.suites.engine->PlacePicture(job.frame, path.c_str(), nullptr, 0, nullptr, &placed, &art);
  } else {
    job.suites.engine->PlacePicture(job.frame, nullptr, bytes.data(), bytes.size(),
                                    PictureMimeType(format), &placed, &art);
  }
}

void ComposeFrame(const FrameJob &job, const char *script) {
  const ScriptTree tree = ParseScript(script, std::strlen(script));
  for (const MarkupProblem &p : tree.problems) {
    job.Report(kVardoProblemMarkup, p.detail + " (at byte " + std::to_string(p.offset) + ")");
  }
  RenderedScript r;
  RenderScript(tree, Lookup, const_cast<FrameJob *>(&job), &r);
  for (const std::string &name : r.unknownFields) {
    job.Report(kVardoProblemUnknownField, "no field \"" + name + "\"; it renders empty");
  }
  for (const std::string &p : r.problems) job.Report(kVardoProblemMarkup, p);

  ATETextRangeRef whole = nullptr;
  if (sAITextFrame->GetATETextRange(job.frame, &whole) != kNoErr) return;
  BaseStyle base;
  if (!ReadBaseStyle(whole, &base)) {
    ATE::sTextRange->Release(whole);
    return;
  }
  // The frame's text goes; a picture or barcode element takes its place.
  ATE::sTextRange->SetStart(whole, 0);
  ATE::sTextRange->Remove(whole);
  if (!r.picture.present && !r.barcode.present) {
    ATE::sTextRange->InsertAfter(whole, reinterpret_cast<const ai_uchar16 *>(r.text.data()),
                                 static_cast<ASInt32>(r.text.size()));
    ApplyFeatures(whole, 0, r.text.size(), base.features);
    for (const StyledRun &run : r.runs) {
      ATECharFeaturesRef f = FeaturesOf(run.style);
      ApplyFeatures(whole, run.start, run.end, f);
      if (f) ATE::sCharFeatures->Release(f);
    }
    LayOut(job, whole, r, base.layout);
  }
  ATE::sCharFeatures->Release(base.features);
  ATE::sTextRange->Release(whole);
  if (r.picture.present) PlaceFramePicture(job, r.picture);
  if (r.barcode.present) {
    for (const BarcodeProblem &p : PlaceBarcode(*job.suites.engine, job.frame, r.barcode))
      job.Report(p.kind, p.detail);
  }
}

bool IsLocked(AIArtHandle art) {
  ASInt32 attributes = 0;
  sAIArt->GetArtUserAttr(art, kArtLocked, &attributes);
  return (attributes & kArtLocked) != 0;
}

}  // namespace

ASErr ComposeSlot(const EngineSuites &suites, int record, ASUInt32 slotLow32, bool link) {
  AIArtHandle slot = nullptr;
  if (suites.engine->FindArtByLow32(slotLow32, &slot) != kNoErr || !slot) return kNoSuchObjectErr;
  // The frames first: composing places new art beside them.
  std::vector<AIArtHandle> frames;
  std::vector<AIArtHandle> pending{slot};
  while (!pending.empty()) {
    AIArtHandle art = pending.back();
    pending.pop_back();
    if (IsLocked(art)) continue;
    ASInt16 type = kUnknownArt;
    sAIArt->GetArtType(art, &type);
    if (type == kTextFrameArt) {
      frames.push_back(art);
    } else if (type == kGroupArt) {
      std::vector<AIArtHandle> children;
      AIArtHandle child = nullptr;
      for (sAIArt->GetArtFirstChild(art, &child); child; sAIArt->GetArtSibling(child, &child)) {
        children.push_back(child);
      }
      pending.insert(pending.end(), children.rbegin(), children.rend());
    }
  }
  for (AIArtHandle frame : frames) {
    char script[SCRIPT_TEXT_SIZE];
    if (ReadFrameScript(frame, script) != kNoErr) continue;
    ComposeFrame(FrameJob{suites, record, link, frame}, script);
  }
  return kNoErr;
}
