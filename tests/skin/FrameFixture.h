// The stored skin loaded for frame tests: the description that
// sprintara-skinart fills with the skin at build time (GOLDEN_HOLDER).
#pragma once

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "SkinFixture.h"
#include "component/Reader.h"
#include "graphics/PixelBitmap.h"
#include "skin/data/SkinData.h"

class GoldenSkinTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    std::ifstream in(GOLDEN_HOLDER, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    holder = std::make_unique<component::TComponent>(nullptr);
    component::ReadDescription(*holder, text, "Holder.sdesc");
    ASSERT_FALSE(skin::ActiveSkin().Sections.empty());
  }
  void TearDown() override {
    holder.reset();
    SkinTest::TearDown();
  }
  std::unique_ptr<component::TComponent> holder;
};

inline std::uint32_t Rgb(const graphics::TPixelBitmap& b, int x, int y) {
  return std::uint32_t(*b.PixelPointer(x, y)) & 0xFFFFFFu;
}
