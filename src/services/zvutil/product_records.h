// The names of the product's records that both zvutil and the setup program
// use: the setup program's registry layout takes them from here.
#pragma once

namespace zvutil {

constexpr const char* kVendorKey = "SOFTWARE|Brackwell|Zelvane";  // local machine
constexpr const char* kUninstallKey = "SOFTWARE|Microsoft|Windows|CurrentVersion|Uninstall|Zelvane";
constexpr const char* kRunKey = "SOFTWARE|Microsoft|Windows|CurrentVersion|Run";

constexpr const char* kPathRecordFile = "C:\\ZV.INI";
constexpr const char* kPathSection = "Path";
// The two systems, named as in messages and in the path record.
constexpr const char* kWindows95 = "Windows 95";
constexpr const char* kWindowsNt = "Windows NT";

// The resident protection's top-level window while it is loaded.
constexpr const char* kAutoProtectWindow = "Zelvane On-Line Protection";

}  // namespace zvutil
