#include "skin/controls/SkinListBox.h"

#include <algorithm>
#include <cstring>

#include "component/ClassBuilder.h"
#include "platform/controls/Controls.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/Window.h"
#include "skin/data/SkinData.h"
#include "skin/link/SkinControl.h"
#include "skin/link/SkinMessages.h"
#include "skin/paint/PictureSurface.h"
#include "skin/paint/SectionPaint.h"
#include "skin/paint/SkinTextDrawing.h"

namespace skin {

namespace p = platform;
using component::TClassBuilder;
using toolkit::TMessage;

namespace {

constexpr int kListBoxKind = 97;
constexpr unsigned kItemText = p::DT_SINGLELINE | p::DT_VCENTER | p::DT_NOPREFIX;

// The window's client rectangle in window coordinates.
RECT ClientInWindow(p::HWND h) {
  RECT w, c;
  p::GetWindowRect(h, &w);
  p::GetClientRect(h, &c);
  POINT o{0, 0};
  p::ClientToScreen(h, &o);
  const int x = o.x - w.left, y = o.y - w.top;
  return RECT{x, y, x + c.Width(), y + c.Height()};
}

// Whether all of `area` (screen coordinates) lies under `bar`, a visible
// sibling in front of `list`, so that nothing painted there would show.
bool HiddenUnder(p::HWND list, p::HWND bar, p::HRGN area) {
  if (!p::IsWindowVisible(bar)) return false;
  RECT box, cover;
  const int kind = p::GetRgnBox(area, &box);
  if (kind != p::SIMPLEREGION && kind != p::COMPLEXREGION) return false;
  if (!p::GetWindowRect(bar, &cover)) return false;
  if (box.left < cover.left || box.top < cover.top || box.right > cover.right ||
      box.bottom > cover.bottom)
    return false;
  for (p::HWND s = p::GetWindow(list, p::GW_HWNDPREV); s; s = p::GetWindow(s, p::GW_HWNDPREV))
    if (s == bar) return true;
  return false;
}

// Whether every row inside the frame is the same, so that a row drawn over
// the picture looks the same at any height.
bool RowsUniform(const graphics::TPixelBitmap& b) {
  const int f = TSkinBaseListBox::kFrame;
  const int w = b.Width() - 2 * f;
  if (w <= 0 || b.Height() <= 2 * f) return true;
  const auto* first = b.PixelPointer(f, f);
  for (int y = f + 1; y < b.Height() - f; ++y)
    if (std::memcmp(b.PixelPointer(f, y), first, std::size_t(w) * sizeof(*first)) != 0)
      return false;
  return true;
}

}  // namespace

const component::TClassInfo& TSkinBaseListBox::StaticClassInfo() {
  using T = TSkinBaseListBox;
  static const component::TClassInfo info =
      TClassBuilder<T, toolkit::TCustomListBox>("TSkinBaseListBox")
          .Property("SkinData", &T::SkinData)
          .Property("DisabledKind", &T::DisabledKind, &T::SetDisabledKind,
                    EnumInfo(TSkinDisabledStep{}))
          .Property("BoundLabel", &T::BoundLabel)
          .Event("OnVScroll", &T::OnVScroll)
          .Build();
  return info;
}

const component::TClassInfo& TSkinListBox::StaticClassInfo() {
  static const component::TClassInfo info =
      TClassBuilder<TSkinListBox, TSkinBaseListBox>("TSkinListBox").Build();
  return info;
}

TSkinBaseListBox::TSkinBaseListBox(component::TComponent* owner)
    : TCustomListBox(owner),
      skinData_(std::make_unique<TSkinCommonData>(this, kListBoxKind)),
      boundLabel_(std::make_unique<TSkinBoundLabel>(this)) {
  if (!ComponentState().Contains(component::csLoading)) skinData_->Loaded();
}

TSkinBaseListBox::~TSkinBaseListBox() {
  Destroying();
  // The bar lives on the parent; it goes with the list.
  delete bar_;
  bar_ = nullptr;
}

void TSkinBaseListBox::Loaded() {
  TCustomListBox::Loaded();
  skinData_->Loaded();
  boundLabel_->ControlChanged();
  FrameChanged();
  UpdateScrollBar();
}

void TSkinBaseListBox::SetDisabledKind(TSkinDisabledKind v) {
  if (v == disabledKind_) return;
  disabledKind_ = v;
  RepaintAll();
}

void TSkinBaseListBox::RepaintAll() {
  skinData_->MarkStale();
  if (HandleAllocated())
    p::RedrawWindow(Handle(), nullptr, p::HRGN{}, p::RDW_INVALIDATE | p::RDW_FRAME);
}

void TSkinBaseListBox::SetParent(toolkit::TWinControl* parent) {
  TCustomListBox::SetParent(parent);
  if (bar_ && !ComponentState().Contains(component::csDestroying)) bar_->SetParent(parent);
  boundLabel_->ControlChanged();
  UpdateScrollBar();
}

int TSkinBaseListBox::TopIndex() {
  if (!HandleAllocated()) return 0;
  // Straight to the list window: asked after every message, it must not
  // come back through this control's own handling.
  return int(p::CallWindowProc(DefWndProc(), Handle(), p::LB_GETTOPINDEX, 0, 0));
}

// While a new skin is being set (not yet ready) the list keeps its skinned
// frame and rows; its picture waits until the skin is ready.
bool TSkinBaseListBox::SkinnedNow() const {
  return skinData_->Skinned();
}

void TSkinBaseListBox::CreateParams(toolkit::TCreateParams& params) {
  TCustomListBox::CreateParams(params);
  // The rows are always drawn here; the strings stay in the list window.
  if (!(params.style & (p::LBS_OWNERDRAWFIXED | p::LBS_OWNERDRAWVARIABLE)))
    params.style |= p::LBS_OWNERDRAWFIXED;
  params.style |= p::LBS_NOTIFY | p::LBS_HASSTRINGS;
}

void TSkinBaseListBox::CreateWindowHandle(const toolkit::TCreateParams& params) {
  TCustomListBox::CreateWindowHandle(params);
  FrameChanged();
  UpdateScrollBar();
}

void TSkinBaseListBox::BoundsChanged() {
  TCustomListBox::BoundsChanged();
  skinData_->MarkStale();
  boundLabel_->ControlChanged();
  UpdateScrollBar();
}

void TSkinBaseListBox::Notification(component::TComponent* c, component::TOperation op) {
  TCustomListBox::Notification(c, op);
  if (op == component::opRemove && c == bar_) bar_ = nullptr;
}

// --- the picture --------------------------------------------------------------

void TSkinBaseListBox::UpdateCache() {
  SizeCacheToControl(*skinData_);
  if (!skinData_->CacheStale || PaintHeldBack(*skinData_)) return;
  const Surface cache = skinData_->CacheSurface();
  if (!cache.IsEmpty()) {
    const TParentBackground bg = skinData_->ParentBackground();
    PaintSection(ActiveSkin(), skinData_->SkinIndex, skinData_->SkinSection(), bg, cache, POINT{},
                 RECT{0, 0, cache.width, cache.height}, ControlActive(*skinData_) ? 1 : 0, true);
  }
  // The rows take the enabled picture and get the disabled look each on
  // their own; the frame and the room below the rows show this copy.
  if (!Enabled() && !cache.IsEmpty()) {
    disabled_.SetSize(cache.width, cache.height);
    p::BitBlt(disabled_.Handle(), 0, 0, cache.width, cache.height,
              skinData_->CacheBitmap().Handle(), 0, 0, p::SRCCOPY);
    PaintDisabled(SurfaceOf(disabled_), disabledKind_, ParentRGB(), POINT{},
                  skinData_->ParentBackground());
  } else {
    disabled_.SetSize(0, 0);
  }
  rowsMovable_ =
      RowsUniform(skinData_->CacheBitmap()) && (disabled_.Empty() || RowsUniform(disabled_));
  skinData_->CacheStale = 0;
}

const graphics::TPixelBitmap& TSkinBaseListBox::ShownCache() const {
  return !Enabled() && !disabled_.Empty() ? disabled_ : skinData_->CacheBitmap();
}

std::int32_t TSkinBaseListBox::ParentRGB() const {
  return Parent() ? std::int32_t(toolkit::ColorToRGB(Parent()->Color())) : kSkinWhite;
}

void TSkinBaseListBox::DrawItem(int index, RECT rect, toolkit::TOwnerDrawState state) {
  if (!SkinnedNow() || OnDrawItem) {
    TCustomListBox::DrawItem(index, rect, state);
    return;
  }
  UpdateCache();
  const int w = rect.Width(), h = rect.Height();
  if (w <= 0 || h <= 0) return;
  if (item_.Width() != w || item_.Height() != h) item_.SetSize(w, h);
  const p::HDC dc = item_.Handle();
  const bool selected = state.Contains(toolkit::odSelected);
  RECT all{0, 0, w, h};
  const graphics::TPixelBitmap& cache = skinData_->CacheBitmap();
  const POINT at{rect.left + kFrame, rect.top + kFrame};
  if (selected) {
    p::FillRect(dc, &all, p::GetSysColorBrush(p::COLOR_HIGHLIGHT));
  } else {
    // The rows lie over the cache's inside, shifted by the frame.
    const int cw = std::clamp(cache.Width() - at.x, 0, w);
    const int ch = std::clamp(cache.Height() - at.y, 0, h);
    if (cw < w || ch < h) p::FillRect(dc, &all, Brush()->Handle());
    if (cw > 0 && ch > 0) p::BitBlt(dc, 0, 0, cw, ch, cache.Handle(), at.x, at.y, p::SRCCOPY);
  }
  toolkit::TCanvas& canvas = *item_.Canvas();
  canvas.Font()->Assign(*Font());
  const std::string text = index >= 0 && index < Count() ? Items()->Strings(index) : std::string();
  RECT tr{1, 0, w, h};
  if (selected) {
    canvas.Font()->SetColor(toolkit::clHighlightText);
    p::SetBkMode(dc, p::TRANSPARENT);
    canvas.DrawText(text, tr, kItemText);
  } else {
    DrawSkinText(ActiveSkin(), canvas, text, Enabled(), ControlActive(*skinData_),
                 skinData_->SkinIndex, kItemText, tr);
  }
  if (!Enabled())
    PaintDisabled(SurfaceOf(item_), disabledKind_, ParentRGB(), at, skinData_->ParentBackground());
  p::BitBlt(Canvas()->Handle(), rect.left, rect.top, w, h, dc, 0, 0, p::SRCCOPY);
}

// The rows end above the bottom; what lies below them shows the cache.
void TSkinBaseListBox::PaintBelowItems() {
  const p::HWND h = Handle();
  RECT client;
  p::GetClientRect(h, &client);
  const int rows = std::max(0, Count() - TopIndex());
  const int top =
      std::int64_t(rows) * ItemHeight() >= client.bottom ? client.bottom : rows * ItemHeight();
  if (top >= client.bottom || client.right <= 0) return;
  UpdateCache();
  const graphics::TPixelBitmap& cache = ShownCache();
  const p::HDC dc = p::GetDC(h);
  RECT below{0, top, client.right, client.bottom};
  p::FillRect(dc, &below, Brush()->Handle());
  const int cw = std::min(client.right, cache.Width() - kFrame);
  const int ch = std::min(client.bottom, cache.Height() - kFrame) - top;
  if (cw > 0 && ch > 0)
    p::BitBlt(dc, 0, top, cw, ch, cache.Handle(), kFrame, top + kFrame, p::SRCCOPY);
  p::ReleaseDC(h, dc);
}

void TSkinBaseListBox::NcCalcSize(TMessage& m) {
  RECT* r = m.WParam ? &reinterpret_cast<p::NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0]
                     : reinterpret_cast<RECT*>(m.LParam);
  m.Result = 0;
  if (!r) return;
  r->left += kFrame, r->top += kFrame, r->right -= kFrame, r->bottom -= kFrame;
  // The list's own bar keeps its room; the skinned bar lies over it.
  if (p::GetWindowLongPtr(Handle(), p::GWL_STYLE) & p::WS_VSCROLL)
    r->right -= p::GetSystemMetrics(p::SM_CXVSCROLL);
  r->right = std::max(r->right, r->left);
  r->bottom = std::max(r->bottom, r->top);
}

