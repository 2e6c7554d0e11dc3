// The entry point: verbs, argument lists and the "Setup" window around a run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/arguments.h"
#include "frame/setup_state.h"
#include "frame/verbs.h"
#include "support/machine_fixture.h"

namespace {

const Verb& VerbNamed(const char* text) {
  for (const Verb& v : kVerbs)
    if (std::string(v.text) == text) return v;
  throw std::runtime_error("no such verb");
}

std::vector<std::string> Fields(const char* list) {
  std::vector<std::string> fields;
  char field[8];
  while (NextField(list, field, sizeof field)) fields.push_back(field);
  return fields;
}

TEST(VerbTest, SelectedByPrefixWithoutRegardToCase) {
  struct Case {
    const char* text;
    const char* verb;
    bool selects;
  } cases[] = {
      {"/endsetup*A*B", "/endsetup", true},   {"/EndSetup A*B", "/endsetup", true},
      {"/ENDSETUPX", "/endsetup", true},      {"/endset", "/endsetup", false},
      {"/RunOnce", "/runonce", true},         {"/initsetup*x", "/initsetup", true},
      {"/init", "/initsetup", false},         {"endsetup", "/endsetup", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BeginsWithVerb(c.text, VerbNamed(c.verb)), c.selects) << c.text;
}

TEST(ArgumentTest, EndSetupListBeginsPastTheTenthCharacterWhateverItIs) {
  const Verb& end = VerbNamed("/endsetup");
  EXPECT_EQ(Fields(ArgumentList("/EndSetup*A:\\*C:\\ZV", end.listStart)),
            (std::vector<std::string>{"A:\\", "C:\\ZV"}));
  EXPECT_EQ(Fields(ArgumentList("/endsetup A:\\*C:\\ZV", end.listStart)),
            (std::vector<std::string>{"A:\\", "C:\\ZV"}));
}

TEST(ArgumentTest, TokenisingSkipsRunsOfSeparatorsAndCutsLongFields) {
  const Verb& init = VerbNamed("/initsetup");
  EXPECT_EQ(Fields(ArgumentList("/initsetup*first**second", init.listStart)),
            (std::vector<std::string>{"first", "second"}));
  // Anything but '*' in the 11th position starts the first field.
  EXPECT_EQ(Fields(ArgumentList("/initsetup x*y", init.listStart)),
            (std::vector<std::string>{" x", "y"}));
  EXPECT_EQ(Fields(ArgumentList("/initsetup*toolongfield", init.listStart)),
            (std::vector<std::string>{"toolong"}));
  EXPECT_TRUE(Fields(ArgumentList("/initsetup", init.listStart)).empty());
  EXPECT_TRUE(Fields(ArgumentList("/init", init.listStart)).empty());
}

class EntryTest : public MachineTest {};

TEST_F(EntryTest, EmptyTextTouchesNoWindow) {
  Make();
  const sim::RunResult r = Zvset("");
  EXPECT_EQ(r.ending, sim::RunResult::Ending::Exited);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(Transcript(), "");
}

TEST_F(EntryTest, UnknownVerbHidesThenShowsAndRaisesSetup) {
  Make();
  const sim::RunResult r = Zvset("/bogus*1*2");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(Transcript(),
            "window \"Setup\": hide\n"
            "window \"Setup\": show\n"
            "window \"Setup\": foreground\n");
}

TEST_F(EntryTest, WithoutASetupWindowEveryVerbStillEndsWithZero) {
  Make();
  RemoveMachineIni("Top Windows", "Setup");
  // "/initsetup" warns before its scan; "/runonce" finds no source
  // directory to resume from and says so.
  Answer("box \"Warning\" OK\nbox \"Zelvane Setup\" OK");
  for (const char* text :
       {"/initsetup*A:\\*C:\\ZV*0*2*0*0*0*x*5.0", "/endsetup*A:\\*C:\\ZV", "/runonce", "/bogus"}) {
    EXPECT_EQ(Zvset(text).exitCode, 0) << text;
  }
  EXPECT_EQ(Transcript().find("window \"Setup\""), std::string::npos) << Transcript();
}

TEST_F(EntryTest, EachRunStartsFromTheInitialSetupState) {
  Make();
  RunProcess([] {
    InstallDir[0] = 'X';
    FloppyDrive = 0;
  });
  Zvset("/bogus");
  EXPECT_STREQ(InstallDir, "");
  EXPECT_STREQ(ProductVersion, "5.0");
  EXPECT_EQ(FloppyDrive, -1);
}

}  // namespace
