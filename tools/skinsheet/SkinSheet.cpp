// sprintara-skinsheet: paints every section of a stored skin at a few sizes
// in its normal, hot, pressed and disabled states over the FORM background,
// enlarged, so the skin can be looked at as a whole.
//
//   sprintara-skinsheet DESCRIPTION PNG [--scale K]
//
// DESCRIPTION is a stored window description of a TComponent holding a
// TSkinManager whose SkinName names the skin to show.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "component/Exception.h"
#include "component/Reader.h"
#include "graphics/PixelBitmap.h"
#include "platform/gdi/Gdi.h"
#include "skin/Registration.h"
#include "skin/SkinManager.h"
#include "skin/data/SkinData.h"
#include "skin/paint/BorderMask.h"
#include "skin/paint/DisabledLook.h"
#include "skin/paint/FocusDots.h"
#include "skin/paint/PictureSurface.h"
#include "skin/paint/SectionPaint.h"
#include "skin/paint/SkinTextDrawing.h"
#include "toolkit/Registration.h"

namespace {

namespace p = platform;
using platform::RECT;
using skin::SurfaceOf;
using skin::TSkinTables;

struct CellSize {
  int w, h;
};
constexpr CellSize kSizes[] = {{11, 11}, {75, 25}, {120, 52}};
constexpr const char* kStates[] = {"normal", "hot", "pressed", "disabled"};
constexpr int kLabelWidth = 150, kGap = 6, kHeader = 22;

void Copy(const p::Surface& from, const p::Surface& to, int x0, int y0) {
  for (int y = 0; y < from.height && y0 + y < to.height; ++y)
    for (int x = 0; x < from.width && x0 + x < to.width; ++x) to.At(x0 + x, y0 + y) = from.At(x, y);
}

void Label(graphics::TPixelBitmap& sheet, int x, int y, int w, int h, const std::string& text,
           unsigned flags = p::DT_LEFT) {
  toolkit::TCanvas& canvas = *sheet.Canvas();
  canvas.Font()->SetColor(0x000000);
  canvas.Brush()->SetStyle(toolkit::bsClear);
  RECT r{x, y, x + w, y + h};
  canvas.DrawText(text, r, flags | p::DT_VCENTER | p::DT_SINGLELINE);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: sprintara-skinsheet DESCRIPTION PNG [--scale K]\n");
    return 2;
  }
  int scale = 2;
  if (argc >= 5 && std::string(argv[3]) == "--scale") scale = std::max(1, std::atoi(argv[4]));
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "sprintara-skinsheet: cannot read %s\n", argv[1]);
    return 1;
  }
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};

  toolkit::RegisterToolkitClasses();
  skin::RegisterSkinClasses();
  component::TComponent holder(nullptr);
  try {
    component::ReadDescription(holder, text, argv[1]);
  } catch (const component::Exception& e) {
    std::fprintf(stderr, "sprintara-skinsheet: %s\n", e.Message().c_str());
    return 1;
  }
  const TSkinTables& t = skin::ActiveSkin();
  if (t.Sections.empty()) {
    std::fprintf(stderr, "sprintara-skinsheet: the description gives no skin\n");
    return 1;
  }

  int stateWidth = 0;
  for (const CellSize& s : kSizes) stateWidth += s.w + kGap;
  int rowHeight = 0;
  for (const CellSize& s : kSizes) rowHeight = std::max(rowHeight, s.h);
  rowHeight += kGap;
  const int width = kLabelWidth + 4 * (stateWidth + kGap);
  const int height = kHeader + int(t.Sections.size()) * rowHeight + kGap;

  graphics::TPixelBitmap sheet;
  sheet.SetSize(width, height);
  const p::Surface sheetPixels = SurfaceOf(sheet);
  const int form = skin::FindSection("FORM");
  skin::PaintSection(t, form, "FORM", {}, sheetPixels, {0, 0}, RECT{0, 0, width, height}, 0, false);
  for (int s = 0; s < 4; ++s)
    Label(sheet, kLabelWidth + s * (stateWidth + kGap), 2, stateWidth, kHeader - 4, kStates[s]);

  graphics::TPixelBitmap cell;
  for (std::size_t i = 0; i < t.Sections.size(); ++i) {
    const std::string& name = t.Sections[i].SectionName;
    const int top = kHeader + int(i) * rowHeight;
    Label(sheet, 4, top, kLabelWidth - 8, rowHeight - kGap, name.empty() ? "(no name)" : name);
    for (int s = 0; s < 4; ++s) {
      int left = kLabelWidth + s * (stateWidth + kGap);
      for (const CellSize& size : kSizes) {
        cell.SetSize(size.w, size.h);
        const p::Surface pixels = SurfaceOf(cell);
        const skin::TParentBackground behind{sheetPixels, left, top, true};
        const int state = s == 3 ? 0 : s;
        skin::PaintSection(t, int(i), name, behind, pixels, {0, 0}, RECT{0, 0, size.w, size.h},
                           state, true);
        if (size.h >= 20) {
          cell.Canvas()->Font()->SetName("Arial");
          cell.Canvas()->Font()->SetHeight(-11);
          skin::DrawSkinText(t, *cell.Canvas(), "Abc", s != 3, s != 0, int(i), p::DT_CENTER,
                             RECT{0, 0, size.w, size.h});
        }
        if (s == 3) {
          skin::TSkinDisabledKind kind;
          kind.Include(skin::dkGrayed);
          kind.Include(skin::dkBlended);
          skin::PaintDisabled(pixels, kind, t.Sections[std::size_t(form)].Color, {0, 0}, behind);
        }
        if (s == 1 && t.Sections[i].ShowFocus && size.h >= 20)
          skin::DrawFocusDots(pixels, RECT{4, 4, size.w - 5, size.h - 5});
        Copy(pixels, sheetPixels, left, top);
        left += size.w + kGap;
      }
    }
  }

  p::SurfaceBuffer big(width * scale, height * scale);
  const p::Surface out = big.View();
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x)
      out.At(x, y) = sheetPixels.At(x / scale, y / scale) | 0xFF000000u;
  if (!p::WritePng(argv[2], out)) {
    std::fprintf(stderr, "sprintara-skinsheet: cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: %zu sections, %d x %d\n", argv[2], t.Sections.size(), out.width, out.height);
  return 0;
}
