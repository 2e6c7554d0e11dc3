// Top-level windows: search by title, show, raise, messages, geometry.
#include "platform/win32/handles.h"

using win32::FromWindow;
using win32::ToWindow;

namespace port {

Window FindTopWindow(const char* title) { return FromWindow(FindWindowA(nullptr, title)); }

void ShowTopWindow(Window window, int showCommand) {
  ShowWindow(ToWindow(window), showCommand);
}

void BringToForeground(Window window) { SetForegroundWindow(ToWindow(window)); }

std::intptr_t SendToWindow(Window window, unsigned message, std::uintptr_t wParam,
                           std::intptr_t lParam) {
  return SendMessageA(ToWindow(window), message, wParam, lParam);
}

bool PostToWindow(Window window, unsigned message, std::uintptr_t wParam,
                  std::intptr_t lParam) {
  return PostMessageA(ToWindow(window), message, wParam, lParam) != FALSE;
}

Window ActiveWindow() { return FromWindow(GetActiveWindow()); }

bool GetWindowBounds(Window window, Rect& rect) {
  RECT r;
  if (!GetWindowRect(ToWindow(window), &r)) return false;
  rect = Rect{r.left, r.top, r.right, r.bottom};
  return true;
}

void MoveWindowTo(Window window, int left, int top, int width, int height, bool repaint) {
  MoveWindow(ToWindow(window), left, top, width, height, repaint ? TRUE : FALSE);
}

int ScreenMetric(int index) { return GetSystemMetrics(index); }

void RepaintNow(Window window) {
  InvalidateRect(ToWindow(window), nullptr, FALSE);
  UpdateWindow(ToWindow(window));
}

}  // namespace port
