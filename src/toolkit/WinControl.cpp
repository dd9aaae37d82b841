#include "toolkit/WinControl.h"

#include <algorithm>
#include <optional>

#include "component/ClassBuilder.h"
#include "component/Exception.h"
#include "platform/gdi/DcGuards.h"
#include "platform/gdi/Gdi.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/MenuOwnerDraw.h"

namespace toolkit {

using namespace component;
namespace p = platform;

namespace {

constexpr const char* kControlProp = "ToolkitControl";
// The control whose window is being created: its first messages arrive
// before CreateWindowEx returns the handle.
thread_local TWinControl* creating = nullptr;

p::HDC DCOf(WPARAM wp) {
  return p::HDC{std::uint32_t(wp)};
}

TShiftState KeyShift() {
  return KeyboardShiftState();
}

}  // namespace

const TClassInfo& TWinControl::StaticClassInfo() {
  using T = TWinControl;
  static const TClassInfo info = TClassBuilder<TWinControl, TControl>("TWinControl")
                                     .Property("TabOrder", &T::TabOrder, &T::SetTabOrder)
                                     .Property("TabStop", &T::TabStop, &T::SetTabStop)
                                     .Event("OnKeyDown", &T::OnKeyDown)
                                     .Event("OnKeyUp", &T::OnKeyUp)
                                     .Event("OnKeyPress", &T::OnKeyPress)
                                     .Event("OnEnter", &T::OnEnter)
                                     .Event("OnExit", &T::OnExit)
                                     .Build();
  return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
  brush_.SetColor(Color());
}

TWinControl::~TWinControl() {
  Destroying();
  // Children go first, while their parent's window still exists.
  while (!controls_.empty()) {
    TControl* last = controls_.back();
    delete last;  // leaves controls_ through RemoveControl
  }
  DestroyHandle();
}

TWinControl* TWinControl::FindControl(p::HWND hwnd) {
  if (!hwnd) return nullptr;
  return reinterpret_cast<TWinControl*>(p::GetProp(hwnd, kControlProp));
}

// --- the window ---------------------------------------------------------------

p::HWND TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

p::DWORD TWinControl::WindowStyle() const {
  p::DWORD style = p::WS_CHILD | p::WS_CLIPSIBLINGS;
  if (visible_) style |= p::WS_VISIBLE;
  if (!enabled_) style |= p::WS_DISABLED;
  if (tabStop_) style |= p::WS_TABSTOP;
  return style;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.caption = text_;
  params.style = WindowStyle();
  params.x = left_;
  params.y = top_;
  params.width = width_;
  params.height = height_;
  if (parent_) params.wndParent = parent_->handle_;
  params.className = ClassName();
}

void TWinControl::CreateHandle() {
  if (handle_ || creatingHandle_) return;
  if (parent_) {
    parent_->HandleNeeded();  // creates ours too, with its other children
    if (handle_) return;
  }
  {
    // Set while the window is made, however that ends.
    struct TCreating {
      bool& flag;
      ~TCreating() { flag = false; }
    } creating{creatingHandle_};
    creatingHandle_ = true;
    CreateWnd();
  }
  for (TControl* c : std::vector<TControl*>(controls_))
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->CreateHandle();
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (parent_ && !params.wndParent)
    throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  p::WNDCLASS existing;
  if (params.subclassClass.empty() && !p::GetClassInfo(params.className.c_str(), &existing)) {
    p::WNDCLASS wc;
    wc.style = params.classStyle;
    wc.lpfnWndProc = &TWinControl::StdWndProc;
    wc.hCursor = p::LoadCursor(p::IDC_ARROW);
    wc.lpszClassName = params.className.c_str();
    p::RegisterClass(&wc);
  }
  static int nextId = 100;
  p::HMENU id;
  if (params.style & p::WS_CHILD) id = p::HMENU{std::uint32_t(nextId++)};
  TWinControl* outer = creating;
  creating = this;
  const char* cls =
      params.subclassClass.empty() ? params.className.c_str() : params.subclassClass.c_str();
  p::HWND h = p::CreateWindowEx(params.exStyle, cls, params.caption.c_str(), params.style, params.x,
                                params.y, params.width, params.height, params.wndParent, id);
  creating = outer;
  if (!h) throw EInvalidOperation("Error creating window of " + Name() + " (" + cls + ")");
  if (!handle_) {
    handle_ = h;
    p::SetProp(h, kControlProp, reinterpret_cast<p::LONG_PTR>(this));
  }
  if (params.subclassClass.empty()) {
    defWndProc_ = &p::DefWindowProc;
  } else {
    defWndProc_ = reinterpret_cast<p::WNDPROC>(p::SetWindowLongPtr(
        h, p::GWLP_WNDPROC, reinterpret_cast<p::LONG_PTR>(&TWinControl::StdWndProc)));
  }
  CreateWindowHandle(params);
}

void TWinControl::CreateWindowHandle(const TCreateParams&) {
  p::SendMessage(handle_, p::WM_SETFONT, WPARAM(Font()->Handle().value), 0);
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  DestroyWnd();
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  text_ = Text();
  DestroyHandle();
  CreateHandle();
}

LRESULT TWinControl::ControlColor(p::HDC dc) {
  p::SetTextColor(dc, ColorToRGB(Font()->Color()));
  p::SetBkColor(dc, ColorToRGB(Color()));
  return LRESULT(brush_.Handle().value);
}

void TWinControl::DestroyWnd() {
  p::HWND h = handle_;
  if (!h) return;
  // From here on the window's messages no longer reach this object.
  p::RemoveProp(h, kControlProp);
  if (defWndProc_ && defWndProc_ != &p::DefWindowProc)
    p::SetWindowLongPtr(h, p::GWLP_WNDPROC, reinterpret_cast<p::LONG_PTR>(defWndProc_));
  handle_ = {};
  captureControl_ = nullptr;
  if (mouseControl_ == this) mouseControl_ = nullptr;
  trackingLeave_ = false;
  p::DestroyWindow(h);
}

p::LRESULT TWinControl::StdWndProc(p::HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  TWinControl* control = FindControl(hwnd);
  if (!control && creating && !creating->handle_) {
    control = creating;
    control->handle_ = hwnd;
    p::SetProp(hwnd, kControlProp, reinterpret_cast<p::LONG_PTR>(control));
    if (!control->defWndProc_) control->defWndProc_ = &p::DefWindowProc;
  }
  if (!control) return p::DefWindowProc(hwnd, msg, wp, lp);
  TMessage m{msg, wp, lp, 0};
  control->MainWndProc(m);
  if (msg == p::WM_NCDESTROY && FindControl(hwnd) == control) {
    p::RemoveProp(hwnd, kControlProp);
    control->handle_ = {};
  }
  return m.Result;
}

void TWinControl::MainWndProc(TMessage& m) {
  try {
    WindowProc(m);
  } catch (...) {
    HandleException(this);
  }
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (m.Msg >= CM_BASE && m.Msg < 0xC000) return;  // the toolkit's own
  if (!handle_) return;
  m.Result = p::CallWindowProc(defWndProc_ ? defWndProc_ : &p::DefWindowProc, handle_, m.Msg,
                               m.WParam, m.LParam);
}

// --- geometry and state --------------------------------------------------------

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  SetBoundsSilently(left, top, width, height);
  UpdateBounds();
  BoundsChanged();
}

