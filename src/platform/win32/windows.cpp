// Top-level windows: search by title, show, raise, messages, geometry.
#include <string>

#include "platform/record.h"
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

std::string Title(HWND window) {
  char title[256] = "";
  GetWindowTextA(window, title, sizeof title);
  return title;
}

// A message to a control of an open dialog that the record follows: a new icon.
bool NoteItemMessage(HWND window, unsigned message, std::uintptr_t wParam) {
  HWND dialog = GetParent(window);
  if (!dialog || !record::DialogTemplateOf(FromWindow(dialog))) return false;
  if (message == port::StmSetIcon)
    record::ItemIcon(FromWindow(dialog), GetDlgCtrlID(window),
                     win32::IconIdOf(reinterpret_cast<HICON>(wParam)));
  return true;
}

}  // namespace

namespace port {

Window FindTopWindow(const char* title) { return FromWindow(FindWindowA(nullptr, title)); }

void ShowTopWindow(Window window, int showCommand) {
  ShowWindow(ToWindow(window), showCommand);
  if (IsWindow(ToWindow(window))) record::WindowShown(window, showCommand != sw::Hide);
}

void BringToForeground(Window window) {
  SetForegroundWindow(ToWindow(window));
  if (IsWindow(ToWindow(window))) record::WindowForeground(window);
}

// Messages to the program's own dialogs are its own business; one to another
// program's window is recorded with what became of it.
std::intptr_t SendToWindow(Window window, unsigned message, std::uintptr_t wParam,
                           std::intptr_t lParam) {
  HWND hwnd = ToWindow(window);
  if (record::DialogTemplateOf(window) || NoteItemMessage(hwnd, message, wParam) ||
      !IsWindow(hwnd))
    return SendMessageA(hwnd, message, wParam, lParam);
  const std::string title = Title(hwnd);
  const LRESULT result = SendMessageA(hwnd, message, wParam, lParam);
  record::WindowMessage(title, message, message == wm::Close && IsWindow(hwnd));
  return result;
}

bool PostToWindow(Window window, unsigned message, std::uintptr_t wParam,
                  std::intptr_t lParam) {
  HWND hwnd = ToWindow(window);
  const bool posted = PostMessageA(hwnd, message, wParam, lParam) != FALSE;
  if (posted && !record::DialogTemplateOf(window)) record::WindowMessage(Title(hwnd), message, false);
  return posted;
}

Window ActiveWindow() { return FromWindow(GetActiveWindow()); }

bool GetWindowBounds(Window window, Rect& rect) {
  RECT r;
  if (!GetWindowRect(ToWindow(window), &r)) return false;
  rect = Rect{r.left, r.top, r.right, r.bottom};
  return true;
}

void MoveWindowTo(Window window, int left, int top, int width, int height, bool repaint) {
  if (MoveWindow(ToWindow(window), left, top, width, height, repaint ? TRUE : FALSE))
    record::WindowMoved(window, left, top, width, height, repaint);
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
  record::Repainted(window);
  InvalidateRect(ToWindow(window), nullptr, FALSE);
  UpdateWindow(ToWindow(window));
}

}  // namespace port
