// Classes, creation and destruction, window data and the tree queries.
#include <algorithm>
#include <cstring>

#include "platform/base/AsciiCase.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/WindowSystem.h"

namespace platform {

namespace {

std::shared_ptr<WindowClass> FindClass(const char* name) {
  if (!name) return nullptr;
  auto& ws = WS();
  auto it = ws.classes.find(LowerCase(name));
  return it == ws.classes.end() ? nullptr : it->second;
}

// Puts a new top-level window on top of its group (topmost or not).
void InsertTopLevel(WindowRec& desk, WindowRec& w) {
  auto& ws = WS();
  auto pos = desk.children.begin();
  if (!(w.exStyle & WS_EX_TOPMOST)) {
    while (pos != desk.children.end()) {
      WindowRec* o = ws.Get(*pos);
      if (!o || !(o->exStyle & WS_EX_TOPMOST)) break;
      ++pos;
    }
  }
  desk.children.insert(pos, w.hwnd);
}

void SendDestroyTree(HWND h) {
  auto& ws = WS();
  auto w = ws.Find(h);
  if (!w) return;
  w->destroying = true;
  Send(w.get(), WM_DESTROY);
  std::vector<HWND> kids = w->children;
  for (HWND c : kids) SendDestroyTree(c);
}

void FinishDestroyTree(HWND h) {
  auto& ws = WS();
  auto w = ws.Find(h);
  if (!w) return;
  std::vector<HWND> kids = w->children;
  for (HWND c : kids) FinishDestroyTree(c);
  w = ws.Find(h);
  if (!w) return;
  Send(w.get(), WM_NCDESTROY);
  w = ws.Find(h);
  if (!w) return;
  // Forget everything that points at the window.
  if (ws.focus == h) ws.focus = HWND{};
  if (ws.active == h) ws.active = HWND{};
  if (ws.capture == h) ws.capture = HWND{};
  if (ws.mouseWindow == h) ws.mouseWindow = HWND{};
  CaretWindowGone(h);
  std::erase_if(ws.timers, [&](const Timer& t) { return t.hwnd == h; });
  RemoveWindowMessages(h);
  for (auto it = ws.dcs.begin(); it != ws.dcs.end();) {
    if (it->second.hwnd == h) {
      DeleteDC(HDC{it->first});
      it = ws.dcs.erase(it);
    } else {
      ++it;
    }
  }
  if (WindowRec* p = ws.Get(w->parent)) std::erase(p->children, h);
  // Owned windows left behind (they were destroyed first, but an owner
  // change during destruction could leave some) lose their owner.
  for (HWND t : ws.TopLevels())
    if (WindowRec* o = ws.Get(t); o && o->owner == h) o->owner = HWND{};
  ws.FreeWindow(h);
}

}  // namespace

// ---------------------------------------------------------------- classes

std::uint16_t RegisterClass(const WNDCLASS* wc) {
  if (!wc || !wc->lpszClassName || !*wc->lpszClassName || !wc->lpfnWndProc) return 0;
  if (wc->cbWndExtra < 0 || wc->cbClsExtra < 0 || wc->cbWndExtra > 4096 || wc->cbClsExtra > 4096)
    return 0;
  auto& ws = WS();
  std::string key = LowerCase(wc->lpszClassName);
  if (ws.classes.count(key)) return 0;
  auto cls = std::make_shared<WindowClass>();
  cls->name = wc->lpszClassName;
  cls->wc = *wc;
  if (wc->lpszMenuName) cls->menuName = wc->lpszMenuName;
  cls->wc.lpszClassName = nullptr;  // the copy keeps the strings
  cls->wc.lpszMenuName = nullptr;
  cls->extra.assign(std::size_t(wc->cbClsExtra), 0);
  cls->atom = ws.nextAtom++;
  ws.classes[key] = cls;
  return cls->atom;
}

BOOL UnregisterClass(const char* className) {
  if (!className) return FALSE;
  auto& ws = WS();
  auto it = ws.classes.find(LowerCase(className));
  if (it == ws.classes.end()) return FALSE;
  // A class still in use stays (windows hold it); the name is freed.
  ws.classes.erase(it);
  return TRUE;
}

BOOL GetClassInfo(const char* className, WNDCLASS* out) {
  auto cls = FindClass(className);
  if (!cls || !out) return FALSE;
  *out = cls->wc;
  out->lpszClassName = cls->name.c_str();
  out->lpszMenuName = cls->menuName.empty() ? nullptr : cls->menuName.c_str();
  return TRUE;
}

int GetClassName(HWND hwnd, char* buffer, int size) {
  WindowRec* w = WS().Get(hwnd);
  if (!w || !buffer || size <= 0) return 0;
  int n = std::min<int>(size - 1, int(w->cls->name.size()));
  std::memcpy(buffer, w->cls->name.data(), std::size_t(n));
  buffer[n] = 0;
  return n;
}

LONG_PTR GetClassLongPtr(HWND hwnd, int index) {
  WindowRec* w = WS().Get(hwnd);
  if (!w) return 0;
  const WNDCLASS& wc = w->cls->wc;
  switch (index) {
    case GCL_STYLE:
      return LONG_PTR(wc.style);
    case GCLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(wc.lpfnWndProc);
    case GCLP_HBRBACKGROUND:
      return LONG_PTR(wc.hbrBackground.value);
    case GCLP_HCURSOR:
      return LONG_PTR(wc.hCursor.value);
    case GCL_CBWNDEXTRA:
      return wc.cbWndExtra;
    case GCL_CBCLSEXTRA:
      return wc.cbClsExtra;
  }
  if (index >= 0 && std::size_t(index) + sizeof(LONG_PTR) <= w->cls->extra.size()) {
    LONG_PTR v;
    std::memcpy(&v, w->cls->extra.data() + index, sizeof v);
    return v;
  }
  return 0;
}

LONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value) {
  WindowRec* w = WS().Get(hwnd);
  if (!w) return 0;
  LONG_PTR old = GetClassLongPtr(hwnd, index);
  WNDCLASS& wc = w->cls->wc;
  switch (index) {
    case GCL_STYLE:
      wc.style = UINT(value);
      return old;
    case GCLP_WNDPROC:
      if (!value) return 0;
      wc.lpfnWndProc = reinterpret_cast<WNDPROC>(value);
      return old;
    case GCLP_HBRBACKGROUND:
      wc.hbrBackground = HBRUSH{std::uint32_t(value)};
      return old;
    case GCLP_HCURSOR:
      wc.hCursor = HCURSOR{std::uint32_t(value)};
      return old;
  }
  if (index >= 0 && std::size_t(index) + sizeof(LONG_PTR) <= w->cls->extra.size()) {
    std::memcpy(w->cls->extra.data() + index, &value, sizeof value);
    return old;
  }
  return 0;
}

