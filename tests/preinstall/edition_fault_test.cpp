// The edition records under every failing file and registry operation: the
// info record and the registry stay whole, and a run without faults after
// any of them records the whole edition.
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <sstream>
#include <string>

#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "preinstall/edition.h"
#include "support/fault_loop.h"

namespace {

const char* const kInfo = "C:\\WINDOWS\\ZV32.INI";
const char* const kVendor = "Software\\Brackwell\\Zelvane";
const char* const kOldInfo = "[Info]\r\nType=1\r\n[Path]\r\nInstall=C:\\ZV\r\n";

class EditionFaultTest : public FaultLoopTest {
 protected:
  void Prepare() {
    Make();
    PutFile(kInfo, kOldInfo);
  }
  static void RecordTheEdition() {
    ModuleInstance = 0x400000;
    std::strcpy(InfoIniPath, kInfo);
    RecordEdition("3", 1, 0, 1, "Ann Holder");
  }
};

TEST_F(EditionFaultTest, EveryFaultLeavesTheRecordsWhole) {
  // Every line of the info record is whole: a section, an entry or blank;
  // its entries from before are all still there.
  const std::regex wholeLine(R"(\[[A-Za-z ]+\]|[A-Za-z ]+=[^\r\n]*|)");
  int faults = 0;
  for (const char* kind : {"open", "write", "rename", "delete", "registry"}) {
    for (const bool fromNthOn : {false, true}) {
      faults += LoopFaults(
          kind, fromNthOn, [&] { Prepare(); }, RecordTheEdition,
          [&] {
            std::string info;
            ASSERT_TRUE(ReadFile(kInfo, info)) << "the info record is gone";
            std::istringstream lines(info);
            for (std::string line; std::getline(lines, line);) {
              if (!line.empty() && line.back() == '\r') line.pop_back();
              EXPECT_TRUE(std::regex_match(line, wholeLine)) << "a cut line: " << line;
            }
            for (const char* entry : {"[Path]", "Install=C:\\ZV"})
              EXPECT_NE(info.find(entry), std::string::npos) << "lost: " << entry << "\n" << info;
            // The registry files are whole and readable: the machine opens.
            EXPECT_NO_THROW(sim::Machine::Open(folder_));
            // A later run without faults records the whole edition.
            machine_.reset();
            RemoveMachineIni("Faults", kind);
            Run(RecordTheEdition);
            EXPECT_EQ(Registry(port::HkeyCurrentUser, kVendor, kTypeValue), "3");
            EXPECT_EQ(Registry(port::HkeyCurrentUser, kVendor + std::string("\\Complimentary Copy"),
                               kComplimentaryNameValue),
                      "Ann Holder");
            std::string after;
            ReadFile(kInfo, after);
            EXPECT_NE(after.find("Type=3"), std::string::npos) << after;
          }).faults;
    }
  }
  EXPECT_GT(faults, 10);
}

}  // namespace
