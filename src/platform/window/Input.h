// Where input enters the window system: backends (and tests, through the
// headless screen) report what the user did; the message loop turns it into
// messages when it reads it, hit-testing mouse input against the windows of
// that moment.
#pragma once

#include "platform/base/Types.h"

namespace platform {

void QueueMouseMove(POINT screen);
// button: 0 left, 1 right, 2 middle.
void QueueMouseButton(int button, bool down, POINT screen);
void QueueMouseWheel(int delta, POINT screen);
// Virtual-key codes; left/right variants count as the plain key. With
// textApart the display reports the text the key types as characters of
// its own (QueueChar), so translating the key gives only control
// characters and Alt mnemonics; without it the key types by the US layout.
void QueueKey(int vk, bool down, bool textApart = false);
// A key that was already held when the display gave one of our windows its
// focus: the key state follows, but no key message is made, since the
// press belonged to another window.
void QueueKeyHeld(int vk);
// A character typed that no key translates to (Windows-1252).
void QueueChar(unsigned ch);
// The display gave its keyboard focus to a top-level window; activation
// follows, in input order, as far as the window system's rules allow.
void QueueDisplayFocus(HWND topLevel);

}  // namespace platform
