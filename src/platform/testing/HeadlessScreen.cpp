#include "platform/testing/HeadlessScreen.h"

#include <algorithm>
#include <memory>

#include "platform/WindowSystemStart.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/Input.h"
#include "platform/window/LoopControl.h"
#include "platform/window/UsLayout.h"

namespace platform {

void HeadlessScreen::SetIdleHandler(std::function<bool()> handler) {
  SetIdleHook(std::move(handler));
}

int HeadlessScreen::Pump() {
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
  PresentWindows();
  return count;
}

void HeadlessScreen::Run(std::uint64_t ms) {
  std::uint64_t target = backend_.NowMs() + ms;
  for (;;) {
    Pump();
    std::optional<std::uint64_t> next = GetNextTimerDue();
    if (!next || *next > target || quitSeen_) break;
    if (*next > backend_.NowMs()) backend_.AdvanceClock(*next - backend_.NowMs());
  }
  if (target > backend_.NowMs()) backend_.AdvanceClock(target - backend_.NowMs());
  Pump();
}

void HeadlessScreen::MouseMove(POINT p) {
  QueueMouseMove(p);
}
void HeadlessScreen::MouseDown(POINT p, int button) {
  QueueMouseButton(button, true, p);
}
void HeadlessScreen::MouseUp(POINT p, int button) {
  QueueMouseButton(button, false, p);
}

void HeadlessScreen::Click(POINT p, int button) {
  QueueMouseMove(p);
  QueueMouseButton(button, true, p);
  QueueMouseButton(button, false, p);
}

void HeadlessScreen::DoubleClick(POINT p) {
  Click(p);
  Click(p);
}

void HeadlessScreen::KeyDown(int vk) {
  QueueKey(vk, true);
}
void HeadlessScreen::KeyUp(int vk) {
  QueueKey(vk, false);
}

void HeadlessScreen::KeyPress(int vk) {
  QueueKey(vk, true);
  QueueKey(vk, false);
}

void HeadlessScreen::TypeText(std::string_view text) {
  for (char ch : text) {
    UsKey k = UsKeyForChar(static_cast<unsigned char>(ch));
    if (!k.vk) {
      QueueChar(static_cast<unsigned char>(ch));
      continue;
    }
    if (k.shift) QueueKey(VK_SHIFT, true);
    KeyPress(k.vk);
    if (k.shift) QueueKey(VK_SHIFT, false);
  }
}

const SurfaceBuffer& HeadlessScreen::Screen() {
  PresentWindows();
  return backend_.ScreenBuffer();
}

std::uint32_t HeadlessScreen::ScreenPixel(int x, int y) {
  const SurfaceBuffer& s = Screen();
  if (x < 0 || y < 0 || x >= s.Width() || y >= s.Height()) return 0;
  return s.At(x, y);
}

bool HeadlessScreen::CaptureScreen(const std::string& path) {
  Screen();
  return WritePng(path, backend_.ScreenSurface());
}

bool HeadlessScreen::CaptureWindow(HWND hwnd, const std::string& path) {
  PresentWindows();
  HWND root = GetAncestor(hwnd, GA_ROOT);
  Surface s = GetWindowSurface(root);
  if (s.IsEmpty()) return false;
  RECT r, rr;
  GetWindowRect(hwnd, &r);
  GetWindowRect(root, &rr);
  OffsetRect(&r, -rr.left, -rr.top);
  return WritePng(path, s, &r);
}

HeadlessScreen& UseHeadlessScreen(const HeadlessOptions& options) {
  static std::unique_ptr<HeadlessScreen> driver;
  auto backend = std::make_unique<HeadlessBackend>(options);
  HeadlessBackend& ref = *backend;
  StartWindowSystem(std::move(backend));
  driver = std::make_unique<HeadlessScreen>(ref);
  return *driver;
}

}  // namespace platform
