#include "scan/memory_stage.h"

#include "platform/port.h"
#include "services/zvmsi/memory_scan.h"

namespace {

constexpr char kMemoryScanLibrary[] = "ZVMSI32.DLL";

void ShowError(const char* text) {
  port::ShowMessageBox(port::ActiveWindow(), text, "Error", port::mb::Ok);
}

}  // namespace

int ScanMemory(std::int32_t option) {
  const port::Library library = port::LoadRuntimeLibrary(kMemoryScanLibrary);
  if (!library) {
    ShowError("Couldnot load ZVMSI32.DLL.\nAborting...");
    return 0;
  }
  const auto scan =
      reinterpret_cast<MemoryScanProc>(port::LibraryExport(library, kMemoryScanExport));
  if (!scan) {
    ShowError("ZVMSI32.DLL is corrupt.\nCannot proceed...");
    return 0;
  }
  return scan(option) == 0 ? 1 : 0;
}
