#include "platform/base/Random.h"

#include <gtest/gtest.h>

namespace {

class RandomTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = platform::RandSeed(); }
  void TearDown() override { platform::SetRandSeed(saved_); }
  std::uint32_t saved_ = 0;
};

TEST_F(RandomTest, FollowsTheLinearCongruentialSequenceFromZero) {
  platform::SetRandSeed(0);
  // state 1 -> (1 * 100) >> 32 == 0; the states themselves are the contract.
  EXPECT_EQ(platform::Random(100), 0u);
  EXPECT_EQ(platform::RandSeed(), 1u);
  platform::Random(100);
  EXPECT_EQ(platform::RandSeed(), 134775814u);
  std::uint32_t state = 134775814u;
  for (int i = 0; i < 1000; ++i) {
    state = state * 134775813u + 1u;
    std::uint32_t expected = static_cast<std::uint32_t>((std::uint64_t(state) * 37u) >> 32);
    ASSERT_EQ(platform::Random(37), expected) << "draw " << i;
  }
}

TEST_F(RandomTest, DrawsStayBelowTheBoundAndZeroBoundYieldsZero) {
  platform::SetRandSeed(12345);
  for (int i = 0; i < 10000; ++i) ASSERT_LT(platform::Random(7), 7u);
  EXPECT_EQ(platform::Random(0), 0u);
  EXPECT_LT(platform::Random(0xFFFFFFFFu), 0xFFFFFFFFu);
}

}  // namespace
