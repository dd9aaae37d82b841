// The image view: a windowed control that shows one TPixelBitmap (Bitmap),
// placed by BitmapAlign and sized by ScaleMode and Scale over its Color. It
// paints through a back buffer that is rebuilt, stage by stage, only after
// something changed; a plain repaint copies the buffer. It may hold child
// controls, which paint over it.
//
//   TCustomControl → TCustomPixelPaintBox → TCustomPixelImage → TPixelImage
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "graphics/Layers.h"
#include "graphics/PixelBitmap.h"
#include "toolkit/GraphicControl.h"

namespace graphics {

// A control with a back buffer that it fills in PaintBuffer and copies to
// its window.
class TCustomPixelPaintBox : public toolkit::TCustomControl {
 public:
  COMPONENT_CLASS_INFO()

  explicit TCustomPixelPaintBox(component::TComponent* owner);
  ~TCustomPixelPaintBox() override;

  TPixelBitmap* Buffer() const { return buffer_.get(); }
  int BufferOversize() const { return bufferOversize_; }
  void SetBufferOversize(int v) { bufferOversize_ = v < 0 ? 0 : v; }
  bool BufferValid() const { return bufferValid_; }
  void SetBufferValid(bool v) { bufferValid_ = v; }
  bool WantArrowKeys() const { return wantArrowKeys_; }
  void SetWantArrowKeys(bool v) { wantArrowKeys_ = v; }
  bool FocusOnMouseDown() const { return focusOnMouseDown_; }
  void SetFocusOnMouseDown(bool v) { focusOnMouseDown_ = v; }

  // Marks the buffer for rebuilding and the window for repainting.
  void Invalidate() override;
  void Loaded() override;
  // Brings the buffer to the viewport's size (with the oversize margin).
  void ResizeBuffer();

  toolkit::TNotifyEvent OnResize;

 protected:
  virtual void PaintBuffer() {}
  virtual void PaintGDIOverlay(platform::HDC dc) { (void)dc; }
  virtual platform::RECT GetViewportRect() const { return platform::RECT{0, 0, width_, height_}; }
  virtual void Resized();

  void PaintWindow(platform::HDC dc) override;
  void EraseBackground(platform::HDC dc) override { (void)dc; }
  void BoundsChanged() override;
  void WndProc(toolkit::TMessage& message) override;
  void MouseDown(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y) override;
  void MouseUp(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y) override;

 private:
  std::unique_ptr<TPixelBitmap> buffer_;
  int bufferOversize_ = 40;
  bool bufferValid_ = false;
  bool wantArrowKeys_ = false;
  bool focusOnMouseDown_ = false;
  int lastWidth_ = -1, lastHeight_ = -1;
};

enum TBitmapAlign { baTopLeft, baCenter, baTile, baCustom };
enum TScaleMode { smNormal, smStretch, smScale, smResize };
const component::TEnumInfo& EnumInfo(TBitmapAlign);
const component::TEnumInfo& EnumInfo(TScaleMode);

// A step of building the back buffer.
struct TPaintStage {
  bool DsgnVisible = false;
  bool RunVisible = true;
  std::uint32_t Stage = 0;
  std::uint32_t Parameter = 0;
};

constexpr std::uint32_t PST_CUSTOM = 1;
constexpr std::uint32_t PST_CLEAR_BUFFER = 2;
constexpr std::uint32_t PST_CLEAR_BACKGND = 3;
constexpr std::uint32_t PST_DRAW_BITMAP = 4;
constexpr std::uint32_t PST_DRAW_LAYERS = 5;
constexpr std::uint32_t PST_CONTROL_FRAME = 6;
constexpr std::uint32_t PST_BITMAP_FRAME = 7;

class TPaintStages {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  TPaintStage& operator[](int i) { return items_.at(i); }
  const TPaintStage& operator[](int i) const { return items_.at(i); }
  TPaintStage& Add() { return items_.emplace_back(); }
  void Delete(int i) { items_.erase(items_.begin() + i); }
  void Clear() { items_.clear(); }

 private:
  std::vector<TPaintStage> items_;
};

using TPaintStageEvent =
    std::function<void(component::TObject* Sender, TPixelBitmap* Buffer, unsigned StageNum)>;
using TImgMouseEvent =
    std::function<void(component::TObject* Sender, toolkit::TMouseButton Button,
                       toolkit::TShiftState Shift, int X, int Y, TCustomLayer* Layer)>;
using TImgMouseMoveEvent = std::function<void(
    component::TObject* Sender, toolkit::TShiftState Shift, int X, int Y, TCustomLayer* Layer)>;

class TCustomPixelImage : public TCustomPixelPaintBox {
 public:
  COMPONENT_CLASS_INFO()

