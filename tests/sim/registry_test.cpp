// The simulated registry: REGEDIT4 round trip and the primitives' results.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/port.h"
#include "support/machine_fixture.h"

namespace {

class RegistryTest : public MachineTest {};

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST_F(RegistryTest, ValuesSurviveTheRoundTripThroughRegFiles) {
  Make();
  RunProcess([] {
    port::RegKey key;
    ASSERT_EQ(port::RegCreate(port::HkeyLocalMachine, "SOFTWARE\\Brackwell\\Zelvane", key),
              port::RegOk);
    port::RegSetString(key, "DataPath", "C:\\PROGRA~1\\ZELVANE\\", 21);
    port::RegSetString(key, "Quote", "say \"hi\"", 8);
    port::RegSetString(key, "", "default", 7);
    port::RegSetString(key, "Short", "12345", 2);
    port::RegClose(key);
  });
  machine_.reset();
  const std::string reg = ReadText(folder_ + "/registry/95/HKEY_LOCAL_MACHINE.reg");
  EXPECT_NE(reg.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brackwell\\Zelvane]\r\n"
                     "\"DataPath\"=\"C:\\\\PROGRA~1\\\\ZELVANE\\\\\"\r\n"
                     "\"Quote\"=\"say \\\"hi\\\"\"\r\n@=\"default\"\r\n\"Short\"=\"12\"\r\n"),
            std::string::npos)
      << reg;
  std::string v;
  ASSERT_TRUE(Open().ReadRegistry(port::HkeyLocalMachine, "software\\BRACKWELL\\zelvane",
                                  "datapath", v));
  EXPECT_EQ(v, "C:\\PROGRA~1\\ZELVANE\\");
  ASSERT_TRUE(Open().ReadRegistry(port::HkeyLocalMachine, "SOFTWARE\\Brackwell\\Zelvane", "Quote", v));
  EXPECT_EQ(v, "say \"hi\"");
}

TEST_F(RegistryTest, QueryTellsTheSize) {
  Make();
  RunProcess([] {
    port::RegKey key;
    port::RegCreate(port::HkeyCurrentUser, "Software\\A\\B", key);
    port::RegSetString(key, "V", "hello", 5);
    char buf[4];
    std::uint32_t size = sizeof buf;
    EXPECT_EQ(port::RegQueryString(key, "V", buf, size), port::RegMoreData);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(port::RegQueryString(key, "missing", buf, size), port::RegNotFound);
    port::RegClose(key);
    EXPECT_EQ(port::RegQueryString(key, "V", buf, size), port::RegInvalidHandle);
    EXPECT_EQ(port::RegOpen(port::HkeyCurrentUser, "Software\\Nothing", key), port::RegNotFound);
  });
}

// Windows 95 removes a key with everything below it; NT refuses while it has subkeys.
TEST_F(RegistryTest, RemovingAKeyWithSubkeysFollowsTheBootedSystem) {
  const struct {
    sim::MachineKind kind;
    long result;
    bool gone;
  } cases[] = {{sim::MachineKind::Windows95, port::RegOk, true},
               {sim::MachineKind::WindowsNT, port::RegAccessDenied, false}};
  for (const auto& c : cases) {
    Make(c.kind);
    RunProcess([&] {
      port::RegKey key;
      port::RegCreate(port::HkeyCurrentUser, "Software\\A\\B", key);
      port::RegClose(key);
      port::RegOpen(port::HkeyCurrentUser, "Software", key);
      EXPECT_EQ(port::RegRemoveKey(key, "A"), c.result);
      port::RegClose(key);
      EXPECT_EQ(port::RegOpen(port::HkeyCurrentUser, "Software\\A\\B", key) == port::RegNotFound,
                c.gone);
    });
  }
}

