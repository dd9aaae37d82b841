// TCustomForm / TForm: a top-level window built from its stored description
// (see TApplication::CreateForm), with creation, show, close-query and close
// hooks, modal showing with a modal result, placement, caption, border style
// and border icons, a main menu, and the control that has the focus.
#pragma once

#include "toolkit/WinControl.h"

namespace toolkit {

class TMainMenu;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
const component::TEnumInfo& EnumInfo(TFormBorderStyle);
// The border of a control: bsNone or bsSingle.
using TBorderStyle = TFormBorderStyle;
const component::TEnumInfo& BorderStyleInfo();

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
const component::TEnumInfo& EnumInfo(TBorderIcon);
using TBorderIcons = component::TSet<TBorderIcon>;

enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
const component::TEnumInfo& EnumInfo(TPosition);

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
const component::TEnumInfo& EnumInfo(TWindowState);

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
const component::TEnumInfo& EnumInfo(TFormStyle);

class TCustomForm : public TWinControl {
 public:
  COMPONENT_CLASS_INFO()

  explicit TCustomForm(component::TComponent* owner);
  ~TCustomForm() override;

  // Reads the stored description of the form's class ("TMain" reads
  // "Main.sdesc"), then runs the creation hook. A plain TForm has none.
  void InitFromDescription();

  // --- showing and closing
  void Show();
  void Hide() { SetVisible(false); }
  void SetVisible(bool v) override;
  // Shows the form with a start-up show command (SW_SHOWMAXIMIZED, ...).
  void ShowWithCommand(int showCommand);
  // Runs a nested message loop until the form closes; the other windows are
  // disabled meanwhile. Returns the modal result (mrCancel when closed).
  TModalResult ShowModal();
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the messages under way are handled.
  void Release();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult v) { modalResult_ = v; }
  bool Modal() const { return modal_; }
  bool Active() const { return active_; }

  // --- appearance
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle v);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons v);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition v) { position_ = v; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState v);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle v) { formStyle_ = v; }
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  // Stored with descriptions; kept, not acted on (everything is 96 dpi).
  int PixelsPerInch() const { return 96; }
  void SetPixelsPerInch(int) {}
  int TextHeight() const { return textHeight_; }
  void SetTextHeight(int v) { textHeight_ = v; }
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }

  // --- focus
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  // Gives the focus to a control of this form now, or when it is next
  // activated.
  void FocusControl(TWinControl* control);

  // A key that a menu shortcut or the form's navigation takes before the
  // focused control sees it.
  bool IsShortCut(std::uint16_t key, TShiftState shift);
  bool DialogKey(std::uint16_t key, TShiftState shift);
  // Offers Alt+letter to every visible, enabled control, in tab order.
  bool DialogChar(char key) override;

  bool Showing() const override;
  void Invalidate() override;

  TNotifyEvent OnCreate, OnDestroy, OnShow, OnHide, OnActivate, OnDeactivate, OnPaint, OnResize;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  // Runs OnDestroy; the application calls it before freeing its forms.
  void DoDestroy();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  void PaintWindow(platform::HDC dc) override;
  void Notification(component::TComponent* component, component::TOperation operation) override;
  void Loaded() override;
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  virtual void Activate();
  virtual void Deactivate();
  platform::DWORD WindowStyle() const override;

 private:
  void CloseModal();
  void ShowMenuBar();
  void PlaceOnScreen();
  int ShowCommandForState() const;

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDesigned;
  TWindowState windowState_ = wsNormal;
  TFormStyle formStyle_ = fsNormal;
  TMainMenu* menu_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  TModalResult modalResult_ = mrNone;
  bool modal_ = false;
  bool active_ = false;
  bool placed_ = false;
  bool keyPreview_ = false;
  int textHeight_ = 13;
};

class TForm : public TCustomForm {
 public:
  COMPONENT_CLASS_INFO()
  explicit TForm(component::TComponent* owner) : TCustomForm(owner) {}
};

}  // namespace toolkit
