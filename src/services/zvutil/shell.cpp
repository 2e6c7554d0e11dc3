// The product's Explorer commands: the verb "Zelvane Scan" under program
// files, drives, folders and the file types of ARJ and ZIP archives.
#include <cstdio>
#include <initializer_list>

#include "platform/port.h"
#include "services/zvcfg/zvcfg.h"
#include "services/zvutil/zvutil.h"

namespace {

constexpr const char* kVerb = "Zelvane Scan";

void RemoveVerb(const char* fileType) {
  char shellKey[300];
  std::snprintf(shellKey, sizeof shellKey, "%s|shell", fileType);
  DeleteRegistryKey(port::HkeyClassesRoot, shellKey, kVerb);
}

}  // namespace

int RemoveShellExtensions(void) {
  for (const char* type : {"comfile", "exefile", "Drive", "Directory", "zvcomp"}) RemoveVerb(type);
  for (const char* extension : {".ARJ", ".ZIP"}) {
    char type[260] = "";
    if (GetRegValue(port::HkeyClassesRoot, extension, "", type, sizeof type) && type[0])
      RemoveVerb(type);
  }
  return 1;
}
