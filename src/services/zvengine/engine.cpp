// The engine's exports: the index loaded by InitScan, and the four scanners
// over the cache of the file being scanned.
#include <vector>

#include "services/zvengine/index_format.h"
#include "services/zvengine/scan_cache.h"
#include "services/zvengine/signatures.h"
#include "services/zvengine/zvengine.h"

namespace {

using namespace zvengine;

bool ready = false;
SignatureSet loaded;
Reach reach;

bool ReadWholeFile(const char* path, std::vector<std::uint8_t>& bytes) {
  port::File file = port::OpenFile(path, port::GenericRead, port::ShareRead, port::OpenExisting);
  if (file == port::InvalidFile) return false;
  long length = port::FileLength(file);
  bool whole = length >= 0 &&
               static_cast<unsigned long>(length) <=
                   zvinx::kHeaderSize + zvinx::kMaxEntries * zvinx::kEntrySize;
  if (whole) {
    bytes.resize(static_cast<std::size_t>(length));
    std::size_t at = 0;
    while (at < bytes.size()) {
      std::uint32_t got = port::ReadFrom(file, bytes.data() + at,
                                         static_cast<std::uint32_t>(bytes.size() - at));
      if (got == 0) break;
      at += got;
    }
    whole = at == bytes.size();
  }
  port::CloseFile(file);
  return whole;
}

void Report(Index* result, int entry) {
  result->entry = static_cast<std::int16_t>(entry);
  result->virusId = entry < 0 ? -1 : loaded.signatures[entry].virusId;
  // A detection ends the file's road: the program closes it, and the next
  // call belongs to another file.
  if (entry >= 0) DropCache();
}

}  // namespace

ZVENGINE_API int InitScan(const char* indexPath) {
  EndScan();
  std::vector<std::uint8_t> bytes;
  if (!indexPath || !ReadWholeFile(indexPath, bytes) ||
      !LoadSignatureSet(bytes.data(), bytes.size(), loaded)) {
    loaded = SignatureSet{};
    return 0;
  }
  reach = ReachOf(loaded);
  ready = true;
  return 1;
}

ZVENGINE_API void EndScan() {
  ready = false;
  loaded = SignatureSet{};
  DropCache();
}

ZVENGINE_API void ScanTopViruses(port::File file, Index* result) {
  if (!result) return;
  if (!ready) return Report(result, -1);
  const FileCache& c = CacheFor(file, reach);
  Report(result, MatchTable(loaded, loaded.top, c.head, 0, c.length));
}

ZVENGINE_API void ScanBottViruses(port::File file, Index* result) {
  if (!result) return;
  if (!ready) return Report(result, -1);
  const FileCache& c = CacheFor(file, reach);
  Report(result, MatchTable(loaded, loaded.bottom, c.tail, c.length, c.length));
}

ZVENGINE_API void ScanPEViruses(port::File file, Index* result) {
  if (!result) return;
  if (!ready) return Report(result, -1);
  const FileCache& c = CacheFor(file, reach);
  Report(result, c.peEntry < 0 ? -1 : MatchTable(loaded, loaded.pe, c.entry, c.peEntry, c.length));
}

// The polymorphic scanner runs last on every file: after it the cache is
// dropped, so that a handle used again for the next file is read anew.
ZVENGINE_API void ScanPolyViruses(port::File file, Index* result) {
  if (!result) return;
  if (!ready) return Report(result, -1);
  const FileCache& c = CacheFor(file, reach);
  Report(result, MatchTable(loaded, loaded.poly, c.head, 0, c.length));
  DropCache();
}
