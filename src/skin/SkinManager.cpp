#include "skin/SkinManager.h"

#include <algorithm>
#include <cstdio>

#include "component/ClassBuilder.h"
#include "platform/base/LocaleServices.h"
#include "platform/dialog/MessageBox.h"
#include "platform/window/Window.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinFolder.h"
#include "skin/data/SkinIni.h"
#include "skin/data/SkinLoader.h"
#include "skin/link/SkinBroadcast.h"
#include "skin/link/SkinMessages.h"
#include "toolkit/Application.h"

namespace skin {

using namespace component;

namespace {

constexpr std::string_view kDefaultSkinDirectory = "c:\\Skins";

std::string& ProgramFolderSetting() {
  static std::string folder;
  return folder;
}

std::string ProgramFolderInUse() {
  std::string& folder = ProgramFolderSetting();
  if (folder.empty()) folder = ProgramFolder();
  return folder;
}

// Skin problems go where someone running the program can read them.
void Tell(const std::string& skinName, const std::string& what) {
  std::fprintf(stderr, "sprintara: skin '%s': %s\n", skinName.c_str(), what.c_str());
}

}  // namespace

const TClassInfo& TSkinManager::StaticClassInfo() {
  using T = TSkinManager;
  static const TClassInfo info =
      TClassBuilder<T, TComponent>("TSkinManager")
          .Property("Active", &T::Active, &T::SetActive)
          .Property("CommonSections", &T::CommonSections)
          .Property("InternalSkins", &T::InternalSkins)
          .Property("SkinDirectory", &T::SkinDirectory, &T::SetSkinDirectory)
          .Property("SkinName", &T::SkinName, &T::SetSkinName)
          .Property("SkinnedPopups", &T::SkinnedPopups, &T::SetSkinnedPopups)
          .Event("OnBeforeChange", &T::OnBeforeChange)
          .Event("OnAfterChange", &T::OnAfterChange)
          .Build();
  return info;
}

TSkinManager::TSkinManager(TComponent* owner)
    : TComponent(owner),
      commonSections_(std::make_unique<toolkit::TStrings>()),
      internalSkins_(std::make_unique<TStoredSkins>(this)),
      skinDirectory_(kDefaultSkinDirectory),
      skinMenu_(std::make_unique<TSkinMenu>(
          TSkinMenuHost{[this] { return skinnedPopups_; }, [this] { return Owner(); },
                        [this]() -> const TSkinMenuDrawEvent& { return OnDrawMenuItem; }})) {
  commonSections_->OnChange = [this](toolkit::TStrings::Change, int) { CommonSectionsChanged(); };
  if (GlobalSkin().Manager == nullptr) {
    GlobalSkin().Manager = this;
    GlobalSkin().HookNewMenus = [this](toolkit::TCustomForm& form) { skinMenu_->HookNew(form); };
  }
  UpdateSkinFolder();
}

TSkinManager::~TSkinManager() {
  commonSections_->OnChange = nullptr;
  if (IsActiveManager()) {
    RemoveSkin();
    GlobalSkin().Manager = nullptr;
    GlobalSkin().HookNewMenus = nullptr;
  }
}

void TSkinManager::SetProgramFolder(std::string folder) {
  ProgramFolderSetting() = std::move(folder);
}

bool TSkinManager::IsActiveManager() const {
  return GlobalSkin().Manager == this;
}

void TSkinManager::SetActive(bool v) {
  if (v == active_) return;
  active_ = v;
  if (!IsActiveManager() || ComponentState().Contains(csLoading)) return;
  if (active_) {
    ChooseSkin();
    return;
  }
  if (OnBeforeChange) OnBeforeChange(this);
  RemoveSkin();
  if (OnAfterChange) OnAfterChange(this);
}

void TSkinManager::SetSkinDirectory(std::string_view v) {
  skinDirectory_ = v;
  UpdateSkinFolder();
}

void TSkinManager::UpdateSkinFolder() {
  skinFolder_ = ResolveSkinDirectory(skinDirectory_, ProgramFolderInUse());
}

void TSkinManager::SetSkinName(std::string_view v) {
  skinName_ = v;
  ChooseSkin();
}

void TSkinManager::SetCommonSections(const std::vector<std::string>& lines) {
  settingCommon_ = true;
  commonSections_->SetStringValues(lines);
  settingCommon_ = false;
  CommonSectionsChanged();
}

void TSkinManager::CommonSectionsChanged() {
  if (settingCommon_ || ComponentState().Contains(csLoading)) return;
  ChooseSkin();
}

std::vector<std::string> TSkinManager::GetSkinNames() const {
  std::vector<std::string> names;
  for (int i = 0; i < internalSkins_->Count(); ++i) names.push_back(internalSkins_->Items(i)->Name);
  for (std::string& folder : SubFolders(skinFolder_)) names.push_back(std::move(folder));
  // As a sorted list shows them: by the user's locale, ignoring case.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const int r = platform::CompareStringA(platform::LOCALE_USER_DEFAULT, platform::NORM_IGNORECASE,
                                           a.data(), int(a.size()), b.data(), int(b.size()));
    return r == 0 || r == platform::CSTR_EQUAL ? a < b : r == platform::CSTR_LESS_THAN;
  });
  return names;
}

