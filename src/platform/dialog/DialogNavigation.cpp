// Tab order, groups, mnemonics and the default and cancel buttons.
#include <algorithm>
#include <vector>

#include "platform/controls/ControlSupport.h"
#include "platform/dialog/Dialog.h"

namespace platform {

namespace {

DWORD StyleOf(HWND h) {
  return DWORD(GetWindowLongPtr(h, GWL_STYLE));
}

bool Usable(HWND h) {
  DWORD s = StyleOf(h);
  return (s & WS_VISIBLE) && !(s & WS_DISABLED);
}

// Children in creation order: the window system keeps the newest on top.
std::vector<HWND> ChildrenInOrder(HWND parent) {
  std::vector<HWND> out;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
  std::reverse(out.begin(), out.end());
  return out;
}

bool IsContainer(HWND h) {
  if (GetWindowLongPtr(h, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) return true;
  return !(StyleOf(h) & WS_TABSTOP) && GetWindow(h, GW_CHILD);
}

// Every usable control in tab order, containers opened in place.
void Flatten(HWND parent, std::vector<HWND>* out) {
  for (HWND c : ChildrenInOrder(parent)) {
    if (!Usable(c)) continue;
    if (IsContainer(c)) {
      Flatten(c, out);
      continue;
    }
    out->push_back(c);
  }
}

bool IsTabStop(HWND h) {
  return StyleOf(h) & WS_TABSTOP;
}

// Where `control` stands in the flattened order; for a container (or a
// control the order does not list) the position just before its first
// listed descendant, or after its last.
int PositionOf(const std::vector<HWND>& all, HWND control) {
  for (std::size_t i = 0; i < all.size(); ++i)
    if (all[i] == control) return int(i);
  for (std::size_t i = 0; i < all.size(); ++i)
    if (IsChild(control, all[i])) return int(i) - 1;
  return -1;
}

LRESULT DialogCode(HWND control, UINT msg, WPARAM wp) {
  MSG m;
  m.hwnd = control;
  m.message = msg;
  m.wParam = wp;
  return GetDlgCode(control, &m);
}

HWND DefaultButton(HWND dialog) {
  LRESULT r = SendMessage(dialog, DM_GETDEFID, 0, 0);
  if (HIWORD(std::uintptr_t(r)) == DC_HASDEFID)
    if (HWND b = FindDlgItem(dialog, int(LOWORD(std::uintptr_t(r))))) return b;
  std::vector<HWND> all;
  Flatten(dialog, &all);
  for (HWND c : all)
    if (DialogCode(c, WM_KEYDOWN, VK_RETURN) & DLGC_DEFPUSHBUTTON) return c;
  return HWND{};
}

void Press(HWND dialog, HWND button, int fallbackId) {
  if (button && IsWindowEnabled(button)) {
    SendMessage(button, BM_CLICK, 0, 0);
    return;
  }
  if (!button) SendMessage(dialog, WM_COMMAND, MAKEWPARAM(unsigned(fallbackId), BN_CLICKED), 0);
}

bool Mnemonic(HWND dialog, HWND focus, unsigned char ch) {
  unsigned char want = controls::UpperChar(ch);
  if (!want || want == ' ') return false;
  std::vector<HWND> all;
  Flatten(dialog, &all);
  int n = int(all.size());
  int start = PositionOf(all, focus);
  for (int k = 1; k <= n; ++k) {
    int i = ((start + k) % n + n) % n;
    HWND c = all[std::size_t(i)];
    if (controls::MnemonicOf(GetWindowTextString(c)) != want) continue;
    LRESULT code = DialogCode(c, WM_CHAR, ch);
    if (code & DLGC_STATIC) {
      // A label hands the focus to the control that follows it.
      for (int j = 1; j < n; ++j) {
        HWND next = all[std::size_t((i + j) % n)];
        if (!(DialogCode(next, WM_CHAR, ch) & DLGC_STATIC)) {
          SetDlgFocus(next);
          return true;
        }
      }
      return true;
    }
    if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
      SendMessage(c, BM_CLICK, 0, 0);
    } else if (code & DLGC_BUTTON) {
      SetFocus(c);
      SendMessage(c, BM_CLICK, 0, 0);
    } else {
      SetDlgFocus(c);
    }
    return true;
  }
  return false;
}

HWND FirstTabStop(HWND window) {
  return GetNextDlgTabItem(window, HWND{}, FALSE);
}

}  // namespace

LRESULT GetDlgCode(HWND control, const MSG* msg) {
  if (!IsWindow(control)) return 0;
  return SendMessage(control, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg));
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  if (!IsWindow(dialog)) return HWND{};
  std::vector<HWND> all;
  Flatten(dialog, &all);
  int n = int(all.size());
  if (n == 0) return HWND{};
  int pos = control ? PositionOf(all, control) : (previous ? n : -1);
  if (control && pos < 0 && !IsChild(dialog, control)) pos = previous ? n : -1;
  int step = previous ? -1 : 1;
  for (int k = 1; k <= n; ++k) {
    int i = ((pos + step * k) % n + n) % n;
    if (IsTabStop(all[std::size_t(i)])) return all[std::size_t(i)];
  }
  return HWND{};
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  if (!IsWindow(dialog) || !IsWindow(control)) return HWND{};
  std::vector<HWND> siblings = ChildrenInOrder(GetParent(control));
  auto at = std::find(siblings.begin(), siblings.end(), control);
  if (at == siblings.end()) return HWND{};
  std::size_t i = std::size_t(at - siblings.begin());
  std::size_t first = i, last = i;
  while (first > 0 && !(StyleOf(siblings[first]) & WS_GROUP)) --first;
  while (last + 1 < siblings.size() && !(StyleOf(siblings[last + 1]) & WS_GROUP)) ++last;
  std::size_t size = last - first + 1;
  for (std::size_t k = 1; k < size; ++k) {
    std::size_t j =
        previous ? first + (i - first + size - k) % size : first + (i - first + k) % size;
    if (Usable(siblings[j])) return siblings[j];
  }
  return control;
}

