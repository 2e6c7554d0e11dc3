// The host side of the machine folder: reading and writing its files.
#pragma once

#include <string>

namespace sim {

bool ReadHostFile(const std::string& path, std::string& text);
bool HostFileExists(const std::string& path);
// Writes the whole text to a scratch file beside `path`, then renames it over
// `path`: a save cut short leaves the old file intact. Throws Error on failure.
void WriteHostFileAtomically(const std::string& path, const std::string& text);

}  // namespace sim
