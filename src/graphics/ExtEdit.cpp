#include "graphics/ExtEdit.h"

#include "component/ClassBuilder.h"
#include "platform/controls/Controls.h"
#include "platform/controls/EditMenuCaption.h"
#include "platform/gdi/DcGuards.h"
#include "platform/gdi/Gdi.h"
#include "platform/menu/Menu.h"
#include "platform/window/Window.h"

namespace graphics {

using namespace component;
namespace p = platform;
namespace tk = toolkit;
using toolkit::RECT;

const TEnumInfo& EnumInfo(TClipboardCommand) {
  static const TEnumInfo info("TClipboardCommand", {"caCopy", "caCut", "caPaste", "caUndo"});
  return info;
}
const TEnumInfo& EnumInfo(TBevelKind) {
  static const TEnumInfo info("TBevelKind", {"bkNone", "bkTile", "bkSoft", "bkFlat"});
  return info;
}
const TEnumInfo& EnumInfo(TBevelCut) {
  static const TEnumInfo info("TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
  return info;
}
const TEnumInfo& EnumInfo(TBevelEdge) {
  static const TEnumInfo info("TBevelEdge", {"beLeft", "beTop", "beRight", "beBottom"});
  return info;
}

const TClassInfo& TExtEditCaret::StaticClassInfo() {
  using T = TExtEditCaret;
  static const TClassInfo info = TClassBuilder<T, TPersistent>("TExtEditCaret")
                                     .Property("Width", &T::Width, &T::SetWidth)
                                     .Property("Height", &T::Height, &T::SetHeight)
                                     .Build();
  return info;
}

void TExtEditCaret::Assign(const TPersistent& source) {
  if (auto* c = dynamic_cast<const TExtEditCaret*>(&source)) {
    width_ = c->width_;
    height_ = c->height_;
    return;
  }
  TPersistent::Assign(source);
}

const TClassInfo& TExtEditMaxPixel::StaticClassInfo() {
  using T = TExtEditMaxPixel;
  static const TClassInfo info = TClassBuilder<T, TPersistent>("TExtEditMaxPixel")
                                     .Property("Length", &T::Length, &T::SetLength)
                                     .Build();
  return info;
}

void TExtEditMaxPixel::Assign(const TPersistent& source) {
  if (auto* m = dynamic_cast<const TExtEditMaxPixel*>(&source)) {
    length_ = m->length_;
    return;
  }
  TPersistent::Assign(source);
}

const TClassInfo& TCustomEditEx::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomEditEx, tk::TCustomEdit>("TCustomEditEx").Build();
  return info;
}

const TClassInfo& TCustomExtEdit::StaticClassInfo() {
  using T = TCustomExtEdit;
  static const TClassInfo info =
      TClassBuilder<T, TCustomEditEx>("TCustomExtEdit")
          .Property("BevelKind", &T::BevelKind, &T::SetBevelKind)
          .Property("BevelInner", &T::BevelInner, &T::SetBevelInner)
          .Property("BevelOuter", &T::BevelOuter, &T::SetBevelOuter)
          .Property("BevelEdges", &T::BevelEdges, &T::SetBevelEdges)
          .Property("ClipboardCommands", &T::ClipboardCommands, &T::SetClipboardCommands)
          .Property("UseFixedPopup", &T::UseFixedPopup, &T::SetUseFixedPopup)
          .Property("DisabledColor", &T::DisabledColor, &T::SetDisabledColor, tk::ColorIdents())
          .Property("DisabledTextColor", &T::DisabledTextColor, &T::SetDisabledTextColor,
                    tk::ColorIdents())
          .Property("EmptyValue", &T::EmptyValue, &T::SetEmptyValue)
          .Property("EmptyFontColor", &T::EmptyFontColor, &T::SetEmptyFontColor, tk::ColorIdents())
          .Property("Caret", &T::Caret)
          .Property("MaxPixel", &T::MaxPixel)
          .Property("GroupIndex", &T::GroupIndex, &T::SetGroupIndex)
          .Property("HotTrack", &T::HotTrack, &T::SetHotTrack)
          .Property("Flat", &T::Flat, &T::SetFlat)
          .Property("ProtectPassword", &T::ProtectPassword, &T::SetProtectPassword)
          .Property("ThemedPassword", &T::ThemedPassword, &T::SetThemedPassword)
          .Property("AutoHint", &T::AutoHint, &T::SetAutoHint)
          .Property("HintColor", &T::HintColor, &T::SetHintColor, tk::ColorIdents())
          .Property("OEMConvert", &T::OEMConvert, &T::SetOEMConvert)
          .Build();
  return info;
}

const TClassInfo& TExtEdit::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TExtEdit, TCustomExtEdit>("TExtEdit").Build();
  return info;
}