  explicit TCustomPixelImage(component::TComponent* owner);
  ~TCustomPixelImage() override;

  TPixelBitmap* Bitmap() const { return bitmap_.get(); }
  // Copies the given bitmap into Bitmap.
  void SetBitmap(const TPixelBitmap& v);
  TBitmapAlign BitmapAlign() const { return bitmapAlign_; }
  void SetBitmapAlign(TBitmapAlign v);
  float Scale() const { return scale_; }
  void SetScale(float v);  // below 0.001 is stored as 0.001
  TScaleMode ScaleMode() const { return scaleMode_; }
  void SetScaleMode(TScaleMode v);
  float OffsetHorz() const { return offsetHorz_; }
  void SetOffsetHorz(float v);
  float OffsetVert() const { return offsetVert_; }
  void SetOffsetVert(float v);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  TLayerCollection& Layers() { return layers_; }
  TPaintStages& PaintStages() { return paintStages_; }

  // The bitmap's place in the view and its drawn size.
  virtual platform::RECT GetBitmapRect() const;
  virtual platform::SIZE GetBitmapSize() const;
  const platform::RECT& CachedBitmapRect() const { return cachedBitmapRect_; }

  // Nested updates hold back Changed; an EndUpdate without BeginUpdate
  // fails with "Unpaired EndUpdate call" and leaves the count alone.
  virtual void BeginUpdate() { ++updateCount_; }
  // Invalidates and fires OnChange unless an update is open.
  virtual void Changed();
  virtual void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  void Invalidate() override;
  void Loaded() override;

  toolkit::TNotifyEvent OnBitmapResize, OnChange, OnGDIOverlay, OnInitStages;
  TPaintStageEvent OnPaintStage;
  TImgMouseEvent OnMouseDown, OnMouseUp;
  TImgMouseMoveEvent OnMouseMove;

 protected:
  virtual void BitmapResized();
  virtual void InitStages();
  virtual void DoScaleChange() {}
  virtual void InitDefaultStages();
  virtual void MouseDown(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y,
                         TCustomLayer* layer);
  virtual void MouseMove(toolkit::TShiftState shift, int x, int y, TCustomLayer* layer);
  virtual void MouseUp(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y,
                       TCustomLayer* layer);
  virtual void ExecBitmapFrame(TPixelBitmap& dest, int stageNum);
  virtual void ExecClearBuffer(TPixelBitmap& dest, int stageNum);
  virtual void ExecClearBackground(TPixelBitmap& dest, int stageNum);
  virtual void ExecControlFrame(TPixelBitmap& dest, int stageNum);
  virtual void ExecCustom(TPixelBitmap& dest, int stageNum);
  virtual void ExecDrawBitmap(TPixelBitmap& dest, int stageNum);
  virtual void ExecDrawLayers(TPixelBitmap& dest, int stageNum);

  void BitmapChanged();
  void InvalidateCache() { cacheValid_ = false; }
  void UpdateCache();
  void PaintBuffer() override;
  void PaintGDIOverlay(platform::HDC dc) override;
  void Resized() override;
  void MouseDown(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y) override;
  void MouseUp(toolkit::TMouseButton button, toolkit::TShiftState shift, int x, int y) override;
  void MouseMove(toolkit::TShiftState shift, int x, int y) override;
  void MouseLeave() override;

 private:
  std::unique_ptr<TPixelBitmap> bitmap_;
  TBitmapAlign bitmapAlign_ = baTopLeft;
  float scale_ = 1.0f;
  TScaleMode scaleMode_ = smNormal;
  float offsetHorz_ = 0, offsetVert_ = 0;
  bool autoSize_ = false;
  TLayerCollection layers_;
  TPaintStages paintStages_;
  platform::RECT cachedBitmapRect_{0, 0, 0, 0};
  // Control ↔ bitmap mapping: 16.16 fixed-point scales and the shift.
  std::int64_t scaleX_ = 0x10000, scaleY_ = 0x10000, revScaleX_ = 0x10000, revScaleY_ = 0x10000;
  int shiftX_ = 0, shiftY_ = 0;
  bool cacheValid_ = false;
  int updateCount_ = 0;
  bool layerHandledMouse_ = false;
};

class TPixelImage : public TCustomPixelImage {
 public:
  COMPONENT_CLASS_INFO()
  explicit TPixelImage(component::TComponent* owner) : TCustomPixelImage(owner) {}
};

}  // namespace graphics
