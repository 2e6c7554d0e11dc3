// Classification of hand-made program images: their type and entry point,
// and the option the scan sets before it opens a file.
#include <cstring>

#include "engine_test_util.h"
#include "services/zvengine/exe_layout.h"
#include "services/zvutil/file_type.h"

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

using FileType = FixtureMachine;

// Through zvutil, on the machine: each leaves the file where it found it.
TEST_F(FileType, TypeAndEntryOfEachImage) {
  Run([] {
    for (const Image& image : kImages) {
      std::string path = std::string("C:\\FIX\\") + image.file;
      port::File file =
          port::OpenFile(path.c_str(), port::GenericRead, port::ShareRead, port::OpenExisting);
      ASSERT_NE(file, port::InvalidFile) << path;
      port::SeekTo(file, 5);
      std::int16_t type = CheckFileType(file);
      EXPECT_EQ(type, image.type) << image.file;
      EXPECT_EQ(port::FilePosition(file), 5) << image.file;
      EXPECT_EQ(GetVirExeStart(file, type), image.entry) << image.file;
      EXPECT_EQ(port::FilePosition(file), 5) << image.file;
      port::CloseFile(file);
    }
  });
}

TEST(SetDriverOptions, AcceptsTheScanCodeWithItsPath) {
  char path[40] = "C:\\WINDOWS\\WIN.COM";
  const int length = static_cast<int>(std::strlen(path));
  EXPECT_EQ(SetDriverOptions(0x8203, path, length), 1);
  EXPECT_EQ(SetDriverOptions(0x8204, path, length), 0);
  EXPECT_EQ(SetDriverOptions(0x8203, path, length - 1), 0);
  EXPECT_EQ(SetDriverOptions(0x8203, nullptr, 0), 0);
  EXPECT_STREQ(path, "C:\\WINDOWS\\WIN.COM");
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

// An entry point that no file offset can reach (past 2 GB) is none.
TEST(ExeLayout, AnEntryPastTheLargestOffsetIsNone) {
  std::vector<std::uint8_t> pe = ReadFixture("pe.exe");
  const std::size_t optional = (pe[0x3C] | pe[0x3D] << 8) + 24;
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) pe[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  put32(optional + 16, 0xFF5A0000);  // the entry's address, in no section
  put32(optional + 60, 0xFFFFFFFF);  // headers as large as can be, holding it
  EXPECT_EQ(exe::PEEntry(pe.data(), pe.size()), -1);

  std::vector<std::uint8_t> ne = ReadFixture("ne.exe");
  const std::size_t segment = 0x80 + (ne[0x80 + 0x22] | ne[0x80 + 0x23] << 8);
  ne[0x80 + 0x32] = 16;                        // 64 KB sectors
  ne[segment] = 0xFF, ne[segment + 1] = 0xFF;  // the code in the last of them
  EXPECT_EQ(exe::NEEntry(ne.data(), ne.size()), -1);
}

}  // namespace
