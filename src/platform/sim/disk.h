// The simulated disks: each drive a folder disk/<letter>/ of the machine.
// Long names are kept as the host files' names and looked up without regard
// to case; 8.3 aliases are made the way Windows makes them (PROGRA~1, then
// PROGRA~2 for the next long name of that kind in the folder) and, with the
// DOS attributes, kept in dos.ini beside disk/ so they stay stable.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/sim/files.h"
#include "platform/sim/ini_file.h"

namespace sim {

struct Resolved {
  bool driveReady = false;   // the drive exists and holds a disk
  bool exists = false;       // the whole path names an existing file or folder
  bool parentExists = false; // every folder above the last part exists
  std::string host;          // where it lives (or would live) in the machine folder
  std::string longPath;      // the Windows path with each existing part as stored
};

class Disk {
 public:
  void Load(const std::string& machineFolder, const IniFile& machineIni);
  // dos.ini as it is to be saved, when it holds anything and has changed.
  void AddTexts(std::vector<HostFileText>& files) const;
  // Takes note of the files that a save has written.
  void Saved(const std::vector<HostFileText>& files);

  Resolved Resolve(const std::string& windowsPath);
  // A disk is put into the drive `letter` (upper case), whose folder holds it.
  void Insert(char letter);
  // The disk is taken out of the drive `letter`; its folder keeps it.
  void Remove(char letter);
  // The short form of an existing path; false when a part does not exist.
  bool ShortPath(const std::string& windowsPath, std::string& shortPath);
  std::uint32_t Attributes(const Resolved& path) const;
  void SetAttributes(const Resolved& path, std::uint32_t attributes);
  void ForgetAttributes(const Resolved& path);
  // A file or folder was made at `path` (resolved before it was made): its
  // name joins its folder's index, and a long name gets its alias, as
  // Windows gives it one when it creates it.
  void NameCreated(const Resolved& path);
  // The file or folder at `path` was removed or renamed away: its name
  // leaves its folder's index, and what was indexed below it is forgotten.
  void NameRemoved(const Resolved& path);
  // Forgets every folder's index, so that what changed on the host behind
  // the machine's back (between two runs) is seen.
  void ForgetIndexes();

  // The entries of a folder (long names), in the order a directory search
  // returns them: "." and ".." first below a drive's root, then by name.
  std::vector<std::string> List(const Resolved& folder) const;

 private:
  std::string ShortName(const std::string& folderLongPath, const std::string& hostFolder,
                        const std::string& name);
  void MakeAliases(const std::string& folderLongPath, const std::string& hostFolder);
  // The name of the entry of `hostFolder` that is `name` ignoring case, as
  // stored; "" when there is none.
  std::string StoredName(const std::string& hostFolder, const std::string& name);

  // The entries of a host folder by their names in capitals, so that a name
  // is found without listing the folder. The simulator's own changes keep
  // it in step; the folder's time stamp, taken before it was listed, tells
  // when something else changed it.
  struct FolderIndex {
    std::filesystem::file_time_type stamp;
    std::unordered_map<std::string, std::string> names;
  };
  std::unordered_map<std::string, FolderIndex> indexes_;  // by host folder

  std::string folder_;   // the machine folder
  std::string drives_;   // drive letters that hold a disk
  IniFile dos_;          // [Aliases] and [Attributes], keyed by long path
  std::string dosText_;  // dos.ini as read or last saved
};

// Whether a name is a valid 8.3 name, which needs no alias.
bool IsShortName(const std::string& name);
// The alias basis and tail: "Program Files", 1 -> "PROGRA~1".
std::string MakeAlias(const std::string& longName, int number);
// DOS wildcard match (* and ?, "*.*" matching names without a dot too).
bool MatchesPattern(const std::string& name, const std::string& pattern);

}  // namespace sim
