// Windows of the simulated machine: other programs' top-level windows and the
// program's own dialogs, with their controls.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <vector>

#include "platform/port.h"
#include "platform/record.h"
#include "platform/sim/state.h"
#include "platform/sim/text.h"
#include "platform/sim/windows.h"

namespace sim {

TopWindow* FindTop(port::Window handle) {
  for (TopWindow& w : Current().windows)
    if (w.handle == handle) return &w;
  return nullptr;
}

OpenDialog* FindDialog(port::Window handle) {
  for (auto& d : Current().dialogs)
    if (d->handle == handle) return d.get();
  return nullptr;
}

std::pair<OpenDialog*, Control*> FindControl(port::Window handle) {
  for (auto& d : Current().dialogs)
    for (Control& c : d->controls)
      if (c.handle == handle) return {d.get(), &c};
  return {nullptr, nullptr};
}

void CloseTopWindow(const std::string& title, const std::string& by) {
  auto& windows = Current().windows;
  for (auto it = windows.begin(); it != windows.end(); ++it)
    if (it->title == title) {
      Current().Note(by + " closes window " + Quote(title));
      const int program = it->program;
      windows.erase(it);
      // A started program ends with its last window.
      if (!program) return;
      for (const TopWindow& w : windows)
        if (w.program == program) return;
      Current().EndProgram(program);
      return;
    }
}

void InsertDisk(char drive) {
  Machine::State& m = Current();
  const std::string letter(1, static_cast<char>(std::toupper(static_cast<unsigned char>(drive))));
  if (SameText(m.ini.Get("Drives", letter, ""), "empty")) m.ini.Remove("Drives", letter);
  m.disk.Insert(letter[0]);
  m.Note("user inserts the disk into drive " + letter);
}

void RemoveDisk(char drive) {
  Machine::State& m = Current();
  const std::string letter(1, static_cast<char>(std::toupper(static_cast<unsigned char>(drive))));
  m.ini.Set("Drives", letter, "empty");
  m.disk.Remove(letter[0]);
  m.Note("user takes the disk out of drive " + letter);
}

}  // namespace sim

namespace port {
using namespace sim;

// As the system does, titles compare without regard to case.
Window FindTopWindow(const char* title) {
  for (const TopWindow& w : Current().windows)
    if (SameText(w.title, title)) return w.handle;
  for (const auto& d : Current().dialogs)
    if (SameText(d->tmpl->caption, title)) return d->handle;
  return 0;
}

void ShowTopWindow(Window window, int showCommand) {
  if (TopWindow* w = FindTop(window)) {
    w->visible = showCommand != sw::Hide;
    record::WindowShown(window, w->visible);
  } else if (FindDialog(window)) {
    record::WindowShown(window, showCommand != sw::Hide);
  }
}

void BringToForeground(Window window) {
  if (FindTop(window) || FindDialog(window)) record::WindowForeground(window);
}

std::intptr_t SendToWindow(Window window, unsigned message, std::uintptr_t wParam,
                           std::intptr_t lParam) {
  if (TopWindow* w = FindTop(window)) {
    const std::string title = w->title;
    if (message == wm::Close) {
      record::WindowMessage(title, message, !w->closes);
      if (w->closes) CloseTopWindow(title, "its program");
    } else {
      record::WindowMessage(title, message, false);
    }
    return 0;
  }
  if (OpenDialog* d = FindDialog(window)) return d->proc(window, message, wParam, lParam);
  auto [dialog, control] = FindControl(window);
  if (control && message == StmSetIcon) {
    control->icon = wParam >= kIconBase ? static_cast<int>(wParam - kIconBase) : 0;
    record::ItemIcon(dialog->handle, control->tmpl->id, control->icon);
  }
  return 0;
}

bool PostToWindow(Window window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  if (OpenDialog* d = FindDialog(window)) {
    d->queue.push_back({message, wParam, lParam});
    return true;
  }
  if (FindTop(window)) {
    SendToWindow(window, message, wParam, lParam);
    return true;
  }
  return false;
}

Window ActiveWindow() {
  const auto& dialogs = Current().dialogs;
  return dialogs.empty() ? 0 : dialogs.back()->handle;
}

bool GetWindowBounds(Window window, Rect& rect) {
  if (TopWindow* w = FindTop(window)) {
    rect = w->rect;
    return true;
  }
  if (OpenDialog* d = FindDialog(window)) {
    rect = d->rect;
    return true;
  }
  return false;
}

void MoveWindowTo(Window window, int left, int top, int width, int height, bool repaint) {
  Rect* rect = nullptr;
  if (TopWindow* w = FindTop(window)) rect = &w->rect;
  else if (OpenDialog* d = FindDialog(window)) rect = &d->rect;
  if (!rect) return;
  *rect = {left, top, left + width, top + height};
  record::WindowMoved(window, left, top, width, height, repaint);
}

// The program's dialogs, innermost first, then other programs' windows,
// newest first. A window that `visit` closes is not visited again.
void EnumerateTopWindows(WindowVisitor visit, std::intptr_t data) {
  std::vector<Window> handles;
  const Machine::State& m = Current();
  for (auto d = m.dialogs.rbegin(); d != m.dialogs.rend(); ++d) handles.push_back((*d)->handle);
  for (auto w = m.windows.rbegin(); w != m.windows.rend(); ++w) handles.push_back(w->handle);
  for (Window handle : handles)
    if ((FindTop(handle) || FindDialog(handle)) && !visit(handle, data)) return;
}

unsigned WindowTitle(Window window, char* buffer, int size) {
  if (size <= 0) return 0;
  if (TopWindow* w = FindTop(window)) return CopyOut(w->title, buffer, static_cast<unsigned>(size));
  if (OpenDialog* d = FindDialog(window))
    return CopyOut(d->tmpl->caption, buffer, static_cast<unsigned>(size));
  buffer[0] = '\0';
  return 0;
}

int ScreenMetric(int index) {
  const IniFile& ini = Current().ini;
  if (index == SmCxScreen) return std::atoi(ini.Get("Machine", "ScreenWidth", "640").c_str());
  if (index == SmCyScreen) return std::atoi(ini.Get("Machine", "ScreenHeight", "480").c_str());
  return 0;
}

}  // namespace port
