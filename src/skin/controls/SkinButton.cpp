#include "skin/controls/SkinButton.h"

#include "toolkit/Application.h"

#include <algorithm>

#include "component/ClassBuilder.h"
#include "platform/controls/Controls.h"
#include "platform/gdi/DcGuards.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/Window.h"
#include "skin/data/SkinData.h"
#include "skin/link/SkinControl.h"
#include "skin/link/SkinMessages.h"
#include "skin/paint/BorderMask.h"
#include "skin/paint/FocusDots.h"
#include "skin/paint/PictureSurface.h"
#include "skin/paint/SectionBackground.h"
#include "skin/paint/SkinTextDrawing.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace skin {

using namespace component;
namespace p = platform;
using toolkit::TMessage;

namespace {

constexpr unsigned kCaptionFormat = p::DT_CENTER | p::DT_WORDBREAK | p::DT_EXPANDTABS;

}  // namespace

const TClassInfo& TSkinButton::StaticClassInfo() {
  using T = TSkinButton;
  static const TClassInfo info =
      TClassBuilder<T, toolkit::TButton>("TSkinButton")
          .Property("SkinData", &T::SkinData)
          .Property("DisabledKind", &T::DisabledKind, &T::SetDisabledKind)
          .Property("FocusMargin", &T::FocusMargin, &T::SetFocusMargin)
          .Property("Down", &T::Down, &T::SetDown)
          .Build();
  return info;
}

TSkinButton::TSkinButton(TComponent* owner) : TSkinnedControl(owner, kControlKind) {
  skinData_->Loaded();
}

TSkinButton::~TSkinButton() {
  Destroying();
  RestoreHints();
  // The timers go before the window they paint on.
  fadeTimer_.reset();
  retiredTimer_.reset();
}

void TSkinButton::SetFocusMargin(int v) {
  if (focusMargin_ == v) return;
  focusMargin_ = v;
  skinData_->MarkStale();
  Invalidate();
}

void TSkinButton::SetDown(bool v) {
  if (down_ == v) return;
  down_ = v;
  regionChanged_ = true;
  skinData_->MarkStale();
  Invalidate();
}

bool TSkinButton::FocusOnOtherSkinButton() const {
  auto* focused = dynamic_cast<TSkinButton*>(FindControl(p::GetFocus()));
  return focused && focused != this;
}

int TSkinButton::CurrentState() const {
  if (pressed_ || down_) return 2;
  if (ControlActive(*skinData_)) return 1;
  if (Default() && Enabled() && !FocusOnOtherSkinButton()) return 1;
  return 0;
}

bool TSkinButton::Fading() const {
  return fadeTimer_ && fadeTimer_->Running();
}

// --- painting -------------------------------------------------------------

void TSkinButton::PaintCache() {
  TSkinCommonData& data = *skinData_;
  if (!Skinned()) return;
  const TSkinTables& skin = ActiveSkin();
  const TSkinGeneralData& section = skin.Sections[std::size_t(data.SkinIndex)];
  const TParentBackground bg = data.ParentBackground();
  SizeCacheToControl(data);
  graphics::TPixelBitmap& cache = data.CacheBitmap();
  if (cache.Empty()) {
    data.CacheStale = 0;
    return;
  }
  const int w = cache.Width(), h = cache.Height();
  const int state = CurrentState();
  const Surface target = data.CacheSurface();
  const RECT all{0, 0, w, h};
  PaintSectionBackground(skin, data.SkinIndex, data.SkinSection(), bg, target, POINT{0, 0}, all,
                         state);
  const bool rebuild = regionChanged_;
  p::Region region(all);
  if (rebuild)
    region = DrawBorderRegion(skin, target, all, true, state, data.BorderMaskIndex, bg);
  else
    DrawBorderMask(skin, target, all, true, state, data.BorderMaskIndex, bg);

  toolkit::TCanvas& canvas = *cache.Canvas();
  canvas.Font()->Assign(*Font());
  const std::string text = Caption();
  RECT measured{0, 0, std::max(0, w - 2), 0};
  if (!text.empty()) canvas.DrawText(text, measured, kCaptionFormat | p::DT_CALCRECT);
  const int tw = text.empty() ? 0 : measured.Width(), th = text.empty() ? 0 : measured.Height();
  int left = (w - tw) / 2, top = (h - th) / 2;
  if (pressed_) ++left, ++top;
  const RECT caption{left, top, left + tw, top + th};
  if (!text.empty())
    DrawSkinText(skin, canvas, text, Enabled(), ControlActive(data) || down_, data.SkinIndex,
                 kCaptionFormat, caption);
  if (Enabled() && data.HasFocus && !text.empty() && section.ShowFocus) {
    const int m = focusMargin_;
    DrawFocusDots(target,
                  RECT{caption.left - m, caption.top - m, caption.right + m, caption.bottom + m});
  }

  if (rebuild && HandleAllocated()) {
    ApplyRegion(region);
    regionChanged_ = false;
  }
  if (!Enabled()) {
    const std::int32_t parentColor =
        Parent() ? std::int32_t(toolkit::ColorToRGB(Parent()->Color())) : std::int32_t(0);
    PaintDisabled(target, disabledKind_, parentColor, POINT{0, 0}, bg);
  }
  data.CacheStale = 0;
}

