// ZV.INX: what the engine refuses, what zvinx refuses, how names are stored,
// and the sample index kept with the fixtures.
#include <cstring>
#include <functional>

#include "engine_test_util.h"
#include "services/zvengine/index_format.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const char kValid[] =
    "top 2001 \"Test.Alpha\" @0 \"5A 56 2D 54\"\n"
    "poly 8001 \"Test.Golf\" @0+4096 \"5A 56 *8 2D 47\"\n";
constexpr std::size_t kFirst = zvinx::kHeaderSize;                      // entry 0
constexpr std::size_t kSecond = zvinx::kHeaderSize + zvinx::kEntrySize;  // entry 1

struct Malformed {
  const char* what;
  std::function<void(Bytes&)> spoil;
};

const Malformed kMalformed[] = {
    {"empty file", [](Bytes& b) { b.clear(); }},
    {"wrong magic", [](Bytes& b) { b[0] = 'X'; }},
    {"unknown version", [](Bytes& b) { b[4] = 2; }},
    {"count larger than the entries", [](Bytes& b) { b[6] = 3; }},
    {"count smaller than the entries", [](Bytes& b) { b[6] = 1; }},
    {"a partial entry at the end", [](Bytes& b) { b.pop_back(); }},
    {"an unknown scanner", [](Bytes& b) { b[kFirst + zvinx::kScannerAt] = 3; }},
    {"a pattern of one byte", [](Bytes& b) { b[kFirst + zvinx::kLengthAt] = 1; }},
    {"a pattern longer than its field", [](Bytes& b) { b[kFirst + zvinx::kLengthAt] = 13; }},
    {"a wildcard past the pattern", [](Bytes& b) { b[kFirst + zvinx::kMaskAt] = 0x10; }},
    {"no two fixed bytes side by side", [](Bytes& b) { b[kFirst + zvinx::kMaskAt] = 0x0A; }},
    {"a gap outside the polymorphic scanner", [](Bytes& b) { b[kFirst + zvinx::kLengthAt] |= 0x20; }},
    {"a gap at the pattern's end",
     [](Bytes& b) { b[kSecond + zvinx::kMaskAt + 1] = 0x50; }},
    {"a top signature before the file", [](Bytes& b) { b[kFirst + zvinx::kOffsetAt + 3] = 0xFF; }},
    {"a region beyond the reach", [](Bytes& b) { b[kFirst + zvinx::kOffsetAt + 2] = 0x20; }},
};

TEST(Index, TheEngineRefusesAMalformedIndex) {
  Bytes valid = CompileIndex(kValid);
  zvengine::SignatureSet set;
  ASSERT_TRUE(zvengine::LoadSignatureSet(valid.data(), valid.size(), set));
  for (const Malformed& m : kMalformed) {
    Bytes spoilt = valid;
    m.spoil(spoilt);
    EXPECT_FALSE(zvengine::LoadSignatureSet(spoilt.data(), spoilt.size(), set)) << m.what;
  }
}

TEST(Index, NamesAreStoredShiftedByTheFormatsAmount) {
  Bytes index = CompileIndex(kValid);
  const char name[] = "Test.Alpha";
  for (std::size_t i = 0; i < zvinx::kNameSize; ++i) {
    std::uint8_t stored = index[kFirst + zvinx::kNameOffset + i];
    EXPECT_EQ(static_cast<std::uint8_t>(stored - zvinx::kNameShift),
              i < sizeof name - 1 ? static_cast<std::uint8_t>(name[i]) : 0)
        << i;
  }
}

TEST(Index, AListingReadsBackAsTheList) {
  const char source[] =
      "top 2001 \"Test.Alpha\" @256+64 \"5A 56 2D ?? 52\"\n"
      "bottom -2 \"Sixteen.Letters!\" @0 \"5A 56\"\n"
      "pe 5001 \"Test.Foxtrot\" @-16+16 \"5A 56 2D 46 4F 58\"\n"
      "poly 8001 \"Test.Golf\" @0+4096 \"5A 56 *8 2D ?? 4F\"\n";
  std::string listing, error;
  ASSERT_TRUE(zvinx::ListIndex(CompileIndex(source), listing, error)) << error;
  EXPECT_EQ(listing, std::string("0 ") +
                         "top 2001 \"Test.Alpha\" @256+64 \"5A 56 2D ?? 52\"\n1 "
                         "bottom -2 \"Sixteen.Letters!\" @0 \"5A 56\"\n2 "
                         "pe 5001 \"Test.Foxtrot\" @-16+16 \"5A 56 2D 46 4F 58\"\n3 "
                         "poly 8001 \"Test.Golf\" @0+4096 \"5A 56 *8 2D ?? 4F\"\n");
}

TEST(Index, TheCompilerNamesTheWrongLine) {
  const struct {
    const char* line;
    const char* error;
  } kWrong[] = {
      {"middle 1 \"A\" @0 \"41 42\"", "line 2: unknown scanner"},
      {"top x \"A\" @0 \"41 42\"", "line 2: bad virus id"},
      {"top 1 \"Seventeen.Letters\" @0 \"41 42\"", "at most 16 characters"},
      {"top 1 \"A\" 0 \"41 42\"", "expected @offset"},
      {"top 1 \"A\" @0+x \"41 42\"", "bad place"},
      {"top 1 \"A\" @0 \"41 4G\"", "bad pattern byte"},
      {"top 1 \"A\" @0 \"41 42 43 44 45 46 47 48 49 4A 4B 4C 4D\"", "more than 12"},
      {"poly 1 \"A\" @0 \"41 42 *16 43\"", "a gap is one"},
      {"poly 1 \"A\" @0 \"41 42 *2\"", "between bytes"},
      {"top 1 \"A\" @0 \"41 42 *2 43\"", "the engine would refuse it"},
      {"top 1 \"A\" @0 \"41 ?? 43\"", "the engine would refuse it"},
      {"top 1 \"A\" @0 \"41 42\" more", "text after the pattern"},
      {"top -1 \"A\" @0 \"41 42\"", "virus id -1 stands for a clean file"},
      {"top 0x10 \"A\" @0 \"41 42\"", "bad virus id"},
      {"top 1 \"A\" @0 \"-1 42\"", "bad pattern byte"},
      {"top 1 \"A\" @0 \"+4 42\"", "bad pattern byte"},
  };
  for (const auto& w : kWrong) {
    Bytes index;
    std::string error;
    EXPECT_FALSE(zvinx::CompileSource(std::string("# first\n") + w.line, index, error)) << w.line;
    EXPECT_NE(error.find(w.error), std::string::npos) << w.line << ": " << error;
  }
}

// Fields stand apart by blanks or tabs; ids are decimal even with a leading
// zero, and a place may still be hexadecimal.
TEST(Index, TabsSeparateFieldsAndIdsAreDecimal) {
  std::string listing, error;
  ASSERT_TRUE(zvinx::ListIndex(CompileIndex("top\t010\t\"Test.Tab\"\t@0x10 \t\"41 42\"\n"
                                            "top 08 \"Test.Eight\" @010 \"41 42\"\n"),
                               listing, error))
      << error;
  EXPECT_EQ(listing,
            "0 top 10 \"Test.Tab\" @16 \"41 42\"\n1 top 8 \"Test.Eight\" @10 \"41 42\"\n");
}

TEST(Index, TheSampleIndexIsTheSampleListCompiled) {
  EXPECT_EQ(ReadFixture("ZV.INX"), CompileIndex(ReadFixtureText("sample.sig")));
}

}  // namespace
