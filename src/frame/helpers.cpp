#include "frame/helpers.h"

#include <cstring>

void GetModuleDir(char* buffer, std::uint16_t size) {
  if (size == 0) return;
  buffer[0] = '\0';
  port::ModuleFileName(buffer, size);
  // In place; a result that does not fit (or a failure) leaves the long form.
  port::ShortPathName(buffer, buffer, size);
  char* lastSlash = std::strrchr(buffer, '\\');
  if (lastSlash) lastSlash[1] = '\0';
  else buffer[0] = '\0';
}

void CentreWindow(port::Window window) {
  port::Rect rect{};
  if (!port::GetWindowBounds(window, rect)) return;
  const int width = static_cast<int>(rect.right - rect.left);
  const int height = static_cast<int>(rect.bottom - rect.top);
  const int left = (port::ScreenMetric(port::SmCxScreen) - width) / 2;
  const int top = (port::ScreenMetric(port::SmCyScreen) - height) / 2;
  port::MoveWindowTo(window, left, top, width, height, false);
}
