// The process and system services with a buffer too small, as the Win32
// backend gives them on the real system (the port check under Wine checks the
// same values there).
#include <gtest/gtest.h>

#include <cstring>

#include "platform/port.h"
#include "support/machine_fixture.h"

namespace {

class SystemTest : public MachineTest {};

TEST_F(SystemTest, ABufferTooSmallGetsNoShortFormAndACutVariable) {
  Make();
  SetMachineIni("Environment", "ZVPORTCHECK", "abcdefgh");
  PutFile("C:\\Zelvane Setup\\ZVSET.EXE", "x");
  RunProcess([] {
    char tiny[4] = "old";
    EXPECT_EQ(port::ShortPathName("C:\\Zelvane Setup\\ZVSET.EXE", tiny, sizeof tiny), 0u);
    EXPECT_STREQ(tiny, "old");
    char cut[4] = "";
    EXPECT_EQ(port::EnvironmentVariable("ZVPORTCHECK", cut, sizeof cut), 3u);
    EXPECT_STREQ(cut, "abc");
    EXPECT_EQ(port::EnvironmentVariable("ZVPORTCHECK", cut, 0), 0u);
    EXPECT_EQ(port::EnvironmentVariable("ZV_NOT_SET_ANYWHERE", cut, sizeof cut), 0u);
  });
}

}  // namespace
