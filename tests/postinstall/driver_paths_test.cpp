// The install path written over the driver files' markers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/port.h"
#include "postinstall/driver_paths.h"
#include "postinstall/postinstall_fixture.h"
#include "services/zvio/zvio.h"

namespace {

const std::string kZ(kMarkerLength, 'z');
const std::string kY(kMarkerLength, 'y');

// `size` filler bytes with `text` placed at `at`.
std::string Bytes(std::size_t size, std::vector<std::pair<std::size_t, std::string>> placed = {}) {
  std::string bytes(size, '.');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('0' + i % 7);
  for (const auto& [at, text] : placed) bytes.replace(at, text.size(), text);
  return bytes;
}

// `bytes` with `patch` and its zero byte written at `at`.
std::string Patched(std::string bytes, std::size_t at, const std::string& patch) {
  bytes.replace(at, patch.size() + 1, patch + std::string(1, '\0'));
  return bytes;
}

class DriverPathsTest : public PostinstallTest {};

TEST_F(DriverPathsTest, FindMarkerTakesTheFirstOccurrenceWindowByWindow) {
  const struct {
    const char* what;
    std::string bytes;
    bool found;
    long offset;
  } cases[] = {
      {"across the first window's end", Bytes(1000, {{500, kZ}}), true, 500},
      {"in the last, shorter window", Bytes(1200, {{1150, kZ}}), true, 1150},
      {"ending the file's only window", Bytes(512, {{493, kZ}}), true, 493},
      {"a run of 25 from its first letter", Bytes(900, {{100, kZ + "zzzzzz"}}), true, 100},
      {"the first of two", Bytes(2000, {{1700, kZ}, {30, kZ}}), true, 30},
      {"18 letters are no marker", Bytes(600, {{200, kZ.substr(1)}}), false, 0},
      {"a file without it", Bytes(3000, {{10, kY}}), false, 0},
      {"a file shorter than the marker", "zzzz", false, 0},
      {"an empty file", "", false, 0},
  };
  MakeInstalled();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Run([&] {
      WriteWholeFile("C:\\VIGARD.SYS", c.bytes);
      void* file = my_open("C:\\VIGARD.SYS", ZvioReadWrite, ZvioPermitWrite);
      ASSERT_NE(file, ZvioFailed);
      long offset = -1;
      EXPECT_EQ(FindMarker(file, kZ.c_str(), offset), c.found ? 1 : 0);
      EXPECT_EQ(c.found ? offset : 0, c.offset);
      my_close(file);
    });
  }
}

TEST_F(DriverPathsTest, ThreePatchesInOrder) {
  MakeInstalled();
  // The 'y' marker ahead of the 'z' one: each patch searches from the start.
  const std::string sys = Bytes(1300, {{40, kY}, {500, kZ}});
  const std::string drv = Bytes(700, {{600, kZ}});
  PutFile(std::string(kInstallLong) + "VIGARD.SYS", sys);
  PutFile(std::string(kInstallLong) + "VIGARD.DRV", drv);
  Installed([] {
    port::SetAttributes("C:\\PROGRA~1\\AV\\VIGARD.DRV", port::AttrReadOnly);
    PatchDriverPaths();
    EXPECT_EQ(port::FileAttributes("C:\\PROGRA~1\\AV\\VIGARD.DRV") & port::AttrReadOnly, 0u);
  });
  const std::string drvPath = "c:\\progra~1\\av\\vigard.drv";
  EXPECT_EQ(drvPath.size() + 1, 26u);
  EXPECT_EQ(File("C:\\Program Files\\AV\\VIGARD.SYS"),
            Patched(Patched(sys, 500, drvPath), 40, "c:\\progra~1\\av\\zv.inx"));
  EXPECT_EQ(File("C:\\Program Files\\AV\\VIGARD.DRV"),
            Patched(drv, 600, "c:\\progra~1\\av\\zv.inx"));

  // Patched files hold no marker any more: a second run changes nothing.
  const std::string once = File("C:\\Program Files\\AV\\VIGARD.SYS");
  Installed([] { PatchDriverPaths(); });
  EXPECT_EQ(File("C:\\Program Files\\AV\\VIGARD.SYS"), once);
}

