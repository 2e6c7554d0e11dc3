// The program formats that the scanners tell apart, read from the first
// bytes of a file held in memory. Shared by the engine (the PE scanner looks
// around the entry point) and zvutil's file classification, so both find the
// same entry point in the same file.
#pragma once

#include <cstddef>
#include <cstdint>

namespace exe {

// File types as CheckFileType reports them. The top scanner skips 1 and 2:
// Windows programs begin with a stub and headers, never with code of a virus
// that puts itself in front of a DOS program.
constexpr std::int16_t kEmpty = 0;  // nothing could be read
constexpr std::int16_t kPE = 1;     // Win32 program or DLL ("MZ" ... "PE\0\0")
constexpr std::int16_t kNE = 2;     // 16-bit Windows program or DLL ("MZ" ... "NE")
constexpr std::int16_t kMZ = 3;     // DOS program (and any other "MZ" file)
constexpr std::int16_t kImage = 4;  // no header: a COM image, a driver, data

// How much of the start of a file the classification reads: the new-style
// header and the tables it needs must lie within it.
constexpr std::size_t kProbeSize = 4096;

inline bool Read16(const std::uint8_t* head, std::size_t size, std::size_t at, std::uint32_t& v) {
  if (at > size || size - at < 2) return false;
  v = head[at] | head[at + 1] << 8;
  return true;
}

inline bool Read32(const std::uint8_t* head, std::size_t size, std::size_t at, std::uint32_t& v) {
  std::uint32_t low, high;
  if (!Read16(head, size, at, low) || !Read16(head, size, at + 2, high)) return false;
  v = low | high << 16;
  return true;
}

// Where the new-style header begins, or 0 when there is none in `head`.
inline std::uint32_t NewHeader(const std::uint8_t* head, std::size_t size) {
  std::uint32_t at;
  if (size < 2 || !((head[0] == 'M' && head[1] == 'Z') || (head[0] == 'Z' && head[1] == 'M')))
    return 0;
  if (!Read32(head, size, 0x3C, at) || at < 0x40 || at > size || size - at < 4) return 0;
  return at;
}

inline std::int16_t FileType(const std::uint8_t* head, std::size_t size) {
  if (size == 0) return kEmpty;
  if (size < 2 || !((head[0] == 'M' && head[1] == 'Z') || (head[0] == 'Z' && head[1] == 'M')))
    return kImage;
  std::uint32_t nh = NewHeader(head, size);
  if (nh != 0 && head[nh] == 'P' && head[nh + 1] == 'E' && head[nh + 2] == 0 && head[nh + 3] == 0)
    return kPE;
  if (nh != 0 && head[nh] == 'N' && head[nh + 1] == 'E') return kNE;
  return kMZ;
}

// File offset of the first instruction a PE program runs, or -1.
inline std::int32_t PEEntry(const std::uint8_t* head, std::size_t size) {
  std::uint32_t pe = NewHeader(head, size), sections, optionalSize, rva, headers;
  if (pe == 0) return -1;
  std::size_t optional = pe + 24;
  if (!Read16(head, size, pe + 6, sections) || !Read16(head, size, pe + 20, optionalSize) ||
      !Read32(head, size, optional + 16, rva) || !Read32(head, size, optional + 60, headers))
    return -1;
  std::size_t table = optional + optionalSize;
  for (std::uint32_t i = 0; i < sections; ++i) {
    std::uint32_t virtualSize, address, rawSize, raw;
    std::size_t s = table + 40 * i;
    if (!Read32(head, size, s + 8, virtualSize) || !Read32(head, size, s + 12, address) ||
        !Read32(head, size, s + 16, rawSize) || !Read32(head, size, s + 20, raw))
      return -1;
    std::uint32_t extent = virtualSize > rawSize ? virtualSize : rawSize;
    if (rva >= address && rva - address < extent && rva - address < rawSize) {
      std::uint64_t at = std::uint64_t{raw} + (rva - address);
      return at > INT32_MAX ? -1 : static_cast<std::int32_t>(at);
    }
  }
  // Within the headers the address is the file offset, when one can hold it.
  return rva < headers && rva <= INT32_MAX ? static_cast<std::int32_t>(rva) : -1;
}

// File offset of a 16-bit Windows program's entry (CS:IP through the
// segment table), or -1 for a library without one.
inline std::int32_t NEEntry(const std::uint8_t* head, std::size_t size) {
  std::uint32_t ne = NewHeader(head, size), ip, cs, segments, table, shift, sector;
  if (ne == 0 || !Read16(head, size, ne + 0x14, ip) || !Read16(head, size, ne + 0x16, cs) ||
      !Read16(head, size, ne + 0x1C, segments) || !Read16(head, size, ne + 0x22, table) ||
      !Read16(head, size, ne + 0x32, shift) || cs == 0 || cs > segments)
    return -1;
  if (shift == 0) shift = 9;
  if (shift > 16 || !Read16(head, size, ne + table + 8 * (cs - 1), sector)) return -1;
  // Sectors of 64 KB reach past what a file offset holds.
  const std::uint64_t at = (std::uint64_t{sector} << shift) + ip;
  return at > INT32_MAX ? -1 : static_cast<std::int32_t>(at);
}

// A DOS program starts at its header's size plus CS:IP, within the 1 MB that
// real mode addresses.
inline std::int32_t MZEntry(const std::uint8_t* head, std::size_t size) {
  std::uint32_t paragraphs, ip, cs;
  if (!Read16(head, size, 0x08, paragraphs) || !Read16(head, size, 0x14, ip) ||
      !Read16(head, size, 0x16, cs))
    return -1;
  return static_cast<std::int32_t>((paragraphs * 16 + cs * 16 + ip) & 0xFFFFF);
}

// A COM image starts at its first byte, or where a jump there leads, since
// a virus that appends itself puts such a jump in front.
inline std::int32_t ImageEntry(const std::uint8_t* head, std::size_t size) {
  if (size >= 3 && head[0] == 0xE9) return (3 + (head[1] | head[2] << 8)) & 0xFFFF;
  if (size >= 2 && head[0] == 0xEB) return (2 + static_cast<std::int8_t>(head[1])) & 0xFFFF;
  return 0;
}

inline std::int32_t EntryOffset(const std::uint8_t* head, std::size_t size, std::int16_t type) {
  switch (type) {
    case kPE: return PEEntry(head, size);
    case kNE: return NEEntry(head, size);
    case kMZ: return MZEntry(head, size);
    case kImage: return ImageEntry(head, size);
    default: return -1;
  }
}

}  // namespace exe
