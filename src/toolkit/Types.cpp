#include "toolkit/Types.h"

#include "platform/window/Window.h"

namespace toolkit {

using namespace component;
namespace p = platform;

const TIdentMap& ColorIdents() {
  static const TIdentMap map{
      {"clBlack", clBlack},
      {"clMaroon", clMaroon},
      {"clGreen", clGreen},
      {"clOlive", clOlive},
      {"clNavy", clNavy},
      {"clPurple", clPurple},
      {"clTeal", clTeal},
      {"clGray", clGray},
      {"clSilver", clSilver},
      {"clRed", clRed},
      {"clLime", clLime},
      {"clYellow", clYellow},
      {"clBlue", clBlue},
      {"clFuchsia", clFuchsia},
      {"clAqua", clAqua},
      {"clWhite", clWhite},
      {"clSkyBlue", clSkyBlue},
      {"clNone", clNone},
      {"clDefault", clDefault},
      {"clScrollBar", clScrollBar},
      {"clBackground", clBackground},
      {"clActiveCaption", clActiveCaption},
      {"clInactiveCaption", clInactiveCaption},
      {"clMenu", clMenu},
      {"clWindow", clWindow},
      {"clWindowFrame", clWindowFrame},
      {"clMenuText", clMenuText},
      {"clWindowText", clWindowText},
      {"clCaptionText", clCaptionText},
      {"clActiveBorder", clActiveBorder},
      {"clInactiveBorder", clInactiveBorder},
      {"clAppWorkSpace", clAppWorkSpace},
      {"clHighlight", clHighlight},
      {"clHighlightText", clHighlightText},
      {"clBtnFace", clBtnFace},
      {"clBtnShadow", clBtnShadow},
      {"clGrayText", clGrayText},
      {"clBtnText", clBtnText},
      {"clInactiveCaptionText", clInactiveCaptionText},
      {"clBtnHighlight", clBtnHighlight},
      {"cl3DDkShadow", cl3DDkShadow},
      {"cl3DLight", cl3DLight},
      {"clInfoText", clInfoText},
      {"clInfoBk", clInfoBk},
  };
  return map;
}

const TIdentMap& ModalResultIdents() {
  static const TIdentMap map{{"mrNone", mrNone},   {"mrOk", mrOk},       {"mrCancel", mrCancel},
                             {"mrAbort", mrAbort}, {"mrRetry", mrRetry}, {"mrIgnore", mrIgnore},
                             {"mrYes", mrYes},     {"mrNo", mrNo},       {"mrAll", mrAll}};
  return map;
}

const TEnumInfo& EnumInfo(TAlignment) {
  static const TEnumInfo info("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
  return info;
}

const TEnumInfo& EnumInfo(TVerticalAlignment) {
  static const TEnumInfo info("TVerticalAlignment",
                              {"taAlignTop", "taAlignBottom", "taVerticalCenter"});
  return info;
}

TShortCut ShortCut(int key, TShiftState shift) {
  if (key & 0xFF00) return 0;
  TShortCut s = TShortCut(key & 0xFF);
  if (shift.Contains(ssShift)) s |= scShift;
  if (shift.Contains(ssCtrl)) s |= scCtrl;
  if (shift.Contains(ssAlt)) s |= scAlt;
  return s;
}

std::string ShortCutToText(TShortCut shortCut) {
  if (!shortCut) return {};
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  int key = shortCut & 0xFF;
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
    text += char(key);
  else if (key >= p::VK_F1 && key <= p::VK_F1 + 23)
    text += "F" + std::to_string(key - p::VK_F1 + 1);
  else if (key == p::VK_DELETE)
    text += "Del";
  else if (key == p::VK_INSERT)
    text += "Ins";
  else if (key == p::VK_RETURN)
    text += "Enter";
  else if (key == p::VK_ESCAPE)
    text += "Esc";
  else
    return {};
  return text;
}

TShiftState KeyboardShiftState() {
  TShiftState s;
  if (p::GetKeyState(p::VK_SHIFT) < 0) s.Include(ssShift);
  if (p::GetKeyState(p::VK_CONTROL) < 0) s.Include(ssCtrl);
  if (p::GetKeyState(p::VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

}  // namespace toolkit
