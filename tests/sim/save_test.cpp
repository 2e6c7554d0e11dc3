// A run changes only what the program changed: a file of the machine that the
// run did not change is not written, a changed .reg file differs only in the
// changed lines, and what the user did during a run stays out of machine.ini.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "platform/port.h"
#include "platform/sim/windows.h"
#include "support/machine_fixture.h"

namespace fs = std::filesystem;

namespace {

// Written by hand: comments, blank lines, LF line ends, a deep key without
// its parents, a key spelled in mixed case, odd spacing kept by the reader.
const char kHandWritten[] =
    "REGEDIT4\n"
    "; the product's keys\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brackwell\\Zelvane\\5.0\\Options]\n"
    "\"Mode\"=\"quick\"\n"
    "\"Level\"=dword:00000002\n"
    "\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
    "@=\"x\"\n"
    "; end\n";

class SaveTest : public MachineTest {
 protected:
  std::string RegFile() const { return folder_ + "/registry/95/HKEY_LOCAL_MACHINE.reg"; }


  // Makes a machine whose HKEY_LOCAL_MACHINE is kHandWritten and whose
  // machine.ini has a comment of the user's.
  void MakeHandWritten() {
    Make();
    std::ofstream(RegFile(), std::ios::binary) << kHandWritten;
    SetMachineIni("Drives", "A", "empty");
    std::ofstream(folder_ + "/machine.ini", std::ios::app | std::ios::binary) << "; my own note\n";
  }
};

// The files that differ between two listings of the machine, with their new text.
std::map<std::string, std::string> Changed(const std::map<std::string, std::string>& before,
                                           const std::map<std::string, std::string>& after) {
  std::map<std::string, std::string> changed;
  for (const auto& [name, text] : after) {
    auto was = before.find(name);
    if (was == before.end() || was->second != text) changed[name] = text;
  }
  for (const auto& [name, text] : before)
    if (!after.count(name)) changed[name] = "<removed>";
  return changed;
}

TEST_F(SaveTest, ARunThatChangesNothingLeavesTheMachineByteForByte) {
  MakeHandWritten();
  const auto before = FolderFiles();
  Run([] {
    port::RegKey key;
    ASSERT_EQ(port::RegOpen(port::HkeyLocalMachine, "SOFTWARE\\Brackwell\\Zelvane\\5.0\\Options",
                            key),
              port::RegOk);
    // Setting a value to what it holds changes nothing either.
    port::RegSetString(key, "Mode", "quick", 5);
    port::RegClose(key);
    port::RegCreate(port::HkeyLocalMachine, "software\\other", key);
    port::RegClose(key);
  });
  machine_.reset();
  EXPECT_EQ(Changed(before, FolderFiles()), (std::map<std::string, std::string>{}));
}

TEST_F(SaveTest, ARunChangesOnlyTheLinesOfWhatItChanged) {
  const struct {
    const char* what;
    std::function<void()> run;
    std::string reg;  // HKEY_LOCAL_MACHINE.reg after the run
  } cases[] = {
      {"one value set",
       [] {
         port::RegKey key;
         port::RegOpen(port::HkeyLocalMachine, "Software\\Brackwell\\Zelvane\\5.0\\Options", key);
         port::RegSetString(key, "MODE", "full", 4);
         port::RegClose(key);
       },
       "REGEDIT4\n; the product's keys\n\n"
       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brackwell\\Zelvane\\5.0\\Options]\n"
       "\"Mode\"=\"full\"\n\"Level\"=dword:00000002\n\n\n"
       "[HKEY_LOCAL_MACHINE\\Software\\Other]\n@=\"x\"\n; end\n"},
      {"a value added, one removed",
       [] {
         port::RegKey key;
         port::RegOpen(port::HkeyLocalMachine, "Software\\Brackwell\\Zelvane\\5.0\\Options", key);
         port::RegSetString(key, "Path", "C:\\ZV", 5);
         port::RegRemoveValue(key, "Mode");
         port::RegClose(key);
       },
       "REGEDIT4\n; the product's keys\n\n"
       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brackwell\\Zelvane\\5.0\\Options]\n"
       "\"Level\"=dword:00000002\n\"Path\"=\"C:\\\\ZV\"\n\n\n"
       "[HKEY_LOCAL_MACHINE\\Software\\Other]\n@=\"x\"\n; end\n"},
      {"a deep key added after its parent's keys, without the keys above it",
       [] {
         port::RegKey key;
         port::RegCreate(port::HkeyLocalMachine, "Software\\Brackwell\\Zelvane\\5.0\\Scan\\Last",
                         key);
         port::RegSetString(key, "Date", "1998", 4);
         port::RegClose(key);
       },
       "REGEDIT4\n; the product's keys\n\n"
       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brackwell\\Zelvane\\5.0\\Options]\n"
       "\"Mode\"=\"quick\"\n\"Level\"=dword:00000002\n\n\n"
       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brackwell\\Zelvane\\5.0\\Scan\\Last]\n"
       "\"Date\"=\"1998\"\n\n"
       "[HKEY_LOCAL_MACHINE\\Software\\Other]\n@=\"x\"\n; end\n"},
      {"a key deleted",
       [] {
         port::RegKey key;
         port::RegOpen(port::HkeyLocalMachine, "Software", key);
         port::RegRemoveKey(key, "Other");
         port::RegClose(key);
       },
       "REGEDIT4\n; the product's keys\n\n"
       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brackwell\\Zelvane\\5.0\\Options]\n"
       "\"Mode\"=\"quick\"\n\"Level\"=dword:00000002\n\n\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MakeHandWritten();
    const auto before = FolderFiles();
    Run(c.run);
    machine_.reset();
    EXPECT_EQ(Changed(before, FolderFiles()),
              (std::map<std::string, std::string>{{"registry/95/HKEY_LOCAL_MACHINE.reg", c.reg}}));
  }
}

TEST_F(SaveTest, WhatTheUserDidDuringARunIsKeptBesideMachineIni) {
  MakeHandWritten();
  const auto before = FolderFiles();
  const std::string ini = before.at("machine.ini");
  RunProcess([] { sim::InsertDisk('A'); });
  machine_.reset();
  EXPECT_EQ(Changed(before, FolderFiles()),
            (std::map<std::string, std::string>{
                {"state.ini",
                 "; What the runs on this machine did to what machine.ini says.\r\n"
                 "; Delete this file to start again from machine.ini.\r\n"
                 "[Drives]\r\nA=\r\n"}}));
  // The next run finds the disk in the drive; taking it out again leaves
  // nothing of the runs to keep.
  Run([] {
    EXPECT_TRUE(port::DriveReady(0));
    sim::RemoveDisk('A');
  });
  machine_.reset();
  const auto after = FolderFiles();
  EXPECT_EQ(after.at("machine.ini"), ini);
  EXPECT_EQ(after.at("state.ini"), "");
  Run([] { EXPECT_FALSE(port::DriveReady(0)); });
}

TEST_F(SaveTest, AStateFileThatARunDoesNotKeepIsNamedWithItsLine) {
  Make();
  std::ofstream(folder_ + "/state.ini") << "[Drives]\nA=empty\n[Programs]\nX.EXE=ends\n";
  try {
    Open();
    FAIL() << "state.ini with a setting of machine.ini's was taken";
  } catch (const sim::Error& e) {
    EXPECT_EQ(std::string(e.what()), folder_ + "/state.ini:3: [Programs]: not what a run keeps");
  }
}

}  // namespace
