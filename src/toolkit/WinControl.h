// TWinControl: a control with a platform window of its own. It creates the
// window when first needed (its parent's first), keeps it in step with its
// properties, paints the non-windowed controls it holds, routes the mouse to
// them, and tracks which of them the mouse is over.
//
// Every toolkit window's procedure is the toolkit's: it finds the control and
// hands the message to WindowProc inside the application's error guard. The
// procedure stays replaceable at the platform level: a skin may subclass
// the window (SetWindowLongPtr(GWLP_WNDPROC)) and chain to the previous one
// with CallWindowProc. Standard platform controls ("EDIT", ...) are created
// from their own class and subclassed the same way; what the toolkit does
// not handle goes to their class procedure.
#pragma once

#include <string>
#include <vector>

#include "platform/window/Window.h"
#include "toolkit/Brush.h"
#include "toolkit/Control.h"

namespace toolkit {

struct TCreateParams {
  std::string caption;
  platform::DWORD style = 0;
  platform::DWORD exStyle = 0;
  int x = 0, y = 0, width = 0, height = 0;
  platform::HWND wndParent;
  // The window class: the toolkit registers it under className with its own
  // procedure unless it is a platform class named in subclassClass.
  std::string className;
  platform::UINT classStyle = platform::CS_DBLCLKS;
  std::string subclassClass;  // "EDIT", "LISTBOX", ... or empty
};

class TWinControl : public TControl {
 public:
  COMPONENT_CLASS_INFO()

  explicit TWinControl(component::TComponent* owner);
  ~TWinControl() override;

  // --- the window
  platform::HWND Handle();
  bool HandleAllocated() const { return static_cast<bool>(handle_); }
  void HandleNeeded() { Handle(); }
  virtual void CreateHandle();
  void DestroyHandle();
  // Makes the window again (after a change of a creation style), keeping
  // its text.
  void RecreateWnd();
  // The class procedure of a subclassed standard control (DefWindowProc for
  // the toolkit's own windows): where unhandled messages go.
  platform::WNDPROC DefWndProc() const { return defWndProc_; }
  // Made from a platform control class ("EDIT", ...) rather than the toolkit's.
  bool IsStandardControl() const { return defWndProc_ && defWndProc_ != &platform::DefWindowProc; }
  // The control of a window the toolkit made; null for any other.
  static TWinControl* FindControl(platform::HWND hwnd);

  // --- children
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(index); }
  // The visible, enabled non-windowed child at a client point (topmost).
  TControl* ControlAtPos(POINT p, bool allowDisabled = false) const;
  bool ContainsControl(const TControl* control) const;

  // --- focus and tab order
  int TabOrder() const;
  void SetTabOrder(int v);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v);
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  // Windowed children in tab order, depth first (a child's own children
  // follow it).
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                               bool checkParent) const;
  void SelectFirst();
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

  TBrush* Brush() { return &brush_; }
  void Invalidate() override;
  void Update() override;
  void SetBounds(int left, int top, int width, int height) override;
  RECT ClientRect() const override;
  POINT ClientOrigin() const override;
  void SetVisible(bool v) override;
  bool Showing() const override;
  void SetEnabled(bool v) override;
  std::string Text() const override;
  void SetText(std::string_view v) override;
  void SetParent(TWinControl* parent) override;
  void Loaded() override;

  // Paints the non-windowed children intersecting the context's clip box.
  void PaintControls(platform::HDC dc, TControl* first = nullptr);

  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter, OnExit;

 protected:
  friend class TControl;
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  // After the window exists: fonts, children, z-order.
  virtual void CreateWindowHandle(const TCreateParams& params);
  virtual void DestroyWnd();
  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  // The background and the control's own picture; the base fills with Color.
  virtual void PaintWindow(platform::HDC dc);
  virtual void PaintHandler(TMessage& message);
  virtual void EraseBackground(platform::HDC dc);
  virtual void KeyDown(std::uint16_t& key, TShiftState shift);
  virtual void KeyUp(std::uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void DoEnter();
  virtual void DoExit();
  void Changed(UINT cm) override;
  // Answers a WM_CTLCOLOR... request reflected to a standard control: the
  // font's colour on the control's colour.
  LRESULT ControlColor(platform::HDC dc);
  // Moves the window to the stored bounds.
  void UpdateBounds();
  // The stored bounds from where the window now is.
  void ReadBoundsFromWindow();
  virtual platform::DWORD WindowStyle() const;
  bool creatingHandle_ = false;

 private:
  friend class TApplication;
  static LRESULT StdWndProc(platform::HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void MainWndProc(TMessage& message);
  // The window's messages, one handler each: true when the handler kept
  // the message, false to pass it on to the control's own procedure.
  bool HandleOwn(TMessage& message);
  bool WmPaint(TMessage& message);
  bool WmEraseBackground(TMessage& message);
  bool WmSetFocus(TMessage& message);
  bool WmKillFocus(TMessage& message);
  bool WmKeyDown(TMessage& message);
  bool WmKeyUp(TMessage& message);
  bool WmSysChar(TMessage& message);
  bool WmChar(TMessage& message);
  bool WmMouseLeave(TMessage& message);
  bool WmCommand(TMessage& message);
  bool WmControlColor(TMessage& message);
  bool WmItemRequest(TMessage& message);
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void RouteMouse(TMessage& message);
  void TrackMouse(TControl* target);

  platform::HWND handle_;
  platform::WNDPROC defWndProc_ = nullptr;
  std::vector<TControl*> controls_;    // every child, in the order they joined
  std::vector<TWinControl*> tabList_;  // windowed children in tab order
  int pendingTabOrder_ = -1;
  bool tabStop_ = false;
  TBrush brush_;
  TControl* captureControl_ = nullptr;  // the graphic child that got a button down
  bool trackingLeave_ = false;
};

}  // namespace toolkit
