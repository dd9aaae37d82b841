// Sending and posting, the message loop's get/peek/translate/dispatch, and
// timers. Posted messages come first, then input, then the quit request,
// then paint and timer messages, which are made up when nothing else waits.
#include <algorithm>
#include <thread>

#include "platform/window/Input.h"
#include "platform/window/LoopControl.h"
#include "platform/window/WindowSystem.h"

namespace platform {

namespace {

// Deep enough for any sane nesting; a procedure that recurses without end
// gets 0 instead of overflowing the stack.
constexpr int kMaxSendDepth = 1000;

bool InRange(UINT m, UINT lo, UINT hi) {
  return (lo == 0 && hi == 0) || (m >= lo && m <= hi);
}

bool ForWindow(HWND filter, HWND h) {
  if (!filter) return true;
  return h == filter || IsChild(filter, h);
}

void Stamp(MSG* msg) {
  auto& ws = WS();
  msg->time = DWORD(ws.Now());
  msg->pt = ws.cursorPos;
}

// The next moment a timer this loop can receive falls due; timers the
// filter leaves out must not wake it (it would spin on them).
std::optional<std::uint64_t> NextTimerDue(HWND filter, UINT lo, UINT hi) {
  auto& ws = WS();
  std::optional<std::uint64_t> due;
  if (!InRange(WM_TIMER, lo, hi)) return due;
  for (const Timer& t : ws.timers)
    if (ForWindow(filter, t.hwnd) && (!due || t.due < *due)) due = t.due;
  return due;
}

bool Retrieve(MSG* msg, HWND filter, UINT lo, UINT hi, bool remove) {
  auto& ws = WS();
  ws.backend().Poll();
  {
    std::lock_guard guard(ws.lock);
    for (auto it = ws.posted.begin(); it != ws.posted.end(); ++it) {
      if (!ForWindow(filter, it->hwnd) || !InRange(it->message, lo, hi)) continue;
      *msg = *it;
      if (remove) ws.posted.erase(it);
      return true;
    }
  }
  while (!ws.input.empty()) {
    MSG peek;
    if (!CookInput(ws.input.front(), &peek, false)) {
      // Nobody receives it, but reading it still has its effects (key
      // state, leave tracking, a click on a disabled owner).
      RawInput raw = ws.input.front();
      ws.input.pop_front();
      CookInput(raw, &peek, true);
      continue;
    }
    if (!ForWindow(filter, peek.hwnd) || !InRange(peek.message, lo, hi)) break;
    if (!remove) {
      *msg = peek;
      return true;
    }
    RawInput raw = ws.input.front();
    ws.input.pop_front();
    if (CookInput(raw, msg, true)) return true;
  }
  {
    std::lock_guard guard(ws.lock);
    if (ws.quit && !filter) {
      *msg = MSG{};
      msg->message = WM_QUIT;
      msg->wParam = WPARAM(ws.quitCode);
      if (remove) ws.quit = false;
      Stamp(msg);
      return true;
    }
  }
  if (InRange(WM_PAINT, lo, hi)) {
    HWND h = NextWindowToPaint(filter);
    if (h) {
      *msg = MSG{};
      msg->hwnd = h;
      msg->message = WM_PAINT;
      Stamp(msg);
      return true;
    }
  }
  if (InRange(WM_TIMER, lo, hi)) {
    std::uint64_t now = ws.Now();
    Timer* best = nullptr;
    for (Timer& t : ws.timers)
      if (t.due <= now && ForWindow(filter, t.hwnd) && (!best || t.due < best->due)) best = &t;
    if (best) {
      *msg = MSG{};
      msg->hwnd = best->hwnd;
      msg->message = WM_TIMER;
      msg->wParam = best->id;
      msg->lParam = reinterpret_cast<LPARAM>(best->proc);
      Stamp(msg);
      // One tick however late we are; the next falls an interval from now.
      if (remove) best->due = now + best->interval;
      return true;
    }
  }
  return false;
}

}  // namespace

LRESULT Send(WindowRec* w, UINT msg, WPARAM wp, LPARAM lp) {
  auto& ws = WS();
  if (!w || w->destroyed || !w->proc) return 0;
  if (ws.sendDepth >= kMaxSendDepth) return 0;
  auto keep = ws.Find(w->hwnd);  // alive until the call returns
  if (!keep) return 0;
  ++ws.sendDepth;
  LRESULT r = keep->proc(keep->hwnd, msg, wp, lp);
  --ws.sendDepth;
  return r;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto& ws = WS();
  if (!proc || !ws.Get(hwnd) || ws.sendDepth >= kMaxSendDepth) return 0;
  ++ws.sendDepth;
  LRESULT r = proc(hwnd, msg, wp, lp);
  --ws.sendDepth;
  return r;
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto& ws = WS();
  if (hwnd == HWND_BROADCAST) {
    for (HWND t : ws.TopLevels()) Send(ws.Get(t), msg, wp, lp);
    return 1;
  }
  return Send(ws.Get(hwnd), msg, wp, lp);
}

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto& ws = WS();
  bool mainThread = std::this_thread::get_id() == ws.uiThread;
  if (hwnd == HWND_BROADCAST) {
    if (!mainThread) return FALSE;
    for (HWND t : ws.TopLevels()) PostMessage(t, msg, wp, lp);
    return TRUE;
  }
  // Other threads cannot look at the window table; their messages are
  // checked when dispatched instead.
  if (mainThread && hwnd && !ws.Get(hwnd)) return FALSE;
  MSG m;
  m.hwnd = hwnd;
  m.message = msg;
  m.wParam = wp;
  m.lParam = lp;
  if (mainThread) Stamp(&m);
  {
    std::lock_guard guard(ws.lock);
    ws.posted.push_back(m);
  }
  ws.backend().Wake();
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  auto& ws = WS();
  {
    std::lock_guard guard(ws.lock);
    ws.quit = true;
    ws.quitCode = exitCode;
  }
  ws.backend().Wake();
}

