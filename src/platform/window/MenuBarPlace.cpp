#include "platform/window/MenuBarPlace.h"

#include "platform/window/WindowSystem.h"

namespace platform {

BOOL GetMenuBarTop(HWND hwnd, int windowWidth, RECT* out) {
  WindowRec* w = WindowSystem::Get().Get(hwnd);
  if (!w || !out) return FALSE;
  int b = FrameThickness(w->style, w->exStyle);
  int below = b;
  CaptionLayout cap;
  if (LayoutCaption(*w, &cap)) below = cap.caption.bottom + 1;
  *out = RECT{b, below, windowWidth - b, below};
  return TRUE;
}

RECT GetMenuBarRect(HWND hwnd) {
  WindowRec* w = WindowSystem::Get().Get(hwnd);
  if (!w || !w->menu) return RECT{};
  int width = w->window.Width();
  RECT bar;
  GetMenuBarTop(hwnd, width, &bar);
  bar.bottom = bar.top + MenuBarHeight(*w, width);
  return bar;
}

}  // namespace platform
