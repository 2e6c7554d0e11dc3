// The program's own message loop: one message at a time, and timers whose
// procedures the port's callers write in the port's terms.
#include <map>
#include <utility>

#include "platform/win32/handles.h"

namespace port {
namespace {

// The port's timer procedures, by window and timer id: the system calls one
// procedure of its own kind, which hands each tick on.
std::map<std::pair<HWND, UINT_PTR>, TimerProc>& Procedures() {
  static std::map<std::pair<HWND, UINT_PTR>, TimerProc> procedures;
  return procedures;
}

void CALLBACK Tick(HWND window, UINT message, UINT_PTR id, DWORD time) {
  auto it = Procedures().find({window, id});
  if (it != Procedures().end())
    it->second(win32::FromWindow(window), message, static_cast<std::uintptr_t>(id), time);
}

}  // namespace

bool WindowVisible(Window window) { return IsWindowVisible(win32::ToWindow(window)) != FALSE; }

bool PumpMessage() {
  MSG message;
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return true;
}

std::uintptr_t StartTimer(Window window, std::uintptr_t id, unsigned milliseconds,
                          TimerProc proc) {
  HWND hwnd = win32::ToWindow(window);
  const UINT_PTR started = SetTimer(hwnd, id, milliseconds, Tick);
  if (!started) return 0;
  // Without a window the system chooses the id, and the ticks carry it.
  Procedures()[{hwnd, hwnd ? id : started}] = proc;
  return hwnd ? id : started;
}

void StopTimer(Window window, std::uintptr_t id) {
  HWND hwnd = win32::ToWindow(window);
  KillTimer(hwnd, id);
  Procedures().erase({hwnd, id});
}

}  // namespace port
