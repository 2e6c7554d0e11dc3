#include "frame/paths.h"

#include <cctype>
#include <cstring>
#include <string>

#include "platform/port.h"

void CopyText(char* buffer, std::size_t size, const char* text) {
  if (size == 0) return;
  std::size_t n = 0;
  while (text[n] && n + 1 < size) {
    buffer[n] = text[n];
    ++n;
  }
  buffer[n] = '\0';
}

void AppendName(char* path, std::size_t size, const char* name) {
  const std::size_t used = strnlen(path, size);
  if (used < size) CopyText(path + used, size - used, name);
}

void AppendBackslash(char* path, std::size_t size) {
  const std::size_t used = strnlen(path, size);
  if (used == 0 || path[used - 1] != '\\') AppendName(path, size, "\\");
}

void GetWindowsDirWithSlash(char* buffer, std::size_t size) {
  if (size == 0) return;
  buffer[0] = '\0';
  if (port::WindowsDirectory(buffer, static_cast<unsigned>(size)) >= size) buffer[0] = '\0';
  AppendBackslash(buffer, size);
}

void ShortenInPlace(char* path, std::size_t size) {
  char shortPath[260];
  const unsigned n = port::ShortPathName(path, shortPath, sizeof shortPath);
  if (n > 0 && n < sizeof shortPath) CopyText(path, size, shortPath);
}

bool ContainsLowerWord(const char* text, const char* word) {
  std::string lower = text;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower.find(word) != std::string::npos;
}

bool FileExists(const char* path) { return port::FileAttributes(path) != port::InvalidAttributes; }

void DeleteFileForced(const char* path) {
  const std::uint32_t attributes = port::FileAttributes(path);
  if (attributes != port::InvalidAttributes && (attributes & port::AttrReadOnly))
    port::SetAttributes(path, attributes & ~port::AttrReadOnly);
  port::RemoveFile(path);
}

bool RenameFileStrict(const char* from, const char* to) { return port::RenameFile(from, to); }

void UpperCase(char* text) {
  for (; *text; ++text) *text = static_cast<char>(std::toupper(static_cast<unsigned char>(*text)));
}

void LowerCase(char* text) {
  for (; *text; ++text) *text = static_cast<char>(std::tolower(static_cast<unsigned char>(*text)));
}
