#include "platform/testing/MessageBoxAnswers.h"

namespace platform {

void AnswerMessageBoxes(HeadlessScreen& screen, std::function<int(const MessageBoxInfo&)> answer) {
  if (!answer) return screen.SetIdleHandler(nullptr);
  screen.SetIdleHandler([answer = std::move(answer)] {
    HWND box = FindMessageBox();
    MessageBoxInfo info;
    if (!box || !GetMessageBoxInfo(box, &info)) return false;
    int r = answer(info);
    return r != 0 && EndMessageBox(box, r);
  });
}

}  // namespace platform
