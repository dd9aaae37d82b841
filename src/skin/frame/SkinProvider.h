// TSkinProvider: takes over a window's frame and client background with
// the skin. It paints the whole window into one cached picture, answers
// the hit test of the title bar's icon row, runs the border icons and the
// system menu, moves and sizes the window by its outline when asked to,
// snaps it to the monitor's edges and lends its picture to the window's
// skinned controls. It replaces the window's procedure while it lives.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "component/Component.h"
#include "graphics/PixelBitmap.h"
#include "skin/data/SkinTitleButtons.h"
#include "skin/frame/FrameHitTest.h"
#include "skin/frame/FramePaint.h"
#include "skin/frame/SkinSystemMenu.h"
#include "skin/link/SkinBroadcast.h"
#include "skin/link/SkinCommonData.h"
#include "toolkit/Form.h"

namespace skin {

enum TResizeMode { rmStandard, rmBorder };
const component::TEnumInfo& EnumInfo(TResizeMode);
const component::TEnumInfo& EnumInfo(TGripMode);

inline constexpr int kProviderControlKind = 224;

class TSkinProvider : public component::TComponent, public TSkinMessageReceiver {
 public:
  COMPONENT_CLASS_INFO()

  explicit TSkinProvider(component::TComponent* owner);
  ~TSkinProvider() override;

  // --- published
  toolkit::TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(toolkit::TBorderIcons v);
  toolkit::TAlignment CaptionAlignment() const { return captionAlignment_; }
  void SetCaptionAlignment(toolkit::TAlignment v);
  TSkinCommonData* SkinData() const { return skinData_.get(); }
  TGripMode GripMode() const { return gripMode_; }
  void SetGripMode(TGripMode v);
  bool MakeSkinMenu() const { return makeSkinMenu_; }
  void SetMakeSkinMenu(bool v) { makeSkinMenu_ = v; }
  TResizeMode ResizeMode() const { return resizeMode_; }
  void SetResizeMode(TResizeMode v) { resizeMode_ = v; }
  bool ScreenSnap() const { return screenSnap_; }
  void SetScreenSnap(bool v) { screenSnap_ = v; }
  int SnapBuffer() const { return snapBuffer_; }
  void SetSnapBuffer(int v) { snapBuffer_ = v; }
  bool ShowAppIcon() const { return showAppIcon_; }
  void SetShowAppIcon(bool v);
  TSkinTitleButtons* TitleButtons() const { return titleButtons_.get(); }
  TSkinTitleIcon* TitleIcon() const { return titleIcon_.get(); }
  bool UseGlobalColor() const { return useGlobalColor_; }
  void SetUseGlobalColor(bool v);

  // --- run time
  toolkit::TCustomForm* Form() const { return form_; }
  // The frame is painted by the skin: a valid frame section and a window.
  bool Skinned() const;
  bool Subclassed() const { return subclassed_ != platform::HWND{}; }
  bool FrameActive() const { return active_; }
  int IconState(TFrameIcon icon) const { return iconStates_[std::size_t(icon)]; }
  TSkinSystemMenu* SystemMenu() const { return systemMenu_; }
  // The picture of the whole window (painted first when stale).
  graphics::TPixelBitmap& FrameCache();
  const TFrameLayout& Layout() const { return layout_; }
  POINT ClientOffset() const { return layout_.ClientOffset; }
  // Marks the frame stale and repaints it.
  void RefreshFrame();
  // Dragging: the outline now drawn, empty when none.
  RECT Outline() const { return dragging_ ? outline_ : RECT{}; }

  platform::LRESULT SkinMessage(platform::UINT msg, platform::WPARAM wParam,
                                platform::LPARAM lParam) override;

 protected:
  void Loaded() override;

