#include "skin/SkinControl.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "skin/SkinData.h"
#include "skin/SkinMessages.h"
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

void SizeCacheToControl(TSkinCommonData& data) {
  const toolkit::TControl* owner = data.Owner();
  if (!owner) return;
  graphics::TPixelBitmap& cache = data.CacheBitmap();
  const int w = std::max(0, owner->Width()), h = std::max(0, owner->Height());
  if (cache.Width() != w || cache.Height() != h) cache.SetSize(w, h);
}

}  // namespace skin
