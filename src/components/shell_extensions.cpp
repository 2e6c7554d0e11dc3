#include "components/shell_extensions.h"

#include "frame/paths.h"
#include "frame/setup_state.h"
#include "services/zvcfg/zvcfg.h"
#include "services/zvutil/zvutil.h"

namespace {

// The verb and its command under a file type or class: the verb key has no
// default value, so Explorer shows its name as the menu text.
constexpr const char* kVerbPath = "|shell|Zelvane Scan|command";
constexpr const char* kFixedVerbKeys[] = {
    "comfile|shell|Zelvane Scan|command",
    "exefile|shell|Zelvane Scan|command",
    "Drive|shell|Zelvane Scan|command",
    "Directory|shell|Zelvane Scan|command",
};
// The product's own type for archives that have none.
constexpr const char* kOwnArchiveType = "zvcomp";

// An archive's type name is read whole: a name cut to a fixed room would put
// the verb under a type that does not exist, where Explorer never looks.
constexpr int kTypeNameSize = kPathSize;
constexpr int kArchiveKeySize = kTypeNameSize + sizeof "|shell|Zelvane Scan|command";

// Puts the verb under the file type of `extension`, binding the extension to
// the product's own type when it names none.
void AddArchiveVerb(const char* extension, const char* command) {
  char type[kTypeNameSize] = "";
  const bool read = IsRegistryKeyPresent(port::HkeyClassesRoot, extension) &&
                    GetRegValue(port::HkeyClassesRoot, extension, "", type, sizeof type) == 1;
  if (!read || type[0] == '\0') {
    CopyText(type, sizeof type, kOwnArchiveType);
    AddRegistryKeyWithDefVal(port::HkeyClassesRoot, extension, type);
  }
  char key[kArchiveKeySize];
  CopyText(key, sizeof key, type);
  AppendName(key, sizeof key, kVerbPath);
  AddRegistryKeyWithDefVal(port::HkeyClassesRoot, key, command);
}

}  // namespace

void InstallShellExtensions() {
  if (WantShellExtensions == 0) return;
  RemoveShellExtensions();
  // No blank and no quotes around %1: Explorer puts the path right after the switch.
  char command[kPathSize];
  CopyText(command, sizeof command, InstallDir);
  AppendName(command, sizeof command, "ZV32.EXE /Zv32Scan%1");
  for (const char* key : kFixedVerbKeys)
    AddRegistryKeyWithDefVal(port::HkeyClassesRoot, key, command);
  AddArchiveVerb(".ARJ", command);
  AddArchiveVerb(".ZIP", command);
}
