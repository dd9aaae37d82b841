// A fresh headless screen with a virtual clock and an application object for
// every test; message boxes are recorded instead of shown.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/window/headless/HeadlessBackend.h"
#include "toolkit/Application.h"
#include "toolkit/Registration.h"

struct Box {
  std::string text, caption;
  unsigned flags;
};

class ToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    screen = &platform::UseHeadlessBackend();
    toolkit::RegisterToolkitClasses();
    boxes.clear();
    toolkit::SetMessageBoxFunction(
        [this](platform::HWND, std::string_view text, std::string_view caption, unsigned flags) {
          boxes.push_back({std::string(text), std::string(caption), flags});
          return 1;
        });
    app = std::make_unique<toolkit::TApplication>();
  }
  void TearDown() override {
    app.reset();
    toolkit::SetMessageBoxFunction(nullptr);
  }
  // Lets the application handle everything waiting, without sleeping.
  void Flush() {
    app->ProcessMessages();
    screen->Pump();
  }

  platform::HeadlessBackend* screen = nullptr;
  std::unique_ptr<toolkit::TApplication> app;
  std::vector<Box> boxes;
};
