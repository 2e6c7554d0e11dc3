// The components dialog, template 149: Word macro-virus protection and the
// shell extensions, both offered checked; Word's box is disabled when Word
// cannot be found.
#include "components/word_messages.h"
#include "components/word_protection.h"
#include "frame/help.h"
#include "frame/helpers.h"
#include "frame/paths.h"
#include "frame/setup_state.h"

namespace {

constexpr int kComponentsTemplate = 149;
constexpr int kWordBox = 1023;
constexpr int kShellBox = 1024;
constexpr int kHelpButton = 9;

void OfferComponents(port::Window dialog) {
  CentreWindow(dialog);
  WantShellExtensions = 1;
  port::SetItemCheck(dialog, kShellBox, port::Checked);
  // Word is looked for before the dialog shows, so the warning comes first.
  WantWordProtection = 1;
  char program[kPathSize];
  if (!FindWordExecutable(program) || !FileExists(program)) {
    port::ShowMessageBox(0, kWordMissingText, kWordMissingTitle, kWordMessageType);
    WantWordProtection = 0;
  }
  if (WantWordProtection == 1) {
    port::SetItemCheck(dialog, kWordBox, port::Checked);
  } else {
    port::SetItemCheck(dialog, kWordBox, port::Unchecked);
    port::EnableItem(dialog, kWordBox, false);
  }
}

std::intptr_t ComponentsDialog(port::Window dialog, unsigned message, std::uintptr_t wParam,
                               std::intptr_t) {
  switch (message) {
    case port::wm::InitDialog:
      OfferComponents(dialog);
      return 0;  // the dialog sets no focus of its own
    case port::wm::Command:
      switch (wParam & 0xFFFF) {
        case port::id::Ok:
          CentreWindow(dialog);
          WantWordProtection = static_cast<std::int32_t>(port::GetItemCheck(dialog, kWordBox));
          WantShellExtensions = static_cast<std::int32_t>(port::GetItemCheck(dialog, kShellBox));
          port::EndModalDialog(dialog, 1);
          return 1;
        case kHelpButton:
          OpenHelpTopic(dialog, kHelpWordComponents);
          return 1;
        default:
          // A click on a box or Escape: the help goes, the dialog stays.
          CloseHelp(dialog);
          return 1;
      }
    case port::wm::Destroy:
      CloseHelp(dialog);
      return 1;
    default:
      return 0;
  }
}

}  // namespace

void RunComponentsDialog() {
  port::RunModalDialog(ModuleInstance, kComponentsTemplate, 0, ComponentsDialog, 0);
}
