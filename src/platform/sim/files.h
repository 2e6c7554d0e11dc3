// The host side of the machine folder: reading and writing its files.
#pragma once

#include <string>
#include <vector>

namespace sim {

bool ReadHostFile(const std::string& path, std::string& text);
// Reads one of the machine's own files (machine.ini, a .reg file, dos.ini)
// or one it is given (the answer script):
// false when it does not exist; a file that exists but cannot be read
// (no permission, a folder in its place) throws Error naming it and why, so
// that the machine is never taken to be empty and then written over.
bool ReadMachineFile(const std::string& path, std::string& text);
// Throws Error naming a folder of the machine and why it cannot be read.
void CheckMachineFolder(const std::string& path);
bool HostFileExists(const std::string& path);
// Writes the whole text to a scratch file beside `path`, then renames it over
// `path`: a save cut short leaves the old file intact. Throws Error on failure.
void WriteHostFileAtomically(const std::string& path, const std::string& text);

// Writes several files all or nothing: every new text goes to its scratch
// file first, and only when all of them are written are they swapped in.
// A file that cannot be written leaves every file as it was and throws
// Error naming it and why.
struct HostFileText {
  std::string path;
  std::string text;
};
void WriteHostFilesTogether(const std::vector<HostFileText>& files);

}  // namespace sim
