// The real desktop through SDL2: one borderless native window per visible
// top-level window at its screen position (the frame is ours to paint),
// popup windows for menus and lists, input turned into window-system input,
// the clipboard (UTF-8 at this edge) and task-bar entries. On a dense
// display every window is enlarged by a whole factor (see DisplayScale.h):
// the window system keeps its own pixels, and only this edge multiplies
// places and pictures and divides the pointer's positions.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/backends/desktop/LocaleFile.h"
#include "platform/gdi/Surface.h"
#include "platform/window/Backend.h"

struct SDL_Window;
struct SDL_Cursor;
struct SDL_MouseMotionEvent;
struct SDL_MouseButtonEvent;
struct SDL_MouseWheelEvent;
struct SDL_KeyboardEvent;
struct SDL_WindowEvent;
union SDL_Event;

namespace platform {

class DesktopBackend : public Backend {
 public:
  // Null (with the reason) when no display can be opened.
  static std::unique_ptr<DesktopBackend> Create(std::string* error);
  ~DesktopBackend() override;

  const char* Name() const override { return "desktop"; }
  // Display pixels per pixel of ours.
  int Scale() const { return scale_; }
  RECT ScreenRect() const override { return screen_; }
  RECT WorkArea() const override { return work_; }
  std::uint64_t NowMs() override;
  void Poll() override;
  void Wait(std::optional<std::uint64_t> deadlineMs) override;
  void Wake() override;
  void Present(std::span<const TopLevelView> views) override;
  // Drawing on the screen (the move/size outline) goes into a transparent
  // layer over the desktop: what is drawn shows in an overlay window shaped
  // to the drawn pixels; erased again, the overlay goes.
  Surface ScreenSurface() override { return screenBuffer_.View(); }
  void ScreenDrawn(const RECT& screenRect) override;
  void SetCursorShape(unsigned cursorId) override;
  void MoveCursor(POINT screen) override;
  bool SetClipboardText(const std::string& text) override;
  std::optional<std::string> GetClipboardText() override;
  // A short tone through the sound device, when there is one.
  void Beep() override;

 private:
  struct Native {
    SDL_Window* window = nullptr;
    std::uint32_t id = 0;
    RECT rect{};
    std::string title;
    bool minimized = false;
    bool hidden = false;  // minimized with no window manager: taken off the screen
    // A minimize (restore) posted on the display's word and not yet seen
    // carried out in a view.
    bool minimizeAsked = false, restoreAsked = false;
    bool needsFull = true;
    bool shaped = false;
    std::vector<RECT> shape;        // the window region last given to the display
    unsigned long shapedId = 0;     // the display's window that region was given to
    HWND owner;                     // an owned window's owner...
    bool withOwner = false;         // ...that the display was told of...
    unsigned long withOwnerId = 0;  // ...for this display window
  };

