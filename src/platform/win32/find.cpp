// Directory search, in the order the file system returns the entries.
#include <cstring>

#include "platform/win32/handles.h"

namespace {

void Fill(const WIN32_FIND_DATAA& data, port::FoundEntry& entry) {
  std::strncpy(entry.name, data.cFileName, sizeof entry.name - 1);
  entry.name[sizeof entry.name - 1] = '\0';
  entry.attributes = data.dwFileAttributes;
}

}  // namespace

namespace port {

Search FindFirstEntry(const char* pattern, FoundEntry& entry) {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA(pattern, &data);
  if (search == INVALID_HANDLE_VALUE) return 0;
  Fill(data, entry);
  return reinterpret_cast<Search>(search);
}

bool FindNextEntry(Search search, FoundEntry& entry) {
  WIN32_FIND_DATAA data;
  if (!FindNextFileA(reinterpret_cast<HANDLE>(search), &data)) return false;
  Fill(data, entry);
  return true;
}

void FindEnd(Search search) {
  if (search != 0) FindClose(reinterpret_cast<HANDLE>(search));
}

}  // namespace port
