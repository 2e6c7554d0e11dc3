#include "platform/command_line.h"

#include <cctype>
#include <cstring>
#include <initializer_list>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* p) {
  while (IsBlank(*p)) ++p;
  return p;
}

// The end of `path` at the start of `text`, compared without regard to case
// and ending there (at a blank, the end, or the closing quotation mark of a
// quoted path); null when `text` does not start with it.
const char* PastPath(const char* text, const char* path) {
  const bool quoted = *text == '"';
  const char* p = text + (quoted ? 1 : 0);
  const std::size_t length = std::strlen(path);
  if (length == 0) return nullptr;
  for (std::size_t i = 0; i < length; ++i, ++p)
    if (std::toupper(static_cast<unsigned char>(*p)) !=
        std::toupper(static_cast<unsigned char>(path[i])))
      return nullptr;
  if (quoted) return *p == '"' ? p + 1 : nullptr;
  return *p == '\0' || IsBlank(*p) ? p : nullptr;
}

}  // namespace

// The C runtime ends an unquoted name at its first blank, so a program in a
// folder whose name has one (as the RunOnce entry writes it: the path
// unquoted) would take the rest of its own path for its arguments. Its own
// path, long or short, quoted or not, is therefore skipped whole first; any
// other name by the runtime's rule: a quoted one to its closing quotation
// mark, any other to the first blank.
const char* ArgumentTextOf(const char* commandLine, const char* modulePath,
                           const char* shortModulePath) {
  const char* p = SkipBlanks(commandLine);
  for (const char* path : {modulePath, shortModulePath})
    if (const char* past = path ? PastPath(p, path) : nullptr) return SkipBlanks(past);
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p && !IsBlank(*p)) ++p;
  }
  return SkipBlanks(p);
}

bool SplitCommandLine(const std::string& command, std::string& program, std::string& arguments,
                      bool (*isFile)(const std::string& path)) {
  if (!command.empty() && command[0] == '"') {
    const auto close = command.find('"', 1);
    program = command.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    arguments = close == std::string::npos ? "" : command.substr(close + 1);
  } else {
    std::size_t at = 0;
    do {
      at = command.find(' ', at + 1);
      program = command.substr(0, at);
      arguments = at == std::string::npos ? "" : command.substr(at);
      if (isFile(program)) break;
    } while (at != std::string::npos);
  }
  const auto first = arguments.find_first_not_of(' ');
  arguments = first == std::string::npos ? "" : arguments.substr(first);
  return isFile(program);
}
