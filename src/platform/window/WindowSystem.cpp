#include "platform/window/WindowSystem.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace platform {

namespace {

std::unique_ptr<WindowSystem>& Instance() {
  static std::unique_ptr<WindowSystem> instance;
  return instance;
}

LRESULT DesktopProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND || msg == WM_NCHITTEST) return msg == WM_NCHITTEST ? HTCLIENT : 1;
  return DefWindowProc(hwnd, msg, wp, lp);
}

void InitDesktop(WindowSystem& ws) {
  auto cls = std::make_shared<WindowClass>();
  cls->name = "#32769";
  cls->wc.lpfnWndProc = DesktopProc;
  auto d = ws.NewWindow();
  d->cls = cls;
  d->proc = DesktopProc;
  d->style = WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  d->created = true;
  ws.desktop = d->hwnd;
}

}  // namespace

WindowSystem& WindowSystem::Get() {
  auto& inst = Instance();
  if (!inst) {
    inst = std::make_unique<WindowSystem>();
    InitDesktop(*inst);
  }
  return *inst;
}

Backend& WindowSystem::backend() {
  // The program chooses its display; the window system never picks one.
  if (!backend_) throw std::logic_error("no display backend is installed");
  return *backend_;
}

void WindowSystem::Reset(std::unique_ptr<Backend> backend) {
  auto& inst = Instance();
  if (inst) {
    // Let the old windows go the usual way so their procedures can clean up.
    for (HWND h : inst->TopLevels()) DestroyWindow(h);
    ReleaseCapture();
  }
  inst = std::make_unique<WindowSystem>();
  InitDesktop(*inst);
  inst->backend_ = std::move(backend);
  if (inst->backend_) {
    WindowRec* d = inst->Get(inst->desktop);
    d->window = d->client = inst->backend_->ScreenRect();
  }
}

void InstallBackend(std::unique_ptr<Backend> backend) {
  WindowSystem::Reset(std::move(backend));
}

const char* InstalledBackendName() {
  auto& ws = WindowSystem::Get();
  return ws.HasBackend() ? ws.backend().Name() : "none";
}

std::shared_ptr<WindowRec> WindowSystem::Find(HWND h) const {
  std::uint32_t index = h.value & 0xFFFF;
  std::uint32_t gen = h.value >> 16;
  if (index == 0 || index >= slots_.size() || gen == 0) return nullptr;
  if (generations_[index] != gen) return nullptr;
  const auto& rec = slots_[index];
  if (!rec || rec->destroyed) return nullptr;
  return rec;
}

std::shared_ptr<WindowRec> WindowSystem::NewWindow() {
  std::uint32_t index;
  if (!freeSlots_.empty()) {
    index = freeSlots_.back();
    freeSlots_.pop_back();
  } else {
    if (slots_.empty()) {
      slots_.emplace_back();  // index 0 is never a window
      generations_.push_back(0);
    }
    if (slots_.size() >= 0xFFFF) return nullptr;
    index = std::uint32_t(slots_.size());
    slots_.emplace_back();
    generations_.push_back(0);
  }
  std::uint16_t gen = std::uint16_t(generations_[index] % 0x7FFF + 1);
  generations_[index] = gen;
  auto rec = std::make_shared<WindowRec>();
  rec->hwnd = HWND{(std::uint32_t(gen) << 16) | index};
  slots_[index] = rec;
  return rec;
}

void WindowSystem::FreeWindow(HWND h) {
  std::uint32_t index = h.value & 0xFFFF;
  if (index == 0 || index >= slots_.size() || !slots_[index]) return;
  slots_[index]->destroyed = true;
  slots_[index].reset();
  freeSlots_.push_back(index);
}

WindowRec* WindowSystem::Root(WindowRec* w) const {
  while (w && w->parent && w->parent != desktop) w = Get(w->parent);
  return w;
}

bool WindowSystem::IsDescendant(HWND ancestor, HWND h) const {
  for (WindowRec* w = Get(h); w; w = Get(w->parent))
    if (w->hwnd == ancestor) return true;
  return false;
}

bool WindowSystem::ReallyVisible(const WindowRec& w) const {
  const WindowRec* cur = &w;
  while (cur && cur->hwnd != desktop) {
    if (!(cur->style & WS_VISIBLE)) return false;
    cur = Get(cur->parent);
  }
  return cur != nullptr;
}

