// The registry keys and values, and the record files, through which the runs
// of one installation hand values to each other. Key levels are separated by
// '|'; key names compare without regard to case.
#pragma once

#include <cstddef>
#include <cstdio>

#include "platform/port.h"
#include "services/zvutil/product_records.h"

// The names that the product's utility library reads too, from its own list.
using zvutil::kPathRecordFile;
using zvutil::kPathSection;
using zvutil::kRunKey;
using zvutil::kUninstallKey;
using zvutil::kVendorKey;
using zvutil::kWindows95;
using zvutil::kWindowsNt;

// Keys.
constexpr const char* kUserVendorKey = "Software|Brackwell|Zelvane"; // current user
constexpr const char* kOemCopyKey = "SOFTWARE|Brackwell|Zelvane|OEM Copy";  // current user
constexpr const char* kOemCopySubkey = "OEM Copy";
constexpr const char* kComplimentaryKey = "Software|Brackwell|Zelvane|Complimentary Copy";
constexpr const char* kComplimentarySubkey = "Complimentary Copy";
constexpr const char* kAppPathsKey = "SOFTWARE|Microsoft|Windows|CurrentVersion|App Paths";
constexpr const char* kAppPathSubkey = "ZV32.EXE";
constexpr const char* kRunOnceKey = "SOFTWARE|Microsoft|Windows|CurrentVersion|RunOnce";
constexpr const char* kWord8Key = "SOFTWARE|Microsoft|Office|8.0|Word";
constexpr const char* kExtensionsKey = "Software|Microsoft|Windows|CurrentVersion|Extensions";

// The version key: the vendor key, '|' and the version, under the local machine.
constexpr std::size_t kVersionKeySize = 64;
inline void FormVersionKey(char* key, std::size_t size, const char* version) {
  std::snprintf(key, size, "%s|%s", kVendorKey, version);
}

// Values of the vendor key (local machine).
constexpr const char* kDataPathValue = "DataPath";
constexpr const char* kCurrentVersionValue = "CurrentVersion";
constexpr const char* kUninstPathValue = "UninstPath";
// Values of the version key.
constexpr const char* kCompanyValue = "Company";
constexpr const char* kNameValue = "Name";
constexpr const char* kCalledFromInstallValue = "CalledFromInstall";
constexpr const char* kCalledFromUninstValue = "CalledFromUninst";
constexpr const char* kUninstPrevVerValue = "UninstPrevVer";
constexpr const char* kSetupDrvValue = "SetupDrv";
// Values of the uninstall key.
constexpr const char* kUninstallStringValue = "UninstallString";
constexpr const char* kDisplayNameValue = "DisplayName";
constexpr const char* kDisplayName = "Zelvane";
// Values of the vendor key (current user).
constexpr const char* kTempCurrentVersionValue = "TempCurrentVersion";
constexpr const char* kTypeValue = "Type";
constexpr const char* kExpressVersionValue = "Express Version";
constexpr const char* kVirusFoundValue = "VirusFoundDuringInstall";
// Values of the OEM and complimentary copy keys (current user).
constexpr const char* kOemCopyValue = "OEM Copy";
constexpr const char* kOemNameValue = "OEM Name";
constexpr const char* kOemEmailValue = "OEM Email";
constexpr const char* kOemFaxValue = "OEM Fax";
constexpr const char* kOemPhoneValue = "OEM Phone";
constexpr const char* kComplimentaryNameValue = "Name";
// Values of the Run and RunOnce keys.
constexpr const char* kRunScheduler = "Zelvane Scheduler";
constexpr const char* kRunToolbar = "Zelvane ToolBar";
constexpr const char* kRunOnlineProtection = "Zelvane On-Line Protection";
constexpr const char* kRunTemplateKeeper = "ZVFW";
constexpr const char* kRunOnceInstallation = "Zelvane Installation";

// The path record: one file for the machine.
constexpr const char* kPathProductKey = "Zelvane";
constexpr const char* kPathUninstallKey = "Uninstall";

// The info record: ZV32.INI in each system's Windows directory.
constexpr const char* kInfoRecordName = "ZV32.INI";
constexpr const char* kInfoSection = "Info";
constexpr const char* kInfoType = "Type";
constexpr const char* kInfoVersion = "Version";
constexpr const char* kInfoCompany = "Company";
constexpr const char* kInfoName = "Name";
constexpr const char* kOemSection = "OEM";
constexpr const char* kOemName = "Name";
constexpr const char* kOemEmail = "Email";
constexpr const char* kOemFax = "Fax";
constexpr const char* kOemPhone = "Phone";
constexpr const char* kComplimentarySection = "Complimentary";
constexpr const char* kComplimentaryName = "Name";

// The installation's system record, and the uninstallers.
constexpr const char* kOsInfoFile = "ZV32.CNF";
constexpr const char* kProductUninstaller = "zvuinst.exe";        // the takeover's command
constexpr const char* kImportedUninstaller = "ZVUINST.EXE";       // the import's command
constexpr const char* kFrontEndUninstaller = "Uninst.exe ";       // with its trailing blank
