#include "skin/Registration.h"

#include "component/ClassInfo.h"
#include "skin/DBControls.h"
#include "skin/SkinBevel.h"
#include "skin/SkinButton.h"
#include "skin/SkinComboBox.h"
#include "skin/SkinDBControls.h"
#include "skin/SkinEdit.h"
#include "skin/SkinGridAdapter.h"
#include "skin/SkinGroupBox.h"
#include "skin/SkinLabel.h"
#include "skin/SkinListBox.h"
#include "skin/SkinManager.h"
#include "skin/SkinProvider.h"

namespace skin {

void RegisterSkinClasses() {
  component::RegisterClasses<TSkinManager, TSkinProvider, TSkinSystemMenu>();
  component::RegisterClasses<TSkinLabel, TSkinEditLabel>();
  component::RegisterClasses<TSkinEdit, TSkinComboBox, TSkinDBEdit, TSkinDBComboBox>();
  component::RegisterClasses<TDBEdit, TDBComboBox>();
  component::RegisterClasses<TSkinButton>();
  component::RegisterClasses<TSkinGroupBox>();
  component::RegisterClasses<TSkinBevel, TSkinGridAdapter>();
  component::RegisterClasses<TSkinBaseListBox, TSkinListBox, TSkinScrollBar>();
}

}  // namespace skin
