// The matching core of the engine: signatures decoded from ZV.INX, one
// lookup table per scanner, and the search of a region of a file held in
// memory. Nothing here reads a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "services/zvengine/index_format.h"

namespace zvengine {

struct Signature {
  std::uint8_t scanner;
  std::uint8_t length;       // pattern bytes, 1 to 12
  std::uint8_t gap;          // longest run of skipped bytes, 0 to 15
  std::uint8_t gapAt;        // the gap comes before this pattern byte; 0: no gap
  std::uint8_t anchorAt;     // two fixed bytes side by side start here
  std::int16_t virusId;
  std::int32_t first;        // earliest start, relative to the scanner's anchor
  std::uint16_t span;        // further start positions after `first`
  std::uint16_t wildcards;   // bit i: pattern byte i matches any byte
  std::uint8_t pattern[zvinx::kMaxPattern];
};

// Decodes and checks one entry's 24 bytes of engine data. False when the
// entry breaks a rule of the format.
bool DecodeSignature(const std::uint8_t* data, Signature& signature);

// The signatures of one scanner, found through the two fixed bytes that each
// of them holds side by side: a region is searched once, whatever the number
// of signatures.
// One signature in its bucket: the entry number, and four bytes of its head
// around the anchor pair (those it fixes, as a masked little-endian word,
// starting `back` bytes before the anchor), so that most candidates are
// refused without reading the signature itself.
struct BucketSlot {
  std::uint32_t mask;
  std::uint32_t value;
  std::uint16_t entry;
  std::uint8_t back;
};

// The buckets are found through the bitmap of the pairs that have one: the
// rank of a pair among those present numbers its bucket. What a search
// touches stays small enough for the processor's caches, however many
// signatures there are.
struct ScannerTable {
  std::vector<std::uint64_t> present;      // a bit per byte pair that has a bucket
  std::vector<std::uint32_t> rank;         // pairs present before each word of `present`
  std::vector<std::uint32_t> bucketStart;  // by rank, one more than there are buckets
  std::vector<BucketSlot> entries;         // bucket by bucket
  std::int32_t lowest = 0;                 // earliest start of any signature
  std::int32_t highest = -1;               // end of the longest reach; < lowest: empty
};

struct SignatureSet {
  std::vector<Signature> signatures;  // by entry number
  ScannerTable top, bottom, poly, pe;
};

// Decodes a whole index (header and entries). False when it is malformed.
bool LoadSignatureSet(const std::uint8_t* index, std::size_t size, SignatureSet& set);

// A piece of a file held in memory: the bytes from file offset `begin`.
struct Window {
  std::int64_t begin = 0;
  std::vector<std::uint8_t> bytes;
};

// Searches `window` for the table's signatures, placed around `anchor` (a
// file offset), in a file of `fileLength` bytes. Returns the lowest entry
// number that matches, or -1.
int MatchTable(const SignatureSet& set, const ScannerTable& table, const Window& window,
               std::int64_t anchor, std::int64_t fileLength);

}  // namespace zvengine
