// Small text helpers of the simulator: case-insensitive comparison, the
// quoting used by transcripts and answer scripts, Windows path pieces.
#pragma once

#include <string>
#include <vector>

namespace sim {

std::string Upper(std::string text);
std::string Lower(std::string text);
bool SameText(const std::string& a, const std::string& b);  // ignoring case
bool StartsWithText(const std::string& text, const std::string& prefix);  // ignoring case

// The words of a program behaviour of machine.ini, quoted or bare.
std::vector<std::string> Words(const std::string& text);

// "text" with quotation marks and line breaks escaped (\" \n \r \t), and every
// other control character and byte outside printable ASCII as \xHH, so that
// any text stays on one transcript line and none can forge another. Backslashes stand as they are:
// transcripts are full of Windows paths.
std::string Quote(const std::string& text);

// Splits a Windows path ("C:\A\B") into its drive letter (upper case, or 0
// when there is none) and its components; "." and ".." are resolved.
struct WindowsPath {
  char drive = 0;
  std::vector<std::string> parts;
};
WindowsPath SplitWindowsPath(const std::string& path);
std::string JoinWindowsPath(const WindowsPath& path);

// Copies `text` into a caller's buffer of `size` characters, cut to fit,
// always terminated. Returns the number of characters copied.
unsigned CopyOut(const std::string& text, char* buffer, unsigned size);

}  // namespace sim
