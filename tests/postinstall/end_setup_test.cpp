// "/endsetup" on a simulated machine, and the reconfiguration for a second
// Windows that runs the same component stages. Whole installations are
// rehearsed in scenarios/; these are the roads they do not take.
#include <gtest/gtest.h>

#include <string>

#include "frame/registry_layout.h"
#include "preinstall/preinstall_fixture.h"
#include "preinstall/reconfigure.h"

namespace {

constexpr std::uint32_t kUser = port::HkeyCurrentUser;
constexpr std::uint32_t kLocal = port::HkeyLocalMachine;
// The components answered with nothing chosen: no diskettes, no scheduler.
const char* const kNoComponents =
    "box \"Warning\" \"MS-Word\" OK\n"
    "dialog 149 uncheck 1024 press 1\n"
    "dialog 102 uncheck 1000 uncheck 1001 uncheck 1002 uncheck 1004 press 1\n";

class EndSetupTest : public PreinstallTest {
 protected:
  void CopyProduct() {
    for (const char* file : {"ZV32.EXE", "VIGARD.EXE", "ZVDOCK.EXE", "ZVSCHED.EXE", "ZVSTRUP.EXE", "ZVUINST.EXE",
                             "ZV95.CNF", "ZVNT.CNF"})
      PutFile(std::string("C:\\Program Files\\Zelvane\\") + file, "product");
  }
};

// Without "TempCurrentVersion" the version is 5.0; the disinfection offer,
// answered No, is followed at once by the components; the path record is
// hidden alone, whatever it was.
TEST_F(EndSetupTest, NoRecordedVersionAndNoDisinfectionAndThePathRecordHiddenAlone) {
  Make();
  CopyProduct();
  PutFile("C:\\ZV.INI", "[Path]\r\n");
  SetReg(kUser, kUserVendorKey, kVirusFoundValue, "1");
  Answer(std::string("box \"Disinfect Your System\" No\n") + kNoComponents);
  Run([] { port::SetAttributes("C:\\ZV.INI", port::AttrReadOnly | port::AttrHidden); });
  ASSERT_EQ(Zvset("/endsetup*A:\\*C:\\Program Files\\Zelvane").ending,
            sim::RunResult::Ending::Exited)
      << Transcript();
  EXPECT_EQ(Reg(kLocal, kVendorKey, kCurrentVersionValue), "5.0");
  EXPECT_EQ(Reg(kLocal, kAppPathsKey + std::string("|ZV32.EXE"), ""), "C:\\PROGRA~1\\ZELVANE\\");
  EXPECT_EQ(Ini("C:\\WINDOWS\\ZV32.INI", "Info", "Version"), "5.0");
  EXPECT_EQ(Count("ZV32.EXE\" \"/AllDrives\""), 0);
  const std::string t = Transcript();
  const auto offer = t.find("box \"Disinfect Your System\"");
  ASSERT_NE(offer, std::string::npos);
  EXPECT_LT(offer, t.find("dialog 149 \"Select Components to Install\" opens"));
  EXPECT_EQ(Count("dialog 135"), 0);
  EXPECT_EQ(Count("Schedule Zelvane Scanner"), 0);
  // The value stays for the scanner to see.
  EXPECT_EQ(Reg(kUser, kUserVendorKey, kVirusFoundValue), "1");
  std::uint32_t attributes = 0;
  Run([&] { attributes = port::FileAttributes("C:\\ZV.INI"); });
  EXPECT_EQ(attributes, port::AttrHidden);
}

class ReconfigureTest : public EndSetupTest {
 protected:
  // Zelvane 5.0 under Windows 95 of a dual-boot machine, booted into `system`.
  void InstalledUnderWindows95(const std::string& system) {
    Boot(sim::MachineKind::DualBoot, system);
    CopyProduct();
    PutFile("C:\\ZV.INI",
            "[Path]\r\nZelvane=C:\\PROGRA~1\\ZELVANE\\\r\nWindows 95=C:\\WINDOWS\r\n"
            "Uninstall=c:\\windows\\uninst.exe -f\"c:\\zv\\deisl1.isu\"\r\n");
    PutFile("C:\\WINDOWS\\ZV32.INI", "[Info]\r\nType=3\r\nVersion=5.0\r\nCompany=Co\r\nName=N\r\n");
    PutFile("C:\\WINDOWS\\WININIT.INI", "[Rename]\r\nNUL=C:\\PROGRA~1\\ZELVANE\\OLD.VXD\r\n");
    PutFile("C:\\WINNT\\WININIT.INI", "[Rename]\r\nNUL=C:\\PROGRA~1\\ZELVANE\\OLD.SYS\r\n");
  }
};

TEST_F(ReconfigureTest, CancelChangesNothingAndTheFrontEndGoesOn) {
  InstalledUnderWindows95("NT");
  Answer("box \"Setup\" \"already installed on Windows 95\" Cancel\n");
  Stage([] { ReconfigureForThisSystem(); });
  EXPECT_EQ(Count("box "), 1) << Transcript();
  EXPECT_EQ(Count("dde "), 0);
  EXPECT_EQ(Count("WM_CLOSE"), 0);
  EXPECT_FALSE(KeyExists(kLocal, kVendorKey));
  EXPECT_EQ(Ini("C:\\ZV.INI", "Path", "Windows NT"), "<none>");
}

// On Windows NT the start-up program and AUTOEXEC.BAT are left alone, both
// Windows directories' WININIT.INI are cleaned, the components see the
// other system's edition, and success is told after the front end closed.
TEST_F(ReconfigureTest, OnWindowsNtBothWininitFilesAndTheOtherSystemsEdition) {
  InstalledUnderWindows95("NT");
  Answer(std::string("box \"Setup\" \"already installed on Windows 95\" OK\n") +
         "box \"Warning\" \"MS-Word\" OK\ndialog 149 uncheck 1024 press 1\n"
         "dialog 103 uncheck 1000 uncheck 1001 uncheck 1002 uncheck 1003 press 1\n"
         "box \"Setup\" \"successfully installed\" OK\n");
  ASSERT_EQ(Stage([] { ReconfigureForThisSystem(); }).ending, sim::RunResult::Ending::Exited)
      << Transcript();
  EXPECT_EQ(Count("ZVSTRUP.EXE"), 0);
  EXPECT_EQ(Count("AUTOEXEC"), 0);
  std::string wininit95, wininitNT;
  ASSERT_TRUE(ReadFile("C:\\WINDOWS\\WININIT.INI", wininit95));
  ASSERT_TRUE(ReadFile("C:\\WINNT\\WININIT.INI", wininitNT));
  EXPECT_EQ(wininit95.find("ZELVANE"), std::string::npos) << wininit95;
  EXPECT_EQ(wininitNT.find("ZELVANE"), std::string::npos) << wininitNT;
  EXPECT_EQ(Ini("C:\\ZV.INI", "Path", "Windows NT"), "C:\\WINNT");
  EXPECT_EQ(Reg(kLocal, kVendorKey, kCurrentVersionValue), "5.0");
  const std::string t = Transcript();
  EXPECT_LT(t.find("window \"Setup\": WM_CLOSE"), t.find("successfully installed"));
  EXPECT_EQ(Count("shell: item "), 5);
}

}  // namespace
