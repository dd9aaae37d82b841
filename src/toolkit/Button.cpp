#include "toolkit/Button.h"

#include "component/ClassBuilder.h"
#include "platform/base/AsciiCase.h"
#include "platform/controls/Controls.h"
#include "toolkit/Form.h"

namespace toolkit {

using namespace component;
namespace p = platform;

bool IsAccel(char key, std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;  // "&&" is a plain ampersand
      continue;
    }
    return p::AsciiUpper(caption[i + 1]) == p::AsciiUpper(key);
  }
  return false;
}

const TClassInfo& TButton::StaticClassInfo() {
  using T = TButton;
  static const TClassInfo info =
      TClassBuilder<TButton, TWinControl>("TButton")
          .Property("Cancel", &T::Cancel, &T::SetCancel)
          .Property("Default", &T::Default, &T::SetDefault)
          .Property("ModalResult", &T::ModalResult, &T::SetModalResult, ModalResultIdents())
          .Build();
  return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBoundsSilently(0, 0, 75, 25);
  SetColor(clBtnFace);
  SetTabStop(true);
  SetClickEvents(false);  // the button's own notification clicks
}

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.subclassClass = p::WC_BUTTON;
  params.style |= default_ ? p::BS_DEFPUSHBUTTON : p::BS_PUSHBUTTON;
}

void TButton::SetDefault(bool v) {
  if (default_ == v) return;
  default_ = v;
  if (HandleAllocated())
    p::SendMessage(Handle(), p::BM_SETSTYLE, v ? p::BS_DEFPUSHBUTTON : p::BS_PUSHBUTTON, 1);
}

void TButton::Click() {
  if (TCustomForm* form = ParentForm(); form && modalResult_ != mrNone)
    form->SetModalResult(modalResult_);
  TWinControl::Click();
}

bool TButton::DialogChar(char key) {
  if (!IsAccel(key, Caption()) || !CanFocus()) return false;
  SetFocus();
  // A control that refused to give up the focus has reported why; the
  // command does not run on top of that (one key, one error box).
  if (Focused()) Click();
  return true;
}

void TButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (p::HIWORD(m.WParam) == p::BN_CLICKED) Click();
      return;
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC:
      m.Result = ControlColor(p::HDC{std::uint32_t(m.WParam)});
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

}  // namespace toolkit
