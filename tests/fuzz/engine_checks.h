// The checks that the index and scan targets share: one file through the
// four scanners and the classification, on the running machine.
#pragma once

#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "platform/port.h"
#include "services/zvengine/signatures.h"
#include "services/zvengine/zvengine.h"
#include "services/zvutil/file_type.h"

namespace fuzz {

// A result names nothing, or an entry of the loaded index of that scanner
// with that entry's id.
inline void CheckResult(const Index& r, const zvengine::SignatureSet* set, std::uint8_t scanner) {
  if (r.entry == -1) {
    FUZZ_CHECK(r.virusId == -1);
    return;
  }
  FUZZ_CHECK(set && r.entry >= 0 && static_cast<std::size_t>(r.entry) < set->signatures.size());
  const zvengine::Signature& s = set->signatures[static_cast<std::size_t>(r.entry)];
  FUZZ_CHECK(s.scanner == scanner && s.virusId == r.virusId);
}

// Scans `path` as the scan does: classification first, the file put back
// at its start, then the four scanners on the same handle. `set` is the
// index InitScan loaded, null when it refused it.
inline void ScanFile(const char* path, const zvengine::SignatureSet* set) {
  const port::File f = port::OpenFile(path, port::GenericRead, port::ShareRead, port::OpenExisting);
  FUZZ_CHECK(f != port::InvalidFile);
  const long length = port::FileLength(f);
  const std::int16_t type = CheckFileType(f);
  FUZZ_CHECK(type >= (length > 0 ? 1 : 0) && type <= 4);
  FUZZ_CHECK(port::FilePosition(f) == 0);
  FUZZ_CHECK(GetVirExeStart(f, type) >= -1);
  FUZZ_CHECK(port::FilePosition(f) == 0);
  Index r{};
  ScanTopViruses(f, &r);
  CheckResult(r, set, zvinx::kTop);
  ScanBottViruses(f, &r);
  CheckResult(r, set, zvinx::kBottom);
  ScanPolyViruses(f, &r);
  CheckResult(r, set, zvinx::kPoly);
  ScanPEViruses(f, &r);
  CheckResult(r, set, zvinx::kPE);
  port::CloseFile(f);
}

}  // namespace fuzz
