// How an owner-drawn item (a list box row, a menu item) is to be drawn:
// selected, greyed, checked and so on, from the platform's draw request.
#pragma once

#include "component/Set.h"
#include "platform/base/Types.h"

namespace toolkit {

enum TOwnerDrawStateFlag {
  odSelected,
  odGrayed,
  odDisabled,
  odChecked,
  odFocused,
  odDefault,
  odHotLight,
  odInactive,
  odNoAccel,
  odNoFocusRect,
  odReserved1,
  odReserved2,
  odComboBoxEdit
};
using TOwnerDrawState = component::TSet<TOwnerDrawStateFlag>;

// The owner-draw state of a platform draw request.
TOwnerDrawState OwnerDrawState(platform::UINT itemState);

}  // namespace toolkit
