#include <cstring>
#include <string>

#include "support/machine_fixture.h"
#include "platform/port.h"
#include "services/zvcfg/zvcfg.h"

namespace {

constexpr std::uint32_t Hklm = port::HkeyLocalMachine;
const char* const kVendor = "SOFTWARE\\Brackwell\\Zelvane";

class ZvcfgTest : public MachineTest {
 protected:
  void SetUp() override {
    Boot(sim::MachineKind::Windows95);
    machine_->WriteRegistry(Hklm, kVendor, "CurrentVersion", "5.01");
    machine_->WriteRegistry(Hklm, kVendor, "", "the default");
    machine_->WriteRegistry(Hklm, kVendor, "Long", "abcdefghijklmnopqrstuvwxyz");
    machine_->WriteRegistry(Hklm, kVendor, "Empty", "");
  }
};

TEST_F(ZvcfgTest, GetRegValueResults) {
  const struct {
    const char* key;
    const char* value;
    int size;
    int result;
    const char* buffer;  // after the call; the buffer starts as "5.0"
  } cases[] = {
      {"SOFTWARE|Brackwell|Nobody", "CurrentVersion", 8, 0, "5.0"},
      {"SOFTWARE|Brackwell|Zelvane", "Missing", 8, 0, "5.0"},
      {"SOFTWARE|Brackwell|Zelvane", "CurrentVersion", 8, 1, "5.01"},
      {"SOFTWARE|Brackwell|Zelvane", "CurrentVersion", 5, 1, "5.01"},
      {"SOFTWARE|Brackwell|Zelvane", "CurrentVersion", 4, 1, "5.0"},
      {"SOFTWARE|Brackwell|Zelvane", "Long", 5, 1, "abcd"},
      {"SOFTWARE|Brackwell|Zelvane", "Long", 260, 1, "abcdefghijklmnopqrstuvwxyz"},
      {"SOFTWARE|Brackwell|Zelvane", "Long", 1, 1, ""},
      {"SOFTWARE|Brackwell|Zelvane", "Empty", 8, 1, ""},
      {"SOFTWARE|Brackwell|Zelvane", "", 50, 1, "the default"},
      {"Software|BRACKWELL|zelvane", "CurrentVersion", 8, 1, "5.01"},
  };
  Run([&] {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.key) + " / " + c.value + " / " + std::to_string(c.size));
      char buffer[300];
      std::memset(buffer, '#', sizeof buffer);
      std::strcpy(buffer, "5.0");
      EXPECT_EQ(GetRegValue(Hklm, c.key, c.value, buffer, c.size), c.result);
      EXPECT_STREQ(buffer, c.buffer);
      // Nothing written past the size given.
      EXPECT_EQ(buffer[c.size > 4 ? c.size : 4], '#');
    }
  });
}

TEST_F(ZvcfgTest, SetRegValueStoresTheGivenLength) {
  Run([] {
    // A new key; "1" with length 1; a short text with a buffer's length
    // (only the text is read); a length shorter than the text.
    EXPECT_EQ(SetRegValue(Hklm, "SOFTWARE|Brackwell|Zelvane|5.0", "CalledFromInstall", "1", 1), 1);
    EXPECT_EQ(SetRegValue(Hklm, "SOFTWARE|Brackwell|Zelvane|5.0", "Path", "C:\\ZV\\zvuinst.exe",
                          260),
              1);
    EXPECT_EQ(SetRegValue(Hklm, "SOFTWARE|Brackwell|Zelvane|5.0", "Cut", "A:\\SETUP", 3), 1);
    char buffer[260];
    ASSERT_EQ(GetRegValue(Hklm, "SOFTWARE|Brackwell|Zelvane|5.0", "CalledFromInstall", buffer,
                          5),
              1);
    EXPECT_STREQ(buffer, "1");
    ASSERT_EQ(GetRegValue(Hklm, "SOFTWARE|Brackwell|Zelvane|5.0", "Path", buffer, 260), 1);
    EXPECT_STREQ(buffer, "C:\\ZV\\zvuinst.exe");
    ASSERT_EQ(GetRegValue(Hklm, "SOFTWARE|Brackwell|Zelvane|5.0", "Path", buffer, 8), 1);
    EXPECT_STREQ(buffer, "C:\\ZV\\z");
    ASSERT_EQ(GetRegValue(Hklm, "SOFTWARE|Brackwell|Zelvane|5.0", "Cut", buffer, 260), 1);
    EXPECT_STREQ(buffer, "A:\\");
  });
}

