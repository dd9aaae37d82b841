// TTimer: a message-based timer. Its ticks arrive through the message loop
// (WM_TIMER to a hidden window of its own), between other messages, inside
// the application's error guard; a tick that falls due while a handler runs
// comes after it.
#pragma once

#include <cstdint>

#include "component/Component.h"
#include "platform/window/Window.h"
#include "toolkit/Types.h"

namespace toolkit {

class TTimer : public component::TComponent {
 public:
  COMPONENT_CLASS_INFO()

  explicit TTimer(component::TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  std::uint32_t Interval() const { return interval_; }
  void SetInterval(std::uint32_t ms);
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent handler);

  void Loaded() override;

 protected:
  virtual void Timer();

 private:
  static platform::LRESULT WndProc(platform::HWND hwnd, platform::UINT msg, platform::WPARAM wp,
                                   platform::LPARAM lp);
  void UpdateTimer();

  bool enabled_ = true;
  std::uint32_t interval_ = 1000;
  TNotifyEvent onTimer_;
  platform::HWND window_;
  bool running_ = false;
};

}  // namespace toolkit
