// The window frame: its 2-pixel border, the title bar's rounded top, the
// border icons (close, maximize, minimize, help) and the size grip.
#include "Art.h"

namespace skinart {

namespace {

using namespace tone;

// The frame every window shares: a dark outline and a golden line inside it,
// lit on the top and left. The title piece continues the same two lines.
const std::vector<TRing> kWindowRings = {Even(kInk), TRing{kGoldLine, 1, kGoldShade, 1}};

TRgb FormFace(double t) {
  return Ramp({{0, {179, 156, 89}}, {0.5, {250, 241, 211}}, {1, {192, 158, 88}}}, t);
}

void FormBorder(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int, int w, int h) {
    TFrame f(w, h);
    PaintBox(f, TBox{w, h, {}}, 0, 0, kWindowRings, Horizontal(FormFace, w));
    return f;
  });
}

void DialogBorder(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int, int w, int h) {
    TFrame f(w, h);
    std::vector<TRing> rings = kWindowRings;
    rings.push_back(TRing{kIvory, 0.5, kBrown, 0.3});
    PaintBox(f, TBox{w, h, {}}, 0, 0, rings, Clear());
    return f;
  });
}

// Rounded top corners (rows of 4, 2, 1 and 1 transparent pixels at each
// side), the frame's two lines down the sides, a soft sheen over the top of
// the title's own fill and a faint line where the title meets the client.
void TitleBorder(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int, int w, int h) {
    TFrame f(w, h);
    TBox box{w, h, {4, 2, 1, 1}};
    box.openBottom = true;
    PaintBox(f, box, 0, 0, kWindowRings, Clear());
    for (int y = 2; y < 10; ++y)
      for (int x = 2; x < w - 2; ++x) f.Over(x, y, kWhite, 0.3 * (10 - y) / 8);
    for (int x = 2; x < w - 2; ++x) f.Over(x, h - 1, kInk, 0.4);
    return f;
  });
}

// The body of a border icon or title button in one state.
struct TIconLook {
  TRgb outline;
  TRing inner;
  TStops face;
  TRgb symbol;
};

const TIconLook kIconLooks[3] = {
    {{110, 78, 24},
     {kWhite, 0.55, {200, 160, 70}, 0.5},
     {{0, {255, 246, 214}}, {0.45, {240, 214, 140}}, {0.5, {228, 190, 96}}, {1, {238, 206, 120}}},
     kInk},
    {{150, 96, 10},
     {{255, 255, 230}, 0.8, {255, 210, 110}, 0.6},
     {{0, {255, 250, 226}}, {0.45, {255, 228, 150}}, {0.5, {250, 196, 80}}, {1, {255, 220, 120}}},
     {60, 40, 10}},
    {{90, 62, 18},
     {{150, 110, 40}, 0.5, {255, 240, 200}, 0.4},
     {{0, {206, 170, 90}}, {0.5, {222, 188, 108}}, {1, {238, 208, 132}}},
     {60, 40, 10}},
};

// Close turns a warm red when the pointer is on it or it is pressed.
const TIconLook kCloseLooks[2] = {
    {{140, 50, 20},
     {{255, 230, 210}, 0.7, {250, 150, 100}, 0.5},
     {{0, {255, 214, 190}}, {0.45, {238, 134, 84}}, {0.5, {216, 88, 44}}, {1, {236, 130, 80}}},
     kWhite},
    {{110, 36, 12},
     {{140, 40, 10}, 0.5, {250, 170, 130}, 0.4},
     {{0, {180, 64, 28}}, {0.5, {200, 80, 40}}, {1, {224, 116, 70}}},
     kWhite},
};

TFrame IconBody(const TIconLook& look, int w, int h) {
  TFrame f(w, h);
  // A one-pixel margin keeps neighbouring icons apart on the title.
  const int bw = w - 2, bh = h - 2;
  PaintBox(f, TBox{bw, bh, {2, 1}}, 1, 1, {Even(look.outline), look.inner},
           Vertical(look.face, bh));
  return f;
}

using TSymbol = TPattern;

const TSymbol kClose = {"XX....XX", "XXX..XXX", ".XXXXXX.", "..XXXX..",
                        "..XXXX..", ".XXXXXX.", "XXX..XXX", "XX....XX"};
const TSymbol kMaximize = {"XXXXXXXX", "XXXXXXXX", "X......X", "X......X",
                           "X......X", "X......X", "X......X", "XXXXXXXX"};
const TSymbol kMinimize = {"........", "........", "........", "........",
                           "........", "........", ".XXXXXX.", ".XXXXXX."};
const TSymbol kHelp = {"..XXXX..", ".XX..XX.", ".....XX.", "....XX..",
                       "...XX...", "...XX...", "........", "...XX..."};

TFrame Icon(int state, int w, int h, const TSymbol* symbol, bool close) {
  const TIconLook& look = close && state > 0 ? kCloseLooks[state - 1] : kIconLooks[state];
  TFrame f = IconBody(look, w, h);
  if (!symbol) return f;
  const int push = state == 2 ? 1 : 0;  // a pressed icon's symbol sinks in
  const int x = (w - 8) / 2 + push, y = (h - 8) / 2 + push;
  const bool lightSymbol = look.symbol.r > 200;
  Stamp(f, x + 1, y + 1, *symbol, lightSymbol ? kInk : kIvory, 0.55);
  Stamp(f, x, y, *symbol, look.symbol);
  return f;
}

void DrawIcon(TCanvas& c, const TPiece& p, const TSymbol* symbol, bool close) {
  DrawFrames(c, p, TRgb{167, 132, 12},
             [&](int s, int w, int h) { return Icon(s, w, h, symbol, close); });
}

void CloseIcon(TCanvas& c, const TPiece& p) {
  DrawIcon(c, p, &kClose, true);
}
void MaximizeIcon(TCanvas& c, const TPiece& p) {
  DrawIcon(c, p, &kMaximize, false);
}
void MinimizeIcon(TCanvas& c, const TPiece& p) {
  DrawIcon(c, p, &kMinimize, false);
}
void HelpIcon(TCanvas& c, const TPiece& p) {
  DrawIcon(c, p, &kHelp, false);
}
void TitleButton(TCanvas& c, const TPiece& p) {
  DrawIcon(c, p, nullptr, false);
}

// Diagonal rows of raised dots in the lower right corner.
void Grip(TCanvas& c, const TPiece& p) {
  DrawFrames(c, p, kCream, [](int, int w, int h) {
    TFrame f(w, h);
    for (int y = h - 5; y >= 0; y -= 4)
      for (int x = w - 5; x >= 0; x -= 4) {
        if (x + y < w + h - 14) continue;
        f.Fill(x + 1, y + 1, 2, 2, kIvory, 0.9);
        f.Fill(x, y, 2, 2, kBrown);
      }
    return f;
  });
}

const TPainterEntry kPainters[] = {
    {"FORM", "BORDERSMASK", FormBorder},       {"DIALOG", "BORDERSMASK", DialogBorder},
    {"FORMTITLE", "BORDERSMASK", TitleBorder}, {"FORM", "BICONCLOSE", CloseIcon},
    {"FORM", "BICONMAX", MaximizeIcon},        {"FORM", "BICONNORM", MaximizeIcon},
    {"FORM", "BICONMIN", MinimizeIcon},        {"FORM", "BICONHELP", HelpIcon},
    {"FORM", "TITLEBUTTON", TitleButton},      {"FORM", "GRIPIMAGE", Grip},
};

}  // namespace

std::span<const TPainterEntry> WindowPainters() {
  return kPainters;
}

}  // namespace skinart