HWND FindDlgItem(HWND dialog, int id) {
  HWND found;
  EnumChildWindows(dialog, [&](HWND c) {
    if (GetDlgCtrlID(c) == id) {
      found = c;
      return false;
    }
    return true;
  });
  return found;
}

void SetDlgFocus(HWND control) {
  if (!IsWindow(control)) return;
  SetFocus(control);
  if (GetFocus() == control && (DialogCode(control, WM_KEYDOWN, VK_TAB) & DLGC_HASSETSEL))
    SendMessage(control, EM_SETSEL, 0, -1);
}

BOOL IsDialogMessage(HWND dialog, MSG* msg) {
  if (!IsWindow(dialog) || !msg) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  HWND focus = GetFocus();
  if (focus && focus != dialog && !IsChild(dialog, focus)) focus = HWND{};
  LRESULT code = focus ? GetDlgCode(focus, msg) : 0;
  switch (msg->message) {
    case WM_KEYDOWN: {
      if (code & DLGC_WANTALLKEYS) break;
      bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
      switch (int(msg->wParam)) {
        case VK_TAB:
          if ((code & DLGC_WANTTAB) || ctrl) break;
          if (HWND next = GetNextDlgTabItem(dialog, focus, shift)) SetDlgFocus(next);
          return TRUE;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: {
          if ((code & DLGC_WANTARROWS) || !focus) break;
          bool back = msg->wParam == WPARAM(VK_LEFT) || msg->wParam == WPARAM(VK_UP);
          HWND next = GetNextDlgGroupItem(dialog, focus, back);
          if (next && next != focus) {
            SetFocus(next);
            if (DialogCode(next, WM_KEYDOWN, msg->wParam) & DLGC_RADIOBUTTON)
              SendMessage(next, BM_CLICK, 0, 0);
          }
          return TRUE;
        }
        case VK_RETURN: {
          HWND target =
              (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) ? focus : DefaultButton(dialog);
          Press(dialog, target, IDOK);
          return TRUE;
        }
        case VK_ESCAPE:
          Press(dialog, FindDlgItem(dialog, IDCANCEL), IDCANCEL);
          return TRUE;
      }
      break;
    }
    case WM_CHAR:
      if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) break;
      if (Mnemonic(dialog, focus, static_cast<unsigned char>(msg->wParam))) return TRUE;
      break;
    case WM_SYSCHAR:
      if (Mnemonic(dialog, focus, static_cast<unsigned char>(msg->wParam))) return TRUE;
      break;
  }
  TranslateMessage(msg);
  DispatchMessage(msg);
  return TRUE;
}

namespace dialogs {

void InstallNavigation() {
  SetFirstTabStopFinder(FirstTabStop);
}

}  // namespace dialogs

}  // namespace platform
