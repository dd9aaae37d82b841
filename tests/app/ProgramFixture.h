// The real program started in-process on the headless screen, with message
// boxes recorded and the generator's seed as at process start.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/Program.h"
#include "platform/base/DateTime.h"
#include "platform/base/Random.h"
#include "platform/dialog/MessageBox.h"
#include "platform/testing/HeadlessScreen.h"
#include "platform/testing/MessageBoxAnswers.h"
#include "platform/window/VirtualKeys.h"
#include "toolkit/Application.h"

class Program : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace p = platform;
    screen = &p::UseHeadlessScreen();
    app::RegisterClasses();
    p::AnswerMessageBoxes(*screen, [this](const p::MessageBoxInfo& box) {
      boxes.push_back(box.caption + ": " + box.text);
      return p::IDOK;
    });
    savedSeed = p::RandSeed();
    p::SetRandSeed(0);  // as at process start
    application = std::make_unique<toolkit::TApplication>();
    startDay = std::floor(p::Now());
    ASSERT_TRUE(app::CreateWindows());
  }
  void TearDown() override {
    application.reset();
    platform::AnswerMessageBoxes(*screen, nullptr);
    platform::SetRandSeed(savedSeed);
  }
  void CtrlD() {
    namespace p = platform;
    screen->KeyDown(p::VK_CONTROL);
    screen->KeyPress('D');
    screen->KeyUp(p::VK_CONTROL);
  }

  platform::HeadlessScreen* screen = nullptr;
  std::unique_ptr<toolkit::TApplication> application;
  std::vector<std::string> boxes;
  std::uint32_t savedSeed = 0;
  double startDay = 0;
};
