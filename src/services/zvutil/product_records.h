// What zvutil knows of the product's records. The setup program writes these
// same names (its registry layout); they must stay in step with it.
#pragma once

namespace zvutil {

constexpr const char* kVendorKey = "SOFTWARE|Brackwell|Zelvane";
constexpr const char* kUninstallKey = "SOFTWARE|Microsoft|Windows|CurrentVersion|Uninstall|Zelvane";
constexpr const char* kRunKey = "SOFTWARE|Microsoft|Windows|CurrentVersion|Run";

constexpr const char* kPathRecordFile = "C:\\ZV.INI";
constexpr const char* kPathSection = "Path";
constexpr const char* kWindows95 = "Windows 95";
constexpr const char* kWindowsNt = "Windows NT";

// The resident protection's top-level window while it is loaded.
constexpr const char* kAutoProtectWindow = "Zelvane On-Line Protection";

}  // namespace zvutil
