// Push buttons and their flat cousins, the edit frame, the combo box's arrow
// button, the group box frame and the check box and radio button glyphs.
#include "Art.h"

namespace skinart {

namespace {

using namespace tone;

// Button frames leave the centre clear so the section's own gradient shows;
// only the rounded outline and its inner light are drawn. Corners outside
// the rounding are cut out of the button's window.
struct TButtonLook {
  TRgb outline;
  TRing inner, inner2;
  double dim;  // a pressed button's face is a little darker
};

const TButtonLook kButtonLooks[3] = {
    {{146, 108, 44}, {kWhite, 0.65, {196, 160, 84}, 0.45}, {kWhite, 0.2, {196, 160, 84}, 0.15}, 0},
    {kAmber, {kGlow, 0.85, {248, 190, 70}, 0.8}, {{255, 236, 170}, 0.4, {255, 210, 110}, 0.35}, 0},
    {{108, 76, 24},
     {{120, 86, 28}, 0.5, {255, 246, 220}, 0.45},
     {{120, 86, 28}, 0.2, {255, 246, 220}, 0.1},
     0.12},
};

std::vector<int> CornerFor(int w, int h) {
  const int side = std::min(w, h);
  return side >= 24   ? std::vector<int>{3, 1, 1}
         : side >= 16 ? std::vector<int>{2, 1}
                      : std::vector<int>{1};
}

TFrame ButtonFrame(const TButtonLook& look, int w, int h) {
  TFrame f(w, h);
  PaintBox(f, TBox{w, h, CornerFor(w, h)}, 0, 0, {Even(look.outline), look.inner, look.inner2},
           Solid(kBrown, look.dim));
  return f;
}

void Button(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream,
             [](int s, int w, int h) { return ButtonFrame(kButtonLooks[s % 3], w, h); });
}

// Tool and speed buttons are flat until the pointer finds them.
void FlatButton(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int s, int w, int h) {
    if (s > 0) return ButtonFrame(kButtonLooks[s % 3], w, h);
    TFrame f(w, h);
    PaintBox(f, TBox{w, h, CornerFor(w, h)}, 0, 0, {}, Clear());
    return f;
  });
}

// A sunken 2-pixel frame around a white field, one pixel keyed at each corner.
void EditBorder(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kWhite, [](int, int w, int h) {
    TFrame f(w, h);
    PaintBox(f, TBox{w, h, {1}}, 0, 0,
             {Even({178, 142, 72}), TRing{{222, 204, 156}, 1, {246, 238, 214}, 1}}, Solid(kWhite));
    return f;
  });
}

const TStops kKnobFaces[3] = {
    {{0, {255, 250, 232}}, {0.45, {242, 222, 160}}, {0.55, {230, 200, 124}}, {1, {240, 216, 146}}},
    {{0, {255, 252, 238}}, {0.45, {255, 232, 164}}, {0.55, {248, 200, 90}}, {1, {255, 222, 128}}},
    {{0, {214, 182, 108}}, {0.5, {222, 192, 120}}, {1, {240, 214, 150}}},
};
const TRgb kKnobOutlines[3] = {{166, 126, 54}, kAmber, {112, 80, 26}};
const TRgb kArrowColours[3] = {kInk, {70, 44, 8}, {60, 40, 8}};

const TPattern kDownArrow = {"XXXXXXX", "+XXXXX+", ".+XXX+.", "..+X+.."};
const TPattern kSmallDownArrow = {"XXXXX", "+XXX+", ".+X+."};

// The combo box's drop-down button: a small golden knob with an arrow.
void ComboGlyph(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int s, int w, int h) {
    TFrame f(w, h);
    PaintBox(f, TBox{w, h, {2, 1}}, 0, 0,
             {Even(kKnobOutlines[s]), TRing{kWhite, 0.7, {196, 156, 70}, 0.5}},
             Vertical(kKnobFaces[s], h));
    const int push = s == 2 ? 1 : 0;
    const int x = (w - 7) / 2 + push, y = (h - 4) / 2 + push;
    Stamp(f, x, y + 1, kDownArrow, kIvory, 0.5);
    Stamp(f, x, y, kDownArrow, kArrowColours[s]);
    return f;
  });
}

void SmallArrowGlyph(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int s, int w, int h) {
    TFrame f(w, h);
    Stamp(f, (w - 5) / 2, (h - 3) / 2, kSmallDownArrow, kArrowColours[s]);
    return f;
  });
}

// An etched line, dark with light inside, round at the corners; drawn with
// no fill, so the window shows through.
void GroupBorder(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int, int w, int h) {
    TFrame f(w, h);
    PaintBox(f, TBox{w, h, {3, 1, 1}}, 0, 0, {Even({160, 122, 52}, 0.9), Even(kIvory, 0.85)},
             Clear());
    return f;
  });
}

// A soft golden highlight around a check box or radio button the pointer
// is on; nothing at all in the normal state.
void ChoiceHover(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int s, int w, int h) {
    TFrame f(w, h);
    const TBox box{w, h, {1}};
    if (s == 0) PaintBox(f, box, 0, 0, {}, Clear());
    if (s == 1)
      PaintBox(f, box, 0, 0, {Even({226, 180, 80}, 0.75), Even({255, 236, 170}, 0.45)},
               Solid({255, 236, 170}, 0.22));
    if (s == 2) PaintBox(f, box, 0, 0, {Even({190, 140, 50}, 0.8)}, Solid({236, 200, 120}, 0.3));
    return f;
  });
}

