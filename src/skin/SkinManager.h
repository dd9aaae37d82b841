// TSkinManager: the component that chooses the skin every skinned window
// and control paints with, from the skins stored with it (InternalSkins) or
// from a skin folder, and tells every window when the skin changes. The
// first manager created is the process's active one; others do nothing.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "component/Component.h"
#include "skin/data/StoredSkin.h"
#include "skin/menu/SkinMenu.h"
#include "toolkit/Strings.h"
#include "toolkit/Types.h"

namespace skin {

class TSkinManager : public component::TComponent {
 public:
  COMPONENT_CLASS_INFO()

  explicit TSkinManager(component::TComponent* owner);
  ~TSkinManager() override;

  // --- published
  bool Active() const { return active_; }
  void SetActive(bool v);
  // Extra ini text whose sections add to any skin; blanks are taken out of
  // every line that does not start with ";".
  toolkit::TStrings* CommonSections() const { return commonSections_.get(); }
  // Replaces the lines and reloads once (each change to the list itself
  // reloads too).
  void SetCommonSections(const std::vector<std::string>& lines);
  TStoredSkins* InternalSkins() const { return internalSkins_.get(); }
  const std::string& SkinDirectory() const { return skinDirectory_; }
  void SetSkinDirectory(std::string_view v);
  const std::string& SkinName() const { return skinName_; }
  void SetSkinName(std::string_view v);
  bool SkinnedPopups() const { return skinnedPopups_; }
  void SetSkinnedPopups(bool v) { skinnedPopups_ = v; }
  toolkit::TNotifyEvent OnBeforeChange;
  toolkit::TNotifyEvent OnAfterChange;
  // Called after each skinned drop-down item is drawn, with the canvas of
  // its picture, before the picture goes to the screen.
  TSkinMenuDrawEvent OnDrawMenuItem;

  // --- run time
  bool IsActiveManager() const;
  // SkinDirectory resolved against the program's folder, ending in "\".
  const std::string& SkinFolder() const { return skinFolder_; }
  // The stored skin names, then the skin folder's sub-folders, sorted.
  std::vector<std::string> GetSkinNames() const;
  // Why the last skin from a folder was refused or which of its pieces were
  // dropped; empty after a clean load.
  const std::vector<std::string>& LoadProblems() const { return problems_; }

  // The menu object: skins the windows' menus while a skin is loaded.
  TSkinMenu& SkinMenu() { return *skinMenu_; }

  // The folder relative skin directories start from; the program's own by
  // default.
  static void SetProgramFolder(std::string folder);

  void Loaded() override;

 private:
  void ChooseSkin();
  void LoadSkin();
  void RemoveSkin();
  void CommonSectionsChanged();
  void UpdateSkinFolder();

  bool active_ = true;
  bool skinnedPopups_ = true;
  bool settingCommon_ = false;
  std::unique_ptr<toolkit::TStrings> commonSections_;
  std::unique_ptr<TStoredSkins> internalSkins_;
  std::string skinDirectory_;
  std::string loadedName_;  // the skin in the tables, to go back to when one is refused
  std::string skinName_;
  std::string skinFolder_;
  std::vector<std::string> problems_;
  std::unique_ptr<TSkinMenu> skinMenu_;
};

}  // namespace skin
