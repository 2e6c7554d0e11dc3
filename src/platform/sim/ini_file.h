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

 private:
  // Index of the section's header line, or -1.
  long SectionLine(const std::string& section) const;
  // Index of the key's line within the section starting at `header`, or -1.
  long KeyLine(long header, const std::string& key) const;
  std::vector<std::string> lines_;
};

}  // namespace sim
