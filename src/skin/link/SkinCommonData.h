// TSkinCommonData: the link between one skinned control (or window) and the
// skin. It names the control's section (SkinSection, published as the
// control's SkinData), keeps the section's and border piece's indexes, the
// control's state flags and its cached picture, and answers the skin
// messages the manager and neighbouring controls send.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "component/ClassInfo.h"
#include "component/Persistent.h"
#include "graphics/PixelBitmap.h"
#include "skin/data/SkinTables.h"
#include "toolkit/Messages.h"

namespace toolkit {
class TControl;
}

namespace skin {

// A message to the control's parent through the parent's window when it has
// one, so that whoever subclassed that window (a form's frame painter) hears
// it too; else straight to the parent control. 0 without a parent.
platform::LRESULT SendToParent(const toolkit::TControl& control, platform::UINT msg,
                               platform::WPARAM wParam, platform::LPARAM lParam);

class TSkinCommonData : public component::TPersistent {
 public:
  COMPONENT_CLASS_INFO()

  // `kind` picks the default section; see DefaultSection.
  TSkinCommonData(toolkit::TControl* owner, int kind);
  ~TSkinCommonData() override;

  // --- published
  const std::string& SkinSection() const { return skinSection_; }
  // A new value is stored ("UNKNOWN" for an empty one), the indexes follow
  // and the control is invalidated.
  void SetSkinSection(std::string_view v);

  // --- run time
  int SkinIndex = -1;        // into the section table; -1: the control is not skinned
  int BorderMaskIndex = -1;  // the section's BORDERSMASK piece, or -1
  int ControlKind = 0;
  std::uint8_t CacheStale = 1;
  std::uint8_t Updating = 0;
  std::uint8_t HasFocus = 0;
  std::uint8_t MouseAbove = 0;
  std::uint8_t OutsideParent = 0;
  toolkit::TControl* LinkedControl = nullptr;

  toolkit::TControl* Owner() const { return owner_; }
  graphics::TPixelBitmap& CacheBitmap() const { return *cache_; }
  // The cache's pixels as the painting routines take them.
  Surface CacheSurface() const;
  bool Skinned() const { return SkinIndex >= 0; }

  // The section for a control kind: EDIT for the edit kinds, COMBOBOX,
  // BUTTON, GROUPBOX ... and the owner's class name for any other kind.
  static std::string DefaultSection(int kind, std::string_view className);

  // After the control is constructed and after it is restored: the default
  // section when none is set, else fresh indexes.
  void Loaded();
  // CacheStale := 1; the section's index and its border piece looked up anew.
  void UpdateIndexes();

  // Hot tracking: kinds 51..74, 110 and 141..161 never become hot.
  bool TracksMouse() const;
  void SetMouseAbove(bool above);
  void SetHasFocus(bool focused);
  void MarkStale() { CacheStale = 1; }

  // The parent's picture behind this control, asked with SKM_GETCACHE;
  // not valid when no parent answers.
  TParentBackground ParentBackground() const;

  // A skin message: true when it was handled, with the result in the message.
  bool HandleMessage(toolkit::TMessage& message);

 private:
  toolkit::TControl* owner_;
  std::string skinSection_;
  std::unique_ptr<graphics::TPixelBitmap> cache_;
};

}  // namespace skin
