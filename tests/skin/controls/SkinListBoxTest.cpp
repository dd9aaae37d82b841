// The skinned list box and its scroll bar on a real skinned form: rows drawn
// over the list's picture, the 3-pixel frame, the separate bar coming and
// going with the rows, scrolling through it, and hostile sizes and contents.
#include <string>
#include <vector>

#include "ControlFixture.h"
#include "component/Reader.h"
#include "platform/controls/Controls.h"
#include "platform/gdi/Gdi.h"
#include "skin/SkinManager.h"
#include "skin/controls/SkinListBox.h"

namespace {

using skin::TSkinListBox;
using skin::TSkinScrollBar;

std::uint32_t Sys(int index) {
  return skin::PixelOf(std::int32_t(platform::GetSysColor(index))) & 0xFFFFFFu;
}

class SkinListBoxTest : public SkinControlTest {
 protected:
  void SetUp() override {
    SkinControlTest::SetUp();
    list = new TSkinListBox(form);
    list->SetParent(form);
    list->SetBounds(4, 36, 197, 237);
    list->SetItemHeight(16);
    list->SkinData()->SetSkinSection("EDIT");
    list->OnVScroll = [this](toolkit::TObject*) { ++scrolls; };
    Flush();
  }
  void Fill(int n) {
    for (int i = 0; i < n; ++i) list->Items()->Add("Rex " + std::to_string(i));
    Flush();
  }
  // The pixel of the list's cache.
  std::uint32_t CachePixel(int x, int y) { return Rgb(list->SkinData()->CacheBitmap(), x, y); }
  // A screen pixel of the list's window (frame included).
  std::uint32_t WindowPixel(int x, int y) {
    return ClientPixel(list, x - TSkinListBox::kFrame, y - TSkinListBox::kFrame);
  }
  bool BarShown() { return list->ScrollBar() && list->ScrollBar()->Visible(); }
  platform::POINT BarPoint(int x, int y) { return ScreenPoint(list->ScrollBar(), x, y); }

