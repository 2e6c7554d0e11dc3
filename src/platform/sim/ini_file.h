// An INI file kept as its lines, so that writing one entry leaves every other
// line (comments, order, spacing) as a person wrote it. Sections and keys
// compare without regard to case, as the Windows profile functions do.
#pragma once

#include <string>
#include <vector>

namespace sim {

class IniFile {
 public:
  static IniFile Parse(const std::string& text);
  std::string Text() const;  // CR LF line ends, as Windows writes them

  bool Get(const std::string& section, const std::string& key, std::string& value) const;
  std::string Get(const std::string& section, const std::string& key,
                  const std::string& fallback) const;
  void Set(const std::string& section, const std::string& key, const std::string& value);
  void Remove(const std::string& section, const std::string& key);
  std::vector<std::string> Keys(const std::string& section) const;
  bool HasSection(const std::string& section) const;

  // Every line that is not blank or a comment, for checking a file line by
  // line: a section's header, a key=value entry (value as Get gives it), or
  // a line that is neither.
  struct Line {
    enum class Kind { Header, Entry, Unreadable } kind;
    int number;           // from 1
    std::string section;  // the header's name, or the section the line is in
    std::string key, value;
  };
  std::vector<Line> Lines() const;

 private:
  // Index of the section's header line, or -1.
  long SectionLine(const std::string& section) const;
  // Index of the key's line within the section starting at `header`, or -1.
  long KeyLine(long header, const std::string& key) const;
  std::vector<std::string> lines_;
};

}  // namespace sim
