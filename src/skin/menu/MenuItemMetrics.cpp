#include "skin/menu/MenuItemMetrics.h"

#include <algorithm>
#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/window/SystemMetrics.h"
#include "skin/paint/PaintPixels.h"

namespace skin {

namespace p = platform;

TMenuItemKind MenuItemKind(std::string_view caption) {
  if (caption == "-") return TMenuItemKind::Separator;
  if (caption.size() > 1 && caption.front() == '-' && caption.back() == '-')
    return TMenuItemKind::Heading;
  return TMenuItemKind::Item;
}

int MenuLineHeight(toolkit::TCanvas& canvas) {
  const int h = std::max(canvas.TextHeight("W"), 0);
  return int(RoundDivEven(unsigned(h) * 5, 4));
}

p::SIZE MeasureBarItem(toolkit::TCanvas& canvas, std::string_view caption,
                       std::string_view shortCut, p::SIZE proposal, int margin) {
  std::string text(caption);
  text += shortCut;
  int width = canvas.TextWidth(text) + margin + 5;
  // The "&" marks the mnemonic and is not drawn.
  if (text.find('&') != std::string::npos) width -= canvas.TextWidth("&");
  return p::SIZE{std::max(int(proposal.cx), width), p::GetSystemMetrics(p::SM_CYMENU) - 1};
}

p::SIZE MeasureDropDownItem(toolkit::TCanvas& canvas, std::string_view caption,
                            std::string_view shortCut, TMenuGlyphSize glyph, int margin) {
  const int frame = 2 * glyph.Width + 3 * margin;
  switch (MenuItemKind(caption)) {
    case TMenuItemKind::Separator:
      return p::SIZE{frame, 2};
    case TMenuItemKind::Heading: {
      std::string text = "-";
      text += caption;
      text += "-";
      return p::SIZE{frame + canvas.TextWidth(text), MenuLineHeight(canvas) + 2 * margin};
    }
    case TMenuItemKind::Item:
      break;
  }
  std::string text(caption);
  text += shortCut;
  p::RECT r{0, 0, 0, 0};
  canvas.DrawText(text, r, p::DT_SINGLELINE | p::DT_EXPANDTABS | p::DT_CALCRECT);
  return p::SIZE{frame + r.Width(), std::max(MenuLineHeight(canvas), glyph.Height) + 2 * margin};
}

}  // namespace skin