 private:
  static platform::LRESULT FrameProc(platform::HWND hwnd, platform::UINT msg,
                                     platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT Dispatch(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT CallOld(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam);

  // One handler a message; each passes on to the window's own procedure
  // what it does not keep.
  using LRESULT = platform::LRESULT;
  using UINT = platform::UINT;
  using WPARAM = platform::WPARAM;
  using LPARAM = platform::LPARAM;
  LRESULT OnNcDestroy(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnGetCache(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnNcCalcSize(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnNcActivate(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnSizeMoveLoop(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnSysCommand(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnSysChar(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnWindowPosChanging(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnGetMinMaxInfo(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnFrameChanged(UINT msg, WPARAM wParam, LPARAM lParam);
  // The mouse, and the keys of a drag (SkinProviderMouse.cpp).
  LRESULT OnNcHitTest(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnNcMouseMove(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnNcMouseLeave(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnEnterMenuLoop(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnNcButtonDown(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnNcDoubleClick(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnMouseMove(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnButtonDown(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnButtonUp(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnCaptureChanged(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyDown(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyDuringDrag(UINT msg, WPARAM wParam, LPARAM lParam);
  void ShowSystemMenuBelowCaption();
  void Attach();
  void Subclass();
  void Unsubclass();
  void TakeSkin();
  void DropSkin();
  void ApplyColor();
  // The window's size allows a cache; larger ones are left to the platform.
  bool Paintable() const;

  TFramePaintInput PaintInput() const;
  int MenuBarLines(const TFramePaintInput& in) const;
  std::vector<TFrameBarItem> BarItems(const TFramePaintInput& in, int top) const;
  // Lights the bar item under the screen point; none for null.
  void SetHotMenuItem(const POINT* screen);
  void KeepClientBackground();
  void PaintCache();
  void UpdateRegion();
  void PaintNonClient();
  void EraseClient(platform::HDC dc);
  void SetIconState(int icon, int state);
  void SetTitleButtonState(int state);
  TFrameHitInput HitInput() const;
  platform::LRESULT HitTest(platform::LPARAM lParam);
  bool NcButtonDown(platform::WPARAM hit, platform::LPARAM lParam);
  // The pointer of a mouse message during a capture, on the screen.
  POINT ScreenPoint(platform::LPARAM clientPoint) const;
  void MouseMove(POINT screen);
  void ButtonUp(POINT screen);
  // The outline moved or sized by `offset` from where the drag began.
  void MoveOutline(POINT offset);
  // Erases the outline and, when `commit`, moves or sizes the window to it
  // (the one place an operator's move is snapped to the screen's edges).
  void EndDrag(bool commit);
  // The system menu's Move and Size: the outline follows the arrow keys
  // (and the mouse, once it moves) until Enter, a click or Escape.
  void StartKeyboardDrag(bool move);
  bool DragKey(platform::WPARAM key);
  void IconAction(int icon);
  void SystemCommand(platform::WPARAM command);
  void ShowSystemMenu(POINT screen);
  void DrawOutline();
  void SnapPosition(platform::WINDOWPOS& pos);

  toolkit::TCustomForm* form_ = nullptr;
  // The same object seen as a component, safe to ask while the form part of
  // it is already destroyed.
  component::TComponent* formBase_ = nullptr;
  toolkit::TBorderIcons borderIcons_{toolkit::biSystemMenu, toolkit::biMinimize,
                                     toolkit::biMaximize};
  toolkit::TBorderIcons formIcons_{};
  toolkit::TAlignment captionAlignment_ = toolkit::taLeftJustify;
  std::unique_ptr<TSkinCommonData> skinData_;
  TGripMode gripMode_ = gmNone;
  bool makeSkinMenu_ = true;
  TResizeMode resizeMode_ = rmStandard;
  bool screenSnap_ = false;
  int snapBuffer_ = 10;
  bool showAppIcon_ = true;
  std::unique_ptr<TSkinTitleButtons> titleButtons_;
  std::unique_ptr<TSkinTitleIcon> titleIcon_;
  bool useGlobalColor_ = true;

  platform::HWND subclassed_{};
  platform::WNDPROC oldProc_ = nullptr;
  toolkit::TWndMethod oldWindowProc_;
  bool hookedWindowProc_ = false;
  bool iconsTaken_ = false;
  TFramePieces pieces_;
  TFrameLayout layout_;
  std::vector<std::uint32_t> strip_;
  bool stale_ = true;
  bool frameChanged_ = true;
  // The client background as first painted, reused while only the title
  // changes (frame sections with ReservedBoolean).
  platform::SurfaceBuffer keptClient_;
  POINT keptAt_{};
  bool clientKept_ = false;
  bool preparing_ = false;
  bool active_ = false;
  std::array<int, kFrameIconCount> iconStates_{};
  int pressedIcon_ = -1;
  int hotMenuItem_ = -1;   // the bar item under the pointer, among the visible ones
  int pressedTitle_ = -1;  // the title button held down, and how it shows
  int titleState_ = 0;
  TSkinSystemMenu* systemMenu_ = nullptr;
  platform::SurfaceBuffer defaultIcon_;

  bool dragging_ = false;
  bool keyboardDrag_ = false;  // started from the system menu
  bool snapping_ = false;      // the window is being put where the operator dragged it
  POINT keyOffset_{};
  bool dragMoved_ = false;
  platform::LRESULT dragHit_ = 0;
  POINT dragStart_{};
  RECT dragRect_{};
  RECT outline_{};
};

}  // namespace skin
