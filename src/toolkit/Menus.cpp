#include "toolkit/Menus.h"

#include <algorithm>
#include <unordered_map>

#include "component/ClassBuilder.h"
#include "component/Exception.h"
#include "platform/menu/Menu.h"
#include "toolkit/Bitmap.h"

namespace toolkit {

using namespace component;

namespace {
const TIdentMap& ShortCutIdents() {
  static const TIdentMap map{{"scNone", 0}};
  return map;
}
}  // namespace

const TClassInfo& TMenuItem::StaticClassInfo() {
  using T = TMenuItem;
  static const TClassInfo info =
      TClassBuilder<TMenuItem, TComponent>("TMenuItem")
          .Property("Caption", &T::Caption, &T::SetCaption)
          .Property("ShortCut", &T::ShortCut, &T::SetShortCut, ShortCutIdents())
          .Property("Enabled", &T::Enabled, &T::SetEnabled)
          .Property("Visible", &T::Visible, &T::SetVisible)
          .Property("Checked", &T::Checked, &T::SetChecked)
          .Property("Default", &T::Default, &T::SetDefault)
          .Property("Bitmap", &T::Bitmap)
          .Event("OnClick", &T::OnClick)
          .Event("OnMeasureItem", &T::OnMeasureItem)
          .Event("OnDrawItem", &T::OnDrawItem)
          .Event("OnAdvancedDrawItem", &T::OnAdvancedDrawItem)
          .Build();
  return info;
}

namespace {
std::uint16_t NextCommand() {
  // Menu commands share the 16-bit space with nothing else of a form.
  static std::uint16_t next = 0;
  if (++next == 0) next = 1;
  return next;
}

// Owner-draw requests name the item by its command: a request that comes
// late, for an item freed meanwhile, then finds nothing instead of freed
// memory.
std::unordered_map<std::uint16_t, TMenuItem*>& LiveItems() {
  static std::unordered_map<std::uint16_t, TMenuItem*> items;
  return items;
}
}  // namespace

TMenuItem::TMenuItem(TComponent* owner)
    : TComponent(owner), bitmap_(std::make_unique<TBitmap>()), command_(NextCommand()) {
  LiveItems()[command_] = this;
  bitmap_->OnChange = [this](TObject*) { Changed(); };
}

TMenuItem::~TMenuItem() {
  Destroying();
  if (auto it = LiveItems().find(command_); it != LiveItems().end() && it->second == this)
    LiveItems().erase(it);
  while (!items_.empty()) {
    TMenuItem* last = items_.back();
    if (last->Owner()) {
      Remove(last);  // its owner frees it
    } else {
      delete last;
    }
  }
  if (parent_) parent_->Remove(this);
}

void TMenuItem::Changed() {
  if (TMenu* m = Menu()) m->MenuChanged();
}

void TMenuItem::SetCaption(std::string_view v) {
  if (caption_ == v) return;
  caption_ = std::string(v);
  Changed();
}

void TMenuItem::SetShortCut(TShortCut v) {
  if (shortCut_ == v) return;
  shortCut_ = v;
  Changed();
}

void TMenuItem::SetEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  Changed();
}

void TMenuItem::SetVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  Changed();
}

void TMenuItem::SetChecked(bool v) {
  if (checked_ == v) return;
  checked_ = v;
  Changed();
}

void TMenuItem::SetDefault(bool v) {
  if (default_ == v) return;
  default_ = v;
  Changed();
}

void TMenuItem::Add(TMenuItem* item) {
  Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  if (item->parent_) throw EInvalidOperation("Menu inserted twice");
  for (TMenuItem* p = this; p; p = p->parent_)
    if (p == item) throw EInvalidOperation("A menu item cannot contain itself");
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  Changed();
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) {
  if (!enabled_ || !visible_) return nullptr;
  if (shortCut_ == shortCut && parent_) return this;
  for (TMenuItem* i : items_)
    if (TMenuItem* found = i->FindShortCut(shortCut)) return found;
  return nullptr;
}

TMenuItem* TMenuItem::FindCommand(std::uint16_t command) {
  if (command_ == command && parent_) return this;
  for (TMenuItem* i : items_)
    if (TMenuItem* found = i->FindCommand(command)) return found;
  return nullptr;
}

