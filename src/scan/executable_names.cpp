#include "scan/executable_names.h"

#include <cstring>

#include "frame/paths.h"

namespace {

// Seven three-letter extensions, each enclosed in dots. No two dots stand
// side by side, so a key of a shorter or longer extension never matches.
constexpr char kExecutableExtensions[] = ".EXE.COM.DLL.DRV.OVR.OVL.SYS.";

constexpr int kKeySize = 6;      // five characters and the terminator
constexpr int kKeyReach = 4;     // the dot is looked for among the last four characters

}  // namespace

void GetExtensionKey(const char* name, char* key) {
  const int length = static_cast<int>(std::strlen(name));
  const int stop = length > kKeyReach ? length - kKeyReach : 0;
  int dot = length - 1;
  while (dot >= stop && name[dot] != '.') --dot;
  if (dot < stop) {
    std::strcpy(key, "..");
    return;
  }
  int copied = 0;
  while (copied < kKeyReach && name[dot + copied] != '\0') {
    key[copied] = name[dot + copied];
    ++copied;
  }
  key[copied++] = '.';
  if (copied <= kKeyReach) key[copied++] = '.';
  key[copied] = '\0';
}

int IsExecutableName(const char* name) {
  char key[kKeySize];
  GetExtensionKey(name, key);
  UpperCase(key);
  return std::strstr(kExecutableExtensions, key) != nullptr ? 1 : 0;
}
