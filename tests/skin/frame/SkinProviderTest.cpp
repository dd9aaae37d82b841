// The provider on real windows of a headless screen: it takes the window
// over and gives it back, paints the frame and shapes the window, runs the
// border icons, snaps and moves by the outline.
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>

#include "FrameFixture.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/MenuApi.h"
#include "platform/window/Messages.h"
#include "platform/window/Styles.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Window.h"
#include "skin/Registration.h"
#include "skin/SkinManager.h"
#include "skin/data/SkinTitleButtons.h"
#include "skin/frame/SkinProvider.h"
#include "skin/frame/TitleBarWords.h"
#include "skin/link/SkinMessages.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Menus.h"
#include "toolkit/ResStrings.h"

namespace {

namespace p = platform;
using namespace skin;

class ProviderTest : public GoldenSkinTest {
 protected:
  toolkit::TForm* MakeForm(int x = 100, int y = 100, int w = 400, int h = 300) {
    auto* form = new toolkit::TForm(app.get());
    form->SetBounds(x, y, w, h);
    form->SetCaption("Sprintara");
    return form;
  }
  void Flush() {
    for (int i = 0; i < 5; ++i) screen->Pump();
  }
  RECT WindowRect(toolkit::TForm* form) {
    RECT r{};
    p::GetWindowRect(form->Handle(), &r);
    return r;
  }
  void Dump(const char* name) {
    if (const char* dir = std::getenv("FRAME_DUMP")) screen->CaptureScreen(std::string(dir) + name);
  }
};

TEST_F(ProviderTest, TakesTheWindowOverAndGivesItBack) {
  auto* form = MakeForm();
  form->Show();
  Flush();
  const auto before = p::GetWindowLongPtr(form->Handle(), p::GWLP_WNDPROC);
  auto* provider = new TSkinProvider(form);
  EXPECT_TRUE(provider->Subclassed());
  EXPECT_TRUE(provider->Skinned());
  EXPECT_NE(p::GetWindowLongPtr(form->Handle(), p::GWLP_WNDPROC), before);
  EXPECT_TRUE(form->BorderIcons().Empty());
  Flush();
  Dump("provider.png");
  // The client starts below the skinned title.
  POINT origin{0, 0};
  p::ClientToScreen(form->Handle(), &origin);
  const RECT wr = WindowRect(form);
  EXPECT_EQ(origin.x - wr.left, 4);
  EXPECT_EQ(origin.y - wr.top, 23);
  // The top corners are cut round: the desktop shows at the very corner.
  const std::uint32_t desk = screen->ScreenPixel(wr.left - 5, wr.top - 5);
  EXPECT_EQ(screen->ScreenPixel(wr.left, wr.top), desk);
  EXPECT_NE(screen->ScreenPixel(wr.left + 4, wr.top), desk);

  delete provider;
  EXPECT_EQ(p::GetWindowLongPtr(form->Handle(), p::GWLP_WNDPROC), before);
  EXPECT_TRUE(form->BorderIcons().Contains(toolkit::biSystemMenu));
  form->Invalidate();
  Flush();  // the window still paints, the platform's way, uncut
  EXPECT_NE(screen->ScreenPixel(wr.left, wr.top), desk);
}

TEST_F(ProviderTest, TakesOverAWindowMadeLaterAndAnswersTheIconRow) {
  auto* form = MakeForm(100, 100, 799, 448);
  auto* provider = new TSkinProvider(form);
  EXPECT_FALSE(provider->Subclassed());
  form->Show();
  Flush();
  ASSERT_TRUE(provider->Subclassed());
  const RECT wr = WindowRect(form);
  auto hit = [&](int x, int y) {
    return p::SendMessage(form->Handle(), p::WM_NCHITTEST, 0,
                          p::MAKELPARAM(wr.left + x, wr.top + y));
  };
  EXPECT_EQ(hit(790, 10), p::HTCLOSE);
  EXPECT_EQ(hit(770, 10), p::HTMAXBUTTON);
  EXPECT_EQ(hit(750, 10), p::HTMINBUTTON);
  EXPECT_EQ(hit(10, 10), p::HTSYSMENU);
  EXPECT_EQ(hit(400, 10), p::HTCAPTION);
  EXPECT_EQ(hit(400, 200), p::HTCLIENT);
  EXPECT_EQ(hit(798, 200), p::HTRIGHT);

  // Controls get the frame's picture with the client offset.
  TParentBackground bg;
  EXPECT_EQ(p::SendMessage(form->Handle(), SKM_GETCACHE, 0, reinterpret_cast<p::LPARAM>(&bg)), 1);
  EXPECT_TRUE(bg.Valid);
  EXPECT_EQ(bg.X, 4);
  EXPECT_EQ(bg.Y, 23);
  EXPECT_EQ(bg.Bitmap.width, 799);
  EXPECT_EQ(p::SendMessage(form->Handle(), SKM_PREPARING, 0, 0), 0);
}

TEST_F(ProviderTest, CloseIconClosesOnReleaseOverIt) {
  auto* form = MakeForm(100, 100, 799, 448);
  auto* provider = new TSkinProvider(form);
  form->Show();
  Flush();
  int closes = 0;
  form->OnClose = [&](component::TObject*, toolkit::TCloseAction& action) {
    ++closes;
    action = toolkit::caNone;
  };
  const RECT wr = WindowRect(form);
  const POINT close{wr.left + 785, wr.top + 10};
  screen->MouseMove(close);
  Flush();
  EXPECT_EQ(provider->IconState(fiClose), 1);
  screen->MouseDown(close);
  Flush();
  EXPECT_EQ(provider->IconState(fiClose), 2);
  // Released elsewhere: nothing happens.
  screen->MouseMove(POINT{wr.left + 400, wr.top + 200});
  screen->MouseUp(POINT{wr.left + 400, wr.top + 200});
  Flush();
  EXPECT_EQ(closes, 0);
  screen->Click(close);
  Flush();
  EXPECT_EQ(closes, 1);
}

TEST_F(ProviderTest, MaximizeIconAndRestore) {
  auto* form = MakeForm(100, 100, 600, 400);
  new TSkinProvider(form);
  form->Show();
  Flush();
  const RECT wr = WindowRect(form);
  screen->Click(POINT{wr.right - 4 - 19 - 10, wr.top + 10});
  Flush();
  EXPECT_TRUE(p::IsZoomed(form->Handle()));
  const RECT max = WindowRect(form);
  screen->Click(POINT{max.right - 4 - 19 - 10, max.top + 10});
  Flush();
  EXPECT_FALSE(p::IsZoomed(form->Handle()));
  EXPECT_EQ(WindowRect(form), wr);
}

// Snapping is for where the operator drags the window; a window the
// program places (or maximizes) goes exactly where it was sent.
TEST_F(ProviderTest, OnlyTheOperatorsDragSnapsAtNineButNotAtTen) {
  auto* form = MakeForm(100, 100, 400, 300);
  auto* provider = new TSkinProvider(form);
  provider->SetResizeMode(rmBorder);
  provider->SetScreenSnap(true);
  form->Show();
  Flush();
  auto dragLeftEdgeTo = [&](int left) {
    const RECT r = WindowRect(form);
    const POINT grab{r.left + 200, r.top + 10}, to{left + 200, r.top + 10};
    screen->MouseMove(grab);
    screen->MouseDown(grab);
    Flush();
    screen->MouseMove(to);
    Flush();
    screen->MouseUp(to);
    Flush();
    return WindowRect(form).left;
  };
  EXPECT_EQ(dragLeftEdgeTo(9), 0);
  EXPECT_EQ(dragLeftEdgeTo(10), 10);
  p::SetWindowPos(form->Handle(), {}, 9, 50, 0, 0, p::SWP_NOSIZE | p::SWP_NOZORDER);
  EXPECT_EQ(WindowRect(form).left, 9);
  provider->SetScreenSnap(false);
  EXPECT_EQ(dragLeftEdgeTo(5), 5);
}

// The system menu's Move and Size: arrows move or size the outline in
// steps, the first arrow of a size names the edge and a second across it
// the corner; Enter commits, Escape leaves the window where it was. Escape
// also ends a mouse drag, wherever the keyboard focus is.
TEST_F(ProviderTest, KeyboardMoveAndSizeAndEscapeDuringADrag) {
  auto* form = MakeForm(100, 100, 400, 300);
  auto* provider = new TSkinProvider(form);
  provider->SetResizeMode(rmBorder);
  form->Show();
  Flush();
  const RECT start = WindowRect(form);
  auto keys = [&](std::initializer_list<int> vks) {
    for (int vk : vks) screen->KeyPress(vk);
    Flush();
  };
  p::SendMessage(form->Handle(), p::WM_SYSCOMMAND, p::SC_MOVE, 0);
  Flush();
  keys({p::VK_RIGHT, p::VK_RIGHT, p::VK_DOWN});
  EXPECT_EQ(WindowRect(form), start) << "the window moved before Enter";
  EXPECT_EQ(provider->Outline(),
            (RECT{start.left + 16, start.top + 8, start.right + 16, start.bottom + 8}));
  keys({p::VK_RETURN});
  EXPECT_EQ(WindowRect(form),
            (RECT{start.left + 16, start.top + 8, start.right + 16, start.bottom + 8}));
  EXPECT_EQ(provider->Outline(), RECT{});
  EXPECT_EQ(p::GetCapture(), p::HWND{});

  const RECT moved = WindowRect(form);
  p::SendMessage(form->Handle(), p::WM_SYSCOMMAND, p::SC_SIZE, 0);
  Flush();
  keys({p::VK_RIGHT, p::VK_RIGHT, p::VK_DOWN});
  EXPECT_EQ(provider->Outline(), (RECT{moved.left, moved.top, moved.right + 8, moved.bottom + 8}));
  keys({p::VK_ESCAPE});
  EXPECT_EQ(WindowRect(form), moved);
  EXPECT_EQ(provider->Outline(), RECT{});

  const POINT grab{moved.left + 200, moved.top + 10};
  screen->MouseMove(grab);
  screen->MouseDown(grab);
  screen->MouseMove(POINT{grab.x + 50, grab.y + 40});
  Flush();
  EXPECT_NE(provider->Outline(), RECT{});
  keys({p::VK_ESCAPE});
  EXPECT_EQ(provider->Outline(), RECT{});
  screen->MouseUp(POINT{grab.x + 50, grab.y + 40});
  Flush();
  EXPECT_EQ(WindowRect(form), moved);
}

TEST_F(ProviderTest, OutlineMoveJumpsOnceOnRelease) {
  auto* form = MakeForm(100, 100, 400, 300);
  auto* provider = new TSkinProvider(form);
  provider->SetResizeMode(rmBorder);
  form->Show();
  Flush();
  const RECT start = WindowRect(form);
  const POINT grab{start.left + 200, start.top + 10};
  screen->MouseMove(grab);
  screen->MouseDown(grab);
  Flush();
  for (int step = 1; step <= 3; ++step) {
    screen->MouseMove(POINT{grab.x + 20 * step, grab.y + 10 * step});
    Flush();
    EXPECT_EQ(WindowRect(form), start) << "the window moved before the release";
  }
  EXPECT_EQ(provider->Outline(),
            (RECT{start.left + 60, start.top + 30, start.right + 60, start.bottom + 30}));
  screen->MouseUp(POINT{grab.x + 60, grab.y + 30});
  Flush();
  EXPECT_EQ(WindowRect(form),
            (RECT{start.left + 60, start.top + 30, start.right + 60, start.bottom + 30}));
  EXPECT_EQ(provider->Outline(), RECT{});

  // Pressed and released without moving: nothing moves.
  const RECT now = WindowRect(form);
  screen->Click(POINT{now.left + 200, now.top + 10});
  Flush();
  EXPECT_EQ(WindowRect(form), now);
}

TEST_F(ProviderTest, OutlineSizeStopsAtTheMinimum) {
  auto* form = MakeForm(100, 100, 400, 300);
  auto* provider = new TSkinProvider(form);
  provider->SetResizeMode(rmBorder);
  form->Show();
  Flush();
  const RECT start = WindowRect(form);
  const POINT corner{start.right - 2, start.bottom - 2};
  screen->MouseMove(corner);
  screen->MouseDown(corner);
  screen->MouseMove(POINT{start.left + 5, start.top + 5});
  screen->MouseUp(POINT{start.left + 5, start.top + 5});
  Flush();
  const RECT r = WindowRect(form);
  EXPECT_EQ(r.left, start.left);
  EXPECT_EQ(r.right - r.left, p::GetSystemMetrics(p::SM_CXMINTRACK));
  EXPECT_EQ(r.bottom - r.top, p::GetSystemMetrics(p::SM_CYMINTRACK));
}

TEST_F(ProviderTest, WithoutAFrameSectionTheWindowStaysThePlatforms) {
  auto* form = MakeForm();
  auto* provider = new TSkinProvider(form);
  provider->SkinData()->SetSkinSection("NOSUCHFRAME");
  provider->SkinMessage(SKM_REFRESH, 0, 0);
  form->Show();
  Flush();
  EXPECT_FALSE(provider->Skinned());
  EXPECT_TRUE(form->BorderIcons().Contains(toolkit::biSystemMenu));
  const RECT wr = WindowRect(form);
  EXPECT_EQ(
      p::SendMessage(form->Handle(), p::WM_NCHITTEST, 0, p::MAKELPARAM(wr.left + 200, wr.top + 10)),
      p::HTCAPTION);
}

TEST_F(ProviderTest, TinyAndZeroSizedWindowsStillWork) {
  auto* form = MakeForm(100, 100, 0, 0);
  new TSkinProvider(form);
  form->Show();
  Flush();
  p::SetWindowPos(form->Handle(), {}, 0, 0, 3, 3, p::SWP_NOMOVE | p::SWP_NOZORDER);
  Flush();
  const RECT wr = WindowRect(form);
  // The window may be held at the smallest size its frame allows; its
  // client area is then empty, never negative, and a point on it is still
  // on the window.
  EXPECT_GE(wr.right - wr.left, 3);
  EXPECT_GE(wr.bottom - wr.top, 3);
  RECT client{};
  p::GetClientRect(form->Handle(), &client);
  EXPECT_GE(client.right, 0);
  EXPECT_GE(client.bottom, 0);
  EXPECT_NE(
      p::SendMessage(form->Handle(), p::WM_NCHITTEST, 0, p::MAKELPARAM(wr.left + 1, wr.top + 1)),
      p::HTNOWHERE);
}

TEST_F(ProviderTest, ActivationAndSkinRemoval) {
  auto* form = MakeForm(100, 100, 400, 300);
  auto* provider = new TSkinProvider(form);
  form->Show();
  Flush();
  EXPECT_TRUE(provider->FrameActive());
  p::SendMessage(form->Handle(), p::WM_NCACTIVATE, 0, 0);
  EXPECT_FALSE(provider->FrameActive());
  const RECT wr = WindowRect(form);
  Flush();
  // The inactive title shows its caption in the inactive colour.
  bool inactiveText = false;
  for (int x = wr.left; x < wr.left + 200 && !inactiveText; ++x)
    for (int y = wr.top + 4; y < wr.top + 20 && !inactiveText; ++y)
      inactiveText = (screen->ScreenPixel(x, y) & 0xFFFFFF) == (PixelOf(0x01657E) & 0xFFFFFF);
  EXPECT_TRUE(inactiveText);

  EXPECT_EQ(form->Color(), toolkit::TColor(0x7DB7D2));  // GLOBALINFO's

  provider->SkinMessage(SKM_REMOVESKIN, 0, 0);
  Flush();
  EXPECT_FALSE(provider->Skinned());
  EXPECT_EQ(form->Color(), toolkit::clBtnFace);  // not the colour of a skin that is gone
  EXPECT_TRUE(form->BorderIcons().Contains(toolkit::biMaximize));
  EXPECT_NE(screen->ScreenPixel(wr.left, wr.top), screen->ScreenPixel(wr.left - 5, wr.top - 5));
  provider->SkinMessage(SKM_SETNEWSKIN, 0, 0);
  EXPECT_EQ(p::SendMessage(form->Handle(), SKM_PREPARING, 0, 0), 1);
  provider->SkinMessage(SKM_REFRESH, 0, 0);
  Flush();
  EXPECT_TRUE(provider->Skinned());
  EXPECT_TRUE(form->BorderIcons().Empty());
}

TEST_F(ProviderTest, AWindowMadeAfterTheSkinGetsSkinnedMenusWhenActivated) {
  auto* form = MakeForm();
  auto* menu = new toolkit::TMainMenu(form);
  auto* item = new toolkit::TMenuItem(menu);
  item->SetCaption("&Database");
  menu->Items()->Add(item);
  form->SetMenu(menu);
  new TSkinProvider(form);
  EXPECT_EQ(menu->Painter(), nullptr);  // the skin was loaded before the window existed
  form->Show();
  Flush();
  auto* manager = GlobalSkin().Manager;
  ASSERT_NE(manager, nullptr);
  EXPECT_EQ(menu->Painter(), &manager->SkinMenu());
}

TEST_F(ProviderTest, ANarrowWindowWrapsItsMenuBarAndMovesTheClientDown) {
  auto* form = MakeForm(100, 100, 600, 300);
  auto* menu = new toolkit::TMainMenu(form);
  for (const char* caption : {"&Database", "&Competitors", "&Results", "&Lanes", "&Help"}) {
    auto* item = new toolkit::TMenuItem(menu);
    item->SetCaption(caption);
    menu->Items()->Add(item);
  }
  form->SetMenu(menu);
  new TSkinProvider(form);
  form->Show();
  Flush();
  const auto clientTop = [&] {
    p::POINT origin{0, 0};
    p::ClientToScreen(form->Handle(), &origin);
    return origin.y - WindowRect(form).top;
  };
  const int line = p::GetSystemMetrics(p::SM_CYMENU) - 1;
  const int wide = clientTop();
  // Each width narrower than the items wraps them onto more lines, and
  // the client area starts below the last.
  int previous = wide;
  for (const int width : {400, 200, 120, 70}) {
    p::SetWindowPos(form->Handle(), {}, 0, 0, width, 300, p::SWP_NOMOVE | p::SWP_NOZORDER);
    Flush();
    const int top = clientTop();
    EXPECT_GE(top, previous) << width;
    EXPECT_EQ((top - wide) % line, 0) << width;
    previous = top;
  }
  EXPECT_GE(previous - wide, 3 * line);  // one item a line at the narrowest
  Dump("menu-wrapped.png");
  p::SetWindowPos(form->Handle(), {}, 0, 0, 600, 300, p::SWP_NOMOVE | p::SWP_NOZORDER);
  Flush();
  EXPECT_EQ(clientTop(), wide);
}

// The bar lights the item under the pointer and greys a disabled one, on
// the screen as the frame is painted.
TEST_F(ProviderTest, MenuBarLightsTheItemUnderThePointerAndGreysADisabledOne) {
  auto* form = MakeForm(100, 100, 600, 300);
  auto* menu = new toolkit::TMainMenu(form);
  std::vector<toolkit::TMenuItem*> items;
  for (const char* caption : {"&File", "&Help"}) {
    items.push_back(new toolkit::TMenuItem(menu));
    items.back()->SetCaption(caption);
    menu->Items()->Add(items.back());
  }
  form->SetMenu(menu);
  new TSkinProvider(form);
  form->Show();
  Flush();
  const RECT wr = WindowRect(form);
  p::POINT origin{0, 0};
  p::ClientToScreen(form->Handle(), &origin);
  const int barY = origin.y - (p::GetSystemMetrics(p::SM_CYMENU) - 1) / 2;
  const std::uint32_t fill = PixelOf(0x0A769A) & 0xFFFFFF;
  const auto bar = [&] {
    std::vector<std::uint32_t> row;
    for (int x = wr.left; x < wr.right; ++x) row.push_back(screen->ScreenPixel(x, barY) & 0xFFFFFF);
    return row;
  };
  const auto filled = [&] {
    const auto row = bar();
    return std::count(row.begin(), row.end(), fill);
  };
  EXPECT_EQ(filled(), 0);
  screen->MouseMove(POINT{wr.left + 10, barY});
  Flush();
  EXPECT_GT(filled(), 5) << "the item under the pointer is not lit";
  Dump("menu-hot.png");
  screen->MouseMove(POINT{wr.left + 300, wr.top + 200});
  Flush();
  EXPECT_EQ(filled(), 0);
  const auto enabled = bar();
  items[1]->SetEnabled(false);
  Flush();
  EXPECT_NE(bar(), enabled) << "a disabled item looks like an enabled one";
  Dump("menu-disabled.png");
}

TEST_F(ProviderTest, WithReservedBooleanTheClientBackgroundIsKeptWhileOnlyTheTitleChanges) {
  // A frame section whose normal and hot fills differ, so that a repaint
  // of the client in the other state would show.
  TSkinGeneralData& form = GlobalSkin().Tables.Sections.at(std::size_t(FindSection("FORM")));
  form.GradientPercent = form.HotGradientPercent = 0;
  form.Color = 0x0000FF;
  form.HotColor = 0x00FF00;
  for (const bool reserved : {true, false}) {
    form.ReservedBoolean = reserved;
    auto* window = MakeForm(100, 100, 300, 200);
    auto* provider = new TSkinProvider(window);
    window->Show();
    Flush();
    ASSERT_TRUE(provider->FrameActive());
    const auto client = [&] { return Rgb(provider->SkinData()->CacheBitmap(), 150, 100); };
    const std::uint32_t active = client();
    p::SendMessage(window->Handle(), p::WM_NCACTIVATE, 0, 0);
    Flush();
    ASSERT_FALSE(provider->FrameActive());
    EXPECT_EQ(client() == active, reserved) << reserved;
    // A change of the whole frame paints the client anew.
    p::SetWindowPos(window->Handle(), {}, 0, 0, 310, 200, p::SWP_NOMOVE | p::SWP_NOZORDER);
    Flush();
    EXPECT_NE(client(), active) << reserved;
    delete window;
  }
}

TEST_F(ProviderTest, AltSpaceOpensTheSystemMenuFromAFocusedControl) {
  auto* form = MakeForm();
  new TSkinProvider(form);
  auto* edit = new toolkit::TEdit(form);
  edit->SetParent(form);
  form->Show();
  edit->SetFocus();
  Flush();
  int items = -1;
  screen->SetIdleHandler([&] {
    const p::HMENU tracked = p::GetTrackedMenu();
    if (!tracked) return false;
    items = p::GetMenuItemCount(tracked);
    p::EndMenu();
    return true;
  });
  screen->KeyDown(p::VK_MENU);
  screen->KeyPress(p::VK_SPACE);
  screen->KeyUp(p::VK_MENU);
  app->ProcessMessages();
  Flush();
  screen->SetIdleHandler(nullptr);
  EXPECT_EQ(items, 7);  // Restore, Move, Size, Minimize, Maximize, a line, Close
}

TEST_F(ProviderTest, TitleButtonsAreDrawnLeftOfTheIconsAndAnswerPresses) {
  auto* form = MakeForm(100, 100, 400, 300);
  auto* provider = new TSkinProvider(form);
  TSkinTitleButton* button = provider->TitleButtons()->Add();
  button->Glyph()->SetSize(6, 6, 0xFF000000u);  // a black square
  std::vector<std::string> events;
  button->OnMouseDown = [&](component::TObject*) { events.push_back("down"); };
  button->OnMouseUp = [&](component::TObject*) { events.push_back("up"); };
  form->Show();
  Flush();
  const TFrameLayout& l = provider->Layout();
  ASSERT_EQ(l.TitleButton.size(), 1u);
  const int w = l.IconSize.cx;
  EXPECT_EQ(l.TitleButton[0].left, 400 - l.M.BorderWidth - 5 * (w + 1));
  // The caption keeps clear of the button.
  EXPECT_LE(l.Text.right, 400 - 5 * (w + 1) - 16);
  const RECT wr = WindowRect(form);
  const POINT centre{wr.left + (l.TitleButton[0].left + l.TitleButton[0].right) / 2,
                     wr.top + (l.TitleButton[0].top + l.TitleButton[0].bottom) / 2};
  EXPECT_EQ(screen->ScreenPixel(centre.x, centre.y) & 0xFFFFFF, 0u);  // the glyph, centred

  screen->MouseDown(centre);
  Flush();
  EXPECT_EQ(events, (std::vector<std::string>{"down"}));
  screen->MouseUp(centre);
  Flush();
  EXPECT_EQ(events, (std::vector<std::string>{"down", "up"}));
  EXPECT_EQ(WindowRect(form), wr);  // a press on the button moves nothing
  // Released away from it: no "up".
  screen->MouseDown(centre);
  screen->MouseMove(POINT{wr.left + 200, wr.top + 150});
  screen->MouseUp(POINT{wr.left + 200, wr.top + 150});
  Flush();
  EXPECT_EQ(events, (std::vector<std::string>{"down", "up", "down"}));
}

TEST(SystemMenu, ItemsFollowTheStateAndBorder) {
  TSkinSystemMenu menu(nullptr);
  EXPECT_EQ(menu.ItemRestore->Caption(), "Restore");
  EXPECT_EQ(menu.ItemSize->Caption(), "Size");
  EXPECT_EQ(menu.ItemClose->Caption(), "Close");
  TSystemMenuState s;
  menu.UpdateItems(s);
  EXPECT_FALSE(menu.ItemRestore->Enabled());
  EXPECT_TRUE(menu.ItemMaximize->Enabled());
  EXPECT_TRUE(menu.ItemMinimize->Visible());
  s.WindowState = toolkit::wsMaximized;
  menu.UpdateItems(s);
  EXPECT_TRUE(menu.ItemRestore->Enabled());
  EXPECT_FALSE(menu.ItemMaximize->Enabled());
  s.Style = toolkit::bsSingle;
  menu.UpdateItems(s);
  EXPECT_FALSE(menu.ItemSize->Enabled());
  EXPECT_TRUE(menu.ItemMinimize->Visible());
  EXPECT_FALSE(menu.ItemMaximize->Visible());
  s.Style = toolkit::bsDialog;
  s.Icons = {};
  menu.UpdateItems(s);
  EXPECT_FALSE(menu.ItemMinimize->Visible());
  EXPECT_FALSE(menu.ItemRestore->Enabled());
}

// The title bar's words are the skin's own, and once the skin is registered
// the string table finds them too; other identifiers stay empty.
TEST(SystemMenu, TheTitleBarWordsAreInTheStringTable) {
  skin::RegisterSkinClasses();
  skin::RegisterSkinClasses();  // a second registration adds nothing twice
  const struct {
    std::uint16_t id;
    const char* word;
  } words[] = {
      {sHintHelp, "Help"},         {sHintRestore, "Restore"},   {sHintMinimize, "Minimize"},
      {sHintMaximize, "Maximize"}, {sHintClose, "Close"},       {sItemClose, "Close"},
      {sItemMaximize, "Maximize"}, {sItemMinimize, "Minimize"}, {sItemSize, "Size"},
      {sItemMove, "Move"},         {sItemRestore, "Restore"}};
  for (const auto& w : words) {
    EXPECT_EQ(TitleBarWord(w.id), w.word) << w.id;
    EXPECT_EQ(toolkit::LoadResString(w.id), w.word) << w.id;
  }
  for (std::uint16_t other : {0, 1, 58970, 58982, 65061}) {
    EXPECT_EQ(TitleBarWord(other), "") << other;
    EXPECT_EQ(toolkit::LoadResString(other), "") << other;
  }
}

}  // namespace
