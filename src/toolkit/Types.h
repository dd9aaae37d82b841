// The toolkit's small shared types: colours with their named constants,
// alignments, mouse and keyboard state, close actions, modal results,
// shortcuts, and the event signatures handlers are written against.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "component/ClassInfo.h"
#include "component/Persistent.h"
#include "component/Set.h"
#include "platform/base/Types.h"

namespace toolkit {

using component::TObject;

// A platform colour: red in the low byte, then green, then blue; with the top
// bit set, the low byte names a system colour.
using TColor = std::int32_t;

constexpr TColor clSystemColor = TColor(0xFF000000u);
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The colour names a stored description may use for colour properties.
const component::TIdentMap& ColorIdents();
// The colour as the drawing functions take it (system colours stay named).
inline platform::COLORREF ColorToRGB(TColor c) {
  return static_cast<platform::COLORREF>(c);
}

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
const component::TEnumInfo& EnumInfo(TAlignment);

enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
const component::TEnumInfo& EnumInfo(TVerticalAlignment);

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
const component::TEnumInfo& EnumInfo(TAlign);

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = component::TSet<TShiftStateFlag>;

// Modal results.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
const component::TIdentMap& ModalResultIdents();

// What closing a form does.
enum TCloseAction { caNone, caHide, caFree, caMinimize };

// A key with modifier flags: Ctrl+D is scCtrl + 'D' = 16452.
using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;
TShortCut ShortCut(int key, TShiftState shift);
// "Ctrl+D", "Shift+F10", "" for none.
std::string ShortCutToText(TShortCut shortCut);
// The modifier state of the message being handled.
TShiftState KeyboardShiftState();

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

}  // namespace toolkit
