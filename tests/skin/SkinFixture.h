// A headless screen and an application for skin tests, message boxes
// recorded, and the process's skin left empty after every test.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialog/MessageBox.h"
#include "platform/gdi/Bmp.h"
#include "platform/testing/HeadlessScreen.h"
#include "platform/testing/MessageBoxAnswers.h"
#include "skin/Registration.h"
#include "skin/data/SkinData.h"
#include "toolkit/Application.h"
#include "toolkit/Registration.h"

class SkinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    screen = &platform::UseHeadlessScreen();
    toolkit::RegisterToolkitClasses();
    skin::RegisterSkinClasses();
    boxes.clear();
    platform::AnswerMessageBoxes(*screen, [this](const platform::MessageBoxInfo& box) {
      boxes.push_back(box.text);
      return box.ids.empty() ? platform::IDOK : box.ids.front();
    });
    app = std::make_unique<toolkit::TApplication>();
  }
  void TearDown() override {
    app.reset();
    platform::AnswerMessageBoxes(*screen, nullptr);
    EXPECT_EQ(skin::GlobalSkin().Manager, nullptr) << "a manager outlived its test";
    skin::GlobalSkin().Tables.Clear();
  }

  platform::HeadlessScreen* screen = nullptr;
  std::unique_ptr<toolkit::TApplication> app;
  std::vector<std::string> boxes;
};

// A folder of its own under the system's temporary folder, removed at the end.
class TempFolder {
 public:
  TempFolder() {
    char pattern[] = "/tmp/sprintara-skin-XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& Path() const { return path_; }
  std::string Write(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path file = std::filesystem::path(path_) / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
  }

 private:
  std::string path_;
};

// A BMP file of a picture filled by `pixel(x, y)` (0xRRGGBB).
template <class F>
std::string BmpFile(int width, int height, F pixel) {
  platform::SurfaceBuffer b(width, height);
  auto v = b.View();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) v.At(x, y) = 0xFF000000u | pixel(x, y);
  const auto bytes = platform::WriteBmp(v);
  return std::string(bytes.begin(), bytes.end());
}
