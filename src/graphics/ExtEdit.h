// TExtEdit: the platform's single-line edit with a bevel drawn around its
// text area, colours of its own while disabled, a placeholder shown while it
// is empty, a width limit in pixels, a set of allowed clipboard commands and
// one context menu (EditContextMenu) shared by every such entry.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "component/Set.h"
#include "toolkit/Edit.h"

namespace graphics {

enum TClipboardCommand { caCopy, caCut, caPaste, caUndo };
using TClipboardCommands = component::TSet<TClipboardCommand>;
enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBevelEdge { beLeft, beTop, beRight, beBottom };
using TBevelEdges = component::TSet<TBevelEdge>;
const component::TEnumInfo& EnumInfo(TClipboardCommand);
const component::TEnumInfo& EnumInfo(TBevelKind);
const component::TEnumInfo& EnumInfo(TBevelCut);
const component::TEnumInfo& EnumInfo(TBevelEdge);

// The caret the entry shows; the platform's default one when left as is.
class TExtEditCaret : public component::TPersistent {
 public:
  COMPONENT_CLASS_INFO()
  int Width() const { return width_; }
  void SetWidth(int v) { width_ = v; }
  int Height() const { return height_; }
  void SetHeight(int v) { height_ = v; }
  void Assign(const component::TPersistent& source) override;

 private:
  int width_ = 0, height_ = 0;  // 0: the platform's
};

// A limit on the text's width in pixels; 0 means none.
class TExtEditMaxPixel : public component::TPersistent {
 public:
  COMPONENT_CLASS_INFO()
  int Length() const { return length_; }
  void SetLength(int v) { length_ = v < 0 ? 0 : v; }
  void Assign(const component::TPersistent& source) override;

 private:
  int length_ = 0;
};

class TCustomEditEx : public toolkit::TCustomEdit {
 public:
  COMPONENT_CLASS_INFO()
  explicit TCustomEditEx(component::TComponent* owner) : TCustomEdit(owner) {}
};

class TCustomExtEdit : public TCustomEditEx {
 public:
  COMPONENT_CLASS_INFO()

  explicit TCustomExtEdit(component::TComponent* owner);

  TBevelKind BevelKind() const { return bevelKind_; }
  void SetBevelKind(TBevelKind v);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut v);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut v);
  TBevelEdges BevelEdges() const { return bevelEdges_; }
  void SetBevelEdges(TBevelEdges v);
  TClipboardCommands ClipboardCommands() const { return clipboardCommands_; }
  // A set without Cut (nothing beyond Copy) makes the entry read-only.
  void SetClipboardCommands(TClipboardCommands v);
  // On: a right click shows EditContextMenu unless the entry names a
  // PopupMenu of its own. Off: the platform edit's own menu.
  bool UseFixedPopup() const { return useFixedPopup_; }
  void SetUseFixedPopup(bool v) { useFixedPopup_ = v; }
  toolkit::TColor DisabledColor() const { return disabledColor_; }
  void SetDisabledColor(toolkit::TColor v);
  toolkit::TColor DisabledTextColor() const { return disabledTextColor_; }
  void SetDisabledTextColor(toolkit::TColor v);
  const std::string& EmptyValue() const { return emptyValue_; }
  void SetEmptyValue(std::string_view v);
  toolkit::TColor EmptyFontColor() const { return emptyFontColor_; }
  void SetEmptyFontColor(toolkit::TColor v);
  TExtEditCaret* Caret() const { return caret_.get(); }
  TExtEditMaxPixel* MaxPixel() const { return maxPixel_.get(); }
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v) { groupIndex_ = v; }
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool v) { hotTrack_ = v; }
  bool Flat() const { return flat_; }
  void SetFlat(bool v) { flat_ = v; }
  bool ProtectPassword() const { return protectPassword_; }
  void SetProtectPassword(bool v) { protectPassword_ = v; }
  bool ThemedPassword() const { return themedPassword_; }
  void SetThemedPassword(bool v) { themedPassword_ = v; }
  bool AutoHint() const { return autoHint_; }
  void SetAutoHint(bool v) { autoHint_ = v; }
  toolkit::TColor HintColor() const { return hintColor_; }
  void SetHintColor(toolkit::TColor v) { hintColor_ = v; }
  bool OEMConvert() const { return oemConvert_; }
  void SetOEMConvert(bool v) { oemConvert_ = v; }

  // Pixels the bevel takes on the left, top, right and bottom.
  toolkit::RECT BevelWidths() const;
  // Whether a context menu command may run now, by the rules it is offered by.
  bool CanUndo() const;
  bool CanCut() const;
  bool CanCopy() const;
  bool CanPaste() const;
  bool CanDelete() const;
  bool CanSelectAll() const;

 protected:
  void WndProc(toolkit::TMessage& message) override;
  void CreateWindowHandle(const toolkit::TCreateParams& params) override;
  void Change() override;

 private:
  void BevelChanged();
  void PaintBevel();
  void PaintDisabled();
  void PaintPlaceholder();
  bool ReadOnlyStyle() const;

  TBevelKind bevelKind_ = bkNone;
  TBevelCut bevelInner_ = bvRaised;
  TBevelCut bevelOuter_ = bvLowered;
  TBevelEdges bevelEdges_{beLeft, beTop, beRight, beBottom};
  TClipboardCommands clipboardCommands_{caCopy, caCut, caPaste, caUndo};
  bool useFixedPopup_ = true;
  toolkit::TColor disabledColor_ = toolkit::clWindow;
  toolkit::TColor disabledTextColor_ = toolkit::clGrayText;
  std::string emptyValue_;
  toolkit::TColor emptyFontColor_ = toolkit::clGrayText;
  std::unique_ptr<TExtEditCaret> caret_;
  std::unique_ptr<TExtEditMaxPixel> maxPixel_;
  int groupIndex_ = -1;
  bool hotTrack_ = false, flat_ = false;
  bool protectPassword_ = false, themedPassword_ = false;
  bool autoHint_ = false, oemConvert_ = false;
  toolkit::TColor hintColor_ = toolkit::clInfoBk;
  toolkit::TBrush disabledBrush_;
  bool cutting_ = false;  // MaxPixel is shortening the text
};

class TExtEdit : public TCustomExtEdit {
 public:
  COMPONENT_CLASS_INFO()
  explicit TExtEdit(component::TComponent* owner) : TCustomExtEdit(owner) {}
};

// The context menu every entry without a menu of its own shows: the item
// captions in order (the platform's captions of the same commands from the
// first opening on), and which were enabled when it last opened.
class TEditContextMenu {
 public:
  enum Item { Undo, Cut, Copy, Paste, Delete, SelectAll, ItemCount };
  static constexpr int SeparatorAfterUndo = 1, SeparatorBeforeSelectAll = 1;

  const std::string& Caption(Item i) const { return captions_[i]; }
  bool Enabled(Item i) const { return enabled_[i]; }
  // Opens at a screen point for an entry and runs the chosen command.
  void Popup(TCustomExtEdit& edit, int x, int y);

 private:
  std::array<std::string, ItemCount> captions_{"&Undo",  "Cu&t",    "&Copy",
                                               "&Paste", "&Delete", "Select &All"};
  std::array<bool, ItemCount> enabled_{};
  bool localized_ = false;
};

// Made on first use, kept until the program ends.
TEditContextMenu& EditContextMenu();

}  // namespace graphics
