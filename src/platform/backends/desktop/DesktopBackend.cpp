#include "platform/backends/desktop/DesktopBackend.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#if SPRINTARA_HAVE_XSHAPE
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#include <X11/keysym.h>
#endif

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/backends/desktop/DisplayScale.h"
#include "platform/backends/desktop/WaylandSeat.h"
#include "platform/base/Codepage.h"
#include "platform/window/ApplicationIcon.h"
#include "platform/window/Input.h"
#include "platform/window/Window.h"

namespace platform {

namespace {

int VirtualKey(const SDL_Keysym& k) {
  SDL_Keycode s = k.sym;
  if (s >= SDLK_a && s <= SDLK_z) return 'A' + (s - SDLK_a);
  if (s >= SDLK_0 && s <= SDLK_9) return '0' + (s - SDLK_0);
  if (k.scancode >= SDL_SCANCODE_F1 && k.scancode <= SDL_SCANCODE_F12)
    return VK_F1 + (k.scancode - SDL_SCANCODE_F1);
  if (k.scancode >= SDL_SCANCODE_KP_1 && k.scancode <= SDL_SCANCODE_KP_9)
    return VK_NUMPAD0 + 1 + (k.scancode - SDL_SCANCODE_KP_1);
  switch (k.scancode) {
    case SDL_SCANCODE_KP_0:
      return VK_NUMPAD0;
    case SDL_SCANCODE_KP_ENTER:
    case SDL_SCANCODE_RETURN:
      return VK_RETURN;
    case SDL_SCANCODE_ESCAPE:
      return VK_ESCAPE;
    case SDL_SCANCODE_BACKSPACE:
      return VK_BACK;
    case SDL_SCANCODE_TAB:
      return VK_TAB;
    case SDL_SCANCODE_SPACE:
      return VK_SPACE;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT:
      return VK_SHIFT;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL:
      return VK_CONTROL;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT:
      return VK_MENU;
    case SDL_SCANCODE_CAPSLOCK:
      return VK_CAPITAL;
    case SDL_SCANCODE_LEFT:
      return VK_LEFT;
    case SDL_SCANCODE_RIGHT:
      return VK_RIGHT;
    case SDL_SCANCODE_UP:
      return VK_UP;
    case SDL_SCANCODE_DOWN:
      return VK_DOWN;
    case SDL_SCANCODE_HOME:
      return VK_HOME;
    case SDL_SCANCODE_END:
      return VK_END;
    case SDL_SCANCODE_PAGEUP:
      return VK_PRIOR;
    case SDL_SCANCODE_PAGEDOWN:
      return VK_NEXT;
    case SDL_SCANCODE_INSERT:
      return VK_INSERT;
    case SDL_SCANCODE_DELETE:
      return VK_DELETE;
    case SDL_SCANCODE_PAUSE:
      return VK_PAUSE;
    case SDL_SCANCODE_APPLICATION:
      return VK_APPS;
    case SDL_SCANCODE_KP_MULTIPLY:
      return VK_MULTIPLY;
    case SDL_SCANCODE_KP_PLUS:
      return VK_ADD;
    case SDL_SCANCODE_KP_MINUS:
      return VK_SUBTRACT;
    case SDL_SCANCODE_KP_PERIOD:
      return VK_DECIMAL;
    case SDL_SCANCODE_KP_DIVIDE:
      return VK_DIVIDE;
    case SDL_SCANCODE_SEMICOLON:
      return VK_OEM_1;
    case SDL_SCANCODE_EQUALS:
      return VK_OEM_PLUS;
    case SDL_SCANCODE_COMMA:
      return VK_OEM_COMMA;
    case SDL_SCANCODE_MINUS:
      return VK_OEM_MINUS;
    case SDL_SCANCODE_PERIOD:
      return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH:
      return VK_OEM_2;
    case SDL_SCANCODE_GRAVE:
      return VK_OEM_3;
    case SDL_SCANCODE_LEFTBRACKET:
      return VK_OEM_4;
    case SDL_SCANCODE_BACKSLASH:
      return VK_OEM_5;
    case SDL_SCANCODE_RIGHTBRACKET:
      return VK_OEM_6;
    case SDL_SCANCODE_APOSTROPHE:
      return VK_OEM_7;
    case SDL_SCANCODE_NONUSBACKSLASH:
      return VK_OEM_102;
    default:
      return 0;
  }
}

SDL_SystemCursor SystemCursor(unsigned id) {
  switch (id) {
    case IDC_IBEAM:
      return SDL_SYSTEM_CURSOR_IBEAM;
    case IDC_WAIT:
      return SDL_SYSTEM_CURSOR_WAIT;
    case IDC_CROSS:
      return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case IDC_SIZENWSE:
      return SDL_SYSTEM_CURSOR_SIZENWSE;
    case IDC_SIZENESW:
      return SDL_SYSTEM_CURSOR_SIZENESW;
    case IDC_SIZEWE:
      return SDL_SYSTEM_CURSOR_SIZEWE;
    case IDC_SIZENS:
      return SDL_SYSTEM_CURSOR_SIZENS;
    case IDC_SIZEALL:
      return SDL_SYSTEM_CURSOR_SIZEALL;
    case IDC_NO:
      return SDL_SYSTEM_CURSOR_NO;
    case IDC_HAND:
      return SDL_SYSTEM_CURSOR_HAND;
    default:
      return SDL_SYSTEM_CURSOR_ARROW;
  }
}

// A display rectangle in our pixels.
RECT ToRect(const SDL_Rect& r, int scale) {
  return RECT{r.x / scale, r.y / scale, (r.x + r.w) / scale, (r.y + r.h) / scale};
}

// Copies part r of a picture to the display surface with its top-left at
// `at`, each pixel as a scale x scale block (nearest neighbour, so edges
// stay sharp).
void CopyScaled(const Surface& src, const RECT& r, SDL_Surface* dst, int scale, POINT at) {
  const bool direct = dst->format->format == SDL_PIXELFORMAT_RGB888 ||
                      dst->format->format == SDL_PIXELFORMAT_ARGB8888;
  const int width = r.Width() * scale;
  std::vector<std::uint32_t> wide(scale > 1 ? std::size_t(width) : 0);
  for (int y = r.top; y < r.bottom; ++y) {
    const std::uint32_t* line = src.Row(y) + r.left;
    if (scale > 1) {
      for (int x = 0; x < r.Width(); ++x)
        std::fill_n(wide.data() + std::ptrdiff_t(x) * scale, scale, line[x]);
      line = wide.data();
    }
    for (int i = 0; i < scale; ++i) {
      std::uint8_t* out = static_cast<std::uint8_t*>(dst->pixels) +
                          std::ptrdiff_t(at.y + (y - r.top) * scale + i) * dst->pitch +
                          std::ptrdiff_t(at.x) * dst->format->BytesPerPixel;
      if (direct)
        std::memcpy(out, line, std::size_t(width) * 4);
      else
        SDL_ConvertPixels(width, 1, SDL_PIXELFORMAT_ARGB8888, line, width * 4, dst->format->format,
                          out, dst->pitch);
    }
  }
}

// The application's icon for the window manager and the task bar.
void GiveIcon(SDL_Window* window) {
  const Surface icon = ApplicationIcon(64);
  if (icon.IsEmpty()) return;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(icon.pixels, icon.width, icon.height, 32,
                                                      int(icon.stride), SDL_PIXELFORMAT_ARGB8888);
  if (!s) return;
  SDL_SetWindowIcon(window, s);
  SDL_FreeSurface(s);
}

// The display's own window behind an SDL window, 0 where there is none to
// shape. SDL may replace it when it first makes the window's drawing
// surface, and a shape given to the old one is lost with it.
unsigned long NativeWindowId(SDL_Window* window) {
#if SPRINTARA_HAVE_XSHAPE
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
  return info.info.x11.window;
#else
  (void)window;
  return 0;
#endif
}

// A window region cuts the native window too, where the display can do it
// (the X shape extension); elsewhere the window stays rectangular.
void ApplyShape(SDL_Window* window, const std::vector<RECT>* rects) {
#if SPRINTARA_HAVE_XSHAPE
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  Display* display = info.info.x11.display;
  ::Window xw = info.info.x11.window;
  if (!rects) {
    XShapeCombineMask(display, xw, ShapeBounding, 0, 0, None, ShapeSet);
  } else {
    std::vector<XRectangle> xr;
    for (const RECT& r : *rects)
      xr.push_back(XRectangle{short(r.left), short(r.top), static_cast<unsigned short>(r.Width()),
                              static_cast<unsigned short>(r.Height())});
    // Region rectangles are sorted by band, then by column.
    XShapeCombineRectangles(display, xw, ShapeBounding, 0, 0, xr.data(), int(xr.size()), ShapeSet,
                            YXBanded);
  }
  XFlush(display);
#else
  (void)window;
  (void)rects;
#endif
}

#if SPRINTARA_HAVE_XSHAPE
// The X server went away (killed, or its connection cut). The library would
// end the process through exit(), running destructors and atexit work while
// other threads still use the dead connection; a short note and an
// immediate end is the safe way out.
int DisplayLost(Display*) {
  static const char note[] = "sprintara: the display went away; ending\n";
  [[maybe_unused]] ssize_t n = write(2, note, sizeof note - 1);
  _exit(1);
}

// A request the server refused (a focus given to a window the window
// manager has just unmapped, a shape for a window already gone): the
// library's default would end the program; the request simply had no
// effect.
int RequestRefused(Display*, XErrorEvent*) {
  return 0;
}

// The display's X connection and window behind an SDL window.
bool XHandles(SDL_Window* window, Display** display, ::Window* xw) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
    return false;
  *display = info.info.x11.display;
  *xw = info.info.x11.window;
  return true;
}
#endif

bool NonEmpty(const char* v) {
  return v && *v;
}

// SDL's Wayland driver is the one SDL will start: named, or the only
// display there is.
bool WaylandChosen() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (NonEmpty(driver)) return std::strcmp(driver, "wayland") == 0;
  return !NonEmpty(std::getenv("DISPLAY")) && NonEmpty(std::getenv("WAYLAND_DISPLAY"));
}

}  // namespace

