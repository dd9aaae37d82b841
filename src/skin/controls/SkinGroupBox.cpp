#include "skin/controls/SkinGroupBox.h"

#include <algorithm>
#include <vector>

#include "component/ClassBuilder.h"
#include "platform/gdi/DcGuards.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/Window.h"
#include "skin/data/SkinData.h"
#include "skin/link/SkinControl.h"
#include "skin/link/SkinMessages.h"
#include "skin/paint/BorderMask.h"
#include "skin/paint/SectionBackground.h"
#include "skin/paint/SkinTextDrawing.h"

namespace skin {

using namespace component;
namespace p = platform;
using toolkit::TMessage;

const TEnumInfo& EnumInfo(TSkinCaptionLayout) {
  static const TEnumInfo info("TSkinCaptionLayout", {"clTopLeft", "clTopCenter", "clTopRight"});
  return info;
}

const TClassInfo& TSkinGroupBox::StaticClassInfo() {
  using T = TSkinGroupBox;
  static const TClassInfo info =
      TClassBuilder<T, toolkit::TGroupBox>("TSkinGroupBox")
          .Property("SkinData", &T::SkinData)
          .Property("CaptionLayout", &T::CaptionLayout, &T::SetCaptionLayout)
          .Property("CaptionYOffset", &T::CaptionYOffset, &T::SetCaptionYOffset)
          .Build();
  return info;
}

TSkinGroupBox::TSkinGroupBox(TComponent* owner) : TSkinnedControl(owner, kControlKind) {
  skinData_->Loaded();
}

TSkinGroupBox::~TSkinGroupBox() {
  // The children go while this box still answers their questions.
  Destroying();
}

void TSkinGroupBox::SetCaptionLayout(TSkinCaptionLayout v) {
  if (captionLayout_ == v) return;
  captionLayout_ = v;
  Restale();
}

void TSkinGroupBox::SetCaptionYOffset(int v) {
  if (captionYOffset_ == v) return;
  captionYOffset_ = v;
  Restale();
}

void TSkinGroupBox::Restale() {
  skinData_->MarkStale();
  Invalidate();
  TellChildren(SKM_REPAINT, 0, 0);
}

RECT TSkinGroupBox::CaptionRect() {
  toolkit::TCanvas& canvas = *skinData_->CacheBitmap().Canvas();
  canvas.Font()->Assign(*Font());
  const std::string text = Caption();
  const int height = std::max(4, canvas.TextHeight("W")) + 2;
  const int textWidth = text.empty() ? 0 : canvas.TextWidth(text);
  const int w = Width();
  int left = 6;
  if (captionLayout_ == clTopCenter) left = (w - textWidth - 10) / 2;
  if (captionLayout_ == clTopRight) left = w - textWidth - 14;
  left = std::max(0, left);
  const int right = std::min(w, left + textWidth + 8);
  return RECT{left, captionYOffset_, std::max(left, right), captionYOffset_ + height};
}

void TSkinGroupBox::PaintCache() {
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
  const Surface target = data.CacheSurface();
  const RECT all{0, 0, cache.Width(), cache.Height()};
  PaintSectionBackground(skin, data.SkinIndex, data.SkinSection(), bg, target, POINT{0, 0}, all, 0);

  const std::string text = Caption();
  const RECT caption = CaptionRect();
  RECT border = all;
  if (!text.empty()) border.top = std::min(border.bottom, caption.top + caption.Height() / 2);
  // The frame line must not run through the caption: what lies under the
  // caption is kept and put back over the border.
  const RECT kept{std::max(caption.left, all.left), std::max(caption.top, all.top),
                  std::min(caption.right, all.right), std::min(caption.bottom, all.bottom)};
  SurfaceBuffer saved;
  const bool keep = !text.empty() && !kept.IsEmpty();
  if (keep) {
    saved.Resize(kept.Width(), kept.Height());
    for (int y = 0; y < kept.Height(); ++y)
      std::copy_n(target.Row(kept.top + y) + kept.left, kept.Width(),
                  saved.Pixels() + std::size_t(y) * std::size_t(kept.Width()));
  }
  DrawBorderMask(skin, target, border, false, 0, data.BorderMaskIndex, TParentBackground{});
  if (keep) {
    for (int y = 0; y < kept.Height(); ++y)
      std::copy_n(saved.Pixels() + std::size_t(y) * std::size_t(kept.Width()), kept.Width(),
                  target.Row(kept.top + y) + kept.left);
  }
  if (!text.empty() && !section.ReservedBoolean)
    DrawSkinText(skin, *cache.Canvas(), text, Enabled(), false, data.SkinIndex,
                 p::DT_CENTER | p::DT_SINGLELINE, caption);
  data.CacheStale = 0;
}

void TSkinGroupBox::PaintMessage(TMessage& m) {
  p::PAINTSTRUCT ps;
  std::unique_ptr<p::TPaintDC<p::HWND, p::PAINTSTRUCT>> paint;
  p::HDC dc{std::uint32_t(m.WParam)};
  if (!dc) {
    paint = std::make_unique<p::TPaintDC<p::HWND, p::PAINTSTRUCT>>(Handle(), ps);
    dc = paint->Get();
  }
  m.Result = 0;
  TSkinCommonData& data = *skinData_;
  if (PaintHeldBack(data)) return;
  data.OutsideParent = OutsideParentClient(*this) ? 1 : 0;
  const bool repainted = data.CacheStale != 0;
  if (repainted) PaintCache();
  const int saved = p::SaveDC(dc);
  ExcludeChildWindows(dc, *this);
  CopyCache(data, dc);
  p::RestoreDC(dc, saved);
  PaintControls(dc);
  // Children that asked while the picture was stale held back: they can
  // paint over the fresh one now.
  if (!repainted) return;
  TellChildren(SKM_SETBGCHANGED, 0, 1);
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* child = dynamic_cast<toolkit::TWinControl*>(Controls(i)); child && child->Visible())
      child->Invalidate();
}

