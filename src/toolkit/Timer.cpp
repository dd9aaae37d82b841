#include "toolkit/Timer.h"

#include "component/ClassBuilder.h"
#include "toolkit/Application.h"

namespace toolkit {

using namespace component;
namespace p = platform;

namespace {
constexpr const char* kTimerClass = "TTimerWindow";
constexpr std::uintptr_t kTimerId = 1;
}  // namespace

const TClassInfo& TTimer::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTimer, TComponent>("TTimer")
                                     .Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
                                     .Property("Interval", &TTimer::Interval, &TTimer::SetInterval)
                                     .Event("OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer)
                                     .Build();
  return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
  Destroying();
  if (window_) {
    p::KillTimer(window_, kTimerId);
    p::SetWindowLongPtr(window_, p::GWLP_USERDATA, 0);
    p::DestroyWindow(window_);
  }
}

p::LRESULT TTimer::WndProc(p::HWND hwnd, p::UINT msg, p::WPARAM wp, p::LPARAM lp) {
  if (msg == p::WM_TIMER) {
    auto* timer = reinterpret_cast<TTimer*>(p::GetWindowLongPtr(hwnd, p::GWLP_USERDATA));
    if (timer) {
      try {
        timer->Timer();
      } catch (...) {
        HandleException(timer);
      }
    }
    return 0;
  }
  return p::DefWindowProc(hwnd, msg, wp, lp);
}

void TTimer::SetEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  UpdateTimer();
}

void TTimer::SetInterval(std::uint32_t ms) {
  if (interval_ == ms) return;
  interval_ = ms;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (ComponentState().Contains(csLoading)) return;  // set up once loaded
  if (running_) {
    p::KillTimer(window_, kTimerId);
    running_ = false;
  }
  if (!enabled_ || interval_ == 0 || !onTimer_) return;
  if (!window_) {
    // Registered again whenever the window system was started anew.
    p::WNDCLASS existing;
    if (!p::GetClassInfo(kTimerClass, &existing)) {
      p::WNDCLASS wc;
      wc.lpfnWndProc = &TTimer::WndProc;
      wc.lpszClassName = kTimerClass;
      p::RegisterClass(&wc);
    }
    window_ = p::CreateWindowEx(0, kTimerClass, "", p::WS_POPUP, 0, 0, 0, 0, p::HWND{}, p::HMENU{});
    p::SetWindowLongPtr(window_, p::GWLP_USERDATA, reinterpret_cast<p::LONG_PTR>(this));
  }
  running_ = p::SetTimer(window_, kTimerId, interval_, nullptr) != 0;
}

void TTimer::Timer() {
  if (enabled_ && onTimer_) onTimer_(this);
}

}  // namespace toolkit