std::unique_ptr<DesktopBackend> DesktopBackend::Create(std::string* error) {
  if (WaylandChosen()) {
    std::string why;
    if (ProbeWaylandSeat(&why) != WaylandSeat::kPresent) {
      if (!NonEmpty(std::getenv("DISPLAY"))) {
        if (error) *error = why;
        return nullptr;
      }
      // An X server is there too: it is used instead.
      std::fprintf(stderr, "sprintara: %s; using the X display\n", why.c_str());
      SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11", SDL_HINT_OVERRIDE);
    }
  }
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_PING, "0");
  // The name and class the window manager and the desktop's menu entry know
  // the program by, whatever the file it was started from is called.
  SDL_SetHint(SDL_HINT_APP_NAME, "Sprintara");
  setenv("SDL_VIDEO_X11_WMCLASS", "sprintara", 0);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    if (error) *error = SDL_GetError();
    return nullptr;
  }
  std::unique_ptr<DesktopBackend> b(new DesktopBackend());
  const char* driver = SDL_GetCurrentVideoDriver();
  b->x11_ = driver && std::strcmp(driver, "x11") == 0;
#if SPRINTARA_HAVE_XSHAPE
  if (b->x11_) {
    XSetIOErrorHandler(DisplayLost);
    XSetErrorHandler(RequestRefused);
  }