void TSkinGroupBox::TellChildren(p::UINT msg, p::WPARAM wParam, p::LPARAM lParam) {
  // A copy: a child may leave while it is told.
  std::vector<toolkit::TControl*> children;
  for (int i = 0; i < ControlCount(); ++i) children.push_back(Controls(i));
  for (toolkit::TControl* c : children) c->Perform(msg, wParam, lParam);
}

bool TSkinGroupBox::SkinMessage(TMessage& m) {
  TSkinCommonData& data = *skinData_;
  switch (m.Msg) {
    case SKM_GETCACHE:
      // A child asking first gets the picture made now rather than a stale one.
      if (Skinned() && data.CacheStale && !PaintHeldBack(data)) PaintCache();
      if (!Skinned()) {
        m.Result = 0;
        return true;
      }
      return data.HandleMessage(m);
    case SKM_PREPARING:
      if (!Skinned()) {
        // Nothing of this box's picture is used: only its parent matters.
        m.Result = SendToParent(*this, SKM_PREPARING, 0, 0) == 1;
        return true;
      }
      return data.HandleMessage(m);
    case SKM_REMOVESKIN:
      data.HandleMessage(m);
      Invalidate();
      return true;
    case SKM_REPAINT:
      data.HandleMessage(m);
      data.MarkStale();
      Invalidate();
      return true;
    default:
      return data.HandleMessage(m);
  }
}

void TSkinGroupBox::WndProc(TMessage& m) {
  if (IsSkinMessage(m.Msg) && SkinMessage(m)) return;
  if (!Skinned()) {
    toolkit::TGroupBox::WndProc(m);
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
    case p::WM_MOVE:
    case toolkit::CM_VISIBLECHANGED:
      toolkit::TGroupBox::WndProc(m);
      Restale();
      return;
    case p::WM_SIZE:
      skinData_->MarkStale();
      break;
    case toolkit::CM_TEXTCHANGED:
    case toolkit::CM_FONTCHANGED:
      toolkit::TGroupBox::WndProc(m);
      Perform(SKM_REFRESH, 0, 0);
      TellChildren(SKM_REPAINT, 0, 0);
      return;
    case toolkit::CM_ENABLEDCHANGED:
      skinData_->MarkStale();
      break;
    default:
      break;
  }
  toolkit::TGroupBox::WndProc(m);
}

}  // namespace skin
