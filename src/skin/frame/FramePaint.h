// Painting a skinned window frame into its cache: background and border,
// grip, title, window icon, menu bar, border icons and caption. Works on
// plain inputs so that any frame can be painted without a window.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/PixelBitmap.h"
#include "skin/frame/FrameLayout.h"
#include "skin/paint/PictureSurface.h"
#include "toolkit/Types.h"

namespace skin {

enum TGripMode { gmNone, gmRightBottom };

// The sections and pieces a frame paints with, found once per skin.
struct TFramePieces {
  std::string SectionName;
  int Section = -1, Title = -1, MenuLine = -1;
  int Close = -1, Maximize = -1, Normal = -1, Minimize = -1, Help = -1, Grip = -1;
  int TitleButton = -1;
  bool Valid() const { return Section >= 0; }
};
TFramePieces FindFramePieces(const TSkinTables& tables, std::string_view sectionName);

struct TFrameBarItem {
  std::string Caption;
  RECT R{};
  bool Enabled = true;
  bool Hot = false;
};

// The bar items from the left at the border width, one line each SM_CYMENU
// - 1 high, wrapping before an item would pass the window width less twice
// the border width, twice the window's own border width and 6 pixels.
std::vector<TFrameBarItem> LayoutBarItems(toolkit::TCanvas& canvas,
                                          const std::vector<std::string>& captions, int width,
                                          int borderWidth, int windowBorder, int top);
int BarLines(const std::vector<TFrameBarItem>& items, int top);

// An extra title-bar button: the TITLEBUTTON piece in its state with the
// button's glyph centred on it.
struct TFrameTitleButton {
  Surface Glyph;  // fuchsia is clear
  bool Enabled = true;
  int State = 0;  // 0 normal, 1 hot, 2 pressed
};

struct TFramePaintInput {
  TFrameLayoutInput Layout;
  bool Active = true;
  bool Enabled = true;
  std::string Caption;
  toolkit::TAlignment CaptionAlignment = toolkit::taLeftJustify;
  TGripMode Grip = gmNone;
  std::array<int, kFrameIconCount> IconStates{};  // 0 normal, 1 hot, 2 pressed
  Surface Icon;                                   // the window icon; fuchsia is clear
  bool IconHasAlpha = false;                      // ...or clear and blended by its alpha
  std::vector<std::string> MenuCaptions;
  std::vector<bool> MenuEnabled;  // per caption; missing ones are enabled
  int HotMenuItem = -1;           // the caption under the pointer
  std::vector<TFrameTitleButton> TitleButtons;
  int WindowBorder = 0;  // the window's own border width, for the bar's wrapping
  std::string FontName = "MS Sans Serif";
  int FontHeight = -11;
};

// The layout of a frame of this skin.
TFrameLayout FrameLayoutFor(const TSkinTables& tables, const TFramePieces& pieces,
                            const TFrameLayoutInput& in);

// Larger windows are left to the platform: their cache would not fit.
inline constexpr int kMaxFrameSide = 16384;
inline constexpr std::int64_t kMaxFramePixels = std::int64_t(1) << 26;
bool FramePaintable(int width, int height);

// Paints the whole frame (an empty cache when it cannot be painted); the cache takes the layout's
// size. `strip` gets the pixels behind the border icons.
void PaintFrame(const TSkinTables& tables, const TFramePieces& pieces, const TFramePaintInput& in,
                graphics::TPixelBitmap& cache, std::vector<std::uint32_t>& strip);

// Redraws one border icon in its state over the saved strip.
void PaintFrameIcon(const TSkinTables& tables, const TFramePieces& pieces,
                    const TFramePaintInput& in, const TFrameLayout& layout, TFrameIcon icon,
                    graphics::TPixelBitmap& cache, const std::vector<std::uint32_t>& strip);

// The text cut with "..." to fit `width` pixels of the canvas font.
std::string FitCaption(toolkit::TCanvas& canvas, std::string_view text, int width);

}  // namespace skin
