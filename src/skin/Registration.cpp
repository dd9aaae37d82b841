#include "skin/Registration.h"

#include "component/ClassInfo.h"
#include "dataaware/DBControls.h"
#include "skin/SkinManager.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinDBControls.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinGridAdapter.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinListBox.h"
#include "skin/frame/SkinProvider.h"
#include "skin/frame/TitleBarWords.h"
#include "toolkit/ResStrings.h"

namespace skin {

void RegisterSkinClasses() {
  component::RegisterClasses<TSkinManager, TSkinProvider, TSkinSystemMenu>();
  component::RegisterClasses<TSkinLabel, TSkinEditLabel>();
  component::RegisterClasses<TSkinEdit, TSkinComboBox, TSkinDBEdit, TSkinDBComboBox>();
  component::RegisterClasses<dataaware::TDBEdit, dataaware::TDBComboBox>();
  component::RegisterClasses<TSkinButton>();
  component::RegisterClasses<TSkinGroupBox>();
  component::RegisterClasses<TSkinBevel, TSkinGridAdapter>();
  component::RegisterClasses<TSkinBaseListBox, TSkinListBox, TSkinScrollBar>();
  toolkit::AddResStringSource(&TitleBarWord);
}

}  // namespace skin
