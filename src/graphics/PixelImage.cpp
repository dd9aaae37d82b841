#include "graphics/PixelImage.h"

#include <cmath>

#include "component/ClassBuilder.h"
#include "component/Exception.h"

namespace graphics {

using namespace component;
using toolkit::TMouseButton;
using toolkit::TShiftState;
namespace p = platform;

const TEnumInfo& EnumInfo(TBitmapAlign) {
  static const TEnumInfo info("TBitmapAlign", {"baTopLeft", "baCenter", "baTile", "baCustom"});
  return info;
}
const TEnumInfo& EnumInfo(TScaleMode) {
  static const TEnumInfo info("TScaleMode", {"smNormal", "smStretch", "smScale", "smResize"});
  return info;
}

// --- TCustomPixelPaintBox ------------------------------------------------------------

const TClassInfo& TCustomPixelPaintBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomPixelPaintBox, toolkit::TCustomControl>("TCustomPixelPaintBox")
          .Event("OnResize", &TCustomPixelPaintBox::OnResize)
          .Build();
  return info;
}

TCustomPixelPaintBox::TCustomPixelPaintBox(TComponent* owner)
    : toolkit::TCustomControl(owner), buffer_(std::make_unique<TPixelBitmap>()) {
  // The buffer is ours alone: it never needs to tell anyone of a change.
  buffer_->BeginUpdate();
  SetOpaque(true);
}

TCustomPixelPaintBox::~TCustomPixelPaintBox() = default;

void TCustomPixelPaintBox::Invalidate() {
  bufferValid_ = false;
  toolkit::TCustomControl::Invalidate();
}

void TCustomPixelPaintBox::Loaded() {
  toolkit::TCustomControl::Loaded();
  bufferValid_ = false;
}

void TCustomPixelPaintBox::ResizeBuffer() {
  const p::RECT v = GetViewportRect();
  auto needed = [this](int n, int b) {
    if (n < 0) n = 0;
    if (n > b)
      b = n + bufferOversize_;
    else if (n < b - bufferOversize_)
      b = n;
    return b < 1 ? 1 : b;
  };
  const int w = needed(v.Width(), buffer_->Width());
  const int h = needed(v.Height(), buffer_->Height());
  if (w == buffer_->Width() && h == buffer_->Height()) return;
  TLockGuard lock(*buffer_);
  buffer_->SetSize(w, h);
  bufferValid_ = false;
}

void TCustomPixelPaintBox::PaintWindow(p::HDC dc) {
  ResizeBuffer();
  if (!bufferValid_) {
    PaintBuffer();
    bufferValid_ = true;
  }
  {
    TLockGuard lock(*buffer_);
    const p::RECT v = GetViewportRect();
    if (!buffer_->Empty())
      p::BitBlt(dc, v.left, v.top, v.Width(), v.Height(), buffer_->Handle(), v.left, v.top,
                p::SRCCOPY);
  }
  PaintGDIOverlay(dc);
}

void TCustomPixelPaintBox::Resized() {
  // While a description is read the size changes with every property; the
  // first paint sizes the buffer once.
  if (!ComponentState().Contains(component::csLoading)) ResizeBuffer();
  bufferValid_ = false;
  if (OnResize) OnResize(this);
}

void TCustomPixelPaintBox::BoundsChanged() {
  toolkit::TCustomControl::BoundsChanged();
  if (width_ == lastWidth_ && height_ == lastHeight_) return;
  lastWidth_ = width_, lastHeight_ = height_;
  Resized();
}

void TCustomPixelPaintBox::WndProc(toolkit::TMessage& m) {
  toolkit::TCustomControl::WndProc(m);
  if (m.Msg == p::WM_SIZE) BoundsChanged();
}

void TCustomPixelPaintBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (TabStop() && CanFocus()) SetFocus();
  if (button == toolkit::mbLeft && HandleAllocated()) p::SetCapture(Handle());
  toolkit::TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomPixelPaintBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == toolkit::mbLeft && HandleAllocated() && p::GetCapture() == Handle())
    p::ReleaseCapture();
  toolkit::TCustomControl::MouseUp(button, shift, x, y);
}

// --- TCustomPixelImage ---------------------------------------------------------------

const TClassInfo& TCustomPixelImage::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomPixelImage, TCustomPixelPaintBox>("TCustomPixelImage").Build();
  return info;
}

TCustomPixelImage::TCustomPixelImage(TComponent* owner)
    : TCustomPixelPaintBox(owner), bitmap_(std::make_unique<TPixelBitmap>()) {
  SetBoundsSilently(0, 0, 192, 192);
  SetParentColor(true);
  bitmap_->OnChange = [this](TObject*) { BitmapChanged(); };
  bitmap_->OnResize = [this](TObject*) { BitmapResized(); };
  InitDefaultStages();
}

