#include "toolkit/OwnerDrawState.h"

#include "platform/window/OwnerDraw.h"

namespace toolkit {

namespace p = platform;

TOwnerDrawState OwnerDrawState(p::UINT s) {
  TOwnerDrawState state;
  if (s & p::ODS_SELECTED) state.Include(odSelected);
  if (s & p::ODS_GRAYED) state.Include(odGrayed);
  if (s & p::ODS_DISABLED) state.Include(odDisabled);
  if (s & p::ODS_CHECKED) state.Include(odChecked);
  if (s & p::ODS_FOCUS) state.Include(odFocused);
  if (s & p::ODS_DEFAULT) state.Include(odDefault);
  if (s & p::ODS_HOTLIGHT) state.Include(odHotLight);
  if (s & p::ODS_INACTIVE) state.Include(odInactive);
  if (s & p::ODS_NOACCEL) state.Include(odNoAccel);
  if (s & p::ODS_COMBOBOXEDIT) state.Include(odComboBoxEdit);
  return state;
}

}  // namespace toolkit
