#include "barcodeplace.h"

#include "AIArt.h"
#include "barcode.h"
#include "frame/suites.h"
#include "pictures.h"

namespace {

constexpr double kPointsPerMm = 72 / 25.4;

// An outline in mm from the drawing's top left as a shape in artwork
// coordinates from `origin`; `points` keeps the converted points alive.
VardoPathShape ShapeOf(const Outline &outline, AIRealPoint origin, ASUInt32 rgb,
                       std::vector<AIRealPoint> *points) {
  points->clear();
  for (const auto &[x, y] : outline.points) {
    points->push_back({static_cast<AIReal>(origin.h + x * kPointsPerMm),
                       static_cast<AIReal>(origin.v - y * kPointsPerMm)});
  }
  return VardoPathShape{outline.ops.c_str(), static_cast<ASInt32>(outline.ops.size()),
                        points->data(), rgb};
}

}  // namespace

std::vector<BarcodeProblem> PlaceBarcode(const VardoEngineSuite &engine, AIArtHandle frame,
                                         const RenderedElement &element) {
  std::vector<BarcodeProblem> problems;
  BarcodeDrawing drawing;
  std::string reason;
  std::vector<std::string> notes;
  if (!DrawBarcode(element.attributes, &drawing, &reason, &notes)) {
    problems.push_back({kVardoProblemBadBarcodeData, reason});
    return problems;
  }
  for (std::string &note : notes) problems.push_back({kVardoProblemMarkup, std::move(note)});

  AIRealRect box{};
  const bool area = engine.GetAreaBox(frame, &box) == kNoErr;
  if (!area) sAIArt->GetArtBounds(frame, &box);
  const double width = drawing.width * kPointsPerMm, height = drawing.height * kPointsPerMm;
  const AIRealRect placed = AlignInCell(box, element.cell, width, height);
  const double cellWidth = element.cell.width > 0 ? element.cell.width : box.right - box.left;
  const double cellHeight = element.cell.height > 0 ? element.cell.height : box.top - box.bottom;
  const bool cell = element.cell.width > 0 || element.cell.height > 0;
  const double slack = 1e-6;
  if ((area || cell) && (width > cellWidth + slack || height > cellHeight + slack)) {
    problems.push_back(
        {kVardoProblemOverflow, "the barcode (" + std::to_string(drawing.width) + " x " +
                                    std::to_string(drawing.height) +
                                    " mm) is larger than its box; it keeps its size"});
  }

  const AIRealPoint origin{placed.left, placed.top};
  Outline background, bars;
  background.Rect(0, 0, drawing.width, drawing.height);
  for (const Outline &bar : drawing.bars) {
    bars.ops += bar.ops;
    bars.points.insert(bars.points.end(), bar.points.begin(), bar.points.end());
  }
  std::vector<AIRealPoint> points[3];
  std::vector<VardoPathShape> shapes{ShapeOf(background, origin, 0xFFFFFF, &points[0]),
                                     ShapeOf(bars, origin, 0x000000, &points[1])};
  if (!drawing.text.ops.empty()) shapes.push_back(ShapeOf(drawing.text, origin, 0, &points[2]));
  AIArtHandle group = nullptr;
  engine.PlacePaths(frame, shapes.data(), static_cast<ASInt32>(shapes.size()), &group);
  return problems;
}
