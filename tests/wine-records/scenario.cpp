#include "scenario.h"

#include <cctype>
#include <cstdint>
#include <cstring>

#include "frame/paths.h"
#include "frame/records.h"
#include "frame/setup_state.h"
#include "platform/port.h"
#include "services/zvcfg/zvcfg.h"

const char* const kScenarioFolders[] = {"C:\\ZV", "C:\\WIN95", nullptr};

void PrepareOtherSystem() {
  AddRegistryValue(port::HkeyLocalMachine, kUninstallKey, kUninstallStringValue,
                   "C:\\WIN95\\UNINST.EXE -f\"C:\\ZV\\x.log\"");
  port::WriteProfileString(kPathRecordFile, kPathSection, kPathProductKey, "C:\\ZV");
  port::WriteProfileString(kPathRecordFile, kPathSection, kWindows95, "C:\\WIN95");
  port::WriteProfileString(kPathRecordFile, kPathSection, kPathUninstallKey,
                           "c:\\win95\\uninst.exe -f\"c:\\zv\\x.log\"");
  const char* info = "C:\\WIN95\\ZV32.INI";
  port::WriteProfileString(info, kInfoSection, kInfoVersion, "5.0.12345");
  port::WriteProfileString(info, kInfoSection, kInfoCompany, "Acme Trading Company Limited Europe");
  port::WriteProfileString(info, kInfoSection, kInfoName, "Ann Smith");
  port::WriteProfileString(info, kOemSection, kOemName, "");
  port::WriteProfileString(info, kOemSection, kOemEmail, "oem@example.com");
  port::WriteProfileString(info, kComplimentarySection, kComplimentaryName, "Holder");
}

void RunRecordOperations() {
  ResetSetupState();
  std::strcpy(InstallDir, "C:\\ZV\\");
  // The post-install record steps.
  TakeOverUninstallEntry();
  WriteDataPath();
  RecordOsInfo();
  WritePathRecord();
  GetWindowsDirWithSlash(InfoIniPath, sizeof InfoIniPath);
  AppendName(InfoIniPath, sizeof InfoIniPath, kInfoRecordName);
  WriteInfoRecord();
  // The reconfiguration from the other system's records.
  ImportOtherSystemRecords();
  RecordOsInfo();
  WritePathRecord();
}

namespace {

std::string Generic(std::string text) {
  char windowsDir[kPathSize] = "";
  port::WindowsDirectory(windowsDir, sizeof windowsDir);
  std::string lower = text, dir = windowsDir;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (char& c : dir) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (std::size_t at; !dir.empty() && (at = lower.find(dir)) != std::string::npos;) {
    text.replace(at, dir.size(), "<windows>");
    lower.replace(at, dir.size(), "<windows>");
  }
  return text;
}

}  // namespace

std::string DumpRecords() {
  char versionKey[kVersionKeySize];
  FormVersionKey(versionKey, sizeof versionKey, "5.0.1");
  const struct {
    std::uint32_t root;
    const char* rootName;
    const char* key;
    const char* value;
  } values[] = {
      {port::HkeyLocalMachine, "HKLM", kVendorKey, kDataPathValue},
      {port::HkeyLocalMachine, "HKLM", kVendorKey, kCurrentVersionValue},
      {port::HkeyLocalMachine, "HKLM", kVendorKey, kUninstPathValue},
      {port::HkeyLocalMachine, "HKLM", versionKey, kCompanyValue},
      {port::HkeyLocalMachine, "HKLM", versionKey, kNameValue},
      {port::HkeyLocalMachine, "HKLM", kUninstallKey, kDisplayNameValue},
      {port::HkeyLocalMachine, "HKLM", kUninstallKey, kUninstallStringValue},
      {port::HkeyCurrentUser, "HKCU", kUserVendorKey, kTypeValue},
      {port::HkeyCurrentUser, "HKCU", kOemCopyKey, kOemNameValue},
      {port::HkeyCurrentUser, "HKCU", kOemCopyKey, kOemEmailValue},
      {port::HkeyCurrentUser, "HKCU", kComplimentaryKey, kComplimentaryNameValue},
  };
  std::string dump;
  for (const auto& v : values) {
    char data[1024];
    const bool present = GetRegValue(v.root, v.key, v.value, data, sizeof data) == 1;
    dump += std::string(v.rootName) + "\\" + v.key + " \"" + v.value + "\" " +
            (present ? "= " + Generic(data) : std::string("missing")) + "\n";
  }
  char infoRecord[kPathSize];
  GetWindowsDirWithSlash(infoRecord, sizeof infoRecord);
  AppendName(infoRecord, sizeof infoRecord, kInfoRecordName);
  const struct {
    const char* file;
    const char* section;
    const char* key;
  } entries[] = {
      {kPathRecordFile, kPathSection, kPathProductKey},
      {kPathRecordFile, kPathSection, kWindows95},
      {kPathRecordFile, kPathSection, kWindowsNt},
      {kPathRecordFile, kPathSection, kPathUninstallKey},
      {infoRecord, kInfoSection, kInfoVersion},
      {infoRecord, kInfoSection, kInfoCompany},
      {infoRecord, kInfoSection, kInfoName},
      {"C:\\ZV\\ZV32.CNF", "OS", kWindows95},
      {"C:\\ZV\\ZV32.CNF", "OS", kWindowsNt},
      {"C:\\ZV\\ZV32.CNF", "OS", "Current"},
  };
  for (const auto& e : entries) {
    char data[1024];
    port::ReadProfileString(e.file, e.section, e.key, "<missing>", data, sizeof data);
    dump += Generic(e.file) + " [" + e.section + "] " + e.key + " = " + Generic(data) + "\n";
  }
  return dump;
}
