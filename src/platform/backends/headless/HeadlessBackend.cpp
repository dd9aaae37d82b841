#include "platform/backends/headless/HeadlessBackend.h"

#include <algorithm>
#include <chrono>

#include "platform/backends/headless/ScreenCompositor.h"

namespace platform {

namespace {

std::uint64_t SteadyMs() {
  using namespace std::chrono;
  return std::uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

HeadlessBackend::HeadlessBackend(const HeadlessOptions& options) : options_(options) {
  options_.width = std::clamp(options_.width, 1, 16384);
  options_.height = std::clamp(options_.height, 1, 16384);
  options_.taskbarHeight = std::clamp(options_.taskbarHeight, 0, options_.height - 1);
  screen_.Resize(options_.width, options_.height, kDesktopPixel);
  realStart_ = SteadyMs();
  // A start well above zero keeps "due" arithmetic away from the edge.
  clock_ = 1000;
}

RECT HeadlessBackend::ScreenRect() const {
  return RECT{0, 0, options_.width, options_.height};
}

RECT HeadlessBackend::WorkArea() const {
  return RECT{0, 0, options_.width, options_.height - options_.taskbarHeight};
}

std::uint64_t HeadlessBackend::NowMs() {
  if (options_.virtualClock) return clock_;
  return SteadyMs() - realStart_ + 1000;
}

void HeadlessBackend::Wait(std::optional<std::uint64_t> deadline) {
  std::unique_lock lock(mutex_);
  if (woken_) {
    woken_ = false;
    return;
  }
  if (options_.virtualClock) {
    if (deadline) {
      clock_ = std::max(clock_, *deadline);
      return;
    }
    // Nothing will ever happen unless another thread posts.
    wake_.wait(lock, [&] { return woken_; });
  } else if (deadline) {
    auto now = NowMs();
    if (*deadline > now)
      wake_.wait_for(lock, std::chrono::milliseconds(*deadline - now), [&] { return woken_; });
  } else {
    wake_.wait(lock, [&] { return woken_; });
  }
  woken_ = false;
}

void HeadlessBackend::Wake() {
  {
    std::lock_guard lock(mutex_);
    woken_ = true;
  }
  wake_.notify_one();
}

void HeadlessBackend::Present(std::span<const TopLevelView> views) {
  std::vector<Shown> now;
  Region changed;
  for (const TopLevelView& v : views) {
    if (v.minimized) continue;
    now.push_back(
        Shown{v.hwnd, v.rect, v.picture.pixels, v.shape != nullptr, v.shape ? *v.shape : Region()});
    RECT d = v.dirty;
    OffsetRect(&d, v.rect.left, v.rect.top);
    if (!d.IsEmpty()) changed |= Region(d);
  }
  if (now == shown_) {
    // The same windows in the same places: only what they redrew is put
    // together again, so typing into an edit does not recompose the screen.
    if (!changed.IsEmpty()) ComposeScreen(screen_.View(), views, kDesktopPixel, &changed);
    return;
  }
  shown_ = std::move(now);
  ComposeScreen(screen_.View(), views);
}

bool HeadlessBackend::SetClipboardText(const std::string& text) {
  clipboard_ = text;
  return true;
}

std::optional<std::string> HeadlessBackend::GetClipboardText() {
  return clipboard_;
}

void HeadlessBackend::AdvanceClock(std::uint64_t ms) {
  clock_ += ms;
}

}  // namespace platform
