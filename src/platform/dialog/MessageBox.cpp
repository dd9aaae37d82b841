// The message box window: its layout, icons, buttons and modal loop.
#include "platform/dialog/MessageBox.h"

#include <algorithm>

#include "platform/controls/ControlSupport.h"
#include "platform/gdi/Gdi.h"

namespace platform {

namespace {

constexpr const char* kBoxClass = "#32770";
constexpr int kMargin = 11;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;

struct BoxState {
  std::string text;
  UINT flags = 0;
  UINT icon = 0;
  std::vector<std::string> captions;
  std::vector<int> ids;
  int defaultId = 0;
  RECT textRect{};
  RECT iconRect{};
  int result = 0;
  bool done = false;
};

BoxState* StateOf(HWND h) {
  return reinterpret_cast<BoxState*>(GetWindowLongPtr(h, 0));
}

void Buttons(UINT type, BoxState& s) {
  auto add = [&](const char* caption, int id) {
    s.captions.push_back(caption);
    s.ids.push_back(id);
  };
  switch (type) {
    case MB_OKCANCEL:
      add("OK", IDOK), add("Cancel", IDCANCEL);
      break;
    case MB_ABORTRETRYIGNORE:
      add("&Abort", IDABORT), add("&Retry", IDRETRY), add("&Ignore", IDIGNORE);
      break;
    case MB_YESNOCANCEL:
      add("&Yes", IDYES), add("&No", IDNO), add("Cancel", IDCANCEL);
      break;
    case MB_YESNO:
      add("&Yes", IDYES), add("&No", IDNO);
      break;
    case MB_RETRYCANCEL:
      add("&Retry", IDRETRY), add("Cancel", IDCANCEL);
      break;
    default:
      add("OK", IDOK);
  }
}

bool Has(const BoxState& s, int id) {
  return std::find(s.ids.begin(), s.ids.end(), id) != s.ids.end();
}

// Escape and the close button: Cancel when there is one, OK when it is the
// only button; a Yes/No question must be answered.
void Cancel(HWND box, BoxState& s) {
  int id = Has(s, IDCANCEL) ? IDCANCEL : (s.ids.size() == 1 && s.ids[0] == IDOK) ? IDOK : 0;
  if (id) EndMessageBox(box, id);
}

HFONT GlyphFont(int height) {
  LOGFONT lf;
  lf.lfHeight = -height;
  lf.lfWeight = FW_BOLD;
  std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", "Arial");
  return CreateFontIndirect(&lf);
}

void DrawGlyph(HDC dc, RECT r, const char* glyph, COLORREF color, int height, int dy = 0) {
  HFONT f = GlyphFont(height);
  HFONT old = SelectObject(dc, f);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  OffsetRect(&r, 0, dy);
  DrawText(dc, glyph, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, old);
  DeleteObject(f);
}

void DrawIcon(HDC dc, RECT r, UINT icon) {
  auto shape = [&](COLORREF fill, COLORREF line) {
    HBRUSH b = CreateSolidBrush(fill);
    HPEN p = CreatePen(PS_SOLID, 1, line);
    HBRUSH ob = SelectObject(dc, b);
    HPEN op = SelectObject(dc, p);
    if (icon == MB_ICONEXCLAMATION) {
      POINT tri[3] = {
          {r.left + 16, r.top + 1}, {r.right - 1, r.bottom - 2}, {r.left, r.bottom - 2}};
      Polygon(dc, tri, 3);
    } else {
      Ellipse(dc, r.left, r.top, r.right, r.bottom);
    }
    SelectObject(dc, ob);
    SelectObject(dc, op);
    DeleteObject(b);
    DeleteObject(p);
  };
  switch (icon) {
    case MB_ICONHAND: {
      shape(RGB(224, 0, 0), RGB(128, 0, 0));
      HPEN p = CreatePen(PS_SOLID, 3, RGB(255, 255, 255));
      HPEN op = SelectObject(dc, p);
      MoveToEx(dc, r.left + 10, r.top + 10, nullptr);
      LineTo(dc, r.right - 10, r.bottom - 10);
      MoveToEx(dc, r.right - 11, r.top + 10, nullptr);
      LineTo(dc, r.left + 9, r.bottom - 10);
      SelectObject(dc, op);
      DeleteObject(p);
      break;
    }
    case MB_ICONEXCLAMATION:
      shape(RGB(255, 255, 0), RGB(0, 0, 0));
      DrawGlyph(dc, r, "!", RGB(0, 0, 0), 20, 4);
      break;
    case MB_ICONQUESTION:
      shape(RGB(255, 255, 255), RGB(0, 0, 128));
      DrawGlyph(dc, r, "?", RGB(0, 0, 255), 22);
      break;
    case MB_ICONASTERISK:
      shape(RGB(255, 255, 255), RGB(0, 0, 128));
      DrawGlyph(dc, r, "i", RGB(0, 0, 255), 22);
      break;
  }
}

void Paint(HWND h, BoxState& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT rc;
  GetClientRect(h, &rc);
  FillRect(dc, &rc, HBRUSH{COLOR_BTNFACE + 1});
  if (s.icon) DrawIcon(dc, s.iconRect, s.icon);
  HFONT old = SelectObject(dc, HFONT(GetStockObject(DEFAULT_GUI_FONT)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  RECT tr = s.textRect;
  DrawText(dc, s.text, &tr, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, old);
  EndPaint(h, &ps);
}

LRESULT BoxProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  BoxState* s = StateOf(h);
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<const CREATESTRUCT*>(lp);
      SetWindowLongPtr(h, 0, reinterpret_cast<LONG_PTR>(cs ? cs->lpCreateParams : nullptr));
      break;
    }
    case WM_PAINT:
      if (!s) break;
      Paint(h, *s);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_COMMAND:
      if (!s) return 0;
      if (Has(*s, int(LOWORD(wp))))
        EndMessageBox(h, int(LOWORD(wp)));
      else if (LOWORD(wp) == unsigned(IDCANCEL))
        Cancel(h, *s);
      return 0;
    case WM_CLOSE:
      if (s) Cancel(h, *s);
      return 0;
    case DM_GETDEFID:
      return s ? MAKELPARAM(s->defaultId, DC_HASDEFID) : 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && s) {
        HWND f = GetFocus();
        if (!f || !IsChild(h, f)) SetFocus(FindDlgItem(h, s->defaultId));
      }
      return 0;
  }
  return DefWindowProc(h, msg, wp, lp);
}