TEST_F(ZvcfgTest, AddCreatesLevelsAndReplaces) {
  Run([] {
    AddRegistryValue(Hklm, "SOFTWARE|Microsoft|Windows|CurrentVersion|Run", "Zelvane ToolBar",
                     "C:\\ZV\\ZVDOCK.EXE");
    AddRegistryValue(Hklm, "SOFTWARE|Brackwell|Zelvane", "CurrentVersion", "5.02");
    AddRegistryKeyWithDefVal(port::HkeyClassesRoot, "zvcomp|shell|Zelvane Scan|command",
                             "C:\\ZV\\ZV32.EXE /Zv32Scan%1");
    EXPECT_TRUE(IsRegistryKeyPresent(port::HkeyClassesRoot, "ZVCOMP|Shell"));
    EXPECT_FALSE(IsRegistryKeyPresent(port::HkeyClassesRoot, "zvcomp|verb"));
    EXPECT_TRUE(IsRegistryValuePresent(Hklm, "SOFTWARE|Brackwell|Zelvane", "Empty"));
    EXPECT_FALSE(IsRegistryValuePresent(Hklm, "SOFTWARE|Brackwell|Zelvane", "Missing"));
    EXPECT_FALSE(IsRegistryValuePresent(Hklm, "SOFTWARE|Nobody", "Missing"));
  });
  EXPECT_EQ(Registry(Hklm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Zelvane ToolBar"),
            "C:\\ZV\\ZVDOCK.EXE");
  EXPECT_EQ(Registry(Hklm, kVendor, "CurrentVersion"), "5.02");
  EXPECT_EQ(Registry(port::HkeyClassesRoot, "zvcomp\\shell\\Zelvane Scan\\command", ""),
            "C:\\ZV\\ZV32.EXE /Zv32Scan%1");
}

TEST_F(ZvcfgTest, DeleteRegistryKeyRemovesTheWholeSubtree) {
  machine_->WriteRegistry(Hklm, "SOFTWARE\\Brackwell\\Zelvane\\4.0", "Company", "Acme");
  machine_->WriteRegistry(Hklm, "SOFTWARE\\Brackwell\\Zelvane\\4.0\\Deep\\Deeper", "X", "1");
  machine_->WriteRegistry(Hklm, "SOFTWARE\\Brackwell\\Zelvane\\4.0\\Other", "Y", "2");
  machine_->WriteRegistry(Hklm, "SOFTWARE\\Brackwell\\Zelvane\\5.0", "Company", "Kept");
  Run([] {
    DeleteRegistryKey(Hklm, "SOFTWARE|Brackwell|Zelvane", "4.0");
    // Absent subkeys and values: nothing happens.
    DeleteRegistryKey(Hklm, "SOFTWARE|Brackwell|Zelvane", "3.0");
    DeleteRegistryKey(Hklm, "SOFTWARE|Brackwell|Nobody", "3.0");
    DeleteRegistryValue(Hklm, "SOFTWARE|Brackwell|Zelvane", "Missing");
    DeleteRegistryValue(Hklm, "SOFTWARE|Brackwell|Zelvane", "Long");
  });
  EXPECT_FALSE(machine_->RegistryKeyExists(Hklm, "SOFTWARE\\Brackwell\\Zelvane\\4.0"));
  EXPECT_TRUE(machine_->RegistryKeyExists(Hklm, "SOFTWARE\\Brackwell\\Zelvane\\5.0"));
  EXPECT_EQ(Registry(Hklm, kVendor, "CurrentVersion"), "5.01");
  EXPECT_FALSE(HasValue(Hklm, kVendor, "Long"));
}

TEST_F(ZvcfgTest, DeleteRegistryKeyTakesASubkeyPath) {
  machine_->WriteRegistry(port::HkeyClassesRoot, "exefile\\shell\\Zelvane Scan\\command", "", "x");
  machine_->WriteRegistry(port::HkeyClassesRoot, "exefile\\shell\\open\\command", "", "%1");
  Run([] { DeleteRegistryKey(port::HkeyClassesRoot, "exefile", "shell|Zelvane Scan"); });
  EXPECT_FALSE(machine_->RegistryKeyExists(port::HkeyClassesRoot, "exefile\\shell\\Zelvane Scan"));
  EXPECT_TRUE(machine_->RegistryKeyExists(port::HkeyClassesRoot, "exefile\\shell\\open\\command"));
}

}  // namespace
