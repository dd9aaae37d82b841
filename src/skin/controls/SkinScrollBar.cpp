#include "skin/controls/SkinScrollBar.h"

#include <algorithm>

#include "component/ClassBuilder.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/Window.h"
#include "skin/data/SkinData.h"
#include "skin/link/SkinControl.h"
#include "skin/link/SkinMessages.h"
#include "skin/paint/GlyphMask.h"
#include "skin/paint/PictureSurface.h"
#include "skin/paint/SectionPaint.h"

namespace skin {

namespace p = platform;
using component::TClassBuilder;

namespace {

constexpr std::uintptr_t kRepeatTimer = 1;
constexpr p::UINT kFirstRepeatMs = 400;
constexpr p::UINT kRepeatMs = 50;
constexpr int kMinThumb = 8;
// Scroll bars have no kind of their own among the skinned controls; this
// one keeps the mouse (hot tracking) like any other.
constexpr int kScrollBarKind = 0;

int Length(const RECT& r) {
  return r.bottom - r.top;
}

// A glyph piece's frame centred in r.
void DrawCentredGlyph(const TSkinTables& t, const Surface& s, const RECT& r, int state, int mask) {
  if (!t.ValidMask(mask)) return;
  const TSkinMaskData& m = t.Masks[std::size_t(mask)];
  const int w = m.R.Width() / std::max<int>(1, m.ImageCount);
  const int h = m.R.Height() / (std::max<int>(0, m.MaskType) + 1);
  DrawGlyphMask(t, s, POINT{r.left + (r.Width() - w) / 2, r.top + (r.Height() - h) / 2}, state,
                mask, false);
}

void PlainArrow(p::HDC dc, RECT r, bool up, bool pressed, bool enabled) {
  p::FillRect(dc, &r, p::HBRUSH{p::COLOR_BTNFACE + 1});
  RECT e = r;
  p::DrawEdge(dc, &e, pressed ? p::EDGE_SUNKEN : p::EDGE_RAISED, p::BF_RECT);
  const int cx = (r.left + r.right) / 2 + (pressed ? 1 : 0);
  const int cy = (r.top + r.bottom) / 2 + (pressed ? 1 : 0);
  const int d = up ? -1 : 1;
  // The fill leaves out its lowest row: a downward tip reaches one further.
  POINT pts[3] = {POINT{cx - 3, cy - d * 2}, POINT{cx + 3, cy - d * 2},
                  POINT{cx, cy + d + (up ? 0 : 1)}};
  // A disabled arrow is drawn grey, as disabled text is.
  p::HGDIOBJ pen = p::SelectObject(dc, p::GetStockObject(enabled ? p::BLACK_PEN : p::NULL_PEN));
  p::HGDIOBJ brush =
      p::SelectObject(dc, p::GetStockObject(enabled ? p::BLACK_BRUSH : p::GRAY_BRUSH));
  p::Polygon(dc, pts, 3);
  p::SelectObject(dc, pen);
  p::SelectObject(dc, brush);
}

}  // namespace

const component::TClassInfo& TSkinScrollBar::StaticClassInfo() {
  using T = TSkinScrollBar;
  static const component::TClassInfo info =
      TClassBuilder<T, toolkit::TCustomControl>("TSkinScrollBar")
          .Property("SkinData", &T::SkinData)
          .Property("Min", &T::Min, &T::SetMin)
          .Property("Max", &T::Max, &T::SetMax)
          .Property("Position", &T::Position, &T::SetPosition)
          .Property("PageSize", &T::PageSize, &T::SetPageSize)
          .Property("LargeChange", &T::LargeChange, &T::SetLargeChange)
          .Property("SmallChange", &T::SmallChange, &T::SetSmallChange)
          .Event("OnChange", &T::OnChange)
          .Build();
  return info;
}

TSkinScrollBar::TSkinScrollBar(component::TComponent* owner)
    : TCustomControl(owner), skinData_(std::make_unique<TSkinCommonData>(this, kScrollBarKind)) {
  SetBoundsSilently(0, 0, p::GetSystemMetrics(p::SM_CXVSCROLL), 121);
  SetTabStop(false);
  skinData_->SetSkinSection("SCROLLBAR1V");
}

TSkinScrollBar::~TSkinScrollBar() {
  Destroying();
  if (HandleAllocated()) p::KillTimer(Handle(), kRepeatTimer);
}

void TSkinScrollBar::Loaded() {
  TCustomControl::Loaded();
  skinData_->Loaded();
}

void TSkinScrollBar::SetParams(int position, int min, int max) {
  max = std::max(min, max);
  position = std::clamp(position, min, max);
  if (position == position_ && min == min_ && max == max_) return;
  const RECT thumb = Layout().thumb;
  position_ = position, min_ = min, max_ = max;
  ThumbMoved(thumb);
}

void TSkinScrollBar::SetPageSize(int v) {
  v = std::max(0, v);
  if (v == pageSize_) return;
  const RECT thumb = Layout().thumb;
  pageSize_ = v;
  ThumbMoved(thumb);
}

// The picture shows the thumb, not the position: most single steps through
// a long list leave the thumb on the same pixels, and nothing to repaint.
void TSkinScrollBar::ThumbMoved(const RECT& was) {
  if (p::EqualRect(was, Layout().thumb)) return;
  skinData_->MarkStale();
  Invalidate();
}

TSkinScrollBar::TLayout TSkinScrollBar::Layout() const {
  TLayout l;
  const int w = std::max(0, Width()), h = std::max(0, Height());
  const int arrow = std::min(p::GetSystemMetrics(p::SM_CYVSCROLL), h / 2);
  l.up = RECT{0, 0, w, arrow};
  l.down = RECT{0, h - arrow, w, h};
  l.track = RECT{0, arrow, w, h - arrow};
  const int track = Length(l.track);
  const std::int64_t range = std::int64_t(max_) - min_;
  if (range <= 0 || track < kMinThumb || !Enabled()) return l;
  int thumb = pageSize_ > 0 ? int(std::int64_t(track) * pageSize_ / (range + pageSize_))
                            : p::GetSystemMetrics(p::SM_CYVTHUMB);
  thumb = std::clamp(thumb, kMinThumb, track);
  const int top = l.track.top + int(std::int64_t(track - thumb) * (position_ - min_) / range);
  l.thumb = RECT{0, top, w, top + thumb};
  return l;
}

TSkinScrollBar::TPart TSkinScrollBar::PartAt(POINT pt) const {
  const TLayout l = Layout();
  if (pt.x < 0 || pt.x >= Width()) return spNone;
  if (p::PtInRect(l.up, pt)) return spLineUp;
  if (p::PtInRect(l.down, pt)) return spLineDown;
  if (l.thumb.IsEmpty() || !p::PtInRect(l.track, pt)) return spNone;
  if (pt.y < l.thumb.top) return spPageUp;
  if (pt.y >= l.thumb.bottom) return spPageDown;
  return spThumb;
}

int TSkinScrollBar::PartState(TPart part) const {
  if (!Enabled() || part == spNone) return 0;
  if (pressed_ == part && (pressedInside_ || part == spThumb)) return 2;
  return hot_ == part ? 1 : 0;
}

void TSkinScrollBar::PaintSkinned(const TLayout& l) {
  const TSkinTables& t = ActiveSkin();
  const TSkinCommonIndexes& c = skin::GlobalSkin().Common;
  const Surface s = skinData_->CacheSurface();
  const TParentBackground bg = skinData_->ParentBackground();
  auto part = [&](const TSkinCommonIndexes::Part& pc, const char* name, const Surface& target,
                  const RECT& r, int state) {
    if (r.IsEmpty()) return;
    PaintSection(t, pc.Section, name, bg, target, POINT{}, r, state, true);
    DrawCentredGlyph(t, target, r, state, pc.Glyph);
  };
  // The track and the arrows stay while only the thumb moves: they are
  // kept apart and painted again only when they change.
  const int up = PartState(spLineUp), down = PartState(spLineDown);
  graphics::TPixelBitmap& cache = skinData_->CacheBitmap();
  if (baseStale_ || base_.Width() != s.width || base_.Height() != s.height || up != baseUp_ ||
      down != baseDown_) {
    base_.SetSize(s.width, s.height);
    const Surface b = SurfaceOf(base_);
    PaintSection(t, c.ScrollTracks[1].Section, "SCROLLBAR1V", bg, b, POINT{},
                 RECT{0, 0, s.width, s.height}, 0, true);
    part(c.ScrollButtons[0], "SCROLLBTNTOP", b, l.up, up);
    part(c.ScrollButtons[1], "SCROLLBTNBOTTOM", b, l.down, down);
    baseUp_ = up, baseDown_ = down, baseStale_ = false;
  }
  p::BitBlt(cache.Handle(), 0, 0, s.width, s.height, base_.Handle(), 0, 0, p::SRCCOPY);
  part(c.ScrollSliders[0], "SCROLLSLIDERV", s, l.thumb, PartState(spThumb));
}

void TSkinScrollBar::PaintPlain(const TLayout& l) {
  graphics::TPixelBitmap& cache = skinData_->CacheBitmap();
  const p::HDC dc = cache.Handle();
  RECT all{0, 0, cache.Width(), cache.Height()};
  p::FillRect(dc, &all, p::HBRUSH{p::COLOR_SCROLLBAR + 1});
  if (!l.up.IsEmpty()) PlainArrow(dc, l.up, true, PartState(spLineUp) == 2, Enabled());
  if (!l.down.IsEmpty()) PlainArrow(dc, l.down, false, PartState(spLineDown) == 2, Enabled());
  if (!l.thumb.IsEmpty()) {
    RECT r = l.thumb;
    p::FillRect(dc, &r, p::HBRUSH{p::COLOR_BTNFACE + 1});
    p::DrawEdge(dc, &r, p::EDGE_RAISED, p::BF_RECT);
  }
}

void TSkinScrollBar::RepaintCache() {
  SizeCacheToControl(*skinData_);
  if (skinData_->CacheBitmap().Empty()) return;
  const TLayout l = Layout();
  if (skinData_->Skinned() && ActiveSkin().Ready)
    PaintSkinned(l);
  else
    PaintPlain(l);
  skinData_->CacheStale = 0;
}

void TSkinScrollBar::PaintWindow(p::HDC dc) {
  // A skinned bar waits while the picture behind it is being changed; an
  // unskinned one paints as any plain bar.
  if (skinData_->Skinned() && PaintHeldBack(*skinData_)) return;
  RepaintCache();
  CopyCache(*skinData_, dc);
}

void TSkinScrollBar::MoveTo(int v) {
  v = std::clamp(v, min_, max_);
  if (v == position_) return;
  position_ = v;
  skinData_->MarkStale();
  Invalidate();
  if (OnChange) OnChange(this);
}

void TSkinScrollBar::Step() {
  const TPart at = PartAt(lastPoint_);
  pressedInside_ = at == pressed_;
  if (!pressedInside_) return;
  switch (pressed_) {
    case spLineUp:
      MoveTo(position_ - smallChange_);
      break;
    case spLineDown:
      MoveTo(position_ + smallChange_);
      break;
    case spPageUp:
      MoveTo(position_ - largeChange_);
      break;
    case spPageDown:
      MoveTo(position_ + largeChange_);
      break;
    default:
      break;
  }
}

void TSkinScrollBar::MouseDownAt(POINT pt) {
  if (!Enabled()) return;
  lastPoint_ = pt;
  pressed_ = PartAt(pt);
  if (pressed_ == spNone) return;
  pressedInside_ = true;
  p::SetCapture(Handle());
  skinData_->MarkStale();
  Invalidate();
  if (pressed_ == spThumb) {
    grab_ = pt.y - Layout().thumb.top;
    return;
  }
  Step();
  // The first repeat waits a little longer, as a held key does.
  p::SetTimer(Handle(), kRepeatTimer, kFirstRepeatMs, nullptr);
}

void TSkinScrollBar::MouseMoveTo(POINT pt) {
  lastPoint_ = pt;
  if (pressed_ == spNone) {
    SetHot(PartAt(pt));
    return;
  }
  if (pressed_ != spThumb) {
    const bool inside = PartAt(pt) == pressed_;
    if (inside != pressedInside_) {
      pressedInside_ = inside;
      skinData_->MarkStale();
      Invalidate();
    }
    return;
  }
  const TLayout l = Layout();
  if (l.thumb.IsEmpty()) return;
  const int span = Length(l.track) - Length(l.thumb);
  const std::int64_t range = std::int64_t(max_) - min_;
  if (span <= 0) return;
  const std::int64_t offset = std::clamp(pt.y - grab_ - l.track.top, 0, span);
  MoveTo(min_ + int((offset * range + span / 2) / span));
}

void TSkinScrollBar::StopTracking() {
  if (pressed_ == spNone) return;
  pressed_ = spNone;
  pressedInside_ = false;
  if (HandleAllocated()) {
    p::KillTimer(Handle(), kRepeatTimer);
    if (p::GetCapture() == Handle()) p::ReleaseCapture();
  }
  skinData_->MarkStale();
  Invalidate();
}

void TSkinScrollBar::SetHot(TPart part) {
  if (part == hot_) return;
  hot_ = part;
  skinData_->MarkStale();
  Invalidate();
}

void TSkinScrollBar::WndProc(toolkit::TMessage& m) {
  if (IsSkinMessage(m.Msg)) {
    skinData_->HandleMessage(m);
    if (m.Msg == SKM_REMOVESKIN || m.Msg == SKM_SETNEWSKIN || m.Msg == SKM_REFRESH ||
        m.Msg == SKM_REPAINT || m.Msg == SKM_SETBGCHANGED) {
      skinData_->MarkStale();
      baseStale_ = true;
      Invalidate();
    }
    return;
  }
  switch (m.Msg) {
    case p::WM_LBUTTONDOWN:
    case p::WM_LBUTTONDBLCLK:
      MouseDownAt(POINT{p::GET_X_LPARAM(m.LParam), p::GET_Y_LPARAM(m.LParam)});
      m.Result = 0;
      return;
    case p::WM_MOUSEMOVE:
      MouseMoveTo(POINT{p::GET_X_LPARAM(m.LParam), p::GET_Y_LPARAM(m.LParam)});
      break;
    case p::WM_LBUTTONUP:
      StopTracking();
      m.Result = 0;
      return;
    case p::WM_CAPTURECHANGED:
    case p::WM_CANCELMODE:
      StopTracking();
      break;
    case p::WM_TIMER:
      if (m.WParam == kRepeatTimer) {
        if (pressed_ == spNone || pressed_ == spThumb) {
          p::KillTimer(Handle(), kRepeatTimer);
        } else {
          p::SetTimer(Handle(), kRepeatTimer, kRepeatMs, nullptr);
          Step();
        }
        return;
      }
      break;
    case toolkit::CM_MOUSELEAVE:
      SetHot(spNone);
      break;
    case toolkit::CM_ENABLEDCHANGED:
      if (!Enabled()) StopTracking();
      skinData_->MarkStale();
      baseStale_ = true;
      break;
    case p::WM_SIZE:
    case p::WM_MOVE:
      // Moved, the bar shows another part of the background behind it.
      skinData_->MarkStale();
      baseStale_ = true;
      break;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

}  // namespace skin
