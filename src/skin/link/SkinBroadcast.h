// Telling every window and every component on it that the skin changed.
#pragma once

#include "platform/base/Types.h"

namespace component {
class TComponent;
}

namespace skin {

// A component that is no control but takes skin messages (a window's frame
// painter, a grid's adapter) derives from this as well.
class TSkinMessageReceiver {
 public:
  virtual ~TSkinMessageReceiver() = default;
  virtual platform::LRESULT SkinMessage(platform::UINT msg, platform::WPARAM wParam,
                                        platform::LPARAM lParam) = 0;
};

// Delivers the message to every form the application created and to every
// component each one owns, recursively: windowed controls through their
// window, other controls directly, receivers through their handler.
// Components being destroyed or restored are passed over.
void SendToAllWindows(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam);

// The same for one component and what it owns.
void SendToComponent(component::TComponent& component, platform::UINT msg, platform::WPARAM wParam,
                     platform::LPARAM lParam);

// A new skin: SKM_SETNEWSKIN, the shared indexes, then SKM_REFRESH; the
// skin is ready afterwards.
void BroadcastSkinChange(component::TComponent* manager);

}  // namespace skin
