// Files, directory searches and profile strings on the simulated disks.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/port.h"
#include "platform/record.h"
#include "platform/sim/files.h"
#include "platform/sim/state.h"
#include "platform/sim/text.h"

namespace fs = std::filesystem;

namespace sim {
namespace {

// A profile file named without a folder lives in the Windows directory.
std::string ProfilePath(const char* file) {
  std::string path = file;
  if (path.find('\\') == std::string::npos && path.find(':') == std::string::npos) {
    char dir[260];
    port::WindowsDirectory(dir, sizeof dir);
    path = std::string(dir) + "\\" + path;
  }
  return path;
}

bool SharingAllows(const OpenedFile& open, std::uint32_t access, std::uint32_t share) {
  const bool wantsRead = access & port::GenericRead, wantsWrite = access & port::GenericWrite;
  const bool hasRead = open.access & port::GenericRead, hasWrite = open.access & port::GenericWrite;
  return (!wantsRead || (open.share & port::ShareRead)) &&
         (!wantsWrite || (open.share & port::ShareWrite)) &&
         (!hasRead || (share & port::ShareRead)) && (!hasWrite || (share & port::ShareWrite));
}

}  // namespace
}  // namespace sim

namespace port {
using namespace sim;

// A diskette drive that holds no readable diskette makes the system show a
// box of its own, unless the program switched critical errors off; the
// transcript tells when that would have happened.
std::uint32_t FileAttributes(const char* path) {
  Machine::State& m = Current();
  const Resolved r = m.disk.Resolve(path);
  const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
  if (!r.driveReady && (drive == 'A' || drive == 'B') && path[1] == ':' &&
      !(m.errorMode & SemFailCriticalErrors) && (LogicalDrives() & (1u << (drive - 'A'))))
    m.Note(std::string("system box: drive ") + drive + " is not ready");
  const std::uint32_t attributes = m.disk.Attributes(r);
  record::FileTested(path, attributes);
  return attributes;
}

bool SetAttributes(const char* path, std::uint32_t attributes) {
  Machine::State& m = Current();
  const Resolved r = m.disk.Resolve(path);
  if (!r.exists) return false;
  m.disk.SetAttributes(r, attributes);
  record::AttributesSet(r.longPath, attributes);
  return true;
}

bool RemoveFile(const char* path) {
  Machine::State& m = Current();
  const Resolved r = m.disk.Resolve(path);
  std::error_code ec;
  if (!r.exists || fs::is_directory(r.host, ec)) return false;
  if (m.disk.Attributes(r) & AttrReadOnly) return false;
  for (const auto& [handle, open] : m.files)
    if (open.host == r.host) return false;
  if (m.Fails(Fault::Delete) || !fs::remove(r.host, ec)) return false;
  m.disk.NameRemoved(r);
  m.disk.ForgetAttributes(r);
  record::FileDeleted(r.longPath);
  return true;
}

bool RenameFile(const char* from, const char* to) {
  Machine::State& m = Current();
  const Resolved a = m.disk.Resolve(from), b = m.disk.Resolve(to);
  if (!a.exists || b.exists || !b.parentExists) return false;
  std::error_code ec;
  if (m.Fails(Fault::Rename)) return false;
  fs::rename(a.host, b.host, ec);
  if (ec) return false;
  const std::uint32_t attributes = m.disk.Attributes(a);
  m.disk.NameRemoved(a);
  m.disk.ForgetAttributes(a);
  m.disk.NameCreated(b);
  const Resolved moved = m.disk.Resolve(to);
  if (attributes != AttrArchive) m.disk.SetAttributes(moved, attributes);
  record::FileRenamed(a.longPath, moved.longPath);
  return true;
}

bool CopyFileTo(const char* from, const char* to, bool failIfExists) {
  Machine::State& m = Current();
  const Resolved a = m.disk.Resolve(from), b = m.disk.Resolve(to);
  if (!a.exists || !b.parentExists || (failIfExists && b.exists)) return false;
  if (b.exists && (m.disk.Attributes(b) & AttrReadOnly)) return false;
  std::string text;
  if (m.Fails(Fault::Write) || !ReadHostFile(a.host, text)) return false;
  WriteHostFileAtomically(b.host, text);
  m.disk.NameCreated(b);
  const Resolved copied = m.disk.Resolve(to);
  record::FileCopied(copied.longPath, a.longPath);
  return true;
}

File OpenFile(const char* path, std::uint32_t access, std::uint32_t share,
              std::uint32_t disposition) {
  Machine::State& m = Current();
  const Resolved r = m.disk.Resolve(path);
  std::error_code ec;
  if (!r.driveReady || fs::is_directory(r.host, ec) || m.Fails(Fault::Open)) return InvalidFile;
  const bool writes = access & GenericWrite;
  if (r.exists && writes && (m.disk.Attributes(r) & AttrReadOnly)) return InvalidFile;
  for (const auto& [handle, open] : m.files)
    if (open.host == r.host && !SharingAllows(open, access, share)) return InvalidFile;
  const char* mode = nullptr;
  if (disposition == OpenExisting) {
    if (!r.exists) return InvalidFile;
    mode = writes ? "r+b" : "rb";
  } else if (disposition == CreateAlways) {
    if (!r.parentExists) return InvalidFile;
    mode = "w+b";
  } else if (disposition == OpenAlways) {
    if (!r.parentExists) return InvalidFile;
    mode = r.exists ? (writes ? "r+b" : "rb") : "w+b";
  } else {
    return InvalidFile;
  }
  std::FILE* stream = std::fopen(r.host.c_str(), mode);
  if (!stream) return InvalidFile;
  // No buffering of our own: as with the system's handles, what one handle
  // writes, every other handle reads at once.
  std::setvbuf(stream, nullptr, _IONBF, 0);
  const File handle = m.NewHandle();
  if (!r.exists) m.disk.NameCreated(r);
  const Resolved now = m.disk.Resolve(path);
  OpenedFile& open = m.files[handle];
  open.windowsPath = now.longPath;
  open.host = now.host;
  open.stream = stream;
  open.access = access;
  open.share = share;
  open.written = disposition == CreateAlways || !r.exists;
  std::error_code sizeError;
  open.length = open.written ? 0 : static_cast<long>(fs::file_size(now.host, sizeError));
  return handle;
}

std::uint32_t ReadFrom(File file, void* buffer, std::uint32_t count) {
  Machine::State& m = Current();
  auto it = m.files.find(file);
  if (it == m.files.end() || !(it->second.access & GenericRead) || m.Fails(Fault::Read)) return 0;
  const auto got = static_cast<std::uint32_t>(std::fread(buffer, 1, count, it->second.stream));
  it->second.position += static_cast<long>(got);
  return got;
}

std::uint32_t WriteTo(File file, const void* buffer, std::uint32_t count) {
  Machine::State& m = Current();
  auto it = m.files.find(file);
  if (it == m.files.end() || !(it->second.access & GenericWrite) || m.Fails(Fault::Write)) return 0;
  OpenedFile& open = it->second;
  open.written = true;
  const auto wrote = static_cast<std::uint32_t>(std::fwrite(buffer, 1, count, open.stream));
  open.position += static_cast<long>(wrote);
  open.length = std::max(open.length, open.position);
  return wrote;
}

long SeekTo(File file, long offset) {
  auto it = Current().files.find(file);
  if (it == Current().files.end() || offset < 0) return -1;
  if (std::fseek(it->second.stream, offset, SEEK_SET) != 0) return -1;
  it->second.position = offset;
  return offset;
}

long FilePosition(File file) {
  auto it = Current().files.find(file);
  return it == Current().files.end() ? -1 : it->second.position;
}

long FileLength(File file) {
  auto it = Current().files.find(file);
  return it == Current().files.end() ? -1 : it->second.length;
}

void CloseFile(File file) {
  Machine::State& m = Current();
  auto it = m.files.find(file);
  if (it == m.files.end()) return;
  std::fclose(it->second.stream);
  if (it->second.written) record::FileWritten(it->second.windowsPath);
  m.files.erase(it);
}

// A diskette drive is ready when it holds a diskette that is not
// write-protected: machine.ini's "Drives" says "A" = "empty" or
// "write-protected" otherwise. An "unreadable" diskette passes this test but
// its root cannot be read.
bool DriveReady(int drive) {
  if (drive < 0 || drive > 1) return false;
  Machine::State& m = Current();
  const std::string letter(1, static_cast<char>('A' + drive));
  const std::string state = m.ini.Get("Drives", letter, "");
  if (SameText(state, "unreadable")) return true;
  const Resolved r = m.disk.Resolve(letter + ":\\");
  return r.driveReady && !SameText(state, "write-protected");
}

Search FindFirstEntry(const char* pattern, FoundEntry& entry) {
  Machine::State& m = Current();
  std::string p = pattern;
  const auto slash = p.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? "" : p.substr(0, slash + 1);
  const std::string mask = slash == std::string::npos ? p : p.substr(slash + 1);
  const Resolved r = m.disk.Resolve(folder);
  std::error_code ec;
  if (!r.exists || !fs::is_directory(r.host, ec)) return 0;
  OpenSearch search;
  for (const std::string& name : m.disk.List(r)) {
    if (!MatchesPattern(name, mask)) continue;
    FoundEntry e{};
    CopyOut(name, e.name, sizeof e.name);
    if (name == "." || name == "..") {
      e.attributes = AttrDirectory;
    } else {
      WindowsPath child = SplitWindowsPath(r.longPath);
      child.parts.push_back(name);
      e.attributes = m.disk.Attributes(m.disk.Resolve(JoinWindowsPath(child)));
    }
    search.entries.push_back(e);
  }
  if (search.entries.empty()) return 0;
  const Search handle = m.NewHandle();
  entry = search.entries[0];
  search.next = 1;
  m.searches[handle] = search;
  return handle;
}

bool FindNextEntry(Search search, FoundEntry& entry) {
  auto it = Current().searches.find(search);
  if (it == Current().searches.end() || it->second.next >= it->second.entries.size()) return false;
  entry = it->second.entries[it->second.next++];
  return true;
}

void FindEnd(Search search) { Current().searches.erase(search); }

unsigned ReadProfileString(const char* file, const char* section, const char* key,
                           const char* fallback, char* buffer, unsigned size) {
  Machine::State& m = Current();
  const Resolved r = m.disk.Resolve(ProfilePath(file));
  std::string text, value;
  const bool found =
      r.exists && ReadHostFile(r.host, text) && IniFile::Parse(text).Get(section, key, value);
  record::ProfileRead(file, section, key, value.c_str(), found);
  if (!found) {
    value = fallback ? fallback : "";
    while (!value.empty() && value.back() == ' ') value.pop_back();
  }
  return CopyOut(value, buffer, size);
}

bool WriteProfileString(const char* file, const char* section, const char* key,
                        const char* value) {
  Machine::State& m = Current();
  const std::string path = ProfilePath(file);
  const Resolved r = m.disk.Resolve(path);
  if (!r.parentExists || m.Fails(Fault::Write)) return false;
  std::string text;
  if (r.exists) ReadHostFile(r.host, text);
  IniFile ini = IniFile::Parse(text);
  if (value) ini.Set(section, key, value);
  else ini.Remove(section, key);
  WriteHostFileAtomically(r.host, ini.Text());
  if (!r.exists) m.disk.NameCreated(r);
  const Resolved now = m.disk.Resolve(path);
  record::ProfileWritten(now.longPath, section, key, value);
  return true;
}

}  // namespace port
