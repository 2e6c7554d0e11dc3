#include "platform/sim/disk.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "platform/port.h"
#include "platform/sim/files.h"
#include "platform/sim/text.h"

namespace fs = std::filesystem;

namespace sim {
namespace {

constexpr const char* kAliases = "Aliases";
constexpr const char* kAttributes = "Attributes";

bool IsShortChar(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return std::isalnum(u) || std::strchr("$%'-_@~`!(){}^#&", c) != nullptr || u >= 0x80;
}

std::vector<std::string> HostEntries(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    const std::string n = entry.path().filename().string();
    if (n.size() > 4 && n.compare(n.size() - 4, 4, ".new") == 0) continue;
    names.push_back(n);
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return Upper(a) < Upper(b); });
  return names;
}

std::string Hex(std::uint32_t v) {
  std::ostringstream s;
  s << "0x" << std::hex << v;
  return s.str();
}

}  // namespace

bool IsShortName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return !name.empty();
  const auto dot = name.find('.');
  const std::string base = name.substr(0, dot);
  const std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || ext.size() > 3) return false;
  if (ext.find('.') != std::string::npos) return false;
  return std::all_of(base.begin(), base.end(), IsShortChar) &&
         std::all_of(ext.begin(), ext.end(), IsShortChar);
}

std::string MakeAlias(const std::string& longName, int number) {
  std::string clean;
  for (char c : longName) {
    if (c == ' ') continue;
    if (std::strchr("+,;=[]", c)) c = '_';
    clean += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  while (!clean.empty() && clean[0] == '.') clean.erase(0, 1);
  const auto dot = clean.rfind('.');
  std::string base = clean.substr(0, dot);
  base.erase(std::remove(base.begin(), base.end(), '.'), base.end());
  const std::string ext = dot == std::string::npos ? "" : clean.substr(dot + 1, 3);
  const std::string tail = "~" + std::to_string(number);
  base = base.substr(0, 8 - tail.size());
  return base + tail + (ext.empty() ? "" : "." + ext);
}

bool MatchesPattern(const std::string& name, const std::string& pattern) {
  if (pattern == "*.*" || pattern == "*") return true;
  const std::string n = Upper(name), p = Upper(pattern);
  // Classic glob with backtracking over '*'.
  std::size_t i = 0, j = 0, star = std::string::npos, mark = 0;
  while (i < n.size()) {
    if (j < p.size() && (p[j] == '?' || p[j] == n[i])) {
      ++i, ++j;
    } else if (j < p.size() && p[j] == '*') {
      star = j++;
      mark = i;
    } else if (star != std::string::npos) {
      j = star + 1;
      i = ++mark;
    } else {
      return false;
    }
  }
  while (j < p.size() && (p[j] == '*' || (p[j] == '.' && j + 1 == p.size()))) ++j;
  return j == p.size();
}

void Disk::Load(const std::string& machineFolder, const IniFile& machineIni) {
  folder_ = machineFolder;
  drives_.clear();
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder_ + "/disk", ec)) {
    const std::string n = entry.path().filename().string();
    if (n.size() != 1 || !entry.is_directory()) continue;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(n[0])));
    // A removable drive may be empty ("Drives", "A" = "empty"), hold a
    // diskette whose root cannot be read ("unreadable"), or be missing from
    // the machine altogether ("absent").
    const std::string state = machineIni.Get("Drives", std::string(1, letter), "");
    if (SameText(state, "empty") || SameText(state, "unreadable") || SameText(state, "absent"))
      continue;
    drives_ += letter;
  }
  dosText_.clear();
  dos_ = ReadMachineFile(folder_ + "/dos.ini", dosText_) ? IniFile::Parse(dosText_) : IniFile{};
}

void Disk::AddTexts(std::vector<HostFileText>& files) const {
  if (!dos_.HasSection(kAliases) && !dos_.HasSection(kAttributes)) return;
  std::string text = dos_.Text();
  if (text != dosText_) files.push_back({folder_ + "/dos.ini", std::move(text)});
}

