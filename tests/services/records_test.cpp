#include <cstring>
#include <string>

#include "frame/records.h"
#include "frame/setup_state.h"
#include "support/machine_fixture.h"
#include "platform/port.h"
#include "services/zvcfg/zvcfg.h"
#include "services/zvutil/zvutil.h"

namespace {

constexpr std::uint32_t Hklm = port::HkeyLocalMachine;
constexpr std::uint32_t Hkcu = port::HkeyCurrentUser;
const char* const kVendor = "SOFTWARE\\Brackwell\\Zelvane";
const char* const kUserVendor = "Software\\Brackwell\\Zelvane";
const char* const kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelvane";
const char* const kOemCopy = "Software\\Brackwell\\Zelvane\\OEM Copy";
const char* const kComplimentary = "Software\\Brackwell\\Zelvane\\Complimentary Copy";

using RecordsTest = MachineTest;

void SetInstallDir(const char* dir) { std::strcpy(InstallDir, dir); }

TEST_F(RecordsTest, TakeOverWithoutUninstallStringChangesNothing) {
  Boot(sim::MachineKind::Windows95);
  machine_->WriteRegistry(Hklm, kUninstall, "DisplayName", "Zelvane");
  Run([] {
    SetInstallDir("C:\\ZV\\");
    EXPECT_EQ(TakeOverUninstallEntry(), 0);
    EXPECT_EQ(Profile("C:\\ZV.INI", "Path", "Uninstall"), "");
  });
  EXPECT_FALSE(HasValue(Hklm, kVendor, "UninstPath"));
  EXPECT_FALSE(HasValue(Hklm, kUninstall, "UninstallString"));
}

TEST_F(RecordsTest, TakeOverKeepsTheFrontEndsCommand) {
  Boot(sim::MachineKind::Windows95);
  machine_->WriteRegistry(Hklm, kUninstall, "UninstallString",
                          "C:\\WINDOWS\\UNINST.EXE -f\"C:\\PROGRAM FILES\\ZV\\x.log\"");
  Run([] {
    SetInstallDir("C:\\PROGRA~1\\ZV\\");
    EXPECT_EQ(TakeOverUninstallEntry(), 1);
    EXPECT_EQ(Profile("C:\\ZV.INI", "Path", "Uninstall"),
              "c:\\windows\\uninst.exe -f\"c:\\program files\\zv\\x.log\"");
    char command[260];
    ASSERT_EQ(GetRegValue(Hklm, "SOFTWARE|Microsoft|Windows|CurrentVersion|Uninstall|Zelvane",
                          "UninstallString", command, sizeof command),
              1);
    EXPECT_STREQ(command, "C:\\PROGRA~1\\ZV\\zvuinst.exe");
  });
  EXPECT_EQ(Registry(Hklm, kVendor, "UninstPath"),
            "c:\\windows\\uninst.exe -f\"c:\\program files\\zv\\x.log\"");
}

TEST_F(RecordsTest, WritePathRecordLeavesTheOtherSystemsEntry) {
  const struct {
    const char* boot;
    const char* mine;
    const char* windowsDir;
    const char* other;
  } cases[] = {{"NT", "Windows NT", "C:\\WINNT", "Windows 95"},
               {"95", "Windows 95", "C:\\WINDOWS", "Windows NT"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.boot);
    Boot(sim::MachineKind::DualBoot, c.boot);
    Run([&] {
      port::WriteProfileString("C:\\ZV.INI", "Path", c.other, "D:\\OLDWIN");
      SetInstallDir("C:\\PROGRA~1\\ZV\\");
      WritePathRecord();
      EXPECT_EQ(Profile("C:\\ZV.INI", "Path", "Zelvane"), "C:\\PROGRA~1\\ZV\\");
      EXPECT_EQ(Profile("C:\\ZV.INI", "Path", c.mine), c.windowsDir);
      EXPECT_EQ(Profile("C:\\ZV.INI", "Path", c.other), "D:\\OLDWIN");
    });
  }
}

TEST_F(RecordsTest, WriteInfoRecordTakesTheInstalledVersion) {
  Boot(sim::MachineKind::Windows95);
  machine_->WriteRegistry(Hklm, kVendor, "CurrentVersion", "5.0.1234");  // 7 characters read
  machine_->WriteRegistry(Hklm, std::string(kVendor) + "\\5.0.123", "Company",
                          std::string(60, 'C'));
  Run([] {
    std::strcpy(InfoIniPath, "C:\\WINDOWS\\ZV32.INI");
    WriteInfoRecord();
    EXPECT_STREQ(ProductVersion, "5.0.123");
    EXPECT_EQ(Profile(InfoIniPath, "Info", "Version"), "5.0.123");
    EXPECT_EQ(Profile(InfoIniPath, "Info", "Company"), std::string(49, 'C'));
    EXPECT_EQ(Profile(InfoIniPath, "Info", "Name"), "");  // missing: an empty entry
  });
}

TEST_F(RecordsTest, WriteInfoRecordWithoutCurrentVersionKeepsTheDefault) {
  Boot(sim::MachineKind::Windows95);
  machine_->WriteRegistry(Hklm, std::string(kVendor) + "\\5.0", "Name", "Ann Smith");
  Run([] {
    std::strcpy(InfoIniPath, "C:\\WINDOWS\\ZV32.INI");
    WriteInfoRecord();
    EXPECT_EQ(Profile(InfoIniPath, "Info", "Version"), "5.0");
    EXPECT_EQ(Profile(InfoIniPath, "Info", "Name"), "Ann Smith");
  });
}

TEST_F(RecordsTest, ReadUninstallArguments) {
  const struct {
    const char* saved;
    const char* arguments;
  } cases[] = {
      {"c:\\windows\\uninst.exe -f c:\\zv\\x.log", " -f c:\\zv\\x.log"},
      {"c:\\windows\\uninst.exe", ""},
      {"", ""},
      {"c:\\program files\\setup\\uninst.exe -f x", " files\\setup\\uninst.exe -f x"},
  };
  Boot(sim::MachineKind::Windows95);
  Run([&] {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.saved);
      port::WriteProfileString("C:\\ZV.INI", "Path", "Uninstall", c.saved);
      char arguments[260] = "unchanged";
      ReadUninstallArguments(arguments);
      EXPECT_STREQ(arguments, c.arguments);
    }
  });
}

