// What the scanners of one file share: the pieces of the file that any of
// them looks at, read once when the first scanner runs on a handle.
#pragma once

#include <cstdint>

#include "platform/port.h"
#include "services/zvengine/signatures.h"

namespace zvengine {

// How far the loaded signatures reach, which decides what is read of a file.
struct Reach {
  std::int64_t head = 0;          // bytes from the start (top and polymorphic scanners)
  std::int64_t tail = 0;          // bytes before the end (bottom scanner)
  bool pe = false;                // whether there are PE signatures at all
  std::int64_t peLow = 0, peHigh = 0;  // around the entry point (PE scanner)
};

Reach ReachOf(const SignatureSet& set);

struct FileCache {
  bool loaded = false;
  port::File file = port::InvalidFile;
  std::int64_t length = 0;
  std::int64_t peEntry = -1;  // file offset of a PE program's entry point
  Window head, entry, tail;
};

// The cache for `file`, read now unless it already holds this very file.
// A handle's value may come back for the next file opened, so the cache
// also checks that the file still has the length it had and still stands
// at its end, where loading left it: a file opened since stands at its start.
FileCache& CacheFor(port::File file, const Reach& reach);
// Forgets the cached file (its scanning is over).
void DropCache();

}  // namespace zvengine
