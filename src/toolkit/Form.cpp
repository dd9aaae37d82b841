#include "toolkit/Form.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "component/ClassBuilder.h"
#include "component/Exception.h"
#include "component/Reader.h"
#include "component/Resource.h"
#include "component/ScopeGuards.h"
#include "platform/menu/Menu.h"
#include "platform/window/SystemMetrics.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Menus.h"
#include "toolkit/Screen.h"

namespace toolkit {

using namespace component;
namespace p = platform;

const TEnumInfo& EnumInfo(TFormBorderStyle) {
  static const TEnumInfo info("TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog",
                                                   "bsToolWindow", "bsSizeToolWin"});
  return info;
}

const TEnumInfo& BorderStyleInfo() {
  static const TEnumInfo info("TBorderStyle", {"bsNone", "bsSingle"});
  return info;
}

const TEnumInfo& EnumInfo(TBorderIcon) {
  static const TEnumInfo info("TBorderIcon",
                              {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"});
  return info;
}

const TEnumInfo& EnumInfo(TPosition) {
  static const TEnumInfo info(
      "TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                    "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"});
  return info;
}

const TEnumInfo& EnumInfo(TWindowState) {
  static const TEnumInfo info("TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"});
  return info;
}

const TEnumInfo& EnumInfo(TFormStyle) {
  static const TEnumInfo info("TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"});
  return info;
}

const TClassInfo& TCustomForm::StaticClassInfo() {
  using T = TCustomForm;
  static const TClassInfo info =
      TClassBuilder<TCustomForm, TWinControl>("TCustomForm")
          .Property("ActiveControl", &T::ActiveControl, &T::SetActiveControl)
          .Property("BorderIcons", &T::BorderIcons, &T::SetBorderIcons)
          .Property("BorderStyle", &T::BorderStyle, &T::SetBorderStyle)
          .Property("FormStyle", &T::FormStyle, &T::SetFormStyle)
          .Property("KeyPreview", &T::KeyPreview, &T::SetKeyPreview)
          .Property("Menu", &T::Menu, &T::SetMenu)
          .Property("PixelsPerInch", &T::PixelsPerInch, &T::SetPixelsPerInch)
          .Property("Position", &T::Position, &T::SetPosition)
          .Property("TextHeight", &T::TextHeight, &T::SetTextHeight)
          .Property("WindowState", &T::WindowState, &T::SetWindowState)
          .Custom("OldCreateOrder", TPropertyKind::Boolean, [](T&, const TPropertyValue&) {})
          .Custom("Scaled", TPropertyKind::Boolean, [](T&, const TPropertyValue&) {})
          .Event("OnCreate", &T::OnCreate)
          .Event("OnDestroy", &T::OnDestroy)
          .Event("OnShow", &T::OnShow)
          .Event("OnHide", &T::OnHide)
          .Event("OnActivate", &T::OnActivate)
          .Event("OnDeactivate", &T::OnDeactivate)
          .Event("OnPaint", &T::OnPaint)
          .Event("OnResize", &T::OnResize)
          .Event("OnClose", &T::OnClose)
          .Event("OnCloseQuery", &T::OnCloseQuery)
          .Build();
  return info;
}

const TClassInfo& TForm::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TForm, TCustomForm>("TForm").Build();
  return info;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  visible_ = false;
  SetColor(clBtnFace);
  SetBoundsSilently(0, 0, 320, 240);
  Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  // The menu may outlive this part of the form (its items go later).
  if (menu_) menu_->OnChange = nullptr;
  Screen->RemoveForm(this);
  if (Application) Application->FormDestroyed(this);
}

