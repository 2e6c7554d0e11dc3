// INI files: the simulator's reader and editor, and the profile-string
// operations of the port over them.
//
// Property: a file read and written, read and written again gives the same
// text; setting one entry changes or adds that one line and leaves every
// other line as it was, and the entry then reads back as set; removing it
// drops that one line; the port's ReadProfileString delivers the same value,
// cut to the caller's buffer and never past it.
#include <memory>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/port.h"
#include "platform/sim/ini_file.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
    lines.push_back(text.substr(from, at - from));
  return lines;
}

// Whether `after` is `before` with exactly one line replaced or inserted.
bool OneLineChanged(const std::vector<std::string>& before, const std::vector<std::string>& after) {
  if (after.size() == before.size()) {
    int differ = 0;
    for (std::size_t i = 0; i < before.size(); ++i) differ += before[i] != after[i];
    return differ <= 1;
  }
  if (after.size() != before.size() + 1) return false;
  std::size_t i = 0;
  while (i < before.size() && before[i] == after[i]) ++i;
  for (; i < before.size(); ++i)
    if (before[i] != after[i + 1]) return false;
  return true;
}

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// A section, key and value that a profile entry can hold as they are.
bool Plain(const std::string& s) {
  return s.find_first_of("\r\n\0", 0, 3) == std::string::npos && Trim(s) == s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = fuzz::TakeUntil(data, size, '\0');
  const std::string section = fuzz::TakeUntil(data, size, '\0');
  const std::string key = fuzz::TakeUntil(data, size, '\0');
  const std::string value = fuzz::TakeUntil(data, size, '\0');
  const unsigned bufferSize = size > 0 ? data[0] % 64 : 16;

  const sim::IniFile ini = sim::IniFile::Parse(text);
  const std::string written = ini.Text();
  FUZZ_CHECK(sim::IniFile::Parse(written).Text() == written);

  std::string expected;
  const bool present = ini.Get(section, key, expected);
  if (!present) expected = "none";

  // The port reads the same file the same way, into a buffer of its own size.
  if (section.find('\0') == std::string::npos && key.find('\0') == std::string::npos) {
    fuzz::RunOnMachine([&] {
      fuzz::PutFile("C:\\WINDOWS\\FUZZ.INI", text);
      std::unique_ptr<char[]> buffer(new char[bufferSize + 1]);
      buffer[bufferSize] = '#';
      const unsigned n = port::ReadProfileString("FUZZ.INI", section.c_str(), key.c_str(), "none",
                                                 buffer.get(), bufferSize);
      FUZZ_CHECK(buffer[bufferSize] == '#');
      if (bufferSize > 0) {
        const std::string got(buffer.get(), n);
        FUZZ_CHECK(got.size() < bufferSize && expected.compare(0, got.size(), got) == 0);
        FUZZ_CHECK(got.size() == std::min<std::size_t>(expected.size(), bufferSize - 1));
      }
    });
  }

  const bool settable = Plain(section) && Plain(key) && Plain(value) && !key.empty() &&
                        key.find('=') == std::string::npos && key[0] != ';' && key[0] != '[' &&
                        section.find(']') == std::string::npos;
  if (!settable) return 0;
  sim::IniFile edited = sim::IniFile::Parse(text);
  const bool hadSection = edited.HasSection(section);
  edited.Set(section, key, value);
  if (hadSection) {
    FUZZ_CHECK(OneLineChanged(Lines(written), Lines(edited.Text())));
  } else {
    FUZZ_CHECK(edited.Text() == written + "[" + section + "]\r\n" + key + "=" + value + "\r\n");
  }
  std::string got;
  FUZZ_CHECK(edited.Get(section, key, got));
  std::string want = value;
  if (want.size() >= 2 && (want.front() == '"' || want.front() == '\'') && want.back() == want.front())
    want = want.substr(1, want.size() - 2);
  FUZZ_CHECK(got == want);
  const std::vector<std::string> beforeRemove = Lines(edited.Text());
  edited.Remove(section, key);
  const std::vector<std::string> afterRemove = Lines(edited.Text());
  FUZZ_CHECK(afterRemove.size() + 1 == beforeRemove.size() && OneLineChanged(afterRemove, beforeRemove));
  return 0;
}
