#include "toolkit/Edit.h"

#include "component/ClassBuilder.h"
#include "platform/base/AsciiCase.h"
#include "platform/controls/Controls.h"

namespace toolkit {

using namespace component;
namespace p = platform;

const TEnumInfo& EnumInfo(TEditCharCase) {
  static const TEnumInfo info("TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"});
  return info;
}

const TClassInfo& TCustomEdit::StaticClassInfo() {
  using T = TCustomEdit;
  static const TClassInfo info =
      TClassBuilder<TCustomEdit, TWinControl>("TCustomEdit")
          .Property("Alignment", &T::Alignment, &T::SetAlignment)
          .Property("AutoSelect", &T::AutoSelect, &T::SetAutoSelect)
          .Property("AutoSize", &T::AutoSize, &T::SetAutoSize)
          .Property("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, BorderStyleInfo())
          .Property("CharCase", &T::CharCase, &T::SetCharCase)
          .Property("HideSelection", &T::HideSelection, &T::SetHideSelection)
          .Property("MaxLength", &T::MaxLength, &T::SetMaxLength)
          .Property("PasswordChar", &T::PasswordChar, &T::SetPasswordChar)
          .Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly)
          .Property("Text", &T::Text, &T::SetText)
          .Event("OnChange", &T::OnChange)
          .Build();
  return info;
}

const TClassInfo& TEdit::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TEdit, TCustomEdit>("TEdit").Build();
  return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetBoundsSilently(0, 0, 121, 21);
  SetColor(clWindow);
  SetTabStop(true);
  SetClickEvents(true);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.subclassClass = p::WC_EDIT;
  params.style |= p::ES_AUTOHSCROLL;
  if (alignment_ == taCenter) params.style |= p::ES_CENTER;
  if (alignment_ == taRightJustify) params.style |= p::ES_RIGHT;
  if (charCase_ == ecUpperCase) params.style |= p::ES_UPPERCASE;
  if (charCase_ == ecLowerCase) params.style |= p::ES_LOWERCASE;
  if (readOnly_) params.style |= p::ES_READONLY;
  if (passwordChar_) params.style |= p::ES_PASSWORD;
  if (!hideSelection_) params.style |= p::ES_NOHIDESEL;
  if (borderStyle_ == bsSingle) params.exStyle |= p::WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWindowHandle(const TCreateParams& params) {
  TWinControl::CreateWindowHandle(params);
  p::HWND h = Handle();
  p::SendMessage(h, p::EM_LIMITTEXT, WPARAM(maxLength_), 0);
  if (passwordChar_)
    p::SendMessage(h, p::EM_SETPASSWORDCHAR, WPARAM(std::uint8_t(passwordChar_)), 0);
  p::SendMessage(h, p::EM_SETMODIFY, modified_, 0);
}

void TCustomEdit::SetAlignment(TAlignment v) {
  if (alignment_ == v) return;
  alignment_ = v;
  RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase v) {
  if (charCase_ == v) return;
  charCase_ = v;
  if (v != ecNormal) {
    // The text already there takes the case too.
    std::string t = Text();
    for (char& c : t) {
      if (v == ecUpperCase) c = platform::AsciiUpper(c);
      if (v == ecLowerCase) c = platform::AsciiLower(c);
    }
    text_ = t;
  }
  RecreateWnd();
  if (HandleAllocated()) p::SetWindowText(Handle(), text_.c_str());
}

void TCustomEdit::SetBorderStyle(TBorderStyle v) {
  if (borderStyle_ == v) return;
  borderStyle_ = v;
  RecreateWnd();
}

void TCustomEdit::SetMaxLength(int v) {
  if (v < 0) v = 0;
  maxLength_ = v;
  if (HandleAllocated()) p::SendMessage(Handle(), p::EM_LIMITTEXT, WPARAM(v), 0);
}

void TCustomEdit::SetReadOnly(bool v) {
  if (readOnly_ == v) return;
  readOnly_ = v;
  if (HandleAllocated()) p::SendMessage(Handle(), p::EM_SETREADONLY, v, 0);
}

void TCustomEdit::SetPasswordChar(std::string_view v) {
  char c = v.empty() ? 0 : v[0];
  if (passwordChar_ == c) return;
  passwordChar_ = c;
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool v) {
  if (hideSelection_ == v) return;
  hideSelection_ = v;
  RecreateWnd();
}

bool TCustomEdit::Modified() const {
  auto* self = const_cast<TCustomEdit*>(this);
  if (HandleAllocated()) return p::SendMessage(self->Handle(), p::EM_GETMODIFY, 0, 0) != 0;
  return modified_;
}

void TCustomEdit::SetModified(bool v) {
  modified_ = v;
  if (HandleAllocated()) p::SendMessage(Handle(), p::EM_SETMODIFY, v, 0);
}

int TCustomEdit::SelStart() const {
  if (!HandleAllocated()) return 0;
  p::DWORD start = 0, end = 0;
  p::SendMessage(const_cast<TCustomEdit*>(this)->Handle(), p::EM_GETSEL, WPARAM(&start),
                 LPARAM(&end));
  return int(start);
}

void TCustomEdit::SetSelStart(int v) {
  if (HandleAllocated()) p::SendMessage(Handle(), p::EM_SETSEL, WPARAM(v), LPARAM(v));
}

int TCustomEdit::SelLength() const {
  if (!HandleAllocated()) return 0;
  p::DWORD start = 0, end = 0;
  p::SendMessage(const_cast<TCustomEdit*>(this)->Handle(), p::EM_GETSEL, WPARAM(&start),
                 LPARAM(&end));
  return int(end - start);
}

void TCustomEdit::SetSelLength(int v) {
  int start = SelStart();
  if (HandleAllocated()) p::SendMessage(Handle(), p::EM_SETSEL, WPARAM(start), LPARAM(start + v));
}

std::string TCustomEdit::SelText() const {
  std::string t = Text();
  int start = SelStart(), length = SelLength();
  if (start < 0 || start > int(t.size())) return {};
  return t.substr(std::size_t(start), std::size_t(length));
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) p::SendMessage(Handle(), p::EM_SETSEL, 0, -1);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::DoEnter() {
  if (autoSelect_ && !(p::GetKeyState(p::VK_LBUTTON) < 0)) SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (p::HIWORD(m.WParam) == p::EN_CHANGE) Change();
      return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
      m.Result = ControlColor(p::HDC{std::uint32_t(m.WParam)});
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

}  // namespace toolkit
