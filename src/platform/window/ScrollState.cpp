#include "platform/window/ScrollState.h"

#include <algorithm>
#include <cstdint>

#include "platform/window/WindowSystem.h"

namespace platform {

BOOL StoreScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info) {
  WindowRec* w = WindowSystem::Get().Get(hwnd);
  if (!w || (bar != SB_HORZ && bar != SB_VERT) || !info || info->cbSize != sizeof(SCROLLINFO))
    return FALSE;
  WindowRec::Scroll& s = w->scroll[bar];
  if (info->fMask & SIF_RANGE) {
    s.min = info->nMin;
    s.max = std::max(info->nMin, info->nMax);
  }
  if (info->fMask & SIF_PAGE) s.page = info->nPage;
  std::int64_t range = std::int64_t(s.max) - s.min + 1;
  if (std::int64_t(s.page) > range) s.page = UINT(range);
  if (info->fMask & SIF_POS) s.pos = info->nPos;
  return TRUE;
}

}  // namespace platform
