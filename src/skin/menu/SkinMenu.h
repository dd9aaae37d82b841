// TSkinMenu: the skin manager's menu object. While a skin is loaded it makes
// the menu bar of every window (and, with SkinnedPopups, the popup menus)
// owner-drawn and measures and draws their items in the skin's look; items
// with handlers of their own keep them.
#pragma once

#include <functional>

#include "graphics/PixelBitmap.h"
#include "skin/data/SkinTables.h"
#include "skin/menu/MenuListBackgrounds.h"
#include "toolkit/Menus.h"
#include "toolkit/Types.h"

namespace toolkit {
class TCustomForm;
}

namespace skin {

// Which list a drawn item belongs to, for the manager's menu-draw event.
enum class TSkinMenuItemKind { DropDownItem, PopupItem };
using TSkinMenuDrawEvent = std::function<void(toolkit::TMenuItem* Item, toolkit::TCanvas* ACanvas,
                                              TSkinMenuItemKind Kind)>;

// What the menu object reads of its owner: whether popup menus take the
// skin, the form the owner sits on, and the owner's menu-draw event.
struct TSkinMenuHost {
  std::function<bool()> SkinnedPopups;
  std::function<component::TComponent*()> Owner;
  std::function<const TSkinMenuDrawEvent&()> OnDrawMenuItem;
};

class TSkinMenu : public toolkit::TMenuItemPainter {
 public:
  explicit TSkinMenu(TSkinMenuHost host);
  ~TSkinMenu() override;

  int Margin() const { return margin_; }
  toolkit::TAlignment Alignment() const { return toolkit::taLeftJustify; }

  // The picture of the window's frame, window-sized, that bar items are
  // painted over (the pixel behind window point (x, y) is the picture's
  // pixel at (x + X, y + Y)). By default the window is asked with
  // SKM_GETCACHE; without an answer bar items lie on the menu colour.
  std::function<TParentBackground(platform::HWND window)> FrameBackground;

  // A skin was loaded: the list pictures are dropped and every window's
  // menus are (re)hooked so the platform measures them again.
  void SkinChanged();
  // Hooks the form's menu bar and, with SkinnedPopups, its popup menus.
  void HookForm(toolkit::TCustomForm& form);
  // The same for what of the form is not hooked yet (a window made after the
  // skin loaded, hooked when it is activated); hooked menus stay as they are.
  void HookNew(toolkit::TCustomForm& form);
  // Gives every hooked menu back its own look.
  void UnhookAll();

  TMenuListBackgrounds& ListBackgrounds() { return backgrounds_; }

  // For a frame that lays out and paints its menu bar itself: the size of a
  // top-level item (in the menu font, never narrower than `proposal`), and
  // the item painted into `frame` (window-sized) at `rect`, over what the
  // frame holds there.
  platform::SIZE BarItemSize(toolkit::TMenuItem& item, platform::SIZE proposal);
  void PaintBarItemOnFrame(toolkit::TMenuItem& item, const Surface& frame,
                           const platform::RECT& rect, bool hot);

  void MeasureItem(toolkit::TMenuItem* item, toolkit::TCanvas* canvas, int& width,
                   int& height) override;
  void DrawItem(toolkit::TMenuItem* item, toolkit::TCanvas* canvas, platform::RECT rect,
                toolkit::TOwnerDrawState state, platform::HWND window) override;

 private:
  void DrawBarItem(toolkit::TMenuItem* item, toolkit::TCanvas& canvas, platform::RECT rect,
                   bool hot, platform::HWND window);
  void DrawDropDownItem(toolkit::TMenuItem* item, toolkit::TCanvas& canvas, platform::RECT rect,
                        toolkit::TOwnerDrawState state);
  TParentBackground BarBackground(platform::HWND window, const platform::RECT& rect);
  void Hook(toolkit::TMenu& menu);

  TSkinMenuHost host_;
  int margin_ = 4;
  TMenuListBackgrounds backgrounds_;
  graphics::TPixelBitmap picture_;    // one item, drawn off screen
  graphics::TPixelBitmap menuStrip_;  // the menu colour behind bar items without a frame
};

}  // namespace skin