void RemoveWindowMessages(HWND h) {
  auto& ws = WS();
  std::lock_guard guard(ws.lock);
  std::erase_if(ws.posted, [&](const MSG& m) { return m.hwnd == h; });
}

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT lo, UINT hi, UINT flags) {
  if (!msg || (hwnd && !IsWindow(hwnd))) return FALSE;
  if (!Retrieve(msg, hwnd, lo, hi, flags & PM_REMOVE)) return FALSE;
  if (flags & PM_REMOVE) WS().lastMessage = *msg;
  return TRUE;
}

BOOL GetMessage(MSG* msg, HWND hwnd, UINT lo, UINT hi) {
  if (!msg || (hwnd && !IsWindow(hwnd))) return -1;
  auto& ws = WS();
  for (;;) {
    if (Retrieve(msg, hwnd, lo, hi, true)) {
      ws.lastMessage = *msg;
      return msg->message != WM_QUIT;
    }
    PresentAll();
    if (Retrieve(msg, hwnd, lo, hi, true)) {
      ws.lastMessage = *msg;
      return msg->message != WM_QUIT;
    }
    if (hwnd && !IsWindow(hwnd)) return -1;  // its window went away meanwhile
    WaitForWork(NextTimerDue(hwnd, lo, hi));
  }
}

BOOL WaitMessage() {
  MSG m;
  if (Retrieve(&m, HWND{}, 0, 0, false)) return TRUE;
  PresentAll();
  WaitForWork(NextTimerDue(HWND{}, 0, 0));
  return TRUE;
}

void WaitForWork(std::optional<std::uint64_t> deadline) {
  auto& ws = WS();
  if (ws.idleHook && !ws.inIdleHook) {
    // Kept alive while it runs: the hook may replace itself. Not a copy, so
    // a hook keeps its own state from call to call.
    std::shared_ptr<std::function<bool()>> hook = ws.idleHook;
    struct Running {
      bool& flag;
      explicit Running(bool& f) : flag(f) { flag = true; }
      ~Running() { flag = false; }
    };
    bool acted;
    {
      Running running(ws.inIdleHook);
      acted = (*hook)();
    }
    if (acted) return;
  }
  ws.backend().Wait(deadline);
}