#endif
  float dpi = 0;
  if (SDL_GetDisplayDPI(0, nullptr, &dpi, nullptr) != 0) dpi = 0;
  b->scale_ = ChooseDisplayScale(std::getenv("SPRINTARA_SCALE"), dpi, stderr);
  SDL_Rect r;
  if (SDL_GetDisplayBounds(0, &r) != 0) r = SDL_Rect{0, 0, 1280 * b->scale_, 800 * b->scale_};
  b->screen_ = ToRect(r, b->scale_);
  b->work_ = SDL_GetDisplayUsableBounds(0, &r) == 0 ? ToRect(r, b->scale_) : b->screen_;
  b->screenBuffer_.Resize(b->screen_.Width(), b->screen_.Height());
  b->wakeEvent_ = SDL_RegisterEvents(2);
  b->localeEvent_ = b->wakeEvent_ + 1;
  // A change of the desktop's regional settings reaches a running program
  // only through the user's locale file.
  b->localeFile_ = LocaleFilePath();
  if (!b->localeFile_.empty())
    b->localeWatch_ = std::make_unique<LocaleFileWatch>(b->localeFile_, [e = b->localeEvent_] {
      SDL_Event event;
      SDL_zero(event);
      event.type = e;
      SDL_PushEvent(&event);
    });
  // A start-up measurement names a descriptor to be told when the first
  // picture is on the display.
  if (const char* fd = std::getenv("SPRINTARA_PRESENTED_FD"); NonEmpty(fd))
    b->presentedFd_ = std::atoi(fd);
  SDL_StartTextInput();
  return b;
}

DesktopBackend::~DesktopBackend() {
  localeWatch_.reset();  // its thread posts to the event queue
  for (auto& [h, n] : natives_) SDL_DestroyWindow(n.window);
  if (overlay_) SDL_DestroyWindow(overlay_);
  for (auto& [id, c] : cursors_) SDL_FreeCursor(c);
  if (audio_) SDL_CloseAudioDevice(audio_);
  // The video subsystem stays up: shutting it down unloads the display
  // libraries with memory they never give back, and a later backend would
  // only start it again.
}

void DesktopBackend::Beep() {
  if (!audioTried_) {
    audioTried_ = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
      SDL_AudioSpec want{};
      want.freq = 22050;
      want.format = AUDIO_S16SYS;
      want.channels = 1;
      want.samples = 1024;
      audio_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    }
  }
  if (!audio_) return;
  // 120 ms of an 880 Hz tone, faded in and out so it does not click; queued,
  // so the program never waits for it. Beeps that pile up are dropped.
  if (SDL_GetQueuedAudioSize(audio_) > 22050) return;
  constexpr int kRate = 22050, kSamples = kRate * 120 / 1000, kFade = kRate / 200;
  std::vector<std::int16_t> tone(kSamples);
  for (int i = 0; i < kSamples; ++i) {
    double envelope = std::min({1.0, double(i) / kFade, double(kSamples - i) / kFade});
    tone[std::size_t(i)] =
        std::int16_t(6000 * envelope * std::sin(2 * 3.14159265358979 * 880 * i / kRate));
  }
  SDL_QueueAudio(audio_, tone.data(), Uint32(tone.size() * sizeof(std::int16_t)));
  SDL_PauseAudioDevice(audio_, 0);
}

std::uint64_t DesktopBackend::NowMs() {
  return SDL_GetTicks64();
}

void DesktopBackend::Poll() {
  SDL_Event e;
  while (SDL_PollEvent(&e)) Handle(e);
  FollowHeldPointer();
  HoldPopupGrab();
}

void DesktopBackend::Wait(std::optional<std::uint64_t> deadline) {
  SDL_Event e;
  int got;
  // While a button is held the pointer is looked at every few milliseconds
  // too: its events may go to a window that is not ours.
  const bool following = x11_ && buttonsDown_ != 0;
  if (deadline || following) {
    std::uint64_t now = NowMs();
    std::uint64_t limit = deadline ? (*deadline > now ? *deadline - now : 0) : 1 << 30;
    if (following) limit = std::min<std::uint64_t>(limit, 15);
    got = SDL_WaitEventTimeout(&e, int(std::min<std::uint64_t>(limit, 1 << 30)));
  } else {
    got = SDL_WaitEvent(&e);
  }
  if (got) Handle(e);
  FollowHeldPointer();
  HoldPopupGrab();
}