void TSkinBaseListBox::NcPaint(p::HRGN area) {
  const p::HWND h = Handle();
  // Only the part asked for (a region, or 1 for the whole frame). Each
  // scroll asks for the list's own bar, which the skinned bar covers.
  const bool clipped = area.value > 1;
  if (clipped && bar_ && bar_->HandleAllocated() && HiddenUnder(h, bar_->Handle(), area)) return;
  UpdateCache();
  p::HDC dc = clipped ? p::GetDCEx(h, area, p::DCX_WINDOW | p::DCX_INTERSECTRGN) : p::HDC{};
  if (!dc) dc = p::GetWindowDC(h);
  if (!dc) return;
  const RECT c = ClientInWindow(h);
  p::ExcludeClipRect(dc, c.left, c.top, c.right, c.bottom);
  const graphics::TPixelBitmap& cache = ShownCache();
  p::BitBlt(dc, 0, 0, cache.Width(), cache.Height(), cache.Handle(), 0, 0, p::SRCCOPY);
  p::ReleaseDC(h, dc);
}

// The frame's size depends on whether the list is skinned.
void TSkinBaseListBox::FrameChanged() {
  if (!HandleAllocated()) return;
  p::SetWindowPos(
      Handle(), {}, 0, 0, 0, 0,
      p::SWP_FRAMECHANGED | p::SWP_NOMOVE | p::SWP_NOSIZE | p::SWP_NOZORDER | p::SWP_NOACTIVATE);
}

