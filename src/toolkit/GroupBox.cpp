#include "toolkit/GroupBox.h"

#include "component/ClassBuilder.h"
#include "platform/gdi/Gdi.h"

namespace toolkit {

using namespace component;
namespace p = platform;

const TClassInfo& TGroupBox::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TGroupBox, TCustomControl>("TGroupBox").Build();
  return info;
}

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) {
  SetBoundsSilently(0, 0, 185, 105);
  SetParentColor(true);
}

void TGroupBox::Paint() {
  TCanvas* c = Canvas();
  const int textHeight = c->TextHeight("0");
  RECT frame{0, textHeight / 2, Width(), Height()};
  p::DrawEdge(c->Handle(), &frame, p::EDGE_ETCHED, p::BF_RECT);
  if (!text_.empty()) {
    RECT r{8, 0, 0, textHeight};
    c->DrawText(text_, r, p::DT_CALCRECT | p::DT_SINGLELINE);
    r.right += 2;  // a little room on the frame line around the caption
    r.left -= 1;
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    r.left += 1;
    c->Brush()->SetStyle(bsClear);
    if (!Enabled()) c->Font()->SetColor(clGrayText);
    c->DrawText(text_, r, p::DT_SINGLELINE);
  }
}

}  // namespace toolkit
