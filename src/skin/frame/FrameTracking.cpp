#include "skin/frame/FrameTracking.h"

#include <algorithm>
#include <cstdlib>

#include "platform/window/Messages.h"

namespace skin {

namespace p = platform;

RECT TrackOutline(p::LRESULT hit, const RECT& start, int dx, int dy, int minWidth, int minHeight) {
  RECT r = start;
  if (hit == p::HTCAPTION) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
    return r;
  }
  const bool left = hit == p::HTLEFT || hit == p::HTTOPLEFT || hit == p::HTBOTTOMLEFT;
  const bool right = hit == p::HTRIGHT || hit == p::HTTOPRIGHT || hit == p::HTBOTTOMRIGHT;
  const bool top = hit == p::HTTOP || hit == p::HTTOPLEFT || hit == p::HTTOPRIGHT;
  const bool bottom = hit == p::HTBOTTOM || hit == p::HTBOTTOMLEFT || hit == p::HTBOTTOMRIGHT;
  minWidth = std::max(0, minWidth);
  minHeight = std::max(0, minHeight);
  if (left) r.left = std::min(start.left + dx, r.right - minWidth);
  if (right) r.right = std::max(start.right + dx, r.left + minWidth);
  if (top) r.top = std::min(start.top + dy, r.bottom - minHeight);
  if (bottom) r.bottom = std::max(start.bottom + dy, r.top + minHeight);
  return r;
}

POINT SnapToMonitor(POINT at, int width, int height, const RECT& m, int buffer) {
  const int mw = m.right - m.left, mh = m.bottom - m.top;
  if (std::abs(at.x - m.left) < buffer) at.x = m.left;
  if (std::abs(at.y - m.top) < buffer) at.y = m.top;
  if (std::abs(at.x + width - m.right) < buffer) at.x = m.left + mw - width;
  if (std::abs(at.y + height - m.bottom) < buffer) at.y = m.top + mh - height;
  return at;
}

}  // namespace skin
