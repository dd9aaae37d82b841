// The snapshot tool's script: what its command line accepts and refuses.
#include <gtest/gtest.h>

#include "SnapshotScript.h"
#include "platform/window/VirtualKeys.h"

using snapshot::ParseStep;
using snapshot::Step;

TEST(SnapshotScript, ParsesEachKindOfStep) {
  std::string error;
  auto wait = ParseStep("wait:1500", &error);
  ASSERT_TRUE(wait);
  EXPECT_EQ(wait->kind, Step::Wait);
  EXPECT_EQ(wait->ms, 1500);
  auto key = ParseStep("key:Ctrl+D", &error);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->keys, (std::vector<int>{platform::VK_CONTROL, 'D'}));
  auto f4 = ParseStep("key:alt+f4", &error);
  ASSERT_TRUE(f4);
  EXPECT_EQ(f4->keys, (std::vector<int>{platform::VK_MENU, platform::VK_F1 + 3}));
  auto click = ParseStep("click:10,-5", &error);
  ASSERT_TRUE(click);
  EXPECT_EQ(click->x, 10);
  EXPECT_EQ(click->y, -5);
  auto type = ParseStep("type:a:b", &error);
  ASSERT_TRUE(type);
  EXPECT_EQ(type->text, "a:b");
}

TEST(SnapshotScript, RefusesWhatItCannotPlaySafely) {
  std::string error;
  for (const char* bad : {"wait", "wait:", "wait:-1", "wait:1e3", "wait:99999999999",
                          "key:", "key:ctrl+", "key:f13", "key:hyper", "click:1", "click:a,b",
                          "move:", "shot:", "shot:../etc/passwd", "shot:a/b", "jump:1"}) {
    error.clear();
    EXPECT_FALSE(ParseStep(bad, &error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}