void DesktopBackend::HoldPopupGrab() {
#if SPRINTARA_HAVE_XSHAPE
  if (!x11_) return;
  Display* display = nullptr;
  ::Window xw = 0;
  // The grab ends by itself when its window is unmapped (the popup closed).
  if (!popup_ || popupGrabbed_ || buttonsDown_ != 0 || !XHandles(popup_, &display, &xw)) return;
  popupGrabbed_ =
      XGrabPointer(display, xw, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                   GrabModeAsync, GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
#endif
}

void DesktopBackend::HandleGrabbedButton(const SDL_Event& e) {
#if SPRINTARA_HAVE_XSHAPE
  if (!popupGrabbed_ || !e.syswm.msg || e.syswm.msg->subsystem != SDL_SYSWM_X11) return;
  const XEvent& x = e.syswm.msg->msg.x11.event;
  // SDL takes the pointer's buttons through the input extension, so the
  // grab's presses come as its raw button events, which tell no place.
  constexpr int kRawButtonPress = 15, kRawButtonRelease = 16;
  bool down;
  if (x.type == ButtonPress || x.type == ButtonRelease)
    down = x.type == ButtonPress;
  else if (x.type == GenericEvent &&
           (x.xcookie.evtype == kRawButtonPress || x.xcookie.evtype == kRawButtonRelease))
    down = x.xcookie.evtype == kRawButtonPress;
  else
    return;
  int px = 0, py = 0;
  unsigned state = 0;
  if (!QueryPointer(&px, &py, &state)) return;
  // Over one of our windows the event is that window's own (SDL reports
  // it); only one from outside all of them is taken here.
  const POINT at{Down(px), Down(py)};
  for (const auto& [h, n] : natives_)
    if (!n.minimized && PtInRect(n.rect, at)) return;
  const int button = !down                  ? grabbedButton_
                     : (state & (1u << 10)) ? 1
                     : (state & (1u << 9))  ? 2
                                            : 0;
  if (down == grabbedDown_) return;  // the core and the raw event of one press
  grabbedDown_ = down;
  grabbedButton_ = button;
  QueueMouseMove(at);
  QueueMouseButton(button, down, at);
#else
  (void)e;
#endif
}

void DesktopBackend::FollowHeldPointer() {
  if (!x11_ || buttonsDown_ == 0) return;
  int x = 0, y = 0;
  unsigned state = 0;
  if (!QueryPointer(&x, &y, &state)) return;
  const POINT at{Down(x), Down(y)};
  if (!pointerKnown_ || at != lastPointer_) {
    QueueMouseMove(at);
    lastPointer_ = at;
    pointerKnown_ = true;
  }
  // A release the display gave to some other window (or to none) still
  // ends the press, where the pointer is.
  static constexpr unsigned kMasks[3] = {1u << 8, 1u << 10, 1u << 9};  // X's Button1/3/2Mask
  for (int b = 0; b < 3; ++b) {
    if (!(buttonsDown_ & (1 << b)) || (state & kMasks[b])) continue;
    buttonsDown_ &= ~(1 << b);
    QueueMouseButton(b, false, at);
  }
  if (buttonsDown_ == 0) {
    SDL_CaptureMouse(SDL_FALSE);
    popupGrabbed_ = false;
  }
}

void DesktopBackend::Wake() {
  SDL_Event e;
  SDL_zero(e);
  e.type = wakeEvent_;
  SDL_PushEvent(&e);
}

HWND DesktopBackend::FindWindow(std::uint32_t sdlId, RECT* rect) const {
  for (const auto& [h, n] : natives_) {
    if (n.id == sdlId) {
      if (rect) *rect = n.rect;
      return HWND{h};
    }
  }
  return HWND{};
}

bool DesktopBackend::PointerSource(std::uint32_t sdlId, RECT* rect) const {
  if (FindWindow(sdlId, rect)) return true;
  // The screen layer lies over the windows while an outline is drawn: the
  // pointer over it still belongs to the screen point under it.
  if (overlay_ && sdlId == SDL_GetWindowID(overlay_)) {
    *rect = overlayRect_;
    return true;
  }
  return false;
}

void DesktopBackend::Handle(const SDL_Event& e) {
  // Only key presses that follow the focus event at once are held keys.
  if (e.type != SDL_KEYDOWN) heldAfterFocus_ = false;
  if (e.type == localeEvent_) return OnLocaleFileChanged();
  switch (e.type) {
    case SDL_LOCALECHANGED:
      AnnounceRegionalSettingsChange();
      break;
    case SDL_MOUSEMOTION:
      OnMouseMotion(e.motion);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      OnMouseButton(e.button);
      break;
    case SDL_MOUSEWHEEL:
      OnMouseWheel(e.wheel);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      OnKey(e.key);
      break;
    case SDL_SYSWMEVENT:
      HandleGrabbedButton(e);
      break;
    case SDL_KEYMAPCHANGED:
      altGrKnown_ = false;  // the user may have switched layouts
      break;
    case SDL_TEXTINPUT:
      QueueText(e.text.text);
      break;
    case SDL_WINDOWEVENT:
      OnWindowEvent(e.window);
      break;
    default:
      break;
  }
}

void DesktopBackend::OnMouseMotion(const SDL_MouseMotionEvent& m) {
  RECT r{};
  if (!PointerSource(m.windowID, &r)) return;
  lastPointer_ = POINT{r.left + Down(m.x), r.top + Down(m.y)};
  pointerKnown_ = true;
  QueueMouseMove(lastPointer_);
}

void DesktopBackend::OnMouseButton(const SDL_MouseButtonEvent& b) {
  RECT r{};
  if (!PointerSource(b.windowID, &r)) return;
  const int button = b.button == SDL_BUTTON_LEFT     ? 0
                     : b.button == SDL_BUTTON_RIGHT  ? 1
                     : b.button == SDL_BUTTON_MIDDLE ? 2
                                                     : -1;
  if (button < 0) return;
  const bool down = b.type == SDL_MOUSEBUTTONDOWN;
  // A release already taken from the pointer's state is not a second one.
  if (!down && !(buttonsDown_ & (1 << button))) return;
  if (down)
    buttonsDown_ |= 1 << button;
  else
    buttonsDown_ &= ~(1 << button);
  // Dragging past the window's edge keeps reporting the mouse (the
  // display's pointer grab; where it is refused, the pointer's state).
  SDL_CaptureMouse(buttonsDown_ != 0 ? SDL_TRUE : SDL_FALSE);
  if (!down) popupGrabbed_ = false;  // releasing the press's grab ended the popup's
  lastPointer_ = POINT{r.left + Down(b.x), r.top + Down(b.y)};
  pointerKnown_ = true;
  QueueMouseButton(button, down, lastPointer_);
}

void DesktopBackend::OnMouseWheel(const SDL_MouseWheelEvent& w) {
  POINT at;
  if (x11_) {
    int x, y;
    SDL_GetGlobalMouseState(&x, &y);
    at = POINT{Down(x), Down(y)};
  } else {
    // Elsewhere the display tells no global place: the window's own.
    RECT r{};
    if (!PointerSource(w.windowID, &r)) return;
    at = POINT{r.left + Down(w.mouseX), r.top + Down(w.mouseY)};
  }
  QueueMouseWheel(w.y * WHEEL_DELTA, at);
}

void DesktopBackend::OnKey(const SDL_KeyboardEvent& k) {
  // The text a key types comes from the display's text input, by the
  // user's layout; the key itself only gives control characters.
  const int vk = VirtualKey(k.keysym);
  if (!vk) return;
  const bool down = k.type == SDL_KEYDOWN;
  // When one of our windows gains the focus, the display reports the keys
  // held at that moment as pressed, right after the focus event. Those
  // presses belonged to another window (the Alt of an Alt+F4 that closed a
  // dialog) and must not act here.
  const bool held = down && heldAfterFocus_ && !k.repeat && k.timestamp - focusStamp_ < 100;
  // Where the right Alt key is AltGr it types characters, as Ctrl+Alt
  // does: it must not act as Alt for the menus.
  if (k.keysym.scancode == SDL_SCANCODE_RALT && RightAltIsAltGr()) {
    if (held) {
      QueueKeyHeld(VK_CONTROL);
      QueueKeyHeld(VK_MENU);
    } else {
      QueueKey(VK_CONTROL, down, true);
      QueueKey(VK_MENU, down, true);
    }
  } else if (held) {
    QueueKeyHeld(vk);
  } else {
    QueueKey(vk, down, true);
  }
}

void DesktopBackend::OnWindowEvent(const SDL_WindowEvent& w) {
  const HWND h = FindWindow(w.windowID, nullptr);
  if (!h) return;
  Native& n = natives_[h.value];
  switch (w.event) {
    case SDL_WINDOWEVENT_CLOSE:
      OnCloseRequest(h);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      OnFocusGained(h, w.timestamp);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      // A new size brings a new drawing surface, which starts empty.
      n.needsFull = true;
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      OnMinimized(h, n);
      break;
    case SDL_WINDOWEVENT_SHOWN:
      OnShown(h, n);
      break;
    case SDL_WINDOWEVENT_RESTORED:
      OnRestored(h, n);
      break;
  }
}

void DesktopBackend::OnCloseRequest(HWND h) {
  // The window manager's Alt+F4: the F4 never came here, and the Alt let go
  // afterwards must not count as Alt alone (the menu).
  if (SDL_GetModState() & KMOD_ALT) QueueKeyHeld(VK_MENU);
  // A window disabled under its modal dialog is not closed from outside (the
  // window manager may still hold it as the focused one): the request goes to
  // the dialog, which is what the operator sees on top; with no such dialog
  // it is dropped.
  if (!IsWindowEnabled(h)) {
    h = GetWindow(h, GW_ENABLEDPOPUP);
    if (!h) return;
  }
  PostMessage(h, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void DesktopBackend::OnFocusGained(HWND h, std::uint32_t timestamp) {
  // A window brought back while its modal dialog stays minimized would be
  // deaf (the dialog has no task-bar entry to be restored from): the
  // dialog comes back with it.
  if (!IsWindowEnabled(h))
    if (HWND popup = GetWindow(h, GW_ENABLEDPOPUP); popup && IsIconic(popup))
      PostMessage(popup, WM_SYSCOMMAND, SC_RESTORE, 0);
  // The window system decides what becomes active.
  QueueDisplayFocus(h);
  heldAfterFocus_ = true;
  focusStamp_ = timestamp;
}

void DesktopBackend::OnMinimized(HWND h, Native& n) {
  if (!IsIconic(h)) {
    PostMessage(h, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    n.minimizeAsked = true;
  }
  n.minimized = true;
}

void DesktopBackend::OnShown(HWND h, Native& n) {
  // Mapped again from outside while taken off the screen as minimized (no
  // window manager): that is a restore.
  if (!n.hidden || !IsIconic(h)) return;
  n.hidden = false;
  n.minimized = false;
  n.needsFull = true;
  refocus_ = true;
  PostMessage(h, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void DesktopBackend::OnRestored(HWND h, Native& n) {
  if (IsIconic(h)) {
    PostMessage(h, WM_SYSCOMMAND, SC_RESTORE, 0);
    n.restoreAsked = true;
  }
  n.minimized = false;
  n.needsFull = true;
  // The focus the display gave with the restore came while the window was
  // still minimized here; it is given again once restored.
  refocus_ = true;
}

bool DesktopBackend::RightAltIsAltGr() {
  if (altGrKnown_) return altGr_;
  altGr_ = false;
#if SPRINTARA_HAVE_XSHAPE
  // The layout decides: AltGr where the right Alt key (evdev key code 108)
  // shifts to the third level, as on German or French keyboards.
  for (auto& [h, n] : natives_) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(n.window, &info) || info.subsystem != SDL_SYSWM_X11) continue;
    KeySym sym = XkbKeycodeToKeysym(info.info.x11.display, 108, 0, 0);
    altGr_ = sym == XK_ISO_Level3_Shift || sym == XK_Mode_switch;
    altGrKnown_ = true;
    break;
  }
#endif
  return altGr_;
}

void DesktopBackend::QueueText(const char* utf8) {
  // Alt with a letter is a menu mnemonic, which the key already gives; the
  // display's text for it is dropped. AltGr types text.
  SDL_Keymod mods = SDL_GetModState();
  bool alt = (mods & KMOD_LALT) || ((mods & KMOD_RALT) && !RightAltIsAltGr());
  if (alt && !(mods & KMOD_CTRL)) return;
  for (char32_t cp : DecodeUtf8(utf8)) {
    // A character the code page cannot hold is refused, never replaced.
    std::optional<char> c = TryUnicodeToCp1252(cp);
    if (!c || *c == 0) {
      Beep();
      continue;
    }
    QueueChar(static_cast<unsigned char>(*c));
  }
}

bool DesktopBackend::Upload(Native& n, const TopLevelView& v, RECT part) {
  SDL_Surface* s = SDL_GetWindowSurface(n.window);
  if (!s) return false;
  RECT bounds{0, 0, std::min(s->w / scale_, v.picture.width),
              std::min(s->h / scale_, v.picture.height)};
  RECT r;
  if (!IntersectRect(&r, part, bounds)) return false;
  SDL_LockSurface(s);
  CopyScaled(v.picture, r, s, scale_, POINT{Up(r.left), Up(r.top)});
  SDL_UnlockSurface(s);
  SDL_Rect rr{Up(r.left), Up(r.top), Up(r.Width()), Up(r.Height())};
  return SDL_UpdateWindowSurfaceRects(n.window, &rr, 1) == 0;
}

std::vector<RECT> DesktopBackend::UpRects(const std::vector<RECT>& rects) const {
  std::vector<RECT> out;
  out.reserve(rects.size());
  for (const RECT& r : rects) out.push_back(RECT{Up(r.left), Up(r.top), Up(r.right), Up(r.bottom)});
  return out;
}

void DesktopBackend::Present(std::span<const TopLevelView> views) {
  std::map<std::uint32_t, bool> seen;
  HWND active;
  bool restack = false, shown = false;
  for (const TopLevelView& v : views) {
    seen[v.hwnd.value] = true;
    if (v.active) active = v.hwnd;
    auto it = natives_.find(v.hwnd.value);
    if (it == natives_.end()) {
      it = CreateNative(v);
      if (it == natives_.end()) continue;
      restack = true;
    }
    shown = PresentView(v.hwnd, it->second, v) || shown;
  }
  TrackPopup(views);
  const bool destroyed = DestroyGone(seen);
  if (active && (active != raised_ || destroyed || refocus_)) {
    refocus_ = false;
    GiveKeyboard(active);
    restack = true;
  }
  raised_ = active;
  if (restack) RaisePopups(views);
  if (shown && presentedFd_ >= 0) TellPresented();
}

std::map<std::uint32_t, DesktopBackend::Native>::iterator DesktopBackend::CreateNative(
    const TopLevelView& v) {
  const int w = std::max(1, v.rect.Width()), h = std::max(1, v.rect.Height());
  Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
  if (v.popup) flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_ALWAYS_ON_TOP;
  if (!v.taskbar) flags |= SDL_WINDOW_SKIP_TASKBAR;
  const std::string title = Cp1252ToUtf8(v.title);
  SDL_Window* win = SDL_CreateWindow(title.c_str(), v.minimized ? 0 : Up(v.rect.left),
                                     v.minimized ? 0 : Up(v.rect.top), Up(w), Up(h), flags);
  if (!win) return natives_.end();
  if (!v.popup) GiveIcon(win);
  Native n;
  n.window = win;
  n.id = SDL_GetWindowID(win);
  n.rect = v.rect;
  n.title = std::string(v.title);
  if (!v.popup) n.owner = GetWindow(v.hwnd, GW_OWNER);
  auto it = natives_.emplace(v.hwnd.value, n).first;
  SDL_ShowWindow(win);
  return it;
}

bool DesktopBackend::PresentView(HWND hwnd, Native& n, const TopLevelView& v) {
  // A minimize or restore asked for on the display's word may be carried
  // out after the display has already changed its mind (a switch to another
  // desktop and back reports both at once): the window system is brought in
  // line with the display's latest word rather than the display with a
  // stale one, which would leave a window iconified with no way back.
  const bool minimizeOvertaken = v.minimized && !n.minimized && n.minimizeAsked;
  const bool restoreOvertaken = !v.minimized && n.minimized && n.restoreAsked;
  if (v.minimized) n.minimizeAsked = false;
  if (!v.minimized) n.restoreAsked = false;
  if (minimizeOvertaken || restoreOvertaken) {
    PostMessage(hwnd, WM_SYSCOMMAND, minimizeOvertaken ? SC_RESTORE : SC_MINIMIZE, 0);
    return false;
  }
  if (v.minimized) {
    Minimize(n);
    return false;
  }
  if (n.minimized) Unminimize(n);
  const int w = std::max(1, v.rect.Width()), h = std::max(1, v.rect.Height());
  if (n.rect.left != v.rect.left || n.rect.top != v.rect.top)
    SDL_SetWindowPosition(n.window, Up(v.rect.left), Up(v.rect.top));
  if (n.rect.Width() != v.rect.Width() || n.rect.Height() != v.rect.Height()) {
    SDL_SetWindowSize(n.window, Up(w), Up(h));
    n.needsFull = true;
  }
  n.rect = v.rect;
  if (n.title != v.title) {
    n.title = std::string(v.title);
    SDL_SetWindowTitle(n.window, Cp1252ToUtf8(n.title).c_str());
  }
  bool uploaded = false;
  if (n.needsFull)
    uploaded = Upload(n, v, RECT{0, 0, w, h});
  else if (!v.dirty.IsEmpty())
    uploaded = Upload(n, v, v.dirty);
  n.needsFull = false;
  // After the upload: the first one may give the window a new native window.
  Reshape(n, v);
  KeepWithOwner(n);
  return uploaded;
}

void DesktopBackend::Minimize(Native& n) {
  // The window manager iconifies it; with none, nobody would, and the
  // window would stand there frozen: it is taken off the screen.
  if (!n.minimized) {
    n.hidden = !WindowManagerRuns(n.window);
    if (n.hidden)
      SDL_HideWindow(n.window);
    else
      SDL_MinimizeWindow(n.window);
  }
  n.minimized = true;
}

void DesktopBackend::Unminimize(Native& n) {
  if (n.hidden)
    SDL_ShowWindow(n.window);
  else
    SDL_RestoreWindow(n.window);
  n.hidden = false;
  n.minimized = false;
  n.needsFull = true;
  refocus_ = true;
}

void DesktopBackend::Reshape(Native& n, const TopLevelView& v) {
  const int w = std::max(1, v.rect.Width()), h = std::max(1, v.rect.Height());
  std::vector<RECT> shape;
  if (v.shape) shape = (*v.shape & Region(0, 0, w, h)).Rects();
  const unsigned long nativeId = NativeWindowId(n.window);
  if (bool(v.shape) == n.shaped && shape == n.shape && nativeId == n.shapedId) return;
  const std::vector<RECT> displayShape = UpRects(shape);
  ApplyShape(n.window, v.shape ? &displayShape : nullptr);
  n.shaped = v.shape != nullptr;
  n.shape = std::move(shape);
  n.shapedId = nativeId;
}

void DesktopBackend::KeepWithOwner(Native& n) {
  const auto owner = natives_.find(n.owner.value);
  if (!n.owner || owner == natives_.end()) return;
  const unsigned long nativeId = NativeWindowId(n.window);
  if (n.withOwner && nativeId == n.withOwnerId) return;
  SDL_SetWindowModalFor(n.window, owner->second.window);
  n.withOwner = true;
  n.withOwnerId = nativeId;
}

void DesktopBackend::TrackPopup(std::span<const TopLevelView> views) {
  SDL_Window* popup = nullptr;
  for (const TopLevelView& v : views)
    if (v.popup && !v.minimized)
      if (auto it = natives_.find(v.hwnd.value); it != natives_.end()) {
        popup = it->second.window;
        break;
      }
  if (popup != popup_) {
    popupGrabbed_ = false;  // a new popup is grabbed for anew
    // The display's raw events are looked at only while a popup is open.
    if (x11_) SDL_EventState(SDL_SYSWMEVENT, popup ? SDL_ENABLE : SDL_DISABLE);
  }
  popup_ = popup;
}

bool DesktopBackend::DestroyGone(const std::map<std::uint32_t, bool>& seen) {
  bool destroyed = false;
  for (auto it = natives_.begin(); it != natives_.end();) {
    if (!seen.count(it->first)) {
      SDL_DestroyWindow(it->second.window);
      it = natives_.erase(it);
      destroyed = true;
    } else {
      ++it;
    }
  }
  return destroyed;
}

void DesktopBackend::GiveKeyboard(HWND active) {
  // The active window takes the display's keyboard focus itself: with no
  // window manager nobody else gives it, and when a window that had it goes
  // (a modal dialog closing, a drop-down list or menu that the display
  // focused when it was clicked) the display would leave it nowhere. Only a
  // window on the screen can take it.
  auto it = natives_.find(active.value);
  if (it == natives_.end() || it->second.minimized ||
      !(SDL_GetWindowFlags(it->second.window) & SDL_WINDOW_SHOWN))
    return;
  SDL_RaiseWindow(it->second.window);
  SDL_SetWindowInputFocus(it->second.window);
}

void DesktopBackend::RaisePopups(std::span<const TopLevelView> views) {
  // Menus and drop-down lists stay above the other windows, whatever order
  // their native windows were made or raised in (without a window manager
  // nothing else keeps them on top).
  for (auto v = views.rbegin(); v != views.rend(); ++v)
    if (v->popup && !v->minimized)
      if (auto it = natives_.find(v->hwnd.value); it != natives_.end())
        SDL_RaiseWindow(it->second.window);
}

void DesktopBackend::OnLocaleFileChanged() {
  std::ifstream in(localeFile_);
  std::stringstream text;
  text << in.rdbuf();
  if (localeEnvironment_.Apply(ParseLocaleFile(text.str()))) AnnounceRegionalSettingsChange();
}

void DesktopBackend::TellPresented() {
  static const char line[] = "presented\n";
  [[maybe_unused]] ssize_t n = write(presentedFd_, line, sizeof line - 1);
  close(presentedFd_);
  presentedFd_ = -1;
}

void DesktopBackend::ScreenDrawn(const RECT&) {
  // The layer starts clear (0); every pixel drawn differs from 0. Runs of
  // drawn pixels, row by row, make the overlay's shape.
  Surface s = screenBuffer_.View();
  std::vector<RECT> runs;
  for (int y = 0; y < s.height; ++y) {
    const std::uint32_t* row = s.Row(y);
    for (int x = 0; x < s.width;) {
      if (!(row[x] & 0xFFFFFF)) {
        ++x;
        continue;
      }
      int start = x;
      while (x < s.width && (row[x] & 0xFFFFFF)) ++x;
      runs.push_back(RECT{start, y, x, y + 1});
    }
  }
  if (runs.empty()) {
    ShowOverlay(false);
    overlayRect_ = RECT{};
    return;
  }
  Region drawn = Region::FromRects(runs);
  RECT b = drawn.Bounds();
  if (!overlay_) {
    overlay_ =
        SDL_CreateWindow("", Up(b.left), Up(b.top), Up(b.Width()), Up(b.Height()),
                         SDL_WINDOW_BORDERLESS | SDL_WINDOW_TOOLTIP | SDL_WINDOW_ALWAYS_ON_TOP |
                             SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_HIDDEN);
    if (!overlay_) return;
  }
  if (b != overlayRect_) {
    SDL_SetWindowPosition(overlay_, Up(b.left), Up(b.top));
    SDL_SetWindowSize(overlay_, Up(b.Width()), Up(b.Height()));
    overlayRect_ = b;
  }
  drawn.Offset(-b.left, -b.top);
  std::vector<RECT> shape = UpRects(drawn.Rects());
  // The surface first: making it may give the overlay a new native window,
  // which must be the one shaped.
  if (SDL_Surface* target = SDL_GetWindowSurface(overlay_)) {
    SDL_LockSurface(target);
    CopyScaled(s, b, target, scale_, POINT{0, 0});
    SDL_UnlockSurface(target);
    ApplyShape(overlay_, &shape);
    ShowOverlay(true);
    SDL_UpdateWindowSurface(overlay_);
  }
}

void DesktopBackend::ShowOverlay(bool show) {
  if (!overlay_ || show == overlayShown_) return;
  overlayShown_ = show;
#if SPRINTARA_HAVE_XSHAPE
  Display* display = nullptr;
  ::Window xw = 0;
  if (XHandles(overlay_, &display, &xw)) {
    // Mapped here rather than by SDL, which hands the keyboard to every
    // window it shows on a display without a window manager; and the
    // pointer passes through the outline to what lies under it.
    if (show) {
      XShapeCombineRectangles(display, xw, ShapeInput, 0, 0, nullptr, 0, ShapeSet, Unsorted);
      XMapRaised(display, xw);
    } else {
      XUnmapWindow(display, xw);
    }
    XFlush(display);
    return;
  }
#endif
  if (show)
    SDL_ShowWindow(overlay_);
  else
    SDL_HideWindow(overlay_);
}

bool DesktopBackend::QueryPointer(int* x, int* y, unsigned* buttons) const {
#if SPRINTARA_HAVE_XSHAPE
  // Asked of the server itself: SDL's own global state is kept from
  // events that a drag outside our windows may never bring.
  for (const auto& [h, n] : natives_) {
    Display* display = nullptr;
    ::Window xw = 0;
    if (!XHandles(n.window, &display, &xw)) continue;
    ::Window root = 0, child = 0;
    int wx = 0, wy = 0;
    return XQueryPointer(display, DefaultRootWindow(display), &root, &child, x, y, &wx, &wy,
                         buttons) != False;
  }
#endif
  (void)x;
  (void)y;
  (void)buttons;
  return false;
}

bool DesktopBackend::WindowManagerRuns(SDL_Window* any) const {
#if SPRINTARA_HAVE_XSHAPE
  Display* display = nullptr;
  ::Window xw = 0;
  if (!XHandles(any, &display, &xw)) return true;
  // A window manager names its check window on the root window.
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const int got = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                     AnyPropertyType, &type, &format, &count, &after, &data);
  if (data) XFree(data);
  return got == Success && type != None && count > 0;
#else
  (void)any;
  return true;
#endif
}

void DesktopBackend::SetCursorShape(unsigned id) {
  SDL_SystemCursor kind = SystemCursor(id);
  auto it = cursors_.find(unsigned(kind));
  if (it == cursors_.end())
    it = cursors_.emplace(unsigned(kind), SDL_CreateSystemCursor(kind)).first;
  if (it->second) SDL_SetCursor(it->second);
}

void DesktopBackend::MoveCursor(POINT p) {
  SDL_WarpMouseGlobal(Up(p.x), Up(p.y));
}

bool DesktopBackend::SetClipboardText(const std::string& text) {
  return SDL_SetClipboardText(Cp1252ToUtf8(text).c_str()) == 0;
}

std::optional<std::string> DesktopBackend::GetClipboardText() {
  if (!SDL_HasClipboardText()) return std::nullopt;
  char* t = SDL_GetClipboardText();
  if (!t) return std::nullopt;
  std::string out = Utf8ToCp1252(t);
  SDL_free(t);
  return out;
}

}  // namespace platform
