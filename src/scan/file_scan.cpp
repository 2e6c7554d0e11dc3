#include "scan/file_scan.h"

#include <cstring>
#include <vector>

#include "frame/paths.h"
#include "frame/setup_state.h"
#include "services/zvengine/zvengine.h"
#include "services/zvutil/file_type.h"

namespace {

// Room the driver options may use behind the path in the working copy.
constexpr std::size_t kDriverRoom = 15;
// Control of the scan dialog that shows the file being scanned.
constexpr int kScanPathControl = 1015;
// Programs that start this far into the file or further are given to the
// bottom scanner before the top scanner.
constexpr std::int32_t kLateStart = 2000;

// File types whose programs begin with headers, never with a virus put in
// front of them: the top scanner is not run on them.
bool IsWindowsProgram(std::int16_t type) { return type == 1 || type == 2; }

}  // namespace

int RunScanner(port::File file, ScanKind kind, const char* path) {
  // Every scanner fills the record; -1 stands for a clean file should one not.
  Index result{-1, -1};
  switch (kind) {
    case kScanTop: ScanTopViruses(file, &result); break;
    case kScanBottom: ScanBottViruses(file, &result); break;
    case kScanPoly: ScanPolyViruses(file, &result); break;
    case kScanPE: ScanPEViruses(file, &result); break;
  }
  if (result.virusId == -1) return 0;
  port::CloseFile(file);
  ReportVirus(result.virusId, kind, path, result.entry);
  return 1;
}

int ScanFile(const char* path) {
  const std::size_t length = std::strlen(path);
  std::vector<char> copy(length + kDriverRoom + 1, '\0');
  std::memcpy(copy.data(), path, length);
  SetDriverOptions(kScanFileOption, copy.data(), static_cast<int>(length));

  port::File file =
      port::OpenFile(copy.data(), port::GenericRead, port::ShareRead, port::OpenExisting);
  if (file == port::InvalidFile) return 0;
  UpperCase(copy.data());
  port::SetItemText(ScanDialogWindow, kScanPathControl, copy.data());

  const std::int16_t type = CheckFileType(file);
  const std::int32_t start = GetVirExeStart(file, type);
  const bool topFirst = !IsWindowsProgram(type) && start < kLateStart;
  const bool topLater = !IsWindowsProgram(type) && !topFirst;
  if ((topFirst && RunScanner(file, kScanTop, copy.data())) ||
      RunScanner(file, kScanBottom, copy.data()) ||
      (topLater && RunScanner(file, kScanTop, copy.data())) ||
      RunScanner(file, kScanPE, copy.data()) || RunScanner(file, kScanPoly, copy.data()))
    return 1;
  port::CloseFile(file);
  return 0;
}