TCustomPixelImage::~TCustomPixelImage() {
  BeginUpdate();
  bitmap_->OnChange = nullptr;
  bitmap_->OnResize = nullptr;
}

void TCustomPixelImage::SetBitmap(const TPixelBitmap& v) {
  InvalidateCache();
  bitmap_->Assign(v);
}

void TCustomPixelImage::SetBitmapAlign(TBitmapAlign v) {
  bitmapAlign_ = v;
  InvalidateCache();
  Changed();
}

void TCustomPixelImage::SetScale(float v) {
  if (v < 0.001f) v = 0.001f;
  if (v == scale_) return;
  InvalidateCache();
  scale_ = v;
  DoScaleChange();
  Changed();
}

void TCustomPixelImage::SetScaleMode(TScaleMode v) {
  if (v == scaleMode_) return;
  InvalidateCache();
  scaleMode_ = v;
  Changed();
}

void TCustomPixelImage::SetOffsetHorz(float v) {
  if (v == offsetHorz_) return;
  offsetHorz_ = v;
  InvalidateCache();
  Changed();
}

void TCustomPixelImage::SetOffsetVert(float v) {
  if (v == offsetVert_) return;
  offsetVert_ = v;
  InvalidateCache();
  Changed();
}

void TCustomPixelImage::SetAutoSize(bool v) {
  if (v == autoSize_) return;
  autoSize_ = v;
  if (v) BitmapResized();
}

void TCustomPixelImage::Changed() {
  if (updateCount_ != 0) return;
  Invalidate();
  if (OnChange) OnChange(this);
}

void TCustomPixelImage::EndUpdate() {
  // An unpaired call would otherwise leave the count negative, and the view
  // would stop repainting on changes for good.
  if (updateCount_ <= 0) throw EInvalidOperation("Unpaired EndUpdate call");
  --updateCount_;
}

void TCustomPixelImage::Invalidate() {
  InvalidateCache();
  TCustomPixelPaintBox::Invalidate();
}

void TCustomPixelImage::Loaded() {
  TCustomPixelPaintBox::Loaded();
  InitStages();
}

void TCustomPixelImage::BitmapChanged() {
  Changed();
}

void TCustomPixelImage::BitmapResized() {
  if (autoSize_ && bitmap_->Width() > 0 && bitmap_->Height() > 0) {
    int w = bitmap_->Width(), h = bitmap_->Height();
    if (scaleMode_ == smScale) {
      w = int(std::nearbyint(float(w) * scale_));
      h = int(std::nearbyint(float(h) * scale_));
    }
    const toolkit::TAlign a = Align();
    const bool followWidth = a == toolkit::alNone || a == toolkit::alLeft || a == toolkit::alRight;
    const bool followHeight = a == toolkit::alNone || a == toolkit::alTop || a == toolkit::alBottom;
    SetBounds(left_, top_, followWidth ? w : width_, followHeight ? h : height_);
  }
  if (OnBitmapResize) OnBitmapResize(this);
  InvalidateCache();
  Invalidate();
}

void TCustomPixelImage::InitStages() {
  if (OnInitStages) OnInitStages(this);
}

void TCustomPixelImage::InitDefaultStages() {
  auto add = [this](bool dsgn, bool run, std::uint32_t stage, std::uint32_t parameter) {
    TPaintStage& s = paintStages_.Add();
    s.DsgnVisible = dsgn, s.RunVisible = run, s.Stage = stage, s.Parameter = parameter;
  };
  add(true, true, PST_CLEAR_BACKGND, 0);
  add(true, false, PST_CONTROL_FRAME, 0);
  add(true, true, PST_DRAW_BITMAP, 0);
  add(true, false, PST_BITMAP_FRAME, 0);
  add(true, true, PST_DRAW_LAYERS, LayerVisible);
}

p::SIZE TCustomPixelImage::GetBitmapSize() const {
  const int bw = bitmap_->Width(), bh = bitmap_->Height();
  if (bitmap_->Empty() || width_ == 0 || height_ == 0) return p::SIZE{0, 0};
  p::SIZE s{bw, bh};
  switch (scaleMode_) {
    case smNormal:
      break;
    case smStretch:
      s = p::SIZE{width_, height_};
      break;
    case smScale:
      s = p::SIZE{int(std::nearbyint(float(bw) * scale_)), int(std::nearbyint(float(bh) * scale_))};
      break;
    case smResize: {
      const float sx = float(width_) / float(bw), sy = float(height_) / float(bh);
      if (sx >= sy)
        s = p::SIZE{int(std::nearbyint(float(bw) * sy)), height_};
      else
        s = p::SIZE{width_, int(std::nearbyint(float(bh) * sx))};
      break;
    }
  }
  if (s.cx < 0) s.cx = 0;
  if (s.cy < 0) s.cy = 0;
  return s;
}

