#include "platform/sim/text.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace sim {

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && Upper(a) == Upper(b);
}

bool StartsWithText(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while ((at = text.find_first_not_of(' ', at)) != std::string::npos) {
    const bool quoted = text[at] == '"';
    const std::size_t end = text.find(quoted ? '"' : ' ', at + 1);
    words.push_back(text.substr(at + (quoted ? 1 : 0),
                                end == std::string::npos ? std::string::npos
                                                         : end - at - (quoted ? 1 : 0)));
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return words;
}

WindowsPath SplitWindowsPath(const std::string& path) {
  WindowsPath out;
  std::string rest = path;
  if (rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]))) {
    out.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0])));
    rest = rest.substr(2);
  }
  std::string part;
  auto flush = [&] {
    if (part.empty() || part == ".") {
    } else if (part == "..") {
      if (!out.parts.empty()) out.parts.pop_back();
    } else {
      out.parts.push_back(part);
    }
    part.clear();
  };
  for (char c : rest) {
    if (c == '\\' || c == '/') flush();
    else part += c;
  }
  flush();
  return out;
}

std::string JoinWindowsPath(const WindowsPath& path) {
  std::string out;
  if (path.drive) out = std::string(1, path.drive) + ":";
  if (path.parts.empty()) return out + "\\";
  for (const std::string& part : path.parts) out += "\\" + part;
  return out;
}

unsigned CopyOut(const std::string& text, char* buffer, unsigned size) {
  if (!buffer || size == 0) return 0;
  const unsigned n = static_cast<unsigned>(std::min<std::size_t>(text.size(), size - 1));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return n;
}

}  // namespace sim
