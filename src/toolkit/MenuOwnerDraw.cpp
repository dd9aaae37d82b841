#include "toolkit/MenuOwnerDraw.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/window/OwnerDraw.h"
#include "platform/window/Window.h"
#include "toolkit/Canvas.h"
#include "toolkit/Menus.h"

namespace toolkit {

namespace p = platform;

void UseMenuFont(TFont& font, bool bold) {
  p::LOGFONT lf;
  p::GetObject(p::GetStockObject(p::DEFAULT_GUI_FONT), sizeof lf, &lf);
  font.SetName(lf.lfFaceName);
  font.SetHeight(lf.lfHeight);
  TFontStyles style;
  if (bold || lf.lfWeight >= p::FW_BOLD) style.Include(fsBold);
  font.SetStyle(style);
}

namespace {

// A canvas over a context for one request, detached before the context goes.
struct TRequestCanvas {
  TCanvas canvas;
  explicit TRequestCanvas(p::HDC dc, bool bold) {
    canvas.SetHandle(dc);
    UseMenuFont(*canvas.Font(), bold);
  }
  ~TRequestCanvas() { canvas.SetHandle({}); }
};

}  // namespace

bool HandleMenuItemRequest(TMessage& m) {
  if (m.Msg == p::WM_MEASUREITEM) {
    auto* mis = reinterpret_cast<p::MEASUREITEMSTRUCT*>(m.LParam);
    if (!mis || mis->CtlType != p::ODT_MENU) return false;
    TMenuItem* item = TMenuItem::FromCommand(std::uint16_t(mis->itemData));
    if (!item || !item->Menu()) return false;
    p::HDC dc = p::GetDC(p::HWND{});
    int width = int(mis->itemWidth), height = int(mis->itemHeight);
    {
      TRequestCanvas rc(dc, false);
      item->MeasureItem(&rc.canvas, width, height);
    }
    p::ReleaseDC(p::HWND{}, dc);
    mis->itemWidth = p::UINT(std::max(width, 0));
    mis->itemHeight = p::UINT(std::max(height, 0));
    m.Result = 1;
    return true;
  }
  if (m.Msg == p::WM_DRAWITEM) {
    auto* dis = reinterpret_cast<p::DRAWITEMSTRUCT*>(m.LParam);
    if (!dis || dis->CtlType != p::ODT_MENU) return false;
    TMenuItem* item = TMenuItem::FromCommand(std::uint16_t(dis->itemData));
    if (!item || !item->Menu()) return false;
    {
      TRequestCanvas rc(dis->hDC, dis->itemState & p::ODS_DEFAULT);
      item->DrawItem(&rc.canvas, dis->rcItem, OwnerDrawState(dis->itemState), dis->hwndItem);
    }
    m.Result = 1;
    return true;
  }
  return false;
}

}  // namespace toolkit
