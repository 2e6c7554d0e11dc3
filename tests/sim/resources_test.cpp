// The resource script reader: a statement it cannot read is refused with
// the line named, never with anything else.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/resources.h"
#include "platform/sim/sim.h"

namespace {

TEST(ResourceScript, AStatementWithoutItsValueNamesItsLine) {
  for (const char* statement : {"STYLE", "EXSTYLE", "CAPTION", "FONT"}) {
    const std::string script = std::string("101 DIALOG 0, 0, 100, 50\n") + statement + "\n";
    try {
      sim::ParseResourceScript(script);
      ADD_FAILURE() << statement << " without a value was read";
    } catch (const sim::Error& e) {
      EXPECT_NE(std::string(e.what()).find("zvset.rc:2: "), std::string::npos) << e.what();
    }
  }
}

}  // namespace
