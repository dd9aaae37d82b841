// Skinned edits and combo boxes on the skinned form: their window's pixels
// on the screen beside their cached picture, and the skin's manager to
// remove and restore the skin with.
#pragma once

#include <vector>

#include "ControlFixture.h"
#include "platform/window/Window.h"
#include "skin/SkinManager.h"
#include "skin/link/SkinCommonData.h"

class SkinFieldTest : public SkinControlTest {
 protected:
  skin::TSkinManager* Manager() {
    return static_cast<skin::TSkinManager*>(holder->FindComponent("SkinManager"));
  }
  // The screen pixel at a point of a control's window (frame included).
  std::uint32_t WindowPixel(toolkit::TWinControl* control, int x, int y) {
    platform::RECT r{};
    platform::GetWindowRect(control->Handle(), &r);
    return screen->ScreenPixel(r.left + x, r.top + y) & 0xFFFFFFu;
  }
  // Every pixel of the control's window, row by row.
  std::vector<std::uint32_t> WindowPixels(toolkit::TWinControl* control) {
    std::vector<std::uint32_t> out;
    for (int y = 0; y < control->Height(); ++y)
      for (int x = 0; x < control->Width(); ++x) out.push_back(WindowPixel(control, x, y));
    return out;
  }
  // The points of the window that differ from the cache.
  int DifferencesFromCache(toolkit::TWinControl* control, const skin::TSkinCommonData& data,
                           const platform::RECT& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (WindowPixel(control, x, y) != Rgb(data.CacheBitmap(), x, y)) ++n;
    return n;
  }
  platform::RECT Whole(toolkit::TWinControl* control) {
    return platform::RECT{0, 0, control->Width(), control->Height()};
  }
};