  DesktopBackend() = default;
  // One event from the display, handed to the handler of its kind.
  void Handle(const SDL_Event& e);
  void OnMouseMotion(const SDL_MouseMotionEvent& m);
  void OnMouseButton(const SDL_MouseButtonEvent& b);
  void OnMouseWheel(const SDL_MouseWheelEvent& w);
  void OnKey(const SDL_KeyboardEvent& k);
  void OnWindowEvent(const SDL_WindowEvent& w);
  void OnCloseRequest(HWND h);
  void OnFocusGained(HWND h, std::uint32_t timestamp);
  void OnMinimized(HWND h, Native& n);
  void OnShown(HWND h, Native& n);
  void OnRestored(HWND h, Native& n);
  // The steps of a presentation: a native window made for a new view, a
  // view's place, state, picture and shape brought to its native window
  // (true when a picture went to the display), the open popup followed,
  // native windows of views gone destroyed (true when one was), the
  // keyboard given to the active window, popups kept on top.
  std::map<std::uint32_t, Native>::iterator CreateNative(const TopLevelView& v);
  bool PresentView(HWND hwnd, Native& n, const TopLevelView& v);
  void Minimize(Native& n);
  void Unminimize(Native& n);
  void Reshape(Native& n, const TopLevelView& v);
  // An owned window (a dialog, a message box) is its owner's transient: the
  // window manager keeps it on its owner's desktop, above it, and iconifies
  // and restores the two together.
  void KeepWithOwner(Native& n);
  void TrackPopup(std::span<const TopLevelView> views);
  bool DestroyGone(const std::map<std::uint32_t, bool>& seen);
  void GiveKeyboard(HWND active);
  void RaisePopups(std::span<const TopLevelView> views);
  // The user's locale file changed: its settings go into the environment,
  // and the windows hear of a change of regional settings.
  void OnLocaleFileChanged();
  // Writes one line to the descriptor named for it, once.
  void TellPresented();
  void QueueText(const char* utf8);
  bool RightAltIsAltGr();
  HWND FindWindow(std::uint32_t sdlId, RECT* rect) const;
  // The screen rectangle of the window a pointer event came from: a native
  // window or the screen layer.
  bool PointerSource(std::uint32_t sdlId, RECT* rect) const;
  bool Upload(Native& n, const TopLevelView& v, RECT part);
  // While a button is held the pointer is followed wherever it goes: the
  // display's pointer grab where it has one, and the global pointer state
  // where the grab was refused or a window in between took the events.
  void FollowHeldPointer();
  // The pointer's screen place (display pixels) and held buttons (the X
  // server's mask); false where the display cannot say.
  bool QueryPointer(int* x, int* y, unsigned* buttons) const;
  void ShowOverlay(bool show);
  // While a menu or drop-down list is open the pointer is grabbed for it
  // (events over our own windows still go to them), so that a click on the
  // bare desktop or on another program's window reaches it and closes it.
  void HoldPopupGrab();
  // A press or release the grab brought from outside our windows.
  void HandleGrabbedButton(const SDL_Event& e);
  // Whether a window manager runs on the display (X11 only; elsewhere the
  // compositor is the window manager).
  bool WindowManagerRuns(SDL_Window* any) const;
  // Our coordinate of a display coordinate, and the other way.
  int Down(int v) const { return v >= 0 ? v / scale_ : -((-v + scale_ - 1) / scale_); }
  int Up(int v) const { return v * scale_; }
  std::vector<RECT> UpRects(const std::vector<RECT>& rects) const;

  int scale_ = 1;
  RECT screen_{}, work_{};
  SurfaceBuffer screenBuffer_;
  std::map<std::uint32_t, Native> natives_;  // by HWND value
  std::map<unsigned, SDL_Cursor*> cursors_;
  SDL_Window* overlay_ = nullptr;
  RECT overlayRect_{};
  HWND raised_;
  std::uint32_t wakeEvent_ = 0;
  int buttonsDown_ = 0;  // held buttons: bit 0 left, 1 right, 2 middle
  bool x11_ = false;     // the display is an X server (global pointer, shapes, grabs)
  bool overlayShown_ = false;
  SDL_Window* popup_ = nullptr;  // the topmost open menu or list
  bool popupGrabbed_ = false;
  bool grabbedDown_ = false;   // a press from outside our windows is held...
  int grabbedButton_ = 0;      // ...with this button
  bool refocus_ = false;       // give the active window the keyboard at the next Present
  bool pointerKnown_ = false;  // the last pointer position queued...
  POINT lastPointer_{};        // ...in our coordinates
  bool altGrKnown_ = false, altGr_ = false;  // the right Alt key types, by the layout
  bool heldAfterFocus_ = false;              // key presses now are keys held at a focus change...
  std::uint32_t focusStamp_ = 0;             // ...which came at this event time
  std::uint32_t localeEvent_ = 0;            // the locale file changed
  std::string localeFile_;
  LocaleEnvironment localeEnvironment_;
  std::unique_ptr<LocaleFileWatch> localeWatch_;
  int presentedFd_ = -1;     // told once of the first picture shown
  std::uint32_t audio_ = 0;  // the sound device, once opened
  bool audioTried_ = false;
};

}  // namespace platform
