#include "scan/system_walk.h"

#include <cstring>

#include "frame/paths.h"
#include "frame/setup_state.h"
#include "platform/port.h"
#include "scan/executable_names.h"
#include "scan/file_scan.h"

namespace {

constexpr char kAllFiles[] = "*.*";
constexpr std::size_t kAllFilesLength = sizeof kAllFiles - 1;

// Joins two texts into a path buffer; false, with nothing formed, when the
// result would not fit. A path cut short would name another file.
bool JoinPath(char* path, const char* first, const char* second, std::size_t firstLength) {
  if (firstLength + std::strlen(second) >= static_cast<std::size_t>(kPathSize)) return false;
  std::memcpy(path, first, firstLength);
  std::strcpy(path + firstLength, second);
  return true;
}

}  // namespace

int ScanDirectory(const char* pattern) {
  const std::size_t patternLength = std::strlen(pattern);
  if (patternLength < kAllFilesLength) return 0;
  const std::size_t folderLength = patternLength - kAllFilesLength;
  port::FoundEntry entry;
  const port::Search search = port::FindFirstEntry(pattern, entry);
  if (!search) return 0;
  int found = 0;
  bool first = true;
  do {
    // The first name is used as the search returns it, every later one
    // lower-cased; the scan shows and reports names upper-cased.
    if (!first) LowerCase(entry.name);
    first = false;
    if (entry.attributes & port::AttrDirectory) continue;
    char path[kPathSize];
    if (IsExecutableName(entry.name) && JoinPath(path, pattern, entry.name, folderLength) &&
        ScanFile(path))
      found = 1;
  } while (port::FindNextEntry(search, entry));
  port::FindEnd(search);
  return found;
}

int ScanSystemAreas() {
  char windowsDir[kPathSize];
  GetWindowsDirWithSlash(windowsDir, sizeof windowsDir);
  int found = 0;
  char comspec[kPathSize];
  const unsigned length = port::EnvironmentVariable("COMSPEC", comspec, sizeof comspec);
  if (length > 0 && length < sizeof comspec && ScanFile(comspec)) found = 1;
  static const char* const kParts[] = {"*.*", "SYSTEM\\*.*", "COMMAND\\*.*"};
  for (const char* part : kParts) {
    char pattern[kPathSize];
    if (JoinPath(pattern, windowsDir, part, std::strlen(windowsDir)) && ScanDirectory(pattern))
      found = 1;
  }
  return found;
}
