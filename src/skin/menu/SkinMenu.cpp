#include "skin/menu/SkinMenu.h"

#include <utility>

#include "platform/gdi/Gdi.h"
#include "platform/window/Window.h"
#include "skin/data/SkinData.h"
#include "skin/link/SkinMessages.h"
#include "skin/menu/MenuItemMetrics.h"
#include "skin/menu/MenuItemPaint.h"
#include "skin/paint/PaintPixels.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Canvas.h"
#include "toolkit/Form.h"
#include "toolkit/MenuOwnerDraw.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/Screen.h"

namespace skin {

namespace p = platform;
using toolkit::TMenuItem;

namespace {

std::string ShortCutText(const TMenuItem& item) {
  return toolkit::ShortCutToText(item.ShortCut());
}

// The item's own picture's size, else 16 x 16 (menus carry no image lists).
TMenuGlyphSize GlyphOf(const TMenuItem& item) {
  const toolkit::TBitmap* b = item.Bitmap();
  if (!b || b->Empty()) return {};
  return TMenuGlyphSize{b->Width(), b->Height()};
}

// The menu font, bold for the default item, for as long as it lives.
struct TBoldWhileDefault {
  toolkit::TCanvas& canvas;
  bool bold;
  TBoldWhileDefault(toolkit::TCanvas& c, const TMenuItem& item) : canvas(c), bold(item.Default()) {
    if (bold) toolkit::UseMenuFont(*canvas.Font(), true);
  }
  ~TBoldWhileDefault() {
    if (bold) toolkit::UseMenuFont(*canvas.Font(), false);
  }
};

template <class F>
void ForEachComponent(component::TComponent& c, F f) {
  for (int i = 0; i < c.ComponentCount(); ++i) {
    f(*c.Components(i));
    ForEachComponent(*c.Components(i), f);
  }
}

}  // namespace

TSkinMenu::TSkinMenu(TSkinMenuHost host) : host_(std::move(host)) {}

TSkinMenu::~TSkinMenu() {
  UnhookAll();
}

void TSkinMenu::Hook(toolkit::TMenu& menu) {
  if (menu.ComponentState().Contains(component::csDestroying)) return;
  if (menu.Painter() == this)
    menu.MenuChanged();  // measured again in the new skin
  else
    menu.SetPainter(this);
}

void TSkinMenu::HookForm(toolkit::TCustomForm& form) {
  if (form.Menu()) Hook(*form.Menu());
  if (!host_.SkinnedPopups()) return;
  ForEachComponent(form, [this](component::TComponent& c) {
    if (auto* popup = dynamic_cast<toolkit::TPopupMenu*>(&c)) Hook(*popup);
  });
}

void TSkinMenu::HookNew(toolkit::TCustomForm& form) {
  auto hook = [this](toolkit::TMenu& menu) {
    if (menu.Painter() != this && !menu.ComponentState().Contains(component::csDestroying))
      menu.SetPainter(this);
  };
  if (form.Menu()) hook(*form.Menu());
  if (!host_.SkinnedPopups()) return;
  ForEachComponent(form, [&](component::TComponent& c) {
    if (auto* popup = dynamic_cast<toolkit::TPopupMenu*>(&c)) hook(*popup);
  });
}

void TSkinMenu::SkinChanged() {
  backgrounds_.Clear();
  if (toolkit::Screen)
    for (int i = 0; i < toolkit::Screen->FormCount(); ++i) HookForm(*toolkit::Screen->Forms(i));
  // The manager's own window, should it not be listed yet while it loads.
  if (auto* form = dynamic_cast<toolkit::TCustomForm*>(host_.Owner())) HookForm(*form);
}

void TSkinMenu::UnhookAll() {
  backgrounds_.Clear();
  auto unhook = [this](component::TComponent& c) {
    if (auto* menu = dynamic_cast<toolkit::TMenu*>(&c); menu && menu->Painter() == this)
      menu->SetPainter(nullptr);
  };
  auto form = [&](toolkit::TCustomForm& f) {
    if (f.Menu()) unhook(*f.Menu());
    ForEachComponent(f, unhook);
  };
  if (toolkit::Screen)
    for (int i = 0; i < toolkit::Screen->FormCount(); ++i) form(*toolkit::Screen->Forms(i));
  if (auto* owner = dynamic_cast<toolkit::TCustomForm*>(host_.Owner())) form(*owner);
}

void TSkinMenu::MeasureItem(TMenuItem* item, toolkit::TCanvas* canvas, int& width, int& height) {
  if (!item || !canvas) return;
  const std::string keys = ShortCutText(*item);
  p::SIZE size =
      item->IsBarItem()
          ? MeasureBarItem(*canvas, item->Caption(), keys, p::SIZE{width, height}, margin_)
          : MeasureDropDownItem(*canvas, item->Caption(), keys, GlyphOf(*item), margin_);
  width = size.cx;
  height = size.cy;
}

p::SIZE TSkinMenu::BarItemSize(TMenuItem& item, p::SIZE proposal) {
  p::HDC dc = p::GetDC(p::HWND{});
  int width = proposal.cx, height = proposal.cy;
  {
    toolkit::TCanvas canvas;
    canvas.SetHandle(dc);
    toolkit::UseMenuFont(*canvas.Font());
    MeasureItem(&item, &canvas, width, height);
    canvas.SetHandle({});
  }
  p::ReleaseDC(p::HWND{}, dc);
  return p::SIZE{width, height};
}

void TSkinMenu::PaintBarItemOnFrame(TMenuItem& item, const Surface& frame, const p::RECT& rect,
                                    bool hot) {
  if (frame.IsEmpty() || rect.Width() <= 0 || rect.Height() <= 0 || rect.left < 0 || rect.top < 0 ||
      rect.right > frame.width || rect.bottom > frame.height)
    return;
  picture_.SetSize(rect.Width(), rect.Height());
  const std::string keys = ShortCutText(item);
  TMenuItemLook look{item.Caption(), keys, hot, item.Enabled(), false, item.Default()};
  PaintBarItem(ActiveSkin(), picture_, TParentBackground{frame, rect.left, rect.top, true}, look,
               margin_);
  const Surface from = SurfaceOf(picture_);
  for (int y = 0; y < from.height; ++y)
    for (int x = 0; x < from.width; ++x)
      frame.At(rect.left + x, rect.top + y) = kOpaque | from.At(x, y);
}

void TSkinMenu::DrawItem(TMenuItem* item, toolkit::TCanvas* canvas, p::RECT rect,
                         toolkit::TOwnerDrawState state, p::HWND window) {
  if (!item || !canvas || rect.Width() <= 0 || rect.Height() <= 0) return;
  const bool hot = state.Contains(toolkit::odSelected) || state.Contains(toolkit::odHotLight);
  if (item->IsBarItem()) return DrawBarItem(item, *canvas, rect, hot, window);
  switch (MenuItemKind(item->Caption())) {
    case TMenuItemKind::Separator:
      return DrawMenuSeparator(*canvas, rect, margin_);
    case TMenuItemKind::Heading:
      return;
    case TMenuItemKind::Item:
      return DrawDropDownItem(item, *canvas, rect, state);
  }
}

TParentBackground TSkinMenu::BarBackground(p::HWND window, const p::RECT& rect) {
  TParentBackground frame;
  if (FrameBackground) {
    frame = FrameBackground(window);
  } else if (p::IsWindow(window)) {
    p::SendMessage(window, SKM_GETCACHE, 0, reinterpret_cast<p::LPARAM>(&frame));
    // The frame's picture is the window's size: window coordinates are its own.
    frame.X = frame.Y = 0;
  }
  const bool fits = frame.Valid && !frame.Bitmap.IsEmpty() && rect.left + frame.X >= 0 &&
                    rect.top + frame.Y >= 0 && rect.right + frame.X <= frame.Bitmap.width &&
                    rect.bottom + frame.Y <= frame.Bitmap.height;
  if (fits) return TParentBackground{frame.Bitmap, frame.X + rect.left, frame.Y + rect.top, true};
  // No frame to lie on: the menu colour stands in for it.
  menuStrip_.SetSize(rect.Width(), rect.Height());
  const Surface strip = SurfaceOf(menuStrip_);
  const std::uint32_t menu = SolidPixel(toolkit::clMenu);
  for (int y = 0; y < strip.height; ++y)
    for (int x = 0; x < strip.width; ++x) strip.At(x, y) = menu;
  return TParentBackground{strip, 0, 0, true};
}

void TSkinMenu::DrawBarItem(TMenuItem* item, toolkit::TCanvas& canvas, p::RECT rect, bool hot,
                            p::HWND window) {
  const TParentBackground frame = BarBackground(window, rect);
  picture_.SetSize(rect.Width(), rect.Height());
  const std::string keys = ShortCutText(*item);
  TMenuItemLook look{item->Caption(), keys, hot, item->Enabled(), false, item->Default()};
  PaintBarItem(ActiveSkin(), picture_, frame, look, margin_);
  picture_.DrawToDevice(canvas.Handle(), rect.left, rect.top);
}

void TSkinMenu::DrawDropDownItem(TMenuItem* item, toolkit::TCanvas& canvas, p::RECT rect,
                                 toolkit::TOwnerDrawState state) {
  // Where the item lies in its list, and how high the list is.
  TMenuItem* list = item->Parent();
  if (!list) return;
  TMenuItem* first = nullptr;
  int offset = 0, total = 0;
  for (int i = 0; i < list->Count(); ++i) {
    TMenuItem* sibling = list->Items(i);
    if (!sibling->Visible()) continue;
    if (!first) first = sibling;
    if (sibling == item) offset = total;
    int w = rect.Width(), h = rect.Height();
    if (sibling == item) {
      total += h;
      continue;
    }
    if (sibling->HasOwnMeasure())
      sibling->MeasureItem(&canvas, w, h);
    else
      MeasureItem(sibling, &canvas, w, h);
    total += h;
  }
  if (!first) return;
  const TSkinTables& tables = ActiveSkin();
  graphics::TPixelBitmap& background =
      backgrounds_.For(first->Command(), rect.Width(), total, tables);
  const TParentBackground behind{SurfaceOf(background), 0, offset, true};

  picture_.SetSize(rect.Width(), rect.Height());
  const std::string keys = ShortCutText(*item);
  const bool hot = state.Contains(toolkit::odSelected) || state.Contains(toolkit::odHotLight);
  const bool enabled =
      item->Enabled() && !state.Contains(toolkit::odDisabled) && !state.Contains(toolkit::odGrayed);
  TMenuItemLook look{
      item->Caption(), keys, hot, enabled, item->Checked() || state.Contains(toolkit::odChecked),
      item->Default()};
  const toolkit::TBitmap* bitmap = item->Bitmap();
  platform::SurfaceBuffer glyph;
  if (bitmap && !bitmap->Empty()) glyph = bitmap->MaskedPixels();
  PaintDropDownItem(tables, picture_, behind, look, GlyphOf(*item), glyph.View(), margin_);
  if (const TSkinMenuDrawEvent& onDraw = host_.OnDrawMenuItem(); onDraw) {
    toolkit::TMenu* menu = item->Menu();
    const auto kind =
        menu && menu->IsBar() ? TSkinMenuItemKind::DropDownItem : TSkinMenuItemKind::PopupItem;
    onDraw(item, picture_.Canvas(), kind);
  }
  picture_.DrawToDevice(canvas.Handle(), rect.left, rect.top);
}

}  // namespace skin
