// The skinned frame's geometry: metrics, icon slots, hit codes at the edges
// of every range, the window region's corner runs, snapping and the
// outline of a move or size.
#include <gtest/gtest.h>

#include "FrameFixture.h"
#include "skin/frame/FrameHitTest.h"
#include "skin/frame/FramePaint.h"
#include "skin/frame/FrameRegion.h"
#include "skin/frame/FrameTracking.h"

namespace {

namespace p = platform;
using namespace skin;

TEST(FrameMetrics, BorderAndCaptionFollowTheBorderStyle) {
  const TFrameMetrics s = FrameMetricsFor(toolkit::bsSizeable);
  EXPECT_EQ(s.BorderWidth, 4);
  EXPECT_EQ(s.BorderHeight, 4);
  EXPECT_EQ(s.CaptionHeight, 19);
  const TFrameMetrics d = FrameMetricsFor(toolkit::bsDialog);
  EXPECT_EQ(d.BorderWidth, 3);
  EXPECT_EQ(d.CaptionHeight, 19);
  const TFrameMetrics t = FrameMetricsFor(toolkit::bsToolWindow);
  EXPECT_EQ(t.BorderWidth, 3);
  EXPECT_EQ(t.BorderHeight, 4);
  EXPECT_EQ(t.CaptionHeight, 14);
  EXPECT_EQ(FrameMetricsFor(toolkit::bsNone).CaptionHeight, 0);

  EXPECT_EQ(FrameMenuHeight(toolkit::bsSizeable, true, 2), 36);
  EXPECT_EQ(FrameMenuHeight(toolkit::bsDialog, true, 1), 0);
  EXPECT_EQ(FrameMenuHeight(toolkit::bsSizeable, false, 1), 0);
  const POINT c = FrameClientOffset(s, 18);
  EXPECT_EQ(c.x, 4);
  EXPECT_EQ(c.y, 41);

  TSkinTables none;
  EXPECT_EQ(BorderIconSize(none, -1).cx, 21);
  EXPECT_EQ(BorderIconSize(none, 0).cy, 21);
}

TEST(FrameLayout, ConsoleIconsRightToLeftAndDialogWithout) {
  TFrameLayoutInput in;
  in.Width = 799;
  in.Height = 448;
  const TFrameLayout l = LayoutFrame(in, {18, 18});
  EXPECT_EQ(l.IconCount, 3);
  EXPECT_EQ(l.Icon[fiClose].left, 799 - 4 - 18 - 1);
  EXPECT_EQ(l.Icon[fiMaximize].left, 799 - 4 - 2 * 19);
  EXPECT_EQ(l.Icon[fiMinimize].left, 799 - 4 - 3 * 19);
  EXPECT_FALSE(l.Visible[fiHelp]);
  EXPECT_EQ(l.Icon[fiClose].top, (23 - 18) / 2);
  EXPECT_EQ(l.Strip.left, 799 - (4 * 19 + 4));
  EXPECT_TRUE(l.HasAppIcon);
  EXPECT_EQ(l.Text.left, 16 + 4 + 4);
  EXPECT_EQ(l.Text.right, 799 - 3 * 19 - 16);

  TFrameLayoutInput dialog = in;
  dialog.Style = toolkit::bsDialog;
  dialog.Icons = {};
  dialog.ShowAppIcon = false;
  const TFrameLayout d = LayoutFrame(dialog, {18, 18});
  EXPECT_EQ(d.IconCount, 0);
  EXPECT_FALSE(d.HasAppIcon);
  EXPECT_TRUE(d.Strip.IsEmpty());
  EXPECT_EQ(d.Text.left, 3 + 4);

  // A title icon of its own size keeps the slot's top-left corner.
  TFrameLayoutInput big = in;
  big.AppIconSize = {20, 12};
  const TFrameLayout b = LayoutFrame(big, {18, 18});
  EXPECT_EQ(b.AppIcon, (RECT{4, l.AppIcon.top, 24, l.AppIcon.top + 12}));
  EXPECT_EQ(b.Text.left, 20 + 4 + 4);

  // Small icons sit 2 pixels lower; a minimized frame is 160 wide.
  in.Minimized = true;
  const TFrameLayout m = LayoutFrame(in, {12, 12});
  EXPECT_EQ(m.Width, kMinimizedFrameWidth);
  EXPECT_EQ(m.Icon[fiClose].top, (23 - 12) / 2 + 2);
}

TFrameHitInput Console() {
  TFrameHitInput in;
  in.Width = 799;
  in.M = FrameMetricsFor(toolkit::bsSizeable);
  in.IconSize = {18, 18};
  in.MaximizeVisible = in.MinimizeVisible = true;
  in.AppIconWidth = 16;
  return in;
}

TEST(FrameHitTest, EveryIconRangeAtItsEdges) {
  TFrameHitInput in = Console();
  const int y = 5;  // icon row: 2 .. 19
  EXPECT_EQ(FrameHitTest(in, {795, y}), p::HTCLOSE);
  EXPECT_EQ(FrameHitTest(in, {776, y}), p::HTCLOSE);
  EXPECT_EQ(FrameHitTest(in, {775, y}), p::HTMAXBUTTON);
  EXPECT_EQ(FrameHitTest(in, {757, y}), p::HTMAXBUTTON);
  EXPECT_EQ(FrameHitTest(in, {756, y}), p::HTMINBUTTON);
  EXPECT_EQ(FrameHitTest(in, {738, y}), p::HTMINBUTTON);
  EXPECT_EQ(FrameHitTest(in, {737, y}), p::HTCAPTION);
  EXPECT_EQ(FrameHitTest(in, {4, y}), p::HTSYSMENU);
  EXPECT_EQ(FrameHitTest(in, {20, y}), p::HTSYSMENU);
  EXPECT_EQ(FrameHitTest(in, {21, y}), p::HTCAPTION);
  EXPECT_EQ(FrameHitTest(in, {3, y}), p::HTCAPTION);
  // Outside the icon row the platform decides.
  EXPECT_EQ(FrameHitTest(in, {780, 1}), p::HTNOWHERE);
  EXPECT_EQ(FrameHitTest(in, {780, 2}), p::HTCLOSE);
  EXPECT_EQ(FrameHitTest(in, {780, 19}), p::HTCLOSE);
  EXPECT_EQ(FrameHitTest(in, {780, 20}), p::HTNOWHERE);

  // Help takes the slot left of minimize; a missing maximize icon moves
  // minimize into its slot.
  in.Help = true;
  EXPECT_EQ(FrameHitTest(in, {737, y}), p::HTHELP);
  EXPECT_EQ(FrameHitTest(in, {719, y}), p::HTHELP);
  EXPECT_EQ(FrameHitTest(in, {718, y}), p::HTCAPTION);
  in.Help = false;
  in.MaximizeVisible = false;
  EXPECT_EQ(FrameHitTest(in, {770, y}), p::HTMINBUTTON);
  EXPECT_EQ(FrameHitTest(in, {750, y}), p::HTCAPTION);
  // A window that cannot be minimized shows the icon but does not hit it.
  in.CanMinimize = false;
  EXPECT_EQ(FrameHitTest(in, {770, y}), p::HTCAPTION);

  // Without a system menu nothing but the caption.
  TFrameHitInput dialog = Console();
  dialog.SystemMenu = dialog.MaximizeVisible = dialog.MinimizeVisible = false;
  dialog.AppIconWidth = 0;
  EXPECT_EQ(FrameHitTest(dialog, {790, y}), p::HTCAPTION);
  EXPECT_EQ(FrameHitTest(dialog, {5, y}), p::HTCAPTION);

  // A borderless window paints no caption strip and no icons: none is hit.
  TFrameHitInput bare = Console();
  bare.Border = false;
  bare.M = FrameMetricsFor(toolkit::bsNone);
  for (const int x : {795, 780, 760, 740, 400, 5})
    EXPECT_EQ(FrameHitTest(bare, {x, y}), p::HTNOWHERE);
}

TEST(FrameHitTest, TitleButtonsAndGrip) {
  TFrameHitInput in = Console();
  in.TitleButtonsEnabled = {true, false};
  const int right = 799 - 4 - 4 * 18 - 4;  // 719
  EXPECT_EQ(FrameHitTest(in, {right, 5}), kHitTitleButton + 0);
  EXPECT_EQ(FrameHitTest(in, {right - 18, 5}), kHitTitleButton + 0);
  EXPECT_EQ(FrameHitTest(in, {right - 19, 5}), p::HTCAPTION);  // button 1 is disabled
  EXPECT_EQ(FrameHitTest(in, {799 - 4 - 6 * 19 - 1, 5}), p::HTCAPTION);

  in.Grip = true;
  in.GripCorner = {780, 430};
  EXPECT_EQ(FrameHitTest(in, {780, 430}), p::HTBOTTOMRIGHT);
  EXPECT_EQ(FrameHitTest(in, {779, 430}), p::HTNOWHERE);
  EXPECT_EQ(FrameIconOfHit(p::HTMAXBUTTON), fiMaximize);
  EXPECT_EQ(FrameIconOfHit(p::HTCAPTION), -1);
}

TEST(FrameTracking, SnapsWithinTheBufferOnly) {
  const RECT monitor{0, 0, 1280, 800};
  EXPECT_EQ(SnapToMonitor({9, 100}, 799, 448, monitor, 10).x, 0);
  EXPECT_EQ(SnapToMonitor({10, 100}, 799, 448, monitor, 10).x, 10);
  EXPECT_EQ(SnapToMonitor({-9, 100}, 799, 448, monitor, 10).x, 0);
  EXPECT_EQ(SnapToMonitor({100, 9}, 799, 448, monitor, 10).y, 0);
  EXPECT_EQ(SnapToMonitor({1280 - 799 - 9, 100}, 799, 448, monitor, 10).x, 1280 - 799);
  EXPECT_EQ(SnapToMonitor({1280 - 799 + 10, 100}, 799, 448, monitor, 10).x, 1280 - 799 + 10);
  EXPECT_EQ(SnapToMonitor({100, 800 - 448 + 9}, 799, 448, monitor, 10).y, 800 - 448);
  // A monitor that does not start at the origin.
  const RECT second{1280, 0, 2304, 768};
  EXPECT_EQ(SnapToMonitor({1285, 50}, 300, 200, second, 10).x, 1280);
}

TEST(FrameTracking, OutlineMovesOrSizesWithinTheMinimum) {
  const RECT start{100, 100, 500, 400};
  const RECT moved = TrackOutline(p::HTCAPTION, start, 30, -20, 200, 100);
  EXPECT_EQ(moved, (RECT{130, 80, 530, 380}));
  const RECT wider = TrackOutline(p::HTBOTTOMRIGHT, start, 50, 60, 200, 100);
  EXPECT_EQ(wider, (RECT{100, 100, 550, 460}));
  // Below the minimum the outline stops at it, from the edge that moves.
  const RECT small = TrackOutline(p::HTTOPLEFT, start, 390, 390, 200, 100);
  EXPECT_EQ(small, (RECT{300, 300, 500, 400}));
  const RECT narrow = TrackOutline(p::HTRIGHT, start, -1000, 5, 200, 100);
  EXPECT_EQ(narrow, (RECT{100, 100, 300, 400}));
}

class FrameRegionTest : public GoldenSkinTest {};

TEST_F(FrameRegionTest, TopCornersAreRoundedAndBottomCornersSquare) {
  const TSkinTables& t = ActiveSkin();
  const TFramePieces pieces = FindFramePieces(t, "FORM");
  const int frame = FindMask(pieces.Section, "FORM", "BORDERSMASK");
  const int title = FindMask(pieces.Title, "FORMTITLE", "BORDERSMASK");
  const auto cut = FrameCutouts(t, frame, title, 799, 448);
  ASSERT_EQ(cut.size(), 8u);
  const int runs[] = {4, 2, 1, 1};
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(cut[std::size_t(2 * row)], (RECT{0, row, runs[row], row + 1})) << row;
    EXPECT_EQ(cut[std::size_t(2 * row + 1)], (RECT{799 - runs[row], row, 799, row + 1})) << row;
  }
  // The minimized width and windows smaller than a corner cell.
  EXPECT_EQ(FrameCutouts(t, frame, title, 160, 24)[1], (RECT{156, 0, 160, 1}));
  for (const RECT& r : FrameCutouts(t, frame, title, 3, 2)) {
    EXPECT_GE(r.left, 0);
    EXPECT_LE(r.right, 3);
    EXPECT_LT(r.top, 2);
  }
  EXPECT_TRUE(FrameCutouts(t, frame, title, 0, 0).empty());
  EXPECT_TRUE(FrameCutouts(t, -1, 99999, 799, 448).empty());
}

TEST_F(FrameRegionTest, StoredIconsAre18Square) {
  const TFramePieces pieces = FindFramePieces(ActiveSkin(), "FORM");
  EXPECT_EQ(BorderIconSize(ActiveSkin(), pieces.Close).cx, 18);
  EXPECT_EQ(BorderIconSize(ActiveSkin(), pieces.Close).cy, 18);
  EXPECT_FALSE(FindFramePieces(ActiveSkin(), "NOSUCHFRAME").Valid());
}

}  // namespace