p::RECT TCustomPixelImage::GetBitmapRect() const {
  if (bitmap_->Empty()) return p::RECT{0, 0, 0, 0};
  const p::SIZE s = GetBitmapSize();
  p::RECT r{0, 0, s.cx, s.cy};
  int dx = 0, dy = 0;
  if (bitmapAlign_ == baCenter) {
    dx = (width_ - s.cx) / 2;
    dy = (height_ - s.cy) / 2;
  } else if (bitmapAlign_ == baCustom) {
    dx = int(std::nearbyint(offsetHorz_));
    dy = int(std::nearbyint(offsetVert_));
  }
  r.left += dx, r.right += dx, r.top += dy, r.bottom += dy;
  return r;
}

void TCustomPixelImage::UpdateCache() {
  if (cacheValid_) return;
  cachedBitmapRect_ = GetBitmapRect();
  const p::RECT& r = cachedBitmapRect_;
  const std::int64_t bw = bitmap_->Width(), bh = bitmap_->Height();
  // A bitmap whose rectangle comes out empty (a tiny Scale) is drawn as
  // nothing; the mapping stays the identity.
  if (bitmap_->Empty() || r.Width() <= 0 || r.Height() <= 0) {
    scaleX_ = scaleY_ = revScaleX_ = revScaleY_ = 0x10000;
    shiftX_ = shiftY_ = 0;
  } else {
    scaleX_ = std::int64_t(r.Width()) * 0x10000 / bw;
    scaleY_ = std::int64_t(r.Height()) * 0x10000 / bh;
    revScaleX_ = bw * 0x10000 / r.Width();
    revScaleY_ = bh * 0x10000 / r.Height();
    shiftX_ = r.left, shiftY_ = r.top;
  }
  cacheValid_ = true;
}

void TCustomPixelImage::PaintBuffer() {
  UpdateCache();
  TPixelBitmap& buffer = *Buffer();
  const bool design = false;  // no design mode in this program
  for (int i = 0; i < paintStages_.Count(); ++i) {
    const TPaintStage& s = paintStages_[i];
    if (!(design ? s.DsgnVisible : s.RunVisible)) continue;
    switch (s.Stage) {
      case PST_CUSTOM:
        ExecCustom(buffer, i);
        break;
      case PST_CLEAR_BUFFER:
        ExecClearBuffer(buffer, i);
        break;
      case PST_CLEAR_BACKGND:
        ExecClearBackground(buffer, i);
        break;
      case PST_DRAW_BITMAP:
        ExecDrawBitmap(buffer, i);
        break;
      case PST_DRAW_LAYERS:
        ExecDrawLayers(buffer, i);
        break;
      case PST_CONTROL_FRAME:
        ExecControlFrame(buffer, i);
        break;
      case PST_BITMAP_FRAME:
        ExecBitmapFrame(buffer, i);
        break;
      default:
        break;
    }
  }
}

void TCustomPixelImage::ExecCustom(TPixelBitmap& dest, int stageNum) {
  if (OnPaintStage) OnPaintStage(this, &dest, unsigned(stageNum));
}

void TCustomPixelImage::ExecClearBuffer(TPixelBitmap& dest, int) {
  dest.Clear(ColorToPixelColor(Color()));
}

void TCustomPixelImage::ExecClearBackground(TPixelBitmap& dest, int) {
  const TPixelColor c = ColorToPixelColor(Color());
  if (bitmap_->Empty() || bitmap_->DrawMode() != dmOpaque) {
    dest.Clear(c);
    return;
  }
  const p::RECT& r = cachedBitmapRect_;
  const bool uncovered = r.left > 0 || r.right < width_ || r.top > 0 || r.bottom < height_;
  if (!uncovered || bitmapAlign_ == baTile) return;
  dest.FillRectClipped(0, 0, width_, r.top, c);
  dest.FillRectClipped(0, r.bottom, width_, height_, c);
  dest.FillRectClipped(0, r.top, r.left, r.bottom, c);
  dest.FillRectClipped(r.right, r.top, width_, r.bottom, c);
}

void TCustomPixelImage::ExecDrawBitmap(TPixelBitmap& dest, int) {
  const p::RECT& r = cachedBitmapRect_;
  if (bitmap_->Empty() || r.Width() <= 0 || r.Height() <= 0) return;
  TLockGuard lock(*bitmap_);
  if (bitmapAlign_ != baTile) {
    bitmap_->DrawToBitmap(dest, r);
    return;
  }
  const int tw = r.Width(), th = r.Height();
  for (int row = 0; row <= dest.Height() / th; ++row)
    for (int col = 0; col <= dest.Width() / tw; ++col) {
      const p::RECT tile{r.left + col * tw, r.top + row * th, r.right + col * tw,
                         r.bottom + row * th};
      bitmap_->DrawToBitmap(dest, tile);
    }
}

