// Passing the platform's measure and draw requests for owner-drawn menu
// items to the items, with a canvas in the menu font.
#pragma once

#include "toolkit/Messages.h"

namespace toolkit {

class TFont;

// For WM_MEASUREITEM / WM_DRAWITEM of a menu item: asks the item named by
// the request and answers the message (true). False for other requests
// (controls') and for items that are gone.
bool HandleMenuItemRequest(TMessage& m);

// The platform's menu font, bold or not, into `font`.
void UseMenuFont(TFont& font, bool bold = false);

}  // namespace toolkit
