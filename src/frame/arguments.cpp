#include "frame/arguments.h"

#include <cstring>

namespace {
constexpr char kSeparator = '*';
}

const char* ArgumentList(const char* text, std::size_t start) {
  const std::size_t length = std::strlen(text);
  return text + (start < length ? start : length);
}

bool NextField(const char*& cursor, char* field, std::size_t size) {
  while (*cursor == kSeparator) ++cursor;
  std::size_t n = 0;
  const char* begin = cursor;
  while (*cursor && *cursor != kSeparator) {
    if (n + 1 < size) field[n++] = *cursor;
    ++cursor;
  }
  if (size > 0) field[n] = '\0';
  return cursor != begin;
}
