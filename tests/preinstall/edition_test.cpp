// The edition records and the OEM details dialog.
#include <gtest/gtest.h>

#include <string>

#include "frame/registry_layout.h"
#include "frame/setup_state.h"
#include "preinstall/edition.h"
#include "preinstall/preinstall_fixture.h"

namespace {

constexpr std::uint32_t kUser = port::HkeyCurrentUser;
const char* const kInfo = "C:\\WINDOWS\\ZV32.INI";

class EditionTest : public PreinstallTest {
 protected:
  sim::RunResult Record(const char* type, int express, int oem, int complimentary,
                        const char* name) {
    return Stage([=] {
      ModuleInstance = 0x400000;
      CopyInfoPath();
      RecordEdition(type, express, oem, complimentary, name);
    });
  }
  static void CopyInfoPath() {
    std::string(kInfo).copy(InfoIniPath, sizeof InfoIniPath - 1);
  }
  // The four details in the registry and in the info record, in field order.
  std::string Details() {
    return Reg(kUser, kOemCopyKey, kOemNameValue) + "|" + Reg(kUser, kOemCopyKey, kOemEmailValue) +
           "|" + Reg(kUser, kOemCopyKey, kOemFaxValue) + "|" +
           Reg(kUser, kOemCopyKey, kOemPhoneValue) + " / " + Ini(kInfo, "OEM", "Name") + "|" +
           Ini(kInfo, "OEM", "Email") + "|" + Ini(kInfo, "OEM", "Fax") + "|" +
           Ini(kInfo, "OEM", "Phone");
  }
};

TEST_F(EditionTest, EveryFlagSetRecordsEachAttribute) {
  Make();
  Answer("dialog 142 set 1010 \"Bundle Computers\" set 1013 \"sales@bundle.example\" "
         "set 1012 \"555-0101\" set 1011 \"555-0100\" press 1");
  EXPECT_EQ(Record("3", 1, 1, 1, "Ann Holder").ending, sim::RunResult::Ending::Exited);
  EXPECT_EQ(Count("dialog 142 \"Original Equipment Manufacturer's Address\" opens, no owner:"), 1)
      << Transcript();
  EXPECT_EQ(Details(),
            "Bundle Computers|sales@bundle.example|555-0101|555-0100 / "
            "Bundle Computers|sales@bundle.example|555-0101|555-0100");
  EXPECT_EQ(Reg(kUser, kOemCopyKey, kOemCopyValue), "1");
  EXPECT_EQ(Reg(kUser, kVendorKey, kExpressVersionValue), "1");
  EXPECT_EQ(Reg(kUser, kComplimentaryKey, kComplimentaryNameValue), "Ann Holder");
  EXPECT_EQ(Ini(kInfo, "Complimentary", "Name"), "Ann Holder");
  EXPECT_EQ(Reg(kUser, kUserVendorKey, kTypeValue), "3");
  EXPECT_EQ(Ini(kInfo, "Info", "Type"), "3");
  // The express attribute leaves no trace in the info record.
  std::string info;
  ASSERT_TRUE(ReadFile(kInfo, info));
  EXPECT_EQ(info.find("xpress"), std::string::npos) << info;
}

TEST_F(EditionTest, ClearFlagsRemoveTheRegistryRecordsButKeepTheInfoRecord) {
  Make();
  PutFile(kInfo, "[OEM]\r\nName=Old Bundle\r\n[Complimentary]\r\nName=Old Holder\r\n");
  SetReg(kUser, kVendorKey, kExpressVersionValue, "1");
  SetReg(kUser, kOemCopyKey, kOemCopyValue, "1");
  SetReg(kUser, kOemCopyKey, kOemNameValue, "Old Bundle");
  SetReg(kUser, kComplimentaryKey, kComplimentaryNameValue, "Old Holder");
  EXPECT_EQ(Record("2", 0, 0, 0, "x").ending, sim::RunResult::Ending::Exited);
  EXPECT_EQ(Count("dialog "), 0);
  EXPECT_EQ(Reg(kUser, kVendorKey, kExpressVersionValue), "<none>");
  EXPECT_FALSE(KeyExists(kUser, kOemCopyKey));
  EXPECT_FALSE(KeyExists(kUser, kComplimentaryKey));
  EXPECT_EQ(Reg(kUser, kUserVendorKey, kTypeValue), "2");
  EXPECT_EQ(Ini(kInfo, "Info", "Type"), "2");
  EXPECT_EQ(Ini(kInfo, "OEM", "Name"), "Old Bundle");
  EXPECT_EQ(Ini(kInfo, "Complimentary", "Name"), "Old Holder");
}

TEST_F(EditionTest, EscapeLeavesTheDialogOpenAndEmptyFieldsAreWritten) {
  Make();
  Answer("dialog 142 escape press 1013\ndialog 142 press 1\n");
  EXPECT_EQ(Record("2", 0, 1, 0, "x").ending, sim::RunResult::Ending::Exited);
  EXPECT_EQ(Count("dialog 142 ends with 1"), 1) << Transcript();
  EXPECT_EQ(Details(), "||| / |||");
  EXPECT_EQ(Reg(kUser, kOemCopyKey, kOemCopyValue), "1");
}

TEST_F(EditionTest, LongFieldsAreCutToTheirBuffers) {
  Make();
  const std::string name(250, 'n'), email(120, 'e'), fax(60, 'f'), phone(60, 'p');
  Answer("dialog 142 set 1010 \"" + name + "\" set 1013 \"" + email + "\" set 1012 \"" + fax +
         "\" set 1011 \"" + phone + "\" press 1");
  Record("2", 0, 1, 0, "x");
  const std::string kept = std::string(199, 'n') + "|" + std::string(99, 'e') + "|" +
                           std::string(49, 'f') + "|" + std::string(49, 'p');
  EXPECT_EQ(Details(), kept + " / " + kept);
}

}  // namespace
