// The scripted user: every box and dialog is answered from the script, and a
// prompt without an answer stops the run with an error that names it.
#include <gtest/gtest.h>

#include "platform/port.h"
#include "support/machine_fixture.h"

namespace {

class UserTest : public MachineTest {};

TEST_F(UserTest, AnUnansweredBoxStopsTheRunAndNamesTheBox) {
  Make();
  const sim::RunResult r = RunProcess([] {
    port::ShowMessageBox(0, "Insert disk 1", "Zelvane Setup", port::mb::OkCancel);
    ADD_FAILURE() << "the run went on past an unanswered box";
  });
  EXPECT_EQ(r.ending, sim::RunResult::Ending::Stopped);
  EXPECT_EQ(r.message, "no answer for the box \"Zelvane Setup\": \"Insert disk 1\"");
}

TEST_F(UserTest, BoxesTakeTheFirstUnusedMatchingAnswer) {
  Make();
  Answer("box \"T\" \"second\" Cancel\nbox \"T\" OK\nbox \"T\" Yes\n");
  int first = 0, second = 0, third = 0;
  RunProcess([&] {
    first = port::ShowMessageBox(0, "first", "T", port::mb::OkCancel);
    second = port::ShowMessageBox(0, "the second one", "T", port::mb::OkCancel);
    third = port::ShowMessageBox(0, "third", "T", port::mb::YesNoCancel | port::mb::IconInformation);
  });
  EXPECT_EQ(first, port::id::Ok);
  EXPECT_EQ(second, port::id::Cancel);
  EXPECT_EQ(third, port::id::Yes);
  EXPECT_NE(Transcript().find("box \"T\" [Yes No Cancel] information, no owner: \"third\"\n"
                              "  user presses Yes\n"),
            std::string::npos)
      << Transcript();
}

TEST_F(UserTest, AButtonTheBoxLacksIsAScriptError) {
  Make();
  Answer("box \"T\" Yes\n");
  const sim::RunResult r =
      RunProcess([] { port::ShowMessageBox(0, "x", "T", port::mb::Ok); });
  EXPECT_EQ(r.ending, sim::RunResult::Ending::Stopped);
  EXPECT_NE(r.message.find("does not have"), std::string::npos);
}

TEST_F(UserTest, BadAnswerScriptsAreRefusedWithTheLine) {
  Make();
  EXPECT_THROW(Answer("box \"T\" Maybe\n"), sim::Error);
  EXPECT_THROW(Answer("dialog 142 twist 3\n"), sim::Error);
  EXPECT_THROW(Answer("box \"unclosed OK\n"), sim::Error);
}

TEST_F(UserTest, AScriptFaultIsNamedWithItsLine) {
  const struct {
    const char* script;
    const char* error;
  } cases[] = {
      {"box \"T\" OK\ndialog 4294967298 escape\n",
       "answers:2: the template id 4294967298 is out of range"},
      {"box \"C:\\\\ZV\" OK\nbox \"C:\\\\ZV \\q\" OK\n", "answers:2: unknown escape \\q"},
      {"\xEF\xBB\xBF" "box \"T\" OK\n", "answers:1: a byte-order mark"},
  };
  Make();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    try {
      Answer(c.script);
      ADD_FAILURE() << "accepted";
    } catch (const sim::Error& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.error, 0), 0u) << e.what();
    }
  }
  try {
    Open().LoadAnswers(folder_);
    ADD_FAILURE() << "a folder was taken for the answer script";
  } catch (const sim::Error& e) {
    EXPECT_EQ(std::string(e.what()), "cannot read " + folder_ + ": Is a directory");
  }
}

TEST_F(UserTest, AnswersLeftUnusedAreListed) {
  Make();
  Answer("box \"T\" OK\n# the user's second thoughts\nbox \"T\"   Cancel  # never asked\n"
         "dialog 142 escape\n");
  Run([] { port::ShowMessageBox(0, "x", "T", port::mb::OkCancel); });
  Open().NoteUnusedAnswers();
  EXPECT_NE(Transcript().find("unused answer, line 3: box \"T\"   Cancel  # never asked\n"
                              "unused answer, line 4: dialog 142 escape\n"),
            std::string::npos)
      << Transcript();
}

