#include "skin/controls/SkinEdit.h"

#include "component/ClassBuilder.h"
#include "platform/controls/Controls.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/Messages.h"
#include "platform/window/Styles.h"
#include "platform/window/Window.h"
#include "skin/data/SkinData.h"
#include "skin/link/SkinControl.h"
#include "skin/link/SkinMessages.h"
#include "skin/paint/SectionPaint.h"
#include "skin/paint/SkinTextDrawing.h"
#include "toolkit/Canvas.h"

namespace skin {

namespace p = platform;
using component::TClassBuilder;
using component::TClassInfo;
using toolkit::TMessage;

namespace {

constexpr int kEditControlKind = 3;
// The skinned frame's width; the platform edit's client edge is as wide, so
// its text area lies just inside it.
constexpr int kFrameWidth = 2;

}  // namespace

const TClassInfo& TSkinEdit::StaticClassInfo() {
  using T = TSkinEdit;
  static const TClassInfo info =
      TClassBuilder<T, toolkit::TEdit>("TSkinEdit")
          .Property("SkinData", &T::SkinData)
          .Property("BoundLabel", &T::BoundLabel)
          .Property("DisabledKind", &T::DisabledKind, &T::SetDisabledKind)
          .Build();
  return info;
}

TSkinEdit::TSkinEdit(component::TComponent* owner) : TSkinBoxControl(owner, kEditControlKind) {
  if (!ComponentState().Contains(component::csLoading)) skinData_->Loaded();
}

TSkinEdit::~TSkinEdit() = default;

bool TSkinEdit::HoverAllowed() const {
  const TSkinTables& tables = ActiveSkin();
  return tables.ValidSection(skinData_->SkinIndex) &&
         tables.Sections[std::size_t(skinData_->SkinIndex)].ReservedBoolean;
}

int TSkinEdit::PaintState() const {
  return ControlActive(*skinData_) ? 1 : 0;
}

std::string TSkinEdit::ShownText() const {
  const std::string text = Text();
  const std::string mask = PasswordChar();
  return mask.empty() ? text : std::string(text.size(), mask[0]);
}

void TSkinEdit::PaintCache() {
  TSkinCommonData& d = *skinData_;
  SizeCacheToControl(d);
  const int w = d.CacheBitmap().Width(), h = d.CacheBitmap().Height();
  d.CacheStale = 0;
  if (w <= 0 || h <= 0 || !d.Skinned()) return;
  const TSkinTables& tables = ActiveSkin();
  const TParentBackground bg = d.ParentBackground();
  const Surface cache = d.CacheSurface();
  const int state = PaintState();
  PaintSection(tables, d.SkinIndex, d.SkinSection(), bg, cache, POINT{0, 0}, RECT{0, 0, w, h},
               state, true);
  toolkit::TCanvas& canvas = *d.CacheBitmap().Canvas();
  canvas.Font()->Assign(*Font());
  const std::string text = ShownText();
  if (!text.empty() && w > 6 && h > 6)
    DrawSkinText(tables, canvas, text, Enabled(), state == 1, d.SkinIndex,
                 p::DT_SINGLELINE | p::DT_WORDBREAK | p::DT_NOPREFIX, RECT{3, 3, w - 3, h - 3});
  PaintDisabledLook(cache, bg);
}

void TSkinEdit::Redraw() {
  if (!HandleAllocated()) return;
  p::RedrawWindow(Handle(), nullptr, p::HRGN{}, p::RDW_INVALIDATE | p::RDW_FRAME);
}

void TSkinEdit::PaintFrame() {
  p::HWND h = Handle();
  p::HDC dc = p::GetWindowDC(h);
  CopyCacheFrame(*skinData_, dc, kFrameWidth);
  p::ReleaseDC(h, dc);
}

void TSkinEdit::PaintWindow(TMessage& m) {
  TSkinCommonData& d = *skinData_;
  const bool held = PrepareCacheForPaint();
  if (ControlActive(d)) {
    // The platform edit draws the text area with its caret and selection.
    TEdit::WndProc(m);
    if (!held) PaintFrame();
    return;
  }
  p::PAINTSTRUCT ps;
  p::BeginPaint(Handle(), &ps);
  p::EndPaint(Handle(), &ps);
  if (held) return;
  p::HWND h = Handle();
  p::HDC dc = p::GetWindowDC(h);
  CopyCache(d, dc);
  p::ReleaseDC(h, dc);
}

void TSkinEdit::RecreateKeepingState() {
  if (!HandleAllocated() || ComponentState().Contains(component::csDestroying)) return;
  const bool focused = Focused();
  const int start = SelStart(), length = SelLength();
  const bool modified = Modified();
  RecreateWnd();
  SetModified(modified);
  // Focus first: entering the edit may select its whole text.
  if (focused && CanFocus()) SetFocus();
  SetSelStart(start);
  SetSelLength(length);
}

bool TSkinEdit::HandleSkinMessage(TMessage& m) {
  switch (m.Msg) {
    case SKM_REMOVESKIN:
      skinData_->HandleMessage(m);
      // A new window drops whatever the skin painted into the frame.
      RecreateKeepingState();
      return true;
    case SKM_REFRESH:
      skinData_->HandleMessage(m);
      Redraw();
      return true;
    default:
      return skinData_->HandleMessage(m);
  }
}

void TSkinEdit::WndProc(TMessage& m) {
  if (HandledBeforeSkin(m)) return;
  TSkinCommonData& d = *skinData_;
  switch (m.Msg) {
    case p::WM_PAINT:
      if (m.WParam) break;  // painting into a given context: the platform's picture
      PaintWindow(m);
      return;
    case p::WM_NCPAINT:
      if (!PaintHeldBack(d)) {
        if (d.CacheStale) PaintCache();
        PaintFrame();
      }
      m.Result = 0;
      return;
    case p::WM_ERASEBKGND:
      m.Result = 1;
      return;
    case toolkit::CM_MOUSEENTER:
    case toolkit::CM_MOUSELEAVE:
      if (HoverAllowed() && Enabled()) ShowHover(m.Msg == toolkit::CM_MOUSEENTER);
      break;
    case p::WM_SETFOCUS:
      TEdit::WndProc(m);
      ShowFocus(Enabled());
      return;
    case p::WM_KILLFOCUS:
      TEdit::WndProc(m);
      ShowFocus(false);
      return;
    case p::WM_SIZE:
    case p::EM_SETPASSWORDCHAR:
    case toolkit::CN_COMMAND:
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
  TEdit::WndProc(m);
}

}  // namespace skin
