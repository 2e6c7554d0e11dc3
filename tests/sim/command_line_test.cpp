// A started program takes its argument text from its command line as
// Windows passes it, whatever form its own path takes there: a RunOnce entry
// holds the program's path unquoted, blanks and all.
#include <gtest/gtest.h>

#include "platform/port.h"
#include "support/machine_fixture.h"

namespace {

class CommandLineTest : public MachineTest {};

TEST_F(CommandLineTest, TheProgramsOwnPathIsSkippedInEveryForm) {
  const struct {
    const char* commandLine;
    const char* argumentText;
  } cases[] = {
      {"C:\\ZV Setup\\zvset.exe /runonce", "/runonce"},
      {"\"C:\\ZV Setup\\ZVSET.EXE\" /runonce", "/runonce"},
      {"C:\\ZVSETU~1\\ZVSET.EXE /runonce", "/runonce"},
      {"\"c:\\zvsetu~1\\zvset.exe\"  /runonce", "/runonce"},
      {"C:\\ZV Setup\\ZVSET.EXE", ""},
      {"C:\\ZV Setup\\ZVSET.EXE   /initsetup*A:\\*C:\\ZV", "/initsetup*A:\\*C:\\ZV"},
  };
  std::string seen;
  sim::RegisterProgram("ZVSET.EXE", [&](const std::string& arguments) {
    seen = arguments;
    return 0;
  });
  Make();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.commandLine);
    seen = "<not started>";
    Run([&] { EXPECT_TRUE(port::StartProgram(c.commandLine, port::sw::Show, true)); });
    EXPECT_EQ(seen, c.argumentText);
  }
}

}  // namespace