TCustomExtEdit::TCustomExtEdit(TComponent* owner)
    : TCustomEditEx(owner),
      caret_(std::make_unique<TExtEditCaret>()),
      maxPixel_(std::make_unique<TExtEditMaxPixel>()) {}

void TCustomExtEdit::SetBevelKind(TBevelKind v) {
  if (bevelKind_ == v) return;
  bevelKind_ = v;
  BevelChanged();
}
void TCustomExtEdit::SetBevelInner(TBevelCut v) {
  if (bevelInner_ == v) return;
  bevelInner_ = v;
  BevelChanged();
}
void TCustomExtEdit::SetBevelOuter(TBevelCut v) {
  if (bevelOuter_ == v) return;
  bevelOuter_ = v;
  BevelChanged();
}
void TCustomExtEdit::SetBevelEdges(TBevelEdges v) {
  if (bevelEdges_ == v) return;
  bevelEdges_ = v;
  BevelChanged();
}

// The bevel lives in the non-client area, so the client shrinks around it.
void TCustomExtEdit::BevelChanged() {
  if (HandleAllocated())
    p::SetWindowPos(
        Handle(), p::HWND{}, 0, 0, 0, 0,
        p::SWP_FRAMECHANGED | p::SWP_NOMOVE | p::SWP_NOSIZE | p::SWP_NOZORDER | p::SWP_NOACTIVATE);
}

void TCustomExtEdit::CreateWindowHandle(const tk::TCreateParams& params) {
  TCustomEditEx::CreateWindowHandle(params);
  // The window measured its frame before it reached us; measure again.
  if (bevelKind_ != bkNone) BevelChanged();
}

RECT TCustomExtEdit::BevelWidths() const {
  if (bevelKind_ == bkNone) return RECT{0, 0, 0, 0};
  int w = 0;
  if (bevelInner_ != bvNone) ++w;
  if (bevelOuter_ != bvNone) ++w;
  return RECT{bevelEdges_.Contains(beLeft) ? w : 0, bevelEdges_.Contains(beTop) ? w : 0,
              bevelEdges_.Contains(beRight) ? w : 0, bevelEdges_.Contains(beBottom) ? w : 0};
}

void TCustomExtEdit::SetClipboardCommands(TClipboardCommands v) {
  clipboardCommands_ = v;
  // Without Cut nothing may change the text through the clipboard either.
  if (!v.Contains(caCut) && !ReadOnly()) SetReadOnly(true);
}

void TCustomExtEdit::SetDisabledColor(tk::TColor v) {
  disabledColor_ = v;
  if (!Enabled()) Invalidate();
}
void TCustomExtEdit::SetDisabledTextColor(tk::TColor v) {
  disabledTextColor_ = v;
  if (!Enabled()) Invalidate();
}
void TCustomExtEdit::SetEmptyValue(std::string_view v) {
  emptyValue_ = std::string(v);
  Invalidate();
}
void TCustomExtEdit::SetEmptyFontColor(tk::TColor v) {
  emptyFontColor_ = v;
  Invalidate();
}