void Disk::Saved(const std::vector<HostFileText>& files) {
  for (const HostFileText& saved : files)
    if (saved.path == folder_ + "/dos.ini") dosText_ = saved.text;
}

void Disk::Insert(char letter) {
  if (drives_.find(letter) != std::string::npos) return;
  std::error_code ec;
  fs::create_directories(folder_ + "/disk/" + std::string(1, letter), ec);
  drives_ += letter;
}

void Disk::Remove(char letter) {
  const auto at = drives_.find(letter);
  if (at != std::string::npos) drives_.erase(at, 1);
}

Resolved Disk::Resolve(const std::string& windowsPath) {
  Resolved r;
  const WindowsPath path = SplitWindowsPath(windowsPath);
  if (!path.drive || drives_.find(path.drive) == std::string::npos) return r;
  r.driveReady = true;
  std::string host = folder_ + "/disk/" + std::string(1, path.drive);
  WindowsPath longPath{path.drive, {}};
  bool present = true;
  for (std::size_t i = 0; i < path.parts.size(); ++i) {
    const std::string& part = path.parts[i];
    std::string stored = present ? StoredName(host, part) : "";
    if (present && stored.empty() && part.find('~') != std::string::npos) {
      // Perhaps an alias: aliases exist once the folder's long names have them.
      MakeAliases(JoinWindowsPath(longPath), host);
      for (const std::string& n : HostEntries(host))
        if (SameText(ShortName(JoinWindowsPath(longPath), host, n), part)) stored = n;
    }
    if (i + 1 == path.parts.size()) r.parentExists = present;
    if (stored.empty()) {
      present = false;
      stored = part;
    }
    host += "/" + stored;
    longPath.parts.push_back(stored);
  }
  if (path.parts.empty()) r.parentExists = true;
  std::error_code ec;
  r.exists = present && fs::exists(host, ec);
  r.host = host;
  r.longPath = JoinWindowsPath(longPath);
  return r;
}

std::string Disk::ShortName(const std::string& folderLongPath, const std::string& hostFolder,
                            const std::string& name) {
  // A FAT disk stores a name that fits 8.3 in capitals as its short name.
  if (IsShortName(name)) return Upper(name);
  WindowsPath p = SplitWindowsPath(folderLongPath);
  p.parts.push_back(name);
  std::string alias;
  if (!dos_.Get(kAliases, JoinWindowsPath(p), alias)) {
    MakeAliases(folderLongPath, hostFolder);
    dos_.Get(kAliases, JoinWindowsPath(p), alias);
  }
  return alias;
}

void Disk::MakeAliases(const std::string& folderLongPath, const std::string& hostFolder) {
  const std::vector<std::string> names = HostEntries(hostFolder);
  std::vector<std::string> taken;
  std::vector<std::string> pending;
  for (const std::string& n : names) {
    WindowsPath p = SplitWindowsPath(folderLongPath);
    p.parts.push_back(n);
    std::string alias;
    if (IsShortName(n)) taken.push_back(Upper(n));
    else if (dos_.Get(kAliases, JoinWindowsPath(p), alias)) taken.push_back(Upper(alias));
    else pending.push_back(n);
  }
  for (const std::string& n : pending) {
    std::string alias;
    for (int number = 1;; ++number) {
      alias = MakeAlias(n, number);
      if (std::find(taken.begin(), taken.end(), alias) == taken.end()) break;
    }
    taken.push_back(alias);
    WindowsPath p = SplitWindowsPath(folderLongPath);
    p.parts.push_back(n);
    dos_.Set(kAliases, JoinWindowsPath(p), alias);
  }
}

