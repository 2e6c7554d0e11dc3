// The shared helpers: module directory, centring, the path idioms.
#include <gtest/gtest.h>

#include <cstring>

#include "frame/helpers.h"
#include "frame/paths.h"
#include "platform/port.h"
#include "support/machine_fixture.h"

namespace {

class HelpersTest : public MachineTest {};

TEST_F(HelpersTest, ModuleDirIsShortAndEndsInABackslash) {
  struct Case {
    const char* module;
    const char* dir;
  } cases[] = {
      {"C:\\ZV Setup\\ZVSET.EXE", "C:\\ZVSETU~1\\"},
      {"A:\\ZVSET.EXE", "A:\\"},
      {"C:\\Missing Folder\\ZVSET.EXE", "C:\\Missing Folder\\"},  // no short form: as it is
  };
  Make();
  PutFile("A:\\ZVSET.EXE", "x");
  for (const Case& c : cases) {
    machine_.reset();
    SetMachineIni("Program", "Module", c.module);
    RunProcess([&] {
      char dir[260];
      GetModuleDir(dir, sizeof dir);
      EXPECT_STREQ(dir, c.dir) << c.module;
    });
  }
}

TEST_F(HelpersTest, CentreWindowKeepsSizeAndIsStableWhenRepeated) {
  struct Case {
    int width, height;
    long left, top;
  } cases[] = {
      {201, 101, 219, 189},   // (640 - 201) / 2 = 219, halved towards zero
      {700, 500, -30, -10},   // larger than the screen: overlaps both sides equally
      {641, 481, 0, 0},       // (640 - 641) / 2 is 0, not -1
  };
  Make();
  SetMachineIni("Top Windows", "Probe", "closes");
  for (const Case& c : cases) {
    RunProcess([&] {
      const port::Window w = port::FindTopWindow("Probe");
      port::MoveWindowTo(w, 5, 7, c.width, c.height, true);
      CentreWindow(w);
      CentreWindow(w);
      port::Rect r{};
      ASSERT_TRUE(port::GetWindowBounds(w, r));
      EXPECT_EQ(r.left, c.left);
      EXPECT_EQ(r.top, c.top);
      EXPECT_EQ(r.right - r.left, c.width);
      EXPECT_EQ(r.bottom - r.top, c.height);
    });
  }
  EXPECT_NE(Transcript().find("window \"Probe\": moved to 219,189 (201x101)\n"), std::string::npos);
}

TEST(PathTest, TrailingBackslashAndNames) {
  char path[260] = "";
  AppendBackslash(path, sizeof path);
  EXPECT_STREQ(path, "\\");
  AppendName(path, sizeof path, "ZV32.EXE");
  EXPECT_STREQ(path, "\\ZV32.EXE");
  char dir[260] = "C:\\ZV\\";
  AppendBackslash(dir, sizeof dir);
  EXPECT_STREQ(dir, "C:\\ZV\\");
  char small[6] = "C:\\ZV";
  AppendBackslash(small, sizeof small);
  AppendName(small, sizeof small, "ZV32.EXE");
  EXPECT_STREQ(small, "C:\\ZV");  // full: cut, never overrun
  EXPECT_TRUE(ContainsLowerWord("C:\\ZV\\ZVSTRUP.EXE /INIT", "zvstrup.exe"));
  EXPECT_FALSE(ContainsLowerWord("C:\\OTHER.EXE", "zvstrup"));
}

TEST_F(HelpersTest, FileIdioms) {
  Make();
  PutFile("C:\\RO.TXT", "x");
  PutFile("C:\\A.TXT", "a");
  PutFile("C:\\B.TXT", "b");
  PutFile("C:\\Long Name Folder\\F.TXT", "f");
  RunProcess([] {
    port::SetAttributes("C:\\RO.TXT", port::AttrReadOnly);
    DeleteFileForced("C:\\RO.TXT");
    EXPECT_FALSE(FileExists("C:\\RO.TXT"));
    DeleteFileForced("C:\\NEVER.TXT");  // not there: nothing to report
    EXPECT_FALSE(RenameFileStrict("C:\\A.TXT", "C:\\B.TXT"));
    char path[260] = "C:\\Long Name Folder\\F.TXT";
    ShortenInPlace(path, sizeof path);
    EXPECT_STREQ(path, "C:\\LONGNA~1\\F.TXT");
    char missing[260] = "C:\\No Such\\X";
    ShortenInPlace(missing, sizeof missing);
    EXPECT_STREQ(missing, "C:\\No Such\\X");
  });
}

}  // namespace
