// A fresh headless screen and application for tests that show controls;
// message boxes are recorded instead of shown.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graphics/Registration.h"
#include "platform/dialog/MessageBox.h"
#include "platform/testing/HeadlessScreen.h"
#include "platform/testing/MessageBoxAnswers.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Registration.h"

class GraphicsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    screen = &platform::UseHeadlessScreen();
    toolkit::RegisterToolkitClasses();
    graphics::RegisterGraphicsClasses();
    platform::AnswerMessageBoxes(*screen, [this](const platform::MessageBoxInfo& box) {
      boxes.push_back(box.text);
      return box.ids.empty() ? platform::IDOK : box.ids.front();
    });
    app = std::make_unique<toolkit::TApplication>();
    form = new toolkit::TForm(app.get());
    form->SetBounds(100, 100, 600, 420);
    form->SetColor(0x7DB7D2);
  }
  void TearDown() override {
    app.reset();
    platform::AnswerMessageBoxes(*screen, nullptr);
  }
  void Flush() {
    app->ProcessMessages();
    screen->Pump();
  }
  // The screen pixel at a point of a control's client area, as 0xRRGGBB.
  std::uint32_t At(toolkit::TControl* c, int x, int y) {
    const platform::POINT s = c->ClientToScreen(platform::POINT{x, y});
    return screen->ScreenPixel(s.x, s.y) & 0xFFFFFF;
  }

  platform::HeadlessScreen* screen = nullptr;
  std::unique_ptr<toolkit::TApplication> app;
  toolkit::TForm* form = nullptr;
  std::vector<std::string> boxes;
};