void TWinControl::UpdateBounds() {
  if (!handle_) return;
  p::SetWindowPos(handle_, {}, left_, top_, width_, height_, p::SWP_NOZORDER | p::SWP_NOACTIVATE);
}

void TWinControl::ReadBoundsFromWindow() {
  if (!handle_ || creatingHandle_) return;
  RECT r;
  p::GetWindowRect(handle_, &r);
  POINT tl{r.left, r.top};
  if (parent_ && parent_->handle_) p::ScreenToClient(parent_->handle_, &tl);
  if (p::IsIconic(handle_)) return;  // keep the restored bounds
  SetBoundsSilently(tl.x, tl.y, r.Width(), r.Height());
}

RECT TWinControl::ClientRect() const {
  if (handle_) {
    RECT r;
    p::GetClientRect(handle_, &r);
    return r;
  }
  return TControl::ClientRect();
}

POINT TWinControl::ClientOrigin() const {
  if (handle_) {
    POINT o;
    p::ClientToScreen(handle_, &o);
    return o;
  }
  return TControl::ClientOrigin();
}

bool TWinControl::Showing() const {
  if (!visible_) return false;
  if (parent_) return parent_->Showing();
  return handle_ && p::IsWindowVisible(handle_);
}

void TWinControl::SetVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  if (handle_) p::ShowWindow(handle_, v ? p::SW_SHOWNOACTIVATE : p::SW_HIDE);
  Perform(CM_VISIBLECHANGED, v);
}

