// The report of one detection: a "Virus Found" message that names the
// virus and the infected file.
#pragma once

#include <cstdint>

// The program's numbers for the engine's four scanners; they select the
// scanner and the way its detections are named.
enum ScanKind : int {
  kScanTop = 1,
  kScanBottom = 2,
  kScanPoly = 4,
  kScanPE = 5,
};

// Names the virus (the top scanner's from ZV.INX, the others' from the
// built-in tables by id where the id has a row) and shows the report,
// owned by the active window. `path` is shown as given (upper-cased by the
// caller).
void ReportVirus(std::int16_t virusId, ScanKind kind, const char* path, std::int16_t entry);
