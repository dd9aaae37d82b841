// A fresh headless screen with a virtual clock and an application object for
// every test; message boxes are recorded instead of shown.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/dialog/MessageBox.h"
#include "platform/testing/HeadlessScreen.h"
#include "platform/testing/MessageBoxAnswers.h"
#include "toolkit/Application.h"
#include "toolkit/Registration.h"

struct Box {
  std::string text, caption;
  unsigned icon;
};

class ToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    screen = &platform::UseHeadlessScreen();
    toolkit::RegisterToolkitClasses();
    boxes.clear();
    // Every message box is read and answered with its first button.
    platform::AnswerMessageBoxes(*screen, [this](const platform::MessageBoxInfo& box) {
      boxes.push_back({box.text, box.caption, box.icon});
      if (onBox) onBox(box);
      return box.ids.empty() ? platform::IDOK : box.ids.front();
    });
    app = std::make_unique<toolkit::TApplication>();
  }
  void TearDown() override {
    app.reset();
    platform::AnswerMessageBoxes(*screen, nullptr);
  }
  // Lets the application handle everything waiting, without sleeping.
  void Flush() {
    app->ProcessMessages();
    screen->Pump();
  }

  platform::HeadlessScreen* screen = nullptr;
  std::unique_ptr<toolkit::TApplication> app;
  std::vector<Box> boxes;
  std::function<void(const platform::MessageBoxInfo&)> onBox;
};