// ---------------------------------------------------------------- creation

namespace {

// Where a new window hangs: a child under its parent, a top-level window
// under the desktop and owned by the root of the window it names. False for a
// named parent that does not exist.
bool ResolveParent(DWORD style, HWND parent, HWND& parentHandle, HWND& owner) {
  auto& ws = WS();
  parentHandle = ws.desktop, owner = HWND{};
  if (style & WS_CHILD) {
    if (!ws.Get(parent)) return false;
    parentHandle = parent;
  } else if (parent) {
    WindowRec* p = ws.Get(parent);
    if (!p) return false;
    if (p->hwnd != ws.desktop) owner = ws.Root(p)->hwnd;
  }
  return true;
}

void InitRecord(WindowRec& rec, const std::shared_ptr<WindowClass>& cls, DWORD style, DWORD exStyle,
                HWND parentHandle, HWND owner, HMENU menuOrId) {
  rec.cls = cls;
  rec.proc = cls->wc.lpfnWndProc;
  // Visibility and the minimised or maximised state come later, through
  // ShowWindow, so the window hears about them.
  rec.style = style & ~(WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);
  rec.exStyle = exStyle;
  rec.parent = parentHandle;
  rec.owner = owner;
  rec.extra.assign(std::size_t(cls->wc.cbWndExtra), 0);
  if (style & WS_CHILD)
    rec.id = LONG_PTR(menuOrId.value);
  else
    rec.menu = menuOrId;
}

// The first rectangle: defaults filled in, kept inside the coordinate range,
// and a sizable or overlapped top-level window within its tracking sizes.
RECT InitialRect(HWND h, DWORD style, int x, int y, int width, int height) {
  RECT screen = WS().backend().WorkArea();
  if (x == CW_USEDEFAULT) {
    if (style & WS_CHILD) {
      x = y = 0;
    } else {
      // Cascade new windows from the work area's corner.
      static int cascade = 0;
      int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
      x = screen.left + step * (cascade % 8);
      y = screen.top + step * (cascade % 8);
      ++cascade;
    }
  }
  if (width == CW_USEDEFAULT) {
    width = (style & WS_CHILD) ? 0 : screen.Width() * 3 / 4;
    height = (style & WS_CHILD) ? 0 : screen.Height() * 3 / 4;
  }
  width = std::clamp(width, 0, Region::kLimit / 4);
  height = std::clamp(height, 0, Region::kLimit / 4);
  x = std::clamp(x, -Region::kLimit / 4, Region::kLimit / 4);
  y = std::clamp(y, -Region::kLimit / 4, Region::kLimit / 4);
  if (!(style & WS_CHILD) && ((style & WS_THICKFRAME) || !(style & WS_POPUP))) {
    MINMAXINFO mmi = GetMinMax(h);
    width = std::clamp(width, std::min(mmi.ptMinTrackSize.x, width), mmi.ptMaxTrackSize.x);
    height = std::clamp(height, std::min(mmi.ptMinTrackSize.y, height), mmi.ptMaxTrackSize.y);
  }
  return RECT{x, y, x + width, y + height};
}

void LinkIntoParent(WindowRec& rec) {
  auto& ws = WS();
  WindowRec* p = ws.Get(rec.parent);
  if (rec.parent == ws.desktop)
    InsertTopLevel(*p, rec);
  else
    p->children.insert(p->children.begin(), rec.hwnd);
}

// WM_NCCREATE, the client area, WM_CREATE, then the first size and place.
// False when the window refused creation or is gone.
bool SendCreation(const std::shared_ptr<WindowRec>& rec, CREATESTRUCT& cs) {
  auto& ws = WS();
  HWND h = rec->hwnd;
  if (!Send(rec.get(), WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    DestroyWindow(h);
    return false;
  }
  if (!ws.Find(h)) return false;
  rec->created = true;
  RecalcClient(*rec);
  if (Send(rec.get(), WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1 || !ws.Find(h)) {
    DestroyWindow(h);
    return false;
  }
  Send(rec.get(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(rec->client.Width(), rec->client.Height()));
  Send(rec.get(), WM_MOVE, 0, MAKELPARAM(rec->client.left, rec->client.top));
  return ws.Find(h) != nullptr;
}

// The state the creation styles asked for: maximised, minimised, visible.
void ShowAsCreated(const WindowRec& rec, DWORD style) {
  auto& ws = WS();
  HWND h = rec.hwnd;
  bool wantVisible = style & WS_VISIBLE;
  if (style & WS_MAXIMIZE)
    ShowWindow(h, wantVisible ? SW_SHOWMAXIMIZED : SW_MAXIMIZE);
  else if (style & WS_MINIMIZE)
    ShowWindow(h, SW_SHOWMINNOACTIVE);
  if (wantVisible && ws.Find(h) && !(rec.style & WS_VISIBLE))
    ShowWindow(h, (style & WS_CHILD) ? SW_SHOWNOACTIVATE : SW_SHOW);
}

}  // namespace

HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, HMENU menuOrId, void* param) {
  auto& ws = WS();
  ws.backend();  // the desktop's size comes from the backend
  auto cls = FindClass(className);
  if (!cls) return HWND{};
  HWND parentHandle, owner;
  if (!ResolveParent(style, parent, parentHandle, owner)) return HWND{};
  if (!(style & (WS_CHILD | WS_POPUP))) {
    // Overlapped windows always have a caption.
    style |= WS_CAPTION | WS_CLIPSIBLINGS;
    exStyle |= WS_EX_WINDOWEDGE;
  }
  auto rec = ws.NewWindow();
  if (!rec) return HWND{};
  HWND h = rec->hwnd;
  InitRecord(*rec, cls, style, exStyle, parentHandle, owner, menuOrId);
  rec->window = InitialRect(h, style, x, y, width, height);
  rec->client = rec->window;
  rec->normal = rec->window;
  LinkIntoParent(*rec);

  CREATESTRUCT cs;
  cs.lpCreateParams = param;
  cs.hMenu = menuOrId;
  cs.hwndParent = (style & WS_CHILD) ? parentHandle : owner;
  cs.x = rec->window.left, cs.y = rec->window.top;
  cs.cx = rec->window.Width(), cs.cy = rec->window.Height();
  cs.style = style;
  cs.lpszName = windowName;
  cs.lpszClass = className;
  cs.dwExStyle = exStyle;
  if (!SendCreation(rec, cs)) return HWND{};
  if ((style & WS_CHILD) && !(exStyle & WS_EX_NOPARENTNOTIFY))
    SendMessage(parentHandle, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, unsigned(rec->id)),
                LPARAM(h.value));
  if (!ws.Find(h)) return HWND{};
  ShowAsCreated(*rec, style);
  return ws.Find(h) ? h : HWND{};
}

BOOL DestroyWindow(HWND h) {
  auto& ws = WS();
  auto w = ws.Find(h);
  if (!w || h == ws.desktop) return FALSE;
  if (w->destroying) return TRUE;
  w->destroying = true;
  if (ws.IsTopLevel(*w)) {
    for (HWND t : ws.TopLevels())
      if (WindowRec* o = ws.Get(t); o && o->owner == h) DestroyWindow(t);
  }
  if (!ws.Find(h)) return TRUE;
  if (w->style & WS_VISIBLE) {
    SetWindowPos(h, HWND{}, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (ws.capture && ws.IsDescendant(h, ws.capture)) ReleaseCapture();
  if (ws.active == h) ActivateNext(h);
  if (ws.focus && ws.IsDescendant(h, ws.focus)) {
    if (ws.IsTopLevel(*w))
      SetFocus(HWND{});
    else
      SetFocus(w->parent);
  }
  if (!ws.IsTopLevel(*w) && !(w->exStyle & WS_EX_NOPARENTNOTIFY))
    SendMessage(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, unsigned(w->id)),
                LPARAM(h.value));
  SendDestroyTree(h);
  FinishDestroyTree(h);
  return TRUE;
}

// ---------------------------------------------------------------- queries

BOOL IsWindow(HWND h) {
  return WS().Get(h) != nullptr;
}

BOOL IsWindowVisible(HWND h) {
  WindowRec* w = WS().Get(h);
  return w && WS().ReallyVisible(*w);
}

BOOL IsWindowEnabled(HWND h) {
  WindowRec* w = WS().Get(h);
  return w && !(w->style & WS_DISABLED);
}

BOOL IsChild(HWND parent, HWND h) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  if (!w || !ws.Get(parent) || parent == h) return FALSE;
  while (w && (w->style & WS_CHILD)) {
    if (w->parent == parent) return TRUE;
    w = ws.Get(w->parent);
  }
  return FALSE;
}

BOOL IsIconic(HWND h) {
  WindowRec* w = WS().Get(h);
  return w && (w->style & WS_MINIMIZE);
}

BOOL IsZoomed(HWND h) {
  WindowRec* w = WS().Get(h);
  return w && (w->style & WS_MAXIMIZE);
}

HWND GetDesktopWindow() {
  return WS().desktop;
}

HWND GetParent(HWND h) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  if (!w) return HWND{};
  if (w->style & WS_CHILD) return w->parent;
  if (w->style & WS_POPUP) return w->owner;
  return HWND{};
}

