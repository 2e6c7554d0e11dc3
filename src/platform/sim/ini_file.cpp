#include "platform/sim/ini_file.h"

#include "platform/sim/text.h"

namespace sim {
namespace {

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

bool IsHeader(const std::string& line, std::string* name) {
  const std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return false;
  const auto close = t.find(']');
  if (close == std::string::npos) return false;
  if (name) *name = Trim(t.substr(1, close - 1));
  return true;
}

// Splits "key=value"; false for comments and lines without '='.
bool SplitEntry(const std::string& line, std::string& key, std::string& value) {
  const std::string t = Trim(line);
  if (t.empty() || t[0] == ';') return false;
  const auto eq = t.find('=');
  if (eq == std::string::npos) return false;
  key = Trim(t.substr(0, eq));
  value = Trim(t.substr(eq + 1));
  return true;
}

// The profile functions drop one pair of enclosing quotation marks.
std::string Unquoted(const std::string& value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

IniFile IniFile::Parse(const std::string& text) {
  IniFile ini;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      ini.lines_.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) ini.lines_.push_back(line);
  return ini;
}

std::string IniFile::Text() const {
  std::string out;
  for (const std::string& line : lines_) out += line + "\r\n";
  return out;
}

long IniFile::SectionLine(const std::string& section) const {
  std::string name;
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (IsHeader(lines_[i], &name) && SameText(name, section)) return static_cast<long>(i);
  return -1;
}

long IniFile::KeyLine(long header, const std::string& key) const {
  std::string k, v;
  for (std::size_t i = header + 1; i < lines_.size() && !IsHeader(lines_[i], nullptr); ++i)
    if (SplitEntry(lines_[i], k, v) && SameText(k, key)) return static_cast<long>(i);
  return -1;
}

bool IniFile::Get(const std::string& section, const std::string& key, std::string& value) const {
  const long header = SectionLine(section);
  if (header < 0) return false;
  const long line = KeyLine(header, key);
  if (line < 0) return false;
  std::string k;
  SplitEntry(lines_[line], k, value);
  value = Unquoted(value);
  return true;
}

std::string IniFile::Get(const std::string& section, const std::string& key,
                         const std::string& fallback) const {
  std::string value;
  return Get(section, key, value) ? value : fallback;
}

void IniFile::Set(const std::string& section, const std::string& key, const std::string& value) {
  long header = SectionLine(section);
  if (header < 0) {
    lines_.push_back("[" + section + "]");
    lines_.push_back(key + "=" + value);
    return;
  }
  const long line = KeyLine(header, key);
  if (line >= 0) {
    std::string k, v;
    SplitEntry(lines_[line], k, v);
    lines_[line] = k + "=" + value;
    return;
  }
  // After the section's last entry, before any blank lines that end it.
  std::size_t end = header + 1;
  while (end < lines_.size() && !IsHeader(lines_[end], nullptr)) ++end;
  while (end > static_cast<std::size_t>(header) + 1 && Trim(lines_[end - 1]).empty()) --end;
  lines_.insert(lines_.begin() + static_cast<long>(end), key + "=" + value);
}

void IniFile::Remove(const std::string& section, const std::string& key) {
  const long header = SectionLine(section);
  if (header < 0) return;
  const long line = KeyLine(header, key);
  if (line >= 0) lines_.erase(lines_.begin() + line);
}

std::vector<std::string> IniFile::Keys(const std::string& section) const {
  std::vector<std::string> keys;
  const long header = SectionLine(section);
  if (header < 0) return keys;
  std::string k, v;
  for (std::size_t i = header + 1; i < lines_.size() && !IsHeader(lines_[i], nullptr); ++i)
    if (SplitEntry(lines_[i], k, v)) keys.push_back(k);
  return keys;
}

std::vector<IniFile::Line> IniFile::Lines() const {
  std::vector<Line> lines;
  std::string section, name, key, value;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::string t = Trim(lines_[i]);
    const int number = static_cast<int>(i + 1);
    if (t.empty() || t[0] == ';') continue;
    if (IsHeader(t, &name)) {
      section = name;
      lines.push_back({Line::Kind::Header, number, section, "", ""});
    } else if (SplitEntry(t, key, value)) {
      lines.push_back({Line::Kind::Entry, number, section, key, Unquoted(value)});
    } else {
      lines.push_back({Line::Kind::Unreadable, number, section, "", t});
    }
  }
  return lines;
}

bool IniFile::HasSection(const std::string& section) const { return SectionLine(section) >= 0; }

}  // namespace sim
