// The readable signature list that zvinx compiles into ZV.INX, one
// signature a line (docs/zvinx.md):
//
//   top 2001 "Test.Alpha" @0 "5A 56 ?? 54"
//   poly 2005 "Test.Shifter" @0+4000 "B4 E1 ?? ?? *6 CD E2"
//
// and the way back, from an index's entries to such lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zvinx {

// Compiles a whole list into an index file's bytes. False with a message
// naming the line when a line is wrong.
bool CompileSource(const std::string& text, std::vector<std::uint8_t>& index,
                   std::string& error);

// The entries of an index, one line each: the entry number, then the
// signature as the list writes it, its name decoded. False when the index
// is malformed.
bool ListIndex(const std::vector<std::uint8_t>& index, std::string& listing, std::string& error);

}  // namespace zvinx
