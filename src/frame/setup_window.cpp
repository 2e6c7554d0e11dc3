#include "frame/setup_window.h"

#include "platform/port.h"

namespace {
constexpr const char* kSetupWindowTitle = "Setup";
}

void HideSetupWindow() {
  if (port::Window w = port::FindTopWindow(kSetupWindowTitle)) port::ShowTopWindow(w, port::sw::Hide);
}

void ShowSetupWindow() {
  if (port::Window w = port::FindTopWindow(kSetupWindowTitle)) {
    port::ShowTopWindow(w, port::sw::Show);
    port::BringToForeground(w);
  }
}

void CloseSetupWindow() {
  if (port::Window w = port::FindTopWindow(kSetupWindowTitle))
    port::SendToWindow(w, port::wm::Close, 0, 0);
}