// --- the scroll bar -----------------------------------------------------------

void TSkinBaseListBox::UpdateScrollBar() {
  if (updatingBar_ || creatingHandle_ || !HandleAllocated() ||
      ComponentState().Contains(component::csDestroying))
    return;
  updatingBar_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{updatingBar_};
  p::SCROLLINFO si;
  si.fMask = p::SIF_RANGE | p::SIF_PAGE | p::SIF_POS;
  p::GetScrollInfo(Handle(), p::SB_VERT, &si);
  const int rows = (Height() - 2 * kFrame) / std::max(1, ItemHeight());
  const bool needed = SkinnedNow() && Visible() && Parent() && Count() > rows && si.nMin < si.nMax;
  if (!needed) {
    if (bar_) bar_->Hide();
    return;
  }
  if (!bar_) {
    bar_ = new TSkinScrollBar(this);
    bar_->Hide();
    bar_->SetParent(Parent());
    bar_->OnChange = [this](toolkit::TObject*) { BarMoved(); };
  }
  if (si.nMax != 0 && si.nMax - int(si.nPage) != -1) {
    const int page = int(si.nPage);
    bar_->SetParams(barScrolling_ ? bar_->Position() : TopIndex(), si.nMin,
                    std::max(1, si.nMax - page + 1));
    bar_->SetPageSize(page);
    bar_->SetLargeChange(std::max(1, page));
    bar_->SetEnabled(Enabled());
    const int width = p::GetSystemMetrics(p::SM_CXVSCROLL) + 1;
    const RECT was = bar_->BoundsRect();
    const bool shown = bar_->Visible();
    bar_->SetBounds(Left() + Width() - width - 2, Top() + 2, width, std::max(0, Height() - 4));
    bar_->Show();
    // In front of the list, which it overlaps.
    if (bar_->HandleAllocated() && (!shown || !p::EqualRect(was, bar_->BoundsRect())))
      p::SetWindowPos(bar_->Handle(), p::HWND_TOP, 0, 0, 0, 0,
                      p::SWP_NOMOVE | p::SWP_NOSIZE | p::SWP_NOACTIVATE);
  } else {
    bar_->SetParams(0, 0, 1);
    bar_->SetPageSize(1);
    bar_->SetEnabled(false);
    bar_->Hide();
  }
}