std::string Disk::StoredName(const std::string& hostFolder, const std::string& name) {
  std::error_code ec;
  const fs::file_time_type stamp = fs::last_write_time(hostFolder, ec);
  if (ec) {
    indexes_.erase(hostFolder);
    return "";
  }
  const auto found = indexes_.find(hostFolder);
  FolderIndex* index = found == indexes_.end() ? nullptr : &found->second;
  if (!index || index->stamp != stamp) {
    index = &indexes_[hostFolder];
    index->stamp = stamp;
    index->names.clear();
    // Of two names that differ only in case (possible on the host alone),
    // the first listed stands, as a search of the folder would find it.
    for (const auto& entry : fs::directory_iterator(hostFolder, ec)) {
      const std::string n = entry.path().filename().string();
      index->names.emplace(Upper(n), n);
    }
  }
  const auto it = index->names.find(Upper(name));
  return it == index->names.end() ? "" : it->second;
}

void Disk::NameCreated(const Resolved& path) {
  const fs::path host(path.host);
  const auto index = indexes_.find(host.parent_path().string());
  if (index != indexes_.end()) {
    const std::string name = host.filename().string();
    index->second.names.emplace(Upper(name), name);
    std::error_code ec;
    index->second.stamp = fs::last_write_time(index->first, ec);
  }
  WindowsPath p = SplitWindowsPath(path.longPath);
  if (p.parts.empty() || IsShortName(p.parts.back())) return;
  p.parts.pop_back();
  MakeAliases(JoinWindowsPath(p), host.parent_path().string());
}

void Disk::NameRemoved(const Resolved& path) {
  const fs::path host(path.host);
  const auto index = indexes_.find(host.parent_path().string());
  if (index != indexes_.end()) {
    index->second.names.erase(Upper(host.filename().string()));
    std::error_code ec;
    index->second.stamp = fs::last_write_time(index->first, ec);
  }
  const std::string below = path.host + "/";
  for (auto it = indexes_.begin(); it != indexes_.end();)
    it = it->first == path.host || it->first.compare(0, below.size(), below) == 0
             ? indexes_.erase(it)
             : std::next(it);
}

void Disk::ForgetIndexes() { indexes_.clear(); }

bool Disk::ShortPath(const std::string& windowsPath, std::string& shortPath) {
  const Resolved r = Resolve(windowsPath);
  if (!r.exists) return false;
  const WindowsPath longPath = SplitWindowsPath(r.longPath);
  WindowsPath out{longPath.drive, {}};
  WindowsPath walked{longPath.drive, {}};
  std::string host = folder_ + "/disk/" + std::string(1, longPath.drive);
  for (const std::string& part : longPath.parts) {
    out.parts.push_back(ShortName(JoinWindowsPath(walked), host, part));
    walked.parts.push_back(part);
    host += "/" + part;
  }
  shortPath = JoinWindowsPath(out);
  // A folder keeps the trailing backslash it was asked with.
  if (!windowsPath.empty() && (windowsPath.back() == '\\' || windowsPath.back() == '/') &&
      shortPath.back() != '\\')
    shortPath += '\\';
  return true;
}

std::uint32_t Disk::Attributes(const Resolved& path) const {
  if (!path.exists) return port::InvalidAttributes;
  std::string stored;
  if (dos_.Get(kAttributes, path.longPath, stored)) return std::stoul(stored, nullptr, 16);
  std::error_code ec;
  return fs::is_directory(path.host, ec) ? port::AttrDirectory : port::AttrArchive;
}

void Disk::SetAttributes(const Resolved& path, std::uint32_t attributes) {
  std::error_code ec;
  if (fs::is_directory(path.host, ec)) attributes |= port::AttrDirectory;
  dos_.Set(kAttributes, path.longPath, Hex(attributes));
}

void Disk::ForgetAttributes(const Resolved& path) {
  dos_.Remove(kAttributes, path.longPath);
  dos_.Remove(kAliases, path.longPath);
}

std::vector<std::string> Disk::List(const Resolved& folder) const {
  std::vector<std::string> names;
  if (SplitWindowsPath(folder.longPath).parts.size() > 0) names = {".", ".."};
  for (const std::string& n : HostEntries(folder.host)) names.push_back(n);
  return names;
}

}  // namespace sim
