// The engine over the port, on a simulated machine: InitScan, each scanner
// on the fixture images, one read of a file for its four scanners, and no
// stale cache for another file.
#include "engine_test_util.h"
#include "services/zvengine/exe_layout.h"
#include "services/zvengine/zvengine.h"
#include "services/zvutil/file_type.h"

namespace {

using Scanner = void (*)(port::File, Index*);
constexpr Scanner kScanners[] = {ScanTopViruses, ScanBottViruses, ScanPEViruses, ScanPolyViruses};
constexpr const char* kScannerNames[] = {"top", "bottom", "PE", "polymorphic"};
constexpr char kIndex[] = "C:\\ZV\\ZV.INX";

port::File OpenForScan(const std::string& path) {
  return port::OpenFile(path.c_str(), port::GenericRead, port::ShareRead, port::OpenExisting);
}

// The virus id one scanner reports for a file opened afresh.
int ScanOnce(const std::string& path, Scanner scanner, int* entry = nullptr) {
  port::File file = OpenForScan(path);
  EXPECT_NE(file, port::InvalidFile) << path;
  Index result{99, 99};
  scanner(file, &result);
  port::CloseFile(file);
  if (entry) *entry = result.entry;
  return result.virusId;
}

// What each scanner reports for each fixture (-1: clean): every marker is
// found by its own scanner only.
const struct {
  const char* file;
  int ids[4];  // top, bottom, PE, polymorphic
} kFixtures[] = {
    {"top.com", {2001, -1, -1, -1}},     {"bottom.exe", {-1, 20, -1, -1}},
    {"pe.exe", {-1, -1, 16, -1}},        {"poly.com", {-1, -1, -1, 8001}},
    {"clean.com", {-1, -1, -1, -1}},     {"peclean.exe", {-1, -1, -1, -1}},
    {"dos.exe", {-1, -1, -1, -1}},
};

using EnginePort = FixtureMachine;

TEST_F(EnginePort, EachScannerFindsItsOwnMarker) {
  Run([] {
    ASSERT_EQ(InitScan(kIndex), 1);
    for (const auto& f : kFixtures)
      for (int s = 0; s < 4; ++s)
        EXPECT_EQ(ScanOnce(std::string("C:\\FIX\\") + f.file, kScanners[s]), f.ids[s])
            << f.file << ", " << kScannerNames[s] << " scanner";
    int entry = 0;
    EXPECT_EQ(ScanOnce("C:\\FIX\\bottom.exe", ScanBottViruses, &entry), 20);
    EXPECT_EQ(entry, 3) << "the entry of Test.Delta in the sample index";
    EndScan();
  });
}

TEST_F(EnginePort, InitScanNeedsTheWholeValidIndex) {
  const auto size = std::filesystem::file_size(machine_->HostPath(kIndex));
  std::filesystem::resize_file(machine_->HostPath("C:\\FIX\\ZV.INX"), size - 1);
  Run([] {
    EXPECT_EQ(InitScan("C:\\ZV\\MISSING.INX"), 0);
    EXPECT_EQ(InitScan("C:\\FIX\\ZV.INX"), 0);
    EXPECT_EQ(ScanOnce("C:\\FIX\\top.com", ScanTopViruses), -1) << "no engine, no detection";
    EXPECT_EQ(InitScan(kIndex), 1);
    EXPECT_EQ(ScanOnce("C:\\FIX\\top.com", ScanTopViruses), 2001);
    EndScan();
    EXPECT_EQ(ScanOnce("C:\\FIX\\top.com", ScanTopViruses), -1) << "after EndScan";
  });
}

// The markers are written into the file after the first scanner has run: the
// other three see the file as it was read, and the next scan of the file
// reads it anew.
TEST_F(EnginePort, AFileIsReadOnceForItsFourScanners) {
  Run([this] {
    ASSERT_EQ(InitScan(kIndex), 1);
    port::File file = OpenForScan("C:\\FIX\\peclean.exe");
    Index result{};
    ScanTopViruses(file, &result);
    EXPECT_EQ(result.virusId, -1);
    Patch("C:\\FIX\\peclean.exe", 0x210, "ZV-PE12O");
    Patch("C:\\FIX\\peclean.exe", 0x300, "ZV..-GOLF");
    Patch("C:\\FIX\\peclean.exe", -8, "ZV-DELTA");
    for (Scanner scanner : {ScanBottViruses, ScanPEViruses, ScanPolyViruses}) {
      scanner(file, &result);
      EXPECT_EQ(result.virusId, -1);
    }
    port::CloseFile(file);
    for (int s = 1; s < 4; ++s)
      EXPECT_NE(ScanOnce("C:\\FIX\\peclean.exe", kScanners[s]), -1) << kScannerNames[s];
    EndScan();
  });
}

TEST_F(EnginePort, NoStaleCacheForAnotherFile) {
  Run([this] {
    ASSERT_EQ(InitScan(kIndex), 1);
    Index result{};
    // Another handle, while the first file's road is not over.
    port::File clean = OpenForScan("C:\\FIX\\clean.com");
    ScanTopViruses(clean, &result);
    port::File infected = OpenForScan("C:\\FIX\\bottom.exe");
    ScanBottViruses(infected, &result);
    EXPECT_EQ(result.virusId, 20);
    port::CloseFile(infected);
    // The same handle for a file of the same length, as when a closed
    // handle's value comes back for the next file: it stands at its start.
    ScanTopViruses(clean, &result);
    Patch("C:\\FIX\\clean.com", -8, "ZV-DELTA");
    port::SeekTo(clean, 0);
    ScanBottViruses(clean, &result);
    EXPECT_EQ(result.virusId, 20);
    port::CloseFile(clean);
    EndScan();
  });
}

}  // namespace