// Check glyphs: a sunken white box (or circle) in three states, with a mark.
enum class TMark { None, Check, Grayed };

const TRgb kBoxOutlines[3] = {{140, 104, 40}, {196, 136, 24}, {120, 86, 28}};
const TRing kBoxInner[3] = {
    {{214, 192, 140}, 1, {255, 252, 240}, 1},
    {{250, 210, 110}, 1, {255, 230, 150}, 1},
    {{190, 160, 96}, 1, {236, 220, 176}, 1},
};
const TStops kBoxFaces[3] = {
    {{0, kWhite}, {1, {246, 236, 206}}},
    {{0, kWhite}, {1, {255, 242, 204}}},
    {{0, {232, 216, 174}}, {1, {222, 202, 150}}},
};
const TRgb kMarkColours[3] = {{72, 50, 14}, {96, 60, 8}, {72, 50, 14}};
constexpr TRgb kGrayedMark{170, 138, 74};

const TPattern kCheck = {"......X", ".....XX", "X...XXX", "XX.XXX.",
                         "XXXXX..", ".XXX...", "..X...."};
const TPattern kSmallCheck = {"....X", "...XX", "X.XX.", "XXX..", ".X..."};
const TPattern kDot = {"+XXX+", "XXXXX", "XXXXX", "XXXXX", "+XXX+"};
const TPattern kSmallDot = {"+X+", "XXX", "+X+"};

TFrame ChoiceGlyph(int s, int w, int h, bool round, TMark mark) {
  TFrame f(w, h);
  const int side = std::min(w, h);  // the box is square and centred
  const int bx = (w - side) / 2, by = (h - side) / 2;
  const TBox box{side, side, round ? CircleProfile(side) : std::vector<int>{1}};
  PaintBox(f, box, bx, by, {Even(kBoxOutlines[s]), kBoxInner[s]}, Vertical(kBoxFaces[s], side));
  const bool small = side < 12;
  const int inner = side - 4;  // inside the two rings
  if (mark == TMark::Check) {
    const TPattern& pattern = round ? (small ? kSmallDot : kDot) : (small ? kSmallCheck : kCheck);
    const int size = int(pattern.size());
    const int x = bx + 2 + (inner - size + 1) / 2, y = by + 2 + (inner - size + 1) / 2;
    Stamp(f, x, y, pattern, kMarkColours[s]);
    if (round) f.Over(x + 1, y + 1, kWhite, 0.5);  // a glint on the dot
  } else if (mark == TMark::Grayed) {
    const int size = small ? 3 : 5;
    const int x = bx + (side - size) / 2, y = by + (side - size) / 2;
    if (round)
      Stamp(f, x, y, small ? kSmallDot : kDot, kGrayedMark);
    else
      f.Fill(x, y, size, size, kGrayedMark);
  }
  return f;
}

template <bool Round, TMark Mark>
void Choice(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, TRgb{210, 183, 125},
             [](int s, int w, int h) { return ChoiceGlyph(s % 3, w, h, Round, Mark); });
}

const TPainterEntry kPainters[] = {
    {"BUTTON", "BORDERSMASK", Button},
    {"BUTTON_BIG", "BORDERSMASK", Button},
    {"SPEEDBUTTON", "BORDERSMASK", FlatButton},
    {"SPEEDBUTTON_SMALL", "BORDERSMASK", FlatButton},
    {"TOOLBUTTON", "BORDERSMASK", FlatButton},
    {"SPEEDBUTTON", "GLYPHMASK", SmallArrowGlyph},
    {"EDIT", "BORDERSMASK", EditBorder},
    {"COMBOBOX", "GLYPHMASK", ComboGlyph},
    {"GROUPBOX", "BORDERSMASK", GroupBorder},
    {"CHECKBOX", "BORDERSMASK", ChoiceHover},
    {"RADIOBUTTON", "BORDERSMASK", ChoiceHover},
    {"GLOBALINFO", "BOXCHECKED", Choice<false, TMark::Check>},
    {"GLOBALINFO", "BOXUNCHECKED", Choice<false, TMark::None>},
    {"GLOBALINFO", "BOXGRAYED", Choice<false, TMark::Grayed>},
    {"GLOBALINFO", "RADIOCHECKED", Choice<true, TMark::Check>},
    {"GLOBALINFO", "RADIOUNCHECKED", Choice<true, TMark::None>},
    {"GLOBALINFO", "RADIOGRAYED", Choice<true, TMark::Grayed>},
    {"GLOBALINFO", "SMALLCHECKED", Choice<false, TMark::Check>},
    {"GLOBALINFO", "SMALLUNCHECKED", Choice<false, TMark::None>},
    {"GLOBALINFO", "SMALLGRAYED", Choice<false, TMark::Grayed>},
};

}  // namespace

std::span<const TPainterEntry> ControlPainters() {
  return kPainters;
}

}  // namespace skinart
