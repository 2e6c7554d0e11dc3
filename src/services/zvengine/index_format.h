// The layout of the signature index ZV.INX, shared by the engine, the index
// compiler and the program that reads virus names from it. docs/zvinx.md
// describes the format in full.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zvinx {

// Header: magic, format version, number of entries (all little-endian).
constexpr std::size_t kHeaderSize = 8;
constexpr char kMagic[4] = {'Z', 'V', 'I', 'X'};
constexpr std::uint16_t kVersion = 1;

// Entry n lies at kHeaderSize + kEntrySize * n: engine data, then the name.
constexpr std::size_t kEntrySize = 40;
constexpr std::size_t kDataSize = 24;
constexpr std::size_t kNameOffset = 24;
constexpr std::size_t kNameSize = 16;
// Every name byte is stored increased by this amount, modulo 256, so that
// the names do not stand in the file as plain text.
constexpr std::uint8_t kNameShift = 0x4B;
// The entry number is a signed 16-bit value in the scan result.
constexpr std::size_t kMaxEntries = 32767;

// The scanner an entry belongs to: the numbers the program uses for them.
enum Scanner : std::uint8_t { kTop = 1, kBottom = 2, kPoly = 4, kPE = 5 };

// Engine data, at these offsets in an entry:
constexpr std::size_t kScannerAt = 0;    // u8: Scanner
constexpr std::size_t kLengthAt = 1;     // u8: bits 0-3 pattern length, bits 4-7 longest gap
constexpr std::size_t kVirusIdAt = 2;    // i16: the id the scanner reports
constexpr std::size_t kOffsetAt = 4;     // i32: where the region begins (see docs)
constexpr std::size_t kSpanAt = 8;       // u16: further start positions after the first
constexpr std::size_t kMaskAt = 10;      // u16: bits 0-11 wildcards, bits 12-15 gap position
constexpr std::size_t kPatternAt = 12;   // u8[12]: the pattern bytes
constexpr std::size_t kMaxPattern = 12;
constexpr std::size_t kMaxGap = 15;
// How far from its anchor (start, end or entry point) a region may reach.
constexpr std::int32_t kMaxReach = 1 << 20;

}  // namespace zvinx
