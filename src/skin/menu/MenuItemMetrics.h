// The sizes of skinned menu items: the items of a menu bar and those of its
// drop-down lists, measured in the canvas's font (the menu font).
#pragma once

#include <string_view>

#include "platform/base/Types.h"
#include "toolkit/Canvas.h"

namespace skin {

inline constexpr int kMenuMargin = 4;

// What a drop-down item is, by its caption.
enum class TMenuItemKind { Separator, Heading, Item };
// "-" a separator; "-text-" (longer than "-", dashes at both ends) a
// heading; anything else an item.
TMenuItemKind MenuItemKind(std::string_view caption);

// The size of an item's glyph: its own picture's, else 16 x 16.
struct TMenuGlyphSize {
  int Width = 16;
  int Height = 16;
};

// The text height of "W" times 1.25, rounded half to even: the height
// drop-down items are built on.
int MenuLineHeight(toolkit::TCanvas& canvas);

// A bar item: one pixel lower than the platform's menu bar row, and wide
// enough for the caption and its shortcut text (never narrower than the
// platform's proposal).
platform::SIZE MeasureBarItem(toolkit::TCanvas& canvas, std::string_view caption,
                              std::string_view shortCut, platform::SIZE proposal,
                              int margin = kMenuMargin);

// A drop-down item of the given caption and shortcut text.
platform::SIZE MeasureDropDownItem(toolkit::TCanvas& canvas, std::string_view caption,
                                   std::string_view shortCut, TMenuGlyphSize glyph = {},
                                   int margin = kMenuMargin);

}  // namespace skin
