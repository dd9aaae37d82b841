// Drawing the pieces of the master bitmap. Each kind of piece has a painter
// that draws all its state frames (normal, hot, pressed) into its rectangle;
// the rectangles themselves come from the skin's Images items.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "Canvas.h"
#include "Frame.h"
#include "PieceTable.h"

namespace skinart {

// The warm golden family every piece is drawn in.
namespace tone {
constexpr TRgb kInk{84, 58, 18};  // the window's outline and symbols
constexpr TRgb kBrown{128, 92, 34};
constexpr TRgb kBronze{160, 122, 52};
constexpr TRgb kAmber{184, 124, 18};
constexpr TRgb kGoldLine{232, 198, 112};  // the window frame's inner line, lit side
constexpr TRgb kGoldShade{188, 148, 64};  // and its shaded side
constexpr TRgb kGlow{255, 222, 120};
constexpr TRgb kCream{250, 242, 216};
constexpr TRgb kIvory{255, 251, 238};
constexpr TRgb kWhite{255, 255, 255};
constexpr TRgb kPaper{214, 206, 190};  // the bitmap where no piece lies
}  // namespace tone

using TPainter = void (*)(TCanvas&, const TPiece&);

struct TPainterEntry {
  std::string_view section;
  std::string_view property;
  TPainter paint;
};

std::span<const TPainterEntry> WindowPainters();   // window frame, title, border icons
std::span<const TPainterEntry> ControlPainters();  // buttons, edits, group box, check glyphs
std::span<const TPainterEntry> ScrollPainters();   // scroll-bar tracks, buttons, arrows, thumbs
std::span<const TPainterEntry> PanelPainters();    // panels, bars, tabs, progress, track bar

// The painter of a piece, or null when there is none (names ignore case).
TPainter FindPainter(std::string_view section, std::string_view property);

// Draws every piece with ImageCount > 0 where its item says. Throws
// TSkinArtError for a piece without a painter, with a mask type other than
// 0 or 1, too small for its frames, or partly overlapping another piece
// (the same rectangle given twice, as for two icons that look alike, is
// drawn once).
TCanvas DrawMasterBitmap(const std::vector<TPiece>& pieces);

// Draws the piece's state frames side by side; `make(state, width, height)`
// returns one frame of the picture's size.
template <typename Make>
void DrawFrames(TCanvas& canvas, const TPiece& p, TRgb matte, Make make) {
  for (int s = 0; s < p.imageCount; ++s) {
    const TFrame f = make(s, p.FrameWidth(), p.PictureHeight());
    PutFrame(canvas, f, p.left + s * p.Width() / p.imageCount, p.top, p.maskType, matte);
  }
}

}  // namespace skinart
