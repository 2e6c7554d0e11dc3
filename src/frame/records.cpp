// The setup record files and the registry values of the post-install
// sequence and of the reconfiguration for a second system. Registry writes
// and profile writes are not tested: nothing is reported when they fail.
#include "frame/records.h"

#include <cstring>

#include "frame/paths.h"
#include "frame/setup_state.h"
#include "platform/port.h"
#include "services/zvcfg/zvcfg.h"
#include "services/zvutil/zvutil.h"

namespace {

// Read limits, terminator included: a limit of 8 sees at most 7 characters.
constexpr int kCurrentVersionLimit = 8;
constexpr int kCompanyLimit = 50;
constexpr int kNameLimit = 30;
constexpr int kImportedTypeLimit = 5;
constexpr int kImportedVersionLimit = 6;
constexpr int kImportedInfoLimit = 30;
constexpr int kImportedOemLimit = 50;
constexpr int kImportedComplimentaryLimit = 50;
constexpr const char* kDefaultEditionType = "2";

constexpr std::uint32_t Hklm = port::HkeyLocalMachine;
constexpr std::uint32_t Hkcu = port::HkeyCurrentUser;

void ReadPathRecord(const char* key, char* buffer) {
  port::ReadProfileString(kPathRecordFile, kPathSection, key, "", buffer, kPathSize);
}

void WritePathRecordEntry(const char* key, const char* value) {
  port::WriteProfileString(kPathRecordFile, kPathSection, key, value);
}

}  // namespace

const char* ThisSystemName() { return GetOS() == 1 ? kWindows95 : kWindowsNt; }
const char* OtherSystemName() { return GetOS() == 1 ? kWindowsNt : kWindows95; }

void WriteDataPath() {
  DeleteRegistryValue(Hklm, kVendorKey, kDataPathValue);
  AddRegistryValue(Hklm, kVendorKey, kDataPathValue, InstallDir);
}

int TakeOverUninstallEntry() {
  char frontEndCommand[kPathSize];
  if (!GetRegValue(Hklm, kUninstallKey, kUninstallStringValue, frontEndCommand, kPathSize))
    return 0;
  LowerCase(frontEndCommand);
  AddRegistryValue(Hklm, kVendorKey, kUninstPathValue, frontEndCommand);

  char uninstaller[kPathSize];
  CopyText(uninstaller, sizeof uninstaller, InstallDir);
  AppendName(uninstaller, sizeof uninstaller, kProductUninstaller);
  // The command is stored with the buffer's size as its length.
  const int stored =
      SetRegValue(Hklm, kUninstallKey, kUninstallStringValue, uninstaller, kPathSize);

  WritePathRecordEntry(kPathUninstallKey, frontEndCommand);
  return stored;
}

void RecordOsInfo() {
  char cnfPath[kPathSize];
  CopyText(cnfPath, sizeof cnfPath, InstallDir);
  AppendName(cnfPath, sizeof cnfPath, kOsInfoFile);
  UpdateOSInfo(cnfPath, 1);
}

void WritePathRecord() {
  WritePathRecordEntry(kPathProductKey, InstallDir);
  // The Windows directory as the system reports it, no backslash added.
  char windowsDir[kPathSize] = "";
  port::WindowsDirectory(windowsDir, sizeof windowsDir);
  WritePathRecordEntry(ThisSystemName(), windowsDir);
}

// A version key without "Company" or "Name" gives an empty entry, so the info
// record always holds both keys.
void WriteInfoRecord() {
  GetRegValue(Hklm, kVendorKey, kCurrentVersionValue, ProductVersion, kCurrentVersionLimit);
  port::WriteProfileString(InfoIniPath, kInfoSection, kInfoVersion, ProductVersion);

  char versionKey[kVersionKeySize];
  FormVersionKey(versionKey, sizeof versionKey, ProductVersion);
  char company[kCompanyLimit] = "";
  GetRegValue(Hklm, versionKey, kCompanyValue, company, sizeof company);
  port::WriteProfileString(InfoIniPath, kInfoSection, kInfoCompany, company);
  char name[kNameLimit] = "";
  GetRegValue(Hklm, versionKey, kNameValue, name, sizeof name);
  port::WriteProfileString(InfoIniPath, kInfoSection, kInfoName, name);
}

