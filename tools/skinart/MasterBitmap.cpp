// Laying out the master bitmap: every piece its skin item names, drawn by
// its painter at its rectangle, on a plain ground where no piece lies.

#include "Art.h"
#include "platform/base/AsciiCase.h"

namespace skinart {

namespace {

std::string Describe(const TPiece& p) {
  return p.section + "/" + p.property + " (item at line " + std::to_string(p.line) + ")";
}

bool SameRect(const TPiece& a, const TPiece& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool Overlap(const TPiece& a, const TPiece& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

TPainter FindPainter(std::string_view section, std::string_view property) {
  for (auto list : {WindowPainters(), ControlPainters(), ScrollPainters(), PanelPainters()})
    for (const TPainterEntry& e : list)
      if (platform::SameText(e.section, section) && platform::SameText(e.property, property))
        return e.paint;
  return nullptr;
}

TCanvas DrawMasterBitmap(const std::vector<TPiece>& pieces) {
  std::vector<std::pair<const TPiece*, TPainter>> drawn;
  for (const TPiece& p : pieces) {
    if (p.imageCount == 0) continue;  // carries its own picture
    const TPainter paint = FindPainter(p.section, p.property);
    if (!paint) throw TSkinArtError("no drawing for the piece " + Describe(p));
    if (p.maskType != 0 && p.maskType != 1)
      throw TSkinArtError("mask type " + std::to_string(p.maskType) + " of " + Describe(p) +
                          " is neither 0 nor 1");
    if (p.imageCount < 0 || p.FrameWidth() < 1 || p.PictureHeight() < 1)
      throw TSkinArtError("the rectangle of " + Describe(p) + " is too small for its frames");
    for (const auto& [other, otherPaint] : drawn) {
      if (!Overlap(p, *other)) continue;
      if (SameRect(p, *other) && paint == otherPaint && p.imageCount == other->imageCount &&
          p.maskType == other->maskType)
        continue;
      throw TSkinArtError("the piece " + Describe(p) + " overlaps " + Describe(*other));
    }
    drawn.emplace_back(&p, paint);
  }
  TCanvas canvas(kMasterWidth, kMasterHeight, ToRgb(tone::kPaper));
  for (const auto& [p, paint] : drawn) paint(canvas, *p);
  return canvas;
}

}  // namespace skinart
