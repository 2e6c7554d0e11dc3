// Classification of hand-made program images: their type and entry point.
#include "engine_test_util.h"
#include "services/zvengine/exe_layout.h"

namespace {

struct Image {
  const char* file;
  std::int16_t type;
  std::int32_t entry;
};

const Image kImages[] = {
    {"dos.exe", exe::kMZ, 0x40},       {"dosfar.exe", exe::kMZ, 0x810},
    {"ne.exe", exe::kNE, 0x120},       {"pe.exe", exe::kPE, 0x210},
    {"jump.com", exe::kImage, 16},     {"poly.com", exe::kImage, 18},
    {"top.com", exe::kImage, 0},       {"bottom.exe", exe::kMZ, 0x20},
};

TEST(ExeLayout, TypeAndEntryOfEachImage) {
  for (const Image& image : kImages) {
    std::vector<std::uint8_t> head = ReadFixture(image.file);
    std::int16_t type = exe::FileType(head.data(), head.size());
    EXPECT_EQ(type, image.type) << image.file;
    EXPECT_EQ(exe::EntryOffset(head.data(), head.size(), type), image.entry) << image.file;
  }
}

// Headers that point outside what was read make no PE or NE program.
TEST(ExeLayout, BrokenHeaders) {
  std::vector<std::uint8_t> pe = ReadFixture("pe.exe");
  std::vector<std::uint8_t> cut(pe.begin(), pe.begin() + 0x82);
  EXPECT_EQ(exe::FileType(cut.data(), cut.size()), exe::kMZ);
  pe[0x3C] = 0xF0, pe[0x3D] = 0xFF;  // the new header far past the file
  EXPECT_EQ(exe::FileType(pe.data(), pe.size()), exe::kMZ);
  std::vector<std::uint8_t> ne = ReadFixture("ne.exe");
  ne[0x80 + 0x16] = 9;  // CS names a segment past the table's end
  EXPECT_EQ(exe::NEEntry(ne.data(), ne.size()), -1);
  EXPECT_EQ(exe::FileType(nullptr, 0), exe::kEmpty);
}

}  // namespace
