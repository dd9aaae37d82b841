// The state behind every window function: the handle table, classes, the
// window tree with z-order, activation, focus and capture, the message and
// input queues, timers and the backend. Internal to the window system.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"
#include "platform/window/Backend.h"
#include "platform/window/Window.h"

namespace platform {

struct WindowClass {
  std::string name;
  WNDCLASS wc;
  std::string menuName;
  std::vector<std::uint8_t> extra;
  std::uint16_t atom = 0;
};

struct WindowRec {
  HWND hwnd;
  std::shared_ptr<WindowClass> cls;
  WNDPROC proc = nullptr;
  DWORD style = 0, exStyle = 0;
  HWND parent;                 // the desktop for top-level windows
  HWND owner;                  // top-level windows only
  std::vector<HWND> children;  // z-order, topmost first
  std::string text;
  RECT window{}, client{};  // relative to the parent's client origin (screen for top-levels)
  RECT normal{};            // restore position while minimised or maximised
  bool restoreToMaximized = false;
  LONG_PTR userData = 0, id = 0;
  std::vector<std::uint8_t> extra;
  HMENU menu;
  HICON iconBig, iconSmall;
  std::vector<std::pair<std::string, LONG_PTR>> props;
  bool created = false;     // WM_NCCREATE answered
  bool destroying = false;  // WM_DESTROY under way
  bool destroyed = false;   // handle gone
  bool redrawOff = false;   // WM_SETREDRAW FALSE

  // Painting. The update region is in window coordinates (0, 0 = window's
  // top-left corner) and covers client and frame alike.
  Region update;
  bool erase = false;
  bool ncPaint = false;
  bool internalPaint = false;
  std::uint32_t paints = 0;       // BeginPaint calls, to spot procedures that never paint
  std::unique_ptr<Region> shape;  // window region, window coordinates

  // Top-level windows keep their picture; children draw into their root's.
  SurfaceBuffer picture;
  RECT dirty{};  // changed since last presented, window coordinates

  struct Scroll {
    int min = 0, max = 100;
    UINT page = 0;
    int pos = 0, trackPos = 0;
  } scroll[2];  // SB_HORZ, SB_VERT

  DWORD track = 0;            // TrackMouseEvent flags in force
  bool ncActive = false;      // the frame shows the active look
  HWND lastFocus;             // top-level windows: the descendant that had the focus last
  LRESULT pressedButton = 0;  // caption button held down, for the frame
};

enum class RawKind { MouseMove, MouseButton, MouseWheel, Key, Char, DisplayFocus };

// Input as a backend or a test reports it; turned into messages when read.
struct RawInput {
  RawKind kind;
  POINT pt;        // screen
  int button = 0;  // 0 left, 1 right, 2 middle
  bool down = false;
  int vk = 0;              // keys; wheel delta for the wheel
  unsigned ch = 0;         // characters
  bool textApart = false;  // keys: the display types their text as characters
  bool held = false;       // keys: down already when our window got the focus
  HWND hwnd{};             // display focus: the top-level window that got it
  std::uint64_t time = 0;
};

// Set in a key message's lParam when the display delivers the key's text as
// characters of its own: translating the key then gives only control
// characters and Alt mnemonics (a bit the classic layout leaves reserved).
constexpr LPARAM kKeyTextApart = LPARAM(1) << 25;

struct Timer {
  HWND hwnd;
  std::uintptr_t id = 0;
  UINT interval = 0;
  std::uint64_t due = 0;
  TIMERPROC proc = nullptr;
};

struct SurfaceDCInfo {
  HWND hwnd;  // null for the screen
  DWORD flags = 0;
  Region extra;  // DCX_INTERSECTRGN / EXCLUDERGN, screen coordinates
  bool hasExtra = false;
  bool paint = false;  // handed out by BeginPaint
};

class WindowSystem {
 public:
  static WindowSystem& Get();
  // Replaces the whole state; the old windows are destroyed first.
  static void Reset(std::unique_ptr<Backend> backend);

  // The installed backend; throws when a program made windows before it
  // chose one.
  Backend& backend();
  bool HasBackend() const { return backend_ != nullptr; }
  std::uint64_t Now() { return backend().NowMs(); }

  // Handles.
  std::shared_ptr<WindowRec> Find(HWND h) const;  // null when invalid or gone
  WindowRec* Get(HWND h) const { return Find(h).get(); }
  // Windows alive now, the desktop included.
  int LiveWindows() const {
    return int(slots_.size() - freeSlots_.size()) - (slots_.empty() ? 0 : 1);
  }
  std::shared_ptr<WindowRec> NewWindow();
  void FreeWindow(HWND h);
  HWND desktop;

  // Tree helpers.
  bool IsTopLevel(const WindowRec& w) const { return w.parent == desktop; }
  WindowRec* Root(WindowRec* w) const;  // its top-level window
  WindowRec* Parent(const WindowRec& w) const { return Get(w.parent); }
  bool IsDescendant(HWND ancestor, HWND h) const;  // h inside ancestor (or equal)
  bool ReallyVisible(const WindowRec& w) const;    // itself and every ancestor
  POINT ClientOrigin(const WindowRec& w) const;    // screen
  RECT ScreenWindowRect(const WindowRec& w) const;
  RECT ScreenClientRect(const WindowRec& w) const;
  // Offset of a window's top-left corner inside its top-level's picture.
  POINT OffsetInRoot(const WindowRec& w) const;
  std::vector<HWND> TopLevels() const;  // z-order, topmost first
  // Visible part of the window (client only or whole) in its root's picture
  // coordinates, with siblings above, clipped children (WS_CLIPCHILDREN or
  // clipChildren) and shapes taken out.
  Region VisibleRegion(const WindowRec& w, bool clientOnly, bool clipChildren) const;

