// The scan's test files: a signature index of our own markers, one for each
// scanner, and small program images that carry them. The markers are plain
// text ("ZV-..."), never program code.
#pragma once

#include <string>
#include <vector>

// Where a marker goes in an image; a negative offset counts from the end.
struct Marker {
  long at;
  const char* text;
};

constexpr char kTopMarker[] = "ZV-TOP";        // "Scan.Top": the first 70 bytes
constexpr char kBottomMarker[] = "ZV-BOT";     // "Scan.Bottom": the last 70 bytes
constexpr char kPEMarker[] = "ZV-PE!";         // "Scan.PE": at a PE program's entry point
constexpr char kPolyMarker[] = "ZV-POL";       // "Scan.Poly": the first 4 KB

// ZV.INX compiled from the list: entry 0 Scan.Top (id 2001), 1 Scan.Bottom
// (301), 2 Scan.PE (302), 3 Scan.Poly (303). Ids without a built-in name, so
// every detection is named from the index.
std::string ScanIndex();

// A COM image (file type 4) whose program starts at `start`: a near jump
// there, or no jump for 0.
std::string ComImage(int start, const std::vector<Marker>& markers, std::size_t size = 512);
// A Win32 program (type 1): one section, entry point at file offset 0x210.
std::string PeImage(const std::vector<Marker>& markers);
constexpr long kPeEntry = 0x210;
// A 16-bit Windows program (type 2).
std::string NeImage(const std::vector<Marker>& markers);