HWND SetParent(HWND h, HWND newParent) {
  auto& ws = WS();
  auto w = ws.Find(h);
  if (!w || h == ws.desktop) return HWND{};
  HWND target = newParent ? newParent : ws.desktop;
  WindowRec* np = ws.Get(target);
  if (!np || ws.IsDescendant(h, target)) return HWND{};  // no cycles
  HWND old = w->parent;
  if (old == target) return old;
  bool visible = w->style & WS_VISIBLE;
  if (visible)
    SetWindowPos(h, HWND{}, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (WindowRec* op = ws.Get(old)) std::erase(op->children, h);
  w->parent = target;
  if (target == ws.desktop) {
    w->style &= ~WS_CHILD;
    InsertTopLevel(*np, *w);
  } else {
    w->style |= WS_CHILD;
    w->owner = HWND{};
    np->children.insert(np->children.begin(), h);
    w->picture.Resize(0, 0);
  }
  RecalcClient(*w);
  if (visible)
    SetWindowPos(h, HWND{}, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return old == ws.desktop ? ws.desktop : old;
}

HWND GetAncestor(HWND h, UINT kind) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  if (!w || h == ws.desktop) return HWND{};
  switch (kind) {
    case GA_PARENT:
      return w->parent;
    case GA_ROOT:
      return ws.Root(w)->hwnd;
    case GA_ROOTOWNER: {
      WindowRec* r = ws.Root(w);
      while (WindowRec* o = ws.Get(r->owner)) r = o;
      return r->hwnd;
    }
  }
  return HWND{};
}

HWND GetWindow(HWND h, UINT relation) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  if (!w) return HWND{};
  if (relation == GW_CHILD) return w->children.empty() ? HWND{} : w->children.front();
  if (relation == GW_OWNER) return w->owner;
  if (relation == GW_ENABLEDPOPUP) {
    for (HWND t : ws.TopLevels())
      if (WindowRec* o = ws.Get(t);
          o && o->owner == h && (o->style & WS_VISIBLE) && !(o->style & WS_DISABLED))
        return t;
    return HWND{};
  }
  WindowRec* p = ws.Get(w->parent);
  if (!p) return HWND{};
  const auto& sibs = p->children;
  auto it = std::find(sibs.begin(), sibs.end(), h);
  if (it == sibs.end()) return HWND{};
  switch (relation) {
    case GW_HWNDFIRST:
      return sibs.front();
    case GW_HWNDLAST:
      return sibs.back();
    case GW_HWNDNEXT:
      return std::next(it) == sibs.end() ? HWND{} : *std::next(it);
    case GW_HWNDPREV:
      return it == sibs.begin() ? HWND{} : *std::prev(it);
  }
  return HWND{};
}

