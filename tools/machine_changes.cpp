#include "machine_changes.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>

#include "platform/sim/files.h"
#include "platform/sim/ini_file.h"
#include "platform/sim/registry.h"
#include "platform/sim/text.h"

namespace fs = std::filesystem;

namespace rehearsal {
namespace {

using sim::Quote;

void AddKeys(MachineSnapshot& shot, const std::string& prefix, const sim::RegNode& node) {
  auto& values = shot.registry[prefix];
  for (const sim::RegValue& v : node.values) values[v.name] = v.data;
  for (const auto& child : node.keys) AddKeys(shot, prefix + "\\" + child->name, *child);
}

bool IsText(const std::string& content) {
  return content.find('\0') == std::string::npos;
}

bool IsIni(const std::string& path) {
  return path.size() > 4 && sim::SameText(path.substr(path.size() - 4), ".INI");
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// "[SECTION] KEY" -> value, for every entry of an INI text.
std::map<std::string, std::string> IniEntries(const std::string& text) {
  std::map<std::string, std::string> entries;
  std::string section;
  for (const std::string& line : Lines(text)) {
    if (!line.empty() && line[0] == '[') {
      section = line.substr(0, line.find(']') + 1);
      continue;
    }
    const auto eq = line.find('=');
    if (eq == std::string::npos || line[0] == ';') continue;
    entries[section + " " + line.substr(0, eq)] = line.substr(eq + 1);
  }
  return entries;
}

// Every name of either map, in order, with its old and new value (null
// where it is missing); names whose value stayed are passed over.
template <typename Map>
void CompareMaps(const Map& before, const Map& after,
                 const std::function<void(const std::string&, const std::string*,
                                          const std::string*)>& report) {
  std::map<std::string, bool> names;
  for (const auto& entry : before) names[entry.first] = true;
  for (const auto& entry : after) names[entry.first] = true;
  for (const auto& entry : names) {
    auto was = before.find(entry.first), is = after.find(entry.first);
    const std::string* old = was == before.end() ? nullptr : &was->second;
    const std::string* now = is == after.end() ? nullptr : &is->second;
    if (!old || !now || *old != *now) report(entry.first, old, now);
  }
}

// The lines of a file that differ: removed ones, then added ones.
void CompareLines(const std::string& before, const std::string& after,
                  std::vector<std::string>& out) {
  std::vector<std::string> a = Lines(before), b = Lines(after);
  std::vector<std::string> removed, added;
  for (const std::string& line : a) {
    auto it = std::find(b.begin(), b.end(), line);
    if (it == b.end()) removed.push_back(line);
    else b.erase(it);
  }
  for (const std::string& line : removed) out.push_back("  - " + line);
  for (const std::string& line : b) out.push_back("  + " + line);
}

void DescribeFile(const std::string& path, const std::string* old, const std::string* now,
                  std::vector<std::string>& out) {
  const char* what = !old ? "added" : !now ? "removed" : "changed";
  out.push_back("file " + path + ": " + what);
  const std::string empty;
  const std::string& a = old ? *old : empty;
  const std::string& b = now ? *now : empty;
  if (!IsText(a) || !IsText(b)) return;
  if (IsIni(path)) {
    CompareMaps(IniEntries(a), IniEntries(b),
                [&](const std::string& entry, const std::string* was, const std::string* is) {
                  if (!was) out.push_back("  " + entry + " = " + Quote(*is));
                  else if (!is) out.push_back("  " + entry + " removed (was " + Quote(*was) + ")");
                  else out.push_back("  " + entry + ": " + Quote(*was) + " -> " + Quote(*is));
                });
  } else if (old && now) {
    CompareLines(a, b, out);
  }
}

}  // namespace

MachineSnapshot TakeSnapshot(const std::string& machineFolder) {
  MachineSnapshot shot;
  std::error_code ec;
  for (const auto& system : fs::directory_iterator(machineFolder + "/registry", ec)) {
    sim::Registry registry;
    registry.Load(system.path().string());
    const std::string name = "Windows " + system.path().filename().string();
    for (std::uint32_t root = 0x80000000u; root <= 0x80000003u; ++root)
      if (const sim::RegNode* node = registry.Find(root, ""))
        for (const auto& child : node->keys)
          AddKeys(shot, name + " " + sim::Registry::RootName(root) + "\\" + child->name, *child);
  }
  const fs::path disk = fs::path(machineFolder) / "disk";
  for (auto it = fs::recursive_directory_iterator(disk, ec); it != fs::recursive_directory_iterator();
       ++it) {
    if (!it->is_regular_file()) continue;
    const std::string relative = fs::relative(it->path(), disk).generic_string();
    std::string windows = relative.substr(0, 1) + ":\\" + relative.substr(2);
    std::replace(windows.begin(), windows.end(), '/', '\\');
    sim::ReadHostFile(it->path().string(), shot.files[windows]);
  }
  return shot;
}

std::vector<std::string> CompareSnapshots(const MachineSnapshot& before,
                                          const MachineSnapshot& after) {
  std::vector<std::string> out;
  const std::map<std::string, std::string> none;
  std::map<std::string, bool> keys;
  for (const auto& entry : before.registry) keys[entry.first] = true;
  for (const auto& entry : after.registry) keys[entry.first] = true;
  for (const auto& [key, unused] : keys) {
    auto was = before.registry.find(key), is = after.registry.find(key);
    const bool had = was != before.registry.end(), has = is != after.registry.end();
    const std::string prefix = "registry " + key + ": ";
    if (!had) out.push_back(prefix + "key added");
    if (!has) out.push_back(prefix + "key removed");
    CompareMaps(had ? was->second : none, has ? is->second : none,
                [&](const std::string& name, const std::string* old, const std::string* now) {
                  const std::string value = name.empty() ? "(default)" : Quote(name);
                  if (!old) out.push_back(prefix + value + " added: " + Quote(*now));
                  else if (!now) out.push_back(prefix + value + " removed (was " + Quote(*old) + ")");
                  else out.push_back(prefix + value + " changed: " + Quote(*old) + " -> " + Quote(*now));
                });
  }
  CompareMaps(before.files, after.files,
              [&](const std::string& path, const std::string* old, const std::string* now) {
                DescribeFile(path, old, now, out);
              });
  return out;
}

}  // namespace rehearsal