void TSkinBaseListBox::BarMoved() {
  if (!bar_ || !HandleAllocated()) return;
  barScrolling_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{barScrolling_};
  const int position = bar_->Position();
  if (TopIndex() != position) p::SendMessage(Handle(), p::LB_SETTOPINDEX, p::WPARAM(position), 0);
  // The list moved the rows still on view; it paints the rest now, so the
  // rows follow the thumb while it is dragged.
  p::UpdateWindow(Handle());
  if (OnVScroll) OnVScroll(this);
}

// --- messages -----------------------------------------------------------------

void TSkinBaseListBox::SkinMessage(TMessage& m) {
  const bool wasSkinned = skinData_->Skinned();
  skinData_->HandleMessage(m);
  switch (m.Msg) {
    case SKM_REMOVESKIN:
    case SKM_SETNEWSKIN:
    case SKM_REFRESH:
      if (wasSkinned != skinData_->Skinned() || m.Msg == SKM_REFRESH) FrameChanged();
      RepaintAll();
      UpdateScrollBar();
      break;
    case SKM_REPAINT:
      RepaintAll();
      break;
    default:
      break;
  }
}

void TSkinBaseListBox::WndProc(TMessage& m) {
  if (IsSkinMessage(m.Msg)) {
    SkinMessage(m);
    return;
  }
  const bool skinned = SkinnedNow();
  switch (m.Msg) {
    case p::WM_NCCALCSIZE:
      if (skinned) return NcCalcSize(m);
      break;
    case p::WM_NCPAINT:
      if (skinned) {
        if (!PaintHeldBack(*skinData_)) NcPaint(p::HRGN{std::uint32_t(m.WParam)});
        m.Result = 0;
        return;
      }
      break;
    case p::WM_PAINT:
      TCustomListBox::WndProc(m);
      if (skinned && HandleAllocated() && !PaintHeldBack(*skinData_)) PaintBelowItems();
      AfterMessage();
      return;
    case p::WM_SETFOCUS:
    case p::WM_KILLFOCUS:
      skinData_->SetHasFocus(m.Msg == p::WM_SETFOCUS);
      skinData_->MouseAbove = 0;
      if (skinned) RepaintAll();
      break;
    case toolkit::CM_MOUSEENTER:
    case toolkit::CM_MOUSELEAVE:
      if (Enabled() && skinData_->TracksMouse()) {
        const std::uint8_t was = skinData_->MouseAbove;
        skinData_->SetMouseAbove(m.Msg == toolkit::CM_MOUSEENTER);
        if (was != skinData_->MouseAbove && skinned && !skinData_->HasFocus) RepaintAll();
      }
      break;
    case toolkit::CM_ENABLEDCHANGED:
    case toolkit::CM_VISIBLECHANGED:
    case toolkit::CM_FONTCHANGED:
    case toolkit::CM_COLORCHANGED:
      skinData_->MarkStale();
      TCustomListBox::WndProc(m);
      boundLabel_->ControlChanged();
      AfterMessage();
      return;
    case p::WM_ERASEBKGND:
      if (skinned) {
        m.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TCustomListBox::WndProc(m);
  AfterMessage();
}

// Whatever the message was, the list may have scrolled or changed its
// range. Scrolled rows keep their pixels; over a picture that changes from
// row to row they must be drawn again.
void TSkinBaseListBox::AfterMessage() {
  if (!HandleAllocated() || creatingHandle_) return;
  const int top = TopIndex();
  if (top != lastTop_) {
    lastTop_ = top;
    if (SkinnedNow() && !rowsMovable_) p::InvalidateRect(Handle(), nullptr, p::FALSE);
  }
  UpdateScrollBar();
}

}  // namespace skin
