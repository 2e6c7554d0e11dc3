// WININIT.INI cleaned, AUTOEXEC.BAT given the start-up program, the start-up
// program's first run and the check information file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "platform/port.h"
#include "postinstall/boot_files.h"
#include "postinstall/postinstall_fixture.h"

namespace {

const char* const kStartupLine = "C:\\PROGRA~1\\AV\\ZVSTRUP.EXE\r\n";

class BootFilesTest : public PostinstallTest {};

TEST_F(BootFilesTest, CleanWininitDropsTheLinesThatNameTheInstallDirectory) {
  MakeInstalled();
  PutFile("C:\\WINDOWS\\WININIT.INI",
          "[rename]\r\n"
          "NUL=C:\\PROGRA~1\\AV\\OLD.DLL\r\n"
          "nul=c:\\progra~1\\av\\x.dll\r\n"
          "NUL=C:\\TEMP\\X.TMP\r\n"
          "NUL=C:\\Program Files\\AV\\OLD.DLL\r\n"
          "NUL=C:\\PROGRA~1\\AV\r\n");
  PutFile("C:\\WINDOWS\\WININIT.TMP", "stale");
  PutFile("C:\\WINDOWS\\WININIT.ZV", "stale");
  Installed([] { CleanWininit(InstallDir, "C:\\WINDOWS"); });
  EXPECT_EQ(File("C:\\WINDOWS\\WININIT.INI"),
            "[rename]\r\n"
            "NUL=C:\\TEMP\\X.TMP\r\n"
            "NUL=C:\\Program Files\\AV\\OLD.DLL\r\n"
            "NUL=C:\\PROGRA~1\\AV\r\n");
  EXPECT_EQ(File("C:\\WINDOWS\\WININIT.TMP"), "<missing>");
  EXPECT_EQ(File("C:\\WINDOWS\\WININIT.ZV"), "<missing>");
}

TEST_F(BootFilesTest, MissingFilesAreNotCreatedButStaleScratchNamesGo) {
  MakeInstalled();
  for (const char* stale : {"C:\\WINDOWS\\WININIT.TMP", "C:\\WINDOWS\\WININIT.ZV",
                            "C:\\AUTOEXEC.ZV", "C:\\AUTOEXEC.TMP"})
    PutFile(stale, "stale");
  Installed([] {
    port::RemoveFile("C:\\AUTOEXEC.BAT");
    CleanWininit(InstallDir, "C:\\WINDOWS\\");
    UpdateAutoexec();
  });
  for (const char* gone : {"C:\\WINDOWS\\WININIT.INI", "C:\\WINDOWS\\WININIT.TMP",
                           "C:\\WINDOWS\\WININIT.ZV", "C:\\AUTOEXEC.BAT", "C:\\AUTOEXEC.ZV",
                           "C:\\AUTOEXEC.TMP"})
    EXPECT_EQ(File(gone), "<missing>") << gone;
}

TEST_F(BootFilesTest, EmptyWindowsDirectoryLeavesTheRootAlone) {
  MakeInstalled();
  PutFile("C:\\WININIT.INI", "NUL=C:\\PROGRA~1\\AV\\OLD.DLL\r\n");
  PutFile("C:\\WININIT.TMP", "kept");
  const std::map<std::string, std::string> before = DiskFiles();
  Installed([] { CleanWininit(InstallDir, ""); });
  EXPECT_EQ(DiskFiles(), before);
}

TEST_F(BootFilesTest, UpdateAutoexecPutsTheStartupProgramFirst) {
  MakeInstalled();
  PutFile("C:\\Program Files\\AV\\ZVSTRUP.EXE", "start-up program");
  const std::string longLine = "SET PATH=" + std::string(300, 'x') + ";C:\\DOS";
  const std::string old = "ECHO OFF\r\nC:\\OLD\\ZVSTRUP.EXE\r\nREM run ZvStrup by hand\r\n" +
                          longLine + "\r\nPROMPT $p$g\r\n";
  PutFile("C:\\AUTOEXEC.BAT", old);
  PutFile("C:\\AUTOEXEC.TMP", "stale");
  Installed([] { UpdateAutoexec(); });
  const std::string first = kStartupLine + std::string("ECHO OFF\r\n") + longLine + "\r\nPROMPT $p$g\r\n";
  EXPECT_EQ(File("C:\\AUTOEXEC.BAT"), first);
  EXPECT_EQ(File("C:\\AUTOEXEC.ZV"), old);
  EXPECT_EQ(File("C:\\AUTOEXEC.TMP"), "<missing>");

  // Again: still one start-up line; the previous file is the first result.
  Installed([] { UpdateAutoexec(); });
  EXPECT_EQ(File("C:\\AUTOEXEC.BAT"), first);
  EXPECT_EQ(File("C:\\AUTOEXEC.ZV"), first);
}

TEST_F(BootFilesTest, StartupProgramRunsHiddenAndWaitedFor) {
  MakeInstalled();
  PutFile("C:\\AUTOEXEC.BAT", "ECHO OFF\r\n");
  int started = -1;
  // Missing: it cannot start, and AUTOEXEC.BAT still gets its line.
  Installed([&] {
    started = InitStartupProgram();
    UpdateAutoexec();
  });
  EXPECT_EQ(started, 0);
  EXPECT_EQ(Count("program \"C:\\PROGRA~1\\AV\\ZVSTRUP.EXE /INIT /REBUILD\": cannot be started"), 1)
      << Transcript();
  EXPECT_EQ(File("C:\\AUTOEXEC.BAT"), kStartupLine + std::string("ECHO OFF\r\n"));

  PutFile("C:\\Program Files\\AV\\ZVSTRUP.EXE", "start-up program");
  Installed([&] { started = InitStartupProgram(); });
  EXPECT_NE(started, 0);
  EXPECT_EQ(Count("program \"C:\\Program Files\\AV\\ZVSTRUP.EXE\" \"/INIT /REBUILD\": started "
                  "hidden, waited for"),
            1)
      << Transcript();
}

TEST_F(BootFilesTest, CheckInfoFileIsDeletedReadOnlyOrNot) {
  MakeInstalled();
  PutFile("C:\\Program Files\\AV\\ZVCHK.INF", "check");
  Installed([] {
    port::SetAttributes("C:\\PROGRA~1\\AV\\ZVCHK.INF", port::AttrReadOnly);
    RemoveCheckInfoFile(InstallDir);
    RemoveCheckInfoFile(InstallDir);
  });
  EXPECT_EQ(File("C:\\Program Files\\AV\\ZVCHK.INF"), "<missing>");
}

// A rewrite of a system file run with each of its file operations failing
// in turn, once and from then on: the file is there, whole, with its old or
// its new text; the scratch names hold nothing else; no other file changed.
struct Rewrite {
  const char* name;
  const char* file;
  std::vector<const char*> scratch;
  std::string old;
  void (*run)();
};
void PrintTo(const Rewrite& r, std::ostream* out) { *out << r.name; }

class BootFilesFaultTest : public PostinstallTest,
                           public ::testing::WithParamInterface<Rewrite> {};

TEST_P(BootFilesFaultTest, NoFailedOperationLosesOrCutsTheFile) {
  const Rewrite& r = GetParam();
  auto prepare = [&] {
    MakeInstalled();
    PutFile("C:\\Program Files\\AV\\ZVSTRUP.EXE", "start-up program");
    PutFile(r.file, r.old);
    for (const char* name : r.scratch) PutFile(name, "stale");
  };
  auto body = [&] {
    std::strcpy(InstallDir, kInstallShort);
    r.run();
  };
  // The new text, from a run where nothing fails.
  prepare();
  Run(body);
  const std::string fresh = File(r.file);
  ASSERT_NE(fresh, r.old);
  ASSERT_NE(fresh, "<missing>");

  std::map<std::string, std::string> before;
  Figures total;
  int checked = 0;
  for (const char* kind : {"open", "read", "write", "rename", "delete"}) {
    for (const bool fromNthOn : {false, true}) {
      const Figures f = LoopFaults(
          kind, fromNthOn,
          [&] {
            prepare();
            before = DiskFiles();
          },
          body,
          [&] {
            std::map<std::string, std::string> after = DiskFiles();
            const std::string text = after.count(r.file) ? after[r.file] : "<missing>";
            EXPECT_TRUE(text == r.old || text == fresh) << r.file << ":\n" << text;
            ++checked;
            for (const char* name : r.scratch) {
              if (!after.count(name)) continue;
              const std::string& s = after[name];
              EXPECT_TRUE(s == r.old || s == fresh || s == "stale") << name << ":\n" << s;
              after.erase(name);
              ++checked;
            }
            after.erase(r.file);
            for (const char* name : r.scratch) before.erase(name);
            before.erase(r.file);
            EXPECT_EQ(after, before);
          });
      total.runs += f.runs;
      total.faults += f.faults;
    }
  }
  std::printf("%s: %d runs, %d faults injected, %d files checked\n", r.name, total.runs,
              total.faults, checked);
}

INSTANTIATE_TEST_SUITE_P(
    Rewrites, BootFilesFaultTest,
    ::testing::Values(
        Rewrite{"Autoexec",
                "C:\\AUTOEXEC.BAT",
                {"C:\\AUTOEXEC.ZV", "C:\\AUTOEXEC.TMP"},
                "@ECHO OFF\r\nC:\\OLD\\ZVSTRUP.EXE\r\nPROMPT $p$g\r\n" + std::string(5000, 'x') +
                    "\r\nPATH C:\\DOS\r\n",
                [] { UpdateAutoexec(); }},
        Rewrite{"Wininit",
                "C:\\WINDOWS\\WININIT.INI",
                {"C:\\WINDOWS\\WININIT.TMP", "C:\\WINDOWS\\WININIT.ZV"},
                "[rename]\r\nNUL=C:\\PROGRA~1\\AV\\OLD.DLL\r\n" + std::string(5000, 'y') +
                    "\r\nNUL=C:\\TEMP\\X.TMP\r\n",
                [] { CleanWininit(InstallDir, "C:\\WINDOWS"); }}),
    [](const ::testing::TestParamInfo<Rewrite>& info) { return std::string(info.param.name); });

}  // namespace