POINT WindowSystem::ClientOrigin(const WindowRec& w) const {
  POINT p{w.client.left, w.client.top};
  for (const WindowRec* cur = Get(w.parent); cur && cur->hwnd != desktop; cur = Get(cur->parent)) {
    p.x += cur->client.left;
    p.y += cur->client.top;
  }
  return p;
}

RECT WindowSystem::ScreenWindowRect(const WindowRec& w) const {
  RECT r = w.window;
  if (WindowRec* p = Get(w.parent); p && p->hwnd != desktop) {
    POINT o = ClientOrigin(*p);
    OffsetRect(&r, o.x, o.y);
  }
  return r;
}

RECT WindowSystem::ScreenClientRect(const WindowRec& w) const {
  POINT o = ClientOrigin(w);
  return RECT{o.x, o.y, o.x + w.client.Width(), o.y + w.client.Height()};
}

POINT WindowSystem::OffsetInRoot(const WindowRec& w) const {
  WindowRec* root = Root(const_cast<WindowRec*>(&w));
  RECT a = ScreenWindowRect(w), b = ScreenWindowRect(*root);
  return POINT{a.left - b.left, a.top - b.top};
}

std::vector<HWND> WindowSystem::TopLevels() const {
  WindowRec* d = Get(desktop);
  return d ? d->children : std::vector<HWND>{};
}

namespace {

// The area a window covers, in its root's coordinates.
Region CoverInRoot(const WindowRec& w, POINT o) {
  if (w.shape) {
    Region r = *w.shape & Region(0, 0, w.window.Width(), w.window.Height());
    r.Offset(o.x, o.y);
    return r;
  }
  return Region(o.x, o.y, o.x + w.window.Width(), o.y + w.window.Height());
}

Region CoverInRoot(const WindowSystem& ws, const WindowRec& w) {
  return CoverInRoot(w, ws.OffsetInRoot(w));
}

// Takes what `other` covers (only inside `within`, when given) out of `rgn`. Most windows of a
// dialog lie wholly apart from any one of them: their rectangle alone says so, which spares
// building and combining a region per window.
void TakeOut(const WindowSystem& ws, Region& rgn, const WindowRec& other,
             const Region* within = nullptr) {
  if (rgn.IsEmpty()) return;
  const POINT o = ws.OffsetInRoot(other);
  const RECT box{o.x, o.y, o.x + other.window.Width(), o.y + other.window.Height()};
  RECT both;
  if (!IntersectRect(&both, box, rgn.Bounds())) return;
  if (!within) {
    rgn -= CoverInRoot(other, o);
    return;
  }
  rgn -= CoverInRoot(other, o) & *within;
}

}  // namespace

Region WindowSystem::VisibleRegion(const WindowRec& w, bool clientOnly, bool clipChildren) const {
  if (!ReallyVisible(w)) return Region();
  Region rgn = CoverInRoot(*this, w);
  if (clientOnly) {
    POINT o = OffsetInRoot(w);
    int cx = o.x + w.client.left - w.window.left, cy = o.y + w.client.top - w.window.top;
    rgn &= Region(cx, cy, cx + w.client.Width(), cy + w.client.Height());
  }
  const WindowRec* cur = &w;
  while (cur->parent != desktop) {
    const WindowRec* parent = Get(cur->parent);
    if (!parent) return Region();
    POINT po = OffsetInRoot(*parent);
    int cx = po.x + parent->client.left - parent->window.left;
    int cy = po.y + parent->client.top - parent->window.top;
    rgn &= Region(cx, cy, cx + parent->client.Width(), cy + parent->client.Height());
    for (HWND s : parent->children) {
      if (s == cur->hwnd) break;
      const WindowRec* sib = Get(s);
      if (sib && (sib->style & WS_VISIBLE)) TakeOut(*this, rgn, *sib);
    }
    if (parent->shape) rgn &= CoverInRoot(*this, *parent);
    cur = parent;
  }
  if (clipChildren) {
    // A child shows only inside the client area: where it hangs over the
    // frame (a window made smaller than its contents) the frame is painted.
    POINT o = OffsetInRoot(w);
    int cx = o.x + w.client.left - w.window.left, cy = o.y + w.client.top - w.window.top;
    const Region client(cx, cy, cx + w.client.Width(), cy + w.client.Height());
    for (HWND c : w.children) {
      const WindowRec* child = Get(c);
      if (child && (child->style & WS_VISIBLE)) TakeOut(*this, rgn, *child, &client);
    }
  }
  return rgn;
}

}  // namespace platform
