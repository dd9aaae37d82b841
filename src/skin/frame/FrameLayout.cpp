#include "skin/frame/FrameLayout.h"

#include <algorithm>

#include "platform/window/SystemMetrics.h"

namespace skin {

namespace p = platform;
using toolkit::biHelp;
using toolkit::biMaximize;
using toolkit::biMinimize;
using toolkit::biSystemMenu;

bool FrameHasSizeIcons(const TFrameLayoutInput& in) {
  const bool frame = in.Style == toolkit::bsSingle || in.Style == toolkit::bsSizeable;
  return frame && (in.Icons.Contains(biMinimize) || in.Icons.Contains(biMaximize));
}

TFrameLayout LayoutFrame(const TFrameLayoutInput& in, p::SIZE iconSize) {
  TFrameLayout l;
  l.M = FrameMetricsFor(in.Style);
  l.Width = std::max(0, in.Minimized ? kMinimizedFrameWidth : in.Width);
  l.Height = std::max(0, in.Height);
  l.IconSize = iconSize;
  l.ClientOffset = FrameClientOffset(l.M, in.MenuHeight);
  const int bw = l.M.BorderWidth, top = l.M.BorderHeight + l.M.CaptionHeight;
  const int W = l.Width, w = iconSize.cx, h = iconSize.cy;
  if (in.Style == toolkit::bsNone) return l;
  l.Title = RECT{0, 0, W, top};

  if (in.Icons.Contains(biSystemMenu)) {
    const bool sizeIcons = FrameHasSizeIcons(in);
    l.Visible[fiClose] = true;
    l.Visible[fiMaximize] = sizeIcons;
    l.Visible[fiMinimize] = sizeIcons;
    l.Visible[fiHelp] = in.Icons.Contains(biHelp);
    const int iconTop = (top - h) / 2 + (h < 16 ? 2 : 0);
    int slot = 1;
    for (int i = 0; i < kFrameIconCount; ++i) {
      if (!l.Visible[std::size_t(i)]) continue;
      const int x = slot == 1 ? W - bw - w - 1 : W - bw - slot * (w + 1);
      l.Icon[std::size_t(i)] = RECT{x, iconTop, x + w, iconTop + h};
      ++slot;
    }
    l.IconCount = slot - 1;
    for (int i = 0; i < in.TitleButtons; ++i) {
      const int x = W - bw - (w + 1) * (i + 5);
      l.TitleButton.push_back(RECT{x, iconTop, x + w, iconTop + h});
    }
    const int stripWidth = (in.TitleButtons + l.IconCount + 1) * (w + 1) + bw;
    l.Strip = RECT{std::max(0, W - stripWidth), 0, W, std::min(top, l.Height)};
  }

  const bool iconFrame = in.Style == toolkit::bsSingle || in.Style == toolkit::bsSizeable;
  if (iconFrame && in.ShowAppIcon) {
    const int iw = in.AppIconSize.cx > 0 ? in.AppIconSize.cx : p::GetSystemMetrics(p::SM_CXSMICON);
    const int ih = in.AppIconSize.cy > 0 ? in.AppIconSize.cy : p::GetSystemMetrics(p::SM_CYSMICON);
    // The slot stays where the small icon would sit; a set size grows from there.
    const int y = (l.M.CaptionHeight + l.M.BorderHeight - p::GetSystemMetrics(p::SM_CYSMICON)) / 2;
    l.HasAppIcon = true;
    l.AppIcon = RECT{bw, y, bw + iw, y + ih};
  }

  int textRight = W - l.IconCount * (w + 1) - 16;
  if (in.TitleButtons > 0) textRight = W - (in.TitleButtons + 4) * (w + 1) - 16;
  const int textLeft = (l.HasAppIcon ? l.AppIcon.right - l.AppIcon.left : 0) + bw + 4;
  l.Text = RECT{textLeft, l.M.BorderHeight, std::max(textLeft, textRight), top};

  if (in.MenuHeight > 0) l.MenuBar = RECT{0, top, W, top + in.MenuHeight};
  return l;
}

}  // namespace skin
