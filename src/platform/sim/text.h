// Small text helpers of the simulator: case-insensitive comparison, the
// quoting used by transcripts and answer scripts, Windows path pieces.
#pragma once

#include <string>
#include <vector>

#include "platform/record.h"

namespace sim {

std::string Upper(std::string text);
std::string Lower(std::string text);
bool SameText(const std::string& a, const std::string& b);  // ignoring case
bool StartsWithText(const std::string& text, const std::string& prefix);  // ignoring case

// The words of a program behaviour of machine.ini, quoted or bare.
std::vector<std::string> Words(const std::string& text);

// Transcripts and answer scripts quote text as the record does.
using record::Quote;

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
