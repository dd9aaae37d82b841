#include "skin/FadeTimer.h"

#include <algorithm>

#include "skin/PaintPixels.h"
#include "toolkit/Application.h"

namespace skin {

TSkinFade::TSkinFade(TSkinFadeDirection createdFor)
    : level_(createdFor == TSkinFadeDirection::In ? 1 : 0) {}

void TSkinFade::Start(TSkinFadeDirection direction, int iterations, const Surface& current) {
  old_.Resize(current.IsEmpty() ? 0 : current.width, current.IsEmpty() ? 0 : current.height);
  for (int y = 0; y < old_.Height(); ++y)
    std::copy_n(current.Row(y), old_.Width(), old_.Pixels() + std::size_t(y) * old_.Width());
  switch (direction_) {
    case TSkinFadeDirection::None:
      iterations_ = iterations;
      break;
    case TSkinFadeDirection::In:
      iterations_ = level_;
      break;
    case TSkinFadeDirection::Out:
      iterations_ = iterations - level_;
      break;
  }
  direction_ = direction;
}

TSkinFade::TStep TSkinFade::Tick(bool controlAlive, const Surface& fresh, SurfaceBuffer& shown) {
  if (!controlAlive) {
    direction_ = TSkinFadeDirection::None;
  } else if (level_ > iterations_) {
    --level_;
    direction_ = TSkinFadeDirection::None;
  } else if (level_ < 0 || iterations_ <= 0) {
    // No step of a fade without iterations is valid either.
    direction_ = TSkinFadeDirection::None;
    return TStep::Stop;
  }
  if (direction_ == TSkinFadeDirection::None) return TStep::Disable;
  const unsigned keep = 255 - unsigned(std::int64_t(level_) * 255 / iterations_);
  const bool in = direction_ == TSkinFadeDirection::In;
  shown.Resize(fresh.width, fresh.height);
  const Surface out = shown.View();
  for (int y = 0; y < out.height; ++y) {
    const std::uint32_t* now = fresh.Row(y);
    std::uint32_t* to = out.Row(y);
    const bool oldRow = y < old_.Height();
    for (int x = 0; x < out.width; ++x) {
      if (!oldRow || x >= old_.Width()) {
        to[x] = now[x] | kOpaque;
        continue;
      }
      const std::uint32_t before = old_.At(x, y);
      to[x] = in ? MixShare256(before, now[x], keep) : MixShare256(now[x], before, keep);
    }
  }
  level_ += in ? 1 : -1;
  return TStep::Shown;
}

TSkinFadeTimer::TSkinFadeTimer(TSkinFadeControl control, TSkinFadeDirection createdFor)
    : fade_(createdFor), control_(std::move(control)), timer_(new toolkit::TTimer(nullptr)) {
  timer_->SetEnabled(false);
  timer_->SetOnTimer([this](component::TObject*) { Tick(); });
}

TSkinFadeTimer::~TSkinFadeTimer() = default;

void TSkinFadeTimer::Start(TSkinFadeDirection direction, const TSkinGeneralData& section) {
  timer_->SetInterval(std::uint32_t(std::max(section.FadingIntervalIn, 1)));
  fade_.Start(direction, section.FadingIterations, control_.Cache ? control_.Cache() : Surface{});
  if (control_.RepaintCache) control_.RepaintCache();
  timer_->SetEnabled(true);
}

void TSkinFadeTimer::Tick() {
  const bool alive = (!control_.Alive || control_.Alive()) &&
                     !(toolkit::Application && toolkit::Application->Terminated());
  const Surface fresh = control_.Cache ? control_.Cache() : Surface{};
  switch (fade_.Tick(alive, fresh, shown_)) {
    case TSkinFade::TStep::Shown:
      if (control_.Show) control_.Show(shown_.View());
      break;
    case TSkinFade::TStep::Disable:
      timer_->SetEnabled(false);
      break;
    case TSkinFade::TStep::Stop:
      timer_->SetEnabled(false);
      if (control_.StopFading) control_.StopFading(fade_);
      break;
  }
}

void TSkinFadeTimer::Stop() {
  fade_.Stop();
  timer_->SetEnabled(false);
}

bool TSkinFadeTimer::Running() const {
  return timer_->Enabled() && fade_.Direction() != TSkinFadeDirection::None;
}

}  // namespace skin