void TSkinButton::ApplyRegion(const p::Region& region) {
  const RECT whole{0, 0, Width(), Height()};
  if (region == p::Region(whole)) {
    RemoveRegion();
    return;
  }
  p::HRGN shape = p::CreateRectRgn(0, 0, 0, 0);
  for (const RECT& r : region.Rects()) {
    p::HRGN piece = p::CreateRectRgn(r.left, r.top, r.right, r.bottom);
    p::CombineRgn(shape, shape, piece, p::RGN_OR);
    p::DeleteObject(piece);
  }
  // The window is being painted already: no second paint is asked for.
  p::SetWindowRgn(Handle(), shape, p::FALSE);
  regionApplied_ = true;
}

void TSkinButton::RemoveRegion() {
  if (!regionApplied_) return;
  regionApplied_ = false;
  if (HandleAllocated()) p::SetWindowRgn(Handle(), p::HRGN{}, p::TRUE);
}

void TSkinButton::PaintMessage(TMessage& m) {
  p::PAINTSTRUCT ps;
  const bool own = m.WParam == 0;
  std::unique_ptr<p::TPaintDC<p::HWND, p::PAINTSTRUCT>> paint;
  p::HDC dc{std::uint32_t(m.WParam)};
  if (own) {
    paint = std::make_unique<p::TPaintDC<p::HWND, p::PAINTSTRUCT>>(Handle(), ps);
    dc = paint->Get();
  }
  m.Result = 0;
  TSkinCommonData& data = *skinData_;
  // While a fade runs its steps are the picture; the timer puts them up.
  if (PaintHeldBack(data) || Fading()) return;
  if (SendToParent(*this, SKM_GETOUTSIDE, 0, 0)) data.CacheStale = 1;
  data.OutsideParent = OutsideParentClient(*this) ? 1 : 0;
  if (data.CacheStale) PaintCache();
  CopyCache(data, dc);
  data.CacheStale = 0;
}

void TSkinButton::RepaintNow() {
  skinData_->MarkStale();
  if (!HandleAllocated()) return;
  Invalidate();
  Update();
}

// --- fading ---------------------------------------------------------------

void TSkinButton::StartFade(TSkinFadeDirection direction, bool shownIsCached) {
  const TSkinGeneralData& section = ActiveSkin().Sections[std::size_t(skinData_->SkinIndex)];
  if (!section.FadingEnabled || !HandleAllocated() || !Showing()) {
    RepaintNow();
    return;
  }
  if (!fadeTimer_) {
    TSkinFadeControl control;
    control.Alive = [this] {
      return !ComponentState().Contains(csDestroying) && HandleAllocated() && Skinned();
    };
    control.Cache = [this] { return skinData_->CacheSurface(); };
    control.RepaintCache = [this] { PaintCache(); };
    control.Show = [this](const Surface& picture) { ShowFadeStep(picture); };
    control.StopFading = [this](const TSkinFade&) { FadeEnded(); };
    fadeTimer_ = std::make_unique<TSkinFadeTimer>(std::move(control), direction);
  }
  if (!shownIsCached) {
    const std::uint8_t mouse = skinData_->MouseAbove;
    skinData_->MouseAbove = direction == TSkinFadeDirection::In ? 0 : 1;
    PaintCache();
    skinData_->MouseAbove = mouse;
  }
  fadeTimer_->Start(direction, section);
}

void TSkinButton::StopFade() {
  if (!fadeTimer_) return;
  fadeTimer_->Stop();
  // Stopping may come from a tick's own callbacks: free the timer later.
  retiredTimer_ = std::move(fadeTimer_);
  skinData_->MarkStale();
  if (HandleAllocated()) p::PostMessage(Handle(), WM_SKIN_FREERETIREDTIMER, 0, 0);
}

void TSkinButton::FadeEnded() {
  StopFade();
  if (HandleAllocated()) Invalidate();
}

void TSkinButton::ShowFadeStep(const Surface& picture) {
  if (!HandleAllocated() || picture.IsEmpty()) return;
  if (fadeFrame_.Width() != picture.width || fadeFrame_.Height() != picture.height)
    fadeFrame_.SetSize(picture.width, picture.height);
  const Surface frame = SurfaceOf(fadeFrame_);
  for (int y = 0; y < picture.height; ++y) std::copy_n(picture.Row(y), picture.width, frame.Row(y));
  p::TWindowDC dc(Handle(), p::GetDC(Handle()));
  p::BitBlt(dc, 0, 0, picture.width, picture.height, fadeFrame_.Handle(), 0, 0, p::SRCCOPY);
}