// A value written as a REGEDIT4 literal is not read as a string.
TEST_F(RegistryTest, AValueThatIsNotAStringIsRefused) {
  Make();
  std::ofstream(folder_ + "/registry/95/HKEY_CURRENT_USER.reg")
      << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\"N\"=dword:00000001\r\n";
  RunProcess([] {
    port::RegKey key;
    ASSERT_EQ(port::RegOpen(port::HkeyCurrentUser, "Software\\A", key), port::RegOk);
    char buf[16];
    std::uint32_t size = sizeof buf;
    EXPECT_EQ(port::RegQueryString(key, "N", buf, size), port::RegInvalidData);
    port::RegClose(key);
  });
}

TEST_F(RegistryTest, AnInterruptedSaveLeavesThePreviousFile) {
  Make();
  const std::string file = folder_ + "/registry/95/HKEY_CURRENT_USER.reg";
  const std::string before = ReadText(file);
  // A scratch file left by a save that was cut short is not the registry.
  std::ofstream(file + ".new") << "REGEDIT4\r\n[HKEY_CURRENT_USER\\Half";
  std::string v;
  EXPECT_FALSE(Open().RegistryKeyExists(port::HkeyCurrentUser, "Half"));
  EXPECT_EQ(ReadText(file), before);
}

TEST_F(RegistryTest, ABrokenRegFileIsReportedWithItsLine) {
  Make();
  std::ofstream(folder_ + "/registry/95/HKEY_CURRENT_USER.reg")
      << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\"Name\"\r\n";
  try {
    Open();
    FAIL() << "a broken registry file was accepted";
  } catch (const sim::Error& e) {
    EXPECT_NE(std::string(e.what()).find("HKEY_CURRENT_USER.reg:4"), std::string::npos) << e.what();
  }
}

// Subkeys are found by name through an index that follows every creation and
// deletion, in any letter case, while they keep the order they were made in.
TEST_F(RegistryTest, SubkeysAreFoundInAnyCaseAfterCreationsAndDeletions) {
  Make();
  RunProcess([] {
    port::RegKey key;
    for (const char* name : {"Software\\Many\\Beta", "Software\\Many\\alpha",
                             "SOFTWARE\\MANY\\Gamma", "software\\many\\ALPHA"}) {
      ASSERT_EQ(port::RegCreate(port::HkeyCurrentUser, name, key), port::RegOk);
      port::RegClose(key);
    }
    ASSERT_EQ(port::RegOpen(port::HkeyCurrentUser, "SOFTWARE\\many", key), port::RegOk);
    auto names = [&] {
      std::string all;
      char name[32];
      for (std::uint32_t i = 0; port::RegEnumSubKey(key, i, name, sizeof name) == port::RegOk; ++i)
        all += std::string(all.empty() ? "" : " ") + name;
      return all;
    };
    EXPECT_EQ(names(), "Beta alpha Gamma");
    EXPECT_EQ(port::RegRemoveKey(key, "BETA"), port::RegOk);
    EXPECT_NE(port::RegRemoveKey(key, "beta"), port::RegOk);
    port::RegKey sub;
    EXPECT_EQ(port::RegOpen(port::HkeyCurrentUser, "Software\\Many\\Beta", sub), port::RegNotFound);
    ASSERT_EQ(port::RegCreate(port::HkeyCurrentUser, "Software\\Many\\BETA", sub), port::RegOk);
    port::RegClose(sub);
    EXPECT_EQ(names(), "alpha Gamma BETA");
    EXPECT_EQ(port::RegOpen(port::HkeyCurrentUser, "software\\MANY\\gamma", sub), port::RegOk);
    port::RegClose(sub);
    port::RegClose(key);
  });
  // The index is made again from the saved file.
  machine_.reset();
  EXPECT_TRUE(Open().RegistryKeyExists(port::HkeyCurrentUser, "SOFTWARE\\MANY\\beta"));
  EXPECT_FALSE(Open().RegistryKeyExists(port::HkeyCurrentUser, "Software\\Many\\Delta"));
}

}  // namespace
