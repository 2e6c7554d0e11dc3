#include "services/zvengine/signatures.h"

#include <algorithm>
#include <cstring>

namespace zvengine {
namespace {

std::uint32_t Get16(const std::uint8_t* p) { return p[0] | p[1] << 8; }
std::uint32_t Get32(const std::uint8_t* p) { return Get16(p) | Get16(p + 2) << 16; }

bool IsFixed(const Signature& s, int i) { return !(s.wildcards >> i & 1); }

std::uint32_t PairAt(const std::uint8_t* p) { return p[0] << 8 | p[1]; }

// The number of a present pair's bucket: its rank among the pairs present.
std::uint32_t Bucket(const ScannerTable& table, std::uint32_t key) {
  const std::uint64_t below = table.present[key / 64] & ((std::uint64_t{1} << key % 64) - 1);
  return table.rank[key / 64] + static_cast<std::uint32_t>(__builtin_popcountll(below));
}

// Bytes of the pattern that lie before the gap (all of them without one).
int HeadLength(const Signature& s) { return s.gap ? s.gapAt : s.length; }

std::int32_t Reach(const Signature& s) { return s.first + s.span + s.length + s.gap; }

// Picks, among the fixed pairs before the gap, the one whose bucket holds the
// fewest signatures so far, so that signatures sharing a common start (the
// "MZ" of every program) do not all land in one bucket. Pairs of 00 or FF
// bytes are taken last: files are full of them.
int ChooseAnchor(const Signature& s, const std::uint32_t* counts) {
  int best = -1;
  std::uint64_t bestCost = 0;
  for (int i = 0; i + 1 < HeadLength(s); ++i) {
    if (!IsFixed(s, i) || !IsFixed(s, i + 1)) continue;
    std::uint32_t key = s.pattern[i] << 8 | s.pattern[i + 1];
    std::uint64_t cost = (counts ? counts[key] : 0) + ((key == 0 || key == 0xFFFF) ? 1u << 20 : 0);
    if (best < 0 || cost < bestCost) best = i, bestCost = cost;
  }
  return best;
}

void BuildTable(SignatureSet& set, std::uint8_t scanner, ScannerTable& table) {
  std::vector<std::uint32_t> counts(65536, 0);
  std::vector<std::uint16_t> members;
  for (std::size_t e = 0; e < set.signatures.size(); ++e) {
    Signature& s = set.signatures[e];
    if (s.scanner != scanner) continue;
    s.anchorAt = static_cast<std::uint8_t>(ChooseAnchor(s, counts.data()));
    ++counts[s.pattern[s.anchorAt] << 8 | s.pattern[s.anchorAt + 1]];
    members.push_back(static_cast<std::uint16_t>(e));
    if (table.highest < table.lowest) {
      table.lowest = s.first;
      table.highest = Reach(s);
    } else {
      table.lowest = std::min(table.lowest, s.first);
      table.highest = std::max(table.highest, Reach(s));
    }
  }
  table.present.assign(65536 / 64, 0);
  table.rank.assign(65536 / 64, 0);
  table.bucketStart.assign(1, 0);
  for (std::uint32_t key = 0; key < 65536; ++key) {
    if (key % 64 == 0) table.rank[key / 64] = static_cast<std::uint32_t>(table.bucketStart.size() - 1);
    if (!counts[key]) continue;
    table.present[key / 64] |= std::uint64_t{1} << key % 64;
    table.bucketStart.push_back(table.bucketStart.back() + counts[key]);
  }
  // Filled in entry order, so each bucket lists its entries in rising order.
  table.entries.resize(members.size());
  std::vector<std::uint32_t> next(table.bucketStart.begin(), table.bucketStart.end() - 1);
  for (std::uint16_t e : members) {
    const Signature& s = set.signatures[e];
    const int head = HeadLength(s);
    int checkAt = s.anchorAt > 0 ? s.anchorAt - 1 : 0;
    if (head >= 4 && checkAt > head - 4) checkAt = head - 4;
    BucketSlot slot{0, 0, e, static_cast<std::uint8_t>(s.anchorAt - checkAt)};
    for (int k = 0; k < 4 && checkAt + k < head; ++k)
      if (IsFixed(s, checkAt + k)) {
        slot.mask |= 0xFFu << 8 * k;
        slot.value |= std::uint32_t{s.pattern[checkAt + k]} << 8 * k;
      }
    table.entries[next[Bucket(table, PairAt(s.pattern + s.anchorAt))]++] = slot;
  }
}

bool PartMatches(const Signature& s, const std::uint8_t* at, int from, int to) {
  for (int i = from; i < to; ++i)
    if (IsFixed(s, i) && at[i - from] != s.pattern[i]) return false;
  return true;
}

// Whether the signature matches with its first byte at file offset `start`,
// all of it within the window and the file.
bool MatchesAt(const Signature& s, const Window& window, std::int64_t start, std::int64_t end) {
  if (start < window.begin || start < 0) return false;
  const std::uint8_t* base = window.bytes.data() + (start - window.begin);
  int head = HeadLength(s);
  if (start + head > end || !PartMatches(s, base, 0, head)) return false;
  if (!s.gap) return true;
  for (int g = 0; g <= s.gap && start + s.length + g <= end; ++g)
    if (PartMatches(s, base + head + g, head, s.length)) return true;
  return false;
}

}  // namespace

bool DecodeSignature(const std::uint8_t* data, Signature& s) {
  std::memset(&s, 0, sizeof s);
  s.scanner = data[zvinx::kScannerAt];
  s.length = data[zvinx::kLengthAt] & 0x0F;
  s.gap = data[zvinx::kLengthAt] >> 4;
  s.virusId = static_cast<std::int16_t>(Get16(data + zvinx::kVirusIdAt));
  std::int32_t offset = static_cast<std::int32_t>(Get32(data + zvinx::kOffsetAt));
  s.span = static_cast<std::uint16_t>(Get16(data + zvinx::kSpanAt));
  std::uint32_t mask = Get16(data + zvinx::kMaskAt);
  s.wildcards = mask & 0x0FFF;
  s.gapAt = static_cast<std::uint8_t>(mask >> 12);
  std::memcpy(s.pattern, data + zvinx::kPatternAt, zvinx::kMaxPattern);

  if (s.length < 2 || s.length > zvinx::kMaxPattern || s.wildcards >> s.length) return false;
  if (s.gap ? (s.scanner != zvinx::kPoly || s.gapAt < 2 || s.gapAt >= s.length) : s.gapAt != 0)
    return false;
  switch (s.scanner) {
    case zvinx::kTop:
    case zvinx::kPoly:
      if (offset < 0 || offset > zvinx::kMaxReach) return false;
      s.first = offset;
      break;
    case zvinx::kBottom:
      // The offset counts back from the end of the file to the pattern's end.
      if (offset < 0 || offset > zvinx::kMaxReach) return false;
      s.first = -(offset + s.span + s.length);
      break;
    case zvinx::kPE:
      if (offset < -zvinx::kMaxReach || offset > zvinx::kMaxReach) return false;
      s.first = offset;
      break;
    default:
      return false;
  }
  return ChooseAnchor(s, nullptr) >= 0;
}

bool LoadSignatureSet(const std::uint8_t* index, std::size_t size, SignatureSet& set) {
  set = SignatureSet{};
  if (size < zvinx::kHeaderSize || std::memcmp(index, zvinx::kMagic, 4) != 0 ||
      Get16(index + 4) != zvinx::kVersion)
    return false;
  std::size_t count = Get16(index + 6);
  if (count > zvinx::kMaxEntries || size != zvinx::kHeaderSize + count * zvinx::kEntrySize)
    return false;
  set.signatures.resize(count);
  for (std::size_t e = 0; e < count; ++e)
    if (!DecodeSignature(index + zvinx::kHeaderSize + e * zvinx::kEntrySize, set.signatures[e]))
      return false;
  BuildTable(set, zvinx::kTop, set.top);
  BuildTable(set, zvinx::kBottom, set.bottom);
  BuildTable(set, zvinx::kPoly, set.poly);
  BuildTable(set, zvinx::kPE, set.pe);
  return true;
}

int MatchTable(const SignatureSet& set, const ScannerTable& table, const Window& window,
               std::int64_t anchor, std::int64_t fileLength) {
  if (table.highest < table.lowest || window.bytes.size() < 2) return -1;
  std::int64_t windowEnd = window.begin + static_cast<std::int64_t>(window.bytes.size());
  std::int64_t end = std::min(windowEnd, fileLength);
  // Every place where an anchor pair could lie, once.
  std::int64_t from = std::max(window.begin, anchor + table.lowest);
  std::int64_t to = std::min(end, anchor + table.highest) - 2;
  int best = -1;
  if (from > to) return best;
  const std::uint8_t* const first = window.bytes.data() + (from - window.begin);
  const std::uint8_t* const last = window.bytes.data() + (to - window.begin);
  const std::uint64_t* const present = table.present.data();
  for (const std::uint8_t* at = first; at <= last; ++at) {
    // Most pairs of a file start no signature: an 8 KB bitmap says so
    // without touching the buckets. This loop stays small, so that it runs
    // in the processor's registers alone.
    std::uint32_t key = PairAt(at);
    while (!(present[key / 64] >> key % 64 & 1)) {
      if (++at > last) return best;
      key = PairAt(at);
    }
    const std::int64_t q = window.begin + (at - window.bytes.data());
    const std::uint32_t bucket = Bucket(table, key);
    for (std::uint32_t i = table.bucketStart[bucket]; i < table.bucketStart[bucket + 1]; ++i) {
      const BucketSlot& slot = table.entries[i];
      int e = slot.entry;
      if (best >= 0 && e >= best) break;
      const std::int64_t check = q - slot.back;
      if (check >= window.begin && windowEnd - check >= 4 &&
          (Get32(at - slot.back) & slot.mask) != slot.value)
        continue;
      const Signature& s = set.signatures[e];
      std::int64_t start = q - s.anchorAt;
      if (start < anchor + s.first || start > anchor + s.first + s.span) continue;
      if (MatchesAt(s, window, start, end)) best = e;
    }
  }
  return best;
}

}  // namespace zvengine
