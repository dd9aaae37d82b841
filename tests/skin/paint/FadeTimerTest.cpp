// The fade between a control's pictures: the levels going in and out, what
// happens when a fade turns back, the stop rules, and the timer that drives
// it for a control.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "PaintFixture.h"
#include "platform/testing/HeadlessScreen.h"
#include "skin/paint/FadeTimer.h"
#include "skin/paint/PaintPixels.h"
#include "toolkit/Application.h"
#include "toolkit/Registration.h"

using namespace skintest;
using TStep = TSkinFade::TStep;
using enum TSkinFadeDirection;

namespace {

constexpr std::uint32_t kNormal = 0xFF000000u, kHot = 0xFFFF0000u;

unsigned Red(const SurfaceBuffer& b) {
  return b.At(0, 0) >> 16 & 0xFF;
}

// The red of each picture shown until the fade asks for something else.
std::vector<unsigned> Steps(TSkinFade& fade, const SurfaceBuffer& fresh, TStep& last) {
  std::vector<unsigned> reds;
  SurfaceBuffer shown;
  SurfaceBuffer view = fresh;
  while ((last = fade.Tick(true, view.View(), shown)) == TStep::Shown) reds.push_back(Red(shown));
  return reds;
}

}  // namespace

TEST(Fade, InFromLevelOneThenOutDownToZero) {
  SurfaceBuffer normal(2, 2, kNormal), hot(2, 2, kHot);
  TSkinFade fade(In);
  EXPECT_EQ(fade.Level(), 1);
  fade.Start(In, 5, normal.View());
  TStep last;
  // (255 - a) / 256 of the old picture, a = level * 255 div 5.
  EXPECT_EQ(Steps(fade, hot, last), (std::vector<unsigned>{52, 103, 153, 204, 255}));
  EXPECT_EQ(last, TStep::Disable);
  EXPECT_EQ(fade.Level(), 5);  // went one past, came back
  EXPECT_EQ(fade.Direction(), None);
  EXPECT_EQ(fade.Tick(true, hot.View(), normal), TStep::Disable);

  // Idle again: out over the full count, from the hot picture to the normal.
  fade.Start(Out, 5, hot.View());
  EXPECT_EQ(fade.Iterations(), 5);
  EXPECT_EQ(Steps(fade, normal, last), (std::vector<unsigned>{255, 204, 153, 103, 52, 1}));
  EXPECT_EQ(last, TStep::Stop);
  EXPECT_EQ(fade.Level(), -1);
  EXPECT_EQ(fade.Direction(), None);
}

TEST(Fade, TurningBackAndTheStopRules) {
  SurfaceBuffer normal(2, 2, kNormal), hot(2, 2, kHot), shown;
  TSkinFade in(In);
  in.Start(In, 5, normal.View());
  in.Tick(true, hot.View(), shown);
  in.Tick(true, hot.View(), shown);
  in.Start(Out, 5, hot.View());  // still fading in at level 3
  EXPECT_EQ(in.Iterations(), 3);
  EXPECT_EQ(in.Tick(true, normal.View(), shown), TStep::Shown);
  EXPECT_EQ(Red(shown), 255u);     // a = 3 * 255 div 3: the old picture whole
  in.Start(In, 5, normal.View());  // still fading out at level 2
  EXPECT_EQ(in.Iterations(), 3);

  // Made for fading out: level 0, one picture, then the control is told.
  TSkinFade out(Out);
  EXPECT_EQ(out.Level(), 0);
  out.Start(Out, 5, hot.View());
  EXPECT_EQ(out.Tick(true, normal.View(), shown), TStep::Shown);
  EXPECT_EQ(out.Tick(true, normal.View(), shown), TStep::Stop);

  // A control that is gone ends the fade without a picture.
  TSkinFade gone(In);
  gone.Start(In, 5, normal.View());
  EXPECT_EQ(gone.Tick(false, hot.View(), shown), TStep::Disable);
  EXPECT_EQ(gone.Direction(), None);

  // No iterations, or absurd ones: never a blend factor above 255 or a
  // division by zero.
  TSkinFade zeroIn(In), zeroOut(Out), negative(In), huge(Out);
  zeroIn.Start(In, 0, normal.View());
  EXPECT_EQ(zeroIn.Tick(true, hot.View(), shown), TStep::Disable);
  zeroOut.Start(Out, 0, hot.View());
  EXPECT_EQ(zeroOut.Tick(true, normal.View(), shown), TStep::Stop);
  negative.Start(In, INT_MIN, normal.View());
  EXPECT_EQ(negative.Tick(true, hot.View(), shown), TStep::Disable);
  huge.Start(Out, INT_MAX, hot.View());
  EXPECT_EQ(huge.Tick(true, normal.View(), shown), TStep::Shown);
  EXPECT_EQ(Red(shown), 1u);  // a = 0: 255 / 256 of the way to the new picture
}

