#include "skin/link/SkinCommonData.h"

#include "component/ClassBuilder.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinText.h"
#include "skin/link/SkinMessages.h"
#include "skin/paint/PictureSurface.h"
#include "toolkit/Control.h"
#include "toolkit/WinControl.h"

namespace skin {

using namespace component;

platform::LRESULT SendToParent(const toolkit::TControl& control, platform::UINT msg,
                               platform::WPARAM wParam, platform::LPARAM lParam) {
  toolkit::TWinControl* parent = control.Parent();
  if (!parent) return 0;
  if (parent->HandleAllocated())
    return platform::SendMessage(parent->Handle(), msg, wParam, lParam);
  return parent->Perform(msg, wParam, lParam);
}

const TClassInfo& TSkinCommonData::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSkinCommonData, TPersistent>("TSkinCommonData")
          .Property("SkinSection", &TSkinCommonData::SkinSection, &TSkinCommonData::SetSkinSection)
          .Build();
  return info;
}

TSkinCommonData::TSkinCommonData(toolkit::TControl* owner, int kind)
    : ControlKind(kind), owner_(owner), cache_(std::make_unique<graphics::TPixelBitmap>()) {}

TSkinCommonData::~TSkinCommonData() = default;

Surface TSkinCommonData::CacheSurface() const {
  return SurfaceOf(*cache_);
}

void TSkinCommonData::SetSkinSection(std::string_view v) {
  if (v == skinSection_ && !v.empty()) return;
  skinSection_ = v.empty() ? "UNKNOWN" : std::string(v);
  UpdateIndexes();
  if (owner_) owner_->Invalidate();
}

std::string TSkinCommonData::DefaultSection(int kind, std::string_view className) {
  auto in = [kind](int lo, int hi) { return kind >= lo && kind <= hi; };
  switch (kind) {
    case 10:
    case 41:
    case 76:
    case 78:
    case 83:
    case 84:
    case 96:
    case 97:
    case 131:
    case 140:
    case 227:
      return "EDIT";
    case 81:
    case 82:
      return "COMBOBOX";
    case 32:
      return "CHECKBOX";
    case 33:
      return "RADIOBUTTON";
    case 51:
    case 59:
    case 68:
    case 73:
      return "PANEL";
    case 54:
    case 60:
      return "TOOLBAR";
    case 56:
      return "DRAGBAR";
    case 57:
      return "TABSHEET";
    case 58:
      return "PANEL_LOW";
    case 74:
    case 226:
      return "GROUPBOX";
    case 75:
      return "SPLITTER";
    case 92:
    case 95:
      return "SPEEDBUTTON";
    case 93:
    case 94:
      return "BUTTON";
    case 98:
      return "TOOLBUTTON";
    case 141:
      return "PAGECONTROL";
    case 143:
      return "TABCONTROL";
    case 151:
      return "STATUSBAR";
    case 161:
      return "GAUGE";
    case 165:
      return "TRACKBAR";
    default:
      break;
  }
  if (in(2, 8)) return "EDIT";
  if (in(11, 18)) return "COMBOBOX";
  return std::string(className);
}

void TSkinCommonData::Loaded() {
  if (skinSection_.empty())
    SetSkinSection(DefaultSection(ControlKind, owner_ ? owner_->ClassName() : "UNKNOWN"));
  else
    UpdateIndexes();
}

void TSkinCommonData::UpdateIndexes() {
  CacheStale = 1;
  SkinIndex = FindSection(skinSection_);
  BorderMaskIndex = SkinIndex >= 0 ? FindMask(SkinIndex, skinSection_, "BORDERSMASK") : -1;
}

bool TSkinCommonData::TracksMouse() const {
  const int k = ControlKind;
  return !((k >= 51 && k <= 74) || k == 110 || (k >= 141 && k <= 161));
}

void TSkinCommonData::SetMouseAbove(bool above) {
  if (!TracksMouse()) return;
  MouseAbove = above ? 1 : 0;
}

void TSkinCommonData::SetHasFocus(bool focused) {
  HasFocus = focused ? 1 : 0;
  CacheStale = 1;
}

TParentBackground TSkinCommonData::ParentBackground() const {
  TParentBackground background;
  if (!owner_ || !owner_->Parent()) return background;
  SendToParent(*owner_, SKM_GETCACHE, 0, reinterpret_cast<platform::LPARAM>(&background));
  if (!background.Valid || background.Bitmap.IsEmpty()) return TParentBackground{};
  background.X += owner_->Left();
  background.Y += owner_->Top();
  return background;
}

bool TSkinCommonData::HandleMessage(toolkit::TMessage& m) {
  switch (m.Msg) {
    case SKM_SETBGCHANGED:
      CacheStale = m.LParam != 0;
      return true;
    case SKM_SETNEWSKIN:
      Updating = 1;
      UpdateIndexes();
      return true;
    case SKM_REMOVESKIN:
      if (owner_ && owner_->ComponentState().Contains(csDestroying)) return true;
      SkinIndex = -1;
      BorderMaskIndex = -1;
      Updating = 1;
      cache_->SetSize(0, 0);
      return true;
    case SKM_REFRESH:
      CacheStale = 1;
      Updating = 0;
      if (owner_) owner_->Invalidate();
      return true;
    case SKM_GETCACHE: {
      auto* out = reinterpret_cast<TParentBackground*>(m.LParam);
      const Surface cache = CacheSurface();
      if (out && !cache.IsEmpty()) *out = TParentBackground{cache, 0, 0, true};
      m.Result = cache.IsEmpty() ? 0 : 1;
      return true;
    }
    case SKM_REPAINT:
      m.Result = 0;
      return true;
    case SKM_REFRESHSECTION: {
      const char* name = reinterpret_cast<const char*>(m.LParam);
      if (owner_ && name && UpperCase(skinSection_) == name) {
        CacheStale = 1;
        owner_->Invalidate();
        owner_->Update();
      }
      return true;
    }
    case SKM_SETUPDATING:
      Updating = m.LParam != 0;
      return true;
    case SKM_PREPARING: {
      int preparing = CacheStale || Updating || !ActiveSkin().Ready;
      if (!preparing && owner_ && owner_->Parent())
        preparing = SendToParent(*owner_, SKM_PREPARING, 0, 0) == 1;
      m.Result = preparing;
      return true;
    }
    case SKM_GETOUTSIDE:
      m.Result = OutsideParent;
      return true;
    case SKM_SETLINKEDCONTROL:
      LinkedControl = reinterpret_cast<toolkit::TControl*>(m.LParam);
      return true;
    case SKM_PARENTPAINTED:
      if (ActiveSkin().ValidSection(SkinIndex) &&
          ActiveSkin().Sections[std::size_t(SkinIndex)].Transparency > 0)
        CacheStale = 1;
      m.Result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace skin
