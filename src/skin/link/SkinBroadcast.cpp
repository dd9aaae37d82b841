#include "skin/link/SkinBroadcast.h"

#include "component/Component.h"
#include "platform/window/Window.h"
#include "skin/data/SkinData.h"
#include "skin/link/SkinMessages.h"
#include "toolkit/Form.h"
#include "toolkit/Screen.h"
#include "toolkit/WinControl.h"

namespace skin {

using component::csDestroying;
using component::csLoading;

void SendToComponent(component::TComponent& c, platform::UINT msg, platform::WPARAM wp,
                     platform::LPARAM lp) {
  const auto state = c.ComponentState();
  if (state.Contains(csDestroying) || state.Contains(csLoading)) return;
  if (auto* win = dynamic_cast<toolkit::TWinControl*>(&c); win && win->HandleAllocated())
    platform::SendMessage(win->Handle(), msg, wp, lp);
  else if (auto* control = dynamic_cast<toolkit::TControl*>(&c))
    control->Perform(msg, wp, lp);
  else if (auto* receiver = dynamic_cast<TSkinMessageReceiver*>(&c))
    receiver->SkinMessage(msg, wp, lp);
  // Frames and embedded windows own their own controls.
  for (int i = 0; i < c.ComponentCount(); ++i) SendToComponent(*c.Components(i), msg, wp, lp);
}

void SendToAllWindows(platform::UINT msg, platform::WPARAM wp, platform::LPARAM lp) {
  // A handler may create or free forms; walk a snapshot.
  std::vector<toolkit::TCustomForm*> forms;
  for (int i = 0; i < toolkit::Screen->FormCount(); ++i) forms.push_back(toolkit::Screen->Forms(i));
  for (toolkit::TCustomForm* form : forms) SendToComponent(*form, msg, wp, lp);
}

void BroadcastSkinChange(component::TComponent* manager) {
  TSkinData& data = GlobalSkin();
  data.Tables.Ready = false;
  const auto lp = reinterpret_cast<platform::LPARAM>(manager);
  SendToAllWindows(SKM_SETNEWSKIN, 0, lp);
  UpdateCommonIndexes();
  SendToAllWindows(SKM_REFRESH, 0, lp);
  data.Tables.Ready = true;
}

}  // namespace skin