void TCustomForm::InitFromDescription() {
  if (&ClassInfo() != &TForm::StaticClassInfo() &&
      &ClassInfo() != &TCustomForm::StaticClassInfo()) {
    const std::string& cls = ClassName();
    std::string resource =
        (cls.size() > 1 && (cls[0] == 'T' || cls[0] == 't') ? cls.substr(1) : cls) + ".sdesc";
    ReadDescriptionResource(*this, resource);
  }
  DoCreate();
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy() {
  if (OnDestroy) {
    auto handler = std::move(OnDestroy);
    OnDestroy = nullptr;
    handler(this);
  }
}

void TCustomForm::Loaded() {
  TWinControl::Loaded();
  // A stored Visible = True shows the form once everything else is read.
  if (visible_) {
    visible_ = false;
    Show();
  }
}

// --- window ------------------------------------------------------------------------

p::DWORD TCustomForm::WindowStyle() const {
  p::DWORD style = p::WS_CLIPCHILDREN;
  switch (borderStyle_) {
    case bsNone:
      style |= p::WS_POPUP;
      break;
    case bsSingle:
    case bsToolWindow:
      style |= p::WS_CAPTION | p::WS_BORDER;
      break;
    case bsSizeable:
    case bsSizeToolWin:
      style |= p::WS_CAPTION | p::WS_THICKFRAME;
      break;
    case bsDialog:
      style |= p::WS_POPUP | p::WS_CAPTION;
      break;
  }
  if (borderStyle_ != bsNone && borderIcons_.Contains(biSystemMenu)) {
    style |= p::WS_SYSMENU;
    if (borderStyle_ != bsDialog && borderStyle_ != bsToolWindow && borderStyle_ != bsSizeToolWin) {
      if (borderIcons_.Contains(biMinimize)) style |= p::WS_MINIMIZEBOX;
      if (borderIcons_.Contains(biMaximize)) style |= p::WS_MAXIMIZEBOX;
    }
  }
  if (!enabled_) style |= p::WS_DISABLED;
  return style;
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.style = WindowStyle();
  params.exStyle = 0;
  if (borderStyle_ == bsDialog) params.exStyle |= p::WS_EX_DLGMODALFRAME;
  if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin)
    params.exStyle |= p::WS_EX_TOOLWINDOW;
  if (formStyle_ == fsStayOnTop) params.exStyle |= p::WS_EX_TOPMOST;
  params.wndParent = {};
  // Secondary forms stay above the main form and leave the task bar to it.
  if (Application && Application->MainForm() && Application->MainForm() != this &&
      Application->MainForm()->HandleAllocated())
    params.wndParent = Application->MainForm()->Handle();
  else
    params.exStyle |= p::WS_EX_APPWINDOW;
}

void TCustomForm::CreateWindowHandle(const TCreateParams& params) {
  TWinControl::CreateWindowHandle(params);
  if (menu_) ShowMenuBar();
}

void TCustomForm::ShowMenuBar() {
  if (!HandleAllocated()) return;
  p::SetMenu(Handle(), menu_ ? menu_->Handle() : p::HMENU{});
  p::DrawMenuBar(Handle());
}

bool TCustomForm::Showing() const {
  return HandleAllocated() && visible_ &&
         p::IsWindowVisible(const_cast<TCustomForm*>(this)->Handle());
}

void TCustomForm::Invalidate() {
  if (HandleAllocated())
    p::InvalidateRect(const_cast<TCustomForm*>(this)->Handle(), nullptr, p::TRUE);
}

void TCustomForm::PaintWindow(p::HDC) {
  if (OnPaint) OnPaint(this);
}

// --- appearance ----------------------------------------------------------------------

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
  if (borderStyle_ == v) return;
  borderStyle_ = v;
  if (HandleAllocated()) {
    p::SetWindowLongPtr(Handle(), p::GWL_STYLE, WindowStyle() | (visible_ ? p::WS_VISIBLE : 0));
    p::SetWindowPos(Handle(), {}, 0, 0, 0, 0,
                    p::SWP_NOMOVE | p::SWP_NOSIZE | p::SWP_NOZORDER | p::SWP_FRAMECHANGED);
  }
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
  if (borderIcons_ == v) return;
  borderIcons_ = v;
  if (HandleAllocated()) {
    p::SetWindowLongPtr(Handle(), p::GWL_STYLE, WindowStyle() | (visible_ ? p::WS_VISIBLE : 0));
    p::SetWindowPos(Handle(), {}, 0, 0, 0, 0,
                    p::SWP_NOMOVE | p::SWP_NOSIZE | p::SWP_NOZORDER | p::SWP_FRAMECHANGED);
  }
}

TWindowState TCustomForm::WindowState() const {
  if (HandleAllocated()) {
    p::HWND h = const_cast<TCustomForm*>(this)->Handle();
    if (p::IsIconic(h)) return wsMinimized;
    if (p::IsZoomed(h)) return wsMaximized;
    if (p::IsWindowVisible(h)) return wsNormal;
  }
  return windowState_;
}

void TCustomForm::SetWindowState(TWindowState v) {
  windowState_ = v;
  if (HandleAllocated() && visible_) p::ShowWindow(Handle(), ShowCommandForState());
}

int TCustomForm::ShowCommandForState() const {
  switch (windowState_) {
    case wsMinimized:
      return p::SW_SHOWMINIMIZED;
    case wsMaximized:
      return p::SW_SHOWMAXIMIZED;
    default:
      return p::SW_SHOWNORMAL;
  }
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu_ == menu) return;
  if (menu_) {
    menu_->RemoveFreeNotification(this);
    menu_->OnChange = nullptr;
  }
  menu_ = menu;
  if (menu_) {
    menu_->FreeNotification(this);
    menu_->OnChange = [this](TMainMenu*) { ShowMenuBar(); };
  }
  ShowMenuBar();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == menu_) {
    menu_ = nullptr;
    if (HandleAllocated() && !ComponentState().Contains(csDestroying))
      p::SetMenu(Handle(), p::HMENU{});
  }
  if (component == activeControl_) activeControl_ = nullptr;
}

