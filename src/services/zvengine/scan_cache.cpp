#include "services/zvengine/scan_cache.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "services/zvengine/exe_layout.h"

namespace zvengine {
namespace {

FileCache cache;
constexpr std::int64_t kWholeFile = 64 * 1024;

// Reads pieces of one file. Each seek and each read is a call into the
// system, so the file is moved only when a piece does not begin where the
// last read ended.
struct Reader {
  port::File file;
  long position;  // where the file stands; -1 when not known

  // Reads [from, to) into `out`; false when the file ends early or a read
  // fails.
  bool Read(std::int64_t from, std::int64_t to, std::uint8_t* out) {
    if (position != from && port::SeekTo(file, static_cast<long>(from)) != from) {
      position = -1;
      return false;
    }
    for (position = static_cast<long>(from); position < to;) {
      std::uint32_t got = port::ReadFrom(file, out, static_cast<std::uint32_t>(to - position));
      if (got == 0) {
        position = -1;
        return false;
      }
      position += static_cast<long>(got);
      out += got;
    }
    return true;
  }
};

// Fills `window` with [from, to) of the file, taking what earlier windows
// already hold from them, so that no byte is read twice. A failed read cuts
// the window short.
void FillWindow(Reader& file, std::int64_t from, std::int64_t to, Window& window,
                std::initializer_list<const Window*> known) {
  window.begin = from;
  window.bytes.assign(static_cast<std::size_t>(std::max<std::int64_t>(to - from, 0)), 0);
  std::int64_t at = from;
  while (at < to) {
    std::int64_t run = to;  // the end of what is taken in this step
    const Window* source = nullptr;
    for (const Window* w : known) {
      std::int64_t end = w->begin + static_cast<std::int64_t>(w->bytes.size());
      if (w->begin <= at && at < end) source = w, run = std::min(run, end);
      else if (w->begin > at) run = std::min(run, w->begin);
    }
    std::uint8_t* out = window.bytes.data() + (at - from);
    if (source) {
      std::memcpy(out, source->bytes.data() + (at - source->begin), run - at);
    } else if (!file.Read(at, run, out)) {
      window.bytes.resize(at - from);
      return;
    }
    at = run;
  }
}

void Load(port::File handle, const Reach& reach) {
  cache = FileCache{};
  cache.file = handle;
  cache.length = std::max<long>(port::FileLength(handle), 0);
  Reader file{handle, port::FilePosition(handle)};
  const std::int64_t length = cache.length;
  // A small file is read whole at once: one read costs less than three.
  FillWindow(file, 0, length <= kWholeFile ? length : std::min(length, reach.head), cache.head, {});
  // The type and the entry come from the same first bytes that the file's
  // classification reads, however much of the file the head holds.
  const std::size_t probe = std::min(cache.head.bytes.size(), exe::kProbeSize);
  if (reach.pe && exe::FileType(cache.head.bytes.data(), probe) == exe::kPE)
    cache.peEntry = exe::PEEntry(cache.head.bytes.data(), probe);
  if (cache.peEntry >= 0)
    FillWindow(file, std::max<std::int64_t>(cache.peEntry + reach.peLow, 0),
               std::min(length, cache.peEntry + reach.peHigh), cache.entry, {&cache.head});
  FillWindow(file, std::max<std::int64_t>(length - reach.tail, 0), length, cache.tail,
             {&cache.head, &cache.entry});
  if (file.position != length) port::SeekTo(handle, static_cast<long>(length));
  // An empty file stands at its end and its start alike, so nothing would
  // tell it from the next file under the same handle: it is not kept.
  cache.loaded = length > 0;
}

std::int64_t Extent(const ScannerTable& table) {
  return table.highest < table.lowest ? 0 : table.highest;
}

}  // namespace

Reach ReachOf(const SignatureSet& set) {
  Reach reach;
  reach.head = std::max(Extent(set.top), Extent(set.poly));
  if (set.bottom.highest >= set.bottom.lowest) reach.tail = -set.bottom.lowest;
  reach.pe = set.pe.highest >= set.pe.lowest;
  if (reach.pe) {
    // The PE headers and section table lie within the first bytes.
    reach.head = std::max<std::int64_t>(reach.head, exe::kProbeSize);
    reach.peLow = set.pe.lowest;
    reach.peHigh = set.pe.highest;
  }
  return reach;
}

FileCache& CacheFor(port::File file, const Reach& reach) {
  if (!cache.loaded || cache.file != file || port::FilePosition(file) != cache.length)
    Load(file, reach);
  return cache;
}

void DropCache() { cache = FileCache{}; }

}  // namespace zvengine
