// The single-line edit's state and the editing operations its message
// handlers share. Internal to the controls.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/ControlSupport.h"

namespace platform::controls::edit {

constexpr int kNoLimit = 0x7FFFFFFE;
constexpr int kDefaultLimit = 30000;

struct EditState {
  std::string text;
  int anchor = 0, caret = 0;
  int scroll = 0;  // pixels of the text hidden left of the formatting rectangle
  int limit = kDefaultLimit;
  unsigned char password = 0;
  bool modified = false;
  bool focused = false;
  bool tracking = false;
  bool created = false;  // WM_CREATE has been answered
  HFONT font;
  int marginLeft = 1, marginRight = 1;

  // One level of undo: the text and selection before the last action.
  bool canUndo = false;
  std::string undoText;
  int undoAnchor = 0, undoCaret = 0;
  bool typingRun = false;  // consecutive typed characters undo as one action

  // Left edge of every character of the shown text, plus the end.
  std::vector<int> x;
  int charWidths[256] = {};
  bool widthsValid = false;
  int lineHeight = 13;

  int SelStart() const { return std::min(anchor, caret); }
  int SelEnd() const { return std::max(anchor, caret); }
  bool HasSel() const { return anchor != caret; }
};

EditState* S(HWND h);
DWORD Style(HWND h);
bool ReadOnly(HWND h);

// Layout: the widths of the characters in the edit's font, the line's
// rectangle inside the margins, and client x positions of characters.
void Measure(HWND h, EditState& s);
RECT FormatRect(HWND h, const EditState& s);
int XOf(HWND h, const EditState& s, int index);
int IndexAt(HWND h, const EditState& s, int clientX);
void ScrollToCaret(HWND h, EditState& s);
void FocusCaret(HWND h, EditState& s);
void Redraw(HWND h);
void PaintEdit(HWND h, EditState& s, HDC dc, const PAINTSTRUCT& ps);

// Editing: the selection, replacing it, case conversion by the style, undo,
// the whole text, and the clipboard.
void SetSel(HWND h, EditState& s, int anchor, int caret);
std::string ConvertCase(HWND h, std::string_view in);
// Returns false when nothing could change (the limit was reached).
bool ReplaceSel(HWND h, EditState& s, std::string_view insert, bool undoable, bool typing);
void DeleteSel(HWND h, EditState& s);
void Undo(HWND h, EditState& s);
void SetText(HWND h, EditState& s, std::string_view text);
void Copy(EditState& s);
std::string PasteText();
bool OnlyDigits(std::string_view t);

}  // namespace platform::controls::edit
