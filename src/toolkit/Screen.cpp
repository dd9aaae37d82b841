#include "toolkit/Screen.h"

#include <algorithm>
#include <string>

#include "component/Exception.h"
#include "platform/window/SystemMetrics.h"
#include "platform/window/Window.h"
#include "toolkit/Form.h"

namespace toolkit {

namespace p = platform;

namespace {
TScreen theScreen;
}  // namespace

TScreen* const Screen = &theScreen;

TCustomForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount())
    throw component::EListError("List index out of bounds (" + std::to_string(index) + ")");
  return forms_[index];
}

TCustomForm* TScreen::ActiveForm() const {
  p::HWND active = p::GetActiveWindow();
  for (TCustomForm* f : forms_)
    if (f->HandleAllocated() && f->Handle() == active) return f;
  return nullptr;
}

int TScreen::Width() const {
  return p::GetSystemMetrics(p::SM_CXSCREEN);
}

int TScreen::Height() const {
  return p::GetSystemMetrics(p::SM_CYSCREEN);
}

p::RECT TScreen::WorkAreaRect() const {
  p::RECT r;
  p::SystemParametersInfo(p::SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

void TScreen::AddForm(TCustomForm* form) {
  forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

}  // namespace toolkit