TMenu* TMenuItem::Menu() const {
  const TMenuItem* i = this;
  while (i->parent_) i = i->parent_;
  return i->menu_;
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

TMenuItem* TMenuItem::FromCommand(std::uint16_t command) {
  auto it = LiveItems().find(command);
  return it == LiveItems().end() ? nullptr : it->second;
}

bool TMenuItem::IsBarItem() const {
  TMenu* menu = Menu();
  return menu && menu->IsBar() && parent_ == menu->Items();
}

void TMenuItem::MeasureItem(TCanvas* canvas, int& width, int& height) {
  if (OnMeasureItem) {
    OnMeasureItem(this, canvas, width, height);
  } else if (TMenu* menu = Menu(); menu && menu->Painter()) {
    menu->Painter()->MeasureItem(this, canvas, width, height);
  }
}

void TMenuItem::DrawItem(TCanvas* canvas, platform::RECT rect, TOwnerDrawState state,
                         platform::HWND window) {
  if (OnAdvancedDrawItem) {
    OnAdvancedDrawItem(this, canvas, rect, state);
  } else if (OnDrawItem) {
    OnDrawItem(this, canvas, rect, state.Contains(odSelected));
  } else if (TMenu* menu = Menu(); menu && menu->Painter()) {
    menu->Painter()->DrawItem(this, canvas, rect, state, window);
  }
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* item = dynamic_cast<TMenuItem*>(parent))
    item->Add(this);
  else if (auto* menu = dynamic_cast<TMenu*>(parent))
    menu->Items()->Add(this);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (parent_ && parent_->menu_) return parent_->menu_;
  return parent_;
}

const TClassInfo& TMenu::StaticClassInfo() {
  using T = TMenu;
  static const TClassInfo info = TClassBuilder<TMenu, TComponent>("TMenu")
                                     .Property("OwnerDraw", &T::OwnerDraw, &T::SetOwnerDraw)
                                     .Build();
  return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
  items_->menu_ = this;
}

TMenu::~TMenu() {
  Destroying();
  items_.reset();
  if (handle_) platform::DestroyMenu(handle_);
}

void TMenu::Append(platform::HMENU menu, TMenuItem* item, platform::UINT flags,
                   std::uintptr_t idOrSub, const std::string& text) {
  namespace p = platform;
  if (!IsOwnerDrawn()) {
    p::AppendMenu(menu, flags, idOrSub, flags & p::MF_SEPARATOR ? nullptr : text.c_str());
    return;
  }
  // The item's data names the item; the text stays with it for the
  // mnemonic letters and for painters that read it from the menu.
  p::AppendMenu(menu, flags | p::MF_OWNERDRAW, idOrSub,
                reinterpret_cast<const char*>(std::uintptr_t(item->Command())));
  p::MENUITEMINFO info;
  info.fMask = p::MIIM_STRING;
  info.dwTypeData = const_cast<char*>(text.c_str());
  p::SetMenuItemInfo(menu, p::UINT(p::GetMenuItemCount(menu) - 1), p::TRUE, &info);
}

platform::HMENU TMenu::Build(TMenuItem* parent, bool bar) {
  namespace p = platform;
  p::HMENU menu = bar ? p::CreateMenu() : p::CreatePopupMenu();
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (!item->Visible()) continue;
    p::UINT flags = item->Enabled() ? p::MF_ENABLED : p::MF_GRAYED;
    if (item->Checked()) flags |= p::MF_CHECKED;
    if (item->Default()) flags |= p::MF_DEFAULT;
    if (item->IsLine()) {
      Append(menu, item, p::MF_SEPARATOR, IsOwnerDrawn() ? item->Command() : 0, item->Caption());
    } else if (item->Count() > 0) {
      p::HMENU sub = Build(item, false);
      Append(menu, item, flags | p::MF_POPUP, sub.value, item->Caption());
    } else {
      std::string text = item->Caption();
      std::string keys = ShortCutToText(item->ShortCut());
      if (!keys.empty()) text += "\t" + keys;
      Append(menu, item, flags | p::MF_STRING, item->Command(), text);
    }
  }
  return menu;
}

void TMenu::SetOwnerDraw(bool v) {
  if (ownerDraw_ == v) return;
  const bool before = IsOwnerDrawn();
  ownerDraw_ = v;
  if (before != IsOwnerDrawn()) MenuChanged();
}

void TMenu::SetPainter(TMenuItemPainter* v) {
  if (painter_ == v) return;
  const bool before = IsOwnerDrawn();
  painter_ = v;
  // A new painter may measure differently: the platform measures again.
  if (before != IsOwnerDrawn() || v) MenuChanged();
}

platform::HMENU TMenu::Handle() {
  if (!handle_) handle_ = Build(items_.get(), IsBar());
  return handle_;
}

bool TMenu::DispatchCommand(std::uint16_t command) {
  TMenuItem* item = items_->FindCommand(command);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenu::IsShortCut(TShortCut shortCut) {
  if (!shortCut) return false;
  TMenuItem* item = items_->FindShortCut(shortCut);
  if (!item) return false;
  item->Click();
  return true;
}

void TMenu::MenuChanged() {
  if (ComponentState().Contains(csDestroying)) return;
  platform::HMENU old = handle_;
  if (old) handle_ = Build(items_.get(), IsBar());
  Change();
  // Only now that whoever showed the old menu shows the new one.
  if (old) platform::DestroyMenu(old);
}

const TClassInfo& TMainMenu::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TMainMenu, TMenu>("TMainMenu").Build();
  return info;
}

}  // namespace toolkit
