// The animated change between a control's normal and hot pictures: a small
// state machine (TSkinFade) that works out each step's picture, and
// TSkinFadeTimer that drives it from a timer and talks to its control
// through callbacks.
#pragma once

#include <functional>
#include <memory>

#include "skin/data/SkinTables.h"
#include "toolkit/Timer.h"

namespace skin {

enum class TSkinFadeDirection { None, In, Out };

class TSkinFade {
 public:
  enum class TStep {
    Shown,    // a picture to show was made
    Disable,  // nothing to do: the timer should stop
    Stop,     // the fade is over: the control should stop fading
  };

  // A fade made for fading in starts at level 1, one for fading out at 0.
  explicit TSkinFade(TSkinFadeDirection createdFor);

  // Keeps a copy of the picture shown so far and works out the number of
  // steps: `iterations` when idle, the current level when turning back from
  // a fade in, `iterations` less the level when turning back from a fade out.
  void Start(TSkinFadeDirection direction, int iterations, const Surface& current);
  // One step: `fresh` is the control's picture in its new state. On Shown,
  // `shown` holds the mix of the old and the fresh picture for this level.
  TStep Tick(bool controlAlive, const Surface& fresh, SurfaceBuffer& shown);
  void Stop() { direction_ = TSkinFadeDirection::None; }

  TSkinFadeDirection Direction() const { return direction_; }
  int Level() const { return level_; }
  int Iterations() const { return iterations_; }
  const SurfaceBuffer& Old() const { return old_; }

 private:
  TSkinFadeDirection direction_ = TSkinFadeDirection::None;
  int level_ = 0;
  int iterations_ = 0;
  SurfaceBuffer old_;
};

// What the fade needs from its control.
struct TSkinFadeControl {
  std::function<bool()> Alive;                       // the control still exists
  std::function<Surface()> Cache;                    // its cached picture
  std::function<void()> RepaintCache;                // repaint the cache in the new state
  std::function<void(const Surface&)> Show;          // put a picture on its window
  std::function<void(const TSkinFade&)> StopFading;  // end the fade; free the timer later
};

class TSkinFadeTimer {
 public:
  TSkinFadeTimer(TSkinFadeControl control, TSkinFadeDirection createdFor);
  ~TSkinFadeTimer();

  // Starts (or turns) a fade with the section's FadingIntervalIn (for both
  // directions) and FadingIterations: keeps the current picture, has the
  // cache repainted in the new state and starts the timer.
  void Start(TSkinFadeDirection direction, const TSkinGeneralData& section);
  // One timer tick. StopFading is called from inside it, so the control
  // must not free this object before the tick has returned.
  void Tick();
  // A mouse press or a lost skin: the fade ends at once.
  void Stop();

  bool Running() const;
  const TSkinFade& Fade() const { return fade_; }
  toolkit::TTimer& Timer() { return *timer_; }

 private:
  TSkinFade fade_;
  TSkinFadeControl control_;
  std::unique_ptr<toolkit::TTimer> timer_;
  SurfaceBuffer shown_;
};

}  // namespace skin