HWND GetTopWindow(HWND h) {
  auto& ws = WS();
  WindowRec* w = h ? ws.Get(h) : ws.Get(ws.desktop);
  if (!w || w->children.empty()) return HWND{};
  return w->children.front();
}

HWND GetDlgItem(HWND parent, int id) {
  WindowRec* p = WS().Get(parent);
  if (!p) return HWND{};
  for (HWND c : p->children)
    if (WindowRec* w = WS().Get(c); w && w->id == id) return c;
  return HWND{};
}

int GetDlgCtrlID(HWND h) {
  WindowRec* w = WS().Get(h);
  return w && (w->style & WS_CHILD) ? int(w->id) : 0;
}

namespace {

// False once fn asked to stop.
bool EnumTree(HWND parent, const std::function<bool(HWND)>& fn) {
  auto& ws = WS();
  WindowRec* p = ws.Get(parent);
  if (!p) return true;
  std::vector<HWND> kids = p->children;
  for (HWND c : kids) {
    if (!ws.Get(c)) continue;
    if (!fn(c) || !EnumTree(c, fn)) return false;
  }
  return true;
}

}  // namespace

BOOL EnumChildWindows(HWND parent, const std::function<bool(HWND)>& fn) {
  if (!WS().Get(parent) || !fn) return FALSE;
  return EnumTree(parent, fn) ? TRUE : FALSE;
}

