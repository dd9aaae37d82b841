// What every skinned control does the same way: deciding whether it may
// paint now, whether it counts as active, and copying its cached picture
// (whole, in part, or only its frame) to the screen.
#pragma once

#include "platform/base/Types.h"
#include "skin/link/SkinCommonData.h"

namespace toolkit {
class TControl;
class TWinControl;
}  // namespace toolkit

namespace skin {

// A control is held back while it is updating, while the skin is not ready,
// or while its parent answers 1 to SKM_PREPARING (the parent's own picture is
// not settled, so a picture made now would show the wrong background).
bool PaintHeldBack(const TSkinCommonData& data);

// Enabled, and focused or with the mouse above it.
bool ControlActive(const TSkinCommonData& data);

// Whether the control's bounds reach outside its parent's client area.
bool OutsideParentClient(const toolkit::TControl& control);

// Copies r of the cache to the same place of the device context (clipped to
// the cache).
void CopyCacheRect(const TSkinCommonData& data, platform::HDC dc, const RECT& r);
// The whole cache.
void CopyCache(const TSkinCommonData& data, platform::HDC dc);
// Only the `width`-pixel frame strips of the cache: the rows at the top and
// bottom and the columns at the left and right.
void CopyCacheFrame(const TSkinCommonData& data, platform::HDC dc, int width);

// Takes the visible child windows of `parent` out of the context's clip, so
// that a picture copied next leaves them alone. A child shaped by a window
// region (a skinned button with round corners) is taken out only where its
// region shows it: the parent paints the cut-out corners.
void ExcludeChildWindows(platform::HDC dc, toolkit::TWinControl& parent);

// The cache sized to the control, its pixels kept where the size is the same.
void SizeCacheToControl(TSkinCommonData& data);

}  // namespace skin
