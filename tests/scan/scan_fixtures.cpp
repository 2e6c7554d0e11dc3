#include "scan_fixtures.h"

#include <cstdint>
#include <stdexcept>

#include "zvinx_source.h"

namespace {

constexpr char kSignatures[] =
    "top     2001 \"Scan.Top\"     @0+64    \"5A 56 2D 54 4F 50\"\n"
    "bottom  301  \"Scan.Bottom\"  @0+64    \"5A 56 2D 42 4F 54\"\n"
    "pe      302  \"Scan.PE\"      @0       \"5A 56 2D 50 45 21\"\n"
    "poly    303  \"Scan.Poly\"    @0+4096  \"5A 56 2D 50 4F 4C\"\n";

void Put(std::string& image, std::size_t at, const std::string& bytes) {
  image.replace(at, bytes.size(), bytes);
}

std::string Le(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

std::string WithMarkers(std::string image, const std::vector<Marker>& markers) {
  for (const Marker& m : markers) {
    const std::string text = m.text;
    Put(image, m.at < 0 ? image.size() + m.at : static_cast<std::size_t>(m.at), text);
  }
  return image;
}

// A DOS header whose new-style header lies at 0x80.
std::string MzWithNewHeader(std::size_t size) {
  std::string image(size, '\0');
  Put(image, 0, "MZ");
  Put(image, 0x08, Le(2, 2));
  Put(image, 0x18, Le(0x40, 2));
  Put(image, 0x3C, Le(0x80, 4));
  return image;
}

}  // namespace

std::string ScanIndex() {
  std::vector<std::uint8_t> index;
  std::string error;
  if (!zvinx::CompileSource(kSignatures, index, error)) throw std::runtime_error(error);
  return std::string(index.begin(), index.end());
}

std::string ComImage(int start, const std::vector<Marker>& markers, std::size_t size) {
  std::string image(size, '\0');
  if (start > 0) Put(image, 0, "\xE9" + Le(static_cast<std::uint32_t>(start - 3), 2));
  return WithMarkers(image, markers);
}

std::string PeImage(const std::vector<Marker>& markers) {
  // One section: raw data at 0x200, loaded at 0x1000; entry point 0x1010.
  std::string image = MzWithNewHeader(0x400);
  Put(image, 0x80, std::string("PE\0\0", 4));
  Put(image, 0x84, Le(0x14C, 2) + Le(1, 2) + Le(0, 4) + Le(0, 4) + Le(0, 4) + Le(0xE0, 2) +
                       Le(0x0102, 2));
  const std::size_t optional = 0x98;
  Put(image, optional, Le(0x10B, 2));
  Put(image, optional + 16, Le(0x1010, 4));
  Put(image, optional + 60, Le(0x200, 4));
  Put(image, optional + 0xE0,
      std::string(".text\0\0\0", 8) + Le(0x100, 4) + Le(0x1000, 4) + Le(0x200, 4) + Le(0x200, 4));
  return WithMarkers(image, markers);
}

std::string NeImage(const std::vector<Marker>& markers) {
  // Entry CS:IP = segment 1, 0x20; segment 1 at sector 0x10 of 16 bytes.
  std::string image = MzWithNewHeader(0x200);
  Put(image, 0x80, "NE");
  Put(image, 0x80 + 0x14, Le(0x20, 2) + Le(1, 2));
  Put(image, 0x80 + 0x1C, Le(1, 2));
  Put(image, 0x80 + 0x22, Le(0x40, 2));
  Put(image, 0x80 + 0x32, Le(4, 2));
  Put(image, 0x80 + 0x40, Le(0x10, 2) + Le(0x40, 2) + Le(0, 2) + Le(0x40, 2));
  return WithMarkers(image, markers);
}
