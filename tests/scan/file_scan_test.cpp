// One file's road through the scanners: the order by file type and entry
// offset, the first detection ending it, and what a file that cannot be
// opened does.
#include <cstring>

#include "scan/file_scan.h"
#include "scan_fixtures.h"
#include "scan_test_util.h"

namespace {

using FileScan = ScanTest;

const Marker kTop{3, kTopMarker}, kBottom{-6, kBottomMarker}, kPoly{200, kPolyMarker};
const Marker kPeTop{0x20, kTopMarker}, kPePoly{0x300, kPolyMarker}, kPe{kPeEntry, kPEMarker},
    kPeBottom{-6, kBottomMarker};

// Each file carries the markers of two scanners; the report names the one
// that runs first.
const struct {
  const char* file;
  std::string image;
  const char* found;  // null: no scanner finds anything
} kRoads[] = {
    {"START0.COM", ComImage(0, {kTop, kBottom}), "Scan.Top"},
    {"S1999.COM", ComImage(1999, {kTop, kBottom}), "Scan.Top"},
    {"S2000.COM", ComImage(2000, {kTop, kBottom}), "Scan.Bottom"},
    {"S2000P.COM", ComImage(2000, {kTop, kPoly}), "Scan.Top"},
    {"S1999P.COM", ComImage(1999, {kBottom, kPoly}), "Scan.Bottom"},
    // Windows programs are never given to the top scanner.
    {"PETOP.EXE", PeImage({kPeTop, kPePoly}), "Scan.Poly"},
    {"NETOP.EXE", NeImage({{0x20, kTopMarker}}), nullptr},
    {"PEBOT.EXE", PeImage({kPeBottom, kPe}), "Scan.Bottom"},
    // A detection by the PE scanner ends the road before the polymorphic one.
    {"PEPOLY.EXE", PeImage({kPe, kPePoly}), "Scan.PE"},
    {"CLEAN.COM", ComImage(0, {}), nullptr},
};

TEST_F(FileScan, ScannerOrderByTypeAndStart) {
  MakeScanMachine();
  std::vector<std::string> expected;
  for (const auto& r : kRoads) {
    PutFile(std::string("C:\\FIX\\") + r.file, r.image);
    if (r.found) {
      Answer("box \"Virus Found\" OK\n");
      expected.push_back(std::string(r.found) + " in C:\\FIX\\" + r.file);
    }
  }
  WithEngine([] {
    for (const auto& r : kRoads)
      EXPECT_EQ(ScanFile((std::string("C:\\FIX\\") + r.file).c_str()), r.found ? 1 : 0) << r.file;
  });
  EXPECT_EQ(Reports(), expected);
}

// The path is shown and reported upper-cased; the caller's text stays as it
// was. A file that cannot be opened counts as clean, without a message.
TEST_F(FileScan, PathUpperCasedAndUnopenableFileClean) {
  MakeScanMachine();
  PutFile("C:\\fix\\setup.exe", ComImage(0, {kTop}));
  Answer("box \"Virus Found\" OK\n");
  WithEngine([] {
    char path[] = "c:\\fix\\setup.exe";
    EXPECT_EQ(ScanFile(path), 1);
    EXPECT_STREQ(path, "c:\\fix\\setup.exe");
    EXPECT_EQ(ScanFile("C:\\FIX\\MISSING.EXE"), 0);
    EXPECT_EQ(ScanFile("C:\\FIX"), 0);
  });
  EXPECT_EQ(Reports(), std::vector<std::string>{"Scan.Top in C:\\FIX\\SETUP.EXE"});
}

}  // namespace