void TSkinManager::ChooseSkin() {
  if (!IsActiveManager() || !active_) return;
  if (OnBeforeChange) OnBeforeChange(this);
  if (skinName_.empty()) {
    skinDirectory_.clear();
    UpdateSkinFolder();
  }
  TSkinData& data = GlobalSkin();
  problems_.clear();
  const bool wasReady = data.Tables.Ready;
  data.Tables.Ready = false;

  const std::string folder = skinFolder_ + skinName_ + "\\";
  std::optional<std::string> ini;
  std::string refusal;
  bool oldFormat = false;
  if (!skinName_.empty() && !skinFolder_.empty() && FileExists(folder + "Skin.ini")) {
    ini = ReadFileText(folder + "Skin.ini");
    if (!ini) {
      refusal = "cannot read " + folder + "Skin.ini";
    } else if (const TSkinIniContent probe = ReadSkinIni(*ini, {}); !probe.Ok()) {
      refusal = probe.Message;
      oldFormat = probe.Error == TSkinIniError::OldFormat;
      ini.reset();
    }
  }
  if (!refusal.empty()) {
    // Said once, and the program stays painted: with the skin it had, or,
    // with none loaded yet, the stored one.
    problems_.assign(1, refusal);
    Tell(skinName_, "not used: " + refusal);
    if (oldFormat && toolkit::Application)
      toolkit::Application->MessageBox(refusal, toolkit::Application->Title(),
                                       platform::MB_OK | platform::MB_ICONERROR);
    if (!loadedName_.empty()) {
      skinName_ = loadedName_;
      data.Tables.Ready = wasReady;
      if (OnAfterChange) OnAfterChange(this);
      return;
    }
  }
  data.SkinFile.clear();
  data.SkinFileOpen = false;
  data.SkinPath.clear();
  if (ini) {
    data.SkinFile = std::move(*ini);
    data.SkinFileOpen = true;
    data.SkinPath = folder;
  } else if (!internalSkins_->Find(skinName_) && internalSkins_->Count() > 0) {
    skinName_ = internalSkins_->Items(0)->Name;
  }
  if (!ComponentState().Contains(csLoading)) LoadSkin();
  if (OnAfterChange) OnAfterChange(this);
}

void TSkinManager::LoadSkin() {
  TSkinData& data = GlobalSkin();
  TSkinTables& tables = data.Tables;
  const std::size_t told = problems_.size();  // a refusal on the way here was told
  std::string common;
  for (int i = 0; i < commonSections_->Count(); ++i) common += commonSections_->Strings(i) + "\n";
  common = RemoveCommonSectionBlanks(common);

  if (data.SkinFileOpen) {
    TSkinFolderLoad load = LoadFolderSkin(data.SkinFile, data.SkinPath, tables);
    data.Version = load.Info.Version;
    data.Author = load.Info.Author;
    data.Description = load.Info.Description;
    problems_.insert(problems_.end(), load.Rejected.begin(), load.Rejected.end());
  } else if (const TStoredSkin* stored = internalSkins_->Find(skinName_)) {
    data.Version = 0;
    data.Author.clear();
    data.Description.clear();
    LoadStoredMasks(*stored, tables);
    LoadStoredPatterns(*stored, tables);
    LoadStoredSections(*stored, tables);
  } else {
    tables.Clear();
  }
  LoadCommonSections(common, data.SkinPath, tables, &problems_);
  for (std::size_t i = told; i < problems_.size(); ++i) Tell(skinName_, problems_[i]);
  loadedName_ = skinName_;
  BroadcastSkinChange(this);
  if (tables.Sections.empty())
    skinMenu_->UnhookAll();
  else
    skinMenu_->SkinChanged();
}

void TSkinManager::RemoveSkin() {
  TSkinData& data = GlobalSkin();
  data.Tables.Ready = false;
  SendToAllWindows(SKM_REMOVESKIN, 0, reinterpret_cast<platform::LPARAM>(this));
  skinMenu_->UnhookAll();
  data.Tables.Clear();
  loadedName_.clear();
  data.SkinFile.clear();
  data.SkinFileOpen = false;
  data.SkinPath.clear();
  UpdateCommonIndexes();
}

void TSkinManager::Loaded() {
  TComponent::Loaded();
  if (IsActiveManager() && active_ && !skinName_.empty()) ChooseSkin();
}

}  // namespace skin
