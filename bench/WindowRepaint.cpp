#include "WindowRepaint.h"

#include "platform/controls/Controls.h"
#include "platform/gdi/Gdi.h"

namespace bench {

using namespace platform;

namespace {

LRESULT Proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  return DefWindowProc(h, m, wp, lp);
}

}  // namespace

DialogWindow::DialogWindow() {
  screen = &UseHeadlessScreen();
  WNDCLASS wc;
  wc.lpfnWndProc = Proc;
  wc.lpszClassName = "BenchForm";
  wc.hbrBackground = HBRUSH{COLOR_BTNFACE + 1};
  RegisterClass(&wc);
  main = CreateWindowEx(0, "BenchForm", "Competitors Database", WS_OVERLAPPEDWINDOW, 200, 150, 534,
                        384, HWND{}, HMENU{});
  auto add = [&](const char* cls, const char* text, DWORD style, int x, int y, int w, int h,
                 DWORD ex = 0) {
    return CreateWindowEx(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, main, HMENU{});
  };
  // Twenty controls laid out as the competitors dialog has them.
  HWND list = add(WC_LISTBOX, "", WS_VSCROLL, 4, 36, 197, 237, WS_EX_CLIENTEDGE);
  for (int i = 0; i < 30; ++i)
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Rex (Malenko, Boris)"));
  add(WC_EDIT, "", WS_TABSTOP, 4, 280, 197, 21, WS_EX_CLIENTEDGE);
  add(WC_BUTTON, "&New", WS_TABSTOP, 4, 4, 61, 25);
  add(WC_BUTTON, "&Refresh", WS_TABSTOP, 72, 4, 61, 25);
  add(WC_BUTTON, "&Delete", WS_TABSTOP, 140, 4, 61, 25);
  add(WC_BUTTON, "Competitor Information", BS_GROUPBOX, 208, 4, 313, 297);
  const char* labels[] = {"Start-No:",       "Dog Nickname:", "Dog Breed:", "Owner Firstname:",
                          "Owner Lastname:", "Organization:", "City:"};
  for (int i = 0; i < 7; ++i) {
    add(WC_STATIC, labels[i], SS_RIGHT, 216, 20 + 28 * i, 86, 13);
    if (i < 5) add(WC_EDIT, "Greyhound", WS_TABSTOP, 304, 16 + 28 * i, 200, 21, WS_EX_CLIENTEDGE);
  }
  HWND combo = add(WC_COMBOBOX, "", CBS_DROPDOWNLIST | WS_TABSTOP, 304, 156, 121, 21);
  SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Male Dog"));
  SendMessage(combo, CB_SETCURSEL, 0, 0);
  edit = add(WC_EDIT, "", WS_TABSTOP, 304, 184, 200, 21, WS_EX_CLIENTEDGE);
  add(WC_BUTTON, "&Close", BS_DEFPUSHBUTTON | WS_TABSTOP, 444, 316, 75, 25);
  ShowWindow(main, SW_SHOW);
  SetFocus(edit);
  screen->Pump();
}

void RunFullRepaint(benchmark::State& state) {
  DialogWindow form;
  for (auto _ : state) {
    RedrawWindow(form.main, nullptr, HRGN{},
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    form.screen->Pump();
  }
}

}  // namespace bench
