// A stand-in for the product's scheduler: it opens its window "Zelvane
// Scheduler" and runs until that window is closed.
#include <windows.h>

namespace {
LRESULT CALLBACK SchedulerWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA cls{};
  cls.lpfnWndProc = SchedulerWindow;
  cls.hInstance = instance;
  cls.lpszClassName = "ZVTestScheduler";
  RegisterClassA(&cls);
  HWND window = CreateWindowA("ZVTestScheduler", "Zelvane Scheduler", WS_OVERLAPPEDWINDOW,
                              CW_USEDEFAULT, CW_USEDEFAULT, 300, 200, nullptr, nullptr, instance,
                              nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, show);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
