// Answering message boxes from a test: whenever the program waits for input
// while a message box is open, a function chooses the box's result.
#pragma once

#include <functional>

#include "platform/dialog/MessageBox.h"
#include "platform/testing/HeadlessScreen.h"

namespace platform {

// Calls `answer` with the open box whenever a loop of the program would
// wait; a non-zero result ends the box with it. A null function stops
// answering. This takes the screen's idle handler.
void AnswerMessageBoxes(HeadlessScreen& screen, std::function<int(const MessageBoxInfo&)> answer);

}  // namespace platform