TEST_F(RecordsTest, DataPathAndOsInfo) {
  Boot(sim::MachineKind::Windows95);
  machine_->WriteRegistry(Hklm, kVendor, "DataPath", "C:\\OLD\\");
  MakeFolder("C:\\ZV");
  Run([] {
    SetInstallDir("C:\\ZV\\");
    WriteDataPath();
    RecordOsInfo();
    EXPECT_EQ(Profile("C:\\ZV\\ZV32.CNF", "OS", "Windows 95"), "C:\\WINDOWS");
  });
  EXPECT_EQ(Registry(Hklm, kVendor, "DataPath"), "C:\\ZV\\");
}

// The other system's installation: its path record entries and info record.
class ImportTest : public MachineTest {
 protected:
  void SetUp() override {
    Boot(sim::MachineKind::DualBoot, "NT");
    Run([] {
      port::WriteProfileString("C:\\ZV.INI", "Path", "Zelvane", "C:\\ZV");
      port::WriteProfileString("C:\\ZV.INI", "Path", "Windows 95", "C:\\WINDOWS");
      port::WriteProfileString("C:\\ZV.INI", "Path", "Uninstall",
                               "c:\\windows\\uninst.exe -f c:\\zv\\x.log");
    });
  }
  void Info(const char* section, const char* key, const char* value) {
    Run([&] { port::WriteProfileString("C:\\WINDOWS\\ZV32.INI", section, key, value); });
  }
};

TEST_F(ImportTest, RebuildsThisSystemsEntries) {
  Info("Info", "Version", "5.0.123456");
  Info("Info", "Company", "Acme Ltd");
  Info("Info", "Name", std::string(40, 'N').c_str());
  Info("OEM", "Name", "");
  Info("OEM", "Email", "oem@example.com");
  Info("OEM", "Fax", "555");
  Info("Complimentary", "Name", "Bob");
  Run([] {
    ImportOtherSystemRecords();
    EXPECT_STREQ(InfoIniPath, "C:\\WINDOWS\\ZV32.INI");
    EXPECT_STREQ(ProductVersion, "5.0.1");
  });
  EXPECT_EQ(Registry(Hkcu, kUserVendor, "Type"), "2");  // no "Type" in the record
  EXPECT_EQ(Registry(Hklm, kVendor, "CurrentVersion"), "5.0.1");
  const std::string versionKey = std::string(kVendor) + "\\5.0.1";
  EXPECT_EQ(Registry(Hklm, versionKey, "Company"), "Acme Ltd");
  EXPECT_EQ(Registry(Hklm, versionKey, "Name"), std::string(29, 'N'));
  for (const char* value : {"OEM Name", "OEM Email", "OEM Fax", "OEM Phone"})
    EXPECT_FALSE(HasValue(Hkcu, kOemCopy, value)) << value;
  EXPECT_EQ(Registry(Hkcu, kComplimentary, "Name"), "Bob");
  EXPECT_EQ(Registry(Hklm, kUninstall, "DisplayName"), "Zelvane");
  EXPECT_EQ(Registry(Hklm, kUninstall, "UninstallString"), "C:\\ZV\\ZVUINST.EXE");
  EXPECT_EQ(Registry(Hklm, kVendor, "UninstPath"),
            "C:\\WINNT\\Uninst.exe  -f c:\\zv\\x.log");
}

TEST_F(ImportTest, OemDetailsComeWithTheOemName) {
  Info("Info", "Type", "3");
  Info("OEM", "Name", "Shop");
  Info("OEM", "Phone", "123");
  Run([] { ImportOtherSystemRecords(); });
  EXPECT_EQ(Registry(Hkcu, kUserVendor, "Type"), "3");
  EXPECT_EQ(Registry(Hkcu, kOemCopy, "OEM Name"), "Shop");
  EXPECT_EQ(Registry(Hkcu, kOemCopy, "OEM Phone"), "123");
  EXPECT_TRUE(HasValue(Hkcu, kOemCopy, "OEM Email"));
  EXPECT_EQ(Registry(Hkcu, kOemCopy, "OEM Fax"), "");
  EXPECT_FALSE(HasValue(Hkcu, kComplimentary, "Name"));
  EXPECT_EQ(Registry(Hklm, kVendor, "CurrentVersion"), "");  // no version recorded
}

// What one system writes, the other system's checks read.
TEST_F(RecordsTest, AnInstallationIsSeenFromTheOtherSystem) {
  Boot(sim::MachineKind::DualBoot, "95");
  Run([] {
    SetInstallDir("C:\\ZV\\");
    WritePathRecord();
  });
  Reboot("NT");
  Run([] { EXPECT_EQ(GetZVVersionsInstalled(), 1); });
}

}  // namespace
