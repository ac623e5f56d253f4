// "Vardo Engine Suite": the host's services for the composition engine.
#include <cstring>
#include <filesystem>

#include "VardoEngine.h"
#include "documenthandles.h"
#include "documentlist.h"
#include "documentpaths.h"
#include "documentpictures.h"
#include "host.h"
#include "suites.h"

namespace vhost {

namespace {

Art *ArtOf(AIArtHandle handle) {
  return static_cast<Art *>(LookUpHandle(HandleKind::kArt, handle));
}

ASErr FindArtByLow32(ASUInt32 low32, AIArtHandle *art) {
  if (!art) return kBadParameterErr;
  *art = nullptr;
  DocumentList *list = DocumentList::Current();
  Art *found = list ? list->FindArtByLow32(low32) : nullptr;
  if (!found) return kNoSuchObjectErr;
  *art = found->Handle();
  return kNoErr;
}

ASErr GetAreaBox(AIArtHandle frame, AIRealRect *box) {
  Art *art = ArtOf(frame);
  if (!art || !box) return kBadParameterErr;
  return art->AreaBox(box) ? kNoErr : kNoSuchObjectErr;
}

ASErr SetTextLines(AIArtHandle frame, const ASInt32 *starts, const AIRealPoint *origins,
                   ASInt32 count) {
  Art *art = ArtOf(frame);
  TextStory *story = art ? art->Story() : nullptr;
  if (!story || count < 0 || (count > 0 && (!starts || !origins))) return kBadParameterErr;
  // Starts increase from 0, and every paragraph begins a line, or the lines
  // would not read back as the same story.
  const std::u16string &text = story->Text();
  std::vector<TextStory::Line> lines;
  for (ASInt32 i = 0; i < count; ++i) {
    const ASInt32 start = starts[i];
    if (start < 0 || static_cast<size_t>(start) > text.size()) return kBadParameterErr;
    if (i == 0 ? start != 0 : start <= starts[i - 1]) return kBadParameterErr;
    lines.push_back({static_cast<size_t>(start), origins[i].h, origins[i].v});
  }
  size_t next = 0;
  for (size_t cr = text.find(u'\r'); count > 0 && cr != std::u16string::npos;
       cr = text.find(u'\r', cr + 1)) {
    while (next < lines.size() && lines[next].start < cr + 1) ++next;
    if (next == lines.size() || lines[next].start != cr + 1) return kBadParameterErr;
  }
  story->SetLines(std::move(lines));
  return kNoErr;
}

ASErr PlacePicture(AIArtHandle frame, const char *linkPath, const void *data, size_t size,
                   const char *mimeType, const AIRealRect *bounds, AIArtHandle *placed) {
  if (placed) *placed = nullptr;
  Art *art = ArtOf(frame);
  if (!art || !bounds || !placed || art->IsLayerGroup()) return kBadParameterErr;
  if (!(bounds->right > bounds->left) || !(bounds->top > bounds->bottom)) return kBadParameterErr;
  if (!linkPath && (!data || !size || !mimeType)) return kBadParameterErr;
  Art *image = PlacePictureAbove(*art, linkPath, data, size, mimeType, *bounds);
  if (!image) return kBadParameterErr;
  *placed = image->Handle();
  return kNoErr;
}

ASErr GetPictureSettings(char *folder, size_t size, ASBoolean *anyPath) {
  Host *host = Host::Current();
  if (!host || !folder || size == 0) return kBadParameterErr;
  const PictureSettings &settings = host->Pictures();
  if (anyPath) *anyPath = settings.anyPath;
  if (settings.folder.size() + 1 > size) {
    folder[0] = '\0';
    return kBadParameterErr;
  }
  std::memcpy(folder, settings.folder.c_str(), settings.folder.size() + 1);
  return kNoErr;
}

ASErr ReportProblem(ASInt32 record, AIArtHandle frame, const char *kind, const char *detail) {
  Host *host = Host::Current();
  if (!host || !kind || !detail) return kBadParameterErr;
  static const char *const kKinds[] = {kVardoProblemUnknownField, kVardoProblemMissingPicture,
                                       kVardoProblemNotAPicture,  kVardoProblemPictureOutside,
                                       kVardoProblemOverflow,     kVardoProblemFontNotFound,
                                       kVardoProblemMarkup,       kVardoProblemBadBarcodeData};
  bool known = false;
  for (const char *k : kKinds) known = known || std::strcmp(k, kind) == 0;
  if (!known) return kBadParameterErr;
  Art *art = frame ? ArtOf(frame) : nullptr;
  host->EngineProblems().push_back({record, art ? art->Id() : std::string(), kind, detail});
  return kNoErr;
}

ASErr PlacePaths(AIArtHandle frame, const VardoPathShape *shapes, ASInt32 count,
                 AIArtHandle *group) {
  if (group) *group = nullptr;
  Art *art = ArtOf(frame);
  if (!art || !group || art->IsLayerGroup()) return kBadParameterErr;
  Art *placed = PlacePathsAbove(*art, shapes, count);
  if (!placed) return kBadParameterErr;
  *group = placed->Handle();
  return kNoErr;
}

const VardoEngineSuite kEngineSuite = {FindArtByLow32, GetAreaBox,         SetTextLines,
                                       PlacePicture,   GetPictureSettings, ReportProblem,
                                       PlacePaths};

}  // namespace

void RegisterEngineSuites(SuiteRegistry &registry) {
  registry.Add(kVardoEngineSuite, kVardoEngineSuiteVersion, &kEngineSuite);
}

}  // namespace vhost
