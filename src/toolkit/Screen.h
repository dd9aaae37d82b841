// TScreen: the list of forms that exist (in the order they were made), the
// active form, and the screen's size and work area.
#pragma once

#include <vector>

#include "platform/base/Types.h"

namespace toolkit {

class TCustomForm;

class TScreen {
 public:
  int FormCount() const { return static_cast<int>(forms_.size()); }
  // EListError when the index is outside 0..FormCount()-1.
  TCustomForm* Forms(int index) const;
  // The form whose window is the active window; null when none.
  TCustomForm* ActiveForm() const;
  int Width() const;
  int Height() const;
  platform::RECT WorkAreaRect() const;

 private:
  friend class TCustomForm;
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);
  std::vector<TCustomForm*> forms_;
};

extern TScreen* const Screen;

}  // namespace toolkit
