// The OEM details dialog, template 142.
#include "frame/helpers.h"
#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "preinstall/edition.h"
#include "services/zvcfg/zvcfg.h"

namespace {

// The fields, with the room each is read with (terminator included).
constexpr int kNameField = 1010;
constexpr int kEmailField = 1013;
constexpr int kFaxField = 1012;
constexpr int kPhoneField = 1011;
constexpr int kNameSize = 200;
constexpr int kEmailSize = 100;
constexpr int kFaxSize = 50;
constexpr int kPhoneSize = 50;

void RecordDetail(const char* valueName, const char* key, const char* text) {
  AddRegistryValue(port::HkeyCurrentUser, kOemCopyKey, valueName, text);
  port::WriteProfileString(InfoIniPath, kOemSection, key, text);
}

}  // namespace

std::intptr_t OemDetailsDialog(port::Window dialog, unsigned message, std::uintptr_t wParam,
                               std::intptr_t) {
  switch (message) {
    case port::wm::InitDialog:
      CentreWindow(dialog);
      return 0;
    case port::wm::Command:
      // Only OK (or Enter) leaves; Escape's Cancel and every other command do nothing.
      if ((wParam & 0xFFFF) == port::id::Ok) SaveOemDetails(dialog);
      return 1;
    default:
      return 0;
  }
}

void SaveOemDetails(port::Window dialog) {
  char name[kNameSize], email[kEmailSize], phone[kPhoneSize], fax[kFaxSize];
  port::GetItemText(dialog, kNameField, name, sizeof name);
  port::GetItemText(dialog, kEmailField, email, sizeof email);
  port::GetItemText(dialog, kPhoneField, phone, sizeof phone);
  port::GetItemText(dialog, kFaxField, fax, sizeof fax);
  RecordDetail(kOemNameValue, kOemName, name);
  RecordDetail(kOemEmailValue, kOemEmail, email);
  RecordDetail(kOemFaxValue, kOemFax, fax);
  RecordDetail(kOemPhoneValue, kOemPhone, phone);
  port::EndModalDialog(dialog, 1);
}
