// TButton: the platform's push button ("BUTTON"). A click sets the form's
// modal result to the button's ModalResult (ending a modal showing) and
// fires OnClick; Default and Cancel buttons answer Enter and Escape on
// their form, and the letter after "&" in the caption answers Alt+letter.
#pragma once

#include "toolkit/WinControl.h"

namespace toolkit {

class TButton : public TWinControl {
 public:
  COMPONENT_CLASS_INFO()

  explicit TButton(component::TComponent* owner);

  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult v) { modalResult_ = v; }

  void Click() override;
  bool DialogChar(char key) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  TModalResult modalResult_ = mrNone;
};

// Whether `key` is the accelerator of `caption` (the letter after a single
// "&"), ignoring case.
bool IsAccel(char key, std::string_view caption);

}  // namespace toolkit