std::optional<std::uint64_t> GetNextTimerDue() {
  return NextTimerDue(HWND{}, 0, 0);
}

void PresentWindows() {
  PresentAll();
}

void SetIdleHook(std::function<bool()> hook) {
  if (hook)
    WS().idleHook = std::make_shared<std::function<bool()>>(std::move(hook));
  else
    WS().idleHook.reset();
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  unsigned ch = CharForKey(int(msg->wParam));
  if (!ch) return FALSE;
  // The display types the printable text itself, by its own layout.
  if ((msg->lParam & kKeyTextApart) && msg->message == WM_KEYDOWN && ch >= 0x20 && ch != 0x7F)
    return FALSE;
  MSG m = *msg;
  m.message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  m.wParam = ch;
  auto& ws = WS();
  std::lock_guard guard(ws.lock);
  ws.posted.push_front(m);  // the character comes right after its key
  return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
  auto& ws = WS();
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    // Only a timer that still exists with that procedure is called.
    for (const Timer& t : ws.timers) {
      if (t.hwnd == msg->hwnd && t.id == msg->wParam &&
          reinterpret_cast<LPARAM>(t.proc) == msg->lParam) {
        TIMERPROC proc = t.proc;
        proc(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
        return 0;
      }
    }
    return 0;
  }
  WindowRec* w = ws.Get(msg->hwnd);
  if (!w) return 0;
  if (msg->message == WM_PAINT) {
    HWND h = msg->hwnd;
    Region before = w->update;
    std::uint32_t paints = w->paints;
    LRESULT r = Send(w, WM_PAINT, 0, 0);
    // A procedure that never called BeginPaint would get WM_PAINT forever
    // and starve the timers: what was invalid when it was called counts as
    // painted. Whatever it invalidated meanwhile stays.
    if (WindowRec* after = ws.Get(h); after && after->paints == paints) {
      after->update -= before;
      after->internalPaint = false;
      if (after->update.IsEmpty()) after->erase = after->ncPaint = false;
    }
    return r;
  }
  return Send(w, msg->message, msg->wParam, msg->lParam);
}

DWORD GetMessageTime() {
  return WS().lastMessage.time;
}

DWORD GetMessagePos() {
  POINT p = WS().lastMessage.pt;
  return DWORD((unsigned(p.x) & 0xFFFF) | ((unsigned(p.y) & 0xFFFF) << 16));
}

DWORD GetTickCount() {
  return DWORD(WS().Now());
}

int WindowCount() {
  return WS().LiveWindows();
}

int TimerCount() {
  return int(WS().timers.size());
}

// ---------------------------------------------------------------- timers

std::uintptr_t SetTimer(HWND hwnd, std::uintptr_t id, UINT elapse, TIMERPROC proc) {
  auto& ws = WS();
  if (hwnd && !ws.Get(hwnd)) return 0;
  if (!hwnd) {
    bool exists = std::any_of(ws.timers.begin(), ws.timers.end(),
                              [&](const Timer& t) { return !t.hwnd && t.id == id && id; });
    if (!exists) id = ++ws.nextTimerId;
  }
  // Very short intervals are raised to 10 ms so a timer cannot flood the loop.
  elapse = std::clamp<UINT>(elapse, 10, 0x7FFFFFFF);
  std::uint64_t due = ws.Now() + elapse;
  for (Timer& t : ws.timers) {
    if (t.hwnd == hwnd && t.id == id) {
      t.interval = elapse;
      t.due = due;
      t.proc = proc;
      return id ? id : 1;
    }
  }
  ws.timers.push_back(Timer{hwnd, id, elapse, due, proc});
  return id ? id : 1;
}

BOOL KillTimer(HWND hwnd, std::uintptr_t id) {
  auto& ws = WS();
  auto n = std::erase_if(ws.timers, [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
  return n ? TRUE : FALSE;
}

}  // namespace platform