TEST_F(UserTest, InputCannotForgeATranscriptLine) {
  Make();
  Answer("box \"T\" OK\n");
  Run([] { port::ShowMessageBox(0, "caf\xc3\xa9\x1b[2J\x7f\nexit code 0", "T", port::mb::Ok); });
  EXPECT_NE(Transcript().find("box \"T\" [OK] no icon, no owner: "
                              "\"caf\\xc3\\xa9\\x1b[2J\\x7f\\nexit code 0\"\n"),
            std::string::npos)
      << Transcript();
}

TEST_F(UserTest, ATitleThatDiffersInCaseIsNoAnswerButIsNamed) {
  Make();
  Answer("box \"zelvane setup\" \"DISK\" OK\n");
  const sim::RunResult r = RunProcess(
      [] { port::ShowMessageBox(0, "Insert disk 1", "Zelvane Setup", port::mb::OkCancel); });
  EXPECT_EQ(r.ending, sim::RunResult::Ending::Stopped);
  EXPECT_EQ(r.message,
            "no answer for the box \"Zelvane Setup\": \"Insert disk 1\"; the answer of line 1 "
            "differs only in letter case: box \"zelvane setup\" \"DISK\" OK");
}

TEST_F(UserTest, ThenCloseShutsAnotherProgramsWindow) {
  Make();
  SetMachineIni("Top Windows", "ZVTileWindow", "stays");
  Answer("box \"Zelvane Setup\" OK then close \"ZVTileWindow\"\n");
  RunProcess([] {
    const port::Window w = port::FindTopWindow("ZVTileWindow");
    ASSERT_NE(w, 0u);
    port::SendToWindow(w, port::wm::Close, 0, 0);  // the scanner ignores it
    EXPECT_NE(port::FindTopWindow("ZVTileWindow"), 0u);
    port::ShowMessageBox(0, "close it", "Zelvane Setup", port::mb::Ok);
    EXPECT_EQ(port::FindTopWindow("ZVTileWindow"), 0u);
  });
}

// A dialog of the program's resources driven by its procedure and the script.
std::intptr_t EchoProc(port::Window dialog, unsigned message, std::uintptr_t wParam, std::intptr_t) {
  if (message == port::wm::Command && (wParam & 0xFFFF) == 1) port::EndModalDialog(dialog, 7);
  return message == port::wm::Command;
}

TEST_F(UserTest, DialogsRunFromTheirTemplateAndTheScript) {
  Make();
  Answer("dialog 142 escape set 1010 \"ACME\" press 1\n");
  std::intptr_t result = 0;
  RunProcess([&] { result = port::RunModalDialog(0, 142, 0, EchoProc, 0); });
  EXPECT_EQ(result, 7);
  const std::string t = Transcript();
  EXPECT_NE(t.find("dialog 142 \"Original Equipment Manufacturer's Address\" opens, no owner:\n"
                   "  1010 EDITTEXT \"\"\n"),
            std::string::npos)
      << t;
  EXPECT_NE(t.find("  user presses Escape\n  user types \"ACME\" into 1010\n  user presses 1\n"
                   "dialog 142 ends with 7:\n  1010 EDITTEXT \"ACME\"\n"),
            std::string::npos)
      << t;
}

TEST_F(UserTest, ADialogStillOpenAfterItsAnswerStopsTheRun) {
  Make();
  Answer("dialog 142 escape\n");
  const sim::RunResult r = RunProcess([] { port::RunModalDialog(0, 142, 0, EchoProc, 0); });
  EXPECT_EQ(r.ending, sim::RunResult::Ending::Stopped);
  EXPECT_EQ(r.message, "no answer for dialog 142 \"Original Equipment Manufacturer's Address\"");
}

}  // namespace
