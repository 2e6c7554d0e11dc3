// Top-level windows: search by title, show, raise, messages, geometry.
#include "platform/win32/handles.h"

using win32::FromWindow;
using win32::ToWindow;

namespace {

struct Enumeration {
  port::WindowVisitor visit;
  std::intptr_t data;
};

BOOL CALLBACK VisitTopWindow(HWND window, LPARAM lParam) {
  const auto* e = reinterpret_cast<const Enumeration*>(lParam);
  return e->visit(FromWindow(window), e->data) ? TRUE : FALSE;
}

}  // namespace

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

void EnumerateTopWindows(WindowVisitor visit, std::intptr_t data) {
  Enumeration e{visit, data};
  EnumWindows(VisitTopWindow, reinterpret_cast<LPARAM>(&e));
}

unsigned WindowTitle(Window window, char* buffer, int size) {
  if (size <= 0) return 0;
  buffer[0] = '\0';
  const int length = GetWindowTextA(ToWindow(window), buffer, size);
  return length > 0 ? static_cast<unsigned>(length) : 0;
}

int ScreenMetric(int index) { return GetSystemMetrics(index); }

void RepaintNow(Window window) {
  InvalidateRect(ToWindow(window), nullptr, FALSE);
  UpdateWindow(ToWindow(window));
}

}  // namespace port
