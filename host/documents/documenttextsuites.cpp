// "AI Text Frame Suite", "ATE TextRange Suite", "ATE CharFeatures Suite",
// "AI Font Suite", "AI Custom Color Suite" and "AIATE Paint Suite": the text
// of frames, its features, fonts and colours.
//
// Ranges and feature sets are reference-counted objects; every one handed
// out is tracked, so a stale or doubly released ref is refused rather than
// followed. A range watches its story: once its frame is gone, every call
// but AddRef and Release fails.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <unordered_set>

#include "AIATEPaint.h"
#include "AICustomColor.h"
#include "AIFont.h"
#include "AITextFrame.h"
#include "ATESuites.h"
#include "documenthandles.h"
#include "documentlist.h"
#include "documentsuites.h"

namespace vhost {

namespace {

struct TextRange {
  std::weak_ptr<TextStory> story;
  ASInt32 start = 0, end = 0;
  int references = 1;
};

// A paint stays what it was when its feature set was made: a document's
// colours may go while the set lives.
struct Paint {
  AIColor color;
};

struct FeatureSet {
  CharFeaturesSet set;
  Paint fill, stroke;
};

struct Font {
  std::string name;
};

std::unordered_set<TextRange *> &Ranges() {
  static std::unordered_set<TextRange *> ranges;
  return ranges;
}

std::unordered_set<FeatureSet *> &FeatureSets() {
  static std::unordered_set<FeatureSet *> sets;
  return sets;
}

// Fonts are the same object for the same name, for the life of the process.
std::map<std::string, std::unique_ptr<Font>> &Fonts() {
  static std::map<std::string, std::unique_ptr<Font>> fonts;
  return fonts;
}

Font *FontNamed(const std::string &name) {
  auto &slot = Fonts()[name];
  if (!slot) slot = std::make_unique<Font>(Font{name});
  return slot.get();
}

const Font *FontOf(const void *ref) {
  for (const auto &[name, font] : Fonts()) {
    if (font.get() == ref) return font.get();
  }
  return nullptr;
}

TextRange *RangeOf(ATETextRangeRef ref) {
  auto *range = reinterpret_cast<TextRange *>(ref);
  return Ranges().count(range) ? range : nullptr;
}

FeatureSet *SetOf(ATECharFeaturesRef ref) {
  auto *set = reinterpret_cast<FeatureSet *>(ref);
  return FeatureSets().count(set) ? set : nullptr;
}

const Paint *PaintOf(ATEApplicationPaintRef ref) {
  for (FeatureSet *set : FeatureSets()) {
    if (reinterpret_cast<ATEApplicationPaintRef>(&set->fill) == ref) return &set->fill;
    if (reinterpret_cast<ATEApplicationPaintRef>(&set->stroke) == ref) return &set->stroke;
  }
  return nullptr;
}

ATETextRangeRef NewRange(std::weak_ptr<TextStory> story, ASInt32 start, ASInt32 end) {
  auto *range = new TextRange{std::move(story), start, end, 1};
  Ranges().insert(range);
  return reinterpret_cast<ATETextRangeRef>(range);
}

// The range's story and its bounds clamped to it; null once the frame went.
std::shared_ptr<TextStory> Live(TextRange *range) {
  std::shared_ptr<TextStory> story = range->story.lock();
  if (!story) return nullptr;
  const ASInt32 size = static_cast<ASInt32>(story->Size());
  range->end = std::clamp(range->end, 0, size);
  range->start = std::clamp(range->start, 0, range->end);
  return story;
}

// ---- Text frames ----------------------------------------------------------

ASErr GetATETextRange(AIArtHandle frame, ATETextRangeRef *range) {
  if (!range) return kBadParameterErr;
  *range = nullptr;
  Art *art = static_cast<Art *>(LookUpHandle(HandleKind::kArt, frame));
  if (!art || !art->Story()) return kBadParameterErr;
  *range = NewRange(art->SharedStory(), 0, static_cast<ASInt32>(art->Story()->Size()));
  return kNoErr;
}

const AITextFrameSuite kTextFrameSuite = {GetATETextRange};

// ---- Text ranges ----------------------------------------------------------

ASErr AddRef(ATETextRangeRef ref) {
  TextRange *range = RangeOf(ref);
  if (!range) return kATEBadParameterErr;
  ++range->references;
  return kNoErr;
}

ASErr Release(ATETextRangeRef ref) {
  TextRange *range = RangeOf(ref);
  if (!range) return kATEBadParameterErr;
  if (--range->references == 0) {
    Ranges().erase(range);
    delete range;
  }
  return kNoErr;
}

ASErr Clone(ATETextRangeRef ref, ATETextRangeRef *copy) {
  TextRange *range = RangeOf(ref);
  if (!copy) return kATEBadParameterErr;
  *copy = nullptr;
  if (!range || !Live(range)) return kATEBadParameterErr;
  *copy = NewRange(range->story, range->start, range->end);
  return kNoErr;
}

ASErr GetStart(ATETextRangeRef ref, ASInt32 *start) {
  TextRange *range = RangeOf(ref);
  if (!range || !start || !Live(range)) return kATEBadParameterErr;
  *start = range->start;
  return kNoErr;
}

ASErr GetEnd(ATETextRangeRef ref, ASInt32 *end) {
  TextRange *range = RangeOf(ref);
  if (!range || !end || !Live(range)) return kATEBadParameterErr;
  *end = range->end;
  return kNoErr;
}

ASErr SetStart(ATETextRangeRef ref, ASInt32 start) {
  TextRange *range = RangeOf(ref);
  std::shared_ptr<TextStory> story = range ? Live(range) : nullptr;
  if (!story) return kATEBadParameterErr;
  range->start = std::clamp(start, 0, static_cast<ASInt32>(story->Size()));
  range->end = std::max(range->end, range->start);
  return kNoErr;
}

ASErr SetEnd(ATETextRangeRef ref, ASInt32 end) {
  TextRange *range = RangeOf(ref);
  std::shared_ptr<TextStory> story = range ? Live(range) : nullptr;
  if (!story) return kATEBadParameterErr;
  range->end = std::clamp(end, 0, static_cast<ASInt32>(story->Size()));
  range->start = std::min(range->start, range->end);
  return kNoErr;
}

ASErr GetContents(ATETextRangeRef ref, ai_uchar16 *buffer, ASInt32 capacity, ASInt32 *length) {
  TextRange *range = RangeOf(ref);
  std::shared_ptr<TextStory> story = range ? Live(range) : nullptr;
  if (!story || !buffer || capacity < 1) return kATEBadParameterErr;
  const ASInt32 count = std::min(range->end - range->start, capacity - 1);
  std::copy_n(story->Text().begin() + range->start, count, buffer);
  buffer[count] = 0;
  if (length) *length = count;
  return kNoErr;
}

ASErr GetUniqueCharFeatures(ATETextRangeRef ref, ATECharFeaturesRef *features) {
  if (!features) return kATEBadParameterErr;
  *features = nullptr;
  TextRange *range = RangeOf(ref);
  std::shared_ptr<TextStory> story = range ? Live(range) : nullptr;
  if (!story) return kATEBadParameterErr;
  auto *set = new FeatureSet;
  set->set = story->UniqueFeatures(range->start, range->end);
  set->fill.color = set->set.values.fillColor.ToAIColor();
  set->stroke.color = set->set.values.strokeColor.ToAIColor();
  FeatureSets().insert(set);
  *features = reinterpret_cast<ATECharFeaturesRef>(set);
  return kNoErr;
}

ASErr Remove(ATETextRangeRef ref) {
  TextRange *range = RangeOf(ref);
  std::shared_ptr<TextStory> story = range ? Live(range) : nullptr;
  if (!story) return kATEBadParameterErr;
  if (range->start < range->end) {
    story->Replace(range->start, range->end, u"", story->FeaturesAt(range->start));
  }
  range->end = range->start;
  return kNoErr;
}

ASErr InsertAfter(ATETextRangeRef ref, const ai_uchar16 *text, ASInt32 length) {
  TextRange *range = RangeOf(ref);
  std::shared_ptr<TextStory> story = range ? Live(range) : nullptr;
  if (!story || length < 0 || (length > 0 && !text)) return kATEBadParameterErr;
  if (length == 0) return kNoErr;
  const CharFeatures features =
      range->end > 0 ? story->FeaturesAt(range->end - 1) : story->FeaturesForCaret(0);
  story->Replace(range->end, range->end, std::u16string(text, length), features);
  range->end += length;
  return kNoErr;
}

ASErr SetLocalCharFeatures(ATETextRangeRef ref, ATECharFeaturesRef featuresRef) {
  TextRange *range = RangeOf(ref);
  std::shared_ptr<TextStory> story = range ? Live(range) : nullptr;
  FeatureSet *set = SetOf(featuresRef);
  if (!story || !set) return kATEBadParameterErr;
  // Unit by unit through the runs, so that what is not assigned stays.
  const CharFeaturesSet &apply = set->set;
  for (ASInt32 at = range->start; at < range->end;) {
    ASInt32 runEnd = at + 1;
    const CharFeatures here = story->FeaturesAt(at);
    while (runEnd < range->end && story->FeaturesAt(runEnd) == here) ++runEnd;
    CharFeatures f = here;
    const CharFeatures &v = apply.values;
    const uint32_t a = apply.assigned;
    if (a & kFeatureFont) f.font = v.font;
    if (a & kFeatureSize) f.size = v.size;
    if (a & kFeatureAutoLeading) f.autoLeading = v.autoLeading;
    if (a & kFeatureLeading) f.leading = v.leading;
    if (a & kFeatureTracking) f.tracking = v.tracking;
    if (a & kFeatureBaselineShift) f.baselineShift = v.baselineShift;
    if (a & kFeatureHorizontalScale) f.horizontalScale = v.horizontalScale;
    if (a & kFeatureVerticalScale) f.verticalScale = v.verticalScale;
    if (a & kFeatureFill) f.fill = v.fill;
    if (a & kFeatureFillColor) f.fillColor = v.fillColor;
    if (a & kFeatureStroke) f.stroke = v.stroke;
    if (a & kFeatureStrokeColor) f.strokeColor = v.strokeColor;
    if (a & kFeatureLineWidth) f.lineWidth = v.lineWidth;
    if (!(f == here)) story->SetFeatures(at, runEnd, f);
    at = runEnd;
  }
  return kNoErr;
}

const ATETextRangeSuite kTextRangeTable = {AddRef,   Release,     Clone,
                                           GetStart, GetEnd,      SetStart,
                                           SetEnd,   GetContents, GetUniqueCharFeatures,
                                           Remove,   InsertAfter, SetLocalCharFeatures};

// ---- Character features ---------------------------------------------------

ASErr ReleaseFeatures(ATECharFeaturesRef ref) {
  FeatureSet *set = SetOf(ref);
  if (!set) return kATEBadParameterErr;
  FeatureSets().erase(set);
  delete set;
  return kNoErr;
}

// Every getter: the assigned bit of its feature and the value.
template <typename T, uint32_t bit, T (*value)(FeatureSet &)>
ASErr Get(ATECharFeaturesRef ref, ASBoolean *isAssigned, T *out) {
  FeatureSet *set = SetOf(ref);
  if (!set || !isAssigned || !out) return kATEBadParameterErr;
  *isAssigned = (set->set.assigned & bit) != 0;
  *out = value(*set);
  return kNoErr;
}

const CharFeatures &V(FeatureSet &s) { return s.set.values; }
ATEFontRef FontValue(FeatureSet &s) { return reinterpret_cast<ATEFontRef>(FontNamed(V(s).font)); }
AIReal SizeValue(FeatureSet &s) { return V(s).size; }
AIReal HorizontalScaleValue(FeatureSet &s) { return V(s).horizontalScale; }
AIReal VerticalScaleValue(FeatureSet &s) { return V(s).verticalScale; }
ASBoolean AutoLeadingValue(FeatureSet &s) { return V(s).autoLeading; }
AIReal LeadingValue(FeatureSet &s) { return V(s).EffectiveLeading(); }
ASInt32 TrackingValue(FeatureSet &s) { return V(s).tracking; }
AIReal BaselineShiftValue(FeatureSet &s) { return V(s).baselineShift; }
ASBoolean FillValue(FeatureSet &s) { return V(s).fill; }
ATEApplicationPaintRef FillColorValue(FeatureSet &s) {
  return reinterpret_cast<ATEApplicationPaintRef>(&s.fill);
}
ASBoolean StrokeValue(FeatureSet &s) { return V(s).stroke; }
ATEApplicationPaintRef StrokeColorValue(FeatureSet &s) {
  return reinterpret_cast<ATEApplicationPaintRef>(&s.stroke);
}
AIReal LineWidthValue(FeatureSet &s) { return V(s).lineWidth; }

ASErr Initialize(ATECharFeaturesRef *features) {
  if (!features) return kATEBadParameterErr;
  auto *set = new FeatureSet;
  FeatureSets().insert(set);
  *features = reinterpret_cast<ATECharFeaturesRef>(set);
  return kNoErr;
}

// A colour as the host hands it in; a custom colour must be a live one.
bool ColorFrom(const AIColor *in, Color *out) {
  if (!in) return false;
  switch (in->kind) {
    case kGrayColor: *out = Color::Gray(in->c.g.gray); return true;
    case kFourColor:
      *out = Color::Cmyk(in->c.f.cyan, in->c.f.magenta, in->c.f.yellow, in->c.f.black);
      return true;
    case kThreeColor:
      *out = Color::Rgb(in->c.rgb.red, in->c.rgb.green, in->c.rgb.blue);
      return true;
    case kCustomColor: {
      auto *custom =
          static_cast<CustomColor *>(LookUpHandle(HandleKind::kCustomColor, in->c.c.color));
      if (!custom) return false;
      *out = Color::Custom(custom, in->c.c.tint);
      return true;
    }
    default: return false;
  }
}

// Every setter: the value into the set and its bit assigned.
template <typename T, uint32_t bit, void (*store)(CharFeatures &, T)>
ASErr Set(ATECharFeaturesRef ref, T value) {
  FeatureSet *set = SetOf(ref);
  if (!set) return kATEBadParameterErr;
  store(set->set.values, value);
  set->set.assigned |= bit;
  return kNoErr;
}

template <uint32_t bit, Color CharFeatures::*member>
ASErr SetColor(ATECharFeaturesRef ref, const AIColor *color) {
  FeatureSet *set = SetOf(ref);
  Color value;
  if (!set || !ColorFrom(color, &value)) return kATEBadParameterErr;
  set->set.values.*member = value;
  set->set.assigned |= bit;
  return kNoErr;
}

ASErr SetFontName(ATECharFeaturesRef ref, const char *name) {
  FeatureSet *set = SetOf(ref);
  if (!set || !name || !*name) return kATEBadParameterErr;
  set->set.values.font = name;
  set->set.assigned |= kFeatureFont;
  return kNoErr;
}

void StoreSize(CharFeatures &f, AIReal v) { f.size = v; }
void StoreHorizontalScale(CharFeatures &f, AIReal v) { f.horizontalScale = v; }
void StoreVerticalScale(CharFeatures &f, AIReal v) { f.verticalScale = v; }
void StoreAutoLeading(CharFeatures &f, ASBoolean v) { f.autoLeading = v != 0; }
void StoreLeading(CharFeatures &f, AIReal v) { f.leading = v; }
void StoreTracking(CharFeatures &f, ASInt32 v) { f.tracking = v; }
void StoreBaselineShift(CharFeatures &f, AIReal v) { f.baselineShift = v; }
void StoreFill(CharFeatures &f, ASBoolean v) { f.fill = v != 0; }
void StoreStroke(CharFeatures &f, ASBoolean v) { f.stroke = v != 0; }
void StoreLineWidth(CharFeatures &f, AIReal v) { f.lineWidth = v; }

const ATECharFeaturesSuite kCharFeaturesTable = {
    ReleaseFeatures,
    Get<ATEFontRef, kFeatureFont, FontValue>,
    Get<AIReal, kFeatureSize, SizeValue>,
    Get<AIReal, kFeatureHorizontalScale, HorizontalScaleValue>,
    Get<AIReal, kFeatureVerticalScale, VerticalScaleValue>,
    Get<ASBoolean, kFeatureAutoLeading, AutoLeadingValue>,
    Get<AIReal, kFeatureLeading, LeadingValue>,
    Get<ASInt32, kFeatureTracking, TrackingValue>,
    Get<AIReal, kFeatureBaselineShift, BaselineShiftValue>,
    Get<ASBoolean, kFeatureFill, FillValue>,
    Get<ATEApplicationPaintRef, kFeatureFillColor, FillColorValue>,
    Get<ASBoolean, kFeatureStroke, StrokeValue>,
    Get<ATEApplicationPaintRef, kFeatureStrokeColor, StrokeColorValue>,
    Get<AIReal, kFeatureLineWidth, LineWidthValue>,
    Initialize,
    SetFontName,
    Set<AIReal, kFeatureSize, StoreSize>,
    Set<AIReal, kFeatureHorizontalScale, StoreHorizontalScale>,
    Set<AIReal, kFeatureVerticalScale, StoreVerticalScale>,
    Set<ASBoolean, kFeatureAutoLeading, StoreAutoLeading>,
    Set<AIReal, kFeatureLeading, StoreLeading>,
    Set<ASInt32, kFeatureTracking, StoreTracking>,
    Set<AIReal, kFeatureBaselineShift, StoreBaselineShift>,
    Set<ASBoolean, kFeatureFill, StoreFill>,
    SetColor<kFeatureFillColor, &CharFeatures::fillColor>,
    Set<ASBoolean, kFeatureStroke, StoreStroke>,
    SetColor<kFeatureStrokeColor, &CharFeatures::strokeColor>,
    Set<AIReal, kFeatureLineWidth, StoreLineWidth>,
};

// ---- Fonts, custom colours, paints -----------------------------------------

ASErr FontKeyFromFont(ATEFontRef font, AIFontKey *key) {
  if (!key) return kBadParameterErr;
  *key = nullptr;
  if (!FontOf(font)) return kBadParameterErr;
  *key = reinterpret_cast<AIFontKey>(font);  // one object serves as both
  return kNoErr;
}

ASErr GetFontName(AIFontKey key, char *name, ASInt16 maxName) {
  const Font *font = FontOf(key);
  if (!font || !name || maxName < 0) return kBadParameterErr;
  const size_t count = std::min(font->name.size(), static_cast<size_t>(maxName));
  std::memcpy(name, font->name.data(), count);
  name[count] = '\0';
  return kNoErr;
}

const AIFontSuite kFontSuite = {FontKeyFromFont, GetFontName};

CustomColor *CustomColorOf(AICustomColorHandle handle) {
  return static_cast<CustomColor *>(LookUpHandle(HandleKind::kCustomColor, handle));
}

ASErr GetCustomColor(AICustomColorHandle handle, AICustomColor *definition) {
  CustomColor *color = CustomColorOf(handle);
  if (!color || !definition) return kBadParameterErr;
  *definition = AICustomColor{};
  if (color->kind == CustomColor::kCMYK) {
    definition->kind = kCustomFourColor;
    definition->c.f = {color->c[0], color->c[1], color->c[2], color->c[3]};
  } else {
    definition->kind = kCustomThreeColor;
    definition->c.rgb = {color->c[0], color->c[1], color->c[2]};
  }
  return kNoErr;
}

ASErr GetCustomColorName(AICustomColorHandle handle, char *name, size_t capacity) {
  CustomColor *color = CustomColorOf(handle);
  if (!color || !name || capacity == 0) return kBadParameterErr;
  if (color->name.size() + 1 > capacity) {
    name[0] = '\0';
    return kBadParameterErr;
  }
  std::memcpy(name, color->name.c_str(), color->name.size() + 1);
  return kNoErr;
}

const AICustomColorSuite kCustomColorSuite = {GetCustomColor, GetCustomColorName};

ASErr GetAIColor(ATEApplicationPaintRef ref, AIColor *color) {
  const Paint *paint = PaintOf(ref);
  if (!paint || !color) return kBadParameterErr;
  *color = paint->color;
  return kNoErr;
}

const AIATEPaintSuite kPaintSuite = {GetAIColor};

}  // namespace

size_t LiveTextRangeCount() { return Ranges().size(); }
size_t LiveCharFeaturesCount() { return FeatureSets().size(); }

void RegisterTextSuites(SuiteRegistry &registry) {
  registry.Add(kAITextFrameSuite, kAITextFrameSuiteVersion, &kTextFrameSuite);
  registry.Add(kTextRangeSuite, kTextRangeSuiteVersion, &kTextRangeTable);
  registry.Add(kCharFeaturesSuite, kCharFeaturesSuiteVersion, &kCharFeaturesTable);
  registry.Add(kAIFontSuite, kAIFontSuiteVersion, &kFontSuite);
  registry.Add(kAICustomColorSuite, kAICustomColorSuiteVersion, &kCustomColorSuite);
  registry.Add(kAIATEPaintSuite, kAIATEPaintSuiteVersion, &kPaintSuite);
}

}  // namespace vhost