BOOL EnumWindows(const std::function<bool(HWND)>& fn) {
  if (!fn) return FALSE;
  for (HWND t : WS().TopLevels())
    if (WS().Get(t) && !fn(t)) return FALSE;
  return TRUE;
}

// ---------------------------------------------------------------- window data

LONG_PTR GetWindowLongPtr(HWND h, int index) {
  WindowRec* w = WS().Get(h);
  if (!w) return 0;
  switch (index) {
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_STYLE:
      return LONG_PTR(w->style);
    case GWL_EXSTYLE:
      return LONG_PTR(w->exStyle);
    case GWLP_USERDATA:
      return w->userData;
    case GWLP_ID:
      return w->id;
    case GWLP_HWNDPARENT:
      return LONG_PTR((w->style & WS_CHILD) ? w->parent.value : w->owner.value);
    case GWLP_HINSTANCE:
      return 0;
  }
  if (index >= 0 && std::size_t(index) + sizeof(LONG_PTR) <= w->extra.size()) {
    LONG_PTR v;
    std::memcpy(&v, w->extra.data() + index, sizeof v);
    return v;
  }
  return 0;
}

LONG_PTR SetWindowLongPtr(HWND h, int index, LONG_PTR value) {
  auto& ws = WS();
  WindowRec* w = ws.Get(h);
  if (!w || h == ws.desktop) return 0;
  LONG_PTR old = GetWindowLongPtr(h, index);
  switch (index) {
    case GWLP_WNDPROC:
      if (!value) return 0;  // a window always has a procedure
      w->proc = reinterpret_cast<WNDPROC>(value);
      return old;
    case GWL_STYLE: {
      // Visibility and the child bit change only through their own calls.
      DWORD keep = WS_VISIBLE | WS_CHILD;
      w->style = (DWORD(value) & ~keep) | (w->style & keep);
      return old;
    }
    case GWL_EXSTYLE:
      w->exStyle = DWORD(value);
      return old;
    case GWLP_USERDATA:
      w->userData = value;
      return old;
    case GWLP_ID:
      w->id = value;
      return old;
    case GWLP_HWNDPARENT: {
      if (w->style & WS_CHILD) return 0;
      HWND o{std::uint32_t(value)};
      if (o && !ws.Get(o)) return 0;
      HWND root = o ? ws.Root(ws.Get(o))->hwnd : HWND{};
      if (root == h) return 0;
      w->owner = root;
      return old;
    }
  }
  if (index >= 0 && std::size_t(index) + sizeof(LONG_PTR) <= w->extra.size()) {
    std::memcpy(w->extra.data() + index, &value, sizeof value);
    return old;
  }
  return 0;
}