void ReadUninstallArguments(char* arguments) {
  char command[kPathSize] = "";
  ReadPathRecord(kPathUninstallKey, command);
  const char* blank = std::strchr(command, ' ');
  CopyText(arguments, kPathSize, blank ? blank : "");
}

void ImportOtherSystemRecords() {
  // The other system's info record.
  char otherWindowsDir[kPathSize] = "";
  ReadPathRecord(OtherSystemName(), otherWindowsDir);
  CopyText(InfoIniPath, sizeof InfoIniPath, otherWindowsDir);
  AppendBackslash(InfoIniPath, sizeof InfoIniPath);
  AppendName(InfoIniPath, sizeof InfoIniPath, kInfoRecordName);

  char type[kImportedTypeLimit] = "";
  port::ReadProfileString(InfoIniPath, kInfoSection, kInfoType, kDefaultEditionType, type,
                          sizeof type);
  AddRegistryValue(Hkcu, kUserVendorKey, kTypeValue, type);

  port::ReadProfileString(InfoIniPath, kInfoSection, kInfoVersion, "", ProductVersion,
                          kImportedVersionLimit);
  AddRegistryValue(Hklm, kVendorKey, kCurrentVersionValue, ProductVersion);

  char versionKey[kVersionKeySize];
  FormVersionKey(versionKey, sizeof versionKey, ProductVersion);
  char text[kImportedOemLimit] = "";
  port::ReadProfileString(InfoIniPath, kInfoSection, kInfoCompany, "", text, kImportedInfoLimit);
  AddRegistryValue(Hklm, versionKey, kCompanyValue, text);
  port::ReadProfileString(InfoIniPath, kInfoSection, kInfoName, "", text, kImportedInfoLimit);
  AddRegistryValue(Hklm, versionKey, kNameValue, text);

  // The OEM's details only with the OEM's name; then all four, empty or not.
  char oemName[kImportedOemLimit] = "";
  port::ReadProfileString(InfoIniPath, kOemSection, kOemName, "", oemName, sizeof oemName);
  if (oemName[0]) {
    AddRegistryValue(Hkcu, kOemCopyKey, kOemNameValue, oemName);
    const struct {
      const char* entry;
      const char* value;
    } details[] = {{kOemEmail, kOemEmailValue}, {kOemFax, kOemFaxValue},
                   {kOemPhone, kOemPhoneValue}};
    for (const auto& detail : details) {
      port::ReadProfileString(InfoIniPath, kOemSection, detail.entry, "", text, sizeof text);
      AddRegistryValue(Hkcu, kOemCopyKey, detail.value, text);
    }
  }

  char holder[kImportedComplimentaryLimit] = "";
  port::ReadProfileString(InfoIniPath, kComplimentarySection, kComplimentaryName, "", holder,
                          sizeof holder);
  if (holder[0]) AddRegistryValue(Hkcu, kComplimentaryKey, kComplimentaryNameValue, holder);

  AddRegistryValue(Hklm, kUninstallKey, kDisplayNameValue, kDisplayName);

  char uninstaller[kPathSize] = "";
  ReadPathRecord(kPathProductKey, uninstaller);
  AppendBackslash(uninstaller, sizeof uninstaller);
  AppendName(uninstaller, sizeof uninstaller, kImportedUninstaller);
  AddRegistryValue(Hklm, kUninstallKey, kUninstallStringValue, uninstaller);

  // This system's front-end uninstaller with the saved command's arguments.
  char command[kPathSize];
  GetWindowsDirWithSlash(command, sizeof command);
  AppendName(command, sizeof command, kFrontEndUninstaller);
  char arguments[kPathSize];
  ReadUninstallArguments(arguments);
  AppendName(command, sizeof command, arguments);
  AddRegistryValue(Hklm, kVendorKey, kUninstPathValue, command);
}
