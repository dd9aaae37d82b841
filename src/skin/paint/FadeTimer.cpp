#include "skin/paint/FadeTimer.h"

#include <algorithm>

#include "skin/paint/PaintPixels.h"
#include "toolkit/Application.h"

namespace skin {

namespace {

// rounded(n / 256), ties to even, as MixShare256 rounds.
inline std::uint32_t Round256(unsigned n) {
  const unsigned q = n >> 8, r = n & 0xFF;
  return q + ((r + (q & 1)) > 128);
}

// MixShare256 over a row, each channel spelt out so that the loop stays
// free of calls and inner loops: a fade mixes every pixel of the control
// once per step.
void MixRow(const std::uint32_t* a, const std::uint32_t* b, std::uint32_t* to, int count,
            unsigned aShare, unsigned bShare) {
  for (int x = 0; x < count; ++x) {
    const std::uint32_t p = a[x], q = b[x];
    const std::uint32_t red = Round256((p >> 16 & 0xFF) * aShare + (q >> 16 & 0xFF) * bShare);
    const std::uint32_t green = Round256((p >> 8 & 0xFF) * aShare + (q >> 8 & 0xFF) * bShare);
    const std::uint32_t blue = Round256((p & 0xFF) * aShare + (q & 0xFF) * bShare);
    to[x] = kOpaque | red << 16 | green << 8 | blue;
  }
}

}  // namespace

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
  // Fading in, the old picture keeps the share; fading out, the fresh one.
  const unsigned oldShare = in ? keep : 256 - keep, freshShare = 256 - oldShare;
  for (int y = 0; y < out.height; ++y) {
    const std::uint32_t* now = fresh.Row(y);
    std::uint32_t* to = out.Row(y);
    const int mixed = y < old_.Height() ? std::min(out.width, old_.Width()) : 0;
    if (mixed > 0)
      MixRow(old_.Pixels() + std::size_t(y) * old_.Width(), now, to, mixed, oldShare, freshShare);
    for (int x = mixed; x < out.width; ++x) to[x] = now[x] | kOpaque;
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
