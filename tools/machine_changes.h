// What a rehearsal changed on a machine: its registries and its disks taken
// before and after, and compared value by value and file by file.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace rehearsal {

struct MachineSnapshot {
  // "<system> <root>\<key>" -> the key's values by name ("" the default
  // value); a key with no values is present with an empty map.
  std::map<std::string, std::map<std::string, std::string>> registry;
  // Windows path ("C:\WINDOWS\ZV32.INI") -> content.
  std::map<std::string, std::string> files;
};

// Reads the machine folder as it is on the host.
MachineSnapshot TakeSnapshot(const std::string& machineFolder);

// One line per change, in a stable order: registry keys and values added,
// changed and removed with their old and new data; files added, changed and
// removed, with the entries of INI files and the lines of other text files
// that differ.
std::vector<std::string> CompareSnapshots(const MachineSnapshot& before,
                                          const MachineSnapshot& after);

}  // namespace rehearsal