// --- messages -------------------------------------------------------------

bool TSkinButton::SkinMessage(TMessage& m) {
  TSkinCommonData& data = *skinData_;
  switch (m.Msg) {
    case SKM_REMOVESKIN:
      StopFade();
      data.HandleMessage(m);
      pressed_ = mousePressed_ = false;
      RestoreHints();
      regionChanged_ = true;
      RemoveRegion();
      if (HandleAllocated()) Invalidate();
      return true;
    case SKM_SETNEWSKIN:
      StopFade();
      data.HandleMessage(m);
      regionChanged_ = true;
      return true;
    case SKM_REFRESH:
      regionChanged_ = true;
      data.HandleMessage(m);
      if (!Skinned()) RemoveRegion();
      return true;
    case SKM_REPAINT:
      data.HandleMessage(m);
      if (Skinned()) RepaintNow();
      return true;
    case SKM_STOPFADING:
      StopFade();
      if (HandleAllocated()) Invalidate();
      return true;
    default:
      return data.HandleMessage(m);
  }
}

void TSkinButton::ButtonDown(TMessage& m) {
  if (Enabled()) {
    StopFade();
    // Pressed and holding the mouse before the focus moves: a box raised
    // by the control that loses the focus takes the capture, which ends
    // the press, and the button neither stays pressed nor swallows the
    // operator's next click.
    pressed_ = mousePressed_ = true;
    regionChanged_ = true;
    HideHints();
    p::SetCapture(Handle());
    if (CanFocus() && !Focused()) SetFocus();
    if (ComponentState().Contains(csDestroying)) return;
    if (!mousePressed_) return;  // already repainted unpressed
    RepaintNow();
  }
  toolkit::TButton::WndProc(m);
}

// No hint pops up over a button held down; they come back on release.
void TSkinButton::HideHints() {
  if (hintsHidden_ || !toolkit::Application) return;
  hintsHidden_ = true;
  hintsShown_ = toolkit::Application->ShowHint();
  toolkit::Application->SetShowHint(false);
}

void TSkinButton::RestoreHints() {
  if (!hintsHidden_) return;
  hintsHidden_ = false;
  if (toolkit::Application) toolkit::Application->SetShowHint(hintsShown_);
}

void TSkinButton::ButtonUp(TMessage& m) {
  const bool wasPressed = mousePressed_;
  if (wasPressed) {
    pressed_ = mousePressed_ = false;
    RestoreHints();
    regionChanged_ = true;
    if (p::GetCapture() == Handle()) p::ReleaseCapture();
  }
  const POINT at{p::GET_X_LPARAM(m.LParam), p::GET_Y_LPARAM(m.LParam)};
  const RECT client = ClientRect();
  const bool inside =
      at.x >= client.left && at.y >= client.top && at.x < client.right && at.y < client.bottom;
  if (wasPressed) RepaintNow();
  toolkit::TButton::WndProc(m);
  if (wasPressed && inside && !ComponentState().Contains(csDestroying)) Click();
}

void TSkinButton::MouseOver(TMessage& m, bool entered) {
  toolkit::TButton::WndProc(m);  // OnMouseEnter / OnMouseLeave
  if (!Enabled() || ComponentState().Contains(csDestroying)) return;
  // The fade starts from the picture on the screen: the cache holds it
  // unless it was stale already.
  const bool shownIsCached = !skinData_->CacheStale;
  skinData_->SetMouseAbove(entered);
  skinData_->MarkStale();
  StartFade(entered ? TSkinFadeDirection::In : TSkinFadeDirection::Out, shownIsCached);
}

void TSkinButton::FocusChange(TMessage& m, bool gained) {
  StopFade();
  skinData_->SetHasFocus(gained && Enabled());
  skinData_->MouseAbove = 0;
  if (!gained) {
    pressed_ = mousePressed_ = false;
    RestoreHints();
    regionChanged_ = true;
    if (p::GetCapture() == Handle()) p::ReleaseCapture();
  }
  toolkit::TButton::WndProc(m);
  if (ComponentState().Contains(csDestroying)) return;
  RepaintNow();
  RepaintDefaultButtons();
}

// The default button looks hot only while no other skinned button has the
// focus, so the focus moving between buttons changes its picture.
void TSkinButton::RepaintDefaultButtons() {
  toolkit::TCustomForm* form = ParentForm();
  if (!form) return;
  std::vector<toolkit::TWinControl*> list;
  form->GetTabOrderList(list);
  for (toolkit::TWinControl* c : list) {
    auto* b = dynamic_cast<TSkinButton*>(c);
    if (b && b != this && b->Default() && b->Skinned() && b->HandleAllocated()) {
      b->skinData_->MarkStale();
      b->Invalidate();
    }
  }
}