// --- showing and placement ------------------------------------------------------------

void TCustomForm::PlaceOnScreen() {
  if (placed_) return;
  placed_ = true;
  if (position_ == poScreenCenter || position_ == poDesktopCenter ||
      ((position_ == poMainFormCenter || position_ == poOwnerFormCenter) &&
       (!Application || !Application->MainForm() || Application->MainForm() == this))) {
    int sw = p::GetSystemMetrics(p::SM_CXSCREEN), sh = p::GetSystemMetrics(p::SM_CYSCREEN);
    SetBounds((sw - width_) / 2, (sh - height_) / 2, width_, height_);
  } else if (position_ == poMainFormCenter || position_ == poOwnerFormCenter) {
    TCustomForm* main = Application->MainForm();
    SetBounds(main->Left() + (main->Width() - width_) / 2,
              main->Top() + (main->Height() - height_) / 2, width_, height_);
  }
  // Every window starts wholly on the screen with its caption reachable: one
  // larger than the work area is made to fit it (and a centred one is
  // centred on the size it now has).
  p::RECT work{};
  if (!p::SystemParametersInfo(p::SPI_GETWORKAREA, 0, &work, 0) || work.right <= work.left ||
      work.bottom <= work.top)
    return;
  const int w = std::min(width_, int(work.right - work.left));
  const int h = std::min(height_, int(work.bottom - work.top));
  int left = left_, top = top_;
  if (w != width_ || h != height_) {
    left += (width_ - w) / 2;
    top += (height_ - h) / 2;
  }
  left = std::clamp(left, int(work.left), int(work.right) - w);
  top = std::clamp(top, int(work.top), int(work.bottom) - h);
  if (left != left_ || top != top_ || w != width_ || h != height_) SetBounds(left, top, w, h);
}

void TCustomForm::Show() {
  SetVisible(true);
  if (HandleAllocated()) {
    p::BringWindowToTop(Handle());
    p::SetActiveWindow(Handle());
  }
}

void TCustomForm::ShowWithCommand(int command) {
  if (command == p::SW_SHOWMAXIMIZED) windowState_ = wsMaximized;
  if (command == p::SW_SHOWMINNOACTIVE || command == p::SW_SHOWMINIMIZED ||
      command == p::SW_MINIMIZE)
    windowState_ = wsMinimized;
  if (windowState_ == wsMinimized) {
    // Straight to the task bar, without taking the activation.
    if (visible_) return;
    visible_ = true;
    DoShow();
    PlaceOnScreen();
    p::ShowWindow(Handle(), p::SW_SHOWMINNOACTIVE);
    return;
  }
  Show();
}

void TCustomForm::SetVisible(bool v) {
  if (ComponentState().Contains(csLoading)) {
    visible_ = v;  // acted on in Loaded
    return;
  }
  if (visible_ == v) return;
  if (v) {
    visible_ = true;
    {
      // A form that fails to come up stays hidden.
      struct TShowing {
        bool& visible;
        bool done = false;
        ~TShowing() {
          if (!done) visible = false;
        }
      } showing{visible_};
      DoShow();
      HandleNeeded();
      PlaceOnScreen();
      showing.done = true;
    }
    p::ShowWindow(Handle(), ShowCommandForState());
  } else {
    visible_ = false;
    if (HandleAllocated()) {
      DoHide();
      p::ShowWindow(Handle(), p::SW_HIDE);
    }
  }
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

// --- closing ------------------------------------------------------------------------------

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
  if (modal_) {
    // The modal loop asks the close question and hides the form.
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this)
    Application->Terminate();
  else if (action == caHide)
    Hide();
  else if (action == caMinimize)
    SetWindowState(wsMinimized);
  else
    Release();
}

void TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  if (action == caNone)
    modalResult_ = mrNone;
  else if (action == caFree)
    Release();
}