  TSkinListBox* list = nullptr;
  int scrolls = 0;
};

TEST_F(SkinListBoxTest, OwnerDrawHandlerDrawsEveryRowOnHighlightWhenSelected) {
  std::vector<int> drawn;
  std::vector<toolkit::TColor> brushes;
  list->OnDrawItem = [&](toolkit::TWinControl*, int index, platform::RECT r,
                         toolkit::TOwnerDrawState) {
    drawn.push_back(index);
    brushes.push_back(list->Canvas()->Brush()->Color());
    list->Canvas()->FillRect(r);
  };
  Fill(5);
  list->SetItemIndex(2);
  drawn.clear(), brushes.clear();
  platform::RedrawWindow(list->Handle(), nullptr, platform::HRGN{}, platform::RDW_INVALIDATE);
  Flush();
  ASSERT_EQ(drawn, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(brushes[2], toolkit::clHighlight);
  EXPECT_NE(brushes[1], toolkit::clHighlight);
  EXPECT_EQ(ClientPixel(list, 100, 2 * 16 + 8), Sys(platform::COLOR_HIGHLIGHT));
}

TEST_F(SkinListBoxTest, ScrollingByARowDrawsOnlyTheRowsScrolledIn) {
  std::vector<int> drawn;
  auto shade = [](int index) { return toolkit::TColor(0x000040 + index * 2); };
  list->OnDrawItem = [&](toolkit::TWinControl*, int index, platform::RECT r,
                         toolkit::TOwnerDrawState) {
    drawn.push_back(index);
    list->Canvas()->Brush()->SetColor(shade(index));
    list->Canvas()->FillRect(r);
  };
  Fill(100);
  drawn.clear();
  platform::SendMessage(list->Handle(), platform::WM_VSCROLL, platform::SB_LINEDOWN, 0);
  Flush();
  EXPECT_EQ(drawn, (std::vector<int>{14, 15}));  // the last whole row and the part below it
  for (int row = 0; row < 14; ++row)
    EXPECT_EQ(ClientPixel(list, 60, row * 16 + 8), skin::PixelOf(shade(row + 1)) & 0xFFFFFFu)
        << row;
  EXPECT_EQ(list->ScrollBar()->Position(), 1);
  // A long jump draws every row.
  drawn.clear();
  platform::SendMessage(list->Handle(), platform::LB_SETTOPINDEX, 50, 0);
  Flush();
  EXPECT_EQ(drawn.size(), 15u);
  EXPECT_EQ(ClientPixel(list, 60, 8), skin::PixelOf(shade(50)) & 0xFFFFFFu);
  // Through the bar the same: only the new rows are drawn.
  drawn.clear();
  TSkinScrollBar* bar = list->ScrollBar();
  screen->Click(BarPoint(8, bar->Height() - 4));
  Flush();
  EXPECT_EQ(drawn, (std::vector<int>{64, 65}));
  EXPECT_EQ(ClientPixel(list, 60, 8), skin::PixelOf(shade(51)) & 0xFFFFFFu);
}

TEST_F(SkinListBoxTest, DefaultRowsShowTheCacheTextAndSelection) {
  Fill(3);
  list->SetItemIndex(1);
  Flush();
  const auto& section = skin::ActiveSkin().Sections[std::size_t(list->SkinData()->SkinIndex)];
  const std::uint32_t text = skin::PixelOf(section.Font.FontColor) & 0xFFFFFFu;
  // Past the text of an unselected row, and below the last row: the cache.
  EXPECT_EQ(ClientPixel(list, 150, 8), CachePixel(153, 11));
  EXPECT_EQ(ClientPixel(list, 60, 200), CachePixel(63, 203));
  EXPECT_EQ(ClientPixel(list, 150, 16 + 8), Sys(platform::COLOR_HIGHLIGHT));
  auto rowHas = [&](int row, std::uint32_t color) {
    for (int y = row * 16; y < row * 16 + 16; ++y)
      for (int x = 0; x < 60; ++x)
        if (ClientPixel(list, x, y) == color) return true;
    return false;
  };
  EXPECT_TRUE(rowHas(0, text));
  EXPECT_TRUE(rowHas(2, text));
  EXPECT_TRUE(rowHas(1, Sys(platform::COLOR_HIGHLIGHTTEXT)));
  Dump("listbox_rows.png");
}

TEST_F(SkinListBoxTest, FrameIsThreePixelsCopiedFromTheCache) {
  Fill(3);
  const platform::RECT client = list->ClientRect();
  EXPECT_EQ(client.Width(), 197 - 6);
  EXPECT_EQ(client.Height(), 237 - 6);
  for (auto [x, y] : std::vector<std::pair<int, int>>{
           {0, 0}, {2, 100}, {1, 236}, {196, 50}, {194, 120}, {100, 0}, {100, 234}})
    EXPECT_EQ(WindowPixel(x, y), CachePixel(x, y)) << x << "," << y;
  // The room the list keeps for its own bar lies under the skinned one;
  // with the list in front of that bar, each scroll paints the room again.
  Fill(97);
  ASSERT_TRUE(BarShown());
  platform::SetWindowPos(list->Handle(), platform::HWND_TOP, 0, 0, 0, 0,
                         platform::SWP_NOMOVE | platform::SWP_NOSIZE | platform::SWP_NOACTIVATE);
  Flush();
  const int room = platform::GetSystemMetrics(platform::SM_CXVSCROLL);
  const platform::RECT under{197 - 3 - room, 3, 197 - 3, 237 - 3};
  const platform::HDC dc = platform::GetWindowDC(list->Handle());
  platform::FillRect(dc, &under, platform::GetSysColorBrush(platform::COLOR_HIGHLIGHT));
  platform::ReleaseDC(list->Handle(), dc);
  platform::SendMessage(list->Handle(), platform::WM_VSCROLL, platform::SB_LINEDOWN, 0);
  Flush();
  for (int y : {10, 100, 220})
    EXPECT_EQ(WindowPixel(under.left + room / 2, y), CachePixel(under.left + room / 2, y)) << y;
}

TEST_F(SkinListBoxTest, BarShowsFromTheFifteenthRowAndGoesAgain) {
  Fill(14);
  EXPECT_FALSE(BarShown());
  Fill(1);
  ASSERT_TRUE(BarShown());
  TSkinScrollBar* bar = list->ScrollBar();
  const int width = platform::GetSystemMetrics(platform::SM_CXVSCROLL) + 1;
  EXPECT_EQ(bar->Parent(), form);
  EXPECT_EQ(bar->BoundsRect(),
            (platform::RECT{4 + 197 - width - 2, 38, 4 + 197 - 2, 36 + 237 - 2}));
  EXPECT_EQ(bar->Min(), 0);
  EXPECT_EQ(bar->Max(), 1);
  EXPECT_EQ(bar->PageSize(), 14);
  EXPECT_TRUE(bar->Enabled());
  // The bar is in front of the list it overlaps.
  platform::POINT inside = ScreenPoint(bar, 5, bar->Height() / 2);
  EXPECT_EQ(platform::WindowFromPoint(inside), bar->Handle());
  list->Items()->Delete(14);
  Flush();
  EXPECT_FALSE(BarShown());
  list->SetEnabled(false);
  Fill(3);
  ASSERT_TRUE(BarShown());
  EXPECT_FALSE(list->ScrollBar()->Enabled());
  list->Hide();
  Flush();
  EXPECT_FALSE(BarShown());
}

TEST_F(SkinListBoxTest, BarFollowsTheListAndMovesIt) {
  Fill(40);
  ASSERT_TRUE(BarShown());
  TSkinScrollBar* bar = list->ScrollBar();
  EXPECT_EQ(bar->Max(), 40 - 14);
  list->SetItemIndex(39);
  Flush();
  EXPECT_EQ(list->TopIndex(), 26);
  EXPECT_EQ(bar->Position(), 26);
  EXPECT_EQ(scrolls, 0);

  list->SetItemIndex(0);
  Flush();
  ASSERT_EQ(bar->Position(), 0);
  // The down arrow steps one row.
  screen->Click(BarPoint(8, bar->Height() - 4));
  Flush();
  EXPECT_EQ(list->TopIndex(), 1);
  EXPECT_EQ(bar->Position(), 1);
  EXPECT_EQ(scrolls, 1);
  // The track below the thumb pages.
  screen->Click(BarPoint(8, bar->Height() - 30));
  Flush();
  EXPECT_EQ(list->TopIndex(), 15);
  EXPECT_EQ(scrolls, 2);
  // Dragging the thumb to the very bottom reaches the last page.
  const auto thumb = bar->Layout().thumb;
  screen->MouseDown(BarPoint(8, thumb.top + 2));
  screen->MouseMove(BarPoint(8, bar->Height() + 40));
  screen->MouseUp(BarPoint(8, bar->Height() + 40));
  Flush();
  EXPECT_EQ(list->TopIndex(), 26);
  EXPECT_EQ(bar->Position(), 26);
  // Every step of the drag reports.
  EXPECT_GE(scrolls, 3);
  // The rows shown are the ones scrolled to.
  EXPECT_EQ(list->ItemAtPos(platform::POINT{10, 2}), 26);

  // Through a long list most single steps leave the thumb where it was; the
  // bar shown after each step is the one painted afresh.
  Fill(960);
  auto column = [&] {
    std::vector<std::uint32_t> c;
    for (int y = 0; y < bar->Height(); ++y) c.push_back(ClientPixel(bar, 8, y));
    return c;
  };
  for (int step = 0; step < 12; ++step) {
    platform::SendMessage(list->Handle(), platform::WM_VSCROLL, platform::SB_LINEDOWN, 0);
    Flush();
    const std::vector<std::uint32_t> shown = column();
    bar->Invalidate();
    Flush();
    ASSERT_EQ(shown, column()) << step;
  }
}

TEST_F(SkinListBoxTest, HeldArrowRepeatsOnItsTimer) {
  Fill(100);
  TSkinScrollBar* bar = list->ScrollBar();
  ASSERT_TRUE(bar);
  screen->MouseDown(BarPoint(8, bar->Height() - 4));
  Flush();
  EXPECT_EQ(list->TopIndex(), 1);
  screen->Run(400 + 50 * 10 + 10);
  const int held = list->TopIndex();
  EXPECT_GE(held, 8);
  EXPECT_LE(held, 14);
  screen->MouseUp(BarPoint(8, bar->Height() - 4));
  screen->Run(500);
  EXPECT_EQ(list->TopIndex(), held);
  EXPECT_EQ(scrolls, held);
}

TEST_F(SkinListBoxTest, EmptiedOrRefilledWhileTheThumbIsDragged) {
  Fill(60);
  TSkinScrollBar* bar = list->ScrollBar();
  ASSERT_TRUE(bar);
  const auto thumb = bar->Layout().thumb;
  screen->MouseDown(BarPoint(8, thumb.top + 2));
  screen->MouseMove(BarPoint(8, thumb.top + 40));
  Flush();
  list->Items()->Clear();
  screen->MouseMove(BarPoint(8, thumb.top + 80));
  Flush();
  EXPECT_FALSE(BarShown());
  EXPECT_EQ(list->TopIndex(), 0);
  // Empty: below the (no) rows everything shows the cache.
  EXPECT_EQ(ClientPixel(list, 40, 40), CachePixel(43, 43));
  Fill(5000);
  ASSERT_TRUE(BarShown());
  screen->MouseMove(BarPoint(8, thumb.top + 120));
  screen->MouseMove(BarPoint(8, bar->Height() * 3));
  screen->MouseUp(BarPoint(8, bar->Height() * 3));
  Flush();
  EXPECT_LE(bar->Position(), bar->Max());
  EXPECT_EQ(list->TopIndex(), bar->Position());
  EXPECT_EQ(bar->Max(), 5000 - 14);
  Dump("listbox_refilled.png");
}

TEST_F(SkinListBoxTest, ZeroAndHugeSizes) {
  Fill(30);
  list->SetBounds(4, 36, 0, 0);
  Flush();
  // No row fits, so the bar is needed, but it has no room either.
  ASSERT_TRUE(list->ScrollBar());
  EXPECT_EQ(list->ScrollBar()->Height(), 0);
  list->SetBounds(4, 36, 3, 5);
  Flush();
  list->SetBounds(4, 36, 2000, 3000);
  Flush();
  EXPECT_FALSE(BarShown());  // 30 rows fit
  list->SetBounds(4, 36, 197, 237);
  Flush();
  EXPECT_TRUE(BarShown());
  EXPECT_EQ(WindowPixel(0, 0), CachePixel(0, 0));
}

TEST_F(SkinListBoxTest, SkinRemovedAndRestoredWhileFocusedAndDragged) {
  Fill(40);
  list->SetFocus();
  TSkinScrollBar* bar = list->ScrollBar();
  ASSERT_TRUE(bar);
  screen->MouseDown(BarPoint(8, bar->Layout().thumb.top + 2));
  screen->MouseMove(BarPoint(8, 60));
  Flush();
  auto* manager = skin::GlobalSkin().Manager;
  ASSERT_TRUE(manager);
  manager->SetActive(false);
  Flush();
  EXPECT_FALSE(list->SkinData()->Skinned());
  EXPECT_FALSE(BarShown());
  // Plain again: the standard edge and the list's own bar take the room.
  EXPECT_EQ(list->ClientRect().Width(),
            197 - 4 - platform::GetSystemMetrics(platform::SM_CXVSCROLL));
  EXPECT_EQ(ClientPixel(list, 150, 100), Sys(platform::COLOR_WINDOW));
  Dump("listbox_removed.png");
  screen->MouseUp(BarPoint(8, 60));
  manager->SetActive(true);
  Flush();
  EXPECT_TRUE(list->SkinData()->Skinned());
  EXPECT_TRUE(BarShown());
  EXPECT_EQ(list->ClientRect().Height(), 237 - 6);
  EXPECT_EQ(WindowPixel(0, 0), CachePixel(0, 0));
  Dump("listbox_restored.png");
}

TEST_F(SkinListBoxTest, DisabledRowsAreBlended) {
  Fill(3);
  const std::uint32_t enabled = ClientPixel(list, 150, 8);
  list->SetEnabled(false);
  Flush();
  const std::uint32_t disabled = ClientPixel(list, 150, 8);
  EXPECT_NE(enabled, disabled);
  // The same look as the disabled room below the rows in that column.
  EXPECT_EQ(disabled, ClientPixel(list, 150, 200));
  EXPECT_EQ(WindowPixel(150, 1), Rgb(list->SkinData()->CacheBitmap(), 150, 1) == enabled
                                     ? disabled
                                     : WindowPixel(150, 1));
}

TEST_F(SkinListBoxTest, PlainBarWithoutSkin) {
  auto* bar = new TSkinScrollBar(form);
  bar->SkinData()->SetSkinSection("NOSUCHSECTION");
  bar->SetParent(form);
  bar->SetBounds(300, 20, 17, 200);
  bar->SetParams(5, 0, 10);
  bar->SetPageSize(2);
  int changes = 0;
  bar->OnChange = [&](toolkit::TObject*) { ++changes; };
  Flush();
  const auto l = bar->Layout();
  ASSERT_FALSE(l.thumb.IsEmpty());
  EXPECT_EQ(ClientPixel(bar, 8, l.track.top + 1), Sys(platform::COLOR_SCROLLBAR));
  Dump("plain_bar.png");
  screen->Click(ScreenPoint(bar, 8, 4));
  Flush();
  EXPECT_EQ(bar->Position(), 4);
  EXPECT_EQ(changes, 1);
  // At the end of the range a click changes and reports nothing.
  bar->SetPosition(10);
  screen->Click(ScreenPoint(bar, 8, 196));
  Flush();
  EXPECT_EQ(bar->Position(), 10);
  EXPECT_EQ(changes, 1);
  // Inverted or empty ranges are put in order.
  bar->SetParams(50, 20, 3);
  EXPECT_EQ(bar->Min(), 20);
  EXPECT_EQ(bar->Max(), 20);
  EXPECT_EQ(bar->Position(), 20);
  EXPECT_TRUE(bar->Layout().thumb.IsEmpty());
}

TEST_F(SkinListBoxTest, ReadFromAStoredDescription) {
  component::TComponent root(nullptr);
  component::ReadDescription(root,
                             "object Holder: TComponent\n"
                             "  object CompList: TSkinListBox\n"
                             "    Left = 4\n"
                             "    Top = 36\n"
                             "    Width = 197\n"
                             "    Height = 237\n"
                             "    ItemHeight = 16\n"
                             "    Style = lbOwnerDrawFixed\n"
                             "    DisabledKind = [dkGrayed]\n"
                             "    BoundLabel.Layout = sclTopLeft\n"
                             "    SkinData.SkinSection = 'EDIT'\n"
                             "  end\n"
                             "end\n",
                             "Holder.sdesc");
  auto* read = dynamic_cast<TSkinListBox*>(root.FindComponent("CompList"));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->DisabledKind(), skin::TSkinDisabledKind{skin::dkGrayed});
  EXPECT_EQ(read->BoundLabel()->Layout(), skin::sclTopLeft);
  EXPECT_EQ(read->SkinData()->SkinSection(), "EDIT");
  EXPECT_TRUE(read->SkinData()->Skinned());
  EXPECT_EQ(read->ItemHeight(), 16);
}

}  // namespace
