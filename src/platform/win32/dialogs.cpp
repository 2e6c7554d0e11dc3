// The user: message boxes, modal dialogs from the program's templates, their
// controls, icons and the help service.
#include <map>
#include <vector>

#include "platform/record.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/handles.h"

using win32::FromWindow;
using win32::ToInstance;
using win32::ToWindow;

namespace {

// What RunModalDialog hands to the dialog through WM_INITDIALOG, and what the
// record takes of the dialog as it ends.
struct DialogLaunch {
  port::DialogProc proc;
  std::intptr_t initParam;
  int templateId;
  port::Window owner;
  std::vector<record::Control> controls;  // the template's, then as they end
};

// The open dialogs of this module by window, with their templates.
std::map<HWND, int>& OpenDialogs() {
  static std::map<HWND, int> dialogs;
  return dialogs;
}

// The controls that take input, as they stand while the dialog goes.
void NoteEndState(HWND dialog, std::vector<record::Control>& controls) {
  for (record::Control& c : controls) {
    if (!c.checkable && !c.editable) continue;
    HWND item = GetDlgItem(dialog, c.id);
    if (!item) continue;
    char text[512] = "";
    GetWindowTextA(item, text, sizeof text);
    c.text = text;
    if (c.checkable) c.check = IsDlgButtonChecked(dialog, c.id);
    c.visible = (GetWindowLongA(item, GWL_STYLE) & WS_VISIBLE) != 0;
    c.enabled = IsWindowEnabled(item) != FALSE;
  }
}

// The system's dialog procedure for every template: it keeps the launch in
// the dialog's user slot from WM_INITDIALOG on and forwards each message to
// the port's procedure. Messages that come before WM_INITDIALOG are left to
// the default processing, as the port's procedures never see them.
INT_PTR CALLBACK DialogThunk(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* launch = reinterpret_cast<DialogLaunch*>(lParam);
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(launch));
    OpenDialogs()[dialog] = launch->templateId;
    char caption[256] = "";
    GetWindowTextA(dialog, caption, sizeof caption);
    record::DialogOpens(launch->templateId, caption, launch->owner, launch->controls);
    return launch->proc(FromWindow(dialog), message, wParam, launch->initParam);
  }
  auto* launch = reinterpret_cast<DialogLaunch*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (launch == nullptr) return FALSE;
  const INT_PTR handled = launch->proc(FromWindow(dialog), message, wParam, lParam);
  if (message == WM_DESTROY) {
    NoteEndState(dialog, launch->controls);
    OpenDialogs().erase(dialog);
  }
  return handled;
}

}  // namespace

namespace win32 {

namespace {
std::map<HICON, int>& Icons() {
  static std::map<HICON, int> icons;
  return icons;
}
}  // namespace

void NoteIcon(HICON icon, int iconId) { Icons()[icon] = iconId; }

int IconIdOf(HICON icon) {
  auto it = Icons().find(icon);
  return it == Icons().end() ? 0 : it->second;
}

}  // namespace win32

int record::DialogTemplateOf(port::Window window) {
  auto it = OpenDialogs().find(ToWindow(window));
  return it == OpenDialogs().end() ? 0 : it->second;
}

namespace port {

int ShowMessageBox(Window owner, const char* text, const char* title, unsigned type) {
  record::BoxShown(owner, text, title, type);
  const int pressed = MessageBoxA(ToWindow(owner), text, title, type);
  record::BoxAnswered(pressed);
  return pressed;
}

std::intptr_t RunModalDialog(Instance instance, int templateId, Window owner,
                             DialogProc proc, std::intptr_t initParam) {
  DialogLaunch launch{proc, initParam, templateId, owner,
                      win32::TemplateControls(ToInstance(instance), templateId)};
  const std::intptr_t result =
      DialogBoxParamA(ToInstance(instance), MAKEINTRESOURCEA(templateId), ToWindow(owner),
                      DialogThunk, reinterpret_cast<LPARAM>(&launch));
  record::DialogEnds(templateId, result, launch.controls);
  return result;
}

void EndModalDialog(Window dialog, std::intptr_t result) { EndDialog(ToWindow(dialog), result); }

Window DialogItem(Window dialog, int controlId) {
  return FromWindow(GetDlgItem(ToWindow(dialog), controlId));
}

void SetItemText(Window dialog, int controlId, const char* text) {
  if (SetDlgItemTextA(ToWindow(dialog), controlId, text)) record::ItemText(dialog, controlId, text);
}

unsigned GetItemText(Window dialog, int controlId, char* buffer, int size) {
  if (size <= 0) return 0;
  buffer[0] = '\0';
  return GetDlgItemTextA(ToWindow(dialog), controlId, buffer, size);
}

void SetItemCheck(Window dialog, int controlId, unsigned state) {
  CheckDlgButton(ToWindow(dialog), controlId, state);
}

unsigned GetItemCheck(Window dialog, int controlId) {
  return IsDlgButtonChecked(ToWindow(dialog), controlId);
}

void ShowItem(Window dialog, int controlId, int showCommand) {
  HWND item = GetDlgItem(ToWindow(dialog), controlId);
  if (!item) return;
  ShowWindow(item, showCommand);
  record::ItemShown(dialog, controlId, showCommand != sw::Hide);
}

void EnableItem(Window dialog, int controlId, bool enable) {
  HWND item = GetDlgItem(ToWindow(dialog), controlId);
  if (!item) return;
  EnableWindow(item, enable ? TRUE : FALSE);
  record::ItemEnabled(dialog, controlId, enable);
}

Icon LoadProgramIcon(Instance instance, int iconId) {
  HICON icon = LoadIconA(ToInstance(instance), MAKEINTRESOURCEA(iconId));
  if (icon) win32::NoteIcon(icon, iconId);
  return reinterpret_cast<Icon>(icon);
}

bool OpenHelp(Window owner, const char* file, unsigned command, std::uintptr_t data) {
  record::HelpCalled(owner, file, command, data);
  return WinHelpA(ToWindow(owner), file, command, data) != FALSE;
}

}  // namespace port
