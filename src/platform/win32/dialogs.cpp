// The user: message boxes, modal dialogs from the program's templates, their
// controls, icons and the help service.
#include "platform/win32/handles.h"

using win32::FromWindow;
using win32::ToInstance;
using win32::ToWindow;

namespace {

// What RunModalDialog hands to the dialog through WM_INITDIALOG.
struct DialogLaunch {
  port::DialogProc proc;
  std::intptr_t initParam;
};

// The system's dialog procedure for every template: it keeps the port's
// procedure in the dialog's user slot from WM_INITDIALOG on and forwards each
// message to it. Messages that come before WM_INITDIALOG are left to the
// default processing, as the port's procedures never see them.
INT_PTR CALLBACK DialogThunk(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* launch = reinterpret_cast<const DialogLaunch*>(lParam);
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(launch->proc));
    return launch->proc(FromWindow(dialog), message, wParam, launch->initParam);
  }
  auto proc = reinterpret_cast<port::DialogProc>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (proc == nullptr) return FALSE;
  return proc(FromWindow(dialog), message, wParam, lParam);
}

}  // namespace

namespace port {

int ShowMessageBox(Window owner, const char* text, const char* title, unsigned type) {
  return MessageBoxA(ToWindow(owner), text, title, type);
}

std::intptr_t RunModalDialog(Instance instance, int templateId, Window owner,
                             DialogProc proc, std::intptr_t initParam) {
  DialogLaunch launch{proc, initParam};
  return DialogBoxParamA(ToInstance(instance), MAKEINTRESOURCEA(templateId), ToWindow(owner),
                         DialogThunk, reinterpret_cast<LPARAM>(&launch));
}

void EndModalDialog(Window dialog, std::intptr_t result) { EndDialog(ToWindow(dialog), result); }

Window DialogItem(Window dialog, int controlId) {
  return FromWindow(GetDlgItem(ToWindow(dialog), controlId));
}

void SetItemText(Window dialog, int controlId, const char* text) {
  SetDlgItemTextA(ToWindow(dialog), controlId, text);
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
  ShowWindow(GetDlgItem(ToWindow(dialog), controlId), showCommand);
}

void EnableItem(Window dialog, int controlId, bool enable) {
  EnableWindow(GetDlgItem(ToWindow(dialog), controlId), enable ? TRUE : FALSE);
}

Icon LoadProgramIcon(Instance instance, int iconId) {
  return reinterpret_cast<Icon>(LoadIconA(ToInstance(instance), MAKEINTRESOURCEA(iconId)));
}

bool OpenHelp(Window owner, const char* file, unsigned command, std::uintptr_t data) {
  return WinHelpA(ToWindow(owner), file, command, data) != FALSE;
}

}  // namespace port