void Layout(BoxState& s, const char* caption, SIZE* client) {
  HDC dc = GetDC(HWND{});
  HFONT old = SelectObject(dc, HFONT(GetStockObject(DEFAULT_GUI_FONT)));
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  int maxText = std::max(100, work.Width() * 5 / 8);
  RECT calc{0, 0, maxText, 0};
  DrawText(dc, s.text.empty() ? std::string(" ") : s.text, &calc,
           DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_CALCRECT);
  int textW = std::min(calc.Width(), maxText), textH = calc.Height();
  // Very long texts are cut to what the screen can show.
  textH = std::min(textH, std::max(20, work.Height() - 120));
  SIZE capSize{0, 0};
  GetTextExtentPoint32(dc, caption ? caption : "", &capSize);
  SelectObject(dc, old);
  ReleaseDC(HWND{}, dc);
  int textLeft = kMargin + (s.icon ? kIconSize + kMargin + 4 : 0);
  int contentH = std::max(s.icon ? kIconSize : 0, textH);
  int textTop = kMargin + (contentH - textH) / 2;
  s.iconRect = RECT{kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize};
  s.textRect = RECT{textLeft, textTop, textLeft + textW, textTop + textH};
  int n = int(s.ids.size());
  int buttons = n * kButtonWidth + (n - 1) * kButtonGap;
  int width =
      std::max({textLeft + textW + kMargin + 4, buttons + 2 * kMargin, int(capSize.cx) + 60});
  int height = kMargin + contentH + 14 + kButtonHeight + kMargin;
  *client = SIZE{width, height};
}

std::vector<HWND> DisableOwners(HWND root, UINT flags) {
  std::vector<HWND> disabled;
  if (flags & (MB_TASKMODAL | MB_SYSTEMMODAL)) {
    EnumWindows([&](HWND t) {
      if (IsWindowVisible(t) && IsWindowEnabled(t)) disabled.push_back(t);
      return true;
    });
  } else if (root && IsWindowEnabled(root)) {
    disabled.push_back(root);
  }
  for (HWND d : disabled) EnableWindow(d, FALSE);
  return disabled;
}

}  // namespace

namespace dialogs {

void InstallMessageBoxes() {
  WNDCLASS wc;
  wc.style = CS_SAVEBITS;
  wc.lpfnWndProc = BoxProc;
  wc.cbWndExtra = sizeof(void*);
  wc.hCursor = LoadCursor(IDC_ARROW);
  wc.hbrBackground = HBRUSH{COLOR_BTNFACE + 1};
  wc.lpszClassName = kBoxClass;
  RegisterClass(&wc);
}

}  // namespace dialogs

