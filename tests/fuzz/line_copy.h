// What a copy of a file line by line through zvio gives: every line, its
// line end written as CR LF. A raw file's lines end in LF or CR LF; a file
// in text mode is read as the C library reads DOS text (CR LF as LF, a
// Ctrl-Z ends it), and its lines end in LF.
#pragma once

#include <string>
#include <vector>

namespace fuzz {

inline std::string TextRead(const std::string& bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\x1a') break;
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    out += bytes[i];
  }
  return out;
}

// The lines split at LF; `raw`: one CR before the LF belongs to the line end.
inline std::vector<std::string> LinesOf(const std::string& bytes, bool raw) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : bytes) {
    if (c != '\n') {
      line += c;
      continue;
    }
    if (raw && !line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    line.clear();
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

inline std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

}  // namespace fuzz
