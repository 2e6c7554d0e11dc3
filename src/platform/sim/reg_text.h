// The lines of a REGEDIT4 file, read and written back in place: a saved file
// keeps the order, spelling, comments and blank lines it was read with, and
// only the keys and values that changed differ, so that diffing a machine
// shows what a run did to its registry.
#pragma once

#include <string>

#include "platform/sim/registry.h"

namespace sim {

// One line of a REGEDIT4 file, without its line end.
struct RegLine {
  enum class Kind { Other, Key, Value, Bad } kind = Kind::Other;  // Other: blank or comment
  std::string key;   // Key: the name between the brackets
  RegValue value;    // Value
  std::string error; // Bad: what is wrong
};
RegLine ParseRegLine(const std::string& line);

// The text of the root `rootName` (HKEY_...) holding `root`'s keys, made from
// `original` (the file as it was read; "" for none): its lines stay as they
// were where their key or value is unchanged; a deleted key's lines and a
// deleted value's line go; a changed value's line is rewritten in place; a
// new value follows its key's last value; a new key follows the keys of its
// parent. A key gets lines of its own only when it has values or no subkeys:
// the keys above it are never spelled out.
std::string UpdateRegText(const std::string& original, const std::string& rootName,
                          const RegNode& root);

}  // namespace sim
