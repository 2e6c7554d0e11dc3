#include "platform/sim/run_state.h"

#include "platform/sim/files.h"
#include "platform/sim/machine_ini.h"

namespace sim {
namespace {

// The entries that runs change, by section; no key: every key of the section.
const struct {
  const char* section;
  const char* key;
} kRunEntries[] = {{"Machine", "RestartPending"}, {"Drives", nullptr}, {"Top Windows", nullptr}};

}  // namespace

void ApplyRunState(const std::string& folder, IniFile& ini, std::string& text) {
  const std::string file = folder + "/" + kRunStateFile;
  text.clear();
  if (!ReadMachineFile(file, text)) return;
  const IniFile state = IniFile::Parse(text);
  CheckRunState(state, file);
  for (const IniFile::Line& line : state.Lines()) {
    if (line.kind != IniFile::Line::Kind::Entry) continue;
    if (line.value.empty()) ini.Remove(line.section, line.key);
    else ini.Set(line.section, line.key, line.value);
  }
}

std::string RunStateText(const IniFile& written, const IniFile& now) {
  std::string text;
  for (const auto& entry : kRunEntries) {
    std::vector<std::string> keys;
    if (entry.key) {
      keys.push_back(entry.key);
    } else {
      keys = written.Keys(entry.section);
      std::string value;
      for (const std::string& key : now.Keys(entry.section))
        if (!written.Get(entry.section, key, value)) keys.push_back(key);
    }
    std::string lines;
    for (const std::string& key : keys) {
      std::string was, is;
      const bool had = written.Get(entry.section, key, was), has = now.Get(entry.section, key, is);
      if (had != has || was != is) lines += key + "=" + is + "\r\n";
    }
    if (!lines.empty()) text += "[" + std::string(entry.section) + "]\r\n" + lines;
  }
  if (text.empty()) return "";
  return "; What the runs on this machine did to what machine.ini says.\r\n"
         "; Delete this file to start again from machine.ini.\r\n" + text;
}

}  // namespace sim
