#include "skin/link/SkinControl.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/window/Window.h"
#include "skin/data/SkinData.h"
#include "skin/link/SkinMessages.h"
#include "toolkit/WinControl.h"

namespace skin {

namespace p = platform;

bool PaintHeldBack(const TSkinCommonData& data) {
  if (data.Updating || !ActiveSkin().Ready) return true;
  const toolkit::TControl* owner = data.Owner();
  if (!owner || !owner->Parent()) return false;
  return SendToParent(*owner, SKM_PREPARING, 0, 0) == 1;
}

bool ControlActive(const TSkinCommonData& data) {
  const toolkit::TControl* owner = data.Owner();
  // The program is never designed, so enabled is the only condition.
  if (!owner || !owner->Enabled()) return false;
  return data.HasFocus || data.MouseAbove;
}

bool OutsideParentClient(const toolkit::TControl& control) {
  const toolkit::TWinControl* parent = control.Parent();
  if (!parent) return false;
  const RECT client = parent->ClientRect();
  return control.Left() < client.left || control.Top() < client.top ||
         control.Left() + control.Width() > client.right ||
         control.Top() + control.Height() > client.bottom;
}

void CopyCacheRect(const TSkinCommonData& data, p::HDC dc, const RECT& r) {
  const graphics::TPixelBitmap& cache = data.CacheBitmap();
  const int left = std::max(0, r.left), top = std::max(0, r.top);
  const int right = std::min(cache.Width(), r.right), bottom = std::min(cache.Height(), r.bottom);
  if (!dc || right <= left || bottom <= top) return;
  p::BitBlt(dc, left, top, right - left, bottom - top, cache.Handle(), left, top, p::SRCCOPY);
}

void CopyCache(const TSkinCommonData& data, p::HDC dc) {
  const graphics::TPixelBitmap& cache = data.CacheBitmap();
  CopyCacheRect(data, dc, RECT{0, 0, cache.Width(), cache.Height()});
}

void CopyCacheFrame(const TSkinCommonData& data, p::HDC dc, int width) {
  const graphics::TPixelBitmap& cache = data.CacheBitmap();
  const int w = cache.Width(), h = cache.Height();
  CopyCacheRect(data, dc, RECT{0, 0, w, width});
  CopyCacheRect(data, dc, RECT{0, h - width, w, h});
  CopyCacheRect(data, dc, RECT{0, width, width, h - width});
  CopyCacheRect(data, dc, RECT{w - width, width, w, h - width});
}

void ExcludeChildWindows(p::HDC dc, toolkit::TWinControl& parent) {
  if (!parent.HandleAllocated()) return;
  p::HRGN shape = p::CreateRectRgn(0, 0, 0, 0);
  for (int i = 0; i < parent.ControlCount(); ++i) {
    auto* child = dynamic_cast<toolkit::TWinControl*>(parent.Controls(i));
    if (!child || !child->HandleAllocated() || !p::IsWindowVisible(child->Handle())) continue;
    RECT r{};
    p::GetWindowRect(child->Handle(), &r);
    POINT tl{r.left, r.top}, br{r.right, r.bottom};
    p::ScreenToClient(parent.Handle(), &tl);
    p::ScreenToClient(parent.Handle(), &br);
    if (p::GetWindowRgn(child->Handle(), shape) != p::RGN_ERROR) {
      p::OffsetRgn(shape, tl.x, tl.y);
      p::ExtSelectClipRgn(dc, shape, p::RGN_DIFF);
    } else {
      p::ExcludeClipRect(dc, tl.x, tl.y, br.x, br.y);
    }
  }
  p::DeleteObject(shape);
}

void SizeCacheToControl(TSkinCommonData& data) {
  const toolkit::TControl* owner = data.Owner();
  if (!owner) return;
  graphics::TPixelBitmap& cache = data.CacheBitmap();
  const int w = std::max(0, owner->Width()), h = std::max(0, owner->Height());
  if (cache.Width() != w || cache.Height() != h) cache.SetSize(w, h);
}

}  // namespace skin