bool TCustomExtEdit::ReadOnlyStyle() const {
  if (!HandleAllocated()) return ReadOnly();
  auto* self = const_cast<TCustomExtEdit*>(this);
  return (p::GetWindowLong(self->Handle(), p::GWL_STYLE) & p::ES_READONLY) != 0;
}

bool TCustomExtEdit::CanUndo() const {
  if (!clipboardCommands_.Contains(caUndo) || !HandleAllocated()) return false;
  return p::SendMessage(const_cast<TCustomExtEdit*>(this)->Handle(), p::EM_CANUNDO, 0, 0) != 0;
}
bool TCustomExtEdit::CanCut() const {
  return SelLength() > 0 && !ReadOnlyStyle() && clipboardCommands_.Contains(caCut);
}
bool TCustomExtEdit::CanCopy() const {
  return SelLength() > 0 && clipboardCommands_.Contains(caCopy);
}
bool TCustomExtEdit::CanPaste() const {
  return !ReadOnlyStyle() && clipboardCommands_.Contains(caPaste);
}
bool TCustomExtEdit::CanDelete() const {
  return SelLength() > 0 && !ReadOnlyStyle();
}
bool TCustomExtEdit::CanSelectAll() const {
  const int length = int(Text().size());
  return length > 0 && SelLength() < length;
}

void TCustomExtEdit::Change() {
  TCustomEditEx::Change();
  // Afterwards the text is cut to the pixel limit, one character at a time.
  const int limit = maxPixel_->Length();
  if (limit <= 0 || cutting_ || !HandleAllocated()) return;
  std::string t = Text();
  const size_t before = t.size();
  {
    p::TWindowDC dc(Handle(), p::GetDC(Handle()));
    p::TSelectedObject font(dc, p::HGDIOBJ(Font()->Handle()));
    auto width = [&dc](const std::string& s) {
      p::SIZE size{};
      p::GetTextExtentPoint32(dc, s, &size);
      return int(size.cx);
    };
    while (!t.empty() && width(t) > limit) t.pop_back();
  }
  if (t.size() == before) return;
  cutting_ = true;
  SetText(t);
  SetSelStart(int(t.size()));
  cutting_ = false;
}

void TCustomExtEdit::PaintBevel() {
  const RECT w = BevelWidths();
  if (w.left + w.top + w.right + w.bottom == 0) return;
  p::TWindowDC dc(Handle(), p::GetWindowDC(Handle()));
  RECT r{0, 0, Width(), Height()};
  // A flat bevel: the outer cut in the shadow colour, the inner in the face.
  auto ring = [&](tk::TColor c) {
    p::HBRUSH b = p::CreateSolidBrush(tk::ColorToRGB(c));
    if (bevelEdges_.Contains(beLeft)) {
      RECT e{r.left, r.top, r.left + 1, r.bottom};
      p::FillRect(dc, &e, b);
    }
    if (bevelEdges_.Contains(beTop)) {
      RECT e{r.left, r.top, r.right, r.top + 1};
      p::FillRect(dc, &e, b);
    }
    if (bevelEdges_.Contains(beRight)) {
      RECT e{r.right - 1, r.top, r.right, r.bottom};
      p::FillRect(dc, &e, b);
    }
    if (bevelEdges_.Contains(beBottom)) {
      RECT e{r.left, r.bottom - 1, r.right, r.bottom};
      p::FillRect(dc, &e, b);
    }
    p::DeleteObject(p::HGDIOBJ(b));
    if (bevelEdges_.Contains(beLeft)) ++r.left;
    if (bevelEdges_.Contains(beTop)) ++r.top;
    if (bevelEdges_.Contains(beRight)) --r.right;
    if (bevelEdges_.Contains(beBottom)) --r.bottom;
  };
  if (bevelOuter_ != bvNone) ring(tk::clBtnShadow);
  if (bevelInner_ != bvNone) ring(tk::clBtnFace);
}