void TCustomPixelImage::ExecDrawLayers(TPixelBitmap& dest, int stageNum) {
  const std::uint32_t mask = paintStages_[stageNum].Parameter;
  for (int i = 0; i < layers_.Count(); ++i)
    if (layers_.Items(i)->LayerOptions() & mask) layers_.Items(i)->Paint(dest);
}

void TCustomPixelImage::ExecControlFrame(TPixelBitmap& dest, int) {
  dest.Canvas()->DrawFocusRect(p::RECT{0, 0, width_, height_});
}

void TCustomPixelImage::ExecBitmapFrame(TPixelBitmap& dest, int) {
  dest.Canvas()->DrawFocusRect(cachedBitmapRect_);
}

void TCustomPixelImage::PaintGDIOverlay(p::HDC dc) {
  bool any = false;
  for (int i = 0; i < layers_.Count() && !any; ++i)
    any = (layers_.Items(i)->LayerOptions() & LayerGDIOverlay) != 0;
  if (any) {
    toolkit::TCanvas canvas;
    canvas.SetHandle(dc);
    for (int i = 0; i < layers_.Count(); ++i)
      if (layers_.Items(i)->LayerOptions() & LayerGDIOverlay) layers_.Items(i)->PaintGDI(canvas);
    canvas.SetHandle({});
  }
  if (OnGDIOverlay) OnGDIOverlay(this);
}

void TCustomPixelImage::Resized() {
  InvalidateCache();
  TCustomPixelPaintBox::Resized();
}

void TCustomPixelImage::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomLayer* layer = layers_.MouseEvents() ? layers_.LayerAt(x, y) : nullptr;
  layerHandledMouse_ = layerHandledMouse_ || layer != nullptr;
  TCustomPixelPaintBox::MouseDown(button, shift, x, y);
  MouseDown(button, shift, x, y, layer);
}

void TCustomPixelImage::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomLayer* layer = layers_.MouseEvents() ? layers_.LayerAt(x, y) : nullptr;
  TCustomPixelPaintBox::MouseUp(button, shift, x, y);
  MouseUp(button, shift, x, y, layer);
}

void TCustomPixelImage::MouseMove(TShiftState shift, int x, int y) {
  TCustomLayer* layer = layers_.MouseEvents() ? layers_.LayerAt(x, y) : nullptr;
  layerHandledMouse_ = layerHandledMouse_ || layer != nullptr;
  TCustomPixelPaintBox::MouseMove(shift, x, y);
  MouseMove(shift, x, y, layer);
}

void TCustomPixelImage::MouseLeave() {
  // Layers may have set their own cursor; leaving puts the default back.
  if (layerHandledMouse_) {
    layerHandledMouse_ = false;
    p::SetCursor(p::LoadCursor(p::IDC_ARROW));
  }
  TCustomPixelPaintBox::MouseLeave();
}

void TCustomPixelImage::MouseDown(TMouseButton button, TShiftState shift, int x, int y,
                                  TCustomLayer* layer) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y, layer);
}

void TCustomPixelImage::MouseMove(TShiftState shift, int x, int y, TCustomLayer* layer) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y, layer);
}

void TCustomPixelImage::MouseUp(TMouseButton button, TShiftState shift, int x, int y,
                                TCustomLayer* layer) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y, layer);
}

// --- TPixelImage ----------------------------------------------------------------------

const TClassInfo& TPixelImage::StaticClassInfo() {
  using T = TPixelImage;
  static const TClassInfo info = TClassBuilder<TPixelImage, TCustomPixelImage>("TPixelImage")
                                     .Property("Bitmap", &T::Bitmap)
                                     .Property("BitmapAlign", &T::BitmapAlign, &T::SetBitmapAlign)
                                     .Property("Scale", &T::Scale, &T::SetScale)
                                     .Property("ScaleMode", &T::ScaleMode, &T::SetScaleMode)
                                     .Property("AutoSize", &T::AutoSize, &T::SetAutoSize)
                                     .Event("OnBitmapResize", &T::OnBitmapResize)
                                     .Event("OnChange", &T::OnChange)
                                     .Event("OnGDIOverlay", &T::OnGDIOverlay)
                                     .Event("OnInitStages", &T::OnInitStages)
                                     .Event("OnPaintStage", &T::OnPaintStage)
                                     .Event("OnMouseDown", &T::OnMouseDown)
                                     .Event("OnMouseMove", &T::OnMouseMove)
                                     .Event("OnMouseUp", &T::OnMouseUp)
                                     .Build();
  return info;
}

}  // namespace graphics
