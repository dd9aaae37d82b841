#include "skin/frame/FrameMetrics.h"

#include "platform/window/SystemMetrics.h"

namespace skin {

namespace p = platform;

TFrameMetrics FrameMetricsFor(toolkit::TFormBorderStyle style) {
  const int fx = p::GetSystemMetrics(p::SM_CXFRAME), fy = p::GetSystemMetrics(p::SM_CYFRAME);
  const int caption = p::GetSystemMetrics(p::SM_CYCAPTION);
  const int small = p::GetSystemMetrics(p::SM_CYSMCAPTION);
  switch (style) {
    case toolkit::bsNone:
      return {};
    case toolkit::bsSingle:
    case toolkit::bsDialog:
      return {fx - 1, fy - 1, caption};
    case toolkit::bsSizeable:
      return {fx, fy, caption};
    case toolkit::bsToolWindow:
      return {fx - 1, fy, small - 1};
    case toolkit::bsSizeToolWin:
      return {fx, fy, small};
  }
  return {};
}

int FrameMenuHeight(toolkit::TFormBorderStyle style, bool hasVisibleMenu, int lines) {
  if (!hasVisibleMenu || style == toolkit::bsDialog || lines < 1) return 0;
  return (p::GetSystemMetrics(p::SM_CYMENU) - 1) * lines;
}

POINT FrameClientOffset(const TFrameMetrics& m, int menuHeight) {
  return POINT{m.BorderWidth, m.BorderWidth + m.CaptionHeight + menuHeight};
}

p::SIZE BorderIconSize(const TSkinTables& tables, int closeMaskIndex) {
  if (!tables.ValidMask(closeMaskIndex)) return {21, 21};
  const TSkinMaskData& m = tables.Masks[std::size_t(closeMaskIndex)];
  RECT r = m.R;
  int frames = m.ImageCount, rows = m.MaskType + 1;
  if (m.Bitmap) {
    r = RECT{0, 0, m.Bitmap->Width(), m.Bitmap->Height()};
    frames = 3;
    rows = 2;
  }
  if (frames < 1 || rows < 1 || r.right <= r.left || r.bottom <= r.top) return {21, 21};
  return {(r.right - r.left) / frames, (r.bottom - r.top) / rows};
}

}  // namespace skin