// The platform edit greys a disabled text in its own colour; the entry
// draws it in DisabledTextColor instead, where the edit would have put it.
void TCustomExtEdit::PaintDisabled() {
  const p::HWND h = Handle();
  p::PAINTSTRUCT ps;
  p::TPaintDC dc(h, ps);
  RECT client{};
  p::GetClientRect(h, &client);
  disabledBrush_.SetColor(disabledColor_);
  p::FillRect(dc, &client, disabledBrush_.Handle());
  const std::string text = Text();
  if (!text.empty()) {
    RECT area{};
    p::SendMessage(h, p::EM_GETRECT, 0, p::LPARAM(&area));
    const p::LRESULT at = p::SendMessage(h, p::EM_POSFROMCHAR, 0, 0);
    p::IntersectClipRect(dc, area.left, client.top, area.right, client.bottom);
    p::TSelectedObject font(dc, p::HGDIOBJ(Font()->Handle()));
    p::SetBkMode(dc, p::TRANSPARENT);
    p::SetTextColor(dc, tk::ColorToRGB(disabledTextColor_));
    const std::string mask = PasswordChar();
    p::TextOut(dc, p::GET_X_LPARAM(at), p::GET_Y_LPARAM(at),
               mask.empty() ? text : std::string(text.size(), mask[0]));
  }
}

// The placeholder text of an empty entry that does not have the focus.
void TCustomExtEdit::PaintPlaceholder() {
  if (emptyValue_.empty() || !Text().empty() || Focused()) return;
  p::TWindowDC dc(Handle(), p::GetDC(Handle()));
  p::TSelectedObject font(dc, p::HGDIOBJ(Font()->Handle()));
  p::SetBkMode(dc, p::TRANSPARENT);
  p::SetTextColor(dc, tk::ColorToRGB(emptyFontColor_));
  RECT r = ClientRect();
  const unsigned align = Alignment() == tk::taCenter         ? p::DT_CENTER
                         : Alignment() == tk::taRightJustify ? p::DT_RIGHT
                                                             : p::DT_LEFT;
  p::DrawText(dc, emptyValue_, &r, align | p::DT_SINGLELINE | p::DT_NOPREFIX);
}

void TCustomExtEdit::WndProc(tk::TMessage& m) {
  switch (m.Msg) {
    case p::WM_NCCALCSIZE: {
      TCustomEditEx::WndProc(m);
      const RECT w = BevelWidths();
      RECT* r = m.WParam ? &reinterpret_cast<p::NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0]
                         : reinterpret_cast<RECT*>(m.LParam);
      r->left += w.left;
      r->top += w.top;
      r->right -= w.right;
      r->bottom -= w.bottom;
      if (r->right < r->left) r->right = r->left;
      if (r->bottom < r->top) r->bottom = r->top;
      return;
    }
    case p::WM_NCPAINT:
      TCustomEditEx::WndProc(m);
      PaintBevel();
      return;
    case p::WM_PAINT:
      if (!Enabled() && !m.WParam)
        PaintDisabled();
      else
        TCustomEditEx::WndProc(m);
      PaintPlaceholder();
      return;
    case tk::CN_CTLCOLOREDIT:
    case tk::CN_CTLCOLORSTATIC:
      if (!Enabled()) {
        const p::HDC dc{std::uint32_t(m.WParam)};
        p::SetTextColor(dc, tk::ColorToRGB(disabledTextColor_));
        p::SetBkColor(dc, tk::ColorToRGB(disabledColor_));
        disabledBrush_.SetColor(disabledColor_);
        m.Result = tk::LRESULT(disabledBrush_.Handle().value);
        return;
      }
      break;
    case p::WM_CUT:
      if (!clipboardCommands_.Contains(caCut)) return;
      break;
    case p::WM_COPY:
      if (!clipboardCommands_.Contains(caCopy)) return;
      break;
    case p::WM_PASTE:
      if (!clipboardCommands_.Contains(caPaste)) return;
      break;
    case p::WM_UNDO:
    case p::EM_UNDO:
      if (!clipboardCommands_.Contains(caUndo)) return;
      break;
    case p::WM_CONTEXTMENU:
      // An entry with a menu of its own shows that one (the base does).
      if (useFixedPopup_ && !PopupMenu()) {
        int x = p::GET_X_LPARAM(m.LParam), y = p::GET_Y_LPARAM(m.LParam);
        if (x == -1 && y == -1) {  // from the keyboard: at the entry's corner
          const tk::POINT o = ClientToScreen(tk::POINT{0, 0});
          x = o.x;
          y = o.y;
        }
        EditContextMenu().Popup(*this, x, y);
        return;
      }
      break;
    default:
      break;
  }
  TCustomEditEx::WndProc(m);
}

