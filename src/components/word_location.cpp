// Where Word lives: its directory from the registry's "doc" extension or
// WIN.INI's embedding entry, its program and its template directory.
#include <cstring>

#include "components/word_protection.h"
#include "frame/paths.h"
#include "frame/setup_state.h"
#include "services/zvcfg/zvcfg.h"

namespace {

constexpr const char* kExtensionsKey = "Software|Microsoft|Windows|CurrentVersion|Extensions";
// WIN.INI's entry is read with room for 499 characters.
constexpr int kEmbeddingSize = 500;

enum class Found { None, Unusable, Path };

// The "doc" value names Word's program, then what it opens ("...\WINWORD.EXE
// ^.doc"). A value that does not fit a path buffer is unusable: its cut text
// could end in another directory.
Found ReadDocExtension(char* buffer) {
  char value[kPathSize + 1] = "";
  if (GetRegValue(port::HkeyCurrentUser, kExtensionsKey, "doc", value, sizeof value) != 1)
    return Found::None;
  if (std::strlen(value) >= kPathSize) return Found::Unusable;
  CopyText(buffer, kPathSize, value);
  return Found::Path;
}

// The embedding entry is "Name,Name,C:\WINWORD\WINWORD.EXE,picture": the
// path runs from the drive letter before the first ':' to the next ','.
// False when the entry is missing or holds no such path.
bool ReadEmbeddingEntry(char* buffer) {
  char winIni[kPathSize];
  GetWindowsDirWithSlash(winIni, sizeof winIni);
  AppendName(winIni, sizeof winIni, "WIN.INI");
  char entry[kEmbeddingSize];
  port::ReadProfileString(winIni, "embedding", "WordDocument", "", entry, sizeof entry);
  const char* colon = std::strchr(entry, ':');
  if (colon == nullptr || colon == entry) return false;
  const char* start = colon - 1;
  const char* comma = std::strchr(start, ',');
  if (comma == nullptr) return false;
  const std::size_t length = static_cast<std::size_t>(comma - start);
  if (length >= kPathSize) return false;
  std::memcpy(buffer, start, length);
  buffer[length] = '\0';
  return true;
}

}  // namespace

int GetWordDirectory(char* buffer) {
  char path[kPathSize] = "";
  const Found doc = ReadDocExtension(path);
  if (doc == Found::Unusable || (doc == Found::None && !ReadEmbeddingEntry(path))) return 0;
  char* slash = std::strrchr(path, '\\');
  if (slash == nullptr) return 0;
  slash[1] = '\0';
  CopyText(buffer, kPathSize, path);
  return 1;
}

int FindWordExecutable(char* buffer) {
  char path[kPathSize];
  if (!GetWordDirectory(path)) return 0;
  constexpr const char* kProgram = "winword.exe";
  if (std::strlen(path) + std::strlen(kProgram) >= kPathSize) return 0;
  AppendName(path, sizeof path, kProgram);
  CopyText(buffer, kPathSize, path);
  return 1;
}

int GetWordTemplateDirectory(char* buffer) {
  char word[kPathSize];
  if (!GetWordDirectory(word)) return 0;
  char candidate[kPathSize] = "";
  // Office keeps its templates beside Word's directory; Word alone, inside it.
  const std::size_t length = std::strlen(word);
  word[length - 1] = '\0';
  char* parentEnd = std::strrchr(word, '\\');
  word[length - 1] = '\\';
  bool found = false;
  if (parentEnd != nullptr) {
    CopyText(candidate, sizeof candidate, word);
    candidate[parentEnd - word + 1] = '\0';
    AppendName(candidate, sizeof candidate, "TEMPLATES");
    ShortenInPlace(candidate, sizeof candidate);
    found = FileExists(candidate);
  }
  if (!found) {
    CopyText(candidate, sizeof candidate, word);
    AppendName(candidate, sizeof candidate, "TEMPLATE");
    ShortenInPlace(candidate, sizeof candidate);
    if (!FileExists(candidate)) return 0;
  }
  if (std::strlen(candidate) + 1 >= kPathSize) return 0;
  AppendBackslash(candidate, sizeof candidate);
  CopyText(buffer, kPathSize, candidate);
  return 1;
}