TEST(Fade, PicturesOfDifferentSizes) {
  SurfaceBuffer old(1, 1, kHot), fresh(3, 2, 0xFF0000FFu), shown;
  TSkinFade fade(In);
  fade.Start(In, 1, old.View());
  EXPECT_EQ(fade.Tick(true, fresh.View(), shown), TStep::Shown);
  ASSERT_EQ(shown.Width(), 3);
  ASSERT_EQ(shown.Height(), 2);
  EXPECT_EQ(shown.At(0, 0), 0xFF0000FFu);  // level 1 of 1: the new picture
  EXPECT_EQ(shown.At(2, 1), 0xFF0000FFu);
  TSkinFade empty(In);
  empty.Start(In, 5, Surface{});
  EXPECT_EQ(empty.Tick(true, Surface{}, shown), TStep::Shown);
}

class FadeTimers : public ::testing::Test {
 protected:
  void SetUp() override {
    screen = &platform::UseHeadlessScreen();
    toolkit::RegisterToolkitClasses();
    app = std::make_unique<toolkit::TApplication>();
    section.FadingIntervalIn = 5;
    section.FadingIntervalOut = 1000;  // not used: both directions take the fade-in interval
    section.FadingIterations = 5;
  }
  void TearDown() override { app.reset(); }

  TSkinFadeControl Control() {
    return TSkinFadeControl{[this] { return alive; }, [this] { return cache.View(); },
                            [this] {
                              ++repaints;
                              Paint(cache, RECT{0, 0, 2, 2}, hot ? kHot : kNormal);
                            },
                            [this](const Surface& s) { shown.push_back(s.At(0, 0) >> 16 & 0xFF); },
                            [this](const TSkinFade& f) {
                              ++stops;
                              stopLevel = f.Level();
                            }};
  }

  platform::HeadlessScreen* screen = nullptr;
  std::unique_ptr<toolkit::TApplication> app;
  TSkinGeneralData section;
  SurfaceBuffer cache{2, 2, kNormal};
  bool alive = true, hot = false;
  int repaints = 0, stops = 0, stopLevel = 0;
  std::vector<unsigned> shown;
};

TEST_F(FadeTimers, FadeInAndOutThroughTheTimer) {
  TSkinFadeTimer timer(Control(), In);
  hot = true;
  timer.Start(In, section);
  EXPECT_EQ(repaints, 1);
  EXPECT_EQ(timer.Timer().Interval(), 5u);
  EXPECT_TRUE(timer.Running());
  screen->Run(100);
  EXPECT_EQ(shown, (std::vector<unsigned>{52, 103, 153, 204, 255}));
  EXPECT_FALSE(timer.Timer().Enabled());

  shown.clear();
  hot = false;
  timer.Start(Out, section);
  EXPECT_EQ(repaints, 2);
  screen->Run(100);
  EXPECT_EQ(shown, (std::vector<unsigned>{255, 204, 153, 103, 52, 1}));
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(stopLevel, -1);
  EXPECT_FALSE(timer.Running());
}

TEST_F(FadeTimers, StoppedByTheControlItsEndOrTheApplication) {
  TSkinFadeTimer pressed(Control(), In);
  pressed.Start(In, section);
  screen->Run(10);
  pressed.Stop();
  const std::size_t before = shown.size();
  screen->Run(100);
  EXPECT_EQ(shown.size(), before);
  EXPECT_FALSE(pressed.Running());

  TSkinFadeTimer gone(Control(), In);
  gone.Start(In, section);
  alive = false;
  gone.Tick();
  EXPECT_FALSE(gone.Timer().Enabled());

  alive = true;
  TSkinFadeTimer ending(Control(), In);
  ending.Start(In, section);
  app->Terminate();
  app->ProcessMessages();
  ASSERT_TRUE(app->Terminated());
  ending.Tick();
  EXPECT_FALSE(ending.Timer().Enabled());
  EXPECT_EQ(stops, 0);
}

TEST(Fade, EveryPixelAndChannelIsMixedByTheSameRuleBothWays) {
  // Pictures of different sizes: where the old one has no pixel the fresh
  // one shows as it is.
  SurfaceBuffer old(37, 5), fresh(40, 6);
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  for (int y = 0; y < old.Height(); ++y)
    for (int x = 0; x < old.Width(); ++x) old.At(x, y) = next();
  for (int y = 0; y < fresh.Height(); ++y)
    for (int x = 0; x < fresh.Width(); ++x) fresh.At(x, y) = next() & 0xFFFFFFu;
  for (auto direction : {In, Out}) {
    TSkinFade fade(In);
    // Seven steps give uneven shares; two give halves, where ties to even
    // decide the rounding.
    fade.Start(direction, direction == In ? 7 : 2, old.View());
    SurfaceBuffer shown;
    int steps = 0;
    for (int step = 0; step < 3; ++step) {
      const int level = fade.Level();
      if (fade.Tick(true, fresh.View(), shown) != TStep::Shown) break;
      ++steps;
      const unsigned keep = 255 - unsigned(level * 255 / fade.Iterations());
      for (int y = 0; y < fresh.Height(); ++y)
        for (int x = 0; x < fresh.Width(); ++x) {
          const std::uint32_t now = fresh.At(x, y);
          std::uint32_t want = now | 0xFF000000u;
          if (x < old.Width() && y < old.Height())
            want = direction == In ? MixShare256(old.At(x, y), now, keep)
                                   : MixShare256(now, old.At(x, y), keep);
          ASSERT_EQ(shown.At(x, y), want) << x << "," << y << " step " << step;
        }
    }
    EXPECT_GE(steps, 2);
  }
}