namespace {

// A Win32 program whose PE header lies past the first 4 KB (at 0x1100), with
// the PE scanner's "ZV-PE..." marker at its entry point, padded to `size`.
std::string FarHeaderImage(std::size_t size) {
  std::string image(size, '\0');
  auto put16 = [&](std::size_t at, unsigned v) {
    image[at] = static_cast<char>(v & 0xFF);
    image[at + 1] = static_cast<char>(v >> 8 & 0xFF);
  };
  auto put32 = [&](std::size_t at, unsigned v) { put16(at, v & 0xFFFF), put16(at + 2, v >> 16); };
  image[0] = 'M', image[1] = 'Z';
  put32(0x3C, 0x1100);
  image.replace(0x1100, 4, std::string("PE\0\0", 4));
  put16(0x1100 + 6, 1);       // one section
  put16(0x1100 + 20, 0xE0);   // the optional header's size
  put32(0x1118 + 16, 0x2010); // the entry point's address
  put32(0x1118 + 60, 0x400);  // the headers' size
  const std::size_t section = 0x1118 + 0xE0;
  put32(section + 8, 0x1000), put32(section + 12, 0x2000);
  put32(section + 16, 0x1000), put32(section + 20, 0x2000);
  image.replace(0x2010, 8, "ZV-PE-EO");
  return image;
}

// Whatever its size, the classification and the PE scanner see one file
// alike: a header that the classification does not find is no PE header
// for the scanner either.
TEST_F(EnginePort, TheScannerAndTheClassificationAgreeOnEverySize) {
  for (std::size_t size : {std::size_t{65536}, std::size_t{65537}})
    PutFile("C:\\FIX\\far" + std::to_string(size) + ".exe", FarHeaderImage(size));
  Run([] {
    ASSERT_EQ(InitScan(kIndex), 1);
    for (const char* name : {"C:\\FIX\\far65536.exe", "C:\\FIX\\far65537.exe"}) {
      port::File file = OpenForScan(name);
      const std::int16_t type = CheckFileType(file);
      port::CloseFile(file);
      const int found = ScanOnce(name, ScanPEViruses);
      EXPECT_EQ(type == exe::kPE, found != -1) << name << ": type " << type << ", PE scanner "
                                               << found;
    }
    EndScan();
  });
}

// An empty file leaves nothing behind for the next file that comes under the
// same handle value, which also stands at its start.
TEST_F(EnginePort, AnEmptyFileLeavesNoCacheForTheNextFile) {
  PutFile("C:\\FIX\\empty.com", "");
  Run([] {
    ASSERT_EQ(InitScan(kIndex), 1);
    port::File file = port::OpenFile("C:\\FIX\\empty.com", port::GenericRead | port::GenericWrite,
                                     0, port::OpenExisting);
    Index result{};
    ScanTopViruses(file, &result);
    EXPECT_EQ(result.virusId, -1);
    // Other bytes under the same handle, standing at their start: as good as
    // another file opened under the same value.
    port::WriteTo(file, "ZV-TOP", 6);
    port::SeekTo(file, 0);
    ScanTopViruses(file, &result);
    EXPECT_EQ(result.virusId, 2001);
    port::CloseFile(file);
    EndScan();
  });
}

}  // namespace
