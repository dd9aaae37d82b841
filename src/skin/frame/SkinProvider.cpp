#include "skin/frame/SkinProvider.h"

#include <algorithm>

#include "component/ClassBuilder.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/ApplicationIcon.h"
#include "platform/window/Messages.h"
#include "platform/window/Styles.h"
#include "platform/window/SystemMetrics.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Window.h"
#include "skin/data/SkinData.h"
#include "skin/frame/FrameRegion.h"
#include "skin/frame/FrameTracking.h"
#include "skin/link/SkinControl.h"
#include "skin/link/SkinMessages.h"
#include "skin/paint/PaintPixels.h"
#include "toolkit/Canvas.h"
#include "toolkit/Menus.h"

namespace skin {

namespace p = platform;
using component::TClassBuilder;
using component::TClassInfo;
using component::TEnumInfo;
using toolkit::biHelp;
using toolkit::biMaximize;
using toolkit::biMinimize;
using toolkit::biSystemMenu;

namespace {

constexpr const char* kProviderProp = "SprintaraSkinProvider";

// The system's default application icon: a small window.
p::SurfaceBuffer MakeDefaultIcon() {
  p::SurfaceBuffer b(16, 16, kFuchsiaPixel);
  auto v = b.View();
  for (int y = 2; y < 14; ++y)
    for (int x = 1; x < 15; ++x) {
      const bool edge = x == 1 || x == 14 || y == 2 || y == 13;
      v.At(x, y) = edge ? 0xFF000000u : y < 5 ? 0xFF000080u : 0xFFFFFFFFu;
    }
  return b;
}

}  // namespace

const TEnumInfo& EnumInfo(TResizeMode) {
  static const TEnumInfo info("TResizeMode", {"rmStandard", "rmBorder"});
  return info;
}

const TEnumInfo& EnumInfo(TGripMode) {
  static const TEnumInfo info("TGripMode", {"gmNone", "gmRightBottom"});
  return info;
}

const TClassInfo& TSkinProvider::StaticClassInfo() {
  using T = TSkinProvider;
  static const TClassInfo info =
      TClassBuilder<T, TComponent>("TSkinProvider")
          .Property("BorderIcons", &T::BorderIcons, &T::SetBorderIcons)
          .Property("CaptionAlignment", &T::CaptionAlignment, &T::SetCaptionAlignment)
          .Property("SkinData", &T::SkinData)
          .Property("GripMode", &T::GripMode, &T::SetGripMode)
          .Property("MakeSkinMenu", &T::MakeSkinMenu, &T::SetMakeSkinMenu)
          .Property("ResizeMode", &T::ResizeMode, &T::SetResizeMode)
          .Property("ScreenSnap", &T::ScreenSnap, &T::SetScreenSnap)
          .Property("SnapBuffer", &T::SnapBuffer, &T::SetSnapBuffer)
          .Property("ShowAppIcon", &T::ShowAppIcon, &T::SetShowAppIcon)
          .Property("TitleButtons", &T::TitleButtons)
          .Property("TitleIcon", &T::TitleIcon)
          .Property("UseGlobalColor", &T::UseGlobalColor, &T::SetUseGlobalColor)
          .Build();
  return info;
}

TSkinProvider::TSkinProvider(TComponent* owner)
    : TComponent(owner),
      form_(dynamic_cast<toolkit::TCustomForm*>(owner)),
      formBase_(form_),
      skinData_(std::make_unique<TSkinCommonData>(form_, kProviderControlKind)),
      titleButtons_(std::make_unique<TSkinTitleButtons>(this)),
      titleIcon_(std::make_unique<TSkinTitleIcon>()),
      defaultIcon_(MakeDefaultIcon()) {
  skinData_->SetSkinSection("FORM");
  systemMenu_ = new TSkinSystemMenu(this);
  systemMenu_->OnCommand = [this](p::WPARAM command) { SystemCommand(command); };
  if (form_ && !form_->ComponentState().Contains(component::csLoading)) Attach();
}

TSkinProvider::~TSkinProvider() {
  Unsubclass();
  // A form being destroyed frees its components after its own parts are
  // gone: then the form is not touched at all.
  if (!form_ || form_->ComponentState().Contains(component::csDestroying)) return;
  if (hookedWindowProc_) form_->WindowProc = oldWindowProc_;
  if (iconsTaken_) form_->SetBorderIcons(formIcons_);
  if (form_->HandleAllocated()) {
    p::SetWindowRgn(form_->Handle(), p::HRGN{}, p::TRUE);
    p::SetWindowPos(form_->Handle(), {}, 0, 0, 0, 0,
                    p::SWP_NOMOVE | p::SWP_NOSIZE | p::SWP_NOZORDER | p::SWP_FRAMECHANGED);
  }
}

// --- properties --------------------------------------------------------------------

void TSkinProvider::SetBorderIcons(toolkit::TBorderIcons v) {
  borderIcons_ = v;
  RefreshFrame();
}

void TSkinProvider::SetCaptionAlignment(toolkit::TAlignment v) {
  captionAlignment_ = v;
  RefreshFrame();
}

void TSkinProvider::SetGripMode(TGripMode v) {
  gripMode_ = v;
  RefreshFrame();
}

void TSkinProvider::SetShowAppIcon(bool v) {
  showAppIcon_ = v;
  RefreshFrame();
}

void TSkinProvider::SetUseGlobalColor(bool v) {
  useGlobalColor_ = v;
  ApplyColor();
}

// --- attaching -----------------------------------------------------------------------

void TSkinProvider::Loaded() {
  TComponent::Loaded();
  skinData_->Loaded();
  Attach();
}

void TSkinProvider::Attach() {
  if (!form_ || subclassed_) return;
  if (!iconsTaken_) {
    formIcons_ = form_->BorderIcons();
  }
  TakeSkin();
  if (form_->HandleAllocated()) {
    Subclass();
  } else if (!hookedWindowProc_) {
    // The window is made later: take it over once it exists.
    hookedWindowProc_ = true;
    oldWindowProc_ = form_->WindowProc;
    form_->WindowProc = [this](toolkit::TMessage& m) {
      oldWindowProc_(m);
      if (!subclassed_ && form_->HandleAllocated() && m.Msg != p::WM_NCCREATE &&
          m.Msg != p::WM_CREATE && m.Msg != p::WM_NCCALCSIZE && m.Msg != p::WM_DESTROY &&
          m.Msg != p::WM_NCDESTROY)
        Subclass();
    };
  }
}

void TSkinProvider::Subclass() {
  if (subclassed_ || !form_ || !form_->HandleAllocated()) return;
  const p::HWND h = form_->Handle();
  p::SetProp(h, kProviderProp, reinterpret_cast<p::LONG_PTR>(this));
  oldProc_ = reinterpret_cast<p::WNDPROC>(
      p::SetWindowLongPtr(h, p::GWLP_WNDPROC, reinterpret_cast<p::LONG_PTR>(&FrameProc)));
  subclassed_ = h;
  active_ = p::GetActiveWindow() == h;
  stale_ = frameChanged_ = true;
  clientKept_ = false;
  if (Skinned())
    p::SetWindowPos(h, {}, 0, 0, 0, 0,
                    p::SWP_NOMOVE | p::SWP_NOSIZE | p::SWP_NOZORDER | p::SWP_FRAMECHANGED);
}

void TSkinProvider::Unsubclass() {
  if (!subclassed_) return;
  const p::HWND h = subclassed_;
  subclassed_ = {};
  if (p::IsWindow(h)) {
    // Only put the old procedure back while ours is the one installed.
    if (reinterpret_cast<p::WNDPROC>(p::GetWindowLongPtr(h, p::GWLP_WNDPROC)) == &FrameProc)
      p::SetWindowLongPtr(h, p::GWLP_WNDPROC, reinterpret_cast<p::LONG_PTR>(oldProc_));
    p::RemoveProp(h, kProviderProp);
  }
  if (dragging_ || pressedIcon_ >= 0) {
    if (dragging_) DrawOutline();
    dragging_ = false;
    pressedIcon_ = -1;
    p::ReleaseCapture();
  }
}

void TSkinProvider::TakeSkin() {
  const TSkinTables& t = ActiveSkin();
  skinData_->UpdateIndexes();
  pieces_ = FindFramePieces(t, skinData_->SkinSection());
  if (pieces_.Valid() && form_) {
    if (!iconsTaken_) {
      formIcons_ = form_->BorderIcons();
      iconsTaken_ = true;
    }
    form_->SetBorderIcons({});
  } else if (iconsTaken_ && form_) {
    form_->SetBorderIcons(formIcons_);
    iconsTaken_ = false;
  }
  stale_ = frameChanged_ = true;
  clientKept_ = false;
  ApplyColor();
}

void TSkinProvider::DropSkin() {
  pieces_ = TFramePieces{};
  if (iconsTaken_ && form_) {
    form_->SetBorderIcons(formIcons_);
    iconsTaken_ = false;
  }
  FrameCache().SetSize(0, 0);
  if (subclassed_) p::SetWindowRgn(subclassed_, p::HRGN{}, p::TRUE);
  ApplyColor();
}

void TSkinProvider::ApplyColor() {
  if (!form_ || form_->ComponentState().Contains(component::csLoading) || !useGlobalColor_) return;
  // The skin's global colour while the frame is skinned; the button face
  // when it is not, or when the skin leaves the colour unset (-1), rather
  // than the colour of a skin that is gone.
  const std::int32_t global = pieces_.Valid() ? GlobalColor() : -1;
  form_->SetColor(global == -1 ? toolkit::clBtnFace : toolkit::TColor(global));
}

bool TSkinProvider::Skinned() const {
  return pieces_.Valid() && form_ && ActiveSkin().ValidSection(pieces_.Section);
}

bool TSkinProvider::Paintable() const {
  RECT wr{};
  p::GetWindowRect(subclassed_, &wr);
  return FramePaintable(wr.right - wr.left, wr.bottom - wr.top);
}

void TSkinProvider::RefreshFrame() {
  stale_ = frameChanged_ = true;
  clientKept_ = false;
  if (!subclassed_ || !Skinned()) return;
  p::SetWindowPos(subclassed_, {}, 0, 0, 0, 0,
                  p::SWP_NOMOVE | p::SWP_NOSIZE | p::SWP_NOZORDER | p::SWP_FRAMECHANGED);
  p::RedrawWindow(subclassed_, nullptr, p::HRGN{},
                  p::RDW_FRAME | p::RDW_INVALIDATE | p::RDW_ERASE | p::RDW_ALLCHILDREN);
}

// --- painting -------------------------------------------------------------------------

TFramePaintInput TSkinProvider::PaintInput() const {
  TFramePaintInput in;
  RECT wr{};
  if (subclassed_) p::GetWindowRect(subclassed_, &wr);
  in.Layout.Width = wr.right - wr.left;
  in.Layout.Height = wr.bottom - wr.top;
  in.Layout.Style = form_->BorderStyle();
  in.Layout.Icons = borderIcons_;
  in.Layout.Minimized = subclassed_ && p::IsIconic(subclassed_);
  in.Layout.Maximized = subclassed_ && p::IsZoomed(subclassed_);
  in.Layout.ShowAppIcon = showAppIcon_;
  in.Layout.TitleButtons = titleButtons_->Count();
  for (int i = 0; i < titleButtons_->Count(); ++i) {
    const TSkinTitleButton& b = *titleButtons_->Items(i);
    in.TitleButtons.push_back(
        TFrameTitleButton{b.Glyph()->View(), b.Enabled, i == pressedTitle_ ? titleState_ : 0});
  }
  if (toolkit::TMainMenu* menu = form_->Menu()) {
    for (int i = 0; i < menu->Items()->Count(); ++i)
      if (menu->Items()->Items(i)->Visible()) {
        in.MenuCaptions.push_back(menu->Items()->Items(i)->Caption());
        in.MenuEnabled.push_back(menu->Items()->Items(i)->Enabled());
      }
  }
  in.HotMenuItem = hotMenuItem_;
  in.Active = active_;
  in.Enabled = form_->Enabled();
  in.Caption = form_->Caption();
  in.CaptionAlignment = captionAlignment_;
  in.Grip = gripMode_;
  in.IconStates = iconStates_;
  // The title icon's own picture, else the application's icon, else the
  // default application icon.
  const toolkit::TBitmap* glyph = titleIcon_->Glyph();
  const p::Surface appIcon = p::ApplicationIcon(
      titleIcon_->Width > 0 ? titleIcon_->Width : p::GetSystemMetrics(p::SM_CXSMICON));
  if (!glyph->Empty()) {
    in.Icon = glyph->View();
  } else if (!appIcon.IsEmpty()) {
    in.Icon = appIcon;
    in.IconHasAlpha = true;
  } else {
    in.Icon = ReadView(defaultIcon_);
  }
  in.Layout.AppIconSize = p::SIZE{titleIcon_->Width, titleIcon_->Height};
  in.FontName = form_->Font()->Name();
  in.FontHeight = form_->Font()->Height();
  in.Layout.MenuHeight =
      FrameMenuHeight(in.Layout.Style, !in.MenuCaptions.empty(), MenuBarLines(in));
  return in;
}

// A window too narrow for its menus wraps the bar onto more lines, laid out
// as the bar is painted; the client area starts below the last.
int TSkinProvider::MenuBarLines(const TFramePaintInput& in) const {
  if (in.MenuCaptions.empty() || in.Layout.Width <= 0) return 1;
  return std::max(1, BarLines(BarItems(in, 0), 0));
}

std::vector<TFrameBarItem> TSkinProvider::BarItems(const TFramePaintInput& in, int top) const {
  p::HDC dc = p::GetDC(p::HWND{});
  std::vector<TFrameBarItem> items;
  {
    toolkit::TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Font()->SetName(in.FontName);
    canvas.Font()->SetHeight(in.FontHeight);
    items = LayoutBarItems(canvas, in.MenuCaptions, in.Layout.Width,
                           FrameMetricsFor(in.Layout.Style).BorderWidth, in.WindowBorder, top);
    canvas.SetHandle({});
  }
  p::ReleaseDC(p::HWND{}, dc);
  return items;
}

// The bar item under a point of the window lights up; the frame is painted
// again only when another item (or none) is under it.
void TSkinProvider::SetHotMenuItem(const POINT* screen) {
  int hot = -1;
  if (screen && subclassed_ && !layout_.MenuBar.IsEmpty() && !dragging_) {
    RECT wr{};
    p::GetWindowRect(subclassed_, &wr);
    const POINT at{screen->x - wr.left, screen->y - wr.top};
    const auto items = BarItems(PaintInput(), layout_.MenuBar.top);
    for (std::size_t i = 0; i < items.size(); ++i)
      if (p::PtInRect(items[i].R, at)) hot = int(i);
  }
  if (hot == hotMenuItem_) return;
  hotMenuItem_ = hot;
  stale_ = true;
  PaintNonClient();
}

graphics::TPixelBitmap& TSkinProvider::FrameCache() {
  if (stale_ && Skinned() && subclassed_ && !preparing_) PaintCache();
  return skinData_->CacheBitmap();
}

void TSkinProvider::PaintCache() {
  const TFramePaintInput in = PaintInput();
  PaintFrame(ActiveSkin(), pieces_, in, skinData_->CacheBitmap(), strip_);
  layout_ = FrameLayoutFor(ActiveSkin(), pieces_, in.Layout);
  stale_ = false;
  KeepClientBackground();
}

// With the frame section's ReservedBoolean set, the client background is
// painted once and kept: while only the title changes (activation, the
// caption, a title button) the kept picture is put back, so the client and
// the controls that show it through stay as they were.
void TSkinProvider::KeepClientBackground() {
  const TSkinTables& t = ActiveSkin();
  if (!t.ValidSection(pieces_.Section) ||
      !t.Sections[std::size_t(pieces_.Section)].ReservedBoolean) {
    clientKept_ = false;
    return;
  }
  const p::Surface cache = SurfaceOf(skinData_->CacheBitmap());
  const RECT r{layout_.ClientOffset.x, layout_.ClientOffset.y,
               std::min(cache.width, layout_.Width - layout_.M.BorderWidth),
               std::min(cache.height, layout_.Height - layout_.M.BorderHeight)};
  if (r.right <= r.left || r.bottom <= r.top) {
    clientKept_ = false;
    return;
  }
  const bool reuse = clientKept_ && keptClient_.Width() == r.right - r.left &&
                     keptClient_.Height() == r.bottom - r.top && keptAt_ == POINT{r.left, r.top};
  if (!reuse) keptClient_.Resize(r.right - r.left, r.bottom - r.top);
  const p::Surface kept = keptClient_.View();
  for (int y = 0; y < kept.height; ++y) {
    std::uint32_t* row = cache.Row(r.top + y) + r.left;
    if (reuse)
      std::copy(kept.Row(y), kept.Row(y) + kept.width, row);
    else
      std::copy(row, row + kept.width, kept.Row(y));
  }
  keptAt_ = POINT{r.left, r.top};
  clientKept_ = true;
}

void TSkinProvider::UpdateRegion() {
  if (!frameChanged_ || !subclassed_) return;
  frameChanged_ = false;
  if (form_->BorderStyle() == toolkit::bsNone) return;
  const int w = layout_.Width, h = layout_.Height;
  const TSkinTables& t = ActiveSkin();
  const int frame = FindMask(pieces_.Section, pieces_.SectionName, "BORDERSMASK");
  const int title = pieces_.Title >= 0 ? FindMask(pieces_.Title, "FORMTITLE", "BORDERSMASK") : -1;
  const auto cut = FrameCutouts(t, frame, title, w, h);
  p::HRGN region = p::CreateRectRgn(0, 0, w, h);
  for (const RECT& r : cut) {
    p::HRGN piece = p::CreateRectRgn(r.left, r.top, r.right, r.bottom);
    p::CombineRgn(region, region, piece, p::RGN_DIFF);
    p::DeleteObject(piece);
  }
  p::SetWindowRgn(subclassed_, region, p::TRUE);
}

void TSkinProvider::PaintNonClient() {
  graphics::TPixelBitmap& cache = FrameCache();
  if (cache.Empty()) return;
  UpdateRegion();
  p::HDC dc = p::GetWindowDC(subclassed_);
  if (!dc) return;
  RECT client{};
  p::GetClientRect(subclassed_, &client);
  const POINT off = layout_.ClientOffset;
  p::ExcludeClipRect(dc, off.x, off.y, off.x + client.right, off.y + client.bottom);
  p::BitBlt(dc, 0, 0, cache.Width(), cache.Height(), cache.Handle(), 0, 0, p::SRCCOPY);
  p::ReleaseDC(subclassed_, dc);
}

void TSkinProvider::EraseClient(p::HDC dc) {
  graphics::TPixelBitmap& cache = FrameCache();
  RECT client{};
  p::GetClientRect(subclassed_, &client);
  const int saved = p::SaveDC(dc);
  // Child windows paint themselves; the gradient goes around them.
  ExcludeChildWindows(dc, *form_);
  const POINT off = layout_.ClientOffset;
  p::BitBlt(dc, 0, 0, std::min(client.right, cache.Width() - off.x),
            std::min(client.bottom, cache.Height() - off.y), cache.Handle(), off.x, off.y,
            p::SRCCOPY);
  p::RestoreDC(dc, saved);
}

void TSkinProvider::SetIconState(int icon, int state) {
  bool changed = false;
  for (int i = 0; i < kFrameIconCount; ++i) {
    const int want = i == icon ? state : 0;
    if (iconStates_[std::size_t(i)] == want) continue;
    iconStates_[std::size_t(i)] = want;
    changed = true;
    if (!stale_ && !skinData_->CacheBitmap().Empty())
      PaintFrameIcon(ActiveSkin(), pieces_, PaintInput(), layout_, TFrameIcon(i),
                     skinData_->CacheBitmap(), strip_);
  }
  if (changed && subclassed_) PaintNonClient();
}

void TSkinProvider::SystemCommand(p::WPARAM command) {
  if (!subclassed_) return;
  const p::HWND h = subclassed_;
  SetIconState(-1, 0);
  switch (command & 0xFFF0) {
    case p::SC_CLOSE:
      form_->Close();
      break;
    case p::SC_MINIMIZE:
      p::ShowWindow(h, p::SW_MINIMIZE);
      break;
    case p::SC_MAXIMIZE:
      p::ShowWindow(h, p::SW_MAXIMIZE);
      break;
    case p::SC_RESTORE:
      p::ShowWindow(h, p::SW_RESTORE);
      break;
    case p::SC_MOVE:
    case p::SC_SIZE:
      // With a skinned frame the outline is ours to follow.
      if (resizeMode_ == rmBorder) {
        StartKeyboardDrag((command & 0xFFF0) == p::SC_MOVE);
        return;
      }
      CallOld(p::WM_SYSCOMMAND, command, 0);
      return;
    default:
      CallOld(p::WM_SYSCOMMAND, command, 0);
      return;
  }
  if (subclassed_ == h) RefreshFrame();
}

void TSkinProvider::ShowSystemMenu(POINT screen) {
  TSystemMenuState s;
  s.Style = form_->BorderStyle();
  s.Icons = borderIcons_;
  s.WindowState = p::IsIconic(subclassed_)   ? toolkit::wsMinimized
                  : p::IsZoomed(subclassed_) ? toolkit::wsMaximized
                                             : toolkit::wsNormal;
  systemMenu_->UpdateItems(s);
  systemMenu_->Popup(screen.x, screen.y);
}

void TSkinProvider::SnapPosition(p::WINDOWPOS& pos) {
  // Only where the operator put the window: a maximized or placed window
  // stays exactly where it was sent.
  if (!screenSnap_ || !snapping_ || (pos.flags & p::SWP_NOMOVE) || (pos.x == 0 && pos.y == 0))
    return;
  RECT wr{};
  p::GetWindowRect(subclassed_, &wr);
  const int w = (pos.flags & p::SWP_NOSIZE) ? wr.right - wr.left : pos.cx;
  const int h = (pos.flags & p::SWP_NOSIZE) ? wr.bottom - wr.top : pos.cy;
  const RECT target{pos.x, pos.y, pos.x + w, pos.y + h};
  p::MONITORINFO mi{};
  if (!p::GetMonitorInfo(p::MonitorFromRect(&target, p::MONITOR_DEFAULTTONEAREST), &mi)) return;
  const POINT at = SnapToMonitor(POINT{pos.x, pos.y}, w, h, mi.rcMonitor, snapBuffer_);
  pos.x = at.x;
  pos.y = at.y;
}

// --- messages ----------------------------------------------------------------------------

p::LRESULT TSkinProvider::SkinMessage(p::UINT msg, p::WPARAM, p::LPARAM) {
  switch (msg) {
    case SKM_SETNEWSKIN:
      preparing_ = true;
      TakeSkin();
      return 0;
    case SKM_REFRESH:
      preparing_ = false;
      TakeSkin();
      RefreshFrame();
      return 0;
    case SKM_REMOVESKIN:
      preparing_ = false;
      DropSkin();
      if (subclassed_)
        p::SetWindowPos(subclassed_, {}, 0, 0, 0, 0,
                        p::SWP_NOMOVE | p::SWP_NOSIZE | p::SWP_NOZORDER | p::SWP_FRAMECHANGED);
      return 0;
    case SKM_PREPARING:
      return preparing_ ? 1 : 0;
    default:
      return 0;
  }
}

p::LRESULT TSkinProvider::FrameProc(p::HWND hwnd, p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  auto* self = reinterpret_cast<TSkinProvider*>(p::GetProp(hwnd, kProviderProp));
  if (!self || self->subclassed_ != hwnd) return p::DefWindowProc(hwnd, msg, wParam, lParam);
  return self->Dispatch(msg, wParam, lParam);
}

p::LRESULT TSkinProvider::CallOld(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  const p::HWND h = subclassed_;
  return oldProc_ ? p::CallWindowProc(oldProc_, h, msg, wParam, lParam)
                  : p::DefWindowProc(h, msg, wParam, lParam);
}

// The window's messages: the skin's own first, then one handler each; what
// no handler keeps goes on to the window's own procedure. The mouse's
// handlers live with the hit test and the drag.
p::LRESULT TSkinProvider::Dispatch(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  if (msg == p::WM_NCDESTROY) return OnNcDestroy(msg, wParam, lParam);
  // While its form is being torn down (its window goes last, and takes
  // activation messages on the way) the form is no longer whole: leave the
  // window to its own procedure.
  if (formBase_ && formBase_->ComponentState().Contains(component::csDestroying))
    return CallOld(msg, wParam, lParam);
  if (msg == SKM_PREPARING) return preparing_ ? 1 : 0;
  if (!Skinned() || !Paintable() || (msg != SKM_GETCACHE && preparing_))
    return CallOld(msg, wParam, lParam);

  switch (msg) {
    case SKM_GETCACHE:
      return OnGetCache(msg, wParam, lParam);
    case p::WM_NCCALCSIZE:
      return OnNcCalcSize(msg, wParam, lParam);
    case p::WM_NCPAINT:
      PaintNonClient();
      return 0;
    case p::WM_ERASEBKGND:
      EraseClient(p::HDC{std::uint32_t(wParam)});
      return 1;
    case p::WM_NCACTIVATE:
      return OnNcActivate(msg, wParam, lParam);
    case p::WM_NCHITTEST:
      return OnNcHitTest(msg, wParam, lParam);
    case p::WM_NCMOUSEMOVE:
      return OnNcMouseMove(msg, wParam, lParam);
    case p::WM_NCMOUSELEAVE:
      return OnNcMouseLeave(msg, wParam, lParam);
    case p::WM_ENTERMENULOOP:
      return OnEnterMenuLoop(msg, wParam, lParam);
    case p::WM_NCLBUTTONDOWN:
      return OnNcButtonDown(msg, wParam, lParam);
    case p::WM_NCLBUTTONDBLCLK:
      return OnNcDoubleClick(msg, wParam, lParam);
    case p::WM_MOUSEMOVE:
      return OnMouseMove(msg, wParam, lParam);
    case p::WM_LBUTTONDOWN:
      return OnButtonDown(msg, wParam, lParam);
    case p::WM_LBUTTONUP:
      return OnButtonUp(msg, wParam, lParam);
    case p::WM_CAPTURECHANGED:
      return OnCaptureChanged(msg, wParam, lParam);
    case p::WM_KEYDOWN:
    case p::WM_SYSKEYDOWN:
      return OnKeyDown(msg, wParam, lParam);
    case p::WM_KEYUP:
    case p::WM_SYSKEYUP:
    case p::WM_CHAR:
      return OnKeyDuringDrag(msg, wParam, lParam);
    case p::WM_ENTERSIZEMOVE:
    case p::WM_EXITSIZEMOVE:
      return OnSizeMoveLoop(msg, wParam, lParam);
    case p::WM_SYSCOMMAND:
      return OnSysCommand(msg, wParam, lParam);
    case p::WM_SYSCHAR:
      return OnSysChar(msg, wParam, lParam);
    case p::WM_WINDOWPOSCHANGING:
      return OnWindowPosChanging(msg, wParam, lParam);
    case p::WM_GETMINMAXINFO:
      return OnGetMinMaxInfo(msg, wParam, lParam);
    case p::WM_SIZE:
    case p::WM_SETTEXT:
    case p::WM_ENABLE:
      return OnFrameChanged(msg, wParam, lParam);
    default:
      return CallOld(msg, wParam, lParam);
  }
}

// --- the frame's messages ------------------------------------------------------------

p::LRESULT TSkinProvider::OnNcDestroy(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  const p::WNDPROC old = oldProc_;
  const p::HWND h = subclassed_;
  Unsubclass();
  return old ? p::CallWindowProc(old, h, msg, wParam, lParam)
             : p::DefWindowProc(h, msg, wParam, lParam);
}

p::LRESULT TSkinProvider::OnGetCache(p::UINT, p::WPARAM, p::LPARAM lParam) {
  auto* out = reinterpret_cast<TParentBackground*>(lParam);
  graphics::TPixelBitmap& cache = FrameCache();
  if (!out || cache.Empty()) return 0;
  *out = TParentBackground{SurfaceOf(cache), layout_.ClientOffset.x, layout_.ClientOffset.y, true};
  return 1;
}

p::LRESULT TSkinProvider::OnNcCalcSize(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  if (p::IsIconic(subclassed_)) return CallOld(msg, wParam, lParam);
  RECT* r = wParam ? &reinterpret_cast<p::NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                   : reinterpret_cast<RECT*>(lParam);
  TFramePaintInput in = PaintInput();
  const TFrameMetrics m = FrameMetricsFor(in.Layout.Style);
  const POINT off = FrameClientOffset(m, in.Layout.MenuHeight);
  r->left += off.x;
  r->top += off.y;
  r->right = std::max(r->left, r->right - m.BorderWidth);
  r->bottom = std::max(r->top, r->bottom - m.BorderHeight);
  return 0;
}

p::LRESULT TSkinProvider::OnNcActivate(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  const p::LRESULT result = CallOld(msg, wParam, lParam);
  if (bool(wParam) != active_) {
    active_ = wParam != 0;
    stale_ = true;
  }
  // A window made after the skin loaded gets its skinned menus now.
  if (active_ && ActiveSkin().Ready && skin::GlobalSkin().HookNewMenus)
    skin::GlobalSkin().HookNewMenus(*form_);
  if (subclassed_) PaintNonClient();
  return result ? result : p::TRUE;
}

p::LRESULT TSkinProvider::OnSizeMoveLoop(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  // The platform's own move/size loop: its moves are the operator's.
  snapping_ = msg == p::WM_ENTERSIZEMOVE;
  return CallOld(msg, wParam, lParam);
}

p::LRESULT TSkinProvider::OnSysCommand(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  switch (wParam & 0xFFF0) {
    case p::SC_MINIMIZE:
    case p::SC_MAXIMIZE:
    case p::SC_RESTORE:
    case p::SC_CLOSE:
      SystemCommand(wParam);
      return 0;
    case p::SC_MOVE:
    case p::SC_SIZE:
      // From the keyboard (a drag on the frame starts by its press).
      if (resizeMode_ == rmBorder && !(p::GetKeyState(p::VK_LBUTTON) & 0x8000)) {
        SystemCommand(wParam);
        return 0;
      }
      break;
    case p::SC_KEYMENU:
      if (lParam == ' ') {
        ShowSystemMenuBelowCaption();
        return 0;
      }
      break;
  }
  return CallOld(msg, wParam, lParam);
}

p::LRESULT TSkinProvider::OnSysChar(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  if (dragging_) return 0;
  if (wParam == ' ') {
    ShowSystemMenuBelowCaption();
    return 0;
  }
  return CallOld(msg, wParam, lParam);
}

void TSkinProvider::ShowSystemMenuBelowCaption() {
  RECT wr{};
  p::GetWindowRect(subclassed_, &wr);
  ShowSystemMenu(POINT{wr.left + layout_.M.BorderWidth,
                       wr.top + layout_.M.BorderHeight + layout_.M.CaptionHeight});
}

p::LRESULT TSkinProvider::OnWindowPosChanging(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  if (lParam) SnapPosition(*reinterpret_cast<p::WINDOWPOS*>(lParam));
  return CallOld(msg, wParam, lParam);
}

p::LRESULT TSkinProvider::OnGetMinMaxInfo(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  const p::LRESULT result = CallOld(msg, wParam, lParam);
  RECT work{};
  if (lParam && p::SystemParametersInfo(p::SPI_GETWORKAREA, 0, &work, 0)) {
    auto* mm = reinterpret_cast<p::MINMAXINFO*>(lParam);
    mm->ptMaxTrackSize = POINT{work.right - work.left + 12, work.bottom - work.top + 12};
  }
  return result;
}

// A new size, title or enabled state: the frame is painted again.
p::LRESULT TSkinProvider::OnFrameChanged(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  const p::LRESULT result = CallOld(msg, wParam, lParam);
  stale_ = true;
  if (msg == p::WM_SIZE) frameChanged_ = true;
  if (msg != p::WM_SETTEXT) clientKept_ = false;  // the caption is the title's alone
  if (subclassed_)
    p::RedrawWindow(subclassed_, nullptr, p::HRGN{}, p::RDW_FRAME | p::RDW_INVALIDATE);
  return result;
}

}  // namespace skin
