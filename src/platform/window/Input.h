// Where input enters the window system: backends (and tests, through the
// headless screen) report what the user did; the message loop turns it into
// messages when it reads it, hit-testing mouse input against the windows of
// that moment.
#pragma once

#include "platform/Types.h"

namespace platform {

void QueueMouseMove(POINT screen);
// button: 0 left, 1 right, 2 middle.
void QueueMouseButton(int button, bool down, POINT screen);
void QueueMouseWheel(int delta, POINT screen);
// Virtual-key codes; left/right variants count as the plain key.
void QueueKey(int vk, bool down);
// A character typed that no key translates to (Windows-1252).
void QueueChar(unsigned ch);

}  // namespace platform