TModalResult TCustomForm::ShowModal() {
  if (visible_ || !enabled_ || modal_)
    throw EInvalidOperation("Cannot make a visible window modal");
  if (p::GetCapture()) p::SendMessage(p::GetCapture(), p::WM_CANCELMODE, 0, 0);
  p::ReleaseCapture();
  p::HWND previous = p::GetActiveWindow();
  HandleNeeded();
  // Every other enabled top-level window waits while the form is up.
  std::vector<p::HWND> disabled;
  p::EnumWindows([&](p::HWND h) {
    if (h != Handle() && p::IsWindowVisible(h) && p::IsWindowEnabled(h)) disabled.push_back(h);
    return true;
  });
  for (p::HWND h : disabled) p::EnableWindow(h, p::FALSE);
  modal_ = true;
  modalResult_ = mrNone;
  TModalResult result = mrCancel;
  {
    // However the loop ends, the other windows come back and the form goes.
    // Hide may raise (OnHide): leaving normally that goes to the caller;
    // leaving by an error, that error is the one reported.
    struct TModal {
      TCustomForm& form;
      const std::vector<p::HWND>& disabled;
      int pending = std::uncaught_exceptions();
      void End() {
        for (p::HWND h : disabled) p::EnableWindow(h, p::TRUE);
        form.modal_ = false;
        form.Hide();
      }
      ~TModal() noexcept(false) {
        component::FinishScope(pending, [this] { End(); });
      }
    } modal{*this, disabled};
    Show();
    do {
      Application->HandleMessage();
      if (Application->Terminated())
        modalResult_ = mrCancel;
      else if (modalResult_ != mrNone)
        CloseModal();
    } while (modalResult_ == mrNone);
    result = modalResult_;
  }
  if (previous && p::IsWindow(previous)) p::SetActiveWindow(previous);
  return result;
}

void TCustomForm::Release() {
  if (HandleAllocated())
    p::PostMessage(Handle(), CM_RELEASE, 0, 0);
  else
    delete this;
}

// --- focus -----------------------------------------------------------------------------------

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control == activeControl_) return;
  if (control && (control == this || !ContainsControl(control)))
    throw EInvalidOperation("Invalid active control for " + Name());
  if (ComponentState().Contains(csLoading) || !active_) {
    activeControl_ = control;
    return;
  }
  FocusControl(control);
}

void TCustomForm::FocusControl(TWinControl* control) {
  activeControl_ = control;
  if (active_ && control && control->CanFocus()) p::SetFocus(control->Handle());
}

void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

bool TCustomForm::IsShortCut(std::uint16_t key, TShiftState shift) {
  if (menu_ && menu_->IsShortCut(ShortCut(key, shift))) return true;
  return false;
}

bool TCustomForm::DialogKey(std::uint16_t key, TShiftState shift) {
  if (key == p::VK_TAB && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) {
    TWinControl* current = activeControl_;
    p::HWND focus = p::GetFocus();
    if (TWinControl* f = FindControl(focus); f && ContainsControl(f)) current = f;
    if (current && current->HandleAllocated()) {
      LRESULT code = p::SendMessage(current->Handle(), p::WM_GETDLGCODE, p::VK_TAB, 0);
      if (code & 0x0002 /* DLGC_WANTTAB */) return false;
    }
    SelectNext(current, !shift.Contains(ssShift), true);
    return true;
  }
  if ((key == p::VK_RETURN || key == p::VK_ESCAPE) && shift.Empty()) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    TButton* target = nullptr;
    if (key == p::VK_RETURN) target = dynamic_cast<TButton*>(FindControl(p::GetFocus()));
    for (TWinControl* c : list) {
      auto* b = dynamic_cast<TButton*>(c);
      if (!target && b && (key == p::VK_RETURN ? b->Default() : b->Cancel()) && b->CanFocus())
        target = b;
    }
    if (target && target->CanFocus()) {
      target->Click();
      return true;
    }
  }
  return false;
}

bool TCustomForm::DialogChar(char key) {
  std::function<bool(TWinControl*)> offer = [&](TWinControl* parent) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      TControl* c = parent->Controls(i);
      if (!c->Visible() || !c->Enabled()) continue;
      if (c->DialogChar(key)) return true;
      if (auto* w = dynamic_cast<TWinControl*>(c); w && offer(w)) return true;
    }
    return false;
  };
  return offer(this);
}

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case p::WM_CLOSE:
      Close();
      return;
    case p::WM_COMMAND:
      // A command of the menu bar (no control sends it).
      if (m.LParam == 0 && menu_ && menu_->DispatchCommand(std::uint16_t(p::LOWORD(m.WParam))))
        return;
      break;
    case p::WM_ACTIVATE: {
      bool nowActive = p::LOWORD(m.WParam) != p::WA_INACTIVE;
      if (nowActive == active_) break;
      active_ = nowActive;
      if (active_) {
        Activate();
        if (activeControl_ && activeControl_->CanFocus())
          p::SetFocus(activeControl_->Handle());
        else if (TWinControl* first = FindNextControl(nullptr, true, true, false))
          first->SetFocus();
        else
          p::SetFocus(Handle());
      } else {
        Deactivate();
      }
      return;
    }
    case p::WM_SIZE:
      TWinControl::WndProc(m);
      if (OnResize) OnResize(this);
      return;
    case CM_FOCUSCHANGED: {
      auto* c = reinterpret_cast<TWinControl*>(m.LParam);
      if (c && c != this) activeControl_ = c;
      return;
    }
    case CM_RELEASE:
      delete this;
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

}  // namespace toolkit