void TSkinButton::WndProc(TMessage& m) {
  if (IsSkinMessage(m.Msg) && SkinMessage(m)) return;
  if (m.Msg == WM_SKIN_FREERETIREDTIMER) {
    retiredTimer_.reset();
    return;
  }
  if (!Skinned()) {
    // A section that went away leaves no shape behind.
    if (regionApplied_) RemoveRegion();
    toolkit::TButton::WndProc(m);
    return;
  }
  switch (m.Msg) {
    case p::WM_PAINT:
    case p::WM_PRINTCLIENT:
      PaintMessage(m);
      return;
    case p::WM_ERASEBKGND:
      m.Result = 1;
      return;
    case p::BM_SETSTATE:
      return;
    case p::BM_SETSTYLE:  // became or stopped being the default button
      skinData_->MarkStale();
      break;
    case p::WM_LBUTTONDOWN:
    case p::WM_LBUTTONDBLCLK:
      ButtonDown(m);
      return;
    case p::WM_LBUTTONUP:
      ButtonUp(m);
      return;
    case p::WM_CAPTURECHANGED:
      // Another window took the mouse: the press is over without a click.
      if (mousePressed_ && p::HWND{std::uint32_t(m.LParam)} != Handle()) {
        pressed_ = mousePressed_ = false;
        RestoreHints();
        regionChanged_ = true;
        RepaintNow();
      }
      break;
    case p::WM_CANCELMODE:
      if (mousePressed_ && p::GetCapture() == Handle()) p::ReleaseCapture();
      break;
    case toolkit::CM_MOUSEENTER:
    case toolkit::CM_MOUSELEAVE:
      MouseOver(m, m.Msg == toolkit::CM_MOUSEENTER);
      return;
    case p::WM_SETFOCUS:
    case p::WM_KILLFOCUS:
      FocusChange(m, m.Msg == p::WM_SETFOCUS);
      return;
    case p::WM_SIZE:
      regionChanged_ = true;
      skinData_->MarkStale();
      break;
    case p::WM_MOVE: {
      const TSkinGeneralData& s = ActiveSkin().Sections[std::size_t(skinData_->SkinIndex)];
      if (s.Transparency > 0 || (s.HotTransparency > 0 && ControlActive(*skinData_))) {
        skinData_->MarkStale();
        Invalidate();
      }
      break;
    }
    case toolkit::CM_ENABLEDCHANGED:
      if (!Enabled()) {
        StopFade();
        pressed_ = mousePressed_ = false;
        RestoreHints();
        skinData_->MouseAbove = 0;
        if (p::GetCapture() == Handle()) p::ReleaseCapture();
      }
      skinData_->MarkStale();
      break;
    case toolkit::CM_FONTCHANGED:
    case toolkit::CM_TEXTCHANGED:
    case toolkit::CM_VISIBLECHANGED:
      skinData_->MarkStale();
      if (HandleAllocated()) Invalidate();
      break;
    default:
      break;
  }
  toolkit::TButton::WndProc(m);
}

void TSkinButton::DefaultHandler(TMessage& m) {
  if (Skinned()) {
    // The platform button would press, capture and click on its own.
    switch (m.Msg) {
      case p::WM_LBUTTONDOWN:
      case p::WM_LBUTTONDBLCLK:
      case p::WM_LBUTTONUP:
      case p::WM_MOUSEMOVE:
      case p::WM_CAPTURECHANGED:
      case p::WM_PAINT:
      case p::WM_ERASEBKGND:
        return;
      case p::WM_KEYDOWN:
      case p::WM_KEYUP:
        if (m.WParam == p::WPARAM(p::VK_SPACE)) return;
        break;
      default:
        break;
    }
  }
  toolkit::TButton::DefaultHandler(m);
}

void TSkinButton::KeyDown(std::uint16_t& key, toolkit::TShiftState shift) {
  toolkit::TButton::KeyDown(key, shift);
  if (key == p::VK_SPACE && Skinned() && Enabled() && !pressed_) {
    StopFade();
    pressed_ = true;
    mousePressed_ = false;
    RestoreHints();
    regionChanged_ = true;
    RepaintNow();
  }
}

void TSkinButton::KeyUp(std::uint16_t& key, toolkit::TShiftState shift) {
  toolkit::TButton::KeyUp(key, shift);
  if (key == p::VK_SPACE && Skinned() && pressed_ && !mousePressed_) {
    pressed_ = false;
    regionChanged_ = true;
    RepaintNow();
    Click();
  }
}

}  // namespace skin
