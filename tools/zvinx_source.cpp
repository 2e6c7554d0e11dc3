#include "zvinx_source.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "services/zvengine/index_format.h"
#include "services/zvengine/signatures.h"

namespace zvinx {
namespace {

struct ScannerName {
  Scanner scanner;
  const char* name;
};
constexpr ScannerName kScannerNames[] = {
    {kTop, "top"}, {kBottom, "bottom"}, {kPoly, "poly"}, {kPE, "pe"}};

void Put16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::uint8_t* p, std::uint32_t v) {
  Put16(p, v);
  Put16(p + 2, v >> 16);
}

// A whole decimal or 0x-hexadecimal number, optionally signed. A leading
// zero does not make a number octal: "010" is ten.
bool ParseNumber(const std::string& text, long long& value) {
  const std::size_t digits = text.find_first_not_of("+-");
  if (text.empty() || digits > 1 || digits == std::string::npos) return false;
  const bool hex = text.compare(digits, 2, "0x") == 0 || text.compare(digits, 2, "0X") == 0;
  char* end = nullptr;
  value = std::strtoll(text.c_str(), &end, hex ? 16 : 10);
  return *end == 0;
}

// A virus id: decimal digits with an optional minus sign, nothing else.
bool ParseVirusId(const std::string& text, long long& value) {
  const std::size_t digits = text[0] == '-' ? 1 : 0;
  if (text.size() == digits || text.find_first_not_of("0123456789", digits) != std::string::npos ||
      text.size() > 7)
    return false;
  value = std::strtoll(text.c_str(), nullptr, 10);
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A double-quoted field; `at` moves past it.
bool ParseQuoted(const std::string& line, std::size_t& at, std::string& out) {
  while (at < line.size() && IsBlank(line[at])) ++at;
  if (at >= line.size() || line[at] != '"') return false;
  std::size_t close = line.find('"', at + 1);
  if (close == std::string::npos) return false;
  out = line.substr(at + 1, close - at - 1);
  at = close + 1;
  return true;
}

bool ParseWord(const std::string& line, std::size_t& at, std::string& out) {
  while (at < line.size() && IsBlank(line[at])) ++at;
  std::size_t end = line.find_first_of(" \t", at);
  if (end == std::string::npos) end = line.size();
  out = line.substr(at, end - at);
  at = end;
  return !out.empty();
}

// "4D 5A ?? 90 *6 CD 21": bytes, wildcards and at most one gap.
bool ParsePattern(const std::string& text, std::uint8_t* data, std::string& error) {
  std::istringstream words(text);
  std::string word;
  unsigned length = 0, wildcards = 0, gap = 0, gapAt = 0;
  while (words >> word) {
    if (word[0] == '*') {
      long long n;
      if (gap || length == 0 || !ParseNumber(word.substr(1), n) || n < 1 ||
          n > static_cast<long long>(kMaxGap))
        return error = "a gap is one *N, N from 1 to 15, after the first byte", false;
      gap = static_cast<unsigned>(n);
      gapAt = length;
      continue;
    }
    if (length == kMaxPattern) return error = "more than 12 pattern bytes", false;
    if (word == "??") {
      wildcards |= 1u << length;
    } else {
      if (word.size() != 2 || !std::isxdigit(static_cast<unsigned char>(word[0])) ||
          !std::isxdigit(static_cast<unsigned char>(word[1])))
        return error = "bad pattern byte \"" + word + "\"", false;
      const unsigned long byte = std::strtoul(word.c_str(), nullptr, 16);
      data[kPatternAt + length] = static_cast<std::uint8_t>(byte);
    }
    ++length;
  }
  if (gap && gapAt == length) return error = "a gap must stand between bytes", false;
  data[kLengthAt] = static_cast<std::uint8_t>(length | gap << 4);
  Put16(data + kMaskAt, wildcards | gapAt << 12);
  return true;
}

bool CompileLine(const std::string& line, std::uint8_t* entry, std::string& error) {
  std::size_t at = 0;
  std::string word, name, where, pattern;
  ParseWord(line, at, word);
  const ScannerName* kind = nullptr;
  for (const ScannerName& s : kScannerNames)
    if (word == s.name) kind = &s;
  if (!kind) return error = "unknown scanner \"" + word + "\"", false;
  long long id;
  if (!ParseWord(line, at, word) || !ParseVirusId(word, id) || id < -32768 || id > 32767)
    return error = "bad virus id \"" + word + "\": a decimal number", false;
  // The scanners report -1 for a clean file, so that id could never be named.
  if (id == -1) return error = "virus id -1 stands for a clean file", false;
  if (!ParseQuoted(line, at, name) || name.size() > kNameSize)
    return error = "the name is a quoted text of at most 16 characters", false;
  long long offset = 0, span = 0;
  if (!ParseWord(line, at, where) || where[0] != '@')
    return error = "expected @offset or @offset+span", false;
  std::size_t plus = where.find('+', 2);
  if (!ParseNumber(where.substr(1, plus == std::string::npos ? std::string::npos : plus - 1),
                   offset) ||
      (plus != std::string::npos && !ParseNumber(where.substr(plus + 1), span)) || span < 0 ||
      span > 0xFFFF || offset < -kMaxReach || offset > kMaxReach)
    return error = "bad place \"" + where + "\"", false;
  if (!ParseQuoted(line, at, pattern)) return error = "expected a quoted pattern", false;
  if (ParseWord(line, at, word)) return error = "text after the pattern", false;

  std::memset(entry, 0, kEntrySize);
  entry[kScannerAt] = kind->scanner;
  Put16(entry + kVirusIdAt, static_cast<std::uint32_t>(id));
  Put32(entry + kOffsetAt, static_cast<std::uint32_t>(offset));
  Put16(entry + kSpanAt, static_cast<std::uint32_t>(span));
  if (!ParsePattern(pattern, entry, error)) return false;
  for (std::size_t i = 0; i < kNameSize; ++i)
    entry[kNameOffset + i] =
        static_cast<std::uint8_t>((i < name.size() ? name[i] : 0) + kNameShift);
  zvengine::Signature check;
  if (!zvengine::DecodeSignature(entry, check))
    return error = "the engine would refuse it: 2 to 12 bytes with two fixed bytes side by side "
                   "before any gap, a gap only in poly, an offset that fits the scanner",
           false;
  return true;
}

std::string DescribeEntry(const std::uint8_t* entry) {
  std::string line;
  for (const ScannerName& s : kScannerNames)
    if (entry[kScannerAt] == s.scanner) line = s.name;
  char name[kNameSize + 1] = {};
  for (std::size_t i = 0; i < kNameSize; ++i)
    name[i] = static_cast<char>(entry[kNameOffset + i] - kNameShift);
  auto get16 = [&](std::size_t at) { return entry[at] | entry[at + 1] << 8; };
  std::int32_t offset = static_cast<std::int32_t>(get16(kOffsetAt) | get16(kOffsetAt + 2) << 16);
  unsigned length = entry[kLengthAt] & 0x0F, gap = entry[kLengthAt] >> 4;
  unsigned mask = get16(kMaskAt), gapAt = mask >> 12;
  char text[64];
  std::snprintf(text, sizeof text, " %d \"%s\" @%d", static_cast<std::int16_t>(get16(kVirusIdAt)),
                name, offset);
  line += text;
  if (get16(kSpanAt)) line += "+" + std::to_string(get16(kSpanAt));
  line += " \"";
  for (unsigned i = 0; i < length; ++i) {
    if (gap && i == gapAt) line += "*" + std::to_string(gap) + " ";
    if (mask >> i & 1) {
      line += "??";
    } else {
      std::snprintf(text, sizeof text, "%02X", entry[kPatternAt + i]);
      line += text;
    }
    line += i + 1 < length ? " " : "\"";
  }
  return line;
}

}  // namespace

bool CompileSource(const std::string& text, std::vector<std::uint8_t>& index,
                   std::string& error) {
  index.assign(kHeaderSize, 0);
  std::memcpy(index.data(), kMagic, 4);
  Put16(index.data() + 4, kVersion);
  std::istringstream lines(text);
  std::string line;
  std::size_t count = 0;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#') continue;
    line = line.substr(first, line.find_last_not_of(" \t\r") + 1 - first);
    if (count == kMaxEntries) return error = "more than 32767 signatures", false;
    index.resize(index.size() + kEntrySize);
    std::string why;
    if (!CompileLine(line, index.data() + index.size() - kEntrySize, why))
      return error = "line " + std::to_string(number) + ": " + why, false;
    ++count;
  }
  Put16(index.data() + 6, static_cast<std::uint32_t>(count));
  return true;
}

bool ListIndex(const std::vector<std::uint8_t>& index, std::string& listing, std::string& error) {
  zvengine::SignatureSet set;
  if (!zvengine::LoadSignatureSet(index.data(), index.size(), set))
    return error = "not a valid signature index", false;
  listing.clear();
  for (std::size_t e = 0; e < set.signatures.size(); ++e)
    listing += std::to_string(e) + " " +
               DescribeEntry(index.data() + kHeaderSize + e * kEntrySize) + "\n";
  return true;
}

}  // namespace zvinx
