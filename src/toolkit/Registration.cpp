#include "toolkit/Registration.h"

#include "component/ClassInfo.h"
#include "toolkit/Bevel.h"
#include "toolkit/Button.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Menus.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/Timer.h"

namespace toolkit {

void RegisterToolkitClasses() {
  component::RegisterClasses<TForm, TLabel, TBevel, TGroupBox, TSpeedButton, TTimer, TMainMenu,
                             TMenuItem, TEdit, TListBox, TComboBox, TButton, TPopupMenu>();
}

}  // namespace toolkit
