// Menus: TMenuItem (a command or a submenu with a caption, a shortcut and a
// click handler), TMenu (a tree of items under an invisible root, made into
// a platform menu on demand) and TMainMenu, the menu bar of a form; the
// popup menu is in PopupMenu.h. Stored descriptions nest items inside the
// menu and inside each other. Shortcuts of the bar work through the form
// (TCustomForm::IsShortCut) whatever shows the bar.
//
// An owner-drawn menu (OwnerDraw, or a painter set at run time) has the
// platform ask for each item's size and picture; the window the menu shows
// for passes the requests to the item, which answers through its own
// handlers, else through the menu's painter.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "component/Component.h"
#include "platform/base/Types.h"
#include "toolkit/OwnerDrawState.h"
#include "toolkit/Types.h"

namespace toolkit {

class TBitmap;
class TCanvas;
class TMenu;
class TMenuItem;

using TMenuMeasureItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, platform::RECT ARect, bool Selected)>;
using TAdvancedMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas,
                                                      platform::RECT ARect, TOwnerDrawState State)>;

// Measures and draws the items of owner-drawn menus that have no handlers of
// their own (a look shared by many menus).
class TMenuItemPainter {
 public:
  virtual ~TMenuItemPainter() = default;
  // Width and height come in as the platform's proposal.
  virtual void MeasureItem(TMenuItem* item, TCanvas* canvas, int& width, int& height) = 0;
  // `window` is the window the menu belongs to (for the bar, the one whose
  // frame holds it); for bar items `rect` is in window coordinates.
  virtual void DrawItem(TMenuItem* item, TCanvas* canvas, platform::RECT rect,
                        TOwnerDrawState state, platform::HWND window) = 0;
};

class TMenuItem : public component::TComponent {
 public:
  COMPONENT_CLASS_INFO()

  explicit TMenuItem(component::TComponent* owner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view v);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Checked() const { return checked_; }
  void SetChecked(bool v);
  // The list's default item, flagged to the platform and shown in bold.
  bool Default() const { return default_; }
  void SetDefault(bool v);
  // A picture beside the caption, drawn by owner-drawn looks (empty: none).
  TBitmap* Bitmap() const { return bitmap_.get(); }
  // A separator: the caption "-".
  bool IsLine() const { return caption_ == "-"; }

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(index); }
  TMenuItem* Parent() const { return parent_; }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  // The item (this one or below) with that shortcut, among enabled and
  // visible items only; null when none.
  TMenuItem* FindShortCut(TShortCut shortCut);
  // The menu this item belongs to, through its parents; null while the
  // item hangs in no menu.
  TMenu* Menu() const;
  // The command identifier the menu bar reports for this item.
  std::uint16_t Command() const { return command_; }
  // The item (this one or below) with that command; null when none.
  TMenuItem* FindCommand(std::uint16_t command);

  virtual void Click();
  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;
  TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;  // preferred over OnDrawItem
  // Whether the item measures or draws itself (has a handler for it).
  bool HasOwnMeasure() const { return static_cast<bool>(OnMeasureItem); }
  bool HasOwnDraw() const { return OnDrawItem || OnAdvancedDrawItem; }

  // Owner-draw requests: the item's own handler, else the menu's painter.
  void MeasureItem(TCanvas* canvas, int& width, int& height);
  void DrawItem(TCanvas* canvas, platform::RECT rect, TOwnerDrawState state, platform::HWND window);
  // A top-level item of a menu bar.
  bool IsBarItem() const;
  // The live item with that command, wherever it hangs; null when none.
  static TMenuItem* FromCommand(std::uint16_t command);

  void SetParentComponent(component::TComponent* parent) override;
  component::TComponent* GetParentComponent() const override;
  bool HasParent() const override { return true; }

 private:
  friend class TMenu;
  void Changed();

  std::string caption_;
  TShortCut shortCut_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  bool default_ = false;
  std::unique_ptr<TBitmap> bitmap_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // for the root item
  std::vector<TMenuItem*> items_;
  std::uint16_t command_;
};

// What the bar and the popup menu share: the items and the platform menu
// made from them.
class TMenu : public component::TComponent {
 public:
  COMPONENT_CLASS_INFO()

  ~TMenu() override;

  // The invisible root whose children are the menu's entries.
  TMenuItem* Items() const { return items_.get(); }
  // Clicks the enabled, visible item with that shortcut; false when none
  // has it.
  bool IsShortCut(TShortCut shortCut);
  // The platform menu built from the items (visible ones only); made on
  // first use and rebuilt after every change.
  platform::HMENU Handle();
  bool HandleAllocated() const { return static_cast<bool>(handle_); }
  // Clicks the item of a menu command; false when none has that command.
  bool DispatchCommand(std::uint16_t command);
  // Something in the tree changed: a platform menu already made is rebuilt
  // and Change() tells whoever shows it.
  void MenuChanged();

  // Whether the platform asks the items for their size and picture.
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool v);
  // Measures and draws the items without handlers of their own; while one
  // is set the menu is owner-drawn whatever OwnerDraw says. Not owned.
  TMenuItemPainter* Painter() const { return painter_; }
  void SetPainter(TMenuItemPainter* v);
  bool IsOwnerDrawn() const { return ownerDraw_ || painter_; }
  // A menu bar rather than a popup menu.
  virtual bool IsBar() const { return false; }

 protected:
  explicit TMenu(component::TComponent* owner);
  // After a change, with the new platform menu in place and the old one
  // still alive.
  virtual void Change() {}
  platform::HMENU Build(TMenuItem* parent, bool bar);

 private:
  void Append(platform::HMENU menu, TMenuItem* item, platform::UINT flags, std::uintptr_t idOrSub,
              const std::string& text);

  std::unique_ptr<TMenuItem> items_;
  platform::HMENU handle_;
  bool ownerDraw_ = false;
  TMenuItemPainter* painter_ = nullptr;
};

class TMainMenu : public TMenu {
 public:
  COMPONENT_CLASS_INFO()

  explicit TMainMenu(component::TComponent* owner) : TMenu(owner) {}

  // The form showing the bar hears of every change through OnChange.
  std::function<void(TMainMenu*)> OnChange;

 public:
  bool IsBar() const override { return true; }

 protected:
  void Change() override {
    if (OnChange) OnChange(this);
  }
};

}  // namespace toolkit