BOOL SetProp(HWND h, const char* name, LONG_PTR value) {
  WindowRec* w = WS().Get(h);
  if (!w || !name) return FALSE;
  for (auto& [k, v] : w->props)
    if (k == name) return v = value, TRUE;
  w->props.emplace_back(name, value);
  return TRUE;
}

LONG_PTR GetProp(HWND h, const char* name) {
  WindowRec* w = WS().Get(h);
  if (!w || !name) return 0;
  for (auto& [k, v] : w->props)
    if (k == name) return v;
  return 0;
}

LONG_PTR RemoveProp(HWND h, const char* name) {
  WindowRec* w = WS().Get(h);
  if (!w || !name) return 0;
  for (auto it = w->props.begin(); it != w->props.end(); ++it) {
    if (it->first == name) {
      LONG_PTR v = it->second;
      w->props.erase(it);
      return v;
    }
  }
  return 0;
}

// ---------------------------------------------------------------- text

BOOL SetWindowText(HWND h, const char* text) {
  if (!IsWindow(h)) return FALSE;
  return SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowText(HWND h, char* buffer, int size) {
  if (!buffer || size <= 0 || !IsWindow(h)) return 0;
  buffer[0] = 0;
  return int(SendMessage(h, WM_GETTEXT, WPARAM(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND h) {
  if (!IsWindow(h)) return 0;
  return int(SendMessage(h, WM_GETTEXTLENGTH, 0, 0));
}

std::string GetWindowTextString(HWND h) {
  int n = GetWindowTextLength(h);
  if (n <= 0) return {};
  std::string s(std::size_t(n) + 1, '\0');
  int got = GetWindowText(h, s.data(), n + 1);
  s.resize(std::size_t(std::max(got, 0)));
  return s;
}

// ---------------------------------------------------------------- menus

BOOL SetMenu(HWND h, HMENU menu) {
  WindowRec* w = WS().Get(h);
  if (!w || (w->style & WS_CHILD)) return FALSE;
  w->menu = menu;
  SetWindowPos(h, HWND{}, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

HMENU GetMenu(HWND h) {
  WindowRec* w = WS().Get(h);
  return w && !(w->style & WS_CHILD) ? w->menu : HMENU{};
}

BOOL DrawMenuBar(HWND h) {
  WindowRec* w = WS().Get(h);
  if (!w || (w->style & WS_CHILD)) return FALSE;
  return RedrawWindow(h, nullptr, HRGN{}, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void SetFirstTabStopFinder(HWND (*finder)(HWND)) {
  WS().firstTabStop = finder;
}

void SetMenuHandler(MenuHandler* handler) {
  WS().menuHandler = handler;
}

}  // namespace platform