int MessageBox(HWND owner, const char* text, const char* caption, UINT flags) {
  BoxState s;
  s.text = text ? text : "";
  s.flags = flags;
  s.icon = flags & MB_ICONMASK;
  if (s.icon != MB_ICONHAND && s.icon != MB_ICONQUESTION && s.icon != MB_ICONEXCLAMATION &&
      s.icon != MB_ICONASTERISK)
    s.icon = 0;
  Buttons(flags & MB_TYPEMASK, s);
  std::size_t def = std::min<std::size_t>((flags & MB_DEFMASK) >> 8, s.ids.size() - 1);
  s.defaultId = s.ids[def];
  const char* title = caption ? caption : "Error";

  SIZE client;
  Layout(s, title, &client);
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  DWORD ex = WS_EX_DLGMODALFRAME | ((flags & (MB_TOPMOST | MB_SYSTEMMODAL)) ? WS_EX_TOPMOST : 0);
  RECT frame{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, style, FALSE, ex);
  HWND root = owner ? GetAncestor(owner, GA_ROOT) : HWND{};
  RECT work, around;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  around = work;
  if (root && IsWindowVisible(root) && !IsIconic(root)) GetWindowRect(root, &around);
  int x = around.left + (around.Width() - frame.Width()) / 2;
  int y = around.top + (around.Height() - frame.Height()) / 2;
  x = std::clamp(x, int(work.left), std::max(int(work.left), int(work.right) - frame.Width()));
  y = std::clamp(y, int(work.top), std::max(int(work.top), int(work.bottom) - frame.Height()));

  // Whatever held the mouse (a press, a drag) is over: the box takes the
  // input, whoever owns it.
  if (HWND held = GetCapture()) {
    SendMessage(held, WM_CANCELMODE, 0, 0);
    if (GetCapture() == held) ReleaseCapture();
  }
  std::vector<HWND> disabled = DisableOwners(root, flags);
  MessageBeep(s.icon);
  HWND box = CreateWindowEx(ex, kBoxClass, title, style, x, y, frame.Width(), frame.Height(), root,
                            HMENU{}, &s);
  if (!box) {
    for (HWND d : disabled) EnableWindow(d, TRUE);
    return 0;
  }
  int n = int(s.ids.size());
  int bx = (client.cx - (n * kButtonWidth + (n - 1) * kButtonGap)) / 2;
  int by = client.cy - kMargin - kButtonHeight;
  for (int i = 0; i < n; ++i) {
    DWORD bs = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0) |
               (s.ids[std::size_t(i)] == s.defaultId ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    CreateWindowEx(0, WC_BUTTON, s.captions[std::size_t(i)].c_str(), bs,
                   bx + i * (kButtonWidth + kButtonGap), by, kButtonWidth, kButtonHeight, box,
                   HMENU{std::uint32_t(s.ids[std::size_t(i)])});
  }
  ShowWindow(box, SW_SHOW);
  SetActiveWindow(box);
  if (HWND b = FindDlgItem(box, s.defaultId)) SetFocus(b);

  while (!s.done && IsWindow(box)) {
    MSG msg;
    BOOL r = GetMessage(&msg, HWND{}, 0, 0);
    if (r == 0) {
      PostQuitMessage(int(msg.wParam));
      s.result = 0;
      break;
    }
    if (r < 0) break;
    if (!IsDialogMessage(box, &msg)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  // The owner is enabled first so the activation goes back to it.
  for (HWND d : disabled)
    if (IsWindow(d)) EnableWindow(d, TRUE);
  if (IsWindow(box)) {
    SetWindowLongPtr(box, 0, 0);
    DestroyWindow(box);
  }
  return s.done ? s.result : 0;
}

HWND FindMessageBox() {
  HWND found;
  EnumWindows([&](HWND t) {
    char name[16] = {};
    GetClassName(t, name, sizeof name);
    if (std::string(name) == kBoxClass && IsWindowVisible(t) && StateOf(t)) {
      found = t;
      return false;
    }
    return true;
  });
  return found;
}

BOOL GetMessageBoxInfo(HWND box, MessageBoxInfo* out) {
  char name[16] = {};
  if (!out || !IsWindow(box) || !GetClassName(box, name, sizeof name) ||
      std::string(name) != kBoxClass)
    return FALSE;
  BoxState* s = StateOf(box);
  if (!s) return FALSE;
  out->hwnd = box;
  out->text = s->text;
  out->caption = GetWindowTextString(box);
  out->icon = s->icon;
  out->buttons = s->captions;
  out->ids = s->ids;
  out->defaultId = s->defaultId;
  return TRUE;
}

BOOL EndMessageBox(HWND box, int result) {
  MessageBoxInfo info;
  if (!GetMessageBoxInfo(box, &info) || !Has(*StateOf(box), result)) return FALSE;
  BoxState* s = StateOf(box);
  s->result = result;
  s->done = true;
  // Wakes the box's loop, which may be waiting for input.
  PostMessage(box, WM_NULL, 0, 0);
  return TRUE;
}

}  // namespace platform
