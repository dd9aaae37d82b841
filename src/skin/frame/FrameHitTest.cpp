#include "skin/frame/FrameHitTest.h"

namespace skin {

namespace p = platform;

p::LRESULT FrameHitTest(const TFrameHitInput& in, POINT pt) {
  if (in.Grip && pt.x >= in.GripCorner.x && pt.y >= in.GripCorner.y) return p::HTBOTTOMRIGHT;
  // Nothing is painted there: a click at the top right must not close it.
  if (!in.Border) return p::HTNOWHERE;
  const int W = in.Width, bw = in.M.BorderWidth, w = in.IconSize.cx, h = in.IconSize.cy;
  const int t = (in.M.BorderHeight + in.M.CaptionHeight - h) / 2;
  const int x = pt.x;
  if (pt.y < t || pt.y >= t + h) return p::HTNOWHERE;

  if (in.SystemMenu && x >= W - bw - w - 1 && x <= W - bw) return p::HTCLOSE;
  if (in.CanMaximize && in.MaximizeVisible && x >= W - bw - 2 * w - 2 && x <= W - bw - w - 1)
    return p::HTMAXBUTTON;
  // Minimize takes the maximize slot when that icon is not shown.
  const int minSlot = in.MaximizeVisible ? 3 : 2;
  if (in.CanMinimize && in.MinimizeVisible && x >= W - bw - minSlot * (w + 1) &&
      x <= W - bw - (minSlot - 1) * (w + 1))
    return p::HTMINBUTTON;
  if (x >= bw && x <= bw + in.AppIconWidth && in.AppIconWidth > 0) return p::HTSYSMENU;
  if (in.Help) {
    const int slot = 2 + (in.MaximizeVisible ? 1 : 0) + (in.MinimizeVisible ? 1 : 0);
    if (x >= W - bw - slot * (w + 1) && x <= W - bw - (slot - 1) * (w + 1)) return p::HTHELP;
  }
  const int buttons = int(in.TitleButtonsEnabled.size());
  if (buttons > 0 && x >= W - bw - (buttons + 4) * (w + 1) && x <= W - bw - 4 * w - 4) {
    const int n = (W - bw - 4 * w - x - 4) / (w + 1);
    if (n >= 0 && n < buttons && in.TitleButtonsEnabled[std::size_t(n)]) return kHitTitleButton + n;
    return p::HTCAPTION;
  }
  return p::HTCAPTION;
}

int FrameIconOfHit(p::LRESULT code) {
  switch (code) {
    case p::HTCLOSE:
      return fiClose;
    case p::HTMAXBUTTON:
      return fiMaximize;
    case p::HTMINBUTTON:
      return fiMinimize;
    case p::HTHELP:
      return fiHelp;
    default:
      return -1;
  }
}

}  // namespace skin
