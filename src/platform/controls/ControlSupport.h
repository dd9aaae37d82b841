// Helpers the standard controls share: their state behind the window, the
// notifications and colour questions to the parent, fonts, text parameters.
// Internal to the controls.
#pragma once

#include <string>
#include <string_view>

#include "platform/controls/Controls.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/ClassicText.h"
#include "platform/window/LetterCase.h"

namespace platform::controls {

// Each control keeps a pointer to its state in the first window extra bytes.
constexpr int kStateBytes = sizeof(void*);

template <class T>
T* StateOf(HWND h) {
  return reinterpret_cast<T*>(GetWindowLongPtr(h, 0));
}
template <class T>
void SetState(HWND h, T* state) {
  SetWindowLongPtr(h, 0, reinterpret_cast<LONG_PTR>(state));
}

// WM_COMMAND with MAKEWPARAM(id, code) and the control to `to` (the parent
// when null).
void Notify(HWND control, UINT code, HWND to = HWND{});

// Asks the parent (or `to`) for the colours of a control part; selects them
// into dc and returns the background brush. A parent answering 0 gets the
// system defaults.
HBRUSH ControlColors(HWND control, HDC dc, UINT ctlColorMessage, HWND to = HWND{});

// The font set with WM_SETFONT, else the default GUI font.
HFONT UsableFont(HFONT f);

// Letters and classic text, from the window system.
using platform::DrawDisabledText;
using platform::EqualsNoCase;
using platform::LineHeight;
using platform::LowerChar;
using platform::MnemonicOf;
using platform::StartsWithNoCase;
using platform::UpperChar;

// The caller's text parameter as a view; empty for null.
std::string_view TextParam(LPARAM lp);
// Copies into a WM_GETTEXT-style buffer of `size` bytes; returns the length copied.
LRESULT CopyOut(std::string_view text, char* buffer, std::size_t size);

}  // namespace platform::controls
