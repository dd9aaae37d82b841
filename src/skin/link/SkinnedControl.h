// TSkinnedControl: what a toolkit control takes on to be painted from the
// skin. It owns the control's link to the skin (its TSkinCommonData), keeps
// the look it shows while disabled, and loads the link with the control.
#pragma once

#include <cstdint>
#include <memory>

#include "skin/data/SkinData.h"
#include "skin/link/SkinCommonData.h"
#include "skin/paint/DisabledLook.h"
#include "toolkit/Types.h"

namespace skin {

template <class Base>
class TSkinnedControl : public Base {
 public:
  TSkinnedControl(component::TComponent* owner, int controlKind)
      : Base(owner), skinData_(std::make_unique<TSkinCommonData>(this, controlKind)) {}

  TSkinCommonData* SkinData() const { return skinData_.get(); }
  TSkinDisabledKind DisabledKind() const { return disabledKind_; }
  void SetDisabledKind(TSkinDisabledKind v) {
    if (v == disabledKind_) return;
    disabledKind_ = v;
    skinData_->MarkStale();
    Redraw();
  }

  void Loaded() override {
    Base::Loaded();
    skinData_->Loaded();
  }

 protected:
  // Shows the control again once its picture is stale.
  virtual void Redraw() { this->Invalidate(); }

  // The link found a section, and the loaded skin still has it.
  bool SectionSkinned() const {
    return skinData_->Skinned() && ActiveSkin().ValidSection(skinData_->SkinIndex);
  }

  // Greys or blends the cache over the parent's colour while disabled.
  void PaintDisabledLook(const Surface& cache, const TParentBackground& bg) const {
    if (this->Enabled()) return;
    const toolkit::TColor parentColor = this->Parent() ? this->Parent()->Color() : this->Color();
    PaintDisabled(cache, disabledKind_, std::int32_t(toolkit::ColorToRGB(parentColor)), POINT{0, 0},
                  bg);
  }

  std::unique_ptr<TSkinCommonData> skinData_;
  TSkinDisabledKind disabledKind_{dkBlended};
};

}  // namespace skin
