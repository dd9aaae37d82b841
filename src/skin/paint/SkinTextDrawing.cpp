#include "skin/paint/SkinTextDrawing.h"

#include "platform/gdi/Gdi.h"

namespace skin {

namespace p = platform;

namespace {

struct TTextPass {
  toolkit::TCanvas& canvas;
  std::string_view text;
  RECT box;
  unsigned flags;

  void Draw(toolkit::TColor color, int dx, int dy) const {
    canvas.Font()->SetColor(color);
    RECT r{box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
    canvas.DrawText(text, r, flags);
  }
};

}  // namespace

void DrawSkinText(const TSkinTables& tables, toolkit::TCanvas& canvas, std::string_view text,
                  bool enabled, bool hot, int sectionIndex, unsigned flags, const RECT& r) {
  canvas.Brush()->SetStyle(toolkit::bsClear);
  TTextPass pass{canvas, text, r, flags};
  if (!(flags & p::DT_WORDBREAK)) {
    const p::SIZE extent = canvas.TextExtent(text);
    int left = r.left;
    if (flags & p::DT_CENTER) {
      left = r.left + (r.Width() - extent.cx) / 2;
    } else if (flags & p::DT_RIGHT) {
      left = r.right - extent.cx;
    }
    const int top = r.top + (r.Height() - extent.cy) / 2;
    // Centred in a box one pixel larger than the text all round, the text
    // lands where it was placed whatever the caller's alignment.
    pass.box = RECT{left - 1, top - 1, left + extent.cx + 1, top + extent.cy + 1};
    pass.flags =
        (flags & ~(p::DT_RIGHT | p::DT_BOTTOM)) | p::DT_CENTER | p::DT_VCENTER | p::DT_SINGLELINE;
  }
  const toolkit::TColor saved = canvas.Font()->Color();
  if (!enabled) {
    pass.Draw(toolkit::clBtnHighlight, 1, 1);
    pass.Draw(toolkit::clBtnShadow, 0, 0);
  } else if (tables.ValidSection(sectionIndex)) {
    const TSkinGeneralData& s = tables.Sections[std::size_t(sectionIndex)];
    const TSkinFontColors& colors = hot ? s.HotFont : s.Font;
    static constexpr int kDx[4] = {-1, 0, 1, 0}, kDy[4] = {0, -1, 0, 1};
    for (int side = TCLEFT; side <= TCBOTTOM; ++side)
      if (colors.Contours[side] != -1) pass.Draw(colors.Contours[side], kDx[side], kDy[side]);
    pass.Draw(colors.FontColor, 0, 0);
  } else {
    pass.Draw(saved, 0, 0);
  }
  canvas.Font()->SetColor(saved);
}

}  // namespace skin
