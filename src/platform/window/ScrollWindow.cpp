// Scrolling a window's pixels in place, so that a scrolled view repaints
// only the strip it uncovers.
#include <cstring>
#include <vector>

#include "platform/window/WindowSystem.h"

namespace platform {

namespace {

// Copies each rectangle of `to` from the pixel (x - dx, y - dy). A vertical
// move walks rows against the move, so that overlapping rows are read
// before they are written; a sideways one reads everything first.
void MovePixels(const Surface& s, const Region& to, int dx, int dy) {
  const std::vector<RECT>& rects = to.Rects();
  if (dx != 0) {
    std::vector<std::uint32_t> copy;
    for (const RECT& r : rects)
      for (int y = r.top; y < r.bottom; ++y)
        copy.insert(copy.end(), s.Row(y - dy) + (r.left - dx), s.Row(y - dy) + (r.right - dx));
    std::size_t at = 0;
    for (const RECT& r : rects)
      for (int y = r.top; y < r.bottom; ++y, at += std::size_t(r.Width()))
        std::memcpy(s.Row(y) + r.left, copy.data() + at, std::size_t(r.Width()) * 4);
    return;
  }
  for (std::size_t k = 0; k < rects.size(); ++k) {
    const RECT& r = dy > 0 ? rects[rects.size() - 1 - k] : rects[k];
    const std::size_t bytes = std::size_t(r.Width()) * 4;
    for (int i = 0; i < r.Height(); ++i) {
      const int y = dy > 0 ? r.bottom - 1 - i : r.top + i;
      std::memmove(s.Row(y) + r.left, s.Row(y - dy) + r.left, bytes);
    }
  }
}

}  // namespace

BOOL ScrollWindow(HWND h, int dx, int dy, const RECT* scroll, const RECT* clip) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  if (!w || h == ws.desktop) return FALSE;
  const int cx = w->client.left - w->window.left, cy = w->client.top - w->window.top;
  RECT area{0, 0, w->client.Width(), w->client.Height()};
  if (scroll && !IntersectRect(&area, area, *scroll)) return TRUE;
  if (clip && !IntersectRect(&area, area, *clip)) return TRUE;
  if (dx == 0 && dy == 0) return TRUE;
  // Window coordinates: the area and the update region inside it move.
  Region inWindow(area.left + cx, area.top + cy, area.right + cx, area.bottom + cy);
  Region moved = w->update & inWindow;
  moved.Offset(dx, dy);
  w->update = (w->update - inWindow) | (moved & inWindow);
  Region uncovered = inWindow;
  WindowRec* root = ws.Root(w);
  if (ws.ReallyVisible(*w) && root && root->hwnd != ws.desktop && !root->picture.View().IsEmpty()) {
    // Root coordinates: what is visible both where a pixel comes from and
    // where it goes.
    const POINT o = ws.OffsetInRoot(*w);
    Region visible = ws.VisibleRegion(*w, true, true);
    visible &= Region(area.left + cx + o.x, area.top + cy + o.y, area.right + cx + o.x,
                      area.bottom + cy + o.y);
    Region sources = visible;
    sources.Offset(dx, dy);
    const Region to = visible & sources;
    const Surface s = root->picture.View();
    if (!to.IsEmpty() && to.Bounds().left >= 0 && to.Bounds().top >= 0 &&
        to.Bounds().right <= s.width && to.Bounds().bottom <= s.height) {
      MovePixels(s, to, dx, dy);
      AddDirty(*root, to.Bounds());
      Region kept = to;
      kept.Offset(-o.x, -o.y);
      uncovered -= kept;
    }
  }
  InvalidateWindowArea(*w, uncovered, RDW_INVALIDATE);
  return TRUE;
}

}  // namespace platform