TEST_F(DriverPathsTest, FileWithoutMarkerKeepsItsBytesButNotItsReadOnlyAttribute) {
  MakeInstalled();
  const std::string bytes = Bytes(800, {{100, kZ.substr(2)}});
  PutFile("C:\\DRV\\VIGARD.DRV", bytes);
  Installed([] {
    port::SetAttributes("C:\\DRV\\VIGARD.DRV", port::AttrReadOnly);
    EXPECT_EQ(PatchFile("C:\\DRV\\VIGARD.DRV", kZ.c_str(), "c:\\x\\zv.inx"), 0);
    EXPECT_EQ(PatchFile("C:\\DRV\\MISSING.DRV", kZ.c_str(), "c:\\x\\zv.inx"), 0);
    EXPECT_EQ(port::FileAttributes("C:\\DRV\\VIGARD.DRV") & port::AttrReadOnly, 0u);
  });
  EXPECT_EQ(File("C:\\DRV\\VIGARD.DRV"), bytes);
}

TEST_F(DriverPathsTest, InstallDirectoryTooLongForTheDriverLeavesTheMarkers) {
  // 8 + 9 folders of 8.3 names: a short form of 84 characters.
  const std::string dir = "C:\\ABCDEFGH\\ABCDEFGH\\ABCDEFGH\\ABCDEFGH\\ABCDEFGH\\ABCDEFGH\\ABCDEFGH\\"
                          "ABCDEFGH\\ABCDEFGH\\";
  ASSERT_GT(dir.size(), 79u);
  Make();
  const std::string sys = Bytes(600, {{100, kZ}, {300, kY}});
  PutFile(dir + "VIGARD.SYS", sys);
  Run([&] {
    std::strcpy(InstallDir, dir.c_str());
    PatchDriverPaths();
  });
  EXPECT_EQ(File(dir + "VIGARD.SYS"), sys);
}

// Every open, read and write of the three patches failing in turn, once or
// from then on: each marker holds either itself or its whole patch, and no
// other byte of the disk changes.
TEST_F(DriverPathsTest, NoFailedOperationCutsAPatch) {
  const std::string sys = Bytes(1300, {{500, kZ}, {1250, kY}});
  const std::string drv = Bytes(700, {{600, kZ}});
  const std::string sysPath = "C:\\Program Files\\AV\\VIGARD.SYS";
  const std::string drvPath = "C:\\Program Files\\AV\\VIGARD.DRV";
  const std::string toDrv = "c:\\progra~1\\av\\vigard.drv", toInx = "c:\\progra~1\\av\\zv.inx";
  const std::vector<std::string> sysStates = {
      sys, Patched(sys, 500, toDrv), Patched(sys, 1250, toInx),
      Patched(Patched(sys, 500, toDrv), 1250, toInx)};
  const std::vector<std::string> drvStates = {drv, Patched(drv, 600, toInx)};
  std::map<std::string, std::string> before;
  Figures total;
  int checked = 0;
  for (const char* kind : {"open", "read", "write"}) {
    for (const bool fromNthOn : {false, true}) {
      const Figures f = LoopFaults(
          kind, fromNthOn,
          [&] {
            MakeInstalled();
            PutFile(sysPath, sys);
            PutFile(drvPath, drv);
            before = DiskFiles();
          },
          [] {
            std::strcpy(InstallDir, kInstallShort);
            PatchDriverPaths();
          },
          [&] {
            std::map<std::string, std::string> after = DiskFiles();
            const std::string& s = after[sysPath];
            const std::string& d = after[drvPath];
            EXPECT_NE(std::find(sysStates.begin(), sysStates.end(), s), sysStates.end());
            EXPECT_NE(std::find(drvStates.begin(), drvStates.end(), d), drvStates.end());
            after[sysPath] = sys;
            after[drvPath] = drv;
            EXPECT_EQ(after, before);
            checked += 2;
          });
      total.runs += f.runs;
      total.faults += f.faults;
    }
  }
  RecordProperty("runs", total.runs);
  RecordProperty("faults", total.faults);
  std::printf("driver patches: %d runs, %d faults injected, %d files checked\n", total.runs,
              total.faults, checked);
}

}  // namespace
