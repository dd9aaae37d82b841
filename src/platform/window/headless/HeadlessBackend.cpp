#include "platform/window/headless/HeadlessBackend.h"

#include <algorithm>
#include <chrono>

#include "platform/gdi/Gdi.h"
#include "platform/window/BackendChoice.h"
#include "platform/window/Input.h"
#include "platform/window/WindowSystem.h"
#include "platform/window/headless/ScreenCompositor.h"

namespace platform {

namespace {

std::uint64_t SteadyMs() {
  using namespace std::chrono;
  return std::uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

struct KeyFor {
  int vk = 0;
  bool shift = false;
};

// The US keyboard key that types a character, if any.
KeyFor KeyForChar(unsigned char c) {
  if (c >= 'a' && c <= 'z') return {c - 'a' + 'A', false};
  if (c >= 'A' && c <= 'Z') return {int(c), true};
  if (c >= '0' && c <= '9') return {int(c), false};
  static const char kShiftedDigits[] = ")!@#$%^&*(";
  for (int i = 0; i < 10; ++i)
    if (c == static_cast<unsigned char>(kShiftedDigits[i])) return {'0' + i, true};
  switch (c) {
    case ' ':
      return {VK_SPACE, false};
    case '\r':
    case '\n':
      return {VK_RETURN, false};
    case '\t':
      return {VK_TAB, false};
    case 8:
      return {VK_BACK, false};
    case 27:
      return {VK_ESCAPE, false};
  }
  struct Pair {
    int vk;
    char plain, shifted;
  };
  static const Pair kOem[] = {
      {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'},
      {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
      {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},      {VK_OEM_5, '\\', '|'},
      {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'}};
  for (const Pair& p : kOem) {
    if (c == static_cast<unsigned char>(p.plain)) return {p.vk, false};
    if (c == static_cast<unsigned char>(p.shifted)) return {p.vk, true};
  }
  return {};
}

}  // namespace

HeadlessBackend::HeadlessBackend(const HeadlessOptions& options) : options_(options) {
  options_.width = std::clamp(options_.width, 1, 16384);
  options_.height = std::clamp(options_.height, 1, 16384);
  options_.taskbarHeight = std::clamp(options_.taskbarHeight, 0, options_.height - 1);
  screen_.Resize(options_.width, options_.height, kDesktopPixel);
  realStart_ = SteadyMs();
  // A start well above zero keeps "due" arithmetic away from the edge.
  clock_ = 1000;
}

RECT HeadlessBackend::ScreenRect() const {
  return RECT{0, 0, options_.width, options_.height};
}

RECT HeadlessBackend::WorkArea() const {
  return RECT{0, 0, options_.width, options_.height - options_.taskbarHeight};
}

std::uint64_t HeadlessBackend::NowMs() {
  if (options_.virtualClock) return clock_;
  return SteadyMs() - realStart_ + 1000;
}

void HeadlessBackend::Wait(std::optional<std::uint64_t> deadline) {
  if (idle_ && !inIdle_) {
    inIdle_ = true;
    bool acted = idle_();
    inIdle_ = false;
    if (acted) return;
  }
  std::unique_lock lock(mutex_);
  if (woken_) {
    woken_ = false;
    return;
  }
  if (options_.virtualClock) {
    if (deadline) {
      clock_ = std::max(clock_, *deadline);
      return;
    }
    // Nothing will ever happen unless another thread posts.
    wake_.wait(lock, [&] { return woken_; });
  } else if (deadline) {
    auto now = NowMs();
    if (*deadline > now)
      wake_.wait_for(lock, std::chrono::milliseconds(*deadline - now), [&] { return woken_; });
  } else {
    wake_.wait(lock, [&] { return woken_; });
  }
  woken_ = false;
}

void HeadlessBackend::Wake() {
  {
    std::lock_guard lock(mutex_);
    woken_ = true;
  }
  wake_.notify_one();
}

void HeadlessBackend::Present(std::span<const TopLevelView> views) {
  std::vector<Shown> now;
  Region changed;
  for (const TopLevelView& v : views) {
    if (v.minimized) continue;
    now.push_back(
        Shown{v.hwnd, v.rect, v.picture.pixels, v.shape != nullptr, v.shape ? *v.shape : Region()});
    RECT d = v.dirty;
    OffsetRect(&d, v.rect.left, v.rect.top);
    if (!d.IsEmpty()) changed |= Region(d);
  }
  if (now == shown_) {
    // The same windows in the same places: only what they redrew is put
    // together again, so typing into an edit does not recompose the screen.
    if (!changed.IsEmpty()) ComposeScreen(screen_.View(), views, kDesktopPixel, &changed);
    return;
  }
  shown_ = std::move(now);
  ComposeScreen(screen_.View(), views);
}

bool HeadlessBackend::SetClipboardText(const std::string& text) {
  clipboard_ = text;
  return true;
}

std::optional<std::string> HeadlessBackend::GetClipboardText() {
  return clipboard_;
}

void HeadlessBackend::AdvanceClock(std::uint64_t ms) {
  clock_ += ms;
}

int HeadlessBackend::Pump() {
  int count = 0;
  MSG msg;
  // A bound keeps a window that never validates from hanging a test.
  while (count < 100000 && PeekMessage(&msg, HWND{}, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      quitSeen_ = true;
      quitCode_ = int(msg.wParam);
      break;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
    ++count;
  }
  PresentAll();
  return count;
}

void HeadlessBackend::Run(std::uint64_t ms) {
  auto& ws = WindowSystem::Get();
  std::uint64_t target = clock_ + ms;
  for (;;) {
    Pump();
    std::optional<std::uint64_t> next;
    for (const Timer& t : ws.timers)
      if (!next || t.due < *next) next = t.due;
    if (!next || *next > target || quitSeen_) break;
    clock_ = std::max(clock_, *next);
  }
  clock_ = std::max(clock_, target);
  Pump();
}

void HeadlessBackend::MouseMove(POINT p) {
  QueueMouseMove(p);
}
void HeadlessBackend::MouseDown(POINT p, int button) {
  QueueMouseButton(button, true, p);
}
void HeadlessBackend::MouseUp(POINT p, int button) {
  QueueMouseButton(button, false, p);
}

void HeadlessBackend::Click(POINT p, int button) {
  QueueMouseMove(p);
  QueueMouseButton(button, true, p);
  QueueMouseButton(button, false, p);
}

void HeadlessBackend::DoubleClick(POINT p) {
  Click(p);
  Click(p);
}

void HeadlessBackend::KeyDown(int vk) {
  QueueKey(vk, true);
}
void HeadlessBackend::KeyUp(int vk) {
  QueueKey(vk, false);
}

void HeadlessBackend::KeyPress(int vk) {
  QueueKey(vk, true);
  QueueKey(vk, false);
}

void HeadlessBackend::TypeText(std::string_view text) {
  for (char ch : text) {
    KeyFor k = KeyForChar(static_cast<unsigned char>(ch));
    if (!k.vk) {
      QueueChar(static_cast<unsigned char>(ch));
      continue;
    }
    if (k.shift) QueueKey(VK_SHIFT, true);
    KeyPress(k.vk);
    if (k.shift) QueueKey(VK_SHIFT, false);
  }
}

const SurfaceBuffer& HeadlessBackend::Screen() {
  PresentAll();
  return screen_;
}

std::uint32_t HeadlessBackend::ScreenPixel(int x, int y) {
  const SurfaceBuffer& s = Screen();
  if (x < 0 || y < 0 || x >= s.Width() || y >= s.Height()) return 0;
  return s.At(x, y);
}

bool HeadlessBackend::CaptureScreen(const std::string& path) {
  Screen();
  return WritePng(path, screen_.View());
}

bool HeadlessBackend::CaptureWindow(HWND hwnd, const std::string& path) {
  PresentAll();
  HWND root = GetAncestor(hwnd, GA_ROOT);
  Surface s = GetWindowSurface(root);
  if (s.IsEmpty()) return false;
  RECT r, rr;
  GetWindowRect(hwnd, &r);
  GetWindowRect(root, &rr);
  OffsetRect(&r, -rr.left, -rr.top);
  return WritePng(path, s, &r);
}

HeadlessBackend& UseHeadlessBackend(const HeadlessOptions& options) {
  auto backend = std::make_unique<HeadlessBackend>(options);
  HeadlessBackend& ref = *backend;
  InstallBackend(std::move(backend));
  return ref;
}

}  // namespace platform
