#include "skin/controls/SkinComboBox.h"

#include <algorithm>

#include "component/ClassBuilder.h"
#include "platform/controls/Controls.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/Messages.h"
#include "platform/window/Styles.h"
#include "platform/window/SystemMetrics.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Window.h"
#include "skin/data/SkinData.h"
#include "skin/link/SkinControl.h"
#include "skin/link/SkinMessages.h"
#include "skin/paint/GlyphMask.h"
#include "skin/paint/SectionPaint.h"
#include "skin/paint/SkinTextDrawing.h"
#include "toolkit/Canvas.h"

namespace skin {

namespace p = platform;
using component::TClassBuilder;
using component::TClassInfo;
using toolkit::TMessage;

namespace {

constexpr int kComboControlKind = 3;
constexpr int kFrameWidth = 2;
constexpr int kUnskinnedButton = 16;

// The keys with which the user steps through the entries or opens the list.
bool SelectionKey(std::uint16_t key) {
  switch (key) {
    case p::VK_UP:
    case p::VK_DOWN:
    case p::VK_LEFT:
    case p::VK_RIGHT:
    case p::VK_PRIOR:
    case p::VK_NEXT:
    case p::VK_HOME:
    case p::VK_END:
    case p::VK_F4:
      return true;
    default:
      return false;
  }
}

}  // namespace

const TClassInfo& TSkinComboBox::StaticClassInfo() {
  using T = TSkinComboBox;
  static const TClassInfo info =
      TClassBuilder<T, toolkit::TComboBox>("TSkinComboBox")
          .Property("SkinData", &T::SkinData)
          .Property("BoundLabel", &T::BoundLabel)
          .Property("DisabledKind", &T::DisabledKind, &T::SetDisabledKind)
          .Property("Alignment", &T::Alignment, &T::SetAlignment)
          .Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly)
          .Build();
  return info;
}

TSkinComboBox::TSkinComboBox(component::TComponent* owner)
    : TSkinBoxControl(owner, kComboControlKind) {
  SetItemHeight(13);
  SetDropDownCount(16);
  // The edit kinds default to EDIT; the combo box has its own section.
  skinData_->SetSkinSection("COMBOBOX");
}

TSkinComboBox::~TSkinComboBox() = default;

void TSkinComboBox::SetAlignment(toolkit::TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  skinData_->MarkStale();
  Redraw();
}

int TSkinComboBox::GlyphIndex() const {
  if (!skinData_->Skinned()) return -1;
  return FindMask(skinData_->SkinIndex, skinData_->SkinSection(), "GLYPHMASK");
}

RECT TSkinComboBox::ButtonRect() const {
  int bw = kUnskinnedButton, bh = kUnskinnedButton;
  const TSkinTables& tables = ActiveSkin();
  const int glyph = GlyphIndex();
  if (tables.ValidMask(glyph)) {
    const TSkinMaskData& mask = tables.Masks[std::size_t(glyph)];
    bw = (mask.R.right - mask.R.left) / std::max<int>(1, mask.ImageCount);
    bh = (mask.R.bottom - mask.R.top) / std::max(1, mask.MaskType + 1);
  }
  const int right = Width() - 2, top = (Height() - bh) / 2;
  return RECT{right - bw, top, right, top + bh};
}

int TSkinComboBox::GlyphState() const {
  if (dropped_) return 2;
  return ControlActive(*skinData_) ? 1 : 0;
}

void TSkinComboBox::PaintCache() {
  TSkinCommonData& d = *skinData_;
  SizeCacheToControl(d);
  const int w = d.CacheBitmap().Width(), h = d.CacheBitmap().Height();
  d.CacheStale = 0;
  if (w <= 0 || h <= 0 || !d.Skinned()) return;
  const TSkinTables& tables = ActiveSkin();
  const TParentBackground bg = d.ParentBackground();
  const Surface cache = d.CacheSurface();
  const bool active = ControlActive(d);
  PaintSection(tables, d.SkinIndex, d.SkinSection(), bg, cache, POINT{0, 0}, RECT{0, 0, w, h},
               active ? 1 : 0, true);
  const int glyph = GlyphIndex();
  const RECT button = ButtonRect();
  // The text stops short of the arrow so that it is never hidden under it.
  RECT textBox{3, 3, w - 3, h - 3};
  if (tables.ValidMask(glyph)) textBox.right = std::min(textBox.right, button.left - 1);
  const std::string text = Text();
  if (!text.empty() && textBox.right > textBox.left && textBox.bottom > textBox.top) {
    toolkit::TCanvas& canvas = *d.CacheBitmap().Canvas();
    canvas.Font()->Assign(*Font());
    unsigned flags = p::DT_SINGLELINE | p::DT_NOPREFIX;
    if (alignment_ == toolkit::taCenter) flags |= p::DT_CENTER;
    if (alignment_ == toolkit::taRightJustify) flags |= p::DT_RIGHT;
    DrawSkinText(tables, canvas, text, Enabled(), active, d.SkinIndex, flags, textBox);
  }
  DrawGlyphMask(tables, cache, POINT{button.left, button.top}, GlyphState(), glyph, true);
  PaintDisabledLook(cache, bg);
}

