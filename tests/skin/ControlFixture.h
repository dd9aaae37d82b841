// Skinned controls on a real window of the headless screen: a form with the
// stored skin and a skinned frame, and ways to read what its controls show.
#pragma once

#include <cstdlib>
#include <string>

#include "FrameFixture.h"
#include "platform/window/Window.h"
#include "skin/frame/SkinProvider.h"
#include "toolkit/Form.h"

class SkinControlTest : public GoldenSkinTest {
 protected:
  void SetUp() override {
    GoldenSkinTest::SetUp();
    form = new toolkit::TForm(app.get());
    form->SetBounds(100, 100, 420, 320);
    form->SetCaption("Controls");
    provider = new skin::TSkinProvider(form);
    form->Show();
    Flush();
  }
  void Flush() {
    for (int i = 0; i < 5; ++i) screen->Pump();
  }
  // The screen pixel at a point of a windowed control's client area.
  std::uint32_t ClientPixel(toolkit::TWinControl* control, int x, int y) {
    platform::POINT pt{x, y};
    platform::ClientToScreen(control->Handle(), &pt);
    return screen->ScreenPixel(pt.x, pt.y) & 0xFFFFFFu;
  }
  // The same for a point of the form's client area.
  std::uint32_t FormPixel(int x, int y) { return ClientPixel(form, x, y); }
  // The screen point of a control's client point, for the mouse.
  platform::POINT ScreenPoint(toolkit::TWinControl* control, int x, int y) {
    platform::POINT pt{x, y};
    platform::ClientToScreen(control->Handle(), &pt);
    return pt;
  }
  // With SKIN_CONTROL_DUMP set to a folder, the screen goes there as a PNG.
  void Dump(const std::string& name) {
    if (const char* dir = std::getenv("SKIN_CONTROL_DUMP"))
      screen->CaptureScreen(std::string(dir) + "/" + name);
  }

  toolkit::TForm* form = nullptr;
  skin::TSkinProvider* provider = nullptr;
};