void TWinControl::SetEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  if (handle_) p::EnableWindow(handle_, v);
  Changed(CM_ENABLEDCHANGED);
}

std::string TWinControl::Text() const {
  if (handle_) return p::GetWindowTextString(handle_);
  return text_;
}

void TWinControl::SetText(std::string_view v) {
  if (Text() == v) return;
  text_ = std::string(v);
  if (handle_) p::SetWindowText(handle_, text_.c_str());
  Perform(CM_TEXTCHANGED);
  Invalidate();
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (handle_ && parent && parent->handle_) {
    // Keep the window, move it over.
    TControl::SetParent(parent);
    p::SetParent(handle_, parent->handle_);
    return;
  }
  DestroyHandle();
  TControl::SetParent(parent);
  if (parent && parent->handle_) CreateHandle();
}

void TWinControl::Changed(UINT cm) {
  switch (cm) {
    case CM_COLORCHANGED:
      brush_.SetColor(Color());
      for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(CM_PARENTCOLORCHANGED);
      break;
    case CM_FONTCHANGED:
      if (handle_) p::SendMessage(handle_, p::WM_SETFONT, WPARAM(Font()->Handle().value), 1);
      for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(CM_PARENTFONTCHANGED);
      break;
    default:
      break;
  }
  Perform(cm);
  Invalidate();
}

void TWinControl::Invalidate() {
  if (handle_) p::InvalidateRect(handle_, nullptr, !Opaque());
}

void TWinControl::Update() {
  if (handle_) p::UpdateWindow(handle_);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  if (pendingTabOrder_ >= 0) {
    int v = pendingTabOrder_;
    pendingTabOrder_ = -1;
    SetTabOrder(v);
  }
}

// --- children --------------------------------------------------------------------

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    tabList_.push_back(w);
    if (handle_ && !creatingHandle_) w->CreateHandle();
  } else {
    control->Invalidate();
  }
}

void TWinControl::RemoveControl(TControl* control) {
  if (control->parent_ != this) return;
  control->Invalidate();
  if (captureControl_ == control) {
    captureControl_ = nullptr;
    if (handle_ && p::GetCapture() == handle_) p::ReleaseCapture();
  }
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
    if (!ComponentState().Contains(csDestroying)) w->DestroyHandle();
  }
  control->parent_ = nullptr;
}

TControl* TWinControl::ControlAtPos(POINT pt, bool allowDisabled) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c)) continue;
    if (!c->visible_ || (!c->enabled_ && !allowDisabled)) continue;
    if (pt.x >= c->left_ && pt.y >= c->top_ && pt.x < c->left_ + c->width_ &&
        pt.y < c->top_ + c->height_)
      return c;
  }
  return nullptr;
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->parent_)
    if (c == this) return true;
  return false;
}

// --- focus and tab order ---------------------------------------------------------

