// The provider's mouse: the hit test of the frame, presses on its icons and
// title buttons, and moving or sizing the window by its outline (with the
// mouse, or from the system menu with the arrow keys).
#include "skin/frame/SkinProvider.h"

#include "platform/gdi/Gdi.h"
#include "platform/window/Messages.h"
#include "platform/window/Styles.h"
#include "platform/window/SystemMetrics.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Window.h"
#include "skin/data/SkinData.h"
#include "skin/frame/FrameTracking.h"

namespace skin {

namespace p = platform;
using toolkit::biHelp;
using toolkit::biMaximize;
using toolkit::biMinimize;
using toolkit::biSystemMenu;

namespace {

POINT PointOf(p::LPARAM lp) {
  return POINT{p::GET_X_LPARAM(lp), p::GET_Y_LPARAM(lp)};
}

}  // namespace

// --- the mouse's messages ------------------------------------------------------------

p::LRESULT TSkinProvider::OnNcHitTest(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  const p::LRESULT hit = HitTest(lParam);
  if (hit != p::HTNOWHERE) return hit >= kHitTitleButton ? p::HTCAPTION : hit;
  if (p::IsZoomed(subclassed_)) {
    const p::LRESULT own = CallOld(msg, wParam, lParam);
    return own >= p::HTLEFT && own <= p::HTBOTTOMRIGHT ? p::HTBORDER : own;
  }
  return CallOld(msg, wParam, lParam);
}

p::LRESULT TSkinProvider::OnNcMouseMove(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  const int icon = FrameIconOfHit(p::LRESULT(wParam));
  if (icon >= 0 || p::LRESULT(wParam) == p::HTMENU) {
    // A hot icon or bar item cools down when the pointer leaves the frame.
    p::TRACKMOUSEEVENT track{};
    track.dwFlags = p::TME_LEAVE | p::TME_NONCLIENT;
    track.hwndTrack = subclassed_;
    p::TrackMouseEvent(&track);
  }
  SetIconState(icon, 1);
  if (p::LRESULT(wParam) == p::HTMENU) {
    const POINT at = PointOf(lParam);
    SetHotMenuItem(&at);
  } else {
    SetHotMenuItem(nullptr);
  }
  return CallOld(msg, wParam, lParam);
}

p::LRESULT TSkinProvider::OnNcMouseLeave(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  if (pressedIcon_ < 0) SetIconState(-1, 0);
  SetHotMenuItem(nullptr);
  return CallOld(msg, wParam, lParam);
}

p::LRESULT TSkinProvider::OnEnterMenuLoop(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  // The menu's own tracking lights the items while it runs.
  SetHotMenuItem(nullptr);
  return CallOld(msg, wParam, lParam);
}

p::LRESULT TSkinProvider::OnNcButtonDown(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  if (NcButtonDown(wParam, lParam)) return 0;
  return CallOld(msg, wParam, lParam);
}

p::LRESULT TSkinProvider::OnNcDoubleClick(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  // A quick second press on an icon is a press like any other.
  if (FrameIconOfHit(p::LRESULT(wParam)) >= 0 || HitTest(lParam) >= kHitTitleButton) {
    NcButtonDown(wParam, lParam);
    return 0;
  }
  if (p::LRESULT(wParam) == p::HTSYSMENU) {
    SystemCommand(p::SC_CLOSE);
    return 0;
  }
  if (p::LRESULT(wParam) == p::HTCAPTION && borderIcons_.Contains(biMaximize) &&
      layout_.Visible[fiMaximize]) {
    SystemCommand(p::IsZoomed(subclassed_) ? p::SC_RESTORE : p::SC_MAXIMIZE);
    return 0;
  }
  return CallOld(msg, wParam, lParam);
}

p::LRESULT TSkinProvider::OnMouseMove(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  if (dragging_ || pressedIcon_ >= 0 || pressedTitle_ >= 0) {
    MouseMove(ScreenPoint(lParam));
    return 0;
  }
  return CallOld(msg, wParam, lParam);
}

p::LRESULT TSkinProvider::OnButtonDown(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  // A click ends a move or size begun from the keyboard, where it is.
  if (dragging_ && keyboardDrag_) {
    EndDrag(true);
    return 0;
  }
  return CallOld(msg, wParam, lParam);
}

p::LRESULT TSkinProvider::OnButtonUp(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  if (dragging_ || pressedIcon_ >= 0 || pressedTitle_ >= 0) {
    ButtonUp(ScreenPoint(lParam));
    return 0;
  }
  return CallOld(msg, wParam, lParam);
}

p::LRESULT TSkinProvider::OnCaptureChanged(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  if (dragging_) {
    DrawOutline();
    dragging_ = false;
    keyboardDrag_ = false;
  }
  if (pressedIcon_ >= 0) {
    pressedIcon_ = -1;
    SetIconState(-1, 0);
  }
  if (pressedTitle_ >= 0) {
    SetTitleButtonState(0);
    pressedTitle_ = -1;
  }
  return CallOld(msg, wParam, lParam);
}

p::LRESULT TSkinProvider::OnKeyDown(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  if (dragging_ && DragKey(wParam)) return 0;
  return CallOld(msg, wParam, lParam);
}

// While the outline is held the keys are the drag's alone.
p::LRESULT TSkinProvider::OnKeyDuringDrag(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  if (dragging_) return 0;
  return CallOld(msg, wParam, lParam);
}

// --- hit testing and the icons ---------------------------------------------------------

TFrameHitInput TSkinProvider::HitInput() const {
  TFrameHitInput in;
  in.Width = layout_.Width;
  in.M = layout_.M;
  in.Border = form_->BorderStyle() != toolkit::bsNone;
  in.IconSize = layout_.IconSize;
  in.SystemMenu = borderIcons_.Contains(biSystemMenu);
  in.Help = in.SystemMenu && borderIcons_.Contains(biHelp);
  in.MaximizeVisible = layout_.Visible[fiMaximize];
  in.MinimizeVisible = layout_.Visible[fiMinimize];
  in.CanMaximize = borderIcons_.Contains(biMaximize);
  in.CanMinimize = borderIcons_.Contains(biMinimize);
  in.AppIconWidth = layout_.HasAppIcon ? layout_.AppIcon.right - layout_.AppIcon.left : 0;
  for (int i = 0; i < titleButtons_->Count(); ++i)
    in.TitleButtonsEnabled.push_back(titleButtons_->Items(i)->Enabled);
  if (gripMode_ == gmRightBottom && ActiveSkin().ValidMask(pieces_.Grip)) {
    const p::SIZE g = BorderIconSize(ActiveSkin(), pieces_.Grip);
    in.Grip = true;
    in.GripCorner = POINT{layout_.Width - layout_.M.BorderWidth - g.cx,
                          layout_.Height - layout_.M.BorderHeight - g.cy};
  }
  return in;
}

POINT TSkinProvider::ScreenPoint(p::LPARAM clientPoint) const {
  POINT at = PointOf(clientPoint);
  p::ClientToScreen(subclassed_, &at);
  return at;
}

p::LRESULT TSkinProvider::HitTest(p::LPARAM lParam) {
  FrameCache();
  RECT wr{};
  p::GetWindowRect(subclassed_, &wr);
  const POINT at = PointOf(lParam);
  const p::LRESULT hit = FrameHitTest(HitInput(), POINT{at.x - wr.left, at.y - wr.top});
  return hit;
}

bool TSkinProvider::NcButtonDown(p::WPARAM hit, p::LPARAM lParam) {
  // Title buttons answer the platform as caption; the press is theirs.
  if (const p::LRESULT own = HitTest(lParam); own >= kHitTitleButton) {
    const int index = int(own - kHitTitleButton);
    if (index < titleButtons_->Count()) {
      pressedTitle_ = index;
      p::SetCapture(subclassed_);
      SetTitleButtonState(2);
      TSkinTitleButton* button = titleButtons_->Items(index);
      if (button->OnMouseDown) button->OnMouseDown(button);
      return true;
    }
  }
  const int icon = FrameIconOfHit(p::LRESULT(hit));
  if (icon >= 0) {
    pressedIcon_ = icon;
    p::SetCapture(subclassed_);
    SetIconState(icon, 2);
    return true;
  }
  if (p::LRESULT(hit) == p::HTSYSMENU) {
    RECT wr{};
    p::GetWindowRect(subclassed_, &wr);
    ShowSystemMenu(POINT{wr.left + layout_.AppIcon.left, wr.top + layout_.AppIcon.bottom});
    return true;
  }
  const bool sizing = p::LRESULT(hit) >= p::HTLEFT && p::LRESULT(hit) <= p::HTBOTTOMRIGHT;
  if (resizeMode_ == rmBorder && (p::LRESULT(hit) == p::HTCAPTION || sizing) &&
      !p::IsZoomed(subclassed_) && !p::IsIconic(subclassed_)) {
    dragging_ = true;
    keyboardDrag_ = false;
    dragMoved_ = false;
    dragHit_ = p::LRESULT(hit);
    dragStart_ = PointOf(lParam);
    p::GetWindowRect(subclassed_, &dragRect_);
    outline_ = dragRect_;
    // Escape during the drag must reach it, wherever the focus is.
    p::SetMoveSizeCapture(subclassed_);
    DrawOutline();
    return true;
  }
  return false;
}

void TSkinProvider::StartKeyboardDrag(bool move) {
  const p::HWND h = subclassed_;
  if (!h || dragging_ || p::IsZoomed(h) || p::IsIconic(h)) return;
  if (!move && !(p::GetWindowLongPtr(h, p::GWL_STYLE) & p::WS_THICKFRAME)) return;
  dragging_ = true;
  keyboardDrag_ = true;
  dragMoved_ = false;
  dragHit_ = move ? p::HTCAPTION : 0;  // sizing: the first arrow names the edge
  p::GetWindowRect(h, &dragRect_);
  outline_ = dragRect_;
  keyOffset_ = POINT{0, 0};
  // The pointer goes to the middle of the title (of the window, to size)
  // and travels with the outline, so the mouse can take over from there.
  dragStart_ = POINT{(dragRect_.left + dragRect_.right) / 2,
                     move ? dragRect_.top + layout_.M.BorderHeight + layout_.M.CaptionHeight / 2
                          : (dragRect_.top + dragRect_.bottom) / 2};
  p::SetCursorPos(dragStart_.x, dragStart_.y);
  p::SetMoveSizeCapture(h);
  DrawOutline();
}

bool TSkinProvider::DragKey(p::WPARAM key) {
  constexpr int kStep = 8;
  int dx = 0, dy = 0;
  switch (key) {
    case p::VK_ESCAPE:
      EndDrag(false);
      return true;
    case p::VK_RETURN:
      EndDrag(true);
      return true;
    case p::VK_LEFT:
      dx = -kStep;
      break;
    case p::VK_RIGHT:
      dx = kStep;
      break;
    case p::VK_UP:
      dy = -kStep;
      break;
    case p::VK_DOWN:
      dy = kStep;
      break;
    default:
      return keyboardDrag_;  // other keys do nothing while the outline is held
  }
  if (dragHit_ == 0) {
    dragHit_ = dx < 0 ? p::HTLEFT : dx > 0 ? p::HTRIGHT : dy < 0 ? p::HTTOP : p::HTBOTTOM;
    return true;
  }
  // An arrow across a chosen edge adds the corner.
  if (dy != 0 && (dragHit_ == p::HTLEFT || dragHit_ == p::HTRIGHT))
    dragHit_ = dragHit_ == p::HTLEFT ? (dy < 0 ? p::HTTOPLEFT : p::HTBOTTOMLEFT)
                                     : (dy < 0 ? p::HTTOPRIGHT : p::HTBOTTOMRIGHT);
  if (dx != 0 && (dragHit_ == p::HTTOP || dragHit_ == p::HTBOTTOM))
    dragHit_ = dragHit_ == p::HTTOP ? (dx < 0 ? p::HTTOPLEFT : p::HTTOPRIGHT)
                                    : (dx < 0 ? p::HTBOTTOMLEFT : p::HTBOTTOMRIGHT);
  keyOffset_ = POINT{keyOffset_.x + dx, keyOffset_.y + dy};
  MoveOutline(keyOffset_);
  p::SetCursorPos(dragStart_.x + keyOffset_.x, dragStart_.y + keyOffset_.y);
  return true;
}

void TSkinProvider::MoveOutline(POINT offset) {
  p::MINMAXINFO mm{};
  mm.ptMinTrackSize =
      POINT{p::GetSystemMetrics(p::SM_CXMINTRACK), p::GetSystemMetrics(p::SM_CYMINTRACK)};
  p::SendMessage(subclassed_, p::WM_GETMINMAXINFO, 0, reinterpret_cast<p::LPARAM>(&mm));
  DrawOutline();
  outline_ = TrackOutline(dragHit_, dragRect_, offset.x, offset.y, mm.ptMinTrackSize.x,
                          mm.ptMinTrackSize.y);
  dragMoved_ = true;
  DrawOutline();
}

void TSkinProvider::EndDrag(bool commit) {
  if (!dragging_) return;
  DrawOutline();
  dragging_ = false;
  keyboardDrag_ = false;
  p::ReleaseCapture();
  if (commit && dragMoved_ && outline_ != dragRect_ && subclassed_) {
    snapping_ = true;
    p::SetWindowPos(subclassed_, {}, outline_.left, outline_.top, outline_.right - outline_.left,
                    outline_.bottom - outline_.top, p::SWP_NOZORDER | p::SWP_NOACTIVATE);
    snapping_ = false;
  }
}

void TSkinProvider::MouseMove(POINT at) {
  if (dragging_) {
    if (at == dragStart_ && !dragMoved_) return;
    if (dragHit_ == 0) return;  // sizing from the keyboard, no edge chosen yet
    keyOffset_ = POINT{at.x - dragStart_.x, at.y - dragStart_.y};
    MoveOutline(keyOffset_);
    return;
  }
  if (pressedIcon_ >= 0) {
    const int over = FrameIconOfHit(HitTest(p::MAKELPARAM(at.x, at.y)));
    SetIconState(pressedIcon_, over == pressedIcon_ ? 2 : 0);
  }
  if (pressedTitle_ >= 0)
    SetTitleButtonState(HitTest(p::MAKELPARAM(at.x, at.y)) == kHitTitleButton + pressedTitle_ ? 2
                                                                                              : 0);
}

void TSkinProvider::SetTitleButtonState(int state) {
  if (state == titleState_) return;
  titleState_ = state;
  stale_ = true;
  if (subclassed_) PaintNonClient();
}

void TSkinProvider::ButtonUp(POINT at) {
  if (dragging_) {
    EndDrag(true);
    return;
  }
  if (pressedTitle_ >= 0) {
    const int index = pressedTitle_;
    p::ReleaseCapture();
    const bool over = HitTest(p::MAKELPARAM(at.x, at.y)) == kHitTitleButton + index;
    SetTitleButtonState(0);
    pressedTitle_ = -1;
    if (over && index < titleButtons_->Count()) {
      TSkinTitleButton* button = titleButtons_->Items(index);
      if (button->OnMouseUp) button->OnMouseUp(button);
    }
    return;
  }
  if (pressedIcon_ < 0) return;
  const int icon = pressedIcon_;
  pressedIcon_ = -1;
  p::ReleaseCapture();
  const bool over = FrameIconOfHit(HitTest(p::MAKELPARAM(at.x, at.y))) == icon;
  SetIconState(over ? icon : -1, 1);
  if (over) IconAction(icon);
}

void TSkinProvider::IconAction(int icon) {
  switch (icon) {
    case fiClose:
      SystemCommand(p::SC_CLOSE);
      break;
    case fiMaximize:
      SystemCommand(p::IsZoomed(subclassed_) ? p::SC_RESTORE : p::SC_MAXIMIZE);
      break;
    case fiMinimize:
      SystemCommand(p::SC_MINIMIZE);
      break;
    case fiHelp:
      SystemCommand(p::SC_CONTEXTHELP);
      break;
  }
}

void TSkinProvider::DrawOutline() {
  p::HDC dc = p::GetDC(nullptr);
  if (!dc) return;
  const int old = p::SetROP2(dc, p::R2_NOT);
  p::HGDIOBJ pen = p::SelectObject(dc, p::GetStockObject(p::BLACK_PEN));
  const RECT& r = outline_;
  p::MoveToEx(dc, r.left, r.top, nullptr);
  p::LineTo(dc, r.right - 1, r.top);
  p::LineTo(dc, r.right - 1, r.bottom - 1);
  p::LineTo(dc, r.left, r.bottom - 1);
  p::LineTo(dc, r.left, r.top);
  p::SelectObject(dc, pen);
  p::SetROP2(dc, old);
  p::ReleaseDC(p::HWND{}, dc);
}

}  // namespace skin
