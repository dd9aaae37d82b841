#include "toolkit/GraphicControl.h"

#include "component/ClassBuilder.h"

namespace toolkit {

using namespace component;
namespace p = platform;

const TClassInfo& TGraphicControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TGraphicControl, TControl>("TGraphicControl").Build();
  return info;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TGraphicControl::WndProc(TMessage& m) {
  if (m.Msg == p::WM_PAINT) {
    // Sent by the parent with its paint context, already moved and clipped.
    struct Detach {
      TCanvas& c;
      ~Detach() { c.SetHandle({}); }
    } detach{canvas_};
    canvas_.SetHandle(p::HDC{std::uint32_t(m.WParam)});
    canvas_.Font()->Assign(*Font());
    Paint();
    return;
  }
  TControl::WndProc(m);
}

const TClassInfo& TCustomControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomControl, TWinControl>("TCustomControl").Build();
  return info;
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(p::HDC dc) {
  struct Detach {
    TCanvas& c;
    ~Detach() { c.SetHandle({}); }
  } detach{canvas_};
  canvas_.SetHandle(dc);
  canvas_.Font()->Assign(*Font());
  canvas_.Brush()->SetColor(Color());
  Paint();
}

}  // namespace toolkit