int TWinControl::TabOrder() const {
  if (!parent_) return -1;
  if (pendingTabOrder_ >= 0) return pendingTabOrder_;
  auto& list = parent_->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int v) {
  if (ComponentState().Contains(csLoading)) {
    pendingTabOrder_ = v;
    return;
  }
  if (!parent_) return;
  auto& list = parent_->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  v = std::clamp(v, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + v, this);
}

void TWinControl::SetTabStop(bool v) {
  if (tabStop_ == v) return;
  tabStop_ = v;
  if (handle_) {
    p::LONG_PTR style = p::GetWindowLongPtr(handle_, p::GWL_STYLE);
    style = v ? (style | p::WS_TABSTOP) : (style & ~p::LONG_PTR(p::WS_TABSTOP));
    p::SetWindowLongPtr(handle_, p::GWL_STYLE, style);
  }
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_ || !c->enabled_) return false;
  return ParentForm() != nullptr;
}

bool TWinControl::Focused() const {
  return handle_ && p::GetFocus() == handle_;
}

void TWinControl::SetFocus() {
  TCustomForm* form = ParentForm();
  if (form && form != this) {
    form->FocusControl(this);
    return;
  }
  p::SetFocus(Handle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : tabList_) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                          bool checkParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int count = static_cast<int>(list.size());
  int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
  if (start == count) start = forward ? count - 1 : 0;
  int i = start;
  do {
    if (forward) {
      if (++i == count) i = 0;
    } else {
      if (i == 0) i = count;
      --i;
    }
    TWinControl* c = list[i];
    if (c != current && c->CanFocus() && (!checkTabStop || c->tabStop_) &&
        (!checkParent || c->parent_ == this))
      return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectFirst() {
  if (TWinControl* c = FindNextControl(nullptr, true, true, false)) c->SetFocus();
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  if (TWinControl* c = FindNextControl(current, forward, checkTabStop, false)) c->SetFocus();
}

// --- messages ----------------------------------------------------------------------

void TWinControl::WndProc(TMessage& m) {
  if (!HandleOwn(m)) TControl::WndProc(m);
}

// One handler a message; a handler that returns false has only looked at
// the message (or changed it), which then goes on to the control's own.
bool TWinControl::HandleOwn(TMessage& m) {
  switch (m.Msg) {
    case p::WM_PAINT:
      return WmPaint(m);
    case p::WM_ERASEBKGND:
      return WmEraseBackground(m);
    case p::WM_SETFOCUS:
      return WmSetFocus(m);
    case p::WM_KILLFOCUS:
      return WmKillFocus(m);
    case p::WM_KEYDOWN:
    case p::WM_SYSKEYDOWN:
      return WmKeyDown(m);
    case p::WM_KEYUP:
    case p::WM_SYSKEYUP:
      return WmKeyUp(m);
    case p::WM_SYSCHAR:
      return WmSysChar(m);
    case p::WM_CHAR:
      return WmChar(m);
    case p::WM_MOUSEMOVE:
    case p::WM_LBUTTONDOWN:
    case p::WM_LBUTTONUP:
    case p::WM_LBUTTONDBLCLK:
    case p::WM_RBUTTONDOWN:
    case p::WM_RBUTTONUP:
    case p::WM_RBUTTONDBLCLK:
    case p::WM_MBUTTONDOWN:
    case p::WM_MBUTTONUP:
      RouteMouse(m);
      return true;
    case p::WM_MOUSELEAVE:
      return WmMouseLeave(m);
    case p::WM_CAPTURECHANGED:
      captureControl_ = nullptr;
      return false;
    case p::WM_COMMAND:
      return WmCommand(m);
    case p::WM_CTLCOLOREDIT:
    case p::WM_CTLCOLORLISTBOX:
    case p::WM_CTLCOLORSTATIC:
    case p::WM_CTLCOLORBTN:
      return WmControlColor(m);
    case p::WM_DRAWITEM:
    case p::WM_MEASUREITEM:
      return WmItemRequest(m);
    case p::WM_SIZE:
    case p::WM_MOVE:
    case p::WM_WINDOWPOSCHANGED:
      ReadBoundsFromWindow();
      return false;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
    case CM_VISIBLECHANGED:
      return true;  // the window shows these itself
    default:
      return false;
  }
}

bool TWinControl::WmPaint(TMessage& m) {
  // A standard control paints itself, unless it holds painted children.
  if (IsStandardControl() && controls_.empty()) return false;
  PaintHandler(m);
  return true;
}

bool TWinControl::WmEraseBackground(TMessage& m) {
  if (IsStandardControl()) return false;
  EraseBackground(DCOf(m.WParam));
  m.Result = 1;
  return true;
}

bool TWinControl::WmSetFocus(TMessage& m) {
  if (TCustomForm* form = ParentForm()) form->Perform(CM_FOCUSCHANGED, 0, LPARAM(this));
  DoEnter();
  DefaultHandler(m);
  return true;
}

bool TWinControl::WmKillFocus(TMessage& m) {
  DoExit();
  DefaultHandler(m);
  return true;
}

bool TWinControl::WmKeyDown(TMessage& m) {
  std::uint16_t key = std::uint16_t(m.WParam);
  // Menu shortcuts and Tab belong to the form, whichever loop dispatched
  // the key (the application's, a modal one, a message box's).
  TCustomForm* form = ParentForm();
  if (form && form->HandleAllocated() && p::IsWindowEnabled(form->Handle())) {
    if (form->IsShortCut(key, KeyShift())) return true;
    if (m.Msg == p::WM_KEYDOWN && form->DialogKey(key, KeyShift())) return true;
  }
  KeyDown(key, KeyShift());
  if (key == 0) return true;
  m.WParam = key;
  return false;
}

bool TWinControl::WmKeyUp(TMessage& m) {
  std::uint16_t key = std::uint16_t(m.WParam);
  KeyUp(key, KeyShift());
  if (key == 0) return true;
  m.WParam = key;
  return false;
}

bool TWinControl::WmSysChar(TMessage& m) {
  // Alt+letter: a control's accelerator, before the menu bar's.
  TCustomForm* form = ParentForm();
  return form && p::IsWindowEnabled(form->Handle()) && form->DialogChar(char(m.WParam));
}

bool TWinControl::WmChar(TMessage& m) {
  char ch = char(m.WParam);
  KeyPress(ch);
  if (ch == 0) return true;
  m.WParam = WPARAM(static_cast<unsigned char>(ch));
  return false;
}

bool TWinControl::WmMouseLeave(TMessage& m) {
  trackingLeave_ = false;
  // Only when the mouse is still counted as over this window or one of
  // its painted children; another window may have taken it already.
  if (!captureControl_ && mouseControl_ &&
      (mouseControl_ == this ||
       (mouseControl_->parent_ == this && !dynamic_cast<TWinControl*>(mouseControl_))))
    TrackMouse(nullptr);
  DefaultHandler(m);
  return true;
}

// A child's command goes back to the child that sent it.
bool TWinControl::WmCommand(TMessage& m) {
  if (!m.LParam) return false;
  TWinControl* child = FindControl(p::HWND{std::uint32_t(m.LParam)});
  if (!child) return false;
  m.Result = child->Perform(CN_COMMAND, m.WParam, m.LParam);
  return true;
}

bool TWinControl::WmControlColor(TMessage& m) {
  TWinControl* child = FindControl(p::HWND{std::uint32_t(m.LParam)});
  if (!child) return false;
  m.Result = child->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  return true;
}

bool TWinControl::WmItemRequest(TMessage& m) {
  // Menu items come with no control: the item itself answers.
  if (m.WParam == 0 && HandleMenuItemRequest(m)) return true;
  if (!handle_) return false;
  TWinControl* child = FindControl(p::GetDlgItem(handle_, int(m.WParam)));
  if (!child) return false;
  m.Result = child->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  return true;
}

void TWinControl::RouteMouse(TMessage& m) {
  POINT pt{p::GET_X_LPARAM(m.LParam), p::GET_Y_LPARAM(m.LParam)};
  TControl* target = captureControl_ ? captureControl_ : ControlAtPos(pt);
  if (m.Msg == p::WM_MOUSEMOVE && !captureControl_) TrackMouse(target ? target : this);
  if (!target) {
    TControl::WndProc(m);
    return;
  }
  const bool down = m.Msg == p::WM_LBUTTONDOWN || m.Msg == p::WM_RBUTTONDOWN ||
                    m.Msg == p::WM_MBUTTONDOWN || m.Msg == p::WM_LBUTTONDBLCLK ||
                    m.Msg == p::WM_RBUTTONDBLCLK;
  const bool up = m.Msg == p::WM_LBUTTONUP || m.Msg == p::WM_RBUTTONUP || m.Msg == p::WM_MBUTTONUP;
  if (down && !captureControl_) {
    captureControl_ = target;
    p::SetCapture(handle_);
  }
  TMessage cm = m;
  cm.LParam = p::MAKELPARAM(pt.x - target->left_, pt.y - target->top_);
  target->WindowProc(cm);
  m.Result = cm.Result;
  if (up && captureControl_ == target &&
      !(m.WParam & (p::MK_LBUTTON | p::MK_RBUTTON | p::MK_MBUTTON))) {
    captureControl_ = nullptr;
    if (handle_ && p::GetCapture() == handle_) p::ReleaseCapture();
    // The pointer may now be over another control.
    TrackMouse(ControlAtPos(pt) ? ControlAtPos(pt) : this);
  }
}

void TWinControl::TrackMouse(TControl* target) {
  if (target != mouseControl_) {
    TControl* old = mouseControl_;
    mouseControl_ = target;
    if (old) old->Perform(CM_MOUSELEAVE);
    if (target && mouseControl_ == target) target->Perform(CM_MOUSEENTER);
  }
  if (target && !trackingLeave_ && handle_) {
    p::TRACKMOUSEEVENT tme;
    tme.dwFlags = p::TME_LEAVE;
    tme.hwndTrack = handle_;
    trackingLeave_ = p::TrackMouseEvent(&tme) != 0;
  }
}

void TWinControl::PaintHandler(TMessage& m) {
  p::HDC dc = DCOf(m.WParam);
  p::PAINTSTRUCT ps;
  // Without a context given, the window's own painting is begun and ended.
  std::optional<p::TPaintDC<p::HWND, p::PAINTSTRUCT>> painting;
  if (!dc) dc = painting.emplace(handle_, ps).Get();
  int saved = p::SaveDC(dc);
  PaintWindow(dc);
  p::RestoreDC(dc, saved);
  PaintControls(dc);
}

void TWinControl::PaintWindow(p::HDC) {}

void TWinControl::EraseBackground(p::HDC dc) {
  RECT r = ClientRect();
  p::FillRect(dc, &r, brush_.Handle());
}

void TWinControl::PaintControls(p::HDC dc, TControl* first) {
  RECT clip;
  p::GetClipBox(dc, &clip);
  bool started = first == nullptr;
  for (TControl* c : std::vector<TControl*>(controls_)) {
    if (!started) {
      if (c != first) continue;
      started = true;
    }
    if (dynamic_cast<TWinControl*>(c) || !c->visible_) continue;
    RECT b = c->BoundsRect();
    if (b.right <= clip.left || b.left >= clip.right || b.bottom <= clip.top ||
        b.top >= clip.bottom)
      continue;
    int saved = p::SaveDC(dc);
    p::OffsetViewportOrgEx(dc, b.left, b.top, nullptr);
    p::IntersectClipRect(dc, 0, 0, b.Width(), b.Height());
    c->Perform(p::WM_PAINT, WPARAM(dc.value), 0);
    p::RestoreDC(dc, saved);
  }
}

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(std::uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

}  // namespace toolkit