void TSkinComboBox::Redraw() {
  if (HandleAllocated()) p::InvalidateRect(Handle(), nullptr, p::FALSE);
}

void TSkinComboBox::PaintWindow(TMessage& m) {
  TSkinCommonData& d = *skinData_;
  const bool held = PrepareCacheForPaint();
  if (!held && Style() == toolkit::csDropDownList && d.HasFocus) {
    // The platform's highlighted field, framed by the skin.
    TComboBox::WndProc(m);
    const int w = Width(), h = Height();
    const RECT button = ButtonRect();
    // The platform's own button may reach past the skin's arrow: its column
    // comes from the cache as well.
    const int platformButton = w - kFrameWidth - p::GetSystemMetrics(p::SM_CXVSCROLL);
    p::HWND wnd = Handle();
    p::HDC dc = p::GetDC(wnd);
    CopyCacheFrame(d, dc, kFrameWidth);
    CopyCacheRect(d, dc, button);
    CopyCacheRect(d, dc,
                  RECT{std::min<int>(button.left, platformButton), kFrameWidth, w - kFrameWidth,
                       h - kFrameWidth});
    p::ReleaseDC(wnd, dc);
    return;
  }
  p::PAINTSTRUCT ps;
  p::HDC dc = p::BeginPaint(Handle(), &ps);
  if (!held) CopyCache(d, dc);
  p::EndPaint(Handle(), &ps);
}

bool TSkinComboBox::SwallowedWhileReadOnly(TMessage& m) {
  if (!readOnly_) return false;
  switch (m.Msg) {
    case p::WM_LBUTTONDOWN:
    case p::WM_LBUTTONDBLCLK:
      // No list to pick from, but a click still focuses the box.
      if (CanFocus() && !Focused()) SetFocus();
      return true;
    case p::WM_MOUSEWHEEL:
      return true;
    case p::CB_SHOWDROPDOWN:
      return m.WParam != 0;
    case toolkit::CN_COMMAND:
      dropped_ = false;
      return true;
    default:
      return false;
  }
}

void TSkinComboBox::SetReadOnly(bool v) {
  readOnly_ = v;
  if (v && HandleAllocated() && DroppedDown()) SetDroppedDown(false);
}

// The form and OnKeyDown still see the key; the platform box does not.
void TSkinComboBox::KeyDown(std::uint16_t& key, toolkit::TShiftState shift) {
  TComboBox::KeyDown(key, shift);
  if (readOnly_ && SelectionKey(key)) key = 0;
}

// Typing the start of an entry would pick it.
void TSkinComboBox::KeyPress(char& key) {
  TComboBox::KeyPress(key);
  if (readOnly_ && static_cast<unsigned char>(key) >= 32) key = 0;
}

bool TSkinComboBox::HandleSkinMessage(TMessage& m) {
  if (!skinData_->HandleMessage(m)) return false;
  if (m.Msg == SKM_REMOVESKIN || m.Msg == SKM_REFRESH) Redraw();
  return true;
}

void TSkinComboBox::WndProc(TMessage& m) {
  // None of what a read-only box swallows is a skin message.
  if (SwallowedWhileReadOnly(m) || HandledBeforeSkin(m)) return;
  TSkinCommonData& d = *skinData_;
  switch (m.Msg) {
    case p::WM_PAINT:
      if (m.WParam) break;
      PaintWindow(m);
      return;
    case p::WM_ERASEBKGND:
      m.Result = 1;
      return;
    case toolkit::CM_MOUSEENTER:
    case toolkit::CM_MOUSELEAVE:
      ShowHover(m.Msg == toolkit::CM_MOUSEENTER);
      break;
    case p::WM_SETFOCUS:
      TComboBox::WndProc(m);
      ShowFocus(Enabled());
      return;
    case p::WM_KILLFOCUS:
      if (DroppedDown()) p::SendMessage(Handle(), p::CB_SHOWDROPDOWN, p::FALSE, 0);
      TComboBox::WndProc(m);
      dropped_ = false;
      ShowFocus(false);
      return;
    case toolkit::CN_COMMAND:
      dropped_ = p::HIWORD(m.WParam) == p::CBN_DROPDOWN;
      d.MarkStale();
      Redraw();
      break;
    case p::WM_SIZE:
    case p::WM_SETTEXT:
    case p::CB_SETCURSEL:
    case p::CB_SELECTSTRING:
    case p::CB_DELETESTRING:
    case p::CB_RESETCONTENT:
      d.MarkStale();
      break;
    case toolkit::CM_ENABLEDCHANGED:
    case toolkit::CM_FONTCHANGED:
    case toolkit::CM_TEXTCHANGED:
    case toolkit::CM_VISIBLECHANGED:
      RepaintAround(m);
      return;
    default:
      break;
  }
  TComboBox::WndProc(m);
}

}  // namespace skin