TEditContextMenu& EditContextMenu() {
  static TEditContextMenu menu;
  return menu;
}

void TEditContextMenu::Popup(TCustomExtEdit& edit, int x, int y) {
  static constexpr p::UINT ids[ItemCount] = {p::IDM_EDIT_UNDO,   p::IDM_EDIT_CUT,
                                             p::IDM_EDIT_COPY,   p::IDM_EDIT_PASTE,
                                             p::IDM_EDIT_DELETE, p::IDM_EDIT_SELECTALL};
  if (!localized_) {
    // Once, before the menu first shows: the platform's own words for the
    // same commands, so the menu reads in the user interface language.
    for (int i = 0; i < ItemCount; ++i) {
      std::string caption = p::EditMenuCaption(ids[i]);
      if (!caption.empty()) captions_[i] = std::move(caption);
    }
    localized_ = true;
  }
  enabled_ = {edit.CanUndo(),  edit.CanCut(),    edit.CanCopy(),
              edit.CanPaste(), edit.CanDelete(), edit.CanSelectAll()};
  p::HMENU menu = p::CreatePopupMenu();
  auto add = [&](Item i) {
    p::AppendMenu(menu, enabled_[i] ? p::MF_STRING : p::MF_STRING | p::MF_GRAYED, ids[i],
                  captions_[i].c_str());
  };
  add(Undo);
  p::AppendMenu(menu, p::MF_SEPARATOR, 0, nullptr);
  add(Cut);
  add(Copy);
  add(Paste);
  add(Delete);
  p::AppendMenu(menu, p::MF_SEPARATOR, 0, nullptr);
  add(SelectAll);
  const p::UINT command =
      p::UINT(p::TrackPopupMenu(menu, p::TPM_LEFTALIGN | p::TPM_RETURNCMD | p::TPM_RIGHTBUTTON, x,
                                y, 0, edit.Handle(), nullptr));
  p::DestroyMenu(menu);
  if (!edit.HandleAllocated()) return;
  const p::HWND h = edit.Handle();
  switch (command) {
    case p::IDM_EDIT_UNDO:
      p::SendMessage(h, p::WM_UNDO, 0, 0);
      break;
    case p::IDM_EDIT_CUT:
      p::SendMessage(h, p::WM_CUT, 0, 0);
      break;
    case p::IDM_EDIT_COPY:
      p::SendMessage(h, p::WM_COPY, 0, 0);
      break;
    case p::IDM_EDIT_PASTE:
      p::SendMessage(h, p::WM_PASTE, 0, 0);
      break;
    case p::IDM_EDIT_DELETE:
      p::SendMessage(h, p::WM_CLEAR, 0, 0);
      break;
    case p::IDM_EDIT_SELECTALL:
      p::SendMessage(h, p::EM_SETSEL, 0, -1);
      break;
    default:
      break;
  }
}

}  // namespace graphics