  // Classes.
  std::map<std::string, std::shared_ptr<WindowClass>> classes;  // key: lower-case name
  std::uint16_t nextAtom = 0xC000;

  // Activation, focus, capture.
  HWND active, focus, capture;
  bool captureTakesKeys = false;  // a move/size outline follows the keys too
  bool appActive = false;
  HWND mouseWindow;      // window under the mouse last time, for leave tracking
  LRESULT mouseHit = 0;  // its hit-test code
  HCURSOR cursor;
  bool altAlone = false;  // Alt pressed with no other key since: its release opens the menu

  // The thread that made the window system; the only one that may do more
  // than post.
  std::thread::id uiThread = std::this_thread::get_id();

  // Queues. `posted` may be touched from other threads, under `lock`.
  std::mutex lock;
  std::deque<MSG> posted;
  std::deque<RawInput> input;
  bool quit = false;
  int quitCode = 0;
  std::vector<Timer> timers;
  std::uintptr_t nextTimerId = 0x7FF0;
  MSG lastMessage{};
  int sendDepth = 0;

  // Keyboard and mouse state. keyState: bit 0x80 down, bit 0x01 toggled, as
  // of the message being processed; asyncState as of the latest input.
  std::uint8_t keyState[256] = {};
  std::uint8_t asyncState[256] = {};
  POINT cursorPos;
  struct Click {
    HWND hwnd;
    UINT message = 0;
    std::uint64_t time = 0;
    POINT pt;
  } lastClick;

  // Device contexts handed out.
  std::map<std::uint32_t, SurfaceDCInfo> dcs;

  // The one caret: a blinking inverted block in its window's client area.
  struct Caret {
    HWND hwnd;
    int width = 0, height = 0;
    POINT pos;
    int hidden = 1;      // ShowCaret/HideCaret count; shown at 0
    bool drawn = false;  // currently inverted on screen
    // A block at `owedAt` left inverted because the window's pending
    // repaint covers it; undone if that repaint stops covering it.
    bool owed = false;
    POINT owedAt;
    std::uintptr_t timer = 0;
  } caret;
  UINT caretBlinkMs = 530;

  // Called when a message loop has nothing to do and would wait; true makes
  // it look again at once.
  std::shared_ptr<std::function<bool()>> idleHook;
  bool inIdleHook = false;

  MenuHandler* menuHandler = nullptr;
  // The first control the Tab key reaches in a window (the dialog layer's
  // tab order); where activation puts the focus when none was remembered.
  HWND (*firstTabStop)(HWND) = nullptr;
  std::string applicationTitle;

 private:
  std::vector<std::shared_ptr<WindowRec>> slots_;
  std::vector<std::uint16_t> generations_;
  std::vector<std::uint32_t> freeSlots_;
  std::unique_ptr<Backend> backend_;
};

inline WindowSystem& WS() {
  return WindowSystem::Get();
}

// Internal WINDOWPOS flags from SetWindowPos telling DefWindowProc whether
// the client area moved or changed size (WM_MOVE and WM_SIZE follow from them).
constexpr UINT kNoClientSize = 0x0800;
constexpr UINT kNoClientMove = 0x1000;

// Internal helpers shared by the window files.
LRESULT Send(WindowRec* w, UINT msg, WPARAM wp = 0, LPARAM lp = 0);
void InvalidateWindowArea(WindowRec& w, const Region& area, UINT rdwFlags);  // window coords
void AddDirty(WindowRec& root, const RECT& r);  // root window coordinates
void RefreshOpenDCs();                          // after geometry changes
void PresentAll();
void RecalcClient(WindowRec& w);
void ActivateNext(HWND leaving);
void SetActive(HWND h, bool click, bool bringToTop = true);
void RemoveWindowMessages(HWND h);
MINMAXINFO GetMinMax(HWND h);
void RunMoveSizeLoop(HWND h, WPARAM cmd, POINT start);
void TrackCaptionButton(HWND h, LRESULT hit);
LRESULT DefaultHitTest(WindowRec& w, POINT screen);
void PaintClassicFrame(HWND h, HRGN clip);
RECT FrameInsets(DWORD style, DWORD exStyle, bool hasMenu);
int FrameThickness(DWORD style, DWORD exStyle);
int MenuBarHeight(WindowRec& w, int windowWidth);
// Caption and its buttons in window coordinates; false without a caption.
struct CaptionLayout {
  RECT caption, close, maximize, minimize, icon;
};
bool LayoutCaption(const WindowRec& w, CaptionLayout* out);
// Turns the oldest raw input into a message; with commit, also does what
// reading it does (activation, cursor, double clicks, key state, leave
// tracking). False when nobody receives it.
bool CookInput(const RawInput& raw, MSG* msg, bool commit);
unsigned CharForKey(int vk);  // by the current key state; 0 for none
HWND NextWindowToPaint(HWND filter);
void CaretWindowGone(HWND h);
void PaintScrollBars(WindowRec& w, HDC windowDC);
void TrackScrollBar(HWND h, int bar, POINT screen);
// BeginPaint hides the caret of the window it paints; EndPaint shows it.
void HideCaretForPaint(HWND h);
void ShowCaretAfterPaint(HWND h);
// Waits until input may have arrived or the deadline passes, after giving
// the idle hook its turn.
void WaitForWork(std::optional<std::uint64_t> deadlineMs);
// The display gave its keyboard focus to a top-level window: activation
// follows where the window system's rules allow.
void ActivateFromDisplay(HWND h);

}  // namespace platform
