// Message boxes: reading and answering on the headless screen, keys, the
// disabled owner, the task-modal kind, the size and the picture.
#include "../window/WindowTestSupport.h"
#include "platform/dialog/MessageBox.h"
#include "platform/gdi/Gdi.h"
#include "platform/testing/MessageBoxAnswers.h"

namespace platform::test {
namespace {

class MessageBoxTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    owner_ = Top(200, 150, 534, 384);
    SetActiveWindow(owner_);
    screen().Pump();
  }
  HWND owner_;
};

TEST_F(MessageBoxTest, ATestReadsTheOpenBoxAndAnswersIt) {
  MessageBoxInfo seen;
  bool ownerDisabled = false;
  int beeps = screen().Beeps();
  AnswerMessageBoxes(screen(), [&](const MessageBoxInfo& info) {
    seen = info;
    ownerDisabled = !IsWindowEnabled(owner_);
    return IDNO;
  });
  int r = MessageBox(owner_, "Delete selected record?", "Confirm", MB_YESNO | MB_ICONWARNING);
  EXPECT_EQ(r, IDNO);
  EXPECT_EQ(seen.text, "Delete selected record?");
  EXPECT_EQ(seen.caption, "Confirm");
  EXPECT_EQ(seen.icon, MB_ICONWARNING);
  EXPECT_EQ(seen.buttons, (std::vector<std::string>{"&Yes", "&No"}));
  EXPECT_EQ(seen.ids, (std::vector<int>{IDYES, IDNO}));
  EXPECT_EQ(seen.defaultId, IDYES);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_FALSE(IsWindow(seen.hwnd));
  EXPECT_EQ(GetActiveWindow(), owner_);
  EXPECT_EQ(screen().Beeps(), beeps + 1);
  EXPECT_FALSE(FindMessageBox());
  // A result the box does not offer is refused.
  AnswerMessageBoxes(screen(), [&](const MessageBoxInfo& info) {
    EXPECT_FALSE(EndMessageBox(info.hwnd, IDRETRY));
    return IDOK;
  });
  EXPECT_EQ(MessageBox(owner_, "Done.", "Sprintara", MB_OK), IDOK);
}

TEST_F(MessageBoxTest, KeysAnswerTheBox) {
  screen().KeyPress('N');
  EXPECT_EQ(MessageBox(owner_, "Delete?", "Confirm", MB_YESNO), IDNO);
  screen().KeyPress('Y');
  EXPECT_EQ(MessageBox(owner_, "Delete?", "Confirm", MB_YESNO), IDYES);
  screen().KeyPress(VK_RETURN);
  EXPECT_EQ(MessageBox(owner_, "Delete?", "Confirm", MB_YESNO | MB_DEFBUTTON2), IDNO);
  screen().KeyPress(VK_TAB);
  screen().KeyPress(VK_RETURN);
  EXPECT_EQ(MessageBox(owner_, "Delete?", "Confirm", MB_YESNO), IDNO);
  // Escape cancels, or confirms a box that has only OK; a question needs an answer.
  screen().KeyPress(VK_ESCAPE);
  EXPECT_EQ(MessageBox(owner_, "Sure?", "Confirm", MB_OKCANCEL), IDCANCEL);
  screen().KeyPress(VK_ESCAPE);
  EXPECT_EQ(MessageBox(owner_, "Note", "Info", MB_OK | MB_ICONINFORMATION), IDOK);
  screen().KeyPress(VK_ESCAPE);
  screen().KeyPress('Y');
  EXPECT_EQ(MessageBox(owner_, "Delete?", "Confirm", MB_YESNO), IDYES);
  // So does the close command.
  AnswerMessageBoxes(screen(), [&](const MessageBoxInfo& info) {
    SendMessage(info.hwnd, WM_CLOSE, 0, 0);
    return FindMessageBox() ? IDYES : 0;
  });
  EXPECT_EQ(MessageBox(owner_, "Delete?", "Confirm", MB_YESNO), IDYES);
}

TEST_F(MessageBoxTest, TaskModalDisablesEveryWindowAndQuitEndsTheBox) {
  HWND other = Top(10, 10, 100, 100);
  bool bothDisabled = false;
  AnswerMessageBoxes(screen(), [&](const MessageBoxInfo&) {
    bothDisabled = !IsWindowEnabled(owner_) && !IsWindowEnabled(other);
    return IDOK;
  });
  MessageBox(HWND{}, "Application Error", "Application Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  EXPECT_TRUE(bothDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner_) && IsWindowEnabled(other));

  AnswerMessageBoxes(screen(), nullptr);
  PostQuitMessage(3);
  EXPECT_EQ(MessageBox(owner_, "Bye", "Quit", MB_OK), 0);
  screen().Pump();
  EXPECT_TRUE(screen().QuitSeen());
  EXPECT_EQ(screen().QuitCode(), 3);
}

TEST_F(MessageBoxTest, TheBoxIsSizedToItsTextAndDrawnClassically) {
  RECT small{}, large{};
  std::string picture = ::testing::TempDir() + "sprintara-messagebox.png";
  AnswerMessageBoxes(screen(), [&](const MessageBoxInfo& info) {
    RECT r;
    GetWindowRect(info.hwnd, &r);
    (info.text.size() < 20 ? small : large) = r;
    if (info.text.size() >= 20) screen().CaptureScreen(picture);
    return info.ids.back();
  });
  MessageBox(owner_, "Short.", "Confirm", MB_OK);
  std::string longText =
      "The value 'x' is not a valid integer value for field 'Dog_Age'. A much longer text "
      "wraps onto more lines, and the box grows to hold it.\nA second paragraph follows.";
  MessageBox(owner_, longText.c_str(), "Sprintara", MB_OKCANCEL | MB_ICONSTOP);
  EXPECT_GT(large.Width(), small.Width());
  EXPECT_GT(large.Height(), small.Height());
  EXPECT_LE(large.Width(), 1280 * 5 / 8 + 120);
  // Centred on the owner.
  RECT o;
  GetWindowRect(owner_, &o);
  EXPECT_NEAR((small.left + small.right) / 2, (o.left + o.right) / 2, 1);

  std::string huge(100000, 'w');
  for (std::size_t i = 50; i < huge.size(); i += 50) huge[i] = ' ';
  AnswerMessageBoxes(screen(), [&](const MessageBoxInfo& info) {
    RECT r;
    GetWindowRect(info.hwnd, &r);
    EXPECT_LE(r.bottom, 760);  // never beyond the work area
    EXPECT_GE(r.top, 0);
    return IDOK;
  });
  EXPECT_EQ(MessageBox(owner_, huge.c_str(), nullptr, MB_OK), IDOK);
}

}  // namespace
}  // namespace platform::test
