#include "scan/virus_report.h"

#include <cstdio>
#include <cstring>

#include "frame/paths.h"
#include "platform/port.h"
#include "scan/virus_names.h"

namespace {

constexpr int kReportSize = 400;
constexpr int kNameSize = 28;

constexpr char kReportText[] =
    "Found strains of %s in %s.\nBecause the virus is not currently active, Setup can safely "
    "install Zelvane anti-virus on your computer. After installation completes, scan your "
    "drives to eliminate the virus.\n\nClick OK to continue.";

// The name for a detection by id, or the index entry's name. An id whose
// table has no row for it (2030 to 4999, 5002 to 7999, 8030 and above) is
// named from the index entry that the scanner matched, as any other id is.
// When the index cannot give a name, the name is empty, as for the empty
// rows 8001 to 8029: the report still names the file.
void ResolveName(std::int16_t virusId, ScanKind kind, std::int16_t entry, char* name) {
  name[0] = '\0';
  if (kind != kScanTop) {
    if (virusId >= 8000) {
      if (virusId - 8000 < kVirusNameRows) {
        CopyText(name, kNameSize, VirusNames8000[virusId - 8000]);
        return;
      }
    } else if (virusId >= 5000) {
      if (virusId - 5000 < kVirusNames5000Rows) {
        const char* field = VirusNames5000[virusId - 5000];
        const std::size_t length = strnlen(field, kVirusNames5000NameSize);
        std::memcpy(name, field, length);
        name[length] = '\0';
        return;
      }
    } else if (virusId >= 2000) {
      if (virusId - 2000 < kVirusNameRows) {
        CopyText(name, kNameSize, VirusNames2000[virusId - 2000]);
        return;
      }
    } else if (virusId == 20) {
      CopyText(name, kNameSize, "Natas");
      return;
    } else if (virusId == 16) {
      CopyText(name, kNameSize, "OneHalf");
      return;
    }
  }
  ReadIndexName(entry, name);
}

}  // namespace

void ReportVirus(std::int16_t virusId, ScanKind kind, const char* path, std::int16_t entry) {
  char name[kNameSize];
  ResolveName(virusId, kind, entry, name);
  // A long path is cut with the end of the message: the report never
  // passes its buffer.
  char report[kReportSize];
  std::snprintf(report, sizeof report, kReportText, name, path);
  port::ShowMessageBox(port::ActiveWindow(), report, "Virus Found",
                       port::mb::Ok | port::mb::IconExclamation);
}
