#include "platform/sim/machine_ini.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>

#include "platform/sim/sim.h"
#include "platform/sim/text.h"

namespace sim {
namespace {

constexpr const char* kUnknownKey = "unknown key";

bool Digits(const std::string& s) {
  if (s.empty() || s.size() > 9) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

std::string OneOf(const std::string& value, std::initializer_list<const char*> allowed) {
  std::string list;
  std::size_t i = 0;
  for (const char* a : allowed) {
    if (SameText(value, a)) return "";
    list += (i == 0 ? "" : i + 1 == allowed.size() ? " or " : ", ") + std::string(a);
    ++i;
  }
  return Quote(value) + ": expected " + list;
}

std::string Number(const std::string& value, long low, long high) {
  const bool negative = !value.empty() && value[0] == '-';
  const std::string digits = negative ? value.substr(1) : value;
  const long n = Digits(digits) ? std::atol(value.c_str()) : LONG_MIN;
  if (n >= low && n <= high) return "";
  return Quote(value) + ": expected a number from " + std::to_string(low) + " to " +
         std::to_string(high);
}

std::string FullPath(const std::string& value) {
  if (value.size() >= 3 && std::isalpha(static_cast<unsigned char>(value[0])) &&
      value[1] == ':' && value[2] == '\\')
    return "";
  return Quote(value) + ": expected a full Windows path such as C:\\WINDOWS";
}

std::string DateValue(const std::string& value) {
  int year = 0, month = 0, day = 0;
  char rest = 0;
  if (value.size() == 10 && std::sscanf(value.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &rest) == 3 &&
      year >= 1980 && month >= 1 && month <= 12 && day >= 1 && day <= 31)
    return "";
  return Quote(value) + ": expected a date YYYY-MM-DD";
}

// "N" fails the Nth operation of its kind, "N+" that one and every later one.
std::string FaultValue(const std::string& value) {
  const bool on = !value.empty() && value.back() == '+';
  const std::string n = on ? value.substr(0, value.size() - 1) : value;
  if (Digits(n) && (!on || std::atol(n.c_str()) > 0)) return "";
  return Quote(value) + ": expected N or N+ (N a count from 1; 0 for none)";
}

std::string DriveState(const std::string& letter, const std::string& value) {
  if (letter.size() != 1 || !std::isalpha(static_cast<unsigned char>(letter[0])))
    return "expected a drive letter";
  const std::string complaint = OneOf(value, {"empty", "write-protected", "unreadable", "absent"});
  if (!complaint.empty() || SameText(value, "absent")) return complaint;
  if (SameText(letter, "A") || SameText(letter, "B")) return "";
  return Quote(value) + ": only the diskette drives A and B can be " + value;
}

std::string Behaviour(const std::string& name, const std::string& value) {
  if (SameText(value, "ends") || SameText(value, "cannot start")) return "";
  const std::vector<std::string> words = Words(value);
  if (StartsWithText(value, "window ")) {
    const std::string title = value.substr(7);
    const auto crash = title.find("\" crashes after ");
    if (title.empty()) return Quote(value) + ": the window needs a title";
    if (crash == std::string::npos || (title[0] == '"' && Digits(title.substr(crash + 16))))
      return "";
    return Quote(value) + ": expected window \"TITLE\" crashes after MS";
  }
  if (SameText(value, "uninstaller")) return "";
  if (words.size() >= 2 && SameText(words[0], "uninstaller") && SameText(words[1], "leaves"))
    return "";
  if (!words.empty() && SameText(words[0], "word")) {
    try {
      CheckWordOptions(name, words);
      return "";
    } catch (const Error& e) {
      // Named already by the caller: "machine.ini [Programs] NAME: ".
      const std::string what = e.what();
      return what.substr(what.find(": ") + 2);
    }
  }
  return Quote(value) +
         ": expected ends, window \"TITLE\", uninstaller [leaves FILE...], word [OPTION...] "
         "or cannot start";
}

bool IsSection(const std::string& section, std::initializer_list<const char*> names) {
  for (const char* n : names)
    if (SameText(section, n)) return true;
  return false;
}

// The complaint about one entry of a known section: "" when it is sound,
// kUnknownKey when the section has no such key. False for an unknown section.
bool Complaint(const std::string& section, const std::string& key, const std::string& value,
               std::string& complaint) {
  complaint.clear();
  auto is = [&](const char* k) { return SameText(key, k); };
  if (IsSection(section, {"Machine"})) {
    if (is("Boot")) complaint = OneOf(value, {"95", "NT"});
    else if (is("ScreenWidth") || is("ScreenHeight")) complaint = Number(value, 1, 32767);
    else if (is("Date")) complaint = DateValue(value);
    else if (is("RestartPending")) complaint = OneOf(value, {"0", "1"});
    else complaint = kUnknownKey;
  } else if (IsSection(section, {"Windows 95", "Windows NT"})) {
    if (is("WindowsDir") || is("StartMenuPrograms")) complaint = FullPath(value);
    else if (is("ComputerName")) complaint = value.empty() || value.size() > 15
                                                 ? Quote(value) + ": expected 1 to 15 characters"
                                                 : "";
    else complaint = kUnknownKey;
  } else if (IsSection(section, {"Environment", "Environment 95", "Environment NT"})) {
    // Any variable, any value.
  } else if (IsSection(section, {"Program"})) {
    complaint = is("Module") ? FullPath(value) : kUnknownKey;
  } else if (IsSection(section, {"Drives"})) {
    complaint = DriveState(key, value);
  } else if (IsSection(section, {"Top Windows"})) {
    complaint = OneOf(value, {"closes", "stays"});
  } else if (IsSection(section, {"Programs"})) {
    complaint = Behaviour(key, value);
  } else if (IsSection(section, {"Memory"})) {
    complaint = is("ActiveVirus") ? OneOf(value, {"yes", "no"}) : kUnknownKey;
  } else if (IsSection(section, {"Rescue Library"})) {
    complaint = is("RescueCreate") || is("CreateEmergencyDisk") ? Number(value, -32768, 32767)
                                                                : kUnknownKey;
  } else if (IsSection(section, {"Shell"})) {
    complaint = is("ProgramManager") ? OneOf(value, {"present", "absent"}) : kUnknownKey;
  } else if (IsSection(section, {"Faults"})) {
    if (is("open") || is("read") || is("write") || is("rename") || is("delete") || is("registry"))
      complaint = FaultValue(value);
    else complaint = kUnknownKey;
  } else {
    return false;
  }
  return true;
}

}  // namespace

void CheckMachineIni(const IniFile& ini, const std::string& folder) {
  const std::string file = folder + "/machine.ini";
  std::string complaint;
  for (const IniFile::Line& line : ini.Lines()) {
    const std::string where = file + ":" + std::to_string(line.number) + ": ";
    if (line.kind == IniFile::Line::Kind::Unreadable)
      throw Error(where + "cannot read the line " + Quote(line.value));
    if (line.kind == IniFile::Line::Kind::Header) {
      if (!Complaint(line.section, "", "", complaint))
        throw Error(where + "unknown section [" + line.section + "]");
      continue;
    }
    if (line.section.empty()) throw Error(where + line.key + ": outside a section");
    Complaint(line.section, line.key, line.value, complaint);
    if (!complaint.empty())
      throw Error(where + "[" + line.section + "] " + line.key + ": " + complaint);
  }
  std::string value;
  if (!ini.Get("Program", "Module", value))
    throw Error(file + ": [Program] Module= is missing (where ZVSET.EXE runs from)");
  for (const char* system : {"Windows 95", "Windows NT"})
    if (ini.HasSection(system) && !ini.Get(system, "WindowsDir", value))
      throw Error(file + ": [" + std::string(system) + "] WindowsDir= is missing");
  std::error_code ec;
  if (!std::filesystem::is_directory(folder + "/disk/C", ec))
    throw Error(folder + "/disk/C: the machine has no drive C:");
}

void CheckRunState(const IniFile& state, const std::string& file) {
  std::string complaint;
  for (const IniFile::Line& line : state.Lines()) {
    const std::string where = file + ":" + std::to_string(line.number) + ": ";
    const bool known = IsSection(line.section, {"Drives", "Top Windows"}) ||
                       (IsSection(line.section, {"Machine"}) &&
                        (line.kind == IniFile::Line::Kind::Header ||
                         SameText(line.key, "RestartPending")));
    if (line.kind == IniFile::Line::Kind::Unreadable)
      throw Error(where + "cannot read the line " + Quote(line.value));
    if (!known)
      throw Error(where + "[" + line.section + "]" +
                  (line.kind == IniFile::Line::Kind::Entry ? " " + line.key : "") +
                  ": not what a run keeps");
    if (line.kind == IniFile::Line::Kind::Header || line.value.empty()) continue;
    Complaint(line.section, line.key, line.value, complaint);
    if (!complaint.empty())
      throw Error(where + "[" + line.section + "] " + line.key + ": " + complaint);
  }
}

}  // namespace sim
