// The matching core on byte buffers: each scanner's region, wildcards, gaps,
// the lowest entry winning, and many signatures sharing their first bytes.
#include <string>

#include "engine_test_util.h"

namespace {

using zvengine::MatchTable;
using zvengine::SignatureSet;
using zvengine::Window;

constexpr std::size_t kFileSize = 64;

struct Case {
  const char* what;
  const char* signature;
  long at;             // where "ABCD..." text is placed; negative: from the end
  const char* text;
  long entryPoint;     // the PE scanner's anchor
  long windowFrom;     // the window held in memory starts here
  bool found;
};

const Case kCases[] = {
    {"top at its offset", "top 1 \"T\" @16 \"41 42 43\"", 16, "ABC", 0, 0, true},
    {"top one byte late", "top 1 \"T\" @16 \"41 42 43\"", 17, "ABC", 0, 0, false},
    {"top one byte early", "top 1 \"T\" @16+4 \"41 42 43\"", 15, "ABC", 0, 0, false},
    {"top at the end of its span", "top 1 \"T\" @16+4 \"41 42 43\"", 20, "ABC", 0, 0, true},
    {"top past its span", "top 1 \"T\" @16+4 \"41 42 43\"", 21, "ABC", 0, 0, false},
    {"top cut by the end of the file", "top 1 \"T\" @0+63 \"41 42 43\"", -2, "ABC", 0, 0, false},
    {"bottom ending the file", "bottom 1 \"B\" @0 \"41 42 43\"", -3, "ABC", 0, 48, true},
    {"bottom a byte before the end", "bottom 1 \"B\" @0 \"41 42 43\"", -4, "ABC", 0, 48, false},
    {"bottom at its offset", "bottom 1 \"B\" @1 \"41 42 43\"", -4, "ABC", 0, 48, true},
    {"bottom at the end of its span", "bottom 1 \"B\" @0+8 \"41 42 43\"", -11, "ABC", 0, 48, true},
    {"bottom past its span", "bottom 1 \"B\" @0+8 \"41 42 43\"", -12, "ABC", 0, 48, false},
    {"bottom pattern at the start", "bottom 1 \"B\" @0 \"41 42 43\"", 0, "ABC", 0, 0, false},
    {"pe before the entry point", "pe 1 \"P\" @-4 \"41 42 43\"", 28, "ABC", 32, 16, true},
    {"pe at the entry point, signature before it", "pe 1 \"P\" @-4 \"41 42 43\"", 32, "ABC", 32, 16,
     false},
    {"pe within its span", "pe 1 \"P\" @0+2 \"41 42 43\"", 34, "ABC", 32, 16, true},
    {"a wildcard takes any byte", "top 1 \"W\" @0 \"41 42 ?? 44\"", 0, "ABZD", 0, 0, true},
    {"a fixed byte beside a wildcard", "top 1 \"W\" @0 \"41 42 ?? 44\"", 0, "ABZE", 0, 0, false},
    {"poly without gap", "poly 1 \"G\" @0+40 \"41 42 *3 43 44\"", 10, "ABCD", 0, 0, true},
    {"poly with the longest gap", "poly 1 \"G\" @0+40 \"41 42 *3 43 44\"", 10, "AB...CD", 0, 0, true},
    {"poly with a gap too long", "poly 1 \"G\" @0+40 \"41 42 *3 43 44\"", 10, "AB....CD", 0, 0,
     false},
    {"poly at the end of its region", "poly 1 \"G\" @0+40 \"41 42 *3 43 44\"", 40, "ABCD", 0, 0, true},
    {"poly past its region", "poly 1 \"G\" @0+40 \"41 42 *3 43 44\"", 41, "ABCD", 0, 0, false},
};

int ScanWindow(const SignatureSet& set, const std::vector<std::uint8_t>& file, long entryPoint,
        long windowFrom) {
  Window window;
  window.begin = windowFrom;
  window.bytes.assign(file.begin() + windowFrom, file.end());
  std::int64_t length = static_cast<std::int64_t>(file.size());
  const zvengine::Signature& s = set.signatures[0];
  switch (s.scanner) {
    case zvinx::kTop: return MatchTable(set, set.top, window, 0, length);
    case zvinx::kBottom: return MatchTable(set, set.bottom, window, length, length);
    case zvinx::kPE: return MatchTable(set, set.pe, window, entryPoint, length);
    default: return MatchTable(set, set.poly, window, 0, length);
  }
}

TEST(Matching, EachScannerLooksInItsRegion) {
  for (const Case& c : kCases) {
    SignatureSet set = CompileSet(c.signature);
    ASSERT_EQ(set.signatures.size(), 1u) << c.what;
    EXPECT_EQ(ScanWindow(set, FileWith(kFileSize, c.at, c.text), c.entryPoint, c.windowFrom),
              c.found ? 0 : -1)
        << c.what;
  }
}

TEST(Matching, OtherScannersTablesStayOutOfIt) {
  SignatureSet set = CompileSet("bottom 1 \"B\" @0 \"41 42 43\"");
  Window window;
  window.bytes = FileWith(kFileSize, -3, "ABC");
  EXPECT_EQ(MatchTable(set, set.top, window, 0, kFileSize), -1);
  EXPECT_EQ(MatchTable(set, set.poly, window, 0, kFileSize), -1);
}

TEST(Matching, TheLowestEntryWinsWhereverItLies) {
  SignatureSet set = CompileSet(
      "top 1 \"Late\" @0+60 \"58 59\"\n"
      "top 2 \"Early\" @0+60 \"41 42\"\n");
  Window window;
  window.bytes = FileWith(kFileSize, 2, "AB..........XY");
  EXPECT_EQ(MatchTable(set, set.top, window, 0, kFileSize), 0);
}

// A thousand signatures that all begin with "MZ": each is found as itself.
TEST(Matching, ManySignaturesSharingTheirStart) {
  std::string source;
  char line[80];
  for (int i = 0; i < 1000; ++i) {
    std::snprintf(line, sizeof line, "top %d \"S%d\" @0 \"4D 5A %02X %02X\"\n", 3000 + i, i,
                  i & 0xFF, i >> 8);
    source += line;
  }
  SignatureSet set = CompileSet(source);
  for (int i : {0, 1, 255, 256, 777, 999}) {
    Window window;
    window.bytes = FileWith(kFileSize, 0, "MZ");
    window.bytes[2] = static_cast<std::uint8_t>(i & 0xFF);
    window.bytes[3] = static_cast<std::uint8_t>(i >> 8);
    EXPECT_EQ(MatchTable(set, set.top, window, 0, kFileSize), i);
  }
}

}  // namespace
